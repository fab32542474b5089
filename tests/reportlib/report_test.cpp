// Report, band and element objects: published properties by name, references that stay
// valid, the stacking of bands on the design surface, and design-time painting.
#include "report_fixture.h"

#include "reportlib/accessible_element.h"
#include "reportlib/rep_calc.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_richtext.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

#include "host/class_registry.h"
#include "host/property_access.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(RepObjects, ClassesAreRegisteredAndPropertiesReachableByName) {
    TReportFixture fx;
    for (const char *name : {"TReport", "TRepBand", "TRepChildBand", "TRepGroup", "TRepSubDetail", "TRepLabel",
                             "TRepMemo", "TRepDBText", "TRepExpr", "TRepSysData", "TRepDBCalc", "TRepShape",
                             "TRepImage", "TRepDBImage", "TRepRichText", "TRepDBRichText"})
        EXPECT_NE(FindComponentClass(QString::fromLatin1(name)), nullptr) << name;

    TRepBand *band = fx.Band(rbDetail, 10);
    auto *label = fx.Label(band, "x", 0);
    SetStringProperty(label, "caption", "By name");
    SetIntegerProperty(label, "Alignment", 2);
    SetBooleanProperty(label, "WORDWRAP", false);
    EXPECT_EQ(label->Caption(), "By name");
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_FALSE(label->WordWrap());
    EXPECT_TRUE(GetFontProperty(label) == label->Font());
    EXPECT_EQ(GetIntegerProperty(band, "BandType"), 2);
    SetIntegerProperty(band, "BandType", 4);
    EXPECT_EQ(band->BandType(), rbSummary);
    EXPECT_EQ(GetPointerProperty(label, "Frame"), label->Frame());
    SetBooleanProperty(label->Frame(), "DrawTop", true);
    EXPECT_TRUE(label->Frame()->Value(0));
    // Labels have no data field; writes are ignored.
    SetStringProperty(label, "DataField", "x");
    EXPECT_FALSE(PropertyExists(label, "DataField"));

    auto *group = fx.AddBand<TRepGroup>(10);
    TRepBand *footer = fx.Band(rbGroupFooter, 5);
    SetPointerProperty(group, "FooterBand", footer);
    SetPointerProperty(group, "Master", fx.Report());
    EXPECT_EQ(group->FooterBand(), footer);
    EXPECT_EQ(group->Master(), fx.Report());
    // A reference of the wrong class is refused.
    SetPointerProperty(group, "FooterBand", label);
    EXPECT_EQ(group->FooterBand(), footer);
    // Group, sub-detail and child bands keep their type.
    group->SetBandType(rbTitle);
    EXPECT_EQ(group->BandType(), rbGroupHeader);
}

TEST(RepObjects, ReferencesAreClearedWhenTheirTargetGoes) {
    TReportFixture fx;
    TRepBand *detail = fx.Band(rbDetail, 10);
    auto *child = fx.AddBand<TRepChildBand>(5);
    child->SetParentBand(detail);
    auto *group = fx.AddBand<TRepGroup>(5);
    TRepBand *footer = fx.Band(rbGroupFooter, 5);
    group->SetFooterBand(footer);
    auto *sub = fx.AddBand<TRepSubDetail>(5);
    group->SetMaster(sub);
    auto *expr = fx.Add<TRepExpr>(footer, 0);
    expr->SetMaster(sub);
    detail->SetLinkBand(footer);
    TQuery *q = fx.Query("Q", "unused.sqlite", "SELECT 1");
    sub->SetDataSet(q);
    auto *text = fx.Add<TRepDBText>(detail, 0);
    text->SetDataSet(q);

    delete footer;
    EXPECT_EQ(group->FooterBand(), nullptr);
    EXPECT_EQ(detail->LinkBand(), nullptr);
    delete sub;
    EXPECT_EQ(group->Master(), nullptr);
    delete q;
    EXPECT_EQ(text->DataSet(), nullptr);
    delete detail;
    EXPECT_EQ(child->ParentBand(), nullptr);
    // Cycles of parent bands are refused.
    auto *grandchild = fx.AddBand<TRepChildBand>(5);
    grandchild->SetParentBand(child);
    child->SetParentBand(grandchild);
    EXPECT_EQ(child->ParentBand(), nullptr);
}

