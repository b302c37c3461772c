#include "core/ProjectExtension.h"

#include "core/ApplicationState.h"

namespace {

// Every change of the project's own values goes through here, as the
// changes of the tables go through their editing: the project changed.
template <typename T> void change(ApplicationState& state, T& held, const T& value) {
    if (held == value)
        return;
    held = value;
    NotifyProject(state, ProjectEvent::Changed);
}

} // namespace

void SetWaterLimits(ApplicationState& state, const WaterLimits& limits) {
    change(state, state.extension.waterLimits, limits);
}

void SetGasLimits(ApplicationState& state, const GasLimits& limits) {
    change(state, state.extension.gasLimits, limits);
}

void SetReportVerification(ApplicationState& state, bool included) {
    change(state, state.extension.reportVerification, included);
}

void SetWaterSeries(ApplicationState& state, const QString& name) {
    change(state, state.extension.waterSeries, name);
}
