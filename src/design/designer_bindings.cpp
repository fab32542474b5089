#include "design/designer_bindings.h"

#include "design/designer.h"

#include "host/property_access.h"
#include "host/stream.h"

#include <QMetaMethod>

namespace {

bool IsDown(const TSpeedButton *Button) { return Button && Button->isChecked(); }

template <class T>
QStringList NamesOf() {
    QStringList names;
    const QMetaObject &meta = T::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        names << QString::fromLatin1(meta.property(i).name());
    return names;
}

}  // namespace

// --- menu items ------------------------------------------------------------------------------

TVDMMenuItems::TVDMMenuItems(TVDMDesigner *Designer) : TPersistent(Designer), FDesigner(Designer) {}

const QStringList &TVDMMenuItems::Names() {
    static const QStringList names = NamesOf<TVDMMenuItems>();
    return names;
}

void TVDMMenuItems::SetItem(const QString &Name, TMenuItem *Item) {
    if (Item) FDesigner->FreeNotification(Item);
    FItems.insert(Name, Item);
    // Bound at once, so that an application building its window in code needs no further call.
    if (Item && !FDesigner->HasState(csLoading)) BindItem(Name);
}

void TVDMMenuItems::Forget(const QObject *Control) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it)
        if (it.value() == Control) it.value() = nullptr;
}

void TVDMMenuItems::Bind() {
    for (const QString &name : Names()) BindItem(name);
}

void TVDMMenuItems::BindItem(const QString &Name) {
    TMenuItem *item = Item(Name);
    if (!item) return;
    static const struct {
        const char *Name;
        void (TVDMMenuItems::*Handler)(QObject *);
    } bindings[] = {
        {"Undo", &TVDMMenuItems::OnUndo},
        {"CopyToClipboard", &TVDMMenuItems::OnCopyToClipboard},
        {"CutToClipboard", &TVDMMenuItems::OnCutToClipboard},
        {"PasteFromClipboard", &TVDMMenuItems::OnPasteFromClipboard},
        {"Delete", &TVDMMenuItems::OnDelete},
        {"SendToBack", &TVDMMenuItems::OnSendToBack},
        {"BringToFront", &TVDMMenuItems::OnBringToFront},
        {"AlignLeft", &TVDMMenuItems::OnLeftAlign},
        {"AlignRight", &TVDMMenuItems::OnRightAlign},
        {"AlignTop", &TVDMMenuItems::OnTopAlign},
        {"AlignBottom", &TVDMMenuItems::OnBottomAlign},
        {"CenterHorizontal", &TVDMMenuItems::OnHorizontalCenter},
        {"CenterVertical", &TVDMMenuItems::OnVerticalCenter},
        {"ParentCenterHorizontal", &TVDMMenuItems::OnHorizontalParentCenter},
        {"ParentCenterVertical", &TVDMMenuItems::OnVerticalParentCenter},
        {"EqualSpaceHorizontal", &TVDMMenuItems::OnHorizontalSpaceEqual},
        {"EqualSpaceVertical", &TVDMMenuItems::OnVerticalSpaceEqual},
    };
    for (const auto &b : bindings)
        if (Name == QLatin1String(b.Name)) item->SetOnClick(TMethod::Make(this, b.Handler));
    // Paste is offered once there is something to paste.
    if (item == PasteFromClipboard()) item->setEnabled(VDMClipboard().Size() > 0);
}

void TVDMMenuItems::OnUndo(QObject *) {
    FDesigner->DoUndo();
}

void TVDMMenuItems::OnCopyToClipboard(QObject *) {
    FDesigner->CopyToVDMClipboard();
}

void TVDMMenuItems::OnCutToClipboard(QObject *) {
    FDesigner->CutToVDMClipboard();
}

void TVDMMenuItems::OnPasteFromClipboard(QObject *) {
    FDesigner->PasteFromVDMClipboard();
}

void TVDMMenuItems::OnDelete(QObject *) {
    FDesigner->DeleteSelectedElements();
}

void TVDMMenuItems::OnSendToBack(QObject *) {
    FDesigner->SendToBackSelectedElements();
    FDesigner->RedrawSelection();
}

void TVDMMenuItems::OnBringToFront(QObject *) {
    FDesigner->BringToFrontSelectedElements();
    FDesigner->RedrawSelection();
}

