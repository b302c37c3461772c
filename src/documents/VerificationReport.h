#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct ApplicationState;
struct ReportFont;
class PrinterPage;
class WordDocument;

// The last section of the technical report, "VERIFICA DELLA RETE": for
// each network that has segments, the limits it is verified against, every
// path from the source to a terminal segment with its loss, limit and
// verdict, the residual pressure at every outlet (water, with the
// pressure at the source), the critical path and the verdict of the
// network. The report
// carries it when the project asks for it ("includi la verifica nella
// relazione"); without that option the report is the classic one.

// Whether the report of `state` ends with the section.
bool ReportsVerification(const ApplicationState& state);

// The section of one network, as both routes lay it out.
struct VerificationSection {
    QString title;  // "Rete acqua", "Rete gas"
    QString limits; // the limits, in one sentence
    // One row per path: terminal, path, loss, limit, verdict.
    std::vector<QStringList> paths;
    QString velocities; // water: the segments over the velocity limit
    // Water with the pressure at the source: one row per terminal:
    // terminal, height (m), residual, minimum, margin (kPa), verdict.
    std::vector<QStringList> pressures;
    QString reasons;  // what fails on each path that fails
    QString warning;  // water: the static pressures over their limit
    QString critical; // "Percorso critico: ..."
    QString verdict;
};
std::vector<VerificationSection> VerificationSections(const ApplicationState& state);

// The heads of the table of paths, and of the table of residual pressures.
QStringList VerificationPathHeads();
QStringList VerificationPressureHeads();

// The printer route: the section on a page of its own, its lines flowing
// onto further pages. `endPage` ends a full page (its number at the foot)
// before the next is started; the page holding the end of the section is
// left open for the closing.
void PrintVerificationSection(const ApplicationState& state, PrinterPage& page,
                              const ReportFont& font, const std::function<void()>& endPage);

// The document route: a new page with the heading, the paragraphs and a
// table of paths per network.
void AddVerificationSection(WordDocument& document, const ApplicationState& state);
