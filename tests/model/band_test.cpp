// The designable bands: published properties, defaults, the designer link, mouse forwarding,
// design-time painting, and the print conditions checked on real report runs.
#include "model_fixture.h"

#include "model/vendamo_bands.h"

#include "reportlib/rep_sysdata.h"

#include "dblib/query.h"
#include "host/property_access.h"

#include <QMetaProperty>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The names of the properties a class adds to its base, in declaration order.
QStringList OwnProperties(const QMetaObject &meta) {
    QStringList names;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) names.append(meta.property(i).name());
    return names;
}

const QStringList BlockFlags = {"BlockDelete", "BlockMove", "BlockResize", "BlockEdit", "BlockChange", "BlockSelection"};
const QStringList PageRule = {"StartPageNum", "EndPageNum", "PageStep", "NotOnFirstPage"};
const QStringList Background = {"DesignBackground", "DesignBackgroundDX", "DesignBackgroundDY"};

}  // namespace

TEST(Bands, PublishTheirPropertiesInTheirOwnOrder) {
    EXPECT_EQ(OwnProperties(TVendamoBand::staticMetaObject),
              QStringList({"BandNum", "Expression"}) + Background + PageRule + QStringList({"NotOnLastPage", "Vendamoer"}) +
                  BlockFlags);
    const QStringList childAndSub =
        QStringList({"Expression", "BandNum"}) + Background + PageRule + QStringList({"Vendamoer"}) + BlockFlags;
    EXPECT_EQ(OwnProperties(TVendamoChildBand::staticMetaObject), childAndSub);
    EXPECT_EQ(OwnProperties(TVendamoSubdetail::staticMetaObject), childAndSub);
    EXPECT_EQ(OwnProperties(TVendamoGroup::staticMetaObject),
              QStringList({"BandNum"}) + Background + PageRule + QStringList({"Vendamoer"}) + BlockFlags);
    // Word properties are unsigned 16-bit, offsets signed 32-bit.
    const QMetaObject &m = TVendamoBand::staticMetaObject;
    EXPECT_EQ(m.property(m.indexOfProperty("BandNum")).metaType(), QMetaType::fromType<quint16>());
    EXPECT_EQ(m.property(m.indexOfProperty("PageStep")).metaType(), QMetaType::fromType<quint16>());
    EXPECT_EQ(m.property(m.indexOfProperty("DesignBackgroundDX")).metaType(), QMetaType::fromType<qint32>());
}

TEST(Bands, DefaultsAndTheDesignerOfTheForm) {
    TModelFixture fx;
    auto *band = new TVendamoBand(fx.Form());
    EXPECT_EQ(band->Vendamoer(), fx.Loader());
    EXPECT_EQ(band->BandNum(), 0);
    EXPECT_TRUE(band->Expression().isEmpty());
    EXPECT_EQ(band->StartPageNum() + band->EndPageNum() + band->PageStep(), 0);
    EXPECT_FALSE(band->NotOnFirstPage() || band->NotOnLastPage());
    for (const QString &flag : BlockFlags) EXPECT_FALSE(GetBooleanProperty(band, flag)) << flag.toStdString();
    ASSERT_NE(band->DesignBackground(), nullptr);
    EXPECT_TRUE(band->DesignBackground()->Empty());
    // Every class finds the loader; a band on a form without one has none.
    EXPECT_EQ((new TVendamoGroup(fx.Form()))->Vendamoer(), fx.Loader());
    EXPECT_EQ((new TVendamoChildBand(fx.Form()))->Vendamoer(), fx.Loader());
    EXPECT_EQ((new TVendamoSubdetail(fx.Form()))->Vendamoer(), fx.Loader());
    TForm bare;
    EXPECT_EQ((new TVendamoBand(&bare))->Vendamoer(), nullptr);
    // Word and short-string limits.
    SetIntegerProperty(band, "StartPageNum", 70000);
    EXPECT_EQ(band->StartPageNum(), 70000 - 65536);
    band->SetExpression(QString(300, u'1'));
    EXPECT_EQ(band->Expression().size(), 255);
}

TEST(Bands, BackgroundIsACopyOwnedByTheBand) {
    TModelFixture fx;
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 20);
    TBitmap picture;
    picture.SetSize(5, 6);
    SetPointerProperty(band, "DesignBackground", &picture);
    picture.SetSize(1, 1);
    EXPECT_EQ(band->DesignBackground()->Width(), 5);
    EXPECT_NE(band->DesignBackground(), &picture);
}

