#include "NetworkRows.h"

#include "core/file/ProjectFile.h"
#include "core/model/DesignFlows.h"
#include "core/session/UserFlowCatalogue.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The types of a shipped catalogue, as a project picks them.
std::vector<FixtureType> typesOf(const char* catalogue) {
    for (const FixtureCatalogue& c : ShippedFixtureCatalogues()) {
        if (c.name == QLatin1String(catalogue))
            return c.types;
    }
    return {};
}

void serve(ApplicationState& s, int row, std::vector<WaterOutlet> outlets) {
    s.project.water.SetWaterOutlets(row, outlets);
}

WaterOutlet one(const char* type) {
    return {QString::fromUtf8(type), 1};
}

// A dwelling: the main pipe (1) feeds two bathrooms (2, 3) and a kitchen
// (4).
ApplicationState dwelling(const WaterFlowSettings& settings, bool din) {
    ApplicationState s;
    StoreWaterNetwork(s, {{}, {.upstream = 1}, {.upstream = 1}, {.upstream = 1}});
    serve(s, 2, {one("lavabo"), one("bidet"), one("vaso a cassetta"), one("doccia")});
    serve(s, 3,
          {one("lavabo"), one("bidet"), one("vaso a cassetta"),
           one(din ? "vasca" : "vasca domestica")});
    serve(s, 4, {one("lavello"), one("lavastoviglie"), one("lavatrice")});
    SetWaterFlows(s, settings);
    return s;
}

std::vector<double> flowsOf(const DesignFlows& flows) {
    std::vector<double> out;
    for (const SegmentDesignFlow& row : flows.rows)
        out.push_back(row.flow.value_or(-1));
    return out;
}

const FlowCurve Curve{QStringLiteral("prova"), {{1, 0.1}, {10, 0.6}, {100, 2.5}}};

} // namespace

// Each figure worked by hand. Sum (EN 806-3 flows): 0.1 + 0.1 + 0.1 + 0.2,
// 0.1 + 0.1 + 0.1 + 0.4, 0.2 · 3. DIN 1988-300, dwellings: ΣVR 0.42, 0.42,
// 0.37, 1.21 → 1.48·ΣVR^0.19 − 0.94. Curve over the loading units 5, 7, 6,
// 18: 0.1·LU^(ln 6/ln 10) up to 10, 0.6·(LU/10)^(ln(2.5/0.6)/ln 10) above.
TEST(DesignFlows, ADwellingByEachWaterMethod) {
    struct Case {
        const char* what;
        WaterFlowSettings settings;
        bool din;
        std::vector<double> flows;
        std::vector<double> served;
    };
    const Case cases[] = {
        {"somma",
         {WaterFlowMethod::Sum, {}, {}, typesOf("EN 806-3")},
         false,
         {1.8, 0.5, 0.7, 0.6},
         {1.8, 0.5, 0.7, 0.6}},
        {"DIN",
         {WaterFlowMethod::Din, QStringLiteral("abitazioni"), {}, typesOf("DIN 1988-300")},
         true,
         {0.594585, 0.315101, 0.315101, 0.285233},
         {1.21, 0.42, 0.42, 0.37}},
        {"curva",
         {WaterFlowMethod::Curve, {}, Curve, typesOf("EN 806-3")},
         false,
         {0.863712, 0.349868, 0.454584, 0.403199},
         {18, 5, 7, 6}},
    };
    for (const Case& c : cases) {
        const ApplicationState s = dwelling(c.settings, c.din);
        const DesignFlows& flows = s.project.waterDesignFlows();
        ASSERT_TRUE(flows.any) << c.what;
        for (int r = 1; r <= 4; ++r) {
            EXPECT_TRUE(flows.row(r).problem.isEmpty())
                << c.what << flows.row(r).problem.toStdString();
            EXPECT_NEAR(flowsOf(flows)[r - 1], c.flows[r - 1], 1e-5) << c.what << " tronco " << r;
            EXPECT_NEAR(flows.row(r).served, c.served[r - 1], 1e-9) << c.what << " tronco " << r;
        }
    }
}

