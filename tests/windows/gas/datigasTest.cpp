#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/file/ProjectFile.h"
#include "core/model/NumberText.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QColor Yellow(255, 255, 0);
const QColor Cyan(0, 255, 255);
const QColor PaleYellow(255, 255, 192);
const QColor PaleCyan(128, 255, 255);

// Rows 1..n with a length only (the length is the row number).
void fillLengths(ApplicationState& s, int n) {
    for (int r = 1; r <= n; ++r)
        s.project.gas.TypeGasCell(r, GasColumn::lungh, NumberToText(r));
}

// A complete methane row with a 1'' pipe, as a data file leaves it: inputs
// only, no results.
void fillCompleteRow(ApplicationState& s, int row, const QString& length) {
    s.project.gas.TypeGasCell(row, GasColumn::lungh, length);
    s.project.gas.TypeGasCell(row, GasColumn::tipofi, QStringLiteral("1''"));
    s.project.gas.TypeGasCell(row, GasColumn::portgas, QStringLiteral("2"));
    s.project.gas.TypeGasCell(row, GasColumn::tipoc, QStringLiteral("metano"));
    s.project.gas.TypeGasCell(row, GasColumn::diam, QStringLiteral("27.9"));
}

// Picks a list entry with the arrow keys, as the user does.
void pick(QComboBox* combo, int index) {
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}

// Types a complete row on band line i: length, flow, methane and a 1'' pipe.
void typeRow(datigas& w, int i, const QString& length = QStringLiteral("10")) {
    QTest::keyClicks(w.lungh(i), length);
    QTest::keyClicks(w.portgas(i), QStringLiteral("2"));
    pick(w.tipoc(i), 0);
    pick(w.tipofi(i), 4);
}

void moveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

QColor labelColour(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

QColor boxColour(QWidget* w) {
    return w->palette().color(QPalette::Base);
}

// Every text the band shows on line i.
QStringList lineTexts(const datigas& w, int i) {
    QStringList texts{w.tipofi(i)->currentText(), w.tipoc(i)->currentText(), w.perd(i)->text()};
    for (int c = GasColumn::lungh; c <= GasColumn::pci; ++c) {
        if (c != GasColumn::tipofi && c != GasColumn::tipoc)
            texts.append(w.box(c, i)->text());
    }
    return texts;
}

} // namespace

