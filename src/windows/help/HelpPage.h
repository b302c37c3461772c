#pragma once

#include "documents/HelpTexts.h"

#include "windows/frame/Form.h"

class QLabel;
class QPushButton;
class QScrollArea;

// How one help page is laid out: the names its buttons carry, its designed
// inner size and the place of its text, and the outer size (and left edge)
// it takes when it opens. Twips.
struct HelpPageDesign {
    const char* sommarioName = "cmdSommario";
    const char* stampaName = "cmdStampa";
    const char* chiudiName = "cmdChiudi";
    int innerWidth = 5520;
    int innerHeight = 6420;
    int textLeft = 120;
    int textTop = 960;
    int textWidth = 5175;
    int textHeight = 5295;
    double outerWidth = 5640;
    double outerHeight = 6825;
    double left = 5467; // negative: stays where the 75 % sizing centred it
    bool hints = false; // the wide manual carries hints on its buttons
};

// The small guida pages, the six classic ones and the later ones: 5520 x
// 6420 inside, opened 5640 x 6825 at left 5467.
HelpPageDesign GuidaPageDesign();

// The registry name of the window that shows a subject's page.
QLatin1String HelpPageWindow(HelpSubject subject);

// A help page: a title and a text of the on-line help on pale yellow, with
// the buttons Sommario (shows the summary), Stampa (puts the page into a
// document for the word processor) and Chiudi (unloads the page, so that
// the next opening starts again at the page's own size and place). The text
// label scrolls when the window is made too small for it.
class HelpPage : public Form {
    Q_OBJECT
public:
    HelpPage(AppContext& context, HelpSubject subject, const HelpPageDesign& design,
             QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdSommario_Click();
    void cmdStampa_Click();
    void cmdChiudi_Click();

    QPushButton* cmdSommario = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdChiudi = nullptr;
    QLabel* Label1 = nullptr; // title
    QLabel* Label2 = nullptr; // text
    QScrollArea* Label2Area = nullptr;

private:
    HelpPageDesign m_design;
};
