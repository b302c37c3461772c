#include "core/model/NumberText.h"
#include "core/file/Windows1252.h"
#include "core/session/ApplicationState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
double read(const char* s) {
    return ReadNumber(QString::fromUtf8(s));
}
std::string text(double v) {
    return NumberToText(v).toStdString();
}
std::string fileText(double v) {
    return NumberToFileText(v).toStdString();
}
} // namespace

TEST(ReadNumber, TakesTheLeadingNumberOnly) {
    EXPECT_EQ(read("12,5"), 12.0); // the comma ends the number
    EXPECT_EQ(read("27.9"), 27.9);
    EXPECT_EQ(read("abc"), 0.0);
    EXPECT_EQ(read(""), 0.0);
    EXPECT_EQ(read("3 m"), 3.0);
    EXPECT_EQ(read("1.5x2"), 1.5);
    EXPECT_EQ(read(".5"), 0.5);
    EXPECT_EQ(read("5."), 5.0);
    EXPECT_EQ(read("-."), 0.0);
    EXPECT_EQ(read("--5"), 0.0);
}

TEST(ReadNumber, IgnoresBlanksWhereverTheyStand) {
    EXPECT_EQ(read("  12"), 12.0);
    EXPECT_EQ(read("1 2 3"), 123.0);
    EXPECT_EQ(read("- 1 . 5"), -1.5);
    EXPECT_EQ(read("\t7"), 7.0);
}

TEST(ReadNumber, AcceptsSignAndExponent) {
    EXPECT_EQ(read("1E3"), 1000.0);
    EXPECT_EQ(read("1e3"), 1000.0);
    EXPECT_EQ(read("1.51E-05"), 1.51e-5);
    EXPECT_EQ(read("2D2"), 200.0);
    EXPECT_EQ(read("+4"), 4.0);
    EXPECT_EQ(read("-12.345"), -12.345);
    // An exponent mark without digits is not part of the number.
    EXPECT_EQ(read("3E"), 3.0);
    EXPECT_EQ(read("3E+"), 3.0);
    EXPECT_EQ(read("3Ex"), 3.0);
}

TEST(ReadNumber, OverflowIsInfiniteNotAnError) {
    EXPECT_TRUE(std::isinf(read("1E400")));
    EXPECT_EQ(read("1E-400"), 0.0);
}

// Zeros before the exponent's digits count for nothing, however many.
TEST(ReadNumber, ExponentWithLeadingZeros) {
    struct Case {
        const char* in;
        double value;
    };
    for (const Case& c : {Case{"1E-0000001", 0.1}, Case{"1E0000001", 10.0},
                          Case{"2.5E+000000000000000000003", 2500.0}, Case{"1D-00002", 0.01},
                          Case{"-3e0000000", -3.0}, Case{"1E-0000000000000000000400", 0.0}}) {
        EXPECT_EQ(read(c.in), c.value) << c.in;
        double token = -1;
        EXPECT_TRUE(IsPlainNumberToken(QString::fromLatin1(c.in), &token)) << c.in;
        EXPECT_EQ(token, c.value) << c.in;
    }
    EXPECT_TRUE(std::isinf(read("1E00000000000000000400")));
}

TEST(NumberToText, ClassicDefaultForm) {
    EXPECT_EQ(text(0), "0");
    EXPECT_EQ(text(12), "12");
    EXPECT_EQ(text(27.9), "27.9");
    EXPECT_EQ(text(2.12), "2.12");
    EXPECT_EQ(text(-3.5), "-3.5");
    EXPECT_EQ(text(0.5), "0.5");
    EXPECT_EQ(text(0.0025), "0.0025");
    EXPECT_EQ(text(0.0001), "0.0001");
    EXPECT_EQ(text(1.51e-5), "1.51E-05");
    EXPECT_EQ(text(1.2e-5), "1.2E-05");
    EXPECT_EQ(text(1e15), "1E+15");
    EXPECT_EQ(text(999999999999999.0), "999999999999999");
    EXPECT_EQ(text(1.5e300), "1.5E+300");
    EXPECT_EQ(text(38160), "38160");
}

