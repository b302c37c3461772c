#pragma once

#include "windows/help/HelpPage.h"

// The quick manual of the whole program: the help page on a wide window
// (9480 x 6420 inside, opened 9600 x 6825 where the 75 % sizing centred
// it), with hints on its buttons.
class manuale : public HelpPage {
    Q_OBJECT
public:
    explicit manuale(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Manual, design(), parent) {}

private:
    static HelpPageDesign design() {
        HelpPageDesign design;
        design.sommarioName = "cmdsommario";
        design.stampaName = "cmdstampa";
        design.chiudiName = "cmdchiudi";
        design.innerWidth = 9480;
        design.textTop = 840;
        design.textWidth = 9135;
        design.textHeight = 5520;
        design.outerWidth = 9600;
        design.left = -1;
        design.hints = true;
        return design;
    }
};
