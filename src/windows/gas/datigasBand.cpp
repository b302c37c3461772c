// The band logic of the gas data window: showing the table, storing every
// edit, the fitting row, the hint, the input check, delete and clear.
#include "windows/gas/datigas.h"

#include "core/model/Columns.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "windows/frame/Services.h"
#include "windows/frame/SpokenNames.h"
#include "windows/frame/WindowParts.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QColor Cyan(0, 255, 255);
const QColor Yellow(255, 255, 0);
const QColor PaleYellow(255, 255, 192);
const QColor PaleCyan(128, 255, 255);

void showText(QLineEdit* edit, const QString& text) {
    if (edit->text() == text)
        return;
    const QSignalBlocker block(edit);
    edit->setText(text);
    // Long numbers do not fit the narrow boxes: show their start, as a box
    // set from code did, unless the user is typing there.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

// A computed value shows whole in its narrow box: rounded to four
// significant digits (Reynolds 3074.58473564217 as 3075), the full value in
// the box's tooltip; the table keeps it whole, for the printouts and files.
constexpr int ShownDigits = 4;

void showComputed(QLineEdit* edit, const Cell& cell) {
    const QString full = cell.displayText();
    const QString shown = cell.isNumber() ? RoundedNumberText(cell.value(), ShownDigits) : full;
    showText(edit, shown);
    const QString tip = shown == full ? QString() : full;
    if (edit->toolTip() != tip)
        edit->setToolTip(tip);
}

bool isComputed(int column) {
    return column >= GasColumn::visc && column <= GasColumn::pci;
}

// What a screen reader calls each column's control.
QString spokenColumn(int column) {
    return FactsOf(GasColumns(), column).spokenText();
}

// The columns a line shows from its row.
constexpr int ShownColumns[] = {
    GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas, GasColumn::tipoc, GasColumn::diam,
    GasColumn::visc,  GasColumn::rey,    GasColumn::attr,    GasColumn::vel,   GasColumn::mas,
    GasColumn::pcs,   GasColumn::pci,    GasColumn::perd};

} // namespace

int datigas::rowOf(int i) const {
    return m_ctx.state.view.GasBandTop + i - 1;
}

void datigas::showRowNumber(int i) {
    const int row = rowOf(i);
    num(i)->setText(NumberToText(row));
    num(i)->setToolTip(QStringLiteral(
        "muovere sui numeri il mouse per scegliere il tronco per il quale aggiungere altri dati"));
    delriga(i)->setToolTip(QStringLiteral("cliccare per cancellare la riga n.") +
                           RowNumberText(row));
    SetSpokenName(num(i), QStringLiteral("tronco %1").arg(row));
    SetSpokenName(delriga(i), DeleteRowName(row));
    for (int c = GasColumn::lungh; c <= GasColumn::pci; ++c)
        SetSpokenName(control(c, i), RowControlName(spokenColumn(c), row));
    DescribeAsComputed(perd(i), RowControlName(spokenColumn(GasColumn::perd), row));
}

void datigas::nameFittings() {
    // The fitting row edits the row last pointed at or edited.
    const int row = CurrentRow < 1 ? m_ctx.state.view.GasBandTop : CurrentRow;
    for (int c = GasColumn::cu45; c <= GasColumn::luvirt; ++c)
        SetSpokenName(fitting(c), RowControlName(spokenColumn(c), row));
}

void datigas::showBand() {
    ApplicationState& s = m_ctx.state;
    // A row without a length keeps no nominal diameter once the band shows
    // it (the model's rule for the rows a band brings into view).
    s.project.gas.ShowGasRows(rowOf(1), rowOf(BandLines));
    for (int i = 1; i <= BandLines; ++i) {
        const int row = rowOf(i);
        showRowNumber(i);
        for (const int c : ShownColumns) {
            const QString text = s.project.gas.at(row, c).displayText();
            if (c == GasColumn::tipofi)
                ShowInList(tipofi(i), text);
            else if (c == GasColumn::tipoc)
                ShowInList(tipoc(i), text);
            else if (c == GasColumn::perd)
                perd(i)->setText(text);
            else if (isComputed(c))
                showComputed(box(c, i), s.project.gas.at(row, c));
            else
                showText(box(c, i), text);
        }
    }
}

void datigas::RefreshGasBand() {
    ResetGasLineColours();
    ApplicationState& s = m_ctx.state;
    s.view.GasBandTop = VScroll1->value();
    showBand();
    nameFittings();
    // The total label follows the rows computed: it shows the total again
    // when the band shows a complete row.
    bool complete = false;
    for (int i = 1; i <= BandLines; ++i)
        complete = complete || GasRowComplete(s.project.gas.row(rowOf(i)));
    if (complete)
        totperd->setText(NumberToText(GasRunningTotal(s)));
    showCount();
}

