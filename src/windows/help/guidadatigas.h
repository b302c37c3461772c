#pragma once

#include "windows/help/HelpPage.h"

// Help page "FINESTRA DATI GAS": the gas data window.
class guidadatigas : public HelpPage {
    Q_OBJECT
public:
    explicit guidadatigas(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::GasData, GuidaPageDesign(), parent) {}
};
