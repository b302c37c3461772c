#pragma once

#include <QRect>
#include <QString>

#include <array>

class Form;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// Controls that the three project windows (water, gas, cover page) share,
// placed in twips on their client area.

// The yellow instruction box `passo` at the foot of a window: it tells the
// user what to type next and how printing goes.
QLabel* MakeHintBox(Form& form, QWidget* area, const QRect& twips);

// Where the option group "Opzioni di stampa" stands, and its two options.
struct PrintOptionsPlace {
    QRect frame;       // the group, in twips
    int firstTop = 0;  // top of comestampo(1), inside the group
    int secondTop = 0; // top of comestampo(2)
    int optionWidth = 0;
};

// The group "Opzioni di stampa": comestampo(1) "Stampa con Word", selected,
// and comestampo(2) "Stampa diretta".
void MakePrintOptions(Form& form, QWidget* area, const PrintOptionsPlace& place,
                      std::array<QRadioButton*, 2>& comestampo);

// A command button of the window's bottom row (1095 x 375 twips).
QPushButton* MakeCommandButton(Form& form, QWidget* area, const char* name, const QString& caption,
                               const QString& hint, int left, int top);