TEST(DesignFlows, TheBoundsAndTheCurveOutsideItsPoints) {
    // One washbasin alone: the formula gives less than its own VR (−0.047).
    ApplicationState s;
    StoreWaterNetwork(s, {{}});
    serve(s, 1, {one("lavabo")});
    SetWaterFlows(
        s, {WaterFlowMethod::Din, QStringLiteral("abitazioni"), {}, typesOf("DIN 1988-300")});
    EXPECT_DOUBLE_EQ(*s.project.waterDesignFlows().row(1).flow, 0.07);
    // Beyond the last point the power law of the last two, below the first
    // proportional to the units.
    EXPECT_NEAR(Curve.flowAt(200), 3.841625, 1e-5);
    EXPECT_NEAR(Curve.flowAt(0.5), 0.05, 1e-12);
    EXPECT_NEAR(Curve.flowAt(100), 2.5, 1e-12);
    // Without its building, or with a type the project does not carry, a
    // segment says why instead of a flow.
    SetWaterFlows(s, {WaterFlowMethod::Din, {}, {}, typesOf("DIN 1988-300")});
    EXPECT_FALSE(s.project.waterDesignFlows().row(1).flow);
    SetWaterFlows(s, {WaterFlowMethod::Sum, {}, {}, {}});
    EXPECT_EQ(s.project.waterDesignFlows().row(1).problem,
              QStringLiteral("il tipo «lavabo» del tronco 1 non è tra quelli del progetto"));
}

TEST(DesignFlows, SubtreesThatShareNothingAndTheFlowsTyped) {
    // Two branches from the source: 1 → 2 and 3 → 4, and 5 alone.
    ApplicationState s;
    StoreWaterNetwork(
        s, {{.upstream = 0}, {.upstream = 1}, {.upstream = 0}, {.upstream = 3}, {.upstream = 0}});
    SetWaterFlows(s, {WaterFlowMethod::Sum, {}, {}, typesOf("EN 806-3")});
    serve(s, 2, {{QStringLiteral("doccia"), 2}});
    serve(s, 3, {one("lavabo")});
    serve(s, 4, {one("vasca domestica")});
    const DesignFlows& flows = s.project.waterDesignFlows();
    EXPECT_EQ(flowsOf(flows), (std::vector<double>{0.4, 0.4, 0.5, 0.4, -1}));
    EXPECT_FALSE(flows.row(5).serves);
    // Every typed flow (10 l/s) differs; written in, none does.
    EXPECT_EQ(OtherFlowsText(RowsWithOtherFlows(flows, s.project.water.table())),
              QStringLiteral("le portate dei tronchi 1, 2, 3, 4 non corrispondono alle utenze"));
    for (int r = 1; r <= 4; ++r)
        s.project.water.ApplyDesignFlow(r, *s.project.waterDesignFlows().row(r).flow);
    EXPECT_TRUE(RowsWithOtherFlows(s.project.waterDesignFlows(), s.project.water.table()).empty());
    EXPECT_EQ(OtherFlowsText({3}),
              QStringLiteral("la portata del tronco 3 non corrisponde alle utenze"));
}

// A boiler of 24 kW and a hob of 7.5 kW: 31.5 kW · 3600 / 34425 kJ/m³ on
// methane; on LPG 31.5 · 3600 / 40100 kJ/kg = 2.8279 kg/h, / 2.15 kg/m³.
TEST(DesignFlows, GasAppliancesOnMethaneAndOnLpg) {
    struct Case {
        const char* gas;
        std::vector<SimultaneityStep> simultaneity;
        double flow;
    };
    const Case cases[] = {
        {"metano", {}, 3.294118},
        {"GPL", {}, 1.315320},
        // Two appliances served: the coefficient of 2 (not of 5, not 1).
        {"metano", {{2, 0.8}, {5, 0.6}}, 0.8 * 3.294118},
        {"", {}, -1},
    };
    for (const Case& c : cases) {
        ApplicationState s;
        StoreGasNetwork(s, {{.gas = c.gas}, {.gas = c.gas}});
        s.project.gas.SetGasAppliances(
            2, {{QStringLiteral("caldaia"), 24, 1}, {QStringLiteral("piano cottura"), 7.5, 1}});
        SetGasFlows(s, {c.simultaneity});
        const DesignFlows& flows = s.project.gasDesignFlows();
        EXPECT_NEAR(flows.row(1).flow.value_or(-1), c.flow, 1e-5) << c.gas;
        EXPECT_EQ(flows.row(1).appliances, 2);
        EXPECT_DOUBLE_EQ(flows.row(1).served, 31.5);
        if (c.flow < 0) {
            EXPECT_EQ(flows.row(1).problem, QStringLiteral("il tronco 1 non ha il tipo di gas"));
        }
    }
}

