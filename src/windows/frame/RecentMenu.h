#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class RecentProjects;

// The recent projects at the foot of a File menu, after its classic
// entries: a separator, an entry per project ("&1 Tubarex-dati-palazzina",
// `recente(1)`, with the full path as its tooltip) and "Svuota elenco"
// (`svuotaelenco`). The entries are made again each time the menu opens, so
// the three main windows list the same projects.
class RecentMenu : public QObject {
public:
    RecentMenu(QMenu* file, RecentProjects& recent, std::function<void(const QString&)> open);

    // Makes the entries from the list as it stands.
    void rebuild();

private:
    QMenu* m_menu;
    RecentProjects& m_recent;
    std::function<void(const QString&)> m_open;
    QList<QAction*> m_entries;
};
