#include "host/component.h"

#include "host/exceptions.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <typeinfo>
#include <utility>

void TComponentRefs::append(TComponent *c) {
    if (contains(c)) return;
    FList.append(c);
    if (!FSet.isEmpty())
        FSet.insert(c);
    else if (FList.size() > SetFrom)
        FSet = QSet<TComponent *>(FList.cbegin(), FList.cend());
}

void TComponentRefs::removeAll(TComponent *c) {
    const qsizetype i = FList.lastIndexOf(c);
    if (i < 0) return;
    FList.removeAt(i);
    FSet.remove(c);
}

TComponent *TComponentRefs::takeLast() {
    TComponent *c = FList.takeLast();
    FSet.remove(c);
    return c;
}

TComponent::TComponent(TComponent *AOwner) {
    if (!AOwner) return;
    // A component under construction has no class a receiver could test yet, and no sibling can
    // hold a reference to it, so only the owner is told now; classes whose arrival matters to
    // siblings announce themselves with NotifyInsertion() once complete. Telling every sibling
    // here would make filling a form of n elements cost n * n notices.
    AOwner->Insert(this);
    TComponent *const previous = std::exchange(AOwner->FArrivingComponent, this);
    AOwner->SendNotification(this, opInsert);
    AOwner->FArrivingComponent = previous;
}

TComponent::~TComponent() {
    FState |= csDestroying;
    // Components that asked to hear of our end are told first, while we are still listed; our
    // own subscriptions end with us.
    while (!FWatching.isEmpty()) FWatching.takeLast()->FWatchers.removeAll(this);
    while (!FWatchers.isEmpty()) {
        TComponent *other = FWatchers.takeLast();
        other->FWatching.removeAll(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
    return FOwner ? int(FOwner->FComponents.indexOf(const_cast<TComponent *>(this))) : -1;
}

void TComponent::SetComponentIndex(int index) {
    if (!FOwner) return;
    auto &list = FOwner->FComponents;
    const int current = int(list.indexOf(this));
    if (current < 0) return;
    index = qBound(0, index, int(list.size()) - 1);
    if (index != current) {
        list.move(current, index);
        ++FOwner->FListChanges;
    }
}

TComponent *TComponent::FindComponent(const QString &name) const {
    if (name.isEmpty()) return nullptr;
    return FNameIndex.value(name.toCaseFolded());
}

void TComponent::IndexName(TComponent *AComponent) {
    if (!AComponent->FName.isEmpty()) FNameIndex.insert(AComponent->FName.toCaseFolded(), AComponent);
}

void TComponent::UnindexName(TComponent *AComponent) {
    if (AComponent->FName.isEmpty()) return;
    const auto it = FNameIndex.constFind(AComponent->FName.toCaseFolded());
    if (it != FNameIndex.cend() && it.value() == AComponent) FNameIndex.erase(it);
}

bool TComponent::IsValidIdent(const QString &name) {
    if (name.isEmpty()) return false;
    auto isAlpha = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; };
    if (!isAlpha(name[0])) return false;
    for (QChar c : name)
        if (!isAlpha(c) && !(c >= u'0' && c <= u'9')) return false;
    return true;
}

void TComponent::SetName(const QString &newName) {
    if (newName == FName) return;
    if (!newName.isEmpty() && !IsValidIdent(newName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(newName));
    if (FOwner)
        FOwner->ValidateRename(this, FName, newName);
    else
        ValidateRename(nullptr, FName, newName);
    if (FOwner) FOwner->UnindexName(this);
    FName = newName;
    if (FOwner) FOwner->IndexName(this);
    if (QObject *o = Object()) o->setObjectName(newName);
}

void TComponent::ValidateRename(TComponent *AComponent, const QString &curName, const QString &newName) {
    if (!AComponent || newName.isEmpty()) return;
    if (curName.compare(newName, Qt::CaseInsensitive) == 0) return;
    TComponent *other = FindComponent(newName);
    if (other && other != AComponent)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(newName));
}

void TComponent::SetState(TComponentStateFlag f, bool on) {
    if (on)
        FState |= f;
    else
        FState &= ~f;
}

void TComponent::InsertComponent(TComponent *AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    if (!AComponent->FName.isEmpty() && FindComponent(AComponent->FName))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(AComponent->FName));
    Insert(AComponent);
    SendNotification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    SendNotification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent *AComponent) {
    FComponents.append(AComponent);
    ++FListChanges;
    AComponent->FOwner = this;
    IndexName(AComponent);
}

