#pragma once

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

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
#ifdef Q_OS_UNIX
            getrlimit(RLIMIT_FSIZE, &m_limit);
            rlimit small = m_limit;
            small.rlim_cur = 64;
            setrlimit(RLIMIT_FSIZE, &small);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            m_limited = true;
#endif
        }
    }
    ~UnwritableFolder() {
#ifdef Q_OS_UNIX
        if (m_limited) {
            setrlimit(RLIMIT_FSIZE, &m_limit);
            std::signal(SIGXFSZ, m_oldHandler);
        }
#endif
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_folder;
#ifdef Q_OS_UNIX
    bool m_limited = false;
    rlimit m_limit{};
    void (*m_oldHandler)(int) = nullptr;
#endif
};
