#include "dblib/row_stream.h"

#include "dblib/database.h"
#include "dblib/db_error.h"

#include <QSqlDriver>
#include <QSqlField>

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

// The statement with each "?" outside quotes and comments replaced by the value as an SQL
// literal, escaped by the driver (a cursor declaration takes no parameters).
QString InlineValues(const QString &sql, const QVariantList &values, const QSqlDriver *driver) {
    QString out;
    int next = 0;
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            const int start = i;
            for (++i; i < n && sql[i] != c; ++i) {
            }
            out += QStringView(sql).mid(start, qMin(i + 1, n) - start);
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const int eol = sql.indexOf(u'\n', i);
            const int end = eol < 0 ? n : eol;
            out += QStringView(sql).mid(i, end - i);
            i = end - 1;
            continue;
        }
        if (c == u'?' && next < values.size()) {
            const QVariant &v = values[next++];
            QSqlField field(QString(), v.metaType());
            field.setValue(v);
            out += driver->formatValue(field);
            continue;
        }
        out += c;
    }
    return out;
}

class TCursorStream : public TRowStream {
public:
    TCursorStream(TDatabase *db, const QString &sql, const QVariantList &values)
        : FDatabase(db), FName(QStringLiteral("vendamo_cursor_%1").arg(++gCursorCounter)) {
        // Declared outside a transaction, the cursor holds its rows on the server.
        db->Execute(QStringLiteral("DECLARE %1 NO SCROLL CURSOR WITH HOLD FOR %2")
                        .arg(FName, InlineValues(sql, values, db->Connection().driver())));
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
