#pragma once

#include "ShellFixture.h"

#include "windows/help/HelpWindows.h"
#include "windows/start/frmTip.h"

#include <QMouseEvent>
#include <QWidget>

// The program's registry as its main() fills it for the help: the help
// windows and the tips window enrolled by name.
struct HelpFixture : ShellFixture {
    HelpFixture() {
        EnrolHelpWindows(forms);
        forms.enrol<frmTip>();
    }
};

// A plain pointer move over a widget, at `at` in its coordinates (its
// centre when not given).
inline void moveOver(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    const QPointF point =
        at.x() < 0 ? QPointF(widget->width() / 2.0, widget->height() / 2.0) : QPointF(at);
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

inline void mouseButton(QWidget* widget, QEvent::Type type) {
    const QPointF point(widget->width() / 2.0, widget->height() / 2.0);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, point, widget->mapToGlobal(point), Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
