#pragma once

#include "core/model/Result.h"

#include <QDateTime>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QLockFile;
struct ApplicationState;
enum class ProjectEvent;

// The copy of unsaved work. Soon after any change to the project (either
// table or the cover record) the whole project is written, in the data
// file's own format and atomically, to this run's copy in a folder private
// to the user; a save or an open (the project is a file again) and the
// confirmed exit remove it. Each run has a copy of its own and holds a lock
// beside it for as long as it lives, so a run that did not end through the
// exit question (a crash, a killed process, a power cut) leaves a copy whose
// lock nobody holds, which the next run finds and offers. The copy of a run
// that is still alive is never offered to another. Beside the copy, a small
// text file names the data file the project belongs to, when it has one.
class RecoveryCopy {
public:
    // Milliseconds from a change to the copy that holds it: the first change
    // starts the wait and later ones join it, so that steady typing still
    // reaches the copy within two seconds.
    static constexpr int Delay = 1000;

    // "recupero" in the user's application data folder
    // (QStandardPaths::AppLocalDataLocation: ~/.local/share/tubarex/tubarex
    // on Linux).
    static QString defaultFolder();

    RecoveryCopy(ApplicationState& state, QString folder);
    // Releases the lock; the copy stays, for the run is ending without the
    // exit question.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Makes the folder ready, takes this run's lock and starts listening to
    // the project. The failure says why the folder cannot be used: the
    // program then runs without a copy.
    Result<> start();

    // This run's copy (it exists only while there is unsaved work).
    QString path() const;
    // Writes the copy now; false when it could not be written (the
    // previous copy, if any, stays).
    bool write();
    void remove();

    // A copy left by a run that is no longer alive. It stays claimed (its
    // lock held by this run, so that no other run offers it) until released.
    struct Leftover {
        QString path;
        QDateTime written;
        QString projectFile; // the data file it belongs to; empty when none
    };
    // The copies left by runs that are no longer alive, newest first.
    std::vector<Leftover> claimLeftovers();
    // Gives a claimed copy up, removing it when `discard`.
    void release(const Leftover& leftover, bool discard);

private:
    void projectEvent(ProjectEvent event);

    ApplicationState& m_state;
    QString m_folder;
    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, std::unique_ptr<QLockFile>> m_claimed;
    QTimer m_timer;
    int m_listener = 0;
    bool m_abandoned = false;
};
