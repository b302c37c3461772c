#include "documents/FlowsReport.h"

#include "core/model/NumberText.h"
#include "core/model/Verification.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/ReportSection.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

namespace {

const QString Heading = QStringLiteral("PORTATE DI PROGETTO");

// The printed table's columns.
constexpr int Indent = ReportSection::Indent;
constexpr int SegmentEnd = 14; // the segment's number ends before it
constexpr int ServedColumn = 17;
constexpr int FlowColumn = 31;
constexpr int UtenzeColumn = 44;

QString number(double value, int decimals) {
    return VerdictNumber(value, decimals, decimals);
}

QString waterMethod(const WaterFlowSettings& f) {
    switch (f.method) {
    case WaterFlowMethod::Sum:
        return QStringLiteral("Metodo: somma delle portate, Q = Σ n·q, con q la portata di "
                              "ciascuna utenza e n il loro numero: nessuna contemporaneità.");
    case WaterFlowMethod::Din:
        if (const DinBuilding* b = FindDinBuilding(f.building))
            return QStringLiteral("Metodo: DIN 1988-300, %1: portata di punta Vs = a·(ΣVR)^b − c "
                                  "in l/s, con a = %2, b = %3, c = %4 e ΣVR la somma delle "
                                  "portate di calcolo servite; mai oltre ΣVR né sotto la più "
                                  "grande VR servita.")
                .arg(QString::fromUtf8(b->title), number(b->a, 2), number(b->b, 2),
                     number(b->c, 2));
        break;
    case WaterFlowMethod::Curve: {
        QStringList points;
        for (const CurvePoint& p : f.curve.points)
            points << QStringLiteral("%1 UC: %2 l/s")
                          .arg(VerdictNumber(p.units, 2, 0), VerdictNumber(p.flowLs, 3, 1));
        return QStringLiteral("Metodo: curva di contemporaneità «%1», dalle unità di carico "
                              "servite (ΣUC) alla portata: %2; tra due punti la legge di "
                              "potenza che passa per entrambi, sotto il primo la portata "
                              "proporzionale a ΣUC, oltre l'ultimo la legge degli ultimi due.")
            .arg(f.curve.name, points.join(QStringLiteral("; ")));
    }
    }
    return WaterFlowMethodText(f) + u'.';
}

QString gasMethod(const GasFlowSettings& f) {
    QString text = QStringLiteral("Portata di ogni apparecchio Q = P · 3600 / PCI (m³/h), con P "
                                  "la portata termica nominale in kW e PCI il potere calorifico "
                                  "inferiore del gas del tronco (");
    QStringList gases;
    for (const GasType& t : GasTypes()) {
        if (t.name.isEmpty())
            continue;
        gases << (t.name == QLatin1String("GPL")
                      ? QStringLiteral("GPL %1 kJ/kg per %2 kg/m³")
                            .arg(number(t.pci, 0), number(t.mas, 2))
                      : QStringLiteral("%1 %2 kJ/m³").arg(t.name, number(t.pci, 0)));
    }
    text += gases.join(QStringLiteral(", ")) +
            QStringLiteral("); la portata di un tronco è la somma sugli apparecchi che alimenta");
    if (f.simultaneity.empty())
        return text + QStringLiteral(", tutti in funzione insieme.");
    QStringList steps;
    for (const SimultaneityStep& s : f.simultaneity)
        steps << QStringLiteral("da %1 apparecchi %2")
                     .arg(s.appliances)
                     .arg(number(s.coefficient, 2));
    return text + QStringLiteral(", per il coefficiente di contemporaneità del progetto (%1).")
                      .arg(steps.join(QStringLiteral(", ")));
}

template <typename Net>
FlowsSection sectionOf(NetworkKind kind, const Net& net, const DesignFlows& flows,
                       const QString& method, WaterFlowMethod measureMethod) {
    FlowsSection s;
    s.title =
        kind == NetworkKind::Water ? QStringLiteral("Rete acqua") : QStringLiteral("Rete gas");
    s.method = method;
    const ServedMeasure measure = ServedMeasureOf(kind, measureMethod);
    const QString unit =
        kind == NetworkKind::Water ? QStringLiteral("l/s") : QStringLiteral("m³/h");
    for (int r = 1; r <= flows.count(); ++r) {
        const SegmentDesignFlow& f = flows.row(r);
        if (!f.serves)
            continue;
        QStringList own;
        if (kind == NetworkKind::Water) {
            for (const WaterOutlet& o : WaterOutletsOf(net.at(r, WaterColumn::utenze)))
                own << QStringLiteral("%1 × %2").arg(o.count).arg(o.type);
        } else {
            for (const GasAppliance& a : GasAppliancesOf(net.at(r, GasColumn::utenze)))
                own << QStringLiteral("%1 × %2 %3 kW")
                           .arg(a.count)
                           .arg(a.name, NumberToText(a.kW).replace(u'.', u','));
        }
        const QString served = measure.caption + u' ' +
                               VerdictNumber(f.served, 2, measure.unit.isEmpty() ? 0 : 2) +
                               (measure.unit.isEmpty() ? QString() : u' ' + measure.unit);
        s.rows.push_back({QString::number(r), own.join(QStringLiteral(", ")), served,
                          f.flow ? number(*f.flow, 3) + u' ' + unit : f.problem});
    }
    return s;
}

} // namespace

