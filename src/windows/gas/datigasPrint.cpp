// The print commands of the gas data window.
#include "windows/gas/datigas.h"

#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "documents/GasPrintout.h"
#include "documents/WordDocument.h"
#include "windows/frame/Forms.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

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
    m_ctx.forms.loadByName(WindowName::frontespizio);
    return true;
}

std::function<void(PrinterPage&)> datigas::listing() {
    return [&s = m_ctx.state](PrinterPage& page) { PrintGasListing(s.project, page); };
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
                   [&](WordDocument& doc) { BuildGasDocument(doc, s, total, ProgramLocale()); });
}

void datigas::PageThroughTable() {
    // The band goes through the table a page at a time from row 11, as the
    // print pass always has, and stays on its last page (a table of ten rows
    // or fewer leaves it where it stands): the running total then covers
    // every row printed. Each page it passes is shown, as far as the table
    // is concerned: a row without a length drops its nominal diameter.
    GasNetwork& gas = m_ctx.state.project.gas;
    gas.ShowGasRows(rowOf(1), rowOf(BandLines));
    for (int k = BandLines + 1; k <= gas.rows(); k += BandLines) {
        gas.ShowGasRows(k, k + BandLines - 1);
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(k);
    }
    RefreshGasBand();
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
