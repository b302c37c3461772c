#include "cli/Cli.h"

#include "core/file/ProjectFile.h"
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// One water segment as typed: the texts, and the numbers they stand for.
struct TypedRow {
    QStringList texts; // lungh, diam, port, then the seven fittings
    int wallType = 0;  // 1..3
};

// Metres of equivalent pipe per fitting and per millimetre of diameter, from
// the table of fittings: 45°, 90°, wide 90°, tee, cross, gate, check valve.
constexpr double Fittings[7] = {0.013, 0.03, 0.018, 0.06, 0.06, 0.006, 0.0065};
constexpr double Roughness[4] = {0, 0.002, 0.0025, 0.004};

// The Darcy loss of a row evaluated as the formula is written: fittings
// turned into pipe in table order, L × ((B × Q²) / D⁵) with the powers taken
// by exponentiation, rounded half up to the centimetre.
double formulaLoss(const TypedRow& row) {
    const double diameterMm = row.texts[1].toDouble();
    double length = row.texts[0].toDouble();
    for (int i = 0; i < 7; ++i)
        length += (row.texts[3 + i].toDouble() * Fittings[i]) * diameterMm;
    const double q = row.texts[2].toDouble() / 1000.0;
    const double d = diameterMm / 1000.0;
    const double loss = length * ((Roughness[row.wallType] * std::pow(q, 2)) / std::pow(d, 5));
    return std::floor(loss * 100.0 + 0.5) / 100.0;
}

// Segments as a designer types them: 0.1 to 300 m and 0.1 to 10 l/s to one
// decimal, an internal diameter from the usual pipe sizes, and on one row
// in four up to three of each fitting.
TypedRow randomRow(std::mt19937& generator) {
    static const int Diameters[] = {10, 12, 15, 16, 20, 25,  26,  32,
                                    40, 50, 63, 65, 80, 100, 125, 150};
    std::uniform_int_distribution<int> decimetres(1, 3000);
    std::uniform_int_distribution<int> diameter(0, 15);
    std::uniform_int_distribution<int> decilitres(1, 100);
    std::uniform_int_distribution<int> wall(1, 3);
    std::uniform_int_distribution<int> quarter(0, 3);
    std::uniform_int_distribution<int> fitting(0, 3);
    TypedRow row;
    row.texts << NumberToText(decimetres(generator) / 10.0)
              << NumberToText(Diameters[diameter(generator)])
              << NumberToText(decilitres(generator) / 10.0);
    row.wallType = wall(generator);
    const bool fitted = quarter(generator) == 0;
    for (int i = 0; i < 7; ++i) {
        const int count = fitted ? fitting(generator) : 0;
        row.texts << (count == 0 ? QString() : NumberToText(count));
    }
    return row;
}

QJsonArray calcRows(const QString& path) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = RunCli(
        {QStringLiteral("tubarex-cli"), QStringLiteral("calc"), path, QStringLiteral("--json")},
        outStream, errStream);
    outStream.flush();
    EXPECT_EQ(status, 0) << err.toStdString();
    return QJsonDocument::fromJson(out.toUtf8())
        .object()[QStringLiteral("water")]
        .toObject()[QStringLiteral("rows")]
        .toArray();
}

} // namespace

// Four thousand random segments, eight data files of 500: every loss that
// the command line computes agrees to the cent with the formula.
TEST(CalcAgreement, WaterLossesAgreeWithTheFormulaToTheCent) {
    std::mt19937 generator(20030807u);
    QTemporaryDir dir;
    int compared = 0;
    QStringList disagreements;
    for (int file = 1; file <= 8; ++file) {
        ApplicationState state;
        std::vector<TypedRow> rows;
        for (int r = 1; r <= MaxRows; ++r) {
            rows.push_back(randomRow(generator));
            const TypedRow& row = rows.back();
            for (int i = 0; i < 3; ++i)
                state.project.water.StoreWaterCell(r, WaterColumn::lungh + i, row.texts[i]);
            state.project.water.PickWallType(r, row.wallType);
            for (int i = 0; i < 7; ++i) {
                if (!row.texts[3 + i].isEmpty())
                    state.project.water.StoreWaterCell(r, WaterColumn::c45 + i, row.texts[3 + i]);
            }
        }
        state.project.gas.ClearGasTable();
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-caso%1").arg(file));
        ASSERT_TRUE(SaveProjectFile(state.project, path));

        const QJsonArray computed = calcRows(path);
        ASSERT_EQ(computed.size(), MaxRows);
        for (int r = 1; r <= MaxRows; ++r) {
            const double expected = formulaLoss(rows[static_cast<size_t>(r - 1)]);
            const double loss = computed[r - 1].toObject()[QStringLiteral("perd")].toDouble(-1.0);
            ++compared;
            if (std::llround(loss * 100) != std::llround(expected * 100))
                disagreements.append(QStringLiteral("file %1 tronco %2 (%3): %4 invece di %5")
                                         .arg(file)
                                         .arg(r)
                                         .arg(rows[static_cast<size_t>(r - 1)].texts.join(u' '))
                                         .arg(loss)
                                         .arg(expected));
        }
    }
    EXPECT_EQ(compared, 8 * MaxRows);
    EXPECT_TRUE(disagreements.isEmpty())
        << disagreements.size()
        << " disaccordi, il primo: " << disagreements.value(0).toStdString();
}
