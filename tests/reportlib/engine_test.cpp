// The page engine, end to end: real reports over an SQLite database rendered to PDF, checked
// page by page through the text pdftotext finds.
#include "report_fixture.h"

#include "reportlib/rep_calc.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_sysdata.h"

#include "dblib/data_source.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { db = CreateSalesDatabase(fx.Path(QString())); }

    TRepDBText *Field(TRepBand *band, TDataSet *ds, const QString &field, double left, double width = 40) {
        auto *t = fx.Add<TRepDBText>(band, left, 0, width, 5);
        t->SetDataSet(ds);
        t->SetDataField(field);
        return t;
    }
    TRepExpr *Expr(TRepBand *band, const QString &expression, double left, double width = 60) {
        auto *e = fx.Add<TRepExpr>(band, left, 0, width, 5);
        e->SetExpression(expression);
        return e;
    }

    TReportFixture fx;
    QString db;
};

}  // namespace

TEST_F(EngineTest, ListReportPrintsBandsInOrderWithAggregates) {
    TQuery *q = fx.Query("Customers", db, "SELECT id, name, city FROM customers ORDER BY id");
    fx.Report()->SetDataSet(q);
    fx.Label(fx.Band(rbPageHeader, 10), "Customer list", 0);
    fx.Label(fx.Band(rbTitle, 10), "Title band", 0);
    fx.Label(fx.Band(rbColumnHeader, 8), "Name column", 0);
    TRepBand *detail = fx.Band(rbDetail, 6);
    Field(detail, q, "name", 0);
    Field(detail, q, "city", 60);
    TRepBand *summary = fx.Band(rbSummary, 10);
    Expr(summary, "'Total ' + STR(COUNT)", 0);
    fx.Label(fx.Band(rbPageFooter, 10), "Footer text", 0);

    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QString text = Squeeze(pages[0]);
    EXPECT_TRUE(InOrder(text, {"Customer list", "Title band", "Name column", "Anders Berlin", "Baker Berlin",
                               "Hansen Oslo", "Total 8", "Footer text"}))
        << text.toStdString();
    // The dataset was opened for the run and closed after it.
    EXPECT_FALSE(q->Active());
    EXPECT_EQ(fx.Report()->PageCount(), 1);
}

TEST_F(EngineTest, PageBreaksCountersAndPageRulesOfTheOptions) {
    TQuery *q = fx.Query("Customers", db, "SELECT id, name FROM customers ORDER BY id");
    fx.Report()->SetDataSet(q);
    fx.Label(fx.Band(rbPageHeader, 10), "HEAD", 0);
    TRepBand *detail = fx.Band(rbDetail, 80);   // three records to a page
    Field(detail, q, "name", 0);
    auto *no = fx.Add<TRepSysData>(detail, 60);
    no->SetData(TRepSysData::sdDetailNo);
    no->SetText("No ");
    auto *count = fx.Add<TRepSysData>(detail, 100);
    count->SetData(TRepSysData::sdDetailCount);
    count->SetText("of ");
    TRepBand *footer = fx.Band(rbPageFooter, 10);
    auto *page = fx.Add<TRepSysData>(footer, 0);
    page->SetData(TRepSysData::sdPageNumber);
    page->SetText("Page ");

    QStringList pages = fx.RenderPdf("a.pdf");
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString t = Squeeze(pages[i]);
        EXPECT_TRUE(t.startsWith("HEAD")) << t.toStdString();
        EXPECT_TRUE(t.endsWith(QStringLiteral("Page %1").arg(i + 1))) << t.toStdString();
    }
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"Anders No 1 of 8", "Baker No 2 of 8", "Chen No 3 of 8"}));
    EXPECT_TRUE(InOrder(Squeeze(pages[2]), {"Garcia No 7", "Hansen No 8"}));

    fx.Report()->SetOptions(0);   // neither first-page header nor last-page footer
    pages = fx.RenderPdf("b.pdf");
    ASSERT_EQ(pages.size(), 3);
    EXPECT_FALSE(pages[0].contains("HEAD"));
    EXPECT_TRUE(pages[1].contains("HEAD"));
    EXPECT_TRUE(pages[1].contains("Page 2"));
    EXPECT_FALSE(pages[2].contains("Page 3"));
}

