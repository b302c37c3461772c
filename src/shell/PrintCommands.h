#pragma once

#include "shell/PrinterPage.h"

#include <functional>

struct AppContext;
class QWidget;

// The "Stampa diretta" route of a window: the printer dialog (which also
// offers a PDF file), then the listing drawn on the chosen printer. A
// cancelled dialog ends it silently; a printer or file that fails is
// reported with a message naming it. True when the listing was sent.
bool PrintOnPrinter(AppContext& context, QWidget* parent,
                    const std::function<void(PrinterPage&)>& listing);
