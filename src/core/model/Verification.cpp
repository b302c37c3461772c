#include "core/model/Verification.h"

#include "core/model/DesignFlows.h"
#include "core/model/NumberText.h"
#include "core/model/RowGuide.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QString Gpl = QStringLiteral("GPL");

// A path longer than this is named by its ends in the verdict.
constexpr int ShortPath = 12;

// The loss a row shows; an empty loss (a row that cannot be computed)
// counts 0.
double waterLoss(const WaterTable::Row& cells) {
    return cells[WaterColumn::perd].value();
}

double gasLoss(const GasSegmentTable::Row& cells) {
    return cells[GasColumn::perd].value();
}

// The upstream segment of row r, as the table holds it; the row before when
// it does not name a smaller row (a table filled by other means than typing
// or the data file).
template <typename Table> int upstreamOf(const Table& table, int r) {
    const int p = table.upstream(r);
    return p >= 0 && p < r ? p : r - 1;
}

// What the two networks share: the losses and heights down the tree, the
// terminals, and on each path its fastest segment over the velocity limit.
// `segment` fills the row's own values (its rise in `height`) and says
// whether it keeps the path it lies on within its limits so far.
template <typename Table, typename Segment>
void walkTree(NetworkVerification& v, const Table& table, int count, Segment segment) {
    v.rows.assign(static_cast<size_t>(count), VerifiedRow());
    v.paths.reserve(static_cast<size_t>(count));
    const auto at = [](int r) { return static_cast<size_t>(r); };
    std::vector<char> feeds(at(count) + 1, 0);
    std::vector<char> pathOk(at(count) + 1, 1);
    std::vector<int> fastest(at(count) + 1, 0);
    std::vector<int> over(at(count) + 1, 0);
    for (int r = 1; r <= count; ++r) {
        VerifiedRow& row = v.rows[at(r - 1)];
        const int p = upstreamOf(table, r);
        row.upstream = p;
        const bool ok = segment(r, row);
        const VerifiedRow* up = p > 0 ? &v.rows[at(p - 1)] : nullptr;
        row.pathLoss = (up ? up->pathLoss : 0.0) + row.loss;
        row.height += up ? up->height : 0.0;
        row.total = (up ? up->total : 0.0) + row.loss + row.concentrated + row.heightLoss;
        pathOk[at(r)] = ok && pathOk[at(p)];
        feeds[at(p)] = 1;
        fastest[at(r)] = fastest[at(p)];
        over[at(r)] = over[at(p)];
        if (!row.velocityPassed) {
            ++over[at(r)];
            const int f = fastest[at(r)];
            if (f == 0 || !row.velocity ||
                (v.row(f).velocity && *row.velocity > *v.row(f).velocity))
                fastest[at(r)] = r;
        }
    }
    for (int r = 1; r <= count; ++r) {
        if (feeds[at(r)])
            continue;
        VerifiedPath path;
        path.terminal = r;
        path.loss = v.row(r).pathLoss;
        path.total = v.row(r).total;
        path.passed = pathOk[at(r)];
        path.fastest = fastest[at(r)];
        path.tooFast = over[at(r)];
        v.paths.push_back(path);
    }
}

// The critical path: of least margin, or of the largest total where no
// path has a margin.
void findCritical(NetworkVerification& v) {
    const VerifiedPath* critical = nullptr;
    for (const VerifiedPath& p : v.paths) {
        const bool less = !critical || (p.margin && critical->margin ? *p.margin < *critical->margin
                                                                     : p.total > critical->total);
        if (less)
            critical = &p;
    }
    v.critical = critical ? critical->terminal : 0;
}

// The input check, passed by every row as the walk read it (or not: the
// check itself then says which row misses what).
template <typename Table, typename Check>
void settle(NetworkVerification& v, bool everyItem, const Table& table, Check check) {
    if (everyItem && v.count() > 0) {
        v.dataPassed = true;
    } else {
        const CheckOutcome outcome = check(table, v.count());
        v.dataPassed = outcome.passed;
        v.dataMessage = outcome.notice.text;
    }
    v.passed =
        v.dataPassed && !v.paths.empty() &&
        std::all_of(v.paths.begin(), v.paths.end(), [](const VerifiedPath& p) { return p.passed; });
}

