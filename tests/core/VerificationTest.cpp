#include "NetworkRows.h"

#include "core/Verification.h"

#include <gtest/gtest.h>

namespace {

// A gas segment of 10 m of 1'' pipe at 2 m³/h loses 0.0586 mbar with
// methane and 0.1641 mbar with LPG: every path below is a sum of these.
constexpr double Metano = 0.0586;
constexpr double Gpl = 0.1641;

GasSegment metano(std::optional<int> upstream = std::nullopt) {
    return {10, 4, 2, "metano", upstream};
}
GasSegment gpl(std::optional<int> upstream = std::nullopt) {
    return {10, 4, 2, "GPL", upstream};
}

struct ExpectedPath {
    int terminal;
    std::vector<int> rows;
    double loss;
    double limit;
    bool passed;
};

struct GasCase {
    const char* name;
    std::vector<GasSegment> rows;
    GasLimits limits;
    std::vector<ExpectedPath> paths;
    int critical;
    bool passed;
    const char* verdict;
};

std::vector<GasSegment> straight(int n) {
    return std::vector<GasSegment>(static_cast<size_t>(n), metano());
}

} // namespace

TEST(Verification, GasPathsLimitsAndVerdicts) {
    const GasCase cases[] = {
        {"a straight path, as every classic project reads",
         straight(3),
         {},
         {{3, {1, 2, 3}, 3 * Metano, 1.0, true}},
         3,
         true,
         "La rete gas rispetta il limite di 1,0 mbar: percorso critico 1-2-3, 0,18 mbar."},
        {"a straight path over its limit",
         straight(18),
         {},
         {{18, {}, 18 * Metano, 1.0, false}},
         18,
         false,
         "La rete gas supera il limite di 1,0 mbar: percorso critico 1-2-3-...-16-17-18 (18 "
         "tronchi), 1,05 mbar."},
        {"a tree with three terminals",
         {metano(0), metano(1), metano(2), metano(1), metano(4), metano(5), metano(0)},
         {},
         {{3, {1, 2, 3}, 3 * Metano, 1.0, true},
          {6, {1, 4, 5, 6}, 4 * Metano, 1.0, true},
          {7, {7}, Metano, 1.0, true}},
         6,
         true,
         "La rete gas rispetta il limite di 1,0 mbar: percorso critico 1-4-5-6, 0,23 mbar."},
        {"a path mixing gases takes the methane limit",
         {gpl(0), metano(1), gpl(1)},
         {0.2, 2.0},
         {{2, {1, 2}, Gpl + Metano, 0.2, false}, {3, {1, 3}, 2 * Gpl, 2.0, true}},
         3,
         false,
         "La rete gas supera il limite di 0,2 mbar: percorso 1-2, 0,22 mbar; percorso critico "
         "1-3, 0,33 mbar."},
        {"paths of both kinds within their limits",
         {gpl(0), metano(1), gpl(1)},
         {},
         {{2, {1, 2}, Gpl + Metano, 1.0, true}, {3, {1, 3}, 2 * Gpl, 2.0, true}},
         3,
         true,
         "La rete gas rispetta i limiti di 1,0 mbar (metano) e 2,0 mbar (GPL): percorso critico "
         "1-3, 0,33 mbar."},
    };
    for (const GasCase& c : cases) {
        SCOPED_TRACE(c.name);
        ApplicationState s;
        StoreGasNetwork(s, c.rows);
        const NetworkVerification v = VerifyGas(s.gas, s.gasRows(), c.limits);
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
        EXPECT_EQ(v.passed, c.passed);
        EXPECT_EQ(VerdictText(v), QString::fromUtf8(c.verdict));
    }
}

