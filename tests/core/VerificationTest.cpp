#include "NetworkRows.h"

#include "core/model/Verification.h"

#include <gtest/gtest.h>

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
