#pragma once
// Small lookups the designer, the data dialogs and the report reader share: case-insensitive
// string search, free component names, field names versus display labels, and switching a
// group of controls on or off.
#include <QString>

class TComponent;
class TDataSet;
class TStrings;

// True when some line of List equals S, letter case ignored.
bool FindStringInStringList(const TStrings *List, const QString &S);

// A name no component of Owner has yet (at most 255 characters): BaseName itself when
// TryBaseFirst and it is free, else BaseName followed by the smallest free number from 1.
// With Next, the numbers below *Next count as taken and *Next moves past the number returned:
// a caller that names many components after one base in turn, freeing none, then tries each
// number once instead of every number from 1 for each component.
QString FindUniqueComponentName(const TComponent *Owner, const QString &BaseName, bool TryBaseFirst,
                                qint64 *Next = nullptr);

// The name of the first field (in field order) whose display label equals DisplayLabel
// exactly; DisplayLabel itself when there is none.
QString FindField4DisplayLabel(const TDataSet *DataSet, const QString &DisplayLabel);
// The display label of the field FieldName; FieldName itself when the label is empty. A name
// the dataset does not have raises the data access library's error.
QString FindDisplayLabel4Field(const TDataSet *DataSet, const QString &FieldName);

// Sets the published Enabled of every component owned by Component's owner whose published
// GroupID equals GroupID; a GroupID of 0 does nothing.
void EnableGroup(const TComponent *Component, qint32 GroupID);
void DisableGroup(const TComponent *Component, qint32 GroupID);
