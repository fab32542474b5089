// Rotated text: where the text starts for each quadrant and alignment, its size with
// AutoSize, its place on devices that are not at screen resolution, and what is printed.
#include "model_fixture.h"

#include "model/rotated_text.h"
#include "model/vendamo_text_elements.h"

#include "reportlib/rep_printer.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

class RotatedText : public ::testing::Test {
protected:
    void SetUp() override {
        band = fx.AddBand<TVendamoBand>(rbDetail, 60);
        label = fx.Add<TVendamoLabel>(band, 10, 5);
        label->SetCaption("Rotate");
        label->SetDegree(900);
        label->Font()->SetName("Liberation Sans");
        label->Font()->SetHeight(-20);
        // 200 x 100 screen pixels.
        label->SetSizeMM(3, RepPixelsToMM(200, 100));
        label->SetSizeMM(0, RepPixelsToMM(100, 100));
    }
    // Where the text starts for a Degree and alignment in the element's client area.
    QPoint Start(int degree, TAlignment alignment, int zoom = 100) {
        label->SetDegree(quint16(degree));
        QRect r(0, 0, 200 * zoom / 100, 100 * zoom / 100);
        CalculateRotatedPosition(label, label->Font(), alignment, r, zoom, false, 0, 0, label->Caption());
        return r.topLeft();
    }

    TModelFixture fx;
    TVendamoBand *band = nullptr;
    TVendamoLabel *label = nullptr;
};

}  // namespace

TEST_F(RotatedText, TheCaptionMeasuresAsExpected) {
    // The numbers below follow from this extent of "Rotate" in Liberation Sans, 20 pixels.
    const QFontMetrics fm(label->Font()->ToQFont(100));
    EXPECT_EQ(fm.horizontalAdvance("Rotate"), 59);
    EXPECT_EQ(fm.height(), 22);
}

TEST_F(RotatedText, QuadrantsAndAlignments) {
    // First quadrant (30 degrees): the text rises from its start.
    EXPECT_EQ(Start(300, taLeftJustify), QPoint(0, 81));
    EXPECT_EQ(Start(300, taCenter), QPoint(69, 55));
    EXPECT_EQ(Start(300, taRightJustify), QPoint(139, 29));
    // Second quadrant (135 degrees).
    EXPECT_EQ(Start(1350, taLeftJustify), QPoint(185, 101));
    EXPECT_EQ(Start(1350, taCenter), QPoint(113, 79));
    EXPECT_EQ(Start(1350, taRightJustify), QPoint(41, 57));
    // Third quadrant (225 degrees).
    EXPECT_EQ(Start(2250, taLeftJustify), QPoint(201, 15));
    EXPECT_EQ(Start(2250, taCenter), QPoint(129, 37));
    EXPECT_EQ(Start(2250, taRightJustify), QPoint(57, 59));
    // Fourth quadrant (315 degrees).
    EXPECT_EQ(Start(3150, taLeftJustify), QPoint(15, 0));
    EXPECT_EQ(Start(3150, taCenter), QPoint(87, 22));
    EXPECT_EQ(Start(3150, taRightJustify), QPoint(159, 44));
}

TEST_F(RotatedText, QuarterTurnsWithCentredText) {
    // 90: no horizontal shift, centred vertically (the text runs up from y 79 to 20).
    EXPECT_EQ(Start(900, taCenter), QPoint(0, 79));
    // 180: centred horizontally, moved down by the whole free height.
    EXPECT_EQ(Start(1800, taCenter), QPoint(129, 100));
    // 270: moved right by the whole free width, centred vertically.
    EXPECT_EQ(Start(2700, taCenter), QPoint(200, 20));
    EXPECT_EQ(Start(900, taLeftJustify), QPoint(0, 100));
    EXPECT_EQ(Start(900, taRightJustify), QPoint(0, 59));
    EXPECT_EQ(Start(1800, taRightJustify), QPoint(59, 100));
    EXPECT_EQ(Start(2700, taLeftJustify), QPoint(200, 0));
}

