#include "cli/Cli.h"

#include "cli/CliCommandLine.h"
#include "cli/CliCommands.h"
#include "cli/CliOutputs.h"
#include "cli/CliProjects.h"

#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "core/ProjectFile.h"
#include "core/SafeFile.h"
#include "core/StartOptions.h"

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

template <typename Table>
QJsonObject networkJson(const Table& table, int count, double total, const std::vector<int>& inputs,
                        const std::vector<int>& results, QString (*name)(int)) {
    QJsonArray rows;
    for (int r = 1; r <= count; ++r) {
        QJsonObject row;
        row.insert(QStringLiteral("tronco"), r);
        for (const int c : inputs)
            row.insert(name(c), cellJson(table.at(r, c)));
        for (const int c : results)
            row.insert(name(c), resultJson(table.at(r, c)));
        rows.append(row);
    }
    QJsonObject network;
    network.insert(QStringLiteral("count"), count);
    network.insert(QStringLiteral("total"), total);
    network.insert(QStringLiteral("rows"), rows);
    return network;
}

const std::vector<int> WaterInputs = {WaterColumn::lungh, WaterColumn::diam,  WaterColumn::port,
                                      WaterColumn::tipoc, WaterColumn::sca,   WaterColumn::c45,
                                      WaterColumn::c90,   WaterColumn::c91,   WaterColumn::tes,
                                      WaterColumn::croc,  WaterColumn::sarac, WaterColumn::valv};
const std::vector<int> WaterResults = {WaterColumn::perd};
const std::vector<int> GasInputs = {GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas,
                                    GasColumn::tipoc, GasColumn::diam,   GasColumn::cu45,
                                    GasColumn::cu90,  GasColumn::cu91,   GasColumn::rt,
                                    GasColumn::rx,    GasColumn::rs,     GasColumn::rv};
const std::vector<int> GasResults = {GasColumn::visc, GasColumn::mas,    GasColumn::pcs,
                                     GasColumn::pci,  GasColumn::luvirt, GasColumn::rey,
                                     GasColumn::attr, GasColumn::vel,    GasColumn::perd};

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

int listingDecimals(QString (*name)(int), int column) {
    if (name == GasColumnName) {
        if (column == GasColumn::rey)
            return 2;
        if (column == GasColumn::attr)
            return 6;
        if (column == GasColumn::vel)
            return 3;
    }
    return -1;
}

template <typename Table>
void printNetwork(QTextStream& out, const QString& title, const QString& unit, const Table& table,
                  int count, double total, const std::vector<int>& columns, QString (*name)(int)) {
    out << title << ": " << count << " tronchi, totale perdite " << NumberToText(total) << ' '
        << unit << '\n';
    if (count == 0) {
        out << '\n';
        return;
    }
    QStringList heads{QStringLiteral("tronco")};
    for (const int c : columns)
        heads << name(c);
    TextTable t(heads);
    for (int r = 1; r <= count; ++r) {
        QStringList row{QString::number(r)};
        for (const int c : columns)
            row << listingText(table.at(r, c), listingDecimals(name, c));
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

template <typename Table>
void csvNetwork(QTextStream& out, QChar decimal, const QString& title, const QString& unit,
                const Table& table, int count, double total, const std::vector<int>& columns,
                QString (*name)(int)) {
    out << CsvLine(decimal)
               .field(title)
               .field(QStringLiteral("tronchi"))
               .number(count)
               .field(QStringLiteral("totale perdite"))
               .number(total)
               .field(unit)
               .text();
    if (count > 0) {
        CsvLine heads(decimal);
        heads.field(QStringLiteral("tronco"));
        for (const int c : columns)
            heads.field(name(c));
        out << heads.text();
    }
    for (int r = 1; r <= count; ++r) {
        CsvLine row(decimal);
        row.number(r);
        for (const int c : columns)
            row.field(csvCell(table.at(r, c)));
        out << row.text();
    }
    out << '\n';
}

std::vector<int> allColumns(const std::vector<int>& inputs, const std::vector<int>& results) {
    std::vector<int> columns = inputs;
    columns.insert(columns.end(), results.begin(), results.end());
    return columns;
}

struct Totals {
    double water = 0;
    double gas = 0;
};

Totals computeAll(ApplicationState& state) {
    RecalculateAllWaterRows(state);
    CalculateAllGasRows(state);
    return {WaterTotal(state, state.waterRows()), GasTotal(state, state.gasRows())};
}

QJsonObject calcJson(const ApplicationState& state, const Totals& totals) {
    QJsonObject cover;
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        cover.insert(ProjectIdentification::fieldName(i), state.cover.field(i));
    QJsonObject root;
    root.insert(QStringLiteral("water"), networkJson(state.water, state.waterRows(), totals.water,
                                                     WaterInputs, WaterResults, WaterColumnName));
    root.insert(QStringLiteral("gas"), networkJson(state.gas, state.gasRows(), totals.gas,
                                                   GasInputs, GasResults, GasColumnName));
    root.insert(QStringLiteral("cover"), cover);
    return root;
}

void calcText(const ApplicationState& state, const Totals& totals, const QString& path,
              QTextStream& out) {
    out << "Progetto: " << path << "\n\n";
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        out << ProjectIdentification::fieldName(i).leftJustified(12, u' ') << ' '
            << state.cover.field(i) << '\n';
    out << '\n';
    printNetwork(out, QStringLiteral("Rete acqua"), QStringLiteral("m"), state.water,
                 state.waterRows(), totals.water, allColumns(WaterInputs, WaterResults),
                 WaterColumnName);
    printNetwork(out, QStringLiteral("Rete gas"), QStringLiteral("mbar"), state.gas,
                 state.gasRows(), totals.gas, allColumns(GasInputs, GasResults), GasColumnName);
}

void calcCsv(const ApplicationState& state, const Totals& totals, const QString& path,
             QChar decimal, QTextStream& out) {
    out << CsvLine(decimal).field(QStringLiteral("Progetto")).field(path).text();
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        out << CsvLine(decimal)
                   .field(ProjectIdentification::fieldName(i))
                   .field(state.cover.field(i))
                   .text();
    out << '\n';
    csvNetwork(out, decimal, QStringLiteral("Rete acqua"), QStringLiteral("m"), state.water,
               state.waterRows(), totals.water, allColumns(WaterInputs, WaterResults),
               WaterColumnName);
    csvNetwork(out, decimal, QStringLiteral("Rete gas"), QStringLiteral("mbar"), state.gas,
               state.gasRows(), totals.gas, allColumns(GasInputs, GasResults), GasColumnName);
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
            const Totals totals = computeAll(state);
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
        const Notice cover = CheckCover(state.cover);
        const bool failed =
            (state.waterRows() > 0 && !water.passed) || (state.gasRows() > 0 && !gas.passed);
        ProjectReport r;
        r.status = failed ? ExitFailedCheck : 0;
        r.json.insert(QStringLiteral("water"),
                      checkJson(state.waterRows(), water, WaterColumnName));
        r.json.insert(QStringLiteral("gas"), checkJson(state.gasRows(), gas, GasColumnName));
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
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io).isEmpty())
        return ExitFileError;
    const QString& target = line.arguments[1];
    return WriteProjectForCli(state, target, io);
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
