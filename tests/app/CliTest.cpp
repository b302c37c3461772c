#include "cli/Cli.h"
#include "CliRun.h"
#include "SpecialFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A run with the standard channels as a program has them: bytes on standard
// input, standard output a device that takes bytes as well as text.
struct CliBytes {
    int status = -1;
    QByteArray out;
    QString err;
};

CliBytes cliStd(QStringList args, QByteArray input = QByteArray()) {
    CliBytes r;
    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    QBuffer outDevice(&r.out);
    outDevice.open(QIODevice::WriteOnly);
    QTextStream out(&outDevice);
    QTextStream err(&r.err);
    args.prepend(QStringLiteral("tubarex-cli"));
    r.status = RunCli(args, out, err, &in);
    out.flush();
    err.flush();
    return r;
}

const QString Example = QStringLiteral(TUBAREX_EXAMPLES "/Tubarex-dati-palazzina");
const QString Classic = QStringLiteral(TUBAREX_TEST_DATA "/Tubarex-dati-classico");

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeTemp(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace

TEST(Cli, CalcJsonHasTheDocumentedShape) {
    const CliRun r = cli({QStringLiteral("calc"), Classic, QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(root.keys(), (QStringList{"cover", "gas", "water"}));

    const QJsonObject water = root[QStringLiteral("water")].toObject();
    EXPECT_EQ(water[QStringLiteral("count")].toInt(), 3);
    const QJsonArray rows = water[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 3);
    const QJsonObject w1 = rows[0].toObject();
    EXPECT_EQ(w1.keys().size(), 14); // tronco, twelve inputs, perd
    EXPECT_EQ(w1[QStringLiteral("tronco")].toInt(), 1);
    EXPECT_EQ(w1[QStringLiteral("lungh")].toString(), QStringLiteral("100"));
    EXPECT_TRUE(w1[QStringLiteral("c45")].isNull()); // never written
    EXPECT_EQ(w1[QStringLiteral("c90")].toString(), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(w1[QStringLiteral("perd")].toDouble(), 2.65); // 106 × 0.0025 × 1e-4 / 1e-5
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("valv")].toString(), QString()); // emptied
    double sum = 0;
    for (const auto& row : rows)
        sum += row.toObject()[QStringLiteral("perd")].toDouble();
    EXPECT_DOUBLE_EQ(water[QStringLiteral("total")].toDouble(), sum);

    const QJsonObject gas = root[QStringLiteral("gas")].toObject();
    EXPECT_EQ(gas[QStringLiteral("count")].toInt(), 2);
    const QJsonObject g1 = gas[QStringLiteral("rows")].toArray()[0].toObject();
    EXPECT_EQ(g1.keys().size(), 22); // tronco, twelve inputs, nine computed
    EXPECT_EQ(g1[QStringLiteral("tipofi")].toString(), QStringLiteral("1''"));
    EXPECT_TRUE(g1[QStringLiteral("cu45")].isNull());
    EXPECT_DOUBLE_EQ(g1[QStringLiteral("visc")].toDouble(), 1.51e-5);
    EXPECT_DOUBLE_EQ(g1[QStringLiteral("perd")].toDouble(), 0.0586);
    EXPECT_DOUBLE_EQ(g1[QStringLiteral("luvirt")].toDouble(), 10.0);
    // Full precision, not the rounded display.
    EXPECT_NEAR(g1[QStringLiteral("rey")].toDouble(), 1680.5526, 1e-4);
    EXPECT_NE(g1[QStringLiteral("rey")].toDouble(), 1680.55);

    const QJsonObject cover = root[QStringLiteral("cover")].toObject();
    EXPECT_EQ(cover.size(), 7);
    EXPECT_EQ(cover[QString::fromUtf8("località")].toString(),
              QString::fromUtf8("Località Ca' Bianca, 12"));
}

TEST(Cli, NotComputableResultsAreNull) {
    QTemporaryDir dir;
    const QString path = writeTemp(dir, "Tubarex-dati-zero",
                                   "1\r\n\"10\",\"0\",\"1\",\"liscio\",\"0.002\",,,,,,,\r\n"
                                   "1\r\n,,,,,,,\"10\",\"1''\",\"0\",\"metano\",\"27.9\",\r\n"
                                   "\"p\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    const CliRun r = cli({QStringLiteral("calc"), path, QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject w = root[QStringLiteral("water")][QStringLiteral("rows")][0].toObject();
    EXPECT_TRUE(w[QStringLiteral("perd")].isNull());
    const QJsonObject g = root[QStringLiteral("gas")][QStringLiteral("rows")][0].toObject();
    for (const char* key : {"rey", "attr", "vel", "perd"})
        EXPECT_TRUE(g[QString::fromLatin1(key)].isNull()) << key;
    EXPECT_DOUBLE_EQ(g[QStringLiteral("visc")].toDouble(), 1.51e-5); // set by the gas type
    EXPECT_EQ(root[QStringLiteral("gas")][QStringLiteral("total")].toDouble(), 0.0);
    EXPECT_FALSE(r.out.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    EXPECT_FALSE(r.out.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
}

TEST(Cli, CalcTextListsBothNetworks) {
    const CliRun r = cli({QStringLiteral("calc"), Example});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Rete acqua: 15 tronchi")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Rete gas: 8 tronchi")));
    EXPECT_TRUE(r.out.contains(QString::fromUtf8("Società Immobiliare")));
}

TEST(Cli, CheckExitStatusFollowsTheNetworksThatHaveRows) {
    QTemporaryDir dir;
    const QByteArray cover = "\"p\",\"l\",\"t\",\"c\",\"\",\"d\",\"a\"\r\n";
    const QString incomplete =
        writeTemp(dir, "a", "1\r\n\"10\",\"20\",\"1\",\"liscio\",\"\",,,,,,,\r\n0\r\n" + cover);
    CliRun r = cli({QStringLiteral("check"), incomplete});
    EXPECT_EQ(r.status, 1);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("acqua: Tronco n. 1: - manca il dato della scabrezza."));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("gas: Non esistono dati riconosciuti:")));
    EXPECT_EQ(lines[2], QStringLiteral("frontespizio: I dati sono stati immessi correttamente."));

    // No rows anywhere is not a failure of a network that has rows.
    r = cli({QStringLiteral("check"), writeTemp(dir, "b", "0\r\n\r\n" + cover)});
    EXPECT_EQ(r.status, 0);
    r = cli({QStringLiteral("check"), Example});
    EXPECT_EQ(r.status, 0);
    const QString gasGap =
        writeTemp(dir, "c", "0\r\n1\r\n,,,,,,,\"10\",\"\",\"2\",\"metano\",\"27.9\",\r\n" + cover);
    r = cli({QStringLiteral("check"), gasGap});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("gas: Tronco n. 1: - manca il dato del diametro")));
}

