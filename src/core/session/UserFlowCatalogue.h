#pragma once

#include "core/model/FlowSettings.h"
#include "core/model/PipeSeries.h"
#include "core/model/ProjectExtension.h"
#include "core/model/Result.h"

#include <QString>

#include <optional>
#include <vector>

// The user's own fixture types and curves of simultaneity, kept in his
// settings beside his pipe series and read by the program and by
// tubarex-cli alike.
struct UserFlowCatalogue {
    std::vector<FixtureType> types;
    std::vector<FlowCurve> curves;
    friend bool operator==(const UserFlowCatalogue&, const UserFlowCatalogue&) = default;
};

// ~/.config/tubarex/tubarex/utenze-acqua.ini on Linux.
QString UserFlowCatalogueFile();
// Group "TipiUtenze": an array of "Nome", "Portata" (l/s), "UnitaCarico"
// and "PressioneMinima" (kPa, may be empty); group "Curve": an array of
// "Nome" and "Punti" ("u Q; u Q", loading units and l/s). Entries that do
// not read are left out; nothing when there is no file.
UserFlowCatalogue LoadUserFlowCatalogue(const QString& path);
// Writes it, whole; the failure says why in Italian, naming the file.
Result<> SaveUserFlowCatalogue(const QString& path, const UserFlowCatalogue& catalogue);

// A type as the editor takes it: the flow (l/s) above zero, the loading
// units not below zero, the minimum pressure (kPa) above zero or empty,
// with a decimal point or comma. The Italian reason when it is not one: an
// empty name, one of `others`, one the data file cannot hold, a value out
// of range.
Result<FixtureType> ReadFixtureType(const QString& name, const QString& flowLs,
                                    const QString& loadingUnits, const QString& minPressureKPa,
                                    const std::vector<FixtureType>& others);
// A curve as the editor takes it: points "u Q" separated by ";".
Result<FlowCurve> ReadFlowCurve(const QString& name, const QString& points,
                                const std::vector<FlowCurve>& others);
// The points as the editor shows them ("1 0,1; 10 0,6").
QString CurvePointsText(const FlowCurve& curve);

// A table of gas simultaneity as the window takes it: steps "n c"
// (appliances served, coefficient above 0 and not above 1) separated by
// ";", the appliances rising; empty text, no table.
Result<std::vector<SimultaneityStep>> ReadSimultaneity(const QString& steps);
QString SimultaneityText(const std::vector<SimultaneityStep>& steps);

// What a project carries that this machine's catalogues lack, to be
// offered for adding: the types no catalogue holds as the project has them
// (a name the user's catalogue gives other values is not offered: his stays
// his, the project keeps its own), the curve of its method, its series.
struct CatalogueGaps {
    std::vector<FixtureType> types;
    std::optional<FlowCurve> curve;
    std::optional<PipeSeries> series;
    bool empty() const { return types.empty() && !curve && !series; }
};
CatalogueGaps CatalogueGapsOf(const ProjectExtension& project, const UserFlowCatalogue& user,
                              const std::vector<PipeSeries>& seriesCatalogue);
// The user's catalogue and series with the gaps added.
void AddGaps(const CatalogueGaps& gaps, UserFlowCatalogue& user,
             std::vector<PipeSeries>& userSeries);
