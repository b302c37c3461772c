#include "documents/HelpDocuments.h"

#include "core/session/ApplicationState.h"
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
    doc.TypeText(state.program.ProgramName + CR);
    doc.setFontSize(16);
    doc.TypeText(state.program.ProgramSubtitle + CR + CR + CR);
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

WordDocument PrintHelpToWord(const ApplicationState& state, const QString& title,
                             const QString& text) {
    WordDocument doc;
    doc.setProperties(state.program.ProgramName + QStringLiteral(": guida, ") + title,
                      state.program.OwnerName);
    typeHeader(doc, state);
    doc.TypeText(heading(title));
    doc.setFontSize(12);
    doc.TypeText(text + CR);
    justifyAll(doc);
    return doc;
}

WordDocument LicenceDocument(const ApplicationState& state, const QString& agreement) {
    WordDocument doc;
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName + QStringLiteral(": contratto di licenza"),
                      state.program.OwnerName);
    typeHeader(doc, state);
    doc.setFontSize(12);
    doc.TypeText(agreement + CR);
    justifyAll(doc);
    return doc;
}

WordDocument WholeHelpDocument(const ApplicationState& state, const std::vector<HelpTopic>& pages) {
    WordDocument doc;
    doc.StandardSetup();
    doc.setProperties(state.program.ProgramName + QStringLiteral(": guida"),
                      state.program.OwnerName);
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
    return folder.filePath(state.program.ProgramName + QStringLiteral("-guida.docx"));
}