TEST(DesignFlows, EveryEntryRoundTripsAndAProjectWithoutThemIsWrittenAsBefore) {
    ApplicationState s = dwelling({WaterFlowMethod::Curve, {}, Curve, typesOf("EN 806-3")}, false);
    StoreGasNetwork(s, {{}, {}});
    s.project.gas.SetGasAppliances(2, {{QStringLiteral("caldaia"), 24, 1}});
    SetGasFlows(s, {{{1, 1}, {2, 0.8}}});
    SetReportFlows(s, true);
    PipeSeries priced = ShippedWaterSeries()[1];
    priced.prices = {2.5, 3, 3.75, 4.5, 6, 8.25, 11, 14.5, 21};
    SetWaterSeries(s, priced);
    const Result<QByteArray> built = BuildProjectFile(s.project, FileRows::Counted);
    ASSERT_TRUE(built.ok());
    const QByteArray bytes = built.value();
    for (const char* entry :
         {"\"utenze acqua\",2,\"lavabo\",1,2,\"bidet\",1", "\"utenze gas\",2,\"caldaia\",24,1",
          "\"metodo portate acqua\",\"curva di contemporaneit",
          "\"tipi utenze acqua\",\"lavabo\",0.1,1,,",
          "\"curva portate acqua\",\"prova\",1,0.1,10,0.6,100,2.5",
          "\"contemporaneit\xe0 gas\",1,1,2,0.8", "\"portate nella relazione\",1",
          "\"diametri serie acqua\",", "\"prezzi serie acqua\",2.5,3,3.75,4.5,6,8.25,11,14.5,21"})
        EXPECT_TRUE(bytes.contains(entry)) << entry;
    ApplicationState read;
    ASSERT_TRUE(LoadProjectBytes(read, bytes, QStringLiteral("prova")));
    const ProjectExtension& x = read.project.extension();
    EXPECT_EQ(x.waterFlows, s.project.extension().waterFlows);
    EXPECT_EQ(x.gasFlows, s.project.extension().gasFlows);
    EXPECT_EQ(x.waterSeriesPipes, s.project.extension().waterSeriesPipes);
    EXPECT_TRUE(x.reportFlows);
    EXPECT_EQ(read.project.water.table(), s.project.water.table());
    EXPECT_EQ(read.project.gas.table(), s.project.gas.table());
    EXPECT_EQ(BuildProjectFile(read.project, FileRows::Counted).value(), bytes);

    // Without utenze nor a series chosen, the block holds none of them.
    ApplicationState plain;
    StoreWaterNetwork(plain, {{}});
    SetWaterFlows(plain, {WaterFlowMethod::Sum, {}, {}, {}});
    EXPECT_FALSE(
        BuildProjectFile(plain.project, FileRows::Counted).value().contains("dati aggiuntivi"));
}

// The types and the curve a project carries that this machine lacks are
// offered; a name the user already gives other values is his and stays.
TEST(DesignFlows, WhatTheProjectCarriesAndTheMachineLacks) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("utenze-acqua.ini"));
    UserFlowCatalogue user;
    user.types.push_back({QStringLiteral("idrante"), 2.0, 20, 200});
    user.types.push_back({QStringLiteral("fontana"), 0.3, 3, std::nullopt});
    ASSERT_TRUE(SaveUserFlowCatalogue(file, user).ok());
    EXPECT_EQ(LoadUserFlowCatalogue(file), user);

    ProjectExtension project;
    project.waterFlows = {WaterFlowMethod::Curve, {}, Curve, typesOf("EN 806-3")};
    project.waterFlows.types.push_back({QStringLiteral("idrante"), 1.0, 10, 200});
    project.waterFlows.types.push_back({QStringLiteral("lavapiedi"), 0.1, 1, 150});
    project.waterSeriesPipes = {QStringLiteral("inox"), {13, 16}, {}, false};
    project.waterSeries = QStringLiteral("inox");
    CatalogueGaps gaps = CatalogueGapsOf(project, user, ShippedWaterSeries());
    ASSERT_EQ(gaps.types.size(), 1u);
    EXPECT_EQ(gaps.types[0].name, QStringLiteral("lavapiedi"));
    ASSERT_TRUE(gaps.curve && gaps.series);
    std::vector<PipeSeries> series;
    AddGaps(gaps, user, series);
    EXPECT_TRUE(CatalogueGapsOf(project, user, series).empty());
}

