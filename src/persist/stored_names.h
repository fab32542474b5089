#pragma once
// Component names read from a report file. A file may hold a name that is not a valid component
// name (written by another program, or "DétailBand") or one that the loading form already uses
// (an element named like the form's loader). Neither stops the load: the component gets a unique
// valid name made from the stored one by the rules of FindUniqueComponentName, and the rest of
// the report loads.
#include <QHash>
#include <QString>

class TComponent;

// The numbers a load has handed out so far, per base name (case folded). A file may repeat a
// name thousands of times; each repeat then takes the next number instead of trying every
// number from 1 again. Valid while the load only adds components.
using TStoredNameNumbers = QHash<QString, qint64>;

// The stored name when it is a valid name no other component of the owner uses; otherwise a
// valid base made from it (accents dropped, other characters that a name cannot hold left out,
// Fallback when nothing is left), itself when free, else followed by the smallest free number.
// An empty stored name stays empty. Numbers, when given, keeps the numbers handed out.
QString UsableComponentName(const TComponent *Component, const QString &Stored, const QString &Fallback,
                            TStoredNameNumbers *Numbers = nullptr);

// Names the component by UsableComponentName.
void SetStoredName(TComponent *Component, const QString &Stored, const QString &Fallback,
                   TStoredNameNumbers *Numbers = nullptr);