class datigas_Test : public QObject {
    Q_OBJECT
private slots:
    void loadShowsStartHintListsAndBandAtRowOne() {
        ShellFixture f;
        f.state.view.GasBandTop = 30;
        datigas& w = f.forms.get<datigas>();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("senza nome \u2013 Perdite di carico gas: dati per il calcolo"));
        QCOMPARE(f.state.view.GasBandTop, 1);
        QCOMPARE(w.VScroll1->minimum(), 1);
        QCOMPARE(w.VScroll1->maximum(), 491);
        QCOMPARE(w.VScroll1->pageStep(), 10);
        QCOMPARE(w.passo->text(), QStringLiteral("Aprire un file archiviato o iniziare "
                                                 "l'immissione digitando la lunghezza del primo "
                                                 "tronco."));
        QCOMPARE(w.tipofi(6)->count(), 13);
        QCOMPARE(w.tipofi(6)->itemText(0), QStringLiteral("ND"));
        QCOMPARE(w.tipofi(6)->itemText(5), QStringLiteral("1 1/4''"));
        QCOMPARE(w.tipofi(6)->currentText(), QString());
        QCOMPARE(w.tipoc(6)->count(), 2);
        QCOMPARE(w.tipoc(6)->itemText(1), QStringLiteral("GPL"));
        QCOMPARE(w.num(7)->text(), QStringLiteral("7"));
        QCOMPARE(w.delriga(7)->toolTip(), QStringLiteral("cliccare per cancellare la riga n. 7"));
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali dati tronco n."));
        QCOMPARE(w.comestampo[0]->text(), QStringLiteral("Stampa con Word"));
        QCOMPARE(w.comestampo[1]->text(), QStringLiteral("Stampa diretta"));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("lungh(3)")), w.lungh(3));
        QCOMPARE(boxColour(w.diam(2)), PaleYellow);
        QCOMPARE(boxColour(w.box(GasColumn::pci, 2)), PaleCyan);
        QCOMPARE(labelColour(w.perd(2)), Cyan);
    }

    void boxesRefuseTextsTheFileCannotHold() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        QTest::keyClicks(w.lungh(1), QStringLiteral("1\"2"));
        QCOMPARE(f.state.project.gas.at(1, GasColumn::lungh).textValue(), QStringLiteral("12"));
        QTest::keyClicks(w.tipofi(1), QStringLiteral("a\"b"));
        QCOMPARE(f.state.project.gas.at(1, GasColumn::tipofi).textValue(), QStringLiteral("ab"));
        QTest::keyClicks(w.fitting(GasColumn::rv), QStringLiteral("4\""));
        QCOMPARE(f.state.project.gas.at(1, GasColumn::rv).textValue(), QStringLiteral("4"));
    }

    void chosenNominalDiameterFillsDiameterAndResults() {
        ShellFixture f;
        fillLengths(f.state, 2);
        datigas& w = f.forms.get<datigas>();
        w.RefreshGasBand();
        QTest::keyClicks(w.lungh(3), QStringLiteral("10"));
        QTest::keyClicks(w.portgas(3), QStringLiteral("2"));
        pick(w.tipoc(3), 0);
        QCOMPARE(w.box(GasColumn::visc, 3)->text(), QStringLiteral("1.51E-05"));
        QVERIFY(w.perd(3)->text().isEmpty());
        pick(w.tipofi(3), 4);
        QCOMPARE(w.tipofi(3)->currentText(), QStringLiteral("1''"));
        QCOMPARE(w.diam(3)->text(), QStringLiteral("27.9"));
        QCOMPARE(f.state.project.gas.at(3, GasColumn::diam).textValue(), QStringLiteral("27.9"));
        const QString loss = w.perd(3)->text();
        QVERIFY(!loss.isEmpty());
        QCOMPARE(loss, NumberToText(f.state.project.gas.at(3, GasColumn::perd).value()));
        QCOMPARE(w.box(GasColumn::rey, 3)->text(),
                 RoundedNumberText(f.state.project.gas.at(3, GasColumn::rey).value(), 4));
        QCOMPARE(w.box(GasColumn::rey, 3)->toolTip(),
                 NumberToText(f.state.project.gas.at(3, GasColumn::rey).value()));
        QCOMPARE(w.totperd->text(), loss);
        QCOMPARE(w.passo->text(), QStringLiteral("Tronco n. 1: scegliere il diametro nominale "
                                                 "del tubo."));

        // "ND" has no internal diameter.
        pick(w.tipofi(3), 0);
        QCOMPARE(w.diam(3)->text(), QString());
        QVERIFY(f.state.project.gas.at(3, GasColumn::diam).isEmpty());

        // A typed internal diameter of the series names its pipe.
        QTest::keyClicks(w.diam(3), QStringLiteral("36.6"));
        QCOMPARE(w.tipofi(3)->currentText(), QStringLiteral("1 1/4''"));
        QCOMPARE(f.state.project.gas.at(3, GasColumn::tipofi).textValue(),
                 QStringLiteral("1 1/4''"));
        QVERIFY(!w.perd(3)->text().isEmpty());
        QVERIFY(w.perd(3)->text() != loss);
        QTest::keyClick(w.diam(3), Qt::Key_Backspace);
        QCOMPARE(w.tipofi(3)->currentText(), QStringLiteral("ND"));
    }

    void typedEmptyNominalDiameterEmptiesTheDiameterCell() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        typeRow(w, 1);
        QCOMPARE(f.state.project.gas.at(1, GasColumn::diam).textValue(), QStringLiteral("27.9"));
        w.tipofi(1)->setEditText(QString());
        QVERIFY(f.state.project.gas.at(1, GasColumn::diam).isEmpty());
        QCOMPARE(w.diam(1)->text(), QStringLiteral("27.9"));
    }

    void notComputableRowShowsEmptyResults() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
        pick(w.tipofi(1), 4);
        QTest::keyClicks(w.portgas(1), QStringLiteral("0"));
        QTest::keyClicks(w.tipoc(1), QStringLiteral("butano"));
        QTest::keyClicks(w.lungh(2), QStringLiteral("5"));
        QTest::keyClicks(w.portgas(2), QStringLiteral("0"));
        pick(w.tipoc(2), 1);
        pick(w.tipofi(2), 2);
        for (int i = 1; i <= 2; ++i) {
            QCOMPARE(w.perd(i)->text(), QString());
            for (const QString& text : lineTexts(w, i)) {
                QVERIFY2(!text.contains(QLatin1String("inf"), Qt::CaseInsensitive),
                         qPrintable(text));
                QVERIFY2(!text.contains(QLatin1String("nan"), Qt::CaseInsensitive),
                         qPrintable(text));
            }
            QCOMPARE(w.box(GasColumn::rey, i)->text(), QString());
            QCOMPARE(w.box(GasColumn::vel, i)->text(), QString());
        }
        QCOMPARE(w.box(GasColumn::visc, 1)->text(), QString());
        QCOMPARE(w.box(GasColumn::mas, 2)->text(), QStringLiteral("2.15"));
        QCOMPARE(w.totperd->text(), QStringLiteral("0"));
    }

    void mouseOverRowNumberShowsThatRowsFittings() {
        ShellFixture f;
        fillLengths(f.state, 20);
        fillCompleteRow(f.state, 14, QStringLiteral("10"));
        f.state.project.gas.TypeGasCell(14, GasColumn::cu90, QStringLiteral("2"));
        f.state.project.gas.TypeGasCell(14, GasColumn::rv, QStringLiteral("1"));
        f.state.project.gas.TypeGasCell(3, GasColumn::rt, QStringLiteral("7"));
        datigas& w = f.forms.get<datigas>();
        w.VScroll1->setValue(11);
        moveMouseOver(w.num(4));
        QCOMPARE(w.CurrentRow, 14);
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 14"));
        QCOMPARE(w.fitting(GasColumn::cu90)->text(), QStringLiteral("2"));
        QCOMPARE(w.fitting(GasColumn::rv)->text(), QStringLiteral("1"));
        QCOMPARE(w.fitting(GasColumn::rt)->text(), QString());
        // 10 m + (2 x 0.03 + 1 x 0.0065) x 27.9 mm = 11.86 m.
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(), QStringLiteral("11.86"));
        QCOMPARE(labelColour(w.num(4)), Yellow);
        QCOMPARE(labelColour(w.perd(4)), Yellow);
        QCOMPARE(boxColour(w.diam(4)), Yellow);
        QCOMPARE(boxColour(w.tipoc(4)), Yellow);
        QCOMPARE(boxColour(w.tipofi(4)->lineEdit()), Yellow);
        QCOMPARE(boxColour(w.diam(3)), PaleYellow);

        // A fitting typed now belongs to row 14; the virtual length follows.
        QTest::keyClicks(w.fitting(GasColumn::cu45), QStringLiteral("1"));
        QCOMPARE(f.state.project.gas.at(14, GasColumn::cu45).textValue(), QStringLiteral("1"));
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(), QStringLiteral("12.22"));
        QCOMPARE(w.perd(4)->text(),
                 NumberToText(f.state.project.gas.at(14, GasColumn::perd).value()));

        moveMouseOver(w.num(6));
        QCOMPARE(labelColour(w.num(4)), Cyan);
        QCOMPARE(boxColour(w.diam(4)), PaleYellow);
        QVERIFY(boxColour(w.tipofi(4)->lineEdit()) != Yellow);
        QCOMPARE(w.fitting(GasColumn::cu45)->text(), QString());
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(), QString());
        QCOMPARE(w.eventuale->text(), QStringLiteral("eventuali altri dati del tronco n. 16"));
    }

    void lengthLeavingBlankRowsIsRefused() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        for (int i = 1; i <= 3; ++i)
            QTest::keyClicks(w.lungh(i), QStringLiteral("4"));
        QCOMPARE(w.Label1->text(), QStringLiteral("3"));
        QTest::keyClicks(w.lungh(5), QStringLiteral("5"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("Non è possibile digitare dati lasciando righe in bianco."));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.CheckTitle);
        QVERIFY(f.state.project.gas.at(5, GasColumn::lungh).isEmpty());
        QCOMPARE(w.VScroll1->value(), 3);
        QCOMPARE(f.state.view.GasBandTop, 3);
        QCOMPARE(w.num(1)->text(), QStringLiteral("3"));
        QCOMPARE(w.lungh(3)->text(), QString());
        QCOMPARE(w.lungh(1)->text(), QStringLiteral("4"));
        QCOMPARE(w.focusWidget(), w.lungh(2));
        QCOMPARE(f.state.project.gas.rows(), 3);
    }

    // Rows above 491 appear in the last band, 491..500, on their own line.
    void scrollingEndsWithRows491To500() {
        ShellFixture f;
        fillLengths(f.state, 495);
        datigas& w = f.forms.get<datigas>();
        w.VScroll1->setValue(600);
        QCOMPARE(w.VScroll1->value(), 491);
        QCOMPARE(w.num(1)->text(), QStringLiteral("491"));
        QCOMPARE(w.num(10)->text(), QStringLiteral("500"));
        QCOMPARE(w.lungh(5)->text(), QStringLiteral("495"));
        QCOMPARE(w.delriga(10)->toolTip(),
                 QStringLiteral("cliccare per cancellare la riga n. 500"));

        w.VScroll1->setValue(489);
        QTest::keyClicks(w.lungh(10), QStringLiteral("8"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(w.VScroll1->value(), 491);
        QCOMPARE(w.focusWidget(), w.lungh(6));
    }

    // The band shows the rows' results as the table holds them.
    void bandShowsTheRowsResults() {
        ShellFixture f;
        for (int r = 1; r <= 12; ++r)
            fillCompleteRow(f.state, r, NumberToText(r));
        f.state.project.gas.TypeGasCell(13, GasColumn::tipofi, QStringLiteral("1''"));
        datigas& w = f.forms.get<datigas>();
        w.VScroll1->setValue(5);
        QVERIFY(!f.state.project.gas.at(12, GasColumn::perd).isEmpty());
        QCOMPARE(w.perd(8)->text(),
                 NumberToText(f.state.project.gas.at(12, GasColumn::perd).value()));
        QCOMPARE(w.box(GasColumn::pcs, 1)->text(), QStringLiteral("38160"));
        // Long results show whole in the narrow boxes, to four significant
        // digits, and at full length in the tooltip.
        QCOMPARE(w.box(GasColumn::rey, 1)->text(),
                 RoundedNumberText(f.state.project.gas.at(5, GasColumn::rey).value(), 4));
        QVERIFY(w.box(GasColumn::rey, 1)->toolTip().size() > 8);
        QCOMPARE(w.box(GasColumn::rey, 1)->cursorPosition(), 0);
        QCOMPARE(w.totperd->text(), NumberToText(f.state.project.gas.GasTotal(12)));
        // A nominal diameter without its length is dropped.
        QCOMPARE(w.tipofi(9)->currentText(), QString());
        QVERIFY(f.state.project.gas.at(13, GasColumn::tipofi).isEmpty());
    }

    void checkReportsSuccessOrLeadsToMissingItem() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        typeRow(w, 1);
        typeRow(w, 2);
        w.frame()->item(QStringLiteral("controlla"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("I dati (tubazioni trasporto gas) sono stati immessi "
                                "correttamente per n. 2 tronchi: i valori non inseriti vengono "
                                "considerati nulli."));

        f.state.view.GasCheckQuiet = 1;
        QVERIFY(w.CheckData());
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.state.view.GasCheckQuiet, 0);

        w.portgas(2)->clear();
        QVERIFY(!w.CheckData());
        QCOMPARE(f.services.messages.shown.back().text,
                 QStringLiteral("Tronco n. 2:\r- manca il dato della portata del tubo."));
        QCOMPARE(w.VScroll1->value(), 2);
        QCOMPARE(w.focusWidget(), w.portgas(1));

        // A missing nominal diameter leads to the internal diameter box.
        w.VScroll1->setValue(1);
        w.tipofi(1)->setEditText(QString());
        QVERIFY(!w.CheckData());
        QCOMPARE(w.focusWidget(), w.diam(1));
    }

    void deleteRemovesRowOrWarnsWithoutLength() {
        ShellFixture f;
        fillLengths(f.state, 5);
        datigas& w = f.forms.get<datigas>();
        w.RefreshGasBand();
        QTest::mouseClick(w.delriga(3), Qt::LeftButton);
        QCOMPARE(f.state.project.gas.rows(), 4);
        QCOMPARE(w.lungh(3)->text(), QStringLiteral("4"));
        QCOMPARE(w.lungh(5)->text(), QString());
        QCOMPARE(w.Label1->text(), QStringLiteral("4"));
        QVERIFY(f.services.messages.shown.empty());

        QTest::mouseClick(w.delriga(7), Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("I dati del tronco n. 7 non sono ancora considerati in quanto "
                                "manca la lunghezza."));
        QCOMPARE(f.state.project.gas.rows(), 4);
    }

    void clearKeepsBandPositionAndTotal() {
        ShellFixture f;
        for (int r = 1; r <= 30; ++r)
            fillCompleteRow(f.state, r, QStringLiteral("10"));
        datigas& w = f.forms.get<datigas>();
        w.VScroll1->setValue(11);
        moveMouseOver(w.num(2));
        const QString total = w.totperd->text();
        QVERIFY(!w.fitting(GasColumn::luvirt)->text().isEmpty());
        w.frame()->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(f.state.project.gas.rows(), 0);
        QVERIFY(f.state.project.gas.at(12, GasColumn::lungh).isEmpty());
        QCOMPARE(w.lungh(1)->text(), QString());
        QCOMPARE(w.tipofi(1)->currentText(), QString());
        QCOMPARE(w.box(GasColumn::mas, 1)->text(), QString());
        QCOMPARE(w.perd(1)->text(), QString());
        QCOMPARE(w.fitting(GasColumn::luvirt)->text(), QString());
        QCOMPARE(w.VScroll1->value(), 11);
        QCOMPARE(w.num(1)->text(), QStringLiteral("11"));
        QCOMPARE(w.totperd->text(), total);
        QCOMPARE(w.passo->text(), QStringLiteral("Aprire un file archiviato o iniziare "
                                                 "l'immissione digitando la lunghezza del primo "
                                                 "tronco."));
    }

    // Tab runs row by row through the input boxes, as in the water window;
    // the computed boxes and the delete buttons are not tab stops.
    void tabRunsRowByRowThroughTheInputs() {
        ShellFixture f;
        datigas& w = f.forms.show<datigas>();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.lungh(1)->setFocus();
        QCOMPARE(QApplication::focusWidget(), w.lungh(1));
        QStringList expected;
        for (int i = 1; i <= 10; ++i) {
            for (const char* name : {"lungh", "tipofi", "portgas", "tipoc", "diam"})
                expected.append(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
        }
        QStringList visited;
        for (int k = 0; k < 120; ++k) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            // An editable list takes the focus in its editor.
            QWidget* control =
                qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
            visited.append(control->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited.mid(0, 50), expected);
        for (const QString& name : visited) {
            QVERIFY2(!name.startsWith(QLatin1String("delriga")), qPrintable(name));
            for (int c = GasColumn::visc; c <= GasColumn::pci; ++c)
                QVERIFY2(!name.startsWith(GasColumnName(c) + QLatin1Char('(')), qPrintable(name));
            QVERIFY2(name != QLatin1String("luvirt"), qPrintable(name));
        }
        // The fittings of the chosen row are reached too, after the band.
        QVERIFY(visited.contains(QStringLiteral("cu45")));
        f.forms.unload(&w);
    }

    // Each list shows the pick of the row its line shows.
    void listsFollowTheirRow() {
        ShellFixture f;
        fillLengths(f.state, 15);
        fillCompleteRow(f.state, 12, QStringLiteral("12"));
        datigas& w = f.forms.get<datigas>();
        typeRow(w, 1);
        pick(w.tipoc(1), 1);
        QCOMPARE(w.tipofi(1)->currentIndex(), 4);
        QCOMPARE(w.tipoc(1)->currentIndex(), 1);
        w.VScroll1->setValue(11);
        QCOMPARE(w.tipofi(1)->currentIndex(), -1);
        QCOMPARE(w.tipoc(1)->currentIndex(), -1);
        QCOMPARE(w.tipofi(2)->currentIndex(), 4);
        QCOMPARE(w.tipoc(2)->currentIndex(), 0);
        w.VScroll1->setValue(1);
        QCOMPARE(w.tipoc(1)->currentIndex(), 1);
        QCOMPARE(w.tipoc(1)->currentText(), QStringLiteral("GPL"));
        w.frame()->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(w.tipofi(1)->currentIndex(), -1);
        QCOMPARE(w.tipoc(1)->currentIndex(), -1);
    }

    // A cancelled open from this window forgets the current file: the next
    // save asks for a name.
    void cancelledOpenEmptiesTheCurrentFile() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        f.state.session.CurrentFileName = QStringLiteral("/progetti/Tubarex-dati-rete");
        w.frame()->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(f.services.dialogs.openRequests.size(), size_t(1));
        QCOMPARE(f.state.session.CurrentFileName, QString());
    }

    void backgroundGreyForAllOrChosenColour() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        f.services.messages.answer(MsgAnswer::Yes);
        w.frame()->item(QStringLiteral("colora"))->trigger();
        QCOMPARE(f.services.messages.shown[0].title,
                 f.state.program.ProgramName + QStringLiteral(": colore di sfondo"));
        QCOMPARE(w.background(), QColor(192, 192, 192));
        QVERIFY(f.services.dialogs.colourRequests.empty());

        f.services.dialogs.colourResults.push_back(quint32(0x336699));
        w.ChooseGasBackground();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.dialogs.colourRequests[0], quint32(0xC0C0C0));
        QCOMPARE(w.background(), QColor(0x33, 0x66, 0x99));
        QCOMPARE(f.state.view.ColourScheme, quint32(0x336699));

        // Not grey and the answer No: the dialog; its cancel keeps the colour.
        f.services.messages.answer(MsgAnswer::No);
        w.ChooseGasBackground();
        QCOMPARE(f.services.dialogs.colourRequests.size(), size_t(2));
        QCOMPARE(w.background(), QColor(0x33, 0x66, 0x99));
    }

    // "Finestra Dati gas" is this window: it offers its help page; the water
    // entry shows the water window and leaves this one loaded.
    void navigationEntriesOfTheGasWindow() {
        ShellFixture f;
        f.forms.enrol<dati>();
        datigas& w = f.forms.show<datigas>();
        QVERIFY(w.frame()->item(QStringLiteral("fin3"))->isChecked());
        f.services.messages.answer(MsgAnswer::No);
        w.frame()->item(QStringLiteral("fin3"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("E' questa la finestra 'Dati gas': si vuole la guida della "
                                "finestra?"));
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.HelpTitle);
        w.frame()->Toolbar1(9)->trigger();
        QVERIFY(f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(f.forms.find(QStringLiteral("dati"))->isVisible());
        QVERIFY(f.forms.isLoaded(QStringLiteral("datigas")));
        f.forms.unload(QStringLiteral("dati"));
        f.forms.unload(QStringLiteral("datigas"));
    }

    void aiutoShowsSevenLines() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        QTest::mouseClick(w.aiuto, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.HelpTitle);
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Information);
        const QStringList lines = f.services.messages.shown[0].text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[3], QStringLiteral("- visualizzare i tronchi successivi con la barra di "
                                          "scorrimento verticale;"));
    }

    void saveNeedsGasRowsThenRoundTrips() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-gas"));
        ShellFixture f;
        f.state.project.cover.progetto = QStringLiteral("Rete gas");
        datigas& w = f.forms.get<datigas>();
        // Without gas rows the quiet check fails and nothing is asked.
        w.frame()->item(QStringLiteral("salva"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QVERIFY(f.services.dialogs.saveRequests.empty());

        typeRow(w, 1);
        typeRow(w, 2, QStringLiteral("20"));
        f.services.dialogs.saveResults.push_back(path);
        w.frame()->item(QStringLiteral("salva"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(
            ",,,,,,,\"20\",\"1''\",\"2\",\"metano\",\"27.9\",1.51E-05\r\n"));
        file.close();

        w.frame()->item(QStringLiteral("cancella"))->trigger();
        w.VScroll1->setValue(20);
        f.services.dialogs.openResults.push_back(path);
        // The table cleared is unsaved: not saved, as asked.
        f.services.messages.answer(MsgAnswer::No);
        w.frame()->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(2));
        QCOMPARE(w.VScroll1->value(), 1);
        QCOMPARE(w.lungh(2)->text(), QStringLiteral("20"));
        QCOMPARE(w.tipofi(2)->currentText(), QStringLiteral("1''"));
        QCOMPARE(w.tipoc(2)->currentText(), QStringLiteral("metano"));
        QVERIFY(!w.perd(2)->text().isEmpty());
        QCOMPARE(w.Label1->text(), QStringLiteral("2"));
        QCOMPARE(w.passo->text(), QStringLiteral("Correggere, archiviare quanto immesso, digitare "
                                                 "ulteriori dati, andare oltre (stampa, "
                                                 "Frontespizio)."));
    }

    // Started with a file that holds only gas segments: the gas window.
    void startWithGasOnlyFileShowsGasWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-sologas"));
        {
            ApplicationState source;
            for (int r = 1; r <= 3; ++r)
                fillCompleteRow(source, r, QStringLiteral("7"));
            source.project.water.ClearWaterTable();
            source.project.cover.progetto = QStringLiteral("Solo gas");
            QVERIFY(SaveProjectFile(source.project, path).ok());
        }
        ShellFixture f;
        f.forms.enrol<dati>();
        f.forms.enrol<datigas>();
        QVERIFY(OpenProjectAtStart(f.context, path));
        auto* gas = qobject_cast<datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(gas && gas->isVisible());
        // The water window is loaded too, hidden, ready at row 1.
        QVERIFY(f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(f.forms.find(QStringLiteral("dati"))->isHidden());
        QCOMPARE(gas->lungh(3)->text(), QStringLiteral("7"));
        QVERIFY(!gas->perd(3)->text().isEmpty());
        f.forms.unload(QStringLiteral("dati"));
        f.forms.unload(gas);
    }
};

TUBAREX_QT_TEST(datigas_Test)
#include "datigasTest.moc"
