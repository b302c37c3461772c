#include "documents/HelpDocuments.h"

#include "core/ApplicationState.h"
#include "documents/HelpTexts.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString HelpFont = QStringLiteral("Century Gothic");
const QString CR = QStringLiteral("\r");
const QString PageBreak = QString(QChar(12));

void typeHeader(WordDocument& doc, const ApplicationState& state) {
    doc.setFontName(HelpFont);
    doc.setFontSize(20);
    doc.TypeText(state.ProgramName + CR);
    doc.setFontSize(16);
    doc.TypeText(state.ProgramSubtitle + CR + CR + CR);
}

// The closing steps of every help print: the whole document is selected
// and justified, then the selection goes back to the insertion point.
void justifyAll(WordDocument& doc) {
    doc.selectAll();
    doc.setAlignment(WordAlignment::Justify);
    doc.collapseSelection();
}

QString heading(const QString& title) {
    return QStringLiteral("Guida: ") + title + CR + CR;
}

} // namespace

WordDocument PrintHelpToWord(const ApplicationState& state) {
    WordDocument doc;
    doc.setProperties(state.ProgramName + QStringLiteral(": guida, ") + state.HelpPageTitle,
                      state.OwnerName);
    typeHeader(doc, state);
    doc.TypeText(heading(state.HelpPageTitle));
    doc.setFontSize(12);
    doc.TypeText(state.HelpPageText + CR);
    justifyAll(doc);
    return doc;
}

WordDocument LicenceDocument(const ApplicationState& state, const QString& agreement) {
    WordDocument doc;
    doc.StandardSetup();
    doc.setProperties(state.ProgramName + QStringLiteral(": contratto di licenza"),
                      state.OwnerName);
    typeHeader(doc, state);
    doc.setFontSize(12);
    doc.TypeText(agreement + CR);
    justifyAll(doc);
    return doc;
}

WordDocument WholeHelpDocument(const ApplicationState& state, const std::vector<HelpTopic>& pages) {
    WordDocument doc;
    doc.StandardSetup();
    doc.setProperties(state.ProgramName + QStringLiteral(": guida"), state.OwnerName);
    typeHeader(doc, state);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        doc.TypeText(heading(pages[i].title));
        if (i == 0)
            doc.setFontSize(12);
        const bool last = i + 1 == pages.size();
        doc.TypeText(last ? pages[i].text : pages[i].text + CR + PageBreak);
    }
    justifyAll(doc);
    return doc;
}

QString WholeHelpPath(const ApplicationState& state) {
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    folder.mkpath(QStringLiteral("."));
    return folder.filePath(state.ProgramName + QStringLiteral("-guida.docx"));
}
