// FormatDateTime and the routines built on it.
#include "host/conversions.h"

namespace {

struct TParts {
    int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

// Nested formats (c, ddddd, t ...) may name each other; this depth stops a loop.
constexpr int kMaxNesting = 3;

QString Padded(int value, int width) { return QString::number(value).rightJustified(width, QLatin1Char('0')); }

bool StartsWithAt(const QString &s, int i, const char *word) {
    return QStringView(s).mid(i).startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

// A format with an am/pm marker shows hours on the 12-hour clock.
bool UsesTwelveHours(const QString &format) {
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int close = int(format.indexOf(c, i + 1));
            if (close < 0) break;
            i = close;
        } else if (StartsWithAt(format, i, "am/pm") || StartsWithAt(format, i, "a/p") || StartsWithAt(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

QString NameAt(const std::array<QString, 12> &names, int month) {
    return month >= 1 && month <= 12 ? names[month - 1] : QString();
}

QString DayName(const std::array<QString, 7> &names, int dayOfWeek) {
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? names[dayOfWeek - 1] : QString();
}

void AppendFormat(QString &out, const QString &format, const TParts &p, int depth) {
    if (depth > kMaxNesting) return;
    const TFormatSettings &fs = FormatSettings;
    const bool twelve = UsesTwelveHours(format);
    char lastToken = 0;
    const int n = int(format.size());
    for (int i = 0; i < n;) {
        const QChar c = format[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int close = int(format.indexOf(c, i + 1));
            const int end = close < 0 ? n : close;
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        int count = 1;
        while (i + count < n && format[i + count].toUpper() == c.toUpper()) ++count;
        char token = c.unicode() < 128 ? char(c.toUpper().unicode()) : 0;
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastToken == 'H') token = 'N';  // m right after h means minutes
            lastToken = token;
        }
        switch (token) {
        case 'Y':
            out += count <= 2 ? Padded(p.Year % 100, 2) : Padded(p.Year, 4);
            break;
        case 'M':
            if (count == 1) out += QString::number(p.Month);
            else if (count == 2) out += Padded(p.Month, 2);
            else if (count == 3) out += NameAt(fs.ShortMonthNames, p.Month);
            else out += NameAt(fs.LongMonthNames, p.Month);
            break;
        case 'D':
            if (count == 1) out += QString::number(p.Day);
            else if (count == 2) out += Padded(p.Day, 2);
            else if (count == 3) out += DayName(fs.ShortDayNames, p.DayOfWeek);
            else if (count == 4) out += DayName(fs.LongDayNames, p.DayOfWeek);
            else if (count == 5) AppendFormat(out, fs.ShortDateFormat, p, depth + 1);
            else AppendFormat(out, fs.LongDateFormat, p, depth + 1);
            break;
        case 'H': {
            int hour = p.Hour;
            if (twelve) {
                hour %= 12;
                if (hour == 0) hour = 12;
            }
            out += count == 1 ? QString::number(hour) : Padded(hour, 2);
            break;
        }
        case 'N':
            out += count == 1 ? QString::number(p.Min) : Padded(p.Min, 2);
            break;
        case 'S':
            out += count == 1 ? QString::number(p.Sec) : Padded(p.Sec, 2);
            break;
        case 'Z':
            out += count < 3 ? QString::number(p.MSec) : Padded(p.MSec, 3);
            break;
        case 'T':
            AppendFormat(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, depth + 1);
            break;
        case 'C':
            count = 1;
            AppendFormat(out, fs.ShortDateFormat, p, depth + 1);
            if (p.Hour || p.Min || p.Sec || p.MSec) {
                out += QLatin1Char(' ');
                AppendFormat(out, fs.LongTimeFormat, p, depth + 1);
            }
            break;
        case 'A':
            count = 1;
            if (StartsWithAt(format, i, "am/pm")) {
                out += format.mid(i + (p.Hour >= 12 ? 3 : 0), 2);  // in the case written
                count = 5;
            } else if (StartsWithAt(format, i, "a/p")) {
                out += format[i + (p.Hour >= 12 ? 2 : 0)];
                count = 3;
            } else if (StartsWithAt(format, i, "ampm")) {
                out += p.Hour >= 12 ? fs.TimePMString : fs.TimeAMString;
                count = 4;
            } else {
                out += c;
            }
            break;
        default:
            count = 1;
            if (c == QLatin1Char('/')) out += fs.DateSeparator;
            else if (c == QLatin1Char(':')) out += fs.TimeSeparator;
            else out += c;
            break;
        }
        i += count;
    }
}

}  // namespace

QString FormatDateTime(const QString &format, TDateTime value) {
    TParts p;
    DecodeDate(value, p.Year, p.Month, p.Day);
    DecodeTime(value, p.Hour, p.Min, p.Sec, p.MSec);
    p.DayOfWeek = DayOfWeek(value);
    QString out;
    AppendFormat(out, format.isEmpty() ? QStringLiteral("c") : format, p, 0);
    return out;
}

QString DateToStr(TDateTime value) { return FormatDateTime(QStringLiteral("ddddd"), value); }
QString TimeToStr(TDateTime value) { return FormatDateTime(QStringLiteral("tt"), value); }
QString DateTimeToStr(TDateTime value) { return FormatDateTime(QStringLiteral("c"), value); }
