// The datasets a report brings: loading or printing a report never changes data, and a load
// opens every dataset once.
#include "persist_fixture.h"

#include "demo_database.h"
#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "model/report_file_service.h"
#include "persist/field_definitions.h"
#include "persist/report_files.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TDataSource *AddDataSource(TComponent *owner, TDataSet *dataset) {
    auto *ds = new TDataSource(owner);
    ds->SetName(dataset->Name() + QStringLiteral("Datasource"));
    ds->SetDataSet(dataset);
    return ds;
}

TQuery *AddQuery(TComponent *owner, const QString &name, const QString &db, const QString &sql) {
    auto *q = new TQuery(owner);
    q->SetName(name);
    q->SetDatabaseName(db);
    q->SQL()->SetText(sql);
    AddDataSource(owner, q);
    return q;
}

TTable *AddTable(TComponent *owner, const QString &name, const QString &db, const QString &table) {
    auto *t = new TTable(owner);
    t->SetName(name);
    t->SetDatabaseName(db);
    t->SetTableName(table);
    AddDataSource(owner, t);
    return t;
}

// Parts with stock: both deleting and zeroing the stock change it.
int PartsCount(const QString &db) {
    TQuery q;
    q.SetDatabaseName(db);
    q.SQL()->SetText(QStringLiteral("SELECT count(*) FROM parts WHERE \"OnHand\" <> 0"));
    q.Open();
    return int(q.Field(0)->AsInteger());
}

// Closes the form's datasets, so that their databases can be closed.
void CloseDatasets(const TReportForm &form) {
    for (TDataSet *ds : form.All<TDataSet>()) ds->Close();
}

}  // namespace

TEST(ReportSql, LoadingAReportNeverChangesData) {
    InstallReportFiles();
    TestDir dir;
    DemoDatabase::WriteDirectory(dir.Path("tables"));
    const QString db = dir.Path("tables");
    const int parts = PartsCount(db);
    ASSERT_GT(parts, DemoDatabase::kParts / 2);
    QByteArray bytes;
    {
        TReportForm source;
        AddQuery(source.Form.get(), "Purge", db, "DELETE FROM parts");
        AddQuery(source.Form.get(), "Zero", db, "UPDATE parts SET \"OnHand\" = 0");
        AddQuery(source.Form.get(), "Copy", db, "CREATE TABLE copied AS SELECT * FROM parts");
        AddQuery(source.Form.get(), "Attach", db, QStringLiteral("ATTACH '%1' AS extra").arg(dir.Path("new.db")));
        AddTable(source.Form.get(), "Parts", db, "parts.db");
        bytes = source.Save();
    }
    const QString file = dir.Path("purge.QR2");
    ASSERT_TRUE(WriteWholeFile(file, bytes));
    Session().CloseDatabase(db);
    const QByteArray tableFile = ReadWholeFile(dir.Path("tables/parts.db"));

    TScriptedInteraction ui;
    TReportForm target;
    ASSERT_TRUE(target.Designer->LoadReport(file));
    // Each statement that would write is refused, and the message names the dataset and why.
    ASSERT_EQ(ui.Errors().size(), 4) << qPrintable(ui.Errors().join('\n'));
    EXPECT_TRUE(ui.Errors()[0].startsWith("Error opening query Purge: Data cannot be changed here")) << qPrintable(ui.Errors()[0]);
    EXPECT_TRUE(ui.Errors()[1].startsWith("Error opening query Zero: ")) << qPrintable(ui.Errors()[1]);
    // The report's datasets run on read-only connections; the table still reads.
    for (TDataSet *ds : {static_cast<TDataSet *>(target.Find<TQuery>("Purge")), static_cast<TDataSet *>(target.Find<TTable>("Parts"))}) {
        ASSERT_NE(ds, nullptr);
        EXPECT_TRUE(ds->ReadOnlyConnection());
    }
    EXPECT_EQ(target.Find<TTable>("Parts")->RecordCount(), DemoDatabase::kParts);
    // Printing runs the statements again, on the same read-only connections.
    EXPECT_TRUE(target.Report->PrepareReportPrint());
    target.Report->DoneReportPrint();
    EXPECT_EQ(ui.Errors().size(), 8);

    EXPECT_EQ(PartsCount(db), parts);
    CloseDatasets(target);
    Session().CloseDatabase(db);
    EXPECT_EQ(ReadWholeFile(dir.Path("tables/parts.db")), tableFile);
    EXPECT_FALSE(QFile::exists(dir.Path("new.db")));
    EXPECT_FALSE(QFile::exists(dir.Path("tables/copied.db")));
}

