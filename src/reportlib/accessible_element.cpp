#include "reportlib/accessible_element.h"

#include "reportlib/rep_control.h"

TAccessibleRepControl::TAccessibleRepControl(TRepControl *control) : QAccessibleWidget(control) {}

QString TAccessibleRepControl::text(QAccessible::Text t) const {
    const QString own = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !own.isEmpty()) return own;
    const auto *control = qobject_cast<const TRepControl *>(object());
    return control ? control->Name() : own;
}

QAccessibleInterface *RepControlAccessibleFactory(const QString &, QObject *object) {
    auto *control = qobject_cast<TRepControl *>(object);
    return control ? new TAccessibleRepControl(control) : nullptr;
}
