#pragma once
// Property access by name. Generic code (persistence, commands, translation) reads and writes
// published (Q_PROPERTY) properties of any object without knowing its class. Names compare
// without regard to case and include inherited properties; writes go through the setter.
// A missing property is never an error: reads yield 0, false, null or empty, writes do nothing.
// A property of another kind than the operation expects is treated as missing.
#include "host/method.h"

#include <QMetaProperty>
#include <QString>

class QObject;

// The meta-property of Obj named Name (case ignored); an invalid QMetaProperty when absent.
QMetaProperty FindProperty(const QObject *Obj, const QString &Name);

// The same lookup for a class: FindProperty(Obj, Name) is FindProperty(Obj->metaObject(), Name).
// Code that handles many objects of one class looks a name up once and keeps the answer.
QMetaProperty FindProperty(const QMetaObject *Meta, const QString &Name);

bool PropertyExists(const QObject *Obj, const QString &Name);

qint64 GetIntegerProperty(const QObject *Obj, const QString &Name);
// Writes nothing when the property is an enumeration and Value is none of its named values.
void SetIntegerProperty(QObject *Obj, const QString &Name, qint64 Value);

bool GetBooleanProperty(const QObject *Obj, const QString &Name);
void SetBooleanProperty(QObject *Obj, const QString &Name, bool Value);

QObject *GetPointerProperty(const QObject *Obj, const QString &Name);
// GetPointerProperty with the property already looked up (null when Prop is no object reference).
QObject *ReadPointerProperty(const QObject *Obj, const QMetaProperty &Prop);
void SetPointerProperty(QObject *Obj, const QString &Name, QObject *Value);

double GetFloatProperty(const QObject *Obj, const QString &Name);
void SetFloatProperty(QObject *Obj, const QString &Name, double Value);

QString GetStringProperty(const QObject *Obj, const QString &Name);
void SetStringProperty(QObject *Obj, const QString &Name, const QString &Value);

// The writes above with the property already looked up (FindProperty(Obj, Name)), for code that
// writes many objects of one class: the same checks, without the lookup.
void WriteIntegerProperty(QObject *Obj, const QMetaProperty &Prop, qint64 Value);
void WritePointerProperty(QObject *Obj, const QMetaProperty &Prop, QObject *Value);
void WriteFloatProperty(QObject *Obj, const QMetaProperty &Prop, double Value);
void WriteStringProperty(QObject *Obj, const QMetaProperty &Prop, const QString &Value);

TMethod GetMethodProperty(const QObject *Obj, const QString &Name);
void SetMethodProperty(QObject *Obj, const QString &Name, const TMethod &Value);

// GetPointerProperty(Obj, "Font").
QObject *GetFontProperty(const QObject *Obj);

// The kind of a meta-property, as the operations above see it.
bool IsOrdinalProperty(const QMetaProperty &prop);  // integers, booleans, enumerations
bool IsFloatProperty(const QMetaProperty &prop);
bool IsStringProperty(const QMetaProperty &prop);
bool IsObjectProperty(const QMetaProperty &prop);   // a reference to a QObject
bool IsMethodProperty(const QMetaProperty &prop);   // an event (TMethod)

// Whether Value may be stored in the ordinal property: true for integers and sets of flags (that
// fit an int), for a plain enumeration only when Value is one of its named values.
bool IsValidOrdinal(const QMetaProperty &prop, qint64 Value);