TEST(Cli, ResaveWritesTheSameBytes) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-copia"));
    const CliRun r = cli({QStringLiteral("resave"), Classic, out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(out), readFile(Classic));
    EXPECT_EQ(cli({QStringLiteral("resave"), Classic, dir.filePath(QStringLiteral("no/x"))}).status,
              2);
}

TEST(Cli, BadFilesExitWithTwo) {
    QTemporaryDir dir;
    const QString bad = writeTemp(dir, "Tubarex-dati-rotto", "tre\r\n");
    for (const QString& command : {QStringLiteral("calc"), QStringLiteral("check")}) {
        const CliRun r = cli({command, bad});
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.contains(bad)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("non è un file dati di Tubarex valido")));
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(cli({QStringLiteral("calc"), dir.filePath(QStringLiteral("manca"))}).status, 2);
}

TEST(Cli, PrintWritesTheListingAsText) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("acqua.txt"));
    CliRun r = cli(
        {QStringLiteral("print"), QStringLiteral("water"), Example, QStringLiteral("--text"), out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString text = QString::fromUtf8(readFile(out));
    const QStringList lines = text.split(u'\n');
    // Column n of the page is position n of the line: the title at column 7.
    EXPECT_EQ(lines[0], QStringLiteral("      TUBAREX: perdite di carico nelle tubazioni"));
    EXPECT_TRUE(text.contains(QStringLiteral("     c.45      = curve a 45°")));
    EXPECT_FALSE(text.contains(u'\f')); // 15 rows: one page
    EXPECT_TRUE(lines.contains(QString(68, u' ') + QStringLiteral("pagina 1")));

    // The gas listing: both tables, every row computed before printing.
    const QString gas = dir.filePath(QStringLiteral("gas.txt"));
    r = cli(
        {QStringLiteral("print"), QStringLiteral("gas"), Example, QStringLiteral("--text"), gas});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString gasText = QString::fromUtf8(readFile(gas));
    EXPECT_TRUE(gasText.contains(QStringLiteral("tronco  curva 45°  curva 90°")));
    EXPECT_EQ(gasText.count(QStringLiteral("metano   ")), 8);
}

TEST(Cli, PrintRunsTheInputCheckFirst) {
    QTemporaryDir dir;
    const QByteArray cover = "\"p\",\"l\",\"t\",\"c\",\"\",\"d\",\"a\"\r\n";
    const QString incomplete =
        writeTemp(dir, "a", "1\r\n\"10\",\"20\",\"1\",\"liscio\",\"\",,,,,,,\r\n0\r\n" + cover);
    for (const char* option : {"--text", "--docx"}) {
        const QString out = dir.filePath(QStringLiteral("uscita"));
        const CliRun r = cli({QStringLiteral("print"), QStringLiteral("water"), incomplete,
                              QString::fromLatin1(option), out});
        EXPECT_EQ(r.status, 1);
        // The message as the window shows it, one line per line of the box.
        EXPECT_EQ(r.err.trimmed(),
                  QStringLiteral("Tronco n. 1:\n- manca il dato della scabrezza."));
        EXPECT_FALSE(QFile::exists(out));
    }
    // A network without rows has nothing to print: its check says so.
    const CliRun none = cli({QStringLiteral("print"), QStringLiteral("gas"), incomplete,
                             QStringLiteral("--text"), dir.filePath(QStringLiteral("g"))});
    EXPECT_EQ(none.status, 1);
    EXPECT_FALSE(none.err.isEmpty());
}

TEST(Cli, DocumentsAreWrittenOrTheirFailureExitsWithTwo) {
    QTemporaryDir dir;
    const QString water = dir.filePath(QStringLiteral("acqua.docx"));
    const QString form = dir.filePath(QStringLiteral("modello.docx"));
    const QString sheet = dir.filePath(QStringLiteral("scheda.docx"));
    EXPECT_EQ(cli({QStringLiteral("print"), QStringLiteral("water"), Example,
                   QStringLiteral("--docx"), water})
                  .status,
              0);
    EXPECT_EQ(cli({QStringLiteral("form"), QStringLiteral("gas"), form}).status, 0);
    EXPECT_EQ(cli({QStringLiteral("sheet"), Example, sheet}).status, 0);
    for (const QString& path : {water, form, sheet})
        EXPECT_TRUE(readFile(path).startsWith("PK\x03\x04")) << path.toStdString();

    const QString unwritable = dir.filePath(QStringLiteral("manca/x.docx"));
    CliRun r = cli({QStringLiteral("form"), QStringLiteral("water"), unwritable});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(unwritable)) << r.err.toStdString();
    EXPECT_EQ(cli({QStringLiteral("sheet"), dir.filePath(QStringLiteral("manca")), sheet}).status,
              2);
}

