#include "core/model/WaterTable.h"

#include "core/model/NumberText.h"
#include "core/model/RowGuide.h"

#include <bit>
#include <cmath>
#include <cstdint>

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

// D⁵ by exponentiation. A table's rows share a handful of internal
// diameters (the sizes of its series), and the sizing tries the same few on
// every row: each power is computed once and remembered, the same bits in
// giving the same bits out.
double fifthPower(double d) {
    struct Entry {
        std::uint64_t bits = 0;
        double power = 0;
        bool used = false;
    };
    thread_local std::array<Entry, 16> remembered{};
    const auto bits = std::bit_cast<std::uint64_t>(d);
    Entry& e = remembered[(bits ^ (bits >> 17) ^ (bits >> 35)) & 15];
    if (!e.used || e.bits != bits)
        e = {bits, std::pow(d, 5), true};
    return e.power;
}

} // namespace

const std::array<QString, WallTypeCount + 1>& WallTypeNames() {
    static const std::array<QString, WallTypeCount + 1> names = {
        QString(), QStringLiteral("liscio"), QStringLiteral("corrente"), QStringLiteral("scabro")};
    return names;
}

int CountWaterRows(const WaterTable& table) {
    return table.countAboveZero(WaterColumn::lungh);
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
    const double loss = totalLength * ((b * std::pow(q, 2)) / fifthPower(d));
    const double rounded = std::floor(loss * 100.0 + 0.5) / 100.0;
    if (d == 0.0 || !std::isfinite(rounded))
        return std::nullopt;
    return rounded;
}

QString WaterHint(const WaterTable& table, int count) {
    return StepHint(count, cellsOf(table), WaterRequired);
}

std::span<const RequiredItem> WaterRequiredItems() {
    return WaterRequired;
}

CheckOutcome CheckWaterTable(const WaterTable& table, int count, bool quiet) {
    return CheckRows(count, quiet, cellsOf(table), WaterRequired,
                     QStringLiteral("tubazioni trasporto acqua"));
}
