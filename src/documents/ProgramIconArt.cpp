#include "documents/ProgramIconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void DrawProgramIcon(QPainter& painter, double size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // An elbow of pipe: in from the left, down to the bottom.
    QPainterPath pipe;
    pipe.moveTo(1, 8);
    pipe.lineTo(18, 8);
    pipe.arcTo(QRectF(8, 8, 20, 20), 90, -90);
    pipe.lineTo(28, 31);
    pipe.lineTo(20, 31);
    pipe.lineTo(20, 18);
    pipe.arcTo(QRectF(12, 16, 4, 4), 0, 90);
    pipe.lineTo(1, 16);
    pipe.closeSubpath();
    QLinearGradient steel(0, 8, 0, 16);
    steel.setColorAt(0, QColor(200, 210, 225));
    steel.setColorAt(1, QColor(90, 110, 140));
    painter.setPen(QPen(QColor(40, 50, 70), 1));
    painter.setBrush(steel);
    painter.drawPath(pipe);

    // The drop.
    QPainterPath drop;
    drop.moveTo(7, 19);
    drop.cubicTo(7, 19, 2, 25, 2, 27);
    drop.arcTo(QRectF(2, 24.5, 10, 7), 180, 180);
    drop.cubicTo(12, 25, 7, 19, 7, 19);
    painter.setBrush(QColor(40, 120, 220));
    painter.setPen(QPen(QColor(20, 60, 140), 0.8));
    painter.drawPath(drop);
    painter.restore();
}

QImage ProgramIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    DrawProgramIcon(painter, size);
    return image;
}
