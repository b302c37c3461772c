#include "NetworkRows.h"

#include "core/editing/TableEditing.h"
#include "core/file/ExtensionBlock.h"
#include "core/file/ProjectFile.h"

#include <gtest/gtest.h>

namespace {

QByteArray build(const ApplicationState& state, FileRows rows = FileRows::Counted) {
    const Result<QByteArray> built = BuildProjectFile(state.project, rows);
    EXPECT_TRUE(built.ok()) << built.error().toStdString();
    return built ? built.value() : QByteArray();
}

// Three water and three gas segments, the cover named, as written.
ApplicationState project() {
    ApplicationState s;
    StoreWaterNetwork(s, std::vector<WaterSegment>(3));
    StoreGasNetwork(s, std::vector<GasSegment>(3));
    s.project.cover.progetto = QStringLiteral("Villetta");
    return s;
}

const QByteArray Classic = "3\r\n"
                           "\"100\",\"100\",\"10\",\"liscio\",\"0.002\",,,,,,,\r\n"
                           "\"100\",\"100\",\"10\",\"liscio\",\"0.002\",,,,,,,\r\n"
                           "\"100\",\"100\",\"10\",\"liscio\",\"0.002\",,,,,,,\r\n"
                           "3\r\n"
                           ",,,,,,,\"10\",\"1''\",\"2\",\"metano\",\"27.9\",1.51E-05\r\n"
                           ",,,,,,,\"10\",\"1''\",\"2\",\"metano\",\"27.9\",1.51E-05\r\n"
                           ",,,,,,,\"10\",\"1''\",\"2\",\"metano\",\"27.9\",1.51E-05\r\n"
                           "\"Villetta\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

// A block of version `version` holding `entries`.
QByteArray block(const char* entries, int version = 1) {
    return "\"Tubarex dati aggiuntivi\"," + QByteArray::number(version) + "\r\n" + entries +
           "\"fine dati aggiuntivi\"\r\n";
}

const char* const Unknown = "\"colore tubi\",\"rosso\",,3.5\r\n"
                            "\"limiti gas\",0.5,1\r\n"
                            "\"nota\",\"a, b\"\r\n";

} // namespace

TEST(ExtensionBlock, WrittenAfterTheCoverOnlyWhenUsedAndReadBack) {
    ApplicationState s = project();
    // Limits and the report option set back to their defaults leave nothing.
    SetWaterLimits(s, {.velocity = 3.0, .head = 12.0});
    SetReportVerification(s, true);
    SetWaterLimits(s, {});
    SetReportVerification(s, false);
    EXPECT_EQ(build(s), Classic);

    s.project.water.setUpstream(3, 1);
    s.project.gas.setUpstream(2, 0);
    SetWaterLimits(s, {.velocity = 1.5, .head = 20.0});
    SetGasLimits(s, {0.8, 2.0});
    SetReportVerification(s, true);
    const QByteArray bytes = Classic + block("\"tronchi a monte acqua\",,,1\r\n"
                                             "\"tronchi a monte gas\",,0\r\n"
                                             "\"limiti acqua\",1.5,20\r\n"
                                             "\"limiti gas\",0.8,2\r\n"
                                             "\"verifica nella relazione\",1\r\n");
    EXPECT_EQ(build(s), bytes);
    ApplicationState read;
    ASSERT_TRUE(LoadProjectBytes(read, bytes, QStringLiteral("prova")));
    EXPECT_EQ(Upstreams(read.project.water.table(), 3), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Upstreams(read.project.gas.table(), 3), (std::vector<int>{0, 0, 2}));
    EXPECT_EQ(read.project.extension().waterLimits, (WaterLimits{.velocity = 1.5, .head = 20.0}));
    EXPECT_EQ(read.project.extension().gasLimits, (GasLimits{0.8, 2.0}));
    EXPECT_TRUE(read.project.extension().reportVerification);
    EXPECT_EQ(build(read), bytes);

    // Entries this version does not know are kept in their place; a known
    // entry changed is written where it stood, one added after.
    ASSERT_TRUE(LoadProjectBytes(read, Classic + block(Unknown, 2), QStringLiteral("prova")));
    EXPECT_EQ(read.project.extension().gasLimits, (GasLimits{0.5, 1.0}));
    EXPECT_EQ(build(read), Classic + block(Unknown, 2));
    SetGasLimits(read, {0.6, 1.0});
    SetReportVerification(read, true);
    EXPECT_EQ(build(read), Classic + block("\"colore tubi\",\"rosso\",,3.5\r\n"
                                           "\"limiti gas\",0.6,1\r\n"
                                           "\"nota\",\"a, b\"\r\n"
                                           "\"verifica nella relazione\",1\r\n",
                                           2));
}

