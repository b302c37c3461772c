#pragma once

#include "windows/help/HelpPage.h"

// The help pages of the windows and commands beyond the classic ones, each
// a small guida page. F1 opens the first three from the verification window
// and the series editor, the print preview's and the studio's from their
// windows; the summary lists them all.

// "VERIFICA DELLA RETE": the verification window.
class guidaverifica : public HelpPage {
    Q_OBJECT
public:
    explicit guidaverifica(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Verification, GuidaPageDesign(), parent) {}
};

// "DIMENSIONAMENTO DELLA RETE": Dimensiona, its proposal and Applica.
class guidadimensiona : public HelpPage {
    Q_OBJECT
public:
    explicit guidadimensiona(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Sizing, GuidaPageDesign(), parent) {}
};

// "SERIE DI TUBI PER L'ACQUA": the pipe series and their editor.
class guidaserie : public HelpPage {
    Q_OBJECT
public:
    explicit guidaserie(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Series, GuidaPageDesign(), parent) {}
};

// "UTENZE E PORTATE": the design flows from the utenze, their window.
class guidaportate : public HelpPage {
    Q_OBJECT
public:
    explicit guidaportate(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Flows, GuidaPageDesign(), parent) {}
};

// "PROGETTI RECENTI": the recent projects of the File menus.
class guidarecenti : public HelpPage {
    Q_OBJECT
public:
    explicit guidarecenti(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::RecentProjects, GuidaPageDesign(), parent) {}
};

// "ANTEPRIMA DI STAMPA": the print preview.
class guidaanteprima : public HelpPage {
    Q_OBJECT
public:
    explicit guidaanteprima(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Preview, GuidaPageDesign(), parent) {}
};

// "DATI DELLO STUDIO": the technical office's name and address.
class guidastudio : public HelpPage {
    Q_OBJECT
public:
    explicit guidastudio(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::Studio, GuidaPageDesign(), parent) {}
};

// "ANNULLA E RIPETI": undo and redo of the segment tables.
class guidaannulla : public HelpPage {
    Q_OBJECT
public:
    explicit guidaannulla(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::UndoRedo, GuidaPageDesign(), parent) {}
};

// "INCOLLARE UN BLOCCO DI CELLE": a spreadsheet's cells pasted into the band.
class guidaincolla : public HelpPage {
    Q_OBJECT
public:
    explicit guidaincolla(AppContext& context, QWidget* parent = nullptr)
        : HelpPage(context, HelpSubject::BlockPaste, GuidaPageDesign(), parent) {}
};
