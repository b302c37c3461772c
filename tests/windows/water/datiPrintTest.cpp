#include "FileSizeLimit.h"
#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/file/ProjectFile.h"
#include "core/model/NumberText.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Rows 1..n complete in the table (100 m, 100 mm, 10 l/s, smooth pipe, two
// 90° bends: 2.12 m each), their losses not yet computed.
void storeRows(ApplicationState& s, int n) {
    for (int r = 1; r <= n; ++r) {
        s.project.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("100"));
        s.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("100"));
        s.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("10"));
        s.project.water.PickWallType(r, 1);
        s.project.water.StoreWaterCell(r, WaterColumn::c90, QStringLiteral("2"));
    }
}

// Sets the default locale for one test and puts the previous one back.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(previous); }
    QLocale previous;
};

} // namespace

class datiPrint_Test : public QObject {
    Q_OBJECT
private slots:
    void printEntriesAreOfferedAndWordIsChosenAtLoad() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QVERIFY(w.frame()->item(QStringLiteral("stampa"))->isEnabled());
        QVERIFY(w.frame()->item(QStringLiteral("acquisizionedati"))->isEnabled());
        QVERIFY(w.frame()->Toolbar1(6)->isEnabled());
        QVERIFY(w.stamp->isEnabled());
        QCOMPARE(w.comestampo[0]->text(), QStringLiteral("Stampa con Word"));
        QCOMPARE(w.comestampo[1]->text(), QStringLiteral("Stampa diretta"));
        QVERIFY(w.comestampo[0]->isChecked());
    }

    // The check's own message, and nothing printed or shown.
    void failingCheckStopsBeforeAnyOutput() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QVERIFY(f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Non esistono dati riconosciuti:")));
        QVERIFY(f.services.documents.shown.empty());
        QCOMPARE(f.state.view.WaterCheckQuiet, 1);

        storeRows(f.state, 3);
        f.state.project.water.StoreWaterCell(2, WaterColumn::port, QString());
        w.comestampo[1]->setChecked(true);
        w.frame()->Toolbar1(6)->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(2));
        QCOMPARE(f.services.messages.shown[1].text,
                 QStringLiteral("Tronco n. 2:\r- manca il dato della portata del tubo."));
        QCOMPARE(f.services.dialogs.printerRequests, 0);
        QVERIFY(f.services.documents.shown.empty());
    }

    void cancelledPrinterDialogIsSilent() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        storeRows(f.state, 3);
        w.comestampo[1]->setChecked(true);
        w.frame()->item(QStringLiteral("stampa"))->trigger();
        QCOMPARE(f.services.dialogs.printerRequests, 1);
        QVERIFY(f.services.messages.shown.empty());
        QVERIFY(f.services.documents.shown.empty());
        QCOMPARE(f.state.view.WaterCheckQuiet, 0);
    }

    // The printer dialog proposes, for a print to file, the project's name
    // with ".pdf" in the folder a file dialog would open in (before the
    // first save, the folder last used).
    void printerDialogProposesTheProjectsFolderAndName() {
        QTemporaryDir dir;
        const QString project = dir.filePath(QStringLiteral("Tubarex-dati-scuola"));
        const struct {
            QString file;
            QString proposed;
        } cases[] = {{project, project + QStringLiteral(".pdf")},
                     {QString(), dir.filePath(QStringLiteral("Tubarex.pdf"))}};
        for (const auto& c : cases) {
            ShellFixture f;
            f.state.session.CurrentFileName = c.file;
            f.state.session.recent.setLastFolder(dir.path());
            dati& w = f.forms.get<dati>();
            storeRows(f.state, 3);
            w.comestampo[1]->setChecked(true);
            QTest::mouseClick(w.stamp, Qt::LeftButton);
            QCOMPARE(f.services.dialogs.printerProposals, std::vector<QString>{c.proposed});
        }
    }

    // An accepted dialog prints the listing: 60 rows take two pages.
    void printerRouteWritesTheListing() {
        QTemporaryDir dir;
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        storeRows(f.state, 60);
        w.comestampo[1]->setChecked(true);
        f.services.dialogs.printerResults.push_back(true);
        f.services.dialogs.printerOutputFile = dir.filePath(QStringLiteral("acqua.pdf"));
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QVERIFY(f.services.messages.shown.empty());
        QVERIFY(f.services.documents.shown.empty());
        QCOMPARE(w.VScroll1->value(), 51);
        QFile pdf(f.services.dialogs.printerOutputFile);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        QCOMPARE(QString::fromLatin1(bytes).count(page), 2);
    }

    // A PDF file chosen in the printer dialog that cannot be written whole is
    // reported by name, and the file that was there stays as it was.
    void printerFileCutShortLeavesThePreviousFile() {
        QTemporaryDir dir;
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        storeRows(f.state, 60);
        w.comestampo[1]->setChecked(true);
        f.services.dialogs.printerResults.push_back(true);
        const QString path = dir.filePath(QStringLiteral("acqua.pdf"));
        f.services.dialogs.printerOutputFile = path;
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("vecchio contenuto");
        }
        {
            const FileSizeLimit limit(4096);
            if (!limit.active())
                QSKIP("no file-size limits on this system");
            QTest::mouseClick(w.stamp, Qt::LeftButton);
        }
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QVERIFY2(f.services.messages.shown[0].text.contains(path),
                 qPrintable(f.services.messages.shown[0].text));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll(), QByteArray("vecchio contenuto"));
    }

    // 25 rows: the band is paged to 11 and 21 before the document is built,
    // so the total it shows covers the whole table.
    void wordRoutePagesTheBandAndShowsOneDocument() {
        const DefaultLocale italian(QLocale(QLocale::Italian, QLocale::Italy));
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        storeRows(f.state, 25);
        // As after opening a file: the first band shown.
        w.RefreshBand();
        QCOMPARE(w.totperd->text(), QStringLiteral("21.2"));
        f.state.project.cover.progetto = QStringLiteral("Scuola media");
        QTest::mouseClick(w.stamp, Qt::LeftButton);

        QVERIFY(f.services.messages.shown.empty());
        QCOMPARE(w.VScroll1->value(), 21);
        QCOMPARE(f.state.view.WaterBandTop, 21);
        QCOMPARE(w.num(5)->text(), QStringLiteral("25"));
        QCOMPARE(w.totperd->text(), QStringLiteral("53"));
        QCOMPARE(f.services.dialogs.printerRequests, 0);
        QCOMPARE(w.passo->text(), QStringLiteral("ho visualizzato i dati con WORD"));

        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const auto& shown = f.services.documents.shown[0];
        QCOMPARE(shown.baseName, QStringLiteral("Tubarex-acqua-dati"));
        QCOMPARE(shown.document.tableCount(), 2);
        const WordTableContent& data = shown.document.table(2);
        QCOMPARE(data.rows, 28);
        QCOMPARE(data.cell(27, 1).text, QStringLiteral(" 25"));
        QCOMPARE(data.cell(27, 13).text, QStringLiteral("2,12"));
        QCOMPARE(data.cell(28, 12).text, QStringLiteral("totale"));
        QCOMPARE(data.cell(28, 13).text, QStringLiteral("53,00"));
        bool projectTyped = false;
        for (const WordParagraph* p : shown.document.paragraphs())
            projectTyped |= p->text() == QStringLiteral("Progetto: Scuola media");
        QVERIFY(projectTyped);
    }

    // With ten rows or fewer the band stays where it is; rows it never
    // showed are computed all the same, and the total covers them.
    void shortTableLeavesTheBand() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        storeRows(f.state, 10);
        w.VScroll1->setValue(4);
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QCOMPARE(w.VScroll1->value(), 4);
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordTableContent& data = f.services.documents.shown[0].document.table(2);
        const auto loss = [&data](int line) {
            return ReadNumber(QString(data.cell(line, 13).text).replace(u',', u'.'));
        };
        for (int line = 3; line <= 12; ++line)
            QCOMPARE(loss(line), 2.12);
        QCOMPARE(loss(13), 21.2);
        QCOMPARE(w.totperd->text(), QStringLiteral("21.2"));
    }

    // A project opened from the gas window: the water window is loaded too
    // (hidden), at row 1, and its print shows every loss and the total of
    // every row, whichever rows its band has shown.
    void projectOpenedFromTheGasWindowPrintsEveryWaterLoss() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-quindici"));
        {
            ApplicationState source;
            storeRows(source, 15);
            source.project.gas.ClearGasTable();
            source.project.cover.progetto = QStringLiteral("Quindici tronchi");
            QVERIFY(SaveProjectFile(source.project, path).ok());
        }
        const DefaultLocale italian(QLocale(QLocale::Italian, QLocale::Italy));
        ShellFixture f;
        f.forms.enrol<dati>();
        f.forms.enrol<datigas>();
        datigas& gas = f.forms.show<datigas>();
        f.services.dialogs.openResults.push_back(path);
        gas.frame()->item(QStringLiteral("apri"))->trigger();
        QVERIFY(f.forms.isLoaded(QStringLiteral("dati")));
        dati& water = f.forms.get<dati>();
        QVERIFY(water.isHidden());
        QCOMPARE(water.VScroll1->value(), 1);
        QCOMPARE(water.perd(1)->text(), QStringLiteral("2.12"));
        QCOMPARE(water.Label1->text(), QStringLiteral("15"));

        f.forms.show<dati>();
        QTest::mouseClick(water.stamp, Qt::LeftButton);
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordTableContent& data = f.services.documents.shown[0].document.table(2);
        for (int r = 1; r <= 15; ++r)
            QCOMPARE(data.cell(r + 2, 13).text, QStringLiteral("2,12"));
        QCOMPARE(data.cell(18, 13).text, QStringLiteral("31,80"));
        f.forms.unload(&water);
        f.forms.unload(&gas);
    }

    // The hint says what became of the document: shown, written where no
    // word processor opened it, or not written.
    void wordRouteHintTellsTheOutcome() {
        const struct {
            DocumentOutcome::Kind outcome;
            const char* hint;
        } cases[] = {
            {DocumentOutcome::Kind::Handed,
             "ho visualizzato il modello d'acquisizione dati con WORD"},
            {DocumentOutcome::Kind::NotOpened,
             "il documento è nel file «/documenti/Tubarex-acqua-modello.docx»: nessun programma "
             "di videoscrittura l'ha aperto"},
            {DocumentOutcome::Kind::NotWritten,
             "il documento non è stato scritto: nulla da visualizzare"},
        };
        for (const auto& c : cases) {
            ShellFixture f;
            f.services.documents.outcome = c.outcome;
            dati& w = f.forms.get<dati>();
            w.frame()->item(QStringLiteral("acquisizionedati"))->trigger();
            QCOMPARE(w.passo->text(), QDir::toNativeSeparators(QString::fromUtf8(c.hint)));
        }
    }

    // The form needs no data and no check.
    void acquisitionFormFromTheMenu() {
        ShellFixture f;
        dati& w = f.forms.get<dati>();
        w.frame()->item(QStringLiteral("acquisizionedati"))->trigger();
        QVERIFY(f.services.messages.shown.empty());
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const auto& shown = f.services.documents.shown[0];
        QCOMPARE(shown.baseName, QStringLiteral("Tubarex-acqua-modello"));
        QCOMPARE(shown.document.table(1).rows, 4);
        QCOMPARE(shown.document.table(2).rows, 32);
        QCOMPARE(w.passo->text(),
                 QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"));
    }
};

TUBAREX_QT_TEST(datiPrint_Test)
#include "datiPrintTest.moc"
