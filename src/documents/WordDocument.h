#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

// Paragraph alignment, numbered as the word processor's automation numbers
// them: 0 left, 1 centred, 2 right, 3 justified.
enum class WordAlignment { Left = 0, Center = 1, Right = 2, Justify = 3 };

// A stretch of text typed with one font; a page break is a run of its own,
// and so is the field that shows the number of pages of the document.
struct WordRun {
    QString text;
    QString fontName;
    double fontSize = 12;
    bool pageBreak = false;
    bool pageCountField = false;
};

struct WordParagraph {
    std::vector<WordRun> runs;
    WordAlignment alignment = WordAlignment::Left;
    // Kept on the page of the paragraph that follows it.
    bool keepWithNext = false;
    // Font of the paragraph mark: the font at the insertion point while the
    // paragraph was still empty. An empty paragraph is a line of this size.
    QString markFont;
    double markSize = 0; // 0: that of the text before it
    // The text of the paragraph without page breaks and fields.
    QString text() const;
    bool hasPageBreak() const;
};

struct WordCell {
    QString text;
    WordAlignment alignment = WordAlignment::Left;
};

// The rows of a table that stay on the page of its kept heads (see
// WordDocument::setHeadRows): fewer would be an orphan at a page foot.
constexpr int WordRowsUnderHeads = 3;

struct WordTableContent {
    int rows = 0;
    int columns = 0;
    QString fontName;
    double fontSize = 12;
    // The predefined table format applied (0 for none); format 9 shades the
    // heading row and draws the grid.
    int autoFormat = 0;
    // Rows 1..headRows head the table (the names and, under them, the units)
    // when the heads are kept with the body: see WordDocument::setHeadRows.
    int headRows = 1;
    bool headsKept = false;
    std::vector<WordCell> cells; // row-major

    // A row repeated at the top of every page the table continues on: the
    // kept heads, or else the heading row of a formatted table.
    bool isHeadRow(int row) const {
        return headsKept ? row <= headRows : autoFormat != 0 && row == 1;
    }
    // The rows at the top that never part: the kept heads with the rows
    // under them, or else the first row.
    int leadRows() const { return headsKept ? std::min(headRows + WordRowsUnderHeads, rows) : 1; }

    // 1-based indexes, as the word processor counts them.
    WordCell& cell(int row, int column);
    const WordCell& cell(int row, int column) const;
};

// The page the document is laid out on: A4 with 2 cm margins all round, in
// twips (1440 per inch). The .docx writer and the page count share it.
namespace WordPage {
constexpr int Width = 11906;
constexpr int Height = 16838;
constexpr int Margin = 1134;
constexpr int TextWidth = Width - 2 * Margin;
constexpr int TextHeight = Height - 2 * Margin;
// Left and right margin inside a table cell.
constexpr int CellMargin = 57;
// A column of a blank form is at least this wide where the page allows:
// room for a number written by hand (1 cm).
constexpr int HandwritingRoom = 567;
} // namespace WordPage

// Width of a line of text in points, at the given size, in the documents'
// face (bold for the heading rows).
double WordTextPoints(const QString& text, double points, bool bold = false);

// Widths of the columns of a table in twips, filling the text width of the
// page: every column at least as wide as its longest word, the rest shared
// out so that a column's whole text fits on one line where the page allows.
// When even the longest words do not fit side by side, only the columns with
// the longest words give up width, down to a common limit, so that one long
// word (a web address) does not break the words of the other columns. A
// table with an empty row is a form to be filled in by hand: its columns
// leave room to write a number.
std::vector<int> WordTableColumnWidths(const WordTableContent& table);

// The paragraphs of a cell's text: a line end (CR, LF or both) inside the
// text starts a new paragraph of the cell.
QStringList WordCellParagraphs(const QString& text);

// The document's properties, as the word processor shows them among the
// file's information.
struct WordProperties {
    QString title;
    QString author;    // the technical office that owns the installation
    QDateTime created; // when the document was made
};

// One element of the document body: a paragraph, or the table of that index.
struct WordBlock {
    bool isTable = false;
    WordParagraph paragraph;
    int table = 0; // 1-based index into tables() when isTable
};

// A word-processor document built with the operations of the program's
// "Stampa con Word" outputs, in the callers' order. A new document holds one
// empty paragraph with the insertion point in it. Typed text always goes to
// the end of the document (the insertion point follows every table added at
// the end), so the callers' sequence of text and tables reads top to bottom.
// The document is a value: the .docx writer and the tests read it back.
class WordDocument {
public:
    WordDocument();

