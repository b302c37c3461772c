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
// source, the loss of every path at most `head` (m).
struct WaterLimits {
    double velocity = 2.0;
    std::optional<double> head;

    friend bool operator==(const WaterLimits&, const WaterLimits&) = default;
};

// Gas: the loss of every path from the meter to an appliance at most
// `metano` (mbar) on a path with any methane segment, at most `gpl` on a
// path of LPG only: the limits of the Italian norm for domestic gas
// installations.
struct GasLimits {
    double metano = 1.0;
    double gpl = 2.0;

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
