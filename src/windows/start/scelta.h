#pragma once

#include "windows/frame/Form.h"

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

// The calculation chooser: the water or the gas calculation is picked here.
// Each option opens its window and clears itself, so that the same choice
// can be made again. The target windows are reached by name through the
// registry; an option whose window is not enrolled is disabled.
class scelta : public Form {
    Q_OBJECT
public:
    explicit scelta(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    void Option1_Click(int index);
    void Option1_MouseMove(int index);
    void Form_MouseMove();
    void aiuto_Click();
    void guida_Click();
    void cmdesci_Click();

    // Option buttons numbered 1 (water) and 2 (gas).
    QRadioButton* Option1(int index) const { return m_options.at(static_cast<size_t>(index - 1)); }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* aiuto = nullptr;
    QPushButton* guida = nullptr;
    QPushButton* cmdesci = nullptr;
    // "Dati dello studio": the owner's name and address (datistudio).
    QPushButton* studio = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeStatusBar();

    std::array<QRadioButton*, 2> m_options{};
};