bool ReportsFlows(const ApplicationState& state) {
    return state.project.extension().reportFlows &&
           (state.project.waterDesignFlows().any || state.project.gasDesignFlows().any);
}

std::vector<FlowsSection> FlowsSections(const ApplicationState& state) {
    const Project& p = state.project;
    std::vector<FlowsSection> sections;
    if (p.waterDesignFlows().any)
        sections.push_back(sectionOf(NetworkKind::Water, p.water.table(), p.waterDesignFlows(),
                                     waterMethod(p.extension().waterFlows),
                                     p.extension().waterFlows.method));
    if (p.gasDesignFlows().any)
        sections.push_back(sectionOf(NetworkKind::Gas, p.gas.table(), p.gasDesignFlows(),
                                     gasMethod(p.extension().gasFlows), WaterFlowMethod::Sum));
    return sections;
}

QStringList FlowsHeads() {
    return {QStringLiteral("tronco"), QStringLiteral("utenze del tronco"),
            QStringLiteral("servito"), QStringLiteral("portata")};
}

void PrintFlowsSection(const ApplicationState& state, PrinterPage& page, const ReportFont& font,
                       const std::function<void()>& endPage) {
    OpenPrintedSection(page, font, Heading, endPage);
    const auto sentence = [&](const QString& text) { PrintSectionSentence(page, text); };
    // On paper: the segment, what it serves, its flow, then its own
    // utenze, which take the rest of the line and wrap under themselves.
    const auto line = [&](const QStringList& texts, bool numberRight) {
        page.tab(numberRight ? SegmentEnd - static_cast<int>(texts[0].size()) : Indent);
        page.print(texts[0], true);
        // A wide value pushes the next one on, a blank apart.
        page.printApart(ServedColumn, texts[2]);
        page.printApart(FlowColumn, texts[3]);
        page.tab(UtenzeColumn);
        page.printWrapped(texts[1].isEmpty() ? QStringLiteral("-") : texts[1], UtenzeColumn);
    };
    for (const FlowsSection& s : FlowsSections(state)) {
        page.emptyLine();
        sentence(s.title.toUpper());
        page.emptyLine();
        sentence(s.method);
        page.emptyLine();
        const QStringList heads = FlowsHeads();
        line({QStringLiteral("tronco"), QStringLiteral("utenze"), heads[2], heads[3]}, false);
        for (const QStringList& row : s.rows)
            line(row, true);
    }
    ClosePrintedSection(page);
}

void AddFlowsSection(WordDocument& doc, const ApplicationState& state) {
    TypeSectionHeading(doc, Heading);
    for (const FlowsSection& s : FlowsSections(state)) {
        doc.setFontSize(ReportSection::TextPoints);
        doc.TypeText(s.title + QLatin1Char('\r'));
        doc.TypeText(s.method + QLatin1Char('\r'));
        // A value keeps its unit on its line; the utenze wrap.
        AddSectionTable(doc, FlowsHeads(), s.rows,
                        [](int column, const QString& value) {
                            return column >= 3 ? QString(value).replace(u' ', QChar(0x00a0))
                                               : value;
                        },
                        {1, 3, 4});
        doc.TypeText(QStringLiteral("\r"));
    }
}
