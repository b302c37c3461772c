#include "documents/PrinterPage.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

PrinterPage::PrinterPage(PageSink& sink)
    : m_sink(sink) {}

void PrinterPage::setFontName(const QString& name) {
    m_fontName = name;
}

void PrinterPage::setFontSize(double points) {
    m_fontSize = points;
}

PageFontMetrics PrinterPage::metrics() const {
    return m_sink.metrics(m_fontName, m_fontSize);
}

void PrinterPage::setX(double twips) {
    setPosition(twips, m_y);
}

void PrinterPage::setY(double twips) {
    setPosition(m_x, twips);
}

void PrinterPage::setPosition(double x, double y) {
    m_x = x;
    m_y = y;
    m_placedByHand = true;
    m_sink.positionMoved();
}

int PrinterPage::columnOf(double x) const {
    const double width = metrics().charWidth;
    if (width <= 0)
        return 1;
    return static_cast<int>(std::floor(x / width + 0.5)) + 1;
}

void PrinterPage::tab(int column) {
    if (failed())
        return;
    const double target = (std::max(column, 1) - 1) * metrics().charWidth;
    // A small tolerance: a position reached by printing exactly up to the
    // column is not "past" it.
    if (m_x > target + 0.5)
        endLine();
    m_x = target;
}

void PrinterPage::print(const QString& text, bool continueLine) {
    if (failed())
        return;
    if (!text.isEmpty()) {
        if (!m_lineHasText)
            holdToPageEnd();
        const Place place{std::llround(m_x * 100), std::llround(m_y * 100), m_fontName, m_fontSize,
                          text};
        if (m_drawn.contains(place)) {
            m_lineSkipped = true;
        } else {
            m_drawn.insert(place);
            m_sink.drawText(m_x, m_y, columnOf(m_x), m_fontName, m_fontSize, text);
            m_lineHasText = true;
        }
        m_x += text.size() * metrics().charWidth;
    }
    if (!continueLine)
        endLine();
}

qsizetype PrinterPage::fittingLength(const QString& text, double x) const {
    const double width = metrics().charWidth;
    const int room = width > 0 ? static_cast<int>((m_sink.pageWidth() - x) / width) : 0;
    if (text.size() <= room || room <= 0)
        return text.size();
    const qsizetype cut = text.lastIndexOf(QLatin1Char(' '), room);
    return cut <= 0 ? room : cut; // one word longer than the line: cut it
}

void PrinterPage::setPageEnd(double twips, std::function<void()> turnPage) {
    m_pageEnd = twips;
    m_turnPage = std::move(turnPage);
}

void PrinterPage::holdToPageEnd() {
    if (!m_turnPage || m_turning || m_y + metrics().lineHeight <= m_pageEnd)
        return;
    // The page number is placed by hand at the foot: it stays there.
    if (m_placedByHand && m_y >= m_pageEnd)
        return;
    const double x = m_x;
    const QString fontName = m_fontName;
    const double fontSize = m_fontSize;
    m_turning = true;
    m_turnPage();
    m_turning = false;
    m_fontName = fontName;
    m_fontSize = fontSize;
    m_x = x;
}

void PrinterPage::printWrapped(const QString& text, int continuationColumn) {
    if (failed())
        return;
    QString rest = text;
    while (!rest.isEmpty() && !failed()) {
        const qsizetype cut = fittingLength(rest, m_x);
        if (cut >= rest.size()) {
            print(rest);
            return;
        }
        print(rest.left(cut));
        rest = rest.mid(cut).trimmed();
        if (!rest.isEmpty())
            tab(continuationColumn);
    }
}

int PrinterPage::wrappedLineCount(const QString& text, int column, int continuationColumn) const {
    const double width = metrics().charWidth;
    QString rest = text;
    double x = (std::max(column, 1) - 1) * width;
    int lines = 1;
    for (qsizetype cut = fittingLength(rest, x); cut < rest.size(); cut = fittingLength(rest, x)) {
        rest = rest.mid(cut).trimmed();
        if (rest.isEmpty())
            break;
        ++lines;
        x = (std::max(continuationColumn, 1) - 1) * width;
    }
    return lines;
}

void PrinterPage::printNumber(double value, bool continueLine) {
    print(PrinterNumberText(value), continueLine);
}

void PrinterPage::emptyLine() {
    if (failed())
        return;
    endLine();
}

void PrinterPage::endLine() {
    // A line whose only text was already on the page is not a line of its own.
    if (m_lineHasText || !m_lineSkipped)
        m_sink.lineEnded(m_y);
    m_lineHasText = false;
    m_lineSkipped = false;
    m_placedByHand = false;
    m_x = 0;
    m_y += metrics().lineHeight;
}

void PrinterPage::drawLine(double x1, double y1, double x2, double y2) {
    if (failed())
        return;
    m_sink.drawLine(x1, y1, x2, y2, m_lineWidth);
}

void PrinterPage::newPage() {
    if (failed())
        return;
    m_sink.newPage();
    ++m_page;
    m_drawn.clear();
    m_lineHasText = false;
    m_lineSkipped = false;
    m_x = 0;
    m_y = 0;
}

bool PrinterPage::endDocument() {
    if (!m_ended && !failed())
        m_sink.finish();
    m_ended = true;
    return !failed();
}

// The record's metrics are those of the printer's fixed-pitch font: a
// character is 0.6 of the size wide (as in Courier New), lines are spaced as
// on paper, so that positions and page breaks are the printer's.
PageFontMetrics TextPageRecorder::metrics(const QString&, double points) {
    return {points * 20 * 0.6, points * 20 * ListingLinePitch};
}

void TextPageRecorder::drawText(double, double y, int column, const QString&, double,
                                const QString& text) {
    const int at = std::max(column, 1) - 1;
    if (m_line.size() < at)
        m_line += QString(at - m_line.size(), QLatin1Char(' '));
    m_line.replace(at, std::min<qsizetype>(text.size(), m_line.size() - at), text);
    m_lineOpen = true;
    m_lineY = y;
}

void TextPageRecorder::drawLine(double, double, double, double, int) {}

void TextPageRecorder::flushLine(double y) {
    while (m_line.endsWith(QLatin1Char(' ')))
        m_line.chop(1);
    // After the lines above it, and after those already at its height.
    std::vector<double>& heights = m_heights.back();
    const auto at = std::upper_bound(heights.begin(), heights.end(), y);
    m_pages.back().insert(at - heights.begin(), m_line);
    heights.insert(at, y);
    m_line.clear();
    m_lineOpen = false;
}

void TextPageRecorder::lineEnded(double y) {
    flushLine(y);
}

void TextPageRecorder::positionMoved() {
    if (m_lineOpen)
        flushLine(m_lineY);
}

void TextPageRecorder::newPage() {
    if (m_lineOpen)
        flushLine(m_lineY);
    m_pages.emplace_back();
    m_heights.emplace_back();
}

void TextPageRecorder::finish() {
    if (m_lineOpen)
        flushLine(m_lineY);
    m_finished = true;
}

QString TextPageRecorder::text() const {
    QStringList pages;
    for (const QStringList& lines : m_pages)
        pages.append(lines.join(QLatin1Char('\n')));
    return pages.join(QLatin1Char('\f'));
}
