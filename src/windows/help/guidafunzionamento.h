#pragma once

#include "windows/help/HelpPage.h"

// Help page "FUNZIONAMENTO DEL PROGRAMMA": how the water calculation works.
class guidafunzionamento : public HelpPage {
    Q_OBJECT
public:
    explicit guidafunzionamento(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Working, design(), parent) {}

private:
    // This page's summary button is spelled with a capital C.
    static HelpPageDesign design() {
        HelpPageDesign design = GuidaPageDesign();
        design.sommarioName = "CmdSommario";
        return design;
    }
};
