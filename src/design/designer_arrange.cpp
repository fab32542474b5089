// Arrange and format commands on the selection: alignment to the first selected element,
// centring in the parent, equal spacing, text alignment and fonts, and the font combo boxes.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "design/element_access.h"

#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "model/design_report.h"
#include "model/report_constants.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_control.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

void TVDMDesigner::PlaceDirectly(QWidget *Element, int Left, int Top) {
    PlaceElement(Element, Left, Top, Element->width(), Element->height());
}

namespace {

// Runs an alignment of every selected element but the first against the first.
template <class F>
void AlignTo(TVDMDesigner *d, F place) {
    const QList<QWidget *> selection = d->GetSelectedElements();
    if (selection.size() < 2) return;
    d->SetHasChanged(true);
    const QWidget *r = selection.first();
    for (qsizetype i = 1; i < selection.size(); ++i) place(selection.at(i), r);
    d->RedrawSelection();
}

}  // namespace

void TVDMDesigner::LeftAlignSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) { PlaceDirectly(e, r->x(), e->y()); });
}

void TVDMDesigner::RightAlignSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) { PlaceDirectly(e, r->x() + r->width() - e->width(), e->y()); });
}

void TVDMDesigner::TopAlignSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) { PlaceDirectly(e, e->x(), r->y()); });
}

void TVDMDesigner::BottomAlignSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) { PlaceDirectly(e, e->x(), r->y() + r->height() - e->height()); });
}

void TVDMDesigner::HorizontalCenterSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) {
        PlaceDirectly(e, r->x() + r->width() / 2 - e->width() / 2, e->y());
    });
}

void TVDMDesigner::VerticalCenterSelectedElements() {
    AlignTo(this, [this](QWidget *e, const QWidget *r) {
        PlaceDirectly(e, e->x(), r->y() + r->height() / 2 - e->height() / 2);
    });
}

void TVDMDesigner::HorizontalParentCenterSelectedElements() {
    QWidget *first = GetSelectedElement();
    if (!first || qobject_cast<TRepBand *>(first) || !first->parentWidget()) return;
    const QWidget *parent = first->parentWidget();
    // Halves go to the even neighbour; the handle's bounds-setting marks the change and applies
    // the locks.
    const int left = int(std::nearbyint((parent->width() - FHandle->width()) * 0.5));
    FHandle->SetBounds(left, FHandle->y(), FHandle->width(), FHandle->height());
    for (QWidget *e : GetSelectedElements()) e->update();
    RedrawSelection();
}

void TVDMDesigner::VerticalParentCenterSelectedElements() {
    QWidget *first = GetSelectedElement();
    if (!first || !first->parentWidget()) return;
    const int top = first->parentWidget()->height() / 2 - FHandle->height() / 2;
    FHandle->SetBounds(FHandle->x(), top, FHandle->width(), FHandle->height());
}

void TVDMDesigner::SpaceEqual(bool Horizontal) {
    const QList<QWidget *> selection = GetSelectedElements();
    if (selection.size() < 2) return;
    SetHasChanged(true);
    // The searches start from these sentinels, so positions beyond them count as the sentinel.
    const int sentinel = Horizontal ? 5000 : 15000;
    int low = sentinel, high = -sentinel;
    for (const QWidget *e : selection) {
        const int v = Horizontal ? e->x() : e->y();
        low = std::min(low, v);
        high = std::max(high, v);
    }
    const int step = (high - low) / int(selection.size() - 1);
    for (int i = 0; i < selection.size(); ++i) {
        QWidget *e = selection.at(i);
        const int v = low + step * i;
        PlaceDirectly(e, Horizontal ? v : e->x(), Horizontal ? e->y() : v);
    }
    RedrawSelection();
}

void TVDMDesigner::HorizontalSpaceEqualSelectedElements() { SpaceEqual(true); }
void TVDMDesigner::VerticalSpaceEqualSelectedElements() { SpaceEqual(false); }

