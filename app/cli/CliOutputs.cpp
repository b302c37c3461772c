#include "cli/CliOutputs.h"

#include "gas/GasPrintout.h"
#include "report/CoverSheet.h"
#include "report/TechnicalReport.h"
#include "shell/ApplicationState.h"
#include "shell/DocxWriter.h"
#include "shell/InstallationSettings.h"
#include "shell/PainterPageSink.h"
#include "shell/PrinterPage.h"
#include "shell/SafeFile.h"
#include "shell/WordDocument.h"
#include "water/ProjectFile.h"
#include "water/WaterPrintout.h"

#include <QLocale>

namespace {

constexpr int ExitFailedCheck = 1;
constexpr int ExitFileError = 2;

int fail(QTextStream& err, const QString& message) {
    err << "tubarex-cli: " << message << '\n';
    return ExitFileError;
}

enum class Network { Water, Gas, Unknown };

Network networkOf(const QString& word) {
    if (word == u"water" || word == u"acqua")
        return Network::Water;
    if (word == u"gas")
        return Network::Gas;
    return Network::Unknown;
}

int writeDocx(const WordDocument& document, const QString& path, QTextStream& err) {
    QString error;
    if (!SaveDocx(document, path, &error))
        return fail(err, error);
    return 0;
}

int writeText(const QString& text, const QString& path, QTextStream& err) {
    const QString why = ReplaceFile(path, text.toUtf8());
    if (!why.isEmpty())
        return fail(err, QStringLiteral("impossibile scrivere il file %1: %2. Un file precedente "
                                        "con lo stesso nome non è stato modificato.")
                             .arg(QuotedPath(path), why));
    return 0;
}

} // namespace

bool LoadProjectForCli(ApplicationState& state, const QString& path, QTextStream& err) {
    InitApplicationState(state);
    InitMessageTitles(state);
    const QString message = LoadProjectFile(state, path);
    if (message.isEmpty())
        return true;
    err << "tubarex-cli: " << message << '\n';
    return false;
}

bool NeedsFonts(const QStringList& arguments) {
    return arguments.size() > 1 && (arguments[1] == u"print" || arguments[1] == u"report") &&
           arguments.contains(QStringLiteral("--pdf"));
}

int PrintCommand(const QStringList& args, QTextStream& err) {
    const QString usage = QStringLiteral(
        "print vuole la rete, il file e l'uscita: print water|gas FILE (--pdf OUT | --text OUT | "
        "--docx OUT).");
    if (args.size() != 4)
        return fail(err, usage);
    const Network network = networkOf(args[0]);
    const QString& option = args[2];
    const QString& output = args[3];
    if (network == Network::Unknown ||
        (option != u"--pdf" && option != u"--text" && option != u"--docx"))
        return fail(err, usage);

    ApplicationState state;
    if (!LoadProjectForCli(state, args[1], err))
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
        err << outcome.notice.text.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return ExitFailedCheck;
    }

    const auto listing = [&](PrinterPage& page) {
        if (network == Network::Water)
            PrintWaterListing(state, page);
        else
            PrintGasListing(state, page);
    };
    if (option == u"--text") {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        listing(page);
        page.endDocument();
        return writeText(recorder.text() + QLatin1Char('\n'), output, err);
    }
    if (option == u"--pdf") {
        QString error;
        if (!PrintToPdf(output, listing, &error))
            return fail(err, error);
        return 0;
    }
    // The document names the installation's owner as its author.
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    if (network == Network::Water)
        BuildWaterDocument(document, state, total, QLocale());
    else
        BuildGasDocument(document, state, total, QLocale());
    return writeDocx(document, output, err);
}

int FormCommand(const QStringList& args, QTextStream& err) {
    const Network network = args.size() == 2 ? networkOf(args[0]) : Network::Unknown;
    if (network == Network::Unknown)
        return fail(err, QStringLiteral("form vuole la rete e il file: form water|gas OUT.docx."));
    ApplicationState state;
    InitApplicationState(state);
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    if (network == Network::Water)
        BuildWaterForm(document, state);
    else
        BuildGasForm(document, state);
    return writeDocx(document, args[1], err);
}

int SheetCommand(const QStringList& args, QTextStream& err) {
    if (args.size() != 2)
        return fail(err, QStringLiteral("sheet vuole due file: sheet FILE OUT.docx."));
    ApplicationState state;
    if (!LoadProjectForCli(state, args[0], err))
        return ExitFileError;
    // The studio rows show the owner of this installation, as the window does.
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    WordDocument document;
    BuildCoverSheet(document, state);
    return writeDocx(document, args[1], err);
}

int ReportCommand(const QStringList& args, QTextStream& err) {
    if (args.size() != 3 || (args[1] != u"--pdf" && args[1] != u"--text" && args[1] != u"--docx"))
        return fail(err, QStringLiteral("report vuole il file e l'uscita: report FILE (--pdf OUT | "
                                        "--text OUT | --docx OUT)."));
    const QString& option = args[1];
    const QString& output = args[2];
    ApplicationState state;
    if (!LoadProjectForCli(state, args[0], err))
        return ExitFileError;
    // The designer who signs is the owner of this installation, as in the
    // window.
    LoadOwnerSettings(state, InstallationSettingsCandidates());

    // The window's refusal and input checks; with rows in both networks the
    // report holds both (the question is the window's).
    const ReportStart start = StartReport(state);
    if (start.step == ReportStep::Refuse || start.step == ReportStep::CheckFailed) {
        err << QString(start.notice.text).replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return ExitFailedCheck;
    }
    const ReportTotals totals = RecalculateReportNetworks(state);
    const auto report = [&](PrinterPage& page) { PrintTechnicalReport(state, page); };
    if (option == u"--text") {
        TextPageRecorder recorder;
        PrinterPage page(recorder);
        report(page);
        return writeText(recorder.text() + QLatin1Char('\n'), output, err);
    }
    if (option == u"--pdf") {
        QString error;
        if (!PrintToPdf(output, report, &error))
            return fail(err, error);
        return 0;
    }
    WordDocument document;
    BuildTechnicalReport(document, state, totals, QLocale());
    return writeDocx(document, output, err);
}
