#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/start/ModTubarex.h"
#include "windows/start/frmSplash.h"
#include "windows/start/scelta.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class Splash_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    void loadFillsIdentityAndStartsTheMusic() {
        ApplicationState fresh;
        ScriptedServices services;
        Forms forms;
        ModTubarex procedures;
        AppContext context{fresh, forms, services.bundle, procedures};
        forms.setContext(&context);

        frmSplash& splash = forms.show<frmSplash>();
        QCOMPARE(splash.label(3)->text(), QStringLiteral("Tubarex"));
        QCOMPARE(splash.label(4)->text(), QStringLiteral("perdite di carico nelle tubazioni"));
        QCOMPARE(splash.label(5)->text(),
                 QStringLiteral("EDIZIONE PROFESSIONALE - VERSIONE 5.07.01"));
        QVERIFY(splash.label(2)->text().isEmpty());
        // The titles are built from the name set just before.
        QCOMPARE(fresh.program.HelpTitle, QStringLiteral("Tubarex: aiuto in linea"));
        QCOMPARE(fresh.program.CheckTitle,
                 QStringLiteral("Tubarex: controllo dati immessi nella finestra attiva"));
        QCOMPARE(
            services.music.fileName,
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Sigla.mid")));
        QCOMPARE(services.music.commands, (QStringList{"open", "play"}));
    }

    void clickOnALabelPausesAndShowsTheChooser() {
        ShellFixture f;
        frmSplash& splash = f.forms.show<frmSplash>();
        f.services.music.commands.clear();
        QTest::mouseClick(splash.label(3), Qt::LeftButton);
        QCOMPARE(f.services.music.commands, QStringList{QStringLiteral("pause")});
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        QVERIFY(f.forms.find(QStringLiteral("scelta"))->isVisible());
        QVERIFY(f.forms.isLoaded(QStringLiteral("frmSplash")));
    }

    void clickOnThePictureOrTheSurfaceShowsTheChooser() {
        ShellFixture f;
        frmSplash& splash = f.forms.show<frmSplash>();
        QTest::mouseClick(splash.Image1, Qt::LeftButton);
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        f.forms.unload(QStringLiteral("scelta"));
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        QCOMPARE(f.services.music.commands.count(QStringLiteral("pause")), 2);
    }

    void keyEndsTheProgramWhenNothingElseIsLoaded() {
        ShellFixture f;
        frmSplash& splash = f.forms.show<frmSplash>();
        f.forms.get<probe::prodotti>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        QTest::keyClick(&splash, Qt::Key_Space);
        QCOMPARE(f.services.music.commands.last(), QStringLiteral("close"));
        QCOMPARE(unloadLog(), QStringList{QStringLiteral("prodotti")});
        QCOMPARE(f.forms.loadedCount(), 0);
        QCOMPARE(last.count(), 1);
        QVERIFY(f.services.messages.shown.empty());
    }

    void keyLeavesOtherWindowsRunning() {
        ShellFixture f;
        frmSplash& splash = f.forms.show<frmSplash>();
        f.forms.show<scelta>();
        QSignalSpy last(&f.forms, &Forms::lastWindowUnloaded);
        QTest::keyClick(&splash, Qt::Key_Escape);
        QVERIFY(!f.forms.isLoaded(QStringLiteral("frmSplash")));
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        QCOMPARE(last.count(), 0);
    }

    void modifierAloneIsNotAKeyPress() {
        ShellFixture f;
        frmSplash& splash = f.forms.show<frmSplash>();
        QTest::keyPress(&splash, Qt::Key_Shift);
        QVERIFY(f.forms.isLoaded(QStringLiteral("frmSplash")));
    }

    void clickAfterTheExitStartsAgain() {
        ShellFixture f;
        f.forms.show<frmSplash>();
        f.forms.show<scelta>();
        f.services.messages.answer(MsgAnswer::Yes);
        ConfirmExit(f.context);
        QVERIFY(!f.forms.isLoaded(QStringLiteral("scelta")));
        frmSplash& splash = f.forms.get<frmSplash>();
        QTest::mouseClick(splash.label(5), Qt::LeftButton);
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        QCOMPARE(f.services.music.commands.mid(f.services.music.commands.size() - 2),
                 (QStringList{"play", "pause"}));
    }
};

TUBAREX_QT_TEST(Splash_Test)
#include "SplashTest.moc"
