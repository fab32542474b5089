#include "design/designer.h"

#include "design/stretch_handle.h"

#include "model/design_report.h"

#include "host/container_controls.h"
#include "host/property_access.h"
#include "host/list_controls.h"

#include "reportlib/rep_band.h"

#include <algorithm>

TVDMDesigner::TVDMDesigner(TComponent *AOwner) : TVDMLoader(AOwner) {
    FAvailableDatasetNames = new TStringList(this);
    FAvailableTableNames = new TStringList(this);
    FFieldDisplayLabels = new TStringList(this);
    FBandNameFont = new TFont(this);
    FBandNameFont->SetName(QStringLiteral("MS Sans Serif"));
    FBandNameFont->SetColor(clSilver);
    FBandNameFont->SetHeight(20);
    FMenuItems = new TVDMMenuItems(this);
    FSpeedButtons = new TVDMSpeedButtons(this);
    if (AOwner) {
        FHandle = new TStretch_Handle(AOwner);
        FHandleComponent = FHandle;
        FHandle->SetDesigner(this);
        // Parented from the start, so that the hidden handle never becomes a window of its own.
        if (Report()) FHandle->setParent(Report());
    }
    NotifyInsertion();
}

TVDMDesigner::~TVDMDesigner() {
    if (FHandle) FHandle->SetDesigner(nullptr);
}

TStretch_Handle *TVDMDesigner::Handle() const { return FHandle; }

void TVDMDesigner::Notification(TComponent *AComponent, TOperation Operation) {
    TVDMLoader::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent) {
        if (AComponent == FHandleComponent) {
            FHandle = nullptr;
            FHandleComponent = nullptr;
        }
        if (AComponent == static_cast<TComponent *>(FInfoPanel)) FInfoPanel = nullptr;
        if (AComponent == static_cast<TComponent *>(FFontComboBox)) FFontComboBox = nullptr;
        if (AComponent == static_cast<TComponent *>(FFontSizeComboBox)) FFontSizeComboBox = nullptr;
        FMenuItems->Forget(AComponent->Object());
        FSpeedButtons->Forget(AComponent->Object());
    }
    // A report that arrives after the designer gives the hidden handle its parent.
    if (FHandle && !FHandle->parentWidget() && Report()) FHandle->setParent(Report());
}

void TVDMDesigner::Loaded() {
    TVDMLoader::Loaded();
    if (HasState(csDesigning)) return;
    if (FHandle && Report()) FHandle->setParent(Report());
    AssignComponentEvents();
    UpdateSelections();
}

namespace {
// Points a reference at a component of the host and asks to hear of its end.
template <class T>
void Bind(TComponent *self, T *&field, T *value) {
    if (field == value) return;
    if (field) self->RemoveFreeNotification(field);
    field = value;
    if (field) self->FreeNotification(field);
}
}  // namespace

void TVDMDesigner::SetInfoPanel(TPanel *value) { Bind(this, FInfoPanel, value); }
void TVDMDesigner::SetFontComboBox(TComboBox *value) {
    Bind(this, FFontComboBox, value);
    if (!HasState(csLoading)) BindFontComboBoxes();
}

void TVDMDesigner::SetFontSizeComboBox(TComboBox *value) {
    Bind(this, FFontSizeComboBox, value);
    if (!HasState(csLoading)) BindFontComboBoxes();
}

void TVDMDesigner::SetAvailableDatasetNames(TStrings *Lines) {
    if (Lines && Lines != FAvailableDatasetNames) FAvailableDatasetNames->Assign(Lines);
}

void TVDMDesigner::SetAvailableTableNames(TStrings *Lines) {
    if (Lines && Lines != FAvailableTableNames) FAvailableTableNames->Assign(Lines);
}

void TVDMDesigner::SetFieldDisplayLabels(TStrings *Lines) {
    if (Lines && Lines != FFieldDisplayLabels) FFieldDisplayLabels->Assign(Lines);
}

void TVDMDesigner::InvalidateBands() {
    if (!Owner()) return;
    for (TComponent *c : Owner()->Components())
        if (auto *band = dynamic_cast<TRepBand *>(c)) band->update();
}

void TVDMDesigner::SetBandNameFont(TFont *value) {
    if (value && value != FBandNameFont) FBandNameFont->Assign(value);
    if (FShowBandNames) InvalidateBands();
}

