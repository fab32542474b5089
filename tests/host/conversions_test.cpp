#include "host/conversions.h"
#include "host/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Every test here runs under fixed English settings and restores the global afterwards.
class Conversions : public ::testing::Test {
protected:
    void SetUp() override {
        FSaved = FormatSettings;
        FormatSettings = TFormatSettings();
    }
    void TearDown() override { FormatSettings = FSaved; }

    template <typename F>
    static QString ConvertMessage(F call) {
        try {
            call();
        } catch (const EConvertError &e) {
            return e.Message();
        }
        return QStringLiteral("<no error>");
    }

private:
    TFormatSettings FSaved;
};

TDateTime Sample() { return EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45); }

}  // namespace

TEST_F(Conversions, Integers) {
    EXPECT_EQ(IntToStr(-5), "-5");
    EXPECT_EQ(IntToStr(Q_INT64_C(9000000000)), "9000000000");
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -17"), -17);
    EXPECT_EQ(StrToInt("+8"), 8);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<qint64>::max());
    for (const char *bad : {"", " ", "12 ", "12a", "1.5", "2147483648", "$", "$1FFFFFFFF", "--1", "0x"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(ConvertMessage([] { StrToInt("12a"); }), "'12a' is not a valid integer value");
    EXPECT_EQ(StrToIntDef("x", 7), 7);
    EXPECT_EQ(StrToIntDef("9", 7), 9);
}

TEST_F(Conversions, FloatToStrGeneralFormat) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(1234.5), "1234.5");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.000001), "1E-6");
    EXPECT_EQ(FloatToStr(-0.0000015), "-1.5E-6");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(FloatToStr(2.5), "2,5");
}

