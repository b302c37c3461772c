#include "core/session/ApplicationState.h"

#include "core/file/ProjectFile.h"
#include "core/session/ProgramFiles.h"

#include <QFileInfo>

#include <algorithm>

void InitApplicationState(ApplicationState& state) {
    ProgramIdentity& p = state.program;
    p.ProgramName = QStringLiteral("Tubarex");
    p.ProgramSubtitle = QStringLiteral("perdite di carico nelle tubazioni");
    p.ProgramVersion = ProgramVersionText();
    p.ProgramDate = ProgramDateText();
}

void InitMessageTitles(ApplicationState& state) {
    ProgramIdentity& p = state.program;
    p.CheckTitle = p.ProgramName + QStringLiteral(": controllo dati immessi nella finestra attiva");
    p.HelpTitle = p.ProgramName + QStringLiteral(": aiuto in linea");
    p.DeleteDialogTitle =
        QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
}

int ProjectListeners::add(Listener listener) {
    m_listeners.emplace_back(m_next, std::move(listener));
    return m_next++;
}

void ProjectListeners::remove(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void ProjectListeners::notify(ProjectEvent event) const {
    // A copy: a listener may close a window, and so leave, while it is
    // told; one that has left is not told any more.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        const bool present =
            std::any_of(m_listeners.begin(), m_listeners.end(),
                        [id = id](const auto& entry) { return entry.first == id; });
        if (present && listener)
            listener(event);
    }
}

namespace {

// The project in the form its file holds it, typed rows past the count
// included; empty for a project no file can hold.
QByteArray fileForm(const Project& project) {
    Result<QByteArray> file = BuildProjectFile(project, FileRows::ThroughLastInput);
    return file ? std::move(file).value() : QByteArray();
}

} // namespace

void NotifyProject(ApplicationState& state, ProjectEvent event) {
    if (event == ProjectEvent::Changed) {
        state.session.modified = true;
    } else if (event == ProjectEvent::Stored) {
        state.session.modified = false;
        state.session.storedFile = fileForm(state.project);
    }
    state.session.listeners.notify(event);
}

void NotifyTableChange(ApplicationState& state, TableChange change) {
    if (change == TableChange::Stepped) {
        const QByteArray now = fileForm(state.project);
        const QByteArray stored =
            state.session.storedFile ? *state.session.storedFile : fileForm(Project());
        if (!now.isEmpty() && now == stored) {
            state.session.modified = false;
            state.session.listeners.notify(ProjectEvent::Stored);
            return;
        }
    }
    NotifyProject(state, ProjectEvent::Changed);
}

QString ProjectNameOf(const QString& path) {
    return path.isEmpty() ? QStringLiteral("senza nome") : QFileInfo(path).fileName();
}

void ApplyProjectData(ApplicationState& state, ProjectData data) {
    state.project.replace(std::move(data));
    state.view.WaterBandTop = 1;
    state.view.GasBandTop = 1;
    // What was undone before belongs to another project.
    state.session.waterHistory.reset();
    state.session.gasHistory.reset();
}

Result<> LoadProjectFile(ApplicationState& state, const QString& path) {
    Result<ProjectData> read = ReadProjectFile(path);
    if (!read)
        return FailureOf<void>(read);
    ApplyProjectData(state, std::move(read).value());
    state.session.CurrentFileName = path;
    return {};
}

Result<> LoadProjectBytes(ApplicationState& state, const QByteArray& bytes, const QString& name) {
    Result<ProjectData> read = ReadProjectBytes(bytes, name);
    if (!read)
        return FailureOf<void>(read);
    ApplyProjectData(state, std::move(read).value());
    return {};
}

namespace {

// The quiet flag's protocol: a caller that wants a silent check sets it to
// 1 and reads the outcome; a check passed puts it back to 0.
CheckOutcome quietCheck(int& quietFlag, const std::function<CheckOutcome(bool)>& check) {
    CheckOutcome outcome = check(quietFlag == 1);
    if (outcome.passed && quietFlag == 1)
        quietFlag = 0;
    return outcome;
}

} // namespace

CheckOutcome CheckWaterData(ApplicationState& state) {
    const WaterNetwork& water = state.project.water;
    return quietCheck(state.view.WaterCheckQuiet, [&](bool quiet) {
        return CheckWaterTable(water.table(), water.rows(), quiet);
    });
}

CheckOutcome CheckGasData(ApplicationState& state) {
    const GasNetwork& gas = state.project.gas;
    return quietCheck(state.view.GasCheckQuiet,
                      [&](bool quiet) { return CheckGasTable(gas.table(), gas.rows(), quiet); });
}

double WaterRunningTotal(const ApplicationState& state) {
    return state.project.water.WaterTotal(state.view.WaterBandTop + BandLines - 1);
}

double GasRunningTotal(const ApplicationState& state) {
    return state.project.gas.GasTotal(state.view.GasBandTop + BandLines - 1);
}

namespace {

void changedIf(ApplicationState& state, bool changed) {
    if (changed)
        NotifyProject(state, ProjectEvent::Changed);
}

} // namespace

void SetWaterLimits(ApplicationState& state, const WaterLimits& limits) {
    changedIf(state, state.project.setWaterLimits(limits));
}

void SetGasLimits(ApplicationState& state, const GasLimits& limits) {
    changedIf(state, state.project.setGasLimits(limits));
}

void SetReportVerification(ApplicationState& state, bool included) {
    changedIf(state, state.project.setReportVerification(included));
}

void SetWaterSeries(ApplicationState& state, const PipeSeries& series) {
    changedIf(state, state.project.setWaterSeries(series));
}

void SetWaterFlows(ApplicationState& state, const WaterFlowSettings& settings) {
    changedIf(state, state.project.setWaterFlows(settings));
}

void SetGasFlows(ApplicationState& state, const GasFlowSettings& settings) {
    changedIf(state, state.project.setGasFlows(settings));
}

void SetReportFlows(ApplicationState& state, bool included) {
    changedIf(state, state.project.setReportFlows(included));
}

std::unique_ptr<TableEditing> WaterEditing(ApplicationState& state) {
    return NetworkEditing(state.project.water, state.session.waterHistory, state.view.WaterBandTop,
                          [&state](TableChange change) { NotifyTableChange(state, change); });
}

std::unique_ptr<TableEditing> GasEditing(ApplicationState& state) {
    return NetworkEditing(state.project.gas, state.session.gasHistory, state.view.GasBandTop,
                          [&state](TableChange change) { NotifyTableChange(state, change); });
}

void ApplySizing(ApplicationState& state, TableEditing& editing, const SizingProposal& proposal) {
    if (!proposal.passed)
        return;
    bool seriesChanged = false;
    editing.record(1, static_cast<int>(proposal.rows.size()), std::nullopt, [&] {
        const QString before = state.project.extension().waterSeries;
        ApplySizing(state.project, proposal);
        seriesChanged = state.project.extension().waterSeries != before;
    });
    // The series alone changes no row: it is a change all the same.
    if (seriesChanged)
        NotifyProject(state, ProjectEvent::Changed);
}
