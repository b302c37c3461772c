#include "documents/VerificationReport.h"

#include "core/model/Verification.h"
#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/ReportSection.h"
#include "documents/TechnicalReport.h"
#include "documents/WordDocument.h"

#include <algorithm>

namespace {

const QString Heading = QStringLiteral("VERIFICA DELLA RETE");

constexpr int Indent = ReportSection::Indent;

// Columns of the printed table of paths, and the width left to the path.
constexpr int TerminalEnd = 14; // the terminal's number ends before it
constexpr int LossColumn = 17;
constexpr int LimitColumn = 30;
constexpr int VerdictColumn = 42;
constexpr int PathColumn = 54;

// A loss to the hundredth, a limit with the decimals it has.
QString withUnit(double value, int decimals, NetworkKind kind, int most = 4) {
    return VerdictNumber(value, decimals, most) + u' ' + LossUnit(kind);
}

// What the heights and concentrated losses of a network add to its
// totals; empty for a network without any.
QString heightsSentence(const NetworkVerification& v) {
    const bool any = std::any_of(v.rows.begin(), v.rows.end(), [](const VerifiedRow& r) {
        return r.concentrated != 0 || r.heightLoss != 0 || r.height != 0;
    });
    if (v.kind == NetworkKind::Water)
        return any ? QStringLiteral(" La perdita di ogni percorso comprende le perdite "
                                    "concentrate e il dislivello del terminale sull'origine.")
                   : QString();
    QString text;
    if (any)
        text = QStringLiteral(" La perdita di ogni percorso comprende le perdite concentrate e "
                              "l'effetto dei dislivelli (%1).")
                   .arg(HeightEffectName(v.gasLimits.heightEffect));
    if (v.gasLimits.regulator)
        text += QStringLiteral(" Con il regolatore a monte del contatore la perdita ammessa è "
                               "doppia: %1 (metano), %2 (GPL).")
                    .arg(withUnit(GasPathLimit(v.gasLimits, false), 1, v.kind),
                         withUnit(GasPathLimit(v.gasLimits, true), 1, v.kind));
    return text;
}

QString limitsSentence(const NetworkVerification& v) {
    if (v.kind == NetworkKind::Gas)
        return QStringLiteral("Limiti: la perdita di carico di ogni percorso, dal contatore "
                              "all'apparecchio, non deve superare %1 se vi scorre metano, %2 se "
                              "solo GPL (norma per gli impianti domestici a gas).")
                   .arg(withUnit(v.gasLimits.metano, 1, v.kind),
                        withUnit(v.gasLimits.gpl, 1, v.kind)) +
               heightsSentence(v);
    QString text = QStringLiteral("Limiti: la velocità dell'acqua in ogni tronco non deve "
                                  "superare %1 m/s; ")
                       .arg(VerdictNumber(v.waterLimits.velocity, 1));
    const WaterLimits& l = v.waterLimits;
    if (l.sourceKPa)
        text += QStringLiteral("con una pressione all'origine di %1 kPa (%2 m di colonna "
                               "d'acqua), la pressione residua a ogni terminale non deve "
                               "scendere sotto la sua pressione minima (%3 kPa, dove non è "
                               "indicata un'altra).")
                    .arg(PressureText(*l.sourceKPa),
                         VerdictNumber(*l.sourceKPa / WaterKPaPerMetre, 1, 1),
                         PressureText(l.minimumKPa));
    else if (v.waterLimits.head)
        text += QStringLiteral("la perdita di carico di ogni percorso non deve superare il "
                               "carico disponibile di %1.")
                    .arg(withUnit(*v.waterLimits.head, 1, v.kind));
    else
        text += QStringLiteral("carico disponibile non indicato.");
    if (l.staticKPa)
        text += QStringLiteral(" Con una pressione statica all'origine di %1 kPa, quella di ogni "
                               "terminale non dovrebbe superare %2 kPa.")
                    .arg(PressureText(*l.staticKPa), PressureText(l.staticLimitKPa));
    return text + heightsSentence(v);
}

// The paths that fail, each with what fails on it.
QString reasonsSentence(const NetworkVerification& v) {
    QStringList failing;
    for (const VerifiedPath& p : v.paths) {
        if (!p.passed)
            failing << QStringLiteral("terminale n. %1: %2").arg(p.terminal).arg(PathReason(v, p));
    }
    if (failing.isEmpty())
        return {};
    return QStringLiteral("Percorsi non verificati: %1.").arg(failing.join(QStringLiteral("; ")));
}

QString velocitiesSentence(const NetworkVerification& v) {
    QStringList over;
    for (int r = 1; r <= v.count(); ++r) {
        const VerifiedRow& row = v.row(r);
        if (row.velocityPassed)
            continue;
        over << QStringLiteral("n. %1 (%2)")
                    .arg(r)
                    .arg(row.velocity ? VerdictNumber(*row.velocity, 2, 2) + QStringLiteral(" m/s")
                                      : QStringLiteral("non calcolabile"));
    }
    if (over.isEmpty())
        return QStringLiteral("Nessun tronco supera la velocità massima.");
    return QStringLiteral("Tronchi oltre la velocità massima: %1.")
        .arg(over.join(QStringLiteral(", ")));
}

VerificationSection sectionOf(const NetworkVerification& v) {
    VerificationSection s;
    s.title =
        v.kind == NetworkKind::Water ? QStringLiteral("Rete acqua") : QStringLiteral("Rete gas");
    s.limits = limitsSentence(v);
    const auto verdict = [](bool passed) {
        return passed ? QStringLiteral("rispettato") : QStringLiteral("superato");
    };
    for (const VerifiedPath& p : v.paths) {
        s.paths.push_back({QString::number(p.terminal), PathText(v, p.terminal),
                           withUnit(p.total, 2, v.kind, 2),
                           p.limit ? withUnit(*p.limit, 1, v.kind) : QStringLiteral("nessuno"),
                           verdict(p.passed)});
        if (p.residual) {
            s.pressures.push_back(
                {QString::number(p.terminal), VerdictNumber(v.row(p.terminal).height, 2, 2),
                 PressureText(*p.residual), PressureText(*p.minimum), PressureText(*p.margin),
                 ShortOfPressure(p) ? QStringLiteral("insufficiente")
                                    : QStringLiteral("rispettata")});
        }
    }
    if (v.kind == NetworkKind::Water) {
        s.velocities = velocitiesSentence(v);
        s.warning = StaticWarningText(v);
    }
    s.reasons = reasonsSentence(v);
    if (const VerifiedPath* c = v.criticalPath()) {
        s.critical = QStringLiteral("Percorso critico: %1, %2")
                         .arg(PathText(v, c->terminal), withUnit(c->total, 2, v.kind, 2));
        if (c->residual)
            s.critical += QStringLiteral(", pressione residua %1 kPa, margine %2 kPa")
                              .arg(PressureText(*c->residual), PressureText(*c->margin));
        else if (c->margin)
            s.critical += QStringLiteral(", margine %1").arg(withUnit(*c->margin, 2, v.kind, 2));
        s.critical += u'.';
    }
    s.verdict = VerdictText(v);
    return s;
}

// A path broken into pieces of at most `width` characters, each ending
// after a dash.
QStringList pathLines(const QString& path, int width) {
    QStringList lines{QString()};
    for (const QString& part : path.split(u'-')) {
        const QString piece = lines.back().isEmpty() ? part : u'-' + part;
        if (!lines.back().isEmpty() && lines.back().size() + piece.size() > width) {
            lines.back() += u'-';
            lines << part;
        } else {
            lines.back() += piece;
        }
    }
    return lines;
}

// Starting columns of the printed table, in the order of its texts.
constexpr int PrintedColumns[] = {Indent, LossColumn, LimitColumn, VerdictColumn, PathColumn};

// One line of the printed table of paths: the terminal right-aligned under
// its head (`number`), the path broken at its dashes onto lines of its own
// column.
void printPathLine(PrinterPage& page, const QStringList& texts, int pathWidth, bool number) {
    for (int i = 0; i < 4; ++i) {
        const QString& text = texts[i];
        page.tab(i == 0 && number ? TerminalEnd - static_cast<int>(text.size())
                                  : PrintedColumns[i]);
        page.print(text, true);
    }
    for (const QString& line : pathLines(texts[4], pathWidth)) {
        page.tab(PathColumn);
        page.print(line);
    }
}

// Columns of the printed table of pressures: each value ends before its
// column (the verdict starts at its own).
constexpr int PressureEnds[] = {TerminalEnd, 24, 37, 49, 61};
constexpr int PressureVerdictColumn = 63;

void printPressureLine(PrinterPage& page, const QStringList& texts, bool number) {
    for (int i = 0; i < 5; ++i) {
        const QString& text = texts[i];
        const int end = PressureEnds[i];
        page.tab(i == 0 && !number ? Indent : std::max(end - static_cast<int>(text.size()), 0));
        page.print(text, true);
    }
    page.tab(PressureVerdictColumn);
    page.print(texts[5]);
}

// A cell of the document's table of paths: a value keeps its unit on its
// line (a no-break space), a path may break after each of its dashes (a
// zero-width space), so that the path, not the values, gives way to the
// page's width.
QString documentCell(int column, const QString& value) {
    QString text = value;
    if (column == 2)
        return text.replace(u'-', QStringLiteral("-\u200b"));
    if (column == 3 || column == 4)
        return text.replace(u' ', QChar(0x00a0));
    return text;
}

} // namespace

