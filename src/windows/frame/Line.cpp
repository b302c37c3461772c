#include "windows/frame/Line.h"

#include <QPainter>

#include <algorithm>

Line::Line(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    placeOverEnds();
}

void Line::setEnds(int x1, int y1, int x2, int y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    placeOverEnds();
    update();
}

void Line::setBorderColor(const QColor& color) {
    m_color = color;
    update();
}

void Line::setBorderWidth(int width) {
    m_width = std::max(1, width);
    placeOverEnds();
    update();
}

// The widget spans the two end points plus the pen on every side, so a
// horizontal or vertical line still has a visible area.
void Line::placeOverEnds() {
    const int pad = m_width;
    const int left = std::min(m_x1, m_x2) - pad;
    const int top = std::min(m_y1, m_y2) - pad;
    const int right = std::max(m_x1, m_x2) + pad;
    const int bottom = std::max(m_y1, m_y2) + pad;
    setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(m_color);
    pen.setWidth(m_width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = pos();
    painter.drawLine(QPoint(m_x1, m_y1) - origin, QPoint(m_x2, m_y2) - origin);
}
