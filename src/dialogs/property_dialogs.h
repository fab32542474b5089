#pragma once
// The property dialogs of the designable elements: each entry function fills its dialog from
// the element, shows it modally and, on OK, writes the controls back and returns true; on
// Cancel nothing changes. Arguments: the designer (run-time messages, report), the owner of the
// dialog form, and the element.
class TComponent;
class TVDMDesigner;

bool EditShapeProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A data field: dataset, field by display label, format, switches and suppression of values.
bool EditDBTextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A system field: kind, text, size, alignment, transparency, colour and font.
bool EditSysDataProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// An expression field: expression (with the builder), master, format, rotation and switches.
bool EditExpressionProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A memo: lines, "%%" expressions, the "%DEL" marker, alignment, colour, font and switches.
bool EditMemoProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
bool EditLabelProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// The frame lines, width and colour of an element; with several selected in the designer the
// dialog starts from Element and applies to every selected element.
bool EditFrameProperty(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A band's kind, link band, expression, colour, frame and printing conditions.
bool EditBandProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// An image element's picture file, chosen with an open-file dialog.
bool EditImageProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A child band's parent and link band, expression, colour, frame and printing conditions.
bool EditChildProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A sub-detail band's dataset, master, header and footer, expression, colour, frame and switches.
bool EditSubdetailProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A group band's master, footer and link band, group expression, colour, frame and page breaks.
bool EditGroupProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A data picture's dataset and field, stretching, centring and docking to a side of its band.
bool EditDBImageProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A rich text's text (with the rich-text editor, expressions and "%DEL" lines), alignment,
// autostretch, colour and font.
bool EditRichtextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// A data rich text's dataset and field, alignment, autostretch, colour and font.
bool EditDBRichtextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element);
// The report's page, printer and layout options, as the report file stores them; Element is
// ignored (the designer's report is edited).
bool EditReportOptions(TVDMDesigner *Designer, TComponent *Owner = nullptr, TComponent *Element = nullptr);

// The memo and rich-text editing rules: an expression goes in between "%%" brackets, wrapped
// in STR( ) when its result is a number; "%DEL" at the start of a line is taken away or put in.
class QString;
class QTextCursor;
class TRepControl;
class TReport;
namespace MemoEditing {
QString ExpressionInsert(const QString &Expression, bool Numeric);
QString ToggleRemoveMarker(const QString &Line);
// The same on the line of a cursor in place, so that formatted text keeps its formatting.
void ToggleRemoveMarkerAt(QTextCursor Cursor);
// Whether the expression gives a number on the report's data now (false when it cannot be
// evaluated).
bool ExpressionIsNumeric(TReport *Report, const QString &Expression);
}  // namespace MemoEditing

// The shape dialog's list orders: item index for each ordinal of the element and back.
namespace PropertyLists {
int ShapeItem(int Kind);
int ShapeKind(int Item);
int BrushItem(int Style);
int BrushStyle(int Item);
int PenModeItem(int Mode);
int PenMode(int Item);
// Docks an element to a side of its band: 1 top, 2 bottom, 3 left, 4 right (0: stays).
void DockToBand(TRepControl *Element, int Side);
}  // namespace PropertyLists
