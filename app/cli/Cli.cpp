#include "cli/Cli.h"

#include "cli/CliOutputs.h"

#include "shell/ApplicationState.h"
#include "shell/NumberText.h"
#include "shell/SafeFile.h"
#include "water/ProjectFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int ExitFailedCheck = 1;
constexpr int ExitFileError = 2;

const char* const Usage =
    "Uso: tubarex-cli COMANDO ...\n"
    "\n"
    "Calcola e controlla i file dati di Tubarex (perdite di carico nelle tubazioni)\n"
    "senza aprire finestre.\n"
    "\n"
    "Comandi:\n"
    "  calc FILE [--json]   carica il progetto, calcola tutti i tronchi delle reti\n"
    "                       acqua e gas e stampa tabelle e totali (con --json in\n"
    "                       formato JSON)\n"
    "  check FILE           stampa i messaggi dei controlli dei dati immessi (acqua,\n"
    "                       gas, frontespizio), uno per riga\n"
    "  resave IN OUT        legge IN e lo riscrive in OUT senza calcolare nulla\n"
    "  print water|gas FILE (--pdf OUT | --text OUT | --docx OUT)\n"
    "                       stampa la tabella DATI E RISULTATI di una rete: in PDF\n"
    "                       (come la stampa diretta), come testo (una riga per riga\n"
    "                       stampata, pagine separate da un salto pagina) o come\n"
    "                       documento .docx (come la stampa con Word); prima esegue\n"
    "                       il controllo dei dati\n"
    "  form water|gas OUT.docx\n"
    "                       scrive il modello di acquisizione dati di una rete\n"
    "  sheet FILE OUT.docx  scrive la scheda dei dati del frontespizio\n"
    "  report FILE (--pdf OUT | --text OUT | --docx OUT)\n"
    "                       scrive la relazione tecnica (frontespizio, criteri di\n"
    "                       calcolo, legende e tabelle delle reti con tronchi) in PDF,\n"
    "                       come testo o come documento .docx; prima esegue il\n"
    "                       controllo dei dati di ogni rete con tronchi\n"
    "  --help               mostra questo aiuto\n"
    "\n"
    "Codici di uscita: 0 eseguito; 1 una rete con tronchi non supera il controllo\n"
    "(per report, anche nessun tronco in entrambe le reti);\n"
    "2 file illeggibile, non valido o non scrivibile, oppure comando errato.\n";

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

int calc(const QString& path, bool json, QTextStream& out, QTextStream& err) {
    ApplicationState state;
    if (!LoadProjectForCli(state, path, err))
        return ExitFileError;
    RecalculateAllWaterRows(state);
    CalculateAllGasRows(state);
    const double waterTotal = WaterTotal(state, state.waterRows());
    const double gasTotal = GasTotal(state, state.gasRows());

    if (json) {
        QJsonObject cover;
        for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
            cover.insert(ProjectIdentification::fieldName(i), state.cover.field(i));
        QJsonObject root;
        root.insert(QStringLiteral("water"),
                    networkJson(state.water, state.waterRows(), waterTotal, WaterInputs,
                                WaterResults, WaterColumnName));
        root.insert(QStringLiteral("gas"), networkJson(state.gas, state.gasRows(), gasTotal,
                                                       GasInputs, GasResults, GasColumnName));
        root.insert(QStringLiteral("cover"), cover);
        out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
        return 0;
    }

    out << "Progetto: " << path << "\n\n";
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        out << ProjectIdentification::fieldName(i).leftJustified(12, u' ') << ' '
            << state.cover.field(i) << '\n';
    out << '\n';
    std::vector<int> water = WaterInputs;
    water.insert(water.end(), WaterResults.begin(), WaterResults.end());
    printNetwork(out, QStringLiteral("Rete acqua"), QStringLiteral("m"), state.water,
                 state.waterRows(), waterTotal, water, WaterColumnName);
    std::vector<int> gas = GasInputs;
    gas.insert(gas.end(), GasResults.begin(), GasResults.end());
    printNetwork(out, QStringLiteral("Rete gas"), QStringLiteral("mbar"), state.gas,
                 state.gasRows(), gasTotal, gas, GasColumnName);
    return 0;
}

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

int check(const QString& path, QTextStream& out, QTextStream& err) {
    ApplicationState state;
    if (!LoadProjectForCli(state, path, err))
        return ExitFileError;
    const CheckOutcome water = CheckWaterData(state);
    const CheckOutcome gas = CheckGasData(state);
    out << "acqua: " << oneLine(water.notice.text) << '\n';
    out << "gas: " << oneLine(gas.notice.text) << '\n';
    out << "frontespizio: " << CheckCover(state.cover).text << '\n';
    const bool failed =
        (state.waterRows() > 0 && !water.passed) || (state.gasRows() > 0 && !gas.passed);
    return failed ? ExitFailedCheck : 0;
}

int resave(const QString& in, const QString& outPath, QTextStream& err) {
    ApplicationState state;
    if (!LoadProjectForCli(state, in, err))
        return ExitFileError;
    const QString message = SaveProjectFile(state, outPath);
    if (!message.isEmpty()) {
        err << "tubarex-cli: " << message << '\n';
        return ExitFileError;
    }
    return 0;
}

int usageError(const QString& message, QTextStream& err) {
    err << "tubarex-cli: " << message << "\n\n" << Usage;
    return ExitFileError;
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty())
        return usageError(QStringLiteral("manca il comando."), err);
    const QString& command = args[0];
    if (command == u"--help" || command == u"-h" || command == u"help") {
        out << Usage;
        return 0;
    }
    if (command == u"calc") {
        const bool json = args.contains(QStringLiteral("--json"));
        QStringList files = args.mid(1);
        files.removeAll(QStringLiteral("--json"));
        if (files.size() != 1)
            return usageError(QStringLiteral("calc vuole un file: calc FILE [--json]."), err);
        return calc(files[0], json, out, err);
    }
    if (command == u"check") {
        if (args.size() != 2)
            return usageError(QStringLiteral("check vuole un file: check FILE."), err);
        return check(args[1], out, err);
    }
    if (command == u"resave") {
        if (args.size() != 3)
            return usageError(QStringLiteral("resave vuole due file: resave IN OUT."), err);
        return resave(args[1], args[2], err);
    }
    if (command == u"print")
        return PrintCommand(args.mid(1), err);
    if (command == u"form")
        return FormCommand(args.mid(1), err);
    if (command == u"sheet")
        return SheetCommand(args.mid(1), err);
    if (command == u"report")
        return ReportCommand(args.mid(1), err);
    return usageError(QStringLiteral("comando sconosciuto %1.").arg(QuotedExcerpt(command)), err);
}
