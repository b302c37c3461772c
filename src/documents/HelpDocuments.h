#pragma once

#include "documents/WordDocument.h"

#include <QString>

#include <vector>

struct ApplicationState;
struct HelpTopic;

// The documents that the help windows hand to the word processor. Each
// begins with the program's header in "Century Gothic": ProgramName at 20
// points and a paragraph end, ProgramSubtitle at 16 points and three
// paragraph ends; each ends with the whole document justified.

// The page print of the help page `title` with its `text`: the header,
// "Guida: " + title and two paragraph ends (still at 16 points), then the
// text at 12 points and a paragraph end. No standard set-up.
WordDocument PrintHelpToWord(const ApplicationState& state, const QString& title,
                             const QString& text);

// The licence print: the standard set-up, the header, then the agreement
// text at 12 points and a paragraph end.
WordDocument LicenceDocument(const ApplicationState& state, const QString& agreement);

// The whole help: the standard set-up, the header once, then for each page
// in the given order "Guida: " + title and two paragraph ends, the text, and
// between one page and the next a paragraph end and a page break. The first
// heading is typed at 16 points; the size drops to 12 right after it, so
// every later heading is at 12 points like the texts.
WordDocument WholeHelpDocument(const ApplicationState& state, const std::vector<HelpTopic>& pages);

// Where the whole help is saved: ProgramName + "-guida.docx" in the user's
// documents folder (the folder is created when missing).
QString WholeHelpPath(const ApplicationState& state);
