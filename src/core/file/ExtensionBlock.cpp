#include "core/file/ExtensionBlock.h"

#include "core/file/RecordForm.h"
#include "core/file/SafeFile.h"
#include "core/file/Windows1252.h"
#include "core/model/DesignFlows.h"
#include "core/model/NumberText.h"
#include "core/model/Project.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString WaterUpstreamKey = QStringLiteral("tronchi a monte acqua");
const QString GasUpstreamKey = QStringLiteral("tronchi a monte gas");
const QString WaterLimitsKey = QStringLiteral("limiti acqua");
const QString GasLimitsKey = QStringLiteral("limiti gas");
const QString ReportKey = QStringLiteral("verifica nella relazione");
const QString SeriesKey = QStringLiteral("serie acqua");
const QString SeriesPipesKey = QStringLiteral("diametri serie acqua");
const QString SeriesPricesKey = QStringLiteral("prezzi serie acqua");
const QString WaterUtenzeKey = QStringLiteral("utenze acqua");
const QString GasUtenzeKey = QStringLiteral("utenze gas");
const QString WaterMethodKey = QStringLiteral("metodo portate acqua");
const QString WaterTypesKey = QStringLiteral("tipi utenze acqua");
const QString WaterCurveKey = QStringLiteral("curva portate acqua");
const QString GasSimultaneityKey = QStringLiteral("contemporaneità gas");
const QString FlowsReportKey = QStringLiteral("portate nella relazione");
const QString WaterRisesKey = QStringLiteral("dislivelli acqua");
const QString WaterConcentratedKey = QStringLiteral("perdite concentrate acqua");
const QString WaterPressuresKey = QStringLiteral("pressioni acqua");
const QString TerminalMinimaKey = QStringLiteral("minimi terminali acqua");
const QString GasRisesKey = QStringLiteral("dislivelli gas");
const QString GasConcentratedKey = QStringLiteral("perdite concentrate gas");
const QString HeightEffectKey = QStringLiteral("effetto dislivelli gas");
const QString RegulatorKey = QStringLiteral("regolatore a monte del contatore");

// The keys this version reads, in the order it writes them.
const QString* const KnownKeys[] = {&WaterUpstreamKey,
                                    &GasUpstreamKey,
                                    &WaterLimitsKey,
                                    &GasLimitsKey,
                                    &ReportKey,
                                    &SeriesKey,
                                    &SeriesPipesKey,
                                    &SeriesPricesKey,
                                    &WaterUtenzeKey,
                                    &GasUtenzeKey,
                                    &WaterMethodKey,
                                    &WaterTypesKey,
                                    &WaterCurveKey,
                                    &GasSimultaneityKey,
                                    &FlowsReportKey,
                                    &WaterRisesKey,
                                    &WaterConcentratedKey,
                                    &WaterPressuresKey,
                                    &TerminalMinimaKey,
                                    &GasRisesKey,
                                    &GasConcentratedKey,
                                    &HeightEffectKey,
                                    &RegulatorKey};

bool isKnown(const QString& key) {
    return std::any_of(std::begin(KnownKeys), std::end(KnownKeys),
                       [&](const QString* known) { return *known == key; });
}

bool isBlank(QStringView line) {
    return line.trimmed().isEmpty();
}

// One line of the block taken apart: its values, the first being its key.
class BlockReader {
public:
    BlockReader(ProjectData& data)
        : m_data(data) {}

