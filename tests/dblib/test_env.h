#pragma once
// Shared state of the data access tests: the demo database, generated once per test program
// into a temporary directory, and a PostgreSQL test server started on first use.
#include <QString>

class TPgTestServer;

namespace TestEnv {
QString DemoRoot();    // the temporary directory
QString DemoTables();  // the directory database of table files (alias DEMODB)
QString DemoFile();    // the SQLite database file
// The running PostgreSQL server loaded with a slice of the demo data (alias PGDEMO), or null
// with the reason when the server binaries are absent. Raises std::runtime_error when they are
// there but the server cannot be started or loaded.
TPgTestServer *Postgres(QString *skipReason);
// Rows per table in the PostgreSQL slice.
constexpr int kPostgresRows = 120;
}  // namespace TestEnv
