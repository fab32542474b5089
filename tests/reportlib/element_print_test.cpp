// How elements print: alignment, clipping and stretching of text, frames, system data and
// calculations, checked at the positions the PDF text has.
#include "report_fixture.h"

#include "reportlib/rep_calc.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_sysdata.h"

#include "host/conversions.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(RepElementPrint, AlignmentWithinTheElementAndTheBand) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbTitle, 30);
    fx.Label(band, "LeftText", 20, 0);
    auto *right = fx.Label(band, "RightText", 20, 10);
    right->StoreAutoSize(false);
    right->SetSizeMM(3, 100);
    right->SetAlignment(taRightJustify);
    auto *banded = fx.Label(band, "BandRight", 20, 20);
    banded->SetAlignment(taRightJustify);
    banded->SetAlignToBand(true);
    const QString file = fx.Path("align.pdf");
    fx.Report()->ExportToPdf(file);
    const QList<TPdfWord> words = PdfWords(file);
    EXPECT_NEAR(FindWord(words, "LeftText").X, 10 + 20, 0.3);
    // Right-aligned text ends at the element's right edge (10 + 20 + 100 mm).
    const QFontMetricsF fm(fx.Report()->Font()->ToQFont(100));
    const double rightWidth = fm.horizontalAdvance("RightText") * 25.4 / 96;
    EXPECT_NEAR(FindWord(words, "RightText").X, 130 - rightWidth, 0.5);
    // Aligned to the band, it ends at the band's right edge (200 mm).
    const double bandWidth = fm.horizontalAdvance("BandRight") * 25.4 / 96;
    EXPECT_NEAR(FindWord(words, "BandRight").X, 200 - bandWidth, 0.5);
}

TEST(RepElementPrint, TextIsCutAtTheElementUnlessItStretches) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 10);
    // Lines are about 4 mm apart: the second line starts below the element and is left out
    // (the first is cut at the element's edge).
    auto *cut = fx.Add<TRepMemo>(band, 0, 0, 80, 3.5);
    cut->Lines()->SetText("visible\nhidden");
    auto *stretch = fx.Add<TRepMemo>(band, 100, 0, 80, 5);
    stretch->SetAutoStretch(true);
    stretch->Lines()->SetText("first\nsecond\nthird");
    fx.Label(fx.Band(rbSummary, 5), "after", 0);
    const QString file = fx.Path("cut.pdf");
    fx.Report()->ExportToPdf(file);
    const QList<TPdfWord> words = PdfWords(file);
    EXPECT_EQ(FindWord(words, "visible").Page, 1);
    EXPECT_EQ(FindWord(words, "hidden").Page, 0);
    EXPECT_EQ(FindWord(words, "third").Page, 1);
    // The band grew with the stretching memo: the summary follows its last line.
    EXPECT_GT(FindWord(words, "after").Y, FindWord(words, "third").Y + 3);
}

TEST(RepElementPrint, FramesOfElementsBandsAndTheReport) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbTitle, 20);
    band->Frame()->SetDrawBottom(true);
    band->Frame()->SetColor(clRed);
    band->Frame()->SetWidth(2);
    auto *label = fx.Label(band, "Framed", 50, 5);
    label->Frame()->SetDrawLeft(true);
    label->Frame()->SetColor(clBlue);
    label->Frame()->SetWidth(3);
    fx.Report()->Frame()->SetDrawTop(true);
    fx.Report()->Frame()->SetColor(clLime);
    fx.Report()->Frame()->SetWidth(3);
    fx.Report()->ExportToPng(fx.Path("png"), 96);
    const QImage page(fx.Path("png/page-0001.png"));
    ASSERT_FALSE(page.isNull());
    const double px = 96 / 25.4;
    // Band bottom at 30 mm, inside the band; label's left edge at 60 mm; report top at 10 mm.
    EXPECT_EQ(page.pixel(qRound(100 * px), qRound(30 * px) - 1), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(qRound(60 * px) + 1, qRound(17 * px)), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(qRound(100 * px), qRound(10 * px) + 1), qRgb(0, 255, 0));
    EXPECT_EQ(page.pixel(qRound(100 * px), qRound(50 * px)), qRgb(255, 255, 255));
}

TEST(RepElementPrint, SystemDataAndCalculations) {
    TReportFixture fx;
    const QString db = CreateSalesDatabase(fx.Path(QString()));
    TQuery *q = fx.Query("Orders", db, "SELECT amount FROM orders ORDER BY id");
    fx.Report()->SetDataSet(q);
    fx.Report()->SetReportTitle("Sales");
    TRepBand *title = fx.Band(rbTitle, 10);
    auto *date = fx.Add<TRepSysData>(title, 0, 0, 60);
    date->SetData(TRepSysData::sdDate);
    date->SetText("Printed ");
    auto *name = fx.Add<TRepSysData>(title, 80, 0, 60);
    name->SetData(TRepSysData::sdReportTitle);
    fx.Band(rbDetail, 0.5);
    TRepBand *summary = fx.Band(rbSummary, 40);
    const char *masks[TRepDBCalc::CalcOperationCount] = {"'sum='0.00", "'count='0", "'max='0.00", "'min='0.00",
                                                         "'avg='0.00"};
    for (int op = 0; op < TRepDBCalc::CalcOperationCount; ++op) {
        auto *calc = fx.Add<TRepDBCalc>(summary, 0, op * 6, 100);
        calc->SetDataSet(q);
        calc->SetDataField("amount");
        calc->SetOperation(TRepDBCalc::TRepCalcOperation(op));
        calc->SetMask(masks[op]);
    }
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    // Amounts: 100 (c + 1) + 10.5 o for seven customers and two orders each.
    const QString t = Squeeze(pages[0]);
    EXPECT_TRUE(InOrder(t, {"Printed " + DateToStr(Date()), "Sales", "sum=5673.50", "count=14", "max=710.50",
                            "min=100.00", "avg=405.25"}))
        << t.toStdString();
}
