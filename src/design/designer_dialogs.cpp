#include "design/designer_dialogs.h"

#include <QHash>

namespace DesignerDialogs {

namespace {
// Filled from static initialisers of the dialog libraries, so made on first use.
QHash<QString, TDesignerDialog> &Registry() {
    static QHash<QString, TDesignerDialog> dialogs;
    return dialogs;
}
}  // namespace

void Register(const QString &Name, TDesignerDialog Dialog) {
    if (Dialog)
        Registry().insert(Name, std::move(Dialog));
    else
        Registry().remove(Name);
}

bool Has(const QString &Name) { return Registry().contains(Name); }

TDesignerDialog Find(const QString &Name) { return Registry().value(Name); }

bool Run(const QString &Name, TVDMDesigner *Designer, TComponent *Element, bool &Accepted) {
    // A copy: the dialog may register or remove dialogs while it runs.
    const TDesignerDialog dialog = Registry().value(Name);
    if (!dialog) return false;
    Accepted = dialog(Designer, Element);
    return true;
}

QStringList Names() {
    QStringList names = Registry().keys();
    names.sort();
    return names;
}

}  // namespace DesignerDialogs
