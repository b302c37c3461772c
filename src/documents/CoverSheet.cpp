// The cover page's data sheet as a word-processor document.
#include "documents/CoverSheet.h"

#include "core/ApplicationState.h"
#include "documents/WordDocument.h"

void BuildCoverSheet(WordDocument& doc, const ApplicationState& state) {
    doc.StandardSetup();
    doc.setProperties(state.ProgramName + QStringLiteral(": dati generali del progetto"),
                      state.OwnerName);
    doc.setFontName(QStringLiteral("Century Gothic"));
    doc.setFontSize(18);
    doc.TypeText(state.ProgramName + QLatin1Char('\r'));
    doc.setFontSize(12);
    doc.TypeText(state.ProgramSubtitle + QStringLiteral("\r\r"));
    doc.TypeText(QStringLiteral("Dati generali\r"));

    doc.addParagraphAtEnd();
    const int table = doc.addTableAtEnd(CoverSheetRows, 2);
    doc.setTableFontSize(table, 10);
    const ProjectIdentification& cover = state.cover;
    const QString rows[CoverSheetRows][2] = {
        {QStringLiteral("tipologia"), QStringLiteral("dati")},
        {QStringLiteral("progetto"), cover.progetto},
        {QStringLiteral("località"), cover.localita},
        {QStringLiteral("tipologia di studio"), cover.tipostudio},
        {QStringLiteral("committente"), cover.committente},
        {QStringLiteral("luogo di elaborazione"), cover.luogo},
        {QStringLiteral("data della elaborazione"), cover.data},
        {QStringLiteral("allegati alla relazione"), cover.allegati},
        {QStringLiteral("studio tecnico"), state.OwnerName},
        {QStringLiteral("indirizzo dello studio"), state.OwnerAddress},
    };
    for (int r = 0; r < CoverSheetRows; ++r) {
        doc.setCellText(table, r + 1, 1, rows[r][0]);
        doc.setCellText(table, r + 1, 2, rows[r][1]);
    }
    doc.autoFormat(table, 9);
}
