#include "host/component_stream.h"

#include <QHash>

#include "host/class_registry.h"
#include "host/exceptions.h"
#include "host/method.h"
#include "host/persistent.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "host/strings.h"

#include <QMetaProperty>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace {

const char Signature[4] = {'V', 'C', 'S', '1'};
// Nesting deeper than this is a damaged (or hostile) stream, not a report.
constexpr int MaxDepth = 64;

enum ValueType : quint8 {
    vaNull = 0,
    vaFalse = 1,
    vaTrue = 2,
    vaInt = 3,
    vaFloat = 4,
    vaString = 5,
    vaList = 6,
    vaBinary = 7,
    vaReference = 8,
};

[[noreturn]] void Damaged(const QString &what) {
    throw EReadError(QStringLiteral("Component stream is damaged: %1").arg(what));
}

void WriteStr8(TStream &s, QByteArray bytes) {
    if (bytes.size() > 255) bytes.truncate(255);
    Bin::WriteByte(s, quint8(bytes.size()));
    s.WriteBytes(bytes);
}

void WriteStr8(TStream &s, const QString &text) { WriteStr8(s, text.toUtf8()); }

QByteArray ReadStr8Bytes(TStream &s) {
    const int len = Bin::ReadByte(s);
    return s.ReadBytes(len);
}

QString ReadStr8(TStream &s) { return QString::fromUtf8(ReadStr8Bytes(s)); }

// A stored property path, decoded and split at its dots once: an image holds the same few
// paths for every component of a class.
struct TStoredPath {
    QString Path;
    QStringList Parts;
};

const TStoredPath &StoredPath(const QByteArray &bytes) {
    thread_local QHash<QByteArray, TStoredPath> paths;
    auto it = paths.constFind(bytes);
    if (it != paths.constEnd()) return *it;
    // Paths come from the stream: a hostile one may hold any number of distinct ones.
    if (paths.size() >= 4096) paths.clear();
    const QString path = QString::fromUtf8(bytes);
    return *paths.insert(bytes, {path, path.split(u'.')});
}

void WriteLong(TStream &s, const QByteArray &bytes) {
    Bin::WriteDWord(s, quint32(bytes.size()));
    s.WriteBytes(bytes);
}

QByteArray ReadLong(TStream &s) {
    const quint32 len = Bin::ReadDWord(s);
    if (qint64(len) > s.Remaining()) Damaged(QStringLiteral("a value of %1 bytes runs past the end").arg(len));
    return s.ReadBytes(len);
}

// The writer stores an enumeration as one of its named values; any other number is damage.
void CheckOrdinal(const QMetaProperty &p, qint64 value, const QString &path) {
    if (IsOrdinalProperty(p) && !IsValidOrdinal(p, value))
        Damaged(QStringLiteral("value %1 is out of range for property %2").arg(value).arg(path));
}

// A value object published by an object (its font, its lines): travels under a dotted path.
// Lookup is the property the object answers to under the name of p (see the plan below).
TPersistent *OwnedValueObject(const QMetaProperty &p, const QMetaProperty &lookup, QObject *object) {
    if (!IsObjectProperty(p)) return nullptr;
    QObject *value = ReadPointerProperty(object, lookup);
    if (!value || TComponent::FromObject(value)) return nullptr;
    return qobject_cast<TPersistent *>(value);
}

}  // namespace

QList<TComponent *> StreamChildren(TComponent *component) {
    QList<TComponent *> out;
    auto *widget = dynamic_cast<QWidget *>(component);
    if (!widget) return out;
    for (QObject *child : widget->children()) {
        TComponent *c = TComponent::FromObject(child);
        if (c && child->isWidgetType()) out.append(c);
    }
    return out;
}

// ---- writer ---------------------------------------------------------------------------------

TComponentWriter::TComponentWriter(TStream &stream, TComponent *root) : FStream(stream), FRoot(root) {}

void TComponentWriter::WriteSignature() { FStream.WriteBuffer(Signature, 4); }

void TComponentWriter::WriteEndOfList() { Bin::WriteByte(FStream, 0); }

void TComponentWriter::WriteComponents(const QList<TComponent *> &components) {
    for (TComponent *c : components) {
        WriteSignature();
        WriteComponent(c);
    }
    WriteEndOfList();
}

void TComponentWriter::WriteComponent(TComponent *component) {
    QObject *object = component->Object();
    if (!object) throw EFilerError(QStringLiteral("Component %1 cannot be streamed").arg(component->Name()));
    component->SetState(csWriting, true);
    WriteStr8(FStream, component->ClassName());
    WriteStr8(FStream, component->Name());
    WriteProperties(object, QByteArray(), 0);
    Bin::WriteByte(FStream, 0);
    for (TComponent *child : StreamChildren(component)) WriteComponent(child);
    Bin::WriteByte(FStream, 0);
    component->SetState(csWriting, false);
}

