#include "core/file/ProjectFile.h"

#include "core/file/ExtensionBlock.h"
#include "core/file/RecordForm.h"
#include "core/file/SafeFile.h"
#include "core/file/Windows1252.h"
#include "core/model/NumberText.h"

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
            Result<Cell> value = ReadRecordValue(raw[i]);
            if (!value) {
                m_error = QStringLiteral("riga %1 (%2), valore %3: %4")
                              .arg(lineNumber)
                              .arg(what)
                              .arg(i + 1)
                              .arg(value.error());
                return false;
            }
            out[static_cast<size_t>(i)] = std::move(value).value();
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
Result<> appendRows(QByteArray& out, const Table& table, int count,
                    const std::array<int, N>& columns, const QString& network,
                    QString (*columnName)(int)) {
    for (int r = 1; r <= count; ++r) {
        for (size_t i = 0; i < N; ++i) {
            if (i > 0)
                out.append(',');
            if (!AppendRecordCell(out, table.at(r, columns[i])))
                return Result<>::failure(
                    refusedText(QStringLiteral("il tronco n. %1 della rete %2, colonna %3")
                                    .arg(r)
                                    .arg(network, quoted(columnName(columns[i])))));
        }
        out.append(CRLF);
    }
    return {};
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

// What the writer reads of a project or of a file as it was read.
struct FileContent {
    const std::optional<int>& waterCount;
    const WaterTable& water;
    const std::optional<int>& gasCount;
    const GasSegmentTable& gas;
    const ProjectIdentification& cover;
    const ProjectExtension& extension;
};

Result<QByteArray> build(const FileContent& c, FileRows rows) {
    const auto failure = [](const QString& why) { return Result<QByteArray>::failure(why); };
    const std::optional<int> waterRows =
        rowsWritten(c.water, c.waterCount, WaterRecordColumns, rows);
    const std::optional<int> gasRows = rowsWritten(c.gas, c.gasCount, GasRecordColumns, rows);
    QByteArray out;
    out.reserve(64 * (waterRows.value_or(0) + gasRows.value_or(0) + 4));
    appendCount(out, waterRows);
    if (const Result<> water = appendRows(out, c.water, waterRows.value_or(0), WaterRecordColumns,
                                          QStringLiteral("acqua"), WaterColumnName);
        !water)
        return FailureOf<QByteArray>(water);
    appendCount(out, gasRows);
    if (const Result<> gas = appendRows(out, c.gas, gasRows.value_or(0), GasRecordColumns,
                                        QStringLiteral("gas"), GasColumnName);
        !gas)
        return FailureOf<QByteArray>(gas);
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
        if (i > 0)
            out.append(',');
        if (!AppendRecordCell(out, Cell::text(c.cover.field(i))))
            return failure(refusedText(QStringLiteral("il campo %1 del frontespizio")
                                           .arg(quoted(ProjectIdentification::fieldName(i)))));
    }
    out.append(CRLF);
    AppendExtensionBlock(out, c.extension, c.water, waterRows.value_or(0), c.gas,
                         gasRows.value_or(0));
    return out;
}

} // namespace

Result<ProjectData> ParseProjectFile(const QByteArray& bytes) {
    const auto failure = [](const QString& why) { return Result<ProjectData>::failure(why); };
    if (bytes.isEmpty())
        return failure(QStringLiteral("il file è vuoto."));
    Reader in(Windows1252::decode(bytes));
    ProjectData data;
    std::vector<Cell> values;

    if (!in.count(QStringLiteral("il numero dei tronchi acqua"), data.WaterRowCount))
        return failure(in.error());
    for (int r = 1; r <= data.WaterRowCount.value_or(0); ++r) {
        if (!in.record(12, QStringLiteral("tronco acqua n. %1").arg(r), values))
            return failure(in.error());
        for (size_t i = 0; i < WaterRecordColumns.size(); ++i)
            data.water.at(r, WaterRecordColumns[i]) = values[i];
    }

    if (!in.count(QStringLiteral("il numero dei tronchi gas"), data.GasRowCount))
        return failure(in.error());
    for (int r = 1; r <= data.GasRowCount.value_or(0); ++r) {
        if (!in.record(13, QStringLiteral("tronco gas n. %1").arg(r), values))
            return failure(in.error());
        for (size_t i = 0; i < GasRecordColumns.size(); ++i)
            data.gas.at(r, GasRecordColumns[i]) = values[i];
    }

    // The cover record is named by the word the cover page goes by.
    if (!in.record(ProjectIdentification::FieldCount,
                   QStringLiteral("frontespizio"), // text, not a window name
                   values))
        return failure(in.error());
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        data.cover.field(i) = values[static_cast<size_t>(i)].displayText();

    const Result<> block = ReadExtensionBlock(in.rest(), in.nextLineNumber(), data);
    if (!block)
        return FailureOf<ProjectData>(block);
    return data;
}

Result<QByteArray> BuildProjectFile(const Project& project, FileRows rows) {
    return build({project.water.count(), project.water.table(), project.gas.count(),
                  project.gas.table(), project.cover, project.extension()},
                 rows);
}

Result<QByteArray> BuildProjectFile(const ProjectData& data) {
    return build(
        {data.WaterRowCount, data.water, data.GasRowCount, data.gas, data.cover, data.extension},
        FileRows::Counted);
}

Result<ProjectData> ReadProjectFile(const QString& path) {
    Result<QByteArray> read = ReadRegularFile(path);
    if (!read)
        return FailureOf<ProjectData>(read);
    return ReadProjectBytes(read.value(), path);
}

Result<ProjectData> ReadProjectBytes(const QByteArray& bytes, const QString& name) {
    Result<ProjectData> parsed = ParseProjectFile(bytes);
    if (!parsed)
        return Result<ProjectData>::failure(
            QStringLiteral("Il file %1 non è un file dati di Tubarex valido: %2 Il file non è "
                           "stato aperto e i dati presenti non sono cambiati.")
                .arg(QuotedPath(name), parsed.error()));
    return parsed;
}

Result<> WriteProjectFile(const Project& project, QIODevice& device) {
    const Result<QByteArray> built = BuildProjectFile(project);
    if (!built)
        return FailureOf<void>(built);
    if (device.write(built.value()) != built->size())
        return Result<>::failure(
            QStringLiteral("errore di scrittura: %1").arg(device.errorString()));
    return {};
}

namespace {

// The whole text is built and checked before the file is touched.
Result<> saveBuilt(const Result<QByteArray>& built, const QString& path) {
    if (!built)
        return FailureOf<void>(built);
    const Result<> replaced = ReplaceFile(path, built.value());
    if (replaced)
        return {};
    return Result<>::failure(QStringLiteral("Impossibile salvare il file %1: %2.%3")
                                 .arg(QuotedPath(path), replaced.error(), PreviousFileKept(path)));
}

} // namespace

Result<> SaveProjectFile(const Project& project, const QString& path, FileRows rows) {
    return saveBuilt(BuildProjectFile(project, rows), path);
}

Result<> SaveProjectFile(const ProjectData& data, const QString& path) {
    return saveBuilt(BuildProjectFile(data), path);
}
