#pragma once
// What a development environment learns from the package: the component classes it offers on
// its palette pages, and the component editors (a list of commands, the "verbs") it shows for
// components of a class. The package registers them once (RegisterVendamoPackage); an
// environment, or a test, reads them here.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TComponent;
struct QMetaObject;

// The commands the environment offers for one component.
class TComponentEditor {
public:
    explicit TComponentEditor(TComponent *Component) : FComponent(Component) {}
    virtual ~TComponentEditor() = default;
    virtual int GetVerbCount() const = 0;
    virtual QString GetVerb(int Index) const = 0;
    virtual void ExecuteVerb(int Index) = 0;
    TComponent *Component() const { return FComponent; }

private:
    TComponent *FComponent;
};

using TComponentEditorFactory = std::function<std::unique_ptr<TComponentEditor>(TComponent *)>;

namespace DesignEnvironment {

struct TPaletteCall {
    QString Page;
    QList<const QMetaObject *> Classes;
};

// Adds classes to a palette page, in the order given (one call of the package).
void RegisterComponents(const QString &Page, const QList<const QMetaObject *> &Classes);
// Every call so far, in order.
const QList<TPaletteCall> &PaletteCalls();
// The classes of a page, in registration order, by class name.
QStringList PaletteClasses(const QString &Page);

// Installs the editor for components of a class (and its descendants).
void RegisterComponentEditor(const QMetaObject *Class, TComponentEditorFactory Factory);
// The editor for a component: that of its own class or of the nearest ancestor with one; null
// for none.
std::unique_ptr<TComponentEditor> EditorFor(TComponent *Component);

// Forgets everything registered (for tests).
void Clear();

}  // namespace DesignEnvironment