namespace {

// The first property a class publishes itself: the properties of the Qt classes beneath it
// (a widget's geometry, style sheet, window title ...) are the toolkit's state, not published
// values, and writing them would make every image large and every read slow.
int FirstPublishedProperty(const QMetaObject *meta) {
    for (const QMetaObject *m = meta; m; m = m->superClass())
        if (m->className()[0] == 'Q') return m->propertyCount();
    return 0;
}

// What the writer does with one published property of a class, worked out once per class.
struct TPropertyPlan {
    enum TKind { Object, Bool, Float, String, Ordinal };
    QMetaProperty Property;
    // What a lookup by name finds: the most derived property of the name, whatever its case.
    QMetaProperty Lookup;
    QString Name;
    QByteArray Utf8Name;
    TKind Kind;
    bool Writable;
    bool Enum;
    bool Unsigned64;
    bool IsName;
};

const QList<TPropertyPlan> &PlanOf(const QMetaObject *meta) {
    thread_local QHash<const QMetaObject *, QList<TPropertyPlan>> plans;
    auto it = plans.constFind(meta);
    if (it != plans.constEnd()) return *it;
    QList<TPropertyPlan> plan;
    for (int i = FirstPublishedProperty(meta); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (!p.isReadable() || !p.isStored() || IsMethodProperty(p)) continue;
        const QString name = QString::fromLatin1(p.name());
        const int type = p.isEnumType() ? int(QMetaType::Int) : p.metaType().id();
        TPropertyPlan::TKind kind;
        if (IsObjectProperty(p))
            kind = TPropertyPlan::Object;
        else if (type == QMetaType::Bool)
            kind = TPropertyPlan::Bool;
        else if (IsFloatProperty(p))
            kind = TPropertyPlan::Float;
        else if (IsStringProperty(p))
            kind = TPropertyPlan::String;
        else if (IsOrdinalProperty(p))
            kind = TPropertyPlan::Ordinal;
        else
            continue;
        plan.append({p, FindProperty(meta, name), name, name.toUtf8(), kind, p.isWritable(), p.isEnumType(),
                     type == QMetaType::ULongLong, name == QLatin1String("Name")});
    }
    return *plans.insert(meta, plan);
}

}  // namespace

void TComponentWriter::WriteProperties(QObject *object, const QByteArray &prefix, int depth) {
    if (depth > MaxDepth) return;
    for (const TPropertyPlan &plan : PlanOf(object->metaObject())) {
        const QMetaProperty &p = plan.Property;
        // The component's own name travels in its header; a value object's (a font's) is a value.
        if (prefix.isEmpty() && plan.IsName) continue;
        const QByteArray path = prefix.isEmpty() ? plan.Utf8Name : prefix + plan.Utf8Name;
        if (plan.Kind == TPropertyPlan::Object) {
            if (TPersistent *value = OwnedValueObject(p, plan.Lookup, object)) {
                if (auto *lines = qobject_cast<TStrings *>(value)) {
                    WriteStr8(FStream, path);
                    Bin::WriteByte(FStream, vaList);
                    Bin::WriteDWord(FStream, quint32(lines->Count()));
                    for (int l = 0; l < lines->Count(); ++l) WriteLong(FStream, lines->Get(l).toUtf8());
                } else if (value->HasBinaryForm()) {
                    WriteStr8(FStream, path);
                    Bin::WriteByte(FStream, vaBinary);
                    WriteLong(FStream, value->SaveBinaryForm());
                } else {
                    WriteProperties(value, path + '.', depth + 1);
                }
                continue;
            }
            if (!plan.Writable) continue;
            TComponent *refComponent = TComponent::FromObject(ReadPointerProperty(object, plan.Lookup));
            WriteStr8(FStream, path);
            if (!refComponent || refComponent->Name().isEmpty()) {
                Bin::WriteByte(FStream, vaNull);
            } else {
                Bin::WriteByte(FStream, vaReference);
                WriteStr8(FStream, refComponent->Name());
            }
            continue;
        }
        if (!plan.Writable) continue;
        const QVariant v = p.read(object);
        WriteStr8(FStream, path);
        switch (plan.Kind) {
        case TPropertyPlan::Bool: Bin::WriteByte(FStream, v.toBool() ? vaTrue : vaFalse); break;
        case TPropertyPlan::Float:
            Bin::WriteByte(FStream, vaFloat);
            Bin::WriteExtended(FStream, v.toDouble());
            break;
        case TPropertyPlan::String:
            Bin::WriteByte(FStream, vaString);
            WriteLong(FStream, v.toString().toUtf8());
            break;
        default: {
            Bin::WriteByte(FStream, vaInt);
            const qint64 n = plan.Enum ? qint64(v.toInt()) : plan.Unsigned64 ? qint64(v.toULongLong()) : v.toLongLong();
            Bin::WriteDWord(FStream, quint32(quint64(n) & 0xFFFFFFFFu));
            Bin::WriteDWord(FStream, quint32(quint64(n) >> 32));
        }
        }
    }
}

