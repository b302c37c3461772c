#include "core/model/FlowSettings.h"

#include <algorithm>
#include <cmath>

namespace {

FixtureCatalogue en806() {
    // Outlet flow QA (l/s) and loading units LU; 1 LU = 0.1 l/s.
    const auto type = [](const char* name, double q, double lu) {
        return FixtureType{QString::fromUtf8(name), q, lu, std::nullopt};
    };
    return {QStringLiteral("EN 806-3"),
            {type("lavabo", 0.1, 1), type("lavamani", 0.1, 1), type("bidet", 0.1, 1),
             type("vaso a cassetta", 0.1, 1), type("lavello", 0.2, 2), type("lavatrice", 0.2, 2),
             type("lavastoviglie", 0.2, 2), type("doccia", 0.2, 2),
             type("orinatoio con flussometro", 0.3, 3), type("vasca domestica", 0.4, 4),
             type("rubinetto da giardino o garage", 0.5, 5),
             type("lavello o vasca non domestici DN 20", 0.8, 8),
             type("flussometro DN 20", 1.5, 15)},
            true};
}

FixtureCatalogue din1988() {
    // Design flows VR (l/s); the method counts no loading units.
    const auto type = [](const char* name, double q) {
        return FixtureType{QString::fromUtf8(name), q, 0, std::nullopt};
    };
    return {QStringLiteral("DIN 1988-300"),
            {type("lavabo", 0.07), type("lavello", 0.07), type("bidet", 0.07),
             type("vaso a cassetta", 0.13), type("doccia", 0.15), type("vasca", 0.15),
             type("lavatrice", 0.15), type("lavastoviglie", 0.15),
             type("rubinetto da giardino", 0.25), type("orinatoio con flussometro", 0.30)},
            true};
}

} // namespace

const std::vector<FixtureCatalogue>& ShippedFixtureCatalogues() {
    static const std::vector<FixtureCatalogue> catalogues = {en806(), din1988()};
    return catalogues;
}

const FixtureType* FindFixtureType(const std::vector<FixtureType>& types, const QString& name) {
    const auto it = std::find_if(types.begin(), types.end(),
                                 [&](const FixtureType& t) { return t.name == name; });
    return it == types.end() ? nullptr : &*it;
}

double FlowCurve::flowAt(double units) const {
    if (points.empty() || units <= 0)
        return 0;
    const CurvePoint& first = points.front();
    if (units <= first.units || points.size() == 1)
        return first.flowLs * units / first.units;
    // The two points whose power law holds at `units`: its neighbours, or
    // the last two above the last.
    size_t i = 1;
    while (i + 1 < points.size() && units > points[i].units)
        ++i;
    const CurvePoint& a = points[i - 1];
    const CurvePoint& b = points[i];
    const double exponent = std::log(b.flowLs / a.flowLs) / std::log(b.units / a.units);
    return a.flowLs * std::pow(units / a.units, exponent);
}

QString RefuseCurvePoints(const std::vector<CurvePoint>& points) {
    if (points.empty())
        return QStringLiteral("la curva non ha punti.");
    for (size_t i = 0; i < points.size(); ++i) {
        const CurvePoint& p = points[i];
        if (!(p.units > 0) || !(p.flowLs > 0))
            return QStringLiteral("il punto %1 deve avere unità di carico e portata maggiori di "
                                  "zero.")
                .arg(i + 1);
        if (i > 0 && !(p.units > points[i - 1].units))
            return QStringLiteral("le unità di carico del punto %1 devono superare quelle del "
                                  "punto precedente.")
                .arg(i + 1);
        if (i > 0 && p.flowLs < points[i - 1].flowLs)
            return QStringLiteral("la portata del punto %1 non può essere minore di quella del "
                                  "punto precedente.")
                .arg(i + 1);
    }
    return {};
}

const std::vector<DinBuilding>& DinBuildings() {
    static const std::vector<DinBuilding> buildings = {
        {"abitazioni", "abitazioni, residenze assistite e per anziani", 1.48, 0.19, 0.94},
        {"reparti di degenza ospedalieri", "reparti di degenza ospedalieri", 0.75, 0.44, 0.18},
        {"alberghi", "alberghi", 0.70, 0.48, 0.13},
        {"scuole e uffici", "scuole e uffici", 0.91, 0.31, 0.38},
        {"case di cura", "case di cura", 1.40, 0.14, 0.92},
    };
    return buildings;
}

const DinBuilding* FindDinBuilding(const QString& name) {
    for (const DinBuilding& b : DinBuildings()) {
        if (name == QString::fromUtf8(b.name))
            return &b;
    }
    return nullptr;
}

double GasFlowSettings::coefficientFor(int appliances) const {
    double coefficient = 1;
    for (const SimultaneityStep& step : simultaneity) {
        if (step.appliances > appliances)
            break;
        coefficient = step.coefficient;
    }
    return coefficient;
}
