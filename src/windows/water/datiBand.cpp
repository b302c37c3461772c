// The band logic of the water data window: showing the table, storing every
// edit, the hint, the input check, the row highlight, delete and clear.
#include "core/model/Columns.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "windows/frame/Services.h"
#include "windows/frame/SpokenNames.h"
#include "windows/frame/WindowParts.h"
#include "windows/water/dati.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QColor Cyan(0, 255, 255);
const QColor Yellow(255, 255, 0);

// What a screen reader calls each column's control.
QString spokenColumn(int column) {
    return FactsOf(WaterColumns(), column).spokenText();
}

} // namespace

void dati::RefreshBand() {
    RestoreRowColours();
    ApplicationState& s = m_ctx.state;
    s.view.WaterBandTop = VScroll1->value();
    for (int i = 1; i <= BandLines; ++i) {
        const int row = s.view.WaterBandTop + i - 1;
        showRowNumber(i);
        for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c) {
            const QString text = s.project.water.at(row, c).displayText();
            if (c == WaterColumn::tipoc) {
                ShowInList(tipoc(i), text);
            } else {
                const QSignalBlocker block(box(c, i));
                box(c, i)->setText(text);
            }
        }
        perd(i)->setText(s.project.water.at(row, WaterColumn::perd).displayText());
    }
    showTotal();
    showCount();
}

void dati::showRowNumber(int i) {
    const int row = m_ctx.state.view.WaterBandTop + i - 1;
    num(i)->setText(NumberToText(row));
    delriga(i)->setToolTip(QStringLiteral("cliccare per cancellare la riga n.") +
                           RowNumberText(row));
    SetSpokenName(num(i), QStringLiteral("tronco %1").arg(row));
    SetSpokenName(delriga(i), DeleteRowName(row));
    for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c)
        SetSpokenName(control(c, i), RowControlName(spokenColumn(c), row));
    DescribeAsComputed(perd(i), RowControlName(spokenColumn(WaterColumn::perd), row));
}

void dati::UpdateStepHint() {
    passo->setText(m_ctx.state.project.water.WaterHint());
}

void dati::showCount() {
    const auto& count = m_ctx.state.project.water.count();
    Label1->setText(count ? NumberToText(*count) : QString());
}

void dati::showTotal() {
    totperd->setText(NumberToText(WaterRunningTotal(m_ctx.state)));
}

void dati::showLoss(int line) {
    const ApplicationState& s = m_ctx.state;
    const int row = s.view.WaterBandTop + line - 1;
    perd(line)->setText(s.project.water.at(row, WaterColumn::perd).displayText());
    showTotal();
}

void dati::lungh_Change(int i) {
    ApplicationState& s = m_ctx.state;
    CurrentRow = i + s.view.WaterBandTop - 1;
    const QString text = lungh(i)->text();
    if (const auto refusal = s.project.water.RefuseWaterLength(CurrentRow, text)) {
        {
            const QSignalBlocker block(lungh(i));
            lungh(i)->clear();
        }
        showNotice(*refusal);
        return;
    }
    RestoreRowColours();
    SelectedLine = i;
    s.project.water.StoreWaterCell(CurrentRow, WaterColumn::lungh, text);
    showCount();
    UpdateStepHint();
    showLoss(i);
}

void dati::cell_Change(int column, int i) {
    ApplicationState& s = m_ctx.state;
    CurrentRow = i + s.view.WaterBandTop - 1;
    s.project.water.StoreWaterCell(CurrentRow, column, box(column, i)->text());
    UpdateStepHint();
    showLoss(i);
}

void dati::tipoc_Change(int i) {
    ApplicationState& s = m_ctx.state;
    CurrentRow = i + s.view.WaterBandTop - 1;
    const QString text = tipoc(i)->currentText();
    // An emptied wall type empties the roughness as well (in the table).
    s.project.water.StoreWaterCell(CurrentRow, WaterColumn::tipoc, text);
    if (text.isEmpty()) {
        const QSignalBlocker block(box(WaterColumn::sca, i));
        box(WaterColumn::sca, i)->clear();
        return;
    }
    UpdateStepHint();
    showLoss(i);
}

