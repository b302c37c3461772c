#include "documents/PrinterPage.h"

#include "core/model/NumberText.h"

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
    return static_cast<int>(std::floor((x - m_origin) / width + 0.5)) + 1;
}

double PrinterPage::columnX(int column) const {
    return m_origin + (std::max(column, 1) - 1) * metrics().charWidth;
}

void PrinterPage::tab(int column) {
    if (failed())
        return;
    const double target = columnX(column);
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
        const double width = metrics().charWidth;
        qsizetype ink = text.size();
        while (ink > 0 && text.at(ink - 1) == QLatin1Char(' '))
            --ink;
        if (ink > 0)
            m_inkEnd = m_x + static_cast<double>(ink) * width;
        m_x += static_cast<double>(text.size()) * width;
    }
    if (!continueLine)
        endLine();
}

void PrinterPage::printApart(int column, const QString& text) {
    if (failed() || text.isEmpty())
        return;
    const double width = metrics().charWidth;
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead) == QLatin1Char(' '))
        ++lead;
    double x = columnX(column);
    // Half a column of tolerance, as for a tab.
    if (m_inkEnd >= 0 && x + static_cast<double>(lead) * width < m_inkEnd + width - 0.5)
        x = m_inkEnd + width - static_cast<double>(lead) * width;
    m_x = x;
    print(text, true);
}

qsizetype PrinterPage::fittingLength(const QString& text, double x) const {
    const double room = rightLimit() - x;
    const auto width = [&](const QString& piece) {
        return m_sink.textWidth(m_fontName, m_fontSize, piece);
    };
    if (room <= 0)
        return text.size();
    // Word by word, the blank after the last word that fits.
    double used = 0;
    qsizetype cut = -1;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char(' ')) {
            if (i > 0)
                cut = i;
            used += width(QStringLiteral(" "));
            ++i;
            continue;
        }
        qsizetype end = text.indexOf(QLatin1Char(' '), i);
        if (end < 0)
            end = text.size();
        used += width(text.mid(i, end - i));
        if (used > room + 0.5)
            break;
        i = end;
    }
    if (i >= text.size())
        return text.size();
    if (cut > 0)
        return cut;
    // One word longer than the line: as much of it as fits, a character at
    // the least.
    qsizetype fit = 1;
    while (fit < text.size() && width(text.left(fit + 1)) <= room + 0.5)
        ++fit;
    return fit;
}

double PrinterPage::leftLimit() const {
    return std::max(0.0, SheetEdgeRoom - m_sink.sheetMargin());
}

double PrinterPage::rightLimit() const {
    return m_sink.pageWidth() - leftLimit();
}

double PrinterPage::bottomLimit() const {
    return m_sink.pageHeight() - leftLimit();
}

ColumnFit PrinterPage::fitColumns(int first, int last, double points) const {
    const double room = rightLimit() - leftLimit();
    const int span = std::max(last - std::max(first, 1) + 1, 0);
    double size = points;
    while (size > 1 && span * m_sink.metrics(m_fontName, size).charWidth > room)
        size = std::max(1.0, std::ceil(size * 2 - 1) / 2);
    const double width = m_sink.metrics(m_fontName, size).charWidth;
    double origin = std::max(0.0, leftLimit() - (std::max(first, 1) - 1) * width);
    origin = std::min(origin, rightLimit() - last * width);
    return {size, origin};
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
    QString rest = text;
    double x = columnX(column);
    int lines = 1;
    for (qsizetype cut = fittingLength(rest, x); cut < rest.size(); cut = fittingLength(rest, x)) {
        rest = rest.mid(cut).trimmed();
        if (rest.isEmpty())
            break;
        ++lines;
        x = columnX(continuationColumn);
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
    m_inkEnd = -1;
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
    m_inkEnd = -1;
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
