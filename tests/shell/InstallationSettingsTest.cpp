#include "shell/InstallationSettings.h"
#include "shell/ApplicationState.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString writeIni(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

} // namespace

TEST(InstallationSettings, FirstExistingFileGivesTheOwner) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("assente.ini"));
    const QString first = writeIni(dir, QStringLiteral("a.ini"),
                                   "[Owner]\nName=Studio Tecnico Rossi\n"
                                   "Address=\"Via Roma 1, 20100 Milano\"\n");
    const QString second = writeIni(dir, QStringLiteral("b.ini"), "[Owner]\nName=Altro\n");
    ApplicationState state;
    EXPECT_EQ(LoadOwnerSettings(state, {missing, first, second}), first);
    EXPECT_EQ(state.OwnerName, QStringLiteral("Studio Tecnico Rossi"));
    EXPECT_EQ(state.OwnerAddress, QStringLiteral("Via Roma 1, 20100 Milano"));
}

TEST(InstallationSettings, UnquotedCommasAndAccentsSurvive) {
    QTemporaryDir dir;
    const QString path = writeIni(dir, QStringLiteral("t.ini"),
                                  "[Owner]\nName=Ing. Citt\xc3\xa0\nAddress=Via Po 2, Torino\n");
    ApplicationState state;
    LoadOwnerSettings(state, {path});
    EXPECT_EQ(state.OwnerName, QString::fromUtf8("Ing. Citt\u00e0"));
    EXPECT_EQ(state.OwnerAddress, QStringLiteral("Via Po 2, Torino"));
}

TEST(InstallationSettings, NoFileOrNoKeyLeavesThemEmpty) {
    QTemporaryDir dir;
    ApplicationState state;
    state.OwnerName = QStringLiteral("vecchio");
    EXPECT_TRUE(LoadOwnerSettings(state, {dir.filePath(QStringLiteral("x.ini"))}).isEmpty());
    EXPECT_TRUE(state.OwnerName.isEmpty());
    const QString path = writeIni(dir, QStringLiteral("n.ini"), "[Owner]\nName=Solo nome\n");
    LoadOwnerSettings(state, {path});
    EXPECT_EQ(state.OwnerName, QStringLiteral("Solo nome"));
    EXPECT_TRUE(state.OwnerAddress.isEmpty());
}