TEST_F(EngineTest, GroupsBreakWithLookAheadAndNest) {
    TQuery *q = fx.Query("Orders", db,
                         "SELECT c.city, c.name, o.amount FROM orders o JOIN customers c ON c.id = o.customer_id "
                         "ORDER BY c.city, c.name, o.id");
    fx.Report()->SetDataSet(q);
    auto *city = fx.AddBand<TRepGroup>(8);
    city->SetExpression("city");
    Expr(city, "'City ' + city", 0);
    auto *customer = fx.AddBand<TRepGroup>(8);
    customer->SetExpression("name");
    Expr(customer, "'Customer ' + name", 10);
    TRepBand *detail = fx.Band(rbDetail, 6);
    auto *amount = Field(detail, q, "amount", 20);
    amount->SetMask("0.00");
    TRepBand *customerFooter = fx.Band(rbGroupFooter, 6);
    customer->SetFooterBand(customerFooter);
    auto *customerSum = Expr(customerFooter, "'Sum of ' + name + ' ' + FORMATNUMERIC('0.00', SUM(amount))", 10, 100);
    customerSum->SetResetAfterPrint(true);
    TRepBand *cityFooter = fx.Band(rbGroupFooter, 6);
    city->SetFooterBand(cityFooter);
    auto *citySum = fx.Add<TRepDBCalc>(cityFooter, 0);
    citySum->SetDataSet(q);
    citySum->SetDataField("amount");
    citySum->SetMask("'City total '0.00");
    citySum->SetResetAfterPrint(true);
    auto *grand = fx.Add<TRepDBCalc>(fx.Band(rbSummary, 8), 0);
    grand->SetDataSet(q);
    grand->SetDataField("amount");
    grand->SetOperation(TRepDBCalc::coMax);
    grand->SetMask("'Largest '0.00");

    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QString t = Squeeze(pages[0]);
    // Berlin: Anders 100 + 110.5, Baker 200 + 210.5, Chen 300 + 310.5.
    EXPECT_TRUE(InOrder(t, {"City Berlin", "Customer Anders", "100.00", "110.50", "Sum of Anders 210.50",
                            "Customer Baker", "200.00", "210.50", "Sum of Baker 410.50", "Customer Chen",
                            "Sum of Chen 610.50", "City total 1231.50", "City Lyon", "Customer Dubois",
                            "Sum of Dubois 810.50", "Customer Eriksen", "Sum of Eriksen 1010.50",
                            "City total 1821.00", "City Oslo", "Customer Fischer", "Customer Garcia",
                            "Sum of Garcia 1410.50", "City total 2621.00", "Largest 710.50"}))
        << t.toStdString();
    EXPECT_EQ(t.count("City total"), 3);
}

TEST_F(EngineTest, SubDetailsPrintPerMasterRecordWithHeadersAndFooters) {
    TQuery *customers = fx.Query("Customers", db, "SELECT id, name FROM customers ORDER BY id");
    TQuery *orders = fx.Query("Orders", db, "SELECT id AS order_id, amount FROM orders WHERE customer_id = :id ORDER BY id");
    orders->SetDataSource(fx.Source(customers));
    fx.Report()->SetDataSet(customers);
    TRepBand *detail = fx.Band(rbDetail, 6);
    Field(detail, customers, "name", 0);
    auto *sub = fx.AddBand<TRepSubDetail>(6);
    sub->SetDataSet(orders);
    sub->SetPrintIfEmpty(false);
    Expr(sub, "'Order ' + STR(order_id)", 10);
    TRepBand *header = fx.Band(rbGroupHeader, 6);
    fx.Label(header, "Orders of", 10);
    sub->SetHeaderBand(header);
    TRepBand *footer = fx.Band(rbGroupFooter, 6);
    auto *count = Expr(footer, "'Orders: ' + STR(COUNT)", 10);
    count->SetMaster(sub);
    count->SetResetAfterPrint(true);
    sub->SetFooterBand(footer);

    const QStringList pages = fx.RenderPdf();
    ASSERT_FALSE(pages.isEmpty());
    const QString t = Squeeze(pages.join(" "));
    EXPECT_TRUE(InOrder(t, {"Anders", "Orders of", "Order 1", "Order 2", "Orders: 2", "Baker", "Orders of", "Order 3",
                            "Order 4", "Orders: 2", "Garcia", "Order 13", "Order 14", "Orders: 2", "Hansen"}))
        << t.toStdString();
    // Hansen has no orders: no header or footer after the name.
    EXPECT_FALSE(t.mid(t.indexOf("Hansen")).contains("Orders"));
    EXPECT_EQ(t.count("Orders of"), 7);

    sub->SetPrintIfEmpty(true);
    sub->SetPrintBefore(true);
    const QString t2 = Squeeze(fx.RenderPdf("b.pdf").join(" "));
    EXPECT_TRUE(InOrder(t2, {"Orders of", "Order 1", "Orders: 2", "Anders", "Orders of", "Order 3"})) << t2.toStdString();
    EXPECT_EQ(t2.count("Orders of"), 8);
    EXPECT_TRUE(t2.endsWith("Orders of Orders: 0 Hansen")) << t2.toStdString();
}

