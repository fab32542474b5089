#pragma once
// The designer's command for the report's datasets: fills the "Datasets" dialog with the data
// sources the report may use, shows it, and makes the chosen dataset the report's main dataset.
class TDesignReport;
class TVDMDesigner;

// Returns true: additions and deletions in the dialog take effect at once.
bool EditReportDatabases(TVDMDesigner *Designer, TDesignReport *Report);
