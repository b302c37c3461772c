// The layout of a word-processor document on A4 pages: the widths of table
// columns and the page count, with the metrics of the documents' face.
#include "documents/WordDocument.h"

#include "documents/DocumentFace.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace {

// Lengths in points.
constexpr double TwipsPerPoint = 20;
constexpr double PageTextWidth = WordPage::TextWidth / TwipsPerPoint;
constexpr double PageTextHeight = WordPage::TextHeight / TwipsPerPoint;
constexpr double CellMargins = 2 * WordPage::CellMargin / TwipsPerPoint;
// The grid line under each row (a 1/2-point single border).
constexpr double RowRule = 0.5;
// Columns are made this much wider than their text, so that the word
// processor's rounding of glyph positions never pushes a last letter over.
constexpr double ColumnSafety = 1.02;
constexpr double ColumnSafetyPoints = 1;
// Default tab stops every 1.25 cm.
constexpr double TabStop = 708 / TwipsPerPoint;

double charWidth(QChar c, double size, bool bold) {
    return DocumentCharEm(c, bold) * size;
}

double lineHeight(double size) {
    return DocumentLineEm() * size;
}

// Greedy word wrap of text into lines of a given width, characters taking
// the advance of the documents' face at their size; reports the font size of
// each finished line. A word longer than a line is split where it overflows.
class LineWrap {
public:
    template <typename OnLine>
    LineWrap(double width, OnLine onLine)
        : m_width(width)
        , m_emit(std::move(onLine)) {}

    void put(QChar c, double size, bool bold = false) {
        // A zero-width space: a place where the line may break, no more.
        if (c.unicode() == 0x200b) {
            commitWord();
            return;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            commitWord();
            m_lineWidth = c == QLatin1Char(' ') ? m_lineWidth + charWidth(c, size, bold)
                                                : (std::floor(m_lineWidth / TabStop) + 1) * TabStop;
            m_lineSize = std::max(m_lineSize, size);
            return;
        }
        const double w = charWidth(c, size, bold);
        if (m_wordWidth + w > m_width) {
            endLine();
            if (m_wordWidth > 0) {
                m_emit(m_wordSize);
                m_wordWidth = m_wordSize = 0;
            }
        }
        m_wordWidth += w;
        m_wordSize = std::max(m_wordSize, size);
    }

    // Ends the line in progress (a page break or the end of the paragraph);
    // an empty line is as high as `emptySize`.
    void finish(double emptySize) {
        commitWord();
        m_emit(m_lineSize > 0 ? m_lineSize : emptySize);
        m_lineWidth = m_lineSize = 0;
    }

private:
    void commitWord() {
        if (m_wordWidth <= 0)
            return;
        if (m_lineWidth + m_wordWidth > m_width)
            endLine();
        m_lineWidth += m_wordWidth;
        m_lineSize = std::max(m_lineSize, m_wordSize);
        m_wordWidth = m_wordSize = 0;
    }

    void endLine() {
        if (m_lineWidth <= 0 && m_lineSize <= 0)
            return;
        m_emit(m_lineSize);
        m_lineWidth = m_lineSize = 0;
    }

    double m_width;
    std::function<void(double)> m_emit;
    double m_lineWidth = 0;
    double m_lineSize = 0;
    double m_wordWidth = 0;
    double m_wordSize = 0;
};

// Lines a text of one size takes in a given width.
int lineCount(const QString& text, double width, double size, bool bold) {
    int lines = 0;
    LineWrap wrap(width, [&](double) { ++lines; });
    for (const QChar c : text)
        wrap.put(c, size, bold);
    wrap.finish(size);
    return lines;
}

// Widest single word and whole text of a cell, in points.
struct TextExtent {
    double word = 0;
    double whole = 0;
};

TextExtent extent(const QString& text, double size, bool bold) {
    TextExtent e;
    for (const QString& line : WordCellParagraphs(text)) {
        double word = 0, whole = 0;
        for (const QChar c : line) {
            const double w = charWidth(c, size, bold);
            whole += w;
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == 0x200b)
                word = 0;
            else
                word += w;
            e.word = std::max(e.word, word);
        }
        e.whole = std::max(e.whole, whole);
    }
    return e;
}

