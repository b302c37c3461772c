#include "documents/PrinterPage.h"

#include <gtest/gtest.h>

namespace {

// A device that breaks after a given number of drawn texts, as a printer
// that runs out of paper or a disk that fills up.
class BreakingSink : public TextPageRecorder {
public:
    explicit BreakingSink(int textsBeforeFailure)
        : m_left(textsBeforeFailure) {}
    void drawText(double x, double y, int column, const QString& font, double points,
                  const QString& text) override {
        if (m_left-- <= 0) {
            m_error = QStringLiteral("carta esaurita");
            return;
        }
        ++drawn;
        TextPageRecorder::drawText(x, y, column, font, points, text);
    }
    void finish() override {
        ++finishes;
        TextPageRecorder::finish();
    }
    QString error() const override { return m_error; }
    int drawn = 0;
    int finishes = 0;

private:
    int m_left;
    QString m_error;
};

TEST(PrinterPage, ColumnsFollowTheCurrentFontAndWrapWhenPassed) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.setFontSize(8);
    page.tab(10);
    page.print(QStringLiteral("abc"), true);
    // Column 13 is exactly where the text ended: same line.
    page.tab(13);
    page.print(QStringLiteral("d"), true);
    // Column 5 is behind the print position: the next line.
    page.tab(5);
    page.print(QStringLiteral("e"));
    ASSERT_EQ(rec.pages().size(), 1u);
    const QStringList& lines = rec.pages()[0];
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("         abcd"));
    EXPECT_EQ(lines[1], QStringLiteral("    e"));
    // A column is 0.6 of the size wide: column 10 at 8 points is 9 * 96 twips.
    page.tab(10);
    EXPECT_DOUBLE_EQ(page.x(), 9 * 96.0);
}

TEST(PrinterPage, NumbersCarryTheirSignBlankAndATrailingBlank) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.tab(3);
    page.printNumber(2.12, true);
    page.print(QStringLiteral("|"), true);
    page.printNumber(-0.5, true);
    page.print(QStringLiteral("|"));
    EXPECT_EQ(rec.pages()[0][0], QStringLiteral("   2.12 |-0.5 |"));
}

TEST(PrinterPage, LinesPagesAndPositionsAsTheListingsUseThem) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.setY(800);
    page.setFontSize(12);
    page.print(QStringLiteral("uno"));
    const double afterOne = page.y();
    EXPECT_DOUBLE_EQ(afterOne, 800 + 12 * 20 * ListingLinePitch);
    EXPECT_DOUBLE_EQ(page.x(), 0);
    page.emptyLine();
    page.tab(2);
    page.print(QStringLiteral("aperta"), true);
    // A footer placed by hand starts a line of its own.
    page.setPosition(9800, 15000);
    page.print(QStringLiteral("pagina ") + QString::number(page.page()));
    EXPECT_EQ(page.page(), 1);
    page.newPage();
    EXPECT_EQ(page.page(), 2);
    EXPECT_DOUBLE_EQ(page.x(), 0);
    EXPECT_DOUBLE_EQ(page.y(), 0);
    page.print(QStringLiteral("due"));
    EXPECT_TRUE(page.endDocument());
    EXPECT_TRUE(rec.finished());

    ASSERT_EQ(rec.pages().size(), 2u);
    const QStringList& first = rec.pages()[0];
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(first[0], QStringLiteral("uno"));
    EXPECT_EQ(first[1], QString());
    EXPECT_EQ(first[2], QStringLiteral(" aperta"));
    // 9800 twips at 12 points (144 twips a column) is column 69.
    EXPECT_EQ(first[3], QString(68, QLatin1Char(' ')) + QStringLiteral("pagina 1"));
    EXPECT_EQ(rec.text(), first.join(QLatin1Char('\n')) + QStringLiteral("\fdue"));
}

TEST(PrinterPage, AFailingDeviceStopsTheListingAndIsReported) {
    BreakingSink sink(2);
    PrinterPage page(sink);
    for (int i = 0; i < 10; ++i)
        page.print(QStringLiteral("riga"));
    page.newPage();
    EXPECT_EQ(sink.drawn, 2);
    EXPECT_TRUE(page.failed());
    EXPECT_EQ(page.page(), 1); // nothing more happened after the failure
    EXPECT_FALSE(page.endDocument());
    EXPECT_EQ(sink.finishes, 0);
    EXPECT_EQ(page.error(), QStringLiteral("carta esaurita"));
}

} // namespace

namespace {

TEST(PrinterPage, ALongTextBreaksAtBlanksBeforeTheRightEdge) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.setFontSize(12); // 144 twips a column: 78 columns on A4
    page.tab(10);
    const QString words =
        QStringLiteral("Progetto: Impianti idrico-sanitario e gas metano - palazzina "
                       "di sei alloggi con autorimessa interrata e locale caldaia");
    page.printWrapped(words, 20);
    page.print(QStringLiteral("dopo"));
    const QStringList& lines = rec.pages()[0];
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("         Progetto: Impianti")));
    EXPECT_LE(lines[0].size(), 78);
    EXPECT_TRUE(lines[1].startsWith(QString(19, QLatin1Char(' ')) + QStringLiteral("alloggi")));
    EXPECT_EQ(lines[0].mid(9).simplified() + QLatin1Char(' ') + lines[1].simplified(), words);
    EXPECT_EQ(lines[2], QStringLiteral("dopo"));
}

