// The technical report on the printer page model.
#include "core/ApplicationState.h"
#include "core/NumberText.h"
#include "documents/GasPrintout.h"
#include "documents/PrinterPage.h"
#include "documents/ReportTexts.h"
#include "documents/TechnicalReport.h"
#include "documents/VerificationReport.h"
#include "documents/WaterPrintout.h"

namespace {

// Columns of the report's lines: the body, the legend, the closing and the
// signature.
constexpr int Indent = 10;
constexpr int LegendColumn = 6;
constexpr int ClosingColumn = 8;
constexpr int SignatureColumn = 50;

// Page layout in twips from the top left of the printable area.
constexpr double PageTop = 1000;
constexpr double FooterX = 9800;
// The number of a table page stands under its 85 rows; that of a criteria
// page lower, under a text that never comes near it.
constexpr double TableFooterY = 15000;
constexpr double CriteriaFooterY = 15500;
// The two rules of the cover that frame the owner's name and address.
constexpr double RuleLeft = 1000;
constexpr double RuleRight = 11000;
constexpr double UpperRuleY = 14000;
constexpr double LowerRuleY = 15300;
constexpr int RuleWidth = 5;

constexpr double CoverTitlePoints = 24;
constexpr double CoverPoints = 14;
constexpr double OwnerPoints = 16;
constexpr double HeadingPoints = 18;
const QString CoverFont = QStringLiteral("Times New Roman");

// Table rows under the legend, on the first table page of a network.
constexpr int WaterRowsUnderLegend = WaterRowsFirstPage;
constexpr int GasRowsUnderLegend = GasRowsFirstPage;
constexpr int RowsPerTablePage = 85;

enum class Network { Water, Gas };

class ReportPrinter {
public:
    ReportPrinter(ApplicationState& state, PrinterPage& page, const ReportFont& font)
        : m_state(state)
        , m_page(page)
        , m_font(font) {}

    bool print() {
        m_state.PageRowCount = 0;
        cover();
        if (m_state.waterRows() > 0)
            section(Network::Water);
        if (m_state.gasRows() > 0) {
            if (m_state.waterRows() > 0)
                footer(TableFooterY);
            section(Network::Gas);
        }
        if (ReportsVerification(m_state)) {
            footer(TableFooterY);
            PrintVerificationSection(m_state, m_page, m_font, [this] { footer(TableFooterY); });
        }
        closing();
        return m_page.endDocument();
    }

private:
    int rows(Network n) const {
        return n == Network::Water ? m_state.waterRows() : m_state.gasRows();
    }

    // A line at a column, broken under itself when it is longer than the page.
    void line(const QString& text, int column = Indent) {
        m_page.tab(column);
        m_page.printWrapped(text, column);
    }

    void emptyLines(int count) {
        for (int k = 0; k < count; ++k)
            m_page.emptyLine();
    }

