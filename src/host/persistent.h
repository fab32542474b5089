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

    // Value objects whose state is not a set of simple properties (pictures) travel through
    // component streams as one binary block instead of property by property.
    virtual bool HasBinaryForm() const { return false; }
    virtual QByteArray SaveBinaryForm() const { return QByteArray(); }
    // Raises an exception of the host library when the block is damaged.
    virtual void LoadBinaryForm(const QByteArray &) {}

signals:
    void Changed();
};
