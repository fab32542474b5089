#include "host/property_access.h"

#include <QHash>
#include <QMetaEnum>
#include <QMetaObject>
#include <QObject>
#include <QVariant>
#include <limits>

namespace {

// Per class: lower-cased name -> property, most derived declaration first; and the same answer
// under each name as the class spells it, so that the usual lookup (a name spelled as declared)
// needs no lower-casing. The properties are kept whole: making one from its index looks up its
// enumeration by name each time.
struct TPropertyIndex {
    QHash<QString, QMetaProperty> Folded;
    QHash<QString, QMetaProperty> AsDeclared;
    // Answers for other spellings, and for names the class does not have (generic code asks
    // every object whether it has a property); bounded, as names may come from files.
    QHash<QString, QMetaProperty> OtherNames;
    static constexpr qsizetype OtherNamesLimit = 256;
};

TPropertyIndex &PropertyIndex(const QMetaObject *meta) {
    static QHash<const QMetaObject *, TPropertyIndex> cache;
    auto it = cache.find(meta);
    if (it != cache.end()) return *it;
    TPropertyIndex index;
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QString key = QString::fromLatin1(meta->property(i).name()).toLower();
        if (!index.Folded.contains(key)) index.Folded.insert(key, meta->property(i));
    }
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        index.AsDeclared.insert(name, index.Folded.value(name.toLower()));
    }
    return *cache.insert(meta, index);
}

}  // namespace

bool IsOrdinalProperty(const QMetaProperty &p) {
    if (!p.isValid()) return false;
    if (p.isEnumType()) return true;
    switch (p.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool IsFloatProperty(const QMetaProperty &p) {
    const int id = p.metaType().id();
    return p.isValid() && (id == QMetaType::Double || id == QMetaType::Float);
}

bool IsStringProperty(const QMetaProperty &p) { return p.isValid() && p.metaType().id() == QMetaType::QString; }

namespace {

// The ordinal written into a property of the given type, cut to the type's width as an
// assignment in code would do.
QVariant OrdinalVariant(const QMetaProperty &p, qint64 v) {
    switch (p.metaType().id()) {
    case QMetaType::Bool: return QVariant(v != 0);
    case QMetaType::UShort: return QVariant::fromValue(quint16(v));
    case QMetaType::Short: return QVariant::fromValue(qint16(v));
    case QMetaType::UChar: return QVariant::fromValue(uchar(v));
    case QMetaType::Char:
    case QMetaType::SChar: return QVariant::fromValue(qint8(v));
    case QMetaType::UInt: return QVariant::fromValue(quint32(v));
    case QMetaType::Int: return QVariant::fromValue(qint32(v));
    case QMetaType::ULongLong: return QVariant::fromValue(quint64(v));
    default: return QVariant::fromValue(v);
    }
}

}  // namespace

QMetaProperty FindProperty(const QObject *Obj, const QString &Name) {
    if (!Obj) return {};
    return FindProperty(Obj->metaObject(), Name);
}

QMetaProperty FindProperty(const QMetaObject *meta, const QString &Name) {
    if (!meta || Name.isEmpty()) return {};
    TPropertyIndex &index = PropertyIndex(meta);
    auto exact = index.AsDeclared.constFind(Name);
    if (exact != index.AsDeclared.constEnd()) return *exact;
    auto other = index.OtherNames.constFind(Name);
    if (other != index.OtherNames.constEnd()) return *other;
    const QMetaProperty found = index.Folded.value(Name.toLower());
    if (index.OtherNames.size() < TPropertyIndex::OtherNamesLimit) index.OtherNames.insert(Name, found);
    return found;
}

bool PropertyExists(const QObject *Obj, const QString &Name) { return FindProperty(Obj, Name).isValid(); }

bool IsObjectProperty(const QMetaProperty &prop) {
    return prop.isValid() && (prop.metaType().flags() & QMetaType::PointerToQObject);
}

bool IsMethodProperty(const QMetaProperty &prop) {
    return prop.isValid() && prop.metaType() == QMetaType::fromType<TMethod>();
}

qint64 GetIntegerProperty(const QObject *Obj, const QString &Name) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!p.isValid() || !IsOrdinalProperty(p)) return 0;
    const QVariant v = p.read(Obj);
    if (p.isEnumType()) return v.toInt();
    return v.toLongLong();
}

