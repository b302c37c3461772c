// The table commands of the gas window's band: every change recorded for
// undo and redo, the block paste, the copy and the inserted row.
#include "core/session/ApplicationState.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void datigas::buildEditing() {
    BandEditing::Band band;
    band.lineOf = [this](const QWidget* control) {
        for (int i = 1; i <= BandLines; ++i) {
            if (control == num(i) || control == delriga(i) || control == perd(i))
                return i;
            for (int c = GasColumn::lungh; c <= GasColumn::pci; ++c) {
                if (control == this->control(c, i))
                    return i;
            }
        }
        return 0;
    };
    band.columnOf = [this](const QWidget* control) {
        for (int i = 1; i <= BandLines; ++i) {
            for (const int c : m_editing->table().bandColumns()) {
                if (control == this->control(c, i))
                    return c;
            }
        }
        return 0;
    };
    band.showTable = [this] { showTable(); };
    band.scrollBar = VScroll1;
    m_editing = new BandEditing(*this, m_ctx, GasEditing(m_ctx.state), std::move(band));
    m_editing->extendMenu(m_frame->menu(QStringLiteral("modif")));
}

void datigas::typed(int row, int column, const std::function<void()>& handler) {
    m_editing->typed(row, column, handler);
}
