#pragma once

#include "windows/frame/Form.h"

class QLabel;
class QPushButton;

// "Servizi di supporto ai clienti": how to reach the maker. Fixed text; "OK"
// only hides the window.
class supportoclienti : public Form {
    Q_OBJECT
public:
    explicit supportoclienti(AppContext& context, QWidget* parent = nullptr);

    void Command1_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* Command1 = nullptr;
};
