#pragma once
// The host window's menu items and speed buttons that the designer binds to its commands: two
// published sub-objects of the designer holding references (not owned) to controls of the host
// form. Unassigned references are skipped everywhere; a control that goes is forgotten.
#include "host/button_controls.h"
#include "host/menu_controls.h"
#include "host/persistent.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

class TVDMDesigner;

class TVDMMenuItems : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TMenuItem *Undo READ Undo WRITE SetUndo)
    Q_PROPERTY(TMenuItem *CopyToClipboard READ CopyToClipboard WRITE SetCopyToClipboard)
    Q_PROPERTY(TMenuItem *CutToClipboard READ CutToClipboard WRITE SetCutToClipboard)
    Q_PROPERTY(TMenuItem *PasteFromClipboard READ PasteFromClipboard WRITE SetPasteFromClipboard)
    Q_PROPERTY(TMenuItem *Delete READ Delete WRITE SetDelete)
    Q_PROPERTY(TMenuItem *SendToBack READ SendToBack WRITE SetSendToBack)
    Q_PROPERTY(TMenuItem *BringToFront READ BringToFront WRITE SetBringToFront)
    Q_PROPERTY(TMenuItem *AlignLeft READ AlignLeft WRITE SetAlignLeft)
    Q_PROPERTY(TMenuItem *AlignRight READ AlignRight WRITE SetAlignRight)
    Q_PROPERTY(TMenuItem *AlignTop READ AlignTop WRITE SetAlignTop)
    Q_PROPERTY(TMenuItem *AlignBottom READ AlignBottom WRITE SetAlignBottom)
    Q_PROPERTY(TMenuItem *CenterHorizontal READ CenterHorizontal WRITE SetCenterHorizontal)
    Q_PROPERTY(TMenuItem *CenterVertical READ CenterVertical WRITE SetCenterVertical)
    Q_PROPERTY(TMenuItem *ParentCenterHorizontal READ ParentCenterHorizontal WRITE SetParentCenterHorizontal)
    Q_PROPERTY(TMenuItem *ParentCenterVertical READ ParentCenterVertical WRITE SetParentCenterVertical)
    Q_PROPERTY(TMenuItem *EqualSpaceHorizontal READ EqualSpaceHorizontal WRITE SetEqualSpaceHorizontal)
    Q_PROPERTY(TMenuItem *EqualSpaceVertical READ EqualSpaceVertical WRITE SetEqualSpaceVertical)