bool IsValidOrdinal(const QMetaProperty &p, qint64 Value) {
    if (!p.isEnumType()) return true;
    if (Value < std::numeric_limits<int>::min() || Value > std::numeric_limits<int>::max()) return false;
    // A set of flags holds any combination in an int; a plain enumeration only its named values.
    const QMetaEnum e = p.enumerator();
    return p.isFlagType() || e.valueToKey(int(Value)) != nullptr;
}

void SetIntegerProperty(QObject *Obj, const QString &Name, qint64 Value) {
    WriteIntegerProperty(Obj, FindProperty(Obj, Name), Value);
}

void WriteIntegerProperty(QObject *Obj, const QMetaProperty &p, qint64 Value) {
    if (!Obj || !p.isValid() || !p.isWritable() || !IsOrdinalProperty(p)) return;
    // An enumeration variable holding an unnamed value is undefined behaviour in the setter and
    // every reader after it, so such a value is not written.
    if (!IsValidOrdinal(p, Value)) return;
    if (p.isEnumType())
        p.write(Obj, QVariant(int(Value)));
    else
        p.write(Obj, OrdinalVariant(p, Value));
}

bool GetBooleanProperty(const QObject *Obj, const QString &Name) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!p.isValid() || !IsOrdinalProperty(p)) return false;
    const QVariant v = p.read(Obj);
    if (p.metaType().id() == QMetaType::Bool) return v.toBool();
    return GetIntegerProperty(Obj, Name) == 1;
}

void SetBooleanProperty(QObject *Obj, const QString &Name, bool Value) {
    SetIntegerProperty(Obj, Name, Value ? 1 : 0);
}

QObject *GetPointerProperty(const QObject *Obj, const QString &Name) {
    return ReadPointerProperty(Obj, FindProperty(Obj, Name));
}

QObject *ReadPointerProperty(const QObject *Obj, const QMetaProperty &p) {
    if (!Obj || !IsObjectProperty(p)) return nullptr;
    const QVariant v = p.read(Obj);
    return *reinterpret_cast<QObject *const *>(v.constData());
}

void SetPointerProperty(QObject *Obj, const QString &Name, QObject *Value) {
    WritePointerProperty(Obj, FindProperty(Obj, Name), Value);
}

void WritePointerProperty(QObject *Obj, const QMetaProperty &p, QObject *Value) {
    if (!Obj || !IsObjectProperty(p) || !p.isWritable()) return;
    // A reference of the wrong class is refused like a write to a missing property.
    const QMetaObject *target = p.metaType().metaObject();
    if (Value && target && !Value->metaObject()->inherits(target)) return;
    QVariant v(p.metaType(), &Value);
    p.write(Obj, v);
}

double GetFloatProperty(const QObject *Obj, const QString &Name) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!p.isValid() || !IsFloatProperty(p)) return 0;
    return p.read(Obj).toDouble();
}

void SetFloatProperty(QObject *Obj, const QString &Name, double Value) {
    WriteFloatProperty(Obj, FindProperty(Obj, Name), Value);
}

void WriteFloatProperty(QObject *Obj, const QMetaProperty &p, double Value) {
    if (!Obj || !p.isValid() || !p.isWritable() || !IsFloatProperty(p)) return;
    p.write(Obj, p.metaType().id() == QMetaType::Float ? QVariant(float(Value)) : QVariant(Value));
}

QString GetStringProperty(const QObject *Obj, const QString &Name) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!p.isValid() || !IsStringProperty(p)) return QString();
    return p.read(Obj).toString();
}

void SetStringProperty(QObject *Obj, const QString &Name, const QString &Value) {
    WriteStringProperty(Obj, FindProperty(Obj, Name), Value);
}

void WriteStringProperty(QObject *Obj, const QMetaProperty &p, const QString &Value) {
    if (!Obj || !p.isValid() || !p.isWritable() || !IsStringProperty(p)) return;
    p.write(Obj, Value);
}

TMethod GetMethodProperty(const QObject *Obj, const QString &Name) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!IsMethodProperty(p)) return TMethod();
    return p.read(Obj).value<TMethod>();
}

void SetMethodProperty(QObject *Obj, const QString &Name, const TMethod &Value) {
    const QMetaProperty p = FindProperty(Obj, Name);
    if (!IsMethodProperty(p) || !p.isWritable()) return;
    p.write(Obj, QVariant::fromValue(Value));
}

QObject *GetFontProperty(const QObject *Obj) { return GetPointerProperty(Obj, QStringLiteral("Font")); }
