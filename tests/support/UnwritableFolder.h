#pragma once

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>

#include <memory>

// Makes writes to `folder` fail: a folder without write permission, or, for
// a user whom permissions do not stop, a file-size limit below the package.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& folder)
        : m_folder(folder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(QDir(folder).filePath(QStringLiteral("prova")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            m_limit = std::make_unique<FileSizeLimit>(64);
        }
    }
    ~UnwritableFolder() {
        m_limit.reset();
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_folder;
    std::unique_ptr<FileSizeLimit> m_limit;
};
