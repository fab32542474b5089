#include "env/design_environment.h"

#include "host/component.h"

#include <QMetaObject>
#include <QObject>

namespace DesignEnvironment {
namespace {

struct TState {
    QList<TPaletteCall> Palette;
    QList<QPair<const QMetaObject *, TComponentEditorFactory>> Editors;
};

TState &State() {
    static TState state;
    return state;
}

}  // namespace

void RegisterComponents(const QString &Page, const QList<const QMetaObject *> &Classes) {
    State().Palette.append({Page, Classes});
}

const QList<TPaletteCall> &PaletteCalls() { return State().Palette; }

QStringList PaletteClasses(const QString &Page) {
    QStringList names;
    for (const TPaletteCall &call : State().Palette)
        if (call.Page == Page)
            for (const QMetaObject *m : call.Classes) names << QString::fromLatin1(m->className());
    return names;
}

void RegisterComponentEditor(const QMetaObject *Class, TComponentEditorFactory Factory) {
    auto &editors = State().Editors;
    for (auto &e : editors)
        if (e.first == Class) {
            e.second = std::move(Factory);
            return;
        }
    editors.append({Class, std::move(Factory)});
}

std::unique_ptr<TComponentEditor> EditorFor(TComponent *Component) {
    QObject *object = Component ? Component->Object() : nullptr;
    if (!object) return nullptr;
    for (const QMetaObject *m = object->metaObject(); m; m = m->superClass())
        for (const auto &e : State().Editors)
            if (e.first == m) return e.second(Component);
    return nullptr;
}

void Clear() { State() = TState(); }

}  // namespace DesignEnvironment
