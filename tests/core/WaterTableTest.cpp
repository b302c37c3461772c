#include "core/session/ApplicationState.h"

#include <gtest/gtest.h>

using namespace WaterColumn;

namespace {

struct WaterRow {
    const char* length;
    const char* diameter;
    const char* flow;
    int wallType; // 1..3, 0 for none
};

class WaterTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitApplicationState(state);
        InitMessageTitles(state);
        state.view.WaterBandTop = 1;
    }

    void type(int row, int column, const char* text) {
        state.project.water.StoreWaterCell(row, column, QString::fromUtf8(text));
    }

    void fill(int row, const WaterRow& r) {
        type(row, lungh, r.length);
        type(row, diam, r.diameter);
        type(row, port, r.flow);
        if (r.wallType > 0)
            state.project.water.PickWallType(row, r.wallType);
    }

    const Cell& cell(int row, int column) const { return state.project.water.at(row, column); }
    double loss(int row) const { return cell(row, perd).value(); }

    ApplicationState state;
};

} // namespace

TEST_F(WaterTableTest, WorkedExampleWithAndWithoutFittings) {
    fill(1, {"100", "100", "10", 0});
    type(1, sca, "0.002");
    type(1, c90, "2");
    EXPECT_DOUBLE_EQ(loss(1), 2.12);
    type(1, c90, "");
    EXPECT_DOUBLE_EQ(loss(1), 2.0);
}

TEST_F(WaterTableTest, EveryFittingAddsItsEquivalentLength) {
    // 1 m of pipe, D = 1000 mm, Q = 1000 l/s, B = 1: loss equals the total
    // length, so each fitting shows its coefficient times 1000 mm.
    fill(1, {"1", "1000", "1000", 0});
    type(1, sca, "1");
    EXPECT_DOUBLE_EQ(loss(1), 1.0);
    const int fittings[] = {c45, c90, c91, tes, croc, sarac, valv};
    const double expected[] = {13, 30, 18, 60, 60, 6, 6.5};
    for (int i = 0; i < 7; ++i) {
        type(1, fittings[i], "1");
        EXPECT_DOUBLE_EQ(loss(1), 1.0 + expected[i]) << i;
        type(1, fittings[i], "");
    }
    type(1, c45, "1.5"); // fractional counts are read as they are
    EXPECT_DOUBLE_EQ(loss(1), 1.0 + 19.5);
}

TEST_F(WaterTableTest, RoundsToTheCentimetre) {
    fill(1, {"10", "40", "1", 2}); // 10 × 0.0025 × 1e-6 / 1.024e-7 = 0.244140625
    EXPECT_DOUBLE_EQ(loss(1), 0.24);
    type(1, lungh, "10.3"); // 0.25146...
    EXPECT_DOUBLE_EQ(loss(1), 0.25);
}

// Rows on which D⁵ taken as d²·d²·d would round to the neighbouring cent:
// the powers are taken by exponentiation, as the formula is written.
TEST_F(WaterTableTest, PowersAreTakenByExponentiation) {
    const struct {
        WaterRow row;
        double loss;
    } cases[] = {
        {{"1.9", "10", "0.7", 2}, 23.27},
        {{"0.1", "20", "1", 3}, 0.12},
        {{"0.1", "20", "1.8", 3}, 0.4},
        {{"0.1", "10", "2.9", 2}, 21.02},
    };
    for (const auto& c : cases) {
        fill(1, c.row);
        EXPECT_DOUBLE_EQ(loss(1), c.loss) << c.row.length << ' ' << c.row.diameter;
    }
}

TEST_F(WaterTableTest, WallTypeSetsAndClearsTheRoughness) {
    fill(1, {"100", "100", "10", 2});
    EXPECT_EQ(cell(1, tipoc).textValue().toStdString(), "corrente");
    EXPECT_EQ(cell(1, sca).textValue().toStdString(), "0.0025");
    EXPECT_DOUBLE_EQ(loss(1), 2.5);
    type(1, sca, "0.004"); // typed over the picked value, and used
    EXPECT_DOUBLE_EQ(loss(1), 4.0);
    // Emptying the wall type empties the roughness; the loss stays.
    type(1, tipoc, "");
    EXPECT_TRUE(cell(1, sca).isEmpty());
    EXPECT_DOUBLE_EQ(loss(1), 4.0);
    state.project.water.PickWallType(1, 1);
    EXPECT_EQ(cell(1, sca).textValue().toStdString(), "0.002");
    state.project.water.PickWallType(1, 3);
    EXPECT_EQ(cell(1, sca).textValue().toStdString(), "0.004");
}

