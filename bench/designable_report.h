#pragma once
// The designable report of the report-file and designer benchmarks: 20 bands of 100 elements
// each (labels, data texts, expressions, shapes, system data and a few memos, fed by one query
// on the list workload's table), ten to a row, 5.2 mm apart.
#include "report_form.h"

#include <QString>

constexpr int kBands = 20;
constexpr int kElementsPerBand = 100;

// Builds the report on the form; dbFile is the SQLite file of the query.
void BuildDesignableReport(TBenchReportForm &f, const QString &dbFile);