TEST_F(RotatedText, ZoomScalesTheOffsetsAndTheExtent) {
    EXPECT_EQ(Start(450, taCenter, 200), QPoint(144, 126));
}

TEST_F(RotatedText, AutoSizeTakesTheRotatedExtent) {
    label->SetDegree(450);
    label->SetAutoSize(true);
    QRect r(0, 0, 200, 100);
    CalculateRotatedPosition(label, label->Font(), taCenter, r, 100, false, 0, 0, label->Caption());
    // No alignment: only the start inside the rotated extent.
    EXPECT_EQ(r.topLeft(), QPoint(0, 41));
    EXPECT_EQ(label->width(), 56);
    EXPECT_EQ(label->height(), 56);
}

TEST_F(RotatedText, DeviceOutputKeepsThePositionAsAFractionOfTheElement) {
    TRepPrinter *printer = fx.Report()->Printer();
    printer->BeginRun(300, rdExport);
    label->SetDegree(900);
    QRect r(0, 0, 200, 100);
    // Band corner at 20 mm, 30 mm; the element at 10 mm, 5 mm inside it.
    CalculateRotatedPosition(label, label->Font(), taCenter, r, 100, true, 20, 30, label->Caption());
    printer->EndRun();
    // Left: 30 mm is device x 354; top: 79 % of the way from 413 (35 mm) to 726 (61.46 mm).
    EXPECT_EQ(r, QRect(QPoint(354, 660), QPoint(978, 725)));
}

TEST_F(RotatedText, PrintsRotatedInsideTheElement) {
    auto color = [](const QImage &page, int x, int y) { return page.pixelColor(x, y); };
    label->Font()->SetColor(clRed);
    label->SetAlignment(taCenter);
    label->SetDegree(900);
    const QList<QImage> pages = fx.RenderPng(192);
    ASSERT_EQ(pages.size(), 1);
    const QImage &page = pages[0];
    // The element's device rectangle at 192 dpi: margins 10 mm, element at 10 mm, 5 mm.
    const int left = int(std::lround(20 / 25.4 * 192)), top = int(std::lround(15 / 25.4 * 192));
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = color(page, x, y);
            if (c.red() > 200 && c.green() < 100 && c.blue() < 100) ink |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(ink.isEmpty());
    // Upright text would be wide and low; turned a quarter it is tall and narrow, starting at
    // the element's left edge and centred in its 200 device pixels of height.
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_GE(ink.left(), left);
    EXPECT_LE(ink.right(), left + 2 * 22);
    EXPECT_GE(ink.top(), top + 2 * 20 - 2);
    EXPECT_LE(ink.bottom(), top + 2 * 79 + 2);
}

TEST_F(RotatedText, ExpressionsPrintTheirValueRotated) {
    auto *expr = fx.Add<TVendamoExpr>(band, 100, 5, 40, 40);
    expr->SetExpression("'Turned' + ' text'");
    expr->SetDegree(1800);
    expr->Font()->SetName("Liberation Sans");
    label->SetDegree(0);
    label->SetCaption("Upright");
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("Upright"));
    // Upside down, the words come out reversed or mirrored; their letters are there.
    const QString squeezed = Squeeze(pages[0]).remove(' ');
    EXPECT_TRUE(squeezed.contains("Turned") || squeezed.contains("denruT") || squeezed.contains("txet"))
        << squeezed.toStdString();
    EXPECT_EQ(expr->Caption(), "Turned text");
}

TEST_F(RotatedText, PaintsRotatedOnTheDesignSurface) {
    label->Font()->SetColor(clRed);
    label->SetAlignment(taCenter);
    auto *expr = fx.Add<TVendamoExpr>(band, 100, 5, 40, 40);
    expr->SetDegree(2700);   // keeps the element's size from here on
    expr->SetExpression("'Expression'");
    expr->Font()->SetColor(clRed);
    EXPECT_EQ(expr->height(), int(std::lround(40 / 25.4 * 96)));
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(expr)}) {
        QImage image(w->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        w->render(&image);
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 100) ink |= QRect(x, y, 1, 1);
            }
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GT(ink.height(), 2 * ink.width()) << w->metaObject()->className();
    }
}