TEST_F(EngineTest, ColumnsFillDownThenAcross) {
    TQuery *q = fx.Query("Customers", db, "SELECT name FROM customers ORDER BY id");
    fx.Report()->SetDataSet(q);
    fx.Report()->Page()->SetColumns(2);
    fx.Report()->Page()->SetColumnSpace(10);
    fx.Label(fx.Band(rbColumnHeader, 8), "Names", 0);
    TRepBand *detail = fx.Band(rbDetail, 60);   // four to a column
    Field(detail, q, "name", 0);
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
    // Each column has its header; the second column starts beside the first.
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(Squeeze(lines[0]), "Names Names");
    EXPECT_EQ(Squeeze(lines[1]), "Anders Eriksen");
    EXPECT_EQ(Squeeze(lines.last()), "Dubois Hansen");
    // Column 2 starts one column width (90 mm) plus the space (10 mm) right of column 1.
    const QList<TPdfWord> words = PdfWords(fx.Path("out.pdf"));
    EXPECT_NEAR(FindWord(words, "Eriksen").X - FindWord(words, "Anders").X, 100.0, 0.5);
    EXPECT_NEAR(FindWord(words, "Anders").X, 10.0, 0.5);
    EXPECT_NEAR(FindWord(words, "Eriksen").Y, FindWord(words, "Anders").Y, 0.1);
}

TEST_F(EngineTest, ChildBandsForcedPagesAndBandsAtTheBottom) {
    TQuery *q = fx.Query("Customers", db, "SELECT name, city FROM customers ORDER BY city, id");
    fx.Report()->SetDataSet(q);
    auto *group = fx.AddBand<TRepGroup>(8);
    group->SetExpression("city");
    group->SetForceNewPage(true);
    Expr(group, "'City ' + city", 0);
    TRepBand *detail = fx.Band(rbDetail, 6);
    Field(detail, q, "name", 0);
    auto *child = fx.AddBand<TRepChildBand>(6);
    child->SetParentBand(detail);
    Expr(child, "'after ' + name", 10);
    TRepBand *summary = fx.Band(rbSummary, 8);
    summary->SetPrintAtBottom(true);
    fx.Label(summary, "Bottom line", 0);

    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"City Berlin", "Anders", "after Anders", "Baker", "after Baker"}));
    EXPECT_TRUE(Squeeze(pages[1]).startsWith("City Lyon"));
    EXPECT_TRUE(Squeeze(pages[2]).startsWith("City Oslo"));
    // The summary sits at the bottom of the last page: the text's top 8 mm above the margin.
    const TPdfWord bottom = FindWord(PdfWords(fx.Path("out.pdf")), "Bottom");
    EXPECT_EQ(bottom.Page, 3);
    EXPECT_NEAR(bottom.Y, 297 - 10 - 8, 1.0);
}

