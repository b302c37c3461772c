#include "cli/CliCommandLine.h"

#include "core/SafeFile.h"

#include <QCommandLineParser>

#include <vector>

namespace {

struct OptionEntry {
    const char* name;
    const char* valueName; // nullptr for a flag
    const char* help;
    // A flag that may also carry a value, given only as --name=value.
    bool optionalValue = false;
};

// Which options a command needs among its own.
enum class Choice {
    Free,
    OneOutput,    // exactly one of --pdf, --text, --docx
    AtMostOneForm // at most one of --json, --csv
};

struct CommandEntry {
    const char* name;
    const char* synopsis; // after "tubarex-cli "
    const char* summary;  // its lines in the general help
    const char* description;
    std::vector<OptionEntry> options;
    int minArguments;
    int maxArguments; // -1: no limit
    const char* argumentsError;
    Choice choice = Choice::Free;
};

const char* const OutputHelpTail = " (OUT \"-\": lo standard output)";

const std::vector<OptionEntry> OutputOptions = {
    {"pdf", "OUT", "scrive un PDF, come la stampa diretta"},
    {"text", "OUT",
     "scrive un testo UTF-8: una riga per riga stampata, pagine separate da un salto pagina"},
    {"docx", "OUT", "scrive un documento .docx, come la stampa con Word"},
};

const std::vector<CommandEntry>& commands() {
    static const std::vector<CommandEntry> list = {
        {"calc",
         "calc [--json | --csv[=,|.]] FILE...",
         "carica ogni progetto, calcola tutti i tronchi delle reti acqua e gas e stampa "
         "tabelle e totali (con --json in formato JSON, con --csv per i fogli di calcolo)",
         "Carica ogni FILE, calcola tutti i tronchi delle reti acqua e gas e stampa i dati del "
         "frontespizio, le tabelle e i totali; con più file, un blocco per file nell'ordine "
         "dato. Un FILE \"-\" è lo standard input. Esce con 2 se un file non si legge o non è "
         "valido.",
         {{"json", nullptr,
           "il risultato in formato JSON: un oggetto con water, gas (count, total, rows) e "
           "cover; con più file un elenco di oggetti, uno per file, ciascuno con anche file "
           "(per un file che non si legge solo file ed error)"},
          {"csv", nullptr,
           "il risultato per i fogli di calcolo: campi separati da punto e virgola, numeri con "
           "la virgola decimale (--csv=. per il punto), campi tra virgolette dove serve",
           true}},
         1,
         -1,
         "calc vuole almeno un file: calc [--json | --csv[=,|.]] FILE....",
         Choice::AtMostOneForm},
        {"check",
         "check [--json] FILE...",
         "stampa i messaggi dei controlli dei dati immessi (acqua, gas, frontespizio), uno per "
         "riga (con --json in formato JSON)",
         "Stampa i messaggi dei controlli dei dati immessi di ogni FILE, uno per riga: acqua, "
         "gas, frontespizio; con più file ogni blocco comincia con \"Progetto: FILE\". Un FILE "
         "\"-\" è lo standard input. Esce con 1 se una rete che ha tronchi non supera il "
         "controllo, con 2 se un file non si legge o non è valido.",
         {{"json", nullptr,
           "i messaggi in formato JSON: water e gas (count, passed, message, row, column), "
           "cover (passed, message) e status, il codice di uscita del file; con più file un "
           "elenco di oggetti, uno per file, ciascuno con anche file (per un file che non si "
           "legge solo file ed error)"}},
         1,
         -1,
         "check vuole almeno un file: check [--json] FILE...."},
        {"resave",
         "resave IN OUT",
         "legge IN e lo riscrive in OUT senza calcolare nulla",
         "Legge IN e lo riscrive in OUT senza calcolare nulla. IN \"-\" è lo standard input, "
         "OUT \"-\" lo standard output.",
         {},
         2,
         2,
         "resave vuole due file: resave IN OUT."},
        {"print", "print water|gas FILE (--pdf OUT | --text OUT | --docx OUT)",
         "stampa la tabella DATI E RISULTATI di una rete: in PDF (come la stampa diretta), "
         "come testo (una riga per riga stampata, pagine separate da un salto pagina) o come "
         "documento .docx (come la stampa con Word); prima esegue il controllo dei dati",
         "Stampa la tabella DATI E RISULTATI della rete water (acqua) o gas di FILE in una delle "
         "tre forme. Prima esegue il controllo dei dati della rete: se non lo supera, ne scrive "
         "il messaggio sullo standard error, non scrive nulla ed esce con 1. Un FILE \"-\" è lo "
         "standard input.",
         OutputOptions, 2, 2,
         "print vuole la rete, il file e l'uscita: print water|gas FILE (--pdf OUT | --text "
         "OUT | --docx OUT).",
         Choice::OneOutput},
        {"form",
         "form water|gas OUT.docx",
         "scrive il modello di acquisizione dati di una rete",
         "Scrive in OUT.docx il modello di acquisizione dati della rete water (acqua) o gas, da "
         "compilare a mano. OUT.docx \"-\" è lo standard output.",
         {},
         2,
         2,
         "form vuole la rete e il file: form water|gas OUT.docx."},
        {"sheet",
         "sheet FILE OUT.docx",
         "scrive la scheda dei dati del frontespizio",
         "Scrive in OUT.docx la scheda dei dati del frontespizio di FILE, con lo studio tecnico "
         "dell'installazione. FILE \"-\" è lo standard input, OUT.docx \"-\" lo standard "
         "output.",
         {},
         2,
         2,
         "sheet vuole due file: sheet FILE OUT.docx."},
        {"report", "report FILE (--pdf OUT | --text OUT | --docx OUT)",
         "scrive la relazione tecnica (frontespizio, criteri di calcolo, legende e tabelle "
         "delle reti con tronchi) in PDF, come testo o come documento .docx; prima esegue il "
         "controllo dei dati di ogni rete con tronchi",
         "Scrive la relazione tecnica di FILE (frontespizio, criteri di calcolo, legende e "
         "tabelle delle reti con tronchi, chiusura con il numero delle pagine) in una delle tre "
         "forme, firmata dallo studio tecnico dell'installazione. Senza tronchi in alcuna rete, "
         "o se una rete con tronchi non supera il controllo dei dati, ne scrive il messaggio "
         "sullo standard error, non scrive nulla ed esce con 1. Un FILE \"-\" è lo standard "
         "input.",
         OutputOptions, 1, 1,
         "report vuole il file e l'uscita: report FILE (--pdf OUT | --text OUT | --docx OUT).",
         Choice::OneOutput},
        {"verify",
         "verify [--json] FILE...",
         "verifica ogni rete con tronchi rispetto ai suoi limiti (perdita di ogni percorso fino "
         "ai tronchi terminali, velocità dell'acqua) e ne stampa l'esito (con --json in formato "
         "JSON)",
         "Verifica le reti acqua e gas di ogni FILE: calcola tutti i tronchi, segue ogni "
         "percorso dall'origine (contatore, riduttore, allacciamento) lungo i tronchi a monte "
         "fino a ogni tronco terminale e confronta le perdite con i limiti del progetto (gas: "
         "1,0 mbar con metano, 2,0 mbar con solo GPL; acqua: 2,0 m/s in ogni tronco e, se "
         "indicato, il carico disponibile). Stampa l'esito di ogni rete, con il percorso "
         "critico; con più file ogni blocco comincia con \"Progetto: FILE\". Un FILE \"-\" è "
         "lo standard input. Esce con 0 se ogni rete con tronchi rispetta i limiti, con 1 se "
         "un limite è superato, se una rete non supera il controllo dei dati o se non ci sono "
         "tronchi, con 2 se un file non si legge o non è valido.",
         {{"json", nullptr,
           "l'esito in formato JSON: water e gas (limits, rows, paths, critical, passed; null "
           "per una rete senza tronchi), passed e status, il codice di uscita del file; con più "
           "file un elenco di oggetti, uno per file, ciascuno con anche file (per un file che "
           "non si legge solo file ed error)"}},
         1,
         -1,
         "verify vuole almeno un file: verify [--json] FILE...."},
        {"size",
         "size FILE OUT [--series NOME] [--json]",
         "dimensiona le reti con tronchi perché rispettino i limiti con il minimo di tubo e "
         "scrive il progetto in OUT, con la tabella dei cambiamenti (con --json in formato "
         "JSON)",
         "Calcola le reti di FILE e propone per ogni tronco un diametro della serie (gas: la "
         "serie commerciale in pollici; acqua: la serie indicata con --series, altrimenti quella "
         "del progetto, altrimenti \"acciaio zincato (serie media)\") tale che ogni limite della "
         "verifica sia rispettato e nessun tronco possa prendere il diametro più piccolo "
         "successivo senza superarne uno. Scrive il progetto così dimensionato in OUT (la serie "
         "dell'acqua resta nel file) e stampa i tronchi che cambiano diametro; con OUT \"-\" il "
         "progetto va sullo standard output e la tabella sullo standard error. Esce con 0 se il "
         "progetto dimensionato rispetta ogni limite, con 1 se un tronco non può rispettarlo "
         "(OUT non viene scritto; il messaggio nomina il tronco e il limite), con 2 se un file "
         "non si legge o non si scrive o se la serie non esiste.",
         {{"series", "NOME",
           "la serie dei tubi per l'acqua: \"acciaio zincato (serie media)\", \"rame\", "
           "\"multistrato\" o una serie dell'utente"},
          {"json", nullptr,
           "i cambiamenti in formato JSON: water (series, rows con tronco, from, to in mm, "
           "passed) e gas (rows con tronco, from, to come diametri nominali, passed), null per "
           "una rete senza tronchi"}},
         2,
         2,
         "size vuole il file e l'uscita: size FILE OUT [--series NOME] [--json]."},
    };
    return list;
}

const CommandEntry* findCommand(const QString& name) {
    for (const CommandEntry& entry : commands())
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// `words` broken into lines of at most 79 columns, each after `indent`
// blanks; the first line starts at column `first`.
QString wrapped(const QString& words, int indent, int first) {
    QString result;
    int column = first;
    for (const QString& word : words.split(u' ', Qt::SkipEmptyParts)) {
        if (column > indent && column + 1 + word.size() > 79) {
            result += u'\n' + QString(indent, u' ');
            column = indent;
        } else if (column > indent) {
            result += u' ';
            ++column;
        }
        result += word;
        column += static_cast<int>(word.size());
    }
    return result + u'\n';
}

// An entry of a help list: the name, then its text from column 23 (on the
// next line when the name is longer).
QString helpEntry(const QString& name, const QString& help) {
    const QString head = QStringLiteral("  ") + name;
    constexpr int Column = 23;
    if (head.size() + 1 < Column)
        return head.leftJustified(Column, u' ') + wrapped(help, Column, Column);
    return head + u'\n' + QString(Column, u' ') + wrapped(help, Column, Column);
}

QString optionName(const OptionEntry& option) {
    QString name = QStringLiteral("--") + QLatin1String(option.name);
    if (option.valueName)
        name += u' ' + QLatin1String(option.valueName);
    else if (option.optionalValue)
        name += QStringLiteral("[=,|.]");
    return name;
}

// How an option was written, for a message: one letter with one dash.
QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QCommandLineOption helpOption() {
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
}

// The reason of a parse that failed, in Italian (the parser's own is
// English): an unknown option, a value missing after an option that needs
// one, or a value given to a flag.
QString parseError(const QCommandLineParser& parser, const QStringList& arguments,
                   const CommandEntry& entry) {
    const QString command = QLatin1String(entry.name);
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("%1 non conosce l'opzione %2.")
            .arg(command, QuotedExcerpt(dashed(parser.unknownOptionNames().first())));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--")
            break;
        if (!argument.startsWith(u'-') || argument.size() < 2)
            continue;
        const qsizetype equals = argument.indexOf(u'=');
        QString name = argument.left(equals < 0 ? argument.size() : equals);
        while (name.startsWith(u'-'))
            name.remove(0, 1);
        for (const OptionEntry& option : entry.options) {
            if (name != QLatin1String(option.name))
                continue;
            if (option.valueName && equals < 0 && i + 1 == arguments.size())
                return QStringLiteral("l'opzione --%1 vuole un valore: --%1 %2.")
                    .arg(name, QLatin1String(option.valueName));
            if (!option.valueName && equals >= 0)
                return QStringLiteral("l'opzione --%1 non vuole un valore.").arg(name);
        }
    }
    return QStringLiteral("%1: riga di comando non valida.").arg(command);
}

CliCommandLine error(const QString& command, const QString& message) {
    CliCommandLine line;
    line.action = CliCommandLine::Action::Error;
    line.command = command;
    line.error = message;
    return line;
}

CliCommandLine help(const QString& command) {
    CliCommandLine line;
    line.action = CliCommandLine::Action::Help;
    line.command = command;
    return line;
}

CliCommandLine parseCommand(const CommandEntry& entry, QStringList arguments) {
    const QString command = QLatin1String(entry.name);
    // A flag that may carry a value: QCommandLineParser has no such option,
    // so "--csv=." is taken apart before it reads the rest.
    QMap<QString, QString> optionalValues;
    for (QString& argument : arguments) {
        if (argument == u"--")
            break;
        const qsizetype equals = argument.indexOf(u'=');
        if (!argument.startsWith(u'-') || equals < 0)
            continue;
        QString name = argument.left(equals);
        while (name.startsWith(u'-'))
            name.remove(0, 1);
        for (const OptionEntry& option : entry.options) {
            if (option.optionalValue && name == QLatin1String(option.name)) {
                optionalValues.insert(name, argument.mid(equals + 1));
                argument = QStringLiteral("--") + name;
            }
        }
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(helpOption());
    for (const OptionEntry& option : entry.options) {
        QCommandLineOption qtOption(QLatin1String(option.name));
        if (option.valueName)
            qtOption.setValueName(QLatin1String(option.valueName));
        parser.addOption(qtOption);
    }
    arguments.prepend(QStringLiteral("tubarex-cli"));
    if (!parser.parse(arguments))
        return error(command, parseError(parser, arguments, entry));
    if (parser.isSet(QStringLiteral("help")))
        return help(command);

    CliCommandLine line;
    line.action = CliCommandLine::Action::Run;
    line.command = command;
    line.arguments = parser.positionalArguments();
    const auto count = line.arguments.size();
    if (count < entry.minArguments || (entry.maxArguments >= 0 && count > entry.maxArguments))
        return error(command, text(entry.argumentsError));
    for (const OptionEntry& option : entry.options) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        const QStringList values = parser.values(name);
        if (values.size() > 1)
            return error(command, QStringLiteral("l'opzione --%1 è data più volte.").arg(name));
        line.options.insert(name, option.valueName ? values.value(0) : optionalValues.value(name));
    }
    const auto given = [&](std::initializer_list<const char*> names) {
        int n = 0;
        for (const char* name : names)
            n += line.has(name) ? 1 : 0;
        return n;
    };
    if (entry.choice == Choice::OneOutput && given({"pdf", "text", "docx"}) != 1)
        return error(command, text(entry.argumentsError));
    if (entry.choice == Choice::AtMostOneForm && given({"json", "csv"}) > 1)
        return error(
            command,
            QStringLiteral("%1 scrive in una forma sola: --json oppure --csv.").arg(command));
    return line;
}

} // namespace

