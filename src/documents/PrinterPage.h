#pragma once

#include <QHashFunctions>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Size of one character and of one line of a font on the output device, in
// twips (1440 per inch). The listings use fixed-pitch fonts, so one
// character width is the width of a print column.
struct PageFontMetrics {
    double charWidth = 0;
    double lineHeight = 0;
};

// Line pitch of the listings, in ems of the current font. A line printer
// spaces its lines by the type size; 3 % less lets the page-1 quota (52 water
// or 50 gas rows under the legend) and the 85 rows of later pages stand above
// their footer at y = 15000 on A4, with a line to spare for a long project
// name. Fixed-pitch type has no ink in that last 3 % of the em.
constexpr double ListingLinePitch = 0.97;

// Width and height of the printable area of an A4 sheet with 5 mm margins,
// in twips.
constexpr double A4PrintableMargin = 283.5;
constexpr double A4PrintableWidth = 11906 - 2 * A4PrintableMargin;
constexpr double A4PrintableHeight = 16838 - 2 * A4PrintableMargin;

// Room kept free of text along every edge of the sheet (10 mm, in twips):
// many printers clip closer to the edge, and a bound copy needs it.
constexpr double SheetEdgeRoom = 567;

// Where the page model's output goes: a printer or PDF file (PainterPageSink)
// or a record of text lines (TextPageRecorder). Positions are twips from the
// top left of the printable area.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual PageFontMetrics metrics(const QString& fontName, double points) = 0;
    // `column` is the character column of x in the current font (1 at x = 0).
    virtual void drawText(double x, double y, int column, const QString& fontName, double points,
                          const QString& text) = 0;
    // A straight line `width` device pixels wide.
    virtual void drawLine(double x1, double y1, double x2, double y2, int width) = 0;
    // The printed line at `y` has ended (after its text, or with nothing on it).
    virtual void lineEnded(double /*y*/) {}
    // The print position was moved by hand, not by the end of a line.
    virtual void positionMoved() {}
    virtual void newPage() = 0;
    // Ends the last page and hands the job over.
    virtual void finish() = 0;
    // The first failure of the device, empty while all is well.
    virtual QString error() const { return {}; }
    // Size of the printable area, and the narrowest of its margins to the
    // edges of the sheet, in twips.
    virtual double pageWidth() const { return A4PrintableWidth; }
    virtual double pageHeight() const { return A4PrintableHeight; }
    virtual double sheetMargin() const { return A4PrintableMargin; }
    // Width of a text in twips: as many columns as characters, unless the
    // device measures the glyphs of a proportional font.
    virtual double textWidth(const QString& fontName, double points, const QString& text) {
        return static_cast<double>(text.size()) * metrics(fontName, points).charWidth;
    }
};

// A type size, and the x of column 1 at that size (see fitColumns).
struct ColumnFit {
    double points = 0;
    double origin = 0;
};

// The printer as the listings see it: a fixed-pitch line printer with a print
// position in twips, a current font, tab columns and a page counter.
// Everything printed goes to the sink; once the sink reports a failure the
// remaining operations do nothing, and endDocument reports it. A text drawn
// again at the same place of the same page (a page number that two rules
// both print) is drawn once, whatever the sink.
class PrinterPage {
public:
    explicit PrinterPage(PageSink& sink);

    void setFontName(const QString& name);
    void setFontSize(double points);
    const QString& fontName() const { return m_fontName; }
    double fontSize() const { return m_fontSize; }

    void setX(double twips);
    void setY(double twips);
    void setPosition(double x, double y);
    double x() const { return m_x; }
    double y() const { return m_y; }

    // Moves to character column n of the current line; when the line is
    // already past it, to column n of the next line.
    void tab(int column);
    // Prints at the print position; the line then ends unless continueLine.
    void print(const QString& text, bool continueLine = false);
    // Prints a text on the current line at column n, or further right when
    // the text printed before it on the line would end less than one blank
    // before its first character (a blank the text starts with counts), so
    // that two values never run together. The line goes on after it.
    void printApart(int column, const QString& text);
    // Prints a text that may be longer than the rest of the line: it is
    // broken at blanks so that nothing comes nearer than SheetEdgeRoom to
    // the right edge of the sheet, and every further line starts at
    // `continuationColumn`.
    void printWrapped(const QString& text, int continuationColumn);
    // The lines printWrapped takes for a text that starts at `column`.
    int wrappedLineCount(const QString& text, int column, int continuationColumn) const;
    // A number as the printer writes one: a blank for its sign, the number's
    // default text, a trailing blank.
    void printNumber(double value, bool continueLine = false);
    // Ends the current line with nothing more printed.
    void emptyLine();

