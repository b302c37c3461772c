#pragma once

#include "windows/help/HelpPage.h"

// Help page "ARCHIVIO DATI": saving, opening and deleting data files.
class guidaarchivio : public HelpPage {
    Q_OBJECT
public:
    explicit guidaarchivio(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Archive, GuidaPageDesign(), parent) {}
};
