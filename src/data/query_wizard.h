#pragma once
// The entries to the query wizard dialog: editing a wizard query with a choice of pages, and
// changing only the sorting and filtering of a report's main dataset before it prints.
class TComponent;
class TStrings;
class TVDMLoader;
class TWizQuery;

// Edits Query in the wizard showing the pages whose flags are set. TableNames (may be null or
// empty: all tables) limits the tables offered; DisplayLabels (name=label lines, may be null)
// shows fields by their labels. True when the user closed the dialog with OK. When OK follows
// a change, the query is closed, redefined and opened again with its persistent fields made
// anew: data fields for the new definition (keeping their display settings when the query was
// open), calculated and lookup fields as they were. A query that then fails to open is left
// closed after the error was shown.
bool EditWizQuery(TComponent *Owner, TWizQuery *Query, const TStrings *TableNames, const TStrings *DisplayLabels,
                  bool ShowTable, bool ShowSort, bool ShowFilter, bool ShowSQL, bool ShowPreview);

// When the loader's report feeds on a wizard query: the sort and filter pages for it, and the
// dialog's result. Otherwise false, showing nothing.
bool FilterReportDataset(TVDMLoader *Loader);
