#include "FileSizeLimit.h"
#include "documents/PainterPageSink.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void listing(PrinterPage& page, int pages) {
    page.setFontName(QStringLiteral("Courier New"));
    for (int p = 1; p <= pages; ++p) {
        page.setY(1000);
        page.setFontSize(8);
        page.tab(10);
        page.print(QStringLiteral("tronco  lungh.   diam."));
        page.setLineWidth(5);
        page.drawLine(1000, 14000, 11000, 14000);
        page.setPosition(9800, 15000);
        page.setFontSize(12);
        page.print(QStringLiteral("pagina ") + QString::number(page.page()));
        if (p < pages)
            page.newPage();
    }
}

int pageCount(const QByteArray& pdf) {
    // Page objects are "/Type /Page"; the page tree is "/Type /Pages".
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") +
                            pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
}

TEST(PdfPrint, CourierColumnsHaveThePrinterMetricsOfCourierNew) {
    const QFont font = PageFont(QStringLiteral("Courier New"), 12);
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("m.pdf")));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    PainterPageSink sink(writer, QStringLiteral("m.pdf"));
    // Courier New and Liberation Mono: 0.6 em a character, so 144 twips
    // at 12 points and 96 at 8, measured at the device's resolution.
    EXPECT_NEAR(sink.metrics(QStringLiteral("Courier New"), 12).charWidth, 144, 1.5);
    EXPECT_NEAR(sink.metrics(QStringLiteral("Courier new"), 8).charWidth, 96, 1.0);
    // Times New Roman is proportional: its column is an average character,
    // narrower than Courier's at the same size.
    const PageFontMetrics times = sink.metrics(QStringLiteral("Times New Roman"), 12);
    EXPECT_GT(times.charWidth, 40);
    EXPECT_LT(times.charWidth, 144);
    EXPECT_DOUBLE_EQ(times.lineHeight, 12 * 20 * ListingLinePitch);
    // The printable width of the device, not of the screen.
    EXPECT_NEAR(sink.pageWidth(), A4PrintableWidth, 5);
    sink.finish();
}

TEST(PdfPrint, WritesEveryPageAndReplacesTheFileOnlyWhenDone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dati.pdf"));
    const Result<> printed = PrintToPdf(path, [](PrinterPage& page) { listing(page, 3); });
    ASSERT_TRUE(printed) << printed.error().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pageCount(pdf), 3);
}

// The glyphs of a text are kept for the font they were made in: the same
// text in another font is drawn in that font.
TEST(PdfPrint, TheSameTextInTwoFontsIsDrawnInEach) {
    const auto baseFonts = [](const QByteArray& pdf) {
        QSet<QByteArray> names;
        for (qsizetype at = pdf.indexOf("/BaseFont /"); at >= 0;
             at = pdf.indexOf("/BaseFont /", at + 1)) {
            const qsizetype start = at + 11;
            qsizetype end = start;
            while (end < pdf.size() && !QByteArrayView(" /\n>").contains(pdf.at(end)))
                ++end;
            // Past the subset's tag (ABCDEF+).
            const QByteArray name = pdf.mid(start, end - start);
            names.insert(name.mid(name.indexOf('+') + 1));
        }
        return names;
    };
    QTemporaryDir dir;
    const auto print = [&](const QString& file, const QStringList& fonts) {
        const QString path = dir.filePath(file);
        EXPECT_TRUE(PrintToPdf(path, [&](PrinterPage& page) {
            for (int i = 0; i < fonts.size(); ++i) {
                page.setFontName(fonts[i]);
                page.setFontSize(10);
                page.setPosition(1000, 1000 + 500 * i);
                page.print(QStringLiteral("1234.56 metano"));
            }
        }));
        QFile pdf(path);
        EXPECT_TRUE(pdf.open(QIODevice::ReadOnly));
        return baseFonts(pdf.readAll());
    };
    const QString courier = QStringLiteral("Courier New");
    const QString times = QStringLiteral("Times New Roman");
    const QSet<QByteArray> one = print(QStringLiteral("1.pdf"), {courier, courier});
    const QSet<QByteArray> other = print(QStringLiteral("2.pdf"), {times});
    const QSet<QByteArray> both = print(QStringLiteral("3.pdf"), {courier, times, courier});
    ASSERT_EQ(one.size(), 1);
    ASSERT_EQ(other.size(), 1);
    ASSERT_NE(one, other);
    EXPECT_EQ(both, one + other);
}

TEST(PdfPrint, AFileThatCannotBeWrittenIsReportedByName) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("manca/dati.pdf"));
    const QString error = PrintToPdf(path, [](PrinterPage& page) { listing(page, 1); }).error();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossibile scrivere il file PDF")));
    EXPECT_FALSE(QFile::exists(path));
}

// A listing cut short (a disk that fills up, a file-size limit) is a
// failure, and the previous file stays byte for byte.
TEST(PdfPrint, ACutShortListingLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dati.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
    }
    QString error;
    {
        const FileSizeLimit limit(4096);
        if (!limit.active())
            GTEST_SKIP() << "no file-size limits on this system";
        const Result<> printed = PrintToPdf(path, [](PrinterPage& page) { listing(page, 40); });
        EXPECT_FALSE(printed);
        error = printed.error();
    }
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossibile scrivere il file PDF")))
        << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("vecchio contenuto"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
