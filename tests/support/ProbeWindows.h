#pragma once

#include "ShellFixture.h"

// Stand-ins for windows the shell reaches by name.
namespace probe {

#define TUBAREX_PROBE(name)                                                                        \
    class name : public ProbeForm {                                                                \
        Q_OBJECT                                                                                   \
    public:                                                                                        \
        using ProbeForm::ProbeForm;                                                                \
    };

TUBAREX_PROBE(dati)
TUBAREX_PROBE(datigas)
TUBAREX_PROBE(frontespizio)
TUBAREX_PROBE(sommario)
TUBAREX_PROBE(guidadati)
TUBAREX_PROBE(guidadatigas)
TUBAREX_PROBE(guidafrontespizio)
TUBAREX_PROBE(guidastampa)
TUBAREX_PROBE(frmTip)
TUBAREX_PROBE(informa)
TUBAREX_PROBE(supportoclienti)
TUBAREX_PROBE(prodotti)

#undef TUBAREX_PROBE

} // namespace probe
