// The technical report command of the cover page window.
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/Forms.h"
#include "windows/frame/NetworkView.h"
#include "windows/frame/PrintCommands.h"
#include "windows/frame/PrintPreview.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QLocale>
#include <QRadioButton>

namespace {

NetworkView* networkView(Forms& forms, const QString& window) {
    return dynamic_cast<NetworkView*>(forms.find(window));
}

} // namespace

bool frontespizio::startReport() {
    ApplicationState& s = m_ctx.state;
    MessageService& messages = m_ctx.services.messages;
    const ReportStart start = StartReport(s);
    switch (start.step) {
    case ReportStep::Refuse:
        messages.MsgBox(start.notice.text, MsgButtons::Ok, start.notice.icon, s.program.HelpTitle,
                        this);
        return false;
    case ReportStep::CheckFailed: {
        // The window comes up with the band and the focus on the row named.
        const QLatin1String window =
            start.network == NetworkKind::Water ? WindowName::dati : WindowName::datigas;
        m_ctx.forms.showByName(window);
        if (NetworkView* view = networkView(m_ctx.forms, window))
            view->showCheckNotice(start.notice);
        else
            messages.MsgBox(start.notice.text, MsgButtons::Ok, start.notice.icon,
                            s.program.CheckTitle, this);
        return false;
    }
    case ReportStep::AskBoth: {
        const MsgAnswer answer =
            messages.MsgBox(ReportQuestion(), MsgButtons::YesNoCancel, NoticeIcon::Question,
                            ReportQuestionTitle(s), this);
        if (answer == MsgAnswer::No)
            m_ctx.forms.showByName(WindowName::dati);
        return answer != MsgAnswer::No && answer != MsgAnswer::Cancel;
    }
    case ReportStep::Go:
        break;
    }
    return true;
}

std::function<void(PrinterPage&)> frontespizio::reportListing() {
    const ReportFont font{ReportFontName, static_cast<double>(ReportFontSize)};
    return [this, font](PrinterPage& page) {
        reportTotals();
        PrintTechnicalReport(m_ctx.state, page, font);
    };
}

void frontespizio::anteprima_Click() {
    if (startReport())
        ShowPrintPreview(m_ctx, this, reportListing());
}

void frontespizio::stampa_Click() {
    if (!startReport())
        return;
    ApplicationState& s = m_ctx.state;
    // The networks are brought up to date once the route has started: after
    // the printer dialog, or once the document is being made.
    if (comestampo[0]->isChecked()) {
        ShowWordOutput(m_ctx, this, passo, QStringLiteral("Tubarex-relazione"),
                       QStringLiteral("ho visualizzato la relazione con WORD"),
                       [&](WordDocument& document) {
                           BuildTechnicalReport(document, s, reportTotals(), ProgramLocale());
                       });
        return;
    }
    PrintOnPrinter(m_ctx, this, reportListing());
}

ReportTotals frontespizio::reportTotals() {
    ApplicationState& s = m_ctx.state;
    // Without its window (none enrolled) a network's total is all its rows'.
    ReportTotals totals = ReportNetworkTotals(s.project);
    const auto update = [this](const QString& window, int rows, double& total) {
        if (rows == 0 || !m_ctx.forms.loadByName(window))
            return;
        if (NetworkView* view = networkView(m_ctx.forms, window)) {
            view->PageThroughTable();
            total = view->shownTotal();
        }
    };
    update(WindowName::dati, s.project.water.rows(), totals.water);
    update(WindowName::datigas, s.project.gas.rows(), totals.gas);
    return totals;
}
