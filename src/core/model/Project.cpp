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
    return set(m_extension.waterSeries, name);
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
        m_water.result = VerifyWater(water.table(), water.rows(), m_extension.waterLimits);
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
