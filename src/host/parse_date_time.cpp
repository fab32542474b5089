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

bool ScanDate(TScanner &s, TDateTime &value) {
    const TFormatSettings &fs = FormatSettings;
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    if (!s.Number(n1, l1) || !s.Char(fs.DateSeparator) || !s.Number(n2, l2)) return false;
    const TDateOrder order = DateOrder(fs.ShortDateFormat);
    int year, month, day, yearDigits;
    if (s.Char(fs.DateSeparator)) {
        if (!s.Number(n3, l3)) return false;
        switch (order) {
        case doMDY: month = n1; day = n2; year = n3; yearDigits = l3; break;
        case doDMY: day = n1; month = n2; year = n3; yearDigits = l3; break;
        default: year = n1; month = n2; day = n3; yearDigits = l1; break;
        }
    } else {
        year = QDate::currentDate().year();
        yearDigits = 4;
        if (order == doDMY) {
            day = n1;
            month = n2;
        } else {
            month = n1;
            day = n2;
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