// The report: refused without rows and stopped by a failing check, with the
// window's message and nothing written; with rows in both networks, both.
TEST(Cli, ReportIsRefusedOrWrittenAsTheWindowWouldPrintIt) {
    QTemporaryDir dir;
    const QByteArray cover = "\"p\",\"l\",\"t\",\"c\",\"\",\"d\",\"\"\r\n";
    const QString empty = writeTemp(dir, "vuoto", "0\r\n0\r\n" + cover);
    const QString gasGap = writeTemp(
        dir, "gas", "0\r\n1\r\n,,,,,,,\"10\",\"\",\"2\",\"metano\",\"27.9\",\r\n" + cover);
    struct Case {
        QString file;
        int status;
        QString err;
    };
    const Case cases[] = {
        {empty, 1, QStringLiteral("Non ci sono dati da stampare.")},
        {gasGap, 1, QStringLiteral("Tronco n. 1:\n- manca il dato del diametro del tubo.")},
        {Example, 0, QString()},
    };
    for (const Case& c : cases) {
        for (const char* option : {"--text", "--docx"}) {
            const QString out = dir.filePath(QStringLiteral("relazione"));
            QFile::remove(out);
            const CliRun r =
                cli({QStringLiteral("report"), c.file, QString::fromLatin1(option), out});
            EXPECT_EQ(r.status, c.status) << r.err.toStdString();
            EXPECT_EQ(r.err.trimmed(), c.err);
            EXPECT_EQ(QFile::exists(out), c.status == 0);
        }
    }
    const QString text = dir.filePath(QStringLiteral("relazione.txt"));
    ASSERT_EQ(cli({QStringLiteral("report"), Example, QStringLiteral("--text"), text}).status, 0);
    // Cover, criteria and table of each network; the closing counts them.
    const QStringList pages = QString::fromUtf8(readFile(text)).split(u'\f');
    ASSERT_EQ(pages.size(), 5);
    EXPECT_TRUE(pages[4].contains(QStringLiteral("composta di n. 5  pagine.")));
}

