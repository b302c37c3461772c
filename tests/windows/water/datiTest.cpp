#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Rows 1..n with a length only (the length is the row number).
void fillLengths(ApplicationState& s, int n) {
    for (int r = 1; r <= n; ++r)
        s.project.water.StoreWaterCell(r, WaterColumn::lungh, QString::number(r));
}

// Types a complete row on band line i: length, diameter, flow, and the
// first wall type picked from the list.
void typeRow(dati& w, int i) {
    QTest::keyClicks(w.lungh(i), QStringLiteral("100"));
    QTest::keyClicks(w.box(WaterColumn::diam, i), QStringLiteral("50"));
    QTest::keyClicks(w.box(WaterColumn::port, i), QStringLiteral("2"));
    QTest::keyClick(w.tipoc(i), Qt::Key_Down);
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

} // namespace

class dati_Test : public QObject {
    Q_OBJECT
private slots:
    void loadShowsStartHintAndBandAtRowOne() {
        ShellFixture f;
        f.state.view.WaterBandTop = 30;
        dati& w = f.forms.get<dati>();
        QCOMPARE(f.state.view.WaterBandTop, 1);
        QCOMPARE(w.VScroll1->minimum(), 1);
        QCOMPARE(w.VScroll1->maximum(), 491);
        QCOMPARE(w.VScroll1->pageStep(), 10);
        QCOMPARE(w.passo->text(), QStringLiteral("Aprire un file archiviato o iniziare "
                                                 "l'immissione digitando la lunghezza del primo "
                                                 "tronco."));
        QCOMPARE(w.tipoc(7)->count(), 3);
        QCOMPARE(w.tipoc(7)->itemText(2), QStringLiteral("scabro"));
        QCOMPARE(w.tipoc(7)->currentText(), QString());
        QCOMPARE(w.num(7)->text(), QStringLiteral("7"));
        QCOMPARE(w.delriga(7)->toolTip(), QStringLiteral("cliccare per cancellare la riga n. 7"));
    }

    // The resizer keeps the band proportional to the window.
    void resizingScalesTheBand() {
        ShellFixture f;
        dati& w = f.forms.show<dati>();
        const QRect before = w.lungh(5)->geometry();
        w.resize(w.width() * 2, w.height());
        QVERIFY(w.lungh(5)->width() > before.width() * 3 / 2);
        QVERIFY(w.lungh(5)->x() > before.x() * 3 / 2);
    }

