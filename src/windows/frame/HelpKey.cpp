#include "windows/frame/HelpKey.h"

#include "windows/frame/Forms.h"

#include <QAction>
#include <QWindow>

QAction* AddHelpKey(QWidget& window, Forms& forms, std::function<QString()> page) {
    auto* action = new QAction(QStringLiteral("Guida"), &window);
    action->setObjectName(QStringLiteral("guidaF1"));
    action->setShortcut(QKeySequence(Qt::Key_F1));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window, [&window, &forms, page] {
        const QString name = page();
        // Loaded hidden first, so that a dialog that holds every window
        // (one run with exec) lets it go before it shows: a window whose
        // transient parent is the modal one is not blocked by it. Only Qt's
        // modality reads that link for a plain window; the window manager
        // is not told of it. A dialog modal to its own window alone holds
        // no page.
        if (!forms.loadByName(name))
            return;
        Form* shown = forms.find(name);
        if (shown && window.windowModality() == Qt::ApplicationModal && window.windowHandle()) {
            shown->winId();
            shown->windowHandle()->setTransientParent(window.windowHandle());
        }
        forms.showByName(name);
    });
    window.addAction(action);
    return action;
}

QAction* AddHelpKey(QWidget& window, Forms& forms, QLatin1String page) {
    return AddHelpKey(window, forms, [page] { return QString(page); });
}