// Each command runs within a small stack: the project tables live on the
// heap, so a tight stack limit is no reason to crash.
TEST(Cli, CommandsRunOnASmallStack) {
    QTemporaryDir dir;
    const QList<QStringList> commands = {
        {QStringLiteral("calc"), Example},
        {QStringLiteral("calc"), Example, QStringLiteral("--json")},
        {QStringLiteral("check"), Example},
        {QStringLiteral("resave"), Example, dir.filePath(QStringLiteral("copia"))},
        {QStringLiteral("print"), QStringLiteral("gas"), Example, QStringLiteral("--text"),
         dir.filePath(QStringLiteral("gas.txt"))},
        {QStringLiteral("sheet"), Example, dir.filePath(QStringLiteral("scheda.docx"))},
    };
    for (const QStringList& command : commands) {
        CliRun r;
        QThread* thread = QThread::create([&] { r = cli(command); });
        thread->setStackSize(256 * 1024);
        thread->start();
        ASSERT_TRUE(thread->wait(60000));
        delete thread;
        EXPECT_EQ(r.status, 0) << command.join(u' ').toStdString() << r.err.toStdString();
    }
}

// Pipes and folders are neither read nor replaced; a bad word of the command
// line is quoted short and visible.
TEST(Cli, RefusesWhatIsNotARegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    if (!MakeFifo(fifo))
        GTEST_SKIP() << "no named pipes on this system";
    const QList<QStringList> commands = {
        {QStringLiteral("calc"), fifo},
        {QStringLiteral("calc"), dir.path()},
        {QStringLiteral("resave"), Example, fifo},
        {QStringLiteral("resave"), Example, dir.path()},
        {QStringLiteral("print"), QStringLiteral("water"), Example, QStringLiteral("--text"), fifo},
        {QStringLiteral("form"), QStringLiteral("gas"), fifo},
    };
    for (const QStringList& command : commands) {
        const CliRun r = cli(command);
        EXPECT_EQ(r.status, 2) << command.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(command.last())) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    const CliRun r = cli({QString(5000, u'c') + QStringLiteral("\x1b[2J")});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(r.err.contains(QChar(0x1b)));
    EXPECT_LT(r.err.indexOf(QStringLiteral("Uso:")), 200);
}

namespace {

const QString Dash = QStringLiteral("-");

QStringList withArgs(std::initializer_list<QString> words) {
    return QStringList(words);
}

} // namespace

// The same command written in any order and either form gives the same
// bytes.
TEST(Cli, OptionsInAnyOrderAndEitherForm) {
    struct Case {
        QStringList canonical;
        QList<QStringList> variants;
    };
    const QList<Case> cases = {
        {withArgs({"calc", Classic, "--json"}),
         {withArgs({"calc", "--json", Classic}), withArgs({"calc", "-json", Classic}),
          withArgs({"calc", Classic, "--json", "--"})}},
        {withArgs({"print", "water", Example, "--text", Dash}),
         {withArgs({"print", "--text=-", "water", Example}),
          withArgs({"print", "water", "--text", Dash, Example}),
          withArgs({"print", "-text", Dash, "water", Example})}},
        {withArgs({"report", Example, "--text", Dash}),
         {withArgs({"report", "--text=-", Example}), withArgs({"report", "--text", "-", Example})}},
        {withArgs({"calc", "--csv", Classic}),
         {withArgs({"calc", Classic, "--csv=,"}), withArgs({"calc", "-csv", Classic})}},
    };
    for (const Case& c : cases) {
        const CliBytes expected = cliStd(c.canonical);
        ASSERT_EQ(expected.status, 0) << expected.err.toStdString();
        ASSERT_FALSE(expected.out.isEmpty());
        for (const QStringList& variant : c.variants) {
            const CliBytes r = cliStd(variant);
            EXPECT_EQ(r.status, 0) << variant.join(u' ').toStdString() << r.err.toStdString();
            EXPECT_EQ(r.out, expected.out) << variant.join(u' ').toStdString();
        }
    }
}

