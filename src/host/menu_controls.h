#pragma once
// Menus: a menu bar, a pop-up menu and their items. Items are components of the form (so
// language files and code reach them by name) and Qt actions of the menu that shows them; an
// item with sub-items opens a sub-menu.
#include "host/component.h"
#include "host/method.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

class TMenuItem : public QAction, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QString Hint READ statusTip WRITE SetHint)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    // Setting Checked also makes the item checkable, as clicking it toggles the mark.
    Q_PROPERTY(bool Checked READ isChecked WRITE SetChecked)
    Q_PROPERTY(QString ShortCut READ ShortCut WRITE SetShortCut)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TMenuItem(TComponent *AOwner = nullptr);
    ~TMenuItem() override;

    void SetHint(const QString &value);
    void SetChecked(bool value);
    // The key sequence in its portable text form, e.g. "Ctrl+S"; empty for none.
    QString ShortCut() const { return shortcut().toString(); }
    void SetShortCut(const QString &value) { setShortcut(QKeySequence(value)); }

    // Sub-items: Add appends (taking the item out of any other menu), Items(i) is null out of
    // range.
    void Add(TMenuItem *item);
    int Count() const;
    TMenuItem *Items(int index) const;

    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

private:
    // Made for the first sub-item and freed with this item; it shows the sub-items but does not
    // own them (the form does).
    QMenu *FSubMenu = nullptr;
    TMethod FOnClick;
};

class TMainMenu : public QMenuBar, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Count READ Count)
public:
    Q_INVOKABLE explicit TMainMenu(TComponent *AOwner = nullptr);

    void Add(TMenuItem *item);
    int Count() const;
    TMenuItem *Items(int index) const;
};

// OnPopup fires just before the menu shows, so that items can be enabled for the moment.
class TPopupMenu : public QMenu, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(TMethod OnPopup READ OnPopup WRITE SetOnPopup)
public:
    Q_INVOKABLE explicit TPopupMenu(TComponent *AOwner = nullptr);

    void Add(TMenuItem *item);
    int Count() const;
    TMenuItem *Items(int index) const;
    // Shows the menu at a screen position and returns at once.
    void Popup(int X, int Y) { popup(QPoint(X, Y)); }

    TMethod OnPopup() const { return FOnPopup; }
    void SetOnPopup(const TMethod &value) { FOnPopup = value; }

private:
    TMethod FOnPopup;
};
