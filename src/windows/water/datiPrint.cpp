// The print commands of the water data window: the table of data and
// results on the printer or as a document, and the blank acquisition form.
#include "core/ApplicationState.h"
#include "documents/WaterPrintout.h"
#include "documents/WordDocument.h"
#include "windows/frame/Forms.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/Services.h"
#include "windows/water/dati.h"

#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>

bool dati::prepareListing() {
    if (!precheck())
        return false;
    PageThroughTable();
    // The project name lives in the cover window's box: the window is loaded
    // before it is read, as every routine that reads it does.
    m_ctx.forms.loadByName(QStringLiteral("frontespizio"));
    return true;
}

std::function<void(PrinterPage&)> dati::listing() {
    return [&s = m_ctx.state](PrinterPage& page) { PrintWaterListing(s, page); };
}

void dati::stampa_Click() {
    if (!prepareListing())
        return;
    if (comestampo[0]->isChecked())
        printDocument();
    else
        PrintOnPrinter(m_ctx, this, listing());
}

void dati::anteprima_Click() {
    if (prepareListing())
        ShowPrintPreview(m_ctx, this, listing());
}

void dati::PageThroughTable() {
    // The band shown is recomputed first: a window loaded and never shown
    // has not computed its first rows yet.
    RefreshBand();
    // Paging the band through the table leaves it on the last page, so that
    // the total label sums the whole table; every row is then computed
    // through the model as well, so that no row the band never showed is
    // printed without its loss, and the label shows the total printed.
    for (int v = BandLines + 1; v <= m_ctx.state.waterRows(); v += BandLines) {
        {
            const QSignalBlocker block(VScroll1);
            VScroll1->setValue(v);
        }
        RefreshBand();
    }
    RecalculateAllWaterRows(m_ctx.state);
    showTotal();
}

double dati::shownTotal() const {
    return WaterRunningTotal(m_ctx.state);
}

void dati::printDocument() {
    const double total = shownTotal();
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-acqua-dati"),
                   QStringLiteral("ho visualizzato i dati con WORD"), [&](WordDocument& document) {
                       BuildWaterDocument(document, m_ctx.state, total, QLocale());
                   });
}

void dati::acquisizionedati_Click() {
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-acqua-modello"),
                   QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"),
                   [&](WordDocument& document) { BuildWaterForm(document, m_ctx.state); });
}