TEST_F(EngineTest, StretchingBandsMoveToTheNextPageWhole) {
    fx.Report()->Page()->SetPaperSize(psCustom);
    fx.Report()->Page()->SetWidth(150);
    fx.Report()->Page()->SetLength(100);   // 80 mm to print on
    TRepBand *title = fx.Band(rbTitle, 65);
    fx.Label(title, "Title", 0);
    TRepBand *detail = fx.Band(rbDetail, 5);
    auto *memo = fx.Add<TRepMemo>(detail, 0, 0, 100, 5);
    memo->SetAutoStretch(true);
    memo->Lines()->SetText("line one\nline two\nline three\nline four\nline five");
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(Squeeze(pages[0]), "Title");
    EXPECT_EQ(Squeeze(pages[1]), "line one line two line three line four line five");
}

TEST_F(EngineTest, BadInputPrintsInsteadOfFailing) {
    // No bands at all: one empty page.
    EXPECT_EQ(fx.RenderPdf("empty.pdf").size(), 1);
    EXPECT_EQ(fx.Report()->PageCount(), 1);

    TQuery *q = fx.Query("Customers", db, "SELECT name FROM customers ORDER BY id LIMIT 2");
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 500);   // taller than the page
    Field(detail, q, "no_such_field", 0);
    Expr(detail, "no_such_field + 1", 50);
    Field(detail, q, "name", 120);
    const QStringList pages = fx.RenderPdf("bad.pdf");
    ASSERT_EQ(pages.size(), 2);   // each clipped on a page of its own
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"#ERROR", "no_such_field + 1", "Anders"})) << pages[0].toStdString();
    EXPECT_TRUE(Squeeze(pages[1]).contains("Baker"));
}

