#pragma once

#include "core/model/GasTable.h"
#include "core/model/PipeSeries.h"
#include "core/model/ProjectExtension.h"
#include "core/model/Verification.h"
#include "core/model/WaterTable.h"

#include <QString>

#include <optional>
#include <vector>

class Project;

// Which diameters make a network comply? For every segment a size from the
// network's catalogue (gas: the commercial inch series of the gas window;
// water: a series of pipes), such that every limit of the verification
// holds, with the least pipe (Σ length × internal diameter) or, for a
// water series with a price for every size, the least cost (Σ length ×
// price per metre) (SizingSearch.h). Pure functions of the tables and the
// limits, as the verification.

// One size of a catalogue: its internal diameter (mm) and its name.
struct CatalogueSize {
    double diameter = 0;
    QString label;
};

struct SizedRow {
    double nowDiameter = 0; // the internal diameter the row has now (mm)
    QString nowLabel;       // gas: its nominal diameter; water: its size in the series, or mm
    int proposed = 0;       // index into the catalogue
    double lossNow = 0;     // as the table computes it now
    double lossProposed = 0;
};

struct SizingProposal {
    NetworkKind kind = NetworkKind::Water;
    QString series;         // water: the series' name
    PipeSeries seriesPipes; // water: the series, which the project carries once applied
    std::vector<CatalogueSize> catalogue;
    std::vector<SizedRow> rows; // row r at index r - 1; empty when there is no proposal
    // Whether a proposal meets every limit; when not, why (naming the
    // segment and the limit, or the input check).
    bool passed = false;
    QString message;
    // The verdict of the network as proposed.
    QString verdict;
    // Σ length × internal diameter (m·mm), now and as proposed.
    double pipeNow = 0;
    double pipeProposed = 0;
    // Water with a priced series: Σ length × price (€) as proposed, and now
    // when every row's diameter is one of the series.
    std::optional<double> costNow;
    std::optional<double> costProposed;

    const CatalogueSize& proposedSize(int row) const {
        return catalogue.at(static_cast<size_t>(rows.at(static_cast<size_t>(row - 1)).proposed));
    }
    // Whether row r changes size.
    bool changes(int row) const;
    int changedRows() const;
};

// The cost of a proposal that has one, as the panel and tubarex-cli tell
// it: "costo: 1.234,50 € ora, 987,00 € proposto" ("costo: 987,00 €
// proposto" when the cost now is not known); empty without one.
QString CostText(const SizingProposal& proposal);

// The commercial series of the gas window: "3/8''" (13.2 mm) to "6''".
std::vector<CatalogueSize> GasCatalogue();
std::vector<CatalogueSize> WaterCatalogue(const PipeSeries& series);

SizingProposal SizeGas(const GasSegmentTable& table, int count, const GasLimits& limits);
SizingProposal SizeWater(const WaterTable& table, int count, const WaterLimits& limits,
                         const PipeSeries& series, const std::vector<FixtureType>& types = {});

// The networks of a project sized with its limits, the water one with
// `series`.
SizingProposal SizeGasNetwork(const Project& project);
SizingProposal SizeWaterNetwork(const Project& project, const PipeSeries& series);

// Writes a proposal that passed into the network's table, every row that
// changes as a pick would write it (gas: the nominal diameter and its
// internal diameter; water: the internal diameter), each row computed; a
// water proposal also makes its series the project's.
void ApplySizing(Project& project, const SizingProposal& proposal);

// The catalogue with the series the project carries, when it holds none of
// that name (a project made where the user had a series this machine lacks).
std::vector<PipeSeries> WithProjectSeries(std::vector<PipeSeries> catalogue,
                                          const ProjectExtension& project);
