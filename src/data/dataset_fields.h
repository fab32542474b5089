#pragma once
// Operations on report datasets that the data dialogs, the query wizard and the report expert
// share: making fields persistent, translating field lists between names and display labels,
// and finding the directory of a database alias.
#include <QString>

class TDataSet;
class TStrings;

// Makes every field of DataSet persistent, in definition order: a field object of the same name
// is kept, any other is created from its definition. DisplayLabels (name=label lines, may be
// null) gives a field a display label when it holds a non-empty one for the field's name. The
// dataset is closed meanwhile and reopened when it was open.
void CreateFields(TDataSet *DataSet, const TStrings *DisplayLabels);

// Converts a ";"-separated list item by item from field names to display labels and back; the
// result is ";"-separated without a trailing ";", empty for an empty input.
QString ConvertToDisplayLabels(const TDataSet *DataSet, const QString &Names);
QString ConvertToFieldNames(const TDataSet *DataSet, const QString &Labels);

// The directory of a database alias as the session defines it (its "PATH" parameter, letter case
// kept); empty for a name that is not a database name. Raises EDatabaseError "Alias path from
// <alias> invalid" for an alias without a directory (a server database).
QString GetAliasPath(const QString &Alias);
