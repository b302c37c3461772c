// The cover of the technical report on paper and in the document.
#include "documents/ReportCover.h"

#include "core/session/ApplicationState.h"
#include "documents/PrinterPage.h"
#include "documents/WordDocument.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A type size scaled with the cover's text size, in half points (the
// steps a document stores).
double scaled(double points, double text, double usual) {
    return std::max(1.0, std::round(points * text / usual * 2) / 2);
}

// The next smaller size in half points.
double smaller(double points) {
    return std::max(1.0, std::ceil(points * 2 - 1) / 2);
}

// ---- the document --------------------------------------------------------

constexpr double DocumentTitlePoints = 24;
constexpr double DocumentTextPoints = 14;

struct DocumentCover {
    double text = DocumentTextPoints;
    int afterStudy = 6;  // blank lines under the type of study
    int afterPlace = 22; // blank lines between place and date and the owner
};

void typeCover(WordDocument& doc, const ApplicationState& state, const DocumentCover& k) {
    const ProjectIdentification& c = state.project.cover;
    doc.setFontSize(scaled(DocumentTitlePoints, k.text, DocumentTextPoints));
    doc.TypeText(QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI\r\r"));
    doc.setFontSize(k.text);
    doc.TypeText(QStringLiteral("progetto: ") + c.progetto + QLatin1Char('\r'));
    doc.TypeText(QStringLiteral("località: ") + c.localita + QLatin1Char('\r'));
    doc.TypeText(QStringLiteral("tipologia di studio: ") + c.tipostudio + QLatin1Char('\r'));
    doc.TypeText(QString(k.afterStudy, QLatin1Char('\r')));
    doc.TypeText(QStringLiteral("progettista: ") + state.program.OwnerName + QLatin1Char('\r'));
    doc.TypeText(QStringLiteral("committente: ") + c.committente + QStringLiteral("\r\r"));
    // Without place and date their line stays, blank.
    doc.TypeText(ReportPlaceAndDate(c) + QLatin1Char('\r'));
    doc.TypeText(QString(k.afterPlace, QLatin1Char('\r')));
    doc.TypeText(state.program.OwnerName + QLatin1Char('\r'));
    doc.TypeText(state.program.OwnerAddress);
}

// The cover fits its page with a line of its text to spare, so that a
// rounding of the word processor's never sends its last line over.
bool fitsOnePage(const ApplicationState& state, const DocumentCover& k) {
    WordDocument probe;
    probe.StandardSetup();
    typeCover(probe, state, k);
    probe.TypeText(QStringLiteral("\r"));
    return probe.pageCount() == 1;
}

// The usual cover when it fits; otherwise the largest text size at which
// it does, with as many of its blank lines as then fit, those above the
// owner given up first.
DocumentCover fitDocumentCover(const ApplicationState& state) {
    for (DocumentCover k;; k.text = smaller(k.text)) {
        DocumentCover tightest = k;
        tightest.afterStudy = tightest.afterPlace = 1;
        if (!fitsOnePage(state, tightest)) {
            if (k.text <= 1)
                return tightest;
            continue;
        }
        while (!fitsOnePage(state, k)) {
            if (k.afterPlace > 1)
                --k.afterPlace;
            else
                --k.afterStudy;
        }
        return k;
    }
}

// ---- the printer -----------------------------------------------------------

const QString CoverFont = QStringLiteral("Times New Roman");
constexpr double CoverLeft = 1000;
constexpr double CoverTop = 1000;
constexpr int TitleColumn = 6;
constexpr int Indent = 10;
constexpr double TitlePoints = 24;
constexpr double TextPoints = 14;
constexpr double OwnerPoints = 16;
// The two rules that frame the owner's name and address, in twips: where
// they stand when the text above leaves them room.
constexpr double RuleLeft = 1000;
constexpr double RuleRight = 11000;
constexpr double UpperRuleY = 14000;
constexpr double LowerRuleY = 15300;
constexpr int RuleWidth = 5;

// Blank lines after the title, progetto, località, tipologia di studio,
// committente and place and date; and the order in which they give up
// room, from the widest gap above the rules.
constexpr std::array<int, 6> UsualGaps = {4, 2, 2, 9, 1, 12};
constexpr std::array<size_t, 6> ShrinkOrder = {5, 3, 0, 1, 2, 4};

struct PrintedCover {
    double text = TextPoints;
    std::array<int, 6> gaps = UsualGaps;

    double title() const { return scaled(TitlePoints, text, TextPoints); }
    double owner() const { return scaled(OwnerPoints, text, TextPoints); }
    // Takes one blank line away; false when none is left to take.
    bool shrink() {
        for (size_t g : ShrinkOrder)
            if (gaps[g] > 1) {
                --gaps[g];
                return true;
            }
        return false;
    }
};

// The lines of the cover: the title, the six lines of the identification
// (progettista and committente stand together), the owner's two.
struct CoverLines {
    QString title = QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI");
    std::array<QString, 6> fields;
    std::array<QString, 2> owner;
};

CoverLines coverLines(const ApplicationState& state) {
    const ProjectIdentification& c = state.project.cover;
    CoverLines lines;
    lines.fields = {QStringLiteral("progetto..............: ") + c.progetto,
                    QStringLiteral("località................: ") + c.localita,
                    QStringLiteral("tipologia di studio: ") + c.tipostudio,
                    QStringLiteral("progettista............: ") + state.program.OwnerName,
                    QStringLiteral("committente.........: ") + c.committente,
                    ReportPlaceAndDate(c)};
    lines.owner = {state.program.OwnerName, state.program.OwnerAddress};
    return lines;
}

// Where the printed lines of a cover end, at one text size: the heights of
// its parts in twips, whatever its blank lines.
struct CoverHeights {
    double title = 0;  // with the line the title may have to start on
    double line = 0;   // one line of the text size
    double fields = 0; // the identification, without blank lines
    double owner = 0;  // the owner's lines

    double textEnd(const PrintedCover& k) const {
        int blank = 0;
        for (int gap : k.gaps)
            blank += gap;
        return CoverTop + title + fields + blank * line;
    }
    double ruleAt(const PrintedCover& k) const { return std::max(UpperRuleY, textEnd(k)); }
    double lowerRuleAt(const PrintedCover& k) const {
        return std::max(LowerRuleY, ruleAt(k) + line + owner + line);
    }
};

// Lines a text takes from the indent; an empty text prints no line.
int linesOf(const PrinterPage& page, const QString& text, int column = Indent) {
    return text.isEmpty() ? 0 : page.wrappedLineCount(text, column, column);
}

CoverHeights measure(PrinterPage& page, const CoverLines& lines, const PrintedCover& k) {
    CoverHeights h;
    page.setFontName(CoverFont);
    page.setFontSize(k.title());
    const PageFontMetrics title = page.metrics();
    // The title's column lies left of where the cover starts on a wide face.
    const bool below = CoverLeft > (TitleColumn - 1) * title.charWidth + 0.5;
    h.title = (linesOf(page, lines.title, TitleColumn) + (below ? 1 : 0)) * title.lineHeight;
    page.setFontSize(k.text);
    h.line = page.metrics().lineHeight;
    for (const QString& field : lines.fields)
        h.fields += std::max(1, linesOf(page, field)) * h.line;
    page.setFontSize(k.owner());
    for (const QString& line : lines.owner)
        h.owner += linesOf(page, line) * page.metrics().lineHeight;
    return h;
}

// The usual cover when it fits; otherwise, size by size from the usual one
// down, the first that fits with the rules in place once blank lines are
// given up, or with the rules moved down under the text.
PrintedCover fitPrintedCover(PrinterPage& page, const CoverLines& lines) {
    for (PrintedCover k;; k = PrintedCover{smaller(k.text)}) {
        const CoverHeights h = measure(page, lines, k);
        do {
            const bool onPage = h.lowerRuleAt(k) <= page.bottomLimit();
            if (onPage && h.textEnd(k) <= UpperRuleY)
                return k;
            PrintedCover tighter = k;
            if (!tighter.shrink() && (onPage || k.text <= 1))
                return k;
        } while (k.shrink());
    }
}

void printLine(PrinterPage& page, const QString& text, int column = Indent) {
    page.tab(column);
    page.printWrapped(text, column);
}

void emptyLines(PrinterPage& page, int count) {
    for (int i = 0; i < count; ++i)
        page.emptyLine();
}

} // namespace

