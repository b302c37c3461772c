#pragma once

#include "windows/help/HelpPage.h"

// Help page "COME STAMPARE": what can be printed, from where and how.
class guidastampa : public HelpPage {
    Q_OBJECT
public:
    explicit guidastampa(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Printing, GuidaPageDesign(), parent) {}
};
