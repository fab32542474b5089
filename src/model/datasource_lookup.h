#pragma once
// Data sources for the report: the candidates for new data elements, the choice among them,
// the data source of a table by its file name, and emptying a report form.
#include <QList>
#include <QString>

class TComponent;
class TDataSource;

// The usable data sources of a form that holds a loader: not internal (name beginning with
// "__"), with a dataset that has a visible field. The form's own first, then those of the
// loader's DatabaseOwner, then (with UseDataModules) those of each data module; the last two
// groups only for datasets the designer's AvailableDatasetNames lists, when it lists any.
// Appended to List.
void GetDatasourceList(const TComponent *Form, QList<TDataSource *> &List);

// The data source a new data element uses: the only candidate without asking, else the one the
// user picks in the selection form (null on Cancel); with none an error box.
TDataSource *SelectDataSource(const TComponent *Form);

// The first data source of the form whose dataset is a table named as TableName's file part
// (letter case ignored); when TableName has a directory part (separators "/" or "\"), the
// table's database name must equal that part including its final separator.
TDataSource *FindDatasource(const TComponent *Form, const QString &TableName);

// Empties a report form: the band links are cut, every band and element goes, and with
// ClearDatasets every data source of the form that is not internal and carries a table or a
// query, with that dataset when the form owns it (a dataset of another owner stays).
void ClearReportForm(TComponent *Form, bool ClearDatasets);