    // The values of the line, each read; false with the reason.
    bool values(QStringView line, int number, std::vector<Cell>& out) {
        QList<QStringView> raw;
        SplitRecordValues(line, raw);
        out.assign(static_cast<size_t>(raw.size()), Cell());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            Result<Cell> value = ReadRecordValue(raw[i]);
            if (!value)
                return fail(number, QStringLiteral("valore %1: %2").arg(i + 1).arg(value.error()));
            out[static_cast<size_t>(i)] = std::move(value).value();
        }
        if (!out[0].isText() || out[0].textValue().isEmpty())
            return fail(number, QStringLiteral("ogni voce deve cominciare con il suo nome tra "
                                               "virgolette, trovato %1.")
                                    .arg(QuotedExcerpt(line)));
        return true;
    }

    // A known entry, its values checked and taken into the project.
    bool known(const QString& key, const std::vector<Cell>& v, int number) {
        m_where = key;
        if (key == WaterUpstreamKey)
            return upstream(m_data.water, m_data.WaterRowCount.value_or(0), QStringLiteral("acqua"),
                            v, number);
        if (key == GasUpstreamKey)
            return upstream(m_data.gas, m_data.GasRowCount.value_or(0), QStringLiteral("gas"), v,
                            number);
        if (key == WaterLimitsKey) {
            WaterLimits& limits = m_data.extension.waterLimits;
            return count(v, 3, number) && positive(v[1], 2, number, limits.velocity) &&
                   (v[2].isNeverWritten() ? (limits.head.reset(), true)
                                          : positive(v[2], 3, number, limits.head.emplace()));
        }
        if (key == GasLimitsKey) {
            GasLimits& limits = m_data.extension.gasLimits;
            return count(v, 3, number) && positive(v[1], 2, number, limits.metano) &&
                   positive(v[2], 3, number, limits.gpl);
        }
        if (key == SeriesKey) {
            if (!count(v, 2, number))
                return false;
            if (!v[1].isText() || v[1].textValue().trimmed().isEmpty())
                return fail(number, QStringLiteral("valore 2: atteso il nome della serie tra "
                                                   "virgolette."));
            m_data.extension.waterSeries = v[1].textValue();
            return true;
        }
        if (key == SeriesPipesKey)
            return seriesPipes(v, number);
        if (key == SeriesPricesKey)
            return seriesPrices(v, number);
        if (key == WaterUtenzeKey)
            return waterUtenze(v, number);
        if (key == GasUtenzeKey)
            return gasUtenze(v, number);
        if (key == WaterMethodKey)
            return waterMethod(v, number);
        if (key == WaterTypesKey)
            return waterTypes(v, number);
        if (key == WaterCurveKey)
            return waterCurve(v, number);
        if (key == GasSimultaneityKey)
            return gasSimultaneity(v, number);
        const auto water = [&](int column, Measure measure) {
            return perRow(m_data.water, column, m_data.WaterRowCount.value_or(0),
                          QStringLiteral("acqua"), measure, v, number);
        };
        const auto gas = [&](int column, Measure measure) {
            return perRow(m_data.gas, column, m_data.GasRowCount.value_or(0), QStringLiteral("gas"),
                          measure, v, number);
        };
        if (key == WaterRisesKey)
            return water(WaterColumn::disl, Measure::Any);
        if (key == WaterConcentratedKey)
            return water(WaterColumn::pconc, Measure::NotNegative);
        if (key == GasRisesKey)
            return gas(GasColumn::disl, Measure::Any);
        if (key == GasConcentratedKey)
            return gas(GasColumn::pconc, Measure::NotNegative);
        if (key == WaterPressuresKey)
            return pressures(v, number);
        if (key == TerminalMinimaKey)
            return terminalMinima(v, number);
        if (key == HeightEffectKey) {
            if (!count(v, 2, number))
                return false;
            const std::optional<HeightEffect> effect =
                v[1].isText() ? HeightEffectNamed(v[1].textValue()) : std::nullopt;
            if (!effect)
                return fail(number, QStringLiteral("valore 2: atteso \"%1\" oppure \"%2\".")
                                        .arg(HeightEffectName(HeightEffect::Full),
                                             HeightEffectName(HeightEffect::None)));
            m_data.extension.gasLimits.heightEffect = *effect;
            return true;
        }
        // The options: 1 holds, 0 does not.: 1 includes the section, 0 leaves it out.
        if (!count(v, 2, number))
            return false;
        if (!v[1].isNumber() || (v[1].numberValue() != 0 && v[1].numberValue() != 1))
            return fail(number, QStringLiteral("valore 2: atteso 0 oppure 1, trovato %1.")
                                    .arg(QuotedExcerpt(v[1].displayText())));
        (key == ReportKey      ? m_data.extension.reportVerification
         : key == RegulatorKey ? m_data.extension.gasLimits.regulator
                               : m_data.extension.reportFlows) = v[1].numberValue() == 1;
        return true;
    }

    // What the entries say together: the curve of the method is the one
    // the project carries.
    bool agree(int number) {
        ProjectExtension& x = m_data.extension;
        if (!x.waterSeriesPipes.diameters.empty()) {
            if (x.waterSeries.isEmpty()) {
                m_where = SeriesPipesKey;
                return fail(number, QStringLiteral("i diametri non hanno il nome della loro serie "
                                                   "(\"%1\").")
                                        .arg(SeriesKey));
            }
            x.waterSeriesPipes.name = x.waterSeries;
        }
        const PipeSeries& series = x.waterSeriesPipes;
        if (!series.prices.empty() && series.prices.size() != series.diameters.size()) {
            m_where = SeriesPricesKey;
            return fail(number, QStringLiteral("i prezzi sono %1 e i diametri della serie (\"%2\") "
                                               "%3: ne serve uno per diametro.")
                                    .arg(series.prices.size())
                                    .arg(SeriesPipesKey)
                                    .arg(series.diameters.size()));
        }
        const WaterFlowSettings& f = x.waterFlows;
        if (f.method == WaterFlowMethod::Curve && f.curve.points.empty()) {
            m_where = WaterMethodKey;
            return fail(number, QStringLiteral("il metodo nomina la curva «%1», ma il file non "
                                               "ne porta i punti (\"%2\").")
                                    .arg(f.curve.name, WaterCurveKey));
        }
        return true;
    }

    const QString& error() const { return m_error; }
    bool fail(int number, const QString& why) {
        m_error = m_where.isEmpty()
                      ? QStringLiteral("riga %1 (dati aggiuntivi): %2").arg(number).arg(why)
                      : QStringLiteral("riga %1 (%2): %3").arg(number).arg(m_where, why);
        return false;
    }
    void setWhere(const QString& where) { m_where = where; }