TEST_F(Conversions, StrToFloat) {
    EXPECT_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_EQ(StrToFloat("  2.5  "), 2.5);
    EXPECT_EQ(StrToFloat("-1e3"), -1000.0);
    EXPECT_EQ(StrToFloat("+1.5E-2"), 0.015);
    EXPECT_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5.0);
    EXPECT_EQ(StrToFloat("0.1"), 0.1);  // correctly rounded
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);   // below the double range: zero
    EXPECT_EQ(StrToFloat("0.0000000000000000000000000000000000000000000000000000000000000000000000000"
                         "0000000000000000000000000000000000000000000000000000000000000000000000000"
                         "00000000000000000000000000000000000000000000000000000000000000000000000000"
                         "00000000000000000000000000000000000000000000000000000000000000000000000000"
                         "000000000000000000000000000000000001"), 0.0);
    EXPECT_EQ(StrToFloat("inf"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(StrToFloat(FloatToStr(1.0 / 3)), 0.333333333333333);
    for (const char *bad : {"", ".", "abc", "1,5", "1e", "1e+", "1.5x", "1 5", "1e400", "--1", "1..2"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    EXPECT_EQ(ConvertMessage([] { StrToFloat("1,5"); }), "'1,5' is not a valid floating point value");
    EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
    double v = 0;
    EXPECT_FALSE(TryStrToFloat("x", v));
    EXPECT_TRUE(TryStrToFloat("3.25", v));
    EXPECT_EQ(v, 3.25);
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST_F(Conversions, FormatFloatDigitsAndGroups) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0.00", 0.5), "0.50");
    EXPECT_EQ(FormatFloat("#,##0.00", 999.995), "1,000.00");
    EXPECT_EQ(FormatFloat("#,##0", 1e20), "100,000,000,000,000,000,000");
    EXPECT_EQ(FormatFloat("00000", 42), "00042");
    EXPECT_EQ(FormatFloat("0", 12345), "12345");
    EXPECT_EQ(FormatFloat("#.##", 1), "1");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.##", 1.2), "1.2");
    EXPECT_EQ(FormatFloat("0.0#", 1.256), "1.26");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("00-00", 1234), "12-34");
    EXPECT_EQ(FormatFloat("", 2.5), "2.5");
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    FormatSettings.ThousandSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1.234.567,89");
}

TEST_F(Conversions, FormatFloatRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatFloat("0.00", 0.005), "0.01");
    EXPECT_EQ(FormatFloat("0.00", -0.005), "-0.01");
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.01");   // 1.00499999... in binary, meant as 1.005
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2.68");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("0", -2.5), "-3");
    EXPECT_EQ(FormatFloat("0", 0.49), "0");
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0.00");  // never "-0.00"
}

TEST_F(Conversions, FormatFloatSectionsAndLiterals) {
    const QString mask = "#,##0.00;(#,##0.00);\"Nil\"";
    EXPECT_EQ(FormatFloat(mask, 1234.5), "1,234.50");
    EXPECT_EQ(FormatFloat(mask, -1234.5), "(1,234.50)");
    EXPECT_EQ(FormatFloat(mask, 0), "Nil");
    EXPECT_EQ(FormatFloat(mask, 0.001), "Nil");  // rounds to zero
    EXPECT_EQ(FormatFloat("0.0;;'zero'", -3), "-3.0");  // empty negative section: the positive one
    EXPECT_EQ(FormatFloat("0.0;-0.0;", 0), "0.0");      // empty zero section
    EXPECT_EQ(FormatFloat("\"$\"#,##0.00", 5), "$5.00");
    EXPECT_EQ(FormatFloat("\"$\"#,##0.00", -5), "-$5.00");
    EXPECT_EQ(FormatFloat("'Total: '0 'pcs'", 7), "Total: 7 pcs");
    EXPECT_EQ(FormatFloat("\";\"0", 5), ";5");  // a quoted semicolon is no section break
    EXPECT_EQ(FormatFloat("0 \"#0.\"", 5), "5 #0.");
}

TEST_F(Conversions, FormatFloatScientific) {
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.00E+00", 0.000123), "1.23E-04");
    EXPECT_EQ(FormatFloat("0.0E-0", 12345), "1.2E4");
    EXPECT_EQ(FormatFloat("0.0e-0", 0.5), "5.0e-1");
    EXPECT_EQ(FormatFloat("0.000E+00", -1234.5), "-1.235E+03");
    EXPECT_EQ(FormatFloat("0.00E+00", 9.999), "1.00E+01");
    EXPECT_EQ(FormatFloat("00.0E+0", 12345), "12.3E+3");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0.00E+00");
}

TEST_F(Conversions, EncodeAndDecodeDates) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    int y, m, d, h, n, s, z;
    DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
    EXPECT_EQ((QList<int>{y, m, d}), (QList<int>{2024, 2, 29}));
    DecodeTime(Sample(), h, n, s, z);
    EXPECT_EQ((QList<int>{h, n, s, z}), (QList<int>{14, 7, 9, 45}));
    // Before the base date the fraction still counts forward from midnight.
    DecodeDate(-1.25, y, m, d);
    DecodeTime(-1.25, h, n, s, z);
    EXPECT_EQ((QList<int>{y, m, d, h}), (QList<int>{1899, 12, 29, 6}));
    // A fraction that rounds to a whole day moves to the next day.
    DecodeDate(0.99999999999, y, m, d);
    DecodeTime(0.99999999999, h, n, s, z);
    EXPECT_EQ((QList<int>{d, h, n}), (QList<int>{31, 0, 0}));
    DecodeDate(std::nan(""), y, m, d);
    EXPECT_EQ((QList<int>{y, m, d}), (QList<int>{0, 0, 0}));
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);  // Tuesday
    EXPECT_EQ(DayOfWeek(0), 7);                       // 1899-12-30 was a Saturday

    EXPECT_EQ(DateTimeFromQDate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(QDateTimeFromDateTime(36526.5), QDateTime(QDate(2000, 1, 1), QTime(12, 0)));
    EXPECT_EQ(DateTimeFromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(QTimeFromDateTime(Sample()), QTime(14, 7, 9, 45));
    EXPECT_FALSE(QDateFromDateTime(1e12).isValid());
    EXPECT_LE(std::fabs(Now() - (Date() + Time())), 1.0 / 86400);
}

TEST_F(Conversions, FormatDateTimePatterns) {
    const TDateTime t = Sample();
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", t), "2024-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("d/m/yy", t), "5/3/24");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", t), "Tue Tuesday Mar March");
    EXPECT_EQ(FormatDateTime("h:mm", t), "14:07");  // m after h is minutes
    EXPECT_EQ(FormatDateTime("hh dd mm", t), "14 05 03");  // but not after another token
    EXPECT_EQ(FormatDateTime("hh:mm:ss am/pm", t), "02:07:09 pm");
    EXPECT_EQ(FormatDateTime("h AM/PM", t), "2 PM");
    EXPECT_EQ(FormatDateTime("h a/p", t), "2 p");
    EXPECT_EQ(FormatDateTime("h ampm", t), "2 PM");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 5, 0, 0)), "12:05 am");
    EXPECT_EQ(FormatDateTime("s.z", t), "9.45");
    EXPECT_EQ(FormatDateTime("c", t), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "3/5/2024");
    EXPECT_EQ(FormatDateTime("ddddd", t), "3/5/2024");
    EXPECT_EQ(FormatDateTime("dddddd", t), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("t", t), "2:07 PM");
    EXPECT_EQ(FormatDateTime("tt", t), "2:07:09 PM");
    EXPECT_EQ(FormatDateTime("\"Date:\" yyyy 'at' h", t), "Date: 2024 at 14");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", 0), "1899-12-30");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    FormatSettings.DateSeparator = QLatin1Char('.');
    FormatSettings.TimeSeparator = QLatin1Char('h');
    EXPECT_EQ(FormatDateTime("d/m/yyyy hh:nn", t), "5.3.2024 14h07");
    // Formats that name each other end instead of looping.
    FormatSettings.ShortDateFormat = "ddddd c";
    EXPECT_FALSE(DateToStr(t).isNull());
    FormatSettings = TFormatSettings();
    EXPECT_EQ(DateToStr(t), "3/5/2024");
    EXPECT_EQ(TimeToStr(t), "2:07:09 PM");
    EXPECT_EQ(DateTimeToStr(t), "3/5/2024 2:07:09 PM");
}

