#pragma once

#include "core/model/FlowSettings.h"
#include "core/model/PipeSeries.h"

#include <QString>
#include <QStringList>

#include <optional>

// What a project holds beyond the classic data file: the limits its
// networks are verified against, whether the technical report carries the
// verification, the water pipe series it is sized with, and the entries of
// the file's extension block that this version does not know (kept as read,
// written back on every save). The upstream segments are a column of each
// network's table.

// Water: the velocity of every segment, v = 4 Q / (π D²), at most
// `velocity` (m/s); and, when the user gives the head available at the
// source, the loss of every path at most `head` (m). With the pressure
// available at the source, the pressure left at every outlet at least its
// minimum in place of the head; with the static pressure at the source, a
// warning where an outlet's static pressure exceeds `staticLimitKPa`.
struct WaterLimits {
    double velocity = 2.0;
    std::optional<double> head{};
    std::optional<double> sourceKPa{};
    double minimumKPa = 100;
    std::optional<double> staticKPa{};
    double staticLimitKPa = 500;

    // The velocity and the head, as the earliest versions held them.
    bool sameLimits(const WaterLimits& o) const { return velocity == o.velocity && head == o.head; }
    bool samePressures(const WaterLimits& o) const {
        return sourceKPa == o.sourceKPa && minimumKPa == o.minimumKPa && staticKPa == o.staticKPa &&
               staticLimitKPa == o.staticLimitKPa;
    }
    friend bool operator==(const WaterLimits&, const WaterLimits&) = default;
};

// What a gas riser does to the pressure: a rising pipe of a gas lighter
// than air gains, of a heavier one loses, (ρ_air − ρ_gas) · g per metre.
// Only the losses count, segment by segment (no gain credited); gains and
// losses both; or neither.
enum class HeightEffect { Safe, Full, None };

// Gas: the loss of every path from the meter to an appliance at most
// `metano` (mbar) on a path with any methane segment, at most `gpl` on a
// path of LPG only: the limits of the Italian norm for domestic gas
// installations.
//
// With a pressure regulator upstream of the meter the norm admits twice the
// loss: both limits are doubled.
struct GasLimits {
    double metano = 1.0;
    double gpl = 2.0;
    HeightEffect heightEffect = HeightEffect::Safe;
    bool regulator = false;

    bool sameLimits(const GasLimits& o) const { return metano == o.metano && gpl == o.gpl; }

    friend bool operator==(const GasLimits&, const GasLimits&) = default;
};

struct ProjectExtension {
    WaterLimits waterLimits;
    GasLimits gasLimits;
    // The technical report ends with the verification of the networks.
    bool reportVerification = false;
    // The series of water pipes chosen for the project (by name); empty
    // for none chosen.
    QString waterSeries;
    // The chosen series as the project carries it (its diameters and
    // sizes), so that it is sized the same wherever it is opened; empty
    // (no diameters) when the project names its series only, as the files
    // of earlier versions do.
    PipeSeries waterSeriesPipes;
    // How the utenze of the segments become design flows, and whether the
    // technical report carries them.
    WaterFlowSettings waterFlows;
    GasFlowSettings gasFlows;
    bool reportFlows = false;

    // The block as it was read: the version of its opening line (0 when the
    // file had none) and, in file order, each entry's key with, for an
    // entry this version does not know, the line that held it (empty for a
    // known key, which is written from the values above).
    int blockVersion = 0;
    struct Entry {
        QString key;
        QString line;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    QList<Entry> entries;

    friend bool operator==(const ProjectExtension&, const ProjectExtension&) = default;
};
