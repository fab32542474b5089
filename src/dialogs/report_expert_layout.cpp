#include "dialogs/report_expert_layout.h"

#include <cmath>
#include <cstdlib>

#include "dblib/dataset.h"
#include "design/designer.h"
#include "host/font.h"
#include "model/design_report.h"
#include "model/lookup_helpers.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"

namespace {

// The form that owns the report and everything on it.
TComponent *FormOf(QWidget *Parent) {
    auto *component = dynamic_cast<TComponent *>(Parent);
    return component ? component->Owner() : nullptr;
}

template <class T>
T *Place(T *Element, QWidget *Parent, const char *Base) {
    if (TComponent *form = Element->Owner())
        Element->SetName(FindUniqueComponentName(form, QString::fromLatin1(Base), false));
    Element->SetParent(Parent);
    return Element;
}

int AbsSize(const TFont *Font) { return Font ? std::abs(Font->Size()) : 10; }
int SignedSize(const TFont *Font) { return Font ? Font->Size() : 10; }

void NameBand(TRepBand *Band, const char *Name) {
    TComponent *form = Band->Owner();
    const QString name = QString::fromLatin1(Name);
    Band->SetName(form && form->FindComponent(name) ? FindUniqueComponentName(form, name, false) : name);
}

void SetNotOnFirstPage(TRepBand *Band, bool Value) {
    if (auto *band = dynamic_cast<TBandDesign *>(Band)) band->SetNotOnFirstPage(Value);
}

TVendamoShape *FixedLine(QWidget *Parent, int Kind, int Left, int Top, int Width, int Height) {
    TVendamoShape *line = CreateVDMShape(Parent, Kind, Left, Top, Width, Height);
    line->SetFixBottomPosition(true);
    return line;
}

TVendamoShape *StretchingLine(QWidget *Parent, int Left, int Top, int Width, int Height) {
    TVendamoShape *line = CreateVDMShape(Parent, TRepShape::stVertLine, Left, Top, Width, Height);
    line->SetStretchHeightWithBand(true);
    return line;
}

// The caption of a used field: its display label, or its name when the label is empty.
QString Heading(const TDataSet *Dataset, const QString &FieldName) {
    const TField *field = Dataset ? Dataset->FindField(FieldName) : nullptr;
    return field && !field->DisplayLabel().isEmpty() ? field->DisplayLabel() : FieldName;
}

// The title line of a report: the title text in the label font at the given size.
TVendamoLabel *TitleLabel(QWidget *Parent, const TExpertLayout &Layout, int Left, int Top, int Size) {
    TFont font;
    if (Layout.LabelFont) font.Assign(Layout.LabelFont);
    font.SetSize(Size);
    return CreateVDMLabel(Parent, Layout.TitleText, Left, Top, &font);
}

void AddFooterAndSummary(TReport *Report, const TExpertLayout &Layout) {
    if (Layout.PageFooter) NameBand(CreateVDMBand(Report, TRepBand::rbPageFooter, 50), "Pagefooter");
    if (Layout.Summary) NameBand(CreateVDMBand(Report, TRepBand::rbSummary, 50), "Summary");
}

}  // namespace

int RoundHalfEven(double Value) {
    const double below = std::floor(Value);
    const double rest = Value - below;
    if (rest > 0.5) return int(below) + 1;
    if (rest < 0.5) return int(below);
    return std::fmod(below, 2.0) == 0 ? int(below) : int(below) + 1;
}

TRepBand *CreateVDMBand(TReport *Report, int BandKind, int Height) {
    TComponent *form = Report->Owner();
    TRepBand *band = nullptr;
    switch (BandKind) {
    case TRepBand::rbGroupHeader: band = new TVendamoGroup(form); break;
    case TRepBand::rbSubDetail: band = new TVendamoSubdetail(form); break;
    case TRepBand::rbChild: band = new TVendamoChildBand(form); break;
    default:
        band = new TVendamoBand(form);
        band->SetBandType(TRepBand::TRepBandType(BandKind));
        break;
    }
    band->SetParent(Report);
    if (Height != -1) band->SetHeight(Height);
    return band;
}

TVendamoDBText *CreateVDMDBText(QWidget *Parent, TDataSet *Dataset, const QString &FieldName, int Left, int Top,
                                const TFont *Font) {
    auto *text = Place(new TVendamoDBText(FormOf(Parent)), Parent, "DBText");
    text->SetDataSet(Dataset);
    text->SetDataField(FieldName);
    if (Font) text->Font()->Assign(Font);
    if (const TField *field = Dataset ? Dataset->FindField(FieldName) : nullptr; field && !field->DisplayLabel().isEmpty())
        text->SetCaption(field->DisplayLabel());
    text->SetBounds(Left, Top, 60, 20);
    text->SetAutoSize(true);
    return text;
}

