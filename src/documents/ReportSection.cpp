#include "documents/ReportSection.h"

#include "documents/PrinterPage.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

namespace {

constexpr double PageTop = 1000;
constexpr double PageEnd = 15000;
constexpr double HeadingPoints = 18;
constexpr double DocumentHeadingPoints = 16;
constexpr double DocumentTablePoints = 10;
constexpr int DocumentTableFormat = 9;
const QChar PageBreak(12);

} // namespace

void OpenPrintedSection(PrinterPage& page, const ReportFont& font, const QString& heading,
                        const std::function<void()>& endPage) {
    page.newPage();
    page.setFontName(font.name);
    page.setFontSize(HeadingPoints);
    page.setPosition(1000, PageTop);
    page.tab(ReportSection::Indent);
    page.print(heading);
    page.emptyLine();
    page.setFontSize(font.points);
    page.setPageEnd(PageEnd, [&page, endPage] {
        endPage();
        page.newPage();
        page.setY(PageTop);
    });
}

void ClosePrintedSection(PrinterPage& page) {
    page.setPageEnd(0, {});
}

void PrintSectionSentence(PrinterPage& page, const QString& text) {
    page.tab(ReportSection::Indent);
    page.printWrapped(text, ReportSection::Indent);
}

void TypeSectionHeading(WordDocument& doc, const QString& heading) {
    doc.setFontSize(DocumentHeadingPoints);
    doc.TypeText(PageBreak + heading + QStringLiteral("\r\r"));
}

void AddSectionTable(WordDocument& doc, const QStringList& heads,
                     const std::vector<QStringList>& rows,
                     const std::function<QString(int column, const QString& value)>& cell,
                     std::initializer_list<int> rightColumns) {
    doc.addParagraphAtEnd();
    const int count = static_cast<int>(rows.size()) + 1;
    const int table = doc.addTableAtEnd(count, static_cast<int>(heads.size()));
    doc.setTableFontSize(table, DocumentTablePoints);
    for (int c = 1; c <= heads.size(); ++c)
        doc.setCellText(table, 1, c, heads[c - 1]);
    for (int r = 2; r <= count; ++r) {
        const QStringList& row = rows[static_cast<size_t>(r - 2)];
        for (int c = 1; c <= row.size(); ++c)
            doc.setCellText(table, r, c, cell(c, row[c - 1]));
    }
    doc.autoFormat(table, DocumentTableFormat);
    // A long table repeats its heads on every page it runs to, and never
    // leaves them alone at a page foot.
    doc.setHeadRows(table, 1);
    for (const int c : rightColumns) {
        doc.selectColumn(table, c);
        doc.setAlignment(WordAlignment::Right);
    }
    doc.collapseSelection();
    doc.setFontSize(ReportSection::TextPoints);
}
