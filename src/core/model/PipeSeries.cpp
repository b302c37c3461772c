#include "core/model/PipeSeries.h"

#include "core/model/NumberText.h"

namespace {

PipeSeries shipped(const char* name, std::vector<double> diameters, const char* labels) {
    return {QString::fromUtf8(name), std::move(diameters), QString::fromUtf8(labels).split(u';'),
            true};
}

QString joined(const QStringList& texts) {
    return texts.join(QStringLiteral("; "));
}

// Numbers with the decimal comma, separated by "; ".
QString numbersText(const std::vector<double>& numbers) {
    QStringList texts;
    for (const double d : numbers)
        texts << NumberToText(d).replace(u'.', u',');
    return joined(texts);
}

} // namespace

QString PipeSeries::label(size_t index) const {
    if (index < static_cast<size_t>(labels.size()))
        return labels[static_cast<qsizetype>(index)];
    return NumberToText(diameters.at(index));
}

const std::vector<PipeSeries>& ShippedWaterSeries() {
    // Galvanised steel, medium series, 1/2'' to 4''; copper tube, 12×1 to
    // 54×1.5; multilayer pipe, 16×2 to 63×4.5.
    static const std::vector<PipeSeries> series = {
        shipped("acciaio zincato (serie media)",
                {16.1, 21.7, 27.3, 36.0, 41.9, 53.1, 68.9, 80.9, 105.3},
                "1/2'';3/4'';1'';1 1/4'';1 1/2'';2'';2 1/2'';3'';4''"),
        shipped("rame", {10, 12, 14, 16, 20, 26, 32.6, 39.6, 51},
                "12×1;14×1;16×1;18×1;22×1;28×1;35×1,2;42×1,2;54×1,5"),
        shipped("multistrato", {12, 16, 20, 26, 33, 42, 54},
                "16×2;20×2;26×3;32×3;40×3,5;50×4;63×4,5"),
    };
    return series;
}

QString DefaultWaterSeriesName() {
    return ShippedWaterSeries().front().name;
}

const PipeSeries* FindSeries(const std::vector<PipeSeries>& catalogue, const QString& name) {
    for (const PipeSeries& s : catalogue) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

QString DiametersText(const PipeSeries& series) {
    return numbersText(series.diameters);
}

QString LabelsText(const PipeSeries& series) {
    return joined(series.labels);
}

QString PricesText(const PipeSeries& series) {
    return numbersText(series.prices);
}
