// The expression language: values, operators, precedence, fields and errors.
#include "memory_resolver.h"
#include "reportlib/expr_error.h"
#include "reportlib/expr_evaluator.h"

#include "host/format_settings.h"

#include <gtest/gtest.h>

namespace {

TRepEvResult Eval(const QString &expression, const TExprFieldResolver *data = nullptr) {
    TRepEvaluator evaluator;
    evaluator.SetDataSets(data);
    return evaluator.Calculate(expression);
}

// The message of the EExprError that preparing the expression raises, or "no error".
QString PrepareError(const QString &expression, const TExprFieldResolver *data = nullptr) {
    TRepEvaluator evaluator;
    evaluator.SetDataSets(data);
    try {
        evaluator.Prepare(expression);
    } catch (const EExprError &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

void ExpectInt(const QString &expression, qint64 expected) {
    TRepEvResult r = Eval(expression);
    EXPECT_EQ(r.Kind, resInt) << expression.toStdString();
    EXPECT_EQ(r.intResult, expected) << expression.toStdString();
}

void ExpectDouble(const QString &expression, double expected) {
    TRepEvResult r = Eval(expression);
    EXPECT_EQ(r.Kind, resDouble) << expression.toStdString();
    EXPECT_DOUBLE_EQ(r.dblResult, expected) << expression.toStdString();
}

void ExpectBool(const QString &expression, bool expected) {
    TRepEvResult r = Eval(expression);
    EXPECT_EQ(r.Kind, resBool) << expression.toStdString();
    EXPECT_EQ(r.booResult, expected) << expression.toStdString();
}

void ExpectString(const QString &expression, const QString &expected) {
    TRepEvResult r = Eval(expression);
    EXPECT_EQ(r.Kind, resString) << expression.toStdString();
    EXPECT_EQ(r.strResult, expected) << expression.toStdString();
}

void ExpectError(const QString &expression, const TExprFieldResolver *data = nullptr) {
    EXPECT_EQ(Eval(expression, data).Kind, resError) << expression.toStdString();
}

}  // namespace

TEST(ExprValues, KindOrdinalsAreFixed) {
    EXPECT_EQ(int(resInt), 0);
    EXPECT_EQ(int(resDouble), 1);
    EXPECT_EQ(int(resString), 2);
    EXPECT_EQ(int(resBool), 3);
    EXPECT_EQ(int(resError), 4);
}

TEST(ExprValues, Literals) {
    ExpectInt("42", 42);
    ExpectDouble("1.5", 1.5);
    ExpectDouble(".5", 0.5);
    ExpectDouble("1.5e3", 1500.0);
    ExpectDouble("99999999999999999999", 1e20);  // too big for an integer
    ExpectString("'It''s'", "It's");
    ExpectString("\"say \"\"hi\"\"\"", "say \"hi\"");
    ExpectString("''", "");
    ExpectBool("TRUE", true);
    ExpectBool("false", false);
    ExpectString("   ", "");  // an empty expression is the empty text
}

TEST(ExprValues, StringsAreCutTo255Characters) {
    QString expression = "'" + QString(200, 'a') + "' + '" + QString(200, 'b') + "'";
    TRepEvResult r = Eval(expression);
    ASSERT_EQ(r.Kind, resString);
    EXPECT_EQ(r.strResult, QString(200, 'a') + QString(55, 'b'));
}

TEST(ExprOperators, Precedence) {
    ExpectInt("1 + 2 * 3", 7);
    ExpectInt("(1 + 2) * 3", 9);
    ExpectInt("10 - 4 - 3", 3);
    ExpectInt("100 DIV 10 DIV 5", 2);
    ExpectInt("-2 * -3", 6);
    ExpectInt("-(2 + 3)", -5);
    ExpectInt("+4", 4);
    ExpectBool("2 * 3 = 6", true);
    ExpectBool("1 + 1 = 2 AND 2 > 1", true);
    ExpectBool("TRUE OR FALSE AND FALSE", true);
    ExpectBool("NOT FALSE AND FALSE", false);  // (NOT FALSE) AND FALSE
    ExpectError("NOT 1 = 1");                  // NOT binds tighter than '='
    ExpectBool("NOT (1 = 2)", true);
}

TEST(ExprOperators, IntegerArithmeticStaysInteger) {
    ExpectInt("7 * 6", 42);
    ExpectInt("7 DIV 2", 3);
    ExpectInt("-7 DIV 2", -3);
    ExpectInt("7 MOD 3", 1);
    ExpectInt("7.9 DIV 2", 3);  // numbers are cut to whole numbers first
    ExpectDouble("7 / 2", 3.5);
    ExpectDouble("6 / 2", 3.0);  // '/' always gives a floating-point number
    ExpectDouble("1 + 2.5", 3.5);
    ExpectDouble("2.5 * 2", 5.0);
    // An integer result that would overflow becomes floating point instead of wrapping.
    ExpectDouble("9223372036854775807 + 1", 9223372036854775808.0);
    ExpectDouble("-(-9223372036854775807 - 1)", 9223372036854775808.0);
}

TEST(ExprOperators, DivisionByZeroIsAnErrorValue) {
    ExpectError("1 / 0");
    ExpectError("1.5 / 0.0");
    ExpectError("5 DIV 0");
    ExpectError("5 MOD 0");
    ExpectError("1e308 * 10");  // overflow to infinity
}

TEST(ExprOperators, StringsConcatenateAndCompare) {
    ExpectString("'ab' + 'cd'", "abcd");
    ExpectBool("'abc' < 'abd'", true);
    ExpectBool("'B' < 'a'", true);  // compared by character code, case-sensitive
    ExpectBool("'a' = 'A'", false);
    ExpectBool("'x' <> 'y'", true);
    ExpectBool("'b' >= 'b'", true);
    ExpectBool("1 = 1.0", true);
    ExpectBool("2 <= 1.5", false);
    ExpectBool("TRUE > FALSE", true);
}

TEST(ExprOperators, MismatchedKindsGiveErrorValues) {
    ExpectError("'a' + 1");
    ExpectError("'1' = 1");
    ExpectError("TRUE + 1");
    ExpectError("1 AND TRUE");
    ExpectError("-'a'");
    ExpectError("NOT 'a'");
    ExpectError("'a' * 2");
    // An error inside stays an error however it is combined.
    ExpectError("(1 / 0) = 0");
}

TEST(ExprOperators, KeywordsIgnoreCase) {
    ExpectBool("true And Not false", true);
    ExpectInt("7 div 2 + 7 Mod 2", 4);
}

TEST(ExprFields, FieldsByNameAndByDataSet) {
    TMemoryResolver data;
    data.Set("Cust", "Name", TRepEvResult::String("Smith"));
    data.Set("Cust", "Amount", TRepEvResult::Double(12.5));
    data.Set("Orders", "Qty", TRepEvResult::Int(3));
    data.Set("Orders", "Name", TRepEvResult::String("Order name"));
    data.Set("Cust", "Last Name", TRepEvResult::String("Jones"));

    EXPECT_EQ(Eval("Name", &data).strResult, "Smith");  // the first dataset that has it
    EXPECT_EQ(Eval("Orders.Name", &data).strResult, "Order name");
    EXPECT_EQ(Eval("cust.NAME", &data).strResult, "Smith");
    EXPECT_DOUBLE_EQ(Eval("Amount * Qty", &data).dblResult, 37.5);
    EXPECT_EQ(Eval("[Last Name] + ', ' + Cust.[Name]", &data).strResult, "Jones, Smith");
}

TEST(ExprFields, ValueFollowsTheCurrentRecord) {
    TMemoryResolver data;
    data.Set("T", "Qty", TRepEvResult::Int(2));
    TRepEvaluator evaluator;
    evaluator.SetDataSets(&data);
    evaluator.Prepare("Qty * 10");
    EXPECT_EQ(evaluator.Value().intResult, 20);
    data.Set("T", "Qty", TRepEvResult::Int(5));
    EXPECT_EQ(evaluator.Value().intResult, 50);
}

TEST(ExprFields, FieldMissingAtEvaluationIsAnErrorValue) {
    TMemoryResolver data;
    data.Set("T", "Qty", TRepEvResult::Int(2));
    TRepEvaluator evaluator;
    evaluator.SetDataSets(&data);
    evaluator.Prepare("Qty * 10");
    data.Remove("T", "Qty");
    EXPECT_EQ(evaluator.Value().Kind, resError);
    evaluator.SetDataSets(nullptr);
    EXPECT_EQ(evaluator.Value().Kind, resError);
}

TEST(ExprFields, FieldShadowsAFunctionOfTheSameName) {
    TMemoryResolver data;
    data.Set("T", "Date", TRepEvResult::String("field value"));
    EXPECT_EQ(Eval("Date", &data).strResult, "field value");
    EXPECT_EQ(Eval("DATE()", &data).Kind, resString);
    EXPECT_NE(Eval("DATE()", &data).strResult, "field value");
}

TEST(ExprErrors, SyntaxErrorsNameExpressionAndPosition) {
    EXPECT_EQ(PrepareError("1 + "),
              "Syntax error in expression \"1 + \" at position 5: unexpected end of expression");
    EXPECT_EQ(PrepareError("(1 + 2"),
              "Syntax error in expression \"(1 + 2\" at position 7: ')' expected but the "
              "expression ends");
    EXPECT_EQ(PrepareError("1 2"),
              "Syntax error in expression \"1 2\" at position 3: unexpected '2'");
    EXPECT_EQ(PrepareError("x = 'abc"),
              "Syntax error in expression \"x = 'abc\" at position 5: unterminated string");
    EXPECT_EQ(PrepareError("1 # 2"),
              "Syntax error in expression \"1 # 2\" at position 3: unexpected character '#'");
    EXPECT_EQ(PrepareError("UPPER('a',)"),
              "Syntax error in expression \"UPPER('a',)\" at position 11: unexpected ')'");
    EXPECT_EQ(PrepareError("1 * * 2"),
              "Syntax error in expression \"1 * * 2\" at position 5: unexpected '*'");
    EXPECT_EQ(PrepareError("1e999"),
              "Syntax error in expression \"1e999\" at position 1: number 1e999 out of range");
}

TEST(ExprErrors, UnknownIdentifiersAndFunctions) {
    EXPECT_EQ(PrepareError("1 + XYZ"),
              "Unknown identifier 'XYZ' in expression \"1 + XYZ\" at position 5");
    EXPECT_EQ(PrepareError("NOSUCH(1)"),
              "Unknown function 'NOSUCH' in expression \"NOSUCH(1)\" at position 1");
    TMemoryResolver data;
    data.Set("Cust", "Name", TRepEvResult::String("Smith"));
    EXPECT_EQ(PrepareError("Cust.Missing", &data),
              "Unknown identifier 'Cust.Missing' in expression \"Cust.Missing\" at position 1");
    EXPECT_EQ(PrepareError("Other.Name", &data),
              "Unknown identifier 'Other.Name' in expression \"Other.Name\" at position 1");
    EXPECT_EQ(PrepareError("Cust.Name", &data), "no error");
}

TEST(ExprErrors, FailedPrepareLeavesTheEvaluatorUnprepared) {
    TRepEvaluator evaluator;
    evaluator.Prepare("1 + 1");
    EXPECT_THROW(evaluator.Prepare("1 +"), EExprError);
    EXPECT_FALSE(evaluator.Prepared());
    EXPECT_THROW(evaluator.Value(), EExprError);
    evaluator.Prepare("2 * 3");
    EXPECT_EQ(evaluator.Value().intResult, 6);
    evaluator.UnPrepare();
    EXPECT_THROW(evaluator.Value(), EExprError);
}

TEST(ExprErrors, HostileExpressionsAreRefusedNotCrashed) {
    QString deep = QString(100000, '(') + "1" + QString(100000, ')');
    EXPECT_THROW(Eval(deep), EExprError);
    QString unaries = QString(100000, '-') + "1";
    EXPECT_THROW(Eval(unaries), EExprError);
    QStringList terms(100000, QStringLiteral("1"));
    EXPECT_THROW(Eval(terms.join('+')), EExprError);
    // A long but reasonable chain still works.
    QStringList some(300, QStringLiteral("1"));
    ExpectInt(some.join('+'), 300);
    EXPECT_THROW(Eval("[unterminated"), EExprError);
    EXPECT_THROW(Eval(QString(QChar(0)) + "1"), EExprError);
}

TEST(ExprFormat, ValuesPrintWithMasks) {
    TFormatSettings saved = FormatSettings;
    FormatSettings = TFormatSettings();
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Int(1234), "#,##0.00", "X"), "1,234.00");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Double(2.5), "", "X"), "2.5");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Int(7), "", "X"), "7");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::String("abc"), "0.00", "X"), "abc");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Bool(true), "", "X"), "True");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Bool(false), "", "X"), "False");
    EXPECT_EQ(FormatRepEvResult(TRepEvResult::Error(), "0.00", "Qty * 2"), "Qty * 2");
    FormatSettings = saved;
}
