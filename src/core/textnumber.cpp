#include "core/textnumber.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The pieces of a decimal number, ready for std::from_chars (which knows
// nothing of locales, unlike strtod).
struct DecimalText
{
    std::string chars; // "-123.45e-6" without a leading "+"
    bool negative = false;
    int leadingIntDigits = 0;  // significant digits before the point
    int zerosAfterPoint = 0;   // zeros right after the point when the integer part is 0
    bool anyNonZeroDigit = false;
    long long exponent = 0;    // saturated
};

// Converts what the scanner collected. Out-of-range magnitudes become an
// infinity (too large) or zero (too small), with the number's sign.
// `shift` moves the decimal point first (the number times 10^shift), on the
// digits themselves: 0.29 shifted by 2 is exactly 29, never 28.999999999999996.
double convert(DecimalText d, int shift, bool *overflow)
{
    *overflow = false;
    if (shift != 0) {
        const std::size_t e = d.chars.find('e');
        if (e != std::string::npos)
            d.chars.erase(e);
        d.exponent += shift;
        d.chars += 'e' + std::to_string(d.exponent);
    }
    double value = 0;
    const char *first = d.chars.data();
    const char *last = first + d.chars.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Rough decimal magnitude: positive means the number is huge.
        const long long magnitude = d.leadingIntDigits > 0
                                        ? d.leadingIntDigits + d.exponent
                                        : d.exponent - d.zerosAfterPoint;
        if (d.anyNonZeroDigit && magnitude > 0) {
            *overflow = true;
            value = std::numeric_limits<double>::infinity();
        } else {
            value = 0;
        }
        if (d.negative)
            value = -value;
    }
    return value;
}

void appendDigit(DecimalText &d, QChar c, bool beforePoint)
{
    const char ch = char(c.unicode());
    d.chars.push_back(ch);
    if (ch != '0')
        d.anyNonZeroDigit = true;
    if (beforePoint) {
        if (d.leadingIntDigits > 0 || ch != '0')
            ++d.leadingIntDigits;
    } else if (d.leadingIntDigits == 0 && !d.anyNonZeroDigit) {
        ++d.zerosAfterPoint;
    }
}

void addExponentDigit(long long &exponent, QChar c)
{
    if (exponent < 1'000'000'000LL)
        exponent = exponent * 10 + (c.unicode() - '0');
}

// Skips blanks, tabs and line feeds wherever they stand.
class LenientScanner
{
public:
    explicit LenientScanner(QStringView text) : m_text(text) {}
    QChar peek()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c != u' ' && c != u'\t' && c != u'\n')
                return c;
            ++m_pos;
        }
        return QChar();
    }
    void take() { ++m_pos; }
    qsizetype position() const { return m_pos; }
    void rewind(qsizetype pos) { m_pos = pos; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

double readRadixInteger(LenientScanner &s, int radix, bool *anyDigit)
{
    *anyDigit = false;
    double value = 0;
    for (;;) {
        const QChar c = s.peek();
        int digit = -1;
        if (isAsciiDigit(c))
            digit = c.unicode() - '0';
        else if (radix == 16 && c.toLower().unicode() >= 'a' && c.toLower().unicode() <= 'f')
            digit = c.toLower().unicode() - 'a' + 10;
        if (digit < 0 || digit >= radix)
            return value;
        value = value * radix + digit;
        *anyDigit = true;
        s.take();
    }
}
} // namespace

namespace {
// Reads the text as it stands, character by character.
class StrictScanner
{
public:
    explicit StrictScanner(QStringView text) : m_text(text) {}
    QChar peek() const { return m_pos < m_text.size() ? m_text[m_pos] : QChar(); }
    void take() { ++m_pos; }
    qsizetype position() const { return m_pos; }
    void rewind(qsizetype pos) { m_pos = pos; }
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

enum class Exponent { None, Complete, Incomplete };

// The one reading of a decimal number, for both parses: optional sign,
// digits, the decimal point and digits, then an exponent. An incomplete
// exponent ("12e") is left unread. Returns the number of mantissa digits.
template <typename Scanner>
int scanDecimal(Scanner &s, QChar decimalPoint, DecimalText &d, Exponent *exponent)
{
    if (s.peek() == u'+' || s.peek() == u'-') {
        d.negative = s.peek() == u'-';
        if (d.negative)
            d.chars.push_back('-');
        s.take();
    }
    d.chars.push_back('0'); // so that ".5" and "-.5" convert
    int mantissaDigits = 0;
    while (isAsciiDigit(s.peek())) {
        appendDigit(d, s.peek(), true);
        s.take();
        ++mantissaDigits;
    }
    if (s.peek() == decimalPoint && !decimalPoint.isNull()) {
        s.take();
        d.chars.push_back('.');
        while (isAsciiDigit(s.peek())) {
            appendDigit(d, s.peek(), false);
            s.take();
            ++mantissaDigits;
        }
    }
    *exponent = Exponent::None;
    if (mantissaDigits == 0 || (s.peek() != u'e' && s.peek() != u'E'))
        return mantissaDigits;

    const qsizetype beforeExponent = s.position();
    s.take();
    std::string exponentChars = "e";
    bool negativeExponent = false;
    if (s.peek() == u'+' || s.peek() == u'-') {
        negativeExponent = s.peek() == u'-';
        if (negativeExponent)
            exponentChars.push_back('-');
        s.take();
    }
    long long value = 0;
    int exponentDigits = 0;
    while (isAsciiDigit(s.peek())) {
        exponentChars.push_back(char(s.peek().unicode()));
        addExponentDigit(value, s.peek());
        s.take();
        ++exponentDigits;
    }
    if (exponentDigits == 0) {
        s.rewind(beforeExponent);
        *exponent = Exponent::Incomplete;
        return mantissaDigits;
    }
    d.chars += exponentChars;
    d.exponent = negativeExponent ? -value : value;
    *exponent = Exponent::Complete;
    return mantissaDigits;
}
} // namespace

ParsedNumber parseNumber(QStringView text, QChar decimalPoint, int decimalShift)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return {0, ParseError::Empty};

