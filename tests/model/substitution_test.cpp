// Expressions embedded in memos and rich texts, substituted as they print.
#include "model_fixture.h"

#include "model/text_substitution.h"
#include "model/vendamo_rich_elements.h"
#include "model/vendamo_text_elements.h"

#include "reportlib/expr_function.h"
#include "reportlib/expr_registry.h"

#include "dblib/query.h"

#include <QTextDocument>
#include <gtest/gtest.h>

TEST(Substitution, MarkedExpressionsInALine) {
    TModelFixture fx;
    TReport *r = fx.Report();
    EXPECT_EQ(SubstituteLineExpressions("Total: %%1+2%%", r), "Total: ");
    EXPECT_EQ(SubstituteLineExpressions("Total: %%STR(1+2)%% items", r), "Total: 3 items");
    EXPECT_EQ(SubstituteLineExpressions("%%'a'%%-%%'b'%%", r), "a-b");
    // Without a closing marker the expression runs to the end of the line.
    EXPECT_EQ(SubstituteLineExpressions("Open %%'tail' + 'end'", r), "Open tailend");
    EXPECT_EQ(SubstituteLineExpressions("%%%%x", r), "x");
    EXPECT_EQ(SubstituteLineExpressions("no markers", r), "no markers");
    // Lines are short strings, before and after substitution.
    EXPECT_EQ(SubstituteLineExpressions(QString(300, u'x'), r).size(), 255);
    EXPECT_EQ(SubstituteLineExpressions(QString(243, u'x') + "%%STR(1/3)%%", r), QString(243, u'x') + "0.3333333333");
    // The cut comes first: a marker beyond character 255 is not seen.
    EXPECT_EQ(SubstituteLineExpressions(QString(254, u'x') + "%%'a'%%", r), QString(254, u'x') + "%");
    // A value that keeps producing markers stops instead of looping.
    EXPECT_EQ(SubstituteLineExpressions("%%'%'+'%'+'%'+'%'%%", r), "");
    EXPECT_EQ(SubstituteLineExpressions("%%'%'+'%1'%%", r), "");
    // The evaluator's errors reach the caller.
    EXPECT_ANY_THROW(SubstituteLineExpressions("%%1 +%%", r));
}

TEST(Substitution, DeleteMarksInMemoLines) {
    TModelFixture fx;
    const QStringList in = {"first", "%%'%DEL'%%", "  %DEL  ", "keep %DEL this", "lower %del stays", "%D%DELEL", "last"};
    EXPECT_EQ(SubstituteMemoLines(in, fx.Report()),
              QStringList({"first", "keep  this", "lower %del stays", "", "last"}));
}

TEST(Substitution, RichTextKeepsItsParagraphs) {
    TModelFixture fx;
    QTextDocument doc;
    doc.setPlainText("Hello %%'World'%%!\n%DEL\nSum %%STR(2*3)%% and %%'open\n  %DEL \nEnd %DEL.");
    SubstituteRichText(doc, fx.Report());
    EXPECT_EQ(doc.toPlainText(), "Hello World!\nSum 6 and 'open\nEnd .");
}

TEST(Substitution, RichTextStopsAtAFailingExpression) {
    TModelFixture fx;
    QTextDocument doc;
    doc.setPlainText("A %%'x'%% B %%1 +%% C %%'y'%%");
    EXPECT_ANY_THROW(SubstituteRichText(doc, fx.Report()));
    // Both markers are gone; the failing text stays as it was.
    EXPECT_EQ(doc.toPlainText(), "A x B 1 + C %%'y'%%");
}

namespace {

// NEXTCALL() answers "call 1", "call 2", ...: how often an expression was evaluated.
int NextCallCount = 0;
class TNextCallFunction : public TRepEvElementFunction {
protected:
    void Calculate() override { Result = TRepEvResult::String(QStringLiteral("call %1").arg(++NextCallCount)); }
};

class MemoReport : public ::testing::Test {
protected:
    void SetUp() override {
        db = CreateSalesDatabase(fx.Path(QString()));
        q = new TQuery(fx.Form());
        q->SetName("Customers");
        q->SetDatabaseName(db);
        q->SQL()->SetText("SELECT id, name, city FROM customers WHERE id <= 3 ORDER BY id");
        fx.Report()->SetDataSet(q);
        detail = fx.AddBand<TVendamoBand>(rbDetail, 40);
    }

    TModelFixture fx;
    QString db;
    TQuery *q = nullptr;
    TVendamoBand *detail = nullptr;
};

}  // namespace

TEST_F(MemoReport, MemoLinesPrintWithTheirValues) {
    auto *memo = fx.Add<TVendamoMemo>(detail, 0, 0, 120, 35);
    const QStringList lines = {"Customer %%Customers.name%% from %%city%%",
                               "Number %%id%% dropped, %%STR(id)%% kept",
                               "%%IF(id = 2, '%DEL', 'Not two')%%",
                               "   %DEL",
                               "Closing %DEL line",
                               "small %del stays"};
    memo->Lines()->SetStringList(lines);
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QString text = Squeeze(pages[0]);
    EXPECT_TRUE(InOrder(text, {"Customer Anders from Berlin", "Number dropped, 1 kept", "Not two", "Closing line",
                               "small %del stays", "Customer Baker from Berlin", "Number dropped, 2 kept",
                               "Closing line", "Customer Chen"}))
        << text.toStdString();
    EXPECT_FALSE(text.contains("%%"));
    EXPECT_FALSE(text.contains("%DEL"));
    // The second customer's memo closes up over the deleted line.
    EXPECT_EQ(text.count("Not two"), 2);
    // After the run the memo holds its own lines again.
    EXPECT_EQ(memo->Lines()->ToStringList(), lines);
}