TEST(RepObjects, BandsStackInPrintOrderWithChildrenUnderTheirParents) {
    TReportFixture fx;
    TRepBand *summary = fx.Band(rbSummary, 10);
    TRepBand *detail = fx.Band(rbDetail, 10);
    TRepBand *pageFooter = fx.Band(rbPageFooter, 10);
    auto *groupFooter = fx.Band(rbGroupFooter, 10);
    auto *group = fx.AddBand<TRepGroup>(10);
    group->SetFooterBand(groupFooter);
    TRepBand *title = fx.Band(rbTitle, 10);
    auto *child = fx.AddBand<TRepChildBand>(7);
    child->SetParentBand(title);
    TRepBand *header = fx.Band(rbPageHeader, 12);
    const QList<TRepBand *> order = fx.Report()->PrintOrder();
    EXPECT_EQ(order, QList<TRepBand *>({header, title, child, group, detail, groupFooter, summary, pageFooter}));
    // Stacked from the top margin without gaps, full width between the margins.
    const double px = 96 / 25.4;
    EXPECT_EQ(header->y(), qRound(10 * px));
    EXPECT_EQ(title->y(), qRound(22 * px));
    EXPECT_EQ(child->y(), qRound(32 * px));
    EXPECT_EQ(group->y(), qRound(39 * px));
    EXPECT_EQ(header->x(), qRound(10 * px));
    EXPECT_EQ(header->width(), qRound(190 * px));
    // Width follows the page and columns; the band's second size value reports it.
    fx.Report()->Page()->SetColumns(2);
    EXPECT_DOUBLE_EQ(detail->SizeMM(1), 95);
    EXPECT_DOUBLE_EQ(title->SizeMM(1), 190);
    EXPECT_EQ(detail->width(), qRound(95 * px));
    // Growing a band moves the ones below; the designer only sets heights.
    title->SetBounds(0, 0, 5, title->height() + 20);
    EXPECT_EQ(child->y(), title->y() + title->height());
    EXPECT_EQ(title->x(), qRound(10 * px));
    // The band list keeps the detail band in slot 4.
    EXPECT_EQ(fx.Report()->BandList().value(4), detail);
}

TEST(RepObjects, HeldArrangementStacksTheBandsOnceTheLastHoldIsReleased) {
    TReportFixture fx;
    TReport *report = fx.Report();
    TRepBand *title = fx.Band(rbTitle, 10);
    const int top = title->y();
    report->HoldArrangement();
    report->HoldArrangement();
    TRepBand *header = fx.Band(rbPageHeader, 12);
    title->SetBounds(0, 0, 0, title->height() + 30);
    EXPECT_EQ(title->y(), top);
    report->ReleaseArrangement();
    EXPECT_EQ(title->y(), top);
    report->ReleaseArrangement();
    EXPECT_EQ(header->y(), top);
    EXPECT_EQ(title->y(), header->y() + header->height());
    // A release without a hold changes nothing, and arranging works as before.
    report->ReleaseArrangement();
    header->SetBounds(0, 0, 0, header->height() + 10);
    EXPECT_EQ(title->y(), header->y() + header->height());
}

TEST(RepObjects, LabelsSizeThemselvesToTheirText) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 10);
    auto *label = fx.Label(band, "Short", 50);
    const double shortWidth = label->SizeMM(3);
    label->SetAlignment(taRightJustify);
    const double right = label->SizeMM(1) + label->SizeMM(3);
    label->SetCaption("A much longer caption");
    EXPECT_GT(label->SizeMM(3), shortWidth);
    EXPECT_NEAR(label->SizeMM(1) + label->SizeMM(3), right, 1e-9);   // right edge kept
    label->StoreAutoSize(false);
    const double w = label->SizeMM(3);
    label->SetCaption("x");
    EXPECT_DOUBLE_EQ(label->SizeMM(3), w);
    // Word wrap breaks at the element's width.
    label->SetSizeMM(3, 25);
    label->SetCaption("one two three four five six");
    label->FormatLines();
    EXPECT_GT(label->FormattedLines().size(), 1);
    EXPECT_EQ(label->FormattedLines().join(' '), "one two three four five six");
}

TEST(RepObjects, ParentFontFollowsTheBandAndTheReport) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 10);
    auto *label = fx.Label(band, "x", 0);
    fx.Report()->Font()->SetSize(14);
    EXPECT_EQ(label->Font()->Size(), 14);
    band->Font()->SetSize(8);   // the band now has its own font
    EXPECT_FALSE(band->ParentFont());
    EXPECT_EQ(label->EffectiveFont()->Size(), 8);
    label->Font()->SetStyle(fsBold);
    EXPECT_FALSE(label->ParentFont());
    EXPECT_TRUE(label->EffectiveFont()->HasStyle(fsBold));
}