TEST(NumberToText, FifteenSignificantDigits) {
    EXPECT_EQ(text(0.1 + 0.2), "0.3");
    EXPECT_EQ(text(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(text(1680.5491469417), "1680.5491469417");
}

// A computed value in a narrow box: four significant digits, whole numbers
// with all their integer digits, the exponent form kept.
TEST(RoundedNumberText, FourSignificantDigits) {
    const struct {
        double value;
        const char* shown;
    } cases[] = {{3074.58473564217, "3075"},
                 {561.52595471309, "561.5"},
                 {123456.7, "123457"},
                 {0.0459165679623387, "0.04592"},
                 {1.52202748571092, "1.522"},
                 {1.51e-5, "1.51E-05"},
                 {9.99951, "10"},
                 {0.72, "0.72"},
                 {38160, "38160"},
                 {0, "0"},
                 {-0.0459165679623387, "-0.04592"}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundedNumberText(c.value, 4).toStdString(), c.shown) << c.value;
}

TEST(NumberToFileText, ShortestFormThatReadsBack) {
    EXPECT_EQ(fileText(12), "12");
    EXPECT_EQ(fileText(27.9), "27.9");
    EXPECT_EQ(fileText(1.51e-5), "1.51E-05");
    EXPECT_EQ(fileText(0.1 + 0.2), "0.30000000000000004");
    for (const double v : {2.0 / 3.0, 1e-7 / 3.0, 123456789.123456789, -0.000123, 6.02e23}) {
        EXPECT_EQ(ReadNumber(NumberToFileText(v)), v) << NumberToFileText(v).toStdString();
    }
}

TEST(NumberText, SignedAndPrinterForms) {
    EXPECT_EQ(SignedNumberText(12.5).toStdString(), " 12.5");
    EXPECT_EQ(SignedNumberText(-12.5).toStdString(), "-12.5");
    EXPECT_EQ(SignedNumberText(3).toStdString(), " 3");
    EXPECT_EQ(PrinterNumberText(2.12).toStdString(), " 2.12 ");
}

TEST(CountIntegerDigits, CountsBeforeTheSeparator) {
    struct Case {
        const char* in;
        int digits;
        const char* after;
    };
    for (const Case& c : {Case{"-12.345", 3, " 12.345"}, Case{"7", 1, "7"}, Case{"0,5", 1, "0,5"},
                          Case{".5", 0, ".5"}, Case{" 2.12 ", 2, " 2.12 "}, Case{"-4", 2, " 4"}}) {
        QString t = QString::fromUtf8(c.in);
        const auto digits = CountIntegerDigits(t);
        ASSERT_TRUE(digits.has_value()) << c.in;
        EXPECT_EQ(*digits, c.digits) << c.in;
        EXPECT_EQ(t.toStdString(), c.after) << c.in;
    }
}

// An empty text has no digits to count: the listing keeps the column the
// value before it was set by.
TEST(CountIntegerDigits, EmptyTextCountsNothing) {
    QString empty;
    EXPECT_FALSE(CountIntegerDigits(empty).has_value());
}

TEST(ApplicationState, IdentityAndTitles) {
    ApplicationState state;
    EXPECT_FALSE(state.project.water.count().has_value());
    EXPECT_EQ(state.project.water.rows(), 0);
    InitApplicationState(state);
    InitMessageTitles(state);
    EXPECT_EQ(state.program.ProgramVersion.toStdString(), "5.07.01");
    EXPECT_EQ(state.program.CheckTitle.toStdString(),
              "Tubarex: controllo dati immessi nella finestra attiva");
    EXPECT_EQ(state.program.HelpTitle.toStdString(), "Tubarex: aiuto in linea");
    // Titles follow the program name they are built from.
    state.program.ProgramName = QStringLiteral("X");
    InitMessageTitles(state);
    EXPECT_EQ(state.program.HelpTitle.toStdString(), "X: aiuto in linea");
}

TEST(Windows1252, DiffersFromLatin1InTheHighControls) {
    const QByteArray bytes("\x80\x93\x94\xe0\xe8\x41", 6);
    const QString decoded = Windows1252::decode(bytes);
    EXPECT_EQ(decoded, QString::fromUtf8("€“”àèA"));
    EXPECT_EQ(Windows1252::encode(decoded), bytes);
}

TEST(Windows1252, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Windows1252::encode(Windows1252::decode(all)), all);
}

TEST(Windows1252, RefusesWhatItCannotHold) {
    EXPECT_TRUE(Windows1252::canHold(QString::fromUtf8("località Città, 12 € – «ok»")));
    EXPECT_FALSE(Windows1252::canHold(QString::fromUtf8("Ω")));
    EXPECT_FALSE(Windows1252::canHold(QString::fromUtf8("ă")));
    EXPECT_FALSE(Windows1252::encode(QString::fromUtf8("a→b")).has_value());
}
