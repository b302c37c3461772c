#include "core/model/DesignFlows.h"

#include "core/model/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr QChar UtenzaEnd = u'\n';
constexpr QChar FieldEnd = u'\t';

// What a subtree holds, gathered from its segments up to its head.
struct Gathered {
    bool serves = false;
    double served = 0;  // Σq, ΣVR, ΣLU or Σ kW
    double flowSum = 0; // water: Σq (l/s)
    double largest = 0; // water: the largest single q
    int appliances = 0; // gas
    QString problem;    // the first problem found in the subtree

    void add(const Gathered& below) {
        serves = serves || below.serves;
        served += below.served;
        flowSum += below.flowSum;
        largest = std::max(largest, below.largest);
        appliances += below.appliances;
        if (problem.isEmpty())
            problem = below.problem;
    }
};

// Every segment's own utenze gathered up the tree: a segment's subtree
// holds its own and those of every segment fed through it. The upstream
// segment of a row is always a smaller row, so one pass from the last row
// up carries each subtree to its head.
template <typename Table, typename Own>
std::vector<Gathered> gatherUp(const Table& table, int count, Own own) {
    std::vector<Gathered> g(static_cast<size_t>(count) + 1);
    for (int r = 1; r <= count; ++r)
        g[static_cast<size_t>(r)] = own(r);
    for (int r = count; r >= 1; --r) {
        const int up = table.upstream(r);
        if (up >= 1 && up < r)
            g[static_cast<size_t>(up)].add(g[static_cast<size_t>(r)]);
    }
    return g;
}

// Calls `fn` with the fields of each utenza of a cell (up to three; those
// missing empty), read in place: the design flows read every utenza of
// both networks on each keystroke.
template <typename Fn> void forEachUtenza(const Cell& cell, Fn fn) {
    if (!cell.isText())
        return;
    const QStringView text(cell.textValue());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(UtenzaEnd, start);
        if (end < 0)
            end = text.size();
        if (end > start) {
            std::array<QStringView, 3> fields;
            const QStringView line = text.mid(start, end - start);
            qsizetype from = 0;
            for (size_t f = 0; f < fields.size() && from <= line.size(); ++f) {
                qsizetype to = line.indexOf(FieldEnd, from);
                if (to < 0)
                    to = line.size();
                fields[f] = line.mid(from, to - from);
                from = to + 1;
            }
            fn(fields);
        }
        start = end + 1;
    }
}

// A number as the utenze text writes it (NumberToText: a point, no
// exponent), read without the locale machinery; any other text as the
// program reads a number.
double numberOf(QStringView text) {
    std::array<char, 32> digits{};
    if (text.size() < static_cast<qsizetype>(digits.size())) {
        size_t n = 0;
        for (const QChar c : text) {
            if (c.unicode() > 127)
                break;
            digits[n++] = static_cast<char>(c.unicode());
        }
        double v = 0;
        const char* end = digits.data() + n;
        if (n == static_cast<size_t>(text.size())) {
            const auto [ptr, ec] = std::from_chars(digits.data(), end, v);
            if (ec == std::errc() && ptr == end)
                return v;
        }
    }
    return ReadNumber(text.toString());
}

int countOf(QStringView text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::max(0, n)
              : std::max(0, static_cast<int>(std::lround(ReadNumber(text.toString()))));
}

const FixtureType* typeNamed(const std::vector<FixtureType>& types, QStringView name) {
    const auto it = std::find_if(types.begin(), types.end(),
                                 [&](const FixtureType& t) { return t.name == name; });
    return it == types.end() ? nullptr : &*it;
}

} // namespace

QString WaterFlowMethodName(WaterFlowMethod method) {
    switch (method) {
    case WaterFlowMethod::Din:
        return QStringLiteral("DIN 1988-300");
    case WaterFlowMethod::Curve:
        return QStringLiteral("curva di contemporaneità");
    case WaterFlowMethod::Sum:
        break;
    }
    return QStringLiteral("somma delle portate");
}

std::optional<WaterFlowMethod> WaterFlowMethodNamed(const QString& name) {
    for (const WaterFlowMethod m :
         {WaterFlowMethod::Sum, WaterFlowMethod::Din, WaterFlowMethod::Curve}) {
        if (WaterFlowMethodName(m) == name)
            return m;
    }
    return std::nullopt;
}

