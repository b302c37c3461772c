#pragma once

#include "windows/frame/Form.h"

class Line;
class QLabel;
class QPushButton;

// The year of a day-month-year date (its last group of digits) as a number
// with the sign position kept: "07-08-2003" gives " 2003". Empty when the
// date holds no digits.
QString YearText(const QString& date);

// "edizione professionale - versione " + version + two blanks + YearText.
QString EditionLine(const QString& version, const QString& date);

// "Informazioni su Tubarex": the program's identity, edition and year. The
// texts that come from the application state are set once, when the window
// loads; "OK" only hides the window.
class informa : public Form {
    Q_OBJECT
public:
    explicit informa(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;
    void cmdOK_Click();

    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* label7 = nullptr;
    QLabel* Label4 = nullptr;
    Line* Line1 = nullptr;
    Line* Line2 = nullptr;
    Line* Line3 = nullptr;
    QPushButton* cmdOK = nullptr;
};