TEST(RepObjects, ExpressionValueAndCalculations) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 10);
    auto *expr = fx.Add<TRepExpr>(band, 0);
    expr->SetExpression("2 * 21");
    EXPECT_EQ(expr->Value().Kind, resInt);
    EXPECT_EQ(expr->Value().intResult, 42);
    expr->SetExpression("1 +");
    EXPECT_EQ(expr->Value().Kind, resError);
    auto *calc = fx.Add<TRepDBCalc>(band, 0);
    calc->SetOperation(TRepDBCalc::coAverage);
    EXPECT_DOUBLE_EQ(calc->Value(), 0.0);   // no values: no division by zero
}

namespace {

QImage Grab(QWidget *w) {
    QImage image(w->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w->render(&image);
    return image;
}

int CountColor(const QImage &image, const QRect &area, QRgb color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && image.pixel(x, y) == color) ++n;
    return n;
}

}  // namespace

TEST(RepPainting, ReportShowsPaperMarginsColumnsAndBands) {
    TReportFixture fx;
    fx.Report()->Page()->SetColumns(2);
    fx.Report()->Page()->SetRuler(false);
    TRepBand *detail = fx.Band(rbDetail, 30);
    detail->SetColor(clYellow);
    auto *shape = fx.Add<TRepShape>(detail, 5, 5, 20, 20);
    shape->Brush()->SetColor(clRed);
    auto *label = fx.Label(detail, "Label", 40, 5);
    label->SetColor(clBlue);
    label->Font()->SetColor(clWhite);

    fx.Report()->SetZoom(100);
    const QImage page = Grab(fx.Report());
    EXPECT_EQ(page.size(), QSize(qRound(210 / 25.4 * 96), qRound(297 / 25.4 * 96)));
    EXPECT_EQ(page.pixel(2, 2), qRgb(255, 255, 255));   // paper
    const QImage band = Grab(detail);
    EXPECT_GT(CountColor(band, band.rect(), qRgb(255, 255, 0)), 1000);   // band colour
    const QImage s = Grab(shape);
    EXPECT_EQ(s.pixel(s.width() / 2, s.height() / 2), qRgb(255, 0, 0));
    const QImage l = Grab(label);
    EXPECT_GT(CountColor(l, l.rect(), qRgb(0, 0, 255)), 50);       // background
    int light = 0;   // white text, antialiased
    for (int y = 0; y < l.height(); ++y)
        for (int x = 0; x < l.width(); ++x)
            if (qRed(l.pixel(x, y)) > 180 && qGreen(l.pixel(x, y)) > 180) ++light;
    EXPECT_GT(light, 10);

    // At zoom 50 everything is half as large.
    fx.Report()->SetZoom(50);
    EXPECT_EQ(Grab(fx.Report()).width(), qRound(210 / 25.4 * 96 * 0.5));
    EXPECT_EQ(shape->width(), qRound(20 / 25.4 * 96 * 0.5));
}

TEST(RepPainting, PrintedShapesImagesAndRichTextReachTheOutput) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbTitle, 60);
    auto *image = fx.Add<TRepImage>(band, 0, 0, 40, 40);
    QImage green(50, 50, QImage::Format_RGB32);
    green.fill(Qt::green);
    TBitmap bitmap;
    bitmap.SetImage(green);
    image->Picture()->SetGraphic(&bitmap);
    image->SetStretch(true);
    auto *rich = fx.Add<TRepRichText>(band, 50, 0, 100, 20);
    rich->SetLines("{\\rtf1 Rich {\\b bold} text\\par second line}");
    rich->SetAutoStretch(true);
    TRepBand *detail = fx.Band(rbDetail, 10);
    auto *memo = fx.Add<TRepMemo>(detail, 0, 0, 100, 10);
    memo->Lines()->SetText("Memo first\nMemo second");

    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(Squeeze(pages[0]), {"Rich bold text", "second line", "Memo first", "Memo second"}))
        << pages[0].toStdString();
    fx.Report()->ExportToPng(fx.Path("png"), 96);
    const QImage png(fx.Path("png/page-0001.png"));
    const int px = qRound(30 / 25.4 * 96);   // inside the stretched picture (10 mm margin + 20 mm)
    EXPECT_EQ(png.pixel(px, px), qRgb(0, 255, 0));
}

