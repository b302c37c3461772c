#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Series of water pipes as sold: their internal diameters in millimetres,
// in ascending order, optionally the sizes they are sold by (an outer
// diameter and wall, or a nominal size in inches) and optionally their
// prices (€/m). Three ship with the program, without prices; the user adds
// his own, kept in his settings (UserSeries.h).
struct PipeSeries {
    QString name;
    std::vector<double> diameters; // internal, mm, ascending
    QStringList labels;            // one per diameter, or none
    bool shipped = false;
    std::vector<double> prices = {}; // €/m, one per diameter, or none

    // Whether every size has its price.
    bool priced() const { return !prices.empty() && prices.size() == diameters.size(); }

    // The size as the series names it ("1 1/4''", "28×1"), or the diameter.
    QString label(size_t index) const;

    friend bool operator==(const PipeSeries&, const PipeSeries&) = default;
};

// "acciaio zincato (serie media)", "rame", "multistrato".
const std::vector<PipeSeries>& ShippedWaterSeries();
// The series of a project that names none.
QString DefaultWaterSeriesName();

const PipeSeries* FindSeries(const std::vector<PipeSeries>& catalogue, const QString& name);

// The diameters, the sizes and the prices as the editor shows them
// ("16,1; 21,7").
QString DiametersText(const PipeSeries& series);
QString LabelsText(const PipeSeries& series);
QString PricesText(const PipeSeries& series);
