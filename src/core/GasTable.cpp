#include "core/GasTable.h"

#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "core/ProjectFile.h"

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

const GasType* gasTypeOf(const Cell& cell) {
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

} // namespace

QString GasColumnName(int column) {
    static const std::array<const char*, 23> names = {
        "",     "lungh", "tipofi", "portgas", "tipoc", "diam",   "visc", "rey",
        "attr", "vel",   "mas",    "pcs",     "pci",   "perd",   "cu45", "cu90",
        "cu91", "rt",    "rx",     "rs",      "rv",    "luvirt", "monte"};
    return (column >= 1 && column <= GasSegmentTable::Columns) ? QString::fromLatin1(names[column])
                                                               : QString();
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

void SetGasCell(ApplicationState& state, int row, int column, const QString& text) {
    state.gas.at(row, column) = Cell::text(text);
}

bool TypeGasCell(ApplicationState& state, int row, int column, const QString& text) {
    SetGasCell(state, row, column, text);
    switch (column) {
    case GasColumn::tipofi:
        // Without a nominal diameter the internal one goes from the table.
        if (text.isEmpty())
            SetGasCell(state, row, GasColumn::diam, QString());
        return !text.isEmpty();
    case GasColumn::tipoc:
        if (text.isEmpty())
            return false;
        ApplyGasType(state, row);
        return true;
    case GasColumn::diam:
        SetGasCell(state, row, GasColumn::tipofi, MatchInternalDiameter(state, row));
        return true;
    default:
        return true;
    }
}

void PasteGasValue(ApplicationState& state, int row, int column, const QString& text) {
    const QString name = text.trimmed();
    bool compute = true;
    int nominal = -1;
    for (int k = 0; k < NominalDiameterCount && column == GasColumn::tipofi; ++k) {
        if (name.compare(NominalDiameters()[k], Qt::CaseInsensitive) == 0)
            nominal = k;
    }
    int gasType = 0;
    for (int k = 1; k <= 2 && column == GasColumn::tipoc; ++k) {
        if (name.compare(GasTypes()[k].name, Qt::CaseInsensitive) == 0)
            gasType = k;
    }
    if (nominal >= 0)
        ApplyNominalDiameter(state, row, nominal);
    else if (gasType > 0)
        TypeGasCell(state, row, column, GasTypes()[gasType].name);
    else
        compute = TypeGasCell(state, row, column, text);
    if (column == GasColumn::lungh)
        CountGasRows(state);
    if (compute)
        CalculateGasRow(state, row);
}

namespace {

void applyGasType(GasSegmentTable::Row& cells) {
    if (const GasType* type = gasTypeOf(cells[GasColumn::tipoc])) {
        cells[GasColumn::visc].setNumber(type->visc);
        cells[GasColumn::mas].setNumber(type->mas);
        cells[GasColumn::pcs].setNumber(type->pcs);
        cells[GasColumn::pci].setNumber(type->pci);
    }
}

} // namespace

void ApplyGasType(ApplicationState& state, int row) {
    applyGasType(state.gas.row(row));
}

void ApplyNominalDiameter(ApplicationState& state, int row, int index) {
    if (index < 0 || index >= NominalDiameterCount)
        return;
    state.gas.at(row, GasColumn::tipofi) = Cell::text(NominalDiameters()[index]);
    state.gas.at(row, GasColumn::diam) =
        index == 0 ? Cell::emptyText() : Cell::text(NumberToText(InternalDiameters[index]));
}

QString MatchInternalDiameter(const ApplicationState& state, int row) {
    const double d = state.gas.at(row, GasColumn::diam).value();
    QString name = NominalDiameters()[0];
    for (int i = 1; i < NominalDiameterCount; ++i) {
        if (d == InternalDiameters[i])
            name = NominalDiameters()[i];
    }
    return name;
}

bool GasRowComplete(const GasSegmentTable::Row& cells) {
    return !cells[GasColumn::lungh].isEmpty() && !cells[GasColumn::tipofi].isEmpty() &&
           !cells[GasColumn::portgas].isEmpty() && !cells[GasColumn::tipoc].isEmpty() &&
           !cells[GasColumn::diam].isEmpty();
}

GasRowResults ComputeGasRow(const GasSegmentTable::Row& cells, double d) {
    // A type other than "metano" or "GPL" has no properties of its own: the
    // row is computed with the viscosity and density it holds.
    const GasType* type = gasTypeOf(cells[GasColumn::tipoc]);
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

bool CalculateGasRow(ApplicationState& state, int row) {
    GasSegmentTable::Row& cells = state.gas.row(row);
    if (!GasRowComplete(cells))
        return false;
    applyGasType(cells);
    const GasRowResults r = ComputeGasRow(cells, cells[GasColumn::diam].value());
    if (r.virtualLength)
        cells[GasColumn::luvirt].setNumber(*r.virtualLength);
    else
        cells[GasColumn::luvirt] = Cell::emptyText();
    if (r.computable) {
        cells[GasColumn::rey].setNumber(r.rey);
        cells[GasColumn::attr].setNumber(r.attr);
        cells[GasColumn::vel].setNumber(r.vel);
        cells[GasColumn::perd].setNumber(r.perd);
    } else {
        for (const int c : {GasColumn::rey, GasColumn::attr, GasColumn::vel, GasColumn::perd})
            cells[c] = Cell::emptyText();
    }
    return true;
}

void CalculateAllGasRows(ApplicationState& state) {
    for (int r = 1; r <= MaxRows; ++r)
        CalculateGasRow(state, r);
}

double GasTotal(const ApplicationState& state, int lastRow) {
    return state.gas.sum(GasColumn::perd, lastRow);
}

double GasRunningTotal(const ApplicationState& state) {
    return GasTotal(state, state.GasBandTop + BandLines - 1);
}

void CountGasRows(ApplicationState& state) {
    int count = 0;
    for (int r = 1; r <= MaxRows; ++r) {
        if (state.gas.at(r, GasColumn::lungh).value() > 0)
            ++count;
    }
    state.GasRowCount = count;
}

QString GasHint(const ApplicationState& state) {
    return StepHint(state.gasRows(), cellsOf(state.gas), GasRequired);
}

CheckOutcome CheckGasData(ApplicationState& state) {
    return CheckRows(state.gasRows(), state.GasCheckQuiet, cellsOf(state.gas), GasRequired,
                     QStringLiteral("tubazioni trasporto gas"));
}

std::span<const RequiredItem> GasRequiredItems() {
    return GasRequired;
}

CheckOutcome CheckGasTable(const GasSegmentTable& table, int count) {
    int quiet = 1;
    return CheckRows(count, quiet, cellsOf(table), GasRequired, QString());
}

Notice DeleteGasRow(ApplicationState& state, int row) {
    GasSegmentTable& t = state.gas;
    if (t.at(row, GasColumn::lungh).isEmpty() && !IsGapRow(row, cellsOf(t), GasRecordColumns))
        return MissingLengthOnDelete(row);
    // Every following row moves up, counted or not, so that no typed row is
    // left behind a gap.
    t.removeRow(row);
    CountGasRows(state);
    return {};
}

void ClearGasTable(ApplicationState& state) {
    state.GasRowCount = 0;
    for (int r = 1; r <= MaxRows; ++r)
        state.gas.emptyRow(r);
}

std::optional<Notice> RefuseGasLength(const ApplicationState& state, int row, const QString& text) {
    const bool previousEmpty = row > 1 && state.gas.at(row - 1, GasColumn::lungh).isEmpty();
    return RefuseLengthEntry(row, text, previousEmpty, state.gasRows(), GasColumn::lungh);
}