void TComponent::Remove(TComponent *AComponent) {
    UnindexName(AComponent);
    FComponents.removeOne(AComponent);
    ++FListChanges;
    AComponent->FOwner = nullptr;
}

void TComponent::SendNotification(TComponent *AComponent, TOperation Operation) {
    Notification(AComponent, Operation);
}

void TComponent::NotifyInsertion() {
    if (FOwner) FOwner->SendNotification(this, opInsert);
}

void TComponent::DestroyComponents() {
    // Taken off the list without notices: the owner is going away with all of them.
    while (!FComponents.isEmpty()) {
        TComponent *c = FComponents.takeLast();
        ++FListChanges;
        UnindexName(c);
        c->FOwner = nullptr;
        delete c;
    }
}

void TComponent::FreeComponents(const QList<TComponent *> &AComponents) {
    // A receiver may free some of them while it is told, and a widget takes its child widgets
    // with it: the guards tell which are gone.
    struct TGoing {
        TComponent *Component;
        QPointer<QObject> Object;
        bool IsObject;
        bool Alive() const { return !IsObject || Object; }
    };
    QSet<TComponent *> seen;
    QList<TGoing> going;
    for (TComponent *c : AComponents) {
        if (!c || c->FOwner != this || c->HasState(csDestroying) || seen.contains(c)) continue;
        seen.insert(c);
        going.append({c, c->Object(), c->Object() != nullptr});
    }
    if (going.isEmpty()) return;
    // Off the list first, so that the notices walk only the components that stay; the ones
    // going keep their owner and names until they go.
    FComponents.removeIf([&seen](TComponent *c) { return seen.contains(c); });
    ++FListChanges;
    for (const TGoing &g : going)
        if (g.Alive()) SendNotification(g.Component, opRemove);
    for (const TGoing &g : going) {
        if (!g.Alive()) continue;
        UnindexName(g.Component);
        g.Component->FOwner = nullptr;
    }
    for (qsizetype i = going.size() - 1; i >= 0; --i) {
        const TGoing &g = going[i];
        if (!g.Alive()) continue;
        if (g.IsObject)
            delete g.Object.data();
        else
            delete g.Component;
    }
}

void TComponent::FreeNotification(TComponent *AComponent) {
    if (!AComponent || AComponent == this) return;
    FWatching.append(AComponent);
    AComponent->FWatchers.append(this);
}

void TComponent::RemoveFreeNotification(TComponent *AComponent) {
    if (!AComponent) return;
    FWatching.removeAll(AComponent);
    AComponent->FWatchers.removeAll(this);
}

void TComponent::Loaded() { FState &= ~csLoading; }

void TComponent::Notification(TComponent *AComponent, TOperation Operation) {
    // Only a component we watch has our subscription to undo (its watcher list may be long).
    if (Operation == opRemove && AComponent && FWatching.contains(AComponent)) RemoveFreeNotification(AComponent);
    if (FComponents.isEmpty()) return;
    if (Operation == opInsert && AComponent == FArrivingComponent) return;  // the owner alone hears of it
    // Walk a copy: a receiver may free or move components while being told. Only once the list
    // has changed must each receiver be checked to be still ours.
    const QList<TComponent *> receivers = FComponents;
    const quint64 changes = FListChanges;
    for (int i = int(receivers.size()) - 1; i >= 0; --i) {
        TComponent *c = receivers[i];
        if (c == AComponent) continue;
        if (FListChanges != changes && !FComponents.contains(c)) continue;
        c->Notification(AComponent, Operation);
    }
}

QObject *TComponent::Object() { return dynamic_cast<QObject *>(this); }
const QObject *TComponent::Object() const { return dynamic_cast<const QObject *>(this); }

QString TComponent::ClassName() const {
    if (const QObject *o = Object()) return QString::fromLatin1(o->metaObject()->className());
    return QString::fromLatin1(typeid(*this).name());
}

TComponent *TComponent::FromObject(QObject *object) { return dynamic_cast<TComponent *>(object); }
