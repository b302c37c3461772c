#include "core/model/Sizing.h"

#include "core/model/NumberText.h"
#include "core/model/Project.h"
#include "core/model/SizingSearch.h"

#include <QLocale>

#include <algorithm>

namespace {

QString networkWords(NetworkKind kind) {
    return kind == NetworkKind::Water ? QStringLiteral("acqua") : QStringLiteral("gas");
}

// What every network shares: the proposal's frame from the verification
// of the network as it stands, or why it cannot be sized.
SizingProposal begin(const NetworkVerification& now, std::vector<CatalogueSize> catalogue) {
    SizingProposal p;
    p.kind = now.kind;
    p.catalogue = std::move(catalogue);
    if (now.count() == 0)
        p.message = QStringLiteral("La rete %1 non ha tronchi da dimensionare.")
                        .arg(networkWords(now.kind));
    else if (!now.dataPassed)
        p.message = QStringLiteral("La rete %1 non è dimensionabile: %2")
                        .arg(networkWords(now.kind), DataCheckText(now));
    return p;
}

// The problem over rows 1..count: the tree, each row's loss and pipe at
// each size (a loss that cannot be computed counts 0, as in the
// verification), and each terminal's path limit.
template <typename Table, typename LossAt>
SizingProblem problemOf(const NetworkVerification& now, const Table& table, int lengthColumn,
                        const std::vector<CatalogueSize>& catalogue, LossAt lossAt) {
    SizingProblem p;
    p.segments = now.count();
    p.sizes = static_cast<int>(catalogue.size());
    p.lowest.assign(static_cast<size_t>(p.segments), 0);
    p.pathLimit.assign(static_cast<size_t>(p.segments), NoLimit);
    for (int r = 1; r <= p.segments; ++r) {
        const auto& cells = table.row(r);
        const double length = cells[static_cast<size_t>(lengthColumn)].value();
        p.parent.push_back(now.row(r).upstream - 1);
        for (const CatalogueSize& size : catalogue) {
            p.loss.push_back(lossAt(cells, size.diameter).value_or(0.0));
            p.pipe.push_back(length * size.diameter);
        }
    }
    // What a path may lose by friction: what its limit admits of its total
    // (with the pressures, what the source's pressure leaves above the
    // outlet's minimum, in m of water), less its concentrated losses and
    // heights, which no diameter changes.
    const std::optional<double> source = now.waterLimits.sourceKPa;
    for (const VerifiedPath& path : now.paths) {
        std::optional<double> admitted = path.limit;
        if (now.kind == NetworkKind::Water && source && path.minimum)
            admitted = (*source - *path.minimum) / WaterKPaPerMetre;
        if (admitted)
            p.pathLimit[static_cast<size_t>(path.terminal - 1)] =
                *admitted - (path.total - path.loss);
    }
    return p;
}

// The rows of a choice, the pipe now and proposed, and the verdict of the
// network with the proposed diameters and losses in a copy of its table.
template <typename Table, typename Verify>
void fill(SizingProposal& p, const NetworkVerification& now, const SizingProblem& problem,
          const SizingChoice& choice, const Table& table, int diameterColumn, int lossColumn,
          int lengthColumn, Verify verify) {
    Table proposed = table;
    for (int r = 1; r <= now.count(); ++r) {
        const auto i = static_cast<size_t>(r - 1);
        const auto& cells = table.row(r);
        SizedRow row;
        row.nowDiameter = cells[static_cast<size_t>(diameterColumn)].value();
        row.proposed = choice.size[i];
        row.lossNow = now.row(r).loss;
        row.lossProposed = problem.lossAt(static_cast<int>(i), row.proposed);
        const double length = cells[static_cast<size_t>(lengthColumn)].value();
        p.pipeNow += length * row.nowDiameter;
        const double d = p.catalogue.at(static_cast<size_t>(row.proposed)).diameter;
        p.pipeProposed += length * d;
        proposed.at(r, diameterColumn) = Cell::text(NumberToText(d));
        proposed.at(r, lossColumn) = Cell::number(row.lossProposed);
        p.rows.push_back(std::move(row));
    }
    const NetworkVerification after = verify(proposed);
    p.passed = after.passed;
    p.verdict = VerdictText(after);
}

// The path to a terminal, as verified now.
const VerifiedPath& pathTo(const NetworkVerification& now, int terminal) {
    return *std::find_if(now.paths.begin(), now.paths.end(),
                         [&](const VerifiedPath& q) { return q.terminal == terminal; });
}
// What of a path's total no diameter changes: its concentrated losses and
// heights.
double fixedOf(const VerifiedPath& path) {
    return path.total - path.loss;
}

QString pathWords(const NetworkVerification& now, int terminal) {
    return QStringLiteral("nel percorso %1 (fino al tronco n. %2)")
        .arg(PathText(now, terminal))
        .arg(terminal);
}

} // namespace

