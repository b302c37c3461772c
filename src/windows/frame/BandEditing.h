#pragma once

#include "core/editing/TableEditing.h"

#include <QKeySequence>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

struct AppContext;
class Form;
class QAction;
class QMenu;
class QScrollBar;
class QWidget;

// The table commands of a data window's band, beyond typing: undo and redo
// of every change to the table (Ctrl+Z; Ctrl+Y or Ctrl+Maiusc+Z), a block of
// cells pasted from a spreadsheet (Ctrl+V or Maiusc+Ins in a box of the
// band, when the clipboard holds tabs or line breaks; a single value is the
// box's own paste), and the band's context menu: "Annulla", "Ripeti",
// "Incolla righe", "Copia righe", "Inserisci riga", followed in a text box
// by the box's own editing entries. The same commands follow the classic
// entries of the window's "&Modifica" menu; the menus and keys of the window
// stay as they are. The mouse wheel over the band moves it as it moves the
// scroll bar.
class BandEditing : public QObject {
public:
    // What the window tells about its band.
    struct Band {
        // The band line (1..10) a control stands on; 0 for a control that
        // is not on a line of the band.
        std::function<int(const QWidget*)> lineOf;
        // The table column an input control of the band edits; 0 for the
        // other controls of a line (number, loss, delete button, results).
        std::function<int(const QWidget*)> columnOf;
        // Shows the table as it stands after a command: the band at its
        // position, the results, the count, the total and the hint.
        std::function<void()> showTable;
        // The band's scroll bar, which the wheel over the band turns.
        QScrollBar* scrollBar = nullptr;
    };

    BandEditing(Form& window, AppContext& context, std::unique_ptr<TableEditing> editing,
                Band band);

    TableEditing& table() const { return *m_editing; }

    // Runs a change handler of the band, recording what it changes in the
    // table row as one step: the keystrokes in one cell and a pick from its
    // list make one step, until the focus leaves the cell.
    void typed(int row, int column, const std::function<void()>& handler);
    // Runs a command that may change rows first..last, as one step.
    void command(int first, int last, const std::function<void()>& run);

    void undo();
    void redo();
    // Pastes the clipboard's cells with the first one at the table row and
    // column; a refusal is shown and changes nothing.
    void pasteAt(int row, int column);
    // Puts rows 1..count on the clipboard, with the window's heads.
    void copyRows();
    void insertRowAt(int row);

    // The context menu of a control of the band (nullptr for any other
    // control), not shown; its commands act on the row of the control's
    // line. The caller owns it.
    QMenu* contextMenu(QWidget* control);

    // Puts the commands after the entries of the window's edit menu, for
    // the band control that has the focus each time the menu opens: those
    // that need a row are disabled when the focus is elsewhere, and each is
    // enabled only when it can act.
    void extendMenu(QMenu* menu);

    // The keys of the commands, by the name of their entry ("annulla",
    // "ripeti", "incollarighe"): the first of each is the one the menus show.
    struct CommandKeys {
        const char* entry;
        std::vector<QKeySequence> keys;
    };
    static const std::vector<CommandKeys>& keys();

private:
    // The band control an event reaches: a list's editor stands for its list.
    QWidget* bandControl(QObject* watched) const;
    // The commands inserted into `menu` before `before` (at its end when
    // null), acting on the row and column of `control` (none: no row);
    // "Incolla righe" shows Ctrl+V only where the key runs it.
    void addCommands(QMenu* menu, QAction* before, QWidget* control, bool showsPasteKey = true);
    int rowOfLine(int line) const;
    QString head(int column) const;
    void showRefusal(const Notice& notice);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Form& m_window;
    AppContext& m_ctx;
    std::unique_ptr<TableEditing> m_editing;
    Band m_band;
    QPointer<QWidget> m_focused; // the band control with the focus
};
