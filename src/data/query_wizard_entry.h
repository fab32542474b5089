#pragma once
// The one way the data dialogs reach the query wizard. The wizard registers itself here when it
// is linked; without it, asking for the wizard says plainly that it is not available.
#include <functional>

class TStrings;
class TVDMDesigner;
class TWizQuery;

// Edits Query with every page of the wizard, offering the designer's table names and field
// display labels; true on OK.
using TQueryWizard = std::function<bool(TWizQuery *Query, TVDMDesigner *Designer)>;

// Installs the wizard (an empty function removes it).
void SetQueryWizard(TQueryWizard Wizard);
bool HasQueryWizard();
// Runs the installed wizard; without one shows a message and returns false.
bool RunQueryWizard(TWizQuery *Query, TVDMDesigner *Designer);
