#pragma once
// The report's own datasets run on connections that cannot change data.
class TComponent;

// Sets every table and query behind a data source of the report form (those a report file
// stores; data sources named "__" belong to the designer) to its database's read-only
// connection, so that printing or previewing a report never changes data. Datasets of the
// application's data modules are left alone: the application edits through them.
void UseReadOnlyConnections(TComponent *ReportForm);