TEST(DesignFlows, TheEditorRefusesWhatIsNotATypeOrACurve) {
    const std::vector<FixtureType> others{{QStringLiteral("lavabo"), 0.1, 1, std::nullopt}};
    EXPECT_EQ(ReadFixtureType(QStringLiteral(" fontana "), QStringLiteral("0,3"), {},
                              QStringLiteral("150"), others)
                  .value(),
              (FixtureType{QStringLiteral("fontana"), 0.3, 0, 150}));
    const char* const refused[][4] = {
        {"", "0.1", "1", ""}, {"lavabo", "0.1", "1", ""}, {"a\"b", "0.1", "1", ""},
        {"x", "0", "1", ""},  {"x", "0.1", "-1", ""},     {"x", "0.1", "1", "zero"},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(ReadFixtureType(QString::fromUtf8(r[0]), QString::fromUtf8(r[1]),
                                     QString::fromUtf8(r[2]), QString::fromUtf8(r[3]), others)
                         .ok())
            << r[0] << r[1] << r[2] << r[3];
    EXPECT_EQ(ReadFlowCurve(QStringLiteral("c"), QStringLiteral("1 0,1; 10 0,6"), {})->points,
              (std::vector<CurvePoint>{{1, 0.1}, {10, 0.6}}));
    for (const char* points : {"", "1", "1 0.1; 1 0.2", "10 0.6; 20 0.5", "a b"})
        EXPECT_FALSE(ReadFlowCurve(QStringLiteral("c"), QString::fromUtf8(points), {}).ok())
            << points;
}

TEST(DesignFlows, TheGasSimultaneityAsTypedAndTheUtenzeAsStored) {
    const Result<std::vector<SimultaneityStep>> steps =
        ReadSimultaneity(QStringLiteral(" 2 0,8; 5 0.6 ;"));
    ASSERT_TRUE(steps.ok());
    EXPECT_EQ(steps.value(), (std::vector<SimultaneityStep>{{2, 0.8}, {5, 0.6}}));
    EXPECT_EQ(ReadSimultaneity(SimultaneityText(steps.value())).value(), steps.value());
    EXPECT_TRUE(ReadSimultaneity(QString()).value().empty());
    for (const char* bad : {"2", "2 0", "2 1.2", "0 0.5", "2.5 0.8", "5 0.6; 2 0.8", "x y"})
        EXPECT_FALSE(ReadSimultaneity(QString::fromUtf8(bad)).ok()) << bad;

    // The heat inputs come back as written, whatever their digits: the
    // design flows read them in place, without the program's number reader.
    const std::vector<GasAppliance> appliances = {{QStringLiteral("caldaia"), 24, 1},
                                                  {QStringLiteral("piano cottura"), 7.5, 2},
                                                  {QStringLiteral("stufa"), 0.3, 1},
                                                  {QStringLiteral("forno"), 1234.5678, 3}};
    const Cell stored = Cell::text(GasAppliancesText(appliances));
    EXPECT_EQ(GasAppliancesOf(stored), appliances);
    GasSegmentTable table;
    table.at(1, GasColumn::utenze) = stored;
    table.at(1, GasColumn::tipoc) = Cell::text(QStringLiteral("metano"));
    const double kW = 24 + 2 * 7.5 + 0.3 + 3 * 1234.5678;
    EXPECT_DOUBLE_EQ(GasDesignFlows(table, 1, {}).row(1).served, kW);
    // A count written another way is still read.
    table.at(1, GasColumn::utenze) = Cell::text(QStringLiteral("stufa\t1.5\t2.0\n"));
    EXPECT_DOUBLE_EQ(GasDesignFlows(table, 1, {}).row(1).served, 3);
}
