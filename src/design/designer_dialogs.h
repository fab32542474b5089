#pragma once
// The designer's dialogs by name. The designer window lives above the libraries that hold the
// dialogs (report options, datasets, report expert, property dialogs, rich-text editor), so it
// cannot call them directly: each of those libraries registers its dialogs here when it is
// linked, and the window runs them by name. A dialog that no linked library provides is
// missing, and the window says so instead of doing nothing.
#include <QString>
#include <QStringList>
#include <functional>

class TComponent;
class TVDMDesigner;

namespace DesignerDialogs {

// The dialogs of the window's menus and buttons.
inline const QString ReportOptions = QStringLiteral("ReportOptions");
inline const QString ReportDatabases = QStringLiteral("ReportDatabases");
inline const QString ReportExpert = QStringLiteral("ReportExpert");
inline const QString Frame = QStringLiteral("Frame");
// The property dialog of a class is registered under the class name ("TVendamoLabel", ...).

// Runs a dialog for the designer and an element (the report, a band, an element or none);
// true when the user accepted it and something may have changed.
using TDesignerDialog = std::function<bool(TVDMDesigner *Designer, TComponent *Element)>;

// Registers (or replaces) the dialog of a name; an empty function removes it.
void Register(const QString &Name, TDesignerDialog Dialog);
bool Has(const QString &Name);
// The dialog registered under Name (an empty function for none).
TDesignerDialog Find(const QString &Name);
// Runs the dialog of Name; false without running anything when none is registered.
bool Run(const QString &Name, TVDMDesigner *Designer, TComponent *Element, bool &Accepted);
QStringList Names();

}  // namespace DesignerDialogs
