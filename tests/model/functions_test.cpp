// The five expression functions: their registration and what they give for good and bad
// arguments.
#include "model_fixture.h"
#include "report_fixture.h"

#include "model/eval_helpers.h"
#include "model/model_registration.h"
#include "model/vendamo_functions.h"
#include "model/vendamo_text_elements.h"

#include "reportlib/expr_evaluator.h"
#include "reportlib/expr_registry.h"
#include "reportlib/rep_expr.h"

#include "dblib/query.h"
#include "host/format_settings.h"

#include <gtest/gtest.h>

namespace {

TRepEvResult Calc(const QString &expression) {
    RegisterVDMFunctions();
    TRepEvaluator evaluator;
    return evaluator.Calculate(expression);
}

// Keeps the format settings of one test.
class TFormatGuard {
public:
    TFormatGuard() : FSaved(FormatSettings) {}
    ~TFormatGuard() { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

}  // namespace

TEST(Functions, RegisteredOnceWithTheirTexts) {
    RegisterModelClasses();
    RegisterVDMFunctions();
    const QList<TRepFunctionInfo> all = RepFunctionList();
    QStringList names;
    for (const TRepFunctionInfo &f : all)
        if (f.Vendor == "ZOBL") names.append(f.Name);
    EXPECT_EQ(names, QStringList({"QUERYPARAM", "REFORMATDATE", "STRTOINT", "STRTONUM", "GETCAPTION"}));
    const auto expect = [](const char *name, const char *description, const char *arguments) {
        const auto info = FindRepFunction(name);
        ASSERT_TRUE(info.has_value()) << name;
        EXPECT_EQ(info->Description, description);
        EXPECT_EQ(info->Vendor, "ZOBL");
        EXPECT_EQ(info->Arguments, arguments);
        EXPECT_EQ(info->Group(), 7);
    };
    expect("QUERYPARAM", "QUERYPARAM(<Q>,<P>)|Gets parameter value from a query", "7SS");
    expect("REFORMATDATE", "REFORMATDATE(<D>,<F>)|Formats a date (and time)", "7SS");
    expect("STRTOINT", "STRTOINT(<X>)|Converts String to Integer", "7S");
    expect("STRTONUM", "STRTONUM(<X>)|Converts String to number", "7S");
    // The doubled apostrophe is stored as it stands.
    expect("GETCAPTION", "GETCAPTION(<S>)|Returns a component''s caption", "7S");
    EXPECT_EQ(FindRepFunction("GETCAPTION")->Explanation(), "Returns a component''s caption");
}

TEST(Functions, StringToNumbers) {
    TFormatGuard guard;
    TRepEvResult r = Calc("STRTOINT('12')");
    EXPECT_EQ(r.Kind, resInt);
    EXPECT_EQ(r.intResult, 12);
    EXPECT_EQ(Calc("STRTOINT('-7') + 1").intResult, -6);
    EXPECT_EQ(Calc("STRTOINT('12.5')").Kind, resError);
    EXPECT_EQ(Calc("STRTOINT('')").Kind, resError);
    EXPECT_EQ(Calc("STRTOINT(12)").Kind, resError);          // not a string
    EXPECT_EQ(Calc("STRTOINT('1', '2')").Kind, resError);    // one argument only
    r = Calc("STRTONUM('12.5')");
    EXPECT_EQ(r.Kind, resDouble);
    EXPECT_DOUBLE_EQ(r.dblResult, 12.5);
    EXPECT_EQ(Calc("STRTONUM('abc')").Kind, resError);
    // The locale's decimal separator.
    FormatSettings.DecimalSeparator = u',';
    EXPECT_DOUBLE_EQ(Calc("STRTONUM('2,25')").dblResult, 2.25);
    EXPECT_EQ(Calc("STRTONUM('2.25')").Kind, resError);
}

TEST(Functions, ReformatDate) {
    TFormatGuard guard;
    FormatSettings.ShortDateFormat = "m/d/yyyy";
    TRepEvResult r = Calc("REFORMATDATE('3/14/2024', 'yyyy-mm-dd')");
    EXPECT_EQ(r.Kind, resString);
    EXPECT_EQ(r.strResult, "2024-03-14");
    EXPECT_EQ(Calc("REFORMATDATE('3/14/2024', 'dddd d mmmm')").strResult, "Thursday 14 March");
    EXPECT_EQ(Calc("REFORMATDATE('not a date', 'yyyy')").Kind, resError);
    EXPECT_EQ(Calc("REFORMATDATE('3/14/2024')").Kind, resError);
    FormatSettings.ShortDateFormat = "dd.mm.yyyy";
    FormatSettings.DateSeparator = u'.';
    // "/" in a format stands for the locale's date separator.
    EXPECT_EQ(Calc("REFORMATDATE('14.03.2024', 'm/d/yy')").strResult, "3.14.24");
}

TEST(Functions, QueryParametersOfOpenForms) {
    TModelFixture fx;
    const QString db = CreateSalesDatabase(fx.Path(QString()));
    auto *q = new TQuery(fx.Form());
    q->SetName("OrdersQuery");
    q->SetDatabaseName(db);
    q->SQL()->SetText("SELECT * FROM orders WHERE customer_id = :Customer");
    q->ParamByName("Customer").SetAsInteger(4);
    // Another form earlier in screen order holds a component of that name that is no query.
    TForm front;
    auto *label = new TVendamoLabel(&front);
    label->SetName("OrdersQuery");
    Screen::BringToFront(&front);
    TRepEvResult r = Calc("QUERYPARAM('OrdersQuery', 'Customer')");
    EXPECT_EQ(r.Kind, resString);
    EXPECT_EQ(r.strResult, "4");
    EXPECT_EQ(Calc("QUERYPARAM('ordersquery', 'customer')").strResult, "4");
    // No such query on any form: an empty text, not an error.
    r = Calc("QUERYPARAM('NoQuery', 'Customer')");
    EXPECT_EQ(r.Kind, resString);
    EXPECT_EQ(r.strResult, "");
    // A query without that parameter: an error.
    EXPECT_EQ(Calc("QUERYPARAM('OrdersQuery', 'Nope')").Kind, resError);
    EXPECT_EQ(Calc("QUERYPARAM('OrdersQuery')").Kind, resError);
}

TEST(Functions, CaptionsOfOpenForms) {
    TModelFixture fx;
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 10);
    auto *expr = fx.Add<TVendamoExpr>(band, 0);
    expr->SetName("Total");
    expr->SetExpression("'Sum ' + STR(6 * 7)");
    auto *label = fx.Add<TVendamoLabel>(band, 50);
    label->SetName("Heading");
    label->SetCaption("Monthly sales");
    fx.Form()->SetName("ReportForm");
    fx.Form()->SetCaption("The report form");
    // Before printing the expression shows no value yet; afterwards its last printed one.
    EXPECT_EQ(Calc("GETCAPTION('Total')").strResult, "");
    fx.RenderPdf();
    EXPECT_EQ(Calc("GETCAPTION('Total')").strResult, "Sum 42");
    EXPECT_EQ(Calc("GETCAPTION('heading')").strResult, "Monthly sales");
    EXPECT_EQ(Calc("GETCAPTION('NoSuchComponent')").Kind, resError);
    // A component without a caption on the last form searched reads as empty.
    auto *report = fx.Report();
    report->SetName("TheReport");
    TRepEvResult r = Calc("GETCAPTION('TheReport')");
    EXPECT_EQ(r.Kind, resString);
    EXPECT_EQ(r.strResult, "");
    // A form further back in screen order is searched when the front one has none.
    TForm front;
    Screen::BringToFront(&front);
    EXPECT_EQ(Calc("GETCAPTION('Heading')").strResult, "Monthly sales");
    // ... but the front one answers first.
    auto *other = new TVendamoLabel(&front);
    other->SetName("Heading");
    other->SetCaption("Front caption");
    EXPECT_EQ(Calc("GETCAPTION('Heading')").strResult, "Front caption");
}

TEST(Functions, UsableInBandConditionsAndMemos) {
    TModelFixture fx;
    EXPECT_FALSE(EvalBoolExpression("STRTOINT('3') > 4", fx.Report()));
    EXPECT_EQ(EvalStringExpression("STR(STRTONUM('1.5') * 2)", fx.Report()), "3");
}

// The functions are there before any loader or design report exists, so a report of the report
// library prints their values, not their text. (Run alone, this test is the first report of the
// program.)
TEST(Functions, PrintedOnAPlainReport) {
    TReportFixture fx;
    TRepBand *title = fx.Band(rbTitle, 10);
    fx.Add<TRepExpr>(title, 0, 0, 120)->SetExpression("'Parts ' + STR(STRTOINT('41') + 1)");
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("Parts 42")) << pages[0].toStdString();
}
