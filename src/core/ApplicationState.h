#pragma once

#include "core/GasTable.h"
#include "core/ProjectExtension.h"
#include "core/ProjectIdentification.h"
#include "core/RecentProjects.h"
#include "core/TableHistory.h"
#include "core/WaterTable.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// What happened to the project as a whole. Every change to the project's
// data is told as Changed, through NotifyProject, which is what marks the
// project modified; the copy of unsaved work and the windows' titles follow.
enum class ProjectEvent {
    Changed,   // the user changed a table or the cover record
    Stored,    // the project is what a data file holds: just opened or saved
    Abandoned, // the user confirmed the exit, which warns that unsaved data are lost
    Renamed,   // the project's file changed and its data did not
};

// Those told of every ProjectEvent, each under a number of its own so that
// it can leave (a window that closes). A listener may leave, or another
// join, while the event is being told.
class ProjectListeners {
public:
    using Listener = std::function<void(ProjectEvent)>;
    int add(Listener listener);
    void remove(int id);
    void notify(ProjectEvent event) const;

private:
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_next = 1;
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
    // The project holds changes that no data file holds yet: set by every
    // Changed, cleared by Stored (NotifyProject keeps it).
    bool modified = false;
    // The files last opened or saved, and the folder last used.
    RecentProjects recent;

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

    // Told of every ProjectEvent (the program's copy of unsaved work, the
    // windows that show the project's name or follow its data); nobody by default.
    ProjectListeners projectListeners;

    int waterRows() const { return WaterRowCount.value_or(0); }
    int gasRows() const { return GasRowCount.value_or(0); }
};

// The one place where the project's state changes: Changed marks it
// modified, Stored clears the mark; then the listeners are told. Whatever
// changes project data (a cell, the cover record, data of any later kind)
// tells Changed here once the change is made.
void NotifyProject(ApplicationState& state, ProjectEvent event);

// The name of a project in titles and questions: the data file's name
// without its folder, or "senza nome" when there is none.
QString ProjectNameOf(const QString& path);

// Sets ProgramName, ProgramSubtitle, ProgramVersion and ProgramDate.
void InitApplicationState(ApplicationState& state);

// Builds CheckTitle, HelpTitle and DeleteDialogTitle from ProgramName.
void InitMessageTitles(ApplicationState& state);

// Reads NumberText (rewriting a negative number), writes IntegerDigits; an
// empty NumberText leaves IntegerDigits as it was.
void CountIntegerDigits(ApplicationState& state);
