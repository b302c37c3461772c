// The print commands of the gas data window.
#include "windows/gas/datigas.h"

#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "documents/GasPrintout.h"
#include "documents/WordDocument.h"
#include "windows/frame/Forms.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/Services.h"

#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>

bool datigas::prepareListing() {
    if (!precheck())
        return false;
    PageThroughTable();
    // The project name lives in the cover window's box: the window is loaded
    // before it is read, as every routine that reads it does.
    m_ctx.forms.loadByName(QStringLiteral("frontespizio"));
    return true;
}

std::function<void(PrinterPage&)> datigas::listing() {
    return [&s = m_ctx.state](PrinterPage& page) { PrintGasListing(s, page); };
}

void datigas::anteprima_Click() {
    if (prepareListing())
        ShowPrintPreview(m_ctx, this, listing());
}

void datigas::stampa_Click() {
    ApplicationState& s = m_ctx.state;
    if (!prepareListing())
        return;
    if (!comestampo[0]->isChecked()) {
        PrintOnPrinter(m_ctx, this, listing());
        return;
    }
    const double total = shownTotal();
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-gas-dati"),
                   QStringLiteral("ho visualizzato i dati con WORD"),
                   [&](WordDocument& doc) { BuildGasDocument(doc, s, total, QLocale()); });
}

void datigas::PageThroughTable() {
    // The band shown is computed first: a window loaded and never shown has
    // not computed its first rows yet.
    RefreshGasBand();
    // Paging the band through the table leaves it on the last page, so that
    // the running total covers every row; every row is then computed through
    // the model as well, so that no row the band never showed is printed
    // without its results, and the label shows the total printed.
    for (int k = BandLines + 1; k <= m_ctx.state.gasRows(); k += BandLines) {
        {
            const QSignalBlocker block(VScroll1);
            VScroll1->setValue(k);
        }
        RefreshGasBand();
    }
    CalculateAllGasRows(m_ctx.state);
    totperd->setText(NumberToText(shownTotal()));
}

double datigas::shownTotal() const {
    return GasRunningTotal(m_ctx.state);
}

void datigas::acquisizionedati_Click() {
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-gas-modello"),
                   QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"),
                   [&](WordDocument& doc) { BuildGasForm(doc, m_ctx.state); });
}