QString ReportPlaceAndDate(const ProjectIdentification& cover) {
    if (cover.luogo.isEmpty() && cover.data.isEmpty())
        return {};
    return cover.luogo + QStringLiteral(": ") + cover.data;
}

void TypeReportCover(WordDocument& document, const ApplicationState& state) {
    typeCover(document, state, fitDocumentCover(state));
    document.TypeText(QString(QChar(12)));
}

void PrintReportCover(const ApplicationState& state, PrinterPage& page) {
    const CoverLines lines = coverLines(state);
    const PrintedCover k = fitPrintedCover(page, lines);
    page.setPosition(CoverLeft, CoverTop);
    page.setFontName(CoverFont);
    page.setFontSize(k.title());
    printLine(page, lines.title, TitleColumn);
    page.setFontSize(k.text);
    emptyLines(page, k.gaps[0]);
    for (size_t f = 0; f < lines.fields.size(); ++f) {
        if (lines.fields[f].isEmpty())
            page.emptyLine(); // no place and no date: a blank line, not a ":"
        else
            printLine(page, lines.fields[f]);
        const int gap = f == 3 ? 0 : k.gaps[f < 3 ? f + 1 : f];
        emptyLines(page, gap);
    }

    page.setLineWidth(RuleWidth);
    // The rules frame the owner below the text, however far down it ends.
    const double rule = std::max(page.y(), UpperRuleY);
    page.drawLine(RuleLeft, rule, RuleRight, rule);
    page.setY(rule);
    page.emptyLine();
    page.setFontSize(k.owner());
    for (const QString& line : lines.owner)
        printLine(page, line);
    page.setFontSize(k.text);
    const double lower = std::max(LowerRuleY, page.y() + page.metrics().lineHeight);
    page.drawLine(RuleLeft, lower, RuleRight, lower);
}
