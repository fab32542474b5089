// Units of measurement: conversions, exact round trips, page values and printer positions.
#include "reportlib/rep_label.h"
#include "reportlib/rep_page.h"
#include "reportlib/report.h"

#include "host/forms.h"
#include "host/property_access.h"

#include <gtest/gtest.h>

TEST(RepUnits, ConversionFactorsOfEveryUnit) {
    EXPECT_DOUBLE_EQ(RepToMM(2, ruInches, raX), 50.8);
    EXPECT_DOUBLE_EQ(RepToMM(96, ruPixels, raY), 25.4);
    EXPECT_DOUBLE_EQ(RepToMM(10, ruCharacters, raX), 25.4);   // 10 characters per inch
    EXPECT_DOUBLE_EQ(RepToMM(6, ruCharacters, raY), 25.4);    // 6 lines per inch
    EXPECT_DOUBLE_EQ(RepToMM(254, ruNative, raX), 25.4);      // tenths of a millimetre
    EXPECT_DOUBLE_EQ(RepFromMM(25.4, ruMM, raY), 25.4);
    // Unknown ordinals fall back to millimetres instead of indexing past the table.
    EXPECT_EQ(RepUnitsFromOrdinal(9), ruMM);
    EXPECT_EQ(RepUnitsFromOrdinal(-1), ruMM);
    EXPECT_EQ(RepUnitsFromOrdinal(4), ruNative);
}

TEST(RepUnits, MeasureGivesBackExactlyWhatWasSet) {
    // Values that do not survive a trip through millimetres unchanged must still read back
    // bit for bit in the unit they were set in.
    for (double v : {0.1, 1.0 / 3.0, 7.77, 123.456789, 0.3}) {
        TRepMeasure m(v, ruInches, raX);
        EXPECT_EQ(m.Get(ruInches, raX), v);
        EXPECT_DOUBLE_EQ(m.MM(), v * 25.4);
        EXPECT_DOUBLE_EQ(m.Get(ruMM, raX), v * 25.4);
    }
    TRepMeasure bad(std::numeric_limits<double>::quiet_NaN(), ruMM, raX);
    EXPECT_EQ(bad.MM(), 0.0);
    // Damaged huge values are held at 100 m.
    TRepMeasure huge(1e300, ruInches, raY);
    EXPECT_EQ(huge.MM(), 100000.0);
    EXPECT_EQ(huge.Get(ruMM, raY), 100000.0);
}

TEST(RepUnits, ChangingReportUnitsKeepsPhysicalSizes) {
    TForm form;
    auto *report = new TReport(&form);
    auto *band = new TRepBand(&form);
    band->SetParent(report);
    auto *label = new TRepLabel(&form);
    label->SetParent(band);
    label->SetAutoSize(false);

    report->SetUnits(ruMM);
    band->SetSizeValue(0, 25.4);
    label->SetSizeValue(1, 12.7);
    label->SetSizeValue(3, 50.8);
    report->SetUnits(ruInches);
    EXPECT_DOUBLE_EQ(band->SizeValue(0), 1.0);
    EXPECT_DOUBLE_EQ(label->Size()->Left(), 0.5);
    EXPECT_DOUBLE_EQ(label->Size()->Width(), 2.0);
    report->SetUnits(ruNative);
    EXPECT_DOUBLE_EQ(band->Size()->Height(), 254.0);
    report->SetUnits(ruPixels);
    EXPECT_DOUBLE_EQ(band->SizeValue(0), 96.0);
    // Published by name for generic code.
    report->SetUnitsOrdinal(ruMM);
    EXPECT_EQ(GetIntegerProperty(report, QStringLiteral("units")), 0);
    SetFloatProperty(label->Size(), QStringLiteral("Top"), 3.5);
    EXPECT_DOUBLE_EQ(label->SizeMM(2), 3.5);
}

