#pragma once
// Box text to number and number to box text: the three parses of the
// parameter pages, the two integer conversions and the display formats.
// Widget-free; the field codec builds on it.

#include <QChar>
#include <QString>
#include <QStringView>

enum class ParseError : quint8 {
    None,
    Empty,        // nothing but blanks
    NotANumber,   // any other text that is not a whole number
    OutOfRange,   // a number, but beyond what the field can hold
    TooLong,      // text fields: more characters than the block has room for
    BadCharacter, // text fields: a character without a single-byte code
};

struct ParsedNumber
{
    double value = 0;
    ParseError error = ParseError::None;
    bool ok() const { return error == ParseError::None; }
};

// number: the whole text must be a number in the system's format (optional
// sign, digits, the decimal separator, optional exponent); blanks around it
// are allowed. No group separators: "1,500" or "1.500" meaning fifteen
// hundred would otherwise be read as something else entirely.
//
// `decimalShift` scales the number by 10^decimalShift on its decimal digits,
// before any binary rounding, so that "0.29" times 100 is exactly 29. A
// number that is a double as typed but beyond one once scaled ("1e308"
// times 100) gives an infinity with its sign, for the field's clamp; only a
// number beyond a double as typed is out of range.
ParsedNumber parseNumber(QStringView text, QChar decimalPoint, int decimalShift = 0);

// leading number: the longest leading part that reads as a number with "."
// as decimal point; blanks, tabs and line feeds are skipped wherever they
// stand; "&H" and "&O" read hexadecimal and octal integers. Text without a
// leading number gives 0 and, when `found` is given, sets it to false. Never
// fails; a huge exponent gives an infinity, which the field's clamp then
// limits.
double parseLeadingNumber(QStringView text, int decimalShift = 0, bool *found = nullptr);

// integer: as number, then rounded half to even to a 32-bit integer; a
// result outside the 32-bit range is a failure.
ParsedNumber parseInteger(QStringView text, QChar decimalPoint);

// Half to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double roundHalfEven(double value);

// The decimal separator of the system's number format.
QChar systemDecimalPoint();

// "350", "-74"; never "-0".
QString formatInteger(qint64 value);
// The shortest decimal text that reads back as the same double: 68.75,
// 57.5, 200, 327.67.
QString formatShortest(double value, QChar decimalPoint);
// Exactly `decimals` decimals: 0.500, 2.0.
QString formatFixed(double value, int decimals, QChar decimalPoint);
// numerator / denominator with exactly `decimals` decimals, rounded half away
// from zero on the exact quotient (65535 / 10000 -> "6.554"), so that no
// binary artefact of the division shows.
QString formatFixedRatio(qint64 numerator, qint64 denominator, int decimals, QChar decimalPoint);
// numerator / denominator with at least `minDecimals` decimals, and more when
// the exact quotient needs them (12345 / 10000 -> "1.2345", 5000 / 10000 ->
// "0.500"), so that a value shown and typed back keeps every digit. A
// quotient that never ends (1 / 3) stops after as many decimals as the
// denominator has digits, rounded as formatFixedRatio does; nine decimals at
// most.
QString formatExactRatio(qint64 numerator, qint64 denominator, int minDecimals, QChar decimalPoint);
