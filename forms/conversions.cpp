// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions.h"

#include "runtimeerror.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <QByteArray>
#include <QLocale>

namespace forms
{

namespace
{

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Checks the number grammar and returns the trimmed text as Latin-1 bytes for strtod.
QByteArray numberBytes(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < end && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < end && text[i] == u'.') {
        ++i;
        while (i < end && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        throw RuntimeError(RuntimeError::Code::TypeMismatch, "text is not a number");
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        int exponentDigits = 0;
        while (i < end && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            throw RuntimeError(RuntimeError::Code::TypeMismatch, "text is not a number");
    }
    if (i != end)
        throw RuntimeError(RuntimeError::Code::TypeMismatch, "text is not a number");
    return text.mid(begin, end - begin).toLatin1();
}

// The decimal exponent of the first significant digit of a checked number text: above 0 for
// numbers of magnitude 10 and more. Tells an overflow from an underflow.
long long magnitude(const QByteArray &number)
{
    const qsizetype e = std::max(number.indexOf('e'), number.indexOf('E'));
    const QByteArray mantissa = e >= 0 ? number.left(e) : number;
    // The exponent saturates far beyond any double, so that the sums below cannot overflow.
    long long exponent = 0;
    bool negative = false;
    for (qsizetype i = e + 1; e >= 0 && i < number.size(); ++i) {
        const char c = number[i];
        if (c == '-')
            negative = true;
        else if (c >= '0' && c <= '9')
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1000000000);
    }
    if (negative)
        exponent = -exponent;
    const qsizetype point = mantissa.indexOf('.');
    const QByteArray whole = point >= 0 ? mantissa.left(point) : mantissa;
    long long digits = 0; // significant digits before the point
    bool significant = false;
    for (char c : whole) {
        significant = significant || (c >= '1' && c <= '9');
        digits += significant && c >= '0' && c <= '9' ? 1 : 0;
    }
    if (digits > 0)
        return digits + exponent;
    long long zeros = 0; // zeros after the point before the first significant digit
    for (qsizetype i = point + 1; point >= 0 && i < mantissa.size() && mantissa[i] == '0'; ++i)
        ++zeros;
    return exponent - zeros;
}

} // namespace

double textToDouble(const QString &text)
{
    QByteArray number = numberBytes(text);
    if (number.startsWith('+'))
        number.remove(0, 1);
    double value = 0;
    const char *end = number.constData() + number.size();
    const auto [stop, error] = std::from_chars(number.constData(), end, value);
    if (error == std::errc::result_out_of_range) {
        if (magnitude(number) > 0)
            throw RuntimeError(RuntimeError::Code::Overflow, "number too large");
        // Too small to tell from zero: it is zero.
        return number.startsWith('-') ? -0.0 : 0.0;
    }
    if (error != std::errc() || stop != end || !std::isfinite(value))
        throw RuntimeError(RuntimeError::Code::TypeMismatch, "text is not a number");
    return value;
}

qint32 roundToInt32(double value)
{
    // nearbyint rounds in the current mode, which is to-nearest-even unless someone changed it.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    if (!(rounded >= std::numeric_limits<qint32>::min() &&
          rounded <= std::numeric_limits<qint32>::max()))
        throw RuntimeError(RuntimeError::Code::Overflow, "number outside the 32-bit range");
    return static_cast<qint32>(rounded);
}

qint16 roundToInt16(double value)
{
    const qint32 wide = roundToInt32(value);
    if (wide < std::numeric_limits<qint16>::min() || wide > std::numeric_limits<qint16>::max())
        throw RuntimeError(RuntimeError::Code::Overflow, "number outside the 16-bit range");
    return static_cast<qint16>(wide);
}

QString numberToText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    // Shortest text that reads back as the same double, in plain notation.
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    return text;
}

} // namespace forms
