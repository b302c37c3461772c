#include "core/session/UserSeries.h"

#include "core/editing/BlockPaste.h"
#include "core/file/SafeFile.h"
#include "core/model/NumberText.h"
#include "core/session/InstallationSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

const QString Group = QStringLiteral("SerieAcqua");

// A list typed in the editor: parts separated by ";", blanks around them
// dropped, empty parts left out.
QStringList parts(const QString& text) {
    QStringList out;
    for (const QString& part : text.split(u';')) {
        if (!part.trimmed().isEmpty())
            out << part.trimmed();
    }
    return out;
}

} // namespace

QString UserSeriesFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QLatin1String(InstallationSettingsFolder) + QStringLiteral("/serie-acqua.ini"));
}

std::vector<PipeSeries> LoadUserSeries(const QString& path) {
    std::vector<PipeSeries> series;
    if (!QFileInfo(path).isFile())
        return series;
    QSettings settings(path, QSettings::IniFormat);
    const int count = settings.beginReadArray(Group);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        // A value with commas reads as a list: its parts are joined back.
        const auto text = [&](const char* key) {
            return settings.value(QLatin1String(key)).toStringList().join(u',');
        };
        std::vector<PipeSeries> known = ShippedWaterSeries();
        known.insert(known.end(), series.begin(), series.end());
        Result<PipeSeries> read =
            ReadSeries(text("Nome"), text("Diametri"), text("Misure"), text("Prezzi"), known);
        if (read)
            series.push_back(std::move(read).value());
    }
    settings.endArray();
    return series;
}

Result<> SaveUserSeries(const QString& path, const std::vector<PipeSeries>& series) {
    const auto failure = [&path](const QString& why) {
        return QStringLiteral("Impossibile salvare le serie di tubi nel file %1: %2.")
            .arg(QuotedPath(path), why);
    };
    return ReplaceSettingsFile(path, QString(), failure, [&](QSettings& settings) {
        settings.beginWriteArray(Group, static_cast<int>(series.size()));
        for (size_t i = 0; i < series.size(); ++i) {
            settings.setArrayIndex(static_cast<int>(i));
            settings.setValue(QStringLiteral("Nome"), series[i].name);
            settings.setValue(QStringLiteral("Diametri"), DiametersText(series[i]));
            settings.setValue(QStringLiteral("Misure"), LabelsText(series[i]));
            if (!series[i].prices.empty())
                settings.setValue(QStringLiteral("Prezzi"), PricesText(series[i]));
        }
        settings.endArray();
    });
}

std::vector<PipeSeries> WaterSeriesCatalogue(const QString& userFile) {
    std::vector<PipeSeries> all = ShippedWaterSeries();
    for (PipeSeries& s : LoadUserSeries(userFile))
        all.push_back(std::move(s));
    return all;
}

Result<PipeSeries> ReadSeries(const QString& name, const QString& diameters, const QString& labels,
                              const QString& prices, const std::vector<PipeSeries>& others) {
    const auto failure = [](const QString& why) { return Result<PipeSeries>::failure(why); };
    PipeSeries series;
    series.name = name.trimmed();
    if (series.name.isEmpty())
        return failure(QStringLiteral("La serie deve avere un nome."));
    if (!FileCanHoldValue(series.name))
        return failure(
            QStringLiteral("Il nome della serie contiene un carattere che il file dati non può "
                           "contenere (le virgolette \" o un simbolo estraneo alla codifica "
                           "Windows-1252)."));
    if (FindSeries(others, series.name))
        return failure(QStringLiteral("Esiste già una serie di nome «%1».").arg(series.name));
    for (const QString& part : parts(diameters)) {
        const double value = ReadTypedNumber(part).value_or(0);
        if (!(value > 0))
            return failure(
                QStringLiteral("«%1» non è un diametro: i diametri interni sono numeri maggiori "
                               "di zero, in millimetri, separati da punto e virgola.")
                    .arg(part));
        series.diameters.push_back(value);
    }
    if (series.diameters.size() < 2)
        return failure(
            QStringLiteral("La serie deve avere almeno due diametri interni, separati da punto "
                           "e virgola."));
    series.labels = parts(labels);
    if (!series.labels.isEmpty() &&
        series.labels.size() != static_cast<qsizetype>(series.diameters.size()))
        return failure(
            QStringLiteral("Le misure commerciali sono %1 e i diametri %2: ne serve una per "
                           "diametro, oppure nessuna.")
                .arg(series.labels.size())
                .arg(series.diameters.size()));
    for (const QString& part : parts(prices)) {
        const double value = ReadTypedNumber(part).value_or(-1);
        if (!(value >= 0))
            return failure(
                QStringLiteral("«%1» non è un prezzo: i prezzi sono numeri non negativi, in euro "
                               "al metro, con la virgola o il punto decimale, separati da punto "
                               "e virgola.")
                    .arg(part));
        series.prices.push_back(value);
    }
    if (!series.prices.empty() && series.prices.size() != series.diameters.size())
        return failure(QStringLiteral("I prezzi sono %1 e i diametri %2: ne serve uno per "
                                      "diametro, oppure nessuno.")
                           .arg(series.prices.size())
                           .arg(series.diameters.size()));
    // The sizes in ascending order, each label and price with its diameter.
    std::vector<size_t> order(series.diameters.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return series.diameters[a] < series.diameters[b]; });
    PipeSeries sorted{series.name, {}, {}, false};
    for (const size_t i : order) {
        if (!sorted.diameters.empty() && sorted.diameters.back() == series.diameters[i])
            return failure(QStringLiteral("Il diametro %1 è dato due volte.")
                               .arg(NumberToText(series.diameters[i])));
        sorted.diameters.push_back(series.diameters[i]);
        if (!series.labels.isEmpty())
            sorted.labels << series.labels[static_cast<qsizetype>(i)];
        if (!series.prices.empty())
            sorted.prices.push_back(series.prices[i]);
    }
    return sorted;
}
