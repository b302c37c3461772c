#pragma once

#include "core/model/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QSettings;

struct ApplicationState;

// The installation settings: an INI file "tubarex.ini" written when the
// program is installed for a technical office. Group "Owner" holds "Name" and
// "Address", the office shown on the cover page and in the report; group
// "Products" lists the maker's other programs (LoadProductList).
inline constexpr char InstallationSettingsFile[] = "tubarex.ini";

// The folder of the settings inside each configuration folder of the system
// (~/.config/tubarex/tubarex/ on Linux), the same for the program and for
// tubarex-cli.
inline constexpr char InstallationSettingsFolder[] = "tubarex/tubarex";

// Where the settings are looked for, first found wins: beside the executable,
// then in the user's and the system's configuration folders.
QStringList InstallationSettingsCandidates();

// Sets OwnerName and OwnerAddress from the first candidate file that exists;
// both stay empty when none exists or a key is missing. Returns the file read,
// empty when none.
QString LoadOwnerSettings(ApplicationState& state, const QStringList& candidates);

// The user's own settings file (~/.config/tubarex/tubarex/tubarex.ini on
// Linux), one of the candidates; the owner's data are saved there when no
// settings file that the user may change is read before it.
QString UserInstallationSettingsFile();

// The file the owner's data are saved to, so that the program and tubarex-cli
// read them back at once: the file read now (the first candidate that
// exists), unless `userFile` comes before it (a system-wide file, which the
// user's own then overrides) or no candidate exists.
QString OwnerSettingsTarget(const QStringList& candidates, const QString& userFile);

// Writes Name and Address of group "Owner" into OwnerSettingsTarget. The
// other groups and keys of the file read now are kept (a new user file starts
// as a copy of it, so that the product list is not lost), and the file is
// replaced only when written whole. The file written; the failure says why,
// in Italian and naming the file.
Result<QString> SaveOwnerSettings(const QString& name, const QString& address,
                                  const QStringList& candidates, const QString& userFile);

// Writes a settings file whole: the settings of `source` (none when empty)
// changed by `change`, written aside, then put in place of `target` (its
// folder made when missing), so that a failed write leaves the old file.
// The failure is the message of a file that could not be read, or
// `describe` of the reason it could not be written.
Result<> ReplaceSettingsFile(const QString& target, const QString& source,
                             const std::function<QString(const QString&)>& describe,
                             const std::function<void(QSettings&)>& change);

// One of the maker's other programs, listed by the product list window.
struct ProductEntry {
    QString name;
    QString description;
    QString price;
    QString link; // web address of the product page
};

// The most entries the product list reads, whatever the file's "size" says.
inline constexpr int MaxProductEntries = 100;

// Group "Products" of the first candidate file that exists, written as a
// settings array: "size" gives the count, and entry n has the keys
// "n\Name", "n\Description", "n\Price" and "n\Link". Entries without a
// name are left out. Empty when no file exists or it has no such group.
std::vector<ProductEntry> LoadProductList(const QStringList& candidates);