TEST_F(Conversions, StrToDateFollowsShortDateFormat) {
    EXPECT_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 03 / 05 / 2024 "), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("3/5"), EncodeDate(QDate::currentDate().year(), 3, 5));
    const int year = QDate::currentDate().year();
    EXPECT_EQ(StrToDate(QStringLiteral("1/1/%1").arg((year + 10) % 100, 2, 10, QLatin1Char('0'))),
              EncodeDate(year + 10, 1, 1));
    EXPECT_EQ(StrToDate(QStringLiteral("1/1/%1").arg((year - 40) % 100, 2, 10, QLatin1Char('0'))),
              EncodeDate(year - 40, 1, 1));
    EXPECT_EQ(StrToDate("1/1/0024"), EncodeDate(24, 1, 1));  // four digits: taken as written
    for (const char *bad : {"", "13/5/2024", "2/30/2024", "3-5-2024", "3/5/2024x", "3/", "March 5"})
        EXPECT_THROW(StrToDate(bad), EConvertError) << bad;
    EXPECT_EQ(ConvertMessage([] { StrToDate("3-5-2024"); }), "'3-5-2024' is not a valid date");

    FormatSettings.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings.DateSeparator = QLatin1Char('.');
    EXPECT_EQ(StrToDate("5.3.2024"), EncodeDate(2024, 3, 5));
    FormatSettings.ShortDateFormat = "yyyy/mm/dd";
    FormatSettings.DateSeparator = QLatin1Char('-');
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(FormatDateTime("ddddd", Sample())), EncodeDate(2024, 3, 5));
}

