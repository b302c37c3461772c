#pragma once

#include <QString>

#include <vector>

// The fixed texts of the on-line help. Paragraphs are separated by an empty
// line ("\n\n"); a label shows them as they are and a document turns every
// line end into a paragraph end.

// One help page: the window that shows it, its title and its text.
struct HelpTopic {
    QString window; // registry name of the page window
    QString title;
    QString text;
};

// The seven topics in the order of the summary and of the whole-help
// document: manuale, guidafunzionamento, guidaarchivio, guidastampa,
// guidadati, guidadatigas, guidafrontespizio.
const std::vector<HelpTopic>& HelpTopics();

// The topic shown by the named window; nullptr for a window without one.
const HelpTopic* FindHelpTopic(const QString& window);

// The licence agreement shown by the window `licenza`: the program's MIT
// licence told in Italian, with the original English text named as binding.
QString LicenceText();
