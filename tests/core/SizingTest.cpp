#include "NetworkRows.h"

#include "core/editing/TableEditing.h"
#include "core/file/ProjectFile.h"
#include "core/model/Sizing.h"
#include "core/session/UserSeries.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

const PipeSeries& steel() {
    return ShippedWaterSeries().at(0);
}

// Whether the network of `state` meets every limit.
bool complies(const ApplicationState& s, NetworkKind kind) {
    return kind == NetworkKind::Gas ? s.project.gasVerification().passed
                                    : s.project.waterVerification().passed;
}

// The proposal written into a copy of the project, checked against the
// limits; then, for every segment in turn, the same with that segment one
// size smaller: a limit must break each time (local minimality).
void expectMinimal(const ApplicationState& before, const SizingProposal& p) {
    ASSERT_TRUE(p.passed) << p.message.toStdString();
    ApplicationState sized = before;
    ApplySizing(sized.project, p);
    EXPECT_TRUE(complies(sized, p.kind));
    for (int r = 1; r <= static_cast<int>(p.rows.size()); ++r) {
        const int k = p.rows[static_cast<size_t>(r - 1)].proposed;
        if (k == 0)
            continue;
        ApplicationState smaller = sized;
        if (p.kind == NetworkKind::Gas) {
            smaller.project.gas.ApplyNominalDiameter(r, k);
        } else {
            smaller.project.water.StoreWaterCell(
                r, WaterColumn::diam,
                NumberToText(p.catalogue[static_cast<size_t>(k - 1)].diameter));
        }
        EXPECT_FALSE(complies(smaller, p.kind)) << "row " << r << " one size smaller";
    }
}

// A random tree of gas segments on 1/2'' pipe, each fed from an earlier
// one, with flows that shrink towards the appliances.
std::vector<GasSegment> randomGasTree(std::mt19937& rng, int n) {
    std::vector<GasSegment> rows;
    for (int r = 1; r <= n; ++r) {
        const int upstream = r == 1 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(r));
        rows.push_back({2.0 + rng() % 20, 2, 0.5 + (rng() % 40) / 10.0,
                        rng() % 4 ? "metano" : "GPL", upstream});
    }
    return rows;
}

} // namespace

TEST(Sizing, AStraightGasPathOverItsLimitComesWithinTheLimitOfItsGas) {
    // Six 8 m segments of 1/2'' carrying 2.5 m³/h: over the limit with
    // either gas. Sized, each path keeps the limit of its own gas, and
    // LPG uses the room its limit gives beyond methane's.
    struct Case {
        const char* gas;
        const char* verdict;
        double least; // the sized path loses more than this (mbar)
    };
    const Case cases[] = {
        {"metano", "La rete gas rispetta il limite di 1,0 mbar", 0.5},
        {"GPL", "La rete gas rispetta il limite di 2,0 mbar", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gas);
        ApplicationState s;
        StoreGasNetwork(s, std::vector<GasSegment>(6, {8, 2, 2.5, c.gas}));
        ASSERT_FALSE(s.project.gasVerification().passed);
        const SizingProposal p = SizeGasNetwork(s.project);
        expectMinimal(s, p);
        EXPECT_GT(p.changedRows(), 0);
        EXPECT_TRUE(p.verdict.startsWith(QString::fromUtf8(c.verdict))) << p.verdict.toStdString();
        EXPECT_EQ(p.rows[0].nowLabel, QStringLiteral("1/2''"));
        double loss = 0;
        for (const SizedRow& row : p.rows)
            loss += row.lossProposed;
        EXPECT_GT(loss, c.least);
    }
}

TEST(Sizing, AGasTreeWhoseCriticalPathChanges) {
    // A short branch with a large flow and a long one with a small flow,
    // both from one trunk: on 1/2'' pipe the first is critical (1.84 mbar
    // against 0.72); sized, it takes a larger pipe and the long branch a
    // smaller one, which makes the long one critical.
    ApplicationState s;
    StoreGasNetwork(s, {{1, 2, 6.0}, {4, 2, 5.0, "metano", 1}, {12, 2, 1.0, "metano", 1}});
    const NetworkVerification before = s.project.gasVerification();
    ASSERT_FALSE(before.passed);
    EXPECT_EQ(before.critical, 2);
    const SizingProposal p = SizeGasNetwork(s.project);
    expectMinimal(s, p);
    ApplicationState sized = s;
    ApplySizing(sized.project, p);
    const NetworkVerification after = sized.project.gasVerification();
    EXPECT_EQ(after.critical, 3);
}

