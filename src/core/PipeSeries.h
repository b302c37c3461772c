#pragma once

#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

// Series of water pipes as sold: their internal diameters in millimetres,
// in ascending order, and optionally the sizes they are sold by (an outer
// diameter and wall, or a nominal size in inches). Three ship with the
// program; the user adds his own, kept in his settings.
struct PipeSeries {
    QString name;
    std::vector<double> diameters; // internal, mm, ascending
    QStringList labels;            // one per diameter, or none
    bool shipped = false;

    // The size as the series names it ("1 1/4''", "28×1"), or the diameter.
    QString label(size_t index) const;

    friend bool operator==(const PipeSeries&, const PipeSeries&) = default;
};

// "acciaio zincato (serie media)", "rame", "multistrato".
const std::vector<PipeSeries>& ShippedWaterSeries();
// The series of a project that names none.
QString DefaultWaterSeriesName();

// The user's series file (~/.config/tubarex/tubarex/serie-acqua.ini on
// Linux), read by the program and by tubarex-cli.
QString UserSeriesFile();
// The user's series in `path`: group "SerieAcqua", an array whose entries
// hold "Nome", "Diametri" and "Misure" (texts separated by ";"). Entries
// that do not read as a series are left out; none when there is no file.
std::vector<PipeSeries> LoadUserSeries(const QString& path);
// Writes them, whole; the message (Italian, naming the file) on failure.
QString SaveUserSeries(const QString& path, const std::vector<PipeSeries>& series);

// The shipped series followed by the user's.
std::vector<PipeSeries> WaterSeriesCatalogue(const QString& userFile);
const PipeSeries* FindSeries(const std::vector<PipeSeries>& catalogue, const QString& name);

// A series as the editor takes it: a name, the internal diameters (mm,
// separated by ";", with a decimal point or comma) and the sizes (";", one
// per diameter, or none). The Italian reason when it is not a series: an
// empty name or one another series of `others` bears, a name the data file
// cannot hold, fewer than two diameters, a diameter that is not a number
// above 0 or is given twice, sizes not one per diameter.
std::variant<PipeSeries, QString> ReadSeries(const QString& name, const QString& diameters,
                                             const QString& labels,
                                             const std::vector<PipeSeries>& others);

// The diameters and the sizes as the editor shows them ("16,1; 21,7").
QString DiametersText(const PipeSeries& series);
QString LabelsText(const PipeSeries& series);
