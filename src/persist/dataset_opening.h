#pragma once
// What a load does with the datasets it created once every record is read: link details to
// their masters, then prepare and open the datasets, masters first.
#include <QString>

class TComponent;
struct TDatasetReadState;

// Each table or query of the form whose Tag holds a parked master number gets the form's data
// source of that number as its master.
void LinkDatasetMasters(TComponent *ReportForm);

// Calls BeforeOpenDatasets, installs the loader's calculated-fields handler, resolves "+" in the
// database names (FileName: the report file, whose directory may hold table files), orders the
// datasets so that masters open first, and opens them with BeforeOpenDataset, creating the
// calculated and lookup fields and applying the display settings read from the file. A dataset
// that does not open is reported ("Error opening database" / "Error opening database-query") and
// the others are still opened.
void OpenReportDatasets(TDatasetReadState &State, const QString &FileName);

// The directory a DatabaseName stands for once "+" (the application's directory) is resolved;
// names without "+" come back unchanged.
QString ResolveStoredDatabaseName(const QString &DatabaseName, const QString &TableName, const QString &ReportFileName,
                                  bool IsTable);
