#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/WindowFrame.h"
#include "windows/start/scelta.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// Every handler a main window can give, each recording its own name.
FrameHandlers recordingHandlers(QStringList& ran) {
    auto record = [&ran](const char* name) {
        return [&ran, name] { ran.append(QString::fromLatin1(name)); };
    };
    FrameHandlers h;
    h.open = record("open");
    h.save = record("save");
    h.saveAs = record("saveAs");
    h.deleteFile = record("deleteFile");
    h.printInputForm = record("printInputForm");
    h.printWindow = record("printWindow");
    h.colour = record("colour");
    h.check = record("check");
    h.clear = record("clear");
    h.exit = record("exit");
    return h;
}

// The entries of a menu as "name caption" lines, "-" for a separator and
// "name>" for a submenu.
QStringList entries(const QMenu* menu) {
    QStringList result;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            result.append(QStringLiteral("-"));
        else if (a->menu())
            result.append(a->objectName() + QStringLiteral("> ") + a->text());
        else
            result.append(a->objectName() + QLatin1Char(' ') + a->text());
    }
    return result;
}

} // namespace

// A main window for the tests, built on the frame like the program's.
namespace frametest {

class MainWindow : public Form {
    Q_OBJECT
public:
    MainWindow(AppContext& context, FrameKind kind, FrameHandlers handlers)
        : Form(context)
        , frame(new WindowFrame(*this, context, kind, std::move(handlers))) {}
    WindowFrame* frame;
};

class dati : public MainWindow {
    Q_OBJECT
public:
    explicit dati(AppContext& context)
        : MainWindow(context, FrameKind::Water, handlers) {}
    static inline FrameHandlers handlers;
};

} // namespace frametest

