#include "core/model/Project.h"

template <typename T> bool Project::set(T& held, const T& value) {
    if (held == value)
        return false;
    held = value;
    ++m_limitsRevision;
    return true;
}

bool Project::setWaterLimits(const WaterLimits& limits) {
    return set(m_extension.waterLimits, limits);
}

bool Project::setGasLimits(const GasLimits& limits) {
    return set(m_extension.gasLimits, limits);
}

bool Project::setReportVerification(bool included) {
    return set(m_extension.reportVerification, included);
}

bool Project::setWaterSeries(const QString& name) {
    if (m_extension.waterSeries == name)
        return false;
    // Another series: the diameters carried were the other one's.
    m_extension.waterSeriesPipes = PipeSeries();
    return set(m_extension.waterSeries, name);
}

bool Project::setWaterSeries(const PipeSeries& series) {
    PipeSeries carried = series;
    carried.shipped = false;
    const bool named = setWaterSeries(series.name);
    return set(m_extension.waterSeriesPipes, carried) || named;
}

bool Project::setWaterFlows(const WaterFlowSettings& settings) {
    return set(m_extension.waterFlows, settings);
}

bool Project::setGasFlows(const GasFlowSettings& settings) {
    return set(m_extension.gasFlows, settings);
}

bool Project::setReportFlows(bool included) {
    return set(m_extension.reportFlows, included);
}

void Project::replace(ProjectData data) {
    water.replace(std::move(data.water), data.WaterRowCount);
    gas.replace(std::move(data.gas), data.GasRowCount);
    cover = std::move(data.cover);
    m_extension = std::move(data.extension);
    ++m_limitsRevision;
}

const NetworkVerification& Project::waterVerification() const {
    if (!m_water.valid || m_water.network != water.revision() ||
        m_water.limits != m_limitsRevision) {
        m_water.result = VerifyWater(water.table(), water.rows(), m_extension.waterLimits,
                                     m_extension.waterFlows.types);
        m_water.valid = true;
        m_water.network = water.revision();
        m_water.limits = m_limitsRevision;
    }
    return m_water.result;
}

const NetworkVerification& Project::gasVerification() const {
    if (!m_gas.valid || m_gas.network != gas.revision() || m_gas.limits != m_limitsRevision) {
        m_gas.result = VerifyGas(gas.table(), gas.rows(), m_extension.gasLimits);
        m_gas.valid = true;
        m_gas.network = gas.revision();
        m_gas.limits = m_limitsRevision;
    }
    return m_gas.result;
}

const DesignFlows& Project::waterDesignFlows() const {
    if (!m_waterFlows.valid || m_waterFlows.network != water.revision() ||
        m_waterFlows.settings != m_limitsRevision) {
        m_waterFlows.result = WaterDesignFlows(water.table(), water.rows(), m_extension.waterFlows);
        m_waterFlows.valid = true;
        m_waterFlows.network = water.revision();
        m_waterFlows.settings = m_limitsRevision;
    }
    return m_waterFlows.result;
}

const DesignFlows& Project::gasDesignFlows() const {
    if (!m_gasFlows.valid || m_gasFlows.network != gas.revision() ||
        m_gasFlows.settings != m_limitsRevision) {
        m_gasFlows.result = GasDesignFlows(gas.table(), gas.rows(), m_extension.gasFlows);
        m_gasFlows.valid = true;
        m_gasFlows.network = gas.revision();
        m_gasFlows.settings = m_limitsRevision;
    }
    return m_gasFlows.result;
}

std::vector<int> Project::applyDesignFlows(NetworkKind kind) {
    // The flows proposed before any is written: each write changes the
    // network, and with it the flows' cache.
    const DesignFlows flows = kind == NetworkKind::Water ? waterDesignFlows() : gasDesignFlows();
    const std::vector<int> rows = rowsWithOtherFlows(kind);
    for (const int r : rows) {
        if (kind == NetworkKind::Water)
            water.ApplyDesignFlow(r, *flows.row(r).flow);
        else
            gas.ApplyDesignFlow(r, *flows.row(r).flow);
    }
    return rows;
}

std::vector<int> Project::rowsWithOtherFlows(NetworkKind kind) const {
    return kind == NetworkKind::Water ? RowsWithOtherFlows(waterDesignFlows(), water.table())
                                      : RowsWithOtherFlows(gasDesignFlows(), gas.table());
}
