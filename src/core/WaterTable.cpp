#include "core/WaterTable.h"

#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "core/ProjectFile.h"
#include "core/RowGuide.h"

#include <cmath>

namespace {

constexpr std::array<RequiredItem, 5> WaterRequired = {{
    {WaterColumn::lungh, "digitare la lunghezza.", "- digitare la lunghezza.", WaterColumn::lungh,
     true},
    {WaterColumn::diam, "digitare il diametro del tubo.", "- manca il dato del diametro del tubo.",
     WaterColumn::diam},
    {WaterColumn::port, "digitare la portata.", "- manca il dato della portata del tubo.",
     WaterColumn::port},
    {WaterColumn::tipoc, "scegliere la tipologia del tubo.",
     "- bisogna scegliere la tipologia del tubo.", WaterColumn::tipoc},
    {WaterColumn::sca, "digitare la scabrezza.", "- manca il dato della scabrezza.",
     WaterColumn::sca},
}};

CellAt cellsOf(const WaterTable& table) {
    return [&table](int row, int column) -> const Cell& { return table.at(row, column); };
}

} // namespace

QString WaterColumnName(int column) {
    static const std::array<const char*, 15> names = {"",     "lungh", "diam", "port", "tipoc",
                                                      "sca",  "c45",   "c90",  "c91",  "tes",
                                                      "croc", "sarac", "valv", "perd", "monte"};
    return (column >= 1 && column <= WaterTable::Columns) ? QString::fromLatin1(names[column])
                                                          : QString();
}

const std::array<QString, WallTypeCount + 1>& WallTypeNames() {
    static const std::array<QString, WallTypeCount + 1> names = {
        QString(), QStringLiteral("liscio"), QStringLiteral("corrente"), QStringLiteral("scabro")};
    return names;
}

void StoreWaterCell(ApplicationState& state, int row, int column, const QString& text) {
    state.water.at(row, column) = Cell::text(text);
    if (column == WaterColumn::tipoc && text.isEmpty())
        state.water.at(row, WaterColumn::sca) = Cell::emptyText();
}

void PickWallType(ApplicationState& state, int row, int index) {
    if (index < 1 || index > WallTypeCount) {
        StoreWaterCell(state, row, WaterColumn::tipoc, QString());
        return;
    }
    state.water.at(row, WaterColumn::tipoc) = Cell::text(WallTypeNames()[index]);
    state.water.at(row, WaterColumn::sca) = Cell::text(NumberToText(WallTypeCoefficients[index]));
}

void PasteWaterValue(ApplicationState& state, int row, int column, const QString& text) {
    if (column == WaterColumn::tipoc) {
        for (int k = 1; k <= WallTypeCount; ++k) {
            if (text.trimmed().compare(WallTypeNames()[k], Qt::CaseInsensitive) == 0) {
                PickWallType(state, row, k);
                RecalculateRow(state, row);
                return;
            }
        }
    }
    StoreWaterCell(state, row, column, text);
    // An emptied wall type empties the roughness and computes nothing.
    if (column == WaterColumn::tipoc && text.isEmpty())
        return;
    if (column == WaterColumn::lungh)
        RecountRows(state);
    RecalculateRow(state, row);
}

void RecountRows(ApplicationState& state) {
    int count = 0;
    for (int r = 1; r <= MaxRows; ++r) {
        if (state.water.at(r, WaterColumn::lungh).value() > 0)
            ++count;
    }
    state.WaterRowCount = count;
}

bool WaterRowComplete(const WaterTable::Row& cells) {
    return !cells[WaterColumn::lungh].isEmpty() && !cells[WaterColumn::diam].isEmpty() &&
           !cells[WaterColumn::port].isEmpty() && !cells[WaterColumn::sca].isEmpty();
}

std::optional<double> WaterRowLoss(const WaterTable::Row& cells, double diameterMm) {
    // Fittings as equivalent pipe, added to the length in table order.
    double totalLength = cells[WaterColumn::lungh].value();
    for (int i = 0; i < 7; ++i) {
        const double count = cells[WaterColumn::c45 + i].value();
        totalLength += (count * WaterFittingCoefficients[i]) * diameterMm;
    }
    const double q = cells[WaterColumn::port].value() / 1000.0; // l/s -> m³/s
    const double d = diameterMm / 1000.0;                       // mm -> m
    const double b = cells[WaterColumn::sca].value();
    // Powers by exponentiation, as the formula is written: D⁵ multiplied out
    // rounds differently and moves about one loss in two hundred by a cent.
    const double loss = totalLength * ((b * std::pow(q, 2)) / std::pow(d, 5));
    const double rounded = std::floor(loss * 100.0 + 0.5) / 100.0;
    if (d == 0.0 || !std::isfinite(rounded))
        return std::nullopt;
    return rounded;
}

bool RecalculateRow(ApplicationState& state, int row) {
    WaterTable::Row& cells = state.water.row(row);
    if (!WaterRowComplete(cells))
        return false;
    if (const auto loss = WaterRowLoss(cells, cells[WaterColumn::diam].value()))
        cells[WaterColumn::perd].setNumber(*loss);
    else
        cells[WaterColumn::perd] = Cell::emptyText();
    return true;
}

void RecalculateAllWaterRows(ApplicationState& state) {
    for (int r = 1; r <= MaxRows; ++r)
        RecalculateRow(state, r);
}

double WaterTotal(const ApplicationState& state, int lastRow) {
    return state.water.sum(WaterColumn::perd, lastRow);
}

double WaterRunningTotal(const ApplicationState& state) {
    return WaterTotal(state, state.WaterBandTop + BandLines - 1);
}

Notice DeleteWaterRow(ApplicationState& state, int row) {
    WaterTable& t = state.water;
    if (t.at(row, WaterColumn::lungh).isEmpty() && !IsGapRow(row, cellsOf(t), WaterRecordColumns))
        return MissingLengthOnDelete(row);
    // Every following row moves up, counted or not, so that no typed row is
    // left behind a gap.
    t.removeRow(row);
    RecountRows(state);
    return {};
}

void ClearWaterTable(ApplicationState& state) {
    state.WaterRowCount = 0;
    for (int r = 1; r <= MaxRows; ++r)
        state.water.emptyRow(r);
}

QString WaterHint(const ApplicationState& state) {
    return StepHint(state.waterRows(), cellsOf(state.water), WaterRequired);
}

CheckOutcome CheckWaterData(ApplicationState& state) {
    return CheckRows(state.waterRows(), state.WaterCheckQuiet, cellsOf(state.water), WaterRequired,
                     QStringLiteral("tubazioni trasporto acqua"));
}

std::span<const RequiredItem> WaterRequiredItems() {
    return WaterRequired;
}

CheckOutcome CheckWaterTable(const WaterTable& table, int count) {
    int quiet = 1;
    return CheckRows(count, quiet, cellsOf(table), WaterRequired, QString());
}

std::optional<Notice> RefuseWaterLength(const ApplicationState& state, int row,
                                        const QString& text) {
    const bool previousEmpty = row > 1 && state.water.at(row - 1, WaterColumn::lungh).isEmpty();
    return RefuseLengthEntry(row, text, previousEmpty, state.waterRows(), WaterColumn::lungh);
}
