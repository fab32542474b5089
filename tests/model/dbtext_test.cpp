// Data texts as they print: repeated values left out (again on a new page or after a new
// group, when asked), zeros left blank, and the application's own handler after both.
#include "model_fixture.h"

#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"

#include "dblib/query.h"

#include <gtest/gtest.h>

TEST(DBText, OnPrintHandlerRemembersValueAndPage) {
    TModelFixture fx;
    auto *text = new TVendamoDBText(fx.Form());
    text->SetSuppressRepeatedValues(true);
    text->InstallPrintHandler();
    auto print = [&](const QString &value, int page) {
        fx.Report()->SetPageNumber(page);
        QString v = value;
        text->DBTextOnPrint(text, v);
        return v;
    };
    EXPECT_EQ(print("A", 1), "A");
    EXPECT_EQ(print("A", 1), "");
    EXPECT_EQ(print("A", 2), "");       // a new page alone does not reprint
    EXPECT_EQ(text->Caption(), "");
    EXPECT_EQ(print("B", 2), "B");
    EXPECT_EQ(text->LastValue(), "B");
    text->SetReprintOnNewPage(true);
    EXPECT_EQ(print("B", 2), "");
    EXPECT_EQ(print("B", 3), "B");
    EXPECT_EQ(print("B", 3), "");
    EXPECT_EQ(text->LastValuePage(), 3);
    // Installing the handler again keeps it; the next run forgets it.
    text->InstallPrintHandler();
    EXPECT_EQ(print("B", 3), "");
    text->BeforeRun();
    EXPECT_EQ(text->LastValuePage(), 0);
    EXPECT_EQ(print("B", 1), "B");
    // Without suppression every value prints.
    text->SetSuppressRepeatedValues(false);
    EXPECT_EQ(print("B", 1), "B");
}

TEST(DBText, HandlersAreSwappedForARunAndBack) {
    TModelFixture fx;
    auto *text = new TVendamoDBText(fx.Form());
    QStringList seen;
    const TMethod app = Handler<QObject *, QString &>([&](QObject *, QString &v) { seen.append(v); }, &seen);
    text->SetOnPrint(app);
    InstallPrintHandlers(fx.Form());
    InstallPrintHandlers(fx.Form());
    EXPECT_TRUE(text->OnPrint() == text->PrintHandler());
    EXPECT_TRUE(text->SavedOnPrint() == app);
    QString v = "x";
    text->DBTextOnPrint(text, v);
    EXPECT_EQ(seen, QStringList({"x"}));
    RestorePrintHandlers(fx.Form());
    EXPECT_TRUE(text->OnPrint() == app);
    EXPECT_FALSE(text->SavedOnPrint().Assigned());
}

TEST(DBText, GroupHeaderResetsTheTextsOfItsMasterBand) {
    TModelFixture fx;
    auto *detail = fx.AddBand<TVendamoBand>(rbDetail, 10);
    auto *sub = fx.AddBand<TVendamoSubdetail>(10);
    auto *group = fx.AddBand<TVendamoGroup>(10);
    auto *inDetail = fx.Add<TVendamoDBText>(detail, 0);
    auto *inSub = fx.Add<TVendamoDBText>(sub, 0);
    auto *inSubKeeps = fx.Add<TVendamoDBText>(sub, 50);
    for (TVendamoDBText *t : {inDetail, inSub, inSubKeeps}) {
        t->SetSuppressRepeatedValues(true);
        QString v = "same";
        t->DBTextOnPrint(t, v);
    }
    inDetail->SetReprintOnNewGroup(true);
    inSub->SetReprintOnNewGroup(true);
    bool print = false;
    // A group over the sub-detail resets the sub-detail's texts that reprint on a new group.
    group->SetMaster(sub);
    group->BandBeforePrint(group, print);
    EXPECT_TRUE(print);
    EXPECT_EQ(inSub->LastValue(), "");
    EXPECT_EQ(inSubKeeps->LastValue(), "same");
    EXPECT_EQ(inDetail->LastValue(), "same");
    // A group over the report resets those of the detail band.
    group->SetMaster(nullptr);
    group->BandBeforePrint(group, print);
    EXPECT_EQ(inDetail->LastValue(), "");
}