private:
    bool count(const std::vector<Cell>& v, size_t n, int number) {
        if (v.size() == n)
            return true;
        return fail(number, QStringLiteral("attesi %1 valori, trovati %2.").arg(n).arg(v.size()));
    }

    bool positive(const Cell& cell, int index, int number, double& out) {
        if (!cell.isNumber() || !(cell.numberValue() > 0))
            return fail(number, QStringLiteral("valore %1: atteso un numero maggiore di zero, "
                                               "trovato %2.")
                                    .arg(index)
                                    .arg(QuotedExcerpt(cell.displayText())));
        out = cell.numberValue();
        return true;
    }

    // Values from `first` in groups of `size`: false (with the reason) when
    // they do not make whole groups, or make none.
    bool groups(const std::vector<Cell>& v, size_t first, size_t size, int number,
                const char* what) {
        const size_t n = v.size() - first;
        if (n > 0 && n % size == 0)
            return true;
        return fail(number, QStringLiteral("attesi gruppi di %1 valori (%2), trovati %3 valori.")
                                .arg(size)
                                .arg(QString::fromUtf8(what))
                                .arg(n));
    }

    bool text(const Cell& cell, size_t index, int number, QString& out) {
        const QString why = cell.isText() ? RefuseUtenzaName(cell.textValue())
                                          : QStringLiteral("atteso un nome tra virgolette.");
        if (!why.isEmpty())
            return fail(number, QStringLiteral("valore %1: %2").arg(index + 1).arg(why));
        out = cell.textValue();
        return true;
    }

    // A whole number from `least` to `most`.
    bool whole(const Cell& cell, size_t index, int least, int most, int number, int& out) {
        const double n = cell.isNumber() ? cell.numberValue() : -1;
        if (n < least || n > most || n != std::floor(n))
            return fail(number, QStringLiteral("valore %1: atteso un numero intero da %2 a %3, "
                                               "trovato %4.")
                                    .arg(index + 1)
                                    .arg(least)
                                    .arg(most)
                                    .arg(QuotedExcerpt(cell.displayText())));
        out = static_cast<int>(n);
        return true;
    }

    // A number above zero (or, where `zero`, not below it).
    bool measure(const Cell& cell, size_t index, int number, double& out, bool zero = false) {
        if (!cell.isNumber() || !(zero ? cell.numberValue() >= 0 : cell.numberValue() > 0))
            return fail(number, QStringLiteral("valore %1: atteso un numero %2, trovato %3.")
                                    .arg(index + 1)
                                    .arg(zero ? QStringLiteral("non negativo")
                                              : QStringLiteral("maggiore di zero"))
                                    .arg(QuotedExcerpt(cell.displayText())));
        out = cell.numberValue();
        return true;
    }

    // "diametri serie acqua": diameter (mm) and size pairs, the diameters
    // rising; a size may be empty.
    bool seriesPipes(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 2, number, "diametro interno in mm, misura"))
            return false;
        PipeSeries& series = m_data.extension.waterSeriesPipes;
        bool labelled = false;
        QStringList labels;
        for (size_t i = 1; i < v.size(); i += 2) {
            double d = 0;
            if (!measure(v[i], i, number, d))
                return false;
            if (!series.diameters.empty() && !(d > series.diameters.back()))
                return fail(number,
                            QStringLiteral("valore %1: i diametri devono crescere.").arg(i + 1));
            series.diameters.push_back(d);
            labels << v[i + 1].displayText();
            labelled = labelled || !v[i + 1].isEmpty();
        }
        if (labelled)
            series.labels = labels;
        return true;
    }

    // "prezzi serie acqua": the price (€/m) of each diameter of the
    // series, in the order of the diameters.
    bool seriesPrices(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 1, number, "prezzo in euro al metro"))
            return false;
        std::vector<double>& prices = m_data.extension.waterSeriesPipes.prices;
        prices.clear();
        for (size_t i = 1; i < v.size(); ++i) {
            if (!measure(v[i], i, number, prices.emplace_back(), true))
                return false;
        }
        return true;
    }

    // A segment named by an utenza: a whole number among the segments.
    bool segment(const Cell& cell, size_t index, int rows, const QString& network, int number,
                 int& out) {
        if (whole(cell, index, 1, std::max(rows, 1), number, out) && out <= rows)
            return true;
        if (m_error.isEmpty())
            fail(number, QStringLiteral("valore %1: la rete %2 non ha tronchi.")
                             .arg(index + 1)
                             .arg(network));
        return false;
    }

    // "utenze acqua": segment, type, number; repeated.
    bool waterUtenze(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 3, number, "tronco, tipo, numero"))
            return false;
        std::vector<std::vector<WaterOutlet>> rows(MaxRows + 1);
        const int count = m_data.WaterRowCount.value_or(0);
        for (size_t i = 1; i < v.size(); i += 3) {
            int r = 0;
            WaterOutlet o;
            if (!segment(v[i], i, count, QStringLiteral("acqua"), number, r) ||
                !text(v[i + 1], i + 1, number, o.type) ||
                !whole(v[i + 2], i + 2, 1, 99999, number, o.count))
                return false;
            rows[static_cast<size_t>(r)].push_back(o);
        }
        for (int r = 1; r <= count; ++r) {
            if (!rows[static_cast<size_t>(r)].empty())
                m_data.water.at(r, WaterColumn::utenze) =
                    Cell::text(WaterOutletsText(rows[static_cast<size_t>(r)]));
        }
        return true;
    }

    // "utenze gas": segment, appliance, kW, number; repeated.
    bool gasUtenze(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 4, number, "tronco, apparecchio, kW, numero"))
            return false;
        std::vector<std::vector<GasAppliance>> rows(MaxRows + 1);
        const int count = m_data.GasRowCount.value_or(0);
        for (size_t i = 1; i < v.size(); i += 4) {
            int r = 0;
            GasAppliance a;
            if (!segment(v[i], i, count, QStringLiteral("gas"), number, r) ||
                !text(v[i + 1], i + 1, number, a.name) || !measure(v[i + 2], i + 2, number, a.kW) ||
                !whole(v[i + 3], i + 3, 1, 99999, number, a.count))
                return false;
            rows[static_cast<size_t>(r)].push_back(a);
        }
        for (int r = 1; r <= count; ++r) {
            if (!rows[static_cast<size_t>(r)].empty())
                m_data.gas.at(r, GasColumn::utenze) =
                    Cell::text(GasAppliancesText(rows[static_cast<size_t>(r)]));
        }
        return true;
    }

    // "metodo portate acqua": the method, and the building type (DIN
    // 1988-300) or the curve's name.
    bool waterMethod(const std::vector<Cell>& v, int number) {
        WaterFlowSettings& f = m_data.extension.waterFlows;
        const std::optional<WaterFlowMethod> method =
            v.size() >= 2 && v[1].isText() ? WaterFlowMethodNamed(v[1].textValue()) : std::nullopt;
        if (!method)
            return fail(number, QStringLiteral("valore 2: atteso \"%1\", \"%2\" oppure \"%3\".")
                                    .arg(WaterFlowMethodName(WaterFlowMethod::Sum),
                                         WaterFlowMethodName(WaterFlowMethod::Din),
                                         WaterFlowMethodName(WaterFlowMethod::Curve)));
        f.method = *method;
        if (f.method == WaterFlowMethod::Sum)
            return count(v, 2, number);
        if (!count(v, 3, number))
            return false;
        if (f.method == WaterFlowMethod::Din) {
            if (!v[2].isText() || !FindDinBuilding(v[2].textValue())) {
                QStringList names;
                for (const DinBuilding& b : DinBuildings())
                    names << QStringLiteral("\"%1\"").arg(QString::fromUtf8(b.name));
                return fail(number, QStringLiteral("valore 3: atteso il tipo di edificio, uno "
                                                   "tra %1.")
                                        .arg(names.join(QStringLiteral(", "))));
            }
            f.building = v[2].textValue();
            return true;
        }
        QString name;
        if (!text(v[2], 2, number, name))
            return false;
        if (!f.curve.name.isEmpty() && f.curve.name != name)
            return fail(number, QStringLiteral("valore 3: la curva «%1» non è quella che il file "
                                               "porta («%2»).")
                                    .arg(name, f.curve.name));
        f.curve.name = name;
        return true;
    }

    // "tipi utenze acqua": name, q (l/s), u, p_min (kPa, may be empty).
    bool waterTypes(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 4, number, "nome, portata l/s, unità di carico, pressione minima kPa"))
            return false;
        std::vector<FixtureType>& types = m_data.extension.waterFlows.types;
        for (size_t i = 1; i < v.size(); i += 4) {
            FixtureType t;
            if (!text(v[i], i, number, t.name) || !measure(v[i + 1], i + 1, number, t.flowLs) ||
                !measure(v[i + 2], i + 2, number, t.loadingUnits, true))
                return false;
            if (!v[i + 3].isNeverWritten() &&
                !measure(v[i + 3], i + 3, number, t.minPressureKPa.emplace()))
                return false;
            if (FindFixtureType(types, t.name))
                return fail(number, QStringLiteral("valore %1: il tipo «%2» compare due volte.")
                                        .arg(i + 1)
                                        .arg(t.name));
            types.push_back(t);
        }
        return true;
    }

    // "curva portate acqua": its name, then loading units and flow (l/s)
    // pairs.
    bool waterCurve(const std::vector<Cell>& v, int number) {
        FlowCurve& curve = m_data.extension.waterFlows.curve;
        QString name;
        if (v.size() < 2 || !text(v[1], 1, number, name))
            return v.size() < 2 ? fail(number, QStringLiteral("atteso il nome della curva."))
                                : false;
        if (!curve.name.isEmpty() && curve.name != name)
            return fail(number, QStringLiteral("valore 2: il metodo nomina la curva «%1», non "
                                               "«%2».")
                                    .arg(curve.name, name));
        if (!groups(v, 2, 2, number, "unità di carico, portata l/s"))
            return false;
        curve.name = name;
        for (size_t i = 2; i < v.size(); i += 2) {
            CurvePoint p;
            if (!measure(v[i], i, number, p.units) || !measure(v[i + 1], i + 1, number, p.flowLs))
                return false;
            curve.points.push_back(p);
        }
        const QString why = RefuseCurvePoints(curve.points);
        return why.isEmpty() || fail(number, why);
    }

    // "contemporaneità gas": appliances and coefficient pairs, the
    // appliances rising, each coefficient above 0 and at most 1.
    bool gasSimultaneity(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 2, number, "apparecchi, coefficiente"))
            return false;
        std::vector<SimultaneityStep>& steps = m_data.extension.gasFlows.simultaneity;
        for (size_t i = 1; i < v.size(); i += 2) {
            SimultaneityStep step;
            if (!whole(v[i], i, 1, 99999, number, step.appliances) ||
                !measure(v[i + 1], i + 1, number, step.coefficient))
                return false;
            if (step.coefficient > 1)
                return fail(number, QStringLiteral("valore %1: il coefficiente non può superare "
                                                   "1.")
                                        .arg(i + 2));
            if (!steps.empty() && step.appliances <= steps.back().appliances)
                return fail(number, QStringLiteral("valore %1: il numero di apparecchi deve "
                                                   "crescere.")
                                        .arg(i + 1));
            steps.push_back(step);
        }
        return true;
    }

    enum class Measure { Any, NotNegative };

    // Per row 1..k (k at most the count): a number of the row (any, or not
    // below 0), empty for none.
    template <typename Table>
    bool perRow(Table& table, int column, int rows, const QString& network, Measure measure,
                const std::vector<Cell>& v, int number) {
        return eachRow(rows, network, v, number, [&](int r, const Cell& cell) {
            if (!cell.isNumber() || !std::isfinite(cell.numberValue()) ||
                (measure == Measure::NotNegative && cell.numberValue() < 0))
                return fail(number, QStringLiteral("valore %1 (tronco n. %2): atteso un numero%3, "
                                                   "trovato %4.")
                                        .arg(r + 1)
                                        .arg(r)
                                        .arg(measure == Measure::NotNegative
                                                 ? QStringLiteral(" non negativo")
                                                 : QString())
                                        .arg(QuotedExcerpt(cell.displayText())));
            table.at(r, column) = Cell::number(cell.numberValue());
            return true;
        });
    }

    // The values of an entry per row 1..k (k at most the count), each one
    // written taken by `take`; false (with the reason) at the first it
    // refuses.
    template <typename Take>
    bool eachRow(int rows, const QString& network, const std::vector<Cell>& v, int number,
                 Take take) {
        const int given = static_cast<int>(v.size()) - 1;
        if (given > rows)
            return fail(number, QStringLiteral("%1 valori, ma i tronchi %2 sono %3.")
                                    .arg(given)
                                    .arg(network)
                                    .arg(rows));
        for (int r = 1; r <= given; ++r) {
            const Cell& cell = v[static_cast<size_t>(r)];
            if (!cell.isNeverWritten() && !take(r, cell))
                return false;
        }
        return true;
    }

    // "pressioni acqua": source, minimum at the outlets (empty: 100),
    // static at the source, static limit (empty: 500), kPa; an empty
    // source or static pressure is none.
    bool pressures(const std::vector<Cell>& v, int number) {
        WaterLimits& l = m_data.extension.waterLimits;
        if (!count(v, 5, number))
            return false;
        const auto optional = [&](size_t i, std::optional<double>& out) {
            return v[i].isNeverWritten()
                       ? (out.reset(), true)
                       : positive(v[i], static_cast<int>(i) + 1, number, out.emplace());
        };
        const auto withDefault = [&](size_t i, double& out, double fallback) {
            return v[i].isNeverWritten() ? (out = fallback, true)
                                         : positive(v[i], static_cast<int>(i) + 1, number, out);
        };
        return optional(1, l.sourceKPa) && withDefault(2, l.minimumKPa, WaterLimits{}.minimumKPa) &&
               optional(3, l.staticKPa) &&
               withDefault(4, l.staticLimitKPa, WaterLimits{}.staticLimitKPa);
    }

    // "minimi terminali acqua": segment and least pressure (kPa) pairs.
    bool terminalMinima(const std::vector<Cell>& v, int number) {
        if (!groups(v, 1, 2, number, "tronco, pressione minima kPa"))
            return false;
        const int count = m_data.WaterRowCount.value_or(0);
        for (size_t i = 1; i < v.size(); i += 2) {
            int r = 0;
            double kPa = 0;
            if (!segment(v[i], i, count, QStringLiteral("acqua"), number, r) ||
                !measure(v[i + 1], i + 1, number, kPa))
                return false;
            m_data.water.at(r, WaterColumn::pmin) = Cell::number(kPa);
        }
        return true;
    }

    // Per row 1..k (k at most the count): empty for the row before, or a
    // whole number from 0 to the row before.
    template <typename Table>
    bool upstream(Table& table, int rows, const QString& network, const std::vector<Cell>& v,
                  int number) {
        return eachRow(rows, network, v, number, [&](int r, const Cell& cell) {
            const double m = cell.isNumber() ? cell.numberValue() : -1;
            if (m < 0 || m >= r || m != std::floor(m))
                return fail(number, QStringLiteral("il tronco a monte del tronco n. %1 deve essere "
                                                   "un numero intero da 0 a %2, trovato %3.")
                                        .arg(r)
                                        .arg(r - 1)
                                        .arg(QuotedExcerpt(cell.displayText())));
            table.setUpstream(r, static_cast<int>(m));
            return true;
        });
    }

    ProjectData& m_data;
    QString m_where;
    QString m_error;
};

