// Commands on the selection that the selection handle and the host window call: property
// editing through the host, deleting, z-order and grouping.
#include "design/designer.h"

#include "design/stretch_handle.h"

#include "design/element_access.h"

#include "host/font.h"
#include "host/list_controls.h"
#include "host/property_access.h"
#include "model/design_report.h"
#include "model/report_constants.h"
#include "model/report_messages.h"
#include "reportlib/rep_band.h"

#include <QPointer>
#include <algorithm>

bool TVDMDesigner::EditProperties(TComponent *Element) {
    if (!Element) return false;
    QObject *object = Element->Object();
    // Without a handler there is no dialog to cancel: the new or edited element is kept.
    bool result = !FOnEditProperties.Assigned();
    FOnEditProperties.Invoke<TVDMDesigner *, TComponent *, bool &>(this, Element, result);
    if (!result) return false;
    if (auto *w = qobject_cast<QWidget *>(object)) w->update();
    if (PropertyExists(object, QStringLiteral("Font")))
        UpdateFontComponents(qobject_cast<const TFont *>(GetPointerProperty(object, QStringLiteral("Font"))));
    return true;
}

void TVDMDesigner::DeleteSelectedElements() {
    if (!FHandle || !FHandle->IsAttached()) return;
    const QList<QWidget *> selection = FHandle->Children();
    QWidget *first = selection.first();
    if (!FOnDeleteElement.Assigned() && qobject_cast<TRepBand *>(first)) {
        if (selection.size() == 1 && ElementFlag(first, ElementProperty::BlockDelete)) return;
        const QString key = selection.size() == 1 ? QStringLiteral("Delete band") : QStringLiteral("Delete selected bands");
        if (!GetConfirmation(RuntimeMessages(), key)) return;
    }
    TDesignCommand command(this);
    SetHasChanged(true);
    QPointer<QWidget> parent = first->parentWidget();
    const bool onBand = qobject_cast<TRepBand *>(parent.data()) != nullptr;
    // The handle lets go first: it must not point at what is freed, nor be freed with a band.
    FHandle->DetachWithoutEvents();
    for (const QPointer<QWidget> &control : QList<QPointer<QWidget>>(selection.begin(), selection.end())) {
        if (!control || ElementFlag(control, ElementProperty::BlockDelete)) continue;
        TComponent *component = TComponent::FromObject(control);
        bool doDelete = true;
        FOnDeleteElement.Invoke<TVDMDesigner *, TComponent *, bool &>(this, component, doDelete);
        if (!doDelete || !control) continue;
        if (auto *band = qobject_cast<TRepBand *>(control.data())) {
            if (FHandle->parentWidget() == band) FHandle->setParent(band->parentWidget());
            if (Owner())
                for (TComponent *c : Owner()->Components())
                    if (auto *child = dynamic_cast<TRepChildBand *>(c); child && child->ParentBand() == band)
                        child->SetParentBand(nullptr);
        }
        delete control.data();
    }
    FHandle->Detach();
    if (onBand && parent) SelectElement(false, parent);
}

void TVDMDesigner::BringToFrontSelectedElements() {
    if (!FHandle || !FHandle->IsAttached()) return;
    SetHasChanged(true);
    for (QWidget *c : FHandle->Children()) c->raise();
    FHandle->InheritedBringToFront();
}

void TVDMDesigner::SendToBackSelectedElements() {
    if (!FHandle || !FHandle->IsAttached()) return;
    SetHasChanged(true);
    for (QWidget *c : FHandle->Children()) c->lower();
}

void TVDMDesigner::GroupSelectedElements() {
    if (!FHandle || !FHandle->IsAttached()) return;
    // Grouping is stored with the report, so it counts as a change.
    SetHasChanged(true);
    // Above every group of the form, so that a new group never joins a loaded one.
    if (Owner())
        for (TComponent *c : Owner()->Components())
            if (PropertyExists(c->Object(), ElementProperty::GroupID))
                GroupCounter = qint32(std::max<qint64>(GroupCounter, GetIntegerProperty(c->Object(), ElementProperty::GroupID)));
    ++GroupCounter;
    for (QWidget *c : FHandle->Children())
        if (PropertyExists(c, ElementProperty::GroupID)) SetIntegerProperty(c, ElementProperty::GroupID, GroupCounter);
}

void TVDMDesigner::AssignComponentEvents() {
    BindFontComboBoxes();
    FMenuItems->Bind();
    FSpeedButtons->Bind();
}
