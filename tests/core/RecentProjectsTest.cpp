#include "core/RecentProjects.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

QStringList list(std::initializer_list<const char*> paths) {
    QStringList out;
    for (const char* p : paths)
        out.append(q(p));
    return out;
}

} // namespace

// The list as the File menus show it after what the user opened, saved and
// cleared: newest first, each file once however it is spelt, at most eight.
TEST(RecentProjects, ListFollowsOpensAndSaves) {
    const struct {
        const char* name;
        std::function<void(RecentProjects&)> steps;
        QStringList expected;
    } cases[] = {
        {"newest first",
         [](RecentProjects& r) {
             r.add(q("/p/a"));
             r.add(q("/p/b"));
         },
         list({"/p/b", "/p/a"})},
        {"opened again moves up",
         [](RecentProjects& r) {
             r.add(q("/p/a"));
             r.add(q("/p/b"));
             r.add(q("/p/./x/../a"));
         },
         list({"/p/a", "/p/b"})},
        {"eight at most",
         [](RecentProjects& r) {
             for (int i = 1; i <= 10; ++i)
                 r.add(QStringLiteral("/p/%1").arg(i));
         },
         list({"/p/10", "/p/9", "/p/8", "/p/7", "/p/6", "/p/5", "/p/4", "/p/3"})},
        {"a file removed",
         [](RecentProjects& r) {
             r.add(q("/p/a"));
             r.add(q("/p/b"));
             r.remove(q("/p/a"));
         },
         list({"/p/b"})},
        {"cleared",
         [](RecentProjects& r) {
             r.add(q("/p/a"));
             r.clear();
         },
         {}},
        {"no name, no entry", [](RecentProjects& r) { r.add(QString()); }, {}},
    };
    for (const auto& c : cases) {
        RecentProjects recent;
        c.steps(recent);
        EXPECT_EQ(recent.files(), c.expected) << c.name;
    }
}

// Kept in the settings file: a later run finds the list and the folder.
TEST(RecentProjects, KeptInTheSettingsFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("recenti.ini"));
    {
        RecentProjects recent;
        recent.keepIn(file);
        recent.add(q("/p/uno, due"));
        recent.add(q("/p/tre"));
        recent.setLastFolder(q("/p/cartella"));
    }
    RecentProjects later;
    later.keepIn(file);
    EXPECT_EQ(later.files(), list({"/p/tre", "/p/uno, due"}));
    EXPECT_EQ(later.lastFolder(), q("/p/cartella"));
}

// A file dialog opens in the current project's folder, else in the last
// folder used, else in the fallback; a folder that is gone is passed over.
TEST(RecentProjects, DialogFolderOfProjectOrLastUsed) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("progetti"));
    const QString last = dir.filePath(QStringLiteral("ultima"));
    ASSERT_TRUE(QDir().mkpath(project));
    ASSERT_TRUE(QDir().mkpath(last));
    const QString gone = dir.filePath(QStringLiteral("sparita"));
    const QString fallback = q("/documenti");
    const struct {
        const char* name;
        QString current;
        QString lastFolder;
        QString expected;
    } cases[] = {
        {"the project's", project + q("/Tubarex-dati-a"), last, project},
        {"no project", QString(), last, last},
        {"project's folder gone", gone + q("/Tubarex-dati-a"), last, last},
        {"nothing known", QString(), QString(), fallback},
        {"last folder gone", QString(), gone, fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialogFolder(c.current, c.lastFolder, fallback), c.expected) << c.name;
}
