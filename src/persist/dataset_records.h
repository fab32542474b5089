#pragma once
// The datasets of a report in its file: one table (kind 50) or query (kind 53) record per
// numbered data source of the report form, each followed by the records of its calculated fields
// (kind 8), lookup fields (kind 57) and the display settings of its data fields (kind 10).
#include "persist/field_definitions.h"

#include <QPointer>
#include <QString>

class TComponent;
class TDataSet;
class TDataSource;
class TStream;
class TVDMLoader;

// Writes the dataset record of the data source's dataset and its field records; nothing for a
// dataset that is neither a table nor a query. Fields of a class without a type code are
// reported ("Unsupported fieldtype for " and the field's name) and skipped.
void WriteDatasetRecords(TStream &Stream, TDataSource *DataSource, TComponent *ReportForm);

// The DatabaseName a record stores: a directory inside the application's directory becomes "+"
// and the rest of the path; another directory its full path; an alias and a server's connection
// text ("postgres:...", which may name a socket directory) stay as they are.
QString StoredDatabaseName(const QString &DatabaseName);

// What the reader keeps while it reads the dataset and field records of one report.
struct TDatasetReadState {
    TComponent *ReportForm = nullptr;
    TVDMLoader *Loader = nullptr;
    // False: the records are read past without creating anything (a load without datasets).
    bool CreateDatasets = true;
    // The dataset of the last table or query record; following field records belong to it.
    QPointer<TDataSet> Current;
    TFieldPropList DataFields;
    TCalcFieldPropList CalcFields;
    TLookupFieldPropList LookupFields;
};

// Reads the record of a kind of 50, 53, 8, 57 or 10 whose header has been read (size word
// included). Raises EReportFileError (and the data access library's errors) on a damaged record.
void ReadDatasetRecord(TStream &Stream, quint16 Kind, quint16 Size, TDatasetReadState &State);
bool IsDatasetRecordKind(quint16 Kind);
