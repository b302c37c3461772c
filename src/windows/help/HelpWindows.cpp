#include "windows/help/HelpWindows.h"

#include "windows/frame/Forms.h"
#include "windows/help/FeatureHelpPages.h"
#include "windows/help/guidaarchivio.h"
#include "windows/help/guidadati.h"
#include "windows/help/guidadatigas.h"
#include "windows/help/guidafrontespizio.h"
#include "windows/help/guidafunzionamento.h"
#include "windows/help/guidastampa.h"
#include "windows/help/licenza.h"
#include "windows/help/manuale.h"
#include "windows/help/prodotti.h"
#include "windows/help/sommario.h"

void EnrolHelpWindows(Forms& forms) {
    forms.enrol<sommario>();
    forms.enrol<manuale>();
    forms.enrol<guidafunzionamento>();
    forms.enrol<guidaarchivio>();
    forms.enrol<guidastampa>();
    forms.enrol<guidadati>();
    forms.enrol<guidadatigas>();
    forms.enrol<guidafrontespizio>();
    forms.enrol<guidaverifica>();
    forms.enrol<guidadimensiona>();
    forms.enrol<guidaserie>();
    forms.enrol<guidaportate>();
    forms.enrol<guidarecenti>();
    forms.enrol<guidaanteprima>();
    forms.enrol<guidastudio>();
    forms.enrol<guidaannulla>();
    forms.enrol<guidaincolla>();
    forms.enrol<licenza>();
    forms.enrol<prodotti>();
}
