#include "windows/frame/Form.h"

#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/frame/clsResize.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

QPoint CascadePosition(QPoint proposed, const QList<QPoint>& others, int step, QSize size,
                       const QRect& area) {
    const auto covers = [&others, step](QPoint corner) {
        return std::any_of(others.begin(), others.end(), [corner, step](QPoint other) {
            return std::abs(other.x() - corner.x()) < step &&
                   std::abs(other.y() - corner.y()) < step;
        });
    };
    QPoint corner = proposed;
    // Each other window blocks one place at most on each pass over the area.
    for (qsizetype tries = 0; tries <= 2 * others.size() && covers(corner); ++tries) {
        corner += QPoint(step, step);
        if (corner.x() + size.width() > area.right() + 1 ||
            corner.y() + size.height() > area.bottom() + 1)
            corner = area.topLeft();
    }
    return corner;
}

Form::Form(AppContext& context, QWidget* parent)
    : QWidget(parent)
    , m_ctx(context) {}

Form::~Form() = default;

void Form::setDesignedInnerSize(double widthTwips, double heightTwips) {
    // Whatever the window holds above its inner area (its menu bar) comes on
    // top of the designed size.
    const QSize chrome = size() - clsResize::innerSize(this);
    resize(QSize(twipsX(widthTwips), twipsY(heightTwips)) + chrome);
}

void Form::startResizer(double outerWidthTwips, double outerHeightTwips, double leftTwips) {
    m_resizer = std::make_unique<clsResize>();
    m_resizer->setSourceForm(this);
    quint8 percent = 75;
    m_resizer->SizeFormToScreen(percent);
    const QSize chrome = size() - clsResize::innerSize(this);
    const QSize border = frameGeometry().size() - size();
    QSize inner(twipsX(m_resizer->designWidth()), twipsY(m_resizer->designHeight()));
    if (isVisible() && !border.isEmpty())
        inner = QSize(twipsX(outerWidthTwips), twipsY(outerHeightTwips)) - border - chrome;
    resize(QSize(std::max(1, inner.width()), std::max(1, inner.height())) + chrome);
    if (leftTwips >= 0)
        move(twipsX(leftTwips), pos().y());
    m_cascades = leftTwips < 0;
    // A hidden window is told of its new size only when it is shown: its
    // controls follow now, as they would on a resize notification.
    m_resizer->ResizeControls();
}

void Form::placeAtFirstShow() {
    if (!m_cascades)
        return;
    m_cascades = false;
    QList<QPoint> others;
    // A title bar as tall as the frames of the windows already shown, or
    // the usual one before any is.
    int step = twipsY(420);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !qobject_cast<Form*>(window) || !window->isVisible() ||
            window->isMinimized())
            continue;
        others.append(window->pos());
        step = std::max(step, window->frameGeometry().height() - window->height());
    }
    const QScreen* shown = screen();
    const QRect area = shown ? shown->availableGeometry() : QRect(QPoint(0, 0), size());
    move(CascadePosition(pos(), others, step, frameGeometry().size(), area));
}

void Form::keepHalfDesignedSize() {
    if (!m_resizer)
        return;
    const int width = twipsX(m_resizer->designWidth() / 2.0);
    // The menu bar above the inner area, as tall as it is at that width
    // (where it may take two rows).
    int chrome = 0;
    if (const QWidget* bar = layout() ? layout()->menuBar() : nullptr) {
        chrome = bar->heightForWidth(width);
        if (chrome < 0)
            chrome = bar->sizeHint().height();
    }
    setMinimumSize(width, twipsY(m_resizer->designHeight() / 2.0) + chrome);
}

void Form::releaseResizer() {
    m_resizer.reset();
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Maximised or restored: the controls keep their margin from the
    // screen's edge (the resize may have come before the new state).
    if (event->type() == QEvent::WindowStateChange && m_resizer)
        m_resizer->ResizeControls();
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_resizer)
        m_resizer->ResizeControls();
}

int Form::twipsX(double twips) const {
    return static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
}

int Form::twipsY(double twips) const {
    return static_cast<int>(std::lround(twips * logicalDpiY() / 1440.0));
}

void Form::closeFromButton(Closing closing) {
    if (closingLastIsExit() && m_ctx.forms.isLastShown(this)) {
        m_ctx.procedures.confirmExit(m_ctx, this);
        return;
    }
    if (closing == Closing::Unloads)
        m_ctx.forms.unload(this);
    else
        hide();
}

void Form::closeEvent(QCloseEvent* event) {
    if (closingLastIsExit() && m_ctx.forms.isLastShown(this)) {
        // The exit unloads the window itself when the user confirms it.
        event->ignore();
        m_ctx.procedures.confirmExit(m_ctx, this);
        return;
    }
    // The registry deletes the window later; the close itself is accepted.
    event->accept();
    m_ctx.forms.unloadClosed(this);
}
