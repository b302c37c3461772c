#pragma once

#include "windows/frame/Form.h"

#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;

// The lines of a tips file: one tip per line, blank lines included. A line
// ends with CR LF, LF or CR; a line end before the end of the file does not
// start a further, empty tip.
QStringList SplitTipLines(const QString& text);

// "Suggerimento del giorno": shows the tips of the tips file beside the
// program, one at a time. Loaded once per instance; "&Chiudi" only hides
// it, so reopening shows the same tip again without reading the file.
class frmTip : public Form {
    Q_OBJECT
public:
    explicit frmTip(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    // Appends the lines of the file to TipList and shows the next tip (the
    // first one after a first load). False, reading nothing, for an empty
    // name or a file that does not exist or cannot be opened.
    bool LoadTips(const QString& fileName);
    // Shows tip number TipIndex when there is at least one tip.
    void DisplayCurrentTip();
    // Advances TipIndex, after the last tip back to the first, and shows it.
    void ShowNextTip();

    // The load step for a given file: the tips, or the explanation of how to
    // make the file when it cannot be read.
    void LoadTipsOrExplain(const QString& fileName);

    // "SuggerimentiTubarex.TXT" beside the executable, or else in the
    // installation's data folder.
    static QString TipsFilePath();
    // The text shown in place of a tip when the file is missing.
    static QString MissingFileText();

    const QStringList& TipList() const { return m_tipList; }
    int TipIndex() const { return m_tipIndex; }

    void cmdOK_Click();
    void cmdNextTip_Click();
    void cmdprecedente_Click();

    QFrame* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblTipText = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdprecedente = nullptr;

private:
    QStringList m_tipList; // tip number n is m_tipList[n - 1]
    int m_tipIndex = 0;    // tip shown, 0 before the first
};
