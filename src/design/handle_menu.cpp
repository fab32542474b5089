// The selection handle's commands on one clicked element: property editing, the options dialog
// and the context menu. Every question goes through the interaction service.
#include "design/stretch_handle.h"

#include "design/block_form.h"
#include "design/designer.h"

#include "design/element_access.h"

#include "host/interaction.h"
#include "host/property_access.h"
#include "host/strings.h"
#include "model/report_constants.h"
#include "model/runtime_messages.h"

namespace {

// Menu items by index; the index is each item's tag and the command it runs.
enum TMenuIndex {
    miProperties = 0,
    miOptions = 1,
    miBringToFront = 3,
    miSendToBack = 4,
    miGroup = 6,
    miUngroup = 7,
    miUngroupAll = 8
};

void ClearGroup(QObject *Control) {
    if (PropertyExists(Control, ElementProperty::GroupID)) SetIntegerProperty(Control, ElementProperty::GroupID, 0);
}

}  // namespace

int TStretch_Handle::ExecPopupMenu(TComponent *, int X, int Y, const QStringList &Captions, int LastIndex) {
    FPopupResult = -1;
    const QStringList items = Captions.mid(0, LastIndex + 1);
    const int chosen = Interaction().PopupMenu(items, mapToGlobal(QPoint(X, Y)));
    if (chosen >= 0 && chosen < items.size()) PopupMenuOnClick(chosen);
    return FPopupResult;
}

bool TStretch_Handle::EditElement(QWidget *Element) {
    if (!Element || !FDesigner) return false;
    if (PropertyExists(Element, ElementProperty::BlockEdit) && GetBooleanProperty(Element, ElementProperty::BlockEdit))
        return false;
    TDesignCommand command(FDesigner);
    FDesigner->SetHasChanged(true);
    if (!FDesigner->EditProperties(TComponent::FromObject(Element))) return false;
    // Handles and panels show the element as it is now.
    DetachWithoutEvents();
    Attach(Element);
    return true;
}

bool TStretch_Handle::ShowOptions(QWidget *Element) {
    if (!Element || !PropertyExists(Element, ElementProperty::BlockDelete)) return false;
    // No owner: the form lives only while it is shown, and must not clash with a component of
    // the report's form that happens to carry its name.
    TBlockForm form(nullptr, window());
    form.Prepare(FDesigner, Element, FChildren);
    if (Interaction().ExecDialog(form) == QDialog::Accepted) {
        TDesignCommand command(FDesigner);
        form.Apply();
    }
    return true;
}

void TStretch_Handle::ContextMenu(QWidget *Element, QPoint At) {
    const quint16 group = ElementGroup(Element);
    QStringList keys = {QStringLiteral("PopupMenuProperties"), QStringLiteral("PopupMenuOptions"), QStringLiteral("-"),
                        QStringLiteral("PopupMenuBringToFront"), QStringLiteral("PopupMenuSendToBack")};
    if (group != 0 || FChildren.size() > 1) keys << QStringLiteral("-") << QStringLiteral("PopupMenuGroup");
    if (group != 0) keys << QStringLiteral("PopupMenuUngroup") << QStringLiteral("PopupMenuUngroupAll");
    const TStrings *messages = FDesigner ? FDesigner->RuntimeMessages() : nullptr;
    const QStringList table = messages ? messages->ToStringList() : QStringList();
    QStringList captions;
    for (const QString &key : std::as_const(keys)) {
        const QString text = key == QLatin1String("-") ? key : LookupRuntimeMessage(table, key);
        captions << (text.isEmpty() ? key : text);
    }
    switch (ExecPopupMenu(Owner(), At.x(), At.y(), captions, int(captions.size()) - 1)) {
    case miProperties: EditElement(Element); break;
    case miOptions: ShowOptions(Element); break;
    case miBringToFront:
        if (FDesigner) FDesigner->BringToFrontSelectedElements();
        break;
    case miSendToBack:
        if (FDesigner) FDesigner->SendToBackSelectedElements();
        break;
    case miGroup:
        if (FDesigner) FDesigner->GroupSelectedElements();
        break;
    case miUngroup:
        ClearGroup(Element);
        if (FDesigner) FDesigner->SetHasChanged(true);
        ReleaseChild(Element);
        RecalcSize();
        update();
        break;
    case miUngroupAll: {
        for (QWidget *c : FChildren) ClearGroup(c);
        if (FDesigner) FDesigner->SetHasChanged(true);
        Detach();
        RecalcSize();
        update();
        break;
    }
    default: break;
    }
}
