#include "QtTestRegistry.h"
#include "ReportRows.h"
#include "ShellFixture.h"

#include "core/model/NumberText.h"
#include "core/session/StartOptions.h"
#include "documents/TechnicalReport.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program's windows, none loaded yet.
struct ReportFixture : ShellFixture {
    ReportFixture() {
        forms.enrol<dati>();
        forms.enrol<datigas>();
        forms.enrol<frontespizio>();
    }
    bool shown(const QString& window) const {
        const Form* f = forms.find(window);
        return f && f->isVisible();
    }
};

} // namespace

class frontespizioReport_Test : public QObject {
    Q_OBJECT
private slots:
    // The refusal, a failing check (its window is shown), and the three
    // answers of the question when both networks have rows.
    void startRulesAndTheQuestion() {
        struct Case {
            const char* name;
            int water;
            bool waterGap;
            int gas;
            bool gasGap;
            std::optional<MsgAnswer> answer;
            QString message;
            QString window;
            bool document;
        };
        const QString missingFlow = QStringLiteral("Tronco n. 2:\r- manca il dato della portata "
                                                   "del tubo.");
        const Case cases[] = {
            {"no rows",
             0,
             false,
             0,
             false,
             {},
             QStringLiteral("Non ci sono dati da stampare."),
             QString(),
             false},
            {"water fails", 3, true, 3, false, {}, missingFlow, QStringLiteral("dati"), false},
            {"gas fails", 3, false, 3, true, {}, missingFlow, QStringLiteral("datigas"), false},
            {"both, No", 3, false, 3, false, MsgAnswer::No, ReportQuestion(),
             QStringLiteral("dati"), false},
            {"both, Cancel", 3, false, 3, false, MsgAnswer::Cancel, ReportQuestion(), QString(),
             false},
            {"both, Yes", 3, false, 3, false, MsgAnswer::Yes, ReportQuestion(), QString(), true},
            {"gas only", 0, false, 3, false, {}, QString(), QString(), true},
        };
        for (const Case& c : cases) {
            ReportFixture f;
            StoreReportWater(f.state, c.water, c.waterGap);
            StoreReportGas(f.state, c.gas, c.gasGap);
            frontespizio& w = f.forms.get<frontespizio>();
            if (c.answer)
                f.services.messages.answer(*c.answer);
            w.frame()->Toolbar1(6)->trigger();

            const auto& shown = f.services.messages.shown;
            QVERIFY2(shown.size() == (c.message.isEmpty() ? 0u : 1u), c.name);
            if (!c.message.isEmpty()) {
                QCOMPARE(shown[0].text, c.message);
                const QString title = c.answer             ? ReportQuestionTitle(f.state)
                                      : c.window.isEmpty() ? f.state.program.HelpTitle
                                                           : f.state.program.CheckTitle;
                QCOMPARE(shown[0].title, title);
                QCOMPARE(shown[0].buttons, c.answer ? MsgButtons::YesNoCancel : MsgButtons::Ok);
            }
            for (const QString& window : {QStringLiteral("dati"), QStringLiteral("datigas")})
                QVERIFY2(f.shown(window) == (window == c.window), c.name);
            QVERIFY2(f.services.documents.shown.size() == (c.document ? 1u : 0u), c.name);
            QCOMPARE(f.services.messages.unanswered, 0);
            if (c.document)
                QCOMPARE(w.passo->text(), QStringLiteral("ho visualizzato la relazione con WORD"));
        }
    }

    // Windows never shown: each is loaded (hidden) and paged through its
    // table before the document is built, so every loss and both totals are
    // those of the whole table.
    void wordRouteBringsHiddenWindowsUpToDate() {
        ReportFixture f;
        StoreReportWater(f.state, 5);
        StoreReportGas(f.state, 23);
        frontespizio& w = f.forms.show<frontespizio>();
        f.services.messages.answer(MsgAnswer::Yes);
        QTest::mouseClick(w.stampa, Qt::LeftButton);

        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const auto& shown = f.services.documents.shown[0];
        QCOMPARE(shown.baseName, QStringLiteral("Tubarex-relazione"));
        const WordDocument& doc = shown.document;
        QCOMPARE(doc.tableCount(), 5);
        const ReportTotals totals = ReportNetworkTotals(f.state.project);
        const QLocale locale = ProgramLocale();
        QCOMPARE(doc.table(2).cell(8, 13).text, FormatFixed(totals.water, 2, locale));
        QCOMPARE(doc.table(4).cell(26, 15).text, FormatFixed(totals.gas, 2, locale));
        QVERIFY(!doc.table(4).cell(25, 15).text.isEmpty());
        QCOMPARE(doc.table(2).cell(3, 13).text, FormatFixed(2.12, 2, locale));

        auto* water = qobject_cast<dati*>(f.forms.find(QStringLiteral("dati")));
        auto* gas = qobject_cast<datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(water && gas);
        QVERIFY(!water->isVisible() && !gas->isVisible());
        QCOMPARE(gas->VScroll1->value(), 21);
        QCOMPARE(water->VScroll1->value(), 1);
        QCOMPARE(f.services.dialogs.printerRequests, 0);
    }

    // The printer route: the report into the PDF file chosen in the dialog;
    // a cancelled dialog is silent, a file that cannot be written is
    // reported.
    void printerRouteWritesTheReport() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("relazione.pdf"));
        const QString unwritable = dir.filePath(QStringLiteral("manca/relazione.pdf"));
        struct Case {
            bool accepted;
            QString file;
            bool written;
            bool reported;
        };
        for (const Case& c : {Case{true, pdf, true, false}, Case{false, pdf, false, false},
                              Case{true, unwritable, false, true}}) {
            QFile::remove(pdf);
            ReportFixture f;
            StoreReportWater(f.state, 60);
            frontespizio& w = f.forms.get<frontespizio>();
            w.comestampo[1]->setChecked(true);
            f.services.dialogs.printerResults.push_back(c.accepted);
            f.services.dialogs.printerOutputFile = c.file;
            w.frame()->item(QStringLiteral("stampatutto"))->trigger();
            QCOMPARE(f.services.dialogs.printerRequests, 1);
            QCOMPARE(QFile::exists(pdf), c.written);
            if (c.written) {
                // Cover, criteria, 52 rows, then 8 rows and the closing.
                QFile file(pdf);
                QVERIFY(file.open(QIODevice::ReadOnly));
                static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
                QCOMPARE(QString::fromLatin1(file.readAll()).count(page), 4);
            }
            QCOMPARE(f.services.messages.shown.size(), c.reported ? 1u : 0u);
            if (c.reported)
                QVERIFY2(f.services.messages.shown[0].text.contains(c.file),
                         qPrintable(f.services.messages.shown[0].text));
            QVERIFY(f.services.documents.shown.empty());
        }
    }
};

TUBAREX_QT_TEST(frontespizioReport_Test)
#include "frontespizioReportTest.moc"
