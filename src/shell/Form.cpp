#include "shell/Form.h"

#include "shell/Forms.h"

#include <QCloseEvent>
#include <QScreen>

#include <cmath>

Form::Form(AppContext& context, QWidget* parent)
    : QWidget(parent)
    , m_ctx(context) {}

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
