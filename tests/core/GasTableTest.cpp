#include "core/session/ApplicationState.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace GasColumn;

namespace {

class GasTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitApplicationState(state);
        InitMessageTitles(state);
        state.view.GasBandTop = 1;
    }

    void set(int row, int column, const char* text) {
        state.project.gas.TypeGasCell(row, column, QString::fromUtf8(text));
    }

    // Row 1 as a data file holds it (length 10 m, 1'', 2 m³/h, the gas type
    // and the viscosity given), put in place as opening the file does.
    void load(const char* type, double viscosity) {
        ProjectData data;
        data.GasRowCount = 1;
        data.gas.at(1, lungh) = Cell::text(QStringLiteral("10"));
        data.gas.at(1, tipofi) = Cell::text(QStringLiteral("1''"));
        data.gas.at(1, portgas) = Cell::text(QStringLiteral("2"));
        data.gas.at(1, tipoc) = Cell::text(QString::fromUtf8(type));
        data.gas.at(1, diam) = Cell::text(QStringLiteral("27.9"));
        data.gas.at(1, visc) = Cell::number(viscosity);
        ApplyProjectData(state, std::move(data));
    }

    // A complete row: length, nominal diameter by index, flow, gas type.
    void fill(int row, const char* length, int nominal, const char* flow, const char* type) {
        set(row, lungh, length);
        state.project.gas.ApplyNominalDiameter(row, nominal);
        set(row, portgas, flow);
        set(row, tipoc, type);
    }

    const Cell& cell(int row, int column) const { return state.project.gas.at(row, column); }
    double value(int row, int column) const { return cell(row, column).value(); }

    ApplicationState state;
};

} // namespace

TEST_F(GasTableTest, MethaneWorkedExample) {
    fill(1, "10", 4, "2", "metano");
    EXPECT_EQ(cell(1, diam).textValue().toStdString(), "27.9");
    EXPECT_DOUBLE_EQ(value(1, luvirt), 10.0);
    EXPECT_NEAR(value(1, rey), 1680.55, 0.005);
    EXPECT_NEAR(value(1, attr), 0.055018, 5e-7);
    EXPECT_NEAR(value(1, vel), 0.908857, 5e-7);
    EXPECT_DOUBLE_EQ(value(1, perd), 0.0586);
    EXPECT_DOUBLE_EQ(value(1, visc), 1.51e-5);
    EXPECT_DOUBLE_EQ(value(1, mas), 0.72);
    EXPECT_DOUBLE_EQ(value(1, pcs), 38160);
    EXPECT_DOUBLE_EQ(value(1, pci), 34425);
}

TEST_F(GasTableTest, LpgWorkedExample) {
    fill(1, "10", 4, "2", "GPL");
    EXPECT_NEAR(value(1, rey), 2114.70, 0.005);
    EXPECT_NEAR(value(1, attr), 0.051562, 5e-7);
    EXPECT_DOUBLE_EQ(value(1, perd), 0.1641);
    EXPECT_DOUBLE_EQ(value(1, visc), 1.2e-5);
    EXPECT_DOUBLE_EQ(value(1, mas), 2.15);
    EXPECT_DOUBLE_EQ(value(1, pcs), 46800);
    EXPECT_DOUBLE_EQ(value(1, pci), 40100);
}

TEST_F(GasTableTest, FittingsMakeTheVirtualLength) {
    fill(1, "10", 4, "2", "metano");
    set(1, cu90, "1");
    set(1, rt, "1");
    EXPECT_DOUBLE_EQ(value(1, luvirt), 12.51); // 10 + 0.09 × 27.9 = 12.511
    const double withFittings = value(1, perd);
    EXPECT_GT(withFittings, 0.0586);
    // Each coefficient, on a 100 mm pipe typed by hand.
    fill(2, "1", 0, "2", "metano");
    set(2, diam, "100");
    const int fittings[] = {cu45, cu90, cu91, rt, rx, rs, rv};
    const double expected[] = {1.3, 3, 1.8, 6, 6, 0.6, 0.65};
    for (int i = 0; i < 7; ++i) {
        set(2, tipofi, "ND");
        set(2, fittings[i], "1");
        EXPECT_DOUBLE_EQ(value(2, luvirt), std::floor((1 + expected[i]) * 100 + 0.5) / 100) << i;
        set(2, fittings[i], "");
    }
}