QString WaterFlowMethodText(const WaterFlowSettings& settings) {
    const QString name = WaterFlowMethodName(settings.method);
    if (settings.method == WaterFlowMethod::Din) {
        const DinBuilding* b = FindDinBuilding(settings.building);
        return b ? QStringLiteral("%1, %2").arg(name, QString::fromUtf8(b->title)) : name;
    }
    if (settings.method == WaterFlowMethod::Curve && !settings.curve.name.isEmpty())
        return QStringLiteral("%1 «%2»").arg(name, settings.curve.name);
    return name;
}

std::vector<WaterOutlet> WaterOutletsOf(const Cell& cell) {
    std::vector<WaterOutlet> out;
    forEachUtenza(cell, [&](const std::array<QStringView, 3>& f) {
        out.push_back({f[0].toString(), countOf(f[1])});
    });
    return out;
}

std::vector<GasAppliance> GasAppliancesOf(const Cell& cell) {
    std::vector<GasAppliance> out;
    forEachUtenza(cell, [&](const std::array<QStringView, 3>& f) {
        out.push_back({f[0].toString(), numberOf(f[1]), countOf(f[2])});
    });
    return out;
}

QString WaterOutletsText(const std::vector<WaterOutlet>& outlets) {
    QString text;
    for (const WaterOutlet& o : outlets)
        text += o.type + FieldEnd + QString::number(o.count) + UtenzaEnd;
    return text;
}

QString GasAppliancesText(const std::vector<GasAppliance>& appliances) {
    QString text;
    for (const GasAppliance& a : appliances)
        text += a.name + FieldEnd + NumberToText(a.kW) + FieldEnd + QString::number(a.count) +
                UtenzaEnd;
    return text;
}

QString RefuseUtenzaName(const QString& name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("il nome non può essere vuoto.");
    for (const QChar c : name) {
        if (c == u'"' || c.category() == QChar::Other_Control)
            return QStringLiteral("il nome non può contenere le virgolette né caratteri di "
                                  "controllo.");
    }
    return {};
}

DesignFlows WaterDesignFlows(const WaterTable& table, int count, const WaterFlowSettings& s) {
    DesignFlows flows;
    flows.kind = NetworkKind::Water;
    const DinBuilding* building =
        s.method == WaterFlowMethod::Din ? FindDinBuilding(s.building) : nullptr;
    const std::vector<Gathered> g = gatherUp(table, count, [&](int r) {
        Gathered own;
        forEachUtenza(table.at(r, WaterColumn::utenze), [&](const std::array<QStringView, 3>& f) {
            own.serves = true;
            const FixtureType* type = typeNamed(s.types, f[0]);
            if (!type) {
                if (own.problem.isEmpty())
                    own.problem = QStringLiteral("il tipo «%1» del tronco %2 non è tra quelli "
                                                 "del progetto")
                                      .arg(f[0])
                                      .arg(r);
                return;
            }
            const int count = countOf(f[1]);
            own.flowSum += count * type->flowLs;
            own.served +=
                count * (s.method == WaterFlowMethod::Curve ? type->loadingUnits : type->flowLs);
            if (count > 0)
                own.largest = std::max(own.largest, type->flowLs);
        });
        return own;
    });
    flows.rows.resize(static_cast<size_t>(count));
    for (int r = 1; r <= count; ++r) {
        const Gathered& sub = g[static_cast<size_t>(r)];
        SegmentDesignFlow& row = flows.rows[static_cast<size_t>(r - 1)];
        flows.any = flows.any || sub.serves;
        row.serves = sub.serves;
        row.served = sub.served;
        if (!sub.serves)
            continue;
        row.problem = sub.problem;
        if (s.method == WaterFlowMethod::Din && !building)
            row.problem = QStringLiteral("il metodo DIN 1988-300 vuole il tipo di edificio");
        if (s.method == WaterFlowMethod::Curve && !RefuseCurvePoints(s.curve.points).isEmpty())
            row.problem = QStringLiteral("la curva di contemporaneità non è valida");
        if (!row.problem.isEmpty())
            continue;
        switch (s.method) {
        case WaterFlowMethod::Sum:
            row.flow = sub.flowSum;
            break;
        case WaterFlowMethod::Din: {
            // Never more than every fixture at once, never less than the
            // largest of them alone.
            const double peak =
                sub.served > 0 ? building->a * std::pow(sub.served, building->b) - building->c : 0;
            row.flow = std::clamp(peak, sub.largest, std::max(sub.largest, sub.served));
            break;
        }
        case WaterFlowMethod::Curve:
            row.flow = s.curve.flowAt(sub.served);
            break;
        }
    }
    return flows;
}

