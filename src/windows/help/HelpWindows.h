#pragma once

class Forms;

// Enrols the help windows by name: the summary `sommario`, the pages
// `manuale`, `guidafunzionamento`, `guidaarchivio`, `guidastampa`,
// `guidadati`, `guidadatigas`, `guidafrontespizio` and the later ones
// (`guidaverifica` to `guidaincolla`, FeatureHelpPages.h), the licence
// `licenza` and the product list `prodotti`. The menus and buttons that
// open them are enabled once they are enrolled.
void EnrolHelpWindows(Forms& forms);
