// The cover page's data sheet as a word-processor document.
#include "documents/CoverSheet.h"

#include "core/session/ApplicationState.h"
#include "documents/WordDocument.h"

void BuildCoverSheet(WordDocument& doc, const ApplicationState& state) {
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName + QStringLiteral(": dati generali del progetto"),
                      state.program.OwnerName);
    doc.setFontName(QStringLiteral("Century Gothic"));
    doc.setFontSize(18);
    doc.TypeText(state.program.ProgramName + QLatin1Char('\r'));
    doc.setFontSize(12);
    doc.TypeText(state.program.ProgramSubtitle + QStringLiteral("\r\r"));
    doc.TypeText(QStringLiteral("Dati generali\r"));

    doc.addParagraphAtEnd();
    const int table = doc.addTableAtEnd(CoverSheetRows, 2);
    doc.setTableFontSize(table, 10);
    const ProjectIdentification& cover = state.project.cover;
    const QString rows[CoverSheetRows][2] = {
        {QStringLiteral("tipologia"), QStringLiteral("dati")}, // text, not a window name
        {QStringLiteral("progetto"), cover.progetto},
        {QStringLiteral("località"), cover.localita},
        {QStringLiteral("tipologia di studio"), cover.tipostudio},
        {QStringLiteral("committente"), cover.committente},
        {QStringLiteral("luogo di elaborazione"), cover.luogo},
        {QStringLiteral("data della elaborazione"), cover.data},
        {QStringLiteral("allegati alla relazione"), cover.allegati},
        {QStringLiteral("studio tecnico"), state.program.OwnerName},
        {QStringLiteral("indirizzo dello studio"), state.program.OwnerAddress},
    };
    for (int r = 0; r < CoverSheetRows; ++r) {
        doc.setCellText(table, r + 1, 1, rows[r][0]);
        doc.setCellText(table, r + 1, 2, rows[r][1]);
    }
    doc.autoFormat(table, 9);
}
