// Datasets on a read-only connection: whatever their statement says, nothing changes in the
// database or on disk; they read as usual; other datasets still edit.
#include "backend.h"
#include "dblib/db_error.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "host/forms.h"
#include "pg_server.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class ReadOnlyConnection : public testing::TestWithParam<TBackend> {
protected:
    void SetUp() override {
        QString reason;
        if (!BackendAvailable(GetParam(), &reason)) GTEST_SKIP() << qPrintable(reason);
        switch (GetParam().Kind) {
        case TBackend::Directory:
            QFile::copy(QDir(TestEnv::DemoTables()).filePath("parts.db"), FDir.Path("parts.db"));
            FDatabase = FDir.Path();
            FParts = "parts";  // the table inside parts.db
            break;
        case TBackend::File:
            QFile::copy(TestEnv::DemoFile(), FDir.Path("copy.sqlite"));
            FDatabase = FDir.Path("copy.sqlite");
            FParts = "parts";
            break;
        case TBackend::Postgres:
            FDatabase = GetParam().DatabaseName();
            FParts = "ro_parts";
            Write("DROP TABLE IF EXISTS ro_parts");
            Write("DROP TABLE IF EXISTS ro_copy");
            Write("CREATE TABLE ro_parts AS SELECT * FROM parts");
            break;
        }
        FBefore = Fingerprint();
        ASSERT_GT(FBefore.size(), 0);
    }
    void TearDown() override {
        if (GetParam().Kind != TBackend::Postgres && !FDatabase.isEmpty()) Session().CloseDatabase(FDatabase);
    }

    // Runs a statement on the read-write connection.
    void Write(const QString &sql) {
        TQuery q;
        q.SetDatabaseName(FDatabase);
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    // Every row of the parts table, as text.
    QStringList Fingerprint() {
        TQuery q;
        q.SetDatabaseName(FDatabase);
        q.SQL()->SetText(QStringLiteral("SELECT * FROM %1 ORDER BY \"PartNo\"").arg(FParts));
        q.Open();
        QStringList rows;
        for (; !q.Eof(); q.Next()) {
            QStringList values;
            for (TField *f : q.Fields()) values << f->AsString();
            rows << values.join('|');
        }
        return rows;
    }
    // Opens and runs the statement on the read-only connection; both must fail, naming the
    // dataset, and leave the parts rows as they were.
    QString ExpectRefused(const QString &sql, bool uniDirectional = false) {
        SCOPED_TRACE(qPrintable(sql));
        QString message;
        TQuery q;
        q.SetName("Untrusted");
        q.SetReadOnlyConnection(true);
        q.SetDatabaseName(FDatabase);
        q.SetUniDirectional(uniDirectional);
        q.SQL()->SetText(QString(sql).replace("%T", FParts));
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                if (attempt == 0)
                    q.Open();
                else
                    q.ExecSQL();
                ADD_FAILURE() << "the statement ran";
            } catch (const EDatabaseError &e) {
                EXPECT_TRUE(e.Message().startsWith("Untrusted: ")) << qPrintable(e.Message());
                message = e.Message();
            }
        }
        EXPECT_EQ(Fingerprint(), FBefore);
        return message;
    }
    QString DatabaseFile() const {
        return GetParam().Kind == TBackend::File ? FDatabase : FDir.Path("parts.db");
    }
    QStringList Files() const { return QDir(FDir.Path()).entryList(QDir::Files); }

    TestDir FDir;
    QString FDatabase;
    QString FParts;
    QStringList FBefore;
};

}  // namespace

