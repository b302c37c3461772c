#pragma once

#include "windows/help/HelpPage.h"

// Help page "FINESTRA DATI ACQUA": the water data window.
class guidadati : public HelpPage {
    Q_OBJECT
public:
    explicit guidadati(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::WaterData, GuidaPageDesign(), parent) {}
};
