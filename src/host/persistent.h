#pragma once
// Value objects with published properties (fonts, pens, brushes, pictures, string lists).
// They are owned by the component that publishes them; assigning copies the value, and every
// change is announced through Changed() so the owner can repaint or re-format.
#include <QObject>

class TPersistent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Copies the value of Source; raises EConvertError when Source is of an unrelated class.
    virtual void Assign(const TPersistent *Source);

signals:
    void Changed();
};
