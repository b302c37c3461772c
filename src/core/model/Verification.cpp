#include "core/model/Verification.h"

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

// What the two networks share: the path losses down the tree, the
// terminals and the critical path. `segment` fills the row's own values and
// says whether it keeps the path it lies on within its limits so far.
template <typename Table, typename Segment>
void walkTree(NetworkVerification& v, const Table& table, int count, Segment segment) {
    v.rows.assign(static_cast<size_t>(count), VerifiedRow());
    v.paths.reserve(static_cast<size_t>(count));
    std::vector<char> feeds(static_cast<size_t>(count) + 1, 0);
    std::vector<char> pathOk(static_cast<size_t>(count) + 1, 1);
    for (int r = 1; r <= count; ++r) {
        VerifiedRow& row = v.rows[static_cast<size_t>(r - 1)];
        const int p = upstreamOf(table, r);
        row.upstream = p;
        const bool ok = segment(r, row);
        row.pathLoss = (p > 0 ? v.rows[static_cast<size_t>(p - 1)].pathLoss : 0.0) + row.loss;
        pathOk[static_cast<size_t>(r)] = ok && pathOk[static_cast<size_t>(p)];
        feeds[static_cast<size_t>(p)] = 1;
    }
    for (int r = 1; r <= count; ++r) {
        if (feeds[static_cast<size_t>(r)])
            continue;
        VerifiedPath path;
        path.terminal = r;
        path.loss = v.row(r).pathLoss;
        path.passed = pathOk[static_cast<size_t>(r)];
        v.paths.push_back(path);
        if (v.critical == 0 || path.loss > v.row(v.critical).pathLoss)
            v.critical = r;
    }
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

QString pathPhrase(const NetworkVerification& v, const VerifiedPath& path, bool critical) {
    return (critical ? QStringLiteral("percorso critico ") : QStringLiteral("percorso ")) +
           shortPathText(v, path.terminal) + QStringLiteral(", ") + VerdictNumber(path.loss, 2, 2) +
           u' ' + LossUnit(v.kind);
}

QString waterVerdict(const NetworkVerification& v) {
    const WaterLimits& l = v.waterLimits;
    const QString velocity = VerdictNumber(l.velocity, 1) + QStringLiteral(" m/s");
    const QString head = l.head ? VerdictNumber(*l.head, 1) + QStringLiteral(" m") : QString();
    const QString critical = pathPhrase(v, *v.criticalPath(), true);
    if (v.passed) {
        if (!l.head)
            return QStringLiteral("La rete acqua rispetta il limite di velocità di %1: %2.")
                .arg(velocity, critical);
        return QStringLiteral("La rete acqua rispetta i limiti di %1 e di %2 di carico "
                              "disponibile: %3.")
            .arg(velocity, head, critical);
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
    if (l.head && !WithinLimit(v.criticalPath()->loss, *l.head))
        broken << QStringLiteral("il carico disponibile di %1").arg(head);
    return QStringLiteral("La rete acqua supera %1: %2.")
        .arg(broken.join(QStringLiteral(" e ")), critical);
}

QString gasVerdict(const NetworkVerification& v) {
    const GasLimits& l = v.gasLimits;
    const auto limitText = [](double value) {
        return VerdictNumber(value, 1) + QStringLiteral(" mbar");
    };
    const VerifiedPath* critical = v.criticalPath();
    if (v.passed) {
        bool mixed = false;
        for (const VerifiedPath& p : v.paths)
            mixed = mixed || *p.limit != *v.paths.front().limit;
        const QString limits =
            mixed ? QStringLiteral("i limiti di %1 (metano) e %2 (GPL)")
                        .arg(limitText(l.metano), limitText(l.gpl))
                  : QStringLiteral("il limite di %1").arg(limitText(*v.paths.front().limit));
        return QStringLiteral("La rete gas rispetta %1: %2.")
            .arg(limits, pathPhrase(v, *critical, true));
    }
    // The path furthest over its limit names the limit broken.
    const VerifiedPath* worst = nullptr;
    int over = 0;
    for (const VerifiedPath& p : v.paths) {
        if (p.passed)
            continue;
        ++over;
        if (!worst || p.loss - *p.limit > worst->loss - *worst->limit)
            worst = &p;
    }
    QString text = QStringLiteral("La rete gas supera il limite di %1: %2")
                       .arg(limitText(*worst->limit), pathPhrase(v, *worst, worst == critical));
    if (over > 1)
        text += QStringLiteral(" (%1 percorsi oltre il limite)").arg(over);
    if (worst != critical)
        text += QStringLiteral("; ") + pathPhrase(v, *critical, true);
    return text + u'.';
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
    QString t = text.trimmed();
    t.replace(u',', u'.');
    double value = 0;
    if (!IsPlainNumberToken(t, &value) || !(value > 0) || !std::isfinite(value))
        return std::nullopt;
    return value;
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

NetworkVerification VerifyWater(const WaterTable& table, int count, const WaterLimits& limits) {
    NetworkVerification v;
    v.kind = NetworkKind::Water;
    v.waterLimits = limits;
    const auto required = WaterRequiredItems();
    bool everyItem = true;
    walkTree(v, table, count, [&](int r, VerifiedRow& row) {
        const WaterTable::Row& cells = table.row(r);
        everyItem = everyItem && RowHasEveryItem(cells, required);
        row.loss = waterLoss(cells);
        row.velocity =
            WaterVelocity(cells[WaterColumn::port].value(), cells[WaterColumn::diam].value());
        row.velocityPassed = row.velocity && WithinLimit(*row.velocity, limits.velocity);
        return row.velocityPassed;
    });
    for (VerifiedPath& p : v.paths) {
        p.limit = limits.head;
        p.passed = p.passed && (!limits.head || WithinLimit(p.loss, *limits.head));
    }
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
        const Cell& type = cells[GasColumn::tipoc];
        return type.isText() && type.textValue() == Gpl;
    });
    for (VerifiedPath& p : v.paths) {
        p.limit = p.passed ? limits.gpl : limits.metano;
        p.passed = WithinLimit(p.loss, *p.limit);
    }
    settle(v, everyItem, table,
           [](const GasSegmentTable& t, int n) { return CheckGasTable(t, n); });
    return v;
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
    Notice n;
    n.icon = NoticeIcon::Critical;
    n.row = row;
    n.text = QStringLiteral("Tronco n.") + RowNumberText(row) + QStringLiteral(": ");
    if (row > count)
        n.text += QStringLiteral("non è tra i tronchi digitati (%1).").arg(count);
    else if (row == 1)
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