void TVDMMenuItems::OnLeftAlign(QObject *) {
    FDesigner->LeftAlignSelectedElements();
}

void TVDMMenuItems::OnRightAlign(QObject *) {
    FDesigner->RightAlignSelectedElements();
}

void TVDMMenuItems::OnTopAlign(QObject *) {
    FDesigner->TopAlignSelectedElements();
}

void TVDMMenuItems::OnBottomAlign(QObject *) {
    FDesigner->BottomAlignSelectedElements();
}

void TVDMMenuItems::OnHorizontalCenter(QObject *) {
    FDesigner->HorizontalCenterSelectedElements();
}

void TVDMMenuItems::OnVerticalCenter(QObject *) {
    FDesigner->VerticalCenterSelectedElements();
}

void TVDMMenuItems::OnHorizontalParentCenter(QObject *) {
    FDesigner->HorizontalParentCenterSelectedElements();
}

void TVDMMenuItems::OnVerticalParentCenter(QObject *) {
    FDesigner->VerticalParentCenterSelectedElements();
}

void TVDMMenuItems::OnHorizontalSpaceEqual(QObject *) {
    FDesigner->HorizontalSpaceEqualSelectedElements();
}

void TVDMMenuItems::OnVerticalSpaceEqual(QObject *) {
    FDesigner->VerticalSpaceEqualSelectedElements();
}

// --- speed buttons ---------------------------------------------------------------------------

TVDMSpeedButtons::TVDMSpeedButtons(TVDMDesigner *Designer) : TPersistent(Designer), FDesigner(Designer) {}

const QStringList &TVDMSpeedButtons::Names() {
    static const QStringList names = NamesOf<TVDMSpeedButtons>();
    return names;
}

void TVDMSpeedButtons::SetButton(const QString &Name, TSpeedButton *Button) {
    if (Button) FDesigner->FreeNotification(Button);
    FButtons.insert(Name, Button);
    if (Button && !FDesigner->HasState(csLoading)) BindButton(Name);
}

void TVDMSpeedButtons::Forget(const QObject *Control) {
    for (auto it = FButtons.begin(); it != FButtons.end(); ++it)
        if (it.value() == Control) it.value() = nullptr;
}

TMethod TVDMSpeedButtons::MethodAddress(const QString &Name) {
    const QMetaObject *meta = metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature((Name + QStringLiteral("(QObject*)")).toLatin1()));
    if (index < 0) return TMethod();
    const QMetaMethod method = meta->method(index);
    // The method's index is its identity: binding the same handler twice gives equal events.
    const void *tag = reinterpret_cast<const void *>(quintptr(index) + 1);
    const std::function<void(QObject *)> call = [this, method](QObject *Sender) {
        method.invoke(this, Qt::DirectConnection, Q_ARG(QObject *, Sender));
    };
    return TMethod::FromFunction<QObject *>(call, tag, this);
}

void TVDMSpeedButtons::Bind() {
    for (const QString &name : Names()) BindButton(name);
}

void TVDMSpeedButtons::BindButton(const QString &Name) {
    TSpeedButton *button = Button(Name);
    if (!button) return;
    static const struct {
        const char *Name;
        const char *Handler;
    } bindings[] = {
        {"TextLeftAlign", "OnTextLeftAlign"},
        {"TextRightAlign", "OnTextRightAlign"},
        {"TextCenter", "OnTextCenter"},
        {"CopyToClipboard", "OnCopyToClipboard"},
        {"CutToClipboard", "OnCutToClipboard"},
        {"PasteFromClipboard", "OnPasteFromClipboard"},
        {"Delete", "OnDelete"},
        {"SendToBack", "OnSendToBack"},
        {"BringToFront", "OnBringToFront"},
        {"AlignLeft", "OnLeftAlign"},
        {"AlignRight", "OnRightAlign"},
        {"AlignTop", "OnTopAlign"},
        {"AlignBottom", "OnBottomAlign"},
        {"AlignCenterHorizontal", "OnHorizontalCenter"},
        {"AlignCenterVertical", "OnVerticalCenter"},
        {"AlignParentCenterHorizontal", "OnHorizontalParentCenter"},
        {"AlignParentCenterVertical", "OnVerticalParentCenter"},
        {"AlignEqualSpaceHorizontal", "OnHorizontalSpaceEqual"},
        {"AlignEqualSpaceVertical", "OnVerticalSpaceEqual"},
        {"FontBold", "OnBold"},
        {"FontItalic", "OnItalic"},
        {"FontUnderline", "OnUnderline"},
        {"NormalDesign", "OnNormalDesign"},
    };
    for (const auto &b : bindings)
        if (Name == QLatin1String(b.Name))
            SetMethodProperty(button, QStringLiteral("OnClick"), MethodAddress(QString::fromLatin1(b.Handler)));
    if (button == PasteFromClipboard())
        SetBooleanProperty(button, QStringLiteral("Enabled"), VDMClipboard().Size() > 0);
    // Each font-style button is a toggle of its own: a one-button group that may be all up.
    const int group = button == FontBold() ? 29998 : button == FontItalic() ? 29999 : button == FontUnderline() ? 29997 : 0;
    if (group == 0) return;
    if (button->GroupIndex() == 0) button->SetGroupIndex(group);
    button->SetAllowAllUp(true);
}

