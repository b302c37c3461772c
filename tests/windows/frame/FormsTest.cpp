#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/start/frmSplash.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class Forms_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    void oneInstanceLoadedOnce() {
        ShellFixture f;
        probe::dati& first = f.forms.get<probe::dati>();
        probe::dati& again = f.forms.show<probe::dati>();
        QCOMPARE(&first, &again);
        QCOMPARE(first.loads, 1);
        QCOMPARE(f.forms.loadedCount(), 1);
        QVERIFY(again.isVisible());
    }

    void registeredUnderTheBareClassName() {
        ShellFixture f;
        f.forms.get<probe::datigas>();
        QVERIFY(f.forms.isLoaded(QStringLiteral("datigas")));
        QCOMPARE(f.forms.find(QStringLiteral("datigas"))->objectName(), QStringLiteral("datigas"));
    }

    void createdAfreshAfterUnload() {
        ShellFixture f;
        QPointer<probe::dati> first = &f.forms.get<probe::dati>();
        f.forms.unload(QStringLiteral("dati"));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("dati")));
        QCOMPARE(unloadLog(), QStringList{QStringLiteral("dati")});
        ShellFixture::flush();
        QVERIFY(first.isNull());
        probe::dati& second = f.forms.get<probe::dati>();
        QCOMPARE(second.loads, 1);
        QVERIFY(f.forms.isLoaded(QStringLiteral("dati")));
    }

    void unloadingAWindowNotLoadedDoesNothing() {
        ShellFixture f;
        f.forms.get<probe::dati>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        f.forms.unload(QStringLiteral("datigas"));
        QCOMPARE(f.forms.loadedCount(), 1);
        QVERIFY(unloadLog().isEmpty());
        QCOMPARE(last.count(), 0);
    }

    void lastWindowUnloadedOnlyWhenTheLastGoes() {
        ShellFixture f;
        f.forms.get<probe::dati>();
        f.forms.get<probe::datigas>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        f.forms.unload(QStringLiteral("dati"));
        QCOMPARE(last.count(), 0);
        f.forms.unload(QStringLiteral("datigas"));
        QCOMPARE(last.count(), 1);
    }

    void titleBarCloseUnloadsOnlyThatWindow() {
        ShellFixture f;
        f.forms.show<probe::dati>();
        f.forms.show<probe::datigas>().close();
        QCOMPARE(unloadLog(), QStringList{QStringLiteral("datigas")});
        QVERIFY(f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("datigas")));
    }

    // Closing the last window on the screen is the exit, with its
    // question: No keeps everything; Yes unloads the windows, hidden ones
    // (a data window loaded by Open) included, and the splash comes back
    // as the closing credit.
    void closingTheLastShownWindowIsTheExit() {
        ShellFixture f;
        f.forms.get<probe::datigas>();
        f.forms.get<probe::frontespizio>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        probe::dati& shown = f.forms.show<probe::dati>();
        f.services.messages.answer(MsgAnswer::No);
        QVERIFY(!shown.close());
        QCOMPARE(f.forms.loadedCount(), 3);
        QCOMPARE(f.services.messages.shown.back().text, QStringLiteral("Vuoi uscire da Tubarex?"));
        f.services.messages.answer(MsgAnswer::Yes);
        shown.close();
        QCOMPARE(unloadLog(), (QStringList{"dati", "datigas", "frontespizio"}));
        QVERIFY(f.forms.find(QStringLiteral("frmSplash"))->isVisible());
        QCOMPARE(last.count(), 0);
    }

    // Windows loaded but hidden do not keep the program alive once the
    // user has closed the splash, the last window on the screen.
    void closingTheSplashLastUnloadsTheHiddenOnes() {
        ShellFixture f;
        f.forms.get<probe::datigas>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        f.forms.show<frmSplash>().close();
        QCOMPARE(f.forms.loadedCount(), 0);
        QCOMPARE(last.count(), 1);
        QVERIFY(f.services.messages.shown.empty());
    }

    void windowsReachedByName() {
        ShellFixture f;
        QVERIFY(!f.forms.canShow(QStringLiteral("dati")));
        QVERIFY(!f.forms.showByName(QStringLiteral("dati")));
        QCOMPARE(f.forms.loadedCount(), 0);

        f.forms.enrol<probe::dati>();
        QVERIFY(f.forms.canShow(QStringLiteral("dati")));
        QVERIFY(f.forms.showByName(QStringLiteral("dati")));
        QVERIFY(f.forms.find(QStringLiteral("dati"))->isVisible());
        QVERIFY(!f.forms.canShow(QStringLiteral("datigas")));
    }

    // Loaded by name without being shown; a window already shown stays as
    // it is, and a name enrolled without a loader loads nothing.
    void windowsLoadedByName() {
        ShellFixture f;
        QVERIFY(!f.forms.loadByName(QStringLiteral("datigas")));
        f.forms.enrol<probe::datigas>();
        QVERIFY(f.forms.loadByName(QStringLiteral("datigas")));
        auto* gas = qobject_cast<probe::datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(gas);
        QVERIFY(!gas->isVisible());
        QVERIFY(f.forms.loadByName(QStringLiteral("datigas")));
        QCOMPARE(gas->loads, 1);

        int opened = 0;
        f.forms.enrol(QStringLiteral("dati"), [&opened] { ++opened; });
        QVERIFY(!f.forms.loadByName(QStringLiteral("dati")));
        QCOMPARE(opened, 0);
    }
};

TUBAREX_QT_TEST(Forms_Test)
#include "FormsTest.moc"
