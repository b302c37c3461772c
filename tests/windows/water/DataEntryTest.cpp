#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/NumberText.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/BandEditing.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

// What the user types into the boxes of both data windows.
namespace {

// A box of either data window, with the cell it edits; `ready` types what
// the row needs before the box takes typing (a length on row 1).
struct NumberBox {
    const char* name;
    bool gas;
    int column;
    bool fitting;
};

const NumberBox NumberBoxes[] = {
    {"lungh", false, WaterColumn::lungh, false},  {"diam", false, WaterColumn::diam, false},
    {"port", false, WaterColumn::port, false},    {"sca", false, WaterColumn::sca, false},
    {"c45", false, WaterColumn::c45, false},      {"c90", false, WaterColumn::c90, false},
    {"c91", false, WaterColumn::c91, false},      {"tes", false, WaterColumn::tes, false},
    {"croc", false, WaterColumn::croc, false},    {"sarac", false, WaterColumn::sarac, false},
    {"valv", false, WaterColumn::valv, false},    {"gas lungh", true, GasColumn::lungh, false},
    {"portgas", true, GasColumn::portgas, false}, {"gas diam", true, GasColumn::diam, false},
    {"cu45", true, GasColumn::cu45, true},        {"cu90", true, GasColumn::cu90, true},
    {"cu91", true, GasColumn::cu91, true},        {"rt", true, GasColumn::rt, true},
    {"rx", true, GasColumn::rx, true},            {"rs", true, GasColumn::rs, true},
    {"rv", true, GasColumn::rv, true},            {"luvirt", true, GasColumn::luvirt, true},
};

// The box on line 1 (or of the fitting row, for row 1) and the text of its
// cell, with row 1 given a length first when the box is not the length.
struct Typed {
    QLineEdit* box;
    std::function<QString()> cell;
};

Typed prepare(ShellFixture& f, const NumberBox& b) {
    if (!b.gas) {
        dati& w = f.forms.show<dati>();
        if (b.column != WaterColumn::lungh)
            QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
        return {w.box(b.column, 1),
                [&f, b] { return f.state.water.at(1, b.column).displayText(); }};
    }
    datigas& w = f.forms.show<datigas>();
    if (b.column != GasColumn::lungh)
        QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
    return {b.fitting ? w.fitting(b.column) : w.box(b.column, 1),
            [&f, b] { return f.state.gas.at(1, b.column).displayText(); }};
}

// Picks a list entry with the arrow keys, as the user does.
void pick(QComboBox* combo, int index) {
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

void moveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

class DataEntry_Test : public QObject {
    Q_OBJECT
private slots:
    // The numeric pad's decimal key types a comma on an Italian keyboard:
    // every numeric box takes it as the decimal point, as a pasted cell is
    // taken, and a number in the Italian form pasted whole into a box too.
    void commaIsTheDecimalPoint_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        for (int k = 0; k < int(std::size(NumberBoxes)); ++k) {
            QTest::addRow("%s 3,5", NumberBoxes[k].name) << k << "3,5" << "3.5";
            QTest::addRow("%s ,25", NumberBoxes[k].name) << k << ",25" << ".25";
        }
        QTest::addRow("pasted 1.234,5") << 0 << "1.234,5" << "1234.5";
    }
    void commaIsTheDecimalPoint() {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ShellFixture f;
        const Typed t = prepare(f, NumberBoxes[box]);
        if (typed.contains(QLatin1Char('.')))
            t.box->insert(typed);
        else
            QTest::keyClicks(t.box, typed);
        QCOMPARE(t.box->text(), stored);
        QCOMPARE(t.cell(), stored);
    }

    // The fitting boxes, their caption and the virtual length describe one
    // row, the row a fitting typed goes to: the row last edited, after the
    // mouse passed over another row's number.
    void fittingRowFollowsTheRowEdited() {
        ShellFixture f;
        for (int r = 1; r <= 9; ++r)
            SetGasCell(f.state, r, GasColumn::lungh, QStringLiteral("5"));
        SetGasCell(f.state, 9, GasColumn::cu90, QStringLiteral("2"));
        CountGasRows(f.state);
        datigas& w = f.forms.show<datigas>();
        w.RefreshGasBand();
        moveMouseOver(w.num(9));
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 9"));
        QCOMPARE(w.fitting(GasColumn::cu90)->text(), QStringLiteral("2"));

        QTest::keyClicks(w.lungh(10), QStringLiteral("10"));
        pick(w.tipofi(10), 4);
        QTest::keyClicks(w.portgas(10), QStringLiteral("2"));
        pick(w.tipoc(10), 0);
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 10"));
        QCOMPARE(w.fitting(GasColumn::cu90)->text(), QString());
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(),
                 f.state.gas.at(10, GasColumn::luvirt).displayText());
        QTest::keyClicks(w.fitting(GasColumn::cu45), QStringLiteral("1"));
        QCOMPARE(f.state.gas.at(10, GasColumn::cu45).displayText(), QStringLiteral("1"));
        QVERIFY(f.state.gas.at(9, GasColumn::cu45).isEmpty());
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(),
                 f.state.gas.at(10, GasColumn::luvirt).displayText());
    }

};

TUBAREX_QT_TEST(DataEntry_Test)
#include "DataEntryTest.moc"
