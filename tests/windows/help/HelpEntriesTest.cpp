#include "HelpFixture.h"
#include "QtTestRegistry.h"

#include "core/editing/BlockPaste.h"
#include "core/editing/TableHistory.h"
#include "core/session/InstallationSettings.h"
#include "core/session/RecentProjects.h"
#include "core/session/UserSeries.h"
#include "documents/HelpTexts.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/datistudio.h"
#include "windows/gas/datigas.h"
#include "windows/help/HelpPage.h"
#include "windows/start/scelta.h"
#include "windows/verify/NetworkPanel.h"
#include "windows/verify/SeriesEditor.h"
#include "windows/verify/SizingPanel.h"
#include "windows/verify/VerificationModels.h"
#include "windows/verify/portate.h"
#include "windows/verify/verifica.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {

// The registry as main() fills it: the main windows too.
void enrolMainWindows(Forms& forms) {
    forms.enrol<dati>();
    forms.enrol<datigas>();
    forms.enrol<frontespizio>();
}

bool visible(Forms& forms, const char* name) {
    const Form* form = forms.find(QString::fromLatin1(name));
    return form && form->isVisible();
}

// A window of the verification, the series, the preview or the studio,
// opened over the registry; the dialogs delete themselves when closed.
struct HelpKeyCase {
    const char* name;
    std::function<QWidget*(HelpFixture&, const QString& settingsFile)> open;
    const char* page;
};

verifica& verification(HelpFixture& f, const QString& seriesFile) {
    verifica& v = f.forms.get<verifica>();
    v.seriesFile = seriesFile;
    Forms::reveal(v);
    return v;
}

template <typename Dialog> Dialog* opened(Dialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

std::vector<HelpKeyCase> helpKeyCases() {
    return {
        {"verifica", [](HelpFixture& f, const QString& file) { return &verification(f, file); },
         "guidaverifica"},
        // A proposal (here, why there is none) shown on the tab.
        {"verifica con la proposta",
         [](HelpFixture& f, const QString& file) {
             verifica& v = verification(f, file);
             v.acqua->sizing->dimensiona->click();
             return &v;
         },
         "guidadimensiona"},
        // Holding every other window, as its exec does.
        {"serie",
         [](HelpFixture& f, const QString& file) {
             auto* editor = new SeriesEditor(f.context, file);
             editor->setWindowModality(Qt::ApplicationModal);
             return opened(editor);
         },
         "guidaserie"},
        {"portate",
         [](HelpFixture& f, const QString& file) {
             portate& p = f.forms.get<portate>();
             p.catalogueFile = file;
             Forms::reveal(p);
             return &p;
         },
         "guidaportate"},
        {"anteprima",
         [](HelpFixture& f, const QString&) {
             return ShowPrintPreview(f.context, nullptr, [](PrinterPage&) {});
         },
         "guidaanteprima"},
        {"studio",
         [](HelpFixture& f, const QString& file) {
             return opened(new datistudio(f.context, nullptr, {file}, file));
         },
         "guidastudio"},
    };
}

} // namespace

// The help entries of the other windows: once the help windows are enrolled
// they are all enabled and open the right window.
class HelpEntries_Test : public QObject {
    Q_OBJECT
private slots:
    void withoutTheHelpWindowsTheEntriesAreDisabled() {
        ShellFixture f;
        dati& water = f.forms.show<dati>();
        QVERIFY(!water.frame()->item(QStringLiteral("guida"))->isEnabled());
        QVERIFY(!water.frame()->item(QStringLiteral("finestra"))->isEnabled());
        scelta& chooser = f.forms.show<scelta>();
        QVERIFY(!chooser.guida->isEnabled());
    }