void TVDMSpeedButtons::OnTextLeftAlign(QObject *) {
    FDesigner->TextLeftAlign();
}

void TVDMSpeedButtons::OnTextRightAlign(QObject *) {
    FDesigner->TextRightAlign();
}

void TVDMSpeedButtons::OnTextCenter(QObject *) {
    FDesigner->TextCenter();
}

void TVDMSpeedButtons::OnCopyToClipboard(QObject *) {
    FDesigner->CopyToVDMClipboard();
}

void TVDMSpeedButtons::OnCutToClipboard(QObject *) {
    FDesigner->CutToVDMClipboard();
}

void TVDMSpeedButtons::OnPasteFromClipboard(QObject *) {
    FDesigner->PasteFromVDMClipboard();
}

void TVDMSpeedButtons::OnDelete(QObject *) {
    FDesigner->DeleteSelectedElements();
}

void TVDMSpeedButtons::OnSendToBack(QObject *) {
    FDesigner->SendToBackSelectedElements();
    FDesigner->RedrawSelection();
}

void TVDMSpeedButtons::OnBringToFront(QObject *) {
    FDesigner->BringToFrontSelectedElements();
    FDesigner->RedrawSelection();
}

void TVDMSpeedButtons::OnLeftAlign(QObject *) {
    FDesigner->LeftAlignSelectedElements();
}

void TVDMSpeedButtons::OnRightAlign(QObject *) {
    FDesigner->RightAlignSelectedElements();
}

void TVDMSpeedButtons::OnTopAlign(QObject *) {
    FDesigner->TopAlignSelectedElements();
}

void TVDMSpeedButtons::OnBottomAlign(QObject *) {
    FDesigner->BottomAlignSelectedElements();
}

void TVDMSpeedButtons::OnHorizontalCenter(QObject *) {
    FDesigner->HorizontalCenterSelectedElements();
}

void TVDMSpeedButtons::OnVerticalCenter(QObject *) {
    FDesigner->VerticalCenterSelectedElements();
}

void TVDMSpeedButtons::OnHorizontalParentCenter(QObject *) {
    FDesigner->HorizontalParentCenterSelectedElements();
}

void TVDMSpeedButtons::OnVerticalParentCenter(QObject *) {
    FDesigner->VerticalParentCenterSelectedElements();
}

void TVDMSpeedButtons::OnHorizontalSpaceEqual(QObject *) {
    FDesigner->HorizontalSpaceEqualSelectedElements();
}

void TVDMSpeedButtons::OnVerticalSpaceEqual(QObject *) {
    FDesigner->VerticalSpaceEqualSelectedElements();
}

void TVDMSpeedButtons::OnBold(QObject *) {
    FDesigner->SetSelectedElementsFontStyle(IsDown(FontBold()) ? 1 : -1, 0, 0);
}

void TVDMSpeedButtons::OnItalic(QObject *) {
    FDesigner->SetSelectedElementsFontStyle(0, 0, IsDown(FontItalic()) ? 1 : -1);
}

void TVDMSpeedButtons::OnUnderline(QObject *) {
    FDesigner->SetSelectedElementsFontStyle(0, IsDown(FontUnderline()) ? 1 : -1, 0);
}

void TVDMSpeedButtons::OnNormalDesign(QObject *) {
    FDesigner->SetVendamoState(0);
}