public:
    explicit TVDMMenuItems(TVDMDesigner *Designer);

    // The property names in property order.
    static const QStringList &Names();
    TMenuItem *Item(const QString &Name) const { return FItems.value(Name); }
    void SetItem(const QString &Name, TMenuItem *Item);
    // Binds every assigned item's click to its command; Paste starts disabled while there is
    // nothing to paste.
    void Bind();
    void BindItem(const QString &Name);
    // Forgets a control that is going.
    void Forget(const QObject *Control);

    TMenuItem *Undo() const { return Item(QStringLiteral("Undo")); }
    void SetUndo(TMenuItem *value) { SetItem(QStringLiteral("Undo"), value); }
    TMenuItem *CopyToClipboard() const { return Item(QStringLiteral("CopyToClipboard")); }
    void SetCopyToClipboard(TMenuItem *value) { SetItem(QStringLiteral("CopyToClipboard"), value); }
    TMenuItem *CutToClipboard() const { return Item(QStringLiteral("CutToClipboard")); }
    void SetCutToClipboard(TMenuItem *value) { SetItem(QStringLiteral("CutToClipboard"), value); }
    TMenuItem *PasteFromClipboard() const { return Item(QStringLiteral("PasteFromClipboard")); }
    void SetPasteFromClipboard(TMenuItem *value) { SetItem(QStringLiteral("PasteFromClipboard"), value); }
    TMenuItem *Delete() const { return Item(QStringLiteral("Delete")); }
    void SetDelete(TMenuItem *value) { SetItem(QStringLiteral("Delete"), value); }
    TMenuItem *SendToBack() const { return Item(QStringLiteral("SendToBack")); }
    void SetSendToBack(TMenuItem *value) { SetItem(QStringLiteral("SendToBack"), value); }
    TMenuItem *BringToFront() const { return Item(QStringLiteral("BringToFront")); }
    void SetBringToFront(TMenuItem *value) { SetItem(QStringLiteral("BringToFront"), value); }
    TMenuItem *AlignLeft() const { return Item(QStringLiteral("AlignLeft")); }
    void SetAlignLeft(TMenuItem *value) { SetItem(QStringLiteral("AlignLeft"), value); }
    TMenuItem *AlignRight() const { return Item(QStringLiteral("AlignRight")); }
    void SetAlignRight(TMenuItem *value) { SetItem(QStringLiteral("AlignRight"), value); }
    TMenuItem *AlignTop() const { return Item(QStringLiteral("AlignTop")); }
    void SetAlignTop(TMenuItem *value) { SetItem(QStringLiteral("AlignTop"), value); }
    TMenuItem *AlignBottom() const { return Item(QStringLiteral("AlignBottom")); }
    void SetAlignBottom(TMenuItem *value) { SetItem(QStringLiteral("AlignBottom"), value); }
    TMenuItem *CenterHorizontal() const { return Item(QStringLiteral("CenterHorizontal")); }
    void SetCenterHorizontal(TMenuItem *value) { SetItem(QStringLiteral("CenterHorizontal"), value); }
    TMenuItem *CenterVertical() const { return Item(QStringLiteral("CenterVertical")); }
    void SetCenterVertical(TMenuItem *value) { SetItem(QStringLiteral("CenterVertical"), value); }
    TMenuItem *ParentCenterHorizontal() const { return Item(QStringLiteral("ParentCenterHorizontal")); }
    void SetParentCenterHorizontal(TMenuItem *value) { SetItem(QStringLiteral("ParentCenterHorizontal"), value); }
    TMenuItem *ParentCenterVertical() const { return Item(QStringLiteral("ParentCenterVertical")); }
    void SetParentCenterVertical(TMenuItem *value) { SetItem(QStringLiteral("ParentCenterVertical"), value); }
    TMenuItem *EqualSpaceHorizontal() const { return Item(QStringLiteral("EqualSpaceHorizontal")); }
    void SetEqualSpaceHorizontal(TMenuItem *value) { SetItem(QStringLiteral("EqualSpaceHorizontal"), value); }
    TMenuItem *EqualSpaceVertical() const { return Item(QStringLiteral("EqualSpaceVertical")); }
    void SetEqualSpaceVertical(TMenuItem *value) { SetItem(QStringLiteral("EqualSpaceVertical"), value); }

    // Click handlers, each running one command of the designer.
    void OnUndo(QObject *Sender);
    void OnCopyToClipboard(QObject *Sender);
    void OnCutToClipboard(QObject *Sender);
    void OnPasteFromClipboard(QObject *Sender);
    void OnDelete(QObject *Sender);
    void OnSendToBack(QObject *Sender);
    void OnBringToFront(QObject *Sender);
    void OnLeftAlign(QObject *Sender);
    void OnRightAlign(QObject *Sender);
    void OnTopAlign(QObject *Sender);
    void OnBottomAlign(QObject *Sender);
    void OnHorizontalCenter(QObject *Sender);
    void OnVerticalCenter(QObject *Sender);
    void OnHorizontalParentCenter(QObject *Sender);
    void OnVerticalParentCenter(QObject *Sender);
    void OnHorizontalSpaceEqual(QObject *Sender);
    void OnVerticalSpaceEqual(QObject *Sender);

private:
    TVDMDesigner *FDesigner;
    QHash<QString, QPointer<TMenuItem>> FItems;
};

class TVDMSpeedButtons : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TSpeedButton *TextLeftAlign READ TextLeftAlign WRITE SetTextLeftAlign)
    Q_PROPERTY(TSpeedButton *TextRightAlign READ TextRightAlign WRITE SetTextRightAlign)
    Q_PROPERTY(TSpeedButton *TextCenter READ TextCenter WRITE SetTextCenter)
    Q_PROPERTY(TSpeedButton *CopyToClipboard READ CopyToClipboard WRITE SetCopyToClipboard)
    Q_PROPERTY(TSpeedButton *CutToClipboard READ CutToClipboard WRITE SetCutToClipboard)
    Q_PROPERTY(TSpeedButton *PasteFromClipboard READ PasteFromClipboard WRITE SetPasteFromClipboard)
    Q_PROPERTY(TSpeedButton *Delete READ Delete WRITE SetDelete)
    Q_PROPERTY(TSpeedButton *SendToBack READ SendToBack WRITE SetSendToBack)
    Q_PROPERTY(TSpeedButton *BringToFront READ BringToFront WRITE SetBringToFront)
    Q_PROPERTY(TSpeedButton *AlignLeft READ AlignLeft WRITE SetAlignLeft)
    Q_PROPERTY(TSpeedButton *AlignRight READ AlignRight WRITE SetAlignRight)
    Q_PROPERTY(TSpeedButton *AlignTop READ AlignTop WRITE SetAlignTop)
    Q_PROPERTY(TSpeedButton *AlignBottom READ AlignBottom WRITE SetAlignBottom)
    Q_PROPERTY(TSpeedButton *AlignCenterHorizontal READ AlignCenterHorizontal WRITE SetAlignCenterHorizontal)
    Q_PROPERTY(TSpeedButton *AlignCenterVertical READ AlignCenterVertical WRITE SetAlignCenterVertical)
    Q_PROPERTY(TSpeedButton *AlignParentCenterHorizontal READ AlignParentCenterHorizontal WRITE SetAlignParentCenterHorizontal)
    Q_PROPERTY(TSpeedButton *AlignParentCenterVertical READ AlignParentCenterVertical WRITE SetAlignParentCenterVertical)
    Q_PROPERTY(TSpeedButton *AlignEqualSpaceHorizontal READ AlignEqualSpaceHorizontal WRITE SetAlignEqualSpaceHorizontal)
    Q_PROPERTY(TSpeedButton *AlignEqualSpaceVertical READ AlignEqualSpaceVertical WRITE SetAlignEqualSpaceVertical)
    Q_PROPERTY(TSpeedButton *FontBold READ FontBold WRITE SetFontBold)
    Q_PROPERTY(TSpeedButton *FontItalic READ FontItalic WRITE SetFontItalic)
    Q_PROPERTY(TSpeedButton *Ruler READ Ruler WRITE SetRuler)
    Q_PROPERTY(TSpeedButton *FontUnderline READ FontUnderline WRITE SetFontUnderline)
    Q_PROPERTY(TSpeedButton *NormalDesign READ NormalDesign WRITE SetNormalDesign)
