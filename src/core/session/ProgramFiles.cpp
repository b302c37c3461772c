#include "core/session/ProgramFiles.h"

#include "core/BuildInfo.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList ProgramFileFolders() {
    const QDir bin(QCoreApplication::applicationDirPath());
    QStringList folders{bin.path(),
                        QDir::cleanPath(bin.filePath(QStringLiteral(TUBAREX_DATA_FROM_BIN)))};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir(data).filePath(QStringLiteral("tubarex"));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QString FindProgramFile(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return folders.isEmpty() ? name : QDir(folders.first()).filePath(name);
}

QString ProgramVersionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(TUBAREX_VERSION_MAJOR)
        .arg(TUBAREX_VERSION_MINOR, 2, 10, QLatin1Char('0'))
        .arg(TUBAREX_VERSION_PATCH, 2, 10, QLatin1Char('0'));
}

QString ProgramDateText() {
    return QDate::fromString(QStringLiteral(TUBAREX_RELEASE_DATE), Qt::ISODate)
        .toString(QStringLiteral("dd-MM-yyyy"));
}
