// StrToDate, StrToTime and StrToDateTime under the current FormatSettings.
#include "host/conversions.h"
#include "host/exceptions.h"

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

// The order of day, month and year in ShortDateFormat; literals do not count.
TDateOrder DateOrder(const QString &format) {
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i].toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int close = int(format.indexOf(format[i], i + 1));
            if (close < 0) break;
            i = close;
        } else if (c == QLatin1Char('d')) {
            return doDMY;
        } else if (c == QLatin1Char('m')) {
            return doMDY;
        } else if (c == QLatin1Char('y')) {
            return doYMD;
        }
    }
    return doMDY;
}

class TScanner {
public:
    explicit TScanner(const QString &text) : FText(text) {}

    void Blanks() {
        while (FPos < FText.size() && FText[FPos].isSpace()) ++FPos;
    }
    bool AtEnd() {
        Blanks();
        return FPos >= FText.size();
    }
    // Up to maxDigits decimal digits after optional blanks.
    bool Number(int &value, int &digits, int maxDigits = 4) {
        Blanks();
        value = 0;
        digits = 0;
        while (FPos < FText.size() && digits < maxDigits && FText[FPos].unicode() >= '0' &&
               FText[FPos].unicode() <= '9') {
            value = value * 10 + (FText[FPos++].unicode() - '0');
            ++digits;
        }
        return digits > 0;
    }
    void SkipDigits() {
        while (FPos < FText.size() && FText[FPos].unicode() >= '0' && FText[FPos].unicode() <= '9') ++FPos;
    }
    bool Number(int &value) {
        int digits;
        return Number(value, digits);
    }
    bool Char(QChar c) {
        Blanks();
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }
    bool Word(const QString &word) {
        Blanks();
        if (word.isEmpty() || !QStringView(FText).mid(FPos).startsWith(word, Qt::CaseInsensitive)) return false;
        FPos += int(word.size());
        return true;
    }
    int Pos() const { return FPos; }
    void SetPos(int pos) { FPos = pos; }

private:
    const QString &FText;
    int FPos = 0;
};

// One part of a date: a number or, where the short date format writes the month by name (the C
// locale's "24 Dec 2026"), a month by its long or short name, so what DateToStr writes reads back.
bool ScanDatePart(TScanner &s, int &value, int &digits, bool &named) {
    named = false;
    if (s.Number(value, digits)) return true;
    const TFormatSettings &fs = FormatSettings;
    if (!fs.ShortDateFormat.contains(QLatin1String("mmm"), Qt::CaseInsensitive)) return false;
    for (const auto *names : {&fs.LongMonthNames, &fs.ShortMonthNames})
        for (int i = 0; i < 12; ++i)
            if (s.Word((*names)[i])) {
                value = i + 1;
                digits = 0;
                named = true;
                return true;
            }
    return false;
}

bool ScanDate(TScanner &s, TDateTime &value) {
    const TFormatSettings &fs = FormatSettings;
    int n[3] = {0, 0, 0}, l[3] = {0, 0, 0};
    bool named[3] = {false, false, false};
    // Parts are apart by the date separator; blanks alone will do next to a month name.
    if (!ScanDatePart(s, n[0], l[0], named[0])) return false;
    bool separated = s.Char(fs.DateSeparator);
    if (!ScanDatePart(s, n[1], l[1], named[1]) || !(separated || named[0] || named[1])) return false;
    int parts = 2;
    const int afterSecond = s.Pos();
    separated = s.Char(fs.DateSeparator);
    if (ScanDatePart(s, n[2], l[2], named[2]) && (separated || named[1] || named[2]))
        parts = 3;
    else if (separated)
        return false;
    else
        s.SetPos(afterSecond);
    const int names = int(named[0]) + int(named[1]) + int(named[2]);
    if (names > 1) return false;
    const TDateOrder order = DateOrder(fs.ShortDateFormat);
    int year, month, day, yearDigits;
    if (names == 1) {
        // The named part is the month; the others keep the format's order of day and year.
        int rest[2], restDigits[2], k = 0;
        for (int i = 0; i < parts; ++i)
            if (!named[i]) {
                rest[k] = n[i];
                restDigits[k++] = l[i];
            }
        month = named[0] ? n[0] : named[1] ? n[1] : n[2];
        if (parts == 2) {
            day = rest[0];
            year = QDate::currentDate().year();
            yearDigits = 4;
        } else if (order == doYMD) {
            year = rest[0]; yearDigits = restDigits[0]; day = rest[1];
        } else {
            day = rest[0]; year = rest[1]; yearDigits = restDigits[1];
        }
    } else if (parts == 3) {
        switch (order) {
        case doMDY: month = n[0]; day = n[1]; year = n[2]; yearDigits = l[2]; break;
        case doDMY: day = n[0]; month = n[1]; year = n[2]; yearDigits = l[2]; break;
        default: year = n[0]; month = n[1]; day = n[2]; yearDigits = l[0]; break;
        }
    } else {
        year = QDate::currentDate().year();
        yearDigits = 4;
        if (order == doDMY) {
            day = n[0];
            month = n[1];
        } else {
            month = n[0];
            day = n[1];
        }
    }
    if (yearDigits <= 2 && year <= 99) {
        // Two-digit years fall into the window around the current year.
        const int centuryBase = QDate::currentDate().year() - fs.TwoDigitYearCenturyWindow;
        year += centuryBase / 100 * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && year < centuryBase) year += 100;
    }
    return TryEncodeDate(year, month, day, value);
}