TEST_F(WaterTableTest, IncompleteRowKeepsItsLossAndTheTotal) {
    fill(1, {"100", "100", "10", 0});
    EXPECT_TRUE(cell(1, perd).isEmpty());
    EXPECT_EQ(WaterRunningTotal(state), 0.0);
    type(1, sca, "0.002");
    EXPECT_DOUBLE_EQ(loss(1), 2.0);
    type(1, diam, "");
    type(1, lungh, "200");
    EXPECT_DOUBLE_EQ(loss(1), 2.0);
}

TEST_F(WaterTableTest, ZeroDiameterIsNotComputable) {
    fill(1, {"100", "100", "10", 1});
    EXPECT_DOUBLE_EQ(loss(1), 2.0);
    type(1, diam, "0");
    EXPECT_TRUE(cell(1, perd).isEmpty());
    type(1, diam, "abc"); // reads 0 too
    EXPECT_TRUE(cell(1, perd).isEmpty());
    type(1, lungh, "1E400");
    type(1, diam, "100");
    EXPECT_TRUE(cell(1, perd).isEmpty());
}

TEST_F(WaterTableTest, RunningTotalStopsAtTheBottomOfTheBand) {
    for (int r = 1; r <= 25; ++r)
        fill(r, {"100", "100", "10", 1}); // 2 m each
    EXPECT_EQ(state.project.water.rows(), 25);
    EXPECT_DOUBLE_EQ(WaterRunningTotal(state), 20.0);
    state.view.WaterBandTop = 16;
    EXPECT_DOUBLE_EQ(WaterRunningTotal(state), 50.0);
    state.view.WaterBandTop = 491;
    EXPECT_DOUBLE_EQ(WaterRunningTotal(state), 50.0);
    EXPECT_DOUBLE_EQ(state.project.water.WaterTotal(3), 6.0);
}

TEST_F(WaterTableTest, CountIsRowsWithAPositiveLength) {
    type(1, lungh, "5");
    type(2, lungh, "0");
    type(3, lungh, "abc");
    type(4, lungh, "12,5");
    type(5, lungh, "-3");
    EXPECT_EQ(state.project.water.rows(), 2);
}

TEST_F(WaterTableTest, DeleteMovesTheFollowingRowsUp) {
    for (int r = 1; r <= 5; ++r) {
        fill(r, {"100", "100", "10", 1});
        type(r, c90, QByteArray::number(r).constData());
    }
    const double loss4 = loss(4);
    const double loss5 = loss(5);
    EXPECT_TRUE(state.project.water.DeleteWaterRow(3).isEmpty());
    EXPECT_EQ(state.project.water.rows(), 4);
    EXPECT_EQ(cell(3, c90).textValue().toStdString(), "4");
    EXPECT_DOUBLE_EQ(loss(3), loss4);
    EXPECT_DOUBLE_EQ(loss(4), loss5);
    for (int c = 1; c <= 13; ++c)
        EXPECT_TRUE(cell(5, c).isEmpty()) << c;
    EXPECT_EQ(cell(2, c90).textValue().toStdString(), "2");
}

TEST_F(WaterTableTest, DeleteOfARowWithoutLengthIsRefused) {
    fill(1, {"100", "100", "10", 1});
    const Notice n = state.project.water.DeleteWaterRow(2);
    EXPECT_EQ(n.text.toStdString(),
              "I dati del tronco n. 2 non sono ancora considerati in quanto manca la lunghezza.");
    EXPECT_EQ(n.icon, NoticeIcon::Exclamation);
    EXPECT_EQ(state.project.water.rows(), 1);
}

TEST_F(WaterTableTest, DeleteOfAnUncountedRowRemovesOnlyThatRow) {
    fill(1, {"10", "100", "10", 1});
    fill(2, {"20", "100", "10", 1});
    type(3, lungh, "0"); // typed, but not a segment
    type(4, lungh, "x");
    type(4, diam, "44");
    EXPECT_EQ(state.project.water.rows(), 2);
    EXPECT_TRUE(state.project.water.DeleteWaterRow(3).isEmpty());
    EXPECT_EQ(state.project.water.rows(), 2);
    EXPECT_EQ(cell(2, lungh).textValue().toStdString(), "20");
    EXPECT_EQ(cell(3, lungh).textValue().toStdString(), "x");
    EXPECT_EQ(cell(3, diam).textValue().toStdString(), "44");
    EXPECT_TRUE(cell(4, lungh).isEmpty());
}

