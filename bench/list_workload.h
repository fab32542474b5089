#pragma once
// The 100,000-row list workload shared by the list benchmarks: the SQLite order table, the
// column layout, and the same list painted by hand with QPainter on a QPdfWriter as the
// baseline that the report renderers are measured against.
#include <QString>

namespace ListWorkload {

// The query every side of the comparison runs.
extern const char *const Sql;
// The columns (id, customer, city, order_date, amount) in millimetres within the 190 mm
// between the margins, their captions and field names.
extern const double ColX[5];
extern const double ColW[5];
extern const char *const Captions[5];
extern const char *const Fields[5];

// Writes the table "orders" with rows rows of repeatable pseudo-random data into the SQLite
// file (created or extended).
void CreateTable(const QString &file, int rows);

// Paints the list (column captions and a rule on every page, five texts per row, a count and
// sum at the end, "Page N" in every footer) into pdf, reading the rows forward only. Returns
// the number of pages.
int Baseline(const QString &dbFile, const QString &pdf);

// Resident set size of this process in megabytes.
double ResidentMB();

// Processor time (user and system) of this process so far, in seconds.
double ProcessSeconds();

// Processor time (user and system) of the waited-for children of this process so far, in
// seconds.
double ChildrenSeconds();

// The page count a PDF file declares in its page tree; 0 when it is unreadable or has none.
int PdfPageCount(const QString &pdf);

// Processor time spent in f, in seconds: unlike elapsed time it does not depend on what else
// the machine is doing.
template <class F>
double Seconds(F &&f) {
    const double start = ProcessSeconds();
    f();
    return ProcessSeconds() - start;
}

}  // namespace ListWorkload