    void everyMainWindowReachesTheSummaryTipsAndItsOwnPage() {
        struct Case {
            const char* window;
            const char* page;
            const char* tips; // name of the "&Suggerimenti..." item
        };
        for (const Case& c : {Case{"dati", "guidadati", "suggerimenti"},
                              Case{"datigas", "guidadatigas", "suggerimenti"},
                              Case{"frontespizio", "guidafrontespizio", "sugger"}}) {
            HelpFixture f;
            enrolMainWindows(f.forms);
            QVERIFY(f.forms.showByName(QString::fromLatin1(c.window)));
            Form* window = f.forms.find(QString::fromLatin1(c.window));
            WindowFrame* frame = window->findChild<WindowFrame*>();
            QVERIFY(frame);
            for (const char* item : {"guida", c.tips, "finestra"})
                QVERIFY2(frame->item(QString::fromLatin1(item))->isEnabled(), item);
            QVERIFY(frame->finestraButton()->isEnabled());
            QVERIFY(frame->Toolbar1(15)->isEnabled());
            QVERIFY(frame->Toolbar1(16)->isEnabled());

            frame->item(QStringLiteral("finestra"))->trigger();
            QVERIFY2(visible(f.forms, c.page), c.page);

            frame->item(QStringLiteral("guida"))->trigger();
            QVERIFY(visible(f.forms, "sommario"));
            f.forms.find(QStringLiteral("sommario"))->hide();
            auto* button = window->findChild<QPushButton*>(QStringLiteral("guidainlinea"));
            QVERIFY(button && button->isEnabled());
            button->click();
            QVERIFY(visible(f.forms, "sommario"));

            frame->item(QString::fromLatin1(c.tips))->trigger();
            QVERIFY(visible(f.forms, "frmTip"));
        }
    }

