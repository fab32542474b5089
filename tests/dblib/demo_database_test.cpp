// The demo database is the same on every run, so tests and demo reports can rely on its rows.
#include "demo_database.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "test_env.h"
#include "test_paths.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(DemoDatabase, GeneratedTheSameOnEveryRun) {
    TestDir a, b;
    DemoDatabase::WriteDirectory(a.Path());
    DemoDatabase::WriteDirectory(b.Path());
    for (const QString &t : DemoDatabase::TableNames()) {
        const QByteArray bytes = ReadWholeFile(QDir(a.Path()).filePath(t + ".db"));
        EXPECT_FALSE(bytes.isEmpty()) << qPrintable(t);
        EXPECT_EQ(bytes, ReadWholeFile(QDir(b.Path()).filePath(t + ".db"))) << qPrintable(t);
    }
}

TEST(DemoDatabase, KnownRowsAndConsistentTotals) {
    TestEnv::DemoTables();
    TTable cust;
    cust.SetDatabaseName("DEMODB");
    cust.SetTableName("customer.db");
    cust.Open();
    EXPECT_EQ(cust.RecordCount(), DemoDatabase::kCustomers);
    EXPECT_EQ(cust.FieldByName("Company")->AsString(), "Blue Divers");
    EXPECT_EQ(cust.FieldByName("Country")->AsString(), "Australia");
    // Order totals are the sums of their items at list price less discount.
    TQuery q;
    q.SetDatabaseName(TestEnv::DemoFile());
    q.SQL()->SetText(
        "SELECT o.\"OrderNo\", o.\"ItemsTotal\", SUM(ROUND(i.\"Qty\" * p.\"ListPrice\" * (100 - i.\"Discount\")) / 100.0) AS S "
        "FROM orders o JOIN items i ON i.\"OrderNo\" = o.\"OrderNo\" JOIN parts p ON p.\"PartNo\" = i.\"PartNo\" "
        "GROUP BY o.\"OrderNo\", o.\"ItemsTotal\"");
    q.Open();
    EXPECT_EQ(q.RecordCount(), DemoDatabase::kOrders);
    for (; !q.Eof(); q.Next()) EXPECT_NEAR(q.FieldByName("ItemsTotal")->AsFloat(), q.FieldByName("S")->AsFloat(), 0.005);
    TQuery spain;
    spain.SetDatabaseName("DEMODB");
    spain.SQL()->SetText("SELECT COUNT(*) AS N FROM \"customer.db\" WHERE \"Country\" = 'Spain'");
    spain.Open();
    EXPECT_EQ(spain.FieldByName("N")->AsInteger(), 4);
    TQuery photos;
    photos.SetDatabaseName("DEMODB");
    photos.SQL()->SetText("SELECT COUNT(*) AS N FROM employee WHERE \"Photo\" IS NOT NULL");
    photos.Open();
    EXPECT_EQ(photos.FieldByName("N")->AsInteger(), 4);
}