    void setLineWidth(int pixels) { m_lineWidth = pixels; }
    int lineWidth() const { return m_lineWidth; }
    void drawLine(double x1, double y1, double x2, double y2);

    // Flowing lines end above `twips`: a line that would reach below it first
    // runs `turnPage` (the listing's footer, new page and heads), then is
    // printed where that leaves the position, at its own column and type.
    // Lines placed by hand at or below the end (the page number) are not
    // held back.
    void setPageEnd(double twips, std::function<void()> turnPage);

    // The area of the printable page that lies at least SheetEdgeRoom from
    // every edge of the sheet, in twips of the print position.
    double leftLimit() const;
    double rightLimit() const;
    double bottomLimit() const;
    // For lines whose characters stand in columns `first` to `last` of the
    // current font: the largest size, at most `points` and in half points
    // (1 point at the least), at which they fit between the limits, and
    // where column 1 must then stand: at x = 0 unless the first column
    // would fall left of the left limit, or the last right of the right one.
    ColumnFit fitColumns(int first, int last, double points) const;
    // Where column 1 stands, in twips (0 unless set): tabs count columns from
    // there.
    void setColumnOrigin(double twips) { m_origin = twips; }

    int page() const { return m_page; }
    void newPage();
    // Ends the last page and sends the job; false when the device failed.
    bool endDocument();

    bool failed() const { return !m_sink.error().isEmpty(); }
    QString error() const { return m_sink.error(); }

    // Width of one print column and height of one line in the current font.
    PageFontMetrics metrics() const;

private:
    void endLine();
    int columnOf(double x) const;
    double columnX(int column) const;
    // How much of a text printed from x stays within the page: all of it,
    // or up to its last blank that does, or as much as fits of one word
    // longer than the line.
    qsizetype fittingLength(const QString& text, double x) const;
    // Before the first text of a line: turns the page when the line would
    // pass the page end.
    void holdToPageEnd();

    // A text drawn on the page: where (to 1/100 twip), in which font.
    struct Place {
        qint64 x = 0;
        qint64 y = 0;
        QString fontName;
        double fontSize = 0;
        QString text;
        bool operator==(const Place&) const = default;
        friend size_t qHash(const Place& place, size_t base) {
            return qHashMulti(base, place.x, place.y, place.fontName, place.fontSize, place.text);
        }
    };

    PageSink& m_sink;
    QString m_fontName = QStringLiteral("Courier New");
    double m_fontSize = 12;
    double m_x = 0;
    double m_y = 0;
    int m_page = 1;
    int m_lineWidth = 1;
    bool m_ended = false;
    // Places (position, font, text) drawn on the current page.
    QSet<Place> m_drawn;
    bool m_lineHasText = false;
    bool m_lineSkipped = false; // a text of the line was already on the page
    double m_inkEnd = -1;       // where the last character of the line ends, -1 for none
    double m_origin = 0;        // the x of column 1
    bool m_placedByHand = false;
    double m_pageEnd = 0;
    std::function<void()> m_turnPage;
    bool m_turning = false;
};

// A sink that keeps each page as lines of fixed-pitch text: character
// column n of the page model is position n of its line (column 1 first).
// Every printed line, empty ones included, is one line of the record, in its
// order down the page (a page number printed at the foot before the last
// rows comes after them). Used by the tests and by the command line's text
// output.
class TextPageRecorder : public PageSink {
public:
    PageFontMetrics metrics(const QString& fontName, double points) override;
    void drawText(double x, double y, int column, const QString& fontName, double points,
                  const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2, int width) override;
    void lineEnded(double y) override;
    void positionMoved() override;
    void newPage() override;
    void finish() override;

    // Pages of lines, trailing blanks removed.
    const std::vector<QStringList>& pages() const { return m_pages; }
    // The whole record: lines separated by "\n", pages by a form feed.
    QString text() const;
    bool finished() const { return m_finished; }

private:
    void flushLine(double y);

    std::vector<QStringList> m_pages{QStringList()};
    // The height of each recorded line on its page, to keep them in order.
    std::vector<std::vector<double>> m_heights{{}};
    QString m_line;
    double m_lineY = 0;
    bool m_lineOpen = false;
    bool m_finished = false;
};
