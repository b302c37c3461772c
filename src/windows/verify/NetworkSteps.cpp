#include "windows/verify/NetworkSteps.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/Forms.h"
#include "windows/frame/NetworkView.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QAction>
#include <QWidget>

NetworkSteps::NetworkSteps(AppContext& context)
    : m_ctx(context)
    , m_water(WaterEditing(context.state))
    , m_gas(GasEditing(context.state)) {}

TableEditing& NetworkSteps::editing(NetworkKind kind) const {
    return kind == NetworkKind::Water ? *m_water : *m_gas;
}

void NetworkSteps::showInDataWindow(NetworkKind kind) const {
    const QString name = kind == NetworkKind::Water ? WindowName::dati : WindowName::datigas;
    if (auto* view = dynamic_cast<NetworkView*>(m_ctx.forms.find(name)))
        view->showTable();
}

bool NetworkSteps::undo(NetworkKind kind) {
    if (!editing(kind).undo())
        return false;
    showInDataWindow(kind);
    return true;
}

bool NetworkSteps::redo(NetworkKind kind) {
    if (!editing(kind).redo())
        return false;
    showInDataWindow(kind);
    return true;
}

void NetworkSteps::addKeys(QWidget& window, std::function<NetworkKind()> shown) {
    auto* annulla = new QAction(QStringLiteral("Annulla"), &window);
    annulla->setObjectName(QStringLiteral("annulla"));
    annulla->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QObject::connect(annulla, &QAction::triggered, &window, [this, shown] { undo(shown()); });
    auto* ripeti = new QAction(QStringLiteral("Ripeti"), &window);
    ripeti->setObjectName(QStringLiteral("ripeti"));
    ripeti->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QObject::connect(ripeti, &QAction::triggered, &window, [this, shown] { redo(shown()); });
    window.addActions({annulla, ripeti});
}