bool ReportsVerification(const ApplicationState& state) {
    return state.project.extension().reportVerification &&
           (state.project.water.rows() > 0 || state.project.gas.rows() > 0);
}

std::vector<VerificationSection> VerificationSections(const ApplicationState& state) {
    std::vector<VerificationSection> sections;
    if (state.project.water.rows() > 0)
        sections.push_back(sectionOf(state.project.waterVerification()));
    if (state.project.gas.rows() > 0)
        sections.push_back(sectionOf(state.project.gasVerification()));
    return sections;
}

QStringList VerificationPressureHeads() {
    return {QStringLiteral("terminale"),   QStringLiteral("quota m"),
            QStringLiteral("residua kPa"), QStringLiteral("minima kPa"),
            QStringLiteral("margine kPa"), QStringLiteral("pressione")};
}

QStringList VerificationPathHeads() {
    return {QStringLiteral("terminale"), QStringLiteral("percorso"), QStringLiteral("perdita"),
            QStringLiteral("limite"), QStringLiteral("esito")};
}

void PrintVerificationSection(const ApplicationState& state, PrinterPage& page,
                              const ReportFont& font, const std::function<void()>& endPage) {
    OpenPrintedSection(page, font, Heading, endPage);
    const auto sentence = [&](const QString& text) { PrintSectionSentence(page, text); };
    // The path takes the rest of the line of the A4 page.
    const double charWidth = page.metrics().charWidth;
    const int lastColumn = charWidth > 0 ? static_cast<int>(A4PrintableWidth / charWidth) : 78;
    const int pathWidth = std::max(lastColumn - PathColumn + 1, 8);
    for (const VerificationSection& s : VerificationSections(state)) {
        page.emptyLine();
        sentence(s.title.toUpper());
        page.emptyLine();
        sentence(s.limits);
        page.emptyLine();
        // The heads, then a line per path, in the order the columns stand
        // on paper: terminal, loss, limit, verdict, path.
        const QStringList heads = VerificationPathHeads();
        printPathLine(page, {QStringLiteral("term."), heads[2], heads[3], heads[4], heads[1]},
                      pathWidth, false);
        for (const QStringList& row : s.paths)
            printPathLine(page, {row[0], row[2], row[3], row[4], row[1]}, pathWidth, true);
        page.emptyLine();
        if (!s.pressures.empty()) {
            const QStringList pheads = VerificationPressureHeads();
            printPressureLine(
                page,
                {QStringLiteral("term."), pheads[1], pheads[2], pheads[3], pheads[4], pheads[5]},
                false);
            for (const QStringList& row : s.pressures)
                printPressureLine(page, row, true);
            page.emptyLine();
        }
        for (const QString* text : {&s.velocities, &s.reasons, &s.warning}) {
            if (!text->isEmpty())
                sentence(*text);
        }
        sentence(s.critical);
        sentence(s.verdict);
    }
    ClosePrintedSection(page);
}

void AddVerificationSection(WordDocument& doc, const ApplicationState& state) {
    TypeSectionHeading(doc, Heading);
    for (const VerificationSection& s : VerificationSections(state)) {
        doc.setFontSize(ReportSection::TextPoints);
        doc.TypeText(s.title + QLatin1Char('\r'));
        doc.TypeText(s.limits + QLatin1Char('\r'));
        AddSectionTable(doc, VerificationPathHeads(), s.paths, documentCell, {1, 3, 4});
        // A line apart from the table, as the text before it.
        doc.TypeText(QStringLiteral("\r"));
        if (!s.pressures.empty()) {
            AddSectionTable(doc, VerificationPressureHeads(), s.pressures,
                            [](int, const QString& value) { return value; }, {1, 2, 3, 4, 5});
            doc.TypeText(QStringLiteral("\r"));
        }
        for (const QString* text : {&s.velocities, &s.reasons, &s.warning}) {
            if (!text->isEmpty())
                doc.TypeText(*text + QLatin1Char('\r'));
        }
        doc.TypeText(s.critical + QLatin1Char('\r'));
        doc.TypeText(s.verdict + QStringLiteral("\r\r"));
    }
}