// ---- reader ---------------------------------------------------------------------------------

TComponentReader::TComponentReader(TStream &stream, TComponent *owner, QWidget *parent)
    : FStream(stream), FOwner(owner), FParent(parent) {}

void TComponentReader::ReadSignature() {
    char sig[4];
    if (FStream.Read(sig, 4) != 4 || memcmp(sig, Signature, 4) != 0)
        throw EFilerError(QStringLiteral("Invalid stream format: not a component stream"));
}

TComponent *TComponentReader::ReadRootComponent() {
    ReadSignature();
    TComponent *c = ReadComponent(FParent, 0);
    ResolveFixups();
    for (TComponent *l : std::as_const(FLoaded)) l->Loaded();
    FLoaded.clear();
    return c;
}

QList<TComponent *> TComponentReader::ReadComponents(const std::function<void(TComponent *)> &componentRead) {
    QList<TComponent *> roots;
    try {
        for (;;) {
            const qint64 start = FStream.Position();
            const quint8 first = Bin::ReadByte(FStream);
            if (first == 0) break;  // end of list
            FStream.SetPosition(start);
            ReadSignature();
            roots.append(ReadComponent(FParent, 0));
        }
    } catch (...) {
        // All or nothing: free every component this call created. A freed container takes its
        // child widgets with it, hence the guarded pointers.
        FFixups.clear();
        QList<QPointer<QObject>> done;
        while (!FLoaded.isEmpty()) done.append(FLoaded.takeLast()->Object());
        for (const QPointer<QObject> &o : done)
            if (o) delete TComponent::FromObject(o.data());
        throw;
    }
    ResolveFixups();
    const QList<TComponent *> loaded = FLoaded;
    FLoaded.clear();
    for (TComponent *c : loaded) c->Loaded();
    if (componentRead)
        for (TComponent *c : roots) componentRead(c);
    return roots;
}

TComponent *TComponentReader::ReadComponent(QWidget *parent, int depth) {
    if (depth > MaxDepth) Damaged(QStringLiteral("components nested too deeply"));
    const QString className = ReadStr8(FStream);
    if (className.isEmpty()) Damaged(QStringLiteral("empty class name"));
    QString name = ReadStr8(FStream);
    const TComponentClass *cls = FindComponentClass(className);
    if (!cls) throw EClassNotFound(QStringLiteral("Class %1 not found").arg(className));

    const int mark = int(FLoaded.size());
    std::unique_ptr<TComponent> created(cls->Create(FOwner));
    TComponent *component = created.get();
    try {
    component->SetState(csLoading, true);
    component->SetState(csReading, true);
    QObject *object = component->Object();
    if (parent)
        if (auto *w = dynamic_cast<QWidget *>(component)) w->setParent(parent);

    if (OnSetName) OnSetName(component, name);
    if (!name.isEmpty()) component->SetName(name);
    ReadProperties(object, depth);
    auto *asWidget = dynamic_cast<QWidget *>(component);
    for (;;) {
        const qint64 start = FStream.Position();
        if (Bin::ReadByte(FStream) == 0) break;
        FStream.SetPosition(start);
        // A container that shows itself when placed is hidden while its children arrive and shown
        // below: shown, it would be sent a layout request for each child, and Qt merges each
        // one by searching every event posted so far.
        if (asWidget && parent && !asWidget->isHidden()) asWidget->hide();
        ReadComponent(asWidget, depth + 1);
    }
    component->SetState(csReading, false);
    if (asWidget && parent) asWidget->show();
    } catch (...) {
        // Free the children completed so far, then the component itself. A freed container takes
        // its child widgets with it, hence the guarded pointers.
        QList<QPointer<QObject>> done;
        while (FLoaded.size() > mark) done.append(FLoaded.takeLast()->Object());
        for (const QPointer<QObject> &o : done)
            if (o) delete TComponent::FromObject(o.data());
        throw;
    }
    FLoaded.append(component);
    return created.release();
}

