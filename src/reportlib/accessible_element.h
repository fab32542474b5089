#pragma once
// Report elements and bands as assistive tools see them: a widget named after its component.
#include <QAccessibleWidget>

class TRepControl;

class TAccessibleRepControl : public QAccessibleWidget {
public:
    explicit TAccessibleRepControl(TRepControl *control);
    QString text(QAccessible::Text t) const override;
};

// Installed for every program that links the report library. Qt asks the factories for each
// widget it shows, walking the widget's class hierarchy up to QWidget unless a factory answers;
// answering for the report's own classes at once keeps showing thousands of elements cheap.
QAccessibleInterface *RepControlAccessibleFactory(const QString &className, QObject *object);
