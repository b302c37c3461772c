#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct ApplicationState;
struct ReportFont;
class PrinterPage;
class WordDocument;

// The section of the technical report "PORTATE DI PROGETTO": for each
// network that has utenze, the method with its formula, and per segment
// that serves any its own utenze, what it serves and its design flow. The
// report carries it when the project asks for it ("includi le portate
// nella relazione"); without that option the report is the classic one.

bool ReportsFlows(const ApplicationState& state);

struct FlowsSection {
    QString title;  // "Rete acqua", "Rete gas"
    QString method; // the method and its formula, in sentences
    // One row per segment that serves an utenza: tronco, its own utenze,
    // what its subtree serves, its design flow.
    std::vector<QStringList> rows;
};
std::vector<FlowsSection> FlowsSections(const ApplicationState& state);
QStringList FlowsHeads();

// The printer route: the section on a page of its own, flowing onto
// further pages as the verification's; the last page is left open.
void PrintFlowsSection(const ApplicationState& state, PrinterPage& page, const ReportFont& font,
                       const std::function<void()>& endPage);
// The document route: a new page with the heading, the sentences and a
// table per network.
void AddFlowsSection(WordDocument& document, const ApplicationState& state);