QString oneLine(QString text) {
    return text.replace(QStringLiteral("\r- "), QStringLiteral(" ")).replace(u'\r', u' ');
}

QString networkName(const NetworkVerification& v) {
    return v.kind == NetworkKind::Water ? QStringLiteral("acqua") : QStringLiteral("gas");
}

// A path as the verdict names it: whole, or by its first and last rows.
QString shortPathText(const NetworkVerification& v, int terminal) {
    const std::vector<int> rows = PathRows(v, terminal);
    if (static_cast<int>(rows.size()) <= ShortPath)
        return PathText(v, terminal);
    QStringList parts;
    for (size_t i = 0; i < 3; ++i)
        parts << QString::number(rows[i]);
    parts << QStringLiteral("...");
    for (size_t i = rows.size() - 3; i < rows.size(); ++i)
        parts << QString::number(rows[i]);
    return parts.join(u'-') + QStringLiteral(" (%1 tronchi)").arg(rows.size());
}

QString unitValue(double value, const QString& unit) {
    return VerdictNumber(value, 2, 2) + u' ' + unit;
}

// "percorso critico 1-2-5-7, 0,83 mbar, margine 0,17 mbar"; with the
// pressures, "terminale critico n. 7 (percorso 1-2-5-7), 215 kPa, margine
// 115 kPa".
QString criticalPhrase(const NetworkVerification& v) {
    const VerifiedPath& path = *v.criticalPath();
    if (path.residual)
        return QStringLiteral("terminale critico n. %1 (percorso %2), %3 kPa, margine %4 kPa")
            .arg(path.terminal)
            .arg(shortPathText(v, path.terminal), PressureText(*path.residual),
                 PressureText(*path.margin));
    QString text = QStringLiteral("percorso critico ") + shortPathText(v, path.terminal) +
                   QStringLiteral(", ") + unitValue(path.total, LossUnit(v.kind));
    if (path.margin)
        text += QStringLiteral(", margine ") + unitValue(*path.margin, LossUnit(v.kind));
    return text;
}

QString waterVerdict(const NetworkVerification& v) {
    const WaterLimits& l = v.waterLimits;
    const QString velocity = VerdictNumber(l.velocity, 1) + QStringLiteral(" m/s");
    const bool pressures = l.sourceKPa.has_value();
    const bool head = !pressures && l.head;
    const QString headText = head ? VerdictNumber(*l.head, 1) + QStringLiteral(" m") : QString();
    const QString critical = criticalPhrase(v);
    if (v.passed) {
        if (pressures)
            return QStringLiteral("La rete acqua rispetta la pressione minima ai terminali e il "
                                  "limite di velocità di %1: %2.")
                .arg(velocity, critical);
        if (!head)
            return QStringLiteral("La rete acqua rispetta il limite di velocità di %1: %2.")
                .arg(velocity, critical);
        return QStringLiteral("La rete acqua rispetta i limiti di %1 e di %2 di carico "
                              "disponibile: %3.")
            .arg(velocity, headText, critical);
    }
    // The fastest segment over the limit, and how many more there are.
    int fastest = 0;
    int over = 0;
    for (int r = 1; r <= v.count(); ++r) {
        const VerifiedRow& row = v.row(r);
        if (row.velocityPassed)
            continue;
        ++over;
        if (fastest == 0 || !row.velocity ||
            (v.row(fastest).velocity && *row.velocity > *v.row(fastest).velocity))
            fastest = r;
    }
    QStringList broken;
    if (fastest > 0) {
        const VerifiedRow& row = v.row(fastest);
        QString where =
            QStringLiteral("il limite di velocità di %1 nel tronco n. %2 (%3)")
                .arg(velocity)
                .arg(fastest)
                .arg(row.velocity ? VerdictNumber(*row.velocity, 2, 2) + QStringLiteral(" m/s")
                                  : QStringLiteral("velocità non calcolabile"));
        if (over > 1)
            where += QStringLiteral(" e in altri %1").arg(over - 1);
        broken << where;
    }
    if (head && !WithinLimit(v.criticalPath()->total, *l.head))
        broken << QStringLiteral("il carico disponibile di %1").arg(headText);
    // The outlets short of their pressure, the least favoured named.
    const VerifiedPath* least = nullptr;
    int short_ = 0;
    for (const VerifiedPath& p : v.paths) {
        if (!ShortOfPressure(p))
            continue;
        ++short_;
        if (!least || *p.margin < *least->margin)
            least = &p;
    }
    QString text = QStringLiteral("La rete acqua ");
    if (least) {
        text += QStringLiteral("non assicura la pressione minima al terminale n. %1 (%2 kPa < %3 "
                               "kPa)")
                    .arg(least->terminal)
                    .arg(PressureText(*least->residual), PressureText(*least->minimum));
        if (short_ > 1)
            text += QStringLiteral(" e in altri %1").arg(short_ - 1);
        if (!broken.isEmpty())
            text += QStringLiteral(" e supera ");
    } else {
        text += QStringLiteral("supera ");
    }
    return text + broken.join(QStringLiteral(" e ")) + QStringLiteral(": ") + critical + u'.';
}

