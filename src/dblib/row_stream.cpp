#include "dblib/row_stream.h"

#include "dblib/database.h"
#include "dblib/db_error.h"

namespace {

class TQueryStream : public TRowStream {
public:
    explicit TQueryStream(QSqlQuery query) : FQuery(std::move(query)) {}
    bool Next() override { return FQuery.next(); }
    QVariant Value(int column) const override { return FQuery.value(column); }
    const QSqlQuery &Query() const override { return FQuery; }

private:
    QSqlQuery FQuery;
};

constexpr int kBatch = 1000;
int gCursorCounter = 0;

class TCursorStream : public TRowStream {
public:
    TCursorStream(TDatabase *db, const QString &sql, const QVariantList &values)
        : FDatabase(db), FName(QStringLiteral("vendamo_cursor_%1").arg(++gCursorCounter)) {
        // Declared WITH HOLD, the cursor keeps its rows on the server once its transaction ends.
        db->Execute(QStringLiteral("DECLARE %1 NO SCROLL CURSOR WITH HOLD FOR %2")
                        .arg(FName, db->InlineValues(sql, values)));
        FOpen = true;
        Fetch();
    }
    ~TCursorStream() override {
        FBatch = QSqlQuery();
        if (!FOpen) return;
        try {
            FDatabase->Execute(QStringLiteral("CLOSE %1").arg(FName));
        } catch (const EDatabaseError &) {
            // The connection is gone; so is the cursor.
        }
    }
    bool Next() override {
        if (FBatch.next()) {
            ++FRowsInBatch;
            return true;
        }
        if (FRowsInBatch < kBatch) return false;
        Fetch();
        if (!FBatch.next()) return false;
        ++FRowsInBatch;
        return true;
    }
    QVariant Value(int column) const override { return FBatch.value(column); }
    const QSqlQuery &Query() const override { return FBatch; }

private:
    void Fetch() {
        FBatch = FDatabase->Execute(QStringLiteral("FETCH FORWARD %1 FROM %2").arg(kBatch).arg(FName), {}, true);
        FRowsInBatch = 0;
    }
    TDatabase *FDatabase;
    QString FName;
    QSqlQuery FBatch;
    int FRowsInBatch = 0;
    bool FOpen = false;
};

}  // namespace

std::unique_ptr<TRowStream> TRowStream::Open(TDatabase *db, const QString &sql, const QVariantList &values) {
    if (db->IsSQLite()) return std::make_unique<TQueryStream>(db->Execute(sql, values));
    return std::make_unique<TCursorStream>(db, sql, values);
}