namespace {

class DBTextReport : public ::testing::Test {
protected:
    void SetUp() override {
        db = CreateSalesDatabase(fx.Path(QString()));
        q = new TQuery(fx.Form());
        q->SetName("Rows");
        q->SetDatabaseName(db);
        fx.Report()->SetDataSet(q);
        detail = fx.AddBand<TVendamoBand>(rbDetail, 6);
    }
    TVendamoDBText *Field(QWidget *band, const QString &field, double left) {
        auto *t = fx.Add<TVendamoDBText>(band, left, 0, 40, 5);
        t->SetDataSet(q);
        t->SetDataField(field);
        return t;
    }

    TModelFixture fx;
    QString db;
    TQuery *q = nullptr;
    TVendamoBand *detail = nullptr;
};

}  // namespace

TEST_F(DBTextReport, RepeatedValuesAcrossPages) {
    q->SQL()->SetText("SELECT id, name, city FROM customers ORDER BY id");
    detail->SetHeightMM(90);   // three customers to a page
    Field(detail, "name", 0);
    TVendamoDBText *city = Field(detail, "city", 60);
    city->SetSuppressRepeatedValues(true);
    QStringList pages = fx.RenderPdf("plain.pdf");
    ASSERT_EQ(pages.size(), 3);
    // Berlin 1-3 | Lyon 4-5, Oslo 6 | Oslo 7-8.
    EXPECT_EQ(pages[0].count("Berlin"), 1);
    EXPECT_TRUE(InOrder(Squeeze(pages[1]), {"Dubois Lyon", "Eriksen", "Fischer Oslo"})) << pages[1].toStdString();
    EXPECT_EQ(pages[1].count("Lyon"), 1);
    EXPECT_EQ(pages[2].count("Oslo"), 0);
    // With ReprintOnNewPage the first line of a page shows the value again.
    city->SetReprintOnNewPage(true);
    pages = fx.RenderPdf("reprint.pdf");
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[2].count("Oslo"), 1);
    EXPECT_TRUE(InOrder(Squeeze(pages[2]), {"Garcia Oslo", "Hansen"})) << pages[2].toStdString();
    EXPECT_EQ(pages[0].count("Berlin"), 1);
}

TEST_F(DBTextReport, RepeatedValuesAcrossGroups) {
    q->SQL()->SetText(
        "SELECT o.id, c.name, c.city FROM orders o JOIN customers c ON c.id = o.customer_id ORDER BY o.id");
    auto *group = fx.AddBand<TVendamoGroup>(6);
    group->SetExpression("name");
    fx.Label(group, "GROUP", 0);
    Field(group, "name", 20);
    Field(detail, "id", 0);
    TVendamoDBText *city = Field(detail, "city", 60);
    city->SetSuppressRepeatedValues(true);
    QStringList pages = fx.RenderPdf("plain.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].count("GROUP"), 7);
    EXPECT_EQ(pages[0].count("Berlin"), 1);
    EXPECT_EQ(pages[0].count("Lyon"), 1);
    // With ReprintOnNewGroup each group's first line shows the city again.
    city->SetReprintOnNewGroup(true);
    pages = fx.RenderPdf("groups.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].count("Berlin"), 3);
    EXPECT_EQ(pages[0].count("Lyon"), 2);
    EXPECT_EQ(pages[0].count("Oslo"), 2);
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"GROUP Anders", "1 Berlin", "2 GROUP Baker", "3 Berlin", "4 GROUP"}))
        << pages[0].toStdString();
}

TEST_F(DBTextReport, ZerosLeftBlankBeforeTheApplicationsHandler) {
    q->SQL()->SetText("SELECT id, id - 2 AS diff, name FROM customers WHERE id <= 3 ORDER BY id");
    TVendamoDBText *name = Field(detail, "name", 0);
    name->SetBlankIfZero(true);   // not a number: stays
    TVendamoDBText *diff = Field(detail, "diff", 60);
    diff->SetBlankIfZero(true);
    QStringList seen;
    diff->SetOnPrint(Handler<QObject *, QString &>(
        [&](QObject *, QString &v) {
            seen.append(v);
            v += "#";
        },
        &seen));
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(seen, QStringList({"-1", "", "1"}));
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"Anders -1#", "Baker #", "Chen 1#"})) << pages[0].toStdString();
    EXPECT_TRUE(diff->OnPrint().Assigned());   // the application's handler is back
}