// The text flowing down the pages.
class PageFlow {
public:
    // Places a block of the given height, on a new page when it does not fit
    // in what is left of this one.
    bool place(double height) {
        bool newPage = false;
        if (m_y > 0 && m_y + height > PageTextHeight) {
            breakPage();
            newPage = true;
        }
        m_y += height;
        return newPage;
    }
    void breakPage() {
        ++m_pages;
        m_y = 0;
    }
    int pages() const { return m_pages; }
    bool atPageTop() const { return m_y == 0; }

private:
    int m_pages = 1;
    double m_y = 0;
};

bool isHeadingRow(const WordTableContent& t, int row) {
    return t.autoFormat != 0 && row == 1;
}

// A table with a row left empty is a form to be filled in by hand.
bool isBlankForm(const WordTableContent& t) {
    for (int r = 1; r <= t.rows; ++r) {
        bool empty = true;
        for (int c = 1; c <= t.columns && empty; ++c)
            empty = t.cell(r, c).text.isEmpty();
        if (empty)
            return true;
    }
    return false;
}

// Widths that bring the widest columns down to a common limit, the others
// keeping theirs, so that together they fill `total`.
std::vector<double> capWidest(const std::vector<double>& wanted, double total) {
    std::vector<double> sorted = wanted;
    std::sort(sorted.begin(), sorted.end());
    double below = 0; // the sum of the columns under the limit
    double limit = total / static_cast<double>(sorted.size());
    for (size_t i = 0; i < sorted.size(); ++i) {
        limit = (total - below) / static_cast<double>(sorted.size() - i);
        if (limit <= sorted[i])
            break;
        below += sorted[i];
    }
    std::vector<double> capped(wanted.size());
    for (size_t c = 0; c < wanted.size(); ++c)
        capped[c] = std::min(wanted[c], limit);
    return capped;
}

double rowHeight(const WordTableContent& t, const std::vector<int>& widths, int row) {
    int lines = 1;
    for (int c = 1; c <= t.columns; ++c) {
        const double width = widths[static_cast<size_t>(c - 1)] / TwipsPerPoint - CellMargins;
        int cellLines = 0;
        for (const QString& line : WordCellParagraphs(t.cell(row, c).text))
            cellLines += lineCount(line, width, t.fontSize, isHeadingRow(t, row));
        lines = std::max(lines, cellLines);
    }
    return lines * lineHeight(t.fontSize) + RowRule;
}

double leadHeight(const WordTableContent& t) {
    const std::vector<int> widths = WordTableColumnWidths(t);
    double height = 0;
    for (int r = 1; r <= t.leadRows(); ++r)
        height += rowHeight(t, widths, r);
    return height;
}

// Lays out the rows of a table; `rowPages`, when given, receives the page
// each row stands on.
void layOutTable(const WordTableContent& t, PageFlow& flow, std::vector<int>* rowPages) {
    const std::vector<int> widths = WordTableColumnWidths(t);
    std::vector<double> heights(static_cast<size_t>(t.rows));
    double heads = 0, lead = 0;
    for (int r = 1; r <= t.rows; ++r) {
        const double height = rowHeight(t, widths, r);
        heights[static_cast<size_t>(r - 1)] = height;
        heads += t.isHeadRow(r) ? height : 0;
        lead += r <= t.leadRows() ? height : 0;
    }
    flow.place(lead);
    if (rowPages)
        rowPages->assign(static_cast<size_t>(t.leadRows()), flow.pages());
    for (int r = t.leadRows() + 1; r <= t.rows; ++r) {
        if (flow.place(heights[static_cast<size_t>(r - 1)]) && heads > 0)
            flow.place(heads); // the heads repeat on top of the page
        if (rowPages)
            rowPages->push_back(flow.pages());
    }
}

void layOutParagraph(const WordParagraph& p, double& lastSize, PageFlow& flow) {
    const double markSize = p.markSize > 0 ? p.markSize : lastSize;
    LineWrap wrap(PageTextWidth, [&](double size) { flow.place(lineHeight(size)); });
    for (const WordRun& run : p.runs) {
        if (run.pageBreak) {
            wrap.finish(markSize);
            flow.breakPage();
            continue;
        }
        // A page count takes the room of two digits.
        const QString text = run.pageCountField ? QStringLiteral("00") : run.text;
        for (const QChar c : text)
            wrap.put(c, run.fontSize);
        lastSize = run.fontSize;
    }
    wrap.finish(markSize);
}

} // namespace

