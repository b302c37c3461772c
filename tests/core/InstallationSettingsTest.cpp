#include "core/InstallationSettings.h"
#include "core/ApplicationState.h"

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

// The product list reads at most MaxProductEntries entries, whatever "size"
// claims: a wrong or hostile count must not keep the help window busy.
TEST(InstallationSettings, ProductCountIsCapped) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray size;
        int written;
        size_t listed;
    };
    const Case cases[] = {
        {"tre", "3", 3, 3},
        {"oltre", QByteArray::number(MaxProductEntries + 5), MaxProductEntries + 5,
         size_t(MaxProductEntries)},
        {"negativo", "-5", 3, 0},
        {"enorme", "2147483647", 3, 3},
    };
    for (const Case& c : cases) {
        QByteArray text = "[Products]\nsize=" + c.size + "\n";
        for (int i = 1; i <= c.written; ++i)
            text += QByteArray::number(i) + "\\Name=Programma " + QByteArray::number(i) + "\n";
        const QString path = writeIni(dir, QString::fromLatin1(c.name) + ".ini", text);
        const std::vector<ProductEntry> products = LoadProductList({path});
        EXPECT_EQ(products.size(), c.listed) << c.name;
        if (!products.empty()) {
            EXPECT_EQ(products.front().name, QStringLiteral("Programma 1")) << c.name;
        }
    }
}