QString gasVerdict(const NetworkVerification& v) {
    const GasLimits& l = v.gasLimits;
    const auto limitText = [](double value) {
        return VerdictNumber(value, 1) + QStringLiteral(" mbar");
    };
    const QString regulator =
        l.regulator ? QStringLiteral(" con il regolatore a monte del contatore") : QString();
    const double metano = GasPathLimit(l, false);
    const double gpl = GasPathLimit(l, true);
    if (v.passed) {
        bool mixed = false;
        for (const VerifiedPath& p : v.paths)
            mixed = mixed || *p.limit != *v.paths.front().limit;
        const QString limits =
            mixed ? QStringLiteral("i limiti di %1 (metano) e %2 (GPL)")
                        .arg(limitText(metano), limitText(gpl))
                  : QStringLiteral("il limite di %1").arg(limitText(*v.paths.front().limit));
        return QStringLiteral("La rete gas rispetta %1%2: %3.")
            .arg(limits, regulator, criticalPhrase(v));
    }
    // Each limit broken, with the paths that break it.
    int overMetano = 0;
    int overGpl = 0;
    for (const VerifiedPath& p : v.paths) {
        if (!p.passed)
            ++(*p.limit == gpl && gpl != metano ? overGpl : overMetano);
    }
    QString limits;
    const auto paths = [](int n) {
        return n == 1 ? QStringLiteral("1 percorso") : QStringLiteral("%1 percorsi").arg(n);
    };
    if (overMetano > 0 && overGpl > 0)
        limits = QStringLiteral("il limite di %1 (metano) in %2 e quello di %3 (GPL) in %4")
                     .arg(limitText(metano), paths(overMetano), limitText(gpl), paths(overGpl));
    else
        limits = QStringLiteral("il limite di %1")
                     .arg(limitText(overGpl > 0 ? gpl : *v.criticalPath()->limit));
    QString text =
        QStringLiteral("La rete gas supera %1%2: %3").arg(limits, regulator, criticalPhrase(v));
    if (overMetano + overGpl > 1 && !(overMetano > 0 && overGpl > 0))
        text += QStringLiteral(" (%1 oltre il limite)").arg(paths(overMetano + overGpl));
    return text + u'.';
}

// A refusal of what is typed for a segment, naming it; of a segment not
// typed, whole.
Notice segmentRefusal(int row, int count) {
    Notice n;
    n.icon = NoticeIcon::Critical;
    n.row = row;
    n.text = QStringLiteral("Tronco n.") + RowNumberText(row) + QStringLiteral(": ");
    if (row > count)
        n.text += QStringLiteral("non è tra i tronchi digitati (%1).").arg(count);
    return n;
}

} // namespace

