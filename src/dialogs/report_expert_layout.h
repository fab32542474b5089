#pragma once
// The layouts the report expert generates on a designer's report: a list (records in columns),
// a tabular or form-style report (one field per line; form style starts a page per record) and
// a single form (one record on one page, no bands). Positions and sizes are design-surface
// pixels. Rounding is half to even; integer division truncates toward zero.
#include <QString>
#include <QStringList>

class QWidget;
class TDataSet;
class TFont;
class TRepBand;
class TReport;
class TVDMDesigner;
class TVendamoDBText;
class TVendamoLabel;
class TVendamoShape;

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double Value);

// A new designable band on the report: a group header for kind 5, a sub-detail for 7, a child
// band for 10, else a plain band of that kind; Height -1 keeps the default height.
TRepBand *CreateVDMBand(TReport *Report, int BandKind, int Height);
// A data field bound to the dataset and field, 60 x 20 at Left/Top, with a copy of Font when
// given, the field's display label as its caption, auto-size on.
TVendamoDBText *CreateVDMDBText(QWidget *Parent, TDataSet *Dataset, const QString &FieldName, int Left, int Top,
                                const TFont *Font);
// A label with auto-size on, the caption, position and a copy of the font.
TVendamoLabel *CreateVDMLabel(QWidget *Parent, const QString &Caption, int Left, int Top, const TFont *Font);
// A shape of that kind (2 vertical line, 3 horizontal line) with the given bounds.
TVendamoShape *CreateVDMShape(QWidget *Parent, int ShapeKind, int Left, int Top, int Width, int Height);

// What the expert's pages chose for the layout.
struct TExpertLayout {
    QString TitleText;
    bool PageHeader = true;
    bool Title = true;
    bool PageFooter = false;
    bool Summary = false;
    bool HorizontalLines = false;
    bool VerticalLines = false;
    bool BoxLines = false;
    const TFont *DataFont = nullptr;
    const TFont *LabelFont = nullptr;
};

// Each generator lays out the used fields (display labels, as the expert lists them) of the
// main dataset on the designer's report. A list needs at least one field.
void CreateListReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields, const TExpertLayout &Layout);
void CreateTabularReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields,
                         const TExpertLayout &Layout, bool FormStyle);
void CreateSingleFormReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields,
                            const TExpertLayout &Layout);
