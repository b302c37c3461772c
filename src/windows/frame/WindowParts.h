#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <functional>

struct AppContext;
class Form;
struct Notice;
class QAction;
class QColor;
class QMenu;
class QObject;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
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

// The bottom row of the water and gas windows: "AIUTO", "Guida in linea"
// (which shows the help summary), "Stampa" and "USCITA" (the confirmed exit).
// The window connects the first and the third to its own commands.
struct DataWindowButtons {
    QPushButton* aiuto = nullptr;
    QPushButton* guidainlinea = nullptr;
    QPushButton* stamp = nullptr;
    QPushButton* esco = nullptr;
};
DataWindowButtons MakeDataWindowButtons(Form& form, AppContext& context, QWidget* area,
                                        int escoLeft);

// Shows a notice of the input guidance (a check's outcome, a refused entry)
// in a message titled CheckTitle; when it points at a row, the band moves
// there and the box named by its column and line takes the focus.
void ShowNotice(AppContext& context, QWidget* parent, const Notice& notice, QScrollBar* band,
                const std::function<QWidget*(int column, int line)>& box);

// The background of a label or a window (its Window colour), with the text
// colour that reads on it.
void SetWindowColour(QWidget* widget, const QColor& colour);

// The background of an input control (its Base colour), with the text colour
// that reads on it; for an editable list, of its editor too, which paints
// the field.
void SetBoxColour(QWidget* box, const QColor& colour);

// Shows a row's text in an editable list, signals blocked: the entry equal
// to the text is selected (none when no entry is), so that the list opens on
// the row's own choice, and the start of the text is in view.
void ShowInList(QComboBox* list, const QString& text);

// A new entry after the classic ones of a menu of the frame, running `run`
// (for as long as `owner` lives).
QAction* AddMenuEntry(QMenu* menu, const char* name, const QString& caption, QObject* owner,
                      std::function<void()> run);

// The delete button of band line `line`: the picture of an X, its place in
// twips, and no keyboard focus (a key never deletes a row unasked).
QPushButton* MakeDeleteRowButton(Form& form, QWidget* area, int line, const QRect& twips);
