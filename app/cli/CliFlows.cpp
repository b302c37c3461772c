// tubarex-cli flows: the design flows of a project's utenze written into
// its flow columns.
#include "cli/CliCommands.h"
#include "cli/CliProjects.h"

#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// One network as the command sees it: its design flows, the flow each row
// held before they were written, and what stops it.
struct FlowsOfNetwork {
    NetworkKind kind = NetworkKind::Water;
    DesignFlows flows;
    std::vector<std::optional<double>> before; // row r at index r - 1
    QString method;
    QString refusal;
};

template <typename Net>
FlowsOfNetwork gather(NetworkKind kind, const Net& net, int flowColumn, const DesignFlows& flows,
                      const NetworkVerification& verified, const QString& method) {
    FlowsOfNetwork n{kind, flows, {}, method, {}};
    for (int r = 1; r <= flows.count(); ++r) {
        const Cell& typed = net.at(r, flowColumn);
        n.before.push_back(typed.isEmpty() ? std::nullopt : std::optional<double>(typed.value()));
        if (n.refusal.isEmpty() && flows.row(r).serves && !flows.row(r).problem.isEmpty())
            n.refusal = flows.row(r).problem;
    }
    if (flows.any && !verified.dataPassed)
        n.refusal = verified.dataMessage;
    return n;
}

QString networkWord(NetworkKind kind) {
    return kind == NetworkKind::Water ? QStringLiteral("acqua") : QStringLiteral("gas");
}

QJsonValue networkJson(const FlowsOfNetwork& n) {
    if (!n.flows.any)
        return QJsonValue(QJsonValue::Null);
    QJsonArray rows;
    for (int r = 1; r <= n.flows.count(); ++r) {
        const SegmentDesignFlow& f = n.flows.row(r);
        if (!f.flow)
            continue;
        QJsonObject o;
        o.insert(QStringLiteral("tronco"), r);
        o.insert(QStringLiteral("served"), f.served);
        o.insert(QStringLiteral("design_flow"), ReadNumber(DesignFlowText(*f.flow)));
        const std::optional<double>& before = n.before[static_cast<size_t>(r - 1)];
        o.insert(QStringLiteral("flow_before"),
                 before ? QJsonValue(*before) : QJsonValue(QJsonValue::Null));
        rows.append(o);
    }
    QJsonObject network;
    network.insert(QStringLiteral("method"), n.method);
    network.insert(QStringLiteral("rows"), rows);
    return network;
}

QString italian(double value) {
    return WithDecimalSeparator(NumberToText(value), ProgramLocale());
}

// "acqua, somma delle portate:" and a line per segment with a design flow.
void printNetwork(const FlowsOfNetwork& n, WaterFlowMethod method, QTextStream& out) {
    if (!n.flows.any)
        return;
    const ServedMeasure measure = ServedMeasureOf(n.kind, method);
    const QString unit =
        n.kind == NetworkKind::Water ? QStringLiteral("l/s") : QStringLiteral("m³/h");
    out << networkWord(n.kind) << ", " << n.method << ":\n";
    for (int r = 1; r <= n.flows.count(); ++r) {
        const SegmentDesignFlow& f = n.flows.row(r);
        if (!f.flow)
            continue;
        const QString design = DesignFlowText(*f.flow);
        const std::optional<double>& before = n.before[static_cast<size_t>(r - 1)];
        out << "  tronco " << r << ": " << measure.caption << ' ' << italian(f.served)
            << (measure.unit.isEmpty() ? QString() : u' ' + measure.unit) << ", portata "
            << italian(ReadNumber(design)) << ' ' << unit;
        if (!before)
            out << " (prima nessuna)";
        else if (std::abs(*before - ReadNumber(design)) > 1e-9)
            out << " (prima " << italian(*before) << ')';
        else
            out << " (invariata)";
        out << '\n';
    }
}

} // namespace

int FlowsCommand(const CliCommandLine& line, const CliIo& io) {
    const QString& target = line.arguments[1];
    ApplicationState state;
    if (!LoadProjectForCli(state, line.arguments[0], io))
        return ExitFileError;
    Project& p = state.project;
    const std::vector<FlowsOfNetwork> networks = {
        gather(NetworkKind::Water, p.water.table(), WaterColumn::port, p.waterDesignFlows(),
               p.waterVerification(), WaterFlowMethodText(p.extension().waterFlows)),
        gather(NetworkKind::Gas, p.gas.table(), GasColumn::portgas, p.gasDesignFlows(),
               p.gasVerification(),
               p.extension().gasFlows.simultaneity.empty()
                   ? QStringLiteral("somma delle portate")
                   : QStringLiteral("somma delle portate con la contemporaneità del progetto"))};
    if (!networks[0].flows.any && !networks[1].flows.any) {
        io.err << "tubarex-cli: Il progetto non ha utenze: non ci sono portate da calcolare.\n";
        return ExitFailedCheck;
    }
    bool refused = false;
    for (const FlowsOfNetwork& n : networks) {
        if (!n.refusal.isEmpty()) {
            io.err << "tubarex-cli: rete " << networkWord(n.kind) << ": " << n.refusal << '\n';
            refused = true;
        }
    }
    if (refused)
        return ExitFailedCheck;
    p.applyDesignFlows(NetworkKind::Water);
    p.applyDesignFlows(NetworkKind::Gas);
    const int written = WriteProjectForCli(p, target, io);
    if (written != 0)
        return written;
    // The table once OUT holds the flows; beside a project on standard
    // output, on standard error.
    QTextStream& to = target == u"-" ? io.err : io.out;
    if (line.has("json")) {
        QJsonObject object;
        object.insert(QStringLiteral("water"), networkJson(networks[0]));
        object.insert(QStringLiteral("gas"), networkJson(networks[1]));
        PrintJson(object, to);
    } else {
        printNetwork(networks[0], p.extension().waterFlows.method, to);
        printNetwork(networks[1], WaterFlowMethod::Sum, to);
    }
    return 0;
}
