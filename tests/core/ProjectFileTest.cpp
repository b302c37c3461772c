#include "core/file/ProjectFile.h"
#include "SpecialFiles.h"
#include "UnwritableFolder.h"
#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString fixture(const char* name) {
    return QStringLiteral(TUBAREX_TEST_DATA "/") + QString::fromLatin1(name);
}

ProjectData parse(const QByteArray& bytes) {
    Result<ProjectData> parsed = ParseProjectFile(bytes);
    if (!parsed)
        ADD_FAILURE() << parsed.error().toStdString();
    return parsed ? std::move(parsed).value() : ProjectData{};
}

QString reasonFor(const QByteArray& bytes) {
    return ParseProjectFile(bytes).error();
}

QByteArray build(const ApplicationState& state) {
    const Result<QByteArray> built = BuildProjectFile(state.project);
    if (!built) {
        ADD_FAILURE() << built.error().toStdString();
        return {};
    }
    return built.value();
}

// A device that accepts nothing.
class FailingDevice : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override {
        setErrorString(QStringLiteral("disco pieno"));
        return -1;
    }
};

} // namespace

TEST(ProjectFile, ReadsTheClassicLayout) {
    const ProjectData d = parse(readFile(fixture("Tubarex-dati-classico")));
    EXPECT_EQ(d.WaterRowCount, 3);
    EXPECT_EQ(d.GasRowCount, 2);
    using namespace WaterColumn;
    EXPECT_EQ(d.water.at(1, tipoc), Cell::text(QStringLiteral("corrente")));
    EXPECT_TRUE(d.water.at(1, c45).isNeverWritten());
    EXPECT_EQ(d.water.at(1, c90), Cell::text(QStringLiteral("2")));
    EXPECT_EQ(d.water.at(2, valv), Cell::emptyText());
    EXPECT_EQ(d.water.at(3, lungh), Cell::text(QStringLiteral("12,5")));
    EXPECT_TRUE(d.water.at(4, lungh).isNeverWritten());

    EXPECT_TRUE(d.gas.at(1, GasColumn::cu45).isNeverWritten());
    EXPECT_EQ(d.gas.at(1, GasColumn::tipofi), Cell::text(QStringLiteral("1''")));
    EXPECT_EQ(d.gas.at(1, GasColumn::visc), Cell::number(1.51e-5));
    EXPECT_EQ(d.gas.at(2, GasColumn::cu45), Cell::text(QStringLiteral("1")));
    EXPECT_EQ(d.gas.at(2, GasColumn::rt), Cell::text(QStringLiteral("1")));
    EXPECT_EQ(d.gas.at(2, GasColumn::lungh), Cell::text(QStringLiteral("25.5")));
    EXPECT_EQ(d.gas.at(2, GasColumn::visc), Cell::number(1.2e-5));

    EXPECT_EQ(d.cover.localita, QString::fromUtf8("Località Ca' Bianca, 12"));
    EXPECT_EQ(d.cover.committente, QString::fromUtf8("Sig. Rossi – «studio»"));
    EXPECT_EQ(d.cover.data, QString::fromUtf8("lunedì, 7 dic 2026"));
    EXPECT_EQ(d.cover.allegati, QString::fromUtf8("planimetrie; foto €"));
}

TEST(ProjectFile, RewritesWhatItReadByteForByte) {
    for (const char* name : {"Tubarex-dati-classico", "Tubarex-dati-soloacqua"}) {
        const QByteArray original = readFile(fixture(name));
        ApplicationState state;
        ApplyProjectData(state, parse(original));
        EXPECT_EQ(build(state), original) << name;
    }
}

