// Built-in functions, aggregates and the function library.
#include "memory_resolver.h"
#include "reportlib/expr_error.h"
#include "reportlib/expr_evaluator.h"
#include "reportlib/expr_registry.h"

#include "host/conversions.h"
#include "host/format_settings.h"

#include <gtest/gtest.h>

namespace {

TRepEvResult Eval(const QString &expression, const TExprFieldResolver *data = nullptr) {
    TRepEvaluator evaluator;
    evaluator.SetDataSets(data);
    return evaluator.Calculate(expression);
}

QString Str(const QString &expression) {
    TRepEvResult r = Eval(expression);
    return r.Kind == resString ? r.strResult : QStringLiteral("<kind %1>").arg(int(r.Kind));
}

class ExprFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        FSaved = FormatSettings;
        FormatSettings = TFormatSettings();
    }
    void TearDown() override { FormatSettings = FSaved; }
    TFormatSettings FSaved;
};

}  // namespace

TEST_F(ExprFunctions, If) {
    EXPECT_EQ(Str("IF(1 < 2, 'yes', 'no')"), "yes");
    EXPECT_EQ(Str("if(1 > 2, 'yes', 'no')"), "no");
    EXPECT_EQ(Eval("IF(TRUE, 1, 'text')").intResult, 1);
    // The branch not taken may be an error: it does not spoil the result.
    EXPECT_EQ(Eval("IF(FALSE, 1 / 0, 5)").intResult, 5);
    EXPECT_EQ(Eval("IF(TRUE, 1 / 0, 5)").Kind, resError);
    EXPECT_EQ(Eval("IF(1, 2, 3)").Kind, resError);
    EXPECT_EQ(Eval("IF(TRUE, 2)").Kind, resError);
}

TEST_F(ExprFunctions, Str) {
    EXPECT_EQ(Str("STR(42)"), "42");
    EXPECT_EQ(Str("STR(-2.5)"), "-2.5");
    EXPECT_EQ(Str("STR(1 / 3)"), "0.333333333333333");
    EXPECT_EQ(Str("STR(1e20)"), "1E20");
    EXPECT_EQ(Str("STR(TRUE)"), "True");
    EXPECT_EQ(Str("STR('x')"), "x");
    EXPECT_EQ(Eval("STR(1 / 0)").Kind, resError);
    EXPECT_EQ(Eval("STR()").Kind, resError);
    EXPECT_EQ(Eval("STR(1, 2)").Kind, resError);
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(Str("STR(2.5)"), "2,5");  // the locale's decimal separator
}

TEST_F(ExprFunctions, CaseFunctions) {
    EXPECT_EQ(Str("UPPER('abc Äö')"), "ABC ÄÖ");
    EXPECT_EQ(Str("LOWER('ABC Äö')"), "abc äö");
    EXPECT_EQ(Str("PRETTY('jOHN  o''neil-SMITH')"), "John  O'neil-smith");
    EXPECT_EQ(Str("PRETTY('')"), "");
    EXPECT_EQ(Eval("UPPER(1)").Kind, resError);
    EXPECT_EQ(Eval("LOWER()").Kind, resError);
    EXPECT_EQ(Eval("PRETTY('a', 'b')").Kind, resError);
}

TEST_F(ExprFunctions, Copy) {
    EXPECT_EQ(Str("COPY('Hello world', 7, 5)"), "world");
    EXPECT_EQ(Str("COPY('Hello', 1, 1)"), "H");
    EXPECT_EQ(Str("COPY('Hello', 4, 100)"), "lo");
    EXPECT_EQ(Str("COPY('Hello', 0, 2)"), "He");
    EXPECT_EQ(Str("COPY('Hello', -5, 2)"), "He");
    EXPECT_EQ(Str("COPY('Hello', 6, 1)"), "");
    EXPECT_EQ(Str("COPY('Hello', 2, 0)"), "");
    EXPECT_EQ(Str("COPY('Hello', 2, -1)"), "");
    EXPECT_EQ(Str("COPY('Hello', 2, 9223372036854775807)"), "ello");
    EXPECT_EQ(Eval("COPY('Hello', 'a', 1)").Kind, resError);
    EXPECT_EQ(Eval("COPY('Hello', 1)").Kind, resError);
    EXPECT_EQ(Eval("COPY(12345, 1, 2)").Kind, resError);
}

