#pragma once
// How report records refer to data sources: by number. Data sources whose names begin with "__"
// belong to the designer and are never numbered; the others are numbered 1, 2, 3 ... in
// component order, first those of the report form, then those of the DatabaseOwner.
//
// A stored number's low 14 bits are a 1-based position; its two high bits say where to count:
// 00 the given owner (normally the report form), 01 the application's data modules, counted
// across modules in their order, 10 the loader's DatabaseOwner. 0xFFFF means "by name": the
// dataset's name follows the record.
#include <QString>
#include <QtGlobal>

class TComponent;
class TDataSet;
class TDataSource;
class TVDMLoader;

bool IsDesignerDataSource(const TComponent *DataSource);

// Whether a report file writes the data source's dataset: a data source that is not the
// designer's and carries a table or a query. Within the report form only these are numbered, so
// that a data source without a dataset does not shift the numbers of the ones after it.
bool IsSavedDataSource(const TComponent *DataSource);

// Gives every saved data source of the form (1, 2, 3 ...) and then every data source of the
// DatabaseOwner not named "__" (continuing the count) its number in Tag.
void NumberDataSources(TComponent *ReportForm, TComponent *DatabaseOwner);

// The number report records store for a data source of the report form: 0 for none; -1 when it
// belongs to another owner; its position among the form's saved data sources, 0 when it is not
// one of them.
int ReportDatasourceNum(const TComponent *ReportForm, const TDataSource *DataSource);
// The data source a number read from a report file stands for: numbers of the form's own scope
// count the form's saved data sources; the other scopes as GetDatasourceByNum.
TDataSource *ReportDatasourceByNum(const TComponent *ReportForm, quint16 Number, const TVDMLoader *Loader);
TDataSet *ReportDatasetByNum(const TComponent *ReportForm, quint16 Number, const TVDMLoader *Loader);

// 0 for no data source; -1 when it belongs to another owner than Owner; else its position among
// Owner's numbered data sources (0 when it is not among them).
int GetDatasourceNum(const TComponent *Owner, const TDataSource *DataSource);

// The data source a stored number refers to, null for none. Numbers of the DatabaseOwner scope
// need the loader: the one given, else the first loader of Owner. Without a DatabaseOwner they
// show "DatabaseOwner not assigned!!" and give nothing.
TDataSource *GetDatasourceByNum(const TComponent *Owner, quint16 Number, const TVDMLoader *Loader = nullptr);
TDataSet *GetDatasetByNum(const TComponent *Owner, quint16 Number, const TVDMLoader *Loader = nullptr);

// The first data source among the dataset owner's components bound to the dataset.
TDataSource *FindDatasource4Dataset(const TDataSet *Dataset);

// The number a record stores for an element's dataset: through the dataset's data source on its
// owner, numbered within the report form (ReportDatasourceNum). -1 (written as 0xFFFF, the name following) for a
// dataset of another owner, 0 when there is none or only a designer data source.
int DatasetReferenceNumber(const TComponent *ReportForm, const TDataSet *Dataset);

// Looks a dataset or data source up by name for "by name" references: among the components of
// the loader's DatabaseOwner, then (with UseDataModules) the application's data modules.
TDataSet *FindDatasetByName(const TVDMLoader *Loader, const QString &Name);
TDataSource *FindDatasourceByName(const TVDMLoader *Loader, const QString &Name);
