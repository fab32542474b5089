#include "host/class_registry.h"

#include <QHash>

namespace {
QHash<QString, TComponentClass> &Registry() {
    static QHash<QString, TComponentClass> registry;
    return registry;
}
}  // namespace

void RegisterComponentClass(const QString &name, const QMetaObject *meta, TComponentFactory factory) {
    Registry().insert(name.toLower(), TComponentClass{name, meta, std::move(factory)});
}

const TComponentClass *FindComponentClass(const QString &name) {
    auto &reg = Registry();
    auto it = reg.constFind(name.toLower());
    return it == reg.constEnd() ? nullptr : &*it;
}
