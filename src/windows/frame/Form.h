#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <memory>

class clsResize;
class QRect;

struct ApplicationState;
struct Services;
class Forms;

// Where a window opening with its top-left corner at `proposed` goes among
// windows whose corners are `others`: down and right by `step` while a
// corner stands less than a step away in both directions, which would hide
// that window's title bar under this one; back to the top left of `area`
// when the window (of `size`) would leave it.
QPoint CascadePosition(QPoint proposed, const QList<QPoint>& others, int step, QSize size,
                       const QRect& area);

struct AppContext;

// The program's common procedures that every window's frame offers and that
// bring up the start windows: the calculation chooser and the confirmed exit.
// They are defined with the start windows (windows/start/ModTubarex.h); the
// frame reaches them through the context.
class ProgramProcedures {
public:
    virtual ~ProgramProcedures() = default;
    virtual void showChooser(AppContext& context) = 0;
    virtual void confirmExit(AppContext& context, QWidget* parent) = 0;
};

// Everything a window reaches: the shared state, the window registry, the
// services and the program's common procedures.
struct AppContext {
    ApplicationState& state;
    Forms& forms;
    Services& services;
    ProgramProcedures& procedures;
};

// Base of every window of the program. The registry creates a window on
// first reference, runs Form_Load once, shows it modeless when asked, and on
// unload runs Form_Unload and deletes it. Closing a window with its title-bar
// button only unloads that window, unless it is the last one on the screen:
// that is the confirmed exit, as the program's exit commands run it.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(AppContext& context, QWidget* parent = nullptr);
    ~Form() override;

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    // Twips (1440 per inch) to pixels at the screen's logical resolution.
    int twipsX(double twips) const;
    int twipsY(double twips) const;

    // Gives the window its designed inner size (twips; below the menu bar,
    // where it has one), so that the resizer records the controls' designed
    // geometry at it. A window's constructor calls it once its controls
    // stand at their designed places.
    void setDesignedInnerSize(double widthTwips, double heightTwips);

    // The proportional resizer of a resizable window, as its load starts it:
    // the design is recorded, the window opens at 75 % of the screen,
    // centred, and then takes its own outer size (and, for the help pages,
    // its left edge) in twips. Until the window manager has framed the
    // window, its frame is taken to be the one it was designed in (the
    // designed outer size less the inner), so it opens at its designed inner
    // size with every control at its designed place. From then on every
    // resize rescales the controls. The registry releases it when the window
    // is unloaded.
    // A window opened centred is placed when it is first shown (a window
    // may be loaded long before, hidden, by a routine that reads it).
    void startResizer(double outerWidthTwips, double outerHeightTwips, double leftTwips = -1);
    // The window cannot be made smaller than half its designed inner size
    // (with the menu bar above it).
    void keepHalfDesignedSize();
    // The registry calls it as it shows the window: at the first show of a
    // window opened centred, over another that stands at the same place,
    // the window moves down and right by a title bar's height, as often as
    // needed, so that the title bar of each shows (CascadePosition).
    void placeAtFirstShow();
    void releaseResizer();
    clsResize* resizer() const { return m_resizer.get(); }

    // Whether closing this window from its title bar, when no other window
    // is on the screen, is the program's exit (with its question); the
    // splash, whose key ends the program at once, says no.
    virtual bool closingLastIsExit() const { return true; }

    // The window's own close button (Chiudi, OK): the window is hidden, or
    // unloaded, as the button's window does, unless no other window is on
    // the screen; then, as from its title bar, it is the program's exit with
    // its question, so that the program never runs on with nothing shown.
    enum class Closing { Hides, Unloads };
    void closeFromButton(Closing closing);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    AppContext& m_ctx;

private:
    std::unique_ptr<clsResize> m_resizer;
    bool m_cascades = false;
};
