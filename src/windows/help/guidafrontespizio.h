#pragma once

#include "windows/help/HelpPage.h"

// Help page "FINESTRA FRONTESPIZIO": the cover page window.
class guidafrontespizio : public HelpPage {
    Q_OBJECT
public:
    explicit guidafrontespizio(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Cover, GuidaPageDesign(), parent) {}
};
