#include "data/query_wizard_entry.h"

#include <QString>

#include "host/interaction.h"

static TQueryWizard &Installed() {
    static TQueryWizard wizard;
    return wizard;
}

void SetQueryWizard(TQueryWizard Wizard) { Installed() = std::move(Wizard); }

bool HasQueryWizard() { return bool(Installed()); }

bool RunQueryWizard(TWizQuery *Query, TVDMDesigner *Designer) {
    if (!Installed()) {
        Interaction().ShowMessage(QStringLiteral("The query wizard is not available in this program."));
        return false;
    }
    return Installed()(Query, Designer);
}
