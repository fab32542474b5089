// Reports over the demo database: a grouped country list and an employee list with photos.
#include "report_fixture.h"

#include "demo_database.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_sysdata.h"

#include "dblib/table.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(DemoReports, CountriesGroupedByContinent) {
    TReportFixture fx;
    const QString db = fx.Path("demo.sqlite");
    DemoDatabase::WriteDatabaseFile(db);
    TQuery *q = fx.Query("Countries", db, "SELECT * FROM country ORDER BY Continent, Name");
    fx.Report()->SetDataSet(q);
    fx.Report()->SetReportTitle("Countries of the world");
    auto *title = fx.Add<TRepSysData>(fx.Band(rbTitle, 10), 0);
    title->SetData(TRepSysData::sdReportTitle);
    auto *group = fx.AddBand<TRepGroup>(8);
    group->SetExpression("Continent");
    auto *continent = fx.Add<TRepDBText>(group, 0);
    continent->SetDataSet(q);
    continent->SetDataField("Continent");
    TRepBand *detail = fx.Band(rbDetail, 6);
    auto *name = fx.Add<TRepDBText>(detail, 10);
    name->SetDataSet(q);
    name->SetDataField("Name");
    auto *capital = fx.Add<TRepDBText>(detail, 70);
    capital->SetDataSet(q);
    capital->SetDataField("Capital");
    TRepBand *footer = fx.Band(rbGroupFooter, 8);
    group->SetFooterBand(footer);
    auto *count = fx.Add<TRepExpr>(footer, 10, 0, 80);
    count->SetExpression("'Countries: ' + STR(COUNT)");
    count->SetResetAfterPrint(true);
    auto *total = fx.Add<TRepExpr>(fx.Band(rbSummary, 8), 0, 0, 80);
    total->SetExpression("'All countries: ' + STR(COUNT)");

    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    const QString t = Squeeze(pages[0]);
    EXPECT_TRUE(InOrder(t, {"Countries of the world", "Africa", "Egypt Cairo", "Kenya Nairobi", "Countries: 2", "Asia",
                            "Japan Tokyo", "Countries: 1", "Europe", "Austria Vienna", "Sweden Stockholm",
                            "Countries: 10", "North America", "Countries: 3", "Oceania", "Australia Canberra",
                            "Countries: 1", "South America", "Argentina Buenos Aires", "Countries: 3",
                            "All countries: 20"}))
        << t.toStdString();
}

TEST(DemoReports, EmployeePhotosPrintFromTheBlobField) {
    TReportFixture fx;
    const QString db = fx.Path("demo.sqlite");
    DemoDatabase::WriteDatabaseFile(db);
    auto *table = new TTable(fx.Form());
    table->SetName("Employees");
    table->SetDatabaseName(db);
    table->SetTableName("employee");
    fx.Report()->SetDataSet(table);
    TRepBand *detail = fx.Band(rbDetail, 20);
    auto *photo = fx.Add<TRepDBImage>(detail, 0, 0, 20, 20);
    photo->SetDataSet(table);
    photo->SetDataField("Photo");
    photo->SetStretch(true);
    auto *last = fx.Add<TRepDBText>(detail, 30);
    last->SetDataSet(table);
    last->SetDataField("LastName");
    const QStringList pages = fx.RenderPdf();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(Squeeze(pages.join(' ')).split(' ').size(), DemoDatabase::kEmployees);

    fx.Report()->ExportToPng(fx.Path("png"), 96);
    const QImage png(fx.Path("png/page-0001.png"));
    ASSERT_FALSE(png.isNull());
    // The first photo fills 10..30 mm; its pixels are not the white of the paper.
    const int at = qRound(20 / 25.4 * 96);
    EXPECT_NE(png.pixel(at, at), qRgb(255, 255, 255));
}