TEST(RepObjects, DatasetsOfOtherOwnersJoinTheReportsDatasetsUntilTheyGo) {
    TReportFixture fx;
    const QString db = CreateSalesDatabase(fx.Path(QString()));
    TQuery *own = fx.Query("Own", db, "SELECT 1 AS one");
    auto module = std::make_unique<TDataModule>();
    auto *other = new TQuery(module.get());
    other->SetName(QStringLiteral("Customers"));
    other->SetDatabaseName(db);
    other->SQL()->SetText(QStringLiteral("SELECT name FROM customers ORDER BY id"));
    EXPECT_FALSE(fx.Report()->AllDataSets().contains(other));

    fx.Report()->AddToAllDataSets(other);
    fx.Report()->AddToAllDataSets(other);
    fx.Report()->SetDataSet(other);
    EXPECT_EQ(fx.Report()->AllDataSets(), (QList<TDataSet *>{other, own}));
    // Expressions of a run see the added dataset by its name.
    fx.Report()->SetDataSet(nullptr);
    TRepBand *detail = fx.Band(rbTitle, 10);
    fx.Add<TRepExpr>(detail, 0)->SetExpression(QStringLiteral("Customers.name"));
    other->Open();
    const QStringList pages = fx.RenderPdf();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Anders"))) << pages[0].toStdString();

    // A freed dataset leaves the list, also when it was the report's dataset as well.
    fx.Report()->SetDataSet(other);
    module.reset();
    EXPECT_EQ(fx.Report()->DataSet(), nullptr);
    EXPECT_EQ(fx.Report()->AllDataSets(), (QList<TDataSet *>{own}));
    fx.Report()->AddToAllDataSets(own);
    fx.Report()->ClearAllDataSets();
    EXPECT_EQ(fx.Report()->AllDataSets(), (QList<TDataSet *>{own}));
}

TEST(RepObjects, ElementsAreNamedForAssistiveToolsAfterTheirComponent) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 10);
    auto *label = fx.Label(band, "x", 0);
    label->SetName(QStringLiteral("TotalLabel"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(iface, nullptr);
    EXPECT_NE(dynamic_cast<TAccessibleRepControl *>(iface), nullptr);
    EXPECT_EQ(iface->object(), label);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("TotalLabel"));
    label->setAccessibleName(QStringLiteral("Total"));  // a name given for the purpose wins
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Total"));
    ASSERT_NE(QAccessible::queryAccessibleInterface(band), nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(band)->parent()->object(), band->parentWidget());
    // Other widgets keep Qt's own interfaces.
    QWidget plain;
    EXPECT_EQ(dynamic_cast<TAccessibleRepControl *>(QAccessible::queryAccessibleInterface(&plain)), nullptr);
}

namespace {

// The rows inside the image's border that hold something other than the background colour.
int InkedRows(const QImage &image) {
    const QRgb background = image.pixel(image.width() / 2, image.height() - 3);
    int rows = 0;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (image.pixel(x, y) != background) {
                ++rows;
                break;
            }
    return rows;
}

}  // namespace

TEST(RepPainting, LabelsOfOneTextPaintAlikeAndFollowTheirOwnWidthAndText) {
    TReportFixture fx;
    TRepBand *band = fx.Band(rbDetail, 40);
    const QString text = QStringLiteral("alpha beta gamma delta");
    auto *first = fx.Label(band, text, 0);
    auto *twin = fx.Label(band, text, 0, 10);
    auto *narrow = fx.Label(band, text, 0, 20);
    for (TRepLabel *l : {first, twin, narrow}) {
        l->SetAutoSize(false);
        l->SetWordWrap(true);
        l->SetSizeValue(0, 20);  // height
        l->SetSizeValue(3, 60);  // width
    }
    narrow->SetSizeValue(3, 12);
    const QImage a = Grab(first), b = Grab(twin);
    EXPECT_EQ(a, b);
    const QImage wrapped = Grab(narrow);
    EXPECT_GT(InkedRows(wrapped), InkedRows(a)) << "a narrower label of the same text wraps";
    twin->SetCaption(QStringLiteral("omega"));
    EXPECT_NE(Grab(twin), a);
    twin->SetCaption(text);
    EXPECT_EQ(Grab(twin), a);
}
