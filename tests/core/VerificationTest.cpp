#include "NetworkRows.h"

#include "core/model/Verification.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A gas segment of 10 m of 1'' pipe at 2 m³/h loses 0.0586 mbar with
// methane and 0.1641 mbar with LPG: every path below is a sum of these.
constexpr double Metano = 0.0586;
constexpr double Gpl = 0.1641;

// Rows 2 and 3 fed from 1, rows 1 and 3 of LPG: path 1-2 mixes the gases
// and takes the methane limit.
std::vector<GasSegment> mixed() {
    std::vector<GasSegment> rows = GasTree({0, 1, 1});
    rows[0].gas = rows[2].gas = "GPL";
    return rows;
}

struct ExpectedPath {
    int terminal;
    std::vector<int> rows; // empty: not checked
    double loss;
    double limit;
    bool passed;
};

} // namespace

TEST(Verification, GasPathsLimitsAndVerdicts) {
    struct Case {
        std::vector<GasSegment> rows;
        GasLimits limits;
        std::vector<ExpectedPath> paths;
        int critical;
        const char* verdict; // "rispetta" in it: the network passes
    };
    const Case cases[] = {
        {std::vector<GasSegment>(3),
         {},
         {{3, {1, 2, 3}, 3 * Metano, 1.0, true}},
         3,
         "La rete gas rispetta il limite di 1,0 mbar: percorso critico 1-2-3, 0,18 mbar, margine "
         "0,82 mbar."},
        {std::vector<GasSegment>(18),
         {},
         {{18, {}, 18 * Metano, 1.0, false}},
         18,
         "La rete gas supera il limite di 1,0 mbar: percorso critico 1-2-3-...-16-17-18 (18 "
         "tronchi), 1,05 mbar, margine -0,05 mbar."},
        {GasTree({0, 1, 2, 1, 4, 5, 0}),
         {},
         {{3, {1, 2, 3}, 3 * Metano, 1.0, true},
          {6, {1, 4, 5, 6}, 4 * Metano, 1.0, true},
          {7, {7}, Metano, 1.0, true}},
         6,
         "La rete gas rispetta il limite di 1,0 mbar: percorso critico 1-4-5-6, 0,23 mbar, "
         "margine 0,77 mbar."},
        {mixed(),
         {0.2, 2.0},
         {{2, {1, 2}, Gpl + Metano, 0.2, false}, {3, {1, 3}, 2 * Gpl, 2.0, true}},
         // The critical path is the one nearest its limit.
         2,
         "La rete gas supera il limite di 0,2 mbar: percorso critico 1-2, 0,22 mbar, margine "
         "-0,02 mbar."},
        // Each limit broken is named with the paths that break it.
        {mixed(),
         {0.2, 0.3},
         {{2, {1, 2}, Gpl + Metano, 0.2, false}, {3, {1, 3}, 2 * Gpl, 0.3, false}},
         3,
         "La rete gas supera il limite di 0,2 mbar (metano) in 1 percorso e quello di 0,3 mbar "
         "(GPL) in 1 percorso: percorso critico 1-3, 0,33 mbar, margine -0,03 mbar."},
        {mixed(),
         {},
         {{2, {1, 2}, Gpl + Metano, 1.0, true}, {3, {1, 3}, 2 * Gpl, 2.0, true}},
         2,
         "La rete gas rispetta i limiti di 1,0 mbar (metano) e 2,0 mbar (GPL): percorso critico "
         "1-2, 0,22 mbar, margine 0,78 mbar."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        ApplicationState s;
        StoreGasNetwork(s, c.rows);
        const NetworkVerification v =
            VerifyGas(s.project.gas.table(), s.project.gas.rows(), c.limits);
        ASSERT_EQ(v.paths.size(), c.paths.size());
        for (size_t i = 0; i < c.paths.size(); ++i) {
            const ExpectedPath& e = c.paths[i];
            const VerifiedPath& p = v.paths[i];
            EXPECT_EQ(p.terminal, e.terminal);
            if (!e.rows.empty()) {
                EXPECT_EQ(PathRows(v, p.terminal), e.rows);
            }
            EXPECT_NEAR(p.loss, e.loss, 1e-9);
            EXPECT_EQ(p.limit, e.limit);
            EXPECT_EQ(p.passed, e.passed);
        }
        EXPECT_EQ(v.critical, c.critical);
        EXPECT_EQ(v.passed, QByteArray(c.verdict).contains("rispetta"));
        EXPECT_EQ(VerdictText(v), QString::fromUtf8(c.verdict));
    }
}

TEST(Verification, WaterVelocityAndAvailableHead) {
    // 100 m of 100 mm smooth pipe at 10 l/s: 2.00 m at 1.27 m/s; at 20 l/s,
    // 2.55 m/s; 50 m at 10 l/s lose 1.00 m.
    struct Case {
        std::vector<WaterSegment> rows;
        WaterLimits limits;
        std::vector<double> pathLosses;
        const char* verdict; // "rispetta" in it: the network passes
    };
    const std::vector<WaterSegment> straight = {{100, 100, 10}, {50, 100, 10}, {100, 100, 10}};
    const Case cases[] = {
        {straight,
         {},
         {5.0},
         "La rete acqua rispetta il limite di velocità di 2,0 m/s: percorso critico 1-2-3, 5,00 "
         "m."},
        // A head the critical path just reaches.
        {straight,
         {.velocity = 2.0, .head = 5.0},
         {5.0},
         "La rete acqua rispetta i limiti di 2,0 m/s e di 5,0 m di carico disponibile: percorso "
         "critico 1-2-3, 5,00 m, margine 0,00 m."},
        {{{100, 100, 10}, {50, 100, 10, 1, 0}, {100, 100, 10, 1, 0}},
         {.velocity = 2.0, .head = 1.5},
         {2.0, 1.0, 2.0},
         "La rete acqua supera il carico disponibile di 1,5 m: percorso critico 1, 2,00 m, "
         "margine -0,50 m."},
        {{{100, 100, 10}, {100, 100, 20}, {100, 100, 10, 1, 1}},
         {},
         {10.0, 4.0},
         "La rete acqua supera il limite di velocità di 2,0 m/s nel tronco n. 2 (2,55 m/s): "
         "percorso critico 1-2, 10,00 m."},
        {{{100, 0, 10}},
         {},
         {0.0},
         "La rete acqua supera il limite di velocità di 2,0 m/s nel tronco n. 1 (velocità non "
         "calcolabile): percorso critico 1, 0,00 m."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        ApplicationState s;
        StoreWaterNetwork(s, c.rows);
        const NetworkVerification v =
            VerifyWater(s.project.water.table(), s.project.water.rows(), c.limits);
        ASSERT_EQ(v.paths.size(), c.pathLosses.size());
        for (size_t i = 0; i < v.paths.size(); ++i)
            EXPECT_NEAR(v.paths[i].loss, c.pathLosses[i], 1e-9);
        EXPECT_EQ(v.passed, QByteArray(c.verdict).contains("rispetta"));
        EXPECT_EQ(VerdictText(v), QString::fromUtf8(c.verdict));
    }
}

TEST(Verification, LossesAreTakenAsTheTableShowsThem) {
    // 0.3 + 0.1 + 0.8 is 1.2000000000000002 in floating point: a sum of
    // rounded losses equal to the limit passes.
    ApplicationState s;
    StoreWaterNetwork(s, {{}, {}, {}});
    WaterTable shown = s.project.water.table();
    const double losses[] = {0.3, 0.1, 0.8};
    for (int r = 1; r <= 3; ++r)
        shown.at(r, WaterColumn::perd) = Cell::number(losses[r - 1]);
    EXPECT_TRUE(VerifyWater(shown, 3, {.velocity = 2.0, .head = 1.2}).passed);
    EXPECT_FALSE(VerifyWater(shown, 3, {.velocity = 2.0, .head = 1.19}).passed);
    // A project put in place from its file, which holds no results, is
    // verified computed.
    StoreGasNetwork(s, std::vector<GasSegment>(2));
    ProjectData opened;
    opened.GasRowCount = 2;
    for (int r = 1; r <= 2; ++r) {
        for (const int c : GasStoredColumns)
            opened.gas.at(r, c) = s.project.gas.at(r, c);
    }
    ApplicationState read;
    ApplyProjectData(read, std::move(opened));
    EXPECT_NEAR(read.project.gasVerification().paths.at(0).loss, 2 * Metano, 1e-12);
}

TEST(Verification, ANetworkThatFailsItsCheckIsNotVerified) {
    ApplicationState s;
    StoreGasNetwork(s, std::vector<GasSegment>(3));
    s.project.gas.TypeGasCell(2, GasColumn::portgas, QString());
    const NetworkVerification v = s.project.gasVerification();
    EXPECT_FALSE(v.dataPassed);
    EXPECT_FALSE(v.passed);
    EXPECT_EQ(VerdictText(v), QStringLiteral("La rete gas non è verificabile: Tronco n. 2: manca "
                                             "il dato della portata del tubo."));
    EXPECT_EQ(VerdictText(s.project.waterVerification()),
              QStringLiteral("La rete acqua non ha tronchi da verificare."));
}

TEST(Verification, TypedUpstreamsAndLimits) {
    const auto refusal = [](int row, const char* text) {
        const auto notice = RefuseUpstream(row, QString::fromUtf8(text), 5);
        return notice ? notice->text : QStringLiteral("(accettato)");
    };
    for (const char* accepted : {"", "0", " 2 "})
        EXPECT_EQ(refusal(3, accepted), QStringLiteral("(accettato)")) << accepted;
    for (const char* refused : {"3", "7", "1.5", "-1", "due"})
        EXPECT_EQ(refusal(3, refused), QStringLiteral("Tronco n. 3: il tronco a monte deve essere "
                                                      "un numero intero da 0 (l'origine della "
                                                      "rete) a 2."))
            << refused;
    EXPECT_EQ(refusal(1, "1"), QStringLiteral("Tronco n. 1: il tronco a monte può essere solo 0 "
                                              "(l'origine della rete)."));
    EXPECT_EQ(refusal(6, "2"), QStringLiteral("Tronco n. 6: non è tra i tronchi digitati (5)."));
    EXPECT_EQ(UpstreamFromText(3, QString()), 2);
    EXPECT_EQ(UpstreamFromText(3, QStringLiteral("0")), 0);
    // Limits are typed with a comma or a point.
    EXPECT_EQ(ReadLimitText(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(ReadLimitText(QStringLiteral(" 2.25 ")), 2.25);
    for (const char* bad : {"", "0", "-1", "abc", "1,5 mbar"})
        EXPECT_FALSE(ReadLimitText(QString::fromUtf8(bad))) << bad;
}

namespace {

// A riser of four storeys, 3 m each (rows 1-4, 5 m of pipe each, 0.10 m of
// loss), with an outlet on the first floor at the end of 200 m of pipe
// (row 5, fed from 1: 4.00 m) and one on the top floor (row 6, fed from 4:
// 0.10 m). With 300 kPa at the source: on the first floor 300 − 9.81 ·
// (3 + 0.10 + 4.00) = 230.349 kPa, on the top floor 300 − 9.81 · (12 +
// 0.50) = 177.375 kPa: the top floor is critical, its loss the smaller.
ApplicationState riser() {
    ApplicationState s;
    StoreWaterNetwork(s, {{5, 100, 10},
                          {5, 100, 10},
                          {5, 100, 10},
                          {5, 100, 10},
                          {200, 100, 10, 1, 1},
                          {5, 100, 10, 1, 4}});
    for (int r = 1; r <= 4; ++r)
        s.project.water.setElevationValue(r, WaterColumn::disl, 3.0);
    return s;
}

} // namespace

TEST(Verification, ResidualPressureAtEveryOutlet) {
    struct Case {
        const char* what;
        std::function<void(ApplicationState&, WaterLimits&)> change;
        double residual5, residual6; // kPa
        double minimum6;
        int critical;
        const char* reason6;
        const char* verdict;
    };
    const Case cases[] = {
        {"p0 300 kPa", [](ApplicationState&, WaterLimits&) {}, 230.349, 177.375, 100, 6, "",
         "La rete acqua rispetta la pressione minima ai terminali e il limite di velocità di 2,0 "
         "m/s: terminale critico n. 6 (percorso 1-2-3-4-6), 177,4 kPa, margine 77,4 kPa."},
        // A meter of 2.5 m on the first segment: 24.525 kPa less everywhere.
        {"meter",
         [](ApplicationState& s, WaterLimits&) {
             s.project.water.setElevationValue(1, WaterColumn::pconc, 2.5);
         },
         205.824, 152.85, 100, 6, "", nullptr},
        // A flush valve needing 150 kPa on the top floor; the row's own
        // minimum above it fails the outlet.
        {"flush valve",
         [](ApplicationState& s, WaterLimits&) {
             WaterFlowSettings f;
             f.types = {{QStringLiteral("flussometro"), 1.0, 0, 150.0}};
             SetWaterFlows(s, f);
             s.project.water.SetWaterOutlets(6, {{QStringLiteral("flussometro"), 1}});
         },
         230.349, 177.375, 150, 6, "", nullptr},
        {"own minimum",
         [](ApplicationState& s, WaterLimits&) {
             s.project.water.setElevationValue(6, WaterColumn::pmin, 200.0);
         },
         230.349, 177.375, 200, 6, "pressione residua 177,4 kPa < 200 kPa",
         "La rete acqua non assicura la pressione minima al terminale n. 6 (177,4 kPa < 200 kPa): "
         "terminale critico n. 6 (percorso 1-2-3-4-6), 177,4 kPa, margine -22,6 kPa."},
        // Too fast in row 5 as well: both reasons.
        {"short and fast",
         [](ApplicationState& s, WaterLimits& l) {
             l.minimumKPa = 240;
             s.project.water.StoreWaterCell(5, WaterColumn::port, QStringLiteral("20"));
         },
         // Row 5 loses 16 m: 112.629 kPa left there, the least margin.
         112.629, 177.375, 240, 5, "pressione residua 177,4 kPa < 240 kPa", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationState s = riser();
        WaterLimits limits;
        limits.sourceKPa = 300;
        // The head is set aside while the pressures are verified.
        limits.head = 0.5;
        c.change(s, limits);
        SetWaterLimits(s, limits);
        const NetworkVerification& v = s.project.waterVerification();
        ASSERT_EQ(v.paths.size(), 2u);
        const VerifiedPath& five = v.paths[0];
        const VerifiedPath& six = v.paths[1];
        EXPECT_NEAR(*five.residual, c.residual5, 1e-6);
        EXPECT_NEAR(*six.residual, c.residual6, 1e-6);
        EXPECT_NEAR(v.row(6).height, 12.0, 1e-12);
        EXPECT_EQ(*six.minimum, c.minimum6);
        EXPECT_NEAR(*six.margin, c.residual6 - c.minimum6, 1e-9);
        EXPECT_FALSE(six.limit);
        EXPECT_EQ(v.critical, c.critical);
        EXPECT_EQ(PathReason(v, six), QString::fromUtf8(c.reason6));
        EXPECT_EQ(six.passed, PathReason(v, six).isEmpty());
        if (c.verdict) {
            EXPECT_EQ(VerdictText(v), QString::fromUtf8(c.verdict));
        }
    }
    // Row 5 too fast: its reason names it, after the pressure's.
    ApplicationState s = riser();
    s.project.water.StoreWaterCell(5, WaterColumn::port, QStringLiteral("20"));
    WaterLimits limits;
    limits.sourceKPa = 300;
    limits.minimumKPa = 290;
    SetWaterLimits(s, limits);
    const NetworkVerification& fast = s.project.waterVerification();
    EXPECT_EQ(PathReason(fast, fast.paths[0]),
              QStringLiteral("pressione residua 112,6 kPa < 290 kPa; velocità 2,55 m/s nel tronco "
                             "n. 5"));
}

TEST(Verification, StaticPressureIsAWarningNamingTheOutlet) {
    ApplicationState s = riser();
    WaterLimits limits;
    limits.staticKPa = 600;
    SetWaterLimits(s, limits);
    const NetworkVerification& v = s.project.waterVerification();
    // 600 − 9.81 · 3 = 570.57 kPa on the first floor; 482.28 at the top.
    EXPECT_TRUE(v.passed);
    EXPECT_TRUE(v.paths[0].staticOver);
    EXPECT_FALSE(v.paths[1].staticOver);
    EXPECT_EQ(StaticWarningText(v),
              QStringLiteral("Pressione statica oltre 500 kPa al terminale n. 5 (570,6 kPa)."));
    limits.staticLimitKPa = 600;
    SetWaterLimits(s, limits);
    EXPECT_EQ(StaticWarningText(s.project.waterVerification()), QString());
}

TEST(Verification, GasRisersByTheHeightEffect) {
    // Two segments of 10 m of 1'' at 2 m³/h, the first rising `rise` m:
    // methane (0.72 kg/m³) gains (1.225 − 0.72) · 9.81 · 12 / 100 = 0.594486
    // mbar over 12 m, LPG (2.15 kg/m³) loses 1.08891 mbar.
    struct Case {
        const char* gas;
        double rise;
        HeightEffect effect;
        double concentrated;
        bool regulator;
        double total;
        bool passed;
    };
    const Case cases[] = {
        {"metano", 12, HeightEffect::Safe, 0, false, 2 * Metano, true},
        {"metano", 12, HeightEffect::Full, 0, false, 2 * Metano - 0.594486, true},
        {"metano", 12, HeightEffect::None, 0, false, 2 * Metano, true},
        // Down a riser methane loses what it would gain up.
        {"metano", -12, HeightEffect::Safe, 0, false, 2 * Metano + 0.594486, true},
        {"metano", -12, HeightEffect::None, 0, false, 2 * Metano, true},
        {"GPL", 12, HeightEffect::Safe, 0, false, 2 * Gpl + 1.08891, true},
        {"GPL", 12, HeightEffect::Full, 0, false, 2 * Gpl + 1.08891, true},
        {"GPL", 12, HeightEffect::None, 0, false, 2 * Gpl, true},
        // A meter of 0.3 mbar and a riser of LPG: 1.71711 mbar, within 2.
        {"GPL", 12, HeightEffect::Safe, 0.3, false, 2 * Gpl + 1.08891 + 0.3, true},
        {"metano", -12, HeightEffect::Safe, 0.3, false, 2 * Metano + 0.594486 + 0.3, false},
        // Twice the limit with the regulator upstream of the meter.
        {"metano", -12, HeightEffect::Safe, 0.3, true, 2 * Metano + 0.594486 + 0.3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gas) + " " + std::to_string(c.rise));
        ApplicationState s;
        StoreGasNetwork(s, {{.gas = c.gas}, {.gas = c.gas}});
        s.project.gas.setElevationValue(1, GasColumn::disl, c.rise);
        s.project.gas.setElevationValue(1, GasColumn::pconc, c.concentrated);
        GasLimits limits;
        limits.heightEffect = c.effect;
        limits.regulator = c.regulator;
        SetGasLimits(s, limits);
        const NetworkVerification& v = s.project.gasVerification();
        ASSERT_EQ(v.paths.size(), 1u);
        const VerifiedPath& p = v.paths[0];
        EXPECT_NEAR(p.total, c.total, 1e-9);
        EXPECT_NEAR(p.loss, std::string(c.gas) == "GPL" ? 2 * Gpl : 2 * Metano, 1e-9);
        EXPECT_EQ(p.passed, c.passed);
        EXPECT_NEAR(*p.margin, *p.limit - c.total, 1e-9);
        EXPECT_EQ(*p.limit, (std::string(c.gas) == "GPL" ? 2.0 : 1.0) * (c.regulator ? 2 : 1));
        if (!c.passed) {
            EXPECT_EQ(PathReason(v, p), QStringLiteral("perdita 1,01 mbar > 1,0 mbar"));
        }
    }
}