bool SizingProposal::changes(int row) const {
    const SizedRow& r = rows.at(static_cast<size_t>(row - 1));
    const CatalogueSize& size = catalogue.at(static_cast<size_t>(r.proposed));
    return r.nowDiameter != size.diameter || (kind == NetworkKind::Gas && r.nowLabel != size.label);
}

int SizingProposal::changedRows() const {
    int n = 0;
    for (int r = 1; r <= static_cast<int>(rows.size()); ++r)
        n += changes(r) ? 1 : 0;
    return n;
}

QString CostText(const SizingProposal& proposal) {
    if (!proposal.costProposed)
        return QString();
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto euros = [&](double value) {
        return italian.toString(value, 'f', 2) + QStringLiteral(" €");
    };
    if (!proposal.costNow)
        return QStringLiteral("costo: %1 proposto").arg(euros(*proposal.costProposed));
    return QStringLiteral("costo: %1 ora, %2 proposto")
        .arg(euros(*proposal.costNow), euros(*proposal.costProposed));
}

std::vector<CatalogueSize> GasCatalogue() {
    std::vector<CatalogueSize> sizes;
    for (int k = 1; k < NominalDiameterCount; ++k)
        sizes.push_back({InternalDiameters[static_cast<size_t>(k)], NominalDiameters()[k]});
    return sizes;
}

std::vector<CatalogueSize> WaterCatalogue(const PipeSeries& series) {
    std::vector<CatalogueSize> sizes;
    for (size_t k = 0; k < series.diameters.size(); ++k)
        sizes.push_back({series.diameters[k], series.label(k)});
    return sizes;
}

SizingProposal SizeGas(const GasSegmentTable& table, int count, const GasLimits& limits) {
    const NetworkVerification now = VerifyGas(table, count, limits);
    SizingProposal p = begin(now, GasCatalogue());
    if (!p.message.isEmpty())
        return p;
    const SizingProblem problem = problemOf(now, table, GasColumn::lungh, p.catalogue, GasRowLoss);
    const SizingChoice choice = SearchSizes(problem);
    if (choice.size.empty()) {
        const int terminal = choice.pathOverItsLimit + 1;
        p.message = QStringLiteral("Nessun diametro della serie commerciale rispetta il limite di "
                                   "%1 mbar %2: con i diametri più grandi la sua perdita è %3 "
                                   "mbar.")
                        .arg(VerdictNumber(pathTo(now, terminal).limit.value_or(0), 1),
                             pathWords(now, terminal),
                             VerdictNumber(choice.pathLoss + fixedOf(pathTo(now, terminal)), 2, 2));
        return p;
    }
    fill(p, now, problem, choice, table, GasColumn::diam, GasColumn::perd, GasColumn::lungh,
         [&](const GasSegmentTable& t) { return VerifyGas(t, count, limits); });
    for (int r = 1; r <= count; ++r)
        p.rows[static_cast<size_t>(r - 1)].nowLabel = table.at(r, GasColumn::tipofi).displayText();
    return p;
}

