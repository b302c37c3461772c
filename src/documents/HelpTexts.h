#pragma once

#include <QString>

#include <vector>

// The fixed texts of the on-line help. Paragraphs are separated by an empty
// line ("\n\n"); a label shows them as they are and a document turns every
// line end into a paragraph end.

// What a help page is about; the help windows say which page shows which.
// The classic pages first, then those of the windows and commands that came
// after them: the network verification, its sizing and the pipe series, the
// recent projects, the print preview, the studio's data, undo and redo, the
// block paste.
enum class HelpSubject {
    Manual,
    Working,
    Archive,
    Printing,
    WaterData,
    GasData,
    Cover,
    Verification,
    Sizing,
    Series,
    Flows,
    RecentProjects,
    Preview,
    Studio,
    UndoRedo,
    BlockPaste,
};

// One help page: its subject, its title and its text.
struct HelpTopic {
    HelpSubject subject;
    QString title;
    QString text;
};

// The topics in the order of the summary and of the whole-help document,
// which is the order of HelpSubject.
const std::vector<HelpTopic>& HelpTopics();

// The topic of a subject.
const HelpTopic& FindHelpTopic(HelpSubject subject);

// The licence agreement shown by the window `licenza`: the program's MIT
// licence told in Italian, with the original English text named as binding.
QString LicenceText();