TEST_F(EngineTest, EmptyDatasetFollowsPrintIfEmpty) {
    TQuery *q = fx.Query("Customers", db, "SELECT name FROM customers WHERE id < 0");
    fx.Report()->SetDataSet(q);
    fx.Label(fx.Band(rbTitle, 10), "Title", 0);
    Field(fx.Band(rbDetail, 6), q, "name", 0);
    fx.Label(fx.Band(rbSummary, 10), "Nothing found", 0);
    QStringList pages = fx.RenderPdf("a.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(Squeeze(pages[0]), "Title Nothing found");
    fx.Report()->SetPrintIfEmpty(false);
    pages = fx.RenderPdf("b.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(Squeeze(pages[0]).isEmpty());
}

TEST_F(EngineTest, EventsFireInTheOrderAuthorsExpect) {
    TQuery *q = fx.Query("Customers", db, "SELECT name FROM customers ORDER BY id LIMIT 2");
    fx.Report()->SetDataSet(q);
    TRepBand *header = fx.Band(rbPageHeader, 10);
    TRepBand *detail = fx.Band(rbDetail, 6);
    auto *name = Field(detail, q, "name", 0);
    TRepBand *summary = fx.Band(rbSummary, 6);
    fx.Label(summary, "Summary", 0);
    QStringList log;
    auto bandHandler = [&log](const QString &what, bool print) {
        return TMethod::FromFunction<QObject *, bool &>(std::function<void(QObject *, bool &)>(
                                                            [&log, what, print](QObject *, bool &flag) {
                                                                log << what;
                                                                flag = print;
                                                            }),
                                                        &log);
    };
    fx.Report()->SetBeforePrint(bandHandler("report", true));
    fx.Report()->SetAfterPrint(TMethod::FromFunction<QObject *>(
        std::function<void(QObject *)>([&log](QObject *) { log << "after report"; }), &log));
    header->SetBeforePrint(bandHandler("header", true));
    detail->SetBeforePrint(bandHandler("detail", true));
    summary->SetBeforePrint(bandHandler("summary", false));   // skipped
    name->SetOnPrint(TMethod::FromFunction<QObject *, QString &>(std::function<void(QObject *, QString &)>(
                                                                   [&log](QObject *, QString &value) {
                                                                       log << "value " + value;
                                                                       value = value.toUpper();
                                                                   }),
                                                               &log));
    const QStringList pages = fx.RenderPdf();
    EXPECT_EQ(log, QStringList({"report", "header", "detail", "value Anders", "detail", "value Baker", "summary",
                                "after report"}));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(Squeeze(pages[0]), "ANDERS BAKER");

    // A report whose before-print handler says no produces nothing.
    log.clear();
    fx.Report()->SetBeforePrint(bandHandler("report", false));
    const QString file = fx.Path("none.pdf");
    fx.Report()->ExportToPdf(file);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(log, QStringList({"report"}));
}

TEST_F(EngineTest, LinkBandsStayTogether) {
    fx.Report()->Page()->SetPaperSize(psCustom);
    fx.Report()->Page()->SetLength(100);   // 80 mm to print on
    fx.Label(fx.Band(rbTitle, 55), "Title", 0);
    TRepBand *summary = fx.Band(rbSummary, 10);
    fx.Label(summary, "Summary", 0);
    TRepBand *footer = fx.Band(rbPageFooter, 10);
    fx.Label(footer, "Foot", 0);
    // Title 55 + summary 10 fit above the 10 mm footer; with a 20 mm band linked to it the
    // summary moves to the next page.
    EXPECT_EQ(fx.RenderPdf("a.pdf").size(), 1);
    TRepBand *linked = fx.Band(rbChild, 20);
    summary->SetLinkBand(linked);
    const QStringList pages = fx.RenderPdf("b.pdf");
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(Squeeze(pages[1]), "Summary Foot");
}

TEST_F(EngineTest, NestedSubDetailsOverlayAndForcedColumns) {
    TQuery *customers = fx.Query("Customers", db, "SELECT id, name FROM customers WHERE id <= 2 ORDER BY id");
    TQuery *orders = fx.Query("Orders", db, "SELECT id AS order_id FROM orders WHERE customer_id = :id ORDER BY id");
    orders->SetDataSource(fx.Source(customers));
    TQuery *items = fx.Query("Items", db, "SELECT product FROM items WHERE order_id = :order_id ORDER BY id");
    items->SetDataSource(fx.Source(orders));
    fx.Report()->SetDataSet(customers);
    fx.Report()->Page()->SetColumns(2);
    TRepBand *detail = fx.Band(rbDetail, 6);
    detail->SetForceNewColumn(true);   // every customer starts a column
    Field(detail, customers, "name", 0);
    auto *orderBand = fx.AddBand<TRepSubDetail>(6);
    orderBand->SetDataSet(orders);
    Expr(orderBand, "'Order ' + STR(order_id)", 5);
    auto *itemBand = fx.AddBand<TRepSubDetail>(6);
    itemBand->SetDataSet(items);
    itemBand->SetMaster(orderBand);
    Field(itemBand, items, "product", 10);
    fx.Label(fx.Band(rbOverlay, 10), "DRAFT", 150);

    const QString file = fx.Path("nested.pdf");
    fx.Report()->ExportToPdf(file);
    const QList<TPdfWord> words = PdfWords(file);
    // Odd orders have two items, even ones one.
    // Read column by column.
    QList<TPdfWord> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(), [](const TPdfWord &a, const TPdfWord &b) {
        const int ca = a.X < 100 ? 0 : 1, cb = b.X < 100 ? 0 : 1;
        return ca != cb ? ca < cb : a.Y < b.Y - 0.5;
    });
    QStringList texts;
    for (const TPdfWord &w : sorted) texts << w.Text;
    EXPECT_TRUE(InOrder(texts.join(' '), {"Anders", "Order 1", "Product1", "Product2", "Order 2", "Product3", "Baker",
                                          "Order 3", "Product4", "Product5", "Order 4", "Product6"}))
        << texts.join(' ').toStdString();
    // Baker starts the second column, at the same height as Anders.
    const TPdfWord anders = FindWord(words, "Anders"), baker = FindWord(words, "Baker");
    EXPECT_EQ(baker.Page, 1);
    EXPECT_NEAR(baker.Y, anders.Y, 0.1);
    EXPECT_NEAR(baker.X - anders.X, 95, 0.5);
    // The overlay prints over the top of the page.
    const TPdfWord draft = FindWord(words, "DRAFT");
    EXPECT_EQ(draft.Page, 1);
    EXPECT_NEAR(draft.Y, anders.Y, 0.1);
}

TEST_F(EngineTest, SummaryStartsOnItsOwnPageBeforeItsHandlerRuns) {
    // A page footer that hides itself once the summary has started (the way a "not on the last
    // page" rule learns about the last page) must still print on the page before the summary.
    fx.Report()->Page()->SetPaperSize(psCustom);
    fx.Report()->Page()->SetLength(100);   // 80 mm to print on
    fx.Label(fx.Band(rbTitle, 60), "Title", 0);
    TRepBand *summary = fx.Band(rbSummary, 15);
    fx.Label(summary, "Summary", 0);
    TRepBand *footer = fx.Band(rbPageFooter, 10);
    fx.Label(footer, "Foot", 0);
    bool summaryStarted = false;
    summary->SetBeforePrint(TMethod::FromFunction<QObject *, bool &>(
        std::function<void(QObject *, bool &)>([&](QObject *, bool &) { summaryStarted = true; }), &summaryStarted));
    footer->SetBeforePrint(TMethod::FromFunction<QObject *, bool &>(
        std::function<void(QObject *, bool &)>([&](QObject *, bool &print) { print = !summaryStarted; }), &fx));
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(Squeeze(pages[0]), "Title Foot");
    EXPECT_EQ(Squeeze(pages[1]), "Summary");
}

TEST_F(EngineTest, BandHandlersSeeThePageTheBandPrintsOn) {
    fx.Report()->Page()->SetPaperSize(psCustom);
    fx.Report()->Page()->SetLength(100);   // 80 mm to print on: two 30 mm details to a page
    TQuery *q = fx.Query("Customers", db, "SELECT name FROM customers ORDER BY id LIMIT 3");
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 30);
    Field(detail, q, "name", 0);
    QList<int> asked;
    bool firstPageOnly = false;
    detail->SetBeforePrint(TMethod::FromFunction<QObject *, bool &>(
        std::function<void(QObject *, bool &)>([&](QObject *, bool &print) {
            asked << fx.Report()->PageNumber();
            print = !firstPageOnly || fx.Report()->PageNumber() == 1;
        }),
        &asked));
    QStringList pages = fx.RenderPdf();
    EXPECT_EQ(asked, QList<int>({1, 1, 2}));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(Squeeze(pages[1]), "Chen");
    // A band refused on the page it would move to leaves no page behind.
    asked.clear();
    firstPageOnly = true;
    pages = fx.RenderPdf("first.pdf");
    EXPECT_EQ(asked, QList<int>({1, 1, 2}));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(Squeeze(pages[0]), "Anders Baker");
}