TEST_F(MemoReport, StretchingMemoGrowsWithItsValues) {
    q->SQL()->SetText("SELECT id, name, 'alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu' AS words "
                      "FROM customers WHERE id <= 3 ORDER BY id");
    detail->SetHeightMM(6);
    // The marked text is short; its value wraps into several lines.
    auto *memo = fx.Add<TVendamoMemo>(detail, 0, 0, 30, 5);
    memo->SetAutoStretch(true);
    memo->Lines()->SetStringList({"%%words%%"});
    fx.RenderPdf();
    QList<double> alpha, mu;
    for (const TPdfWord &w : PdfWords(fx.Path("out.pdf"))) {
        if (w.Text == "alpha") alpha.append(w.Y);
        if (w.Text == "mu") mu.append(w.Y);
    }
    ASSERT_EQ(alpha.size(), 3);
    ASSERT_EQ(mu.size(), 3);
    // Each record's band is as tall as its wrapped value: the next record starts below it.
    EXPECT_GT(mu[0], alpha[0] + 8);
    EXPECT_GT(alpha[1], mu[0]);
    EXPECT_GT(alpha[2], mu[1]);
}

TEST_F(MemoReport, AValueThatNamesItselfDoesNotLoop) {
    q->SQL()->SetText("SELECT id, '%%looping%%' AS looping FROM customers WHERE id = 1");
    q->Open();
    EXPECT_EQ(SubstituteLineExpressions("%%looping%%", fx.Report()), "%%looping%%");
}

TEST_F(MemoReport, AFailingExpressionStopsTheRunAndKeepsTheLines) {
    auto *memo = fx.Add<TVendamoMemo>(detail, 0, 0, 120, 20);
    memo->Lines()->SetStringList({"Bad %%nosuchfield%%"});
    EXPECT_ANY_THROW(fx.RenderPdf());
    EXPECT_EQ(memo->Lines()->ToStringList(), QStringList({"Bad %%nosuchfield%%"}));
}

TEST_F(MemoReport, RichTextPrintsWithItsValuesAndIgnoresErrors) {
    auto *rich = fx.Add<TVendamoRichtext>(detail, 0, 0, 150, 30);
    const QByteArray source = "Rich %%name%% in %%city%%\n%%IF(id = 3, '%DEL', 'Line two')%%\nBroken %%1 +%% rest";
    rich->SetLines(source);
    const QByteArray stored = rich->Lines();
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QString text = Squeeze(pages[0]);
    EXPECT_TRUE(InOrder(text, {"Rich Anders in Berlin", "Line two", "Broken", "Rich Baker in Berlin", "Line two",
                               "Rich Chen in Berlin", "Broken"}))
        << text.toStdString();
    EXPECT_EQ(text.count("Line two"), 2);
    // The failing expression stops the substitution of that text, not the run.
    EXPECT_TRUE(text.contains("Broken 1 + rest")) << text.toStdString();
    EXPECT_EQ(rich->Lines(), stored);
}

TEST_F(MemoReport, DataRichTextIsNotSubstituted) {
    auto *rich = fx.Add<TVendamoDBRichtext>(detail, 0, 0, 150, 30);
    auto *plain = new TQuery(fx.Form());
    plain->SetDatabaseName(db);
    plain->SQL()->SetText("SELECT '%%name%% stays' AS body");
    rich->SetDataSet(plain);
    rich->SetDataField("body");
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("%%name%% stays")) << pages[0].toStdString();
}

TEST_F(MemoReport, EachRecordEvaluatesTheExpressionsOnce) {
    RegisterRepFunction(RepFunctionClass<TNextCallFunction>(), "NEXTCALL", "NEXTCALL()|Counts its calls", "Test", "7");
    // Measuring and printing share one evaluation: the three records print calls 1 to 3.
    auto *memo = fx.Add<TVendamoMemo>(detail, 0, 0, 120, 10);
    memo->SetAutoStretch(true);
    memo->Lines()->SetStringList({"Memo %%NEXTCALL()%% %%name%%"});
    NextCallCount = 0;
    QString text = Squeeze(fx.RenderPdf("memo.pdf").join(' '));
    EXPECT_EQ(NextCallCount, 3);
    EXPECT_TRUE(InOrder(text, {"Memo call 1 Anders", "Memo call 2 Baker", "Memo call 3 Chen"})) << text.toStdString();
    delete memo;

    auto *rich = fx.Add<TVendamoRichtext>(detail, 0, 0, 120, 10);
    rich->SetAutoStretch(true);
    rich->SetLines("Rich %%NEXTCALL()%% %%name%%");
    const QByteArray stored = rich->Lines();
    NextCallCount = 0;
    text = Squeeze(fx.RenderPdf("rich.pdf").join(' '));
    EXPECT_EQ(NextCallCount, 3);
    EXPECT_TRUE(InOrder(text, {"Rich call 1 Anders", "Rich call 2 Baker", "Rich call 3 Chen"})) << text.toStdString();
    EXPECT_EQ(rich->Lines(), stored);
    UnregisterRepFunction("NEXTCALL");
}