// A length that does not read above 0 inside the count is a missing length
// for the hint and the check, so a save or a print cannot leave the rows
// after it behind.
TEST_F(WaterTableTest, ALengthNotAboveZeroInsideTheCountIsMissing) {
    for (const char* middle : {"", "0", "abc", "-3", "0.0"}) {
        state.project.water.ClearWaterTable();
        fill(1, {"100", "100", "10", 1});
        fill(2, {middle, "100", "10", 1});
        fill(3, {"100", "100", "10", 1});
        EXPECT_EQ(state.project.water.rows(), 2) << middle;
        EXPECT_EQ(state.project.water.WaterHint().toStdString(),
                  "Tronco n. 2: digitare la lunghezza.")
            << middle;
        const CheckOutcome c = CheckWaterData(state);
        EXPECT_FALSE(c.passed) << middle;
        EXPECT_EQ(c.notice.text.toStdString(), "Tronco n. 2:\r- digitare la lunghezza.") << middle;
        EXPECT_EQ(c.notice.column, lungh);
        EXPECT_EQ(c.notice.bandTop, 2);
        EXPECT_EQ(c.notice.line, 1);
    }
}

// Delete moves every following row up, through row 500, and counts again:
// a typed row beyond a gap is never left behind.
TEST_F(WaterTableTest, DeleteMovesEveryFollowingRowUp) {
    fill(1, {"100", "100", "10", 1});
    fill(2, {"0", "100", "10", 1});
    fill(3, {"30", "100", "10", 1});
    fill(4, {"40", "100", "10", 1});
    EXPECT_EQ(state.project.water.rows(), 3);
    EXPECT_TRUE(state.project.water.DeleteWaterRow(1).isEmpty());
    EXPECT_EQ(cell(1, lungh).textValue().toStdString(), "0");
    EXPECT_EQ(cell(2, lungh).textValue().toStdString(), "30");
    EXPECT_EQ(cell(3, lungh).textValue().toStdString(), "40");
    EXPECT_TRUE(cell(4, lungh).isEmpty());
    EXPECT_EQ(state.project.water.rows(), 2);
    EXPECT_EQ(CheckWaterData(state).notice.row, 1);

    fill(500, {"5", "100", "10", 1});
    EXPECT_TRUE(state.project.water.DeleteWaterRow(2).isEmpty());
    EXPECT_EQ(cell(499, lungh).textValue().toStdString(), "5");
    EXPECT_TRUE(cell(500, lungh).isEmpty());
    EXPECT_EQ(state.project.water.rows(), 2);
}

TEST_F(WaterTableTest, ClearEmptiesEveryCell) {
    fill(1, {"100", "100", "10", 1});
    state.view.WaterBandTop = 7;
    state.project.water.ClearWaterTable();
    EXPECT_EQ(state.project.water.count(), 0);
    EXPECT_EQ(state.view.WaterBandTop, 7);
    for (int c = 1; c <= 13; ++c)
        EXPECT_TRUE(cell(1, c).isText() && cell(1, c).textValue().isEmpty());
    EXPECT_TRUE(cell(500, lungh).isText());
}

TEST_F(WaterTableTest, HintNamesTheFirstMissingItem) {
    EXPECT_EQ(state.project.water.WaterHint().toStdString(),
              "Aprire un file archiviato o iniziare l'immissione "
              "digitando la lunghezza del primo tronco.");
    fill(1, {"100", "100", "10", 1});
    fill(2, {"100", "100", "10", 1});
    type(3, lungh, "50");
    EXPECT_EQ(state.project.water.WaterHint().toStdString(),
              "Tronco n. 3: digitare il diametro del tubo.");
    type(3, diam, "50");
    EXPECT_EQ(state.project.water.WaterHint().toStdString(), "Tronco n. 3: digitare la portata.");
    type(3, port, "1");
    EXPECT_EQ(state.project.water.WaterHint().toStdString(),
              "Tronco n. 3: scegliere la tipologia del tubo.");
    type(3, tipoc, "ghisa");
    EXPECT_EQ(state.project.water.WaterHint().toStdString(), "Tronco n. 3: digitare la scabrezza.");
    type(3, sca, "0.003");
    EXPECT_EQ(state.project.water.WaterHint().toStdString(),
              "Correggere, archiviare quanto immesso, digitare "
              "ulteriori dati, andare oltre (stampa, "
              "Frontespizio).");
}