class WindowFrame_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    void waterMenus() {
        ShellFixture f;
        QStringList ran;
        frametest::MainWindow w(f.context, FrameKind::Water, recordingHandlers(ran));
        const QList<QAction*> bar = w.frame->menuBar()->actions();
        QStringList top;
        for (const QAction* a : bar)
            top.append(a->objectName() + QLatin1Char(' ') + a->text());
        QCOMPARE(top,
                 (QStringList{"file &File", "modif &Modifica", "visu &Visualizza", "inter &?"}));
        QCOMPARE(
            entries(w.frame->menu(QStringLiteral("file"))),
            (QStringList{"apri &Apri...", "-", "salva &Salva", "salvanome Salva con &nome...", "-",
                         "eliminare &Elimina...", "-", "stam> S&tampa", "-", "usci Es&ci"}));
        QCOMPARE(
            entries(w.frame->menu(QStringLiteral("stam"))),
            (QStringList{"acquisizionedati &modello acquisizione dati", "stampa &dati finestra"}));
        QCOMPARE(entries(w.frame->menu(QStringLiteral("modif"))),
                 (QStringList{"colora &Colore di sfondo", "-", "controlla Controllo &dati immessi",
                              "-", "cancella C&ancella dati finestra"}));
        QCOMPARE(entries(w.frame->menu(QStringLiteral("visu"))),
                 (QStringList{"fin1 Finestra Scelta", "-", "fin2 Finestra Dati",
                              "fin3 Finestra Dati gas", "fin4 Finestra Frontespizio", "-",
                              "verifica Verifica della rete...", "portate Utenze e portate..."}));
        QCOMPARE(entries(w.frame->menu(QStringLiteral("inter"))),
                 (QStringList{"guida &Guida in linea", "suggerimenti &Suggerimenti...", "-",
                              "supporto Supporto &prodotto", "-",
                              "informazioni &Informazioni su Tubarex"}));
    }

    void coverMenusUseTheirOwnNames() {
        ShellFixture f;
        QStringList ran;
        frametest::MainWindow w(f.context, FrameKind::Cover, recordingHandlers(ran));
        QStringList top;
        for (const QAction* a : w.frame->menuBar()->actions())
            top.append(a->objectName());
        QCOMPARE(top, (QStringList{"file", "modi", "visu", "help"}));
        QCOMPARE(entries(w.frame->menu(QStringLiteral("stamp"))),
                 (QStringList{"solodati &solo dati finestra", "stampatutto &intera elaborazione"}));
        QCOMPARE(w.frame->item(QStringLiteral("esci"))->text(), QStringLiteral("Es&ci"));
        QCOMPARE(w.frame->item(QStringLiteral("colorare"))->text(),
                 QStringLiteral("&Colore di sfondo"));
        QCOMPARE(w.frame->item(QStringLiteral("controllodat"))->text(),
                 QStringLiteral("Controllo &dati immessi"));
        QCOMPARE(w.frame->item(QStringLiteral("sugger"))->text(),
                 QStringLiteral("&Suggerimenti..."));
        QVERIFY(!w.frame->item(QStringLiteral("usci")));
    }

    void viewShortcutsAndTheOwnCheckMark() {
        ShellFixture f;
        const FrameKind kinds[] = {FrameKind::Water, FrameKind::Gas, FrameKind::Cover};
        for (int k = 0; k < 3; ++k) {
            frametest::MainWindow w(f.context, kinds[k], {});
            for (int i = 1; i <= 4; ++i) {
                QAction* entry = w.frame->item(QStringLiteral("fin%1").arg(i));
                QCOMPARE(entry->shortcut(), QKeySequence(Qt::CTRL | (Qt::Key_A + i - 1)));
                // fin2, fin3, fin4 are the water, gas and cover windows.
                QCOMPARE(entry->isChecked(), i == k + 2);
            }
            // After the classic entries, on the first key they leave free.
            QCOMPARE(w.frame->item(QStringLiteral("verifica"))->shortcut(),
                     QKeySequence(Qt::CTRL | Qt::Key_E));
        }
    }

    void finestraSitsAtTheRightEnd() {
        ShellFixture f;
        frametest::MainWindow gas(f.context, FrameKind::Gas, {});
        QAction* finestra = gas.frame->item(QStringLiteral("finestra"));
        QCOMPARE(finestra->text(), QString(126, QLatin1Char(' ')) + "Fi&nestra n.2 di 3");
        QCOMPARE(gas.frame->menuBar()->cornerWidget(Qt::TopRightCorner),
                 gas.frame->finestraButton());
        QCOMPARE(gas.frame->finestraButton()->text(), QStringLiteral("Fi&nestra n.2 di 3"));
        QCOMPARE(WindowFrame::finestraCaption(FrameKind::Water).trimmed(),
                 QStringLiteral("Fi&nestra n.1 di 3"));
        QCOMPARE(WindowFrame::finestraCaption(FrameKind::Cover).trimmed(),
                 QStringLiteral("Fi&nestra n.3 di 3"));
        gas.resize(800, 600);
        gas.show();
        QTRY_VERIFY(gas.frame->finestraButton()->isVisible());
        const QRect button = gas.frame->finestraButton()->geometry();
        QVERIFY(button.right() >= gas.frame->menuBar()->width() - 20);
    }

    void finestraShowsTheOwnHelpPageOnceItExists() {
        ShellFixture f;
        {
            frametest::MainWindow w(f.context, FrameKind::Water, {});
            QVERIFY(!w.frame->item(QStringLiteral("finestra"))->isEnabled());
            QVERIFY(!w.frame->finestraButton()->isEnabled());
        }
        f.forms.enrol<probe::guidadati>();
        frametest::MainWindow w(f.context, FrameKind::Water, {});
        QVERIFY(w.frame->finestraButton()->isEnabled());
        QTest::mouseClick(w.frame->finestraButton(), Qt::LeftButton);
        QVERIFY(f.forms.isLoaded(QStringLiteral("guidadati")));
    }

    void toolbarHas22PositionsWithTheirTooltips() {
        ShellFixture f;
        QStringList ran;
        frametest::MainWindow w(f.context, FrameKind::Water, recordingHandlers(ran));
        QCOMPARE(w.frame->toolBar()->objectName(), QStringLiteral("Toolbar1"));
        QCOMPARE(w.frame->toolBar()->actions().size(), 22);
        const QStringList tips = {"apri file",
                                  "salva file",
                                  "salva file con nome",
                                  "elimina file",
                                  "",
                                  "stampa dati finestra",
                                  "",
                                  "visualizza finestra 'Scelta'",
                                  "visualizza finestra 'Dati'",
                                  "visualizza finestra 'Dati gas'",
                                  "visualizza finestra 'Frontespizio'",
                                  "",
                                  "colore di sfondo",
                                  "",
                                  "guida in linea",
                                  "suggerimenti",
                                  "supporto prodotto",
                                  "informazioni su Tubarex",
                                  "",
                                  "controllo dati immessi",
                                  "cancella dati finestra",
                                  "uscita da Tubarex"};
        for (int i = 1; i <= 22; ++i) {
            QAction* button = w.frame->Toolbar1(i);
            QCOMPARE(w.frame->toolBar()->actions().at(i - 1), button);
            QCOMPARE(button->objectName(), QStringLiteral("Toolbar1(%1)").arg(i));
            const bool separator = tips.at(i - 1).isEmpty();
            QCOMPARE(button->isSeparator(), separator);
            if (!separator) {
                QCOMPARE(button->toolTip(), tips.at(i - 1));
                QVERIFY(!button->icon().isNull());
            }
        }
    }

    void menuAndToolbarRunTheSameHandler() {
        ShellFixture f;
        QStringList ran;
        frametest::MainWindow w(f.context, FrameKind::Water, recordingHandlers(ran));
        const std::pair<const char*, int> pairs[] = {
            {"apri", 1},    {"salva", 2},      {"salvanome", 3}, {"eliminare", 4}, {"stampa", 6},
            {"colora", 13}, {"controlla", 20}, {"cancella", 21}, {"usci", 22}};
        for (const auto& [name, index] : pairs) {
            ran.clear();
            w.frame->item(QString::fromLatin1(name))->trigger();
            w.frame->Toolbar1(index)->trigger();
            QCOMPARE(ran.size(), 2);
            QCOMPARE(ran.at(0), ran.at(1));
        }
        ran.clear();
        w.frame->item(QStringLiteral("acquisizionedati"))->trigger();
        QCOMPARE(ran, QStringList{QStringLiteral("printInputForm")});
        ran.clear();
        w.frame->item(QStringLiteral("stampa"))->trigger();
        w.frame->item(QStringLiteral("colora"))->trigger();
        w.frame->item(QStringLiteral("cancella"))->trigger();
        QCOMPARE(ran, (QStringList{"printWindow", "colour", "clear"}));
    }

    void coverPrintButtonIsTheWholeReport() {
        ShellFixture f;
        QStringList ran;
        frametest::MainWindow w(f.context, FrameKind::Cover, recordingHandlers(ran));
        w.frame->Toolbar1(6)->trigger();
        w.frame->item(QStringLiteral("solodati"))->trigger();
        QCOMPARE(ran, (QStringList{"printWindow", "printInputForm"}));
    }

    void entriesWithoutHandlerAreDisabled() {
        ShellFixture f;
        FrameHandlers only;
        only.save = [] {};
        frametest::MainWindow w(f.context, FrameKind::Gas, std::move(only));
        QVERIFY(w.frame->item(QStringLiteral("salva"))->isEnabled());
        QVERIFY(w.frame->Toolbar1(2)->isEnabled());
        for (const char* name :
             {"apri", "salvanome", "eliminare", "acquisizionedati", "stampa", "colora", "controlla",
              "cancella", "guida", "suggerimenti", "supporto", "informazioni", "fin2", "fin4"})
            QVERIFY2(!w.frame->item(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(!w.frame->menu(QStringLiteral("stam"))->menuAction()->isEnabled());
        for (int i : {1, 3, 4, 6, 9, 11, 13, 15, 16, 17, 18, 20, 21})
            QVERIFY2(!w.frame->Toolbar1(i)->isEnabled(), qPrintable(QString::number(i)));
        // Always there: the chooser, the own entry and the exit.
        for (const char* name : {"fin1", "fin3", "usci"})
            QVERIFY2(w.frame->item(QString::fromLatin1(name))->isEnabled(), name);
        for (int i : {8, 10, 22})
            QVERIFY(w.frame->Toolbar1(i)->isEnabled());
    }

    void helpEntriesOpenTheirWindows() {
        ShellFixture f;
        f.forms.enrol<probe::sommario>();
        f.forms.enrol<probe::frmTip>();
        f.forms.enrol<probe::supportoclienti>();
        f.forms.enrol<probe::informa>();
        frametest::MainWindow w(f.context, FrameKind::Water, {});
        w.frame->Toolbar1(15)->trigger();
        w.frame->Toolbar1(16)->trigger();
        w.frame->item(QStringLiteral("supporto"))->trigger();
        w.frame->item(QStringLiteral("informazioni"))->trigger();
        for (const char* name : {"sommario", "frmTip", "supportoclienti", "informa"})
            QVERIFY2(f.forms.isLoaded(QString::fromLatin1(name)), name);
    }

    void ownEntryAsksTheQuestion() {
        ShellFixture f;
        f.forms.enrol<probe::guidadatigas>();
        frametest::MainWindow w(f.context, FrameKind::Gas, {});
        f.services.messages.answer(MsgAnswer::No);
        w.frame->item(QStringLiteral("fin3"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        const RecordedMessage& m = f.services.messages.shown.front();
        QCOMPARE(
            m.text,
            QStringLiteral("E' questa la finestra 'Dati gas': si vuole la guida della finestra?"));
        QCOMPARE(m.title, QStringLiteral("Tubarex: aiuto in linea"));
        QCOMPARE(m.buttons, MsgButtons::YesNo);
        QCOMPARE(m.icon, NoticeIcon::Question);
        QVERIFY(!f.forms.isLoaded(QStringLiteral("guidadatigas")));
        QVERIFY(w.frame->item(QStringLiteral("fin3"))->isChecked());

        f.services.messages.answer(MsgAnswer::Yes);
        w.frame->Toolbar1(10)->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(2));
        QVERIFY(f.forms.isLoaded(QStringLiteral("guidadatigas")));
        QCOMPARE(f.services.messages.unanswered, 0);
    }

    void ownQuestionNamesEachWindow() {
        ShellFixture f;
        const std::pair<FrameKind, const char*> cases[] = {{FrameKind::Water, "fin2"},
                                                           {FrameKind::Cover, "fin4"}};
        QStringList texts;
        for (const auto& [kind, entry] : cases) {
            frametest::MainWindow w(f.context, kind, {});
            f.services.messages.answer(MsgAnswer::No);
            w.frame->item(QString::fromLatin1(entry))->trigger();
            texts.append(f.services.messages.shown.back().text);
        }
        QCOMPARE(texts,
                 (QStringList{"E' questa la finestra 'Dati': si vuole la guida della finestra?",
                              "E' questa la finestra 'Frontespizio': si vuole la guida della "
                              "finestra?"}));
    }

    void navigationShowsTheOtherWindows() {
        ShellFixture f;
        f.forms.enrol<probe::datigas>();
        f.forms.enrol<probe::frontespizio>();
        frametest::MainWindow w(f.context, FrameKind::Water, {});
        w.frame->item(QStringLiteral("fin3"))->trigger();
        QVERIFY(f.forms.find(QStringLiteral("datigas"))->isVisible());
        w.frame->Toolbar1(11)->trigger();
        QVERIFY(f.forms.find(QStringLiteral("frontespizio"))->isVisible());
        QVERIFY(f.services.messages.shown.empty());
    }

    void chooserComesBackAfterTitleBarClose() {
        ShellFixture f;
        // The window the user works in stays on the screen.
        f.forms.show<probe::frontespizio>();
        frametest::MainWindow w(f.context, FrameKind::Cover, {});
        w.frame->item(QStringLiteral("fin1"))->trigger();
        QVERIFY(f.forms.isLoaded(QStringLiteral("scelta")));
        f.forms.find(QStringLiteral("scelta"))->close();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("scelta")));
        w.frame->Toolbar1(8)->trigger();
        QVERIFY(f.forms.find(QStringLiteral("scelta"))->isVisible());
    }

    void defaultExitIsTheConfirmedExit() {
        ShellFixture f;
        frametest::dati::handlers = {};
        f.forms.show<frametest::dati>();
        f.services.messages.answer(MsgAnswer::Yes);
        auto* w = static_cast<frametest::dati*>(f.forms.find(QStringLiteral("dati")));
        w->frame->item(QStringLiteral("usci"))->trigger();
        QCOMPARE(f.services.messages.shown.front().text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(f.forms.isLoaded(QStringLiteral("frmSplash")));
    }

    void toolbarSpansTheClientArea() {
        ShellFixture f;
        frametest::MainWindow w(f.context, FrameKind::Water, {});
        w.resize(900, 600);
        w.show();
        QTRY_COMPARE(w.frame->toolBar()->width(), w.frame->clientArea()->width());
        QCOMPARE(w.frame->toolBar()->pos(), QPoint(0, 0));
        QVERIFY(w.frame->clientArea()->geometry().top() >= w.frame->menuBar()->geometry().bottom());
    }
};

TUBAREX_QT_TEST(WindowFrame_Test)
#include "WindowFrameTest.moc"