void TVDMDesigner::SetTextAlignment(int Alignment, const QString &Down) {
    for (const QString &name : {QStringLiteral("TextLeftAlign"), QStringLiteral("TextRightAlign"), QStringLiteral("TextCenter")})
        if (TSpeedButton *button = FSpeedButtons->Button(name); button && name != Down) button->SetDown(false);
    const QList<QWidget *> selection = GetSelectedElements();
    if (selection.isEmpty()) return;
    // The alignment is stored with the report: a change the user must be asked to save.
    SetHasChanged(true);
    for (QWidget *e : selection)
        if (PropertyExists(e, QStringLiteral("Alignment"))) SetIntegerProperty(e, QStringLiteral("Alignment"), Alignment);
}

void TVDMDesigner::TextLeftAlign() { SetTextAlignment(0, QStringLiteral("TextLeftAlign")); }
void TVDMDesigner::TextRightAlign() { SetTextAlignment(1, QStringLiteral("TextRightAlign")); }
void TVDMDesigner::TextCenter() { SetTextAlignment(2, QStringLiteral("TextCenter")); }

QList<TFont *> TVDMDesigner::FontTargets() const {
    QList<TFont *> fonts;
    const QList<QWidget *> selection = GetSelectedElements();
    if (selection.isEmpty()) {
        if (Report()) fonts << Report()->Font();
        return fonts;
    }
    for (QWidget *e : selection) {
        if (!PropertyExists(e, QStringLiteral("Font"))) continue;
        if (PropertyExists(e, ElementProperty::BlockEdit) && GetBooleanProperty(e, ElementProperty::BlockEdit)) continue;
        if (auto *font = qobject_cast<TFont *>(GetPointerProperty(e, QStringLiteral("Font")))) fonts << font;
    }
    return fonts;
}

void TVDMDesigner::SetSelectedElementsFont(const QString &Name) {
    SetHasChanged(true);
    for (TFont *font : FontTargets()) font->SetName(Name);
    RedrawSelection();
}

void TVDMDesigner::SetSelectedElementsFontSize(int Size) {
    SetHasChanged(true);
    for (TFont *font : FontTargets()) font->SetSize(Size);
    RedrawSelection();
}

void TVDMDesigner::SetSelectedElementsFontStyle(int Bold, int Underline, int Italic) {
    int add = 0, remove = 0;
    const struct {
        int Switch;
        int Style;
    } parts[] = {{Bold, fsBold}, {Underline, TFont::fsUnderline}, {Italic, TFont::fsItalic}};
    for (const auto &p : parts) {
        if (p.Switch > 0) add |= p.Style;
        if (p.Switch < 0) remove |= p.Style;
    }
    SetHasChanged(true);
    for (TFont *font : FontTargets()) font->SetStyle((font->Style() | add) & ~remove);
    RedrawSelection();
}

void TVDMDesigner::OnFontComboBoxChange(QObject *) {
    if (FFontComboBox) SetSelectedElementsFont(FFontComboBox->currentText());
}

void TVDMDesigner::OnFontSizeComboBoxChange(QObject *) {
    if (!FFontSizeComboBox || FFontSizeComboBox->currentText().isEmpty()) return;
    int size = 0;
    try {
        size = StrToInt(FFontSizeComboBox->currentText());
    } catch (const EConvertError &e) {
        Interaction().ShowError(e.Message());
        return;
    }
    SetSelectedElementsFontSize(size);
}

void TVDMDesigner::OnFontSizeComboBoxKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers) {
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter) return;
    OnFontSizeComboBoxChange(Sender);
    if (FFontSizeComboBox) FFontSizeComboBox->setFocus();
}

void TVDMDesigner::BindFontComboBoxes() {
    if (FFontComboBox) {
        if (FFontComboBox->Items()->Count() == 0)
            for (const QString &family : QFontDatabase::families()) FFontComboBox->Items()->Add(family);
        FFontComboBox->SetOnChange(TMethod::Make(this, &TVDMDesigner::OnFontComboBoxChange));
    }
    if (FFontSizeComboBox) {
        FFontSizeComboBox->SetOnChange(TMethod::Make(this, &TVDMDesigner::OnFontSizeComboBoxChange));
        FFontSizeComboBox->SetOnKeyDown(TMethod::Make(this, &TVDMDesigner::OnFontSizeComboBoxKeyDown));
    }
}
