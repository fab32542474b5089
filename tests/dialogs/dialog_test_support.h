#pragma once
// Finding a dialog's controls by component name, for the dialog tests.
#include <QDialog>
#include <gtest/gtest.h>

template <class T>
T *Control(QWidget &dialog, const char *name) {
    for (T *c : dialog.findChildren<T *>())
        if (c->Name() == QLatin1String(name)) return c;
    ADD_FAILURE() << "no control " << name;
    return nullptr;
}