TEST_F(GasTableTest, IncompleteRowIsLeftAsItIs) {
    fill(1, "10", 4, "2", "metano");
    const double before = value(1, perd);
    set(1, portgas, "");
    EXPECT_DOUBLE_EQ(value(1, perd), before);
    // "ND" empties the internal diameter: skipped until a diameter is typed.
    state.project.gas.ApplyNominalDiameter(1, 0);
    set(1, portgas, "4");
    EXPECT_TRUE(cell(1, diam).isEmpty());
    EXPECT_DOUBLE_EQ(value(1, perd), before);
    set(1, diam, "27.9");
    EXPECT_GT(value(1, perd), before);
}

TEST_F(GasTableTest, RowsThatCannotBeComputedShowEmptyResults) {
    struct Case {
        const char* flow;
        const char* diameter;
        const char* type;
    };
    for (const Case& c : {Case{"0", "27.9", "metano"}, Case{"2", "0", "metano"},
                          Case{"-2", "27.9", "GPL"}, Case{"x", "27.9", "GPL"}}) {
        fill(1, "10", 4, "2", "metano");
        set(1, portgas, c.flow);
        set(1, diam, c.diameter);
        set(1, tipoc, c.type);
        for (const int col : {rey, attr, vel, perd})
            EXPECT_TRUE(cell(1, col).isEmpty()) << c.flow << ' ' << c.diameter << ' ' << c.type;
        EXPECT_DOUBLE_EQ(GasRunningTotal(state), 0.0);
    }
    // A zero viscosity read from a file, with a gas type of no properties.
    load("GPL ", 0);
    EXPECT_TRUE(cell(1, perd).isEmpty());
}

// A gas type typed by hand that is neither "metano" nor "GPL" changes no
// property: the row is computed with the viscosity and density it holds.
TEST_F(GasTableTest, UnknownGasTypeComputesWithThePropertiesTheRowHolds) {
    struct Case {
        const char* type;
        bool fromFile; // only the viscosity, as a data file holds it
        double reynolds;
        double loss;
    };
    for (const Case& c : {Case{"metanox", false, 1680.55, 0.0586},
                          Case{"GPLx", false, 1680.55, 0.0586}, Case{"xyz", true, 1680.55, 0.0}}) {
        state.project.gas.ClearGasTable();
        if (c.fromFile) {
            load("xyz", 1.51E-05);
        } else {
            fill(1, "10", 4, "2", "metano");
            set(1, tipoc, c.type);
        }
        EXPECT_NEAR(value(1, rey), c.reynolds, 0.005) << c.type;
        ASSERT_FALSE(cell(1, perd).isEmpty()) << c.type;
        EXPECT_DOUBLE_EQ(value(1, perd), c.loss) << c.type;
        EXPECT_DOUBLE_EQ(value(1, visc), 1.51e-5) << c.type;
    }
}

TEST_F(GasTableTest, GasTypeAppliesOnlyKnownNames) {
    set(1, tipoc, "metano");
    EXPECT_DOUBLE_EQ(value(1, visc), 1.51e-5);
    set(1, tipoc, "Metano"); // names are compared exactly
    EXPECT_DOUBLE_EQ(value(1, visc), 1.51e-5);
    set(1, tipoc, "GPL");
    EXPECT_DOUBLE_EQ(value(1, visc), 1.2e-5);
}

TEST_F(GasTableTest, InternalDiameterMatchesItsNominalName) {
    const char* typed[] = {"27.9", "28", "36.6", "", "abc", "151", "13.2 mm", "27,9"};
    const char* names[] = {"1''", "ND", "1 1/4''", "ND", "ND", "6''", "3/8''", "ND"};
    for (int i = 0; i < 8; ++i) {
        set(1, diam, typed[i]);
        EXPECT_EQ(state.project.gas.MatchInternalDiameter(1).toStdString(), names[i]) << typed[i];
    }
    for (int i = 1; i < NominalDiameterCount; ++i) {
        state.project.gas.ApplyNominalDiameter(1, i);
        EXPECT_EQ(state.project.gas.MatchInternalDiameter(1), NominalDiameters()[i]);
    }
}

