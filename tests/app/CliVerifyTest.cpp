#include "CliRun.h"
#include "NetworkRows.h"
#include "UnwritableFolder.h"

#include "core/file/ProjectFile.h"
#include "core/model/Sizing.h"
#include "core/model/Verification.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QJsonValue json(const CliRun& r) {
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

QJsonObject object(const char* text) {
    return QJsonDocument::fromJson(text).object();
}

// A gas tree within its limits (paths 1-2 and 1-3), no water.
ApplicationState passing() {
    ApplicationState s;
    s.project.cover.progetto = QStringLiteral("Villetta");
    StoreGasNetwork(s, GasTree({0, 1, 1}));
    return s;
}

// Water at 20 l/s in 100 mm: 2.55 m/s, over the limit.
ApplicationState tooFast() {
    ApplicationState s;
    s.project.cover.progetto = QStringLiteral("Scuola");
    StoreWaterNetwork(s, {{100, 100, 10}, {100, 100, 20}});
    SetWaterLimits(s, {.velocity = 2.0, .head = 12.0});
    return s;
}

// A gas segment without its pipe type.
ApplicationState incomplete() {
    ApplicationState s;
    s.project.cover.progetto = QStringLiteral("Incompleto");
    StoreGasNetwork(s, std::vector<GasSegment>(2));
    s.project.gas.TypeGasCell(2, GasColumn::tipoc, QString());
    return s;
}

// Project files in a folder of their own.
class CliVerifyTest : public ::testing::Test {
protected:
    QString save(const char* name, const ApplicationState& s) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(SaveProjectFile(s.project, path).ok());
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CliVerifyTest, VerdictsAndExitStatus) {
    // One line per network, its verdict as the project's data give it.
    const std::pair<ApplicationState, int> cases[] = {
        {passing(), 0}, {tooFast(), 1}, {incomplete(), 1}};
    for (const auto& [state, status] : cases) {
        const CliRun r = cli({QStringLiteral("verify"), save("Tubarex-dati", state)});
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("acqua: %1\ngas: %2\n")
                             .arg(VerdictText(state.project.waterVerification()),
                                  VerdictText(state.project.gasVerification())));
    }
    // Several files: one block each, the worst status; a file that cannot
    // be read is told on standard error.
    const CliRun all = cli({QStringLiteral("verify"), save("a", passing()),
                            QStringLiteral("/nessuno/file"), save("b", tooFast())});
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out.count(QStringLiteral("Progetto: ")), 2);
    EXPECT_TRUE(all.err.contains(QStringLiteral("/nessuno/file")));
}

TEST_F(CliVerifyTest, JsonHasTheDocumentedShape) {
    const CliRun r = cli({QStringLiteral("verify"), QStringLiteral("--json"),
                          save("Tubarex-dati-veloce", tooFast())});
    EXPECT_EQ(r.status, 1);
    QJsonObject root = json(r).toObject();
    QJsonObject water = root.take(u"water").toObject();
    EXPECT_EQ(root, object(R"({"gas": null, "passed": false, "status": 1})"));
    // Segment 2: 8 m of its own, 10 m along its path, at 2.55 m/s.
    QJsonObject row = water.take(u"rows").toArray().at(1).toObject();
    EXPECT_NEAR(row.take(u"velocity").toDouble(), 2.5464790894703, 1e-12);
    EXPECT_EQ(row, object(R"({"tronco": 2, "monte": 1, "loss": 8, "path_loss": 10, "height": 0,)"
                          R"( "concentrated": 0, "pressure": null})"));
    EXPECT_EQ(water.take(u"paths").toArray().at(0).toObject(),
              object(R"({"terminal": 2, "rows": [1, 2], "loss": 10, "limit": 12, "total": 10,)"
                     R"( "residual": null, "minimum": null, "margin": 2, "static_pressure": null,)"
                     R"( "reason": "velocità 2,55 m/s nel tronco n. 2", "passed": false})"));
    EXPECT_EQ(water, object(R"({"critical": 2, "critical_terminal": 2, "passed": false,)"
                            R"( "limits": {"velocity": 2, "head": 12, "source_pressure": null,)"
                            R"( "minimum_pressure": 100, "static_pressure": null,)"
                            R"( "static_limit": 500}})"));

    // Gas limits, a path without a head; several files as a list.
    const QString file = save("Tubarex-dati-rispetta", passing());
    const QJsonArray list = json(cli({QStringLiteral("verify"), QStringLiteral("--json"), file,
                                      QStringLiteral("/nessuno/file")}))
                                .toArray();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0)[u"file"].toString(), file);
    const QJsonValue gas = list.at(0)[u"gas"];
    EXPECT_EQ(gas[u"limits"].toObject(),
              object(R"({"metano": 1, "GPL": 2, "height_effect": "a favore di sicurezza",)"
                     R"( "regulator": false})"));
    EXPECT_FALSE(gas[u"rows"][0].toObject().contains(u"velocity"));
    EXPECT_TRUE(list.at(1).toObject().contains(u"error"));
}

