#include "CliRun.h"
#include "NetworkRows.h"

#include "core/ProjectFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList keys(const QJsonObject& object) {
    QStringList k = object.keys();
    k.sort();
    return k;
}

// Project files in a folder of their own.
class CliVerifyTest : public ::testing::Test {
protected:
    QString save(const char* name, const ApplicationState& s) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(SaveProjectFile(s, path).isEmpty());
        return path;
    }
    // A gas tree within its limits: paths 1-2 and 1-3.
    QString passing() {
        ApplicationState s;
        s.cover.progetto = QStringLiteral("Villetta");
        std::vector<GasSegment> gas(3);
        gas[2].upstream = 1;
        StoreGasNetwork(s, gas);
        return save("Tubarex-dati-rispetta", s);
    }
    // Water at 20 l/s in 100 mm: 2.55 m/s, over the limit.
    QString tooFast() {
        ApplicationState s;
        s.cover.progetto = QStringLiteral("Scuola");
        StoreWaterNetwork(s, {{100, 100, 10}, {100, 100, 20}});
        SetWaterLimits(s, {2.0, 12.0});
        return save("Tubarex-dati-veloce", s);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CliVerifyTest, VerdictsAndExitStatus) {
    const CliRun ok = cli({QStringLiteral("verify"), passing()});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, QStringLiteral("acqua: La rete acqua non ha tronchi da verificare.\n"
                                     "gas: La rete gas rispetta il limite di 1,0 mbar: percorso "
                                     "critico 1-2, 0,12 mbar.\n"));
    const CliRun fast = cli({QStringLiteral("verify"), tooFast()});
    EXPECT_EQ(fast.status, 1);
    EXPECT_TRUE(fast.out.startsWith(QStringLiteral("acqua: La rete acqua supera il limite di "
                                                   "velocità di 2,0 m/s nel tronco n. 2 (2,55 "
                                                   "m/s)")));
    // Several files: one block each, the worst status; a file that cannot
    // be read is told on standard error.
    const CliRun all =
        cli({QStringLiteral("verify"), passing(), QStringLiteral("/nessuno/file"), tooFast()});
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out.count(QStringLiteral("Progetto: ")), 2);
    EXPECT_TRUE(all.err.contains(QStringLiteral("/nessuno/file")));
}

TEST_F(CliVerifyTest, JsonHasTheDocumentedShape) {
    const CliRun r = cli({QStringLiteral("verify"), QStringLiteral("--json"), tooFast()});
    EXPECT_EQ(r.status, 1);
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(keys(root), (QStringList{"gas", "passed", "status", "water"}));
    EXPECT_TRUE(root.value(QStringLiteral("gas")).isNull());
    EXPECT_EQ(root.value(QStringLiteral("status")).toInt(), 1);
    EXPECT_FALSE(root.value(QStringLiteral("passed")).toBool());

    const QJsonObject water = root.value(QStringLiteral("water")).toObject();
    EXPECT_EQ(keys(water), (QStringList{"critical", "limits", "passed", "paths", "rows"}));
    const QJsonObject limits = water.value(QStringLiteral("limits")).toObject();
    EXPECT_EQ(limits.value(QStringLiteral("velocity")).toDouble(), 2.0);
    EXPECT_EQ(limits.value(QStringLiteral("head")).toDouble(), 12.0);
    const QJsonObject row = water.value(QStringLiteral("rows")).toArray().at(1).toObject();
    EXPECT_EQ(keys(row), (QStringList{"loss", "monte", "path_loss", "tronco", "velocity"}));
    EXPECT_EQ(row.value(QStringLiteral("monte")).toInt(), 1);
    EXPECT_DOUBLE_EQ(row.value(QStringLiteral("loss")).toDouble(), 8.0);
    EXPECT_DOUBLE_EQ(row.value(QStringLiteral("path_loss")).toDouble(), 10.0);
    EXPECT_NEAR(row.value(QStringLiteral("velocity")).toDouble(), 2.5464790894703, 1e-12);
    const QJsonObject path = water.value(QStringLiteral("paths")).toArray().at(0).toObject();
    EXPECT_EQ(keys(path), (QStringList{"limit", "loss", "passed", "rows", "terminal"}));
    EXPECT_EQ(path.value(QStringLiteral("rows")).toArray(), (QJsonArray{1, 2}));
    EXPECT_EQ(water.value(QStringLiteral("critical")).toInt(), 2);

    // Gas limits, a path without a head; several files as a list.
    const CliRun both = cli({QStringLiteral("verify"), QStringLiteral("--json"), passing(),
                             QStringLiteral("/nessuno/file")});
    const QJsonArray list = QJsonDocument::fromJson(both.out.toUtf8()).array();
    ASSERT_EQ(list.size(), 2);
    const QJsonObject gas = list.at(0).toObject().value(QStringLiteral("gas")).toObject();
    EXPECT_EQ(keys(gas.value(QStringLiteral("limits")).toObject()), (QStringList{"GPL", "metano"}));
    EXPECT_FALSE(gas.value(QStringLiteral("rows"))
                     .toArray()
                     .at(0)
                     .toObject()
                     .contains(QStringLiteral("velocity")));
    EXPECT_EQ(list.at(0).toObject().value(QStringLiteral("file")).toString(),
              dir.filePath(QStringLiteral("Tubarex-dati-rispetta")));
    EXPECT_TRUE(list.at(1).toObject().contains(QStringLiteral("error")));
}

