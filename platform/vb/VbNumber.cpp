#include "platform/vb/VbNumber.h"

#include "platform/vb/VbError.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <optional>
#include <stdlib.h>

namespace vb {

namespace {

bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The value of a decimal number in C syntax, whatever the process locale's decimal separator:
// the application object sets the user's locale, under which strtod may expect a comma.
// Too large a magnitude gives an infinity, too small a one 0.
double toDouble(const QByteArray& number)
{
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", nullptr);
    return ::strtod_l(number.constData(), nullptr, cLocale);
}

bool skipDigits(QStringView text, qsizetype& i)
{
    const qsizetype start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i > start;
}

// Parses a number at the start of `s` (no blanks inside). Sets `consumed` to the
// number of characters that formed the number.
double parseLeading(const QString& s, qsizetype& consumed)
{
    consumed = 0;
    qsizetype i = 0;
    const qsizetype n = s.size();

    if (n >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (base != 0) {
            i = 2;
            std::uint64_t v = 0;
            qsizetype start = i;
            while (i < n) {
                const int d = QStringView(s).mid(i, 1).toInt(nullptr, base);
                const QChar c = s[i].toUpper();
                const bool ok = base == 16 ? (isDigit(c) || (c >= u'A' && c <= u'F')) : (c >= u'0' && c <= u'7');
                if (!ok)
                    break;
                v = v * base + static_cast<std::uint64_t>(d);
                ++i;
            }
            if (i == start)
                return 0.0;
            consumed = i;
            // Hex and octal literals of up to 16 bits are 16-bit signed, as are up to 32 bits.
            if (v <= 0xFFFF && (i - start) <= (base == 16 ? 4 : 6))
                return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
            if (v <= 0xFFFFFFFFull)
                return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
            return static_cast<double>(v);
        }
    }

    QByteArray digits;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        digits += static_cast<char>(s[i].unicode());
        ++i;
    }
    bool any = false;
    while (i < n && isDigit(s[i])) {
        digits += static_cast<char>(s[i].unicode());
        ++i;
        any = true;
    }
    if (i < n && s[i] == u'.') {
        digits += '.';
        ++i;
        while (i < n && isDigit(s[i])) {
            digits += static_cast<char>(s[i].unicode());
            ++i;
            any = true;
        }
    }
    if (!any)
        return 0.0;
    consumed = i;
    if (i < n && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        QByteArray exp = "e";
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            exp += static_cast<char>(s[j].unicode());
            ++j;
        }
        qsizetype expStart = j;
        while (j < n && isDigit(s[j])) {
            exp += static_cast<char>(s[j].unicode());
            ++j;
        }
        if (j > expStart) {
            digits += exp;
            consumed = j;
        }
    }
    return toDouble(digits);
}

std::optional<double> parseWhole(QStringView text)
{
    QString s = text.trimmed().toString();
    if (s.isEmpty())
        return std::nullopt;
    qsizetype consumed = 0;
    const double v = parseLeading(s, consumed);
    if (consumed != s.size())
        return std::nullopt;
    return v;
}

template <typename T> T toIntegral(double value)
{
    if (std::isnan(value))
        throw Error::runtime(err::Overflow, QString());
    const double r = roundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        throw Error::runtime(err::Overflow, QString());
    return static_cast<T>(r);
}

template <typename T> T toIntegral(QStringView text)
{
    const auto v = parseWhole(text);
    if (!v)
        throw Error::runtime(err::TypeMismatch, QString());
    return toIntegral<T>(*v);
}

QString formatNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    char buf[64];
    const double mag = std::fabs(value);
    if (mag >= 1e15 || mag < 1e-15) {
        std::snprintf(buf, sizeof buf, "%.14E", value);
        // Mantissa without trailing zeros, exponent as E+NN / E-NN.
        QString text = QString::fromLatin1(buf);
        const qsizetype e = text.indexOf(u'E');
        QString mant = text.left(e);
        QString exp = text.mid(e + 1);
        if (mant.contains(u'.')) {
            while (mant.endsWith(u'0'))
                mant.chop(1);
            if (mant.endsWith(u'.'))
                mant.chop(1);
        }
        const QChar sign = exp[0];
        QString expDigits = exp.mid(1);
        while (expDigits.size() > 2 && expDigits.startsWith(u'0'))
            expDigits.remove(0, 1);
        return mant + u'E' + sign + expDigits;
    }
    std::snprintf(buf, sizeof buf, "%.15G", value);
    QString text = QString::fromLatin1(buf);
    if (text.contains(u'E')) {
        // %G picked exponent form for a small magnitude within range: print in fixed form.
        std::snprintf(buf, sizeof buf, "%.*f", 15 + static_cast<int>(-std::floor(std::log10(mag))), value);
        text = QString::fromLatin1(buf);
    }
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

} // namespace

double val(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isSkippedBlank(c))
            compact.append(c);
    qsizetype consumed = 0;
    return parseLeading(compact, consumed);
}

double leadingDecimal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool bDigits = skipDigits(text, i);
    if (i < text.size() && text[i] == u'.') {
        ++i;
        bDigits = skipDigits(text, i) || bDigits;
    }
    if (!bDigits)
        return 0.0;
    qsizetype end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (skipDigits(text, j))
            end = j; // an exponent without digits is not part of the number
    }
    return toDouble(text.mid(start, end - start).toLatin1());
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

std::int16_t toInt16(double value)
{
    return toIntegral<std::int16_t>(value);
}

std::int32_t toInt32(double value)
{
    return toIntegral<std::int32_t>(value);
}

std::int16_t toInt16(QStringView text)
{
    return toIntegral<std::int16_t>(text);
}

std::int32_t toInt32(QStringView text)
{
    return toIntegral<std::int32_t>(text);
}

bool isNumeric(QStringView text)
{
    return parseWhole(text).has_value();
}

QString cstr(double value)
{
    QString text = formatNumber(value);
    // Drop a leading zero before the decimal point only in Str's form; CStr keeps it.
    return text;
}

QString str(double value)
{
    QString text = formatNumber(value);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return value < 0 ? text : QStringLiteral(" ") + text;
}

} // namespace vb