TEST(Sizing, AWaterNetworkOverTheVelocityLimit) {
    // 1.5, 0.8 and 0.3 l/s at 2 m/s need 30.9, 22.6 and 13.8 mm: the next
    // sizes of the series are 36.0 (1 1/4''), 27.3 (1'') and 16.1 (1/2'').
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 16.1, 1.5}, {15, 16.1, 0.8}, {10, 16.1, 0.3}});
    ASSERT_FALSE(s.project.waterVerification().passed);
    const SizingProposal p = SizeWaterNetwork(s.project, steel());
    expectMinimal(s, p);
    EXPECT_EQ(p.proposedSize(1).label, QStringLiteral("1 1/4''"));
    EXPECT_EQ(p.proposedSize(2).diameter, 27.3);
    EXPECT_EQ(p.proposedSize(3).diameter, 16.1);
    EXPECT_EQ(p.changedRows(), 2);
    EXPECT_EQ(p.rows[2].nowLabel, QStringLiteral("1/2''"));
}

TEST(Sizing, AnAvailableHeadMakesPathsLargerThanTheVelocityAlone) {
    ApplicationState s;
    StoreWaterNetwork(s, {{60, 16.1, 0.8}, {40, 16.1, 0.5}, {30, 16.1, 0.4, 1, 1}});
    SetWaterLimits(s, {.velocity = 2.0, .head = 3.0});
    const SizingProposal withHead = SizeWaterNetwork(s.project, steel());
    expectMinimal(s, withHead);
    SetWaterLimits(s, {});
    const SizingProposal velocityOnly = SizeWaterNetwork(s.project, steel());
    expectMinimal(s, velocityOnly);
    EXPECT_GT(withHead.pipeProposed, velocityOnly.pipeProposed);
}

// The pressures, heights, concentrated losses and the gas height effect
// bound the sizing as they bound the verification: each proposal complies
// and is minimal, and a tighter bound takes more pipe.
TEST(Sizing, PressuresHeightsAndRisersBoundTheSizes) {
    // A riser of three storeys in 1/2'' steel, 3 m each, an outlet at the
    // top: 0.6 l/s, 20 m of pipe per storey.
    ApplicationState water;
    StoreWaterNetwork(water, {{20, 16.1, 0.6}, {20, 16.1, 0.6}, {20, 16.1, 0.6}});
    for (int r = 1; r <= 3; ++r)
        water.project.water.setElevationValue(r, WaterColumn::disl, 3.0);
    std::vector<double> pipe;
    for (const double sourceKPa : {0.0, 300.0, 220.0, 200.0}) {
        SCOPED_TRACE(sourceKPa);
        WaterLimits limits;
        if (sourceKPa > 0)
            limits.sourceKPa = sourceKPa;
        SetWaterLimits(water, limits);
        const SizingProposal p = SizeWaterNetwork(water.project, steel());
        expectMinimal(water, p);
        pipe.push_back(p.pipeProposed);
    }
    EXPECT_LT(pipe[0], pipe[3]);
    EXPECT_LE(pipe[1], pipe[2]);
    EXPECT_LE(pipe[2], pipe[3]);
    // 9 m of height and a meter of 4 m leave too little of 150 kPa at the
    // top whatever the diameters: 150 − 9.81 · 13 = 22.47 kPa at most.
    water.project.water.setElevationValue(1, WaterColumn::pconc, 4.0);
    WaterLimits limits;
    limits.sourceKPa = 150;
    SetWaterLimits(water, limits);
    const SizingProposal none = SizeWaterNetwork(water.project, steel());
    EXPECT_FALSE(none.passed);
    EXPECT_TRUE(none.message.startsWith(
        QStringLiteral("Nessun diametro della serie «acciaio zincato (serie media)» assicura la "
                       "pressione minima di 100 kPa al terminale n. 3 (percorso 1-2-3): con i "
                       "diametri più grandi vi restano 2")))
        << none.message.toStdString();

    // A methane riser going down 12 m loses 0.59 mbar with the safe
    // effect, nothing when not considered: the first takes more pipe.
    ApplicationState gas;
    StoreGasNetwork(gas, std::vector<GasSegment>(4, {10, 2, 2.5}));
    gas.project.gas.setElevationValue(1, GasColumn::disl, -12.0);
    std::vector<double> gasPipe;
    for (const HeightEffect effect : {HeightEffect::None, HeightEffect::Safe}) {
        GasLimits l;
        l.heightEffect = effect;
        SetGasLimits(gas, l);
        const SizingProposal p = SizeGasNetwork(gas.project);
        expectMinimal(gas, p);
        gasPipe.push_back(p.pipeProposed);
    }
    EXPECT_LT(gasPipe[0], gasPipe[1]);
}