TVendamoLabel *CreateVDMLabel(QWidget *Parent, const QString &Caption, int Left, int Top, const TFont *Font) {
    auto *label = Place(new TVendamoLabel(FormOf(Parent)), Parent, "Label");
    if (Font) label->Font()->Assign(Font);
    label->SetAutoSize(true);
    label->SetCaption(Caption);
    label->SetLeft(Left);
    label->SetTop(Top);
    return label;
}

TVendamoShape *CreateVDMShape(QWidget *Parent, int ShapeKind, int Left, int Top, int Width, int Height) {
    auto *shape = Place(new TVendamoShape(FormOf(Parent)), Parent, "Shape");
    shape->SetShape(TRepShape::TRepShapeType(ShapeKind));
    shape->SetBounds(Left, Top, Width, Height);
    return shape;
}

void CreateListReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields, const TExpertLayout &Layout) {
    TDesignReport *report = Designer->Report();
    const int n = int(Fields.size());
    if (n == 0) return;  // nothing to put in columns
    report->SetDataSet(Dataset);
    const int dataSize = AbsSize(Layout.DataFont), labelSize = AbsSize(Layout.LabelFont);
    const int ld = dataSize + 7, ll = labelSize + 7;
    TRepBand *detail = CreateVDMBand(report, TRepBand::rbDetail, RoundHalfEven(ld * 1.5));
    NameBand(detail, "Detailband");

    const int columnWidth = detail->Width() / n;
    QList<TVendamoDBText *> texts;
    for (int i = 0; i < n; ++i) {
        const QString name = FindField4DisplayLabel(Dataset, Fields.at(i));
        TVendamoDBText *text = CreateVDMDBText(detail, Dataset, name, columnWidth * i + 5,
                                               (detail->Height() - ld) / 2, Layout.DataFont);
        text->SetAutoSize(false);
        text->SetBounds(text->Left(), text->Top(), columnWidth - 5, dataSize + 7);
        texts << text;
    }

    // Column headings: one label per data field, as wide as its column.
    const auto headings = [&](TRepBand *band, int top) {
        for (TVendamoDBText *text : std::as_const(texts)) {
            TVendamoLabel *label = CreateVDMLabel(band, QStringLiteral("..."), text->Left(), top, Layout.LabelFont);
            label->SetCaption(Heading(Dataset, text->DataField()));
            label->SetAutoSize(false);
            label->SetBounds(text->Left(), top, text->Width(), label->Height());
            label->SetFixBottomPosition(true);
        }
    };
    const bool columns = report->Page()->Columns() > 1;
    TRepBand *header = nullptr;
    if (Layout.PageHeader) {
        header = CreateVDMBand(report, columns ? TRepBand::rbColumnHeader : TRepBand::rbPageHeader, ll * 2 + 20);
        NameBand(header, columns ? "Columnheader" : "Pageheader");
        if (!columns && Layout.Title) SetNotOnFirstPage(header, true);
        headings(header, RoundHalfEven(ll * 0.5) + 20);
    }
    TRepBand *title = nullptr;
    if (Layout.Title) {
        title = CreateVDMBand(report, TRepBand::rbTitle, columns ? 50 : ll * 2 + 50);
        NameBand(title, "Titleband");
        if (!columns) headings(title, RoundHalfEven(ll * 0.5) + 50);
        TitleLabel(title, Layout, 5, 5, 18);
    }
    AddFooterAndSummary(report, Layout);

    if (Layout.HorizontalLines) {
        for (TRepBand *band : {detail, title, header})
            if (band) FixedLine(band, TRepShape::stHorLine, 3, band->Height() - 3, band->Width() - 6, 5);
    }
    if (Layout.BoxLines) {
        const int w = detail->Width(), h = detail->Height();
        StretchingLine(detail, 0, -1, 5, h + 1);
        StretchingLine(detail, w - 5, -1, 5, h + 1);
        if (title) {
            const int tw = title->Width(), th = title->Height();
            FixedLine(title, TRepShape::stVertLine, 0, 50, 5, th - 50);
            FixedLine(title, TRepShape::stVertLine, tw - 5, 50, 5, th - 50);
            FixedLine(title, TRepShape::stHorLine, 3, 48, tw - 6, 5);
        }
        if (header) {
            const int hw = header->Width(), hh = header->Height();
            FixedLine(header, TRepShape::stVertLine, 1, 20, 5, hh - 20);
            FixedLine(header, TRepShape::stVertLine, hw - 5, 20, 5, hh - 20);
            FixedLine(header, TRepShape::stHorLine, 3, 18, hw - 6, 5);
        }
    }
    if (Layout.VerticalLines && n >= 2) {
        for (int i = 1; i < n; ++i) {
            const int left = texts.at(i)->Left() - 5;
            StretchingLine(detail, left, -1, 5, detail->Height() + 1);
            if (header) FixedLine(header, TRepShape::stVertLine, left, 20, 5, header->Height() - 20);
            if (title) FixedLine(title, TRepShape::stVertLine, left, 50, 5, title->Height() - 50);
        }
    }
}

