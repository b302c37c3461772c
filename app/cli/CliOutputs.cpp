#include "cli/CliOutputs.h"
#include "cli/CliCommands.h"

#include "core/file/ProjectFile.h"
#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"
#include "core/session/InstallationSettings.h"
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

// The network a word names: "water" (or "acqua") or "gas".
std::optional<NetworkKind> networkOf(const QString& word) {
    if (word == u"water" || word == u"acqua")
        return NetworkKind::Water;
    if (word == u"gas")
        return NetworkKind::Gas;
    return std::nullopt;
}

// The network word, the first argument, names neither network.
int unknownNetwork(const CliCommandLine& line, const CliIo& io) {
    const QString word = QuotedExcerpt(line.arguments[0]);
    const QString wants = QStringLiteral("la rete water o gas, non %1").arg(word);
    return fail(io.err, line.command->usage(wants));
}

int writeDocx(const WordDocument& document, const QString& path, const CliIo& io) {
    if (isStandard(path)) {
        const Result<QByteArray> bytes = DocxPackage(document);
        if (!bytes)
            return fail(io.err,
                        QStringLiteral("Impossibile comporre il documento per %1: %2.")
                            .arg(QuotedPath(QLatin1String(StandardOutputName)), bytes.error()));
        return WriteStandardOutput(bytes.value(), io);
    }
    const Result<> saved = SaveDocx(document, path);
    return saved ? 0 : fail(io.err, saved.error());
}

int writeText(const QString& text, const QString& path, const CliIo& io) {
    if (isStandard(path))
        return WriteStandardOutput(text.toUtf8(), io);
    const Result<> replaced = ReplaceFile(path, text.toUtf8());
    if (!replaced)
        return fail(io.err, QStringLiteral("Impossibile scrivere il file %1: %2.%3")
                                .arg(QuotedPath(path), replaced.error(), PreviousFileKept(path)));
    return 0;
}

int writePdf(const std::function<void(PrinterPage&)>& body, const QString& path, const CliIo& io) {
    if (isStandard(path)) {
        const Result<QByteArray> pdf = ListingPdf(body, QLatin1String(StandardOutputName));
        if (!pdf)
            return fail(io.err, pdf.error());
        return WriteStandardOutput(pdf.value(), io);
    }
    const Result<> printed = PrintToPdf(path, body);
    return printed ? 0 : fail(io.err, printed.error());
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

namespace {

Result<ProjectData> readProject(const QString& path, const CliIo& io) {
    if (!isStandard(path))
        return ReadProjectFile(path);
    if (!io.input)
        return Result<ProjectData>::failure(
            QStringLiteral("Impossibile leggere %1: non è disponibile.")
                .arg(QuotedPath(QLatin1String(StandardInputName))));
    const Result<QByteArray> read = ReadWholeDevice(*io.input, QLatin1String(StandardInputName));
    if (!read)
        return FailureOf<ProjectData>(read);
    return ReadProjectBytes(read.value(), QLatin1String(StandardInputName));
}

} // namespace

Result<ProjectData> ReadProjectForCli(const QString& path, const CliIo& io) {
    Result<ProjectData> read = readProject(path, io);
    if (!read)
        io.err << "tubarex-cli: " << read.error() << '\n';
    return read;
}

Result<> LoadProjectForCli(ApplicationState& state, const QString& path, const CliIo& io) {
    InitApplicationState(state);
    InitMessageTitles(state);
    Result<ProjectData> read = ReadProjectForCli(path, io);
    if (!read)
        return FailureOf<void>(read);
    ApplyProjectData(state, std::move(read).value());
    return {};
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

namespace {

template <typename Content>
int writeProject(const Content& content, const QString& target, const CliIo& io) {
    if (target == u"-") {
        const Result<QByteArray> built = BuildProjectFile(content);
        if (!built)
            return fail(io.err, built.error());
        return WriteStandardOutput(built.value(), io);
    }
    const Result<> saved = SaveProjectFile(content, target);
    return saved ? 0 : fail(io.err, saved.error());
}

} // namespace

int WriteProjectForCli(const Project& project, const QString& target, const CliIo& io) {
    return writeProject(project, target, io);
}

int WriteProjectForCli(const ProjectData& data, const QString& target, const CliIo& io) {
    return writeProject(data, target, io);
}

bool NeedsFonts(const QStringList& arguments) {
    const CliCommandLine line = ParseCliCommandLine(arguments);
    // Only the commands that print a listing or the report take --pdf.
    return line.action == CliCommandLine::Action::Run && line.has("pdf");
}

int PrintCommand(const CliCommandLine& line, const CliIo& io) {
    const std::optional<NetworkKind> network = networkOf(line.arguments[0]);
    if (!network)
        return unknownNetwork(line, io);
    const Output output = outputOf(line);

    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[1], io))
        return ExitFileError;

    // The same silent check as the window's print command: a failure shows
    // the check's message and prints nothing. The total is that of every
    // row, as the window shows it once its band has gone through the table.
    const Project& project = state.project;
    CheckOutcome outcome;
    double total = 0;
    if (*network == NetworkKind::Water) {
        state.view.WaterCheckQuiet = 1;
        outcome = CheckWaterData(state);
        total = project.water.WaterTotal(project.water.rows());
    } else {
        state.view.GasCheckQuiet = 1;
        outcome = CheckGasData(state);
        total = project.gas.GasTotal(project.gas.rows());
    }
    if (!outcome.passed) {
        io.err << outcome.notice.text.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return ExitFailedCheck;
    }

    const auto listing = [&](PrinterPage& page) {
        if (*network == NetworkKind::Water)
            PrintWaterListing(project, page);
        else
            PrintGasListing(project, page);
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
    if (*network == NetworkKind::Water)
        BuildWaterDocument(document, state, total, QLocale());
    else
        BuildGasDocument(document, state, total, QLocale());
    return writeDocx(document, output.path, io);
}

int FormCommand(const CliCommandLine& line, const CliIo& io) {
    const std::optional<NetworkKind> network = networkOf(line.arguments[0]);
    if (!network)
        return unknownNetwork(line, io);
    ApplicationState state;
    InitApplicationState(state);
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    if (*network == NetworkKind::Water)
        BuildWaterForm(document, state);
    else
        BuildGasForm(document, state);
    return writeDocx(document, line.arguments[1], io);
}

int SheetCommand(const CliCommandLine& line, const CliIo& io) {
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io))
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
    if (!LoadProjectForCli(state, line.arguments[0], io))
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
    const ReportTotals totals = ReportNetworkTotals(state.project);
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