// A face whose capitals are twice as wide as its other letters, as a
// proportional face measures them on the device.
class WideCapitals : public TextPageRecorder {
public:
    double textWidth(const QString& font, double points, const QString& text) override {
        double columns = 0;
        for (const QChar c : text)
            columns += c.isUpper() ? 2 : 1;
        return columns * metrics(font, points).charWidth;
    }
};

TEST(PrinterPage, AProportionalTextBreaksWhereItsGlyphsReachTheMargin) {
    WideCapitals rec;
    PrinterPage page(rec);
    page.setFontSize(14);
    page.tab(10);
    const QString words = QStringLiteral("COMUNE DI SAN GIORGIO BIGARELLO PROVINCIA DI MANTOVA "
                                         "VIA DEI MILLE QUATTORDICI");
    page.printWrapped(words, 10);
    const QStringList& lines = rec.pages()[0];
    ASSERT_GE(lines.size(), 2);
    QStringList joined;
    for (const QString& line : lines) {
        // Every line ends 10 mm inside the sheet's right edge.
        const double start = 9 * page.metrics().charWidth;
        EXPECT_LE(start + rec.textWidth({}, 14, line.trimmed()), page.rightLimit())
            << line.toStdString();
        joined << line.trimmed();
    }
    EXPECT_EQ(joined.join(QLatin1Char(' ')), words);
}

} // namespace

namespace {

// A text drawn again at the same place of the same page (a footer that two
// rules both print) appears once; on another page, or elsewhere, it is a
// text of its own.
TEST(PrinterPage, ATextDrawnAgainAtItsPlaceAppearsOnce) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.setFontSize(8);
    page.print(QStringLiteral("riga 1"));
    for (int twice = 0; twice < 2; ++twice) {
        page.setPosition(9800, 15000);
        page.setFontSize(12);
        page.print(QStringLiteral("pagina 1"));
        page.setPosition(0, 1000);
        page.setFontSize(8);
    }
    page.print(QStringLiteral("riga 2"));
    page.setPosition(9800, 14000);
    page.print(QStringLiteral("pagina 1"));
    page.newPage();
    page.setPosition(9800, 15000);
    page.setFontSize(12);
    page.print(QStringLiteral("pagina 1"));
    page.endDocument();
    ASSERT_EQ(rec.pages().size(), 2u);
    EXPECT_EQ(rec.pages()[0].filter(QStringLiteral("pagina 1")).size(), 2);
    EXPECT_EQ(rec.pages()[0].size(), 4);
    EXPECT_EQ(rec.pages()[1].filter(QStringLiteral("pagina 1")).size(), 1);
}

// The record lists a page's lines from the top down, as the sheet shows
// them, whatever order they were printed in.
TEST(PrinterPage, TheRecordFollowsThePageFromTheTopDown) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    page.setFontSize(12);
    page.setY(1000);
    page.print(QStringLiteral("prima"));
    const double y = page.y();
    page.setPosition(9800, 15000);
    page.print(QStringLiteral("piede"));
    page.setPosition(0, y);
    page.emptyLine();
    page.print(QStringLiteral("terza"));
    page.endDocument();
    const QStringList expected = {QStringLiteral("prima"), QString(), QStringLiteral("terza"),
                                  QString(68, QLatin1Char(' ')) + QStringLiteral("piede")};
    EXPECT_EQ(rec.pages()[0].join(u'|').toStdString(), expected.join(u'|').toStdString());
}

// Flowing lines that would reach into the foot of the page turn it first,
// through the listing's own page turn; lines placed by hand in the foot (the
// page number) do not.
TEST(PrinterPage, ALineThatWouldPassThePageEndTurnsThePage) {
    TextPageRecorder rec;
    PrinterPage page(rec);
    int turns = 0;
    page.setPageEnd(15000, [&] {
        ++turns;
        page.setPosition(9800, 15000);
        page.setFontSize(12);
        page.print(QStringLiteral("pagina ") + QString::number(page.page()));
        page.newPage();
        page.setY(1000);
    });
    page.setFontSize(8);
    page.setY(14000);
    page.tab(5);
    page.print(QStringLiteral("a"), true);
    page.print(QStringLiteral("b"));
    const double lineHeight = 8 * 20 * ListingLinePitch;
    int printed = 0;
    while (page.page() == 1 && printed < 200) {
        page.tab(5);
        page.print(QStringLiteral("riga"));
        ++printed;
    }
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(printed, static_cast<int>((15000 - 14000 - lineHeight) / lineHeight) + 1);
    // The line that turned the page stands on the new page, at its column and
    // in its own type size.
    ASSERT_EQ(rec.pages().size(), 2u);
    EXPECT_EQ(rec.pages()[1].value(0), QStringLiteral("    riga"));
    EXPECT_DOUBLE_EQ(page.fontSize(), 8);
    EXPECT_DOUBLE_EQ(page.y(), 1000 + lineHeight);
    EXPECT_TRUE(rec.pages()[0].last().endsWith(QStringLiteral("pagina 1")));
}

} // namespace
