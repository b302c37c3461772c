#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/model/NumberText.h"
#include "core/session/StartOptions.h"
#include "documents/GasPrintout.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Complete methane rows 1..n on a 1'' pipe, inputs only, as a data file
// leaves them: their results come from the window.
void fillRows(ApplicationState& s, int n) {
    for (int r = 1; r <= n; ++r) {
        s.project.gas.TypeGasCell(r, GasColumn::lungh, NumberToText(r));
        s.project.gas.TypeGasCell(r, GasColumn::tipofi, QStringLiteral("1''"));
        s.project.gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2"));
        s.project.gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
        s.project.gas.TypeGasCell(r, GasColumn::diam, QStringLiteral("27.9"));
    }
}

void chooseDirectPrint(datigas& w) {
    QTest::mouseClick(w.comestampo[1], Qt::LeftButton);
    QVERIFY(w.comestampo[1]->isChecked());
}

} // namespace

class datigasPrint_Test : public QObject {
    Q_OBJECT
private slots:
    void printEntriesAreEnabledAndWordIsTheFirstChoice() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        QVERIFY(w.comestampo[0]->isChecked());
        QVERIFY(!w.comestampo[1]->isChecked());
        QVERIFY(w.stamp->isEnabled());
        QVERIFY(w.frame()->item(QStringLiteral("stampa"))->isEnabled());
        QVERIFY(w.frame()->item(QStringLiteral("acquisizionedati"))->isEnabled());
        QVERIFY(w.frame()->Toolbar1(6)->isEnabled());
    }

    void failingCheckStopsBeforeAnyOutput() {
        ShellFixture f;
        fillRows(f.state, 3);
        f.state.project.gas.TypeGasCell(2, GasColumn::portgas, QString());
        datigas& w = f.forms.get<datigas>();
        const QString hint = w.passo->text();
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("Tronco n. 2:\r- manca il dato della portata del tubo."));
        QVERIFY(f.services.documents.shown.empty());
        QCOMPARE(w.passo->text(), hint);

        chooseDirectPrint(w);
        w.frame()->Toolbar1(6)->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(2));
        QCOMPARE(f.services.dialogs.printerRequests, 0);
    }

    void cancelledPrinterDialogEndsSilently() {
        ShellFixture f;
        fillRows(f.state, 2);
        datigas& w = f.forms.get<datigas>();
        chooseDirectPrint(w);
        w.frame()->item(QStringLiteral("stampa"))->trigger();
        QCOMPARE(f.services.dialogs.printerRequests, 1);
        QVERIFY(f.services.messages.shown.empty());
        QVERIFY(f.services.documents.shown.empty());
    }

    void directPrintWritesTheListingOnTheChosenPrinter() {
        QTemporaryDir dir;
        ShellFixture f;
        fillRows(f.state, 60);
        f.services.dialogs.printerResults.push_back(true);
        f.services.dialogs.printerOutputFile = dir.filePath(QStringLiteral("gas.pdf"));
        datigas& w = f.forms.get<datigas>();
        chooseDirectPrint(w);
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QVERIFY(f.services.messages.shown.empty());
        const QFileInfo pdf(f.services.dialogs.printerOutputFile);
        QVERIFY(pdf.exists());
        QVERIFY(pdf.size() > 1000);
    }

    // The band is paged through the table first, as the user sees it move,
    // and the document and the total cover every row.
    void wordRouteShowsEveryRowAndTheTotal() {
        ShellFixture f;
        fillRows(f.state, 25);
        datigas& w = f.forms.get<datigas>();
        w.projectOpened();
        w.frame()->item(QStringLiteral("stampa"))->trigger();
        QCOMPARE(f.state.view.GasBandTop, 21);
        QCOMPARE(w.totperd->text(), NumberToText(f.state.project.gas.GasTotal(25)));
        QCOMPARE(w.passo->text(), QStringLiteral("ho visualizzato i dati con WORD"));
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordDocument& doc = f.services.documents.shown[0].document;
        QVERIFY(!f.services.documents.shown[0].baseName.isEmpty());
        QCOMPARE(doc.tableCount(), 3);
        const WordTableContent& data = doc.table(2);
        QCOMPARE(data.rows, 28);
        QCOMPARE(
            data.cell(27, 15).text,
            FormatFixed(f.state.project.gas.at(25, GasColumn::perd).value(), 2, ProgramLocale()));
        QCOMPARE(data.cell(28, 14).text, QStringLiteral("totale"));
        QCOMPARE(data.cell(28, 15).text,
                 FormatFixed(ReadNumber(w.totperd->text()), 2, ProgramLocale()));
        QVERIFY(f.services.messages.shown.empty());
    }

    // Rows the band never showed (the window loaded after the table was
    // filled, its total label never set): the document computes them, and
    // its total is the window's running total, never an unset label read as
    // 0; the label then shows it.
    void documentComputesRowsTheBandNeverShowed() {
        ShellFixture f;
        fillRows(f.state, 3);
        datigas& w = f.forms.get<datigas>();
        QVERIFY(w.totperd->text().isEmpty());
        QTest::mouseClick(w.stamp, Qt::LeftButton);
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordTableContent& data = f.services.documents.shown[0].document.table(2);
        double sum = 0;
        for (int r = 1; r <= 3; ++r) {
            QVERIFY(!data.cell(r + 2, 15).text.isEmpty());
            QVERIFY(!data.cell(r + 2, 9).text.isEmpty());
            sum += f.state.project.gas.at(r, GasColumn::perd).value();
        }
        QVERIFY(sum > 0);
        QCOMPARE(data.cell(6, 15).text, FormatFixed(sum, 2, ProgramLocale()));
        QCOMPARE(w.totperd->text(), NumberToText(sum));
    }

    void acquisitionFormIsAlwaysADocument() {
        ShellFixture f;
        datigas& w = f.forms.get<datigas>();
        chooseDirectPrint(w);
        w.frame()->item(QStringLiteral("acquisizionedati"))->trigger();
        QCOMPARE(f.services.dialogs.printerRequests, 0);
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordDocument& doc = f.services.documents.shown[0].document;
        QCOMPARE(doc.tableCount(), 2);
        QCOMPARE(doc.table(2).rows, GasFormRows);
        QCOMPARE(w.passo->text(),
                 QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"));
    }
};

TUBAREX_QT_TEST(datigasPrint_Test)
#include "datigasPrintTest.moc"
