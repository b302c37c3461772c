#include "core/InstallationSettings.h"

#include "core/ApplicationState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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

QString LoadOwnerSettings(ApplicationState& state, const QStringList& candidates) {
    state.OwnerName.clear();
    state.OwnerAddress.clear();
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile())
            continue;
        QSettings settings(path, QSettings::IniFormat);
        state.OwnerName = textValue(settings, QStringLiteral("Owner/Name"));
        state.OwnerAddress = textValue(settings, QStringLiteral("Owner/Address"));
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
