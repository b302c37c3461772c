#pragma once

#include <QString>

#include <optional>
#include <vector>

// What a project holds to turn the utenze of its segments into design flows
// (DesignFlows.h): the water method with every fixture type and the curve
// it uses, the gas simultaneity.

// A type of water fixture: its design flow q (l/s), its loading units u
// and the least flow pressure it needs (kPa), when known.
struct FixtureType {
    QString name;
    double flowLs = 0;
    double loadingUnits = 0;
    std::optional<double> minPressureKPa;

    friend bool operator==(const FixtureType&, const FixtureType&) = default;
};

// A list of fixture types under a name: the two that ship, or the user's.
struct FixtureCatalogue {
    QString name;
    std::vector<FixtureType> types;
    bool shipped = false;
};

// "EN 806-3" (outlet flows and loading units, 1 LU = 0.1 l/s) and
// "DIN 1988-300" (design flows VR; no loading units).
const std::vector<FixtureCatalogue>& ShippedFixtureCatalogues();
const FixtureType* FindFixtureType(const std::vector<FixtureType>& types, const QString& name);

// A point of a curve of simultaneity: the loading units served and the
// design flow (l/s) the curve gives them.
struct CurvePoint {
    double units = 0;
    double flowLs = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// A curve of simultaneity: points with the loading units rising and the
// flows not falling. Between two neighbouring points the flow follows the
// power law through both (a straight line on log-log axes); below the first
// point it is proportional to the units, above the last it follows the
// power law of the last two points (of the first, proportional, when there
// is only one).
struct FlowCurve {
    QString name;
    std::vector<CurvePoint> points;

    double flowAt(double units) const;
    friend bool operator==(const FlowCurve&, const FlowCurve&) = default;
};

// Why the points are not a curve (empty when they are one).
QString RefuseCurvePoints(const std::vector<CurvePoint>& points);

// The building types of the peak-flow formula Vs = a·(ΣVR)^b − c (l/s).
struct DinBuilding {
    const char* name;  // the first words, as the data file writes them
    const char* title; // the whole name, as the window shows it
    double a;
    double b;
    double c;
};
const std::vector<DinBuilding>& DinBuildings();
const DinBuilding* FindDinBuilding(const QString& name);

enum class WaterFlowMethod { Sum, Din, Curve };

// How a project turns the water utenze into design flows, and every type
// and the curve it uses (the project carries them, so that it computes the
// same wherever it is opened).
struct WaterFlowSettings {
    WaterFlowMethod method = WaterFlowMethod::Sum;
    QString building; // Din: a DinBuilding's name
    FlowCurve curve;  // Curve
    std::vector<FixtureType> types;

    friend bool operator==(const WaterFlowSettings&, const WaterFlowSettings&) = default;
};

// A step of the project's table of gas simultaneity: from `appliances`
// appliances served on, the coefficient applied to their flows.
struct SimultaneityStep {
    int appliances = 0;
    double coefficient = 1;
    friend bool operator==(const SimultaneityStep&, const SimultaneityStep&) = default;
};

struct GasFlowSettings {
    // In ascending order of appliances; none: every appliance runs at once.
    std::vector<SimultaneityStep> simultaneity;

    // The coefficient of the largest number listed not above `appliances`;
    // 1 below the first, or without a table.
    double coefficientFor(int appliances) const;
    friend bool operator==(const GasFlowSettings&, const GasFlowSettings&) = default;
};
