#include "cli/CliOutputs.h"
#include "cli/CliCommands.h"

#include "core/ApplicationState.h"
#include "core/InstallationSettings.h"
#include "core/ProjectFile.h"
#include "core/SafeFile.h"
#include "documents/CoverSheet.h"
#include "documents/DocxWriter.h"
#include "documents/GasPrintout.h"
#include "documents/PainterPageSink.h"
#include "documents/PrinterPage.h"
#include "documents/TechnicalReport.h"
#include "documents/WaterPrintout.h"
#include "documents/WordDocument.h"

#include <QFileDevice>
#include <QLocale>

#include <cerrno>

namespace {

int fail(QTextStream& err, const QString& message) {
    err << "tubarex-cli: " << message << '\n';
    return ExitFileError;
}

bool isStandard(const QString& path) {
    return path == u"-";
}

enum class Network { Water, Gas, Unknown };

Network networkOf(const QString& word) {
    if (word == u"water" || word == u"acqua")
        return Network::Water;
    if (word == u"gas")
        return Network::Gas;
    return Network::Unknown;
}

// The network word, the first argument, names neither network.
int unknownNetwork(const CliCommandLine& line, const CliIo& io) {
    const QString word = QuotedExcerpt(line.arguments[0]);
    const QString wants = QStringLiteral("la rete water o gas, non %1").arg(word);
    return fail(io.err, line.command->usage(wants));
}

int writeDocx(const WordDocument& document, const QString& path, const CliIo& io) {
    QString error;
    if (isStandard(path)) {
        const QByteArray bytes = DocxPackage(document, &error);
        if (bytes.isEmpty())
            return fail(io.err, QStringLiteral("Impossibile comporre il documento per %1: %2.")
                                    .arg(QuotedPath(QLatin1String(StandardOutputName)), error));
        return WriteStandardOutput(bytes, io);
    }
    if (!SaveDocx(document, path, &error))
        return fail(io.err, error);
    return 0;
}

int writeText(const QString& text, const QString& path, const CliIo& io) {
    if (isStandard(path))
        return WriteStandardOutput(text.toUtf8(), io);
    const QString why = ReplaceFile(path, text.toUtf8());
    if (!why.isEmpty())
        return fail(io.err,
                    QStringLiteral("Impossibile scrivere il file %1: %2. Un file precedente "
                                   "con lo stesso nome non è stato modificato.")
                        .arg(QuotedPath(path), why));
    return 0;
}

int writePdf(const std::function<void(PrinterPage&)>& body, const QString& path, const CliIo& io) {
    if (isStandard(path)) {
        const auto pdf = ListingPdf(body, QLatin1String(StandardOutputName));
        if (const QString* why = std::get_if<QString>(&pdf))
            return fail(io.err, *why);
        return WriteStandardOutput(std::get<QByteArray>(pdf), io);
    }
    QString error;
    if (!PrintToPdf(path, body, &error))
        return fail(io.err, error);
    return 0;
}

// The output option given (exactly one, as the command line was read) and
// its file.
struct Output {
    QString kind; // "pdf", "text" or "docx"
    QString path;
};

Output outputOf(const CliCommandLine& line) {
    for (const char* kind : {"pdf", "text", "docx"})
        if (line.has(kind))
            return {QLatin1String(kind), line.value(kind)};
    return {};
}

} // namespace

QString LoadProjectForCli(ApplicationState& state, const QString& path, const CliIo& io) {
    InitApplicationState(state);
    InitMessageTitles(state);
    QString message;
    if (!isStandard(path)) {
        message = LoadProjectFile(state, path);
    } else if (!io.input) {
        message = QStringLiteral("Impossibile leggere %1: non è disponibile.")
                      .arg(QuotedPath(QLatin1String(StandardInputName)));
    } else {
        const auto read = ReadWholeDevice(*io.input, QLatin1String(StandardInputName));
        if (const QString* why = std::get_if<QString>(&read))
            message = *why;
        else
            message = LoadProjectBytes(state, std::get<QByteArray>(read),
                                       QLatin1String(StandardInputName));
    }
    if (!message.isEmpty())
        io.err << "tubarex-cli: " << message << '\n';
    return message;
}

int WriteStandardOutput(const QByteArray& bytes, const CliIo& io) {
    const auto failure = [&](const QString& why) {
        return fail(io.err, QStringLiteral("Impossibile scrivere su %1: %2.")
                                .arg(QuotedPath(QLatin1String(StandardOutputName)), why));
    };
    QIODevice* device = io.out.device();
    if (!device)
        return failure(QStringLiteral("non è disponibile"));
    io.out.flush();
    errno = 0;
    if (device->write(bytes) != bytes.size()) {
        const int code = errno;
        const auto* file = qobject_cast<const QFileDevice*>(device);
        return failure(FileErrorReason(file ? file->error() : QFileDevice::WriteError, code));
    }
    return 0;
}

