#include "core/session/InstallationSettings.h"
#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"

#include "UnwritableFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    EXPECT_EQ(state.program.OwnerName, QStringLiteral("Studio Tecnico Rossi"));
    EXPECT_EQ(state.program.OwnerAddress, QStringLiteral("Via Roma 1, 20100 Milano"));
}

TEST(InstallationSettings, UnquotedCommasAndAccentsSurvive) {
    QTemporaryDir dir;
    const QString path = writeIni(dir, QStringLiteral("t.ini"),
                                  "[Owner]\nName=Ing. Citt\xc3\xa0\nAddress=Via Po 2, Torino\n");
    ApplicationState state;
    LoadOwnerSettings(state, {path});
    EXPECT_EQ(state.program.OwnerName, QString::fromUtf8("Ing. Citt\u00e0"));
    EXPECT_EQ(state.program.OwnerAddress, QStringLiteral("Via Po 2, Torino"));
}

TEST(InstallationSettings, NoFileOrNoKeyLeavesThemEmpty) {
    QTemporaryDir dir;
    ApplicationState state;
    state.program.OwnerName = QStringLiteral("vecchio");
    EXPECT_TRUE(LoadOwnerSettings(state, {dir.filePath(QStringLiteral("x.ini"))}).isEmpty());
    EXPECT_TRUE(state.program.OwnerName.isEmpty());
    const QString path = writeIni(dir, QStringLiteral("n.ini"), "[Owner]\nName=Solo nome\n");
    LoadOwnerSettings(state, {path});
    EXPECT_EQ(state.program.OwnerName, QStringLiteral("Solo nome"));
    EXPECT_TRUE(state.program.OwnerAddress.isEmpty());
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

// The owner's data go where the program and tubarex-cli read them back, and
// the rest of the file read before (the product list) survives, whichever
// settings files exist: beside the executable, the user's own, the system's.
TEST(InstallationSettings, SavedOwnerIsReadBackWithTheRestOfTheFile) {
    const QByteArray products = "[Products]\nsize=1\n1\\Name=Altro programma\n";
    struct Case {
        const char* name;
        bool besideProgram, user, system;
        int target; // index of the candidate written
    };
    const Case cases[] = {
        {"nessun file", false, false, false, 1},
        {"solo quello di sistema", false, false, true, 1},
        {"quello dell'utente", false, true, true, 1},
        {"accanto al programma", true, true, true, 0},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QStringList candidates{dir.filePath(QStringLiteral("bin/tubarex.ini")),
                                     dir.filePath(QStringLiteral("utente/tubarex.ini")),
                                     dir.filePath(QStringLiteral("sistema/tubarex.ini"))};
        const bool exists[] = {c.besideProgram, c.user, c.system};
        for (int i = 0; i < 3; ++i) {
            if (exists[i]) {
                QDir().mkpath(QFileInfo(candidates[i]).absolutePath());
                writeIni(dir, candidates[i].mid(dir.path().size() + 1),
                         "[Owner]\nName=Vecchio\n" + products);
            }
        }
        const QString address = QString::fromUtf8("Via Città 3, 10100 Torino");
        const Result<QString> saved =
            SaveOwnerSettings(QStringLiteral("Studio Nuovo"), address, candidates, candidates[1]);
        ASSERT_TRUE(saved) << c.name;
        EXPECT_EQ(saved.value(), candidates[c.target]) << c.name;
        ApplicationState state;
        EXPECT_EQ(LoadOwnerSettings(state, candidates), candidates[c.target]) << c.name;
        EXPECT_EQ(state.program.OwnerName, QStringLiteral("Studio Nuovo")) << c.name;
        EXPECT_EQ(state.program.OwnerAddress, address) << c.name;
        const std::vector<ProductEntry> kept = LoadProductList(candidates);
        EXPECT_EQ(kept.size(), size_t(c.besideProgram || c.user || c.system)) << c.name;
    }
}

// A file that cannot be replaced is named in the message and left as it was.
TEST(InstallationSettings, FailedSaveNamesTheFileAndKeepsIt) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("bin")));
    const QByteArray before = "[Owner]\nName=Vecchio\n[Products]\nsize=1\n1\\Name=Un altro "
                              "programma, con una descrizione lunga\n";
    const QString path = writeIni(dir, QStringLiteral("bin/tubarex.ini"), before);
    QString error;
    {
        UnwritableFolder locked(dir.filePath(QStringLiteral("bin")));
        error = SaveOwnerSettings(QStringLiteral("Nuovo"), QString(), {path},
                                  dir.filePath(QStringLiteral("utente.ini")))
                    .error();
    }
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("Impossibile salvare i dati dello studio nel file ") +
                         QuotedPath(path) + QStringLiteral(": ")))
        << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}