// A record of the block; nothing for an entry without values.
void appendLine(QByteArray& out, const std::vector<Cell>& values) {
    if (values.empty())
        return;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out.append(',');
        AppendRecordCell(out, values[i]);
    }
    out.append(RecordLineEnd);
}

// The upstream entry of a table: rows 1..the last one fed from another
// segment than the row before; nothing when there is none.
template <typename Table>
std::vector<Cell> upstreamEntry(const QString& key, const Table& table, int rows) {
    int last = 0;
    for (int r = rows; r >= 1 && last == 0; --r) {
        if (table.upstream(r) != r - 1)
            last = r;
    }
    if (last == 0)
        return {};
    std::vector<Cell> values{Cell::text(key)};
    for (int r = 1; r <= last; ++r)
        values.push_back(table.upstream(r) == r - 1 ? Cell() : Cell::number(table.upstream(r)));
    return values;
}

// A number per row of a table: rows 1..the last that holds one, empty for
// none; nothing when no row holds one.
template <typename Table>
std::vector<Cell> perRowEntry(const QString& key, const Table& table, int column, int rows) {
    int last = 0;
    for (int r = rows; r >= 1 && last == 0; --r) {
        if (!table.at(r, column).isEmpty())
            last = r;
    }
    if (last == 0)
        return {};
    std::vector<Cell> values{Cell::text(key)};
    for (int r = 1; r <= last; ++r) {
        const Cell& cell = table.at(r, column);
        values.push_back(cell.isEmpty() ? Cell() : Cell::number(cell.value()));
    }
    return values;
}

