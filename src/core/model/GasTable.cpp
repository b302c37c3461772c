#include "core/model/GasTable.h"

#include "core/model/NumberText.h"
#include "core/model/RowGuide.h"

#include <cmath>

namespace {

// The nominal diameter missing sends the focus to the internal diameter box,
// which is where the user types a pipe that is not in the series.
constexpr std::array<RequiredItem, 4> GasRequired = {{
    {GasColumn::lungh, "digitare la lunghezza.", "- digitare la lunghezza.", GasColumn::lungh,
     true},
    {GasColumn::tipofi, "scegliere il diametro nominale del tubo.",
     "- manca il dato del diametro del tubo.", GasColumn::diam},
    {GasColumn::portgas, "digitare la portata.", "- manca il dato della portata del tubo.",
     GasColumn::portgas},
    {GasColumn::tipoc, "scegliere la tipologia del tubo.",
     "- bisogna scegliere la tipologia del tubo.", GasColumn::tipoc},
}};

CellAt cellsOf(const GasSegmentTable& table) {
    return [&table](int row, int column) -> const Cell& { return table.at(row, column); };
}

} // namespace

const GasType* GasTypeNamed(const Cell& cell) {
    if (!cell.isText())
        return nullptr;
    // Asked for every segment computed: the table is looked up once.
    static const std::array<GasType, 3>& types = GasTypes();
    for (int i = 1; i <= 2; ++i) {
        if (types[i].name == cell.textValue())
            return &types[i];
    }
    return nullptr;
}

const std::array<QString, NominalDiameterCount>& NominalDiameters() {
    static const std::array<QString, NominalDiameterCount> names = {
        QStringLiteral("ND"),      QStringLiteral("3/8''"), QStringLiteral("1/2''"),
        QStringLiteral("3/4''"),   QStringLiteral("1''"),   QStringLiteral("1 1/4''"),
        QStringLiteral("1 1/2''"), QStringLiteral("2''"),   QStringLiteral("2 1/2''"),
        QStringLiteral("3''"),     QStringLiteral("4''"),   QStringLiteral("5''"),
        QStringLiteral("6''")};
    return names;
}

const std::array<GasType, 3>& GasTypes() {
    static const std::array<GasType, 3> types = {{
        {QString(), 0.0, 0.0, 0.0, 0.0},
        {QStringLiteral("metano"), 1.51E-05, 0.72, 38160, 34425},
        {QStringLiteral("GPL"), 1.2E-05, 2.15, 46800, 40100},
    }};
    return types;
}

int CountGasRows(const GasSegmentTable& table) {
    return table.countAboveZero(GasColumn::lungh);
}

bool GasRowComplete(const GasSegmentTable::Row& cells) {
    return !cells[GasColumn::lungh].isEmpty() && !cells[GasColumn::tipofi].isEmpty() &&
           !cells[GasColumn::portgas].isEmpty() && !cells[GasColumn::tipoc].isEmpty() &&
           !cells[GasColumn::diam].isEmpty();
}

GasRowResults ComputeGasRow(const GasSegmentTable::Row& cells, double d) {
    return ComputeGasRow(cells, d, GasTypeNamed(cells[GasColumn::tipoc]));
}

GasRowResults ComputeGasRow(const GasSegmentTable::Row& cells, double d, const GasType* type) {
    // A type other than "metano" or "GPL" has no properties of its own: the
    // row is computed with the viscosity and density it holds.
    const double nu = type ? type->visc : cells[GasColumn::visc].value();
    const double rho = type ? type->mas : cells[GasColumn::mas].value();

    GasRowResults out;
    double virtualLength = cells[GasColumn::lungh].value();
    for (int i = 0; i < 7; ++i)
        virtualLength += cells[GasColumn::cu45 + i].value() * GasFittingCoefficients[i] * d;
    const double lv = std::floor(virtualLength * 100.0 + 0.5) / 100.0;
    if (std::isfinite(lv))
        out.virtualLength = lv;

    const double q = cells[GasColumn::portgas].value(); // m³/h
    const double dm = d / 1000.0;                       // m

    // 354 stands for 4e6 / (3600 pi): flow in m³/h to velocity times diameter.
    out.rey = (q / 1000000.0 * 354.0) / (nu * dm);
    out.attr = 0.0072 + 0.612 / std::pow(out.rey, 0.35) + (2.9e-5 * std::pow(out.rey, 0.109)) / dm;
    // 2827 stands for 3600 pi / 4: m³/h through a circle of diameter D in m/s.
    out.vel = q / (2827.0 * dm * dm);
    const double loss = lv * rho * out.attr * out.vel * out.vel / (200.0 * dm);
    out.perd = std::floor(loss * 10000.0 + 0.5) / 10000.0;
    out.computable = q != 0.0 && dm != 0.0 && nu != 0.0 && std::isfinite(out.rey) &&
                     std::isfinite(out.attr) && std::isfinite(out.vel) && std::isfinite(out.perd);
    return out;
}

std::optional<double> GasRowLoss(const GasSegmentTable::Row& cells, double diameterMm) {
    const GasRowResults r = ComputeGasRow(cells, diameterMm);
    return r.computable ? std::optional<double>(r.perd) : std::nullopt;
}

QString GasHint(const GasSegmentTable& table, int count) {
    return StepHint(count, cellsOf(table), GasRequired);
}

std::span<const RequiredItem> GasRequiredItems() {
    return GasRequired;
}

CheckOutcome CheckGasTable(const GasSegmentTable& table, int count, bool quiet) {
    return CheckRows(count, quiet, cellsOf(table), GasRequired,
                     QStringLiteral("tubazioni trasporto gas"));
}
