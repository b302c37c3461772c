// The start of the technical report and its document route.
#include "documents/TechnicalReport.h"

#include "core/session/ApplicationState.h"
#include "documents/FlowsReport.h"
#include "documents/GasPrintout.h"
#include "documents/ReportCover.h"
#include "documents/ReportTexts.h"
#include "documents/VerificationReport.h"
#include "documents/WaterPrintout.h"
#include "documents/WordDocument.h"

#include <QLocale>

#include <optional>

namespace {

const QChar PageBreak(12);

// Columns of the document's data tables, which are right-aligned.
constexpr int WaterDataColumns = 13;
constexpr int GasDataColumns = 15;
constexpr int GasFittingsColumns = 8;

// A failed silent check: its notice, and the network it failed on.
std::optional<ReportStart> failedCheck(const CheckOutcome& outcome, NetworkKind network) {
    if (outcome.passed)
        return std::nullopt;
    return ReportStart{ReportStep::CheckFailed, outcome.notice, network};
}

void typeCriteria(WordDocument& doc, const std::vector<CriteriaParagraph>& text) {
    doc.setFontSize(12);
    for (const QString& paragraph : CriteriaDocumentParagraphs(text))
        doc.TypeText(paragraph + QLatin1Char('\r'));
}

} // namespace

ReportStart StartReport(ApplicationState& state) {
    if (state.project.water.rows() == 0 && state.project.gas.rows() == 0)
        return {ReportStep::Refuse,
                Notice{QStringLiteral("Non ci sono dati da stampare."), NoticeIcon::Critical}};
    if (state.project.water.rows() > 0) {
        state.view.WaterCheckQuiet = 1;
        if (auto failed = failedCheck(CheckWaterData(state), NetworkKind::Water))
            return *failed;
    }
    if (state.project.gas.rows() > 0) {
        state.view.GasCheckQuiet = 1;
        if (auto failed = failedCheck(CheckGasData(state), NetworkKind::Gas))
            return *failed;
    }
    if (state.project.water.rows() > 0 && state.project.gas.rows() > 0)
        return {ReportStep::AskBoth, Notice{}};
    return {};
}

QString ReportQuestion() {
    return QStringLiteral("Risultano immessi dati per entrambi i tipi di tubazioni (acqua e gas): "
                          "se si vuole solo un tipo di relazione cancellare con l'apposito tasto i "
                          "dati della finestra che non interessa.") +
           QLatin1Char('\r') +
           QStringLiteral("Si vuole la stampa completa di entrambe le elaborazioni?");
}

QString ReportQuestionTitle(const ApplicationState& state) {
    return state.program.ProgramName + QStringLiteral(": opzioni di stampa");
}

ReportTotals ReportNetworkTotals(const Project& project) {
    return {project.water.WaterTotal(project.water.rows()),
            project.gas.GasTotal(project.gas.rows())};
}

void BuildTechnicalReport(WordDocument& doc, const ApplicationState& state,
                          const ReportTotals& totals, const QLocale& locale) {
    const bool water = state.project.water.rows() > 0;
    const bool gas = state.project.gas.rows() > 0;
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName + QStringLiteral(": relazione tecnica"),
                      state.program.OwnerName);
    TypeReportCover(doc, state);

    // Each table stands after an empty paragraph, which keeps it apart from
    // the text or the table before it.
    if (water) {
        doc.setFontSize(16);
        doc.TypeText(QStringLiteral("Criteri di calcolo (tubi per acqua)\r\r"));
        typeCriteria(doc, WaterCriteria());
        doc.addParagraphAtEnd();
        AddWaterLegendTable(doc);
        doc.addParagraphAtEnd();
        AddWaterDataTable(doc, state.project, totals.water, locale);
    }
    if (gas) {
        doc.setFontSize(16);
        // After the cover's page break the gas section needs no other: it
        // opens the page that follows the cover.
        doc.TypeText((water ? QString(PageBreak) : QString()) +
                     QStringLiteral("CRITERI DI CALCOLO (tubi per gas)\r\r"));
        typeCriteria(doc, GasCriteria());
        doc.addParagraphAtEnd();
        AddGasLegendTable(doc);
        doc.addParagraphAtEnd();
        AddGasDataTable(doc, state.project, totals.gas, locale);
        doc.addParagraphAtEnd();
        AddGasFittingsTable(doc, state.project);
    }
    if (ReportsFlows(state))
        AddFlowsSection(doc, state);
    if (ReportsVerification(state))
        AddVerificationSection(doc, state);

    const ProjectIdentification& c = state.project.cover;
    doc.setFontSize(12);
    doc.TypeText(QStringLiteral("\r\r"));
    // The closing, from the page count to the signature, stays on one page.
    doc.setKeepWithNext(true);
    doc.TypeText(QStringLiteral("La presente relazione è composta di n. "));
    doc.TypePageCountField();
    doc.TypeText(QStringLiteral(" pagine.\r"));
    doc.TypeText(QStringLiteral("Si allegano: ") + c.allegati + QStringLiteral("\r\r"));
    // No place and no date, no line for them; no owner, no empty brackets.
    if (const QString place = ReportPlaceAndDate(c); !place.isEmpty())
        doc.TypeText(place + QStringLiteral("\r\r"));
    doc.TypeText(QStringLiteral("il progettista"));
    if (!state.program.OwnerName.isEmpty()) {
        doc.TypeText(QStringLiteral("\r"));
        doc.setKeepWithNext(false);
        doc.TypeText(QStringLiteral("(") + state.program.OwnerName + QStringLiteral(")"));
    }
    doc.setKeepWithNext(false);
    doc.setAlignment(WordAlignment::Justify);

    // Tables in document order: water legend and data, gas legend, data and
    // fittings.
    if (water)
        RightAlignTableColumns(doc, 2, WaterDataColumns);
    if (gas) {
        const int data = water ? 4 : 2;
        RightAlignTableColumns(doc, data, GasDataColumns);
        RightAlignTableColumns(doc, data + 1, GasFittingsColumns);
    }
    doc.collapseSelection();
}