TEST_F(CliVerifyTest, ANetworkThatFailsItsCheckFails) {
    ApplicationState s;
    s.cover.progetto = QStringLiteral("Incompleto");
    StoreGasNetwork(s, std::vector<GasSegment>(2));
    SetGasCell(s, 2, GasColumn::tipoc, QString());
    const CliRun r = cli({QStringLiteral("verify"), save("Tubarex-dati-incompleto", s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("gas: La rete gas non è verificabile: Tronco n. 2: "
                                              "bisogna scegliere la tipologia del tubo.")));
}

TEST_F(CliVerifyTest, SizeWritesTheProjectThatComplies) {
    // 1.5 and 0.3 l/s in 1/2'' steel: 36.0 mm for the first, the second
    // stays; gas 2.5 m³/h through six 1/2'' segments, over 1.0 mbar.
    ApplicationState s;
    s.cover.progetto = QStringLiteral("Scuola");
    StoreWaterNetwork(s, {{20, 16.1, 1.5}, {10, 16.1, 0.3}});
    StoreGasNetwork(s, std::vector<GasSegment>(6, {8, 2, 2.5}));
    const QString in = save("Tubarex-dati-da-dimensionare", s);
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-dimensionato"));
    const CliRun r = cli({QStringLiteral("size"), in, out, QStringLiteral("--json")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonObject water = root.value(QStringLiteral("water")).toObject();
    EXPECT_EQ(keys(water), (QStringList{"passed", "rows", "series"}));
    EXPECT_EQ(water.value(QStringLiteral("series")).toString(),
              QStringLiteral("acciaio zincato (serie media)"));
    const QJsonArray rows = water.value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).toObject(), (QJsonObject{{"tronco", 1}, {"from", 16.1}, {"to", 36.0}}));
    const QJsonObject gasRow = root.value(QStringLiteral("gas"))
                                   .toObject()
                                   .value(QStringLiteral("rows"))
                                   .toArray()
                                   .at(0)
                                   .toObject();
    EXPECT_EQ(gasRow.value(QStringLiteral("from")).toString(), QStringLiteral("1/2''"));
    EXPECT_TRUE(
        root.value(QStringLiteral("gas")).toObject().value(QStringLiteral("passed")).toBool());
    // The project written complies, and keeps its series.
    EXPECT_EQ(cli({QStringLiteral("verify"), out}).status, 0);
    ApplicationState sized;
    ASSERT_TRUE(LoadProjectFile(sized, out).isEmpty());
    EXPECT_EQ(sized.extension.waterSeries, QStringLiteral("acciaio zincato (serie media)"));
}

TEST_F(CliVerifyTest, SizeRefusesWhatNoSizeCanMeet) {
    const QString out = dir.filePath(QStringLiteral("Tubarex-dati-mai"));
    const CliRun fast = cli({QStringLiteral("size"), tooFast(), out, QStringLiteral("--series"),
                             QStringLiteral("multistrato")});
    EXPECT_EQ(fast.status, 1);
    // 10 l/s in 54 mm, the largest of the series: 4.37 m/s.
    EXPECT_TRUE(fast.err.contains(QStringLiteral("Nessun diametro della serie «multistrato» "
                                                 "rispetta il limite di velocità di 2,0 m/s nel "
                                                 "tronco n. 1: con il più grande (54,0 mm) "
                                                 "l'acqua vi scorre a 4,37 m/s.")))
        << fast.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    const CliRun unknown =
        cli({QStringLiteral("size"), passing(), out, QStringLiteral("--series=ghisa")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("la serie «ghisa» non esiste")));
    EXPECT_FALSE(QFileInfo::exists(out));
}
