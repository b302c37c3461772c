#include "core/model/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool isExponentMark(QChar c) {
    return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

// Splits the scientific text of to_chars ("1.51e-05") into its significant
// digits without trailing zeros ("151") and the decimal exponent (-5).
void splitScientific(const char* first, const char* last, std::string& digits, int& exponent) {
    digits.clear();
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    }
    exponent = 0;
    if (p != last)
        std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, last, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

// Lays out significant digits and exponent in the classic BASIC form:
// positional between 0.0001 and 1E15, exponent form (1.51E-05) outside.
QString layoutDigits(bool negative, const std::string& digits, int exponent) {
    std::string out;
    if (negative)
        out.push_back('-');
    if (exponent < -4 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const std::string e = std::to_string(std::abs(exponent));
        if (e.size() < 2)
            out.push_back('0');
        out.append(e);
    } else if (exponent < 0) {
        out.append("0.");
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out.append(digits);
    } else {
        const auto intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out.append(digits);
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out.push_back('.');
            out.append(digits, intDigits, std::string::npos);
        }
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString formatNumber(double value, int precision) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    const double magnitude = std::fabs(value);
    const auto res = precision > 0 ? std::to_chars(buf, buf + sizeof buf, magnitude,
                                                   std::chars_format::scientific, precision)
                                   : std::to_chars(buf, buf + sizeof buf, magnitude,
                                                   std::chars_format::scientific);
    std::string digits;
    int exponent = 0;
    splitScientific(buf, res.ptr, digits, exponent);
    return layoutDigits(value < 0, digits, exponent);
}

} // namespace

double ReadNumber(const QString& text) {
    enum class State { Start, Sign, Integer, Fraction, ExponentMark, ExponentSign, Exponent };
    State state = State::Start;
    std::string mantissa;
    std::string exponent;
    bool mantissaHasDigit = false;

    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        bool accepted = true;
        switch (state) {
        case State::Start:
            if (c == u'+' || c == u'-') {
                mantissa.push_back(static_cast<char>(c.unicode()));
                state = State::Sign;
            } else if (isDigit(c)) {
                mantissa.push_back(static_cast<char>(c.unicode()));
                mantissaHasDigit = true;
                state = State::Integer;
            } else if (c == u'.') {
                mantissa.push_back('.');
                state = State::Fraction;
            } else {
                accepted = false;
            }
            break;
        case State::Sign:
        case State::Integer:
            if (isDigit(c)) {
                mantissa.push_back(static_cast<char>(c.unicode()));
                mantissaHasDigit = true;
                state = State::Integer;
            } else if (c == u'.') {
                mantissa.push_back('.');
                state = State::Fraction;
            } else if (state == State::Integer && isExponentMark(c)) {
                state = State::ExponentMark;
            } else {
                accepted = false;
            }
            break;
        case State::Fraction:
            if (isDigit(c)) {
                mantissa.push_back(static_cast<char>(c.unicode()));
                mantissaHasDigit = true;
            } else if (mantissaHasDigit && isExponentMark(c)) {
                state = State::ExponentMark;
            } else {
                accepted = false;
            }
            break;
        case State::ExponentMark:
            if (c == u'+' || c == u'-') {
                exponent.push_back(static_cast<char>(c.unicode()));
                state = State::ExponentSign;
            } else if (isDigit(c)) {
                exponent.push_back(static_cast<char>(c.unicode()));
                state = State::Exponent;
            } else {
                accepted = false;
            }
            break;
        case State::ExponentSign:
        case State::Exponent:
            if (isDigit(c)) {
                exponent.push_back(static_cast<char>(c.unicode()));
                state = State::Exponent;
            } else {
                accepted = false;
            }
            break;
        }
        if (!accepted)
            break;
    }

    if (!mantissaHasDigit)
        return 0.0;
    const bool negative = mantissa.front() == '-';
    if (mantissa.front() == '+' || negative)
        mantissa.erase(0, 1);
    long exponentValue = 0;
    if (state == State::Exponent) {
        // Leading zeros count for nothing (1E-0000001 is 0.1); absurd
        // exponents are clamped: the value is out of range either way.
        const bool negativeExponent = exponent.front() == '-';
        std::string digits =
            (exponent.front() == '-' || exponent.front() == '+') ? exponent.substr(1) : exponent;
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
        exponentValue = digits.size() > 6 ? 999999 : std::stol(digits);
        if (negativeExponent)
            exponentValue = -exponentValue;
        mantissa.push_back('e');
        mantissa.append(std::to_string(exponentValue));
    }
    double value = 0.0;
    const auto res = std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow gives an infinity, underflow 0: tell them apart by the
        // decimal magnitude of the first significant digit.
        const std::string digits = mantissa.substr(0, mantissa.find('e'));
        const size_t point = std::min(digits.find('.'), digits.size());
        size_t first = 0;
        while (first < digits.size() && (digits[first] == '0' || digits[first] == '.'))
            ++first;
        const long magnitude = static_cast<long>(point) - static_cast<long>(first) -
                               (first < point ? 1 : 0) + exponentValue;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

QString NumberToText(double value) {
    return formatNumber(value, 14);
}

QString RoundedNumberText(double value, int significant) {
    if (value == 0 || !std::isfinite(value))
        return NumberToText(value);
    const int integerDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = std::max(0, significant - integerDigits);
    const double scale = std::pow(10.0, decimals);
    return NumberToText(std::round(value * scale) / scale);
}

QString NumberToFileText(double value) {
    return formatNumber(value, 0);
}

QString SignedNumberText(double value) {
    if (value < 0)
        return NumberToText(value);
    return QLatin1Char(' ') + NumberToText(std::fabs(value));
}

QString PrinterNumberText(double value) {
    return SignedNumberText(value) + QLatin1Char(' ');
}

std::optional<int> CountIntegerDigits(QString& numberText) {
    if (numberText.isEmpty())
        return std::nullopt;
    const double v = ReadNumber(numberText);
    if (v < 0)
        numberText = SignedNumberText(std::fabs(v));
    for (qsizetype i = 0; i < numberText.size(); ++i) {
        if (numberText[i] == u',' || numberText[i] == u'.')
            return static_cast<int>(i);
    }
    return static_cast<int>(numberText.size());
}

bool IsPlainNumberToken(QStringView token, double* value) {
    // [sign] digits [. digits] | [sign] . digits, then an optional exponent
    // E or D with optional sign and digits: the form a number is written in.
    qsizetype i = 0;
    const qsizetype n = token.size();
    if (i < n && (token[i] == u'+' || token[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(token[i])) {
        ++i;
        ++digits;
    }
    if (i < n && token[i] == u'.') {
        ++i;
        while (i < n && isDigit(token[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && isExponentMark(token[i])) {
        ++i;
        if (i < n && (token[i] == u'+' || token[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(token[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    if (value)
        *value = ReadNumber(token.toString());
    return true;
}

QString FormatFixed(double value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value))
        return QString();
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0; // no "-0,00"
    QString text = QString::number(rounded, 'f', decimals);
    if (decimals > 0)
        text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString WithDecimalSeparator(const QString& text, const QLocale& locale) {
    if (!IsPlainNumberToken(text))
        return text;
    QString shown = text;
    shown.replace(QLatin1Char('.'), locale.decimalPoint());
    return shown;
}

std::optional<double> ReadTypedNumber(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    double value = 0;
    if (!IsPlainNumberToken(t, &value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}