TEST(ProjectFile, CountNeverSetIsAnEmptyLine) {
    const ProjectData d = parse(readFile(fixture("Tubarex-dati-soloacqua")));
    EXPECT_EQ(d.WaterRowCount, 1);
    EXPECT_FALSE(d.GasRowCount.has_value());
    ApplicationState state;
    state.project.water.ClearWaterTable();
    EXPECT_EQ(build(state), QByteArray("0\r\n\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    state.project.gas.ClearGasTable();
    EXPECT_EQ(build(state), QByteArray("0\r\n0\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
}

TEST(ProjectFile, RoundTripKeepsNeverWrittenEmptiedAndAccentedCells) {
    ApplicationState state;
    using namespace WaterColumn;
    state.project.water.StoreWaterCell(1, lungh, QStringLiteral("10"));
    state.project.water.StoreWaterCell(1, diam, QString::fromUtf8("25 ø"));
    state.project.water.StoreWaterCell(1, c45, QString());
    state.project.water.StoreWaterCell(2, lungh, QStringLiteral("3,5"));
    state.project.gas.TypeGasCell(1, GasColumn::lungh, QStringLiteral("4"));
    state.project.gas.TypeGasCell(1, GasColumn::tipoc, QStringLiteral("GPL"));
    state.project.gas.TypeGasCell(1, GasColumn::rv, QString());
    state.project.cover.progetto = QString::fromUtf8("Ampliamento è \"nuovo\"").remove(u'"');
    state.project.cover.localita = QStringLiteral("Via Roma, 1, Città");

    const QByteArray bytes = build(state);
    EXPECT_TRUE(
        bytes.startsWith("2\r\n\"10\",\"25 \xf8\",,,,\"\",,,,,,\r\n\"3,5\",,,,,,,,,,,\r\n1\r\n"))
        << bytes.toStdString();
    const ProjectData back = parse(bytes);
    EXPECT_EQ(back.WaterRowCount, 2);
    EXPECT_EQ(back.GasRowCount, 1);
    for (int r = 1; r <= 2; ++r) {
        for (const int c : WaterRecordColumns)
            EXPECT_EQ(back.water.at(r, c), state.project.water.at(r, c)) << r << ' ' << c;
    }
    for (const int c : GasRecordColumns)
        EXPECT_EQ(back.gas.at(1, c), state.project.gas.at(1, c)) << c;
    EXPECT_TRUE(back.water.at(1, perd).isNeverWritten()); // results are not stored
    EXPECT_EQ(back.cover, state.project.cover);
}

TEST(ProjectFile, GasOnlyProjectStartsWithAZeroRecord) {
    ApplicationState state;
    state.project.water.ClearWaterTable();
    for (int r = 1; r <= 3; ++r) {
        state.project.gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("10"));
        state.project.gas.ApplyNominalDiameter(r, 4);
        state.project.gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2"));
        state.project.gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
    }
    const QStringList lines = QString::fromLatin1(build(state)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7); // 0, 3, three rows, cover, and the final line end
    EXPECT_EQ(lines[0], QStringLiteral("0"));
    EXPECT_EQ(lines[1], QStringLiteral("3"));
    EXPECT_EQ(lines[2], QStringLiteral(",,,,,,,\"10\",\"1''\",\"2\",\"metano\",\"27.9\",1.51E-05"));
}

TEST(ProjectFile, RefusesMalformedFiles) {
    struct Case {
        const char* bytes;
        const char* reason;
    };
    const QByteArray cover = "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    const Case cases[] = {
        {"", "vuoto"},
        {"abc\r\n", "numero dei tronchi acqua"},
        {"501\r\n", "da 0 a 500"},
        {"-1\r\n", "da 0 a 500"},
        {"2.5\r\n", "da 0 a 500"},
        {"\"1\"\r\n", "da 0 a 500"},
        {"1\r\n\"1\",\"2\"\r\n", "attesi 12 valori, trovati 2"},
        {"1\r\n\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\",\"12\","
         "\"13\"\r\n",
         "attesi 12 valori, trovati 13"},
        {"1\r\n", "finisce prima di tronco acqua n. 1"},
        {"0\r\n", "finisce prima di il numero dei tronchi gas"},
        {"0\r\n0\r\n", "finisce prima di frontespizio"},
        {"0\r\n1\r\n,,,,,,,,,,,,\r\n", "finisce prima di frontespizio"},
        {"0\r\n1\r\n,,,,,,,,,,,\r\n", "tronco gas n. 1"},
        {"0\r\n0\r\n\"a,\"b\",\"\",\"\",\"\",\"\",\"\"\r\n", "frontespizio"},
        {"0\r\n0\r\n\"abc,\"\",\"\",\"\",\"\",\"\",\"\"\r\n", "frontespizio"},
        {"0\r\n0\r\nabc,\"\",\"\",\"\",\"\",\"\",\"\"\r\n", "non è un numero"},
        {"0\r\n0\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n\"altro\"\r\n", "altre righe"},
        {"0\r\n0\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\"x\r\n", "virgolette"},
    };
    for (const Case& c : cases) {
        const QString reason = reasonFor(QByteArray(c.bytes));
        EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reason)))
            << c.bytes << " -> " << reason.toStdString();
    }
    // Blank lines after the last record are harmless, and so are bare LFs.
    EXPECT_TRUE(reasonFor("0\r\n0\r\n" + cover + "\r\n\r\n").isEmpty());
    EXPECT_TRUE(reasonFor("0\n\n\"\",\"\",\"\",\"\",\"\",\"\",\"\"").isEmpty());
}

