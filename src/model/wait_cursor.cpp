#include "model/wait_cursor.h"

#include <QGuiApplication>

TWaitCursor::TWaitCursor() {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    FActive = true;
}

TWaitCursor::~TWaitCursor() {
    if (FActive) QGuiApplication::restoreOverrideCursor();
}
