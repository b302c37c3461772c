#include "core/ProjectFile.h"

#include "core/ApplicationState.h"
#include "core/ExtensionBlock.h"
#include "core/NumberText.h"
#include "core/RecordForm.h"
#include "core/SafeFile.h"
#include "core/Windows1252.h"

#include <QIODevice>
#include <QStringList>

#include <cmath>
#include <vector>

namespace {

constexpr const char* CRLF = RecordLineEnd;

QString quoted(const QString& s) {
    return QStringLiteral("«") + s + QStringLiteral("»");
}

class Reader {
public:
    // The lines are views into the text the reader keeps.
    explicit Reader(const QString& text)
        : m_text(text)
        , m_lines(SplitRecordLines(m_text)) {}

    // The values of the next record, which must hold exactly `count` of them.
    bool record(int count, const QString& what, std::vector<Cell>& out) {
        if (m_next >= m_lines.size()) {
            m_error = QStringLiteral("il file finisce prima di %1.").arg(what);
            return false;
        }
        const int lineNumber = static_cast<int>(m_next) + 1;
        SplitRecordValues(m_lines[m_next++], m_raw);
        const QList<QStringView>& raw = m_raw;
        if (raw.size() != count) {
            m_error = QStringLiteral("riga %1 (%2): attesi %3 valori, trovati %4.")
                          .arg(lineNumber)
                          .arg(what)
                          .arg(count)
                          .arg(raw.size());
            return false;
        }
        out.assign(static_cast<size_t>(count), Cell());
        for (int i = 0; i < count; ++i) {
            const QString why = ReadRecordValue(raw[i], out[static_cast<size_t>(i)]);
            if (!why.isEmpty()) {
                m_error = QStringLiteral("riga %1 (%2), valore %3: %4")
                              .arg(lineNumber)
                              .arg(what)
                              .arg(i + 1)
                              .arg(why);
                return false;
            }
        }
        return true;
    }

    // A row count: nothing (never set) or a whole number 0..500.
    bool count(const QString& what, std::optional<int>& out) {
        std::vector<Cell> v;
        if (!record(1, what, v))
            return false;
        if (v[0].isNeverWritten()) {
            out.reset();
            return true;
        }
        const bool whole = v[0].isNumber() && v[0].numberValue() >= 0 &&
                           v[0].numberValue() <= MaxRows &&
                           v[0].numberValue() == std::floor(v[0].numberValue());
        if (!whole) {
            m_error = QStringLiteral("riga %1: %2 deve essere un numero intero da 0 a 500, trovato "
                                     "%3.")
                          .arg(m_next)
                          .arg(what)
                          .arg(QuotedExcerpt(m_lines[m_next - 1]));
            return false;
        }
        out = static_cast<int>(v[0].numberValue());
        return true;
    }

    // The lines after the last record read, and the number of the first.
    QList<QStringView> rest() const { return m_lines.mid(m_next); }
    int nextLineNumber() const { return static_cast<int>(m_next) + 1; }

    const QString& error() const { return m_error; }

private:
    QString m_text;
    QList<QStringView> m_lines;
    QList<QStringView> m_raw;
    qsizetype m_next = 0;
    QString m_error;
};

QString refusedText(const QString& where) {
    return QStringLiteral("Impossibile salvare: %1 contiene un carattere che il file dati non può "
                          "contenere (le virgolette \", un a capo o un simbolo estraneo alla "
                          "codifica Windows-1252). Correggere il dato e salvare di nuovo.")
        .arg(where);
}

template <typename Table, size_t N>
bool appendRows(QByteArray& out, const Table& table, int count, const std::array<int, N>& columns,
                const QString& network, QString (*columnName)(int), QString& error) {
    for (int r = 1; r <= count; ++r) {
        for (size_t i = 0; i < N; ++i) {
            if (i > 0)
                out.append(',');
            if (!AppendRecordCell(out, table.at(r, columns[i]))) {
                error = refusedText(QStringLiteral("il tronco n. %1 della rete %2, colonna %3")
                                        .arg(r)
                                        .arg(network, quoted(columnName(columns[i]))));
                return false;
            }
        }
        out.append(CRLF);
    }
    return true;
}

void appendCount(QByteArray& out, const std::optional<int>& count) {
    if (count)
        out.append(NumberToFileText(*count).toLatin1());
    out.append(CRLF);
}

// The count a file writes for a table.
template <int Columns, size_t N>
std::optional<int> rowsWritten(const SegmentTable<Columns>& table, const std::optional<int>& count,
                               const std::array<int, N>& columns, FileRows rows) {
    if (rows == FileRows::Counted)
        return count;
    for (int r = MaxRows; r > count.value_or(0); --r) {
        for (const int c : columns) {
            if (!table.at(r, c).isEmpty())
                return r;
        }
    }
    return count;
}

} // namespace

