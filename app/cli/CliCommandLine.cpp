#include "cli/CliCommandLine.h"
#include "cli/CliCommands.h"

#include "core/file/SafeFile.h"

#include <QCommandLineParser>

namespace {

const char* const OutputHelpTail = " (OUT \"-\": lo standard output)";

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

QString optionName(const CliOption& option) {
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
                   const CliCommand& entry) {
    const QLatin1String command(entry.name);
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
        for (const CliOption& option : entry.options) {
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

CliCommandLine error(const CliCommand* command, const QString& message) {
    CliCommandLine line;
    line.action = CliCommandLine::Action::Error;
    line.command = command;
    line.error = message;
    return line;
}

CliCommandLine help(const CliCommand* command) {
    CliCommandLine line;
    line.action = CliCommandLine::Action::Help;
    line.command = command;
    return line;
}

CliCommandLine parseCommand(const CliCommand& entry, QStringList arguments) {
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
        for (const CliOption& option : entry.options) {
            if (option.optionalValue && name == QLatin1String(option.name)) {
                optionalValues.insert(name, argument.mid(equals + 1));
                argument = QStringLiteral("--") + name;
            }
        }
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(helpOption());
    for (const CliOption& option : entry.options) {
        QCommandLineOption qtOption(QLatin1String(option.name));
        if (option.valueName)
            qtOption.setValueName(QLatin1String(option.valueName));
        parser.addOption(qtOption);
    }
    arguments.prepend(QStringLiteral("tubarex-cli"));
    if (!parser.parse(arguments))
        return error(&entry, parseError(parser, arguments, entry));
    if (parser.isSet(QStringLiteral("help")))
        return help(&entry);

    CliCommandLine line;
    line.action = CliCommandLine::Action::Run;
    line.command = &entry;
    line.arguments = parser.positionalArguments();
    const auto count = line.arguments.size();
    if (count < entry.minArguments || (entry.maxArguments >= 0 && count > entry.maxArguments))
        return error(&entry, entry.argumentsError());
    for (const CliOption& option : entry.options) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        const QStringList values = parser.values(name);
        if (values.size() > 1)
            return error(&entry, QStringLiteral("l'opzione --%1 è data più volte.").arg(name));
        line.options.insert(name, option.valueName ? values.value(0) : optionalValues.value(name));
    }
    const auto given = [&](std::initializer_list<const char*> names) {
        int n = 0;
        for (const char* name : names)
            n += line.has(name) ? 1 : 0;
        return n;
    };
    if (entry.choice == CliChoice::OneOutput && given({"pdf", "text", "docx"}) != 1)
        return error(&entry, entry.argumentsError());
    if (entry.choice == CliChoice::AtMostOneForm && given({"json", "csv"}) > 1)
        return error(&entry, QStringLiteral("%1 scrive in una forma sola: --json oppure --csv.")
                                 .arg(QLatin1String(entry.name)));
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
        return error(nullptr, QStringLiteral("opzione sconosciuta %1.")
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
        return wantsHelp ? help(nullptr) : error(nullptr, QStringLiteral("manca il comando."));
    const CliCommand* entry = FindCliCommand(words.first());
    if (!entry)
        return error(nullptr,
                     QStringLiteral("comando sconosciuto %1.").arg(QuotedExcerpt(words.first())));
    if (wantsHelp)
        return help(entry);
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
    for (const CliCommand& entry : CliCommands())
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

QString CliCommandHelp(const CliCommand& command) {
    QString result = QStringLiteral("Uso: tubarex-cli %1\n\n").arg(text(command.synopsis));
    result += wrapped(text(command.description), 0, 0);
    result += QStringLiteral("\nOpzioni:\n");
    for (const CliOption& option : command.options) {
        QString line = text(option.help);
        if (command.choice == CliChoice::OneOutput)
            line += text(OutputHelpTail);
        result += helpEntry(optionName(option), line);
    }
    result += helpEntry(QStringLiteral("-h, --help"), QStringLiteral("mostra questo aiuto"));
    return result;
}
