// The print commands of the water data window: the table of data and
// results on the printer or as a document, and the blank acquisition form.
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "documents/WaterPrintout.h"
#include "documents/WordDocument.h"
#include "windows/frame/Forms.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"
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
    m_ctx.forms.loadByName(WindowName::frontespizio);
    return true;
}

std::function<void(PrinterPage&)> dati::listing() {
    return [&s = m_ctx.state](PrinterPage& page) { PrintWaterListing(s.project, page); };
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
    // The band goes through the table a page at a time from row 11, as the
    // print pass always has, and stays on its last page (a table of ten rows
    // or fewer leaves it where it stands): the total label then sums every
    // row printed.
    for (int v = BandLines + 1; v <= m_ctx.state.project.water.rows(); v += BandLines) {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(v);
    }
    RefreshBand();
}

double dati::shownTotal() const {
    return WaterRunningTotal(m_ctx.state);
}

void dati::printDocument() {
    const double total = shownTotal();
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-acqua-dati"),
                   QStringLiteral("ho visualizzato i dati con WORD"), [&](WordDocument& document) {
                       BuildWaterDocument(document, m_ctx.state, total, ProgramLocale());
                   });
}

void dati::acquisizionedati_Click() {
    ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-acqua-modello"),
                   QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"),
                   [&](WordDocument& document) { BuildWaterForm(document, m_ctx.state); });
}
