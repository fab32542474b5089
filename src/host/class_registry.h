#pragma once
// Component classes registered by name, so that streams can name a class and the reader can
// create it (and the designer can create elements from a kind name).
#include "host/component.h"

#include <QString>
#include <functional>

struct QMetaObject;

using TComponentFactory = std::function<TComponent *(TComponent *AOwner)>;

struct TComponentClass {
    QString Name;
    const QMetaObject *Meta = nullptr;
    TComponentFactory Create;
};

void RegisterComponentClass(const QString &name, const QMetaObject *meta, TComponentFactory factory);

// Registers class T (a QObject + TComponent with a constructor taking the owner).
template <class T>
void RegisterComponentClass() {
    RegisterComponentClass(QString::fromLatin1(T::staticMetaObject.className()), &T::staticMetaObject,
                           [](TComponent *owner) -> TComponent * { return new T(owner); });
}

// The registered class of that name (case-insensitive); null when unknown.
const TComponentClass *FindComponentClass(const QString &name);
