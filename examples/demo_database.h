#pragma once
// The demo database: customers, orders, order items, parts, employees and countries, with
// dates, amounts, memos and a few pictures. The content is generated from a fixed seed, so
// every run produces the same rows and tests can rely on exact values.
//
// It is written in two forms: a directory of table files (one SQLite file per table, named
// customer.db, orders.db, items.db, parts.db, employee.db, country.db) and one SQLite database
// file holding all six tables (customer, orders, ...). The alias DEMODB names the directory.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace DemoDatabase {

constexpr int kCustomers = 60;
constexpr int kOrders = 300;
constexpr int kParts = 40;
constexpr int kEmployees = 12;
constexpr int kCountries = 20;
constexpr int kFirstCustNo = 1001;
constexpr int kFirstOrderNo = 1001;
constexpr int kFirstPartNo = 100;

// The table names of the database file, in creation order.
QStringList TableNames();

// Writes the table files into directory (created when missing; existing table files of the
// same names are replaced). Raises EDatabaseError when a file cannot be written.
void WriteDirectory(const QString &directory);
// Writes one SQLite database file with all tables (replacing the file).
void WriteDatabaseFile(const QString &fileName);
// Creates the tables in an open connection (SQLite or PostgreSQL) and fills them; maxRows
// limits every table to its first rows (0: all). Tables of the same names are dropped first.
void WriteTables(QSqlDatabase db, int maxRows = 0);

// Writes both forms under directory: the table files into directory/tables and the database
// file directory/demo.sqlite; defines the alias DEMODB for the table files. Returns the
// table directory.
QString Create(const QString &directory);

}  // namespace DemoDatabase
