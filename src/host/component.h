#pragma once
// The component model: an owner keeps an ordered list of the components it owns and frees
// them with itself; components have a validated Name and a Tag; owners and linked components
// are told when components are inserted or removed. Ownership (lifetime, order) is separate
// from the Qt parent (display): an element is owned by its form but parented to its band.
//
// TComponent is a plain base mixed into QObject/QWidget subclasses, so published properties
// stay Qt properties while ownership follows this model.
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QtGlobal>

class QObject;

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading = 0x01,    // being read from a stream
    csReading = 0x02,
    csWriting = 0x04,
    csDestroying = 0x08,
    csDesigning = 0x10,
    csUpdating = 0x20,
};

class TComponent;

// Components in the order they were added, each once. Past a few entries a set answers whether
// one is listed, and a removal looks from the end, where the latest arrivals are: a designer is
// watched by every element of its form, and elements come and go in thousands.
class TComponentRefs {
public:
    bool isEmpty() const { return FList.isEmpty(); }
    bool contains(TComponent *c) const { return FSet.isEmpty() ? FList.contains(c) : FSet.contains(c); }
    void append(TComponent *c);
    void removeAll(TComponent *c);
    TComponent *takeLast();

private:
    static constexpr qsizetype SetFrom = 16;
    QList<TComponent *> FList;
    QSet<TComponent *> FSet;  // empty, or exactly the entries of FList
};

class TComponent {
public:
    // Inserts the new component into AOwner's list (at the end) and tells the owner (opInsert).
    // As with Qt's child events, the owner sees the component before its derived constructors
    // have run: compare identities, do not inspect the class. The owner's other components are
    // not told now; classes whose class matters to them call NotifyInsertion() at the end of
    // their own constructor, which tells the owner and all its components.
    explicit TComponent(TComponent *AOwner = nullptr);
    virtual ~TComponent();

    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    TComponent *Owner() const { return FOwner; }
    const QList<TComponent *> &Components() const { return FComponents; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent *Component(int index) const { return FComponents.value(index); }
    int ComponentIndex() const;                       // position in the owner's list, -1 without owner
    void SetComponentIndex(int index);                // moves within the owner's list
    TComponent *FindComponent(const QString &name) const;  // case-insensitive, null when absent

    const QString &Name() const { return FName; }
    // Renames; raises EComponentError for an invalid identifier or a name the owner already has.
    virtual void SetName(const QString &newName);
    qint32 Tag() const { return FTag; }
    void SetTag(qint32 value) { FTag = value; }

    int ComponentState() const { return FState; }
    bool HasState(TComponentStateFlag f) const { return (FState & f) != 0; }
    void SetState(TComponentStateFlag f, bool on);

    // Takes over / gives up ownership; both notify the owner and its components.
    void InsertComponent(TComponent *AComponent);
    void RemoveComponent(TComponent *AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();
    // Frees the given owned components (others in the list are ignored), last first. The owner
    // and the components that stay are told of each (opRemove) before it goes, as when each is
    // freed alone; the ones going are not told of one another, as when their owner goes. So
    // emptying a form of its n elements costs n notices to the few that stay rather than n * n.
    void FreeComponents(const QList<TComponent *> &AComponents);

    // Asks to be told (Notification with opRemove) when AComponent is destroyed, even when it
    // belongs to another owner. Each direction is its own subscription: undoing ours leaves
    // AComponent's interest in us alone. Both are undone when either side is destroyed.
    void FreeNotification(TComponent *AComponent);
    void RemoveFreeNotification(TComponent *AComponent);

    // Called after the component was read from a stream, once all references are resolved.
    virtual void Loaded();

    // The Qt object this component is part of (null for a component that is not a QObject).
    QObject *Object();
    const QObject *Object() const;
    QString ClassName() const;

    // Re-sends opInsert for this component to the owner and its components, for classes whose
    // identity matters to receivers (see the constructor).
    void NotifyInsertion();

    static bool IsValidIdent(const QString &name);
    static TComponent *FromObject(QObject *object);

protected:
    // Default handling forwards the notice to every owned component; overrides call it first.
    virtual void Notification(TComponent *AComponent, TOperation Operation);
    virtual void ValidateRename(TComponent *AComponent, const QString &curName, const QString &newName);

private:
    void Insert(TComponent *AComponent);
    void Remove(TComponent *AComponent);
    void SendNotification(TComponent *AComponent, TOperation Operation);

    void IndexName(TComponent *AComponent);
    void UnindexName(TComponent *AComponent);

    TComponent *FOwner = nullptr;
    QList<TComponent *> FComponents;
    // Owned components by case-folded name, so that name lookups and checks do not walk the
    // list (a form holds thousands of elements).
    QHash<QString, TComponent *> FNameIndex;
    // Counts changes of FComponents, so that a notification walk knows when it must check that a
    // receiver is still owned.
    quint64 FListChanges = 0;
    // The component whose construction-time insertion notice is being given: the owner hears
    // of it without passing it on.
    TComponent *FArrivingComponent = nullptr;
    TComponentRefs FWatchers;  // told when this component goes
    TComponentRefs FWatching;  // components whose end this one wants to hear of
    QString FName;
    qint32 FTag = 0;
    int FState = 0;
};
