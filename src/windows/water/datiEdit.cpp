// The table commands of the water window's band: every change recorded for
// undo and redo, the block paste, the copy and the inserted row.
#include "core/session/ApplicationState.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/WindowFrame.h"
#include "windows/water/dati.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

void dati::buildEditing() {
    BandEditing::Band band;
    band.lineOf = [this](const QWidget* control) {
        for (int i = 1; i <= BandLines; ++i) {
            if (control == num(i) || control == delriga(i) || control == perd(i))
                return i;
            for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c) {
                if (control == this->control(c, i))
                    return i;
            }
        }
        return 0;
    };
    band.columnOf = [this](const QWidget* control) {
        for (int i = 1; i <= BandLines; ++i) {
            for (int c = WaterColumn::lungh; c <= WaterColumn::valv; ++c) {
                if (control == this->control(c, i))
                    return c;
            }
        }
        return 0;
    };
    band.showTable = [this] { showTable(); };
    band.scrollBar = VScroll1;
    m_editing = new BandEditing(*this, m_ctx, WaterEditing(m_ctx.state), std::move(band));
    m_editing->extendMenu(m_frame->menu(QStringLiteral("modif")));
}

void dati::typed(int column, int i, const std::function<void()>& handler) {
    m_editing->typed(m_ctx.state.view.WaterBandTop + i - 1, column, handler);
}

void dati::showTable() {
    {
        const QSignalBlocker block(VScroll1);
        VScroll1->setValue(m_ctx.state.view.WaterBandTop);
    }
    RefreshBand();
    UpdateStepHint();
}