void datigas::showHint() {
    passo->setText(m_ctx.state.project.gas.GasHint());
}

void datigas::showCount() {
    const auto& count = m_ctx.state.project.gas.count();
    Label1->setText(count ? NumberToText(*count) : QString());
}

void datigas::showRowResults(int row) {
    const ApplicationState& s = m_ctx.state;
    // The gas properties show as soon as the type is known, before the row
    // is complete.
    for (int i = 1; i <= BandLines; ++i) {
        if (rowOf(i) == row)
            showResults(i);
    }
    if (!GasRowComplete(s.project.gas.row(row)))
        return;
    if (row == CurrentRow)
        showVirtualLength();
    totperd->setText(NumberToText(GasRunningTotal(s)));
}

void datigas::showResults(int i) {
    const GasNetwork& t = m_ctx.state.project.gas;
    const int row = rowOf(i);
    for (int c = GasColumn::visc; c <= GasColumn::pci; ++c)
        showComputed(box(c, i), t.at(row, c));
    perd(i)->setText(t.at(row, GasColumn::perd).displayText());
}

void datigas::setCurrentRow(int row) {
    if (row == CurrentRow)
        return;
    CurrentRow = row;
    showFittingRow();
}

void datigas::showFittingRow() {
    eventuale->setText(QStringLiteral("eventuali altri dati del tronco n.") +
                       RowNumberText(CurrentRow));
    for (int c = GasColumn::cu45; c <= GasColumn::luvirt; ++c)
        showText(fitting(c), m_ctx.state.project.gas.at(CurrentRow, c).displayText());
    nameFittings();
}

void datigas::showVirtualLength() {
    showText(fitting(GasColumn::luvirt),
             m_ctx.state.project.gas.at(CurrentRow, GasColumn::luvirt).displayText());
}

void datigas::lungh_Change(int i) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    const QString text = lungh(i)->text();
    if (const auto refusal = s.project.gas.RefuseGasLength(CurrentRow, text)) {
        {
            const QSignalBlocker block(lungh(i));
            lungh(i)->clear();
        }
        showNotice(*refusal);
        return;
    }
    ResetGasLineColours();
    s.project.gas.TypeGasCell(CurrentRow, GasColumn::lungh, text);
    showCount();
    showHint();
    showRowResults(CurrentRow);
}

void datigas::tipofi_Change(int i) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    // An emptied nominal diameter empties the internal one in the table;
    // its box keeps the text until the band is shown again.
    const QString text = tipofi(i)->currentText();
    s.project.gas.TypeGasCell(CurrentRow, GasColumn::tipofi, text);
    if (text.isEmpty())
        return;
    showHint();
    showRowResults(CurrentRow);
}

void datigas::tipofi_Click(int i, int index) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    s.project.gas.ApplyNominalDiameter(CurrentRow, index);
    showText(diam(i), s.project.gas.at(CurrentRow, GasColumn::diam).displayText());
    showHint();
    showRowResults(CurrentRow);
}

void datigas::portgas_Change(int i) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    s.project.gas.TypeGasCell(CurrentRow, GasColumn::portgas, portgas(i)->text());
    showHint();
    showRowResults(CurrentRow);
}

void datigas::tipoc_Change(int i) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    const QString text = tipoc(i)->currentText();
    s.project.gas.TypeGasCell(CurrentRow, GasColumn::tipoc, text);
    if (text.isEmpty())
        return;
    showHint();
    showRowResults(CurrentRow);
}

void datigas::tipoc_Click(int i, int /*index*/) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    s.project.gas.ChooseGasType(CurrentRow, tipoc(i)->currentText());
    showHint();
    showRowResults(CurrentRow);
}

void datigas::diam_Change(int i) {
    ApplicationState& s = m_ctx.state;
    setCurrentRow(rowOf(i));
    // The typed diameter names its pipe in the series, or "ND" for none.
    s.project.gas.TypeGasCell(CurrentRow, GasColumn::diam, diam(i)->text());
    showHint();
    ShowInList(tipofi(i), s.project.gas.at(CurrentRow, GasColumn::tipofi).displayText());
    showRowResults(CurrentRow);
}

void datigas::fitting_Change(int column) {
    ApplicationState& s = m_ctx.state;
    // The fitting row belongs to the row last pointed at or edited.
    if (CurrentRow < 1)
        setCurrentRow(s.view.GasBandTop);
    s.project.gas.TypeGasCell(CurrentRow, column, fitting(column)->text());
    showHint();
    showRowResults(CurrentRow);
}

