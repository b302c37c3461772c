#pragma once

#include "core/model/PipeSeries.h"
#include "core/model/Result.h"

#include <QString>

#include <vector>

// The user's own water pipe series, kept in his settings beside the
// installation's and read by the program and by tubarex-cli alike.

// The user's series file (~/.config/tubarex/tubarex/serie-acqua.ini on
// Linux).
QString UserSeriesFile();
// The user's series in `path`: group "SerieAcqua", an array whose entries
// hold "Nome", "Diametri", "Misure" and, for a series with prices,
// "Prezzi" (texts separated by ";"). Entries that do not read as a series
// are left out; none when there is no file.
std::vector<PipeSeries> LoadUserSeries(const QString& path);
// Writes them, whole; the failure says why in Italian, naming the file.
Result<> SaveUserSeries(const QString& path, const std::vector<PipeSeries>& series);

// The shipped series followed by the user's.
std::vector<PipeSeries> WaterSeriesCatalogue(const QString& userFile);

// A series as the editor takes it: a name, the internal diameters (mm,
// separated by ";", with a decimal point or comma), the sizes (";", one
// per diameter, or none) and the prices (€/m, as the diameters, one per
// diameter, or none). The Italian reason when it is not a series: an empty
// name or one another series of `others` bears, a name the data file
// cannot hold, fewer than two diameters, a diameter that is not a number
// above 0 or is given twice, sizes not one per diameter, a price that is
// not a number of at least 0, prices not one per diameter.
Result<PipeSeries> ReadSeries(const QString& name, const QString& diameters, const QString& labels,
                              const QString& prices, const std::vector<PipeSeries>& others);