TEST_F(CliVerifyTest, SizeWritesTheProjectThatComplies) {
    // 1.5 and 0.3 l/s in 1/2'' steel: 36.0 mm for the first, the second
    // stays; gas 2.5 m³/h through six 1/2'' segments, over 1.0 mbar.
    ApplicationState s;
    s.project.cover.progetto = QStringLiteral("Scuola");
    StoreWaterNetwork(s, {{20, 16.1, 1.5}, {10, 16.1, 0.3}});
    StoreGasNetwork(s, std::vector<GasSegment>(6, {8, 2, 2.5}));
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-dimensionato"));
    const CliRun r = cli({QStringLiteral("size"), save("Tubarex-dati-da-dimensionare", s), out,
                          QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonValue root = json(r);
    EXPECT_EQ(root[u"water"].toObject(),
              object(R"j({"passed": true, "series": "acciaio zincato (serie media)",)j"
                     R"( "rows": [{"tronco": 1, "from": 16.1, "to": 36.0}]})"));
    EXPECT_EQ(root[u"gas"][u"rows"][0][u"from"], QStringLiteral("1/2''"));
    EXPECT_TRUE(root[u"gas"][u"passed"].toBool());
    // The project written complies, and keeps its series.
    EXPECT_EQ(cli({QStringLiteral("verify"), out}).status, 0);
    ApplicationState sized;
    ASSERT_TRUE(LoadProjectFile(sized, out).ok());
    EXPECT_EQ(sized.project.extension().waterSeries,
              QStringLiteral("acciaio zincato (serie media)"));
}

// The text output writes diameters with the decimal comma of its verdicts.
TEST_F(CliVerifyTest, SizeTellsTheChangesInItalian) {
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 16.1, 1.5}, {10, 16.1, 0.3}});
    const CliRun r = cli({QStringLiteral("size"), save("Tubarex-dati-da-dimensionare", s),
                          dir.filePath(QStringLiteral("Tubarex-dati-dimensionato"))});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\n     1  16,1        36\n")))
        << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("16.1"))) << r.out.toStdString();
}

// An OUT that cannot be written gets its reason, once, and no table of
// changes that would read like a success; the previous file is named only
// where there was one.
TEST_F(CliVerifyTest, SizeTellsNothingButTheReasonWhenOutIsNotWritten) {
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 16.1, 1.5}});
    const QString project = save("Tubarex-dati-da-dimensionare", s);
    const QString locked = dir.filePath(QStringLiteral("chiusa"));
    ASSERT_TRUE(QDir().mkpath(locked));
    const QString previous = QDir(locked).filePath(QStringLiteral("Tubarex-dati-vecchio"));
    {
        QFile old(previous);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
    }
    const struct {
        QString out;
        bool kept;
    } cases[] = {{dir.filePath(QStringLiteral("manca/Tubarex-dati-nuovo")), false},
                 {previous, true}};
    for (const auto& c : cases) {
        CliRun r;
        {
            const UnwritableFolder unwritable(locked);
            r = cli({QStringLiteral("size"), project, c.out});
        }
        const std::string what = c.out.toStdString() + ": " + r.err.toStdString();
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("tubarex-cli: Impossibile salvare il file «")))
            << what;
        EXPECT_EQ(r.err.count(u'\n'), 1) << what;
        EXPECT_FALSE(r.err.contains(u'(')) << what;
        EXPECT_EQ(r.err.endsWith(QStringLiteral(". Il file precedente non è stato modificato.\n")),
                  c.kept)
            << what;
    }
    QFile old(previous);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("vecchio contenuto"));
}

