#include "core/session/DocumentFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr QFileDevice::Permissions OwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QFileDevice::Permissions othersOf(const QString& path) {
    return QFileInfo(path).permissions() &
           (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

struct ShownDocumentFolder : ::testing::Test {
    QTemporaryDir root;
    QString path = root.filePath(QStringLiteral("cache/tubarex/documenti"));
    DocumentFolder folder{path};
};

} // namespace

TEST_F(ShownDocumentFolder, IsMadeAndKeptForTheOwnerOnly) {
    const Result<> made = folder.prepare();
    ASSERT_TRUE(made) << made.error().toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(othersOf(path), QFileDevice::Permissions());

    // A folder left open to others is closed again.
    QFile::setPermissions(path, OwnerOnly | QFileDevice::ReadOther | QFileDevice::ExeOther |
                                    QFileDevice::WriteGroup);
    const Result<> kept = folder.prepare();
    ASSERT_TRUE(kept) << kept.error().toStdString();
    EXPECT_EQ(othersOf(path), QFileDevice::Permissions());
}

TEST_F(ShownDocumentFolder, ALinkInPlaceOfTheFolderIsRefusedAndNothingIsWrittenThere) {
    QTemporaryDir elsewhere;
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(QFile::link(elsewhere.path(), path));
    const Result<> linked = folder.prepare();
    EXPECT_FALSE(linked);
    EXPECT_TRUE(linked.error().contains(QStringLiteral("collegamento")))
        << linked.error().toStdString();
    EXPECT_FALSE(folder.newDocumentPath(QStringLiteral("Tubarex-acqua-dati")));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());

    // A plain file in its place is refused too.
    QFile::remove(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const Result<> plain = folder.prepare();
    EXPECT_FALSE(plain);
    EXPECT_FALSE(plain.error().isEmpty());
}

TEST_F(ShownDocumentFolder, DocumentsGetFreshPrivateUnguessableNames) {
    ASSERT_TRUE(folder.prepare());
    QSet<QString> names;
    for (int i = 0; i < 20; ++i) {
        const Result<QString> made = folder.newDocumentPath(QStringLiteral("Tubarex/acqua:dati"));
        ASSERT_TRUE(made) << made.error().toStdString();
        const QString& file = made.value();
        const QFileInfo info(file);
        EXPECT_EQ(info.absolutePath(), QFileInfo(path).absoluteFilePath());
        EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("Tubarex-acqua-dati-")))
            << info.fileName().toStdString();
        EXPECT_TRUE(info.fileName().endsWith(QStringLiteral(".docx")));
        // Several random characters, not a clock reading.
        EXPECT_GE(info.fileName().size(), QStringLiteral("Tubarex-acqua-dati-XXXXXX.docx").size());
        EXPECT_TRUE(info.isFile());
        EXPECT_EQ(othersOf(file), QFileDevice::Permissions());
        names.insert(info.fileName());
    }
    EXPECT_EQ(names.size(), 20);
}

TEST_F(ShownDocumentFolder, OldDocumentsAreRemovedRecentOnesKept) {
    ASSERT_TRUE(folder.prepare());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    struct Case {
        const char* name;
        int ageHours;
        bool kept;
    };
    const Case cases[] = {{"oggi.docx", 1, true},
                          {"ieri.docx", 30, true},
                          {"quasi.docx", DocumentFolder::KeepDays * 24 - 2, true},
                          {"vecchio.docx", DocumentFolder::KeepDays * 24 + 2, false},
                          {"antico.docx", 24 * 40, false}};
    for (const Case& c : cases) {
        QFile file(QDir(path).filePath(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.flush();
        file.setFileTime(now.addSecs(-3600LL * c.ageHours), QFileDevice::FileModificationTime);
    }
    ASSERT_TRUE(folder.prepare(now));
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(QDir(path).filePath(QString::fromLatin1(c.name))), c.kept)
            << c.name;
}

TEST(DocumentFolderPath, LiesInTheUsersCacheNotInTheSharedTemporaryFolder) {
    const QString path = DocumentFolder::defaultPath();
    EXPECT_FALSE(path.startsWith(QDir::tempPath())) << path.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/documenti"))) << path.toStdString();
}
