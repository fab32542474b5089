// The shape dialog: kind, brush style and colour, pen mode, style, width and colour.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/element_access.h"
#include "reportlib/rep_shape.h"

#include "host/list_controls.h"
#include "host/pen_brush.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <array>

namespace PropertyLists {

namespace {
// Item of each ordinal; the inverse is a search.
constexpr std::array<int, 6> ShapeItems = {2, 0, 5, 1, 4, 3};
constexpr std::array<int, 8> BrushItems = {1, 0, 6, 7, 5, 4, 2, 3};
constexpr std::array<int, 16> PenModeItems = {1, 2, 3, 4, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

template <size_t N>
int ItemOf(const std::array<int, N> &items, int ordinal) {
    return ordinal >= 0 && size_t(ordinal) < N ? items[size_t(ordinal)] : -1;
}

template <size_t N>
int OrdinalOf(const std::array<int, N> &items, int item) {
    for (size_t i = 0; i < N; ++i)
        if (items[i] == item) return int(i);
    return -1;
}
}  // namespace

int ShapeItem(int Kind) { return ItemOf(ShapeItems, Kind); }
int ShapeKind(int Item) { return OrdinalOf(ShapeItems, Item); }
int BrushItem(int Style) { return ItemOf(BrushItems, Style); }
int BrushStyle(int Item) { return OrdinalOf(BrushItems, Item); }
int PenModeItem(int Mode) { return ItemOf(PenModeItems, Mode); }
int PenMode(int Item) { return OrdinalOf(PenModeItems, Item); }

}  // namespace PropertyLists

using namespace PropertyLists;

bool EditShapeProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *shape = Element ? qobject_cast<TRepShape *>(Element->Object()) : nullptr;
    if (!shape) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("ShapePropertyForm"), QStringLiteral("Shape"));
    TColor brushColor = shape->Brush()->Color();
    TColor penColor = shape->Pen()->Color();

    auto *kind = form.Field<TComboBox>("ShapeComboBox", QStringLiteral("Shape"));
    kind->SetStyle(csDropDownList);
    kind->Items()->SetStringList(form.Messages({"ShapeCircle", "ShapeHorizontalLine", "ShapeRectangle",
                                                "ShapeLeftRightLines", "ShapeTopBottomLines", "ShapeVerticalLine"}));
    kind->SetItemIndex(ShapeItem(shape->Shape()));
    kind->setEnabled(!ElementFlag(shape, QStringLiteral("BlockChange")));

    auto *brush = form.Field<TComboBox>("BrushStyleComboBox", QStringLiteral("Brush"));
    brush->SetStyle(csDropDownList);
    brush->Items()->SetStringList(form.Messages({"BrushEmpty", "BrushSolid", "BrushCross", "BrushDiagCross",
                                                 "BrushDiagLinesBT", "BrushDiagLinesTB", "BrushHorLines",
                                                 "BrushVertLines"}));
    brush->SetItemIndex(BrushItem(shape->Brush()->Style()));
    form.ColorButton("BrushColorButton", QStringLiteral("&Color..."), &brushColor);

    auto *mode = form.Field<TComboBox>("PenModeComboBox", QStringLiteral("Pen mode"));
    mode->SetStyle(csDropDownList);
    QStringList modeKeys;
    for (int i = 1; i <= 16; ++i) modeKeys << QStringLiteral("PenMode%1").arg(i);
    mode->Items()->SetStringList(form.Messages(modeKeys));
    mode->SetItemIndex(PenModeItem(shape->Pen()->Mode()));

    auto *style = form.Field<TComboBox>("PenStyleComboBox", QStringLiteral("Pen style"));
    style->SetStyle(csDropDownList);
    style->Items()->SetStringList(form.Messages({"PenStyleSolid", "PenStyleDashed", "PenStyleDot", "PenStyleDashDot",
                                                 "PenStyleDashDotDot", "PenStyleHiddenMark", "PenStyleInsideFrame"}));
    style->SetItemIndex(shape->Pen()->Style());
    TEdit *width = form.PenWidthEdit("PenWidthSpinEdit", QStringLiteral("Pen width"), shape->Pen()->Width());
    form.ColorButton("PenColorButton", QStringLiteral("Color..."), &penColor);
    form.Finish(QStringLiteral("ShapePropertyForm"));
    if (!form.Run()) return false;

    shape->Brush()->SetColor(brushColor);
    shape->Pen()->SetColor(penColor);
    bool ok = false;
    const int penWidth = width->text().toInt(&ok);
    if (ok) shape->Pen()->SetWidth(penWidth);
    if (const int k = ShapeKind(kind->currentIndex()); k >= 0) shape->SetShape(TRepShape::TRepShapeType(k));
    if (const int s = BrushStyle(brush->currentIndex()); s >= 0) shape->Brush()->SetStyle(TBrush::TBrushStyle(s));
    if (const int m = PenMode(mode->currentIndex()); m >= 0) shape->Pen()->SetMode(TPen::TPenMode(m));
    if (style->currentIndex() >= 0) shape->Pen()->SetStyle(TPen::TPenStyle(style->currentIndex()));
    shape->update();
    return true;
}
