#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <vector>

struct ReportFont;
class PrinterPage;
class WordDocument;

// What the report's later sections (the design flows, the verification)
// share on both routes: the heading on a page of its own as the criteria
// pages have theirs, the body at the report's indent, lines flowing onto
// further pages down to the table pages' foot; in the document, the
// heading, the text and the tables as the legend tables.
namespace ReportSection {
// Character column of the body on paper.
inline constexpr int Indent = 10;
inline constexpr double TextPoints = 12; // the document's text
} // namespace ReportSection

// The printer route: a new page with the heading; from here on a page that
// fills is ended by `endPage` (its number at the foot) and the text goes on
// at the top of the next, until ClosePrintedSection.
void OpenPrintedSection(PrinterPage& page, const ReportFont& font, const QString& heading,
                        const std::function<void()>& endPage);
void ClosePrintedSection(PrinterPage& page);
// A sentence at the indent, wrapped within the page.
void PrintSectionSentence(PrinterPage& page, const QString& text);

// The document route: a new page with the heading.
void TypeSectionHeading(WordDocument& document, const QString& heading);
// A table after the text: its heads repeated on every page it runs to,
// `cell` giving the text of each value by its column (from 1), the columns
// listed standing right; the text goes on after it in the text's size.
void AddSectionTable(WordDocument& document, const QStringList& heads,
                     const std::vector<QStringList>& rows,
                     const std::function<QString(int column, const QString& value)>& cell,
                     std::initializer_list<int> rightColumns);
