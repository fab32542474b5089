#include "host/colors.h"
#include "host/exceptions.h"
#include "host/font.h"
#include "host/pen_brush.h"
#include "host/property_access.h"

#include <QFontInfo>
#include "change_counter.h"
#include <gtest/gtest.h>

TEST(Colors, ValuesAreStoredBlueGreenRed) {
    EXPECT_EQ(ColorToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(ColorToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(QColorToColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(QColorToColor(QColor(255, 0, 0, 128)), clRed);  // alpha is dropped
    EXPECT_EQ(QColorToColor(QColor()), clNone);
    EXPECT_EQ(QColorToColor(ColorToQColor(clNone)), clNone);
    EXPECT_EQ(ColorToQColor(clDefault), QColor(Qt::white));
}

TEST(Colors, SystemColorsPaintAsFixedDefaults) {
    EXPECT_EQ(quint32(clBtnFace), 0x8000000Fu);
    EXPECT_TRUE(IsSystemColor(clWindowText));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_EQ(ColorToQColor(clWindow), QColor(Qt::white));
    EXPECT_EQ(ColorToQColor(clWindowText), QColor(Qt::black));
    EXPECT_EQ(ColorToQColor(clBtnFace), QColor(212, 208, 200));
    EXPECT_EQ(ColorToQColor(clHighlight), QColor(10, 36, 106));
    EXPECT_EQ(ColorToQColor(clInfoBk), QColor(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(TColor(0x800000FF)), clBlack);  // index beyond the table
    EXPECT_EQ(ColorToRGB(TColor(0x02336699)), 0x00336699);  // palette forms keep their RGB
}

TEST(Colors, NamesAndHexTextRoundTrip) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(TColor(0x8000001F)), "$8000001F");
    EXPECT_EQ(StringToColor("clred"), clRed);
    EXPECT_EQ(StringToColor("CLWINDOWTEXT"), clWindowText);
    EXPECT_EQ(StringToColor("$00ABCDEF"), 0x00ABCDEF);
    EXPECT_EQ(StringToColor("$8000000F"), clBtnFace);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-16777201"), TColor(0xFF00000F));
    for (TColor c : {clNone, clDefault, clInfoBk, TColor(0x00FEDCBA), TColor(0xFFFFFFFF)})
        EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c).toStdString();
    EXPECT_THROW(StringToColor("clPink"), EConvertError);
    EXPECT_THROW(StringToColor("$1FFFFFFFF"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}

TEST(Font, SizeAndHeightAgreeAtNinetySixPixelsPerInch) {
    TFont f;
    EXPECT_EQ(f.Name(), "Arial");
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Height(), -13);
    EXPECT_EQ(f.Color(), clWindowText);
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetSize(11);
    EXPECT_EQ(f.Height(), -15);
    EXPECT_EQ(f.CharHeight(), 15);
    // A positive height is a cell height: Size reads negative, the characters are smaller.
    f.SetHeight(20);
    EXPECT_EQ(f.Size(), -15);
    EXPECT_GT(f.CharHeight(), 12);
    EXPECT_LT(f.CharHeight(), 20);
    f.SetSize(-15);
    EXPECT_EQ(f.Height(), 20);
}

TEST(Font, PropertiesByNameAndChangeSignals) {
    TFont f;
    ChangeCounter changes(&f);
    SetIntegerProperty(&f, "size", 12);
    EXPECT_EQ(f.Height(), -16);
    EXPECT_EQ(changes.count(), 1);
    SetIntegerProperty(&f, "Size", 12);  // unchanged: silent
    f.SetName("Arial");
    f.SetStyle(0);
    EXPECT_EQ(changes.count(), 1);
    SetIntegerProperty(&f, "Style", fsBold | fsUnderline);
    EXPECT_TRUE(f.HasStyle(fsBold));
    EXPECT_FALSE(f.HasStyle(fsItalic));
    EXPECT_EQ(f.Styles(), TFontStyles(fsBold | fsUnderline));
    SetIntegerProperty(&f, "Pitch", fpFixed);
    EXPECT_EQ(f.Pitch(), fpFixed);
    SetIntegerProperty(&f, "Color", clRed);
    SetStringProperty(&f, "Name", "Courier New");
    EXPECT_EQ(changes.count(), 5);
    EXPECT_EQ(GetIntegerProperty(&f, "Height"), -16);
    f.SetStyle(0xFF);  // only the four style bits exist
    EXPECT_EQ(f.Style(), 15);

    TFont copy;
    ChangeCounter copyChanges(&copy);
    copy.Assign(&f);
    EXPECT_EQ(copyChanges.count(), 1);
    EXPECT_TRUE(copy.Equals(f));
    copy.SetColor(clBlue);
    EXPECT_FALSE(copy.Equals(f));
    TPen pen;
    EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(Font, QtFontsUseInstalledOrMetricCompatibleFamilies) {
    TFont f;
    f.SetStyle(fsBold | fsItalic | fsStrikeOut);
    const QFont q = f.ToQFont();
    EXPECT_EQ(q.pixelSize(), 13);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.strikeOut());
    EXPECT_FALSE(q.underline());
    EXPECT_EQ(QFontInfo(q).family(), "Liberation Sans");
    EXPECT_EQ(f.ToQFont(200).pixelSize(), 26);
    EXPECT_EQ(f.ToQFont(1).pixelSize(), 1);  // never zero

    EXPECT_EQ(ResolveFontFamily("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(ResolveFontFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(ResolveFontFamily("courier new"), "Liberation Mono");
    EXPECT_EQ(ResolveFontFamily("DejaVu Serif"), "DejaVu Serif");  // installed: kept
    EXPECT_EQ(ResolveFontFamily("No Such Family"), "No Such Family");

    TFont back;
    ChangeCounter changes(&back);
    QFont source("DejaVu Sans Mono");
    source.setPointSize(9);
    source.setUnderline(true);
    source.setFixedPitch(true);
    back.FromQFont(source);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(back.Name(), "DejaVu Sans Mono");
    EXPECT_EQ(back.Size(), 9);
    EXPECT_EQ(back.Height(), -12);
    EXPECT_EQ(back.Style(), int(fsUnderline));
    EXPECT_EQ(back.Pitch(), fpFixed);
    back.FromQFont(source);
    EXPECT_EQ(changes.count(), 1);
}

TEST(PenBrush, QtPensAndBrushesFollowStyles) {
    TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Width(), 1);
    pen.SetStyle(psDashDot);
    pen.SetColor(clRed);
    pen.SetWidth(3);
    QPen q = pen.ToQPen(2.0);
    EXPECT_EQ(q.style(), Qt::DashDotLine);
    EXPECT_EQ(q.color(), QColor(Qt::red));
    EXPECT_DOUBLE_EQ(q.widthF(), 6.0);
    pen.SetStyle(psClear);
    EXPECT_EQ(pen.ToQPen().style(), Qt::NoPen);
    pen.SetStyle(psInsideFrame);
    EXPECT_EQ(pen.ToQPen().style(), Qt::SolidLine);
    EXPECT_EQ(PenCompositionMode(pmXor), QPainter::RasterOp_SourceXorDestination);
    EXPECT_EQ(PenCompositionMode(pmCopy), QPainter::CompositionMode_SourceOver);

    TBrush brush;
    EXPECT_EQ(brush.ToQBrush(), QBrush(Qt::white));
    brush.SetStyle(bsDiagCross);
    brush.SetColor(clNavy);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::DiagCrossPattern);
    EXPECT_EQ(brush.ToQBrush().color(), QColor(0, 0, 128));
    brush.SetStyle(bsFDiagonal);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::FDiagPattern);
    brush.SetStyle(bsClear);
    EXPECT_EQ(brush.ToQBrush().style(), Qt::NoBrush);
}

TEST(PenBrush, AssignAndPropertiesByName) {
    TPen a;
    ChangeCounter changes(&a);
    SetIntegerProperty(&a, "Style", psDot);
    SetIntegerProperty(&a, "Mode", pmNotXor);
    SetIntegerProperty(&a, "Width", 4);
    SetIntegerProperty(&a, "Width", 4);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(a.Style(), psDot);
    EXPECT_EQ(a.Mode(), pmNotXor);
    TPen b;
    ChangeCounter bChanges(&b);
    b.Assign(&a);
    EXPECT_EQ(bChanges.count(), 1);
    EXPECT_TRUE(b.Equals(a));

    TBrush x, y;
    SetIntegerProperty(&x, "Style", bsCross);
    SetIntegerProperty(&x, "Color", clYellow);
    y.Assign(&x);
    EXPECT_TRUE(y.Equals(x));
    EXPECT_EQ(GetIntegerProperty(&y, "style"), int(bsCross));
    EXPECT_THROW(y.Assign(&a), EConvertError);
}