void dati::tipoc_Click(int i, int index) {
    ApplicationState& s = m_ctx.state;
    CurrentRow = i + s.view.WaterBandTop - 1;
    s.project.water.PickWallType(CurrentRow, index + 1);
    {
        const QSignalBlocker block(box(WaterColumn::sca, i));
        box(WaterColumn::sca, i)
            ->setText(s.project.water.at(CurrentRow, WaterColumn::sca).displayText());
    }
    UpdateStepHint();
    showLoss(i);
}

void dati::showNotice(const Notice& notice) {
    ShowNotice(m_ctx, this, notice, VScroll1,
               [this](int column, int line) { return control(column, line); });
}

bool dati::CheckData() {
    ApplicationState& s = m_ctx.state;
    const CheckOutcome outcome = CheckWaterData(s);
    if (!outcome.notice.isEmpty())
        showNotice(outcome.notice);
    return outcome.passed;
}

bool dati::precheck() {
    m_ctx.state.view.WaterCheckQuiet = 1;
    return CheckData();
}

void dati::paintBand() {
    for (int i = 1; i <= BandLines; ++i)
        paintLine(i, Cyan, palette().color(QPalette::Base));
    m_highlighted = 0;
}

// Only the line pointed at has colours of its own: a keystroke gives that
// line its colours back and touches no other.
void dati::RestoreRowColours() {
    if (m_highlighted > 0)
        paintLine(m_highlighted, Cyan, palette().color(QPalette::Base));
    m_highlighted = 0;
}

void dati::paintLine(int i, const QColor& labels, const QColor& boxes) {
    SetWindowColour(num(i), labels);
    SetWindowColour(perd(i), labels);
    for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c)
        SetBoxColour(control(c, i), boxes);
}

void dati::num_MouseMove(int i) {
    RestoreRowColours();
    SelectedLine = i;
    CurrentRow = i + m_ctx.state.view.WaterBandTop - 1;
    paintLine(i, Yellow, Yellow);
    m_highlighted = i;
}

bool dati::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        for (int i = 1; i <= BandLines; ++i) {
            if (watched == num(i))
                num_MouseMove(i);
        }
    }
    return Form::eventFilter(watched, event);
}

void dati::delriga_Click(int i) {
    ApplicationState& s = m_ctx.state;
    const int row = s.view.WaterBandTop + i - 1;
    const Notice notice = s.project.water.DeleteWaterRow(row);
    if (!notice.isEmpty()) {
        m_ctx.services.messages.MsgBox(notice.text, MsgButtons::Ok, notice.icon,
                                       s.program.CheckTitle, this);
        return;
    }
    RefreshBand();
    showCount();
    UpdateStepHint();
}

void dati::Clear() {
    m_ctx.state.project.water.ClearWaterTable();
    for (int i = 1; i <= BandLines; ++i) {
        for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c) {
            if (c == WaterColumn::tipoc) {
                ShowInList(tipoc(i), QString());
            } else {
                const QSignalBlocker block(box(c, i));
                box(c, i)->clear();
            }
        }
        perd(i)->clear();
    }
    // The total label stays as it was until a row is computed again.
    showCount();
    UpdateStepHint();
}

void dati::projectOpened() {
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(1);
    }
    RefreshBand();
    showCount();
    UpdateStepHint();
}

void dati::setBackgroundColour(const QColor& colour) {
    m_background = colour;
    setAutoFillBackground(true);
    SetWindowColour(this, colour);
}

void dati::ChangeBackground() {
    if (const auto colour = ChooseProjectBackground(m_ctx, this, m_background))
        setBackgroundColour(*colour);
}

void dati::aiuto_Click() {
    m_ctx.services.messages.MsgBox(DataWindowHelpText(), MsgButtons::Ok, NoticeIcon::Information,
                                   m_ctx.state.program.HelpTitle, this);
}
