#include "windows/frame/Form.h"

#include "windows/frame/Forms.h"
#include "windows/frame/ModTubarex.h"
#include "windows/frame/clsResize.h"

#include <QCloseEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

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
    // A hidden window is told of its new size only when it is shown: its
    // controls follow now, as they would on a resize notification.
    m_resizer->ResizeControls();
}

void Form::releaseResizer() {
    m_resizer.reset();
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

void Form::closeEvent(QCloseEvent* event) {
    if (closingLastIsExit() && m_ctx.forms.isLastShown(this)) {
        // The exit unloads the window itself when the user confirms it.
        event->ignore();
        ConfirmExit(m_ctx, this);
        return;
    }
    // The registry deletes the window later; the close itself is accepted.
    event->accept();
    m_ctx.forms.unloadClosed(this);
}
