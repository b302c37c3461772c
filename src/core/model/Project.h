#pragma once

#include "core/model/DesignFlows.h"
#include "core/model/GasNetwork.h"
#include "core/model/ProjectExtension.h"
#include "core/model/ProjectIdentification.h"
#include "core/model/Verification.h"
#include "core/model/WaterNetwork.h"

#include <QtGlobal>

#include <optional>

// Everything a data file holds, as it was read: both tables with their
// counts (their results not computed), the project identification and what
// the classic file cannot hold.
struct ProjectData {
    std::optional<int> WaterRowCount;
    WaterTable water;
    std::optional<int> GasRowCount;
    GasSegmentTable gas;
    ProjectIdentification cover;
    ProjectExtension extension;
};

// The project: what a data file holds, with everything computed from it.
// The rows of both networks are computed as they change (WaterNetwork,
// GasNetwork); what is derived from a whole network (the verification of
// its paths against the project's limits) is computed here, when it is
// first read after a change of the network or of the limits, and kept
// until the next one.
class Project {
public:
    WaterNetwork water;
    GasNetwork gas;
    // The seven texts of the cover page; nothing is derived from them.
    ProjectIdentification cover;

    // The limits, the report options, the water series, the settings of
    // the design flows and the block's unknown entries.
    const ProjectExtension& extension() const { return m_extension; }
    // Each returns whether the value changed.
    bool setWaterLimits(const WaterLimits& limits);
    bool setGasLimits(const GasLimits& limits);
    bool setReportVerification(bool included);
    bool setWaterSeries(const QString& name);
    // The series chosen with its diameters (its name becomes the project's
    // series); whether anything changed.
    bool setWaterSeries(const PipeSeries& series);
    bool setWaterFlows(const WaterFlowSettings& settings);
    bool setGasFlows(const GasFlowSettings& settings);
    bool setReportFlows(bool included);

    // Puts what a data file holds in place of the whole project; every row
    // of both networks is computed.
    void replace(ProjectData data);

    // Each network verified against the project's limits, as it stands.
    // The reference holds until the project next changes.
    const NetworkVerification& waterVerification() const;
    const NetworkVerification& gasVerification() const;
    // Each network's design flows from its utenze, by the project's method.
    // The reference holds until the project next changes.
    const DesignFlows& waterDesignFlows() const;
    const DesignFlows& gasDesignFlows() const;

    // Writes every computable design flow of a network into its flow
    // column, as if typed; the rows whose flow changed, in order.
    std::vector<int> applyDesignFlows(NetworkKind kind);
    // The rows whose typed flow differs from their design flow.
    std::vector<int> rowsWithOtherFlows(NetworkKind kind) const;

private:
    template <typename T> bool set(T& held, const T& value);

    // A verification and the revisions of the network and of the limits it
    // was computed from.
    struct Verified {
        bool valid = false;
        quint64 network = 0;
        quint64 limits = 0;
        NetworkVerification result;
    };

    ProjectExtension m_extension;
    quint64 m_limitsRevision = 0;
    mutable Verified m_water;
    mutable Verified m_gas;
    // The design flows and the revisions they were computed from.
    struct Flows {
        bool valid = false;
        quint64 network = 0;
        quint64 settings = 0;
        DesignFlows result;
    };
    mutable Flows m_waterFlows;
    mutable Flows m_gasFlows;
};
