#pragma once

#include "core/model/Notice.h"
#include "core/model/Verification.h"

#include <QString>

struct ApplicationState;
class Project;
class PrinterPage;
class QLocale;
class WordDocument;

// The technical report ("relazione"): a cover with the project
// identification, then for each network that has rows the calculation
// criteria, the legend and the table of data and results, and a closing
// with the number of pages, the attachments, place, date and signature.
// It is printed on the printer page model or built as a document; the
// cover window and the command line run the same routines.

// Body font of the report, as the cover window sets it when it loads.
struct ReportFont {
    QString name = QStringLiteral("Courier new");
    double points = 12;
};

// What the report command must do first.
enum class ReportStep {
    Refuse,      // no rows anywhere: `notice` says so
    CheckFailed, // a network with rows fails its input check: its notice, its window
    AskBoth,     // both networks have rows: ask whether to print both
    Go,
};

struct ReportStart {
    ReportStep step = ReportStep::Go;
    Notice notice;
    // The network that fails its check.
    NetworkKind network = NetworkKind::Water;
};

// The start of the report: the refusal when no network has rows, then the
// silent input check of each network that has rows (water first), then the
// question when both have them. The checks set and reset WaterCheckQuiet and
// GasCheckQuiet as the data windows' own prints do.
ReportStart StartReport(ApplicationState& state);

// The question asked when both networks have rows (Yes/No/Cancel: No shows
// the water window, Cancel ends the command), and its title.
QString ReportQuestion();
QString ReportQuestionTitle(const ApplicationState& state);

// The total losses of both networks as their windows show them once the
// bands have been paged through the tables.
struct ReportTotals {
    double water = 0;
    double gas = 0;
};

// The totals of every row of both networks: what paging the windows' bands
// gives, without the windows.
ReportTotals ReportNetworkTotals(const Project& project);

// The report on the printer: cover (no page number), then each network's
// criteria page and table pages, each page numbered at its foot; a table
// page holds 52 water or 50 gas rows under the legend, 85 rows after it,
// and the closing goes on a page of its own when it does not fit under the
// last row, so that its page count is the number of printed pages. The job
// is ended; false when the device failed.
bool PrintTechnicalReport(const ApplicationState& state, PrinterPage& page,
                          const ReportFont& font = {});

// The report as a document: cover, criteria paragraphs, the legend and data
// tables (water: tables 1 and 2; gas: legend, data and fittings tables, after
// the water ones), the closing with the page count as a field, the data
// tables' columns right-aligned. Numbers in the tables use `locale`.
void BuildTechnicalReport(WordDocument& document, const ApplicationState& state,
                          const ReportTotals& totals, const QLocale& locale);
