#include "cli/CliCommands.h"

namespace {

const std::vector<CliOption> OutputOptions = {
    {"pdf", "OUT", "scrive un PDF, come la stampa diretta"},
    {"text", "OUT",
     "scrive un testo UTF-8: una riga per riga stampata, pagine separate da un salto pagina"},
    {"docx", "OUT", "scrive un documento .docx, come la stampa con Word"},
};

} // namespace

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> list = {
        {
            .name = "calc",
            .synopsis = "calc [--json | --csv[=,|.]] FILE...",
            .summary = "carica ogni progetto, calcola tutti i tronchi delle reti acqua e gas e "
                       "stampa tabelle e totali (con --json in formato JSON, con --csv per i "
                       "fogli di calcolo)",
            .description =
                "Carica ogni FILE, calcola tutti i tronchi delle reti acqua e gas e stampa i dati "
                "del frontespizio, le tabelle e i totali; con più file, un blocco per file "
                "nell'ordine dato. Un FILE \"-\" è lo standard input. Esce con 2 se un file non "
                "si legge o non è valido.",
            .options = {{"json", nullptr,
                         "il risultato in formato JSON: un oggetto con water, gas (count, total, "
                         "rows) e cover; con più file un elenco di oggetti, uno per file, "
                         "ciascuno con anche file (per un file che non si legge solo file ed "
                         "error)"},
                        {"csv", nullptr,
                         "il risultato per i fogli di calcolo: campi separati da punto e virgola, "
                         "numeri con la virgola decimale (--csv=. per il punto), campi tra "
                         "virgolette dove serve",
                         true}},
            .minArguments = 1,
            .maxArguments = -1,
            .wants = "almeno un file",
            .choice = CliChoice::AtMostOneForm,
            .run = CalcCommand,
        },
        {
            .name = "check",
            .synopsis = "check [--json] FILE...",
            .summary = "stampa i messaggi dei controlli dei dati immessi (acqua, gas, "
                       "frontespizio), uno per riga (con --json in formato JSON)",
            .description =
                "Stampa i messaggi dei controlli dei dati immessi di ogni FILE, uno per riga: "
                "acqua, gas, frontespizio; con più file ogni blocco comincia con \"Progetto: "
                "FILE\". Un FILE \"-\" è lo standard input. Esce con 1 se una rete che ha tronchi "
                "non supera il controllo, con 2 se un file non si legge o non è valido.",
            .options = {{"json", nullptr,
                         "i messaggi in formato JSON: water e gas (count, passed, message, row, "
                         "column), cover (passed, message) e status, il codice di uscita del "
                         "file; con più file un elenco di oggetti, uno per file, ciascuno con "
                         "anche file (per un file che non si legge solo file ed error)"}},
            .minArguments = 1,
            .maxArguments = -1,
            .wants = "almeno un file",
            .run = CheckCommand,
        },
        {
            .name = "resave",
            .synopsis = "resave IN OUT",
            .summary = "legge IN e lo riscrive in OUT senza calcolare nulla",
            .description = "Legge IN e lo riscrive in OUT senza calcolare nulla. IN \"-\" è lo "
                           "standard input, OUT \"-\" lo standard output.",
            .options = {},
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "due file",
            .run = ResaveCommand,
        },
        {
            .name = "print",
            .synopsis = "print water|gas FILE (--pdf OUT | --text OUT | --docx OUT)",
            .summary = "stampa la tabella DATI E RISULTATI di una rete: in PDF (come la stampa "
                       "diretta), come testo (una riga per riga stampata, pagine separate da un "
                       "salto pagina) o come documento .docx (come la stampa con Word); prima "
                       "esegue il controllo dei dati",
            .description =
                "Stampa la tabella DATI E RISULTATI della rete water (acqua) o gas di FILE in una "
                "delle tre forme. Prima esegue il controllo dei dati della rete: se non lo "
                "supera, ne scrive il messaggio sullo standard error, non scrive nulla ed esce "
                "con 1. Un FILE \"-\" è lo standard input.",
            .options = OutputOptions,
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "la rete, il file e l'uscita",
            .choice = CliChoice::OneOutput,
            .run = PrintCommand,
        },
        {
            .name = "form",
            .synopsis = "form water|gas OUT.docx",
            .summary = "scrive il modello di acquisizione dati di una rete",
            .description = "Scrive in OUT.docx il modello di acquisizione dati della rete water "
                           "(acqua) o gas, da compilare a mano. OUT.docx \"-\" è lo standard "
                           "output.",
            .options = {},
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "la rete e il file",
            .run = FormCommand,
        },
        {
            .name = "sheet",
            .synopsis = "sheet FILE OUT.docx",
            .summary = "scrive la scheda dei dati del frontespizio",
            .description = "Scrive in OUT.docx la scheda dei dati del frontespizio di FILE, con "
                           "lo studio tecnico dell'installazione. FILE \"-\" è lo standard input, "
                           "OUT.docx \"-\" lo standard output.",
            .options = {},
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "due file",
            .run = SheetCommand,
        },
        {
            .name = "report",
            .synopsis = "report FILE (--pdf OUT | --text OUT | --docx OUT)",
            .summary = "scrive la relazione tecnica (frontespizio, criteri di calcolo, legende "
                       "e tabelle delle reti con tronchi) in PDF, come testo o come documento "
                       ".docx; prima esegue il controllo dei dati di ogni rete con tronchi",
            .description =
                "Scrive la relazione tecnica di FILE (frontespizio, criteri di calcolo, legende "
                "e tabelle delle reti con tronchi, chiusura con il numero delle pagine) in una "
                "delle tre forme, firmata dallo studio tecnico dell'installazione. Senza tronchi "
                "in alcuna rete, o se una rete con tronchi non supera il controllo dei dati, ne "
                "scrive il messaggio sullo standard error, non scrive nulla ed esce con 1. Un "
                "FILE \"-\" è lo standard input.",
            .options = OutputOptions,
            .minArguments = 1,
            .maxArguments = 1,
            .wants = "il file e l'uscita",
            .choice = CliChoice::OneOutput,
            .run = ReportCommand,
        },
        {
            .name = "verify",
            .synopsis = "verify [--json] FILE...",
            .summary = "verifica ogni rete con tronchi rispetto ai suoi limiti (perdita di ogni "
                       "percorso fino ai tronchi terminali, velocità dell'acqua) e ne stampa "
                       "l'esito (con --json in formato JSON)",
            .description =
                "Verifica le reti acqua e gas di ogni FILE: calcola tutti i tronchi, segue ogni "
                "percorso dall'origine (contatore, riduttore, allacciamento) lungo i tronchi a "
                "monte fino a ogni tronco terminale e confronta le perdite con i limiti del "
                "progetto (gas: 1,0 mbar con metano, 2,0 mbar con solo GPL; acqua: 2,0 m/s in "
                "ogni tronco e, se indicato, il carico disponibile). Stampa l'esito di ogni "
                "rete, con il percorso critico; con più file ogni blocco comincia con "
                "\"Progetto: FILE\". Un FILE \"-\" è lo standard input. Esce con 0 se ogni rete "
                "con tronchi rispetta i limiti, con 1 se un limite è superato, se una rete non "
                "supera il controllo dei dati o se non ci sono tronchi, con 2 se un file non si "
                "legge o non è valido.",
            .options = {{"json", nullptr,
                         "l'esito in formato JSON: water e gas (limits, rows, paths, critical, "
                         "passed; null per una rete senza tronchi), passed e status, il codice di "
                         "uscita del file; con più file un elenco di oggetti, uno per file, "
                         "ciascuno con anche file (per un file che non si legge solo file ed "
                         "error)"}},
            .minArguments = 1,
            .maxArguments = -1,
            .wants = "almeno un file",
            .run = VerifyCommand,
        },
        {
            .name = "size",
            .synopsis = "size FILE OUT [--series NOME] [--json]",
            .summary = "dimensiona le reti con tronchi perché rispettino i limiti con il minimo "
                       "di tubo e scrive il progetto in OUT, con la tabella dei cambiamenti (con "
                       "--json in formato JSON)",
            .description =
                "Calcola le reti di FILE e propone per ogni tronco un diametro della serie (gas: "
                "la serie commerciale in pollici; acqua: la serie indicata con --series, "
                "altrimenti quella del progetto, altrimenti \"acciaio zincato (serie media)\") "
                "tale che ogni limite della verifica sia rispettato e nessun tronco possa "
                "prendere il diametro più piccolo successivo senza superarne uno. Scrive il "
                "progetto così dimensionato in OUT (la serie dell'acqua resta nel file) e stampa "
                "i tronchi che cambiano diametro; con OUT \"-\" il progetto va sullo standard "
                "output e la tabella sullo standard error. Esce con 0 se il progetto "
                "dimensionato rispetta ogni limite, con 1 se un tronco non può rispettarlo (OUT "
                "non viene scritto; il messaggio nomina il tronco e il limite), con 2 se un file "
                "non si legge o non si scrive o se la serie non esiste.",
            .options = {{"series", "NOME",
                         "la serie dei tubi per l'acqua: \"acciaio zincato (serie media)\", "
                         "\"rame\", \"multistrato\" o una serie dell'utente"},
                        {"json", nullptr,
                         "i cambiamenti in formato JSON: water (series, rows con tronco, from, to "
                         "in mm, passed) e gas (rows con tronco, from, to come diametri nominali, "
                         "passed), null per una rete senza tronchi"}},
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "il file e l'uscita",
            .run = SizeCommand,
        },
        {
            .name = "flows",
            .synopsis = "flows FILE OUT [--json]",
            .summary = "calcola le portate di progetto dalle utenze dei tronchi, le scrive "
                       "nella colonna delle portate e scrive il progetto in OUT, con la tabella "
                       "delle portate (con --json in formato JSON)",
            .description =
                "Somma per ogni tronco le utenze che serve (le sue e quelle dei tronchi che "
                "alimenta) e ne ricava la portata di progetto con il metodo del progetto "
                "(acqua: somma delle portate, DIN 1988-300 o curva di contemporaneità; gas: "
                "potenza per 3600 diviso il potere calorifico inferiore del gas del tronco, "
                "con la contemporaneità del progetto se indicata). Scrive le portate nella "
                "colonna delle portate, il progetto in OUT e poi la tabella; con OUT \"-\" il "
                "progetto va sullo standard output e la tabella sullo standard error. Esce "
                "con 0 se le portate sono scritte, con 1 se nessuna rete ha utenze, se una "
                "rete con utenze non supera il controllo dei dati o se la portata di un "
                "tronco non si calcola (OUT non viene scritto; il messaggio dice perché), con "
                "2 se un file non si legge o non si scrive.",
            .options = {{"json", nullptr,
                         "le portate in formato JSON: water e gas (method, rows con tronco, "
                         "served, design_flow e flow_before in l/s per l'acqua e m³/h per il "
                         "gas), null per una rete senza utenze"}},
            .minArguments = 2,
            .maxArguments = 2,
            .wants = "il file e l'uscita",
            .run = FlowsCommand,
        },
    };
    return list;
}

const CliCommand* FindCliCommand(const QString& name) {
    for (const CliCommand& command : CliCommands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QString CliCommand::usage(const QString& what) const {
    // A synopsis that ends with "..." ends the sentence too.
    const QString call = QString::fromUtf8(synopsis);
    return QStringLiteral("%1 vuole %2: %3%4")
        .arg(QLatin1String(name), what, call,
             call.endsWith(QLatin1String("...")) ? QString() : QStringLiteral("."));
}

QString CliCommand::argumentsError() const {
    return usage(QString::fromUtf8(wants));
}
