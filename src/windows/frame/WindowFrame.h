#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <array>
#include <functional>

struct AppContext;
class Form;
class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class QWidget;

// The three main windows: water data, gas data, cover page.
enum class FrameKind { Water, Gas, Cover };

// What a main window does for the commands of its menus and toolbar. A menu
// item and its toolbar button run the same handler; a command without one is
// shown disabled. The exit runs the confirmed exit unless the window gives
// its own.
struct FrameHandlers {
    std::function<void()> open;       // apri, button 1
    std::function<void()> save;       // salva, button 2
    std::function<void()> saveAs;     // salvanome, button 3
    std::function<void()> deleteFile; // eliminare, button 4
    // Water and gas: "&modello acquisizione dati"; cover: "&solo dati finestra".
    std::function<void()> printInputForm;
    // Water and gas: "&dati finestra"; cover: "&intera elaborazione"; button 6.
    std::function<void()> printWindow;
    std::function<void()> colour; // button 13
    std::function<void()> check;  // button 20
    std::function<void()> clear;  // cancella, button 21
    std::function<void()> exit;   // button 22
    // Opens a project of the recent list, listed at the foot of the File
    // menu when given.
    std::function<void(const QString&)> openRecent;
};

// The menu bar and the toolbar shared by the main windows. The frame lays
// out the window as the menu bar over a client area; the toolbar `Toolbar1`
// spans the top of the client area at its own height, where the window's
// designed coordinates start, and the window places its own controls in the
// client area. Menu bar, `finestra` and toolbar follow the window's width
// as Qt lays them out; the resizer scales only the window's own controls. The
// navigation entries (the "&Visualizza" menu and buttons 8 to 11), the
// help entries and the window's own help page are the frame's: they show
// the windows by name through the registry, and an entry whose window is
// not enrolled is disabled. The entry of the window the user is in asks
// whether he wants that window's help page instead.
//
// The right-hand menu `finestra` sits in the menu bar's right corner: its
// caption keeps the 126 leading blanks that once pushed it there, and the
// corner button shows it without them.
class WindowFrame : public QObject {
    Q_OBJECT
public:
    WindowFrame(Form& window, AppContext& context, FrameKind kind, FrameHandlers handlers);

    QMenuBar* menuBar() const { return m_menuBar; }
    QToolBar* toolBar() const { return m_toolBar; }
    QWidget* clientArea() const { return m_client; }

    // A menu item by name (apri, fin1, finestra, ...); nullptr when none.
    QAction* item(const QString& name) const { return m_items.value(name); }
    // A menu or submenu by name (file, stam, visu, ...); nullptr when none.
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    // Toolbar position 1..22 (separators included).
    QAction* Toolbar1(int index) const { return m_buttons.at(static_cast<size_t>(index - 1)); }
    QToolButton* finestraButton() const { return m_finestraButton; }

    // Caption of the `finestra` menu for a window kind, leading blanks included.
    static QString finestraCaption(FrameKind kind);

    // The question asked when the user picks the entry of this very window;
    // any answer but No shows the window's help page.
    void ownWindowQuestion();

    static constexpr int ToolbarPositions = 22;

    // The designed size of the main windows (twips): outer, frame included,
    // and inner, below the menu bar. The frame gives the window its inner
    // size, so that its controls are recorded at their designed places.
    static constexpr int OuterWidth = 9600;
    static constexpr int OuterHeight = 6825;
    static constexpr int InnerWidth = 9480;
    static constexpr int InnerHeight = 6135;

private:
    enum Command {
        Open,
        Save,
        SaveAs,
        DeleteFile,
        PrintInputForm,
        PrintWindow,
        Exit,
        Colour,
        Check,
        Clear,
        ShowChooser,
        ShowWater,
        ShowGas,
        ShowCover,
        ShowVerification,
        ShowFlows,
        HelpSummary,
        Tips,
        Support,
        About,
        WindowHelp,
        CommandCount
    };

    void resolveHandlers(FrameHandlers& handlers);
    std::function<void()> showWindow(const QString& name);
    void buildMenus();
    void buildToolbar();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, Command command);
    QMenu* addMenu(QMenu* parent, const char* name, const QString& caption);
    void run(Command command);
    // Whether the key is the shortcut of one of the menu's enabled items.
    bool isMenuShortcut(const QKeyEvent* key) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Form& m_window;
    AppContext& m_ctx;
    FrameKind m_kind;
    std::function<void(const QString&)> m_openRecent;
    std::array<std::function<void()>, CommandCount> m_handlers;

    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QWidget* m_client = nullptr;
    QToolButton* m_finestraButton = nullptr;
    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_menus;
    std::array<QAction*, ToolbarPositions> m_buttons{};
};
