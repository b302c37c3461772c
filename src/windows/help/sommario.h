#pragma once

#include "windows/frame/Form.h"

#include <array>

class QLabel;
class QPushButton;

// "Tubarex: guida in linea": the summary of the help. Each entry, a small
// button puls(i) and a bordered label lbl(i) on the same row, opens a window:
// the ten classic entries on the left the seven classic help pages, the tips,
// the licence and the product list; the entries 11 to 18 on the right the
// later help pages. The label
// under the pointer is bold; pressing a mouse button on a label removes its
// border and opens the entry at once, releasing it brings the border back.
// "&Chiudi" only hides the summary, which keeps its size and place.
class sommario : public Form {
    Q_OBJECT
public:
    explicit sommario(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    static constexpr int EntryCount = 19;
    // The window entry i opens (registry name), 1..18.
    static QString EntryWindow(int index);

    void OpenEntry(int index);
    void lbl_MouseMove(int index);
    void Form_MouseMove();
    void lbl_MouseDown(int index);
    void lbl_MouseUp(int index);
    void cmdstampa_Click();
    void cmdchiudi_Click();
    void esco_Click();

    // Entries numbered 1..18.
    QPushButton* puls(int index) const { return m_puls.at(static_cast<size_t>(index - 1)); }
    QLabel* lbl(int index) const { return m_lbl.at(static_cast<size_t>(index - 1)); }

    QLabel* Label1 = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdchiudi = nullptr;
    QPushButton* esco = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::array<QPushButton*, EntryCount> m_puls{};
    std::array<QLabel*, EntryCount> m_lbl{};
};