    void cover() {
        const ProjectIdentification& c = m_state.cover;
        m_page.setPosition(1000, PageTop);
        m_page.setFontName(CoverFont);
        m_page.setFontSize(CoverTitlePoints);
        line(QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI"), 6);
        m_page.setFontSize(CoverPoints);
        emptyLines(4);
        line(QStringLiteral("progetto..............: ") + c.progetto);
        emptyLines(2);
        line(QStringLiteral("località................: ") + c.localita);
        emptyLines(2);
        line(QStringLiteral("tipologia di studio: ") + c.tipostudio);
        emptyLines(9);
        line(QStringLiteral("progettista............: ") + m_state.OwnerName);
        line(QStringLiteral("committente.........: ") + c.committente);
        emptyLines(1);
        line(c.luogo + QStringLiteral(": ") + c.data);
        emptyLines(12);

        m_page.setLineWidth(RuleWidth);
        m_page.drawLine(RuleLeft, UpperRuleY, RuleRight, UpperRuleY);
        // The owner stands between the two rules, whatever the height of the
        // lines above.
        m_page.setY(std::max(m_page.y(), UpperRuleY));
        m_page.emptyLine();
        m_page.setFontSize(OwnerPoints);
        line(m_state.OwnerName);
        line(m_state.OwnerAddress);
        m_page.drawLine(RuleLeft, LowerRuleY, RuleRight, LowerRuleY);
    }

    void section(Network n) {
        const bool water = n == Network::Water;
        m_state.PageRowCount = 0;
        m_page.newPage();
        m_page.setFontName(m_font.name);
        m_page.setFontSize(HeadingPoints);
        m_page.setPosition(1000, PageTop);
        line(water ? QStringLiteral("CRITERI DI CALCOLO (tubi per acqua)")
                   : QStringLiteral("CRITERI DI CALCOLO (tubi per gas)"));
        m_page.emptyLine();
        m_page.setFontSize(m_font.points);
        for (const QString& text : CriteriaLines(water ? WaterCriteria() : GasCriteria())) {
            if (text.isEmpty())
                m_page.emptyLine();
            else
                line(text);
        }
        PrintPageFooter();

        m_page.setFontName(m_font.name);
        m_page.setFontSize(m_font.points);
        emptyLines(3);
        line(QStringLiteral("DATI E RISULTATI"));
        m_page.emptyLine();
        // The legend lines are printed whole, as in the listings: their count
        // sets how many rows fit under them.
        const auto legend = [this](const QString& text) {
            m_page.tab(LegendColumn);
            m_page.print(text);
        };
        legend(QStringLiteral("Legenda:"));
        m_page.emptyLine();
        if (water) {
            for (const QString& text : WaterLegendLines())
                legend(text);
        } else {
            for (const QString& text : GasLegendLines)
                legend(text);
        }
        m_page.emptyLine();
        heads(n);

        m_underLegend = true;
        for (int r = 1; r <= rows(n); ++r) {
            if (water)
                PrintWaterRow(m_state, m_page, r);
            else
                PrintGasRow(m_state, r, m_page);
            ++m_state.PageRowCount;
            m_lastRow = r;
            water ? WaterTableBreak() : GasTableBreak();
            ClosingFlag = 0;
        }
    }

    void heads(Network n) {
        if (n == Network::Water)
            PrintWaterTableHeads(m_page);
        else
            PrintGasTableHeads(m_page);
    }

    // "pagina n" at the foot of the current page.
    void footer(double y) {
        m_page.setPosition(FooterX, y);
        m_page.setFontSize(m_font.points);
        m_page.print(QStringLiteral("pagina ") + NumberToText(m_page.page()));
    }

    // The end of a criteria page.
    void PrintPageFooter() {
        footer(CriteriaFooterY);
        m_page.newPage();
        m_page.setY(PageTop);
    }

    void WaterTableBreak() { tableBreak(Network::Water); }
    void GasTableBreak() { tableBreak(Network::Gas); }

    // Run after every table row, and by the closing once it is printed
    // (ClosingFlag 1): a full page that has rows to follow gets its number
    // and the next page opens with the heads; the closing ends the last page
    // with its number. The last row of a network leaves its page open for
    // what follows it.
    void tableBreak(Network n) {
        if (ClosingFlag == 1) {
            footer(TableFooterY);
            return;
        }
        const int quota = !m_underLegend        ? RowsPerTablePage
                          : n == Network::Water ? WaterRowsUnderLegend
                                                : GasRowsUnderLegend;
        if (m_lastRow >= rows(n) || m_state.PageRowCount < quota)
            return;
        footer(TableFooterY);
        m_state.PageRowCount = 0;
        m_page.newPage();
        m_page.setY(PageTop);
        heads(n);
        m_underLegend = false;
    }

    void closing() {
        const ProjectIdentification& c = m_state.cover;
        emptyLines(2);
        m_page.setFontSize(m_font.points);
        const QString count = QStringLiteral("La presente relazione è composta di n.");
        const QString allegati = QStringLiteral("Si allegano: ") + c.allegati;
        const QString place = c.luogo + QStringLiteral(": ") + c.data;
        const QString owner = QStringLiteral("(") + m_state.OwnerName + QStringLiteral(")");
        const int lines = 1 + m_page.wrappedLineCount(allegati, ClosingColumn, ClosingColumn) + 1 +
                          m_page.wrappedLineCount(place, ClosingColumn, ClosingColumn) + 1 +
                          m_page.wrappedLineCount(owner, SignatureColumn, SignatureColumn);
        // A closing that would reach the footer goes on a page of its own,
        // before its page count is taken.
        if (m_page.y() + lines * m_page.metrics().lineHeight > TableFooterY) {
            footer(TableFooterY);
            m_page.newPage();
            m_page.setY(PageTop);
            m_page.setFontSize(m_font.points);
        }
        m_page.tab(ClosingColumn);
        m_page.print(count + PrinterNumberText(m_page.page()) + QStringLiteral(" pagine."));
        line(allegati, ClosingColumn);
        m_page.emptyLine();
        line(place, ClosingColumn);
        line(QStringLiteral("il progettista"), SignatureColumn);
        line(owner, SignatureColumn);
        ClosingFlag = 1;
        m_state.gasRows() > 0 ? GasTableBreak() : WaterTableBreak();
    }

    ApplicationState& m_state;
    PrinterPage& m_page;
    const ReportFont& m_font;
    // 1 once the closing is printed: the table break then only ends the
    // last page.
    qint16 ClosingFlag = 0;
    // The current table page is the first of its network, under the legend.
    bool m_underLegend = true;
    int m_lastRow = 0;
};

} // namespace

bool PrintTechnicalReport(ApplicationState& state, PrinterPage& page, const ReportFont& font) {
    return ReportPrinter(state, page, font).print();
}