// The entry of a known key as the project now holds it; nothing when it
// holds the default.
std::vector<Cell> knownEntry(const QString& key, const ProjectExtension& x, const WaterTable& water,
                             int waterRows, const GasSegmentTable& gas, int gasRows) {
    if (key == WaterUpstreamKey)
        return upstreamEntry(key, water, waterRows);
    if (key == GasUpstreamKey)
        return upstreamEntry(key, gas, gasRows);
    if (key == WaterLimitsKey && !x.waterLimits.sameLimits(WaterLimits{}))
        return {Cell::text(key), Cell::number(x.waterLimits.velocity),
                x.waterLimits.head ? Cell::number(*x.waterLimits.head) : Cell()};
    if (key == GasLimitsKey && !x.gasLimits.sameLimits(GasLimits{}))
        return {Cell::text(key), Cell::number(x.gasLimits.metano), Cell::number(x.gasLimits.gpl)};
    if (key == ReportKey && x.reportVerification)
        return {Cell::text(key), Cell::number(1)};
    if (key == SeriesKey && !x.waterSeries.isEmpty())
        return {Cell::text(key), Cell::text(x.waterSeries)};
    if (key == SeriesPipesKey && !x.waterSeries.isEmpty() &&
        !x.waterSeriesPipes.diameters.empty()) {
        std::vector<Cell> values{Cell::text(key)};
        const PipeSeries& series = x.waterSeriesPipes;
        for (size_t i = 0; i < series.diameters.size(); ++i) {
            values.push_back(Cell::number(series.diameters[i]));
            values.push_back(series.labels.isEmpty()
                                 ? Cell()
                                 : Cell::text(series.labels.value(static_cast<qsizetype>(i))));
        }
        return values;
    }
    if (key == SeriesPricesKey && !x.waterSeries.isEmpty() &&
        !x.waterSeriesPipes.diameters.empty() && !x.waterSeriesPipes.prices.empty()) {
        std::vector<Cell> values{Cell::text(key)};
        for (const double price : x.waterSeriesPipes.prices)
            values.push_back(Cell::number(price));
        return values;
    }
    if (key == WaterUtenzeKey || key == GasUtenzeKey) {
        std::vector<Cell> values{Cell::text(key)};
        const bool waterKey = key == WaterUtenzeKey;
        for (int r = 1; r <= (waterKey ? waterRows : gasRows); ++r) {
            if (waterKey) {
                for (const WaterOutlet& o : WaterOutletsOf(water.at(r, WaterColumn::utenze)))
                    values.insert(values.end(),
                                  {Cell::number(r), Cell::text(o.type), Cell::number(o.count)});
            } else {
                for (const GasAppliance& a : GasAppliancesOf(gas.at(r, GasColumn::utenze)))
                    values.insert(values.end(), {Cell::number(r), Cell::text(a.name),
                                                 Cell::number(a.kW), Cell::number(a.count)});
            }
        }
        return values.size() > 1 ? values : std::vector<Cell>{};
    }
    const WaterFlowSettings& f = x.waterFlows;
    if (key == WaterMethodKey && f.method != WaterFlowMethod::Sum)
        return {Cell::text(key), Cell::text(WaterFlowMethodName(f.method)),
                Cell::text(f.method == WaterFlowMethod::Din ? f.building : f.curve.name)};
    if (key == WaterTypesKey && !f.types.empty()) {
        std::vector<Cell> values{Cell::text(key)};
        for (const FixtureType& t : f.types)
            values.insert(values.end(),
                          {Cell::text(t.name), Cell::number(t.flowLs), Cell::number(t.loadingUnits),
                           t.minPressureKPa ? Cell::number(*t.minPressureKPa) : Cell()});
        return values;
    }
    if (key == WaterCurveKey && f.method == WaterFlowMethod::Curve && !f.curve.points.empty()) {
        std::vector<Cell> values{Cell::text(key), Cell::text(f.curve.name)};
        for (const CurvePoint& p : f.curve.points)
            values.insert(values.end(), {Cell::number(p.units), Cell::number(p.flowLs)});
        return values;
    }
    if (key == GasSimultaneityKey && !x.gasFlows.simultaneity.empty()) {
        std::vector<Cell> values{Cell::text(key)};
        for (const SimultaneityStep& step : x.gasFlows.simultaneity)
            values.insert(values.end(),
                          {Cell::number(step.appliances), Cell::number(step.coefficient)});
        return values;
    }
    if (key == FlowsReportKey && x.reportFlows)
        return {Cell::text(key), Cell::number(1)};
    if (key == WaterRisesKey)
        return perRowEntry(key, water, WaterColumn::disl, waterRows);
    if (key == WaterConcentratedKey)
        return perRowEntry(key, water, WaterColumn::pconc, waterRows);
    if (key == GasRisesKey)
        return perRowEntry(key, gas, GasColumn::disl, gasRows);
    if (key == GasConcentratedKey)
        return perRowEntry(key, gas, GasColumn::pconc, gasRows);
    const WaterLimits& l = x.waterLimits;
    if (key == WaterPressuresKey && !l.samePressures(WaterLimits{})) {
        const WaterLimits d;
        const auto value = [](std::optional<double> v) { return v ? Cell::number(*v) : Cell(); };
        return {Cell::text(key), value(l.sourceKPa),
                value(l.minimumKPa == d.minimumKPa ? std::nullopt
                                                   : std::optional<double>(l.minimumKPa)),
                value(l.staticKPa),
                value(l.staticLimitKPa == d.staticLimitKPa
                          ? std::nullopt
                          : std::optional<double>(l.staticLimitKPa))};
    }
    if (key == TerminalMinimaKey) {
        std::vector<Cell> values{Cell::text(key)};
        for (int r = 1; r <= waterRows; ++r) {
            if (!water.at(r, WaterColumn::pmin).isEmpty())
                values.insert(values.end(), {Cell::number(r),
                                             Cell::number(water.at(r, WaterColumn::pmin).value())});
        }
        return values.size() > 1 ? values : std::vector<Cell>{};
    }
    if (key == HeightEffectKey && x.gasLimits.heightEffect != HeightEffect::Safe)
        return {Cell::text(key), Cell::text(HeightEffectName(x.gasLimits.heightEffect))};
    if (key == RegulatorKey && x.gasLimits.regulator)
        return {Cell::text(key), Cell::number(1)};
    return {};
}

} // namespace

