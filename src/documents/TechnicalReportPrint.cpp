// The technical report on the printer page model.
#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "documents/FlowsReport.h"
#include "documents/GasPrintout.h"
#include "documents/PrinterPage.h"
#include "documents/ReportCover.h"
#include "documents/ReportTexts.h"
#include "documents/TechnicalReport.h"
#include "documents/VerificationReport.h"
#include "documents/WaterPrintout.h"

#include <QStringList>

#include <algorithm>
#include <limits>

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
constexpr double HeadingPoints = 18;

// Table rows under the legend, on the first table page of a network.
constexpr int WaterRowsUnderLegend = WaterRowsFirstPage;
constexpr int GasRowsUnderLegend = GasRowsFirstPage;
constexpr int RowsPerTablePage = 85;

enum class Network { Water, Gas };

class ReportPrinter {
public:
    ReportPrinter(const ApplicationState& state, PrinterPage& page, const ReportFont& font)
        : m_state(state)
        , m_page(page)
        , m_font(font) {}

    bool print() {
        m_pageRows = 0;
        PrintReportCover(m_state, m_page);
        if (m_state.project.water.rows() > 0)
            section(Network::Water);
        if (m_state.project.gas.rows() > 0) {
            if (m_state.project.water.rows() > 0)
                footer(TableFooterY);
            section(Network::Gas);
        }
        if (ReportsFlows(m_state)) {
            footer(TableFooterY);
            PrintFlowsSection(m_state, m_page, m_font, [this] { footer(TableFooterY); });
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
        return n == Network::Water ? m_state.project.water.rows() : m_state.project.gas.rows();
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

    void section(Network n) {
        const bool water = n == Network::Water;
        m_pageRows = 0;
        m_page.newPage();
        m_page.setColumnOrigin(0);
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
        const QStringList lines = water ? WaterLegendLines() : GasLegendLines();
        // A legend line too long for the margins is set smaller, whole.
        qsizetype longest = 0;
        for (const QString& text : lines)
            longest = std::max(longest, text.size());
        const ColumnFit fit = m_page.fitColumns(
            LegendColumn, LegendColumn - 1 + static_cast<int>(longest), m_font.points);
        m_page.setFontSize(fit.points);
        m_page.setColumnOrigin(fit.origin);
        for (const QString& text : lines)
            legend(text);
        m_page.setColumnOrigin(0);
        m_page.setFontSize(m_font.points);
        m_page.emptyLine();
        m_table = tableFit(n);
        m_page.setColumnOrigin(m_table.origin);
        heads(n);

        m_underLegend = true;
        for (int r = 1; r <= rows(n); ++r) {
            if (water)
                PrintWaterRow(m_state.project, m_page, r);
            else
                PrintGasRow(m_state.project, r, m_page);
            ++m_pageRows;
            m_lastRow = r;
            water ? WaterTableBreak() : GasTableBreak();
            ClosingFlag = 0;
        }
    }

    void heads(Network n) { heads(n, m_page, m_table.points); }

    static void heads(Network n, PrinterPage& page, double points) {
        if (n == Network::Water)
            PrintWaterTableHeads(page, points);
        else
            PrintGasTableHeads(page, points);
    }

    // The type of a network's table: that of the listing, or smaller when
    // its heads or a row of unusually wide values would come nearer the edge
    // of the sheet than its margin, the table moved off the left margin as
    // far as it needs. The heads and rows are laid out in columns first, on
    // a record.
    ColumnFit tableFit(Network n) {
        const double listing = n == Network::Water ? WaterTablePoints : GasTablePoints;
        TextPageRecorder record;
        PrinterPage columns(record);
        heads(n, columns, listing);
        for (int r = 1; r <= rows(n); ++r) {
            if (n == Network::Water)
                PrintWaterRow(m_state.project, columns, r);
            else
                PrintGasRow(m_state.project, r, columns);
        }
        columns.endDocument();
        qsizetype first = std::numeric_limits<qsizetype>::max(), last = 0;
        for (const QStringList& page : record.pages())
            for (const QString& line : page) {
                const qsizetype ink = line.size() - QStringView(line).trimmed().size();
                if (ink < line.size())
                    first = std::min(first, ink + 1);
                last = std::max(last, line.size());
            }
        return m_page.fitColumns(static_cast<int>(std::min(first, last)), static_cast<int>(last),
                                 listing);
    }

    // "pagina n" at the foot of the current page, inside the margin however
    // many digits the number has.
    void footer(double y) {
        m_page.setFontSize(m_font.points);
        const QString text = QStringLiteral("pagina ") + NumberToText(m_page.page());
        const double width = static_cast<double>(text.size()) * m_page.metrics().charWidth;
        m_page.setPosition(std::min(FooterX, m_page.rightLimit() - width), y);
        m_page.print(text);
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
        if (m_lastRow >= rows(n) || m_pageRows < quota)
            return;
        footer(TableFooterY);
        m_pageRows = 0;
        m_page.newPage();
        m_page.setY(PageTop);
        heads(n);
        m_underLegend = false;
    }

    void closing() {
        const ProjectIdentification& c = m_state.project.cover;
        m_page.setColumnOrigin(0);
        emptyLines(2);
        m_page.setFontSize(m_font.points);
        const QString count = QStringLiteral("La presente relazione è composta di n.");
        const QString allegati = QStringLiteral("Si allegano: ") + c.allegati;
        // No place and no date, no line for them; no owner, no brackets.
        const QString place = ReportPlaceAndDate(c);
        const QString owner =
            m_state.program.OwnerName.isEmpty()
                ? QString()
                : QStringLiteral("(") + m_state.program.OwnerName + QStringLiteral(")");
        const auto linesOf = [this](const QString& text, int column) {
            return text.isEmpty() ? 0 : m_page.wrappedLineCount(text, column, column);
        };
        const int lines = 1 + linesOf(allegati, ClosingColumn) + 1 + linesOf(place, ClosingColumn) +
                          1 + linesOf(owner, SignatureColumn);
        // A closing that would come within a line of the page number goes on
        // a page of its own, before its page count is taken.
        const double height = m_page.metrics().lineHeight;
        if (m_page.y() + (lines + 1) * height > TableFooterY) {
            footer(TableFooterY);
            m_page.newPage();
            m_page.setY(PageTop);
            m_page.setFontSize(m_font.points);
        }
        m_page.tab(ClosingColumn);
        m_page.print(count + PrinterNumberText(m_page.page()) + QStringLiteral(" pagine."));
        line(allegati, ClosingColumn);
        m_page.emptyLine();
        if (!place.isEmpty())
            line(place, ClosingColumn);
        line(QStringLiteral("il progettista"), SignatureColumn);
        if (!owner.isEmpty())
            line(owner, SignatureColumn);
        ClosingFlag = 1;
        m_state.project.gas.rows() > 0 ? GasTableBreak() : WaterTableBreak();
    }

    const ApplicationState& m_state;
    PrinterPage& m_page;
    const ReportFont& m_font;
    // 1 once the closing is printed: the table break then only ends the
    // last page.
    qint16 ClosingFlag = 0;
    // The current table page is the first of its network, under the legend.
    bool m_underLegend = true;
    // Rows printed on the current table page.
    int m_pageRows = 0;
    int m_lastRow = 0;
    // The type size and first column of the table being printed.
    ColumnFit m_table{WaterTablePoints, 0};
};

} // namespace

bool PrintTechnicalReport(const ApplicationState& state, PrinterPage& page,
                          const ReportFont& font) {
    return ReportPrinter(state, page, font).print();
}