    void theOwnWindowEntryOffersThePageAfterTheQuestion() {
        HelpFixture f;
        dati& water = f.forms.show<dati>();
        f.services.messages.answer(MsgAnswer::No);
        water.frame()->item(QStringLiteral("fin2"))->trigger();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("guidadati")));
        f.services.messages.answer(MsgAnswer::Yes);
        water.frame()->item(QStringLiteral("fin2"))->trigger();
        QVERIFY(visible(f.forms, "guidadati"));
        QCOMPARE(f.services.messages.shown.back().text,
                 QStringLiteral("E' questa la finestra 'Dati': si vuole la guida della finestra?"));

        datigas& gas = f.forms.show<datigas>();
        f.services.messages.answer(MsgAnswer::Yes);
        gas.frame()->item(QStringLiteral("fin3"))->trigger();
        QVERIFY(visible(f.forms, "guidadatigas"));

        frontespizio& cover = f.forms.show<frontespizio>();
        f.services.messages.answer(MsgAnswer::Yes);
        cover.frame()->item(QStringLiteral("fin4"))->trigger();
        QVERIFY(visible(f.forms, "guidafrontespizio"));
        QCOMPARE(f.services.messages.unanswered, 0);
    }

    // F1 opens the page of the window, and the page takes the mouse while
    // the window stays open, even beside a dialog that holds every other
    // window: its Chiudi, clicked as the user clicks it, closes it.
    void f1OpensThePageOfTheWindow() {
        QStandardPaths::setTestModeEnabled(true);
        for (const HelpKeyCase& c : helpKeyCases()) {
            HelpFixture f;
            QTemporaryDir dir;
            QWidget* window = c.open(f, dir.filePath(QStringLiteral("impostazioni.ini")));
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window, Qt::Key_F1);
            auto* page = qobject_cast<HelpPage*>(f.forms.find(QString::fromLatin1(c.page)));
            QVERIFY2(page && page->isVisible(), c.name);
            QVERIFY(QTest::qWaitForWindowExposed(page));
            QTest::mouseClick(page->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              page->cmdChiudi->geometry().center());
            QVERIFY2(!f.forms.isLoaded(QString::fromLatin1(c.page)), c.name);
            QVERIFY(window->isVisible());
            if (!qobject_cast<Form*>(window))
                window->close();
        }
    }

    // The later pages name the controls and menu entries as the windows
    // caption them, and state the numbers and rules the program applies.
    void theLaterPagesSayWhatTheWindowsShowAndTheProgramDoes() {
        HelpFixture f;
        enrolMainWindows(f.forms);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("impostazioni.ini"));
        verifica& v = f.forms.get<verifica>();
        SeriesEditor editor(f.context, file);
        PrintPreview preview(f.context, nullptr, [](PrinterPage&) {});
        datistudio studio(f.context, nullptr, {file}, file);
        dati& water = f.forms.get<dati>();
        frontespizio& cover = f.forms.get<frontespizio>();
        const auto entry = [](Form& w, const char* name) {
            return w.findChild<QAction*>(QString::fromLatin1(name))->text();
        };
        const auto quoted = [](const QString& text) { return u'\'' + text + u'\''; };
        const SizingPanel& sizing = *v.acqua->sizing;
        const QString inch = QStringLiteral("1/2\"");
        QStringList series{QFileInfo(UserSeriesFile()).fileName()};
        for (const PipeSeries& s : ShippedWaterSeries())
            series << quoted(s.name);
        const std::vector<std::pair<HelpSubject, QStringList>> stated = {
            {HelpSubject::Verification,
             {entry(water, "verifica"),
              quoted(v.acqua->segments->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString()),
              v.includi->text(), sizing.dimensiona->text(), v.chiudi->text(),
              QStringLiteral("v = 4 Q / (π D²)"),
              VerdictNumber(WaterLimits().velocity, 1) + QStringLiteral(" m/s"),
              VerdictNumber(GasLimits().metano, 1) + QStringLiteral(" mbar per il metano"),
              VerdictNumber(GasLimits().gpl, 1) + QStringLiteral(" mbar per il GPL")}},
            {HelpSubject::Sizing,
             {sizing.dimensiona->text(), sizing.proposta->title(), sizing.applica->text(),
              sizing.scarta->text(), sizing.serieEdit->text(), quoted(DefaultWaterSeriesName()),
              QStringLiteral("da ") + NominalDiameters()[1] + QStringLiteral(" a ") +
                  NominalDiameters().back()}},
            {HelpSubject::Series,
             series + QStringList{sizing.serieEdit->text(), v.reti->tabText(0),
                                  editor.windowTitle(), editor.nuova->text(), editor.salva->text(),
                                  editor.elimina->text(), editor.chiudi->text()}},
            {HelpSubject::RecentProjects,
             {entry(water, "svuotaelenco"),
              QStringLiteral("ultimi %1 progetti").arg(RecentProjects::Limit),
              QFileInfo(RecentProjects::defaultFile()).fileName()}},
            {HelpSubject::Preview,
             {entry(water, "anteprima"), preview.stampa->text(), preview.precedente->text(),
              preview.successiva->text(), preview.chiudi->text()}},
            {HelpSubject::Studio,
             {entry(cover, "datistudio"), studio.salva->text(), studio.annulla->text(),
              QString::fromLatin1(InstallationSettingsFile)}},
            {HelpSubject::UndoRedo,
             {entry(water, "annulla"), entry(water, "ripeti"),
              QStringLiteral("fino a %1 passi").arg(TableHistory<14>::Limit),
              QStringLiteral("fino a %1 passi").arg(TableHistory<22>::Limit)}},
            {HelpSubject::BlockPaste,
             {entry(water, "incollarighe"), entry(water, "copiarighe"),
              entry(water, "inserisciriga"), QStringLiteral("tronco n. %1").arg(MaxRows),
              QStringLiteral("12,5 diventa ") + PastedCellText(QStringLiteral("12,5")),
              QStringLiteral("1.234,5 diventa ") + PastedCellText(QStringLiteral("1.234,5")),
              inch + QStringLiteral(", diventa quella dell'elenco, ") + PastedCellText(inch),
              QStringList{WallTypeNames().begin() + 1, WallTypeNames().end()}.join(
                  QStringLiteral(", ")),
              GasTypes()[1].name + QStringLiteral(", ") + GasTypes()[2].name}},
        };
        for (const auto& [subject, said] : stated) {
            const QString& text = FindHelpTopic(subject).text;
            for (QString words : said) {
                words.remove(u'&');
                QVERIFY2(text.contains(words), qPrintable(words));
            }
        }
    }

    void theChoosersGuideButtonShowsTheSummary() {
        HelpFixture f;
        scelta& chooser = f.forms.show<scelta>();
        QVERIFY(chooser.guida->isEnabled());
        chooser.guida->click();
        QVERIFY(visible(f.forms, "sommario"));
    }
};

TUBAREX_QT_TEST(HelpEntries_Test)

#include "HelpEntriesTest.moc"
