#pragma once

#include "core/model/GasTable.h"
#include "core/model/Notice.h"
#include "core/model/ProjectExtension.h"
#include "core/model/WaterTable.h"

#include <QString>

#include <optional>
#include <vector>

// Does a network comply? Each segment is fed from its upstream segment (a
// smaller row, or 0, the source: the meter, the regulator, the supply), so
// the segments form a tree rooted at the source. A terminal segment is one
// that feeds no other (an outlet, an appliance); its path runs from the
// source through the upstream segments to it, and its loss is the sum of
// the losses of the segments on it, an empty loss counting 0. The critical
// path is the one with the largest loss. Pure functions of the tables, as
// computed, and the limits: the window, the report and the command line
// call the same ones.

enum class NetworkKind { Water, Gas };

struct VerifiedRow {
    int upstream = 0;
    double loss = 0;                // the segment's own loss (m, mbar); 0 when empty
    double pathLoss = 0;            // from the source through this segment
    std::optional<double> velocity; // water, m/s; none when the diameter is 0
    bool velocityPassed = true;     // water: within the velocity limit
};

struct VerifiedPath {
    int terminal = 0;
    double loss = 0;
    std::optional<double> limit; // none for water without an available head
    bool passed = true;
};

struct NetworkVerification {
    NetworkKind kind = NetworkKind::Water;
    WaterLimits waterLimits;
    GasLimits gasLimits;
    // The input check of the network's rows: a network that fails it is
    // not verified (its notice says why); its paths are still shown.
    bool dataPassed = false;
    QString dataMessage;
    std::vector<VerifiedRow> rows;   // row r at index r - 1
    std::vector<VerifiedPath> paths; // by terminal, in row order
    int critical = 0;                // terminal of the critical path, 0 without rows
    bool passed = false;

    int count() const { return static_cast<int>(rows.size()); }
    const VerifiedRow& row(int r) const { return rows[static_cast<size_t>(r - 1)]; }
    // The critical path, or nullptr without rows.
    const VerifiedPath* criticalPath() const;
};

// Water: every segment's velocity, v = 4 Q / (π D²) with Q in m³/s and D in
// m, within the velocity limit, and, when an available head is given,
// every path's loss within it. A path passes when its loss and the
// velocity of each of its segments are within their limits.
NetworkVerification VerifyWater(const WaterTable& table, int count, const WaterLimits& limits);

// Gas: every path's loss within the methane limit when any segment of it is
// not LPG ("GPL"), within the LPG limit when all are.
NetworkVerification VerifyGas(const GasSegmentTable& table, int count, const GasLimits& limits);

// The velocity of a water segment of `diameterMm` carrying `flowLs` (l/s);
// none for a diameter that is not above 0.
std::optional<double> WaterVelocity(double flowLs, double diameterMm);

// Refusal of a text typed as the upstream segment of `row` in a network of
// `count` segments, naming the segment: it must be empty (the row before)
// or a whole number from 0 to the row before, on a row within the count.
std::optional<Notice> RefuseUpstream(int row, const QString& text, int count);
// The upstream segment a text that passed that check names.
int UpstreamFromText(int row, const QString& text);

// Rows of the path to `terminal`, source side first.
std::vector<int> PathRows(const NetworkVerification& v, int terminal);
// "1-2-5-7".
QString PathText(const NetworkVerification& v, int terminal);

// The message of the input check of a network that fails it, in one line
// ("Tronco n. 2: manca il dato della portata del tubo.").
QString DataCheckText(const NetworkVerification& v);

// The verdict in one line: "La rete gas rispetta il limite di 1,0 mbar:
// percorso critico 1-2-5-7, 0,83 mbar."
QString VerdictText(const NetworkVerification& v);

// A number as the verdict writes it: a decimal comma, `decimals` decimals
// at least and more where the value needs them (a limit of 1.25 reads
// 1,25), up to `most`.
QString VerdictNumber(double value, int decimals, int most = 4);

// The unit of the network's losses: "m" or "mbar".
QString LossUnit(NetworkKind kind);

// A limit as typed in the verification window: a number above 0, with a
// decimal comma or point ("1,5", "1.5"); none for anything else.
std::optional<double> ReadLimitText(const QString& text);

// Whether a loss or a velocity is within its limit. A sum of rounded losses
// that equals the limit passes, whatever the last bit of its floating-point
// sum: a value passes up to the limit plus LimitTolerance(limit).
bool WithinLimit(double value, double limit);
double LimitTolerance(double limit);