// A series the project names that this machine does not know is an error of
// the file (exit status 2), as one named on the command line.
TEST_F(CliVerifyTest, SizeRefusesAnUnknownSeriesOfTheProject) {
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 16.1, 1.5}});
    s.project.setWaterSeries(QStringLiteral("ghisa di prova"));
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-dimensionato"));
    const CliRun r = cli({QStringLiteral("size"), save("Tubarex-dati-ghisa", s), out});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, QStringLiteral("tubarex-cli: La serie «ghisa di prova» del progetto non è tra "
                                    "quelle disponibili: indicarne una con --series.\n"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(CliVerifyTest, SizeRefusesWhatNoSizeCanMeet) {
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-mai"));
    const CliRun fast = cli({QStringLiteral("size"), save("veloce", tooFast()), out,
                             QStringLiteral("--series"), QStringLiteral("multistrato")});
    EXPECT_EQ(fast.status, 1);
    // The refusal the sizing gives, told on standard error.
    EXPECT_TRUE(
        fast.err.contains(SizeWaterNetwork(tooFast().project, ShippedWaterSeries().at(2)).message))
        << fast.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    const CliRun unknown = cli({QStringLiteral("size"), save("rispetta", passing()), out,
                                QStringLiteral("--series=ghisa")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("la serie «ghisa» non esiste")));
    EXPECT_FALSE(QFileInfo::exists(out));
}

// flows writes the design flows of the utenze and tells them once OUT holds
// them; verify names the flows that differ; without utenze nothing is done.
TEST_F(CliVerifyTest, FlowsWritesTheDesignFlowsOfTheUtenze) {
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 26, 1}, {10, 16.1, 0.3}});
    const QString plain = save("Tubarex-dati-senza-utenze", s);
    s.project.water.SetWaterOutlets(2, {{QStringLiteral("doccia"), 2}});
    SetWaterFlows(s, {WaterFlowMethod::Sum, {}, {}, {{QStringLiteral("doccia"), 0.2, 2, {}}}});
    const QString project = save("Tubarex-dati-utenze", s);

    const CliRun verified = cli({QStringLiteral("verify"), project});
    EXPECT_TRUE(verified.out.contains(
        QStringLiteral("acqua: le portate dei tronchi 1, 2 non corrispondono alle utenze")))
        << verified.out.toStdString();

    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-portate"));
    const CliRun r = cli({QStringLiteral("flows"), project, out, QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(r.out.toUtf8())
                                .object()[QStringLiteral("water")][QStringLiteral("rows")]
                                .toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("design_flow")].toDouble(), 0.4);
    EXPECT_EQ(rows[1].toObject()[QStringLiteral("flow_before")].toDouble(), 0.3);
    ApplicationState written;
    ASSERT_TRUE(LoadProjectFile(written, out).ok());
    EXPECT_EQ(written.project.water.at(1, WaterColumn::port).value(), 0.4);
    EXPECT_TRUE(written.project.rowsWithOtherFlows(NetworkKind::Water).empty());
    const CliRun again = cli({QStringLiteral("flows"), out, out});
    EXPECT_TRUE(
        again.out.contains(QStringLiteral("tronco 2: Σq 0,4 l/s, portata 0,4 l/s (invariata)")))
        << again.out.toStdString();

    const CliRun none = cli({QStringLiteral("flows"), plain, out});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("non ha utenze")));
}

TEST_F(CliVerifyTest, ReportCarriesTheDesignFlowsWhenAsked) {
    // Water by DIN 1988-300 for a dwelling; gas with a boiler and a hob.
    ApplicationState s;
    StoreWaterNetwork(s, {{20, 26, 1}, {10, 16.1, 0.3}});
    StoreGasNetwork(s, {{}});
    s.project.water.SetWaterOutlets(2, {{QStringLiteral("doccia"), 2}});
    s.project.gas.SetGasAppliances(
        1, {{QStringLiteral("caldaia"), 24, 1}, {QStringLiteral("piano cottura"), 7.5, 1}});
    SetWaterFlows(s, {WaterFlowMethod::Din,
                      QStringLiteral("abitazioni"),
                      {},
                      {{QStringLiteral("doccia"), 0.15, 0, {}}}});
    const QString plain = save("Tubarex-dati-senza-sezione", s);
    SetReportFlows(s, true);
    const QString asked = save("Tubarex-dati-con-sezione", s);
    const auto reportText = [&](const QString& project) {
        const QString out = dir.filePath(QStringLiteral("relazione.txt"));
        EXPECT_EQ(cli({QStringLiteral("report"), project, QStringLiteral("--text"), out}).status,
                  0);
        QFile f(out);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromUtf8(f.readAll()).simplified();
    };
    EXPECT_FALSE(reportText(plain).contains(QStringLiteral("PORTATE DI PROGETTO")));
    const QString text = reportText(asked);
    for (const char* expected :
         {"PORTATE DI PROGETTO", "Vs = a·(ΣVR)^b − c in l/s, con a = 1,48, b = 0,19, c = 0,94",
          // 1.48 · 0.3^0.19 − 0.94 = 0.2374, above the largest VR, 0.15.
          "2 ΣVR 0,30 l/s 0,237 l/s 2 × doccia",
          "1 ΣP 31,50 kW 3,294 m³/h 1 × caldaia 24 kW, 1 × piano cottura 7,5 kW"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << text.toStdString();
}

TEST_F(CliVerifyTest, FlowsRefusesWhatCannotBeComputedAndWritesNothing) {
    ApplicationState unknownType;
    StoreWaterNetwork(unknownType, {{20, 26, 1}});
    unknownType.project.water.SetWaterOutlets(1, {{QStringLiteral("fontana"), 1}});
    ApplicationState noGas;
    StoreGasNetwork(noGas, {{.gas = ""}});
    noGas.project.gas.SetGasAppliances(1, {{QStringLiteral("caldaia"), 24, 1}});
    const std::pair<const ApplicationState*, const char*> cases[] = {
        {&unknownType, "rete acqua: il tipo «fontana» del tronco 1 non è tra quelli del progetto"},
        // A segment without its gas fails the input check first.
        {&noGas, "rete gas: Tronco n. 1:"}};
    for (const auto& [state, message] : cases) {
        const QString project = save("Tubarex-dati-rifiutato", *state);
        const QString out = dir.filePath(QStringLiteral("Tubarex-dati-non-scritto"));
        const CliRun r = cli({QStringLiteral("flows"), project, out});
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << message;
    }
}
