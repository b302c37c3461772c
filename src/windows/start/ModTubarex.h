#pragma once

#include "windows/frame/Form.h"

#include <QStringList>

class QWidget;

// The common procedures of the program that reach windows. Every window's
// frame offers them; they bring up the start windows (the chooser, the splash
// as closing credit), so they are defined here, with those, and the frame
// reaches them through the context's ProgramProcedures.

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

// The procedures above as the program hands them to the frame.
class ModTubarex final : public ProgramProcedures {
public:
    void showChooser(AppContext& context) override { ShowChooser(context); }
    void confirmExit(AppContext& context, QWidget* parent) override {
        ConfirmExit(context, parent);
    }
};
