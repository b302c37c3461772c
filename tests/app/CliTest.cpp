#include "cli/Cli.h"
#include "SpecialFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun cli(QStringList args) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    args.prepend(QStringLiteral("tubarex-cli"));
    r.status = RunCli(args, out, err);
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

TEST(Cli, BadFilesAndCommandLinesExitWithTwo) {
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
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("calcola"), Example}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("resave"), Example}).status, 2);
    const CliRun help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("resave IN OUT")));
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

TEST(Cli, DocumentsAreWrittenAndBadOutputCommandsExitWithTwo) {
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
    EXPECT_EQ(cli({QStringLiteral("print"), QStringLiteral("aria"), Example,
                   QStringLiteral("--text"), water})
                  .status,
              2);
    EXPECT_EQ(cli({QStringLiteral("print"), QStringLiteral("gas"), Example, QStringLiteral("--odt"),
                   water})
                  .status,
              2);
    EXPECT_EQ(cli({QStringLiteral("print"), QStringLiteral("gas"), Example}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("sheet"), dir.filePath(QStringLiteral("manca")), sheet}).status,
              2);
    EXPECT_EQ(cli({QStringLiteral("form"), QStringLiteral("acqua")}).status, 2);
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
    EXPECT_EQ(cli({QStringLiteral("report"), Example, QStringLiteral("--odt"), text}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("report"), Example}).status, 2);
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