TEST(Sizing, ACaseThatCannotBeSatisfiedNamesTheSegmentAndTheLimit) {
    ApplicationState water;
    StoreWaterNetwork(water, {{10, 20, 0.5}, {10, 20, 20}});
    const SizingProposal fast = SizeWaterNetwork(water.project, ShippedWaterSeries().at(2));
    EXPECT_FALSE(fast.passed);
    EXPECT_TRUE(fast.rows.empty());
    EXPECT_EQ(fast.message, QStringLiteral("Nessun diametro della serie «multistrato» rispetta il "
                                           "limite di velocità di 2,0 m/s nel tronco n. 2: con il "
                                           "più grande (54,0 mm) l'acqua vi scorre a 8,73 m/s."));

    ApplicationState gas;
    StoreGasNetwork(gas, {{300, 12, 150}, {100, 12, 150}});
    const SizingProposal far = SizeGasNetwork(gas.project);
    EXPECT_FALSE(far.passed);
    EXPECT_TRUE(far.message.startsWith(QStringLiteral("Nessun diametro della serie commerciale "
                                                      "rispetta il limite di 1,0 mbar nel "
                                                      "percorso 1-2 (fino al tronco n. 2): con i "
                                                      "diametri più grandi la sua perdita è ")))
        << far.message.toStdString();

    ApplicationState incomplete;
    StoreGasNetwork(incomplete, std::vector<GasSegment>(2));
    incomplete.project.gas.TypeGasCell(2, GasColumn::portgas, QString());
    EXPECT_EQ(SizeGasNetwork(incomplete.project).message,
              QStringLiteral("La rete gas non è dimensionabile: Tronco n. 2: manca il dato della "
                             "portata del tubo."));
}

TEST(Sizing, EveryResultIsLocallyMinimal) {
    std::mt19937 rng(2026);
    for (int t = 0; t < 12; ++t) {
        SCOPED_TRACE(t);
        ApplicationState s;
        StoreGasNetwork(s, randomGasTree(rng, 4 + t * 3));
        const SizingProposal p = SizeGasNetwork(s.project);
        if (p.passed)
            expectMinimal(s, p);
    }
}

TEST(Sizing, APricedSeriesTakesTheCheaperSizeThoughItHasMorePipe) {
    // 0.3 l/s at 2 m/s needs 13.8 mm: 16.1 (1/2'') by pipe; priced, 3/4''
    // costs less per metre and is taken.
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 16.1, 0.3}, {10, 16.1, 0.3}});
    const SizingProposal byPipe = SizeWaterNetwork(s.project, steel());
    expectMinimal(s, byPipe);
    EXPECT_FALSE(byPipe.costProposed);
    EXPECT_TRUE(CostText(byPipe).isEmpty());
    PipeSeries priced = steel();
    priced.prices = {9.5, 7.25, 12, 15, 18, 25, 33, 41, 60};
    const SizingProposal byCost = SizeWaterNetwork(s.project, priced);
    ASSERT_TRUE(byCost.passed) << byCost.message.toStdString();
    EXPECT_EQ(byCost.proposedSize(1).diameter, 21.7);
    EXPECT_EQ(byCost.proposedSize(2).diameter, 21.7);
    EXPECT_GT(byCost.pipeProposed, byPipe.pipeProposed);
    EXPECT_EQ(byCost.costNow, 30 * 9.5);
    EXPECT_EQ(byCost.costProposed, 30 * 7.25);
    EXPECT_EQ(CostText(byCost), QStringLiteral("costo: 285,00 € ora, 217,50 € proposto"));
    // A diameter now outside the series: no cost now.
    s.project.water.StoreWaterCell(2, WaterColumn::diam, QStringLiteral("17"));
    EXPECT_EQ(CostText(SizeWaterNetwork(s.project, priced)),
              QStringLiteral("costo: 217,50 € proposto"));
}

