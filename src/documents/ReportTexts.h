#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The calculation criteria of the technical report, one text for both of
// its routes: the printer prints the lines as they are, justified to a
// measure of 66 columns; the document joins them into paragraphs.

// Width of a printed line of the criteria, in columns.
inline constexpr int CriteriaMeasure = 66;

// A paragraph of the criteria as printed: its lines, the empty lines that
// follow it on paper, whether the document runs it on into the next
// paragraph instead of ending it, and the document's own wording where the
// document words a formula line differently from the printed page.
struct CriteriaParagraph {
    QStringList lines;
    int emptyLinesAfter = 0;
    bool runsOn = false;
    QString documentText = {};
};

// The formula, its terms and the short justification of each calculation.
const std::vector<CriteriaParagraph>& WaterCriteria();
const std::vector<CriteriaParagraph>& GasCriteria();

// The printed lines, an empty string for an empty line.
QStringList CriteriaLines(const std::vector<CriteriaParagraph>& text);

// The paragraphs of the document. A printed line is joined to the next
// with one blank, its indent dropped; the blanks that only pad a line to
// the full measure are taken out, while a shorter line keeps its blanks as
// they were typed.
QStringList CriteriaDocumentParagraphs(const std::vector<CriteriaParagraph>& text);