TEST_F(ExprFunctions, DateAndTime) {
    // Compared with the host's own conversions; a second boundary may pass between the calls.
    QString date = Str("DATE");
    EXPECT_EQ(date, DateToStr(Date()));
    EXPECT_EQ(Str("DATE()"), date);
    QString before = TimeToStr(Time());
    QString time = Str("TIME()");
    QString after = TimeToStr(Time());
    EXPECT_TRUE(time == before || time == after) << time.toStdString();
    FormatSettings.ShortDateFormat = QStringLiteral("yyyy-mm-dd");
    EXPECT_EQ(Str("DATE"), FormatDateTime("yyyy-mm-dd", Date()));
    EXPECT_EQ(Eval("DATE(1)").Kind, resError);
    EXPECT_EQ(Eval("TIME('x')").Kind, resError);
}

TEST_F(ExprFunctions, Numbers) {
    EXPECT_EQ(Eval("INT(7.9)").Kind, resInt);
    EXPECT_EQ(Eval("INT(7.9)").intResult, 7);
    EXPECT_EQ(Eval("INT(-7.9)").intResult, -7);
    EXPECT_EQ(Eval("INT(12)").intResult, 12);
    EXPECT_EQ(Eval("INT(1e30)").Kind, resError);
    EXPECT_DOUBLE_EQ(Eval("FRAC(7.25)").dblResult, 0.25);
    EXPECT_DOUBLE_EQ(Eval("FRAC(-7.25)").dblResult, -0.25);
    EXPECT_EQ(Eval("FRAC(3)").Kind, resDouble);
    EXPECT_DOUBLE_EQ(Eval("SQRT(16)").dblResult, 4.0);
    EXPECT_EQ(Eval("SQRT(-1)").Kind, resError);
    EXPECT_EQ(Eval("DIV(17, 5)").intResult, 3);
    EXPECT_EQ(Eval("DIV(-17, 5)").intResult, -3);
    EXPECT_EQ(Eval("DIV(17, 0)").Kind, resError);
    EXPECT_EQ(Eval("DIV(-9223372036854775807 - 1, -1)").Kind, resDouble);
    for (const char *bad : {"INT('1')", "FRAC(TRUE)", "SQRT()", "DIV(1)", "DIV('4', 2)"})
        EXPECT_EQ(Eval(bad).Kind, resError) << bad;
}

TEST_F(ExprFunctions, FormatNumeric) {
    EXPECT_EQ(Str("FORMATNUMERIC('#,##0.00', 1234.5)"), "1,234.50");
    EXPECT_EQ(Str("FORMATNUMERIC('000', 7)"), "007");
    EXPECT_EQ(Str("FORMATNUMERIC('0.0;(0.0)', -2.25)"), "(2.3)");
    EXPECT_EQ(Eval("FORMATNUMERIC(1234.5, '0.00')").Kind, resError);
    EXPECT_EQ(Eval("FORMATNUMERIC('0.00')").Kind, resError);
}

TEST_F(ExprFunctions, TypeOf) {
    EXPECT_EQ(Str("TYPEOF(1)"), "INTEGER");
    EXPECT_EQ(Str("TYPEOF(1.5)"), "FLOAT");
    EXPECT_EQ(Str("TYPEOF('a')"), "STRING");
    EXPECT_EQ(Str("TYPEOF(1 = 1)"), "BOOLEAN");
    EXPECT_EQ(Str("TYPEOF(1 / 0)"), "ERROR");
    EXPECT_EQ(Eval("TYPEOF()").Kind, resError);
}

TEST_F(ExprFunctions, IsNull) {
    TMemoryResolver data;
    data.Set("T", "Empty", TRepEvResult::String(""), true);
    data.Set("T", "Full", TRepEvResult::String("x"));
    EXPECT_TRUE(Eval("ISNULL(Empty)", &data).booResult);
    EXPECT_FALSE(Eval("ISNULL(T.Full)", &data).booResult);
    EXPECT_EQ(Eval("ISNULL(Empty)", &data).Kind, resBool);
    EXPECT_EQ(Eval("ISNULL('x')", &data).Kind, resError);
    EXPECT_EQ(Eval("ISNULL(Full, Empty)", &data).Kind, resError);
    TRepEvaluator evaluator;
    evaluator.SetDataSets(&data);
    evaluator.Prepare("ISNULL(Full)");
    data.Remove("T", "Full");
    EXPECT_TRUE(evaluator.Value().booResult);  // a field that went away has no value
}

