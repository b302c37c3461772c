#pragma once

#include <QString>

#include <optional>

// The number rules shared by every table, box, file and printout.

// Reads the leading decimal number of a text: "." is the decimal point,
// blanks are ignored wherever they stand, an optional sign and an exponent
// (E or D, as in 1E3) are accepted; any other character ends the number. A
// text without a leading number reads as 0, so "12,5" reads 12 and "abc" 0.
double ReadNumber(const QString& text);

// Default text of a number: at most 15 significant digits, no trailing zeros,
// "." as the point, exponent form (1.51E-05, 1E+15) below 0.0001 and from
// 1E15 up. This is what labels and totals show.
QString NumberToText(double value);

// The default text of a number rounded to `significant` significant digits,
// a whole number keeping all its integer digits (3074.5847 -> "3075" for 4,
// 0.045916 -> "0.04592", 1.51E-05 as it is): a computed value shown in a
// narrow box, whole.
QString RoundedNumberText(double value, int significant);

// The shortest text in the same form that reads back as exactly the same
// double; the data file writes numbers this way.
QString NumberToFileText(double value);

// The default text with the sign position kept: one blank before a number
// that is not negative ("12.5" -> " 12.5"), "-" before a negative one.
QString SignedNumberText(double value);

// The printer's form of a number: the signed text followed by one blank.
QString PrinterNumberText(double value);

// Counts the characters before the decimal separator ("," or "."), used to
// align printed numbers on their separator. A text whose leading number is
// negative is first replaced by the signed text of its absolute value (so
// "-12.345" becomes " 12.345", 3 digits). Returns nothing for an empty text.
// The text may be rewritten, as the printer routines expect.
std::optional<int> CountIntegerDigits(QString& numberText);

// True when the whole token is a number in the written form (sign, digits,
// point, exponent; no blanks, nothing after it), as the data file holds its
// unquoted values; its value is stored in *value.
bool IsPlainNumberToken(QStringView token, double* value = nullptr);

// A number as the user types it in a box or an editor: blanks around it,
// a decimal comma or point, nothing else; none for any other text (or a
// value that is not finite).
std::optional<double> ReadTypedNumber(const QString& text);

class QLocale;

// A number in the word processor's "##0.00" style formats: at least one
// integer digit, exactly `decimals` decimals (halves rounded away from zero),
// no thousands separator, the decimal separator of `locale` (the user's
// regional settings in the program).
QString FormatFixed(double value, int decimals, const QLocale& locale);

// A number written in its plain form ("27.9", "0.72", "1.51E-05") with the
// point turned into the decimal separator of `locale`, for a document that
// shows a value as stored; any other text (a pipe name, "12,5") is returned
// as it is.
QString WithDecimalSeparator(const QString& text, const QLocale& locale);
