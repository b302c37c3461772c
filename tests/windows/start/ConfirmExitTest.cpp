#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/start/ModTubarex.h"
#include "windows/start/frmSplash.h"
#include "windows/start/scelta.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class ConfirmExit_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    void asksWithNoAsDefault() {
        ShellFixture f;
        f.services.messages.answer(MsgAnswer::No);
        ConfirmExit(f.context);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        const RecordedMessage& m = f.services.messages.shown.front();
        QCOMPARE(m.text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QCOMPARE(m.title, QStringLiteral("Attenzione: i dati non archiviati andranno persi !"));
        QCOMPARE(m.buttons, MsgButtons::YesNo);
        QCOMPARE(m.icon, NoticeIcon::Question);
        QVERIFY(m.defaultNo);
    }

    void noLeavesEveryWindowAsItWas() {
        ShellFixture f;
        f.forms.show<frmSplash>();
        f.forms.show<scelta>();
        f.forms.show<probe::dati>();
        f.services.music.commands.clear();
        f.services.messages.answer(MsgAnswer::No);
        ConfirmExit(f.context);
        QCOMPARE(f.forms.loadedCount(), 3);
        QVERIFY(f.forms.find(QStringLiteral("dati"))->isVisible());
        QVERIFY(unloadLog().isEmpty());
        QVERIFY(f.services.music.commands.isEmpty());
        QVERIFY(f.forms.get<frmSplash>().label(2)->text().isEmpty());
    }

    void yesUnloadsTheLoadedWindowsInOrder() {
        ShellFixture f;
        f.forms.show<frmSplash>();
        // Loaded in another order than the exit's.
        f.forms.show<probe::informa>();
        f.forms.show<probe::frmTip>();
        f.forms.show<probe::frontespizio>();
        f.forms.show<probe::guidadati>();
        f.forms.show<probe::dati>();
        f.forms.show<probe::prodotti>();
        f.forms.show<scelta>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        f.services.music.commands.clear();
        f.services.messages.answer(MsgAnswer::Yes);

        ConfirmExit(f.context);

        QCOMPARE(unloadLog(), (QStringList{"dati", "frontespizio", "guidadati", "frmTip",
                                           "prodotti", "informa"}));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("scelta")));
        QCOMPARE(f.forms.loadedCount(), 1);
        frmSplash& splash = f.forms.get<frmSplash>();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.label(2)->text(), QStringLiteral("          elaborazione eseguita con"));
        QCOMPARE(f.services.music.commands, QStringList{QStringLiteral("play")});
        QCOMPARE(last.count(), 0);
    }

    void anyAnswerButNoCountsAsYes() {
        ShellFixture f;
        f.forms.show<frmSplash>();
        f.forms.show<probe::dati>();
        f.services.messages.answer(MsgAnswer::Cancel);
        ConfirmExit(f.context);
        QCOMPARE(unloadLog(), QStringList{QStringLiteral("dati")});
    }

    void splashComesBackEvenAfterItWasUnloaded() {
        ShellFixture f;
        f.forms.show<probe::dati>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        f.services.messages.answer(MsgAnswer::Yes);
        ConfirmExit(f.context);
        QCOMPARE(last.count(), 0);
        QVERIFY(f.forms.isLoaded(QStringLiteral("frmSplash")));
        QCOMPARE(f.forms.get<frmSplash>().label(2)->text(),
                 QStringLiteral("          elaborazione eseguita con"));
        QCOMPARE(f.services.music.commands.last(), QStringLiteral("play"));
    }

    void orderIsTheProgramsOwn() {
        const QStringList order = ExitUnloadOrder();
        QCOMPARE(order.size(), 18);
        // The verification window follows the project: it goes with it.
        QVERIFY(order.indexOf(QStringLiteral("verifica")) >
                order.indexOf(QStringLiteral("frontespizio")));
        QCOMPARE(order.first(), QStringLiteral("scelta"));
        QCOMPARE(order.last(), QStringLiteral("informa"));
        QVERIFY(order.indexOf(QStringLiteral("datigas")) <
                order.indexOf(QStringLiteral("frontespizio")));
        QVERIFY(order.indexOf(QStringLiteral("prodotti")) <
                order.indexOf(QStringLiteral("supportoclienti")));
        QVERIFY(!order.contains(QStringLiteral("frmSplash")));
    }
};

TUBAREX_QT_TEST(ConfirmExit_Test)
#include "ConfirmExitTest.moc"
