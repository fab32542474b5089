#pragma once
// What the design surface reads and writes on bands and elements of any class: their flags and
// group by property name (a control without the property reads as off / 0), and their bounds.
#include <QString>
#include <QtGlobal>

class QObject;
class QWidget;

// A Boolean property such as BlockMove; false for a control without it.
bool ElementFlag(const QObject *Control, const QString &Name);
// The GroupID as the 16-bit value groups are compared by; 0 for a control without one.
quint16 ElementGroup(const QObject *Control);
// Report controls keep their size values in step with their pixels; other widgets just move.
void PlaceElement(QWidget *Control, int Left, int Top, int Width, int Height);
