#pragma once

#include <QStringList>

struct AppContext;
class QWidget;

// The common procedures of the program that reach windows. Every window's
// frame offers them; they bring up the start windows (the chooser, the splash
// as closing credit), so they are defined with those, in
// windows/start/ModTubarex.cpp, and the frame never includes a start window.

// Shows the calculation chooser, modeless.
void ShowChooser(AppContext& context);

// The windows that the confirmed exit unloads, in this order (those not
// loaded are left alone).
QStringList ExitUnloadOrder();

// Asks whether to leave the program (No is the default answer), after the
// question about unsaved changes, if any (SaveChangesFirst): Annulla there,
// or a save that did not happen, ends the command. On any
// answer but No every window of ExitUnloadOrder is unloaded, the splash music
// resumes and the splash comes back as a closing credit; a key pressed on it
// then ends the process.
void ConfirmExit(AppContext& context, QWidget* parent = nullptr);