TEST_F(GasTableTest, LengthWithACommaIsStoredAsTypedAndReadToTheComma) {
    fill(1, "12,5", 4, "2", "metano");
    EXPECT_EQ(cell(1, lungh).textValue().toStdString(), "12,5");
    EXPECT_DOUBLE_EQ(value(1, luvirt), 12.0);
}

TEST_F(GasTableTest, RunningTotalCoversTheBand) {
    for (int r = 1; r <= 12; ++r)
        fill(r, "10", 4, "2", "metano");
    EXPECT_DOUBLE_EQ(GasRunningTotal(state), 10 * 0.0586);
    state.view.GasBandTop = 3;
    EXPECT_DOUBLE_EQ(GasRunningTotal(state), 12 * 0.0586);
    EXPECT_DOUBLE_EQ(state.project.gas.GasTotal(2), 2 * 0.0586);
}

TEST_F(GasTableTest, DeleteRows) {
    for (int r = 1; r <= 3; ++r)
        fill(r, QByteArray::number(r * 10).constData(), r, "2", "metano");
    EXPECT_EQ(state.project.gas.rows(), 3);
    EXPECT_TRUE(state.project.gas.DeleteGasRow(3).isEmpty());
    EXPECT_EQ(state.project.gas.rows(), 2);
    for (int c = 1; c <= 21; ++c)
        EXPECT_TRUE(cell(3, c).isEmpty()) << c;
    EXPECT_TRUE(state.project.gas.DeleteGasRow(1).isEmpty());
    EXPECT_EQ(cell(1, lungh).textValue().toStdString(), "20");
    EXPECT_EQ(cell(1, tipofi).textValue().toStdString(), "1/2''");
    EXPECT_EQ(state.project.gas.rows(), 1);

    const Notice refused = state.project.gas.DeleteGasRow(4);
    EXPECT_EQ(refused.text.toStdString(),
              "I dati del tronco n. 4 non sono ancora considerati in quanto manca la lunghezza.");
    EXPECT_EQ(state.project.gas.rows(), 1);

    // A typed length that does not count: only that row goes.
    set(2, lungh, "0");
    set(3, lungh, "zero");
    EXPECT_TRUE(state.project.gas.DeleteGasRow(2).isEmpty());
    EXPECT_EQ(state.project.gas.rows(), 1);
    EXPECT_EQ(cell(1, lungh).textValue().toStdString(), "20");
    EXPECT_EQ(cell(2, lungh).textValue().toStdString(), "zero");
}

// A length that does not read above 0 inside the count is a missing length
// for the hint and the check.
TEST_F(GasTableTest, ALengthNotAboveZeroInsideTheCountIsMissing) {
    for (const char* middle : {"", "0", "abc", "-3"}) {
        state.project.gas.ClearGasTable();
        fill(1, "10", 4, "2", "metano");
        fill(2, middle, 4, "2", "metano");
        fill(3, "10", 4, "2", "metano");
        EXPECT_EQ(state.project.gas.rows(), 2) << middle;
        EXPECT_EQ(state.project.gas.GasHint().toStdString(), "Tronco n. 2: digitare la lunghezza.")
            << middle;
        const CheckOutcome c = CheckGasData(state);
        EXPECT_FALSE(c.passed) << middle;
        EXPECT_EQ(c.notice.text.toStdString(), "Tronco n. 2:\r- digitare la lunghezza.") << middle;
        EXPECT_EQ(c.notice.column, lungh);
        EXPECT_EQ(c.notice.bandTop, 2);
    }
}

// Delete moves every following row up, through row 500, and counts again.
TEST_F(GasTableTest, DeleteMovesEveryFollowingRowUp) {
    fill(1, "10", 4, "2", "metano");
    fill(2, "-1", 4, "2", "metano");
    fill(3, "30", 4, "2", "metano");
    fill(4, "40", 4, "2", "metano");
    EXPECT_EQ(state.project.gas.rows(), 3);
    EXPECT_TRUE(state.project.gas.DeleteGasRow(1).isEmpty());
    EXPECT_EQ(cell(2, lungh).textValue().toStdString(), "30");
    EXPECT_EQ(cell(3, lungh).textValue().toStdString(), "40");
    EXPECT_DOUBLE_EQ(value(3, luvirt), 40.0);
    EXPECT_TRUE(cell(4, lungh).isEmpty());
    EXPECT_EQ(state.project.gas.rows(), 2);
    EXPECT_EQ(CheckGasData(state).notice.row, 1);
}

