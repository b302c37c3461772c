// tubarex-cli verify: does each network of a project comply with its limits?
#include "cli/CliCommands.h"
#include "cli/CliProjects.h"

#include "core/model/NumberText.h"
#include "core/model/Verification.h"
#include "core/session/ApplicationState.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue orNull(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject limitsJson(const NetworkVerification& v) {
    QJsonObject limits;
    if (v.kind == NetworkKind::Water) {
        limits.insert(QStringLiteral("velocity"), v.waterLimits.velocity);
        limits.insert(QStringLiteral("head"), orNull(v.waterLimits.head));
        limits.insert(QStringLiteral("source_pressure"), orNull(v.waterLimits.sourceKPa));
        limits.insert(QStringLiteral("minimum_pressure"), v.waterLimits.minimumKPa);
        limits.insert(QStringLiteral("static_pressure"), orNull(v.waterLimits.staticKPa));
        limits.insert(QStringLiteral("static_limit"), v.waterLimits.staticLimitKPa);
    } else {
        limits.insert(QStringLiteral("metano"), v.gasLimits.metano);
        limits.insert(QStringLiteral("GPL"), v.gasLimits.gpl);
        limits.insert(QStringLiteral("height_effect"), HeightEffectName(v.gasLimits.heightEffect));
        limits.insert(QStringLiteral("regulator"), v.gasLimits.regulator);
    }
    return limits;
}

// A network as the JSON answer gives it; null for a network without rows.
QJsonValue networkJson(const NetworkVerification& v, const DesignFlows& flows) {
    if (v.count() == 0)
        return QJsonValue(QJsonValue::Null);
    QJsonArray rows;
    for (int r = 1; r <= v.count(); ++r) {
        const VerifiedRow& row = v.row(r);
        QJsonObject o;
        o.insert(QStringLiteral("tronco"), r);
        o.insert(QStringLiteral("monte"), row.upstream);
        o.insert(QStringLiteral("loss"), row.loss);
        if (v.kind == NetworkKind::Water)
            o.insert(QStringLiteral("velocity"), orNull(row.velocity));
        o.insert(QStringLiteral("path_loss"), row.pathLoss);
        o.insert(QStringLiteral("height"), row.height);
        o.insert(QStringLiteral("concentrated"), row.concentrated);
        if (v.kind == NetworkKind::Water)
            o.insert(QStringLiteral("pressure"), orNull(row.pressure));
        // With utenze, the flow they give the segment (null when they give
        // none, or it cannot be computed).
        if (flows.any && r <= flows.count()) {
            const std::optional<double>& design = flows.row(r).flow;
            o.insert(QStringLiteral("design_flow"),
                     design ? QJsonValue(ReadNumber(DesignFlowText(*design)))
                            : QJsonValue(QJsonValue::Null));
        }
        rows.append(o);
    }
    QJsonArray paths;
    for (const VerifiedPath& p : v.paths) {
        QJsonArray onPath;
        for (const int r : PathRows(v, p.terminal))
            onPath.append(r);
        QJsonObject o;
        o.insert(QStringLiteral("terminal"), p.terminal);
        o.insert(QStringLiteral("rows"), onPath);
        o.insert(QStringLiteral("loss"), p.loss);
        o.insert(QStringLiteral("limit"), orNull(p.limit));
        o.insert(QStringLiteral("total"), p.total);
        o.insert(QStringLiteral("residual"), orNull(p.residual));
        o.insert(QStringLiteral("minimum"), orNull(p.minimum));
        o.insert(QStringLiteral("margin"), orNull(p.margin));
        if (v.kind == NetworkKind::Water)
            o.insert(QStringLiteral("static_pressure"), orNull(p.staticPressure));
        o.insert(QStringLiteral("reason"), PathReason(v, p));
        o.insert(QStringLiteral("passed"), p.passed);
        paths.append(o);
    }
    QJsonObject network;
    network.insert(QStringLiteral("limits"), limitsJson(v));
    network.insert(QStringLiteral("rows"), rows);
    network.insert(QStringLiteral("paths"), paths);
    network.insert(QStringLiteral("critical"), v.critical);
    network.insert(QStringLiteral("critical_terminal"), v.critical);
    network.insert(QStringLiteral("passed"), v.passed);
    return network;
}

} // namespace

int VerifyCommand(const CliCommandLine& line, const CliIo& io) {
    return ReportEachProject(line, io, [](ApplicationState& state) {
        const NetworkVerification& water = state.project.waterVerification();
        const NetworkVerification& gas = state.project.gasVerification();
        // Every network that has rows complies, and there is one.
        const bool passed = (water.count() > 0 || gas.count() > 0) &&
                            (water.count() == 0 || water.passed) &&
                            (gas.count() == 0 || gas.passed);
        ProjectReport r;
        r.status = passed ? 0 : ExitFailedCheck;
        const Project& p = state.project;
        r.json.insert(QStringLiteral("water"), networkJson(water, p.waterDesignFlows()));
        r.json.insert(QStringLiteral("gas"), networkJson(gas, p.gasDesignFlows()));
        r.json.insert(QStringLiteral("passed"), passed);
        r.json.insert(QStringLiteral("status"), r.status);
        r.lines << QStringLiteral("acqua: ") + VerdictText(water)
                << QStringLiteral("gas: ") + VerdictText(gas);
        const QString warning = StaticWarningText(water);
        if (!warning.isEmpty())
            r.lines << QStringLiteral("acqua: ") + warning;
        // Flows typed that the utenze do not give.
        for (const NetworkKind kind : {NetworkKind::Water, NetworkKind::Gas}) {
            const QString other = OtherFlowsText(p.rowsWithOtherFlows(kind));
            if (!other.isEmpty())
                r.lines << (kind == NetworkKind::Water ? QStringLiteral("acqua: ")
                                                       : QStringLiteral("gas: ")) +
                               other;
        }
        return r;
    });
}