    void boxesRefuseTextsTheFileCannotHold() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QTest::keyClicks(w.lungh(1), QStringLiteral("1\"2"));
        QCOMPARE(w.lungh(1)->text(), QStringLiteral("12"));
        QTest::keyClicks(w.box(WaterColumn::valv, 1), QStringLiteral("3"));
        w.box(WaterColumn::valv, 1)->insert(QStringLiteral("√"));
        QCOMPARE(f.state.project.water.at(1, WaterColumn::valv).textValue(), QStringLiteral("3"));
        QTest::keyClicks(w.tipoc(1), QStringLiteral("a\"b"));
        QCOMPARE(f.state.project.water.at(1, WaterColumn::tipoc).textValue(), QStringLiteral("ab"));
    }

    // A block copied from a spreadsheet (cells split by tabs, rows by line
    // breaks) is refused in a single box, as a double quote is: it would
    // run the numbers together.
    void pastedBlockIsRefusedInEveryBox() {
        ShellFixture f;
        dati& water = f.forms.get<dati>();
        datigas& gas = f.forms.get<datigas>();
        const struct {
            const char* name;
            QLineEdit* box;
        } boxes[] = {
            {"lungh(1)", water.lungh(1)},
            {"diam(2)", water.box(WaterColumn::diam, 2)},
            {"tipoc(1)", water.tipoc(1)->lineEdit()},
            {"gas lungh(1)", gas.lungh(1)},
            {"gas tipofi(1)", gas.tipofi(1)->lineEdit()},
            {"gas cu45", gas.fitting(GasColumn::cu45)},
        };
        for (const QString& block :
             {QStringLiteral("5\t50\t2\r\n6\t40\t1"), QStringLiteral("5\t50"),
              QStringLiteral("5\n6"), QStringLiteral("7\r")}) {
            QGuiApplication::clipboard()->setText(block);
            for (const auto& b : boxes) {
                b.box->paste();
                QVERIFY2(b.box->text().isEmpty(), b.name);
            }
        }
        QCOMPARE(f.state.project.water.rows(), 0);
        QCOMPARE(f.state.project.gas.rows(), 0);
        QVERIFY(f.state.project.water.at(1, WaterColumn::lungh).isEmpty());
        f.forms.unload(&gas);
    }

    void lengthLeavingBlankRowsIsRefused() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QTest::keyClicks(w.lungh(3), QStringLiteral("5"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("Non è possibile digitare dati lasciando righe in bianco."));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.CheckTitle);
        QCOMPARE(w.lungh(3)->text(), QString());
        QVERIFY(f.state.project.water.at(3, WaterColumn::lungh).isEmpty());
        QCOMPARE(w.focusWidget(), w.lungh(1));

        QTest::keyClicks(w.lungh(1), QStringLiteral("5"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.state.project.water.rows(), 1);
        QCOMPARE(w.Label1->text(), QStringLiteral("1"));
    }

    void refusalMovesBandToFirstFreeRow() {
        ShellFixture f;
        fillLengths(f.state, 12);
        dati& w = f.forms.get<dati>();
        w.RefreshBand();
        QTest::keyClicks(w.lungh(10), QStringLiteral("0"));
        QVERIFY(f.services.messages.shown.empty());
        QCOMPARE(f.state.project.water.at(10, WaterColumn::lungh).textValue(),
                 QStringLiteral("100"));

        w.VScroll1->setValue(11);
        QCOMPARE(w.num(1)->text(), QStringLiteral("11"));
        QTest::keyClicks(w.lungh(5), QStringLiteral("3"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(w.VScroll1->value(), 12);
        QCOMPARE(f.state.view.WaterBandTop, 12);
        QCOMPARE(w.num(1)->text(), QStringLiteral("12"));
        QCOMPARE(w.lungh(1)->text(), QStringLiteral("12"));
        QCOMPARE(w.focusWidget(), w.lungh(2));
        QVERIFY(f.state.project.water.at(15, WaterColumn::lungh).isEmpty());
    }

    // Rows above 491 appear in the last band, 491..500, on their own line.
    void lastBandTakesRowsAboveScrollLimit() {
        ShellFixture f;
        fillLengths(f.state, 495);
        dati& w = f.forms.get<dati>();
        w.VScroll1->setValue(489);
        QTest::keyClicks(w.lungh(10), QStringLiteral("8"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(w.VScroll1->value(), 491);
        QCOMPARE(w.num(6)->text(), QStringLiteral("496"));
        QCOMPARE(w.focusWidget(), w.lungh(6));

        w.VScroll1->setValue(1);
        QVERIFY(!w.CheckData());
        QCOMPARE(w.VScroll1->value(), 1);
        QCOMPARE(w.focusWidget(), w.box(WaterColumn::diam, 1));
        for (int r = 1; r < 495; ++r) {
            f.state.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("20"));
            f.state.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("1"));
            f.state.project.water.PickWallType(r, 3);
        }
        QVERIFY(!w.CheckData());
        QCOMPARE(w.VScroll1->value(), 491);
        QCOMPARE(w.focusWidget(), w.box(WaterColumn::diam, 5));
    }

    // A typed wall type is stored as it is; only a pick sets the roughness.
    void typedWallTypeLeavesRoughness() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QTest::keyClicks(w.lungh(1), QStringLiteral("10"));
        QTest::keyClicks(w.tipoc(1), QStringLiteral("scabro"));
        QCOMPARE(f.state.project.water.at(1, WaterColumn::tipoc).textValue(),
                 QStringLiteral("scabro"));
        QCOMPARE(w.box(WaterColumn::sca, 1)->text(), QString());
        QTest::keyClicks(w.box(WaterColumn::sca, 1), QStringLiteral("0.003"));
        QCOMPARE(f.state.project.water.at(1, WaterColumn::sca).textValue(),
                 QStringLiteral("0.003"));
        QCOMPARE(w.passo->text(), QStringLiteral("Tronco n. 1: digitare il diametro del tubo."));
    }

    void pickedWallTypeFillsRoughnessAndHintNamesNextItem() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        typeRow(w, 1);
        QCOMPARE(w.tipoc(1)->currentText(), QStringLiteral("liscio"));
        QCOMPARE(w.box(WaterColumn::sca, 1)->text(), QStringLiteral("0.002"));
        QVERIFY(!w.perd(1)->text().isEmpty());
        QCOMPARE(w.totperd->text(), w.perd(1)->text());
        typeRow(w, 2);
        QTest::keyClicks(w.lungh(3), QStringLiteral("4"));
        QCOMPARE(w.passo->text(), QStringLiteral("Tronco n. 3: digitare il diametro del tubo."));

        // A wall type typed away empties the roughness of the row.
        w.tipoc(2)->setEditText(QString());
        QCOMPARE(w.box(WaterColumn::sca, 2)->text(), QString());
        QVERIFY(f.state.project.water.at(2, WaterColumn::sca).isEmpty());
    }

    void checkReportsSuccessOrLeadsToMissingItem() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        typeRow(w, 1);
        typeRow(w, 2);
        w.frame()->item(QStringLiteral("controlla"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("I dati (tubazioni trasporto acqua) sono stati immessi "
                                "correttamente per n. 2 tronchi: i valori non inseriti vengono "
                                "considerati nulli."));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Information);

        // Called quietly, as the save does, a success shows nothing.
        f.state.view.WaterCheckQuiet = 1;
        QVERIFY(w.CheckData());
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.state.view.WaterCheckQuiet, 0);

        w.box(WaterColumn::port, 2)->clear();
        QVERIFY(!w.CheckData());
        QCOMPARE(f.services.messages.shown.back().text,
                 QStringLiteral("Tronco n. 2:\r- manca il dato della portata del tubo."));
        QCOMPARE(w.VScroll1->value(), 2);
        QCOMPARE(w.focusWidget(), w.box(WaterColumn::port, 1));
    }

    void deleteRemovesRowOrWarnsWithoutLength() {
        ShellFixture f;
        fillLengths(f.state, 5);
        dati& w = f.forms.get<dati>();
        w.RefreshBand();
        QCOMPARE(w.delriga(3)->toolTip(), QStringLiteral("cliccare per cancellare la riga n. 3"));
        QTest::mouseClick(w.delriga(3), Qt::LeftButton);
        QCOMPARE(f.state.project.water.rows(), 4);
        QCOMPARE(w.lungh(3)->text(), QStringLiteral("4"));
        QCOMPARE(w.lungh(4)->text(), QStringLiteral("5"));
        QCOMPARE(w.lungh(5)->text(), QString());
        QCOMPARE(w.Label1->text(), QStringLiteral("4"));
        QVERIFY(f.services.messages.shown.empty());

        QTest::mouseClick(w.delriga(7), Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("I dati del tronco n. 7 non sono ancora considerati in quanto "
                                "manca la lunghezza."));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Exclamation);
        QCOMPARE(f.state.project.water.rows(), 4);
    }

    void clearKeepsBandPositionAndColours() {
        ShellFixture f;
        fillLengths(f.state, 30);
        dati& w = f.forms.get<dati>();
        w.VScroll1->setValue(11);
        QCOMPARE(w.lungh(1)->text(), QStringLiteral("11"));
        w.frame()->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(f.state.project.water.rows(), 0);
        QVERIFY(f.state.project.water.at(11, WaterColumn::lungh).isEmpty());
        QCOMPARE(w.lungh(1)->text(), QString());
        QCOMPARE(w.VScroll1->value(), 11);
        QCOMPARE(w.num(1)->text(), QStringLiteral("11"));
        QCOMPARE(w.Label1->text(), QStringLiteral("0"));
        QCOMPARE(labelColour(w.num(1)), QColor(0, 255, 255));
        QCOMPARE(w.background(), QColor(128, 128, 128));
    }

    void mouseOverNumberHighlightsItsLine() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        // Desktop themes may give a list's editor a colour of its own, which
        // the list's colour then no longer reaches.
        QPalette own = w.tipoc(4)->lineEdit()->palette();
        own.setColor(QPalette::Base, Qt::white);
        w.tipoc(4)->lineEdit()->setPalette(own);
        w.VScroll1->setValue(5);
        moveMouseOver(w.num(4));
        QCOMPARE(w.CurrentRow, 8);
        QCOMPARE(w.SelectedLine, 4);
        QCOMPARE(labelColour(w.num(4)), QColor(255, 255, 0));
        QCOMPARE(labelColour(w.perd(4)), QColor(255, 255, 0));
        QCOMPARE(boxColour(w.lungh(4)), QColor(255, 255, 0));
        QCOMPARE(boxColour(w.tipoc(4)), QColor(255, 255, 0));
        // Every input control of the line, the wall-type list's editor too.
        for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c)
            QCOMPARE(boxColour(w.control(c, 4)), QColor(255, 255, 0));
        QCOMPARE(boxColour(w.tipoc(4)->lineEdit()), QColor(255, 255, 0));
        moveMouseOver(w.num(6));
        QVERIFY(boxColour(w.tipoc(4)->lineEdit()) != QColor(255, 255, 0));
        QCOMPARE(labelColour(w.num(4)), QColor(0, 255, 255));
        QVERIFY(boxColour(w.lungh(4)) != QColor(255, 255, 0));
        QCOMPARE(labelColour(w.num(6)), QColor(255, 255, 0));
    }

    // Clear empties the boxes and the losses; the total label stays as it was.
    void clearLeavesTheTotal() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        typeRow(w, 1);
        typeRow(w, 2);
        const QString total = w.totperd->text();
        QVERIFY(!total.isEmpty() && total != QStringLiteral("0"));
        w.frame()->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(w.perd(1)->text(), QString());
        QCOMPARE(w.totperd->text(), total);
    }

    // A length that does not read above 0 inside the count stops the save:
    // the row after it would not be written.
    void lengthNotAboveZeroStopsTheSave() {
        for (const QString& middle :
             {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("-3")}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("Tubarex-dati-buco"));
            ShellFixture f;
            dati& w = f.forms.get<dati>();
            typeRow(w, 1);
            typeRow(w, 2);
            w.lungh(2)->setText(middle);
            typeRow(w, 3);
            QCOMPARE(f.state.project.water.rows(), 2);
            QCOMPARE(w.passo->text(), QStringLiteral("Tronco n. 2: digitare la lunghezza."));
            f.state.project.cover.progetto = QStringLiteral("Rete");
            f.services.dialogs.saveResults.push_back(path);
            w.frame()->item(QStringLiteral("salva"))->trigger();
            QCOMPARE(f.services.messages.shown.size(), size_t(1));
            QCOMPARE(f.services.messages.shown[0].text,
                     QStringLiteral("Tronco n. 2:\r- digitare la lunghezza."));
            QVERIFY(f.services.dialogs.saveRequests.empty());
            QVERIFY(!QFile::exists(path));
            QCOMPARE(w.VScroll1->value(), 2);
            QCOMPARE(w.focusWidget(), w.lungh(1));
        }
    }

    // Each wall-type list shows the pick of the row its line shows, so a
    // list opened on another row does not offer the previous row's entry.
    void wallTypeListFollowsItsRow() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        typeRow(w, 1);
        QTest::keyClick(w.tipoc(1), Qt::Key_Down);
        QTest::keyClick(w.tipoc(1), Qt::Key_Down);
        QCOMPARE(f.state.project.water.at(1, WaterColumn::tipoc).textValue(),
                 QStringLiteral("scabro"));
        fillLengths(f.state, 15);
        f.state.project.water.StoreWaterCell(12, WaterColumn::tipoc, QStringLiteral("corrente"));
        w.VScroll1->setValue(11);
        QCOMPARE(w.tipoc(1)->currentText(), QString());
        QCOMPARE(w.tipoc(1)->currentIndex(), -1);
        QCOMPARE(w.tipoc(2)->currentIndex(), 1);
        w.VScroll1->setValue(1);
        QCOMPARE(w.tipoc(1)->currentIndex(), 2);
        QCOMPARE(w.tipoc(1)->currentText(), QStringLiteral("scabro"));
        // A typed name that is not in the list selects nothing.
        f.state.project.water.StoreWaterCell(2, WaterColumn::tipoc, QStringLiteral("ghisa"));
        w.RefreshBand();
        QCOMPARE(w.tipoc(2)->currentIndex(), -1);
        QCOMPARE(w.tipoc(2)->currentText(), QStringLiteral("ghisa"));
        w.frame()->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(w.tipoc(1)->currentIndex(), -1);
    }

    // Both data windows: the delete buttons show their picture and stay out
    // of the tab chain, so no key deletes a row unasked; a window created
    // again (after an exit answered Yes, or a title-bar close) shows the
    // count of its table at once and after scrolling.
    void deleteButtonsAndCountOfBothWindows() {
        ShellFixture f;
        fillLengths(f.state, 5);
        for (int r = 1; r <= 4; ++r)
            f.state.project.gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("3"));
        f.forms.get<dati>();
        f.forms.get<datigas>();
        f.forms.unload(QStringLiteral("dati"));
        f.forms.unload(QStringLiteral("datigas"));
        ShellFixture::flush();
        dati& water = f.forms.get<dati>();
        datigas& gas = f.forms.get<datigas>();
        for (int i = 1; i <= 10; ++i) {
            for (QPushButton* button : {water.delriga(i), gas.delriga(i)}) {
                QVERIFY(!button->icon().isNull());
                QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            }
        }
        for (int scrolled = 0; scrolled < 2; ++scrolled) {
            QCOMPARE(water.Label1->text(), QStringLiteral("5"));
            QCOMPARE(gas.Label1->text(), QStringLiteral("4"));
            water.VScroll1->setValue(3);
            gas.VScroll1->setValue(2);
        }
    }

    // Both data windows name their columns in the head and unit lines, each
    // with its tooltip, as designed: "head / tooltip", then "unit / tooltip"
    // for the columns that have a unit line.
    void headsNameEveryColumnAsDesigned() {
        ShellFixture f;
        const auto lines = [](QWidget& w) {
            QString lines;
            for (const QLabel* l : w.findChildren<QLabel*>()) {
                if (l->objectName().startsWith(QStringLiteral("testa_")) ||
                    l->objectName().startsWith(QStringLiteral("unita_")))
                    lines += QStringLiteral("%1 %2 / %3\n")
                                 .arg(l->objectName(), l->text(), l->toolTip());
            }
            return lines;
        };
        const QString water =
            QStringLiteral("testa_num tronco / numero d'ordine del tronco\n"
                           "unita_num  / \n"
                           "testa_lungh lungh. / lunghezza del tronco considerato\n"
                           "unita_lungh metri / lunghezza del tronco considerato\n"
                           "testa_diam diam. / diametro interno del tubo\n"
                           "unita_diam millimetri / diametro interno del tubo\n"
                           "testa_port portata / portata minima\n"
                           "unita_port litri al secondo / portata minima\n"
                           "testa_tipoc tubo / tipo di tubazione\n"
                           "unita_tipoc tipologia / riguardo le pareti interne del tubo\n"
                           "testa_sca scabr. / coefficiente di scabrezza\n"
                           "unita_sca coeff. / coefficiente di scabrezza\n"
                           "testa_c45 curve 45° / curve a 45° nel tronco\n"
                           "unita_c45 n. / numero di curve presenti\n"
                           "testa_c90 curve 90° / curve a 90° nel tronco\n"
                           "unita_c90 n. / numero di curve presenti\n"
                           "testa_c91 ampio r. / curve a 90° ad ampio raggio\n"
                           "unita_c91 n. / numero di curve presenti\n"
                           "testa_tes T / raccordi a T\n"
                           "unita_tes n. / numero di raccordi presenti\n"
                           "testa_croc croce / raccordi a croce\n"
                           "unita_croc n. / numero di raccordi presenti\n"
                           "testa_sarac saracin. / saracinesche nel tronco\n"
                           "unita_sarac n. / numero di saracinesche presenti\n"
                           "testa_valv valvole / valvole di ritegno nel tronco\n"
                           "unita_valv n. / numero di valvole presenti\n"
                           "testa_perd p. di carico / perdita di carico nel tronco\n"
                           "unita_perd metri / perdita di carico nel tronco\n");
        const QString gas = QStringLiteral(
            "testa_num tronco / numero d'ordine del tronco\n"
            "unita_num n. / numero\n"
            "testa_lungh lungh. / lunghezza del tronco considerato\n"
            "unita_lungh metri / metri\n"
            "testa_tipofi fi nominale / diametro interno del tubo (valori commerciali)\n"
            "unita_tipofi pollici / pollici\n"
            "testa_portgas portata / portata minima\n"
            "unita_portgas mc/h / metri cubi all'ora\n"
            "testa_tipoc gas / tipo di gas\n"
            "unita_tipoc tipo / metano o GPL\n"
            "testa_diam diam. / diametro del tubo\n"
            "unita_diam mm. / espresso in millimetri\n"
            "testa_visc viscos. / viscosità cinematica\n"
            "unita_visc mq/s / metri quadrati al secondo\n"
            "testa_rey Reynolds / numero di Reynolds\n"
            "unita_rey n. / numero\n"
            "testa_attr attrito / attrito\n"
            "unita_attr coeff. / coefficiente\n"
            "testa_vel veloc. / velocità del gas\n"
            "unita_vel m/s / metri al secondo\n"
            "testa_mas massa / massa volumica\n"
            "unita_mas kg/mc / chilogrammi al metro cubo\n"
            "testa_pcs PCS / potere calorifico superiore - contenuto di energia  in condizioni "
            "standard\n"
            "unita_pcs kj / kj/mc nel caso del gas metano e kj/kg nel caso del GPL\n"
            "testa_pci PCI / potere calorifico inferiore (che non include il calore di "
            "condensazione del vapore d'acqua che si forma nella combustione)\n"
            "unita_pci kj / kj/mc nel caso del gas metano e kj/kg nel caso del GPL\n"
            "testa_perd perdite / perdite di carico nel tronco (massimo 1,0 mbar per metano e 2,0 "
            "mbar per GPL)\n"
            "unita_perd mbar / millibar\n"
            "testa_cu45 45° / curve a 45° nel tronco\n"
            "testa_cu90 90° / n. curve a 90° nel tronco\n"
            "testa_cu91 90° + / n. curve a più di 90° nel tronco\n"
            "testa_rt T / n. derivazioni a T nel tronco\n"
            "testa_rx croce / n. derivazioni a croce nel tronco\n"
            "testa_rs saracin. / n. saracinesche nel tronco\n"
            "testa_rv valvole / n. valvole nel tronco\n"
            "testa_luvirt l.virtuale / lungezza virtuale nel calcolo del tronco considerato\n");
        QCOMPARE(lines(f.forms.get<dati>()), water);
        QCOMPARE(lines(f.forms.get<datigas>()), gas);
    }

    void backgroundGreyForAllOrChosenColour() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        f.services.messages.answer(MsgAnswer::Yes);
        w.frame()->item(QStringLiteral("colora"))->trigger();
        QCOMPARE(f.services.messages.shown[0].title,
                 f.state.program.ProgramName + QStringLiteral(": colore di sfondo"));
        QCOMPARE(w.background(), QColor(192, 192, 192));
        QVERIFY(f.services.dialogs.colourRequests.empty());

        // Already grey: straight to the colour dialog; a cancel keeps it.
        w.ChangeBackground();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.dialogs.colourRequests.size(), size_t(1));
        QCOMPARE(f.services.dialogs.colourRequests[0], quint32(0xC0C0C0));
        QCOMPARE(w.background(), QColor(192, 192, 192));
        f.services.dialogs.colourResults.push_back(quint32(0x336699));
        w.ChangeBackground();
        QCOMPARE(w.background(), QColor(0x33, 0x66, 0x99));
        QCOMPARE(f.state.view.ColourScheme, quint32(0x336699));
    }

    void aiutoShowsSevenLines() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QTest::mouseClick(w.aiuto, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.HelpTitle);
        const QStringList lines = f.services.messages.shown[0].text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[5], QStringLiteral("- effettuare i controlli dei dati cliccando sul tasto "
                                          "ABC;"));
    }

    // Saved through the menu and opened back: the band shows the file's rows.
    void saveAndOpenThroughTheMenus() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-rete"));
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        typeRow(w, 1);
        typeRow(w, 2);
        f.state.project.cover.progetto = QStringLiteral("Rete idrica");
        f.services.dialogs.saveResults.push_back(path);
        w.frame()->item(QStringLiteral("salva"))->trigger();
        QVERIFY(f.services.messages.shown.empty());
        QVERIFY(QFile::exists(path));

        w.frame()->item(QStringLiteral("cancella"))->trigger();
        w.VScroll1->setValue(20);
        f.services.dialogs.openResults.push_back(path);
        // The table cleared is unsaved: not saved, as asked.
        f.services.messages.answer(MsgAnswer::No);
        w.frame()->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(w.VScroll1->value(), 1);
        QCOMPARE(w.lungh(2)->text(), QStringLiteral("100"));
        QCOMPARE(w.tipoc(2)->currentText(), QStringLiteral("liscio"));
        QVERIFY(!w.perd(2)->text().isEmpty());
        QCOMPARE(w.Label1->text(), QStringLiteral("2"));
        QCOMPARE(w.passo->text(), QStringLiteral("Correggere, archiviare quanto immesso, digitare "
                                                 "ulteriori dati, andare oltre (stampa, "
                                                 "Frontespizio)."));
    }
};

TUBAREX_QT_TEST(dati_Test)
#include "datiTest.moc"
