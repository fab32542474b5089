// Frames and backgrounds painted by bands and elements, the lookup helpers and the expression
// evaluation helpers.
#include "recording_designer.h"
#include "report_fixture.h"

#include "model/design_frames.h"
#include "model/design_report.h"
#include "model/eval_helpers.h"
#include "model/lookup_helpers.h"

#include "reportlib/rep_label.h"

#include "host/forms.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The rows (or columns) of an image column (row) that have the colour.
QList<int> PaintedAlong(const QImage &image, bool vertical, int at, const QColor &color) {
    QList<int> hits;
    const int n = vertical ? image.height() : image.width();
    for (int i = 0; i < n; ++i)
        if (image.pixelColor(vertical ? at : i, vertical ? i : at) == color) hits.append(i);
    return hits;
}

}  // namespace

TEST(Frames, DesignFrameIsAsThickAsItsPointsAtScreenResolution) {
    TForm form;
    auto *label = new TRepLabel(&form);
    label->Frame()->SetColor(clRed);
    label->Frame()->SetDrawTop(true);
    label->Frame()->SetDrawLeft(true);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawFrame(label, &p, QRect(0, 0, 40, 20));
    }
    // 1 point at 96 pixels per inch is one pixel.
    EXPECT_EQ(PaintedAlong(image, true, 20, Qt::red), QList<int>({0}));
    EXPECT_EQ(PaintedAlong(image, false, 10, Qt::red), QList<int>({0}));
    // 3 points are four pixels; the bottom strip lies above the last row.
    label->Frame()->SetWidth(3);
    label->Frame()->SetDrawTop(false);
    label->Frame()->SetDrawLeft(false);
    label->Frame()->SetDrawBottom(true);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawFrame(label, &p, QRect(0, 0, 40, 20));
    }
    EXPECT_EQ(PaintedAlong(image, true, 20, Qt::red), QList<int>({15, 16, 17, 18}));
}

TEST(Frames, PrintedFrameFollowsTheDeviceFactors) {
    TForm form;
    auto *label = new TRepLabel(&form);
    label->Frame()->SetColor(clBlue);
    label->Frame()->SetDrawRight(true);
    label->Frame()->SetDrawTop(true);
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        // 300 dpi across, 150 dpi down: a point is 4.17 and 2.08 device pixels.
        PrintFrame(label, &p, QRect(0, 0, 200, 100), 300 / 254.0, 150 / 254.0);
    }
    EXPECT_EQ(PaintedAlong(image, false, 50, Qt::blue), QList<int>({195, 196, 197, 198}));
    EXPECT_EQ(PaintedAlong(image, true, 100, Qt::blue), QList<int>({0, 1}));
}

TEST(Frames, ComponentFrameOnlyWhenTheDesignerShowsThem) {
    TForm form;
    auto *designer = new TRecordingDesigner(&form);
    designer->SetComponentFrameStyle(0);
    designer->SetComponentFrameColor(clRed);
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        ShowComponentFrame(designer, &p, 30, 10);
        ShowComponentFrame(nullptr, &p, 30, 10);
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    designer->SetShowComponentFrames(true);
    {
        QPainter p(&image);
        ShowComponentFrame(designer, &p, 30, 10);
    }
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(29, 9), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 5), QColor(Qt::white));
}

TEST(Frames, BackgroundAsksForTheRulerOnlyWhenItDrewOne) {
    TForm form;
    auto *designer = new TRecordingDesigner(&form);
    auto *report = new TDesignReport(&form);
    report->SetZoom(200);
    TBitmap bitmap;
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    bitmap.SetImage(green);
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    EXPECT_FALSE(PaintDesignBackground(nullptr, 0, 0, report, designer, &p));
    EXPECT_TRUE(PaintDesignBackground(&bitmap, 3, 2, report, designer, &p));
    report->Page()->SetRuler(false);
    EXPECT_FALSE(PaintDesignBackground(&bitmap, 3, 2, report, designer, &p));
    p.end();
    // Scaled by the designer's report: 200 % puts the 4-pixel picture at 6..13, 4..11.
    EXPECT_EQ(image.pixelColor(6, 4), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(13, 11), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(14, 11), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 4), QColor(Qt::white));
}

