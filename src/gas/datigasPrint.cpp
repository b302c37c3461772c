// The print commands of the gas data window.
#include "gas/datigas.h"

#include "gas/GasPrintout.h"
#include "shell/ApplicationState.h"
#include "shell/NumberText.h"
#include "shell/PrintCommands.h"
#include "shell/Services.h"
#include "shell/WordDocument.h"

#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>

void datigas::stampa_Click() {
    ApplicationState& s = m_ctx.state;
    if (!precheck())
        return;
    // Paging the band through the table computes every row, and leaves the
    // total of all rows in the total label.
    for (int k = 11; k <= s.gasRows(); k += 10) {
        {
            const QSignalBlocker block(VScroll1);
            VScroll1->setValue(k);
        }
        RefreshGasBand();
    }
    if (!comestampo[0]->isChecked()) {
        PrintOnPrinter(m_ctx, this, [&s](PrinterPage& page) { PrintGasListing(s, page); });
        return;
    }
    passo->setText(QStringLiteral("sto caricando WORD"));
    WordDocument doc;
    BuildGasDocument(doc, s, ReadNumber(totperd->text()), QLocale());
    m_ctx.services.documents.ShowDocument(doc, QStringLiteral("Tubarex-gas-dati"), this);
    passo->setText(QStringLiteral("ho visualizzato i dati con WORD"));
}

void datigas::acquisizionedati_Click() {
    passo->setText(QStringLiteral("sto caricando WORD"));
    WordDocument doc;
    BuildGasForm(doc, m_ctx.state);
    m_ctx.services.documents.ShowDocument(doc, QStringLiteral("Tubarex-gas-modello"), this);
    passo->setText(QStringLiteral("ho visualizzato il modello d'acquisizione dati con WORD"));
}
