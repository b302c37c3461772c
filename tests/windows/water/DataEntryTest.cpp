#include "QtTestRegistry.h"
#include "ShellFixture.h"

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

enum Kind { WaterBox, GasBox, GasFitting };

// Every numeric box of both data windows, by the table column it edits.
const std::pair<Kind, std::vector<int>> NumberBoxes[] = {
    {WaterBox,
     {WaterColumn::lungh, WaterColumn::diam, WaterColumn::port, WaterColumn::sca, WaterColumn::c45,
      WaterColumn::c90, WaterColumn::c91, WaterColumn::tes, WaterColumn::croc, WaterColumn::sarac,
      WaterColumn::valv}},
    {GasBox, {GasColumn::lungh, GasColumn::portgas, GasColumn::diam}},
    {GasFitting,
     {GasColumn::cu45, GasColumn::cu90, GasColumn::cu91, GasColumn::rt, GasColumn::rx,
      GasColumn::rs, GasColumn::rv, GasColumn::luvirt}},
};

// Picks a list entry with the arrow keys, as the user does.
void pick(QComboBox* combo, int index) {
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Rows 1..5 given their number as length, an empty row inserted at 3 and
// deleted with its own button: one undo step brings it back.
template <typename Window> void deleteAnInsertedRow() {
    ShellFixture f;
    Window& w = f.forms.show<Window>();
    for (int r = 1; r <= 5; ++r)
        QTest::keyClicks(w.lungh(r), QString::number(r));
    const auto lengths = [&w] {
        QStringList texts;
        for (int line = 3; line <= 6; ++line)
            texts.append(w.lungh(line)->text());
        return texts;
    };
    const QStringList inserted{QString(), "3", "4", "5"};
    w.editing().insertRowAt(3);
    QCOMPARE(lengths(), inserted);
    f.services.messages.shown.clear();
    QTest::mouseClick(w.delriga(3), Qt::LeftButton);
    QVERIFY(f.services.messages.shown.empty());
    QCOMPARE(lengths(), (QStringList{"3", "4", "5", QString()}));
    QCOMPARE(w.editing().table().rowCount(), 5);
    w.editing().undo();
    QCOMPARE(lengths(), inserted);
}

} // namespace

class DataEntry_Test : public QObject {
    Q_OBJECT
private slots:
    // The numeric pad's decimal key types a comma on an Italian keyboard:
    // every numeric box takes it as the decimal point, as a pasted cell is
    // taken, and a number in the Italian form pasted whole into a box too.
    void commaIsTheDecimalPoint_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        for (const auto& [kind, columns] : NumberBoxes) {
            for (const int c : columns) {
                const QString name = kind == WaterBox ? WaterColumnName(c) : GasColumnName(c);
                QTest::addRow("%s %s", kind == WaterBox ? "acqua" : "gas", qPrintable(name))
                    << int(kind) << c << "3,5"
                    << "3.5";
            }
        }
        QTest::newRow("acqua lungh ,25") << int(WaterBox) << int(WaterColumn::lungh) << ",25"
                                         << ".25";
        QTest::newRow("acqua lungh incollato")
            << int(WaterBox) << int(WaterColumn::lungh) << "1.234,5"
            << "1234.5";
    }
    void commaIsTheDecimalPoint() {
        QFETCH(int, kind);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ShellFixture f;
        QLineEdit* box = nullptr;
        if (kind == WaterBox) {
            dati& w = f.forms.show<dati>();
            if (column != WaterColumn::lungh)
                QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
            box = w.box(column, 1);
        } else {
            datigas& w = f.forms.show<datigas>();
            if (column != GasColumn::lungh)
                QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
            box = kind == GasFitting ? w.fitting(column) : w.box(column, 1);
        }
        if (typed.contains(QLatin1Char('.')))
            box->insert(typed);
        else
            QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), stored);
        QCOMPARE((kind == WaterBox ? f.state.project.water.at(1, column)
                                   : f.state.project.gas.at(1, column))
                     .displayText(),
                 stored);
    }

    // A character a box refuses (the data file could not hold it) gets its
    // reason in the window's hint box, not only a beep; the next character
    // taken gives the hint back.
    void refusedCharacterIsExplained_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        const QString omega = QStringLiteral("Il carattere \u03a9 non \u00e8 ammesso: il file "
                                             "dati (Windows-1252) non pu\u00f2 contenerlo.");
        QTest::newRow("acqua, virgolette")
            << 0 << "1\""
            << QStringLiteral("Il carattere \" non \u00e8 ammesso: il file dati racchiude i "
                              "testi tra virgolette.");
        QTest::newRow("gas, omega") << 1 << QStringLiteral("1\u03a9") << omega;
        QTest::newRow("frontespizio, omega") << 2 << QStringLiteral("R\u03a9") << omega;
    }
    void refusedCharacterIsExplained() {
        QFETCH(int, window);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        ShellFixture f;
        QLineEdit* box = window == 0   ? f.forms.show<dati>().lungh(1)
                         : window == 1 ? f.forms.show<datigas>().lungh(1)
                                       : f.forms.show<frontespizio>().progetto();
        const QLabel* hint = box->window()->findChild<QLabel*>(QStringLiteral("passo"));
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
    }

    // The fitting boxes, their caption and the virtual length describe one
    // row, the row a fitting typed goes to: the row last edited, after the
    // mouse passed over another row's number.
    void fittingRowFollowsTheRowEdited() {
        ShellFixture f;
        for (int r = 1; r <= 9; ++r)
            f.state.project.gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("5"));
        f.state.project.gas.TypeGasCell(9, GasColumn::cu90, QStringLiteral("2"));
        datigas& w = f.forms.show<datigas>();
        w.RefreshGasBand();
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w.num(9)->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.num(9), &move);
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 9"));
        QCOMPARE(w.fitting(GasColumn::cu90)->text(), QStringLiteral("2"));

        QTest::keyClicks(w.lungh(10), QStringLiteral("10"));
        pick(w.tipofi(10), 4);
        QTest::keyClicks(w.portgas(10), QStringLiteral("2"));
        pick(w.tipoc(10), 0);
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 10"));
        QCOMPARE(w.fitting(GasColumn::cu90)->text(), QString());
        QTest::keyClicks(w.fitting(GasColumn::cu45), QStringLiteral("1"));
        QCOMPARE(f.state.project.gas.at(10, GasColumn::cu45).displayText(), QStringLiteral("1"));
        QVERIFY(f.state.project.gas.at(9, GasColumn::cu45).isEmpty());
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(),
                 f.state.project.gas.at(10, GasColumn::luvirt).displayText());
    }

    // An empty row before rows that hold data (an inserted row) goes with
    // its delete button, in both windows, as one undo step.
    void emptyRowInsideTheTableIsDeleted() {
        deleteAnInsertedRow<dati>();
        deleteAnInsertedRow<datigas>();
    }
};

TUBAREX_QT_TEST(DataEntry_Test)
#include "DataEntryTest.moc"
