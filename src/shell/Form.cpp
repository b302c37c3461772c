#include "shell/Form.h"

#include "shell/Forms.h"
#include "ui/clsResize.h"

#include <QCloseEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

Form::Form(AppContext& context, QWidget* parent)
    : QWidget(parent)
    , m_ctx(context) {}

Form::~Form() = default;

void Form::startResizer(double outerWidthTwips, double outerHeightTwips, double leftTwips) {
    m_resizer = std::make_unique<clsResize>();
    m_resizer->setSourceForm(this);
    quint8 percent = 75;
    m_resizer->SizeFormToScreen(percent);
    // The outer size includes the frame. Before the window manager has framed
    // the window, a usual frame is assumed: 60 twips each side, and a caption
    // bar of 450 twips over the top border.
    QSize border = frameGeometry().size() - size();
    if (!isVisible() || border.isEmpty())
        border = QSize(twipsX(120), twipsY(510));
    resize(std::max(1, twipsX(outerWidthTwips) - border.width()),
           std::max(1, twipsY(outerHeightTwips) - border.height()));
    if (leftTwips >= 0)
        move(twipsX(leftTwips), pos().y());
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
    // The registry deletes the window later; the close itself is accepted.
    event->accept();
    m_ctx.forms.unload(this);
}
