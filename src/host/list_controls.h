#pragma once
// List controls: combo box, list box and radio group. Items is a string list kept in step
// with the widget both ways: editing Items refills the widget (the selected entry stays
// selected while it exists), and entries the widget gains or loses show in Items. ItemIndex
// is the selected entry, -1 for none; setting it out of range selects none.
#include "host/control.h"
#include "host/strings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>

class QButtonGroup;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// Style csDropDown and csSimple let the user type any text; csDropDownList only picks an
// entry. OnChange fires when the user picks an entry or types, not when code sets the text.
class TComboBox : public TControlOf<QComboBox> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(TStrings *Items READ Items)
    Q_PROPERTY(int ItemIndex READ currentIndex WRITE SetItemIndex)
    Q_PROPERTY(QString Text READ currentText WRITE SetText)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(TMethod OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(TMethod OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
public:
    Q_INVOKABLE explicit TComboBox(TComponent *AOwner = nullptr);
    ~TComboBox() override;

    TStrings *Items() { return &FItems; }
    void SetItemIndex(int value);
    // An editable box shows any text; a pick-only box selects the entry of that text (ignoring
    // case) or none.
    void SetText(const QString &value);
    int Style() const { return FStyle; }
    void SetStyle(int value);
    TMethod OnChange() const { return FOnChange; }
    void SetOnChange(const TMethod &value) { FOnChange = value; }

private:
    void ItemsChanged();

    TStringList FItems;
    int FStyle = csDropDown;
    bool FSyncing = false;
    TMethod FOnChange;
};

// OnClick fires when the user selects another entry, by mouse or keys; OnDblClick when the
// user double-clicks an entry.
class TListBox : public TControlOf<QListWidget> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(TStrings *Items READ Items)
    Q_PROPERTY(int ItemIndex READ currentRow WRITE SetItemIndex)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(int SelCount READ SelCount)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(TMethod OnDblClick READ OnDblClick WRITE SetOnDblClick)
    Q_PROPERTY(TMethod OnKeyDown READ OnKeyDown WRITE SetOnKeyDown)
public:
    Q_INVOKABLE explicit TListBox(TComponent *AOwner = nullptr);
    ~TListBox() override;

    TStrings *Items() { return &FItems; }
    void SetItemIndex(int value);
    bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void SetMultiSelect(bool value);
    int SelCount() const { return int(selectedItems().size()); }
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }
    TMethod OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(const TMethod &value) { FOnDblClick = value; }

private:
    void ItemsChanged();

    TStringList FItems;
    bool FSyncing = false;  // also set while code moves the selection, which fires no OnClick
    TMethod FOnClick;
    TMethod FOnDblClick;
};

// A titled box of radio buttons, one per entry of Items, laid out in Columns columns. OnClick
// fires when the user picks a button.
class TRadioGroup : public TControlOf<QGroupBox> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ title WRITE setTitle)
    Q_PROPERTY(TStrings *Items READ Items)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TRadioGroup(TComponent *AOwner = nullptr);

    TStrings *Items() { return &FItems; }
    int ItemIndex() const;
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);  // at least 1
    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

private:
    void ItemsChanged();
    void Rebuild();

    TStringList FItems;
    QButtonGroup *FButtons;
    int FColumns = 1;
    TMethod FOnClick;
};
