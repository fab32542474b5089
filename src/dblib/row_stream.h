#pragma once
// Rows of a statement read one after the other without keeping them. SQLite steps through its
// result directly. PostgreSQL, whose row-by-row mode blocks the connection for every other
// statement, reads through a server-side cursor in small batches, so other statements (detail
// queries, lookups, edits) run on the same connection meanwhile.
#include <QSqlQuery>
#include <QVariant>
#include <memory>

class TDatabase;

class TRowStream {
public:
    virtual ~TRowStream() = default;
    // Moves to the next row; false after the last.
    virtual bool Next() = 0;
    virtual QVariant Value(int column) const = 0;
    // The result whose record describes the columns.
    virtual const QSqlQuery &Query() const = 0;

    // Runs the statement; raises EDatabaseError like TDatabase::Execute.
    static std::unique_ptr<TRowStream> Open(TDatabase *db, const QString &sql, const QVariantList &values);
};
