#include "HelpFixture.h"
#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "windows/frame/Forms.h"
#include "windows/help/guidadati.h"
#include "windows/help/guidafunzionamento.h"
#include "windows/help/guidastampa.h"
#include "windows/help/licenza.h"
#include "windows/help/manuale.h"
#include "windows/help/sommario.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

bool isBold(const QLabel* label) {
    return label->font().bold();
}

QList<int> boldEntries(const sommario& s) {
    QList<int> bold;
    for (int i = 1; i <= sommario::EntryCount; ++i) {
        if (isBold(s.lbl(i)))
            bold.append(i);
    }
    return bold;
}

// Outer size within the frame the window was given when it had none yet.
void verifyOuterSize(const Form& w, int width, int height) {
    const QSize outer = w.frameGeometry().size();
    QVERIFY2(qAbs(outer.width() - w.twipsX(width)) <= w.twipsX(120),
             qPrintable(QString::number(outer.width())));
    QVERIFY2(qAbs(outer.height() - w.twipsY(height)) <= w.twipsY(510),
             qPrintable(QString::number(outer.height())));
}

} // namespace

class HelpWindows_Test : public QObject {
    Q_OBJECT
private slots:
    void summaryCarriesItsEntries() {
        HelpFixture f;
        sommario s(f.context); // not loaded: the designed layout
        QCOMPARE(s.windowTitle(), QStringLiteral("Tubarex: guida in linea"));
        QCOMPARE(s.Label1->text(), QStringLiteral("Argomenti della guida"));
        QVERIFY(s.Label1->font().bold());
        const QStringList captions = {
            QStringLiteral("  Manuale d'uso rapido"),
            QStringLiteral("  Funzionamento del programma"), QStringLiteral("  Archivio dati"),
            QStringLiteral(" Come stampare"), QStringLiteral(" Finestra Dati acqua"),
            QStringLiteral(" Finestra Dati gas"), QStringLiteral(" Finestra Frontespizio"),
            QStringLiteral("  Suggerimento del giorno"),
            QStringLiteral("  Licenza d'uso di \"Tubarex\""),
            QStringLiteral("  altri prodotti Software Solariva"),
            // The later pages, in the right column.
            QStringLiteral("  Verifica della rete"), QStringLiteral("  Dimensionamento della rete"),
            QStringLiteral("  Serie di tubi per l'acqua"), QStringLiteral("  Utenze e portate"),
            QStringLiteral("  Progetti recenti"), QStringLiteral("  Anteprima di stampa"),
            QStringLiteral("  Dati dello studio"), QStringLiteral("  Annulla e ripeti"),
            QStringLiteral("  Incollare un blocco di celle")};
        const int tops[] = {960, 1320, 1680, 2040, 2760, 3120, 3480, 4440, 4800, 5160,
                            960, 1320, 1680, 2040, 2760, 3120, 3480, 4440, 4800};
        for (int i = 1; i <= sommario::EntryCount; ++i) {
            QCOMPARE(s.lbl(i)->text(), captions.at(i - 1));
            QCOMPARE(s.lbl(i)->objectName(), QStringLiteral("lbl(%1)").arg(i));
            QCOMPARE(s.puls(i)->text(), QStringLiteral("--->"));
            QCOMPARE(s.lbl(i)->y(), s.twipsY(tops[i - 1]));
            QCOMPARE(s.puls(i)->y(), s.lbl(i)->y());
            QCOMPARE(s.lbl(i)->x(), s.twipsX(i <= 10 ? 720 : 4335));
            QCOMPARE(s.lbl(i)->frameShape(), QFrame::Box);
        }
        const auto back = [&s](int i) { return s.lbl(i)->palette().color(QPalette::Window); };
        const auto fore = [&s](int i) { return s.lbl(i)->palette().color(QPalette::WindowText); };
        for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}) {
            QCOMPARE(back(i), QColor(0, 255, 255));
            QCOMPARE(fore(i), QColor(Qt::black));
        }
        QCOMPARE(back(9), QColor(255, 0, 0));
        QCOMPARE(fore(9), QColor(255, 255, 0));
        QCOMPARE(back(10), QColor(255, 255, 0));
        QCOMPARE(s.cmdstampa->text(), QStringLiteral("&Stampa"));
        QCOMPARE(s.cmdchiudi->text(), QStringLiteral("&Chiudi"));
        QCOMPARE(s.esco->text(), QStringLiteral("&USCITA"));
        QCOMPARE(s.esco->toolTip(), QStringLiteral("cliccare per uscire da Tubarex"));
        QCOMPARE(s.cmdstampa->y(), s.twipsY(5880));
    }

    void everyEntryOpensItsOneWindow() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        const QStringList windows = {
            "manuale",        "guidafunzionamento", "guidaarchivio", "guidastampa",  "guidadati",
            "guidadatigas",   "guidafrontespizio",  "frmTip",        "licenza",      "prodotti",
            "guidaverifica",  "guidadimensiona",    "guidaserie",    "guidaportate", "guidarecenti",
            "guidaanteprima", "guidastudio",        "guidaannulla",  "guidaincolla"};
        for (int i = 1; i <= sommario::EntryCount; ++i) {
            QCOMPARE(sommario::EntryWindow(i), windows.at(i - 1));
            s.puls(i)->click();
            Form* opened = f.forms.find(windows.at(i - 1));
            QVERIFY2(opened && opened->isVisible(), qPrintable(windows.at(i - 1)));
            const int loaded = f.forms.loadedCount();
            // Opening it again, from the label this time, fronts the same window.
            mouseButton(s.lbl(i), QEvent::MouseButtonPress);
            mouseButton(s.lbl(i), QEvent::MouseButtonRelease);
            QCOMPARE(f.forms.find(windows.at(i - 1)), opened);
            QCOMPARE(f.forms.loadedCount(), loaded);
        }
        QCOMPARE(f.forms.loadedCount(), sommario::EntryCount + 1);
        // Each topic window shows its own title and text.
        for (const HelpTopic& topic : HelpTopics()) {
            auto* page = qobject_cast<HelpPage*>(f.forms.find(HelpPageWindow(topic.subject)));
            QVERIFY(page);
            QCOMPARE(page->windowTitle(), QStringLiteral("Guida in linea"));
            QCOMPARE(page->Label1->text(), topic.title);
            QCOMPARE(page->Label2->text(), topic.text);
        }
    }

    void pressingALabelDropsItsBorderUntilReleased() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        mouseButton(s.lbl(3), QEvent::MouseButtonPress);
        QCOMPARE(s.lbl(3)->frameShape(), QFrame::NoFrame);
        QCOMPARE(s.lbl(4)->frameShape(), QFrame::Box);
        // Opened at the press, before the release.
        QVERIFY(f.forms.isLoaded(QStringLiteral("guidaarchivio")));
        mouseButton(s.lbl(3), QEvent::MouseButtonRelease);
        QCOMPARE(s.lbl(3)->frameShape(), QFrame::Box);
    }

    void onlyTheEntryUnderThePointerIsBold() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        QVERIFY(boldEntries(s).isEmpty());
        moveOver(s.lbl(5));
        QCOMPARE(boldEntries(s), QList<int>{5});
        moveOver(s.lbl(9));
        QCOMPARE(boldEntries(s), QList<int>{9});
        // Over a button nothing changes.
        moveOver(s.puls(2));
        moveOver(s.cmdstampa);
        QCOMPARE(boldEntries(s), QList<int>{9});
        // Over the bare background, left of the entry buttons, none is bold.
        const QPoint bare(s.puls(1)->x() / 2, s.lbl(6)->y() + s.lbl(6)->height() / 2);
        QVERIFY(!s.childAt(bare));
        moveOver(&s, bare);
        QVERIFY(boldEntries(s).isEmpty());
    }

    void summaryKeepsItsSizeAndPlaceWhenHidden() {
        HelpFixture f;
        // With a data window on the screen, Chiudi only hides.
        f.forms.show<probe::dati>();
        sommario& s = f.forms.show<sommario>();
        verifyOuterSize(s, 7590, 6825);
        s.setGeometry(QRect(QPoint(37, 41), QSize(311, 422)));
        const QRect left = s.geometry();
        s.cmdchiudi->click();
        QVERIFY(!s.isVisible());
        QVERIFY(f.forms.isLoaded(QStringLiteral("sommario")));
        QVERIFY(f.forms.showByName(QStringLiteral("sommario")));
        QCOMPARE(&f.forms.get<sommario>(), &s);
        QVERIFY(s.isVisible());
        QCOMPARE(s.geometry(), left);
    }

    void aClosedPageComesBackAtItsOwnSizeAndPlace() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        s.puls(5)->click();
        auto* page = qobject_cast<guidadati*>(f.forms.find(QStringLiteral("guidadati")));
        QVERIFY(page);
        verifyOuterSize(*page, 5640, 6825);
        QCOMPARE(page->x(), page->twipsX(5467));
        page->setGeometry(QRect(QPoint(10, 20), QSize(700, 300)));
        page->cmdChiudi->click();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("guidadati")));
        ShellFixture::flush();
        s.puls(5)->click();
        auto* again = qobject_cast<guidadati*>(f.forms.find(QStringLiteral("guidadati")));
        QVERIFY(again);
        verifyOuterSize(*again, 5640, 6825);
        QCOMPARE(again->x(), again->twipsX(5467));
        QVERIFY(again->width() < again->twipsX(5640));
    }

    void pagesCarryTheirButtons() {
        HelpFixture f;
        guidafunzionamento& working = f.forms.show<guidafunzionamento>();
        QCOMPARE(working.cmdSommario->objectName(), QStringLiteral("CmdSommario"));
        QCOMPARE(working.cmdStampa->text(), QStringLiteral("S&tampa"));
        guidastampa& print = f.forms.show<guidastampa>();
        QCOMPARE(print.cmdSommario->objectName(), QStringLiteral("cmdSommario"));
        QCOMPARE(print.Label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(print.Label1->font().bold());
        QCOMPARE(print.palette().color(QPalette::Window), QColor(255, 255, 192));
        manuale& manual = f.forms.show<manuale>();
        verifyOuterSize(manual, 9600, 6825);
        QCOMPARE(manual.cmdStampa->toolTip(),
                 QStringLiteral("cliccare per avere la copia su carta del MANUALE D'USO RAPIDO"));
        QCOMPARE(manual.cmdSommario->objectName(), QStringLiteral("cmdsommario"));
        // The page's Sommario button brings back a hidden summary.
        sommario& s = f.forms.show<sommario>();
        s.cmdchiudi->click();
        manual.cmdSommario->click();
        QVERIFY(s.isVisible());
    }

    void pagePrintHandsThePageToTheWordProcessor() {
        HelpFixture f;
        guidastampa& page = f.forms.show<guidastampa>();
        page.cmdStampa->click();
        QCOMPARE(f.services.documents.shown.size(), std::size_t{1});
        const auto& shown = f.services.documents.shown.front();
        QCOMPARE(shown.baseName, QStringLiteral("Tubarex-guidastampa"));
        QCOMPARE(shown.document.paragraphs().at(4)->text(), QStringLiteral("Guida: COME STAMPARE"));
        // The page stays open.
        QVERIFY(page.isVisible());
    }

    void wholeHelpIsBuiltFromThePagesAndSaved() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        s.cmdstampa->click();
        s.cmdstampa->click();
        QCOMPARE(f.services.documents.shown.size(), std::size_t{2});
        for (const auto& shown : f.services.documents.shown) {
            QCOMPARE(shown.path, WholeHelpPath(f.state));
            QVERIFY(shown.path.endsWith(QStringLiteral("/Tubarex-guida.docx")));
            // Every page, in the order of the topics.
            QStringList headings;
            for (const WordParagraph* p : shown.document.paragraphs()) {
                if (p->text().startsWith(QStringLiteral("Guida: ")))
                    headings.append(p->text());
            }
            QStringList titles;
            for (const HelpTopic& topic : HelpTopics())
                titles.append(QStringLiteral("Guida: ") + topic.title);
            QCOMPARE(headings, titles);
        }
        // The pages were loaded to give their texts, not shown.
        for (const HelpTopic& topic : HelpTopics()) {
            Form* page = f.forms.find(HelpPageWindow(topic.subject));
            QVERIFY2(page, qPrintable(topic.title));
            QVERIFY(!page->isVisible());
        }
    }

    void licenceShowsTheAgreementAndOnlyHides() {
        HelpFixture f;
        f.state.program.ProgramName = QStringLiteral("Prova");
        sommario& s = f.forms.show<sommario>();
        s.puls(9)->click();
        auto* window = qobject_cast<licenza*>(f.forms.find(QStringLiteral("licenza")));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("LICENZA D'USO"));
        QCOMPARE(window->Label2->text(), QStringLiteral("Prova"));
        QCOMPARE(window->Text1->toPlainText(), LicenceText());
        QVERIFY(window->Text1->isReadOnly());
        verifyOuterSize(*window, 5640, 6825);
        QCOMPARE(window->x(), window->twipsX(5467));
        QCOMPARE(window->cmdChiudi->toolTip(),
                 QStringLiteral("cliccare per chiudere la finestra LICENZA D'USO"));
        window->cmdstampa->click();
        QCOMPARE(f.services.documents.shown.size(), std::size_t{1});
        QCOMPARE(f.services.documents.shown.front().baseName, QStringLiteral("Prova-licenza"));
        QVERIFY(f.services.documents.shown.front().document.paperA4());
        window->cmdChiudi->click();
        QVERIFY(!window->isVisible());
        QVERIFY(f.forms.isLoaded(QStringLiteral("licenza")));
    }

    void exitAsksFirst() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        f.services.messages.answer(MsgAnswer::No);
        s.esco->click();
        QCOMPARE(f.services.messages.shown.size(), std::size_t{1});
        QCOMPARE(f.services.messages.shown.front().icon, NoticeIcon::Question);
        QVERIFY(f.forms.isLoaded(QStringLiteral("sommario")));
        QVERIFY(s.isVisible());
    }
};

TUBAREX_QT_TEST(HelpWindows_Test)

#include "HelpWindowsTest.moc"