SizingProposal SizeWater(const WaterTable& table, int count, const WaterLimits& limits,
                         const PipeSeries& series, const std::vector<FixtureType>& types) {
    const NetworkVerification now = VerifyWater(table, count, limits, types);
    SizingProposal p = begin(now, WaterCatalogue(series));
    p.series = series.name;
    p.seriesPipes = series;
    if (!p.message.isEmpty())
        return p;
    SizingProblem problem = problemOf(now, table, WaterColumn::lungh, p.catalogue, WaterRowLoss);
    // With a price for every size the search makes the cost least.
    if (series.priced()) {
        for (int r = 1; r <= count; ++r) {
            const double length = table.at(r, WaterColumn::lungh).value();
            for (size_t k = 0; k < series.prices.size(); ++k)
                problem.pipe[static_cast<size_t>(r - 1) * series.prices.size() + k] =
                    length * series.prices[k];
        }
    }
    // The smallest size each segment's velocity allows.
    for (int r = 1; r <= count; ++r) {
        int& lowest = problem.lowest[static_cast<size_t>(r - 1)];
        lowest = problem.sizes;
        for (int k = problem.sizes - 1; k >= 0; --k) {
            const auto v = WaterVelocity(table.at(r, WaterColumn::port).value(),
                                         p.catalogue[static_cast<size_t>(k)].diameter);
            if (v && WithinLimit(*v, limits.velocity))
                lowest = k;
        }
    }
    const SizingChoice choice = SearchSizes(problem);
    const QString inSeries = QStringLiteral("della serie «%1»").arg(series.name);
    if (choice.segmentOverItsLimit >= 0) {
        const int r = choice.segmentOverItsLimit + 1;
        const CatalogueSize& largest = p.catalogue.back();
        const auto v = WaterVelocity(table.at(r, WaterColumn::port).value(), largest.diameter);
        p.message =
            QStringLiteral("Nessun diametro %1 rispetta il limite di velocità di %2 m/s "
                           "nel tronco n. %3: con il più grande (%4 mm) l'acqua vi scorre "
                           "a %5 m/s.")
                .arg(inSeries, VerdictNumber(limits.velocity, 1))
                .arg(r)
                .arg(VerdictNumber(largest.diameter, 1), VerdictNumber(v.value_or(0), 2, 2));
        return p;
    }
    if (choice.size.empty()) {
        const int terminal = choice.pathOverItsLimit + 1;
        const VerifiedPath& path = pathTo(now, terminal);
        if (limits.sourceKPa && path.minimum) {
            const double left =
                *limits.sourceKPa - WaterKPaPerMetre * (choice.pathLoss + fixedOf(path));
            p.message = QStringLiteral("Nessun diametro %1 assicura la pressione minima di %2 kPa "
                                       "al terminale n. %3 (percorso %4): con i diametri più "
                                       "grandi vi restano %5 kPa.")
                            .arg(inSeries, PressureText(*path.minimum))
                            .arg(terminal)
                            .arg(PathText(now, terminal), PressureText(left));
            return p;
        }
        p.message = QStringLiteral("Nessun diametro %1 rispetta il carico disponibile di %2 m %3: "
                                   "con i diametri più grandi la sua perdita è %4 m.")
                        .arg(inSeries, VerdictNumber(*limits.head, 1), pathWords(now, terminal),
                             VerdictNumber(choice.pathLoss + fixedOf(path), 2, 2));
        return p;
    }
    fill(p, now, problem, choice, table, WaterColumn::diam, WaterColumn::perd, WaterColumn::lungh,
         [&](const WaterTable& t) { return VerifyWater(t, count, limits, types); });
    if (series.priced())
        p.costProposed = 0;
    p.costNow = p.costProposed;
    for (int r = 1; r <= count; ++r) {
        SizedRow& row = p.rows[static_cast<size_t>(r - 1)];
        const double length = table.at(r, WaterColumn::lungh).value();
        bool inSeries = false;
        for (size_t k = 0; k < series.diameters.size(); ++k) {
            if (series.diameters[k] == row.nowDiameter) {
                row.nowLabel = series.label(k);
                inSeries = true;
                if (p.costNow)
                    *p.costNow += length * series.prices[k];
            }
        }
        if (!inSeries)
            p.costNow.reset();
        if (p.costProposed)
            *p.costProposed += problem.pipeAt(r - 1, row.proposed);
    }
    return p;
}

SizingProposal SizeGasNetwork(const Project& project) {
    return SizeGas(project.gas.table(), project.gas.rows(), project.extension().gasLimits);
}

SizingProposal SizeWaterNetwork(const Project& project, const PipeSeries& series) {
    return SizeWater(project.water.table(), project.water.rows(), project.extension().waterLimits,
                     series, project.extension().waterFlows.types);
}

void ApplySizing(Project& project, const SizingProposal& proposal) {
    if (!proposal.passed)
        return;
    for (int r = 1; r <= static_cast<int>(proposal.rows.size()); ++r) {
        if (!proposal.changes(r))
            continue;
        const int k = proposal.rows[static_cast<size_t>(r - 1)].proposed;
        if (proposal.kind == NetworkKind::Gas)
            // The series of the gas window starts after "ND".
            project.gas.ApplyNominalDiameter(r, k + 1);
        else
            project.water.StoreWaterCell(
                r, WaterColumn::diam,
                NumberToText(proposal.catalogue[static_cast<size_t>(k)].diameter));
    }
    if (proposal.kind == NetworkKind::Water)
        project.setWaterSeries(proposal.seriesPipes);
}

std::vector<PipeSeries> WithProjectSeries(std::vector<PipeSeries> catalogue,
                                          const ProjectExtension& project) {
    const PipeSeries& carried = project.waterSeriesPipes;
    if (!carried.diameters.empty() && !FindSeries(catalogue, carried.name))
        catalogue.push_back(carried);
    return catalogue;
}
