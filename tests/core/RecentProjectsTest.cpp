#include "core/session/RecentProjects.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The list as the File menus show it after what the user opened or saved
// ("+path"), a file found gone ("-path") and the list cleared ("!"):
// newest first, each file once however it is spelt, at most eight.
TEST(RecentProjects, ListFollowsOpensAndSaves) {
    const struct {
        const char* steps;
        const char* expected;
    } cases[] = {
        {"+/p/a +/p/b", "/p/b /p/a"},
        {"+/p/a +/p/b +/p/./x/../a", "/p/a /p/b"},
        {"+/p/1 +/p/2 +/p/3 +/p/4 +/p/5 +/p/6 +/p/7 +/p/8 +/p/9 +/p/10",
         "/p/10 /p/9 /p/8 /p/7 /p/6 /p/5 /p/4 /p/3"},
        {"+/p/a +/p/b -/p/a", "/p/b"},
        {"+/p/a !", ""},
        {"+", ""},
    };
    for (const auto& c : cases) {
        RecentProjects recent;
        for (const QString& step : QString::fromLatin1(c.steps).split(u' ')) {
            if (step.startsWith(u'+'))
                recent.add(step.mid(1));
            else if (step.startsWith(u'-'))
                recent.remove(step.mid(1));
            else
                recent.clear();
        }
        EXPECT_EQ(recent.files(), QString::fromLatin1(c.expected).split(u' ', Qt::SkipEmptyParts))
            << c.steps;
    }
}

// Kept in the settings file: a later run finds the list and the folder.
TEST(RecentProjects, KeptInTheSettingsFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("recenti.ini"));
    {
        RecentProjects recent;
        recent.keepIn(file);
        recent.add(QStringLiteral("/p/uno, due"));
        recent.add(QStringLiteral("/p/tre"));
        recent.setLastFolder(QStringLiteral("/p/cartella"));
    }
    RecentProjects later;
    later.keepIn(file);
    EXPECT_EQ(later.files(), (QStringList{"/p/tre", "/p/uno, due"}));
    EXPECT_EQ(later.lastFolder(), QStringLiteral("/p/cartella"));
}

// A file dialog opens in the current project's folder, else in the last
// folder used, else in the fallback; a folder that is gone is passed over.
TEST(RecentProjects, DialogFolderOfProjectOrLastUsed) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("progetti"));
    const QString last = dir.filePath(QStringLiteral("ultima"));
    const QString gone = dir.filePath(QStringLiteral("sparita"));
    ASSERT_TRUE(QDir().mkpath(project) && QDir().mkpath(last));
    const QString fallback = QStringLiteral("/documenti");
    const QString file = QStringLiteral("/Tubarex-dati-a");
    const QString cases[][3] = {// current project, last folder, folder expected
                                {project + file, last, project},
                                {QString(), last, last},
                                {gone + file, last, last},
                                {QString(), QString(), fallback},
                                {QString(), gone, fallback}};
    for (const auto& [current, lastFolder, expected] : cases)
        EXPECT_EQ(DialogFolder(current, lastFolder, fallback), expected)
            << qPrintable(current + u'|' + lastFolder);
}
