#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// For its lifetime, no file this process writes may grow past `bytes`: a
// write that would cross the limit comes up short, then fails, as on a disk
// that fills up. The signal the system sends at the limit is ignored, as the
// programs ignore it. Does nothing where there are no such limits.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes) {
#ifdef Q_OS_UNIX
        getrlimit(RLIMIT_FSIZE, &m_limit);
        rlimit small = m_limit;
        small.rlim_cur = static_cast<rlim_t>(bytes);
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
#else
        (void)bytes;
#endif
    }
    ~FileSizeLimit() {
#ifdef Q_OS_UNIX
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_oldHandler);
#endif
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit is in force (false on systems without one).
    bool active() const {
        return m_active;
    }

private:
    bool m_active = false;
#ifdef Q_OS_UNIX
    rlimit m_limit{};
    void (*m_oldHandler)(int) = nullptr;
#endif
};