TEST(RepUnits, WidgetGeometryFollowsZoom) {
    TForm form;
    auto *report = new TReport(&form);
    auto *band = new TRepBand(&form);
    band->SetParent(report);
    auto *label = new TRepLabel(&form);
    label->SetParent(band);
    label->SetAutoSize(false);
    label->SetSizeMM(1, 25.4);
    label->SetSizeMM(3, 50.8);
    EXPECT_EQ(label->x(), 96);
    EXPECT_EQ(label->width(), 192);
    report->SetZoom(50);
    EXPECT_EQ(label->x(), 48);
    EXPECT_EQ(label->width(), 96);
    // Moving in pixels at zoom 50 stores the physical position; width stays untouched.
    label->SetBounds(24, label->y(), label->width(), label->height());
    EXPECT_DOUBLE_EQ(label->SizeMM(1), 12.7);
    EXPECT_DOUBLE_EQ(label->SizeMM(3), 50.8);
    // The report is the paper at the zoom.
    EXPECT_EQ(report->width(), int(std::lround(210 / 25.4 * 96 * 0.5)));
}

TEST(RepPage, StandardPapersFollowOrientationCustomKeepsValues) {
    TRepPage page;
    page.SetUnits(ruMM);
    EXPECT_EQ(page.PaperSize(), psA4);
    EXPECT_DOUBLE_EQ(page.Width(), 210);
    EXPECT_DOUBLE_EQ(page.Length(), 297);
    page.SetOrientation(poLandscape);
    EXPECT_DOUBLE_EQ(page.Width(), 297);
    EXPECT_DOUBLE_EQ(page.Value(TRepPage::pvLength), 210);
    // Values can be restored in any order without one clobbering another.
    page.SetLength(100);
    page.SetPaperSize(psCustom);
    page.SetWidth(80);
    EXPECT_DOUBLE_EQ(page.Length(), 100);
    EXPECT_DOUBLE_EQ(page.Width(), 80);
    EXPECT_EQ(page.PaperMM(), QSizeF(80, 100));
    page.SetPaperSize(psLetter);
    EXPECT_NEAR(page.PaperMM().width(), 279.4, 1e-9);   // landscape letter
    EXPECT_EQ(RepFindPaperSize(QSizeF(297, 210)), psA4);
    EXPECT_EQ(RepFindPaperSize(QSizeF(123, 45)), psCustom);
    // Damaged values give a usable page.
    page.SetPaperSize(psCustom);
    page.SetWidth(-5);
    page.SetLeftMargin(500);
    EXPECT_GE(page.PrintAreaMM().width(), 1.0);
    EXPECT_GE(page.PaperMM().width(), 1.0);
    page.SetColumns(0);
    EXPECT_EQ(page.Columns(), 1);
}

TEST(RepPage, ColumnWidthSharesTheAreaLessSpaces) {
    TRepPage page;
    page.SetColumns(3);
    page.SetColumnSpace(5);
    EXPECT_DOUBLE_EQ(page.ColumnWidthMM(), (190.0 - 10.0) / 3);
}

TEST(RepPrinter, PositionsAreReportUnitsAtTheDeviceResolution) {
    TForm form;
    auto *report = new TReport(&form);
    TRepPrinter *p = report->Printer();
    p->BeginRun(600, rdExport);
    report->SetUnits(ruMM);
    EXPECT_EQ(report->XPos(25.4), 600);
    EXPECT_EQ(report->YSize(10), int(std::lround(10 / 25.4 * 600)));
    report->SetUnits(ruInches);
    EXPECT_EQ(report->XPos(1.5), 900);
    report->SetUnits(ruNative);
    EXPECT_EQ(report->YPos(254), 600);
    EXPECT_DOUBLE_EQ(p->XFactor(), 600 / 254.0);
    EXPECT_EQ(p->CanvasFont(report->Font()).pixelSize(), -report->Font()->Height() * 600 / 96);
    p->EndRun();
}
