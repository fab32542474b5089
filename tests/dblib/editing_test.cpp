// Changing rows through tables: edit, insert, delete and blobs, on copies of the demo data.
#include "backend.h"
#include "dblib/db_error.h"
#include "dblib/field_classes.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "host/forms.h"
#include "host/stream.h"
#include "pg_server.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class Editing : public testing::TestWithParam<TBackend> {
protected:
    void SetUp() override {
        QString reason;
        if (!BackendAvailable(GetParam(), &reason)) GTEST_SKIP() << qPrintable(reason);
        switch (GetParam().Kind) {
        case TBackend::Directory:
            for (const char *t : {"parts", "employee"})
                QFile::copy(QDir(TestEnv::DemoTables()).filePath(QString(t) + ".db"), FDir.Path(QString(t) + ".db"));
            FDatabase = FDir.Path();
            break;
        case TBackend::File:
            QFile::copy(TestEnv::DemoFile(), FDir.Path("copy.sqlite"));
            FDatabase = FDir.Path("copy.sqlite");
            break;
        case TBackend::Postgres:
            FDatabase = GetParam().DatabaseName();
            for (const char *t : {"parts", "employee"}) {
                Exec(QStringLiteral("DROP TABLE IF EXISTS edit_%1").arg(t));
                Exec(QStringLiteral("CREATE TABLE edit_%1 AS SELECT * FROM %1").arg(t));
            }
            Exec("ALTER TABLE edit_parts ADD PRIMARY KEY (\"PartNo\")");
            Exec("ALTER TABLE edit_employee ADD PRIMARY KEY (\"EmpNo\")");
            break;
        }
    }
    void TearDown() override {
        FOwner.DestroyComponents();
        if (GetParam().Kind != TBackend::Postgres) Session().CloseDatabase(FDatabase);
    }

    void Exec(const QString &sql) {
        TQuery q;
        q.SetDatabaseName(FDatabase);
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    QString TableName(const QString &base) const {
        switch (GetParam().Kind) {
        case TBackend::Directory: return base + ".db";
        case TBackend::File: return base;
        default: return "edit_" + base;
        }
    }
    TTable *Table(const QString &base) {
        auto *t = new TTable(&FOwner);
        t->SetDatabaseName(FDatabase);
        t->SetTableName(TableName(base));
        return t;
    }
    QVariant Scalar(const QString &sql) {
        TQuery q;
        q.SetDatabaseName(FDatabase);
        q.SQL()->SetText(QString(sql).replace("%T", GetParam().Kind == TBackend::Postgres ? "edit_parts" : "parts"));
        q.Open();
        return q.IsEmpty() ? QVariant() : q.Field(0)->Value();
    }

    TestDir FDir;
    QString FDatabase;
    TDataModule FOwner;
};

}  // namespace

TEST_P(Editing, EditInsertDeleteReachTheDatabase) {
    TTable *parts = Table("parts");
    parts->Open();
    const int count = parts->RecordCount();
    parts->SetRecNo(3);
    const qint64 partNo = parts->FieldByName("PartNo")->AsInteger();
    parts->Edit();
    EXPECT_EQ(parts->State(), dsEdit);
    parts->FieldByName("Description")->SetAsString("Changed part");
    parts->FieldByName("OnHand")->SetAsInteger(77);
    EXPECT_EQ(parts->FieldByName("Description")->AsString(), "Changed part");
    parts->Post();
    EXPECT_EQ(parts->State(), dsBrowse);
    EXPECT_EQ(parts->RecNo(), 3);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT \"Description\" FROM %T WHERE \"PartNo\" = %1").arg(partNo)).toString(), "Changed part");
    EXPECT_EQ(Scalar(QStringLiteral("SELECT \"OnHand\" FROM %T WHERE \"PartNo\" = %1").arg(partNo)).toLongLong(), 77);

    parts->Edit();
    parts->FieldByName("Description")->SetAsString("Not kept");
    parts->Cancel();
    EXPECT_EQ(parts->FieldByName("Description")->AsString(), "Changed part");

    parts->Append();
    EXPECT_EQ(parts->State(), dsInsert);
    parts->FieldByName("PartNo")->SetAsInteger(999);
    parts->FieldByName("Description")->SetAsString("New part");
    parts->FieldByName("ListPrice")->SetAsFloat(12.5);
    parts->Post();
    EXPECT_EQ(parts->RecordCount(), count + 1);
    EXPECT_EQ(parts->FieldByName("PartNo")->AsInteger(), 999);
    EXPECT_DOUBLE_EQ(Scalar("SELECT \"ListPrice\" FROM %T WHERE \"PartNo\" = 999").toDouble(), 12.5);

    // Insert places the new record before the current one.
    parts->SetRecNo(2);
    parts->Insert();
    parts->FieldByName("PartNo")->SetAsInteger(998);
    parts->Post();
    EXPECT_EQ(parts->RecNo(), 2);
    parts->Next();
    EXPECT_NE(parts->FieldByName("PartNo")->AsInteger(), 998);
    parts->Prior();
    parts->Delete();
    EXPECT_EQ(parts->RecordCount(), count + 1);

    ASSERT_TRUE(parts->Locate("PartNo", {partNo}));
    parts->Delete();
    EXPECT_EQ(parts->RecordCount(), count);
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT \"PartNo\" FROM %T WHERE \"PartNo\" = %1").arg(partNo)).isValid());
    // Moving away posts pending changes.
    parts->First();
    parts->Edit();
    parts->FieldByName("OnOrder")->SetAsInteger(5);
    parts->Next();
    EXPECT_EQ(parts->State(), dsBrowse);
    parts->Refresh();
    EXPECT_EQ(parts->RecordCount(), count);
}

TEST_P(Editing, ReadOnlyTablesAndQueriesRefuseChanges) {
    TTable *parts = Table("parts");
    parts->SetReadOnly(true);
    parts->Open();
    EXPECT_FALSE(parts->CanModify());
    EXPECT_THROW(parts->Edit(), EDatabaseError);
    EXPECT_THROW(parts->FieldByName("OnHand")->SetAsInteger(1), EDatabaseError);  // not editing
    TQuery q;
    q.SetDatabaseName(FDatabase);
    q.SQL()->SetText("SELECT * FROM \"" + TableName("parts") + "\"");
    q.Open();
    EXPECT_THROW(q.Edit(), EDatabaseError);
    EXPECT_THROW(q.Delete(), EDatabaseError);
}

TEST_P(Editing, BlobsLoadFromAndSaveToStreams) {
    TTable *emp = Table("employee");
    emp->Open();
    emp->Last();
    TField *photo = emp->FieldByName("Photo");
    EXPECT_TRUE(photo->IsNull());
    QByteArray bytes(5000, '\0');
    for (int i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7);
    TMemoryStream in(bytes);
    emp->Edit();
    photo->LoadFromStream(in);
    emp->Post();
    emp->Close();
    emp->Open();
    emp->Last();
    TMemoryStream out;
    emp->FieldByName("Photo")->SaveToStream(out);
    EXPECT_EQ(out.Data(), bytes);
    // The pictures of the demo data survive the trip too.
    emp->First();
    TMemoryStream picture;
    emp->FieldByName("Photo")->SaveToStream(picture);
    EXPECT_TRUE(picture.Data().startsWith("BM"));
}

INSTANTIATE_TEST_SUITE_P(Databases, Editing, testing::ValuesIn(kBackends),
                         [](const testing::TestParamInfo<TBackend> &info) { return std::string(info.param.Label); });
