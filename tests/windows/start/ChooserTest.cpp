#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/start/scelta.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

namespace {

const QString ChooserWaterHint =
    QStringLiteral("Apre una finestra in cui si possono calcolare le perdite "
                   "di carico per condotte di acqua a pressione.");
const QString ChooserGasHint =
    QStringLiteral("Apre una finestra in cui si possono calcolare le perdite "
                   "di carico per condotte di gas metano o GPL a pressione.");
const QString ChooserSurfaceHint =
    QStringLiteral("Elenca i tipi di calcolo disponibili ed una breve descrizione dei rispettivi "
                   "risultati ottenibili dall'elaborazione.");

} // namespace

class Chooser_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    void controlsCarryTheirTexts() {
        ShellFixture f;
        scelta& w = f.forms.show<scelta>();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Tubarex: menu delle procedure di calcolo disponibili"));
        QCOMPARE(w.Option1(1)->text(), QStringLiteral("Perdite di carico per acqua"));
        QCOMPARE(w.Option1(2)->text(), QStringLiteral("Perdite di carico per gas"));
        QCOMPARE(w.Option1(2)->objectName(), QStringLiteral("Option1(2)"));
        QCOMPARE(w.Label1->text(), QStringLiteral("Cliccare sul tipo di calcolo prescelto"));
        QCOMPARE(w.Label6->text(), QStringLiteral("Tipo di calcolo"));
        QCOMPARE(w.Label7->text(), QStringLiteral(" il programma effettua..."));
        QCOMPARE(w.Label2->text(),
                 QStringLiteral("... il calcolo delle perdite di carico distribuite e concentrate "
                                "in tubazioni di acqua a pressione"));
        QCOMPARE(w.Label3->text(), QStringLiteral("... il calcolo delle perdite di carico in "
                                                  "tubazioni di gas metano o GPL a pressione"));
        QCOMPARE(w.aiuto->text(), QStringLiteral("&AIUTO"));
        QCOMPARE(w.guida->text(), QStringLiteral("&Guida in linea"));
        QCOMPARE(w.cmdesci->text(), QStringLiteral("&USCITA"));
        QCOMPARE(w.aiuto->toolTip(),
                 QStringLiteral("cliccare per avere informazioni sull'uso della finestra"));
        QCOMPARE(w.guida->toolTip(),
                 QStringLiteral("cliccare per visualizzare il sommario della Guida"));
        QCOMPARE(w.cmdesci->toolTip(), QStringLiteral("cliccare per uscire da Tubarex"));
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cmdesci")), w.cmdesci);
    }

    void designedSize() {
        ShellFixture f;
        scelta& w = f.forms.show<scelta>();
        const QSize outer = w.frameGeometry().size();
        QVERIFY(qAbs(outer.width() - w.twipsX(9600)) <= w.twipsX(120));
        QVERIFY(qAbs(outer.height() - w.twipsY(6825)) <= w.twipsY(510));
        QCOMPARE(w.StatusBar1->geometry().bottom(), w.height() - 1);
    }

    void optionsWithoutTheirWindowAreDisabled() {
        ShellFixture f;
        f.forms.enrol<probe::datigas>();
        scelta& w = f.forms.show<scelta>();
        QVERIFY(!w.Option1(1)->isEnabled());
        QVERIFY(w.Option1(2)->isEnabled());
        QVERIFY(!w.guida->isEnabled());
    }

    void waterClickedTwiceOpensAndRefrontsTheWaterWindow() {
        ShellFixture f;
        int opened = 0;
        f.forms.enrol(QStringLiteral("dati"), [&] {
            ++opened;
            f.forms.show<probe::dati>();
        });
        scelta& w = f.forms.show<scelta>();
        QTest::mouseClick(w.Option1(1), Qt::LeftButton);
        QCOMPARE(opened, 1);
        QVERIFY(!w.Option1(1)->isChecked());
        auto* water = static_cast<probe::dati*>(f.forms.find(QStringLiteral("dati")));
        QVERIFY(water && water->isVisible());
        water->hide();
        QTest::mouseClick(w.Option1(1), Qt::LeftButton);
        QCOMPARE(opened, 2);
        QVERIFY(water->isVisible());
        QCOMPARE(water->loads, 1);
        QVERIFY(!w.Option1(1)->isChecked());
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("datigas")));
    }

    void gasOptionOpensTheGasWindow() {
        ShellFixture f;
        f.forms.enrol<probe::dati>();
        f.forms.enrol<probe::datigas>();
        scelta& w = f.forms.show<scelta>();
        QTest::mouseClick(w.Option1(2), Qt::LeftButton);
        QVERIFY(f.forms.isLoaded(QStringLiteral("datigas")));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(!w.Option1(2)->isChecked());
    }

    // The pointer passing over the window, in order: each option shows its
    // hint, the free surface its own, and labels and buttons leave the last
    // hint in place.
    void statusBarShowsTheHintUnderTheMouse() {
        ShellFixture f;
        scelta& w = f.forms.show<scelta>();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const struct {
            QWidget* over;
            QPoint at;
            QString hint;
        } moves[] = {{w.Option1(2), {}, ChooserGasHint},
                     {w.Label3, {}, ChooserGasHint},
                     {w.Option1(1), {}, ChooserWaterHint},
                     {w.aiuto, {}, ChooserWaterHint},
                     {&w, QPoint(w.twipsX(240), w.twipsY(240)), ChooserSurfaceHint},
                     {w.Label1, {}, ChooserSurfaceHint},
                     {w.Option1(1), {}, ChooserWaterHint},
                     {&w, QPoint(w.twipsX(240), w.twipsY(4320)), ChooserSurfaceHint}};
        for (const auto& move : moves) {
            const QPoint at = move.at.isNull() ? move.over->rect().center() : move.at;
            QTest::mouseMove(move.over, at);
            QCOMPARE(w.StatusBar1->currentMessage(), move.hint);
        }
    }

    void aiutoExplainsTheWindow() {
        ShellFixture f;
        scelta& w = f.forms.show<scelta>();
        QTest::mouseClick(w.aiuto, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        const RecordedMessage& m = f.services.messages.shown.front();
        QCOMPARE(m.text,
                 QStringLiteral(
                     "Scegliere il tipo di calcolo che si intende effettuare cliccandoci sopra."));
        QCOMPARE(m.title, QStringLiteral("Tubarex: aiuto in linea"));
        QCOMPARE(m.icon, NoticeIcon::Information);
        QCOMPARE(m.buttons, MsgButtons::Ok);
    }

    void guidaShowsTheHelpSummaryOnceItExists() {
        ShellFixture f;
        f.forms.enrol<probe::sommario>();
        scelta& w = f.forms.show<scelta>();
        QVERIFY(w.guida->isEnabled());
        QTest::mouseClick(w.guida, Qt::LeftButton);
        QVERIFY(f.forms.isLoaded(QStringLiteral("sommario")));
    }

    void cmdesciAsksTheExitQuestion() {
        ShellFixture f;
        scelta& w = f.forms.show<scelta>();
        f.services.messages.answer(MsgAnswer::No);
        QTest::mouseClick(w.cmdesci, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown.front().text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
    }
};

TUBAREX_QT_TEST(Chooser_Test)
#include "ChooserTest.moc"