CliCommandLine ParseCliCommandLine(const QStringList& arguments) {
    // Before the command only the general options; everything after the
    // command word belongs to the command.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption(helpOption());
    parser.addOption(
        QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")}));
    const bool parsed = parser.parse(arguments.isEmpty() ? QStringList{QString()} : arguments);
    if (!parsed && !parser.unknownOptionNames().isEmpty())
        return error(QString(),
                     QStringLiteral("opzione sconosciuta %1.")
                         .arg(QuotedExcerpt(dashed(parser.unknownOptionNames().first()))));
    QStringList words = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("version"))) {
        CliCommandLine line;
        line.action = CliCommandLine::Action::Version;
        return line;
    }
    // "help" as a command, and --help before a command, ask for the help of
    // the command that follows, if any.
    bool wantsHelp = parser.isSet(QStringLiteral("help"));
    if (!words.isEmpty() && words.first() == u"help") {
        wantsHelp = true;
        words.removeFirst();
    }
    if (words.isEmpty())
        return wantsHelp ? help(QString()) : error(QString(), QStringLiteral("manca il comando."));
    const CommandEntry* entry = findCommand(words.first());
    if (!entry)
        return error(QString(),
                     QStringLiteral("comando sconosciuto %1.").arg(QuotedExcerpt(words.first())));
    if (wantsHelp)
        return help(QLatin1String(entry->name));
    return parseCommand(*entry, words.mid(1));
}

