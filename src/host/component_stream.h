#pragma once
// Component streaming: writes components with their published properties (and, for containers,
// their child components) to a stream and creates them again from it by registered class name.
// The designer's clipboard and element files are built on it.
//
// Layout (all integers little-endian):
//   Stream     := { Signature Component } EndOfList
//   Signature  := the four bytes "VCS1"
//   EndOfList  := byte 0
//   Component  := Str8 class name (never empty), Str8 component name, Properties, Children
//   Properties := { Str8 property path (never empty), Value } byte 0
//                 nested value objects use dotted paths: "Font.Name", "Pen.Width"
//   Children   := { Component } byte 0
//   Str8       := length byte, that many UTF-8 bytes
//   Value      := type byte, then:
//      0 null (an empty object reference or an absent value)
//      1 false, 2 true
//      3 integer: 8 bytes, signed
//      4 float: 10-byte extended float
//      5 string: 4-byte length, UTF-8 bytes
//      6 string list: 4-byte count, then per line a 4-byte length and UTF-8 bytes
//      7 binary block: 4-byte length, bytes (pictures and other binary-form value objects)
//      8 component reference: Str8 name, resolved by name after the whole stream is read
//
// Which properties travel: every stored, readable Q_PROPERTY other than Name and event (method)
// properties; writable ones of simple kinds and references, and read-only references to owned
// value objects (TPersistent), whose own properties travel under the dotted path.
#include "host/component.h"

#include <QList>
#include <QString>
#include <functional>

class TStream;
class QWidget;

class TComponentWriter {
public:
    // Root: references to components owned by the root are written by name; others too (by name),
    // so that the reader can resolve them in its own owner.
    TComponentWriter(TStream &stream, TComponent *root);

    void WriteSignature();
    // Writes the component image: class, name, properties and child components.
    void WriteComponent(TComponent *component);
    void WriteEndOfList();
    // Signature + component for each, then the end-of-list marker.
    void WriteComponents(const QList<TComponent *> &components);

private:
    void WriteProperties(QObject *object, const QByteArray &prefix, int depth);
    TStream &FStream;
    TComponent *FRoot;
};

class TComponentReader {
public:
    // Read components are owned by owner; top-level ones get parent as their widget parent (when
    // both are widgets), child components their container.
    TComponentReader(TStream &stream, TComponent *owner, QWidget *parent = nullptr);

    // Called with each component and the name read for it, before the name is set; may change it
    // (an empty name leaves the component unnamed).
    std::function<void(TComponent *component, QString &name)> OnSetName;

    // Reads signature + component pairs up to the end-of-list marker, resolves references by name,
    // calls Loaded on every component read, then the callback for each top-level component.
    // On a damaged stream raises EReadError/EFilerError/EClassNotFound and frees every component
    // the call had created, so a failed paste leaves the owner as it was.
    QList<TComponent *> ReadComponents(const std::function<void(TComponent *)> &componentRead = {});

    // Reads one signature + component (no end-of-list marker).
    TComponent *ReadRootComponent();

private:
    struct Fixup {
        QObject *Target;
        QByteArray Property;
        QString Name;
    };
    TComponent *ReadComponent(QWidget *parent, int depth);
    void ReadProperties(QObject *object, int depth);
    void ReadSignature();
    void ResolveFixups();
    QObject *FindReference(const QString &name) const;

    TStream &FStream;
    TComponent *FOwner;
    QWidget *FParent;
    QList<Fixup> FFixups;
    QList<TComponent *> FLoaded;
};

// Component children for streaming: a widget component's direct child widgets that are components.
QList<TComponent *> StreamChildren(TComponent *component);