TEST(ExprAggregates, SumCountAverageFollowAggregateAndReset) {
    TMemoryResolver data;
    TRepEvaluator sum, count, average;
    for (TRepEvaluator *e : {&sum, &count, &average})
        e->SetDataSets(&data);
    data.Set("T", "Qty", TRepEvResult::Int(0));
    sum.Prepare("SUM(Qty)");
    count.Prepare("COUNT");
    average.Prepare("AVERAGE(Qty)");
    EXPECT_TRUE(sum.IsAggreg());
    EXPECT_EQ(sum.Value().intResult, 0);  // nothing collected yet
    EXPECT_EQ(count.Value().intResult, 0);
    EXPECT_DOUBLE_EQ(average.Value().dblResult, 0.0);

    for (int qty : {3, 4, 8}) {
        data.Set("T", "Qty", TRepEvResult::Int(qty));
        for (TRepEvaluator *e : {&sum, &count, &average})
            e->Aggregate();
    }
    EXPECT_EQ(sum.Value().Kind, resInt);
    EXPECT_EQ(sum.Value().intResult, 15);
    EXPECT_EQ(sum.Value().intResult, 15);  // Value does not collect
    EXPECT_EQ(count.Value().intResult, 3);
    EXPECT_DOUBLE_EQ(average.Value().dblResult, 5.0);

    for (TRepEvaluator *e : {&sum, &count, &average})
        e->Reset();
    EXPECT_EQ(sum.Value().intResult, 0);
    EXPECT_EQ(count.Value().intResult, 0);
    data.Set("T", "Qty", TRepEvResult::Double(2.5));
    sum.Aggregate();
    EXPECT_EQ(sum.Value().Kind, resDouble);
    EXPECT_DOUBLE_EQ(sum.Value().dblResult, 2.5);
}

TEST(ExprAggregates, MaxAndMinOverNumbersAndStrings) {
    TMemoryResolver data;
    TRepEvaluator max, min, longest;
    for (TRepEvaluator *e : {&max, &min, &longest})
        e->SetDataSets(&data);
    data.Set("T", "V", TRepEvResult::Int(0));
    data.Set("T", "S", TRepEvResult::String(""));
    max.Prepare("MAX(V)");
    min.Prepare("MIN(V)");
    longest.Prepare("MAX(S)");
    const double values[] = {3, -1.5, 7, 2};
    const char *names[] = {"pear", "apple", "zucchini", "fig"};
    for (int i = 0; i < 4; ++i) {
        data.Set("T", "V", values[i] == int(values[i]) ? TRepEvResult::Int(int(values[i]))
                                                        : TRepEvResult::Double(values[i]));
        data.Set("T", "S", TRepEvResult::String(names[i]));
        for (TRepEvaluator *e : {&max, &min, &longest})
            e->Aggregate();
    }
    EXPECT_EQ(max.Value().intResult, 7);
    EXPECT_DOUBLE_EQ(min.Value().dblResult, -1.5);
    EXPECT_EQ(longest.Value().strResult, "zucchini");
    max.Reset();
    EXPECT_EQ(max.Value().intResult, 0);
}

TEST(ExprAggregates, AggregatesInsideLargerExpressions) {
    TMemoryResolver data;
    TRepEvaluator evaluator;
    evaluator.SetDataSets(&data);
    data.Set("T", "Price", TRepEvResult::Int(0));
    evaluator.Prepare("'Total: ' + STR(SUM(Price) * 2) + ' of ' + STR(COUNT())");
    for (int price : {10, 20}) {
        data.Set("T", "Price", TRepEvResult::Int(price));
        evaluator.Aggregate();
    }
    EXPECT_EQ(evaluator.Value().strResult, "Total: 60 of 2");
    evaluator.Reset();
    EXPECT_EQ(evaluator.Value().strResult, "Total: 0 of 0");
    TRepEvaluator plain;
    plain.Prepare("UPPER('x')");
    EXPECT_FALSE(plain.IsAggreg());
}

TEST(ExprAggregates, BadSamplesHoldTheErrorUntilReset) {
    TMemoryResolver data;
    TRepEvaluator sum, mixed;
    sum.SetDataSets(&data);
    mixed.SetDataSets(&data);
    data.Set("T", "Qty", TRepEvResult::Int(1));
    data.Set("T", "Any", TRepEvResult::Int(1));
    sum.Prepare("SUM(Qty)");
    mixed.Prepare("MAX(Any)");
    sum.Aggregate();
    mixed.Aggregate();
    data.Remove("T", "Qty");
    data.Set("T", "Any", TRepEvResult::String("a"));
    sum.Aggregate();  // the field has gone: no crash, the sum is an error from now on
    mixed.Aggregate();
    data.Set("T", "Qty", TRepEvResult::Int(5));
    sum.Aggregate();
    EXPECT_EQ(sum.Value().Kind, resError);
    EXPECT_EQ(mixed.Value().Kind, resError);
    sum.Reset();
    sum.Aggregate();
    EXPECT_EQ(sum.Value().intResult, 5);
    EXPECT_EQ(Eval("SUM('a')").Kind, resInt);  // nothing collected: 0
    TRepEvaluator text;
    text.Prepare("SUM('a')");
    text.Aggregate();
    EXPECT_EQ(text.Value().Kind, resError);
    EXPECT_EQ(Eval("SUM(1, 2)").Kind, resError);
    EXPECT_EQ(Eval("AVERAGE()").Kind, resError);
}

