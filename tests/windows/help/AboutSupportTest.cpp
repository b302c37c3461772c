#include "ProbeWindows.h"
#include "QtTestRegistry.h"
#include "TestContext.h"

#include "documents/HelpTexts.h"
#include "windows/frame/Line.h"
#include "windows/help/informa.h"
#include "windows/help/supportoclienti.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class AboutSupportTest : public QObject {
    Q_OBJECT
private slots:
    void yearKeepsTheSignBlank() {
        QCOMPARE(YearText(QStringLiteral("07-08-2003")), QStringLiteral(" 2003"));
        QCOMPARE(YearText(QStringLiteral("7/8/1999")), QStringLiteral(" 1999"));
        QCOMPARE(YearText(QStringLiteral("31.12.0987")), QStringLiteral(" 987"));
        QCOMPARE(YearText(QString()), QString());
    }

    void editionLineHasThreeBlanksBeforeTheYear() {
        QCOMPARE(EditionLine(QStringLiteral("5.07.01"), QStringLiteral("07-08-2003")),
                 QStringLiteral("edizione professionale - versione 5.07.01   2003"));
    }

    void aboutShowsTheProgramIdentity() {
        TestContext t;
        informa& form = t.forms.show<informa>();
        QCOMPARE(form.windowTitle(), QStringLiteral("Informazioni su Tubarex"));
        QCOMPARE(form.Label3->text(), QStringLiteral("software SOLARIVA"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Tubarex"));
        QCOMPARE(form.Label2->text(), QStringLiteral("perdite di carico nelle tubazioni"));
        QCOMPARE(form.Label5->text(), QStringLiteral("per sistemi Windows a 32 bit "));
        QCOMPARE(form.Label6->text(),
                 QStringLiteral("edizione professionale - versione 5.07.01   2003"));
        QVERIFY(form.label7->text().startsWith(QLatin1Char('(')));
        QVERIFY(form.label7->text().endsWith(QLatin1Char(')')));
        QCOMPARE(form.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(form.findChildren<Line*>().size(), 3);
        // Arial Black where installed, otherwise the heaviest face at hand.
        const QFontInfo name(form.Label1->font());
        QVERIFY(name.family() == QStringLiteral("Arial Black") || name.weight() >= QFont::Bold);
    }

    void aboutTakesItsTextsFromTheState() {
        TestContext t;
        t.state.program.ProgramName = QStringLiteral("Prova");
        t.state.program.ProgramVersion = QStringLiteral("1.2");
        t.state.program.ProgramDate = QStringLiteral("01-01-2010");
        informa& form = t.forms.show<informa>();
        QCOMPARE(form.windowTitle(), QStringLiteral("Informazioni su Prova"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Prova"));
        QCOMPARE(form.Label6->text(),
                 QStringLiteral("edizione professionale - versione 1.2   2010"));
    }

    void aboutOpensOnceAndOkOnlyHides() {
        TestContext t;
        // With a data window on the screen, OK only hides.
        t.forms.show<probe::dati>();
        informa& first = t.forms.show<informa>();
        informa& second = t.forms.show<informa>();
        QCOMPARE(&first, &second);
        QCOMPARE(t.forms.loadedCount(), 2);
        first.cmdOK->click();
        QVERIFY(!first.isVisible());
        QVERIFY(t.forms.isLoaded(QStringLiteral("informa")));
        // Reopening does not load again: a changed name is not picked up.
        t.state.program.ProgramName = QStringLiteral("Altro");
        informa& again = t.forms.show<informa>();
        QCOMPARE(&again, &first);
        QVERIFY(again.isVisible());
        QCOMPARE(again.windowTitle(), QStringLiteral("Informazioni su Tubarex"));
    }

    // The about window's legal notice agrees with the licence that the
    // licence window shows: it names the licence, carries the copyright line
    // that the licence asks to keep, and forbids nothing the licence grants.
    void legalNoticeAgreesWithTheLicence() {
        TestContext t;
        informa& form = t.forms.show<informa>();
        const QString notice = form.Label4->text();
        const QString licence = LicenceText();
        QVERIFY(licence.contains(QStringLiteral("licenza MIT")));
        QVERIFY2(notice.contains(QStringLiteral("licenza MIT")), qPrintable(notice));
        QString copyright;
        for (const QString& line : licence.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("Copyright")))
                copyright = line;
        }
        QVERIFY(!copyright.isEmpty());
        QVERIFY2(notice.contains(copyright), qPrintable(notice));
        for (const char* refusal : {"non autorizzat", "perseguibil", "vietat", "riservat"})
            QVERIFY2(!notice.contains(QLatin1String(refusal), Qt::CaseInsensitive),
                     qPrintable(notice));
    }

    void supportShowsTheMakerAndHides() {
        TestContext t;
        t.forms.show<probe::dati>();
        supportoclienti& form = t.forms.show<supportoclienti>();
        QCOMPARE(form.windowTitle(), QStringLiteral("Servizi di supporto ai clienti"));
        QCOMPARE(form.Label1->text(), QStringLiteral("software SOLARIVA"));
        QVERIFY(form.Label6->text().startsWith(QStringLiteral("dal ")));
        QVERIFY(form.Label9->text().startsWith(QStringLiteral("e-mail:")));
        QCOMPARE(form.Label8->text(), QStringLiteral("sito internet:"));
        QCOMPARE(form.Command1->text(), QStringLiteral("OK"));
        QVERIFY(form.Label4->wordWrap());
        form.Command1->click();
        QVERIFY(!form.isVisible());
        QVERIFY(t.forms.isLoaded(QStringLiteral("supportoclienti")));
        QCOMPARE(&t.forms.show<supportoclienti>(), &form);
    }

    // Every text of the two windows fits its label and inside the window,
    // and no two texts overlap: the designed geometry holds with the
    // window font.
    void textsFitTheirLabels_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("informa") << 0;
        QTest::newRow("supportoclienti") << 1;
    }
    void textsFitTheirLabels() {
        QFETCH(int, window);
        TestContext t;
        Form* form = window == 0 ? static_cast<Form*>(&t.forms.show<informa>())
                                 : static_cast<Form*>(&t.forms.show<supportoclienti>());
        QList<std::pair<QString, QRect>> texts;
        for (const QLabel* label : form->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const int flags =
                int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
            const QRect box = label->contentsRect();
            const QRect needed = label->fontMetrics().boundingRect(box, flags, label->text());
            QVERIFY2(box.contains(needed), qPrintable(label->objectName()));
            QVERIFY2(form->rect().contains(label->geometry()), qPrintable(label->objectName()));
            texts.append({label->objectName(), needed.translated(label->pos())});
        }
        QVERIFY(texts.size() >= 6);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            for (qsizetype j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts[i].second.intersects(texts[j].second),
                         qPrintable(texts[i].first + " / " + texts[j].first));
        }
    }
};

TUBAREX_QT_TEST(AboutSupportTest)
#include "AboutSupportTest.moc"
