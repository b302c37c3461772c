#pragma once

#include "windows/frame/Form.h"

#include <array>

class QLabel;

// The splash window: the first window of the program and, after the
// confirmed exit, its closing credit. It starts the music and fills the
// program identity when it loads. A click anywhere opens the chooser; a key
// ends the program (when no other window is loaded).
class frmSplash : public Form {
    Q_OBJECT
public:
    explicit frmSplash(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;
    // Closed last, the splash ends the program as its key does.
    bool closingLastIsExit() const override { return false; }

    void Form_Click();
    void label_Click(int index);
    void Image1_Click();
    void Form_KeyPress();

    // The labels, numbered 1 to 5: 1 how to go on, 2 the credit line (empty
    // until the exit), 3 the program name, 4 its subtitle, 5 the edition.
    QLabel* label(int index) const { return m_labels.at(static_cast<size_t>(index - 1)); }
    QLabel* Image1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLabel*, 5> m_labels{};
};
