#include "windows/frame/clsResize.h"

#include "windows/frame/Line.h"

#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ResizeMath {

qint32 roundHalfEven(double value) {
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    if (std::isnan(value))
        return 0;
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (rounded < lowest)
        return std::numeric_limits<qint32>::min();
    if (rounded > highest)
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(rounded);
}

Follow parseTag(const QString& tag) {
    const QString flags = tag.toUpper();
    if (!flags.startsWith(QLatin1Char('@')))
        return Follow{};
    return Follow{flags.contains(QLatin1Char('L')), flags.contains(QLatin1Char('T')),
                  flags.contains(QLatin1Char('W')), flags.contains(QLatin1Char('H'))};
}

ScreenPlacement placeOnScreen(double screenWidth, double screenHeight, quint8 percent) {
    ScreenPlacement placement;
    placement.height = static_cast<qint32>(std::floor(percent / 100.0 * screenHeight));
    placement.width = static_cast<qint32>(std::floor(percent / 100.0 * screenWidth));
    placement.top = (screenHeight - placement.height) / 2.0;
    placement.left = (screenWidth - placement.width) / 2.0;
    return placement;
}

double scaledPointSize(double designed, double xRatio, double yRatio) {
    const double ratio = std::max(1.0, std::min(xRatio, yRatio));
    return std::round(designed * ratio * 2.0) / 2.0;
}

double pixelsToTwips(double pixels, double dpi) {
    return pixels * 1440.0 / dpi;
}

int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

} // namespace ResizeMath

namespace {

// Drawing of the window stays frozen while its controls move, so that it is
// repainted once per pass. A nested pass leaves the freeze to the outer one.
class DrawingFreeze {
public:
    explicit DrawingFreeze(QWidget* form)
        : m_form(form)
        , m_wasEnabled(form->updatesEnabled()) {
        m_form->setUpdatesEnabled(false);
    }
    ~DrawingFreeze() {
        if (m_form && m_wasEnabled)
            m_form->setUpdatesEnabled(true);
    }
    DrawingFreeze(const DrawingFreeze&) = delete;
    DrawingFreeze& operator=(const DrawingFreeze&) = delete;

private:
    QPointer<QWidget> m_form;
    bool m_wasEnabled;
};

bool layoutHolds(const QLayout* layout, const QWidget* widget) {
    if (layout->menuBar() == widget)
        return true;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (item->layout() && layoutHolds(item->layout(), widget))
            return true;
    }
    return false;
}

bool isBar(const QWidget* widget) {
    return qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QToolBar*>(widget) ||
           qobject_cast<const QStatusBar*>(widget);
}

bool isControl(const QWidget* widget, const QWidget* form) {
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    if (widget->isWindow() || widget->window() != form)
        return false;
    for (const QWidget* w = widget; w != form; w = w->parentWidget()) {
        if (isBar(w))
            return false;
    }
    const QLayout* layout = widget->parentWidget()->layout();
    return !layout || !layoutHolds(layout, widget);
}

// Height of the menu bar that a window's layout places above everything
// else, as the layout computes it.
int menuBarHeight(const QWidget* form) {
    const QLayout* layout = form->layout();
    const QWidget* bar = layout ? layout->menuBar() : nullptr;
    if (!bar || bar->isHidden())
        return 0;
    int height = bar->heightForWidth(std::max(form->width(), bar->minimumWidth()));
    if (height < 0)
        height = bar->sizeHint().height();
    return std::clamp(height, bar->minimumHeight(), bar->maximumHeight());
}

} // namespace

using ResizeMath::pixelsToTwips;
using ResizeMath::roundHalfEven;
using ResizeMath::scaled;
using ResizeMath::twipsToPixels;

clsResize::~clsResize() {
    m_layouts.clear();
    m_form = nullptr;
}

QList<QWidget*> clsResize::controlsOf(const QWidget* form) {
    QList<QWidget*> controls;
    if (!form)
        return controls;
    const QList<QWidget*> descendants = form->findChildren<QWidget*>();
    for (QWidget* widget : descendants) {
        if (isControl(widget, form))
            controls.append(widget);
    }
    return controls;
}

QSize clsResize::innerSize(const QWidget* form) {
    return QSize(form->width(), std::max(0, form->height() - menuBarHeight(form)));
}

void clsResize::ReInitialise() {
    CaptureLayout();
}