std::variant<ProjectData, QString> ParseProjectFile(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return QStringLiteral("il file è vuoto.");
    Reader in(Windows1252::decode(bytes));
    ProjectData data;
    std::vector<Cell> values;

    if (!in.count(QStringLiteral("il numero dei tronchi acqua"), data.waterCount))
        return in.error();
    for (int r = 1; r <= data.waterCount.value_or(0); ++r) {
        if (!in.record(12, QStringLiteral("tronco acqua n. %1").arg(r), values))
            return in.error();
        for (size_t i = 0; i < WaterRecordColumns.size(); ++i)
            data.water.at(r, WaterRecordColumns[i]) = values[i];
    }

    if (!in.count(QStringLiteral("il numero dei tronchi gas"), data.gasCount))
        return in.error();
    for (int r = 1; r <= data.gasCount.value_or(0); ++r) {
        if (!in.record(13, QStringLiteral("tronco gas n. %1").arg(r), values))
            return in.error();
        for (size_t i = 0; i < GasRecordColumns.size(); ++i)
            data.gas.at(r, GasRecordColumns[i]) = values[i];
    }

    if (!in.record(ProjectIdentification::FieldCount, QStringLiteral("frontespizio"), values))
        return in.error();
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        data.cover.field(i) = values[static_cast<size_t>(i)].displayText();

    const QString block = ReadExtensionBlock(in.rest(), in.nextLineNumber(), data);
    if (!block.isEmpty())
        return block;
    return data;
}

std::variant<QByteArray, QString> BuildProjectFile(const ApplicationState& state, FileRows rows) {
    const std::optional<int> waterRows =
        rowsWritten(state.water, state.WaterRowCount, WaterRecordColumns, rows);
    const std::optional<int> gasRows =
        rowsWritten(state.gas, state.GasRowCount, GasRecordColumns, rows);
    QByteArray out;
    out.reserve(64 * (waterRows.value_or(0) + gasRows.value_or(0) + 4));
    QString error;
    appendCount(out, waterRows);
    if (!appendRows(out, state.water, waterRows.value_or(0), WaterRecordColumns,
                    QStringLiteral("acqua"), WaterColumnName, error))
        return error;
    appendCount(out, gasRows);
    if (!appendRows(out, state.gas, gasRows.value_or(0), GasRecordColumns, QStringLiteral("gas"),
                    GasColumnName, error))
        return error;
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
        if (i > 0)
            out.append(',');
        if (!AppendRecordCell(out, Cell::text(state.cover.field(i))))
            return refusedText(QStringLiteral("il campo %1 del frontespizio")
                                   .arg(quoted(ProjectIdentification::fieldName(i))));
    }
    out.append(CRLF);
    AppendExtensionBlock(out, state, waterRows.value_or(0), gasRows.value_or(0));
    return out;
}

void ApplyProjectData(ApplicationState& state, ProjectData data) {
    state.WaterRowCount = data.waterCount;
    state.water = std::move(data.water);
    state.GasRowCount = data.gasCount;
    state.gas = std::move(data.gas);
    state.cover = std::move(data.cover);
    state.extension = std::move(data.extension);
    state.WaterBandTop = 1;
    state.GasBandTop = 1;
    ++state.projectLoads;
    // What was undone before belongs to another project.
    state.waterHistory.reset();
    state.gasHistory.reset();
}

QString LoadProjectFile(ApplicationState& state, const QString& path) {
    auto read = ReadRegularFile(path);
    if (const QString* error = std::get_if<QString>(&read))
        return *error;
    const QString message = LoadProjectBytes(state, std::get<QByteArray>(read), path);
    if (message.isEmpty())
        state.CurrentFileName = path;
    return message;
}

QString LoadProjectBytes(ApplicationState& state, const QByteArray& bytes, const QString& name) {
    auto parsed = ParseProjectFile(bytes);
    if (const QString* reason = std::get_if<QString>(&parsed))
        return QStringLiteral("Il file %1 non è un file dati di Tubarex valido: %2 Il file non è "
                              "stato aperto e i dati presenti non sono cambiati.")
            .arg(QuotedPath(name), *reason);
    ApplyProjectData(state, std::get<ProjectData>(std::move(parsed)));
    return QString();
}

QString WriteProjectFile(const ApplicationState& state, QIODevice& device) {
    auto built = BuildProjectFile(state);
    if (const QString* reason = std::get_if<QString>(&built))
        return *reason;
    const QByteArray& bytes = std::get<QByteArray>(built);
    if (device.write(bytes) != bytes.size())
        return QStringLiteral("errore di scrittura: %1").arg(device.errorString());
    return QString();
}

QString SaveProjectFile(const ApplicationState& state, const QString& path, FileRows rows) {
    // The whole text is built and checked before the file is touched.
    auto built = BuildProjectFile(state, rows);
    if (const QString* reason = std::get_if<QString>(&built))
        return *reason;
    const QString reason = ReplaceFile(path, std::get<QByteArray>(built));
    if (reason.isEmpty())
        return reason;
    return QStringLiteral("Impossibile salvare il file %1: %2. Il file precedente non è stato "
                          "modificato.")
        .arg(QuotedPath(path), reason);
}
