// Integers and floating-point numbers to and from text.
#include "host/conversions.h"

#include "host/decimal_digits.h"
#include "host/exceptions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void RaiseConvert(const char *pattern, const QString &text) {
    throw EConvertError(QString::fromLatin1(pattern).arg(text));
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// bits is the width of the target: decimal must fit its signed range, hexadecimal its bits.
bool ParseInteger(const QString &text, int bits, qint64 &value) {
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) negative = text[i++] == QLatin1Char('-');
    bool hex = false;
    if (i < n && text[i] == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    const quint64 limit = hex ? (bits == 64 ? ~quint64(0) : (quint64(1) << bits) - 1)
                              : (quint64(1) << (bits - 1)) - (negative ? 0 : 1);
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const int digit = hex ? HexValue(text[i]) : (text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0' : -1);
        if (digit < 0) return false;  // trailing text, blanks included
        const quint64 base = hex ? 16 : 10;
        if (magnitude > (limit - quint64(digit)) / base) return false;
        magnitude = magnitude * base + quint64(digit);
    }
    if (hex && bits == 32) magnitude = quint64(qint64(qint32(quint32(magnitude))));  // full-width bit pattern
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

}  // namespace

QString IntToStr(qint64 value) { return QString::number(value); }

bool TryStrToInt64(const QString &text, qint64 &value) { return ParseInteger(text, 64, value); }

bool TryStrToInt(const QString &text, int &value) {
    qint64 v = 0;
    if (!ParseInteger(text, 32, v)) return false;
    value = int(v);
    return true;
}

int StrToInt(const QString &text) {
    int value = 0;
    if (!TryStrToInt(text, value)) RaiseConvert("'%1' is not a valid integer value", text);
    return value;
}

qint64 StrToInt64(const QString &text) {
    qint64 value = 0;
    if (!TryStrToInt64(text, value)) RaiseConvert("'%1' is not a valid integer value", text);
    return value;
}

int StrToIntDef(const QString &text, int def) {
    int value = 0;
    return TryStrToInt(text, value) ? value : def;
}

QString FloatToStr(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    const TDecimal d = FloatToDecimal(value, 15);
    if (d.Digits.isEmpty()) return QStringLiteral("0");
    QString out;
    if (d.Negative) out += QLatin1Char('-');
    const int digits = int(d.Digits.size());
    if (d.Exponent <= 15 && d.Exponent >= -4) {
        if (d.Exponent <= 0) {
            out += QLatin1Char('0');
        } else {
            for (int i = 0; i < d.Exponent; ++i) out += QLatin1Char(DigitAt(d, i));
        }
        if (digits > d.Exponent) {
            out += FormatSettings.DecimalSeparator;
            for (int i = qMin(d.Exponent, 0); i < digits - qMax(d.Exponent, 0); ++i)
                out += QLatin1Char(DigitAt(d, qMax(d.Exponent, 0) + i));
        }
        return out;
    }
    out += QLatin1Char(d.Digits[0]);
    if (digits > 1) {
        out += FormatSettings.DecimalSeparator;
        out += QString::fromLatin1(d.Digits.mid(1));
    }
    return out + QLatin1Char('E') + QString::number(d.Exponent - 1);
}

bool TryStrToFloat(const QString &text, double &value, QChar decimalSeparator) {
    const QString t = text.trimmed();
    QString upper = t.toUpper();
    bool negative = false;
    QStringView body(upper);
    if (body.startsWith(QLatin1Char('-')) || body.startsWith(QLatin1Char('+'))) {
        negative = body.front() == QLatin1Char('-');
        body = body.mid(1);
    }
    if (body == QLatin1String("INF")) {
        value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return true;
    }
    if (body == QLatin1String("NAN")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    // Rebuild as plain ASCII with '.' and check the shape on the way.
    std::string ascii;
    ascii.reserve(size_t(body.size()));
    const int n = int(body.size());
    int i = 0;
    int digits = 0, integerDigits = 0;
    // Where the first non-zero digit stands, to tell underflow from overflow: its index among
    // the integer digits (1-based), or its place after the decimal point.
    int leadInteger = 0, leadFraction = 0;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const char16_t c = body[i].unicode();
        if (c >= '0' && c <= '9') {
            ascii += char(c);
            ++digits;
            if (!seenPoint) ++integerDigits;
            if (c != '0' && leadInteger == 0 && leadFraction == 0) {
                if (seenPoint) leadFraction = digits - integerDigits;
                else leadInteger = integerDigits;
            }
        } else if (body[i] == decimalSeparator && !seenPoint) {
            ascii += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    const int lead = leadInteger > 0 ? integerDigits - leadInteger : -leadFraction;
    qint64 exponent = 0;
    if (i < n && body[i] == QLatin1Char('E')) {
        ascii += 'e';
        ++i;
        bool negativeExp = false;
        if (i < n && (body[i] == QLatin1Char('+') || body[i] == QLatin1Char('-'))) {
            negativeExp = body[i] == QLatin1Char('-');
            ascii += char(body[i++].unicode());
        }
        const int expStart = i;
        for (; i < n && body[i].unicode() >= '0' && body[i].unicode() <= '9'; ++i) {
            ascii += char(body[i].unicode());
            exponent = qMin<qint64>(exponent * 10 + (body[i].unicode() - '0'), 1000000);
        }
        if (i == expStart) return false;
        if (negativeExp) exponent = -exponent;
    }
    if (i != n) return false;
    double result = 0;
    const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), result);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is not a valid number.
        if (lead + exponent >= 0) return false;
        result = 0;
    } else if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size()) {
        return false;
    }
    value = negative ? -result : result;
    return true;
}

bool TryStrToFloat(const QString &text, double &value) {
    return TryStrToFloat(text, value, FormatSettings.DecimalSeparator);
}

double StrToFloat(const QString &text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) RaiseConvert("'%1' is not a valid floating point value", text);
    return value;
}

double StrToFloatDef(const QString &text, double def) {
    double value = 0;
    return TryStrToFloat(text, value) ? value : def;
}