// An entry that holds what the project holds without it is not written
// back, so what the project writes reads again as the same project.
TEST(ExtensionBlock, AnEntryHoldingTheDefaultReadsAsNone) {
    const struct {
        const char* entries;
        QByteArray written;
    } cases[] = {
        {"\"tronchi a monte gas\",,,2\r\n\"nota\",\"a, b\"\r\n",
         Classic + block("\"nota\",\"a, b\"\r\n")},
        {"\"limiti gas\",1,2\r\n\"verifica nella relazione\",0\r\n", Classic},
    };
    for (const auto& c : cases) {
        ApplicationState first;
        ASSERT_TRUE(LoadProjectBytes(first, Classic + block(c.entries), QStringLiteral("prova")));
        EXPECT_EQ(build(first), c.written) << c.entries;
        ApplicationState second;
        ASSERT_TRUE(LoadProjectBytes(second, build(first), QStringLiteral("prova")));
        EXPECT_EQ(second.project.extension(), first.project.extension()) << c.entries;
    }
}

// The heights, the concentrated losses, the pressures and the gas options,
// each written only where it is not the default, and read back.
TEST(ExtensionBlock, HeightsAndPressuresGoRoundTrip) {
    ApplicationState s = project();
    s.project.water.setElevationValue(2, WaterColumn::disl, 3.0);
    s.project.water.setElevationValue(3, WaterColumn::disl, -1.5);
    s.project.water.setElevationValue(1, WaterColumn::pconc, 2.5);
    s.project.water.setElevationValue(3, WaterColumn::pmin, 150.0);
    s.project.gas.setElevationValue(3, GasColumn::disl, 6.0);
    s.project.gas.setElevationValue(1, GasColumn::pconc, 0.3);
    WaterLimits water;
    water.sourceKPa = 350;
    water.staticKPa = 600;
    SetWaterLimits(s, water);
    GasLimits gas;
    gas.heightEffect = HeightEffect::Full;
    gas.regulator = true;
    SetGasLimits(s, gas);
    const QByteArray bytes = Classic + block("\"dislivelli acqua\",,3,-1.5\r\n"
                                             "\"perdite concentrate acqua\",2.5\r\n"
                                             "\"pressioni acqua\",350,,600,\r\n"
                                             "\"minimi terminali acqua\",3,150\r\n"
                                             "\"dislivelli gas\",,,6\r\n"
                                             "\"perdite concentrate gas\",0.3\r\n"
                                             "\"effetto dislivelli gas\",\"completo\"\r\n"
                                             "\"regolatore a monte del contatore\",1\r\n");
    EXPECT_EQ(build(s), bytes);
    ApplicationState read;
    ASSERT_TRUE(LoadProjectBytes(read, bytes, QStringLiteral("prova")));
    EXPECT_EQ(read.project.water.table(), s.project.water.table());
    EXPECT_EQ(read.project.gas.table(), s.project.gas.table());
    EXPECT_EQ(read.project.extension().waterLimits, water);
    EXPECT_EQ(read.project.extension().gasLimits, gas);
    EXPECT_EQ(build(read), bytes);
    // Every value given, the defaults among them as the file may hold them.
    ASSERT_TRUE(LoadProjectBytes(read, Classic + block("\"pressioni acqua\",300,120,,450\r\n"),
                                 QStringLiteral("prova")));
    const WaterLimits& l = read.project.extension().waterLimits;
    EXPECT_EQ(l.minimumKPa, 120);
    EXPECT_EQ(l.staticLimitKPa, 450);
    EXPECT_FALSE(l.staticKPa);
}

TEST(ExtensionBlock, TheCopyOfUnsavedWorkKeepsTheTreeOfEveryRowItHolds) {
    // A blank row left by an inserted row: the copy holds every row through
    // the last with an input, and the upstream segments with them.
    ApplicationState s = project();
    WaterEditing(s)->insertRow(2);
    ASSERT_EQ(s.project.water.rows(), 3);
    ApplicationState read;
    ASSERT_TRUE(
        LoadProjectBytes(read, build(s, FileRows::ThroughLastInput), QStringLiteral("copia")));
    EXPECT_EQ(Upstreams(read.project.water.table(), 4), (std::vector<int>{0, 1, 1, 3}));
}