int WriteProjectForCli(const ApplicationState& state, const QString& target, const CliIo& io) {
    if (target == u"-") {
        const auto built = BuildProjectFile(state);
        if (const QString* reason = std::get_if<QString>(&built)) {
            io.err << "tubarex-cli: " << *reason << '\n';
            return ExitFileError;
        }
        return WriteStandardOutput(std::get<QByteArray>(built), io);
    }
    const QString message = SaveProjectFile(state, target);
    if (!message.isEmpty()) {
        io.err << "tubarex-cli: " << message << '\n';
        return ExitFileError;
    }
    return 0;
}

bool NeedsFonts(const QStringList& arguments) {
    const CliCommandLine line = ParseCliCommandLine(arguments);
    // Only the commands that print a listing or the report take --pdf.
    return line.action == CliCommandLine::Action::Run && line.has("pdf");
}

int PrintCommand(const CliCommandLine& line, const CliIo& io) {
    const Network network = networkOf(line.arguments[0]);
    if (network == Network::Unknown)
        return unknownNetwork(line, io);
    const Output output = outputOf(line);

    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[1], io).isEmpty())
        return ExitFileError;

    // The same silent check as the window's print command: a failure shows
    // the check's message and prints nothing. Then every row is computed, as
    // the window's paging through the band does before printing.
    CheckOutcome outcome;
    double total = 0;
    if (network == Network::Water) {
        state.WaterCheckQuiet = 1;
        outcome = CheckWaterData(state);
        RecalculateAllWaterRows(state);
        total = WaterTotal(state, state.waterRows());
    } else {
        state.GasCheckQuiet = 1;
        outcome = CheckGasData(state);
        CalculateAllGasRows(state);
        total = GasTotal(state, state.gasRows());
    }
    if (!outcome.passed) {
        io.err << outcome.notice.text.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return ExitFailedCheck;
    }

    const auto listing = [&](PrinterPage& page) {
        if (network == Network::Water)
            PrintWaterListing(state, page);
        else
            PrintGasListing(state, page);
    };
    if (output.kind == u"text") {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        listing(page);
        page.endDocument();
        return writeText(recorder.text() + QLatin1Char('\n'), output.path, io);
    }
    if (output.kind == u"pdf")
        return writePdf(listing, output.path, io);
    // The document names the installation's owner as its author.
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    if (network == Network::Water)
        BuildWaterDocument(document, state, total, QLocale());
    else
        BuildGasDocument(document, state, total, QLocale());
    return writeDocx(document, output.path, io);
}

int FormCommand(const CliCommandLine& line, const CliIo& io) {
    const Network network = networkOf(line.arguments[0]);
    if (network == Network::Unknown)
        return unknownNetwork(line, io);
    ApplicationState state;
    InitApplicationState(state);
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    if (network == Network::Water)
        BuildWaterForm(document, state);
    else
        BuildGasForm(document, state);
    return writeDocx(document, line.arguments[1], io);
}

int SheetCommand(const CliCommandLine& line, const CliIo& io) {
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io).isEmpty())
        return ExitFileError;
    // The studio rows show the owner of this installation, as the window does.
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    BuildCoverSheet(document, state);
    return writeDocx(document, line.arguments[1], io);
}

int ReportCommand(const CliCommandLine& line, const CliIo& io) {
    const Output output = outputOf(line);
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io).isEmpty())
        return ExitFileError;
    // The designer who signs is the owner of this installation, as in the
    // window.
    LoadOwnerSettings(state, InstallationSettingsCandidates());

    // The window's refusal and input checks; with rows in both networks the
    // report holds both (the question is the window's).
    const ReportStart start = StartReport(state);
    if (start.step == ReportStep::Refuse || start.step == ReportStep::CheckFailed) {
        io.err << QString(start.notice.text).replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return ExitFailedCheck;
    }
    const ReportTotals totals = RecalculateReportNetworks(state);
    const auto report = [&](PrinterPage& page) { PrintTechnicalReport(state, page); };
    if (output.kind == u"text") {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        report(page);
        return writeText(recorder.text() + QLatin1Char('\n'), output.path, io);
    }
    if (output.kind == u"pdf")
        return writePdf(report, output.path, io);
    WordDocument document;
    BuildTechnicalReport(document, state, totals, QLocale());
    return writeDocx(document, output.path, io);
}