namespace {

// The lines of a tabular layout: between the fields, around them, and between labels and
// values; X and Y shift them, Width is the width they span.
void TabularLines(QWidget *Parent, const TExpertLayout &Layout, int n, int l, int x, int y, int width,
                  int firstDataLeft) {
    if (Layout.HorizontalLines && n >= 2)
        for (int i = 1; i < n; ++i)
            CreateVDMShape(Parent, TRepShape::stHorLine, x + 3, y + RoundHalfEven(2.0 * i * l + 0.5 * l), width - 6, 5);
    if (Layout.BoxLines) {
        CreateVDMShape(Parent, TRepShape::stHorLine, x + 3, y + RoundHalfEven(0.5 * l), width - 6, 5);
        CreateVDMShape(Parent, TRepShape::stHorLine, x + 3, y + RoundHalfEven(0.5 * l + 2.0 * n * l), width - 6, 5);
        CreateVDMShape(Parent, TRepShape::stVertLine, x + 1, y + RoundHalfEven(0.5 * l) + 3, 5, 2 * n * l);
        CreateVDMShape(Parent, TRepShape::stVertLine, x + width - 6, y + RoundHalfEven(0.5 * l) + 3, 5, 2 * n * l);
    }
    if (Layout.VerticalLines && n >= 1)
        CreateVDMShape(Parent, TRepShape::stVertLine, firstDataLeft - l, y + RoundHalfEven(0.5 * l) + 3, 5, 2 * n * l);
}

// Labels down the left, values beside them at 2L + the widest label; returns the first value's
// Left (X0 + 2L + M).
int LabelsAndValues(QWidget *Parent, TDataSet *Dataset, const QStringList &Fields, const TExpertLayout &Layout, int l,
                    int x, int y) {
    const int n = int(Fields.size());
    int widest = 0;
    for (int i = 1; i <= n; ++i) {
        TVendamoLabel *label = CreateVDMLabel(Parent, Fields.at(i - 1), x + l, y + (2 * i - 1) * l, Layout.LabelFont);
        widest = qMax(widest, label->Width());
    }
    const int left = x + 2 * l + widest;
    const int shift = SignedSize(Layout.LabelFont) - SignedSize(Layout.DataFont);
    for (int i = 1; i <= n; ++i)
        CreateVDMDBText(Parent, Dataset, FindField4DisplayLabel(Dataset, Fields.at(i - 1)), left,
                        y + (2 * i - 1) * l + shift, Layout.DataFont);
    return left;
}

}  // namespace

void CreateTabularReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields,
                         const TExpertLayout &Layout, bool FormStyle) {
    TDesignReport *report = Designer->Report();
    const int n = int(Fields.size());
    report->SetDataSet(Dataset);
    const int l = qMax(AbsSize(Layout.LabelFont), AbsSize(Layout.DataFont)) + 7;
    TRepBand *detail = CreateVDMBand(report, TRepBand::rbDetail, (n + 1) * 2 * l);
    NameBand(detail, "Detailband");
    if (FormStyle) detail->SetForceNewPage(true);
    const int firstLeft = LabelsAndValues(detail, Dataset, Fields, Layout, l, 0, 0);
    if (Layout.PageHeader) {
        TRepBand *header = CreateVDMBand(report, TRepBand::rbPageHeader, 30);
        NameBand(header, "Pageheader");
        if (Layout.Title) SetNotOnFirstPage(header, true);
        TitleLabel(header, Layout, 5, 5, 12);
    }
    if (Layout.Title) {
        TRepBand *title = CreateVDMBand(report, TRepBand::rbTitle, 50);
        NameBand(title, "Titleband");
        TitleLabel(title, Layout, 5, 5, 18);
    }
    AddFooterAndSummary(report, Layout);
    TabularLines(detail, Layout, n, l, 0, 0, detail->Width(), firstLeft);
}

void CreateSingleFormReport(TVDMDesigner *Designer, TDataSet *Dataset, const QStringList &Fields,
                            const TExpertLayout &Layout) {
    TDesignReport *report = Designer->Report();
    report->SetDataSet(nullptr);
    // A band shows where the page's printable area starts and how wide it is.
    TRepBand *probe = CreateVDMBand(report, TRepBand::rbTitle, 2);
    const int x0 = probe->Left(), y0 = probe->Top(), width = probe->Width();
    delete probe;
    const int l = qMax(AbsSize(Layout.LabelFont), AbsSize(Layout.DataFont)) + 7;
    const int n = int(Fields.size());
    const int firstLeft = LabelsAndValues(report, Dataset, Fields, Layout, l, x0, y0 + 50);
    TitleLabel(report, Layout, x0 + 5, y0 + 5, 18);
    TabularLines(report, Layout, n, l, x0, y0 + 50, width, firstLeft);
}
