#include "ui/HelpWindows.h"

#include "shell/Forms.h"
#include "ui/guidaarchivio.h"
#include "ui/guidadati.h"
#include "ui/guidadatigas.h"
#include "ui/guidafrontespizio.h"
#include "ui/guidafunzionamento.h"
#include "ui/guidastampa.h"
#include "ui/licenza.h"
#include "ui/manuale.h"
#include "ui/prodotti.h"
#include "ui/sommario.h"

void EnrolHelpWindows(Forms& forms) {
    forms.enrol<sommario>();
    forms.enrol<manuale>();
    forms.enrol<guidafunzionamento>();
    forms.enrol<guidaarchivio>();
    forms.enrol<guidastampa>();
    forms.enrol<guidadati>();
    forms.enrol<guidadatigas>();
    forms.enrol<guidafrontespizio>();
    forms.enrol<licenza>();
    forms.enrol<prodotti>();
}
