#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/help/HelpPage.h"
#include "windows/help/guidadati.h"
#include "windows/help/informa.h"
#include "windows/help/licenza.h"
#include "windows/help/prodotti.h"
#include "windows/help/sommario.h"
#include "windows/help/supportoclienti.h"
#include "windows/start/ModTubarex.h"
#include "windows/start/frmSplash.h"
#include "windows/start/frmTip.h"
#include "windows/start/scelta.h"
#include "windows/verify/verifica.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The windows that close from a button of their own.
void enrolClosable(Forms& forms) {
    forms.enrol<verifica>();
    forms.enrol<sommario>();
    forms.enrol<informa>();
    forms.enrol<licenza>();
    forms.enrol<supportoclienti>();
    forms.enrol<frmTip>();
    forms.enrol<guidadati>();
    forms.enrol<prodotti>();
}

} // namespace

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

    // The close button of a window (Chiudi, OK) on the last window on the
    // screen is the exit, with its question, as its title bar is: No keeps
    // the window shown, hidden windows loaded. With another window on the
    // screen the button only closes its own.
    void closeButtonOfTheLastShownWindowIsTheExit_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        const auto row = [](const char* window, const char* button) {
            QTest::newRow(window) << QString::fromLatin1(window) << QString::fromLatin1(button);
        };
        row("verifica", "chiudi");
        row("sommario", "cmdchiudi");
        row("informa", "cmdOK");
        row("licenza", "cmdChiudi");
        row("supportoclienti", "Command1");
        row("frmTip", "cmdOK");
        row("guidadati", "cmdChiudi");
        row("prodotti", "cmdChiudi");
    }
    void closeButtonOfTheLastShownWindowIsTheExit() {
        QFETCH(QString, window);
        QFETCH(QString, button);
        ShellFixture f;
        enrolClosable(f.forms);
        // The water window, closed from its title bar, left the data loaded
        // in a hidden gas window.
        f.forms.get<probe::datigas>();
        const auto click = [&] {
            Form* w = f.forms.find(window);
            QVERIFY(w && w->isVisible());
            auto* b = w->findChild<QPushButton*>(button);
            QVERIFY(b);
            b->click();
            ShellFixture::flush();
        };
        QVERIFY(f.forms.showByName(window));
        f.services.messages.answer(MsgAnswer::No);
        click();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown.back().text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QVERIFY(f.forms.find(window)->isVisible());
        QVERIFY(f.forms.isLoaded(QStringLiteral("datigas")));

        f.services.messages.answer(MsgAnswer::Yes);
        click();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("datigas")));
        QVERIFY(f.forms.find(QStringLiteral("frmSplash"))->isVisible());

        ShellFixture other;
        enrolClosable(other.forms);
        other.forms.show<probe::dati>();
        QVERIFY(other.forms.showByName(window));
        Form* w = other.forms.find(window);
        w->findChild<QPushButton*>(button)->click();
        ShellFixture::flush();
        QVERIFY(other.services.messages.shown.empty());
        QVERIFY(!other.forms.find(window) || !other.forms.find(window)->isVisible());
    }

    void orderIsTheProgramsOwn() {
        const QStringList order = ExitUnloadOrder();
        QCOMPARE(order.size(), 28);
        // Every help page goes with the exit, the later ones too.
        for (const HelpTopic& topic : HelpTopics())
            QVERIFY2(order.contains(HelpPageWindow(topic.subject)), qPrintable(topic.title));
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
