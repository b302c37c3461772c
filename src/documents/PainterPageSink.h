#pragma once

#include "core/model/Result.h"

#include "documents/PrinterPage.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPageLayout>
#include <QPainter>

#include <functional>
#include <map>
#include <memory>
#include <utility>

class QPagedPaintDevice;

// The page fonts as the listings name them. "Courier New" and "Times New
// Roman" fall back to Liberation Mono and Liberation Serif, which have the
// same character widths, so the printed columns line up wherever the
// program runs.
QFont PageFont(const QString& name, double points);

// Draws the page model on a printer or a PDF writer, in the device's own
// resolution (never the screen's). Twips are measured from the top left of
// the device's printable area. `deviceName` names the printer or the file in
// the error message.
class PainterPageSink : public PageSink {
public:
    PainterPageSink(QPagedPaintDevice& device, QString deviceName);
    ~PainterPageSink() override;

    PageFontMetrics metrics(const QString& fontName, double points) override;
    void drawText(double x, double y, int column, const QString& fontName, double points,
                  const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2, int width) override;
    void newPage() override;
    void finish() override;
    QString error() const override { return m_error; }
    double pageWidth() const override;
    double pageHeight() const override;
    double sheetMargin() const override;
    double textWidth(const QString& fontName, double points, const QString& text) override;

private:
    // A font as measured on this device; a listing uses three or four, and
    // measuring is the slow part of printing a line.
    struct Measured {
        QString name;
        double points = 0;
        QFont font;
        PageFontMetrics twips;
        double ascent = 0; // device pixels
        bool fixedPitch = false;
        // The glyphs of each text drawn in this font, placed from the top
        // left of the text: a listing repeats the same few numbers and
        // words hundreds of times, and placing glyphs is most of drawing.
        QHash<QString, QList<QGlyphRun>> shaped;
    };
    const QList<QGlyphRun>& shape(Measured& font, const QString& text);
    Measured& measure(const QString& fontName, double points);
    bool ensureStarted();
    void fail(const QString& what);

    std::map<std::pair<QString, double>, Measured> m_fonts;
    // The font asked for last: a listing asks for it on every column it
    // tabs to.
    Measured* m_lastMeasured = nullptr;

    QPagedPaintDevice& m_device;
    QString m_deviceName;
    std::unique_ptr<QPainter> m_painter;
    QString m_error;
    double m_scaleX = 1; // device pixels per twip
    double m_scaleY = 1;
};

// The page of a listing made as a file or shown before printing: A4 with
// narrow margins, as a printer's unprintable border; the widest listing
// (118 columns at 8 points) just fits.
QPageLayout ListingPageLayout();

// Prints a listing into a PDF file on ListingPageLayout(). The file is
// replaced only by the complete document; when it cannot be written the
// failure is Italian and names the file, and any previous file stays.
Result<> PrintToPdf(const QString& path, const std::function<void(PrinterPage&)>& body);

// The same on the given page (as chosen in a printer dialog), with the
// document's title.
Result<> PrintToPdf(const QString& path, const std::function<void(PrinterPage&)>& body,
                    const QPageLayout& layout, const QString& title);

// The listing's PDF, as PrintToPdf makes it, in memory for a destination
// that is not a file (standard output, named `name` in the message): the
// finished document, or the Italian sentence saying why there is none.
Result<QByteArray> ListingPdf(const std::function<void(PrinterPage&)>& body, const QString& name);
