#include "conversions.h"

#include "runtimeerror.h"

#include <cfenv>
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

} // namespace

double textToDouble(const QString &text)
{
    const QByteArray bytes = numberBytes(text);
    // QByteArray::toDouble reads the C locale; it refuses "2." so the fraction point is completed.
    QByteArray complete = bytes;
    const qsizetype e = complete.indexOf('e') >= 0 ? complete.indexOf('e') : complete.indexOf('E');
    const qsizetype mantissaEnd = e >= 0 ? e : complete.size();
    if (mantissaEnd > 0 && complete[mantissaEnd - 1] == '.')
        complete.insert(mantissaEnd, '0');
    bool ok = false;
    const double value = complete.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw RuntimeError(RuntimeError::Code::Overflow, "number too large");
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
