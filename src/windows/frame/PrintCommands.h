#pragma once

#include "documents/PrinterPage.h"

#include <QString>

#include <functional>

struct AppContext;
class QLabel;
class QWidget;
class WordDocument;

// The "Stampa diretta" route of a window: the printer dialog (which also
// offers a PDF file), then the listing drawn on the chosen printer. A
// cancelled dialog ends it silently; a printer or file that fails is
// reported with a message naming it. True when the listing was sent.
bool PrintOnPrinter(AppContext& context, QWidget* parent,
                    const std::function<void(PrinterPage&)>& listing);

// The "Stampa con Word" route of a window: the hint box says the document is
// being made, `build` fills it, the document is handed to the user (named
// after `baseName`), then the hint box shows `doneText` (left as it is when
// empty).
void ShowWordOutput(AppContext& context, QWidget* parent, QLabel* passo, const QString& baseName,
                    const QString& doneText, const std::function<void(WordDocument&)>& build);
