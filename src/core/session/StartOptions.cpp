#include "core/session/StartOptions.h"

#include "core/BuildInfo.h"

#include <QCommandLineParser>

QLocale ProgramLocale() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

QString VersionLine(const QString& program) {
    return QStringLiteral("%1 %2\n").arg(program, QStringLiteral(TUBAREX_VERSION));
}

std::optional<QString> StartInformation(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // Qt's own options (-platform, -style, ...) are not known here: the
    // parse goes on past them, and only these two are looked at.
    parser.parse(arguments);
    if (parser.isSet(help))
        return QStringLiteral(
            "Uso: tubarex [FILE]\n"
            "     tubarex --help | --version\n"
            "\n"
            "Tubarex calcola le perdite di carico nelle reti di tubazioni di acqua e gas.\n"
            "Senza argomenti si apre sulla finestra iniziale: un clic apre la scelta del\n"
            "calcolo, un tasto chiude il programma.\n"
            "\n"
            "Argomenti:\n"
            "  FILE           un file dati di Tubarex da aprire subito nella finestra dei\n"
            "                 dati dell'acqua (in quella del gas se il progetto ha solo\n"
            "                 tronchi gas), senza la finestra iniziale\n"
            "\n"
            "Opzioni:\n"
            "  -h, --help     mostra questo aiuto\n"
            "  -v, --version  mostra la versione\n"
            "Valgono anche le opzioni comuni dei programmi Qt, come -platform.\n"
            "\n"
            "Per calcoli e stampe senza finestre: tubarex-cli --help\n");
    if (parser.isSet(version))
        return VersionLine(QStringLiteral("tubarex"));
    return std::nullopt;
}