TEST(ReportSql, PrintingUsesReadOnlyConnectionsForTheReportsOwnDatasets) {
    TestDir dir;
    DemoDatabase::WriteDirectory(dir.Path("tables"));
    const QString db = dir.Path("tables");
    const int stocked = PartsCount(db);
    TReportForm f;
    TQuery *purge = AddQuery(f.Form.get(), "Purge", db, "DELETE FROM parts");
    TTable *parts = AddTable(f.Form.get(), "Parts", db, "parts.db");
    // A dataset of the application's own data module keeps its read-write connection.
    TDataModule module;
    auto *edits = new TTable(&module);
    edits->SetDatabaseName(db);
    edits->SetTableName("parts.db");
    auto *editsSource = new TDataSource(f.Form.get());
    editsSource->SetName("EditsSource");
    editsSource->SetDataSet(edits);
    parts->Open();  // opened read-write before the run: reopened read-only
    ASSERT_TRUE(parts->CanModify());

    TScriptedInteraction ui;
    ASSERT_TRUE(f.Report->PrepareReportPrint());
    f.Report->DoneReportPrint();
    ASSERT_EQ(ui.Errors().size(), 1);
    EXPECT_TRUE(ui.Errors()[0].contains("Data cannot be changed here")) << qPrintable(ui.Errors()[0]);
    EXPECT_TRUE(purge->ReadOnlyConnection());
    EXPECT_TRUE(parts->ReadOnlyConnection());
    EXPECT_TRUE(parts->Active());
    EXPECT_FALSE(parts->CanModify());
    EXPECT_FALSE(edits->ReadOnlyConnection());
    EXPECT_EQ(PartsCount(db), stocked);
    CloseDatasets(f);
    Session().CloseDatabase(db);
}

TEST(ReportSql, LoadOpensEveryDatasetOnce) {
    InstallReportFiles();
    TestDir dir;
    DemoDatabase::WriteDirectory(dir.Path("tables"));
    const QString db = dir.Path("tables");
    QByteArray bytes;
    {
        TReportForm source;
        TTable *customers = AddTable(source.Form.get(), "Customers", db, "customer.db");
        TTable *orders = AddTable(source.Form.get(), "Orders", db, "orders.db");
        AddTable(source.Form.get(), "Parts", db, "parts.db");
        ASSERT_NE(CreateCalcField(source.Form.get(), customers, "Twice", 2, "0.00", "Twice", 0,
                                  &TFloatField::staticMetaObject),
                  nullptr);
        TField *lookup = CreateCalcField(source.Form.get(), orders, "Company", 0, QString(), "Company", 30,
                                         &TStringField::staticMetaObject);
        ASSERT_NE(lookup, nullptr);
        lookup->SetCalculated(false);
        lookup->SetLookup(true);
        lookup->SetLookupDataSet(customers);
        lookup->SetKeyFields("CustNo");
        lookup->SetLookupKeyFields("CustNo");
        lookup->SetLookupResultField("Company");
        bytes = source.Save();
    }
    TReportForm target;
    QMap<QString, int> opens;
    target.Designer->SetBeforeOpenDataset(TMethod::FromFunction(
        std::function<void(TDataSet *)>([&](TDataSet *ds) {
            QObject::connect(ds, &TDataSet::afterOpen, [&opens, ds] { ++opens[ds->Name()]; });
        }),
        &opens, nullptr));
    ASSERT_TRUE(target.Load(bytes));
    EXPECT_EQ(opens, (QMap<QString, int>{{"Customers", 1}, {"Orders", 1}, {"Parts", 1}}));
    TTable *orders = target.Find<TTable>("Orders");
    ASSERT_NE(orders, nullptr);
    ASSERT_TRUE(orders->Active());
    ASSERT_NE(orders->FindField("Company"), nullptr);
    EXPECT_TRUE(orders->FindField("Company")->Lookup());
    EXPECT_FALSE(orders->FindField("Company")->AsString().isEmpty());
    EXPECT_NE(orders->FindField("OrderNo"), nullptr);
    EXPECT_NE(target.Find<TTable>("Customers")->FindField("Twice"), nullptr);
    CloseDatasets(target);
    Session().CloseDatabase(db);
}