const VerifiedPath* NetworkVerification::criticalPath() const {
    for (const VerifiedPath& p : paths) {
        if (p.terminal == critical)
            return &p;
    }
    return nullptr;
}

std::optional<double> ReadLimitText(const QString& text) {
    const std::optional<double> value = ReadTypedNumber(text);
    return value && *value > 0 ? value : std::nullopt;
}

double LimitTolerance(double limit) {
    return 1e-9 * std::max(1.0, std::abs(limit));
}

bool WithinLimit(double value, double limit) {
    return value <= limit + LimitTolerance(limit);
}

std::optional<double> WaterVelocity(double flowLs, double diameterMm) {
    if (!(diameterMm > 0))
        return std::nullopt;
    const double q = flowLs / 1000.0;     // l/s -> m³/s
    const double d = diameterMm / 1000.0; // mm -> m
    const double v = 4.0 * q / (std::numbers::pi * d * d);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

double GasHeightLoss(double densityKgM3, double riseM, HeightEffect effect) {
    if (effect == HeightEffect::None || !(densityKgM3 > 0))
        return 0;
    // Pa -> mbar: / 100; a gain of pressure is a loss below 0.
    const double loss = -(AirDensity - densityKgM3) * 9.81 * riseM / 100.0;
    return effect == HeightEffect::Safe ? std::max(0.0, loss) : loss;
}

double GasPathLimit(const GasLimits& limits, bool lpgOnly) {
    return (lpgOnly ? limits.gpl : limits.metano) * (limits.regulator ? 2.0 : 1.0);
}

double TerminalMinimumKPa(const WaterTable::Row& cells, const WaterLimits& limits,
                          const std::vector<FixtureType>& types) {
    if (!cells[WaterColumn::pmin].isEmpty())
        return cells[WaterColumn::pmin].value();
    double least = limits.minimumKPa;
    for (const WaterOutlet& o : WaterOutletsOf(cells[WaterColumn::utenze])) {
        const FixtureType* t = FindFixtureType(types, o.type);
        if (t && t->minPressureKPa)
            least = std::max(least, *t->minPressureKPa);
    }
    return least;
}

NetworkVerification VerifyWater(const WaterTable& table, int count, const WaterLimits& limits,
                                const std::vector<FixtureType>& types) {
    NetworkVerification v;
    v.kind = NetworkKind::Water;
    v.waterLimits = limits;
    const auto required = WaterRequiredItems();
    bool everyItem = true;
    walkTree(v, table, count, [&](int r, VerifiedRow& row) {
        const WaterTable::Row& cells = table.row(r);
        everyItem = everyItem && RowHasEveryItem(cells, required);
        row.loss = waterLoss(cells);
        row.concentrated = cells[WaterColumn::pconc].value();
        // A rise of h m costs h m of water.
        row.height = cells[WaterColumn::disl].value();
        row.heightLoss = row.height;
        row.velocity =
            WaterVelocity(cells[WaterColumn::port].value(), cells[WaterColumn::diam].value());
        row.velocityPassed = row.velocity && WithinLimit(*row.velocity, limits.velocity);
        return row.velocityPassed;
    });
    if (limits.sourceKPa) {
        for (VerifiedRow& row : v.rows)
            row.pressure = *limits.sourceKPa - WaterKPaPerMetre * row.total;
    }
    for (VerifiedPath& p : v.paths) {
        const double height = v.row(p.terminal).height;
        if (limits.staticKPa) {
            p.staticPressure = *limits.staticKPa - WaterKPaPerMetre * height;
            p.staticOver = !WithinLimit(*p.staticPressure, limits.staticLimitKPa);
        }
        if (limits.sourceKPa) {
            p.residual = v.row(p.terminal).pressure;
            p.minimum = TerminalMinimumKPa(table.row(p.terminal), limits, types);
            p.margin = *p.residual - *p.minimum;
            p.passed = p.passed && !ShortOfPressure(p);
        } else if (limits.head) {
            p.limit = limits.head;
            p.margin = *limits.head - p.total;
            p.passed = p.passed && WithinLimit(p.total, *limits.head);
        }
    }
    findCritical(v);
    settle(v, everyItem, table, [](const WaterTable& t, int n) { return CheckWaterTable(t, n); });
    return v;
}

NetworkVerification VerifyGas(const GasSegmentTable& table, int count, const GasLimits& limits) {
    NetworkVerification v;
    v.kind = NetworkKind::Gas;
    v.gasLimits = limits;
    const auto required = GasRequiredItems();
    bool everyItem = true;
    // The walk's own flag carries "every segment so far is LPG".
    walkTree(v, table, count, [&](int r, VerifiedRow& row) {
        const GasSegmentTable::Row& cells = table.row(r);
        everyItem = everyItem && RowHasEveryItem(cells, required);
        row.loss = gasLoss(cells);
        row.concentrated = cells[GasColumn::pconc].value();
        row.height = cells[GasColumn::disl].value();
        row.heightLoss =
            GasHeightLoss(cells[GasColumn::mas].value(), row.height, limits.heightEffect);
        const Cell& type = cells[GasColumn::tipoc];
        return type.isText() && type.textValue() == Gpl;
    });
    for (VerifiedPath& p : v.paths) {
        p.limit = GasPathLimit(limits, p.passed);
        p.margin = *p.limit - p.total;
        p.passed = WithinLimit(p.total, *p.limit);
    }
    findCritical(v);
    settle(v, everyItem, table,
           [](const GasSegmentTable& t, int n) { return CheckGasTable(t, n); });
    return v;
}

std::optional<Notice> RefuseElevationText(int row, int column, const QString& text, int count,
                                          NetworkKind kind) {
    const QString t = text.trimmed();
    const std::optional<double> value = ReadTypedNumber(t);
    const bool water = kind == NetworkKind::Water;
    const bool rise = column == (water ? int(WaterColumn::disl) : int(GasColumn::disl));
    const bool pressure = water && column == WaterColumn::pmin;
    const bool fine = t.isEmpty() || (value && (rise || (pressure ? *value > 0 : *value >= 0)));
    if (row <= count && fine)
        return std::nullopt;
    Notice n = segmentRefusal(row, count);
    if (row > count)
        return n;
    if (rise)
        n.text += QStringLiteral("il dislivello deve essere un numero di metri, positivo se il "
                                 "tronco sale, negativo se scende.");
    else if (pressure)
        n.text += QStringLiteral("la pressione minima deve essere un numero di kPa maggiore di "
                                 "zero.");
    else
        n.text += QStringLiteral("la perdita concentrata deve essere un numero di %1 non "
                                 "negativo.")
                      .arg(water ? QStringLiteral("metri") : QStringLiteral("mbar"));
    return n;
}

QString HeightEffectName(HeightEffect effect) {
    switch (effect) {
    case HeightEffect::Full:
        return QStringLiteral("completo");
    case HeightEffect::None:
        return QStringLiteral("non considerato");
    case HeightEffect::Safe:
        break;
    }
    return QStringLiteral("a favore di sicurezza");
}

std::optional<HeightEffect> HeightEffectNamed(const QString& name) {
    for (const HeightEffect e : {HeightEffect::Safe, HeightEffect::Full, HeightEffect::None}) {
        if (HeightEffectName(e) == name)
            return e;
    }
    return std::nullopt;
}

bool ShortOfPressure(const VerifiedPath& path) {
    return path.residual && path.minimum && !WithinLimit(*path.minimum, *path.residual);
}

QString PathReason(const NetworkVerification& v, const VerifiedPath& path) {
    QStringList parts;
    if (ShortOfPressure(path))
        parts << QStringLiteral("pressione residua %1 kPa < %2 kPa")
                     .arg(PressureText(*path.residual), PressureText(*path.minimum));
    else if (path.limit && !WithinLimit(path.total, *path.limit))
        parts << QStringLiteral("perdita %1 %2 > %3 %2%4")
                     .arg(VerdictNumber(path.total, 2, 2), LossUnit(v.kind),
                          VerdictNumber(*path.limit, 1),
                          v.kind == NetworkKind::Water ? QStringLiteral(" di carico disponibile")
                                                       : QString());
    if (path.fastest > 0) {
        const VerifiedRow& f = v.row(path.fastest);
        QString fast =
            (f.velocity ? QStringLiteral("velocità %1 m/s").arg(VerdictNumber(*f.velocity, 2, 2))
                        : QStringLiteral("velocità non calcolabile")) +
            QStringLiteral(" nel tronco n. %1").arg(path.fastest);
        if (path.tooFast > 1)
            fast += QStringLiteral(" e in altri %1").arg(path.tooFast - 1);
        parts << fast;
    }
    return parts.join(QStringLiteral("; "));
}

QString PressureText(double kPa) {
    return VerdictNumber(std::round(kPa * 10.0) / 10.0, 0, 1);
}

QString StaticWarningText(const NetworkVerification& v) {
    const VerifiedPath* highest = nullptr;
    int over = 0;
    for (const VerifiedPath& p : v.paths) {
        if (!p.staticOver)
            continue;
        ++over;
        if (!highest || *p.staticPressure > *highest->staticPressure)
            highest = &p;
    }
    if (!highest)
        return {};
    QString text = QStringLiteral("Pressione statica oltre %1 kPa al terminale n. %2 (%3 kPa)")
                       .arg(PressureText(v.waterLimits.staticLimitKPa))
                       .arg(highest->terminal)
                       .arg(PressureText(*highest->staticPressure));
    if (over > 1)
        text += QStringLiteral(" e in altri %1").arg(over - 1);
    return text + u'.';
}

std::vector<int> PathRows(const NetworkVerification& v, int terminal) {
    std::vector<int> rows;
    for (int r = terminal; r > 0 && r <= v.count(); r = v.row(r).upstream)
        rows.push_back(r);
    std::reverse(rows.begin(), rows.end());
    return rows;
}

QString PathText(const NetworkVerification& v, int terminal) {
    QString text;
    for (const int r : PathRows(v, terminal)) {
        if (!text.isEmpty())
            text += u'-';
        text += QString::number(r);
    }
    return text;
}

QString LossUnit(NetworkKind kind) {
    return kind == NetworkKind::Water ? QStringLiteral("m") : QStringLiteral("mbar");
}

QString VerdictNumber(double value, int decimals, int most) {
    int shown = decimals;
    const auto exact = [&](int d) {
        const double scale = std::pow(10.0, d);
        return std::abs(std::round(value * scale) / scale - value) < 1e-9 * std::max(1.0, value);
    };
    while (shown < most && !exact(shown))
        ++shown;
    static const QLocale italian(QLocale::Italian);
    return FormatFixed(value, shown, italian);
}

std::optional<Notice> RefuseUpstream(int row, const QString& text, int count) {
    const QString t = text.trimmed();
    double value = 0;
    const bool whole = t.isEmpty() || (IsPlainNumberToken(t, &value) && value >= 0 && value < row &&
                                       value == std::floor(value));
    if (row <= count && whole)
        return std::nullopt;
    Notice n = segmentRefusal(row, count);
    if (row > count)
        return n;
    if (row == 1)
        n.text += QStringLiteral("il tronco a monte può essere solo 0 (l'origine della rete).");
    else
        n.text += QStringLiteral("il tronco a monte deve essere un numero intero da 0 (l'origine "
                                 "della rete) a %1.")
                      .arg(row - 1);
    return n;
}

int UpstreamFromText(int row, const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() ? row - 1 : static_cast<int>(ReadNumber(t));
}

QString DataCheckText(const NetworkVerification& v) {
    return oneLine(v.dataMessage);
}

QString VerdictText(const NetworkVerification& v) {
    if (v.count() == 0)
        return QStringLiteral("La rete %1 non ha tronchi da verificare.").arg(networkName(v));
    if (!v.dataPassed)
        return QStringLiteral("La rete %1 non è verificabile: %2")
            .arg(networkName(v), DataCheckText(v));
    return v.kind == NetworkKind::Water ? waterVerdict(v) : gasVerdict(v);
}