// The help, general and per command, and the version: in Italian, on
// standard output, exit status 0, lines that fit a terminal.
TEST(Cli, HelpAndVersion) {
    struct Case {
        QStringList args;
        QString starts;
        QString holds;
    };
    const QList<Case> cases = {
        {withArgs({"--help"}), QStringLiteral("Uso: tubarex-cli COMANDO"),
         QStringLiteral("  resave IN OUT")},
        {withArgs({"-h"}), QStringLiteral("Uso: tubarex-cli COMANDO"), QStringLiteral("--version")},
        {withArgs({"help"}), QStringLiteral("Uso: tubarex-cli COMANDO"),
         QStringLiteral("Codici di uscita")},
        {withArgs({"calc", "--help"}), QStringLiteral("Uso: tubarex-cli calc "),
         QStringLiteral("  --csv[=,|.]")},
        {withArgs({"help", "print"}), QStringLiteral("Uso: tubarex-cli print water|gas FILE"),
         QStringLiteral("  --docx OUT")},
        {withArgs({"--help", "report"}), QStringLiteral("Uso: tubarex-cli report FILE"),
         QStringLiteral("  --pdf OUT")},
        {withArgs({"print", "water", Example, "--pdf", "x", "-h"}),
         QStringLiteral("Uso: tubarex-cli print"), QStringLiteral("standard output")},
        {withArgs({"check", "--help"}), QStringLiteral("Uso: tubarex-cli check [--json] FILE..."),
         QStringLiteral("  --json")},
        {withArgs({"--version"}), QStringLiteral("tubarex-cli "), QString()},
        {withArgs({"-v", "calc"}), QStringLiteral("tubarex-cli "), QString()},
    };
    for (const Case& c : cases) {
        const CliRun r = cli(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(r.status, 0) << what;
        EXPECT_TRUE(r.err.isEmpty()) << what;
        EXPECT_TRUE(r.out.startsWith(c.starts)) << what << '\n' << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(c.holds)) << what;
        for (const QString& line : r.out.split(u'\n'))
            EXPECT_LE(line.size(), 79) << what << ": " << line.toStdString();
        for (const char* english : {"Usage", "Options", "Arguments", "Displays"})
            EXPECT_FALSE(r.out.contains(QLatin1String(english))) << what;
    }
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tubarex-cli \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(cli({QStringLiteral("--version")}).out)
                    .hasMatch());
}

