#include "core/session/UserFlowCatalogue.h"

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

const QString TypesGroup = QStringLiteral("TipiUtenze");
const QString CurvesGroup = QStringLiteral("Curve");

QString nameRefusal(const QString& name, const QString& what) {
    if (name.isEmpty())
        return QStringLiteral("%1 deve avere un nome.").arg(what);
    if (!FileCanHoldValue(name) || name.contains(u'\t') || name.contains(u'\n'))
        return QStringLiteral("Il nome contiene un carattere che il file dati non può contenere "
                              "(le virgolette \" o un simbolo estraneo alla codifica "
                              "Windows-1252).");
    return {};
}

// A value of a settings array: a value with commas reads as a list, whose
// parts are joined back.
QString settingsText(const QSettings& settings, const char* key) {
    return settings.value(QLatin1String(key)).toStringList().join(u',');
}

} // namespace

QString UserFlowCatalogueFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QLatin1String(InstallationSettingsFolder) + QStringLiteral("/utenze-acqua.ini"));
}

UserFlowCatalogue LoadUserFlowCatalogue(const QString& path) {
    UserFlowCatalogue catalogue;
    if (!QFileInfo(path).isFile())
        return catalogue;
    QSettings settings(path, QSettings::IniFormat);
    const int types = settings.beginReadArray(TypesGroup);
    for (int i = 0; i < types; ++i) {
        settings.setArrayIndex(i);
        Result<FixtureType> read =
            ReadFixtureType(settingsText(settings, "Nome"), settingsText(settings, "Portata"),
                            settingsText(settings, "UnitaCarico"),
                            settingsText(settings, "PressioneMinima"), catalogue.types);
        if (read)
            catalogue.types.push_back(std::move(read).value());
    }
    settings.endArray();
    const int curves = settings.beginReadArray(CurvesGroup);
    for (int i = 0; i < curves; ++i) {
        settings.setArrayIndex(i);
        Result<FlowCurve> read = ReadFlowCurve(settingsText(settings, "Nome"),
                                               settingsText(settings, "Punti"), catalogue.curves);
        if (read)
            catalogue.curves.push_back(std::move(read).value());
    }
    settings.endArray();
    return catalogue;
}

Result<> SaveUserFlowCatalogue(const QString& path, const UserFlowCatalogue& catalogue) {
    const auto failure = [&path](const QString& why) {
        return QStringLiteral("Impossibile salvare i tipi di utenza nel file %1: %2.")
            .arg(QuotedPath(path), why);
    };
    return ReplaceSettingsFile(path, QString(), failure, [&](QSettings& settings) {
        settings.beginWriteArray(TypesGroup, static_cast<int>(catalogue.types.size()));
        for (size_t i = 0; i < catalogue.types.size(); ++i) {
            const FixtureType& t = catalogue.types[i];
            settings.setArrayIndex(static_cast<int>(i));
            settings.setValue(QStringLiteral("Nome"), t.name);
            settings.setValue(QStringLiteral("Portata"), NumberToText(t.flowLs));
            settings.setValue(QStringLiteral("UnitaCarico"), NumberToText(t.loadingUnits));
            settings.setValue(QStringLiteral("PressioneMinima"),
                              t.minPressureKPa ? NumberToText(*t.minPressureKPa) : QString());
        }
        settings.endArray();
        settings.beginWriteArray(CurvesGroup, static_cast<int>(catalogue.curves.size()));
        for (size_t i = 0; i < catalogue.curves.size(); ++i) {
            settings.setArrayIndex(static_cast<int>(i));
            settings.setValue(QStringLiteral("Nome"), catalogue.curves[i].name);
            settings.setValue(QStringLiteral("Punti"), CurvePointsText(catalogue.curves[i]));
        }
        settings.endArray();
    });
}

Result<FixtureType> ReadFixtureType(const QString& name, const QString& flowLs,
                                    const QString& loadingUnits, const QString& minPressureKPa,
                                    const std::vector<FixtureType>& others) {
    const auto failure = [](const QString& why) { return Result<FixtureType>::failure(why); };
    FixtureType type;
    type.name = name.trimmed();
    if (const QString why = nameRefusal(type.name, QStringLiteral("Il tipo")); !why.isEmpty())
        return failure(why);
    if (FindFixtureType(others, type.name))
        return failure(QStringLiteral("Esiste già un tipo di nome «%1».").arg(type.name));
    const std::optional<double> q = ReadTypedNumber(flowLs);
    if (!q || !(*q > 0))
        return failure(QStringLiteral("«%1» non è una portata: la portata è un numero maggiore "
                                      "di zero, in l/s.")
                           .arg(flowLs.trimmed()));
    type.flowLs = *q;
    const std::optional<double> u =
        loadingUnits.trimmed().isEmpty() ? std::optional<double>(0) : ReadTypedNumber(loadingUnits);
    if (!u || *u < 0)
        return failure(QStringLiteral("«%1» non sono unità di carico: un numero non negativo.")
                           .arg(loadingUnits.trimmed()));
    type.loadingUnits = *u;
    if (!minPressureKPa.trimmed().isEmpty()) {
        const std::optional<double> p = ReadTypedNumber(minPressureKPa);
        if (!p || !(*p > 0))
            return failure(QStringLiteral("«%1» non è una pressione: la pressione minima è un "
                                          "numero maggiore di zero, in kPa, oppure nulla.")
                               .arg(minPressureKPa.trimmed()));
        type.minPressureKPa = *p;
    }
    return type;
}