void TVDMDesigner::SetShowBandNames(bool value) {
    if (value == FShowBandNames) return;
    FShowBandNames = value;
    if (FShowBandNames) InvalidateBands();
}

namespace {
quint16 GridStep(int value) { return quint16(std::clamp(value, 1, 32)); }
}  // namespace

void TVDMDesigner::SetGridSizeX(int value) { FGridSizeX = GridStep(value); }
void TVDMDesigner::SetGridSizeY(int value) { FGridSizeY = GridStep(value); }

void TVDMDesigner::SetMinElementWidth(int value) {
    if (value >= 5 && value <= 0xFFFF) FMinElementWidth = quint16(value);
}

void TVDMDesigner::SetMinElementHeight(int value) {
    if (value >= 5 && value <= 0xFFFF) FMinElementHeight = quint16(value);
}

void TVDMDesigner::SetVendamoState(quint16 State) {
    if (State == FVendamoState) return;
    FVendamoState = State;
    UpdateCursor();
    if (State == 0)
        if (TSpeedButton *normal = FSpeedButtons->NormalDesign()) normal->SetDown(true);
    FOnDesignStateChanged.Invoke<TVDMDesigner *, quint16>(this, State);
}


void TVDMDesigner::SelectElement(bool Clear, QWidget *Element) {
    if (!FHandle) return;
    if (Clear && !Element) {
        FHandle->Detach();
        return;
    }
    if (Clear) FHandle->DetachWithoutEvents();
    FHandle->Attach(Element);
}

QWidget *TVDMDesigner::GetSelectedElement() const {
    return FHandle && FHandle->IsAttached() ? FHandle->Children().first() : nullptr;
}

QList<QWidget *> TVDMDesigner::GetSelectedElements() const {
    return FHandle ? FHandle->Children() : QList<QWidget *>();
}

void TVDMDesigner::UpdateSelections() {
    // Undo steps of one selection end when the selection changes.
    FLastUndoMergeKey = nullptr;
    const int n = FHandle ? FHandle->ChildCount() : 0;
    // Commands are offered by how many elements they need.
    const struct {
        const char *Name;
        int Needs;
    } items[] = {{"CopyToClipboard", 1},  {"CutToClipboard", 1},         {"Delete", 1},
                 {"SendToBack", 1},       {"BringToFront", 1},           {"ParentCenterHorizontal", 1},
                 {"ParentCenterVertical", 1}, {"AlignLeft", 2},         {"AlignRight", 2},
                 {"AlignTop", 2},         {"AlignBottom", 2},            {"CenterHorizontal", 2},
                 {"CenterVertical", 2},   {"EqualSpaceHorizontal", 3},   {"EqualSpaceVertical", 3}},
      buttons[] = {{"TextLeftAlign", 1},  {"TextRightAlign", 1},         {"TextCenter", 1},
                   {"CopyToClipboard", 1}, {"CutToClipboard", 1},        {"Delete", 1},
                   {"SendToBack", 1},     {"BringToFront", 1},           {"AlignParentCenterHorizontal", 1},
                   {"AlignParentCenterVertical", 1}, {"AlignLeft", 2},  {"AlignRight", 2},
                   {"AlignTop", 2},       {"AlignBottom", 2},            {"AlignCenterHorizontal", 2},
                   {"AlignCenterVertical", 2}, {"AlignEqualSpaceHorizontal", 3}, {"AlignEqualSpaceVertical", 3}};
    for (const auto &i : items)
        if (TMenuItem *item = FMenuItems->Item(QString::fromLatin1(i.Name))) item->setEnabled(n >= i.Needs);
    for (const auto &b : buttons)
        if (TSpeedButton *button = FSpeedButtons->Button(QString::fromLatin1(b.Name)))
            SetBooleanProperty(button, QStringLiteral("Enabled"), n >= b.Needs);
    FOnSelectionChanged.Invoke<TVDMDesigner *, int>(this, n);
}

void TVDMDesigner::UpdateHandle(QWidget *Element) {
    if (!FHandle) return;
    if (Element) {
        FHandle->ReleaseChild(Element);
        return;
    }
    RedrawSelection();
}

void TVDMDesigner::RedrawSelection() {
    if (!FHandle) return;
    FHandle->RecalcSize();
    FHandle->update();
}

void TVDMDesigner::DetachSelection() {
    if (FHandle) FHandle->Detach();
}