TEST(Bands, VendamoerFollowsTheDesignerAndKeepsLinksValid) {
    TForm form;
    auto *band = new TVendamoBand(&form);
    auto *child = new TVendamoChildBand(&form);
    // A plain loader arriving later is not taken; a designer is.
    new TVDMLoader(&form);
    EXPECT_EQ(band->Vendamoer(), nullptr);
    auto *designer = new TRecordingDesigner(&form);
    EXPECT_EQ(band->Vendamoer(), designer);
    EXPECT_EQ(child->Vendamoer(), designer);
    delete designer;
    EXPECT_EQ(band->Vendamoer(), nullptr);
    // A child band whose parent band goes away has no parent instead of a dangling one.
    child->SetParentBand(band);
    delete band;
    EXPECT_EQ(child->ParentBand(), nullptr);
    // The same for a designer on another form.
    TForm other;
    auto *foreign = new TRecordingDesigner(&other);
    child->SetVendamoer(foreign);
    delete foreign;
    EXPECT_EQ(child->Vendamoer(), nullptr);
}

TEST(Bands, GroupAndSubdetailForgetTheirBandsWhenTheyGo) {
    TModelFixture fx;
    auto *group = fx.AddBand<TVendamoGroup>(10);
    auto *sub = fx.AddBand<TVendamoSubdetail>(10);
    auto *footer = fx.AddBand<TVendamoBand>(rbGroupFooter, 10);
    auto *header = fx.AddBand<TVendamoBand>(rbGroupHeader, 10);
    group->SetFooterBand(footer);
    sub->SetFooterBand(footer);
    sub->SetHeaderBand(header);
    delete footer;
    EXPECT_EQ(group->FooterBand(), nullptr);
    EXPECT_EQ(sub->FooterBand(), nullptr);
    EXPECT_EQ(sub->HeaderBand(), header);
    delete header;
    EXPECT_EQ(sub->HeaderBand(), nullptr);
}

TEST(Bands, MouseEventsGoToTheDesigner) {
    TModelFixture fx(true);
    auto *designer = static_cast<TRecordingDesigner *>(fx.Loader());
    auto *band = fx.AddBand<TVendamoGroup>(20);
    SendMouse(band, QEvent::MouseButtonPress, 5, 6);
    SendMouse(band, QEvent::MouseMove, 7, 8);
    SendMouse(band, QEvent::MouseButtonRelease, 9, 10);
    ASSERT_EQ(designer->Calls.size(), 3);
    EXPECT_EQ(designer->Calls[0].Kind, "down");
    EXPECT_EQ(designer->Calls[0].Sender, band);
    EXPECT_EQ(designer->Calls[0].X, 5);
    EXPECT_EQ(designer->Calls[2].Y, 10);
    // A band that cannot be selected keeps its presses, not its moves and releases.
    designer->Calls.clear();
    band->SetBlockSelection(true);
    SendMouse(band, QEvent::MouseButtonPress, 1, 1);
    SendMouse(band, QEvent::MouseMove, 2, 2);
    SendMouse(band, QEvent::MouseButtonRelease, 3, 3);
    ASSERT_EQ(designer->Calls.size(), 2);
    EXPECT_EQ(designer->Calls[0].Kind, "move");
    EXPECT_EQ(designer->Calls[1].Kind, "up");
}

