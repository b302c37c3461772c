#pragma once

#include <QColor>
#include <QWidget>

// A line control: a straight line from (X1, Y1) to (X2, Y2), end points in the
// coordinates of the parent widget (pixels). The widget covers the bounding
// box of the two points, widened by the pen, and lets the mouse through.
// The proportional resizer moves a line by its end points, not by its
// rectangle.
class Line : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int X1 READ x1 WRITE setX1)
    Q_PROPERTY(int Y1 READ y1 WRITE setY1)
    Q_PROPERTY(int X2 READ x2 WRITE setX2)
    Q_PROPERTY(int Y2 READ y2 WRITE setY2)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
public:
    explicit Line(QWidget* parent = nullptr);

    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    void setX1(int value) { setEnds(value, m_y1, m_x2, m_y2); }
    void setY1(int value) { setEnds(m_x1, value, m_x2, m_y2); }
    void setX2(int value) { setEnds(m_x1, m_y1, value, m_y2); }
    void setY2(int value) { setEnds(m_x1, m_y1, m_x2, value); }
    void setEnds(int x1, int y1, int x2, int y2);

    QColor borderColor() const { return m_color; }
    void setBorderColor(const QColor& color);
    int borderWidth() const { return m_width; }
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeOverEnds();

    int m_x1 = 0;
    int m_y1 = 0;
    int m_x2 = 0;
    int m_y2 = 0;
    QColor m_color = Qt::black;
    int m_width = 1;
};