TEST(ExtensionBlock, AMalformedBlockIsRefusedAndNothingIsLost) {
    struct Case {
        QByteArray block;
        const char* reason;
    };
    const Case cases[] = {
        {"\"altro\"\r\n", "riga 10: dopo i dati del frontespizio il file contiene altre righe."},
        {block("", 0), "la versione dei dati aggiuntivi deve essere un numero intero"},
        {"\"Tubarex dati aggiuntivi\",1\r\n\"limiti gas\",1,2\r\n",
         "il file finisce prima della riga che chiude i dati aggiuntivi"},
        {block("\"tronchi a monte gas\",,3\r\n"),
         "riga 11 (tronchi a monte gas): il tronco a monte del tronco n. 2 deve essere un numero "
         "intero da 0 a 1, trovato «3»."},
        {block("\"tronchi a monte acqua\",0,0,0,0\r\n"), "4 valori, ma i tronchi acqua sono 3."},
        {block("\"limiti acqua\",0,\r\n"), "valore 2: atteso un numero maggiore di zero"},
        {block("\"limiti gas\",1\r\n"), "attesi 3 valori, trovati 2"},
        {block("\"verifica nella relazione\",2\r\n"), "atteso 0 oppure 1"},
        {block("\"serie acqua\",3\r\n"), "atteso il nome della serie tra virgolette"},
        {block("\"serie acqua\",\"s\"\r\n\"diametri serie acqua\",10,,12,\r\n"
               "\"prezzi serie acqua\",1,-2\r\n"),
         "(prezzi serie acqua): valore 3: atteso un numero non negativo, trovato «-2»."},
        {block("\"serie acqua\",\"s\"\r\n\"diametri serie acqua\",10,,12,\r\n"
               "\"prezzi serie acqua\",1\r\n"),
         "i prezzi sono 1 e i diametri della serie"},
        {block("\"limiti gas\",1,2\r\n\"limiti gas\",1,2\r\n"),
         "la voce «limiti gas» compare due volte"},
        {block("12,\"x\"\r\n"), "ogni voce deve cominciare con il suo nome tra virgolette"},
        {block("\"nota\",\"a\"b\"\r\n"), "testo tra virgolette non valido"},
        {block("") + "\"altro\"\r\n", "dopo i dati aggiuntivi il file contiene altre righe"},
        {block("\"utenze acqua\",9,\"lavabo\",1\r\n"),
         "(utenze acqua): valore 2: atteso un numero intero da 1 a 3, trovato «9»."},
        {block("\"utenze gas\",1,\"caldaia\",0,1\r\n"),
         "valore 4: atteso un numero maggiore di zero, trovato «0»."},
        {block("\"tipi utenze acqua\",\"lavabo\",0.1\r\n"), "attesi gruppi di 4 valori"},
        {block("\"metodo portate acqua\",\"DIN 1988-300\",\"villette\"\r\n"),
         "atteso il tipo di edificio"},
        {block("\"metodo portate acqua\",\"curva di contemporaneit\xe0\",\"c\"\r\n"),
         "il metodo nomina la curva «c», ma il file non ne porta i punti"},
        {block("\"curva portate acqua\",\"c\",10,0.6,1,0.1\r\n"),
         "le unità di carico del punto 2 devono superare quelle del punto precedente"},
        {block("\"contemporaneit\xe0 gas\",2,1.5\r\n"), "il coefficiente non può superare 1"},
        {block("\"dislivelli acqua\",1,2,3,4\r\n"), "4 valori, ma i tronchi acqua sono 3."},
        {block("\"perdite concentrate gas\",,-0.1\r\n"),
         "(perdite concentrate gas): valore 3 (tronco n. 2): atteso un numero non negativo"},
        {block("\"dislivelli gas\",\"su\"\r\n"), "valore 2 (tronco n. 1): atteso un numero,"},
        {block("\"pressioni acqua\",300,100\r\n"), "attesi 5 valori, trovati 3"},
        {block("\"pressioni acqua\",-3,,,\r\n"), "valore 2: atteso un numero maggiore di zero"},
        {block("\"minimi terminali acqua\",4,150\r\n"),
         "valore 2: atteso un numero intero da 1 a 3, trovato «4»."},
        {block("\"effetto dislivelli gas\",\"tutto\"\r\n"),
         "valore 2: atteso \"completo\" oppure \"non considerato\"."},
        {block("\"regolatore a monte del contatore\",3\r\n"), "atteso 0 oppure 1"},
    };
    for (const Case& c : cases) {
        ApplicationState s = project();
        s.project.water.setUpstream(2, 0);
        const ApplicationState before = s;
        const Result<> loaded = LoadProjectBytes(s, Classic + c.block, QStringLiteral("prova"));
        const QString& message = loaded.error();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.reason)))
            << c.block.constData() << " -> " << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral("Il file non è stato aperto e i dati presenti "
                                                    "non sono cambiati.")));
        EXPECT_EQ(s.project.water.table(), before.project.water.table());
        EXPECT_EQ(s.project.extension(), before.project.extension());
    }
    // Blank lines around the block are harmless.
    EXPECT_TRUE(ParseProjectFile(
        Classic + "\r\n\"Tubarex dati aggiuntivi\",1\r\n\r\n\"fine dati aggiuntivi\"\r\n\r\n"));
}
