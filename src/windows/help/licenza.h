#pragma once

#include "windows/frame/Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// "LICENZA D'USO": the licence agreement of the program, with its name in
// Label2. "&Chiudi" only hides the window; "S&tampa" puts the agreement into
// a document for the word processor.
class licenza : public Form {
    Q_OBJECT
public:
    explicit licenza(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdSommario_Click();
    void cmdstampa_Click();
    void cmdChiudi_Click();

    QPushButton* cmdSommario = nullptr;
    QPushButton* cmdstampa = nullptr;
    QPushButton* cmdChiudi = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
};
