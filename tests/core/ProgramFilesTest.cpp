#include "core/session/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ProgramFiles, FirstFolderHoldingTheFileWins) {
    QTemporaryDir root;
    const QString beside = root.filePath(QStringLiteral("bin"));
    const QString installed = root.filePath(QStringLiteral("share/tubarex"));
    const QString system = root.filePath(QStringLiteral("usr/share/tubarex"));
    const QStringList folders{beside, installed, system};
    for (const QString& folder : folders)
        QDir().mkpath(folder);
    const auto place = [](const QString& folder) {
        QFile file(QDir(folder).filePath(QStringLiteral("Sigla.mid")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };

    // Nowhere yet: the name beside the executable, for the message.
    EXPECT_EQ(FindProgramFile(QStringLiteral("Sigla.mid"), folders),
              QDir(beside).filePath(QStringLiteral("Sigla.mid")));
    // A folder of that name is not the file.
    QDir(system).mkdir(QStringLiteral("Sigla.mid"));
    EXPECT_EQ(FindProgramFile(QStringLiteral("Sigla.mid"), folders),
              QDir(beside).filePath(QStringLiteral("Sigla.mid")));
    for (const QString& folder : {installed, beside}) {
        place(folder);
        EXPECT_EQ(FindProgramFile(QStringLiteral("Sigla.mid"), folders),
                  QDir(folder).filePath(QStringLiteral("Sigla.mid")));
    }
}
