#include "windows/frame/ToolbarIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// Icons are drawn on a 24 × 24 grid and rendered at two sizes.
constexpr int Grid = 24;

const QColor Ink(40, 40, 40);
const QColor Paper(250, 250, 245);
const QColor Blue(40, 110, 200);
const QColor Red(200, 40, 40);
const QColor Yellow(245, 200, 40);
const QColor Green(30, 150, 60);

void page(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    QPainterPath sheet;
    sheet.moveTo(5, 2);
    sheet.lineTo(15, 2);
    sheet.lineTo(19, 6);
    sheet.lineTo(19, 22);
    sheet.lineTo(5, 22);
    sheet.closeSubpath();
    p.drawPath(sheet);
}

void disk(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(7, 14, 10, 7));
}

void window(QPainter& p, const QColor& bar) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Paper);
    p.drawRect(QRectF(2, 3, 20, 18));
    p.setBrush(bar);
    p.drawRect(QRectF(2, 3, 20, 4));
}

void letters(QPainter& p, const QRectF& box, const QString& text, int pixelSize,
             const QColor& colour) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void draw(QPainter& p, int index) {
    switch (index) {
    case 1: { // open: a folder
        p.setPen(QPen(Ink, 1));
        p.setBrush(Yellow.darker(115));
        p.drawRect(QRectF(2, 6, 18, 14));
        p.setBrush(Yellow);
        QPainterPath flap;
        flap.moveTo(2, 20);
        flap.lineTo(6, 10);
        flap.lineTo(22, 10);
        flap.lineTo(20, 20);
        flap.closeSubpath();
        p.drawPath(flap);
        break;
    }
    case 2: // save: a disk
        disk(p);
        break;
    case 3: // save as: a disk and a pencil
        disk(p);
        p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(12, 20, 21, 11));
        break;
    case 4: // delete: a sheet crossed out
        page(p);
        p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(8, 9, 16, 17));
        p.drawLine(QLineF(16, 9, 8, 17));
        break;
    case 6: // print: a printer
        p.setPen(QPen(Ink, 1));
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 2, 10, 8));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(Paper);
        p.drawRect(QRectF(6, 15, 12, 7));
        p.setPen(Green);
        p.drawPoint(QPointF(19, 12));
        break;
    case 8: // chooser: a window with two choices
        window(p, Blue);
        p.setPen(QPen(Ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(7, 12), 2, 2);
        p.drawEllipse(QPointF(7, 17), 2, 2);
        p.drawLine(QLineF(11, 12, 19, 12));
        p.drawLine(QLineF(11, 17, 19, 17));
        break;
    case 9: { // water window: a drop
        window(p, Blue);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 150, 240));
        QPainterPath drop;
        drop.moveTo(12, 8);
        drop.cubicTo(16, 13, 17, 15, 17, 16);
        drop.arcTo(7, 11, 10, 9, 0, -180);
        drop.cubicTo(7, 15, 8, 13, 12, 8);
        p.drawPath(drop);
        break;
    }
    case 10: { // gas window: a flame
        window(p, Blue);
        p.setPen(Qt::NoPen);
        QLinearGradient fire(12, 8, 12, 20);
        fire.setColorAt(0, Yellow);
        fire.setColorAt(1, Blue);
        p.setBrush(fire);
        QPainterPath flame;
        flame.moveTo(12, 8);
        flame.cubicTo(17, 12, 16, 18, 12, 20);
        flame.cubicTo(8, 18, 7, 12, 12, 8);
        p.drawPath(flame);
        break;
    }
    case 11: // cover page: a sheet with a title
        page(p);
        p.setPen(QPen(Blue, 2));
        p.drawLine(QLineF(8, 7, 16, 7));
        p.setPen(QPen(Ink, 1));
        for (int y = 11; y <= 19; y += 3)
            p.drawLine(QLineF(8, y, 16, y));
        break;
    case 13: { // background colour: a palette
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(230, 200, 150));
        p.drawEllipse(QRectF(2, 4, 20, 16));
        const QColor dabs[] = {Red, Yellow, Green, Blue};
        const QPointF at[] = {{7, 9}, {12, 7}, {17, 9}, {17, 14}};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dabs[i]);
            p.drawEllipse(at[i], 2, 2);
        }
        p.setBrush(Paper);
        p.drawEllipse(QPointF(8, 15), 2, 2);
        break;
    }
    case 15: // on-line help: a book with a question mark
        p.setPen(QPen(Ink, 1));
        p.setBrush(Blue);
        p.drawRoundedRect(QRectF(4, 2, 16, 20), 2, 2);
        letters(p, QRectF(4, 2, 16, 20), QStringLiteral("?"), 15, Paper);
        break;
    case 16: // tips: a light bulb
        p.setPen(QPen(Ink, 1));
        p.setBrush(Yellow);
        p.drawEllipse(QRectF(6, 2, 12, 12));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(9, 14, 6, 6));
        p.drawLine(QLineF(9, 16, 15, 16));
        p.drawLine(QLineF(9, 18, 15, 18));
        break;
    case 17: // product support: a life buoy
        p.setPen(Qt::NoPen);
        p.setBrush(Red);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.setBrush(Paper);
        for (int angle = 45; angle < 360; angle += 90)
            p.drawPie(QRectF(2, 2, 20, 20), angle * 16 - 12 * 16, 24 * 16);
        p.setBrush(QColor(0, 0, 0, 0));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.drawEllipse(QPointF(12, 12), 5, 5);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case 18: // about: an "i" in a circle
        p.setPen(QPen(Ink, 1));
        p.setBrush(Blue);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        letters(p, QRectF(2, 2, 20, 20), QStringLiteral("i"), 15, Paper);
        break;
    case 20: // input check: ABC and a tick
        letters(p, QRectF(0, 1, 24, 12), QStringLiteral("ABC"), 10, Ink);
        p.setPen(QPen(Green, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{5, 16}, {10, 21}, {20, 12}}));
        break;
    case 21: { // clear: an eraser
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(240, 130, 150));
        QPolygonF rubber({{3, 16}, {12, 7}, {21, 12}, {12, 21}});
        p.drawPolygon(rubber);
        p.setBrush(Paper);
        p.drawPolygon(QPolygonF({{3, 16}, {7, 12}, {16, 17}, {12, 21}}));
        break;
    }
    case 22: // exit: a door and an arrow
        p.setPen(QPen(Ink, 1));
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(3, 2, 10, 20));
        p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QLineF(11, 12, 21, 12));
        p.drawPolyline(QPolygonF({{17, 8}, {21, 12}, {17, 16}}));
        break;
    default:
        break;
    }
}

// A picture drawn on the grid, rendered at two sizes.
QIcon rendered(const std::function<void(QPainter&)>& drawing) {
    QIcon icon;
    for (const int size : {Grid, 2 * Grid}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / double(Grid), size / double(Grid));
        drawing(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon ToolbarIcon(int index) {
    switch (index) {
    case 5:
    case 7:
    case 12:
    case 14:
    case 19:
        return QIcon();
    default:
        return rendered([index](QPainter& p) { draw(p, index); });
    }
}

QIcon DeleteRowIcon() {
    return rendered([](QPainter& p) {
        p.setPen(QPen(Red, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QLineF(5, 5, 19, 19));
        p.drawLine(QLineF(19, 5, 5, 19));
    });
}