TEST(ProjectFile, InvalidFileChangesNothing) {
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("Tubarex-dati-rotto"));
    writeFile(bad, "2\r\n\"1\",\"2\",\"3\",\"4\",\"5\",,,,,,,\r\n");

    ApplicationState state;
    state.project.water.StoreWaterCell(1, WaterColumn::lungh, QStringLiteral("42"));
    state.project.cover.progetto = QStringLiteral("Mio progetto");
    state.session.CurrentFileName = QStringLiteral("/tmp/precedente");
    const ApplicationState before = state;

    const QString message = LoadProjectFile(state, bad).error();
    EXPECT_TRUE(message.contains(bad)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("tronco acqua n. 2")));
    EXPECT_EQ(state.project.water.table(), before.project.water.table());
    EXPECT_EQ(state.project.water.count(), before.project.water.count());
    EXPECT_EQ(state.project.cover, before.project.cover);
    EXPECT_EQ(state.session.CurrentFileName, before.session.CurrentFileName);

    const QString missing = LoadProjectFile(state, dir.filePath(QStringLiteral("nessuno"))).error();
    EXPECT_TRUE(missing.startsWith(QStringLiteral("Impossibile aprire il file")));
}

TEST(ProjectFile, OpeningReplacesBothTablesWhole) {
    ApplicationState state;
    for (int r = 1; r <= 6; ++r) {
        state.project.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("9"));
        state.project.gas.TypeGasCell(r, GasColumn::lungh, QStringLiteral("9"));
    }
    state.view.WaterBandTop = 40;
    state.view.GasBandTop = 12;
    const QString path = fixture("Tubarex-dati-classico");
    ASSERT_TRUE(LoadProjectFile(state, path).ok());
    EXPECT_EQ(state.session.CurrentFileName, path);
    EXPECT_EQ(state.project.water.rows(), 3);
    EXPECT_EQ(state.project.gas.rows(), 2);
    EXPECT_TRUE(
        state.project.water.at(4, WaterColumn::lungh).isEmpty()); // no stale segment comes back
    EXPECT_TRUE(state.project.gas.at(3, GasColumn::lungh).isEmpty());
    EXPECT_EQ(state.view.WaterBandTop, 1);
    EXPECT_EQ(state.view.GasBandTop, 1);
    EXPECT_EQ(state.project.cover.progetto, QStringLiteral("Impianti palazzina"));
}

TEST(ProjectFile, TextsTheFileCannotHoldAreRefusedBeforeWriting) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
    writeFile(path, "vecchio contenuto");

    struct Case {
        void (*edit)(ApplicationState&);
        const char* names;
    };
    const Case cases[] = {
        {[](ApplicationState& s) { s.project.water.StoreWaterCell(2, WaterColumn::diam, "2\"5"); },
         "tronco n. 2 della rete acqua, colonna «diam»"},
        {[](ApplicationState& s) {
             s.project.gas.TypeGasCell(1, GasColumn::tipoc, QString::fromUtf8("Ω"));
         },
         "tronco n. 1 della rete gas, colonna «tipoc»"},
        {[](ApplicationState& s) { s.project.cover.localita = QStringLiteral("a\r\nb"); },
         "campo «località» del frontespizio"},
    };
    for (const Case& c : cases) {
        ApplicationState state;
        state.project.water.StoreWaterCell(1, WaterColumn::lungh, QStringLiteral("1"));
        state.project.water.StoreWaterCell(2, WaterColumn::lungh, QStringLiteral("1"));
        state.project.gas.TypeGasCell(1, GasColumn::lungh, QStringLiteral("1"));
        c.edit(state);
        const QString message = SaveProjectFile(state.project, path).error();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.names))) << message.toStdString();
        EXPECT_EQ(readFile(path), QByteArray("vecchio contenuto"));
    }
}