Result<FlowCurve> ReadFlowCurve(const QString& name, const QString& points,
                                const std::vector<FlowCurve>& others) {
    const auto failure = [](const QString& why) { return Result<FlowCurve>::failure(why); };
    FlowCurve curve;
    curve.name = name.trimmed();
    if (const QString why = nameRefusal(curve.name, QStringLiteral("La curva")); !why.isEmpty())
        return failure(why);
    if (std::any_of(others.begin(), others.end(),
                    [&](const FlowCurve& c) { return c.name == curve.name; }))
        return failure(QStringLiteral("Esiste già una curva di nome «%1».").arg(curve.name));
    for (const QString& part : points.split(u';', Qt::SkipEmptyParts)) {
        const QStringList pair = part.simplified().split(u' ');
        const std::optional<double> u = pair.size() == 2 ? ReadTypedNumber(pair[0]) : std::nullopt;
        const std::optional<double> q = pair.size() == 2 ? ReadTypedNumber(pair[1]) : std::nullopt;
        if (!u || !q)
            return failure(QStringLiteral("«%1» non è un punto: ogni punto è dato dalle unità di "
                                          "carico e dalla portata in l/s, separate da uno "
                                          "spazio; i punti sono separati da punto e virgola.")
                               .arg(part.trimmed()));
        curve.points.push_back({*u, *q});
    }
    if (const QString why = RefuseCurvePoints(curve.points); !why.isEmpty())
        return failure(QStringLiteral("Nella curva %1").arg(why));
    return curve;
}

QString CurvePointsText(const FlowCurve& curve) {
    QStringList points;
    for (const CurvePoint& p : curve.points)
        points << NumberToText(p.units) + u' ' + NumberToText(p.flowLs);
    return points.join(QStringLiteral("; "));
}

Result<std::vector<SimultaneityStep>> ReadSimultaneity(const QString& steps) {
    using Steps = std::vector<SimultaneityStep>;
    Steps table;
    for (const QString& part : steps.split(u';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty())
            continue;
        const QStringList pair = part.simplified().split(u' ');
        const std::optional<double> n = pair.size() == 2 ? ReadTypedNumber(pair[0]) : std::nullopt;
        const std::optional<double> c = pair.size() == 2 ? ReadTypedNumber(pair[1]) : std::nullopt;
        if (!n || !c || *n < 1 || *n > 99999 || *n != std::floor(*n) || !(*c > 0) || *c > 1)
            return Result<Steps>::failure(
                QStringLiteral("«%1» non è un passo della contemporaneità: il numero intero di "
                               "apparecchi serviti e il coefficiente (maggiore di zero, al più 1), "
                               "separati da uno spazio; i passi sono separati da punto e virgola.")
                    .arg(part.trimmed()));
        const int appliances = static_cast<int>(*n);
        if (!table.empty() && appliances <= table.back().appliances)
            return Result<Steps>::failure(
                QStringLiteral("Nella contemporaneità il numero di apparecchi deve crescere da un "
                               "passo al successivo (%1 dopo %2).")
                    .arg(appliances)
                    .arg(table.back().appliances));
        table.push_back({appliances, *c});
    }
    return table;
}

QString SimultaneityText(const std::vector<SimultaneityStep>& steps) {
    QStringList parts;
    for (const SimultaneityStep& s : steps)
        parts << QString::number(s.appliances) + u' ' + NumberToText(s.coefficient);
    return parts.join(QStringLiteral("; "));
}

CatalogueGaps CatalogueGapsOf(const ProjectExtension& project, const UserFlowCatalogue& user,
                              const std::vector<PipeSeries>& seriesCatalogue) {
    CatalogueGaps gaps;
    const auto held = [&](const FixtureType& type) {
        const auto same = [&](const FixtureType& t) { return t == type; };
        if (std::any_of(user.types.begin(), user.types.end(), same))
            return true;
        return std::any_of(ShippedFixtureCatalogues().begin(), ShippedFixtureCatalogues().end(),
                           [&](const FixtureCatalogue& c) {
                               return std::any_of(c.types.begin(), c.types.end(), same);
                           });
    };
    for (const FixtureType& type : project.waterFlows.types) {
        if (!held(type) && !FindFixtureType(user.types, type.name))
            gaps.types.push_back(type);
    }
    const FlowCurve& curve = project.waterFlows.curve;
    if (project.waterFlows.method == WaterFlowMethod::Curve && !curve.points.empty() &&
        std::none_of(user.curves.begin(), user.curves.end(),
                     [&](const FlowCurve& c) { return c.name == curve.name; }))
        gaps.curve = curve;
    const PipeSeries& series = project.waterSeriesPipes;
    if (!series.diameters.empty() && !FindSeries(seriesCatalogue, series.name))
        gaps.series = series;
    return gaps;
}

void AddGaps(const CatalogueGaps& gaps, UserFlowCatalogue& user,
             std::vector<PipeSeries>& userSeries) {
    user.types.insert(user.types.end(), gaps.types.begin(), gaps.types.end());
    if (gaps.curve)
        user.curves.push_back(*gaps.curve);
    if (gaps.series) {
        PipeSeries series = *gaps.series;
        series.shipped = false;
        userSeries.push_back(series);
    }
}
