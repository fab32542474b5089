#include "host/menu_controls.h"

namespace {

// The menu items among a widget's actions, in menu order.
QList<TMenuItem *> MenuItems(const QWidget *menu) {
    QList<TMenuItem *> items;
    if (menu)
        for (QAction *action : menu->actions())
            if (auto *item = qobject_cast<TMenuItem *>(action)) items.append(item);
    return items;
}

// Takes the item out of the menus that show it and adds it to `menu`.
void AddItem(QWidget *menu, TMenuItem *item) {
    if (!item) return;
    for (QObject *w : item->associatedObjects())
        if (auto *other = qobject_cast<QWidget *>(w)) other->removeAction(item);
    menu->addAction(item);
}

}  // namespace

TMenuItem::TMenuItem(TComponent *AOwner) : TComponent(AOwner) {
    connect(this, &QAction::triggered, this, [this] { FOnClick.Invoke<QObject *>(this); });
}

TMenuItem::~TMenuItem() { delete FSubMenu; }

void TMenuItem::SetHint(const QString &value) {
    setStatusTip(value);
    setToolTip(value);
}

void TMenuItem::SetChecked(bool value) {
    if (value) setCheckable(true);
    setChecked(value);
}

void TMenuItem::Add(TMenuItem *item) {
    if (!FSubMenu) {
        FSubMenu = new QMenu();
        setMenu(FSubMenu);
    }
    AddItem(FSubMenu, item);
}

int TMenuItem::Count() const { return int(MenuItems(FSubMenu).size()); }

TMenuItem *TMenuItem::Items(int index) const { return MenuItems(FSubMenu).value(index); }

TMainMenu::TMainMenu(TComponent *AOwner) : TComponent(AOwner) {}

void TMainMenu::Add(TMenuItem *item) { AddItem(this, item); }

int TMainMenu::Count() const { return int(MenuItems(this).size()); }

TMenuItem *TMainMenu::Items(int index) const { return MenuItems(this).value(index); }

TPopupMenu::TPopupMenu(TComponent *AOwner) : TComponent(AOwner) {
    connect(this, &QMenu::aboutToShow, this, [this] { FOnPopup.Invoke<QObject *>(this); });
}

void TPopupMenu::Add(TMenuItem *item) { AddItem(this, item); }

int TPopupMenu::Count() const { return int(MenuItems(this).size()); }

TMenuItem *TPopupMenu::Items(int index) const { return MenuItems(this).value(index); }