TEST(Sizing, ApplyingIsOneStepAndTheSeriesGoesWithTheProject) {
    ApplicationState s;
    s.project.cover.progetto = QStringLiteral("Scuola");
    StoreWaterNetwork(s, {{20, 16.1, 1.5}, {15, 16.1, 0.8}});
    const WaterTable before = s.project.water.table();
    const auto editing = WaterEditing(s);
    const SizingProposal p = SizeWaterNetwork(s.project, ShippedWaterSeries().at(1));
    ApplySizing(s, *editing, p);
    EXPECT_EQ(s.project.water.at(1, WaterColumn::diam), Cell::text(QStringLiteral("32.6")));
    EXPECT_EQ(s.project.extension().waterSeries, QStringLiteral("rame"));
    ApplicationState reopened;
    ASSERT_TRUE(
        LoadProjectBytes(reopened, BuildProjectFile(s.project).value(), QStringLiteral("prova")));
    EXPECT_EQ(reopened.project.extension().waterSeries, QStringLiteral("rame"));
    ASSERT_TRUE(editing->undo());
    EXPECT_EQ(s.project.water.table(), before);
    EXPECT_FALSE(editing->canUndo());
}

TEST(PipeSeries, TheEditorsTextsAreCheckedAndSaved) {
    struct Case {
        const char* name;
        const char* diameters;
        const char* labels;
        const char* prices;
        const char* refusal; // empty when accepted
    };
    const Case cases[] = {
        {"PE 100", "26; 20,4; 32.6", "32; 25; 40", "4; 3,5; 6.25", ""},
        {"", "10; 12", "", "", "La serie deve avere un nome."},
        {"rame", "10; 12", "", "", "Esiste già una serie di nome «rame»."},
        {"PE \"100\"", "10; 12", "", "", "contiene un carattere"},
        {"PE", "10", "", "", "almeno due diametri"},
        {"PE", "10; zero", "", "", "«zero» non è un diametro"},
        {"PE", "10; -2", "", "", "«-2» non è un diametro"},
        {"PE", "10; 10,0", "", "", "Il diametro 10 è dato due volte."},
        {"PE", "10; 12", "a", "", "Le misure commerciali sono 1 e i diametri 2"},
        {"PE", "10; 12", "", "1; 2,5x", "«2,5x» non è un prezzo"},
        {"PE", "10; 12", "", "1; -1", "«-1» non è un prezzo"},
        {"PE", "10; 12", "", "1", "I prezzi sono 1 e i diametri 2"},
        {"PE", "10; 12", "", "0; 0", ""},
    };
    for (const Case& c : cases) {
        const Result<PipeSeries> read = ReadSeries(
            QString::fromUtf8(c.name), QString::fromUtf8(c.diameters), QString::fromUtf8(c.labels),
            QString::fromUtf8(c.prices), ShippedWaterSeries());
        if (*c.refusal)
            EXPECT_TRUE(!read && read.error().contains(QString::fromUtf8(c.refusal)))
                << c.name << " " << c.diameters;
        else
            EXPECT_TRUE(read) << read.error().toStdString();
    }
    // Sorted by diameter, each size with its own; saved and read back.
    const PipeSeries pe = ReadSeries(QStringLiteral("PE 100"), QStringLiteral("26; 20,4; 32.6"),
                                     QStringLiteral("32; 25; 40"), QStringLiteral("4; 3,5; 6.25"),
                                     ShippedWaterSeries())
                              .value();
    EXPECT_EQ(pe.diameters, (std::vector<double>{20.4, 26, 32.6}));
    EXPECT_EQ(pe.labels, (QStringList{"25", "32", "40"}));
    EXPECT_EQ(pe.prices, (std::vector<double>{3.5, 4, 6.25}));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("conf/serie-acqua.ini"));
    ASSERT_TRUE(SaveUserSeries(file, {pe}).ok());
    const std::vector<PipeSeries> catalogue = WaterSeriesCatalogue(file);
    ASSERT_EQ(catalogue.size(), 4u);
    EXPECT_EQ(catalogue.back(), pe);
    EXPECT_TRUE(FindSeries(catalogue, QStringLiteral("multistrato"))->shipped);
    // Without prices the file holds no "Prezzi", as before prices existed.
    PipeSeries plain = pe;
    plain.prices.clear();
    ASSERT_TRUE(SaveUserSeries(file, {plain}).ok());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_FALSE(saved.readAll().contains("Prezzi"));
    EXPECT_EQ(WaterSeriesCatalogue(file).back(), plain);
}