TEST_F(GasTableTest, ClearKeepsTheBand) {
    fill(1, "10", 4, "2", "metano");
    state.view.GasBandTop = 5;
    state.project.gas.ClearGasTable();
    EXPECT_EQ(state.project.gas.count(), 0);
    EXPECT_EQ(state.view.GasBandTop, 5);
    EXPECT_TRUE(cell(1, perd).isEmpty());
    EXPECT_TRUE(cell(1, lungh).isText());
}

TEST_F(GasTableTest, HintAndCheck) {
    EXPECT_EQ(state.project.gas.GasHint().toStdString(),
              "Aprire un file archiviato o iniziare l'immissione "
              "digitando la lunghezza del primo tronco.");
    set(1, lungh, "10");
    EXPECT_EQ(state.project.gas.GasHint().toStdString(),
              "Tronco n. 1: scegliere il diametro nominale del tubo.");
    CheckOutcome c = CheckGasData(state);
    EXPECT_EQ(c.notice.text.toStdString(), "Tronco n. 1:\r- manca il dato del diametro del tubo.");
    EXPECT_EQ(c.notice.column, diam); // the focus goes to the internal diameter
    EXPECT_EQ(c.notice.icon, NoticeIcon::Critical);
    state.project.gas.ApplyNominalDiameter(1, 4);
    EXPECT_EQ(state.project.gas.GasHint().toStdString(), "Tronco n. 1: digitare la portata.");
    set(1, portgas, "2");
    EXPECT_EQ(state.project.gas.GasHint().toStdString(),
              "Tronco n. 1: scegliere la tipologia del tubo.");
    EXPECT_EQ(CheckGasData(state).notice.text.toStdString(),
              "Tronco n. 1:\r- bisogna scegliere la tipologia del tubo.");
    set(1, tipoc, "metano");
    EXPECT_EQ(state.project.gas.GasHint().toStdString(),
              "Correggere, archiviare quanto immesso, digitare "
              "ulteriori dati, andare oltre (stampa, "
              "Frontespizio).");
    for (int r = 2; r <= 7; ++r)
        fill(r, "5", 3, "1", "GPL");
    c = CheckGasData(state);
    EXPECT_TRUE(c.passed);
    EXPECT_EQ(c.notice.text.toStdString(),
              "I dati (tubazioni trasporto gas) sono stati immessi correttamente per n. 7 tronchi: "
              "i valori non inseriti vengono considerati nulli.");
    state.view.GasCheckQuiet = 1;
    EXPECT_TRUE(CheckGasData(state).notice.isEmpty());
    EXPECT_EQ(state.view.GasCheckQuiet, 0);
}

TEST_F(GasTableTest, GapInTheTableStopsTheCheckAtTheFirstRowWithoutLength) {
    fill(1, "10", 4, "2", "metano");
    fill(2, "10", 4, "2", "metano");
    fill(3, "10", 4, "2", "metano");
    set(2, lungh, "");
    EXPECT_EQ(state.project.gas.rows(), 2);
    EXPECT_EQ(state.project.gas.GasHint().toStdString(), "Tronco n. 2: digitare la lunghezza.");
    const CheckOutcome c = CheckGasData(state);
    EXPECT_EQ(c.notice.text.toStdString(), "Tronco n. 2:\r- digitare la lunghezza.");
    EXPECT_EQ(c.notice.bandTop, 2);
    EXPECT_EQ(c.notice.line, 1);
}

TEST_F(GasTableTest, LengthRefusalAsInTheWaterTable) {
    for (int r = 1; r <= 3; ++r)
        set(r, lungh, "1");
    const auto refused = state.project.gas.RefuseGasLength(5, QStringLiteral("4"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->bandTop, 3);
    EXPECT_EQ(refused->line, 2);
    EXPECT_EQ(refused->row, 4);
    EXPECT_FALSE(state.project.gas.RefuseGasLength(4, QStringLiteral("4")).has_value());
}
