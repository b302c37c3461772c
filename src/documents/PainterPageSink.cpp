#include "documents/PainterPageSink.h"

#include "core/file/SafeFile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>

QFont PageFont(const QString& name, double points) {
    QFont font;
    const QString key = name.toLower();
    if (key.startsWith(QLatin1String("courier"))) {
        font.setFamilies({name, QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (key.startsWith(QLatin1String("times"))) {
        font.setFamilies({name, QStringLiteral("Times New Roman"),
                          QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                          QStringLiteral("DejaVu Serif")});
        font.setStyleHint(QFont::Serif);
    } else {
        font.setFamilies({name});
    }
    font.setPointSizeF(points);
    // Printed columns must not depend on the screen's hinting.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

PainterPageSink::Measured& PainterPageSink::measure(const QString& fontName, double points) {
    if (m_lastMeasured && m_lastMeasured->points == points && m_lastMeasured->name == fontName)
        return *m_lastMeasured;
    const auto key = std::make_pair(fontName, points);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) {
        m_lastMeasured = &it->second;
        return it->second;
    }
    Measured m;
    m.name = fontName;
    m.points = points;
    m.font = PageFont(fontName, points);
    const QFontMetricsF fm(m.font, &m_device);
    // A print column is one character wide: the advance of a fixed-pitch
    // font, the average character of a proportional one.
    m.fixedPitch = QFontInfo(m.font).fixedPitch();
    const double column =
        m.fixedPitch ? fm.horizontalAdvance(QLatin1Char('0')) : fm.averageCharWidth();
    m.twips = {column / m_scaleX, points * 20 * ListingLinePitch};
    m.ascent = fm.ascent();
    m_lastMeasured = &m_fonts.emplace(key, m).first->second;
    return *m_lastMeasured;
}

PainterPageSink::PainterPageSink(QPagedPaintDevice& device, QString deviceName)
    : m_device(device)
    , m_deviceName(std::move(deviceName)) {
    m_scaleX = device.logicalDpiX() / 1440.0;
    m_scaleY = device.logicalDpiY() / 1440.0;
}

PainterPageSink::~PainterPageSink() {
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void PainterPageSink::fail(const QString& what) {
    if (m_error.isEmpty())
        m_error = what;
}

bool PainterPageSink::ensureStarted() {
    if (!m_error.isEmpty())
        return false;
    if (m_painter)
        return true;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_device)) {
        fail(QStringLiteral("impossibile avviare la stampa su %1").arg(m_deviceName));
        return false;
    }
    return true;
}

PageFontMetrics PainterPageSink::metrics(const QString& fontName, double points) {
    return measure(fontName, points).twips;
}

void PainterPageSink::drawText(double x, double y, int, const QString& fontName, double points,
                               const QString& text) {
    if (!ensureStarted())
        return;
    Measured& m = measure(fontName, points);
    const QPointF topLeft(x * m_scaleX, y * m_scaleY);
    for (const QGlyphRun& run : shape(m, text))
        m_painter->drawGlyphRun(topLeft, run);
}

const QList<QGlyphRun>& PainterPageSink::shape(Measured& font, const QString& text) {
    auto it = font.shaped.find(text);
    if (it != font.shaped.end())
        return *it;
    // One line, laid out as the painter lays out a text it draws, with the
    // baseline one ascent below the top.
    QTextLayout layout(text, font.font, &m_device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    line.setPosition(QPointF(0, font.ascent - line.ascent()));
    return *font.shaped.insert(text, layout.glyphRuns());
}

void PainterPageSink::drawLine(double x1, double y1, double x2, double y2, int width) {
    if (!ensureStarted())
        return;
    QPen pen(Qt::black);
    pen.setWidth(std::max(width, 1));
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(x1 * m_scaleX, y1 * m_scaleY),
                        QPointF(x2 * m_scaleX, y2 * m_scaleY));
}

double PainterPageSink::pageWidth() const {
    return m_device.width() / m_scaleX;
}

double PainterPageSink::pageHeight() const {
    return m_device.height() / m_scaleY;
}

double PainterPageSink::sheetMargin() const {
    const QMarginsF m = m_device.pageLayout().margins(QPageLayout::Point);
    return std::min({m.left(), m.top(), m.right(), m.bottom()}) * 20;
}

// A fixed-pitch font prints in columns; a proportional one as wide as its
// glyphs.
double PainterPageSink::textWidth(const QString& fontName, double points, const QString& text) {
    Measured& m = measure(fontName, points);
    if (m.fixedPitch)
        return PageSink::textWidth(fontName, points, text);
    return QFontMetricsF(m.font, &m_device).horizontalAdvance(text) / m_scaleX;
}

void PainterPageSink::newPage() {
    if (!ensureStarted())
        return;
    if (!m_device.newPage())
        fail(QStringLiteral("impossibile iniziare una nuova pagina su %1").arg(m_deviceName));
}

void PainterPageSink::finish() {
    if (!ensureStarted())
        return;
    if (!m_painter->end())
        fail(QStringLiteral("impossibile completare la stampa su %1").arg(m_deviceName));
}

namespace {

// The whole document made in memory and checked, or why it could not be:
// the PDF writer does not report a short write, so a file written directly
// could be cut short and still look finished.
Result<QByteArray> pdfDocument(const std::function<void(PrinterPage&)>& body,
                               const QPageLayout& layout, const QString& title,
                               const QString& deviceName) {
    // Room for a long listing up front: the writer adds to the document a
    // few bytes at a time.
    QByteArray bytes;
    bytes.reserve(1 << 20);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tubarex"));
        if (!title.isEmpty())
            writer.setTitle(title);
        writer.setPageLayout(layout);
        PainterPageSink sink(writer, deviceName);
        PrinterPage page(sink);
        body(page);
        if (!page.endDocument())
            return Result<QByteArray>::failure(page.error());
    }
    const QByteArray& pdf = buffer.data();
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return Result<QByteArray>::failure(QStringLiteral("il documento non è stato completato"));
    return pdf;
}

} // namespace

QPageLayout ListingPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                       QPageLayout::Millimeter);
}

Result<> PrintToPdf(const QString& path, const std::function<void(PrinterPage&)>& body) {
    return PrintToPdf(path, body, ListingPageLayout(), QString());
}

Result<> PrintToPdf(const QString& path, const std::function<void(PrinterPage&)>& body,
                    const QPageLayout& layout, const QString& title) {
    const auto failed = [&](const QString& why) {
        return Result<>::failure(
            QStringLiteral("Impossibile scrivere il file PDF %1: %2.").arg(QuotedPath(path), why));
    };
    // Only the finished document replaces the file.
    const Result<QByteArray> pdf = pdfDocument(body, layout, title, QuotedPath(path));
    if (!pdf)
        return failed(pdf.error());
    const Result<> replaced = ReplaceFile(path, pdf.value());
    if (!replaced)
        return failed(replaced.error());
    return {};
}

Result<QByteArray> ListingPdf(const std::function<void(PrinterPage&)>& body, const QString& name) {
    Result<QByteArray> pdf = pdfDocument(body, ListingPageLayout(), QString(), QuotedPath(name));
    if (!pdf)
        return Result<QByteArray>::failure(QStringLiteral("Impossibile comporre il PDF per %1: %2.")
                                               .arg(QuotedPath(name), pdf.error()));
    return pdf;
}
