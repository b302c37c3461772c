#include "documents/WordDocument.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

QString WordParagraph::text() const {
    QString all;
    for (const WordRun& run : runs)
        if (!run.pageBreak && !run.pageCountField)
            all += run.text;
    return all;
}

bool WordParagraph::hasPageBreak() const {
    for (const WordRun& run : runs)
        if (run.pageBreak)
            return true;
    return false;
}

WordCell& WordTableContent::cell(int row, int column) {
    return cells.at(static_cast<size_t>((row - 1) * columns + (column - 1)));
}

const WordCell& WordTableContent::cell(int row, int column) const {
    return cells.at(static_cast<size_t>((row - 1) * columns + (column - 1)));
}

WordDocument::WordDocument() {
    m_properties.created = QDateTime::currentDateTimeUtc();
    startParagraph();
}

void WordDocument::setProperties(const QString& title, const QString& author) {
    m_properties.title = title;
    m_properties.author = author;
}

void WordDocument::startParagraph() {
    WordBlock block;
    if (!m_blocks.empty() && !m_blocks.back().isTable) {
        block.paragraph.alignment = m_blocks.back().paragraph.alignment;
        block.paragraph.keepWithNext = m_blocks.back().paragraph.keepWithNext;
    }
    block.paragraph.markFont = m_fontName;
    block.paragraph.markSize = m_fontSize;
    m_blocks.push_back(block);
}

WordParagraph* WordDocument::emptyParagraphAtInsertionPoint() {
    if (m_selection != Selection::InsertionPoint || m_blocks.empty() || m_blocks.back().isTable ||
        !m_blocks.back().paragraph.runs.empty())
        return nullptr;
    return &m_blocks.back().paragraph;
}

WordParagraph& WordDocument::current() {
    if (m_blocks.empty() || m_blocks.back().isTable)
        startParagraph();
    return m_blocks.back().paragraph;
}

void WordDocument::StandardSetup() {
    // The distances are whole-number properties: 2.5 and 1.5 both round
    // (half to even) to 2.
    const auto whole = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    setBorderDistances(whole(2.5), whole(2.5), whole(1.5), whole(1.5));
    setLineSpacing(12);
    setPaperA4();
    setFontName(QStringLiteral("Century Gothic"));
}

// A font chosen in an empty paragraph is also the font of its mark, so a
// paragraph left empty is a line of that size.
void WordDocument::setFontName(const QString& name) {
    m_fontName = name;
    if (WordParagraph* p = emptyParagraphAtInsertionPoint())
        p->markFont = name;
}

// Sizes the word processor accepts, in points; any other is refused and
// leaves the size as it was.
static bool validFontSize(double points) {
    return points >= 1 && points <= 1638;
}

void WordDocument::setFontSize(double points) {
    if (!validFontSize(points))
        return;
    m_fontSize = points;
    if (WordParagraph* p = emptyParagraphAtInsertionPoint())
        p->markSize = points;
}

void WordDocument::setBorderDistances(int top, int bottom, int left, int right) {
    m_borderDistances = {top, bottom, left, right};
}

void WordDocument::TypeText(const QString& text) {
    QString pending;
    const auto flush = [&] {
        if (pending.isEmpty())
            return;
        WordParagraph& p = current();
        if (!p.runs.empty() && !p.runs.back().pageBreak && !p.runs.back().pageCountField &&
            p.runs.back().fontName == m_fontName && p.runs.back().fontSize == m_fontSize)
            p.runs.back().text += pending;
        else
            p.runs.push_back({pending, m_fontName, m_fontSize, false});
        pending.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            flush();
            current();
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            startParagraph();
        } else if (c == QChar(12)) {
            flush();
            current().runs.push_back({QString(), m_fontName, m_fontSize, true});
        } else {
            pending += c;
        }
    }
    flush();
}

void WordDocument::TypePageCountField() {
    WordRun field{QString(), m_fontName, m_fontSize, false, true};
    current().runs.push_back(field);
}

