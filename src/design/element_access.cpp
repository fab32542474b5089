#include "design/element_access.h"

#include "host/property_access.h"
#include "model/report_constants.h"
#include "reportlib/rep_control.h"

bool ElementFlag(const QObject *Control, const QString &Name) {
    return PropertyExists(Control, Name) && GetBooleanProperty(Control, Name);
}

quint16 ElementGroup(const QObject *Control) {
    if (!PropertyExists(Control, ElementProperty::GroupID)) return 0;
    return quint16(GetIntegerProperty(Control, ElementProperty::GroupID));
}

void PlaceElement(QWidget *Control, int Left, int Top, int Width, int Height) {
    if (auto *rc = qobject_cast<TRepControl *>(Control))
        rc->SetBounds(Left, Top, Width, Height);
    else
        Control->setGeometry(Left, Top, Width, Height);
}
