#pragma once
// A report that uses every part of the report file: every band class, every element kind, a
// table, a query and a wizard query with calculated, lookup and data-field settings, an embedded
// picture, printer setup and application data. The datasets use the demo database under the
// alias PERSISTDEMO.
#include "persist_fixture.h"

// Defines PERSISTDEMO (the demo table files, written once per test program).
void DefineDemoAlias();

// Fills the form; the designer embeds pictures, saves the printer setup and gives the
// application data below through OnSaveReport.
void BuildFullReport(TReportForm &f);
extern const QByteArray FullReportApplicationData;

// Makes the designer of a form keep application data on load and give it back on save.
void KeepApplicationData(TReportForm &f, QByteArray &store);