    StrictScanner s(t);
    DecimalText d;
    Exponent exponent = Exponent::None;
    if (scanDecimal(s, decimalPoint, d, &exponent) == 0 || exponent == Exponent::Incomplete ||
        !s.atEnd())
        return {0, ParseError::NotANumber};

    bool overflow = false;
    const double value = convert(d, decimalShift, &overflow);
    if (overflow && decimalShift != 0) {
        bool asTyped = false;
        convert(d, 0, &asTyped);
        if (!asTyped)
            return {value, ParseError::None};
    }
    if (overflow)
        return {0, ParseError::OutOfRange};
    return {value, ParseError::None};
}

double parseLeadingNumber(QStringView text, int decimalShift, bool *found)
{
    bool dummy = false;
    bool &any = found ? *found : dummy;
    any = false;
    LenientScanner s(text);
    if (s.peek() == u'&') {
        s.take();
        const QChar kind = s.peek().toUpper();
        int radix = 0;
        if (kind == u'H')
            radix = 16;
        else if (kind == u'O')
            radix = 8;
        if (radix == 0)
            return 0;
        s.take();
        const double value = readRadixInteger(s, radix, &any);
        const double scale = std::pow(10.0, std::abs(decimalShift));
        return decimalShift >= 0 ? value * scale : value / scale;
    }

    // An exponent counts only when it is complete; "12e" reads as 12.
    DecimalText d;
    Exponent exponent = Exponent::None;
    if (scanDecimal(s, QChar(u'.'), d, &exponent) == 0)
        return 0;
    any = true;
    bool overflow = false;
    return convert(d, decimalShift, &overflow);
}

ParsedNumber parseInteger(QStringView text, QChar decimalPoint)
{
    ParsedNumber n = parseNumber(text, decimalPoint);
    if (!n.ok())
        return n;
    const double r = roundHalfEven(n.value);
    if (r < double(std::numeric_limits<qint32>::min()) ||
        r > double(std::numeric_limits<qint32>::max()))
        return {0, ParseError::OutOfRange};
    return {r == 0 ? 0.0 : r, ParseError::None};
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double r = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return r;
}

QChar systemDecimalPoint()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 ? point[0] : QChar(u'.');
}

QString formatInteger(qint64 value)
{
    return QString::number(value);
}

QString formatShortest(double value, QChar decimalPoint)
{
    if (value == 0)
        value = 0; // no "-0"
    QString s = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (decimalPoint != u'.')
        s.replace(u'.', decimalPoint);
    return s;
}

QString formatFixed(double value, int decimals, QChar decimalPoint)
{
    QString s = QString::number(value, 'f', decimals);
    // A tiny negative value rounds to "-0.000": show it without the sign.
    if (s.startsWith(u'-') && s.size() > 1) {
        bool allZero = true;
        for (qsizetype i = 1; i < s.size(); ++i) {
            if (s[i] != u'0' && s[i] != u'.') {
                allZero = false;
                break;
            }
        }
        if (allZero)
            s.remove(0, 1);
    }
    if (decimalPoint != u'.')
        s.replace(u'.', decimalPoint);
    return s;
}

QString formatFixedRatio(qint64 numerator, qint64 denominator, int decimals, QChar decimalPoint)
{
    const bool negative = (numerator < 0) != (denominator < 0);
    const quint64 num = quint64(numerator < 0 ? -numerator : numerator);
    const quint64 den = quint64(denominator < 0 ? -denominator : denominator);
    quint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const quint64 scaled = (num * scale * 2 + den) / (den * 2); // half away from zero
    QString digits = QString::number(scaled);
    if (digits.size() <= decimals)
        digits = QString(decimals - digits.size() + 1, u'0') + digits;
    QString s = decimals > 0 ? digits.left(digits.size() - decimals) + decimalPoint + digits.right(decimals)
                             : digits;
    if (negative && scaled != 0)
        s.prepend(u'-');
    return s;
}

QString formatExactRatio(qint64 numerator, qint64 denominator, int minDecimals, QChar decimalPoint)
{
    const quint64 den = quint64(denominator < 0 ? -denominator : denominator);
    if (den == 0)
        return formatFixedRatio(numerator, denominator, minDecimals, decimalPoint);
    // A quotient over 2^a 5^b ends after max(a, b) decimals; any other goes
    // on for ever and stops after as many decimals as the denominator has
    // digits. Nine at most, so that the scaled numerator stays in 64 bits.
    quint64 rest = den;
    int twos = 0, fives = 0, digits = 0;
    while (rest % 2 == 0) { rest /= 2; ++twos; }
    while (rest % 5 == 0) { rest /= 5; ++fives; }
    for (quint64 p = 1; p < den; p *= 10)
        ++digits;
    const int enough = std::min(9, rest == 1 ? std::max(twos, fives) : digits);
    const int most = std::max(minDecimals, enough);
    // The remainder of numerator x 10^d over the denominator, one decimal at a time.
    quint64 remainder = quint64(numerator < 0 ? -numerator : numerator) % den;
    for (int d = 0; d < minDecimals; ++d)
        remainder = remainder * 10 % den;
    int decimals = minDecimals;
    while (remainder != 0 && decimals < most) {
        remainder = remainder * 10 % den;
        ++decimals;
    }
    return formatFixedRatio(numerator, denominator, decimals, decimalPoint);
}