TEST(Bands, DesignPaintingShowsNameAndBackgroundForADesignerOnly) {
    auto countColor = [](const QImage &image, const QColor &color, const QRect &area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixelColor(x, y) == color) ++n;
        return n;
    };
    for (bool designer : {false, true}) {
        TModelFixture fx(designer);
        fx.Report()->Page()->SetRuler(false);
        auto *band = fx.AddBand<TVendamoBand>(rbDetail, 20);
        band->SetName("DetailBand");
        band->SetCaption("gone");
        if (designer) static_cast<TRecordingDesigner *>(fx.Loader())->BandNameFont()->SetColor(clRed);
        TBitmap picture;
        QImage blue(10, 10, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        picture.SetImage(blue);
        band->SetDesignBackground(&picture);
        band->SetDesignBackgroundDX(200);
        QImage image(band->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        band->render(&image);
        EXPECT_EQ(band->Caption(), "");   // painting clears the band's text
        const int names = countColor(image, Qt::red, QRect(0, 0, 150, 25));
        const int pictures = countColor(image, Qt::blue, QRect(200, 0, 10, 10));
        if (designer) {
            EXPECT_GT(names, 20);
            EXPECT_EQ(pictures, 100);
        } else {
            EXPECT_EQ(names, 0);
            EXPECT_EQ(pictures, 0);
        }
    }
}

TEST(Bands, PrintHandlersAreInstalledOnceAndRestored) {
    TModelFixture fx;
    auto *band = fx.AddBand<TVendamoBand>(rbDetail, 10);
    int calls = 0;
    const TMethod app = Handler<QObject *, bool &>([&](QObject *, bool &) { ++calls; }, &calls);
    band->SetBeforePrint(app);
    band->InstallPrintHandler();
    band->InstallPrintHandler();
    EXPECT_TRUE(band->BeforePrint() == band->PrintHandler());
    EXPECT_TRUE(band->SavedBeforePrint() == app);
    bool print = true;
    band->BandBeforePrint(band, print);
    EXPECT_EQ(calls, 1);
    band->RestorePrintHandler();
    EXPECT_TRUE(band->BeforePrint() == app);
    EXPECT_FALSE(band->SavedBeforePrint().Assigned());
    EXPECT_FALSE(InstallBandPrintHandler(fx.Report()));
}

TEST(PageRule, SwitchedOnOnlyBySetValues) {
    EXPECT_FALSE(PageRuleApplies(0, 0, 0, false));
    EXPECT_FALSE(PageRuleApplies(0, 0, 1, false));
    EXPECT_TRUE(PageRuleApplies(0, 0, 2, false));
    EXPECT_TRUE(PageRuleApplies(0, 0, 0, true));
    EXPECT_TRUE(PageRuleApplies(0, 5, 0, false));
    QList<int> pages;
    for (int p = 1; p <= 9; ++p)
        if (PageRuleAllows(3, 0, 2, false, p)) pages.append(p);
    EXPECT_EQ(pages, QList<int>({3, 5, 7, 9}));
    EXPECT_TRUE(PageRuleAllows(2, 0, 0, false, 9999998));
    EXPECT_FALSE(PageRuleAllows(0, 0, 0, true, 1));
    EXPECT_TRUE(PageRuleAllows(0, 4, 0, true, 4));
    EXPECT_FALSE(PageRuleAllows(0, 4, 0, false, 5));
}

// Seven pages of two orders each, with a page header whose child bands carry page rules.
class PageRuleReport : public ::testing::Test {
protected:
    void SetUp() override {
        db = CreateSalesDatabase(fx.Path(QString()));
        q = new TQuery(fx.Form());
        q->SetName("Orders");
        q->SetDatabaseName(db);
        q->SQL()->SetText("SELECT id, amount FROM orders ORDER BY id");
        fx.Report()->SetDataSet(q);
        header = fx.AddBand<TVendamoBand>(rbPageHeader, 8);
        fx.Label(header, "HEADER", 0);
        detail = fx.AddBand<TVendamoBand>(rbDetail, 100);
        fx.Label(detail, "DETAIL", 0);
        footer = fx.AddBand<TVendamoBand>(rbPageFooter, 8);
        auto *page = fx.Add<TRepSysData>(footer, 0);
        page->SetData(TRepSysData::sdPageNumber);
        page->SetText("PAGENO ");
    }
    TVendamoChildBand *Child(const QString &text) {
        auto *c = fx.AddBand<TVendamoChildBand>(6);
        c->SetParentBand(header);
        fx.Label(c, text, 0);
        return c;
    }
    // The pages (1-based) whose text contains the word.
    static QList<int> PagesWith(const QStringList &pages, const QString &word) {
        QList<int> found;
        for (int i = 0; i < pages.size(); ++i)
            if (pages[i].contains(word)) found.append(i + 1);
        return found;
    }

    TModelFixture fx;
    QString db;
    TQuery *q = nullptr;
    TVendamoBand *header = nullptr, *detail = nullptr, *footer = nullptr;
};

TEST_F(PageRuleReport, BandsPrintOnTheirPages) {
    auto *odd = Child("STARTTHREESTEPTWO");
    odd->SetStartPageNum(3);
    odd->SetPageStep(2);
    Child("NOTFIRST")->SetNotOnFirstPage(true);
    Child("FROMTWO")->SetStartPageNum(2);
    Child("STEPONE")->SetPageStep(1);
    auto *range = Child("TWOTOFOUR");
    range->SetStartPageNum(2);
    range->SetEndPageNum(4);
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 7);
    EXPECT_EQ(PagesWith(pages, "HEADER"), QList<int>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PagesWith(pages, "STARTTHREESTEPTWO"), QList<int>({3, 5, 7}));
    EXPECT_EQ(PagesWith(pages, "NOTFIRST"), QList<int>({2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PagesWith(pages, "FROMTWO"), QList<int>({2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PagesWith(pages, "STEPONE"), QList<int>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PagesWith(pages, "TWOTOFOUR"), QList<int>({2, 3, 4}));
    EXPECT_TRUE(pages[6].contains("PAGENO 7"));
    // The run leaves the application's handlers in place again.
    EXPECT_FALSE(odd->BeforePrint().Assigned());
}

TEST_F(PageRuleReport, TheRuleJudgesThePageABandMovesTo) {
    // Three 100 mm details, each followed by a child; 261 mm between header and footer. A
    // child that does not fit under its detail moves to the next page, and its rule is asked
    // about that page.
    q->SQL()->SetText("SELECT id FROM orders ORDER BY id LIMIT 3");
    auto child = [&](const QString &text, double height) {
        auto *c = fx.AddBand<TVendamoChildBand>(height);
        c->SetParentBand(detail);
        fx.Label(c, text, 0);
        return c;
    };
    // Page 1: detail, child, detail, (child refused on page 2, where it would go); page 2:
    // detail, child refused.
    TVendamoChildBand *firstOnly = child("FIRSTPAGEONLY", 50);
    firstOnly->SetEndPageNum(1);
    QStringList pages = fx.RenderPdf("first.pdf");
    EXPECT_EQ(pages.size(), 2);
    EXPECT_EQ(PagesWith(pages, "FIRSTPAGEONLY"), QList<int>({1}));
    EXPECT_EQ(pages.join(' ').count("DETAIL"), 3);
    // A last child that would move to page 3 and is refused there leaves no page behind.
    firstOnly->SetHeightMM(70);
    pages = fx.RenderPdf("refused.pdf");
    EXPECT_EQ(pages.size(), 2);
    EXPECT_EQ(PagesWith(pages, "FIRSTPAGEONLY"), QList<int>({1}));
    delete firstOnly;

    // Page 1: detail, child refused, detail, (child moves on); page 2: that child, detail,
    // child.
    child("NOTONFIRST", 70)->SetNotOnFirstPage(true);
    pages = fx.RenderPdf("notfirst.pdf");
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].count("NOTONFIRST"), 0);
    EXPECT_EQ(pages[1].count("NOTONFIRST"), 2);
    EXPECT_TRUE(InOrder(Squeeze(pages[1]), {"NOTONFIRST", "DETAIL", "NOTONFIRST"})) << pages[1].toStdString();
}

TEST_F(PageRuleReport, PageFooterLeavesOutTheLastPageAfterASummary) {
    footer->SetNotOnLastPage(true);
    auto *summary = fx.AddBand<TVendamoBand>(rbSummary, 10);
    fx.Label(summary, "SUMMARY", 0);
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 7);
    EXPECT_EQ(PagesWith(pages, "PAGENO"), QList<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(PagesWith(pages, "SUMMARY"), QList<int>({7}));
    EXPECT_TRUE(fx.Report()->LastPage());
    // Without the flag the footer prints on the last page too.
    footer->SetNotOnLastPage(false);
    EXPECT_EQ(PagesWith(fx.RenderPdf("b.pdf"), "PAGENO"), QList<int>({1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(PageRuleReport, ExpressionDecidesBeforeTheApplicationsHandler) {
    detail->SetHeightMM(10);
    detail->SetExpression("amount > 500");
    auto *child = Child("CHILDFALSE");
    child->SetExpression("1 = 2");
    int childCalls = 0;
    child->SetBeforePrint(Handler<QObject *, bool &>(
        [&](QObject *, bool &print) {
            ++childCalls;
            print = true;
        },
        &childCalls));
    // The application's handler runs after a true condition and may still refuse the band.
    QList<QObject *> senders;
    detail->SetBeforePrint(Handler<QObject *, bool &>(
        [&](QObject *sender, bool &print) {
            senders.append(sender);
            if (q->FieldByName("id")->AsInteger() == 13) print = false;
        },
        &senders));
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    // Orders 10 .. 14 have amounts over 500; order 13 is refused by the application.
    EXPECT_EQ(pages[0].count("DETAIL"), 4);
    EXPECT_EQ(senders.size(), 5);
    EXPECT_EQ(senders.value(0), detail);
    EXPECT_FALSE(pages[0].contains("CHILDFALSE"));
    EXPECT_EQ(childCalls, 0);
}

TEST_F(PageRuleReport, BandsWithoutADesignerReportFollowTheirExpressionOnly) {
    Child("STARTTHREE")->SetStartPageNum(3);
    fx.Loader()->SetReport(nullptr);
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 7);
    EXPECT_EQ(PagesWith(pages, "STARTTHREE").size(), 7);
}