// A command line that cannot be understood: exit status 2, an Italian
// message (never the parser's English) and where the help is: the
// command's own, or the general help when the command word is wrong.
TEST(Cli, CommandLineMistakesAreToldInItalian) {
    const auto helpOf = [](const char* command) {
        return QStringLiteral("Per l'aiuto: tubarex-cli %1 --help\n").arg(QLatin1String(command));
    };
    const QString general = u'\n' + cli({QStringLiteral("--help")}).out;
    struct Case {
        QStringList args;
        QString message;
        QString then; // what follows the message
    };
    const QList<Case> cases = {
        {{}, QStringLiteral("manca il comando."), general},
        {withArgs({"--bogus"}), QStringLiteral("opzione sconosciuta «--bogus»."), general},
        {withArgs({"calcola", Example}), QStringLiteral("comando sconosciuto «calcola»."), general},
        {withArgs({"calc", "--bogus", Example}),
         QStringLiteral("calc non conosce l'opzione «--bogus»."), helpOf("calc")},
        {withArgs({"print", "water", Example, "--pdf"}),
         QStringLiteral("l'opzione --pdf vuole un valore: --pdf OUT."), helpOf("print")},
        {withArgs({"calc", "--json=si", Example}),
         QStringLiteral("l'opzione --json non vuole un valore."), helpOf("calc")},
        {withArgs({"print", "water", Example, "--text", "a", "--text", "b"}),
         QStringLiteral("l'opzione --text è data più volte."), helpOf("print")},
        {withArgs({"print", "water", Example, "--text", "a", "--pdf", "b"}),
         QStringLiteral("print vuole la rete, il file e l'uscita: print water|gas FILE (--pdf OUT "
                        "| --text OUT | --docx OUT)."),
         helpOf("print")},
        {withArgs({"report", Example}),
         QStringLiteral("report vuole il file e l'uscita: report FILE (--pdf OUT | --text OUT | "
                        "--docx OUT)."),
         helpOf("report")},
        {withArgs({"resave", Example}), QStringLiteral("resave vuole due file: resave IN OUT."),
         helpOf("resave")},
        {withArgs({"form", "acqua"}),
         QStringLiteral("form vuole la rete e il file: form water|gas OUT.docx."), helpOf("form")},
        {withArgs({"calc"}),
         QStringLiteral("calc vuole almeno un file: calc [--json | --csv[=,|.]] FILE..."),
         helpOf("calc")},
        {withArgs({"calc", "--json", "--csv", Example}),
         QStringLiteral("calc scrive in una forma sola: --json oppure --csv."), helpOf("calc")},
        {withArgs({"calc", "--csv=;", Example}),
         QStringLiteral("--csv vuole il separatore decimale, la virgola o il punto (--csv=, "
                        "oppure --csv=.), non «;»."),
         helpOf("calc")},
        {withArgs({"calc", Dash, Dash}),
         QStringLiteral("«standard input» si può leggere una volta sola: un solo FILE \"-\"."),
         helpOf("calc")},
        // A network word that names neither network: the usage alone.
        {withArgs({"form", "aria", "x.docx"}),
         QStringLiteral("form vuole la rete water o gas, non «aria»: form water|gas OUT.docx."),
         QString()},
    };
    for (const Case& c : cases) {
        const CliBytes r = cliStd(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_EQ(r.err, QStringLiteral("tubarex-cli: ") + c.message + u'\n' + c.then) << what;
        EXPECT_TRUE(r.out.isEmpty()) << what;
    }
}

// "-" as FILE reads standard input, "-" as OUT writes standard output, byte
// for byte, for every kind of output.
TEST(Cli, StandardInputAndOutput) {
    QTemporaryDir dir;
    const QByteArray classic = readFile(Classic);
    const QByteArray example = readFile(Example);

    // The same bytes as through files.
    EXPECT_EQ(cliStd({QStringLiteral("calc"), Dash, QStringLiteral("--json")}, classic).out,
              cliStd({QStringLiteral("calc"), Classic, QStringLiteral("--json")}).out);
    EXPECT_EQ(cliStd({QStringLiteral("resave"), Dash, Dash}, classic).out, classic);
    const QString text = dir.filePath(QStringLiteral("relazione.txt"));
    ASSERT_EQ(cli({QStringLiteral("report"), Example, QStringLiteral("--text"), text}).status, 0);
    EXPECT_EQ(cliStd({QStringLiteral("report"), Dash, QStringLiteral("--text"), Dash}, example).out,
              readFile(text));

    // Documents as bytes: a zip package whatever the route.
    const QList<QStringList> documents = {
        {QStringLiteral("form"), QStringLiteral("gas"), Dash},
        {QStringLiteral("sheet"), Dash, Dash},
        {QStringLiteral("print"), QStringLiteral("water"), Dash, QStringLiteral("--docx"), Dash},
        {QStringLiteral("report"), Dash, QStringLiteral("--docx=-")},
    };
    for (const QStringList& args : documents) {
        const CliBytes r = cliStd(args, example);
        EXPECT_EQ(r.status, 0) << args.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith("PK\x03\x04")) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.contains("word/document.xml"));
    }

    // What standard input holds is checked like a file, and named.
    CliBytes r = cliStd({QStringLiteral("calc"), Dash}, "tre\r\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("Il file «standard input» non è un file dati di Tubarex valido")))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const CliRun none = cli({QStringLiteral("check"), Dash});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("«standard input»: non è disponibile")));
    const CliRun noDevice = cli({QStringLiteral("form"), QStringLiteral("gas"), Dash});
    EXPECT_EQ(noDevice.status, 2);
    EXPECT_TRUE(noDevice.err.contains(QStringLiteral("«standard output»: non è disponibile")));
}