    // The program's usual start of a document: border distances 2.5, 2.5,
    // 1.5 and 1.5 taken as whole numbers (rounding half to even, 2 each),
    // line spacing 12 points, A4 paper, font "Century Gothic".
    void StandardSetup();

    // Title and author; the creation time is the moment the document was
    // made, unless set otherwise.
    void setProperties(const QString& title, const QString& author);
    void setCreated(const QDateTime& created) { m_properties.created = created; }
    const WordProperties& properties() const { return m_properties; }

    void setFontName(const QString& name);
    // Sizes outside 1 to 1638 points (also for tables) are ignored.
    void setFontSize(double points);
    const QString& fontName() const { return m_fontName; }
    double fontSize() const { return m_fontSize; }

    // Types at the insertion point: character 13 ends the paragraph (a
    // following character 10 is part of the same line end), character 12
    // starts a new page.
    void TypeText(const QString& text);
    // Types, at the insertion point, a field that shows the number of pages
    // of the document; its stored result is the page count of the finished
    // document, so that a word processor shows the right number before it
    // updates the field itself.
    void TypePageCountField();

    void setPaperA4() { m_a4 = true; }
    bool paperA4() const { return m_a4; }
    void setLineSpacing(double points) { m_lineSpacing = points; }
    double lineSpacing() const { return m_lineSpacing; }
    // Distances of the selection's borders from the text, in points.
    void setBorderDistances(int top, int bottom, int left, int right);
    const std::vector<int>& borderDistances() const { return m_borderDistances; }

    // Alignment of the selection: the paragraph at the insertion point, the
    // selected table column, or the whole document.
    void setAlignment(WordAlignment alignment);

    // The paragraph at the insertion point, and those typed after it, stay
    // on one page with the paragraph that follows each (a signature block
    // is never split across pages).
    void setKeepWithNext(bool keep);

    // A new empty paragraph at the end of the document.
    void addParagraphAtEnd();
    // A table at the end of the document; returns its 1-based index.
    int addTableAtEnd(int rows, int columns);
    void setTableFontSize(int table, double points);
    // Rows 1..rows head the table: they repeat at the top of every page the
    // table continues on, and they stay on the page of the first
    // WordRowsUnderHeads rows under them, as does the paragraph just before
    // the table; so no page ends with the heads of a table, or with its
    // heads and a row or two. Only row 1 takes the shading of the format.
    void setHeadRows(int table, int rows);
    void setCellText(int table, int row, int column, const QString& text);
    void autoFormat(int table, int format);

    // Selection: a column of a table, the whole document, or back to the
    // insertion point. A table, cell or column that does not exist is left
    // alone by all these operations.
    void selectColumn(int table, int column);
    void selectAll();
    void collapseSelection();

    const std::vector<WordBlock>& blocks() const { return m_blocks; }
    const std::vector<WordTableContent>& tables() const { return m_tables; }
    int tableCount() const { return static_cast<int>(m_tables.size()); }
    const WordTableContent& table(int index) const { return m_tables.at(index - 1); }
    // Every paragraph outside tables, in order.
    std::vector<const WordParagraph*> paragraphs() const;

    // Pages of the document laid out so far on A4 with the writer's margins:
    // lines wrapped at the widths of the documents' face, tables row by row with
    // their head rows repeated on every page, the page breaks typed, and
    // paragraphs kept with the next one (and kept heads with the rows under
    // them) moved together to a new page when they would be split.
    int pageCount() const;
    // The page (from 1) on which each row of a table stands in that layout.
    std::vector<int> tableRowPages(int table) const;

private:
    // Lays the document out and returns its pages; the rows of table
    // `observed` report their pages to `rowPages`.
    int layOut(int observed, std::vector<int>* rowPages) const;
    WordParagraph& current();
    void startParagraph();
    // The paragraph at the insertion point while nothing is typed in it.
    WordParagraph* emptyParagraphAtInsertionPoint();
    WordTableContent* tableAt(int table);

    enum class Selection { InsertionPoint, Column, All };

    WordProperties m_properties;
    std::vector<WordBlock> m_blocks;
    std::vector<WordTableContent> m_tables;
    QString m_fontName = QStringLiteral("Times New Roman");
    double m_fontSize = 12;
    bool m_a4 = false;
    double m_lineSpacing = 0; // 0: the word processor's own
    std::vector<int> m_borderDistances;
    Selection m_selection = Selection::InsertionPoint;
    int m_selectedTable = 0;
    int m_selectedColumn = 0;
};
