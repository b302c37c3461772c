// tubarex-cli size: the project with the diameters that make it comply.
#include "cli/CliCommands.h"
#include "cli/CliProjects.h"

#include "core/file/ProjectFile.h"
#include "core/file/SafeFile.h"
#include "core/model/NumberText.h"
#include "core/model/Sizing.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "core/session/UserSeries.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString networkTitle(NetworkKind kind) {
    return kind == NetworkKind::Water ? QStringLiteral("Rete acqua") : QStringLiteral("Rete gas");
}

// A size as the table of changes names it: the gas pipe by its nominal
// diameter, the water pipe by its internal diameter.
QJsonValue sizeJson(NetworkKind kind, double diameter, const QString& label) {
    return kind == NetworkKind::Gas ? QJsonValue(label) : QJsonValue(diameter);
}

// In the text output, with the decimal comma of the verdict beside it.
QString sizeText(NetworkKind kind, double diameter, const QString& label) {
    return kind == NetworkKind::Gas ? label
                                    : WithDecimalSeparator(NumberToText(diameter), ProgramLocale());
}

QJsonValue networkJson(const SizingProposal* p) {
    if (!p)
        return QJsonValue(QJsonValue::Null);
    QJsonArray rows;
    for (int r = 1; r <= static_cast<int>(p->rows.size()); ++r) {
        if (!p->changes(r))
            continue;
        const SizedRow& row = p->rows[static_cast<size_t>(r - 1)];
        const CatalogueSize& to = p->proposedSize(r);
        QJsonObject o;
        o.insert(QStringLiteral("tronco"), r);
        o.insert(QStringLiteral("from"), sizeJson(p->kind, row.nowDiameter, row.nowLabel));
        o.insert(QStringLiteral("to"), sizeJson(p->kind, to.diameter, to.label));
        rows.append(o);
    }
    QJsonObject network;
    if (p->kind == NetworkKind::Water)
        network.insert(QStringLiteral("series"), p->series);
    network.insert(QStringLiteral("rows"), rows);
    network.insert(QStringLiteral("passed"), p->passed);
    // In euros, where the series has prices.
    if (p->costNow)
        network.insert(QStringLiteral("costNow"), *p->costNow);
    if (p->costProposed)
        network.insert(QStringLiteral("costProposed"), *p->costProposed);
    return network;
}

// The table of changes of a network, or why it could not be sized.
void printNetwork(const SizingProposal& p, QTextStream& out) {
    out << networkTitle(p.kind);
    if (p.kind == NetworkKind::Water)
        out << QStringLiteral(" (serie «%1»)").arg(p.series);
    if (!p.passed) {
        out << QStringLiteral(": non dimensionabile.\n");
        return;
    }
    const int changed = p.changedRows();
    out << ": "
        << (changed == 1 ? QStringLiteral("un tronco cambia diametro.")
                         : QStringLiteral("%1 tronchi cambiano diametro.").arg(changed))
        << '\n';
    if (changed > 0)
        out << QStringLiteral("tronco  %1  %2\n")
                   .arg(QStringLiteral("da"), -10)
                   .arg(QStringLiteral("a"));
    for (int r = 1; r <= static_cast<int>(p.rows.size()); ++r) {
        if (!p.changes(r))
            continue;
        const SizedRow& row = p.rows[static_cast<size_t>(r - 1)];
        const CatalogueSize& to = p.proposedSize(r);
        out << QString::number(r).rightJustified(6) << "  "
            << sizeText(p.kind, row.nowDiameter, row.nowLabel).leftJustified(10) << "  "
            << sizeText(p.kind, to.diameter, to.label) << '\n';
    }
    out << p.verdict << '\n';
    if (p.costProposed)
        out << CostText(p) << '\n';
}

// The water series: the one asked for, or the project's, or the default.
const PipeSeries* chooseSeries(const std::vector<PipeSeries>& catalogue, const QString& asked,
                               const ApplicationState& state) {
    if (!asked.isEmpty())
        return FindSeries(catalogue, asked);
    const QString& own = state.project.extension().waterSeries;
    return FindSeries(catalogue, own.isEmpty() ? DefaultWaterSeriesName() : own);
}

} // namespace

int SizeCommand(const CliCommandLine& line, const CliIo& io) {
    const QString& target = line.arguments[1];
    const std::vector<PipeSeries> catalogue = WaterSeriesCatalogue(UserSeriesFile());
    const QString asked = line.value("series");
    if (line.has("series") && !FindSeries(catalogue, asked)) {
        QStringList names;
        for (const PipeSeries& s : catalogue)
            names << QStringLiteral("«%1»").arg(s.name);
        return UsageError(line,
                          QStringLiteral("la serie %1 non esiste; le serie sono: %2.")
                              .arg(QuotedExcerpt(asked), names.join(QStringLiteral(", "))),
                          io.err);
    }
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io))
        return ExitFileError;
    if (state.project.water.rows() == 0 && state.project.gas.rows() == 0) {
        io.err << "tubarex-cli: Non ci sono tronchi da dimensionare.\n";
        return ExitFailedCheck;
    }

    std::optional<SizingProposal> water;
    std::optional<SizingProposal> gas;
    if (state.project.water.rows() > 0) {
        // The series the project carries counts as one of this machine's.
        const std::vector<PipeSeries> known =
            WithProjectSeries(catalogue, state.project.extension());
        const PipeSeries* series = chooseSeries(known, asked, state);
        // A series this machine does not know is the file's error, like a
        // series named on the command line that does not exist.
        if (!series) {
            io.err << "tubarex-cli: "
                   << QStringLiteral("La serie «%1» del progetto non è tra quelle "
                                     "disponibili: indicarne una con --series.")
                          .arg(state.project.extension().waterSeries)
                   << '\n';
            return ExitFileError;
        }
        water = SizeWaterNetwork(state.project, *series);
    }
    if (state.project.gas.rows() > 0)
        gas = SizeGasNetwork(state.project);
    const bool passed = (!water || water->passed) && (!gas || gas->passed);

    // With the data file on standard output, the changes go to standard
    // error.
    const auto report = [&] {
        QTextStream& to = target == u"-" ? io.err : io.out;
        if (line.has("json")) {
            QJsonObject object;
            object.insert(QStringLiteral("water"), networkJson(water ? &*water : nullptr));
            object.insert(QStringLiteral("gas"), networkJson(gas ? &*gas : nullptr));
            PrintJson(object, to);
        } else {
            for (const auto* p : {water ? &*water : nullptr, gas ? &*gas : nullptr}) {
                if (p)
                    printNetwork(*p, to);
            }
        }
    };
    if (!passed) {
        report();
        for (const auto* p : {water ? &*water : nullptr, gas ? &*gas : nullptr}) {
            if (p && !p->passed)
                io.err << "tubarex-cli: " << p->message << '\n';
        }
        return ExitFailedCheck;
    }
    if (water)
        ApplySizing(state.project, *water);
    if (gas)
        ApplySizing(state.project, *gas);
    // The changes are told once OUT holds them: after a failed write only
    // the reason is.
    const int written = WriteProjectForCli(state.project, target, io);
    if (written == 0)
        report();
    return written;
}