Result<> ReadExtensionBlock(QList<QStringView> lines, int firstNumber, ProjectData& data) {
    const auto failure = [](const QString& why) { return Result<>::failure(why); };
    qsizetype i = 0;
    while (i < lines.size() && isBlank(lines[i]))
        ++i;
    if (i == lines.size())
        return {};
    BlockReader reader(data);
    std::vector<Cell> v;
    const auto numberOf = [&](qsizetype k) { return firstNumber + static_cast<int>(k); };
    QList<QStringView> raw;
    SplitRecordValues(lines[i], raw);
    const Result<Cell> key = ReadRecordValue(raw[0]);
    if (!key || !key->isText() || key->textValue() != QLatin1String(ExtensionBlockOpening))
        return failure(
            QStringLiteral("riga %1: dopo i dati del frontespizio il file contiene altre righe.")
                .arg(numberOf(i)));
    if (!reader.values(lines[i], numberOf(i), v))
        return failure(reader.error());
    if (v.size() != 2 || !v[1].isNumber() || v[1].numberValue() < 1 || v[1].numberValue() > 999 ||
        v[1].numberValue() != std::floor(v[1].numberValue())) {
        reader.fail(numberOf(i), QStringLiteral("la versione dei dati aggiuntivi deve essere un "
                                                "numero intero da 1 a 999, trovato %1.")
                                     .arg(QuotedExcerpt(lines[i])));
        return failure(reader.error());
    }
    ProjectExtension& x = data.extension;
    x.blockVersion = static_cast<int>(v[1].numberValue());

    for (++i; i < lines.size(); ++i) {
        if (isBlank(lines[i]))
            continue;
        reader.setWhere(QString());
        if (!reader.values(lines[i], numberOf(i), v))
            return failure(reader.error());
        const QString name = v[0].textValue();
        if (name == QLatin1String(ExtensionBlockClosing) && v.size() == 1)
            break;
        if (!isKnown(name)) {
            x.entries.append({name, lines[i].toString()});
            continue;
        }
        for (const ProjectExtension::Entry& e : x.entries) {
            if (e.key == name) {
                reader.fail(
                    numberOf(i),
                    QStringLiteral("la voce %1 compare due volte.").arg(QuotedExcerpt(name)));
                return failure(reader.error());
            }
        }
        x.entries.append({name, QString()});
        if (!reader.known(name, v, numberOf(i)))
            return failure(reader.error());
    }
    if (i < lines.size() && !reader.agree(numberOf(i)))
        return failure(reader.error());
    if (i >= lines.size())
        return failure(QStringLiteral("il file finisce prima della riga che chiude i dati "
                                      "aggiuntivi (\"%1\").")
                           .arg(QLatin1String(ExtensionBlockClosing)));
    for (++i; i < lines.size(); ++i) {
        if (!isBlank(lines[i]))
            return failure(
                QStringLiteral("riga %1: dopo i dati aggiuntivi il file contiene altre righe.")
                    .arg(numberOf(i)));
    }
    // An entry that holds what the project holds without it (the row before
    // named as upstream, the default limits) is not written back, so it
    // keeps no place; and a block left with no entry is not written either.
    // So the project read again from what it writes is this project.
    x.entries.removeIf([&](const ProjectExtension::Entry& e) {
        return isKnown(e.key) && knownEntry(e.key, x, data.water, data.WaterRowCount.value_or(0),
                                            data.gas, data.GasRowCount.value_or(0))
                                     .empty();
    });
    if (x.entries.isEmpty())
        x.blockVersion = 0;
    return {};
}

void AppendExtensionBlock(QByteArray& out, const ProjectExtension& x, const WaterTable& water,
                          int waterRows, const GasSegmentTable& gas, int gasRows) {
    QByteArray body;
    QList<QString> written;
    // The entries in the order they were read, the unknown ones as they
    // were; then the known ones the block did not hold.
    for (const ProjectExtension::Entry& e : x.entries) {
        if (!isKnown(e.key)) {
            Windows1252::append(body, e.line);
            body.append(RecordLineEnd);
            continue;
        }
        appendLine(body, knownEntry(e.key, x, water, waterRows, gas, gasRows));
        written.append(e.key);
    }
    for (const QString* key : KnownKeys) {
        if (!written.contains(*key))
            appendLine(body, knownEntry(*key, x, water, waterRows, gas, gasRows));
    }
    if (body.isEmpty())
        return;
    appendLine(out, {Cell::text(QLatin1String(ExtensionBlockOpening)),
                     Cell::number(std::max(x.blockVersion, 1))});
    out.append(body);
    appendLine(out, {Cell::text(QLatin1String(ExtensionBlockClosing))});
}