TEST(ProjectFile, FailedWritesAreReportedAndLeaveTheOldFile) {
    ApplicationState state;
    state.project.cover.progetto = QStringLiteral("x");
    FailingDevice device;
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    EXPECT_TRUE(
        WriteProjectFile(state.project, device).error().contains(QStringLiteral("disco pieno")));

    QTemporaryDir dir;
    const QString nowhere = dir.filePath(QStringLiteral("manca/Tubarex-dati-x"));
    const QString message = SaveProjectFile(state.project, nowhere).error();
    EXPECT_TRUE(message.contains(nowhere)) << message.toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));

    // A successful save replaces the old file whole.
    const QString path = dir.filePath(QStringLiteral("Tubarex-dati-x"));
    writeFile(path, QByteArray(5000, 'z'));
    ASSERT_TRUE(SaveProjectFile(state.project, path).ok());
    EXPECT_EQ(readFile(path), build(state));

    // A disk that fills up halfway: the save fails and the old file stays.
    const QByteArray saved = readFile(path);
    state.project.cover.progetto = QString(300, QLatin1Char('p'));
    {
        UnwritableFolder full(dir.path());
        EXPECT_FALSE(SaveProjectFile(state.project, path).ok());
    }
    EXPECT_EQ(readFile(path), saved);
}

// Only a regular file is read, and never more than a data file can hold: a
// pipe, a device or a folder is refused at once, without waiting on it.
TEST(ProjectFile, ReadsOnlyRegularFilesOfSaneSize) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("cartella"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString huge = dir.filePath(QStringLiteral("Tubarex-dati-enorme"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(MaxReadSize + 1)); // sparse: no disk space taken
    }
    QStringList paths{dir.filePath(QStringLiteral("nessuno")), folder, huge};
    const QString fifo = dir.filePath(QStringLiteral("Tubarex-dati-pipe"));
    if (MakeFifo(fifo))
        paths << fifo;
    if (!EndlessDevice().isEmpty())
        paths << EndlessDevice();

    for (const QString& path : paths) {
        ApplicationState state;
        state.project.cover.progetto = QStringLiteral("Mio progetto");
        const QString message = LoadProjectFile(state, path).error();
        EXPECT_TRUE(message.startsWith(QStringLiteral("Impossibile aprire il file")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        EXPECT_EQ(state.project.cover.progetto, QStringLiteral("Mio progetto"));
        EXPECT_TRUE(state.session.CurrentFileName.isEmpty());
    }
}

// An existing pipe or folder given as the file to save is refused and stays
// what it was; nothing is left beside it.
TEST(ProjectFile, SaveNeverReplacesAPipeOrAFolder) {
    QTemporaryDir dir;
    ApplicationState state;
    state.project.cover.progetto = QStringLiteral("x");
    const QString folder = dir.filePath(QStringLiteral("Tubarex-dati-cartella"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList targets{folder};
    const QString fifo = dir.filePath(QStringLiteral("Tubarex-dati-pipe"));
    if (MakeFifo(fifo))
        targets << fifo;
    for (const QString& target : targets) {
        const QString message = SaveProjectFile(state.project, target).error();
        EXPECT_TRUE(message.contains(target)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("non è stato modificato")))
            << message.toStdString();
        EXPECT_TRUE(QFileInfo::exists(target));
        EXPECT_FALSE(QFileInfo(target).isFile()) << target.toStdString();
    }
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
        targets.size());
}

// A bad value is quoted in the message by a short prefix, with control
// characters made visible: a huge token gives a short message, and no escape
// sequence reaches a terminal.
TEST(ProjectFile, MessagesQuoteAShortVisiblePrefixOfABadValue) {
    const QByteArray bad = QByteArray(100000, 'x') + "\x1b[31m\x07";
    const QByteArray cover = "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
    const QByteArray files[] = {
        bad + "\r\n",
        "1\r\n\"" + bad + "\"x,,,,,,,,,,,\r\n",
        "0\r\n0\r\n" + bad + ",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
        "0\r\n\x1b]0;titolo\x07\r\n" + cover,
    };
    for (const QByteArray& file : files) {
        const QString reason = reasonFor(file);
        ASSERT_FALSE(reason.isEmpty());
        EXPECT_LT(reason.size(), 300) << reason.left(300).toStdString();
        for (const QChar c : reason)
            EXPECT_FALSE(c.category() == QChar::Other_Control) << reason.toStdString();
    }
    const QString reason = reasonFor(files[0]);
    EXPECT_TRUE(reason.contains(QStringLiteral("«xxxx"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("…»"))) << reason.toStdString();
    EXPECT_TRUE(reasonFor(files[3]).contains(QStringLiteral("<1B>]0;titolo<07>")))
        << reasonFor(files[3]).toStdString();
}