QString CliGeneralHelp() {
    QString result = QStringLiteral(
        "Uso: tubarex-cli COMANDO [OPZIONI] ARGOMENTI...\n"
        "     tubarex-cli COMANDO --help\n"
        "     tubarex-cli --help | --version\n"
        "\n"
        "Calcola e controlla i file dati di Tubarex (perdite di carico nelle tubazioni)\n"
        "senza aprire finestre.\n"
        "\n"
        "Comandi:\n");
    for (const CommandEntry& entry : commands())
        result += helpEntry(QLatin1String(entry.synopsis), text(entry.summary));
    result += QStringLiteral("\nOpzioni generali:\n");
    result +=
        helpEntry(QStringLiteral("-h, --help"),
                  QStringLiteral("mostra questo aiuto; dopo un comando, l'aiuto del comando"));
    result += helpEntry(QStringLiteral("-v, --version"), QStringLiteral("mostra la versione"));
    result += u'\n';
    result += wrapped(text("Le opzioni di un comando possono stare in qualunque punto dopo il "
                           "comando, come --opzione VALORE o --opzione=VALORE; \"--\" le chiude. "
                           "Un FILE \"-\" è lo standard input, un OUT \"-\" lo standard output."),
                      0, 0);
    result += u'\n';
    result += wrapped(text("Codici di uscita: 0 eseguito; 1 una rete con tronchi non supera il "
                           "controllo (per report, anche nessun tronco in entrambe le reti; per "
                           "verify, anche un limite superato); 2 file "
                           "illeggibile, non valido o non scrivibile, oppure comando errato. Con "
                           "più file vale il codice più alto."),
                      0, 0);
    return result;
}

QString CliCommandHelp(const QString& command) {
    const CommandEntry* entry = findCommand(command);
    if (!entry)
        return CliGeneralHelp();
    QString result = QStringLiteral("Uso: tubarex-cli %1\n\n").arg(QLatin1String(entry->synopsis));
    result += wrapped(text(entry->description), 0, 0);
    result += QStringLiteral("\nOpzioni:\n");
    for (const OptionEntry& option : entry->options) {
        QString line = text(option.help);
        if (entry->choice == Choice::OneOutput)
            line += text(OutputHelpTail);
        result += helpEntry(optionName(option), line);
    }
    result += helpEntry(QStringLiteral("-h, --help"), QStringLiteral("mostra questo aiuto"));
    return result;
}