TEST(Verification, WaterVelocityAndAvailableHead) {
    // 100 m of 100 mm smooth pipe at 10 l/s: 2.00 m at 1.27 m/s; at 20 l/s,
    // 2.55 m/s; 50 m at 10 l/s lose 1.00 m.
    struct Case {
        const char* name;
        std::vector<WaterSegment> rows;
        WaterLimits limits;
        std::vector<double> pathLosses;
        bool passed;
        const char* verdict;
    };
    const Case cases[] = {
        {"a straight path, no head given",
         {{100, 100, 10}, {50, 100, 10}, {100, 100, 10}},
         {},
         {5.0},
         true,
         "La rete acqua rispetta il limite di velocità di 2,0 m/s: percorso critico 1-2-3, 5,00 "
         "m."},
        {"a head the critical path just reaches",
         {{100, 100, 10}, {50, 100, 10}, {100, 100, 10}},
         {2.0, 5.0},
         {5.0},
         true,
         "La rete acqua rispetta i limiti di 2,0 m/s e di 5,0 m di carico disponibile: percorso "
         "critico 1-2-3, 5,00 m."},
        {"three branches from the source, two over the head",
         {{100, 100, 10}, {50, 100, 10, 1, 0}, {100, 100, 10, 1, 0}},
         {2.0, 1.5},
         {2.0, 1.0, 2.0},
         false,
         "La rete acqua supera il carico disponibile di 1,5 m: percorso critico 1, 2,00 m."},
        {"a segment over the velocity limit",
         {{100, 100, 10}, {100, 100, 20}, {100, 100, 10, 1, 1}},
         {},
         {10.0, 4.0},
         false,
         "La rete acqua supera il limite di velocità di 2,0 m/s nel tronco n. 2 (2,55 m/s): "
         "percorso critico 1-2, 10,00 m."},
        {"a diameter of 0 has no velocity",
         {{100, 0, 10}},
         {},
         {0.0},
         false,
         "La rete acqua supera il limite di velocità di 2,0 m/s nel tronco n. 1 (velocità non "
         "calcolabile): percorso critico 1, 0,00 m."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplicationState s;
        StoreWaterNetwork(s, c.rows);
        const NetworkVerification v = VerifyWater(s.water, s.waterRows(), c.limits);
        ASSERT_EQ(v.paths.size(), c.pathLosses.size());
        for (size_t i = 0; i < v.paths.size(); ++i)
            EXPECT_NEAR(v.paths[i].loss, c.pathLosses[i], 1e-9);
        EXPECT_EQ(v.passed, c.passed);
        EXPECT_EQ(VerdictText(v), QString::fromUtf8(c.verdict));
    }
}

TEST(Verification, VelocityIsFourQOverPiDSquared) {
    EXPECT_NEAR(*WaterVelocity(10, 100), 1.2732395, 1e-7);
    EXPECT_NEAR(*WaterVelocity(20, 100), 2.5464791, 1e-7);
    EXPECT_FALSE(WaterVelocity(10, 0));
}

TEST(Verification, ASumOfRoundedLossesEqualToTheLimitPasses) {
    // 0.3 + 0.1 + 0.8 is 1.2000000000000002 in floating point.
    ApplicationState s;
    StoreWaterNetwork(s, {{}, {}, {}});
    const double losses[] = {0.3, 0.1, 0.8};
    for (int r = 1; r <= 3; ++r)
        s.water.at(r, WaterColumn::perd) = Cell::number(losses[r - 1]);
    EXPECT_TRUE(VerifyWater(s.water, 3, {2.0, 1.2}).passed);
    EXPECT_FALSE(VerifyWater(s.water, 3, {2.0, 1.19}).passed);
}

TEST(Verification, RowsNeverComputedAreComputedAsTheTableWould) {
    // A project just opened: the rows hold their inputs and no results.
    ApplicationState s;
    StoreGasNetwork(s, straight(2));
    for (int r = 1; r <= 2; ++r)
        s.gas.at(r, GasColumn::perd) = Cell();
    const NetworkVerification v = VerifyGas(s.gas, 2, {});
    EXPECT_NEAR(v.paths.at(0).loss, 2 * Metano, 1e-12);
}

TEST(Verification, ANetworkThatFailsItsCheckIsNotVerified) {
    ApplicationState s;
    StoreGasNetwork(s, straight(3));
    SetGasCell(s, 2, GasColumn::portgas, QString());
    const NetworkVerification v = VerifyGasNetwork(s);
    EXPECT_FALSE(v.dataPassed);
    EXPECT_FALSE(v.passed);
    EXPECT_EQ(VerdictText(v), QStringLiteral("La rete gas non è verificabile: Tronco n. 2: manca "
                                             "il dato della portata del tubo."));
    EXPECT_EQ(VerdictText(VerifyWaterNetwork(s)),
              QStringLiteral("La rete acqua non ha tronchi da verificare."));
}

TEST(Verification, UpstreamNumbersAreRefusedWhereTyped) {
    struct Case {
        int row;
        const char* text;
        const char* refusal; // empty when accepted
    };
    const Case cases[] = {
        {3, "", ""},
        {3, "0", ""},
        {3, " 2 ", ""},
        {3, "3",
         "Tronco n. 3: il tronco a monte deve essere un numero intero da 0 (l'origine "
         "della rete) a 2."},
        {3, "7", "a 2."},
        {3, "1.5", "a 2."},
        {3, "-1", "a 2."},
        {3, "due", "a 2."},
        {1, "1", "Tronco n. 1: il tronco a monte può essere solo 0 (l'origine della rete)."},
        {6, "2", "Tronco n. 6: non è tra i tronchi digitati (5)."},
    };
    for (const Case& c : cases) {
        const auto refusal = RefuseUpstream(c.row, QString::fromUtf8(c.text), 5);
        const QString expected = QString::fromUtf8(c.refusal);
        if (expected.isEmpty())
            EXPECT_FALSE(refusal) << c.text;
        else
            EXPECT_TRUE(refusal && refusal->text.endsWith(expected))
                << c.text << " -> " << (refusal ? refusal->text.toStdString() : "");
    }
    EXPECT_EQ(UpstreamFromText(3, QString()), 2);
    EXPECT_EQ(UpstreamFromText(3, QStringLiteral("0")), 0);
}

TEST(Verification, LimitsTypedWithACommaOrAPoint) {
    EXPECT_EQ(ReadLimitText(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(ReadLimitText(QStringLiteral(" 2.25 ")), 2.25);
    for (const char* bad : {"", "0", "-1", "abc", "1,5 mbar"})
        EXPECT_FALSE(ReadLimitText(QString::fromUtf8(bad))) << bad;
}
