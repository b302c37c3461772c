#include "cli/Cli.h"

#include "cli/CliCommandLine.h"
#include "cli/CliCommands.h"
#include "cli/CliOutputs.h"
#include "cli/CliProjects.h"

#include "core/file/ProjectFile.h"
#include "core/file/SafeFile.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"

#include <QFileDevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <functional>
#include <vector>

namespace {

QJsonValue cellJson(const Cell& cell) {
    if (cell.isNeverWritten())
        return QJsonValue(QJsonValue::Null);
    return cell.displayText();
}

QJsonValue resultJson(const Cell& cell) {
    if (cell.isNumber())
        return cell.numberValue();
    if (cell.isText() && !cell.textValue().isEmpty())
        return cell.value();
    return QJsonValue(QJsonValue::Null);
}

// The row number's name ("tronco") heads the tables and keys the rows.
QString rowNumberName(ColumnTable columns) {
    return columns.front().nameText();
}

// A network as the command line gives it: its columns from the network's
// column table, the inputs as typed, the results as numbers.
template <typename Network>
QJsonObject networkJson(const Network& network, double total, ColumnTable columns) {
    QJsonArray rows;
    for (int r = 1; r <= network.rows(); ++r) {
        QJsonObject row;
        row.insert(rowNumberName(columns), r);
        for (const ColumnFacts* c : CommandLineColumns(columns)) {
            const Cell& cell = network.at(r, c->column);
            row.insert(c->keyText(), c->result ? resultJson(cell) : cellJson(cell));
        }
        rows.append(row);
    }
    QJsonObject object;
    object.insert(QStringLiteral("count"), network.rows());
    object.insert(QStringLiteral("total"), total);
    object.insert(QStringLiteral("rows"), rows);
    return object;
}

// A plain text table, columns as wide as their widest entry.
class TextTable {
public:
    explicit TextTable(QStringList heads) { m_rows.append(std::move(heads)); }
    void add(QStringList row) { m_rows.append(std::move(row)); }
    void print(QTextStream& out) const {
        std::vector<qsizetype> widths(static_cast<size_t>(m_rows[0].size()), 0);
        for (const QStringList& row : m_rows) {
            for (qsizetype i = 0; i < row.size(); ++i)
                widths[static_cast<size_t>(i)] =
                    std::max(widths[static_cast<size_t>(i)], row[i].size());
        }
        for (const QStringList& row : m_rows) {
            QString line;
            for (qsizetype i = 0; i < row.size(); ++i) {
                if (i > 0)
                    line += QStringLiteral("  ");
                // Text columns left, numbers right: the first column and the
                // names of types read better left-aligned.
                line += row[i].rightJustified(widths[static_cast<size_t>(i)]);
            }
            out << line << '\n';
        }
    }

private:
    QList<QStringList> m_rows;
};

// Text of a cell for the readable listing: results rounded to the digits an
// engineer reads (Reynolds to 0.01, friction factor to 1e-6, velocity to
// the millimetre per second); the JSON form keeps full precision.
QString listingText(const Cell& cell, int decimals) {
    if (decimals < 0 || !cell.isNumber())
        return cell.displayText();
    const double scale = std::pow(10.0, decimals);
    return NumberToText(std::round(cell.numberValue() * scale) / scale);
}

template <typename Network>
void printNetwork(QTextStream& out, const QString& title, const QString& unit,
                  const Network& network, double total, ColumnTable columns) {
    const int count = network.rows();
    out << title << ": " << count << " tronchi, totale perdite " << NumberToText(total) << ' '
        << unit << '\n';
    if (count == 0) {
        out << '\n';
        return;
    }
    const auto shown = CommandLineColumns(columns);
    QStringList heads{rowNumberName(columns)};
    for (const ColumnFacts* c : shown)
        heads << c->keyText();
    TextTable t(heads);
    for (int r = 1; r <= count; ++r) {
        QStringList row{QString::number(r)};
        for (const ColumnFacts* c : shown)
            row << listingText(network.at(r, c->column), c->cliDecimals);
        t.add(row);
    }
    t.print(out);
    out << '\n';
}

// The fields of a line for a spreadsheet: separated by semicolons, a number
// with the chosen decimal mark, a field quoted where it holds a semicolon, a
// quote or a line break. A text that a spreadsheet would take for a formula
// (it starts with =, +, - or @ and is not a number) gets a leading
// apostrophe, so that it stays text.
class CsvLine {
public:
    explicit CsvLine(QChar decimal)
        : m_decimal(decimal) {}