void datigas::showNotice(const Notice& notice) {
    ShowNotice(m_ctx, this, notice, VScroll1,
               [this](int column, int line) { return control(column, line); });
}

bool datigas::CheckData() {
    ApplicationState& s = m_ctx.state;
    const CheckOutcome outcome = CheckGasData(s);
    if (!outcome.notice.isEmpty())
        showNotice(outcome.notice);
    return outcome.passed;
}

bool datigas::precheck() {
    m_ctx.state.view.GasCheckQuiet = 1;
    return CheckData();
}

void datigas::paintBand() {
    for (int i = 1; i <= BandLines; ++i)
        paintLine(i, Cyan, palette().color(QPalette::Base), PaleYellow, PaleCyan);
    m_highlighted = 0;
}

// Only the line pointed at has colours of its own: a keystroke gives that
// line its colours back and touches no other.
void datigas::ResetGasLineColours() {
    if (m_highlighted > 0)
        paintLine(m_highlighted, Cyan, palette().color(QPalette::Base), PaleYellow, PaleCyan);
    m_highlighted = 0;
}

void datigas::paintLine(int i, const QColor& labels, const QColor& inputs, const QColor& diameter,
                        const QColor& results) {
    SetWindowColour(num(i), labels);
    SetWindowColour(perd(i), labels);
    SetBoxColour(lungh(i), inputs);
    SetBoxColour(tipofi(i), inputs);
    SetBoxColour(portgas(i), inputs);
    SetBoxColour(tipoc(i), inputs);
    SetBoxColour(diam(i), diameter);
    for (int c = GasColumn::visc; c <= GasColumn::pci; ++c)
        SetBoxColour(box(c, i), results);
}

void datigas::HighlightGasLine(int i) {
    ResetGasLineColours();
    CurrentRow = rowOf(i);
    showFittingRow();
    showRowResults(CurrentRow);
    paintLine(i, Yellow, Yellow, Yellow, Yellow);
    m_highlighted = i;
}

bool datigas::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        for (int i = 1; i <= BandLines; ++i) {
            if (watched == num(i))
                HighlightGasLine(i);
        }
    }
    return Form::eventFilter(watched, event);
}

void datigas::delriga_Click(int i) {
    ApplicationState& s = m_ctx.state;
    const Notice notice = s.project.gas.DeleteGasRow(rowOf(i));
    if (!notice.isEmpty()) {
        m_ctx.services.messages.MsgBox(notice.text, MsgButtons::Ok, notice.icon,
                                       s.program.CheckTitle, this);
        return;
    }
    RefreshGasBand();
    showCount();
    showHint();
}

void datigas::Clear() {
    m_ctx.state.project.gas.ClearGasTable();
    for (int c = GasColumn::cu45; c <= GasColumn::luvirt; ++c)
        showText(fitting(c), QString());
    for (int i = 1; i <= BandLines; ++i) {
        for (const int c : ShownColumns) {
            if (c == GasColumn::tipofi)
                ShowInList(tipofi(i), QString());
            else if (c == GasColumn::tipoc)
                ShowInList(tipoc(i), QString());
            else if (c == GasColumn::perd)
                perd(i)->clear();
            else
                showComputed(box(c, i), Cell());
        }
    }
    showCount();
    showHint();
}

void datigas::projectOpened() {
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(1);
    }
    RefreshGasBand();
    // The fitting row shows the new project's row.
    if (CurrentRow >= 1)
        showFittingRow();
    showCount();
    showHint();
}

void datigas::setBackgroundColour(const QColor& colour) {
    m_background = colour;
    setAutoFillBackground(true);
    SetWindowColour(this, colour);
}

void datigas::ChooseGasBackground() {
    if (const auto colour = ChooseProjectBackground(m_ctx, this, m_background))
        setBackgroundColour(*colour);
}

void datigas::aiuto_Click() {
    m_ctx.services.messages.MsgBox(DataWindowHelpText(), MsgButtons::Ok, NoticeIcon::Information,
                                   m_ctx.state.program.HelpTitle, this);
}

void datigas::showTable() {
    ApplicationState& s = m_ctx.state;
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(s.view.GasBandTop);
    }
    RefreshGasBand();
    if (CurrentRow >= 1)
        showFittingRow();
    // The total of the rows as they now stand, even when no row shown is
    // complete.
    totperd->setText(NumberToText(GasRunningTotal(s)));
    showHint();
}
