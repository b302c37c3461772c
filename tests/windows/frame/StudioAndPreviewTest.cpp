#include "DesignedWindows.h"
#include "QtTestRegistry.h"
#include "UnwritableFolder.h"

#include "core/session/InstallationSettings.h"
#include "documents/GasPrintout.h"
#include "documents/PrinterPage.h"
#include "documents/TechnicalReport.h"
#include "documents/WaterPrintout.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/datistudio.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The pages a listing of the project fills, as the text recorder counts
// them.
int pagesOf(ApplicationState& state, void (*listing)(ApplicationState&, PrinterPage&)) {
    TextPageRecorder recorder;
    PrinterPage page(recorder);
    listing(state, page);
    page.endDocument();
    return static_cast<int>(recorder.pages().size());
}

QAction* menuEntry(Form& w, const char* menu, const char* name) {
    return w.findChild<QMenu*>(QString::fromLatin1(menu))
        ->findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

class StudioAndPreview_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }

    // "Dati dello studio" writes the owner where the program and the
    // command line read it, and the cover window shows it at once: its hint,
    // which pointed to the dialog, gives way to the usual one.
    void studioDataAreSavedWhereTheyAreRead() {
        ExampleFixture f;
        frontespizio& cover = f.forms.show<frontespizio>();
        QCOMPARE(cover.passo->text(),
                 QStringLiteral("Inserire nome e indirizzo dello studio con File > Dati dello "
                                "studio..."));
        // The cover's File menu and the chooser reach the dialog.
        menuEntry(cover, "file", "datistudio")->trigger();
        f.forms.show<scelta>().studio->click();
        for (Form* w : {static_cast<Form*>(&cover), f.forms.find(QStringLiteral("scelta"))}) {
            QVERIFY(w->findChild<datistudio*>());
            w->findChild<datistudio*>()->close();
        }

        QTemporaryDir dir;
        const QStringList candidates{dir.filePath(QStringLiteral("bin/tubarex.ini")),
                                     dir.filePath(QStringLiteral("utente/tubarex.ini"))};
        auto* dialog = new datistudio(f.context, &cover, candidates, candidates[1]);
        dialog->show();
        dialog->nome->setText(QStringLiteral(" Studio Tecnico Bianchi "));
        dialog->indirizzo->setText(QStringLiteral("Via Verdi 2, 46100 Mantova"));
        QVERIFY(dialog->dove->text().contains(QDir::toNativeSeparators(candidates[1])));
        QVERIFY(dialog->salva_Click());
        QCOMPARE(cover.Labelstudio->text(), QStringLiteral("Studio Tecnico Bianchi"));
        QCOMPARE(cover.labelindirizzo->text(), QStringLiteral("Via Verdi 2, 46100 Mantova"));
        QCOMPARE(cover.passo->text(), QStringLiteral("Digitare i dati per ogni campo o prelevare "
                                                     "un file dall'archivio."));
        ApplicationState read;
        QCOMPARE(LoadOwnerSettings(read, candidates), candidates[1]);
        QCOMPARE(read.program.OwnerName, QStringLiteral("Studio Tecnico Bianchi"));
        QCOMPARE(read.program.OwnerAddress, QStringLiteral("Via Verdi 2, 46100 Mantova"));
        QVERIFY(f.services.messages.shown.empty());
    }

    // A settings file that cannot be written is named in an Italian message;
    // the dialog stays open with what was typed and nothing changes.
    void aFailedSaveIsToldAndChangesNothing() {
        ExampleFixture f;
        frontespizio& cover = f.forms.show<frontespizio>();
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("bin")));
        const QString file = dir.filePath(QStringLiteral("bin/tubarex.ini"));
        {
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("[Owner]\nName=Vecchio\n[Products]\nsize=1\n1\\Name=Un programma con "
                           "un nome lungo\n");
        }
        auto* dialog = new datistudio(f.context, &cover, {file}, dir.filePath(QStringLiteral("u")));
        dialog->show();
        dialog->nome->setText(QStringLiteral("Nuovo"));
        {
            UnwritableFolder locked(dir.filePath(QStringLiteral("bin")));
            QVERIFY(!dialog->salva_Click());
        }
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->nome->text(), QStringLiteral("Nuovo"));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QVERIFY(f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Impossibile salvare i dati dello studio nel file")));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QVERIFY(f.state.program.OwnerName.isEmpty());
        QVERIFY(cover.Labelstudio->text().isEmpty());
        dialog->close();
    }

    // The preview of each printer output shows, on A4, the pages that the
    // printer gets (the same page model and painter draw both), and prints
    // from there through the printer dialog; a cancelled dialog leaves the
    // preview open.
    void previewShowsThePagesThatPrint() {
        const struct {
            const char* window;
            const char* menu;
            void (*listing)(ApplicationState&, PrinterPage&);
        } cases[] = {{"dati", "stam",
                      [](ApplicationState& s, PrinterPage& p) { PrintWaterListing(s.project, p); }},
                     {"datigas", "stam",
                      [](ApplicationState& s, PrinterPage& p) { PrintGasListing(s.project, p); }},
                     {"frontespizio", "stamp", [](ApplicationState& s, PrinterPage& p) {
                          PrintTechnicalReport(s, p, ReportFont{"Courier new", 12});
                      }}};
        for (const auto& c : cases) {
            ExampleFixture f;
            Form& w = showActive(f, c.window);
            w.findChild<QRadioButton*>(QStringLiteral("comestampo(2)"))->setChecked(true);
            if (qstrcmp(c.window, "frontespizio") == 0)
                f.services.messages.answer(MsgAnswer::Yes); // both networks
            menuEntry(w, c.menu, "anteprima")->trigger();
            auto* preview = w.findChild<PrintPreview*>();
            QVERIFY2(preview && preview->isVisible(), c.window);
            QCOMPARE(preview->printer().pageLayout().pageSize().id(), QPageSize::A4);
            const int expected = pagesOf(f.state, c.listing);
            QCOMPARE(preview->pageCount(), expected);
            QCOMPARE(preview->pagina->text(), QStringLiteral("pagina 1 di %1").arg(expected));
            QVERIFY(!preview->precedente->isEnabled());
            QCOMPARE(preview->successiva->isEnabled(), expected > 1);
            if (expected > 1) {
                preview->successiva->click();
                QCOMPARE(preview->pagina->text(), QStringLiteral("pagina 2 di %1").arg(expected));
                QVERIFY(preview->precedente->isEnabled());
            }

            f.services.dialogs.printerResults = {false};
            preview->stampa->click();
            QVERIFY2(preview->isVisible(), c.window);
            QTemporaryDir dir;
            f.services.dialogs.printerResults = {true};
            f.services.dialogs.printerOutputFile = dir.filePath(QStringLiteral("stampa.pdf"));
            preview->stampa->click();
            QCOMPARE(f.services.dialogs.printerRequests, 2);
            QVERIFY2(!preview->isVisible(), c.window);
            QVERIFY(QFile::exists(f.services.dialogs.printerOutputFile));
        }
    }
};

TUBAREX_QT_TEST(StudioAndPreview_Test)
#include "StudioAndPreviewTest.moc"
