#include "windows/frame/SpokenNames.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>
#include <QWidget>

QString RowControlName(const QString& what, int row) {
    return QStringLiteral("%1 del tronco %2").arg(what).arg(row);
}

QString DeleteRowName(int row) {
    return QStringLiteral("elimina il tronco %1").arg(row);
}

void SetSpokenName(QWidget* control, const QString& name) {
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
    // On this desktop a list's own accessible name is its current choice:
    // the box inside it, where the user types and the focus stands, carries
    // the name, and the list describes itself by it.
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit()) {
        if (list->lineEdit()->accessibleName() != name)
            list->lineEdit()->setAccessibleName(name);
        if (list->accessibleDescription() != name)
            list->setAccessibleDescription(name);
    }
}

void DescribeAsComputed(QWidget* control, const QString& what) {
    const QString computed = QStringLiteral("valore calcolato, sola lettura");
    const QString description = what.isEmpty() ? computed : what + QStringLiteral(": ") + computed;
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

void NameIconButtons(QToolBar* bar) {
    for (QAction* action : bar->actions()) {
        QWidget* button = bar->widgetForAction(action);
        if (button && !action->isSeparator() && action->text().isEmpty())
            button->setAccessibleName(action->toolTip());
    }
}