void TComponentReader::ReadProperties(QObject *object, int depth) {
    // Paths of one sub-object follow each other ("Font.Name", "Font.Size"): the last walk is
    // reused for the same prefix. A written pointer property may replace a sub-object, so it
    // forgets the walk; a freed sub-object clears the guarded pointer.
    QString walkedPrefix;
    QPointer<QObject> walkedTarget;
    for (;;) {
        const QByteArray bytes = ReadStr8Bytes(FStream);
        if (bytes.isEmpty()) return;
        const quint8 type = Bin::ReadByte(FStream);

        // Walk the dotted path to the object that carries the last segment.
        const TStoredPath stored = StoredPath(bytes);  // a copy: a setter may read a stream too
        const QString &path = stored.Path;
        const QStringList &parts = stored.Parts;
        QObject *target = object;
        if (parts.size() > 1) {
            const QStringView prefix = QStringView(path).left(path.size() - parts.last().size() - 1);
            if (walkedTarget && prefix == walkedPrefix) {
                target = walkedTarget;
            } else {
                for (int i = 0; target && i + 1 < parts.size(); ++i) target = GetPointerProperty(target, parts[i]);
                walkedPrefix = prefix.toString();
                walkedTarget = target;
            }
        }
        const QMetaProperty mp = FindProperty(target, parts.last());

        // A value the property refuses (nil for an object the component owns, a conversion the
        // setter cannot make) is damage like any other bad value: the stream is refused.
        try {
            switch (type) {
            case vaNull:
                WritePointerProperty(target, mp, nullptr);
                walkedTarget = nullptr;
                break;
            case vaFalse:
            case vaTrue:
                CheckOrdinal(mp, type == vaTrue, path);
                WriteIntegerProperty(target, mp, type == vaTrue ? 1 : 0);
                break;
            case vaInt: {
                const quint32 lo = Bin::ReadDWord(FStream);
                const quint32 hi = Bin::ReadDWord(FStream);
                const qint64 v = qint64((quint64(hi) << 32) | lo);
                CheckOrdinal(mp, v, path);
                WriteIntegerProperty(target, mp, v);
                break;
            }
            case vaFloat: {
                const double v = Bin::ReadExtended(FStream);
                WriteFloatProperty(target, mp, v);
                break;
            }
            case vaString: {
                const QString v = QString::fromUtf8(ReadLong(FStream));
                // A name the owner cannot take (not an identifier, or another component's) is
                // damage like any other bad value: the stream is refused with the reader's error.
                try {
                    WriteStringProperty(target, mp, v);
                } catch (const EComponentError &e) {
                    Damaged(QStringLiteral("property %1: %2").arg(path, e.Message()));
                }
                break;
            }
            case vaList: {
                const quint32 count = Bin::ReadDWord(FStream);
                // Each line takes at least its 4-byte length: a larger count cannot be genuine.
                if (qint64(count) * 4 > FStream.Remaining()) Damaged(QStringLiteral("a list of %1 lines runs past the end").arg(count));
                QStringList lines;
                for (quint32 l = 0; l < count; ++l) lines << QString::fromUtf8(ReadLong(FStream));
                if (auto *strings = qobject_cast<TStrings *>(ReadPointerProperty(target, mp)))
                    strings->SetStringList(lines);
                break;
            }
            case vaBinary: {
                const QByteArray data = ReadLong(FStream);
                auto *value = qobject_cast<TPersistent *>(ReadPointerProperty(target, mp));
                if (!value || !value->HasBinaryForm()) break;
                // A picture whose bytes do not decode is damage like any other bad value: the
                // stream is refused with the reader's own error, not the picture's.
                try {
                    value->LoadBinaryForm(data);
                } catch (const EInvalidGraphic &e) {
                    Damaged(QStringLiteral("property %1: %2").arg(path, e.Message()));
                }
                break;
            }
            case vaReference: {
                const QString name = ReadStr8(FStream);
                if (target && IsObjectProperty(mp)) FFixups.append({target, QByteArray(mp.name()), name});
                break;
            }
            default:
                Damaged(QStringLiteral("unknown value type %1 for property %2").arg(type).arg(path));
            }
        } catch (const EConvertError &e) {
            Damaged(QStringLiteral("property %1: %2").arg(path, e.Message()));
        }
    }
    Q_UNUSED(depth);
}

QObject *TComponentReader::FindReference(const QString &name) const {
    if (!FOwner) return nullptr;
    if (TComponent *c = FOwner->FindComponent(name)) return c->Object();
    if (FOwner->Name().compare(name, Qt::CaseInsensitive) == 0) return FOwner->Object();
    return nullptr;
}

void TComponentReader::ResolveFixups() {
    // References are resolved once everything is read, so forward references work; a name that
    // is not found leaves the reference empty.
    for (const Fixup &f : std::as_const(FFixups))
        SetPointerProperty(f.Target, QString::fromLatin1(f.Property), FindReference(f.Name));
    FFixups.clear();
}