    CsvLine& number(double value) { return field(NumberToText(value)); }
    CsvLine& field(const QString& value) {
        static const QRegularExpression numberForm(
            QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
        QString text = value;
        if (numberForm.match(text).hasMatch())
            text.replace(u'.', m_decimal);
        else if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
            text.prepend(u'\'');
        if (text.contains(u';') || text.contains(u'"') || text.contains(u'\n') ||
            text.contains(u'\r'))
            text =
                u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        m_fields << text;
        return *this;
    }
    QString text() const { return m_fields.join(u';') + u'\n'; }

private:
    QChar m_decimal;
    QStringList m_fields;
};

QString csvCell(const Cell& cell) {
    if (cell.isNumber())
        return NumberToText(cell.numberValue());
    return cell.displayText();
}

template <typename Network>
void csvNetwork(QTextStream& out, QChar decimal, const QString& title, const QString& unit,
                const Network& network, double total, ColumnTable columns) {
    const int count = network.rows();
    out << CsvLine(decimal)
               .field(title)
               .field(QStringLiteral("tronchi"))
               .number(count)
               .field(QStringLiteral("totale perdite"))
               .number(total)
               .field(unit)
               .text();
    const auto shown = CommandLineColumns(columns);
    if (count > 0) {
        CsvLine heads(decimal);
        heads.field(rowNumberName(columns));
        for (const ColumnFacts* c : shown)
            heads.field(c->keyText());
        out << heads.text();
    }
    for (int r = 1; r <= count; ++r) {
        CsvLine row(decimal);
        row.number(r);
        for (const ColumnFacts* c : shown)
            row.field(csvCell(network.at(r, c->column)));
        out << row.text();
    }
    out << '\n';
}

// The totals of every row, as the windows show them once their bands have
// gone through the tables.
struct Totals {
    double water = 0;
    double gas = 0;
};

Totals totalsOf(const Project& project) {
    return {project.water.WaterTotal(project.water.rows()),
            project.gas.GasTotal(project.gas.rows())};
}

QJsonObject calcJson(const ApplicationState& state, const Totals& totals) {
    QJsonObject cover;
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        cover.insert(ProjectIdentification::fieldName(i), state.project.cover.field(i));
    QJsonObject root;
    root.insert(QStringLiteral("water"),
                networkJson(state.project.water, totals.water, WaterColumns()));
    root.insert(QStringLiteral("gas"), networkJson(state.project.gas, totals.gas, GasColumns()));
    root.insert(QStringLiteral("cover"), cover);
    return root;
}

void calcText(const ApplicationState& state, const Totals& totals, const QString& path,
              QTextStream& out) {
    out << "Progetto: " << path << "\n\n";
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        out << ProjectIdentification::fieldName(i).leftJustified(12, u' ') << ' '
            << state.project.cover.field(i) << '\n';
    out << '\n';
    printNetwork(out, QStringLiteral("Rete acqua"), QStringLiteral("m"), state.project.water,
                 totals.water, WaterColumns());
    printNetwork(out, QStringLiteral("Rete gas"), QStringLiteral("mbar"), state.project.gas,
                 totals.gas, GasColumns());
}

void calcCsv(const ApplicationState& state, const Totals& totals, const QString& path,
             QChar decimal, QTextStream& out) {
    out << CsvLine(decimal).field(QStringLiteral("Progetto")).field(path).text();
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        out << CsvLine(decimal)
                   .field(ProjectIdentification::fieldName(i))
                   .field(state.project.cover.field(i))
                   .text();
    out << '\n';
    csvNetwork(out, decimal, QStringLiteral("Rete acqua"), QStringLiteral("m"), state.project.water,
               totals.water, WaterColumns());
    csvNetwork(out, decimal, QStringLiteral("Rete gas"), QStringLiteral("mbar"), state.project.gas,
               totals.gas, GasColumns());
}

} // namespace

int CalcCommand(const CliCommandLine& line, const CliIo& io) {
    const bool json = line.has("json");
    const bool csv = line.has("csv");
    const QString mark = line.value("csv");
    if (csv && !mark.isEmpty() && mark != u"," && mark != u".")
        return UsageError(line,
                          QStringLiteral("--csv vuole il separatore decimale, la virgola o il "
                                         "punto (--csv=, oppure --csv=.), non %1.")
                              .arg(QuotedExcerpt(mark)),
                          io.err);
    if (!ReadsStandardInputOnce(line, io.err))
        return ExitFileError;
    const QChar decimal = mark == u"." ? u'.' : u',';
    const bool several = line.arguments.size() > 1;
    return EachProject(
        line, io, json, [&](ApplicationState& state, const QString& path, QJsonArray& list) {
            const Totals totals = totalsOf(state.project);
            if (json && several) {
                QJsonObject object = calcJson(state, totals);
                object.insert(QStringLiteral("file"), path);
                list.append(object);
            } else if (json) {
                io.out << QString::fromUtf8(
                    QJsonDocument(calcJson(state, totals)).toJson(QJsonDocument::Indented));
            } else if (csv) {
                calcCsv(state, totals, path, decimal, io.out);
            } else {
                calcText(state, totals, path, io.out);
            }
            return 0;
        });
}

namespace {

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

QJsonValue orNull(int index, QString (*name)(int)) {
    if (index <= 0)
        return QJsonValue(QJsonValue::Null);
    return name ? QJsonValue(name(index)) : QJsonValue(index);
}

QJsonObject checkJson(int count, const CheckOutcome& outcome, QString (*name)(int)) {
    QJsonObject network;
    network.insert(QStringLiteral("count"), count);
    network.insert(QStringLiteral("passed"), outcome.passed);
    network.insert(QStringLiteral("message"), QString(outcome.notice.text).replace(u'\r', u'\n'));
    network.insert(QStringLiteral("row"), orNull(outcome.notice.row, nullptr));
    network.insert(QStringLiteral("column"), orNull(outcome.notice.column, name));
    return network;
}

} // namespace

int CheckCommand(const CliCommandLine& line, const CliIo& io) {
    return ReportEachProject(line, io, [](ApplicationState& state) {
        const CheckOutcome water = CheckWaterData(state);
        const CheckOutcome gas = CheckGasData(state);
        const Notice cover = CheckCover(state.project.cover);
        const bool failed = (state.project.water.rows() > 0 && !water.passed) ||
                            (state.project.gas.rows() > 0 && !gas.passed);
        ProjectReport r;
        r.status = failed ? ExitFailedCheck : 0;
        r.json.insert(QStringLiteral("water"),
                      checkJson(state.project.water.rows(), water, WaterColumnName));
        r.json.insert(QStringLiteral("gas"),
                      checkJson(state.project.gas.rows(), gas, GasColumnName));
        QJsonObject coverObject;
        coverObject.insert(QStringLiteral("passed"), cover.icon == NoticeIcon::Information);
        coverObject.insert(QStringLiteral("message"), cover.text);
        r.json.insert(QStringLiteral("cover"), coverObject);
        r.json.insert(QStringLiteral("status"), r.status);
        r.lines << QStringLiteral("acqua: ") + oneLine(water.notice.text)
                << QStringLiteral("gas: ") + oneLine(gas.notice.text)
                << QStringLiteral("frontespizio: ") + cover.text;
        return r;
    });
}

int ResaveCommand(const CliCommandLine& line, const CliIo& io) {
    // The file as it was read, nothing computed.
    const Result<ProjectData> read = ReadProjectForCli(line.arguments[0], io);
    if (!read)
        return ExitFileError;
    return WriteProjectForCli(read.value(), line.arguments[1], io);
}

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err, QIODevice* input) {
    const CliCommandLine line = ParseCliCommandLine(arguments);
    int status = 0;
    switch (line.action) {
    case CliCommandLine::Action::Help:
        out << (line.command ? CliCommandHelp(*line.command) : CliGeneralHelp());
        break;
    case CliCommandLine::Action::Version:
        out << VersionLine(QStringLiteral("tubarex-cli"));
        break;
    case CliCommandLine::Action::Error:
        if (line.command)
            return UsageError(line, line.error, err);
        err << "tubarex-cli: " << line.error << "\n\n" << CliGeneralHelp();
        return ExitFileError;
    case CliCommandLine::Action::Run:
        status = line.command->run(line, CliIo{out, err, input});
        break;
    }
    // Results that never reached their reader (a full disk, a closed pipe)
    // are a failure, not a success.
    errno = 0;
    out.flush();
    if (out.status() == QTextStream::WriteFailed) {
        const int code = errno;
        const auto* file = qobject_cast<const QFileDevice*>(out.device());
        err << "tubarex-cli: "
            << QStringLiteral("Impossibile scrivere su %1: %2.")
                   .arg(QuotedPath(QLatin1String(StandardOutputName)),
                        FileErrorReason(file ? file->error() : QFileDevice::WriteError, code))
            << '\n';
        return ExitFileError;
    }
    return status;
}
