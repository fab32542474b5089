#pragma once
// What the data dialogs share when they build their controls: a component name on every
// control (the language file addresses them by it) and labels that focus their control.
#include "host/component.h"
#include "host/text_controls.h"

template <class T>
T *Named(T *control, const char *name) {
    control->SetName(QString::fromLatin1(name));
    return control;
}

// A label owned by Owner, with an access key that moves the focus to Buddy.
inline TLabel *BuddyLabel(TComponent *Owner, const char *Name, const char *Caption, QWidget *Buddy) {
    auto *label = Named(new TLabel(Owner), Name);
    label->setText(QString::fromLatin1(Caption));
    label->setBuddy(Buddy);
    return label;
}