void clsResize::CaptureLayout() {
    if (!m_form)
        return;
    const double dpiX = m_form->logicalDpiX();
    const double dpiY = m_form->logicalDpiY();
    const auto twipsX = [dpiX](int pixels) { return roundHalfEven(pixelsToTwips(pixels, dpiX)); };
    const auto twipsY = [dpiY](int pixels) { return roundHalfEven(pixelsToTwips(pixels, dpiY)); };

    const QSize inner = innerSize(m_form);
    m_designWidth = twipsX(inner.width());
    m_designHeight = twipsY(inner.height());

    m_layouts.clear();
    const QList<QWidget*> controls = controlsOf(m_form);
    m_layouts.reserve(static_cast<std::size_t>(controls.size()));
    for (QWidget* control : controls) {
        ControlLayout entry;
        entry.control = control;
        entry.font = control->font();
        if (const auto* line = qobject_cast<const Line*>(control)) {
            entry.first = twipsX(line->x1());
            entry.second = twipsY(line->y1());
            entry.third = twipsX(line->x2());
            entry.fourth = twipsY(line->y2());
        } else {
            const QRect geometry = control->geometry();
            entry.first = twipsX(geometry.x());
            entry.second = twipsY(geometry.y());
            entry.third = twipsX(geometry.width());
            entry.fourth = twipsY(geometry.height());
        }
        m_layouts.push_back(entry);
    }
    m_needsCapture = false;
}

void clsResize::SizeFormToScreen(quint8& percent) {
    if (!m_form)
        return;
    if (m_needsCapture)
        CaptureLayout();
    const QScreen* screen = m_form->screen();
    if (!screen)
        return;

    // The available area leaves out task bars and docks, so that a window
    // opened at 100 % is wholly usable; its origin need not be 0,0.
    const QRect area = screen->availableGeometry();
    const double dpiX = m_form->logicalDpiX();
    const double dpiY = m_form->logicalDpiY();
    const ResizeMath::ScreenPlacement placement = ResizeMath::placeOnScreen(
        pixelsToTwips(area.width(), dpiX), pixelsToTwips(area.height(), dpiY), percent);

    // Outer size: the frame is known once the window system has decorated
    // the window; before that the frame adds nothing.
    const int frameWidth = m_form->frameGeometry().width() - m_form->geometry().width();
    const int frameHeight = m_form->frameGeometry().height() - m_form->geometry().height();

    m_form->move(area.x() + twipsToPixels(placement.left, dpiX),
                 area.y() + twipsToPixels(placement.top, dpiY));
    m_form->resize(std::max(0, twipsToPixels(placement.width, dpiX) - frameWidth),
                   std::max(0, twipsToPixels(placement.height, dpiY) - frameHeight));
    ResizeControls();
}

void clsResize::ResizeControls() {
    if (!m_form)
        return;
    if (controlsOf(m_form).isEmpty())
        return;
    if (m_form->isMinimized())
        return;
    if (m_needsCapture) {
        CaptureLayout();
        return;
    }
    // A window captured at no size gives no ratio to scale by.
    if (m_designWidth == 0 || m_designHeight == 0)
        return;

    DrawingFreeze freeze(m_form);
    const double dpiX = m_form->logicalDpiX();
    const double dpiY = m_form->logicalDpiY();
    QSize inner = innerSize(m_form);
    // A maximised window touches the screen's bottom edge, where no frame
    // is left below the lowest controls: they scale into 1/24 inch less (4
    // pixels at 96 dpi), so that their lower border shows.
    if (m_form->isMaximized() || m_form->isFullScreen())
        inner.rheight() -= static_cast<int>(std::lround(dpiY / 24.0));
    const double yRatio = pixelsToTwips(inner.height(), dpiY) / m_designHeight;
    const double xRatio = pixelsToTwips(inner.width(), dpiX) / m_designWidth;
    const auto pixelsX = [&](qint32 designed) {
        return twipsToPixels(scaled(designed, xRatio), dpiX);
    };
    const auto pixelsY = [&](qint32 designed) {
        return twipsToPixels(scaled(designed, yRatio), dpiY);
    };

    for (const ControlLayout& entry : m_layouts) {
        QWidget* control = entry.control;
        if (!control)
            continue;
        const ResizeMath::Follow follow = ResizeMath::parseTag(control->property("Tag").toString());
        if (auto* line = qobject_cast<Line*>(control)) {
            line->setEnds(follow.left ? pixelsX(entry.first) : line->x1(),
                          follow.top ? pixelsY(entry.second) : line->y1(),
                          follow.width ? pixelsX(entry.third) : line->x2(),
                          follow.height ? pixelsY(entry.fourth) : line->y2());
            continue;
        }
        QRect geometry = control->geometry();
        if (follow.left)
            geometry.moveLeft(pixelsX(entry.first));
        if (follow.top)
            geometry.moveTop(pixelsY(entry.second));
        if (follow.width)
            geometry.setWidth(pixelsX(entry.third));
        if (follow.height)
            geometry.setHeight(pixelsY(entry.fourth));
        // Qt bounds the size by the control's minimum and maximum: a
        // dimension held fixed keeps its value, the others still follow.
        control->setGeometry(geometry);
        if (m_scalesFonts && entry.font.pointSizeF() > 0) {
            QFont font = entry.font;
            font.setPointSizeF(
                ResizeMath::scaledPointSize(entry.font.pointSizeF(), xRatio, yRatio));
            if (control->font() != font)
                control->setFont(font);
        }
    }
}
