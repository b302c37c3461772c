#include "core/session/InstallationSettings.h"

#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

namespace {

// An unquoted INI value with commas reads as a list; an address usually has
// commas, so the parts are joined back with a comma and a blank.
QString textValue(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

QStringList InstallationSettingsCandidates() {
    const QString name = QString::fromLatin1(InstallationSettingsFile);
    QStringList candidates{QDir(QCoreApplication::applicationDirPath()).filePath(name)};
    // Named here rather than through the application's own names, so that the
    // program and the command line read the same file.
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        candidates.append(QDir(folder).filePath(QLatin1String(InstallationSettingsFolder) +
                                                QLatin1Char('/') + name));
    return candidates;
}

QString UserInstallationSettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QLatin1String(InstallationSettingsFolder) + QLatin1Char('/') +
                  QLatin1String(InstallationSettingsFile));
}

QString OwnerSettingsTarget(const QStringList& candidates, const QString& userFile) {
    for (const QString& path : candidates) {
        if (path == userFile || QFileInfo(path).isFile())
            return path;
    }
    return userFile;
}

Result<QString> SaveOwnerSettings(const QString& name, const QString& address,
                                  const QStringList& candidates, const QString& userFile) {
    const QString target = OwnerSettingsTarget(candidates, userFile);
    const auto failure = [&target](const QString& why) {
        return QStringLiteral("Impossibile salvare i dati dello studio nel file %1: %2.")
            .arg(QuotedPath(target), why);
    };
    QString source;
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            source = path;
            break;
        }
    }
    const Result<> replaced =
        ReplaceSettingsFile(target, source, failure, [&](QSettings& settings) {
            settings.setValue(QStringLiteral("Owner/Name"), name);
            settings.setValue(QStringLiteral("Owner/Address"), address);
        });
    if (!replaced)
        return FailureOf<QString>(replaced);
    return target;
}

Result<> ReplaceSettingsFile(const QString& target, const QString& source,
                             const std::function<QString(const QString&)>& describe,
                             const std::function<void(QSettings&)>& change) {
    const auto failure = [&](const QString& why) { return Result<>::failure(describe(why)); };
    // The settings are written by QSettings, as they are read, into a copy
    // aside; the copy then replaces the file whole.
    QTemporaryDir work;
    if (!work.isValid())
        return failure(QStringLiteral("manca lo spazio per un file temporaneo"));
    const QString copy = work.filePath(QFileInfo(target).fileName());
    if (!source.isEmpty()) {
        const Result<QByteArray> bytes = ReadRegularFile(source);
        if (!bytes)
            return FailureOf<void>(bytes);
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes.value()) != bytes->size())
            return failure(QStringLiteral("manca lo spazio per un file temporaneo"));
    }
    {
        QSettings settings(copy, QSettings::IniFormat);
        change(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return failure(QStringLiteral("il file delle impostazioni non è leggibile"));
    }
    const Result<QByteArray> written = ReadRegularFile(copy);
    if (!written)
        return FailureOf<void>(written);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return failure(QStringLiteral("la cartella non esiste e non si può creare"));
    const Result<> replaced = ReplaceFile(target, written.value());
    return replaced ? Result<>() : failure(replaced.error());
}

QString LoadOwnerSettings(ApplicationState& state, const QStringList& candidates) {
    state.program.OwnerName.clear();
    state.program.OwnerAddress.clear();
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        QSettings settings(path, QSettings::IniFormat);
        state.program.OwnerName = textValue(settings, QStringLiteral("Owner/Name"));
        state.program.OwnerAddress = textValue(settings, QStringLiteral("Owner/Address"));
        return path;
    }
    return {};
}

std::vector<ProductEntry> LoadProductList(const QStringList& candidates) {
    std::vector<ProductEntry> products;
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        QSettings settings(path, QSettings::IniFormat);
        const int count =
            std::min(settings.beginReadArray(QStringLiteral("Products")), MaxProductEntries);
        for (int i = 0; i < count; ++i) {
            settings.setArrayIndex(i);
            ProductEntry entry{textValue(settings, QStringLiteral("Name")).trimmed(),
                               textValue(settings, QStringLiteral("Description")),
                               textValue(settings, QStringLiteral("Price")),
                               textValue(settings, QStringLiteral("Link")).trimmed()};
            if (!entry.name.isEmpty())
                products.push_back(std::move(entry));
        }
        settings.endArray();
        return products;
    }
    return products;
}