// Results that cannot be written to standard output are a failure, told
// with the system's reason in Italian.
TEST(Cli, FullStandardOutputFails) {
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        GTEST_SKIP() << "no /dev/full on this system";
    const QList<QStringList> commands = {
        {QStringLiteral("calc"), Example},
        {QStringLiteral("resave"), Example, Dash},
        {QStringLiteral("form"), QStringLiteral("water"), Dash},
    };
    for (const QStringList& command : commands) {
        QTextStream out(&full);
        QString errText;
        QTextStream err(&errText);
        const int status = RunCli(QStringList{QStringLiteral("tubarex-cli")} + command, out, err);
        err.flush();
        EXPECT_EQ(status, 2) << command.join(u' ').toStdString();
        EXPECT_TRUE(errText.contains(
            QStringLiteral("Impossibile scrivere su «standard output»: il disco è pieno.")))
            << errText.toStdString();
    }
}

// Several files: one block per file, in order, exit status the worst.
TEST(Cli, SeveralFilesGiveOneBlockEach) {
    QTemporaryDir dir;
    const QString bad = writeTemp(dir, "Tubarex-dati-rotto", "tre\r\n");
    const QByteArray cover = "\"p\",\"l\",\"t\",\"c\",\"\",\"d\",\"a\"\r\n";
    const QString incomplete =
        writeTemp(dir, "a", "1\r\n\"10\",\"20\",\"1\",\"liscio\",\"\",,,,,,,\r\n0\r\n" + cover);

    const auto alone = [](const QString& command, const QString& file) {
        return cli({command, file}).out;
    };
    struct Case {
        QString command;
        QStringList files;
        int status;
        QString out;
    };
    const QList<Case> cases = {
        {QStringLiteral("calc"),
         {Classic, Example},
         0,
         alone(QStringLiteral("calc"), Classic) + alone(QStringLiteral("calc"), Example)},
        {QStringLiteral("calc"),
         {Classic, bad, Example},
         2,
         alone(QStringLiteral("calc"), Classic) + alone(QStringLiteral("calc"), Example)},
        {QStringLiteral("check"),
         {Example, incomplete},
         1,
         QStringLiteral("Progetto: ") + Example + u'\n' + alone(QStringLiteral("check"), Example) +
             QStringLiteral("\nProgetto: ") + incomplete + u'\n' +
             alone(QStringLiteral("check"), incomplete)},
        {QStringLiteral("check"),
         {incomplete, bad},
         2,
         QStringLiteral("Progetto: ") + incomplete + u'\n' +
             alone(QStringLiteral("check"), incomplete)},
    };
    for (const Case& c : cases) {
        const CliRun r = cli(QStringList{c.command} + c.files);
        const std::string what = (QStringList{c.command} + c.files).join(u' ').toStdString();
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_EQ(r.out, c.out) << what;
        EXPECT_EQ(r.err.isEmpty(), !c.files.contains(bad)) << what;
    }

    // JSON: a list of the single-file objects, each naming its file.
    for (const QString& command : {QStringLiteral("calc"), QStringLiteral("check")}) {
        const CliRun r = cli({command, QStringLiteral("--json"), Classic, bad});
        EXPECT_EQ(r.status, 2);
        const QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).array();
        ASSERT_EQ(list.size(), 2) << r.out.toStdString();
        QJsonObject first = list[0].toObject();
        EXPECT_EQ(first.take(QStringLiteral("file")).toString(), Classic);
        EXPECT_EQ(first, QJsonDocument::fromJson(
                             cli({command, QStringLiteral("--json"), Classic}).out.toUtf8())
                             .object());
        const QJsonObject second = list[1].toObject();
        EXPECT_EQ(second.keys(), (QStringList{"error", "file"}));
        EXPECT_TRUE(second[QStringLiteral("error")].toString().contains(
            QStringLiteral("non è un file dati di Tubarex valido")));
    }
}