TEST_P(ReadOnlyConnection, StatementsThatWriteChangeNothing) {
    const QByteArray fileBefore = GetParam().IsPostgres() ? QByteArray() : ReadWholeFile(DatabaseFile());
    EXPECT_TRUE(ExpectRefused("DELETE FROM %T").contains("Data cannot be changed here"));
    ExpectRefused("UPDATE %T SET \"OnHand\" = 0");
    ExpectRefused("INSERT INTO %T SELECT * FROM %T");
    ExpectRefused("DROP TABLE %T");
    ExpectRefused("CREATE TABLE ro_copy AS SELECT * FROM %T");
    // Two statements in one text: the second never runs.
    ExpectRefused("SELECT * FROM %T; DELETE FROM %T");
    ExpectRefused("SELECT * FROM %T;\nDELETE FROM %T;");
    if (GetParam().IsPostgres()) {
        // Data-changing statements inside a query, and texts that try to leave the read-only
        // transaction first.
        ExpectRefused("WITH gone AS (DELETE FROM %T RETURNING *) SELECT * FROM gone");
        ExpectRefused("WITH gone AS (DELETE FROM %T RETURNING *) SELECT * FROM gone", true);
        ExpectRefused("COMMIT; DELETE FROM %T");
        ExpectRefused("SET TRANSACTION READ WRITE; DELETE FROM %T");
        ExpectRefused("SELECT 1; ROLLBACK; SET default_transaction_read_only = off; DELETE FROM %T");
        ExpectRefused("SELECT * FROM %T WHERE \"PartNo\" = :no; DELETE FROM %T");
        // Settings made by one statement do not carry over to the next one.
        for (const char *escape : {"SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE",
                                   "SET default_transaction_read_only = off", "SET TRANSACTION READ WRITE",
                                   "SELECT set_config('default_transaction_read_only', 'off', false)"}) {
            TQuery q;
            q.SetReadOnlyConnection(true);
            q.SetDatabaseName(FDatabase);
            q.SQL()->SetText(escape);
            try {
                q.ExecSQL();
            } catch (const EDatabaseError &) {
            }
            ExpectRefused("DELETE FROM %T");
        }
        ExpectRefused("SELECT * INTO ro_copy FROM %T");
    } else {
        // Writing pragmas, on the database file or on an attached table file.
        const QString schema = GetParam().Kind == TBackend::File ? "main" : "tf1";
        TTable parts;
        parts.SetReadOnlyConnection(true);
        parts.SetDatabaseName(FDatabase);
        parts.SetTableName(GetParam().Kind == TBackend::File ? "parts" : "parts.db");
        parts.Open();  // attaches the table file of a directory
        ExpectRefused(QStringLiteral("PRAGMA %1.user_version = 7").arg(schema));
        ExpectRefused(QStringLiteral("PRAGMA %1.journal_mode = WAL").arg(schema));
        // A new file is never created: not by attaching one, nor by copying the database into one.
        const QStringList before = Files();
        ExpectRefused(QStringLiteral("ATTACH '%1' AS extra").arg(FDir.Path("new.db")));
        ExpectRefused(QStringLiteral("ATTACH 'file:%1?mode=rwc' AS extra").arg(FDir.Path("uri.db")));
        ExpectRefused(QStringLiteral("VACUUM %1 INTO '%2'").arg(schema, FDir.Path("copy.db")));
        ExpectRefused(QStringLiteral("DETACH %1").arg(schema));
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(parts.RecordCount(), FBefore.size());
        parts.Close();
        Session().CloseDatabase(FDatabase);
        EXPECT_EQ(ReadWholeFile(DatabaseFile()), fileBefore);
    }
}

TEST_P(ReadOnlyConnection, ReadsAsUsualAndSeesWhatOthersWrite) {
    TQuery q;
    q.SetReadOnlyConnection(true);
    q.SetDatabaseName(FDatabase);
    q.SQL()->SetText(QStringLiteral("SELECT * FROM %1 WHERE \"PartNo\" >= :first ORDER BY \"PartNo\"").arg(FParts));
    q.ParamByName("first").SetAsInteger(110);
    q.Open();
    EXPECT_EQ(q.RecordCount(), FBefore.size() - 10);
    EXPECT_EQ(q.FieldByName("PartNo")->AsInteger(), 110);
    q.Close();
    // Streamed rows (a server cursor on PostgreSQL) too.
    q.SetUniDirectional(true);
    q.Open();
    int rows = 0;
    for (; !q.Eof(); q.Next()) ++rows;
    EXPECT_EQ(rows, FBefore.size() - 10);
    q.Close();

    // Tables on the read-only connection refuse edits; the read-write connection still edits,
    // and the read-only one sees the change.
    TTable table;
    table.SetDatabaseName(FDatabase);
    table.SetTableName(GetParam().Kind == TBackend::Directory ? "parts.db" : FParts);
    table.SetReadOnlyConnection(true);
    table.Open();
    EXPECT_FALSE(table.CanModify());
    EXPECT_THROW(table.Edit(), EDatabaseError);
    Write(QStringLiteral("UPDATE %1 SET \"OnHand\" = 4242 WHERE \"PartNo\" = 110").arg(FParts));
    q.SetUniDirectional(false);
    q.Open();
    EXPECT_EQ(q.FieldByName("OnHand")->AsInteger(), 4242);
    // Switching an open dataset to the read-write connection reopens it there.
    table.SetReadOnlyConnection(false);
    EXPECT_TRUE(table.Active());
    EXPECT_TRUE(table.CanModify());
}

INSTANTIATE_TEST_SUITE_P(Databases, ReadOnlyConnection, testing::ValuesIn(kBackends),
                         [](const testing::TestParamInfo<TBackend> &info) { return std::string(info.param.Label); });
