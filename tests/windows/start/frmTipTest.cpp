#include "ProbeWindows.h"
#include "QtTestRegistry.h"
#include "TestContext.h"

#include "windows/frame/ClassicColour.h"
#include "windows/start/frmTip.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("SuggerimentiTubarex.TXT"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test file");
    file.write(bytes);
    return path;
}

} // namespace

class frmTipTest : public QObject {
    Q_OBJECT
private slots:
    // --- the tips file --------------------------------------------------
    void linesEndWithCrLfLfOrCr() {
        QCOMPARE(SplitTipLines(QStringLiteral("uno\r\ndue\nsei\rtre")),
                 QStringList({"uno", "due", "sei", "tre"}));
        QCOMPARE(SplitTipLines(QStringLiteral("uno\r\n")), QStringList({"uno"}));
        QCOMPARE(SplitTipLines(QStringLiteral("uno\r\n\r\ntre\r\n")),
                 QStringList({"uno", "", "tre"}));
        QCOMPARE(SplitTipLines(QStringLiteral("uno\r\n\r\n")), QStringList({"uno", ""}));
        QCOMPARE(SplitTipLines(QStringLiteral("\n")), QStringList({""}));
        QVERIFY(SplitTipLines(QString()).isEmpty());
    }

    void classicColourHasRedInTheLowByte() {
        QCOMPARE(fromClassicColour(0x00C0FFFF), QColor(255, 255, 192));
        QCOMPARE(fromClassicColour(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(fromClassicColour(0x00FF0000), QColor(0, 0, 255));
    }

    void shippedTipsFileIsWindows1252WithCrLf() {
        QFile file(frmTip::TipsFilePath());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\r'));
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        QVERIFY(lines.size() >= 15 && lines.size() <= 25);
        for (const QByteArray& line : lines)
            QVERIFY(line.trimmed().size() > 20);
        // UTF-8 would show its lead bytes (0xC3 is the A with tilde) before
        // every accented letter.
        QVERIFY(!bytes.contains('\xC3'));
        QVERIFY(bytes.contains("perch\xE9") || bytes.contains("\xE8"));
    }

    // --- stepping through the tips -------------------------------------
    void stepsForwardWithWrapAndBackWithout() {
        TestContext t;
        QTemporaryDir dir;
        const QString path = writeFile(dir, "primo\r\nsecondo\r\nterzo\r\n");
        frmTip form(t.context);
        QVERIFY(form.LoadTips(path));
        QCOMPARE(form.lblTipText->text(), QStringLiteral("primo"));
        QCOMPARE(form.TipIndex(), 1);

        form.cmdprecedente->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("primo"));
        QCOMPARE(form.TipIndex(), 1);

        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("secondo"));
        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("terzo"));
        form.cmdprecedente->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("secondo"));
        form.cmdNextTip->click();
        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("primo"));
        QCOMPARE(form.TipIndex(), 1);
    }

    void blankLineIsATipOfItsOwn() {
        TestContext t;
        QTemporaryDir dir;
        const QString path = writeFile(dir, "primo\n\nterzo");
        frmTip form(t.context);
        QVERIFY(form.LoadTips(path));
        QCOMPARE(form.TipList(), QStringList({"primo", "", "terzo"}));
        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), QString());
        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), QStringLiteral("terzo"));
    }

    void tipsAreReadAsWindows1252() {
        TestContext t;
        QTemporaryDir dir;
        const QString path = writeFile(dir, "perch\xE9 il costo \xE8 in \x80 \x93"
                                            "citato\x94\r\n");
        frmTip form(t.context);
        QVERIFY(form.LoadTips(path));
        QCOMPARE(form.lblTipText->text(), QString::fromUtf8("perché il costo è in € “citato”"));
    }

    // --- missing or empty file -------------------------------------------
    void missingFileShowsHowToMakeIt() {
        TestContext t;
        QTemporaryDir dir;
        frmTip form(t.context);
        form.LoadTipsOrExplain(dir.filePath(QStringLiteral("SuggerimentiTubarex.TXT")));
        const QString expected = QString::fromUtf8(
            "Impossibile trovare il file SuggerimentiTubarex.TXT\r\n\r\nCreare un file di testo "
            "denominato SuggerimentiTubarex.TXT utilizzando il Blocco note e inserendo un "
            "suggerimento per ogni riga. Inserire il file nella stessa directory "
            "dell'applicazione. ");
        QCOMPARE(form.lblTipText->text(), expected);
        QVERIFY(form.TipList().isEmpty());
        form.cmdNextTip->click();
        form.cmdprecedente->click();
        form.cmdNextTip->click();
        QCOMPARE(form.lblTipText->text(), expected);
        QVERIFY(t.services.messages.shown.empty());
    }

    void emptyNameReadsNothing() {
        TestContext t;
        frmTip form(t.context);
        QVERIFY(!form.LoadTips(QString()));
        QCOMPARE(form.TipIndex(), 0);
        QTemporaryDir dir;
        QVERIFY(!form.LoadTips(dir.path())); // a folder is not a tips file
    }

    void emptyFileShowsNeitherTipNorMessage() {
        TestContext t;
        QTemporaryDir dir;
        const QString path = writeFile(dir, QByteArray());
        frmTip form(t.context);
        form.LoadTipsOrExplain(path);
        QVERIFY(form.TipList().isEmpty());
        QCOMPARE(form.lblTipText->text(), QString());
        form.cmdNextTip->click();
        form.cmdprecedente->click();
        QCOMPARE(form.lblTipText->text(), QString());
    }

    // --- the window ------------------------------------------------------
    void windowCarriesItsCaptionsAndPanel() {
        TestContext t;
        frmTip form(t.context);
        QCOMPARE(form.windowTitle(), QStringLiteral("Suggerimento del giorno"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Non tutti sanno che..."));
        QCOMPARE(form.cmdOK->text(), QStringLiteral("&Chiudi"));
        QCOMPARE(form.cmdNextTip->text(), QStringLiteral("&Successivo"));
        QCOMPARE(form.cmdprecedente->text(), QStringLiteral("&Precedente"));
        QCOMPARE(form.Picture1->palette().color(QPalette::Window), QColor(255, 255, 192));
        QVERIFY(form.Picture1->autoFillBackground());
        QCOMPARE(form.lblTipText->parentWidget(), form.Picture1);
        QVERIFY(form.lblTipText->wordWrap());
        QVERIFY(form.findChild<QPushButton*>(QStringLiteral("cmdNextTip")) == form.cmdNextTip);
        // The buttons stand right of the panel, the tip inside it.
        QVERIFY(form.Picture1->geometry().right() < form.cmdOK->geometry().left());
        QVERIFY(form.Picture1->rect().contains(form.lblTipText->geometry()));
    }

    void closeHidesAndReopeningKeepsTheTip() {
        TestContext t;
        // With a data window on the screen, OK only hides.
        t.forms.show<probe::dati>();
        frmTip& form = t.forms.show<frmTip>();
        QVERIFY(form.isVisible());
        // Loaded from the program's folder at the first opening.
        QFile file(frmTip::TipsFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        const int count = static_cast<int>(form.TipList().size());
        QCOMPARE(count, lines.size() - 1);
        QVERIFY(!form.lblTipText->text().isEmpty());
        QVERIFY(lines.first().startsWith(form.lblTipText->text().left(10).toLatin1()));

        form.cmdNextTip->click();
        const QString second = form.lblTipText->text();
        form.cmdOK->click();
        QVERIFY(!form.isVisible());
        QVERIFY(t.forms.isLoaded(QStringLiteral("frmTip")));

        frmTip& again = t.forms.show<frmTip>();
        QCOMPARE(&again, &form);
        QVERIFY(again.isVisible());
        QCOMPARE(again.lblTipText->text(), second);
        QCOMPARE(again.TipList().size(), count); // the file was not read again
    }
};

TUBAREX_QT_TEST(frmTipTest)
#include "frmTipTest.moc"