TEST_F(WaterTableTest, CheckReportsAndPlacesTheBand) {
    CheckOutcome none = CheckWaterData(state);
    EXPECT_FALSE(none.passed);
    EXPECT_EQ(none.notice.icon, NoticeIcon::Exclamation);
    EXPECT_EQ(none.notice.text.toStdString(),
              "Non esistono dati riconosciuti:\r- per procedere è necessario digitare almeno la "
              "lunghezza del tronco n.1;\r- il controllo viene effettuato solo sui tronchi per i "
              "quali esiste il dato della lunghezza.");

    for (int r = 1; r <= 495; ++r)
        fill(r, {"1", "20", "0.1", 1});
    type(493, sca, "");
    const CheckOutcome bad = CheckWaterData(state);
    EXPECT_FALSE(bad.passed);
    EXPECT_EQ(bad.notice.icon, NoticeIcon::Critical);
    EXPECT_EQ(bad.notice.text.toStdString(), "Tronco n. 493:\r- manca il dato della scabrezza.");
    EXPECT_EQ(bad.notice.column, sca);
    // Row 493 cannot be on the first line: the last band shows it on line 3.
    EXPECT_EQ(bad.notice.bandTop, 491);
    EXPECT_EQ(bad.notice.line, 3);

    type(493, sca, "0.002");
    const CheckOutcome ok = CheckWaterData(state);
    EXPECT_TRUE(ok.passed);
    EXPECT_EQ(ok.notice.icon, NoticeIcon::Information);
    EXPECT_EQ(ok.notice.text.toStdString(),
              "I dati (tubazioni trasporto acqua) sono stati immessi correttamente per n. 495 "
              "tronchi: i valori non inseriti vengono considerati nulli.");
}

TEST_F(WaterTableTest, QuietCheckIsSilentOnlyOnSuccess) {
    state.view.WaterCheckQuiet = 1;
    EXPECT_FALSE(CheckWaterData(state).passed);
    EXPECT_EQ(state.view.WaterCheckQuiet, 1); // failure: the caller stops
    fill(1, {"10", "20", "0.1", 0});
    EXPECT_EQ(CheckWaterData(state).notice.text.toStdString(),
              "Tronco n. 1:\r- bisogna scegliere la tipologia del tubo.");
    EXPECT_EQ(state.view.WaterCheckQuiet, 1);
    state.project.water.PickWallType(1, 1);
    const CheckOutcome ok = CheckWaterData(state);
    EXPECT_TRUE(ok.passed);
    EXPECT_TRUE(ok.notice.isEmpty());
    EXPECT_EQ(state.view.WaterCheckQuiet, 0);
}

TEST_F(WaterTableTest, LengthLeavingAGapIsRefused) {
    // No rows: line 3 refused, line 1 accepted.
    auto refused = state.project.water.RefuseWaterLength(3, QStringLiteral("5"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text.toStdString(),
              "Non è possibile digitare dati lasciando righe in bianco.");
    EXPECT_EQ(refused->bandTop, 1);
    EXPECT_EQ(refused->line, 1);
    EXPECT_FALSE(state.project.water.RefuseWaterLength(1, QStringLiteral("5")).has_value());
    EXPECT_FALSE(
        state.project.water.RefuseWaterLength(3, QString()).has_value()); // emptying is allowed

    for (int r = 1; r <= 12; ++r)
        type(r, lungh, "1");
    refused = state.project.water.RefuseWaterLength(15, QStringLiteral("5"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->bandTop, 12);
    EXPECT_EQ(refused->line, 2);
    EXPECT_FALSE(state.project.water.RefuseWaterLength(13, QStringLiteral("5")).has_value());

    for (int r = 13; r <= 495; ++r)
        type(r, lungh, "1");
    refused = state.project.water.RefuseWaterLength(498, QStringLiteral("5"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->bandTop, 491); // the scroll bar stops at 491
    EXPECT_EQ(refused->row, 496);
    EXPECT_EQ(refused->line, 6);
}
