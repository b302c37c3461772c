#pragma once

#include "core/GasTable.h"
#include "core/ProjectExtension.h"
#include "core/ProjectIdentification.h"
#include "core/TableHistory.h"
#include "core/WaterTable.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// What happened to the project as a whole, for the copy of unsaved work.
enum class ProjectEvent {
    Changed,   // the user changed a table or the cover record
    Stored,    // the project is what a data file holds: just opened or saved
    Abandoned, // the user confirmed the exit, which warns that unsaved data are lost
};

// The one record of state that every window, printout and the command line
// share. Texts start empty, numbers and flags unset (read as 0); the tables
// live here, not in their windows, so closing a window loses nothing.
struct ApplicationState {
    // Program identity, set by InitApplicationState.
    QString ProgramName;
    QString ProgramSubtitle;
    QString ProgramVersion;
    QString ProgramDate; // day-month-year

    // The technical office that owns the installation (installation settings).
    QString OwnerName;
    QString OwnerAddress;

    // Message titles, built by InitMessageTitles from ProgramName.
    QString CheckTitle;
    QString HelpTitle;
    QString DeleteDialogTitle;

    // Full path of the data file last opened or saved from any window.
    QString CurrentFileName;

    // Background colour last chosen in a colour dialog (0x00RRGGBB).
    quint32 ColourScheme = 0;

    // Input and output of CountIntegerDigits, used by the printer listings.
    QString NumberText;
    std::optional<int> IntegerDigits;
    // Rows printed on the current page by the printer listings.
    qint16 PageRowCount = 0;

    // The help page that the page print is to put into a document.
    QString HelpPageTitle;
    QString HelpPageText;

    // Water network: count of segments (never set until first counted or
    // read), first row of the window's band, quiet-check flag.
    std::optional<int> WaterRowCount;
    int WaterBandTop = 0;
    int WaterCheckQuiet = 0;
    WaterTable water;
    // Undo and redo of the changes to the water table.
    TableHistory<WaterTable::Columns> waterHistory;

    // Gas network: the same three values and the table.
    std::optional<int> GasRowCount;
    int GasBandTop = 0;
    int GasCheckQuiet = 0;
    GasSegmentTable gas;
    TableHistory<GasSegmentTable::Columns> gasHistory;

    // The project identification of the cover page.
    ProjectIdentification cover;
    // Today's date went into the record's `data` at the cover window's
    // first load in this run; later loads show the record as it stands.
    bool coverDated = false;

    // What the project holds beyond the classic file: limits, report option
    // and the extension block's unknown entries.
    ProjectExtension extension;

    // Told of every ProjectEvent (the program's copy of unsaved work
    // listens); nobody by default.
    std::function<void(ProjectEvent)> projectListener;
    // Told after the listener, each under the key of its owner: the windows
    // that follow the project as it changes.
    std::vector<std::pair<const void*, std::function<void(ProjectEvent)>>> projectObservers;

    int waterRows() const { return WaterRowCount.value_or(0); }
    int gasRows() const { return GasRowCount.value_or(0); }
};

// Tells the project listener, if any, then every observer.
void NotifyProject(ApplicationState& state, ProjectEvent event);

// Adds an observer of the project under the key `owner`, and takes away
// every observer of that owner.
void ObserveProject(ApplicationState& state, const void* owner,
                    std::function<void(ProjectEvent)> observer);
void StopObservingProject(ApplicationState& state, const void* owner);

// Sets ProgramName, ProgramSubtitle, ProgramVersion and ProgramDate.
void InitApplicationState(ApplicationState& state);

// Builds CheckTitle, HelpTitle and DeleteDialogTitle from ProgramName.
void InitMessageTitles(ApplicationState& state);

// Reads NumberText (rewriting a negative number), writes IntegerDigits; an
// empty NumberText leaves IntegerDigits as it was.
void CountIntegerDigits(ApplicationState& state);
