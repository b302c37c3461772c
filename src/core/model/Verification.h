#pragma once

#include "core/model/FlowSettings.h"
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
// the losses of the segments on it, an empty loss counting 0. Its total
// adds the concentrated losses along it and what the heights do: for
// water the height of the terminal above the source (m of water), for gas
// the effect of the risers on the pressure (mbar). The margin of a path is
// what its limit leaves (water with the pressure at the source: the
// residual pressure less the minimum, kPa; with an available head, the
// head less the total, m; gas: the limit less the total, mbar); the
// critical path is the one of least margin, or of the largest total where
// there is no limit. Pure functions of the tables, as computed, and the
// limits: the window, the report and the command line call the same ones.

enum class NetworkKind { Water, Gas };

// ρ·g of water, kPa per m of water.
inline constexpr double WaterKPaPerMetre = 9.81;
// The density of air the height effect of gas is reckoned with, kg/m³.
inline constexpr double AirDensity = 1.225;

struct VerifiedRow {
    int upstream = 0;
    double loss = 0;                // the segment's own loss (m, mbar); 0 when empty
    double pathLoss = 0;            // from the source through this segment
    std::optional<double> velocity; // water, m/s; none when the diameter is 0
    bool velocityPassed = true;     // water: within the velocity limit
    double height = 0;              // of the segment's downstream end above the source, m
    double concentrated = 0;        // the segment's concentrated loss (m, mbar)
    double heightLoss = 0;          // gas: what its rise costs (mbar; a gain below 0)
    double total = 0;               // from the source: losses, concentrated and heights
    std::optional<double> pressure; // water: at its downstream end, kPa, with a source pressure
};

struct VerifiedPath {
    int terminal = 0;
    double loss = 0;                // friction only, as the segments' losses add up
    double total = 0;               // with the concentrated losses and the heights (m, mbar)
    std::optional<double> limit;    // the admitted total: the head (m) or the gas limit (mbar)
    std::optional<double> residual; // water: the pressure left at the outlet, kPa
    std::optional<double> minimum;  // water: the least pressure it needs, kPa
    std::optional<double> margin;   // what the limit leaves (kPa, m, mbar)
    std::optional<double> staticPressure; // water: at rest, kPa, with a static source pressure
    bool staticOver = false;              // above the static limit: a warning, not a failure
    bool passed = true;
    // The fastest segment on it over the velocity limit (0 for none), and
    // how many are over it.
    int fastest = 0;
    int tooFast = 0;
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
// m, within the velocity limit; with the pressure available at the source
// p₀, the pressure left at every outlet, p = p₀ − ρg · (height + losses +
// concentrated losses), at least its minimum (the row's own, or the
// project's, raised to the largest p_min of the fixtures the outlet serves
// among `types`); else, when an available head is given, every path's
// total within it. A path passes when each of these and the velocity of
// each of its segments are within their limits.
NetworkVerification VerifyWater(const WaterTable& table, int count, const WaterLimits& limits,
                                const std::vector<FixtureType>& types = {});

// Gas: every path's total within the methane limit when any segment of it
// is not LPG ("GPL"), within the LPG limit when all are (both doubled with
// a regulator upstream of the meter). A rise of h m changes the pressure by
// (ρ_air − ρ_gas) · g · h, ρ_gas the density of the segment's gas: counted
// as the limits' height effect says.
NetworkVerification VerifyGas(const GasSegmentTable& table, int count, const GasLimits& limits);

// The effect of a segment's rise on its gas, mbar of loss (a gain below 0),
// as `effect` counts it: `densityKgM3` of its gas, `riseM` metres.
double GasHeightLoss(double densityKgM3, double riseM, HeightEffect effect);
// The limit a gas path is verified against: LPG or methane, doubled with a
// regulator upstream of the meter.
double GasPathLimit(const GasLimits& limits, bool lpgOnly);
// The least pressure an outlet needs (kPa): its row's own when given, else
// the project's, or the largest p_min among the fixtures it serves when
// that is higher.
double TerminalMinimumKPa(const WaterTable::Row& cells, const WaterLimits& limits,
                          const std::vector<FixtureType>& types);

// Refusal of a text typed in the verification window as a rise (m, any
// sign), a concentrated loss (not below 0) or a least pressure (kPa, above
// 0) of `row` in a network of `count` segments, naming the segment; empty
// is fine (none).
std::optional<Notice> RefuseElevationText(int row, int column, const QString& text, int count,
                                          NetworkKind kind);

// The names of the height effects: "a favore di sicurezza", "completo",
// "non considerato"; none for another text.
QString HeightEffectName(HeightEffect effect);
std::optional<HeightEffect> HeightEffectNamed(const QString& name);

// The warning of the static pressures above their limit, in one line
// ("Pressione statica oltre 500 kPa al terminale n. 7 (620 kPa)."); empty
// when there is none.
QString StaticWarningText(const NetworkVerification& v);

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

// The verdict in one line, naming the critical path and its margin: "La
// rete gas rispetta il limite di 1,0 mbar: percorso critico 1-2-5-7, 0,83
// mbar, margine 0,17 mbar."
QString VerdictText(const NetworkVerification& v);

// What fails on a path, in words ("pressione residua 85 kPa < 100 kPa;
// velocità 2,40 m/s nel tronco n. 7"); empty when it complies. Written
// when asked for, as a table shows its rows: the verification itself
// formats nothing.
QString PathReason(const NetworkVerification& v, const VerifiedPath& path);
// Whether a water outlet is left less than its minimum pressure.
bool ShortOfPressure(const VerifiedPath& path);

// A pressure as the verdicts write it: to the tenth of a kPa, with no
// decimal where there is none ("85", "101,5").
QString PressureText(double kPa);

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