void WordDocument::setKeepWithNext(bool keep) {
    current().keepWithNext = keep;
}

void WordDocument::setAlignment(WordAlignment alignment) {
    switch (m_selection) {
    case Selection::InsertionPoint:
        current().alignment = alignment;
        break;
    case Selection::Column: {
        WordTableContent& t = m_tables.at(static_cast<size_t>(m_selectedTable - 1));
        for (int r = 1; r <= t.rows; ++r)
            t.cell(r, m_selectedColumn).alignment = alignment;
        break;
    }
    case Selection::All:
        for (WordBlock& block : m_blocks)
            if (!block.isTable)
                block.paragraph.alignment = alignment;
        for (WordTableContent& t : m_tables)
            for (WordCell& c : t.cells)
                c.alignment = alignment;
        break;
    }
}

void WordDocument::addParagraphAtEnd() {
    current();
    startParagraph();
}

int WordDocument::addTableAtEnd(int rows, int columns) {
    WordTableContent t;
    t.rows = std::max(rows, 1);
    t.columns = std::max(columns, 1);
    t.fontName = m_fontName;
    t.fontSize = m_fontSize;
    t.cells.resize(static_cast<size_t>(t.rows * t.columns));
    m_tables.push_back(std::move(t));
    const int index = static_cast<int>(m_tables.size());

    // An empty last paragraph becomes the table; a paragraph always follows
    // a table, and the insertion point goes on there.
    WordBlock block;
    block.isTable = true;
    block.table = index;
    if (!m_blocks.empty() && !m_blocks.back().isTable && m_blocks.back().paragraph.runs.empty())
        m_blocks.back() = block;
    else
        m_blocks.push_back(block);
    startParagraph();
    return index;
}

// Operations on a table or cell that does not exist change nothing: a cell
// outside its row must not land in the next row.
WordTableContent* WordDocument::tableAt(int table) {
    if (table < 1 || table > tableCount())
        return nullptr;
    return &m_tables[static_cast<size_t>(table - 1)];
}

void WordDocument::setTableFontSize(int table, double points) {
    if (WordTableContent* t = tableAt(table); t && validFontSize(points))
        t->fontSize = points;
}

void WordDocument::setHeadRows(int table, int rows) {
    WordTableContent* t = tableAt(table);
    if (!t || rows < 1)
        return;
    t->headRows = std::min(rows, t->rows);
    t->headsKept = true;
    // The paragraph just before the table goes with it.
    for (size_t i = 1; i < m_blocks.size(); ++i)
        if (m_blocks[i].isTable && m_blocks[i].table == table && !m_blocks[i - 1].isTable)
            m_blocks[i - 1].paragraph.keepWithNext = true;
}

void WordDocument::setCellText(int table, int row, int column, const QString& text) {
    WordTableContent* t = tableAt(table);
    if (t && row >= 1 && row <= t->rows && column >= 1 && column <= t->columns)
        t->cell(row, column).text = text;
}

void WordDocument::autoFormat(int table, int format) {
    if (WordTableContent* t = tableAt(table))
        t->autoFormat = format;
}

void WordDocument::selectColumn(int table, int column) {
    const WordTableContent* t = tableAt(table);
    if (!t || column < 1 || column > t->columns)
        return;
    m_selection = Selection::Column;
    m_selectedTable = table;
    m_selectedColumn = column;
}

void WordDocument::selectAll() {
    m_selection = Selection::All;
}

void WordDocument::collapseSelection() {
    m_selection = Selection::InsertionPoint;
}

std::vector<const WordParagraph*> WordDocument::paragraphs() const {
    std::vector<const WordParagraph*> all;
    for (const WordBlock& block : m_blocks)
        if (!block.isTable)
            all.push_back(&block.paragraph);
    return all;
}

QStringList WordCellParagraphs(const QString& text) {
    // Most cells are one line: nothing to split.
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return {text};
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    unified.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return unified.split(QLatin1Char('\r'));
}
