#pragma once
// Locale settings of the text conversions: separators, date and time formats and names. The
// global FormatSettings starts from the system locale; programs and tests may assign their own.
// Date and time formats use the conversion patterns of FormatDateTime (d, m, yy, h, n, s ...).
#include <QChar>
#include <QString>
#include <array>

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QString ShortDateFormat = QStringLiteral("m/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    QString ShortTimeFormat = QStringLiteral("h:nn ampm");
    QString LongTimeFormat = QStringLiteral("h:nn:ss ampm");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    QString CurrencyString = QStringLiteral("$");
    int CurrencyDecimals = 2;
    // Two-digit years read by StrToDate fall within this many years before the current one
    // and (100 - this) years after it.
    int TwoDigitYearCenturyWindow = 50;
    std::array<QString, 12> ShortMonthNames;  // January first
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;  // Sunday first
    std::array<QString, 7> LongDayNames;

    TFormatSettings();  // the fixed English settings above, with English names
};

// The settings of the system locale (QLocale::system()).
TFormatSettings SystemFormatSettings();
// Converts a Qt date/time pattern ("dd.MM.yyyy", "HH:mm:ss") into the conversion patterns.
QString QtPatternToFormat(const QString &qtPattern);

extern TFormatSettings FormatSettings;
