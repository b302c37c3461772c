#pragma once

#include "core/editing/TableEditing.h"
#include "core/editing/TableHistory.h"
#include "core/model/Project.h"
#include "core/model/Result.h"
#include "core/model/Sizing.h"
#include "core/session/RecentProjects.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// What happened to the project as a whole. Every change to the project's
// data is told as Changed, through NotifyProject, which is what marks the
// project modified; the copy of unsaved work and the windows' titles follow.
enum class ProjectEvent {
    Changed,   // the user changed a table, the cover record or the limits
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

// Who the program is: its identity (set by InitApplicationState), the
// titles of its messages (InitMessageTitles) and the technical office that
// owns the installation (read from the installation settings).
struct ProgramIdentity {
    QString ProgramName;
    QString ProgramSubtitle;
    QString ProgramVersion;
    QString ProgramDate; // day-month-year
    QString OwnerName;
    QString OwnerAddress;
    QString CheckTitle;
    QString HelpTitle;
    QString DeleteDialogTitle;
};

// This run's dealings with the project: the file it belongs to, whether it
// holds changes no file holds, the files last used, the undo history of
// each network, and those told of what happens to the project.
struct Session {
    // Full path of the data file last opened or saved from any window.
    QString CurrentFileName;
    // Set by every Changed, cleared by Stored (NotifyProject keeps it).
    bool modified = false;
    // The project as its data file held it at the last Stored, in the
    // file's form; none before the first: the empty project the program
    // starts with. An undo or a redo that brings the project back to it
    // clears the mark (NotifyTableChange).
    std::optional<QByteArray> storedFile;
    // The files last opened or saved, and the folder last used.
    RecentProjects recent;
    // Today's date went into the cover record's `data` at the cover
    // window's first load in this run; later loads show the record as it
    // stands.
    bool coverDated = false;
    TableHistory<WaterTable::Columns> waterHistory;
    TableHistory<GasSegmentTable::Columns> gasHistory;
    // Told of every ProjectEvent (the copy of unsaved work, the windows that
    // show the project's name or follow its data); nobody by default.
    ProjectListeners listeners;
};

// What the windows show of the project and how: the row on the first line
// of each data window's band, the quiet flags by which a command asks a
// window's input check to pass in silence, and the background colour last
// chosen in a colour dialog (0x00RRGGBB).
struct ViewState {
    int WaterBandTop = 0;
    int GasBandTop = 0;
    int WaterCheckQuiet = 0;
    int GasCheckQuiet = 0;
    quint32 ColourScheme = 0;
};

// The one record of state that every window, printout and the command line
// share, in its parts. The project lives here, not in the windows, so
// closing a window loses nothing.
struct ApplicationState {
    ProgramIdentity program;
    Project project;
    Session session;
    ViewState view;
};

// The one place where the project's state changes: Changed marks it
// modified, Stored clears the mark; then the listeners are told. Whatever
// changes project data (a cell, the cover record, data of any later kind)
// tells Changed here once the change is made.
void NotifyProject(ApplicationState& state, ProjectEvent event);
// A table's change told as NotifyProject does: a step recorded is Changed;
// a step undone or redone is Stored when it brought the whole project back
// to what its file held at the last Stored, Changed otherwise.
void NotifyTableChange(ApplicationState& state, TableChange change);

// The name of a project in titles and questions: the data file's name
// without its folder, or "senza nome" when there is none.
QString ProjectNameOf(const QString& path);

// Sets ProgramName, ProgramSubtitle, ProgramVersion and ProgramDate.
void InitApplicationState(ApplicationState& state);

// Builds CheckTitle, HelpTitle and DeleteDialogTitle from ProgramName.
void InitMessageTitles(ApplicationState& state);

// What a data file holds made the project: every row computed, both bands
// back at row 1, both undo histories started afresh.
void ApplyProjectData(ApplicationState& state, ProjectData data);

// Reads and applies the file at `path`, which becomes the current file; or
// the bytes of a data file from elsewhere (standard input) named `name`,
// the current file staying. On failure nothing changes.
Result<> LoadProjectFile(ApplicationState& state, const QString& path);
Result<> LoadProjectBytes(ApplicationState& state, const QByteArray& bytes, const QString& name);

// The input checks as the data windows run them: a check passed while the
// network's quiet flag is 1 shows nothing and puts the flag back to 0.
CheckOutcome CheckWaterData(ApplicationState& state);
CheckOutcome CheckGasData(ApplicationState& state);

// The totals the data windows show: rows 1 to the last row of the band.
double WaterRunningTotal(const ApplicationState& state);
double GasRunningTotal(const ApplicationState& state);

// The changes of the project's own values, as the windows make them: each
// one that changes the value tells the project's listeners.
void SetWaterLimits(ApplicationState& state, const WaterLimits& limits);
void SetGasLimits(ApplicationState& state, const GasLimits& limits);
void SetReportVerification(ApplicationState& state, bool included);
// The series chosen, which the project carries from then on.
void SetWaterSeries(ApplicationState& state, const PipeSeries& series);
void SetWaterFlows(ApplicationState& state, const WaterFlowSettings& settings);
void SetGasFlows(ApplicationState& state, const GasFlowSettings& settings);
void SetReportFlows(ApplicationState& state, bool included);

// The editing of each network of `state` (its history, its window's band),
// which tells the project's listeners of every step; `state` must outlive it.
std::unique_ptr<TableEditing> WaterEditing(ApplicationState& state);
std::unique_ptr<TableEditing> GasEditing(ApplicationState& state);

// A sizing proposal that passed written into its network as one step of the
// network's editing.
void ApplySizing(ApplicationState& state, TableEditing& editing, const SizingProposal& proposal);