TEST_F(Conversions, DatesReadBackWhereTheShortFormatNamesTheMonth) {
    // The C locale's short date: "5 Mar 2024", no separator character.
    FormatSettings.ShortDateFormat = "d mmm yyyy";
    FormatSettings.DateSeparator = QLatin1Char('/');
    EXPECT_EQ(DateToStr(Sample()), "5 Mar 2024");
    EXPECT_EQ(StrToDate(DateToStr(Sample())), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("5 march 2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("5/Mar/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("5/3/2024"), EncodeDate(2024, 3, 5));  // numbers still do
    EXPECT_EQ(StrToDate("5 Mar"), EncodeDate(QDate::currentDate().year(), 3, 5));
    EXPECT_EQ(StrToDateTime(DateTimeToStr(Sample())), StrToDateTime("5/3/2024 2:07:09 PM"));
    for (const char *bad : {"5 3 2024", "5 Mar Apr", "Mar", "5 Mar 2024 x", "31 Feb 2024"})
        EXPECT_THROW(StrToDate(bad), EConvertError) << bad;
    FormatSettings.ShortDateFormat = "yyyy mmm d";
    EXPECT_EQ(StrToDate("2024 Mar 5"), EncodeDate(2024, 3, 5));
}

TEST_F(Conversions, StrToTimeAndDateTime) {
    EXPECT_EQ(StrToTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToTime("12:00 am"), 0.0);
    EXPECT_EQ(StrToTime("12:30 pm"), EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(StrToTime("PM 2:00"), EncodeTime(14, 0, 0, 0));
    EXPECT_EQ(StrToTime("14:07:09.5"), EncodeTime(14, 7, 9, 500));
    EXPECT_EQ(StrToTime("14:07:09.0451"), EncodeTime(14, 7, 9, 45));
    EXPECT_EQ(StrToTime(TimeToStr(Sample())), EncodeTime(14, 7, 9, 0));
    for (const char *bad : {"", "25:00", "13 PM", "0:00 AM", "14:", "14:07x", "14:60"})
        EXPECT_THROW(StrToTime(bad), EConvertError) << bad;
    EXPECT_EQ(ConvertMessage([] { StrToTime("25:00"); }), "'25:00' is not a valid time");

    EXPECT_EQ(StrToDateTime("3/5/2024 14:07:09"), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(StrToDateTime("3/5/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("12/29/1899 6:00"), -1.25);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(Sample())), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(ConvertMessage([] { StrToDateTime("garbage"); }), "'garbage' is not a valid date and time");
    EXPECT_THROW(StrToDateTime("3/5/2024 25:00"), EConvertError);
}

TEST_F(Conversions, SettingsFromQtPatterns) {
    EXPECT_EQ(QtPatternToFormat("dd.MM.yyyy"), "dd.mm.yyyy");
    EXPECT_EQ(QtPatternToFormat("M/d/yy"), "m/d/yy");
    EXPECT_EQ(QtPatternToFormat("h:mm AP"), "h:nn ampm");
    EXPECT_EQ(QtPatternToFormat("HH:mm:ss t"), "hh:nn:ss");
    EXPECT_EQ(QtPatternToFormat("d 'de' MMMM 'de' yyyy"), "d \"de\" mmmm \"de\" yyyy");
    const TFormatSettings system = SystemFormatSettings();
    EXPECT_FALSE(system.LongMonthNames[0].isEmpty());
    EXPECT_FALSE(system.ShortDateFormat.isEmpty());
}

TEST_F(Conversions, OddMasksAndTextNeverBreak) {
    // Random masks and texts from the characters that mean something: results stay bounded.
    const QString maskChars = QStringLiteral("0#.,Ee+-;'\"x ");
    const QString dateChars = QStringLiteral("dmyhnszacpt/:'\" AMP");
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const double values[] = {0, -0.0, 1, -1, 0.5, 123456.789, -9.995e-7, 1e300, -1e-300};
    for (int i = 0; i < 3000; ++i) {
        QString mask, date, text;
        for (int k = int(next() % 12); k > 0; --k) mask += maskChars[int(next() % maskChars.size())];
        for (int k = int(next() % 12); k > 0; --k) date += dateChars[int(next() % dateChars.size())];
        for (int k = int(next() % 10); k > 0; --k) text += QChar(u"0123456789/: .-+eE$xAPM"[next() % 23]);
        const QString number = FormatFloat(mask, values[i % 9]);
        ASSERT_LE(number.size(), 2 * mask.size() + 420) << mask.toStdString();
        ASSERT_LE(FormatDateTime(date, Sample()).size(), 40 * date.size() + 10) << date.toStdString();
        int n;
        double f;
        TDateTime d;
        TryStrToInt(text, n);
        TryStrToFloat(text, f);
        TryStrToDateTime(text, d);
    }
}