std::vector<int> WordTableColumnWidths(const WordTableContent& t) {
    const size_t n = static_cast<size_t>(t.columns);
    // Narrowest and natural width of each column, cell margins included.
    std::vector<double> least(n, 0), natural(n, 0);
    for (int r = 1; r <= t.rows; ++r) {
        for (size_t c = 0; c < n; ++c) {
            const TextExtent e =
                extent(t.cell(r, static_cast<int>(c) + 1).text, t.fontSize, isHeadingRow(t, r));
            least[c] = std::max(least[c], e.word);
            natural[c] = std::max(natural[c], e.whole);
        }
    }
    // No column narrower than two digits, so an empty one stays usable.
    const double narrowest = 2 * charWidth(QLatin1Char('0'), t.fontSize, false);
    const double room = isBlankForm(t) ? WordPage::HandwritingRoom / TwipsPerPoint : 0;
    const auto padded = [](double text) {
        return text > 0 ? text * ColumnSafety + ColumnSafetyPoints : 0;
    };
    double leastSum = 0, naturalSum = 0;
    for (size_t c = 0; c < n; ++c) {
        least[c] = std::max(padded(least[c]), narrowest) + CellMargins;
        natural[c] = std::max({padded(natural[c]) + CellMargins, least[c], room});
        leastSum += least[c];
        naturalSum += natural[c];
    }

    std::vector<double> points(n);
    if (naturalSum <= PageTextWidth) {
        // Every text fits on one line: the spare width goes to the columns in
        // proportion to their text.
        for (size_t c = 0; c < n; ++c)
            points[c] = natural[c] * PageTextWidth / naturalSum;
    } else if (leastSum <= PageTextWidth) {
        // Words stay whole; the columns that would wrap most get the most.
        const double spare = PageTextWidth - leastSum;
        for (size_t c = 0; c < n; ++c)
            points[c] = least[c] + spare * (natural[c] - least[c]) / (naturalSum - leastSum);
    } else {
        // Some word is wider than the page allows: its column gives up width
        // and the word processor breaks it inside.
        points = capWidest(least, PageTextWidth);
    }

    std::vector<int> widths(n);
    int used = 0;
    for (size_t c = 0; c < n; ++c) {
        widths[c] = static_cast<int>(std::floor(points[c] * TwipsPerPoint));
        used += widths[c];
    }
    widths.back() += WordPage::TextWidth - used; // the table spans the text width exactly
    return widths;
}

double WordTextPoints(const QString& text, double points, bool bold) {
    double width = 0;
    for (const QChar c : text)
        width += charWidth(c, points, bold);
    return width;
}

int WordDocument::pageCount() const {
    return layOut(0, nullptr);
}

std::vector<int> WordDocument::tableRowPages(int table) const {
    std::vector<int> pages;
    if (table >= 1 && table <= tableCount())
        layOut(table, &pages);
    return pages;
}

int WordDocument::layOut(int observed, std::vector<int>* rowPages) const {
    PageFlow flow;
    double lastSize = m_fontSize;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        const WordBlock& block = m_blocks[i];
        if (block.isTable) {
            layOutTable(table(block.table), flow, block.table == observed ? rowPages : nullptr);
            continue;
        }
        const bool chainStart =
            block.paragraph.keepWithNext &&
            (i == 0 || m_blocks[i - 1].isTable || !m_blocks[i - 1].paragraph.keepWithNext);
        if (chainStart && !flow.atPageTop()) {
            // The paragraphs kept together, up to the first one that is not
            // kept with the next: when they would be split, and fit on a page
            // of their own, they start a new page.
            size_t end = i;
            while (end + 1 < m_blocks.size() && !m_blocks[end + 1].isTable &&
                   m_blocks[end].paragraph.keepWithNext)
                ++end;
            PageFlow here = flow, alone;
            double sizeHere = lastSize, sizeAlone = lastSize;
            for (size_t k = i; k <= end; ++k) {
                layOutParagraph(m_blocks[k].paragraph, sizeHere, here);
                layOutParagraph(m_blocks[k].paragraph, sizeAlone, alone);
            }
            // Kept with a table: with the rows that open it.
            if (end + 1 < m_blocks.size() && m_blocks[end + 1].isTable &&
                m_blocks[end].paragraph.keepWithNext) {
                const double lead = leadHeight(table(m_blocks[end + 1].table));
                here.place(lead);
                alone.place(lead);
            }
            if (here.pages() > flow.pages() && alone.pages() == 1)
                flow.breakPage();
        }
        layOutParagraph(block.paragraph, lastSize, flow);
    }
    return flow.pages();
}