DesignFlows GasDesignFlows(const GasSegmentTable& table, int count, const GasFlowSettings& s) {
    DesignFlows flows;
    flows.kind = NetworkKind::Gas;
    const std::vector<Gathered> g = gatherUp(table, count, [&](int r) {
        Gathered own;
        forEachUtenza(table.at(r, GasColumn::utenze), [&](const std::array<QStringView, 3>& f) {
            const int count = countOf(f[2]);
            own.serves = true;
            own.served += count * numberOf(f[1]);
            own.appliances += count;
        });
        return own;
    });
    flows.rows.resize(static_cast<size_t>(count));
    for (int r = 1; r <= count; ++r) {
        const Gathered& sub = g[static_cast<size_t>(r)];
        SegmentDesignFlow& row = flows.rows[static_cast<size_t>(r - 1)];
        flows.any = flows.any || sub.serves;
        row.serves = sub.serves;
        row.served = sub.served;
        row.appliances = sub.appliances;
        if (!sub.serves)
            continue;
        // Q (m³/h) = P · 3600 / PCI, the lower heating value of the
        // segment's own gas per cubic metre (LPG's per kilogram times its
        // density).
        const Cell& gasCell = table.at(r, GasColumn::tipoc);
        const QString gas = gasCell.isText() ? gasCell.textValue() : gasCell.displayText();
        const auto type = std::find_if(GasTypes().begin() + 1, GasTypes().end(),
                                       [&](const GasType& t) { return t.name == gas; });
        if (type == GasTypes().end()) {
            row.problem = QStringLiteral("il tronco %1 non ha il tipo di gas").arg(r);
            continue;
        }
        const double perCubicMetre =
            type->name == QLatin1String("GPL") ? type->pci * type->mas : type->pci;
        row.flow = s.coefficientFor(sub.appliances) * sub.served * 3600 / perCubicMetre;
    }
    return flows;
}

ServedMeasure ServedMeasureOf(NetworkKind kind, WaterFlowMethod method) {
    if (kind == NetworkKind::Gas)
        return {QStringLiteral("ΣP"), QStringLiteral("kW")};
    switch (method) {
    case WaterFlowMethod::Din:
        return {QStringLiteral("ΣVR"), QStringLiteral("l/s")};
    case WaterFlowMethod::Curve:
        return {QStringLiteral("ΣUC"), QString()};
    case WaterFlowMethod::Sum:
        break;
    }
    return {QStringLiteral("Σq"), QStringLiteral("l/s")};
}

QString DesignFlowText(double flow) {
    return NumberToText(std::round(flow * 1000) / 1000);
}

bool FlowDiffers(const Cell& typed, double design) {
    return typed.isEmpty() || std::abs(typed.value() - ReadNumber(DesignFlowText(design))) > 1e-9;
}

namespace {

template <typename Table>
std::vector<int> otherFlows(const DesignFlows& flows, const Table& table, int flowColumn) {
    std::vector<int> rows;
    for (int r = 1; r <= flows.count(); ++r) {
        const SegmentDesignFlow& f = flows.row(r);
        if (f.flow && FlowDiffers(table.at(r, flowColumn), *f.flow))
            rows.push_back(r);
    }
    return rows;
}

} // namespace

std::vector<int> RowsWithOtherFlows(const DesignFlows& flows, const WaterTable& water) {
    return otherFlows(flows, water, WaterColumn::port);
}

std::vector<int> RowsWithOtherFlows(const DesignFlows& flows, const GasSegmentTable& gas) {
    return otherFlows(flows, gas, GasColumn::portgas);
}

QString OtherFlowsText(const std::vector<int>& rows) {
    if (rows.empty())
        return {};
    if (rows.size() == 1)
        return QStringLiteral("la portata del tronco %1 non corrisponde alle utenze").arg(rows[0]);
    QStringList numbers;
    for (const int r : rows)
        numbers << QString::number(r);
    return QStringLiteral("le portate dei tronchi %1 non corrispondono alle utenze")
        .arg(numbers.join(QStringLiteral(", ")));
}
