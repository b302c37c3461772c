#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/NumberText.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/BandEditing.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

// What the user types into the boxes of both data windows.
namespace {

// A numeric box of either data window, by the table column it edits;
// `fitting` for a box of the gas window's fitting row.
struct NumberBox {
    const char* name;
    bool gas;
    int column;
    bool fitting;
};

const NumberBox NumberBoxes[] = {
    {"lungh", false, WaterColumn::lungh, false},
    {"diam", false, WaterColumn::diam, false},
    {"port", false, WaterColumn::port, false},
    {"sca", false, WaterColumn::sca, false},
    {"c45", false, WaterColumn::c45, false},
    {"c90", false, WaterColumn::c90, false},
    {"c91", false, WaterColumn::c91, false},
    {"tes", false, WaterColumn::tes, false},
    {"croc", false, WaterColumn::croc, false},
    {"sarac", false, WaterColumn::sarac, false},
    {"valv", false, WaterColumn::valv, false},
    {"gas lungh", true, GasColumn::lungh, false},
    {"portgas", true, GasColumn::portgas, false},
    {"gas diam", true, GasColumn::diam, false},
    {"cu45", true, GasColumn::cu45, true},
    {"cu90", true, GasColumn::cu90, true},
    {"cu91", true, GasColumn::cu91, true},
    {"rt", true, GasColumn::rt, true},
    {"rx", true, GasColumn::rx, true},
    {"rs", true, GasColumn::rs, true},
    {"rv", true, GasColumn::rv, true},
    {"luvirt", true, GasColumn::luvirt, true},
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

// One data window as the row commands see it.
struct Network {
    std::function<void(ShellFixture&, int rows)> fill; // rows 1..n, the length the number
    std::function<BandEditing&(ShellFixture&)> editing;
    std::function<QPushButton*(ShellFixture&, int line)> deleteButton;
    std::function<QString(ShellFixture&, int row)> length;
    std::function<int(ShellFixture&)> count;
};

const Network Water{[](ShellFixture& f, int rows) {
                        for (int r = 1; r <= rows; ++r)
                            StoreWaterCell(f.state, r, WaterColumn::lungh, NumberToText(r));
                        RecountRows(f.state);
                        f.forms.show<dati>().RefreshBand();
                    },
                    [](ShellFixture& f) -> BandEditing& { return f.forms.get<dati>().editing(); },
                    [](ShellFixture& f, int line) { return f.forms.get<dati>().delriga(line); },
                    [](ShellFixture& f, int row) {
                        return f.state.water.at(row, WaterColumn::lungh).displayText();
                    },
                    [](ShellFixture& f) { return f.state.waterRows(); }};

const Network Gas{
    [](ShellFixture& f, int rows) {
        for (int r = 1; r <= rows; ++r)
            SetGasCell(f.state, r, GasColumn::lungh, NumberToText(r));
        CountGasRows(f.state);
        f.forms.show<datigas>().RefreshGasBand();
    },
    [](ShellFixture& f) -> BandEditing& { return f.forms.get<datigas>().editing(); },
    [](ShellFixture& f, int line) { return f.forms.get<datigas>().delriga(line); },
    [](ShellFixture& f, int row) { return f.state.gas.at(row, GasColumn::lungh).displayText(); },
    [](ShellFixture& f) { return f.state.gasRows(); }};

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
            QTest::addRow("%s 3,5", NumberBoxes[k].name) << k << "3,5"
                                                         << "3.5";
            QTest::addRow("%s ,25", NumberBoxes[k].name) << k << ",25"
                                                         << ".25";
        }
        QTest::addRow("pasted 1.234,5") << 0 << "1.234,5"
                                        << "1234.5";
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

    // A character a box refuses (the data file could not hold it) gets its
    // reason in the window's hint box, not only a beep; the next character
    // taken gives the hint back.
    void refusedCharacterIsExplained_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        const QString quote = QStringLiteral("Il carattere \" non \u00e8 ammesso: il file dati "
                                             "racchiude i testi tra virgolette.");
        const QString omega = QStringLiteral("Il carattere \u03a9 non \u00e8 ammesso: il file "
                                             "dati (Windows-1252) non pu\u00f2 contenerlo.");
        QTest::newRow("acqua, virgolette") << 0 << "1\"" << quote;
        QTest::newRow("gas, omega") << 1 << QStringLiteral("1\u03a9") << omega;
        QTest::newRow("frontespizio, omega") << 2 << QStringLiteral("R\u03a9") << omega;
    }
    void refusedCharacterIsExplained() {
        QFETCH(int, window);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        ShellFixture f;
        QLineEdit* box = nullptr;
        QLabel* hint = nullptr;
        if (window == 0) {
            box = f.forms.show<dati>().lungh(1);
            hint = f.forms.get<dati>().passo;
        } else if (window == 1) {
            box = f.forms.show<datigas>().lungh(1);
            hint = f.forms.get<datigas>().passo;
        } else {
            box = f.forms.show<frontespizio>().progetto();
            hint = f.forms.get<frontespizio>().passo;
        }
        const QString before = hint->text();
        // Keys as a keyboard sends them, the text with them (QTest knows
        // no key for a Greek letter).
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(box, &press);
        }
        QCOMPARE(box->text(), typed.left(1));
        QCOMPARE(hint->text(), reason);
        QTest::keyClicks(box, QStringLiteral("2"));
        QVERIFY(hint->text() != reason);
        if (window == 2)
            QCOMPARE(hint->text(), before);
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

    // An empty row before rows that hold data (an inserted row) goes with
    // its delete button, as one undo step; past the data, the button still
    // says that the row has no length.
    void emptyRowInsideTheTableIsDeleted_data() {
        QTest::addColumn<bool>("gas");
        QTest::newRow("acqua") << false;
        QTest::newRow("gas") << true;
    }
    void emptyRowInsideTheTableIsDeleted() {
        QFETCH(bool, gas);
        const Network& n = gas ? Gas : Water;
        ShellFixture f;
        n.fill(f, 5);
        n.editing(f).insertRowAt(3);
        QVERIFY(n.length(f, 3).isEmpty());
        QCOMPARE(n.length(f, 6), QStringLiteral("5"));

        QTest::mouseClick(n.deleteButton(f, 3), Qt::LeftButton);
        QVERIFY(f.services.messages.shown.empty());
        QCOMPARE(n.length(f, 3), QStringLiteral("3"));
        QVERIFY(n.length(f, 6).isEmpty());
        QCOMPARE(n.count(f), 5);

        n.editing(f).undo();
        QVERIFY(n.length(f, 3).isEmpty());
        QCOMPARE(n.length(f, 6), QStringLiteral("5"));
        n.editing(f).redo();

        QTest::mouseClick(n.deleteButton(f, 8), Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("I dati del tronco n. 8 non sono ancora considerati in quanto "
                                "manca la lunghezza."));
        QCOMPARE(n.count(f), 5);
    }
};

TUBAREX_QT_TEST(DataEntry_Test)
#include "DataEntryTest.moc"