public:
    explicit TVDMSpeedButtons(TVDMDesigner *Designer);

    static const QStringList &Names();
    TSpeedButton *Button(const QString &Name) const { return FButtons.value(Name); }
    void SetButton(const QString &Name, TSpeedButton *Button);
    // Binds every assigned button: its handler, found by name, goes into its "OnClick"
    // property; Paste starts disabled while there is nothing to paste; the font-style buttons
    // become stand-alone toggles.
    void Bind();
    void BindButton(const QString &Name);
    void Forget(const QObject *Control);
    // The handler of that name as an event value; unassigned for an unknown name.
    TMethod MethodAddress(const QString &Name);

    TSpeedButton *TextLeftAlign() const { return Button(QStringLiteral("TextLeftAlign")); }
    void SetTextLeftAlign(TSpeedButton *value) { SetButton(QStringLiteral("TextLeftAlign"), value); }
    TSpeedButton *TextRightAlign() const { return Button(QStringLiteral("TextRightAlign")); }
    void SetTextRightAlign(TSpeedButton *value) { SetButton(QStringLiteral("TextRightAlign"), value); }
    TSpeedButton *TextCenter() const { return Button(QStringLiteral("TextCenter")); }
    void SetTextCenter(TSpeedButton *value) { SetButton(QStringLiteral("TextCenter"), value); }
    TSpeedButton *CopyToClipboard() const { return Button(QStringLiteral("CopyToClipboard")); }
    void SetCopyToClipboard(TSpeedButton *value) { SetButton(QStringLiteral("CopyToClipboard"), value); }
    TSpeedButton *CutToClipboard() const { return Button(QStringLiteral("CutToClipboard")); }
    void SetCutToClipboard(TSpeedButton *value) { SetButton(QStringLiteral("CutToClipboard"), value); }
    TSpeedButton *PasteFromClipboard() const { return Button(QStringLiteral("PasteFromClipboard")); }
    void SetPasteFromClipboard(TSpeedButton *value) { SetButton(QStringLiteral("PasteFromClipboard"), value); }
    TSpeedButton *Delete() const { return Button(QStringLiteral("Delete")); }
    void SetDelete(TSpeedButton *value) { SetButton(QStringLiteral("Delete"), value); }
    TSpeedButton *SendToBack() const { return Button(QStringLiteral("SendToBack")); }
    void SetSendToBack(TSpeedButton *value) { SetButton(QStringLiteral("SendToBack"), value); }
    TSpeedButton *BringToFront() const { return Button(QStringLiteral("BringToFront")); }
    void SetBringToFront(TSpeedButton *value) { SetButton(QStringLiteral("BringToFront"), value); }
    TSpeedButton *AlignLeft() const { return Button(QStringLiteral("AlignLeft")); }
    void SetAlignLeft(TSpeedButton *value) { SetButton(QStringLiteral("AlignLeft"), value); }
    TSpeedButton *AlignRight() const { return Button(QStringLiteral("AlignRight")); }
    void SetAlignRight(TSpeedButton *value) { SetButton(QStringLiteral("AlignRight"), value); }
    TSpeedButton *AlignTop() const { return Button(QStringLiteral("AlignTop")); }
    void SetAlignTop(TSpeedButton *value) { SetButton(QStringLiteral("AlignTop"), value); }
    TSpeedButton *AlignBottom() const { return Button(QStringLiteral("AlignBottom")); }
    void SetAlignBottom(TSpeedButton *value) { SetButton(QStringLiteral("AlignBottom"), value); }
    TSpeedButton *AlignCenterHorizontal() const { return Button(QStringLiteral("AlignCenterHorizontal")); }
    void SetAlignCenterHorizontal(TSpeedButton *value) { SetButton(QStringLiteral("AlignCenterHorizontal"), value); }
    TSpeedButton *AlignCenterVertical() const { return Button(QStringLiteral("AlignCenterVertical")); }
    void SetAlignCenterVertical(TSpeedButton *value) { SetButton(QStringLiteral("AlignCenterVertical"), value); }
    TSpeedButton *AlignParentCenterHorizontal() const { return Button(QStringLiteral("AlignParentCenterHorizontal")); }
    void SetAlignParentCenterHorizontal(TSpeedButton *value) { SetButton(QStringLiteral("AlignParentCenterHorizontal"), value); }
    TSpeedButton *AlignParentCenterVertical() const { return Button(QStringLiteral("AlignParentCenterVertical")); }
    void SetAlignParentCenterVertical(TSpeedButton *value) { SetButton(QStringLiteral("AlignParentCenterVertical"), value); }
    TSpeedButton *AlignEqualSpaceHorizontal() const { return Button(QStringLiteral("AlignEqualSpaceHorizontal")); }
    void SetAlignEqualSpaceHorizontal(TSpeedButton *value) { SetButton(QStringLiteral("AlignEqualSpaceHorizontal"), value); }
    TSpeedButton *AlignEqualSpaceVertical() const { return Button(QStringLiteral("AlignEqualSpaceVertical")); }
    void SetAlignEqualSpaceVertical(TSpeedButton *value) { SetButton(QStringLiteral("AlignEqualSpaceVertical"), value); }
    TSpeedButton *FontBold() const { return Button(QStringLiteral("FontBold")); }
    void SetFontBold(TSpeedButton *value) { SetButton(QStringLiteral("FontBold"), value); }
    TSpeedButton *FontItalic() const { return Button(QStringLiteral("FontItalic")); }
    void SetFontItalic(TSpeedButton *value) { SetButton(QStringLiteral("FontItalic"), value); }
    TSpeedButton *Ruler() const { return Button(QStringLiteral("Ruler")); }
    void SetRuler(TSpeedButton *value) { SetButton(QStringLiteral("Ruler"), value); }
    TSpeedButton *FontUnderline() const { return Button(QStringLiteral("FontUnderline")); }
    void SetFontUnderline(TSpeedButton *value) { SetButton(QStringLiteral("FontUnderline"), value); }
    TSpeedButton *NormalDesign() const { return Button(QStringLiteral("NormalDesign")); }
    void SetNormalDesign(TSpeedButton *value) { SetButton(QStringLiteral("NormalDesign"), value); }

    // Click handlers, published so that they can be found by name.
    Q_INVOKABLE void OnTextLeftAlign(QObject *Sender);
    Q_INVOKABLE void OnTextRightAlign(QObject *Sender);
    Q_INVOKABLE void OnTextCenter(QObject *Sender);
    Q_INVOKABLE void OnCopyToClipboard(QObject *Sender);
    Q_INVOKABLE void OnCutToClipboard(QObject *Sender);
    Q_INVOKABLE void OnPasteFromClipboard(QObject *Sender);
    Q_INVOKABLE void OnDelete(QObject *Sender);
    Q_INVOKABLE void OnSendToBack(QObject *Sender);
    Q_INVOKABLE void OnBringToFront(QObject *Sender);
    Q_INVOKABLE void OnLeftAlign(QObject *Sender);
    Q_INVOKABLE void OnRightAlign(QObject *Sender);
    Q_INVOKABLE void OnTopAlign(QObject *Sender);
    Q_INVOKABLE void OnBottomAlign(QObject *Sender);
    Q_INVOKABLE void OnHorizontalCenter(QObject *Sender);
    Q_INVOKABLE void OnVerticalCenter(QObject *Sender);
    Q_INVOKABLE void OnHorizontalParentCenter(QObject *Sender);
    Q_INVOKABLE void OnVerticalParentCenter(QObject *Sender);
    Q_INVOKABLE void OnHorizontalSpaceEqual(QObject *Sender);
    Q_INVOKABLE void OnVerticalSpaceEqual(QObject *Sender);
    Q_INVOKABLE void OnBold(QObject *Sender);
    Q_INVOKABLE void OnItalic(QObject *Sender);
    Q_INVOKABLE void OnUnderline(QObject *Sender);
    Q_INVOKABLE void OnNormalDesign(QObject *Sender);

private:
    TVDMDesigner *FDesigner;
    QHash<QString, QPointer<TSpeedButton>> FButtons;
};