TEST(LookupHelpers, UniqueComponentNames) {
    TForm form;
    EXPECT_EQ(FindUniqueComponentName(&form, "BAND", false), "BAND1");
    EXPECT_EQ(FindUniqueComponentName(&form, "BAND", true), "BAND");
    auto *a = new TRepLabel(&form);
    a->SetName("BAND");
    auto *b = new TRepLabel(&form);
    b->SetName("band1");
    EXPECT_EQ(FindUniqueComponentName(&form, "BAND", true), "BAND2");
    EXPECT_EQ(FindUniqueComponentName(&form, "Band", false), "Band2");
    // Never longer than a short string.
    const QString longBase(300, u'x');
    EXPECT_EQ(FindUniqueComponentName(&form, longBase, false).size(), 255);
}

TEST(LookupHelpers, StringSearchIgnoresCase) {
    TStringList list;
    list.Add("Orders");
    list.Add("Main.Customer");
    EXPECT_TRUE(FindStringInStringList(&list, "ORDERS"));
    EXPECT_TRUE(FindStringInStringList(&list, "main.customer"));
    EXPECT_FALSE(FindStringInStringList(&list, "Order"));
    EXPECT_FALSE(FindStringInStringList(nullptr, "Orders"));
}

TEST(LookupHelpers, FieldNamesAndDisplayLabels) {
    TReportFixture fx;
    const QString db = CreateSalesDatabase(fx.Path(QString()));
    TQuery *q = fx.Query("Customers", db, "SELECT id, name, city FROM customers");
    q->Open();
    q->FieldByName("name")->SetDisplayLabel("Customer name");
    q->FieldByName("city")->SetDisplayLabel("Customer name");
    EXPECT_EQ(FindField4DisplayLabel(q, "Customer name"), "name");
    EXPECT_EQ(FindField4DisplayLabel(q, "customer name"), "customer name");   // exact match only
    EXPECT_EQ(FindField4DisplayLabel(q, "id"), "id");
    EXPECT_EQ(FindDisplayLabel4Field(q, "city"), "Customer name");
    // A field without a display label shows its name.
    EXPECT_EQ(FindDisplayLabel4Field(q, "id"), "id");
    EXPECT_ANY_THROW(FindDisplayLabel4Field(q, "nope"));
}

TEST(EvalHelpers, ResultsInTheFormTheCallerNeeds) {
    TForm form;
    auto *report = new TDesignReport(&form);
    EXPECT_TRUE(EvalBoolExpression("", report));
    EXPECT_TRUE(EvalBoolExpression("1 + 2", report));
    EXPECT_TRUE(EvalBoolExpression("'text'", report));
    EXPECT_FALSE(EvalBoolExpression("1 = 2", report));
    EXPECT_TRUE(EvalBoolExpression("2 > 1", nullptr));
    EXPECT_EQ(EvalStringExpression("", report), "");
    EXPECT_EQ(EvalStringExpression("'ab' + 'c'", report), "abc");
    EXPECT_EQ(EvalStringExpression("1 + 2", report), "");
    EXPECT_EQ(EvalStringExpression("STR(1 + 2)", report), "3");
    EXPECT_FALSE(IsExprResultNumeric("", report));
    EXPECT_FALSE(IsExprResultNumeric("'12'", report));
    EXPECT_TRUE(IsExprResultNumeric("12", report));
    EXPECT_TRUE(IsExprResultNumeric("1 = 1", report));
    // The evaluator's own errors reach the caller.
    EXPECT_ANY_THROW(EvalBoolExpression("1 +", report));
    EXPECT_ANY_THROW(EvalStringExpression("UNKNOWNFIELD", report));
}

TEST(EvalHelpers, ExpressionsSeeTheReportsDatasets) {
    TReportFixture fx;
    const QString db = CreateSalesDatabase(fx.Path(QString()));
    TQuery *q = fx.Query("Customers", db, "SELECT id, name, city FROM customers ORDER BY id");
    q->Open();
    EXPECT_EQ(EvalStringExpression("Customers.name", fx.Report()), "Anders");
    EXPECT_FALSE(EvalBoolExpression("city = 'Lyon'", fx.Report()));
}