bool ScanAmPm(TScanner &s, int &baseHour) {
    const TFormatSettings &fs = FormatSettings;
    if (s.Word(fs.TimeAMString) || s.Word(QStringLiteral("AM"))) baseHour = 0;
    else if (s.Word(fs.TimePMString) || s.Word(QStringLiteral("PM"))) baseHour = 12;
    else return false;
    return true;
}

bool ScanTime(TScanner &s, TDateTime &value) {
    const TFormatSettings &fs = FormatSettings;
    int baseHour = -1;
    ScanAmPm(s, baseHour);
    int hour, min = 0, sec = 0, msec = 0;
    if (!s.Number(hour)) return false;
    if (s.Char(fs.TimeSeparator)) {
        if (!s.Number(min)) return false;
        if (s.Char(fs.TimeSeparator)) {
            if (!s.Number(sec)) return false;
            if (s.Char(fs.DecimalSeparator)) {
                // A fraction of a second: ".5" is 500 ms.
                int digits;
                if (!s.Number(msec, digits, 3)) return false;
                for (; digits < 3; ++digits) msec *= 10;
                s.SkipDigits();  // precision beyond milliseconds is dropped
            }
        }
    }
    if (baseHour < 0) ScanAmPm(s, baseHour);
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12) return false;
        if (hour == 12) hour = 0;
        hour += baseHour;
    }
    return TryEncodeTime(hour, min, sec, msec, value);
}

[[noreturn]] void Raise(const char *pattern, const QString &text) {
    throw EConvertError(QString::fromLatin1(pattern).arg(text));
}

}  // namespace

bool TryStrToDate(const QString &text, TDateTime &value) {
    TScanner s(text);
    TDateTime date = 0;
    if (!ScanDate(s, date) || !s.AtEnd()) return false;
    value = date;
    return true;
}

bool TryStrToTime(const QString &text, TDateTime &value) {
    TScanner s(text);
    TDateTime time = 0;
    if (!ScanTime(s, time) || !s.AtEnd()) return false;
    value = time;
    return true;
}

bool TryStrToDateTime(const QString &text, TDateTime &value) {
    TScanner s(text);
    TDateTime date = 0, time = 0;
    if (!ScanDate(s, date) || !(s.AtEnd() || (ScanTime(s, time) && s.AtEnd())))
        return TryStrToTime(text, value);
    value = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime StrToDate(const QString &text) {
    TDateTime value = 0;
    if (!TryStrToDate(text, value)) Raise("'%1' is not a valid date", text);
    return value;
}

TDateTime StrToTime(const QString &text) {
    TDateTime value = 0;
    if (!TryStrToTime(text, value)) Raise("'%1' is not a valid time", text);
    return value;
}

TDateTime StrToDateTime(const QString &text) {
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value)) Raise("'%1' is not a valid date and time", text);
    return value;
}