TEST_F(EngineTest, DamagedSizesStayBounded) {
    TRepBand *band = fx.Band(rbDetail, 1e12);
    auto *label = fx.Label(band, "Huge", 0);
    label->SetSizeValue(3, 1e15);
    fx.Report()->SetZoom(1000);
    EXPECT_GT(band->height(), 0);   // no overflow on the design surface
    EXPECT_EQ(fx.RenderPdf().size(), 1);
}

TEST_F(EngineTest, ElementsOnTheReportItselfPrintOnEveryPage) {
    TQuery *q = fx.Query("Customers", db, "SELECT id, name, city FROM customers ORDER BY id");
    QStringList cities;
    for (q->Open(), q->First(); !q->Eof(); q->Next()) cities << q->FieldByName(QStringLiteral("city"))->AsString();
    q->Close();
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 200);  // one record fills a page
    Field(detail, q, "name", 0);
    const auto place = [this](TRepPrintable *e, double leftMM) {
        e->setParent(fx.Report());
        e->SetSizeMM(1, leftMM);
        e->SetSizeMM(2, 270);
        e->SetSizeMM(3, 80);
        e->SetSizeMM(0, 6);
    };
    auto *stamp = new TRepLabel(fx.Report());
    stamp->SetCaption(QStringLiteral("Stamped outside the bands"));
    place(stamp, 30);
    auto *loose = new TRepDBText(fx.Report());  // its dataset is opened for the run as well
    loose->SetDataSet(q);
    loose->SetDataField(QStringLiteral("city"));
    place(loose, 120);
    const QStringList pages = fx.RenderPdf();
    ASSERT_GT(pages.size(), 1);
    for (const QString &page : pages) {
        const QString text = Squeeze(page);
        EXPECT_TRUE(text.contains(QStringLiteral("Stamped outside the bands"))) << text.toStdString();
        EXPECT_TRUE(std::any_of(cities.begin(), cities.end(), [&](const QString &c) { return text.contains(c); }))
            << text.toStdString();
    }
    EXPECT_FALSE(q->Active());
}
