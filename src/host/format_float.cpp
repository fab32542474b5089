// FormatFloat: numbers through a display mask.
#include "host/conversions.h"
#include "host/decimal_digits.h"

#include <cmath>

namespace {

bool IsQuote(QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); }

// Index just past the literal that starts with the quote at i (an unclosed one runs to the end).
int SkipLiteral(const QString &s, int i) {
    const int close = int(s.indexOf(s[i], i + 1));
    return close < 0 ? int(s.size()) : close + 1;
}

bool IsExponentAt(const QString &s, int i) {
    return (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e')) && i + 1 < s.size() &&
           (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'));
}

QStringList SplitSections(const QString &format) {
    QStringList sections;
    int start = 0;
    for (int i = 0; i < format.size();) {
        if (IsQuote(format[i])) {
            i = SkipLiteral(format, i);
        } else if (format[i] == QLatin1Char(';')) {
            sections << format.mid(start, i - start);
            start = ++i;
        } else {
            ++i;
        }
    }
    sections << format.mid(start);
    return sections;
}

// What one section asks for.
struct TMask {
    int IntPlaceholders = 0;
    int FracPlaceholders = 0;
    int MinIntDigits = 0;
    int MinFracDigits = 0;
    bool Thousands = false;
    bool Scientific = false;
    int ExponentDigits = 0;
};

TMask ScanMask(const QString &s) {
    TMask m;
    bool afterPoint = false;
    int firstIntZero = -1;
    for (int i = 0; i < s.size();) {
        const QChar c = s[i];
        if (IsQuote(c)) {
            i = SkipLiteral(s, i);
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++m.FracPlaceholders;
                if (c == QLatin1Char('0')) m.MinFracDigits = m.FracPlaceholders;
            } else {
                if (c == QLatin1Char('0') && firstIntZero < 0) firstIntZero = m.IntPlaceholders;
                ++m.IntPlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            m.Thousands = true;
        } else if (!m.Scientific && IsExponentAt(s, i)) {
            m.Scientific = true;
            i += 2;
            while (i < s.size() && s[i] == QLatin1Char('0')) {
                ++m.ExponentDigits;
                ++i;
            }
            // Placeholders after the exponent are plain text.
            while (i < s.size()) i = IsQuote(s[i]) ? SkipLiteral(s, i) : i + 1;
            break;
        }
        ++i;
    }
    if (firstIntZero >= 0) m.MinIntDigits = m.IntPlaceholders - firstIntZero;
    m.ExponentDigits = qMin(m.ExponentDigits, 4);
    return m;
}

// The digits to place: integer part, fraction part and (scientific) exponent.
struct TPlaced {
    QString Int;
    QString Frac;
    int Exponent = 0;
    bool Zero = true;
};

TPlaced Place(const TMask &m, double magnitude) {
    TPlaced p;
    TDecimal d = FloatToDecimal(magnitude, 15);  // 15 digits first: 1.005 is meant as 1.005
    if (m.Scientific) {
        const int intDigits = qMax(1, m.IntPlaceholders);
        if (!d.Digits.isEmpty()) {
            RoundDecimal(d, intDigits + m.FracPlaceholders - d.Exponent);
            p.Exponent = d.Exponent - intDigits;
        }
        for (int i = 0; i < intDigits; ++i) p.Int += QLatin1Char(DigitAt(d, i));
        for (int i = 0; i < m.FracPlaceholders; ++i) p.Frac += QLatin1Char(DigitAt(d, intDigits + i));
    } else {
        RoundDecimal(d, m.FracPlaceholders);
        for (int i = 0; i < d.Exponent; ++i) p.Int += QLatin1Char(DigitAt(d, i));
        for (int i = 0; i < m.FracPlaceholders; ++i) p.Frac += QLatin1Char(DigitAt(d, d.Exponent + i));
    }
    p.Zero = d.Digits.isEmpty();
    while (p.Frac.size() > m.MinFracDigits && p.Frac.endsWith(QLatin1Char('0'))) p.Frac.chop(1);
    const int minInt = m.Scientific ? qMax(1, m.MinIntDigits) : m.MinIntDigits;
    if (p.Int.size() < minInt) p.Int.prepend(QString(minInt - p.Int.size(), QLatin1Char('0')));
    return p;
}

QString Render(const QString &s, const TMask &m, const TPlaced &p, bool minus) {
    const TFormatSettings &fs = FormatSettings;
    QString out;
    if (minus) out += QLatin1Char('-');
    const int nInt = int(p.Int.size());
    const bool groups = m.Thousands && !m.Scientific;
    auto emitInt = [&](int index) {
        out += p.Int[index];
        const int after = nInt - 1 - index;
        if (groups && after > 0 && after % 3 == 0) out += fs.ThousandSeparator;
    };
    auto emitAllInt = [&] {
        for (int k = 0; k < nInt; ++k) emitInt(k);
    };
    int intSeen = 0, fracSeen = 0;
    bool afterPoint = false, exponentDone = false;
    for (int i = 0; i < s.size();) {
        const QChar c = s[i];
        if (IsQuote(c)) {
            const int end = SkipLiteral(s, i);
            const bool closed = end <= s.size() && end - 1 > i && s[end - 1] == c;
            out += s.mid(i + 1, end - i - 1 - (closed ? 1 : 0));
            i = end;
            continue;
        }
        if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !exponentDone) {
            if (afterPoint) {
                if (fracSeen < p.Frac.size()) out += p.Frac[fracSeen];
                ++fracSeen;
            } else {
                // Digits align right on the placeholders; extra leading digits go to the first.
                const int k = intSeen++;
                if (k == 0)
                    for (int j = 0; j < nInt - m.IntPlaceholders; ++j) emitInt(j);
                const int index = k - (m.IntPlaceholders - nInt);
                if (index >= 0) emitInt(index);
            }
        } else if (c == QLatin1Char('.') && !exponentDone) {
            if (!afterPoint) {
                if (m.IntPlaceholders == 0) emitAllInt();
                if (!p.Frac.isEmpty()) out += fs.DecimalSeparator;
                afterPoint = true;
            }
        } else if (c == QLatin1Char(',') && !exponentDone) {
            // Only switches group separators on.
        } else if (!exponentDone && m.Scientific && IsExponentAt(s, i)) {
            exponentDone = true;
            out += c;
            if (p.Exponent < 0) out += QLatin1Char('-');
            else if (s[i + 1] == QLatin1Char('+')) out += QLatin1Char('+');
            QString digits = QString::number(std::abs(p.Exponent));
            if (digits.size() < m.ExponentDigits) digits.prepend(QString(m.ExponentDigits - digits.size(), QLatin1Char('0')));
            out += digits;
            i += 2;
            while (i < s.size() && s[i] == QLatin1Char('0')) ++i;
            continue;
        } else {
            out += c;
        }
        ++i;
    }
    return out;
}

}  // namespace

QString FormatFloat(const QString &format, double value) {
    if (format.isEmpty() || !std::isfinite(value)) return FloatToStr(value);
    const QStringList sections = SplitSections(format);
    const QString positive = sections[0];
    const QString negative = sections.size() > 1 ? sections[1] : QString();
    const QString zero = sections.size() > 2 ? sections[2] : QString();

    QString section = positive;
    bool minus = false;
    if (value == 0) {
        if (!zero.isEmpty()) section = zero;
    } else if (value < 0) {
        if (!negative.isEmpty()) section = negative;
        else minus = true;
    }
    TMask mask = ScanMask(section);
    TPlaced placed = Place(mask, std::fabs(value));
    if (placed.Zero && value != 0) {
        // Rounds to zero: shown as zero, never as "-0.00".
        section = zero.isEmpty() ? positive : zero;
        minus = false;
        mask = ScanMask(section);
        placed = Place(mask, 0.0);
    }
    return Render(section, mask, placed, minus);
}
