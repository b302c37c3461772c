#include "core/file/ExtensionBlock.h"

#include "core/file/RecordForm.h"
#include "core/file/SafeFile.h"
#include "core/file/Windows1252.h"
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

// The keys this version reads, in the order it writes them.
const QString* const KnownKeys[] = {&WaterUpstreamKey, &GasUpstreamKey, &WaterLimitsKey,
                                    &GasLimitsKey,     &ReportKey,      &SeriesKey};

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
        // The report option: 1 includes the verification, 0 leaves it out.
        if (!count(v, 2, number))
            return false;
        if (!v[1].isNumber() || (v[1].numberValue() != 0 && v[1].numberValue() != 1))
            return fail(number, QStringLiteral("valore 2: atteso 0 oppure 1, trovato %1.")
                                    .arg(QuotedExcerpt(v[1].displayText())));
        m_data.extension.reportVerification = v[1].numberValue() == 1;
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

    // Per row 1..k (k at most the count): empty for the row before, or a
    // whole number from 0 to the row before.
    template <typename Table>
    bool upstream(Table& table, int rows, const QString& network, const std::vector<Cell>& v,
                  int number) {
        const int given = static_cast<int>(v.size()) - 1;
        if (given > rows)
            return fail(number, QStringLiteral("%1 valori, ma i tronchi %2 sono %3.")
                                    .arg(given)
                                    .arg(network)
                                    .arg(rows));
        for (int r = 1; r <= given; ++r) {
            const Cell& cell = v[static_cast<size_t>(r)];
            if (cell.isNeverWritten())
                continue;
            const double m = cell.isNumber() ? cell.numberValue() : -1;
            if (m < 0 || m >= r || m != std::floor(m))
                return fail(number, QStringLiteral("il tronco a monte del tronco n. %1 deve essere "
                                                   "un numero intero da 0 a %2, trovato %3.")
                                        .arg(r)
                                        .arg(r - 1)
                                        .arg(QuotedExcerpt(cell.displayText())));
            table.setUpstream(r, static_cast<int>(m));
        }
        return true;
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

// The entry of a known key as the project now holds it; nothing when it
// holds the default.
std::vector<Cell> knownEntry(const QString& key, const ProjectExtension& x, const WaterTable& water,
                             int waterRows, const GasSegmentTable& gas, int gasRows) {
    if (key == WaterUpstreamKey)
        return upstreamEntry(key, water, waterRows);
    if (key == GasUpstreamKey)
        return upstreamEntry(key, gas, gasRows);
    if (key == WaterLimitsKey && !(x.waterLimits == WaterLimits{}))
        return {Cell::text(key), Cell::number(x.waterLimits.velocity),
                x.waterLimits.head ? Cell::number(*x.waterLimits.head) : Cell()};
    if (key == GasLimitsKey && !(x.gasLimits == GasLimits{}))
        return {Cell::text(key), Cell::number(x.gasLimits.metano), Cell::number(x.gasLimits.gpl)};
    if (key == ReportKey && x.reportVerification)
        return {Cell::text(key), Cell::number(1)};
    if (key == SeriesKey && !x.waterSeries.isEmpty())
        return {Cell::text(key), Cell::text(x.waterSeries)};
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