namespace {

// A function of the kind an extension registers: it only overrides Calculate.
class TTestTwiceFunction : public TRepEvElementFunction {
protected:
    void Calculate() override {
        if (ArgumentsFit("S"))
            Result = TRepEvResult::String(Argument(0).strResult + Argument(0).strResult);
    }
};

class TTestThrowingFunction : public TRepEvElementFunction {
protected:
    void Calculate() override { throw std::runtime_error("boom"); }
};

}  // namespace

TEST(ExprRegistry, BuiltinsAreListedWithTheirGroups) {
    std::optional<TRepFunctionInfo> sum = FindRepFunction("sum");
    ASSERT_TRUE(sum);
    EXPECT_EQ(sum->Name, "SUM");
    EXPECT_EQ(sum->Group(), fgStatistics);
    EXPECT_EQ(sum->Syntax(), "SUM(<X>)");
    EXPECT_FALSE(sum->Explanation().isEmpty());
    EXPECT_EQ(sum->ArgumentKinds(), "N");
    const char *builtins[] = {"IF", "STR", "UPPER", "LOWER", "PRETTY", "COPY", "DATE", "TIME",
                              "INT", "FRAC", "SQRT", "DIV", "FORMATNUMERIC", "TYPEOF", "ISNULL",
                              "SUM", "COUNT", "MAX", "MIN", "AVERAGE"};
    for (const char *name : builtins) {
        std::optional<TRepFunctionInfo> info = FindRepFunction(name);
        ASSERT_TRUE(info) << name;
        EXPECT_GE(info->Group(), 1) << name;
        EXPECT_EQ(info->Vendor, "Vendamo") << name;
        EXPECT_TRUE(info->Description.contains('|')) << name;
    }
    int statistics = 0;
    for (const TRepFunctionInfo &info : RepFunctionsOfGroup(fgStatistics))
        statistics += info.Group() == fgStatistics;
    EXPECT_EQ(statistics, 5);
    EXPECT_EQ(RepFunctionGroupName(fgOther), "Other");
}

TEST(ExprRegistry, RegisterUseAndReplace) {
    RegisterRepFunction(RepFunctionClass<TTestTwiceFunction>(), "TESTTWICE",
                        "TESTTWICE(<S>)|Doubles a text", "ZOBL", "7S");
    std::optional<TRepFunctionInfo> info = FindRepFunction("TestTwice");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Description, "TESTTWICE(<S>)|Doubles a text");
    EXPECT_EQ(info->Vendor, "ZOBL");
    EXPECT_EQ(info->Arguments, "7S");
    EXPECT_EQ(info->Group(), 7);
    EXPECT_EQ(Str("testtwice('ab')"), "abab");
    EXPECT_EQ(Eval("TESTTWICE(1)").Kind, resError);
    int before = int(RepFunctionList().size());

    // Registering the same name again replaces the entry in its place.
    RegisterRepFunction(RepFunctionClass<TTestThrowingFunction>(), "testtwice",
                        "TESTTWICE(<S>)|Fails", "Other", "6S");
    EXPECT_EQ(int(RepFunctionList().size()), before);
    EXPECT_EQ(FindRepFunction("TESTTWICE")->Vendor, "Other");
    EXPECT_EQ(FindRepFunction("TESTTWICE")->Group(), 6);
    // A function that raises yields the error kind; nothing reaches the report.
    EXPECT_EQ(Eval("TESTTWICE('ab')").Kind, resError);

    EXPECT_TRUE(UnregisterRepFunction("TESTTWICE"));
    EXPECT_FALSE(FindRepFunction("TESTTWICE"));
    EXPECT_THROW(Eval("TESTTWICE('ab')"), EExprError);
}

TEST(ExprRegistry, InvalidRegistrationsAreRefused) {
    auto factory = RepFunctionClass<TTestTwiceFunction>();
    EXPECT_THROW(RegisterRepFunction(factory, "", "X|Y", "V", "7S"), EExprError);
    EXPECT_THROW(RegisterRepFunction(factory, "TWO WORDS", "X|Y", "V", "7S"), EExprError);
    EXPECT_THROW(RegisterRepFunction(factory, "NOGROUP", "X|Y", "V", "S"), EExprError);
    EXPECT_THROW(RegisterRepFunction(factory, "NOGROUP", "X|Y", "V", ""), EExprError);
    EXPECT_THROW(RegisterRepFunction(TRepEvFunctionClass(), "NOCLASS", "X|Y", "V", "7"),
                 EExprError);
    EXPECT_FALSE(FindRepFunction("NOGROUP"));
}
