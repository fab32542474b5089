// Writer -> reader -> writer gives the same bytes, and what is read is what was written.
#include "full_report.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

#include <gtest/gtest.h>

namespace {

// Loads bytes into a fresh form set to the units the file was saved in, and saves it again.
QByteArray Resave(const QByteArray &bytes, TReportForm &g, QByteArray &appData) {
    g.Designer->SaveImagesInReportfile = true;
    g.Designer->SetSaveLoadPrinterSetup(true);
    KeepApplicationData(g, appData);
    TReportLoadInfo info;
    TMemoryStream in(bytes);
    if (!Load_Report_From_Stream(in, nullptr, g.Designer, true, QString(), g.Report, g.Form.get(), &info))
        return QByteArray();
    g.Report->SetUnitsOrdinal(info.StoredUnits);
    return g.Save();
}

TEST(RoundTrip, FullReportIsByteIdentical) {
    TScriptedInteraction ui;
    TReportForm f;
    BuildFullReport(f);
    const QByteArray first = f.Save();
    ASSERT_FALSE(first.isEmpty());
    // Every record kind is there.
    for (auto [kind, size] : std::initializer_list<std::pair<int, int>>{
             {254, 256}, {58, 22}, {102, 262}, {50, 1542}, {53, 523}, {8, 1029}, {57, 1543}, {10, 771}, {255, 356},
             {101, 321}, {0, 13}, {2, 18}, {3, 10}, {4, 14}, {5, 3}, {6, 4}, {7, 15}, {9, 17}, {55, 6}, {56, 8}})
        EXPECT_NE(FindRecord(first, kind, size), -1) << kind;

    TReportForm g;
    QByteArray appData;
    const QByteArray second = Resave(first, g, appData);
    EXPECT_EQ(appData, FullReportApplicationData);
    ASSERT_EQ(second.size(), first.size());
    const auto at = std::mismatch(first.begin(), first.end(), second.begin()).first - first.begin();
    EXPECT_TRUE(second == first) << "first difference at byte " << at << ": "
                                 << first.mid(qMax<qsizetype>(0, at - 40), 80).toHex().toStdString() << " / "
                                 << second.mid(qMax<qsizetype>(0, at - 40), 80).toHex().toStdString();
    EXPECT_TRUE(ui.Errors().isEmpty()) << ui.Errors().join(QLatin1Char('\n')).toStdString();
}

TEST(RoundTrip, ReadBackValues) {
    TScriptedInteraction ui;
    TReportForm f;
    BuildFullReport(f);
    const QByteArray bytes = f.Save();
    TReportForm g;
    g.Report->SetUnits(ruInches);
    g.Designer->SetSaveLoadPrinterSetup(true);
    ASSERT_TRUE(g.Load(bytes));

    TDesignReport *r = g.Report;
    EXPECT_EQ(r->ReportTitle(), QStringLiteral("Customers and their orders — Überblick"));
    EXPECT_DOUBLE_EQ(r->Page()->Width(), 8.5);
    EXPECT_EQ(r->Page()->Columns(), 2);
    EXPECT_EQ(r->PrinterSettings()->Copies(), 3);
    EXPECT_EQ(r->Description()->Count(), 2);
    EXPECT_FALSE(r->PrintIfEmpty());
    EXPECT_EQ(r->Zoom(), 150);
    EXPECT_EQ(r->DataSet(), g.Find<TTable>(QStringLiteral("Customers")));

    auto *group = g.Find<TVendamoGroup>(QStringLiteral("CountryGroup"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Expression(), QStringLiteral("Customers.Country + ") + QString(300, QLatin1Char('x')));
    EXPECT_EQ(group->FooterBand(), g.Find<TVendamoBand>(QStringLiteral("CountryFooter")));
    EXPECT_EQ(group->Master(), r);
    auto *sub = g.Find<TVendamoSubdetail>(QStringLiteral("OrdersBand"));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->DataSet(), g.Find<TTable>(QStringLiteral("Orders")));
    EXPECT_EQ(sub->HeaderBand(), g.Find<TVendamoBand>(QStringLiteral("OrdersHeader")));
    EXPECT_EQ(sub->FooterBand(), g.Find<TVendamoBand>(QStringLiteral("OrdersFooter")));
    EXPECT_TRUE(sub->PrintBefore());
    EXPECT_FALSE(sub->PrintIfEmpty());
    auto *child = g.Find<TVendamoChildBand>(QStringLiteral("DetailChild"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->ParentBand(), g.Find<TVendamoBand>(QStringLiteral("Detail")));
    EXPECT_EQ(child->Expression(), QStringLiteral("Customers.TaxRate > 0"));
    auto *footer = g.Find<TVendamoBand>(QStringLiteral("PageFooter"));
    EXPECT_EQ(footer->LinkBand(), g.Find<TVendamoBand>(QStringLiteral("Summary")));
    EXPECT_TRUE(footer->NotOnLastPage());
    auto *header = g.Find<TVendamoBand>(QStringLiteral("PageHeader"));
    EXPECT_EQ(header->StartPageNum(), 2);
    EXPECT_EQ(header->PageStep(), 2);
    EXPECT_EQ(header->EndPageNum(), 40);
    EXPECT_TRUE(header->NotOnFirstPage());
    EXPECT_FALSE(g.Find<TVendamoBand>(QStringLiteral("Overlay"))->Enabled());
    EXPECT_TRUE(g.Find<TVendamoBand>(QStringLiteral("TitleBand"))->BlockDelete());

    auto *label = g.Find<TVendamoLabel>(QStringLiteral("TitleLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Degree(), 900);
    EXPECT_EQ(label->Caption(), QStringLiteral("Customers — Käufer"));
    EXPECT_EQ(label->GroupID(), 7);
    EXPECT_EQ(label->Tag(), 42);
    EXPECT_TRUE(label->BlockMove());
    EXPECT_DOUBLE_EQ(label->SizeValue(3), 4);
    EXPECT_DOUBLE_EQ(label->SizeValue(0), 0.4);
    EXPECT_EQ(g.Find<TVendamoLabel>(QStringLiteral("Watermark"))->parent(), r);
    auto *expr = g.Find<TVendamoExpr>(QStringLiteral("Total"));
    ASSERT_NE(expr, nullptr);
    EXPECT_EQ(expr->Expression(), QStringLiteral("SUM(Orders.ItemsTotal) + ") + QString(600, QLatin1Char('1')));
    EXPECT_EQ(expr->Master(), sub);
    auto *text = g.Find<TVendamoDBText>(QStringLiteral("Company"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->SuppressRepeatedValues());
    // Data texts show their field's display label.
    EXPECT_EQ(text->Caption(), QStringLiteral("Company name"));
    auto *image = g.Find<TVendamoImage>(QStringLiteral("Logo"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Filename(), QStringLiteral("C:\\Pictures\\logo.bmp"));
    EXPECT_EQ(image->Picture()->Image().pixel(1, 1), qRgb(200, 100, 50));
    auto *rich = g.Find<TVendamoRichtext>(QStringLiteral("Intro"));
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->RichEdit()->toPlainText(), QStringLiteral("Hello bold world"));
    EXPECT_EQ(g.Find<TVendamoMemo>(QStringLiteral("Notes"))->Lines()->Count(), 4);

    auto *orders = g.Find<TTable>(QStringLiteral("Orders"));
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->MasterSource(), g.Find<TDataSource>(QStringLiteral("CustomersDatasource")));
    TField *lookup = orders->FindField(QStringLiteral("CustomerName"));
    ASSERT_NE(lookup, nullptr);
    EXPECT_TRUE(lookup->Lookup());
    EXPECT_EQ(lookup->LookupDataSet(), g.Find<TTable>(QStringLiteral("Customers")));
    auto *wizard = g.Find<TWizQuery>(QStringLiteral("Spanish"));
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->Filters().size(), 2);
    auto *query = g.Find<TQuery>(QStringLiteral("BigOrders"));
    ASSERT_NE(query, nullptr);
    EXPECT_DOUBLE_EQ(query->ParamByName(QStringLiteral("Minimum")).AsFloat(), 1000);
    EXPECT_TRUE(query->UniDirectional());
}

TEST(RoundTrip, LoadingTwiceReplacesTheContent) {
    TScriptedInteraction ui;
    TReportForm f;
    BuildFullReport(f);
    const QByteArray bytes = f.Save();
    TReportForm g;
    ASSERT_TRUE(g.Load(bytes));
    const int components = g.Form->ComponentCount();
    ASSERT_TRUE(g.Load(bytes));
    EXPECT_EQ(g.Form->ComponentCount(), components);
    // Without datasets the datasets of the form stay and bands and elements are replaced.
    ASSERT_TRUE(g.Load(f.Save(false), false));
    EXPECT_NE(g.Find<TTable>(QStringLiteral("Customers")), nullptr);
    EXPECT_EQ(g.All<TVendamoGroup>().size(), 1);
}

TEST(RoundTrip, DatasetStreamHoldsTheDatasets) {
    TScriptedInteraction ui;
    TReportForm f;
    BuildFullReport(f);
    TMemoryStream report, datasets;
    ASSERT_TRUE(Save_Report_To_Stream(report, &datasets, f.Designer, true, f.Form.get()));
    EXPECT_EQ(FindRecord(report.Data(), 50, 1542), -1);
    EXPECT_NE(FindRecord(datasets.Data(), 50, 1542), -1);
    EXPECT_EQ(datasets.Data().right(2), TBytes().Word(256).Data());
    TReportForm g;
    report.SetPosition(0);
    datasets.SetPosition(0);
    ASSERT_TRUE(Load_Report_From_Stream(report, &datasets, g.Designer, true, QString(), g.Report, g.Form.get()));
    EXPECT_EQ(g.Report->DataSet(), g.Find<TTable>(QStringLiteral("Customers")));
    // A dataset stream that holds other records fails the load.
    TMemoryStream bad(TBytes().Word(0x0404).Raw(HandLabelRecord(0, "X", "y")).Data());
    report.SetPosition(0);
    EXPECT_FALSE(Load_Report_From_Stream(report, &bad, g.Designer, true, QString(), g.Report, g.Form.get()));
}

}  // namespace
