#include "host/format_settings.h"

#include <QLocale>

TFormatSettings::TFormatSettings() {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int i = 0; i < 12; ++i) {
        ShortMonthNames[i] = english.monthName(i + 1, QLocale::ShortFormat);
        LongMonthNames[i] = english.monthName(i + 1, QLocale::LongFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;  // Qt counts from Monday = 1 to Sunday = 7
        ShortDayNames[i] = english.dayName(qtDay, QLocale::ShortFormat);
        LongDayNames[i] = english.dayName(qtDay, QLocale::LongFormat);
    }
}

QString QtPatternToFormat(const QString &qtPattern) {
    QString out;
    for (int i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        int run = 1;
        while (i + run < qtPattern.size() && qtPattern[i + run] == c) ++run;
        if (c == QLatin1Char('\'')) {
            // Quoted literal; '' is a single quote.
            int j = i + 1;
            QString literal;
            while (j < qtPattern.size()) {
                if (qtPattern[j] == QLatin1Char('\'')) {
                    if (j + 1 < qtPattern.size() && qtPattern[j + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += qtPattern[j++];
            }
            if (i + 1 < qtPattern.size() && qtPattern[i + 1] == QLatin1Char('\'') && literal.isEmpty())
                out += QLatin1String("\"'\"");
            else
                out += QLatin1Char('"') + literal + QLatin1Char('"');
            i = j + 1;
            continue;
        }
        switch (c.unicode()) {
        case 'd': out += QString(qMin(run, 4), QLatin1Char('d')); break;
        case 'M': out += QString(qMin(run, 4), QLatin1Char('m')); break;
        case 'y': out += run <= 2 ? QLatin1String("yy") : QLatin1String("yyyy"); break;
        case 'h':
        case 'H': out += run == 1 ? QLatin1String("h") : QLatin1String("hh"); break;
        case 'm': out += run == 1 ? QLatin1String("n") : QLatin1String("nn"); break;
        case 's': out += run == 1 ? QLatin1String("s") : QLatin1String("ss"); break;
        case 'z': out += run == 1 ? QLatin1String("z") : QLatin1String("zzz"); break;
        case 'A':
        case 'a':
            if (i + 1 < qtPattern.size() && qtPattern[i + 1].toLower() == QLatin1Char('p')) {
                out += QLatin1String("ampm");
                i += 2;
                continue;
            }
            out += QString(run, c);
            break;
        case 't': break;  // time zone: not part of TDateTime
        default: out += QString(run, c); break;
        }
        i += run;
    }
    return out.trimmed();
}

namespace {

// The first character of a pattern that is not a letter, a blank or a quote: its separator.
QChar SeparatorOf(const QString &pattern, QChar fallback) {
    for (const QChar c : pattern)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\'')) return c;
    return fallback;
}

// Writes the separator as "/" or ":" so FormatDateTime puts in the current separator.
QString WithSeparator(QString format, QChar separator, QChar placeholder) {
    if (separator == placeholder) return format;
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('"')) quoted = !quoted;
        out += !quoted && c == separator ? placeholder : c;
    }
    return out;
}

}  // namespace

TFormatSettings SystemFormatSettings() {
    const QLocale locale = QLocale::system();
    TFormatSettings s;
    if (!locale.decimalPoint().isEmpty()) s.DecimalSeparator = locale.decimalPoint().front();
    if (!locale.groupSeparator().isEmpty()) s.ThousandSeparator = locale.groupSeparator().front();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    s.DateSeparator = SeparatorOf(shortDate, QLatin1Char('/'));
    s.TimeSeparator = SeparatorOf(shortTime, QLatin1Char(':'));
    s.ShortDateFormat = WithSeparator(QtPatternToFormat(shortDate), s.DateSeparator, QLatin1Char('/'));
    s.LongDateFormat = QtPatternToFormat(locale.dateFormat(QLocale::LongFormat));
    s.ShortTimeFormat = WithSeparator(QtPatternToFormat(shortTime), s.TimeSeparator, QLatin1Char(':'));
    // The long time format of Qt names the time zone; seconds are what matters here.
    QString longTime = shortTime;
    if (!longTime.contains(QLatin1Char('s'))) {
        const int minutes = int(longTime.indexOf(QLatin1String("mm")));
        if (minutes >= 0) longTime.insert(minutes + 2, s.TimeSeparator + QStringLiteral("ss"));
    }
    s.LongTimeFormat = WithSeparator(QtPatternToFormat(longTime), s.TimeSeparator, QLatin1Char(':'));
    if (!locale.amText().isEmpty()) s.TimeAMString = locale.amText();
    if (!locale.pmText().isEmpty()) s.TimePMString = locale.pmText();
    s.CurrencyString = locale.currencySymbol();
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = locale.monthName(i + 1, QLocale::ShortFormat);
        s.LongMonthNames[i] = locale.monthName(i + 1, QLocale::LongFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;
        s.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[i] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return s;
}

TFormatSettings FormatSettings = SystemFormatSettings();
