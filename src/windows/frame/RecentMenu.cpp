#include "windows/frame/RecentMenu.h"

#include "core/session/RecentProjects.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentMenu::RecentMenu(QMenu* file, RecentProjects& recent,
                       std::function<void(const QString&)> open)
    : QObject(file)
    , m_menu(file)
    , m_recent(recent)
    , m_open(std::move(open)) {
    m_menu->setToolTipsVisible(true);
    connect(m_menu, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
    rebuild();
}

void RecentMenu::rebuild() {
    // The menu is about to open: none of its entries is running.
    qDeleteAll(m_entries);
    m_entries.clear();
    const auto add = [this](QAction* action) {
        m_menu->addAction(action);
        m_entries.append(action);
        return action;
    };
    auto* separator = new QAction(m_menu);
    separator->setSeparator(true);
    add(separator);
    int number = 0;
    for (const QString& path : m_recent.files()) {
        ++number;
        // "&" in a file name is a letter, not an accelerator.
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(number).arg(name), m_menu);
        entry->setObjectName(QStringLiteral("recente(%1)").arg(number));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { m_open(path); });
        add(entry);
    }
    auto* clear = new QAction(QStringLiteral("Svuota elenco"), m_menu);
    clear->setObjectName(QStringLiteral("svuotaelenco"));
    clear->setEnabled(!m_recent.files().isEmpty());
    connect(clear, &QAction::triggered, this, [this] { m_recent.clear(); });
    add(clear);
}
