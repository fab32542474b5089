#include "recording_designer.h"

#include <QApplication>
#include <QMouseEvent>

void SendMouse(QWidget *widget, QEvent::Type type, int x, int y) {
    const QPointF local(x, y);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