TEST(Cli, CheckJsonNamesTheFirstGap) {
    QTemporaryDir dir;
    const QByteArray cover = "\"p\",\"l\",\"t\",\"c\",\"\",\"d\",\"a\"\r\n";
    const QString incomplete =
        writeTemp(dir, "a", "1\r\n\"10\",\"20\",\"1\",\"liscio\",\"\",,,,,,,\r\n0\r\n" + cover);
    const CliRun r = cli({QStringLiteral("check"), incomplete, QStringLiteral("--json")});
    EXPECT_EQ(r.status, 1);
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(root.keys(), (QStringList{"cover", "gas", "status", "water"}));
    EXPECT_EQ(root[QStringLiteral("status")].toInt(), 1);
    const QJsonObject water = root[QStringLiteral("water")].toObject();
    EXPECT_EQ(water[QStringLiteral("count")].toInt(), 1);
    EXPECT_FALSE(water[QStringLiteral("passed")].toBool());
    EXPECT_EQ(water[QStringLiteral("message")].toString(),
              QStringLiteral("Tronco n. 1:\n- manca il dato della scabrezza."));
    EXPECT_EQ(water[QStringLiteral("row")].toInt(), 1);
    EXPECT_EQ(water[QStringLiteral("column")].toString(), QStringLiteral("sca"));
    const QJsonObject gas = root[QStringLiteral("gas")].toObject();
    EXPECT_EQ(gas[QStringLiteral("count")].toInt(), 0);
    EXPECT_TRUE(gas[QStringLiteral("row")].isNull());
    EXPECT_TRUE(root[QStringLiteral("cover")][QStringLiteral("passed")].toBool());

    const QJsonObject example =
        QJsonDocument::fromJson(
            cli({QStringLiteral("check"), QStringLiteral("--json"), Example}).out.toUtf8())
            .object();
    EXPECT_EQ(example[QStringLiteral("status")].toInt(), 0);
    EXPECT_TRUE(example[QStringLiteral("gas")][QStringLiteral("passed")].toBool());
}

// For a spreadsheet: semicolons, the decimal comma (or point), every result
// at full precision, texts quoted where needed and never taken for formulas.
TEST(Cli, CalcCsvForSpreadsheets) {
    CliRun r = cli({QStringLiteral("calc"), QStringLiteral("--csv"), Classic});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QStringList lines = r.out.split(u'\n');
    EXPECT_EQ(lines[0], QStringLiteral("Progetto;") + Classic);
    EXPECT_EQ(lines[7], QString::fromUtf8("allegati;\"planimetrie; foto €\""));
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("Rete acqua;tronchi;3;totale perdite;")));
    EXPECT_TRUE(lines[9].endsWith(QStringLiteral(";m")));
    EXPECT_TRUE(lines[10].startsWith(QStringLiteral("tronco;lungh;diam;port;tipoc;sca;")));
    EXPECT_EQ(lines[11], QStringLiteral("1;100;100;10;corrente;0,0025;;2;;;;;;2,65"));
    EXPECT_TRUE(lines[13].startsWith(QStringLiteral("3;12,5;40;1;scabro;0,004;")))
        << lines[13].toStdString();
    const QStringList gasRow = lines[17].split(u';');
    EXPECT_EQ(gasRow.size(), 22);
    EXPECT_EQ(gasRow[13], QStringLiteral("1,51E-05")); // visc, as the table holds it
    EXPECT_TRUE(gasRow[18].startsWith(QStringLiteral("1680,55258"))) << gasRow[18].toStdString();

    r = cli({QStringLiteral("calc"), QStringLiteral("--csv=."), Classic});
    lines = r.out.split(u'\n');
    EXPECT_EQ(lines[11], QStringLiteral("1;100;100;10;corrente;0.0025;;2;;;;;;2.65"));

    QTemporaryDir dir;
    const QString risky = writeTemp(
        dir, "r", "0\r\n0\r\n\"=SOMMA(A1)\",\"-2 piani\",\"+\",\"@x\",\"\",\"-2.5\",\"a\"\r\n");
    r = cli({QStringLiteral("calc"), QStringLiteral("--csv"), risky});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    lines = r.out.split(u'\n');
    EXPECT_EQ(lines[1], QStringLiteral("progetto;'=SOMMA(A1)"));
    EXPECT_EQ(lines[2], QString::fromUtf8("località;'-2 piani"));
    EXPECT_EQ(lines[3], QStringLiteral("tipostudio;'+"));
    EXPECT_EQ(lines[4], QStringLiteral("committente;'@x"));
    EXPECT_EQ(lines[6], QStringLiteral("data;-2,5"));
    EXPECT_EQ(lines[9], QStringLiteral("Rete acqua;tronchi;0;totale perdite;0;m"));
}

// The command line reads the installation settings where the program does:
// the report is signed by the same office.
TEST(Cli, ReadsTheProgramsInstallationSettings) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("tubarex/tubarex")));
    writeTemp(dir, "tubarex/tubarex/tubarex.ini", "[Owner]\nName=Studio Tecnico Prova Condivisa\n");
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const CliBytes r = cliStd({QStringLiteral("report"), Example, QStringLiteral("--text"), Dash});
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Studio Tecnico Prova Condivisa"));
}
