// Aliases, database names and what a failed open leaves on disk.
#include "dblib/db_error.h"
#include "dblib/field.h"
#include "dblib/session.h"
#include "dblib/table.h"
#include "dblib/query.h"
#include "test_env.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Expects fn to raise EDatabaseError whose message contains every given text.
template <class Fn>
void ExpectDbError(Fn fn, const QStringList &texts) {
    try {
        fn();
        ADD_FAILURE() << "no EDatabaseError";
    } catch (const EDatabaseError &e) {
        for (const QString &t : texts) EXPECT_TRUE(e.Message().contains(t)) << qPrintable(e.Message()) << " lacks " << qPrintable(t);
    }
}

}  // namespace

TEST(Session, AliasesCompareWithoutCaseAndGiveTheirPath) {
    const QString tables = TestEnv::DemoTables();
    Session().AddAlias("MyData", tables);
    EXPECT_TRUE(Session().IsAlias("MYDATA"));
    EXPECT_TRUE(Session().IsAlias("mydata"));
    EXPECT_TRUE(Session().AliasNames().contains("MyData"));
    EXPECT_TRUE(Session().AliasParams("mydata").contains("PATH=" + tables));
    TTable t;
    t.SetDatabaseName("mYdAtA");
    t.SetTableName("country.db");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 20);
    // One connection per database, whichever name reaches it.
    EXPECT_EQ(Session().FindDatabase("MYDATA"), Session().FindDatabase(tables));
    EXPECT_NE(Session().FindDatabase("MYDATA"), nullptr);
    Session().DeleteAlias("MyData");
    EXPECT_FALSE(Session().IsAlias("MyData"));
    ExpectDbError([] { Session().AliasParams("MyData"); }, {"MyData"});

    // Definitions as command lines give them.
    EXPECT_TRUE(Session().AddAliasDefinition("Cli=" + tables));
    EXPECT_TRUE(Session().AliasParams("CLI").contains("PATH=" + tables));
    for (const QString &bad : QStringList{"NoValue=", "=" + tables, "justaname", " =x"})
        EXPECT_FALSE(Session().AddAliasDefinition(bad)) << bad.toStdString();
    EXPECT_FALSE(Session().IsAlias("NoValue"));
    Session().DeleteAlias("Cli");
}

TEST(Session, UnknownAliasesAndPathsAreNamed) {
    TTable t;
    t.SetDatabaseName("NOSUCHALIAS");
    t.SetTableName("x.db");
    ExpectDbError([&] { t.Open(); }, {"NOSUCHALIAS"});
    EXPECT_FALSE(t.Active());
    TQuery q;
    q.SetDatabaseName("/no/such/dir");
    q.SQL()->Add("SELECT 1");
    ExpectDbError([&] { q.Open(); }, {"/no/such/dir"});
}

TEST(Session, AliasesFromTheEnvironmentIncludingServerDefinitions) {
    const QString tables = TestEnv::DemoTables();
    qputenv("VENDAMO_ALIASES", QStringLiteral("ENVDEMO=%1;ENVPG=postgres:host=db.example;port=5433;dbname=shop;user=rep;LAST=%2")
                                   .arg(tables, TestEnv::DemoFile())
                                   .toUtf8());
    Session().ReloadConfiguration();
    qunsetenv("VENDAMO_ALIASES");
    EXPECT_TRUE(Session().IsAlias("envdemo"));
    EXPECT_TRUE(Session().IsAlias("ENVPG"));
    EXPECT_TRUE(Session().IsAlias("LAST"));
    const QStringList pg = Session().AliasParams("ENVPG");
    EXPECT_TRUE(pg.contains("HOST=db.example"));
    EXPECT_TRUE(pg.contains("PORT=5433"));
    EXPECT_TRUE(pg.contains("DBNAME=shop"));
    EXPECT_TRUE(pg.contains("PATH="));  // a server database has no directory
    EXPECT_TRUE(Session().AliasParams("LAST").contains("PATH=" + TestEnv::DemoRoot()));
    Session().ReloadConfiguration();
    EXPECT_FALSE(Session().IsAlias("ENVDEMO"));
}

TEST(Session, AliasesFromTheSettingsFileBesideTheProgram) {
    const QString ini = QDir(QCoreApplication::applicationDirPath()).filePath("VENDAMO.INI");
    ASSERT_FALSE(QFile::exists(ini)) << "a settings file is already there";
    ASSERT_TRUE(WriteWholeFile(ini, QStringLiteral("[Options]\nLanguage=x\n[Aliases]\nIniDemo=%1\n")
                                        .arg(QString(TestEnv::DemoTables()).replace('/', '\\'))
                                        .toUtf8()));
    Session().ReloadConfiguration();
    QFile::remove(ini);
    EXPECT_TRUE(Session().IsAlias("INIDEMO"));
    // Back slashes in stored paths are separators.
    TTable t;
    t.SetDatabaseName("IniDemo");
    t.SetTableName("country.db");
    EXPECT_NO_THROW(t.Open());
    t.Close();
    Session().ReloadConfiguration();
    EXPECT_FALSE(Session().IsAlias("INIDEMO"));
}

TEST(Session, TableNamesOfDirectoriesAndDatabaseFiles) {
    const QString tables = TestEnv::DemoTables();
    EXPECT_EQ(Session().TableNames("DEMODB"),
              (QStringList{"country.db", "customer.db", "employee.db", "items.db", "orders.db", "parts.db"}));
    EXPECT_EQ(Session().TableNames(tables, "c*", false), (QStringList{"country", "customer"}));
    EXPECT_EQ(Session().TableNames(tables, "*.DB", true).size(), 6);
    // The database file's own bookkeeping tables count as system tables.
    const QStringList fileTables = Session().TableNames(TestEnv::DemoFile());
    EXPECT_EQ(fileTables, (QStringList{"country", "customer", "employee", "items", "orders", "parts"}));
    EXPECT_TRUE(Session().TableNames(TestEnv::DemoFile(), QString(), true, true).contains("sqlite_sequence"));
    // Anything else in the directory is not a table.
    TestDir dir;
    WriteWholeFile(dir.Path("notes.txt"), "x");
    QFile::copy(QDir(tables).filePath("parts.db"), dir.Path("PARTS.DB"));
    EXPECT_EQ(Session().TableNames(dir.Path()), QStringList{"PARTS.DB"});
}

TEST(Session, FailedOpensChangeNothingOnDisk) {
    TestDir dir;
    // A database file that is not there is not created.
    const QString missing = dir.Path("missing.sqlite");
    TTable t;
    t.SetDatabaseName(missing);
    t.SetTableName("customer");
    ExpectDbError([&] { t.Open(); }, {"missing.sqlite"});
    EXPECT_FALSE(QFile::exists(missing));
    // A missing table file in a directory is named and not created.
    t.SetDatabaseName(dir.Path());
    t.SetTableName("orders.db");
    ExpectDbError([&] { t.Open(); }, {"orders.db"});
    EXPECT_FALSE(QFile::exists(dir.Path("orders.db")));
    // A file that is not a database stays as it was.
    const QByteArray junk("this is not a database file at all, just text\n");
    WriteWholeFile(dir.Path("junk.db"), junk);
    t.SetTableName("junk.db");
    ExpectDbError([&] { t.Open(); }, {"junk.db"});
    EXPECT_EQ(ReadWholeFile(dir.Path("junk.db")), junk);
    WriteWholeFile(dir.Path("junk.sqlite"), junk);
    t.SetDatabaseName(dir.Path("junk.sqlite"));
    t.SetTableName("x");
    EXPECT_THROW(t.Open(), EDatabaseError);
    EXPECT_EQ(ReadWholeFile(dir.Path("junk.sqlite")), junk);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), (QStringList{"junk.db", "junk.sqlite"}));
}

TEST(Session, DatabaseNamesMayBeDirectoriesFilesOrTablePaths) {
    const QString tables = TestEnv::DemoTables();
    TTable byDirectory;
    byDirectory.SetDatabaseName(QString(tables).replace('/', '\\'));
    byDirectory.SetTableName("CUSTOMER.DB");  // file names compare without regard to case
    byDirectory.Open();
    EXPECT_EQ(byDirectory.RecordCount(), 60);
    TTable byPath;
    byPath.SetTableName(QDir(tables).filePath("parts.db"));
    byPath.Open();
    EXPECT_EQ(byPath.RecordCount(), 40);
    TTable byFile;
    byFile.SetDatabaseName(TestEnv::DemoFile());
    byFile.SetTableName("Customer");
    byFile.Open();
    EXPECT_EQ(byFile.RecordCount(), 60);
}

TEST(Session, ManyTableFilesInOneDirectory) {
    // More table files than SQLite attaches at once: older ones are released on demand.
    TestDir dir;
    for (int i = 0; i < 14; ++i) QFile::copy(QDir(TestEnv::DemoTables()).filePath("country.db"), dir.Path(QStringLiteral("c%1.db").arg(i)));
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 14; ++i) {
            TQuery q;
            q.SetDatabaseName(dir.Path());
            q.SQL()->Add(QStringLiteral("SELECT COUNT(*) AS N FROM \"c%1.db\"").arg(i));
            q.Open();
            EXPECT_EQ(q.FieldByName("N")->AsInteger(), 20);
        }
    TQuery join;
    join.SetDatabaseName(dir.Path());
    join.SQL()->Add("SELECT COUNT(*) AS N FROM c1 a JOIN c2 b ON a.\"Name\" = b.\"Name\" JOIN \"c3.db\" c ON c.\"Name\" = a.\"Name\"");
    join.Open();
    EXPECT_EQ(join.FieldByName("N")->AsInteger(), 20);
}

TEST(Session, DatabasesInUseStayOpen) {
    TestDir dir;
    QFile::copy(QDir(TestEnv::DemoTables()).filePath("country.db"), dir.Path("country.db"));
    TTable t;
    t.SetDatabaseName(dir.Path());
    t.SetTableName("country.db");
    t.Open();
    EXPECT_THROW(Session().CloseDatabase(dir.Path()), EDatabaseError);
    Session().DropConnections();  // leaves it alone
    EXPECT_NE(Session().FindDatabase(dir.Path()), nullptr);
    t.Next();
    EXPECT_EQ(t.RecNo(), 2);
    t.Close();
    Session().CloseDatabase(dir.Path());
    EXPECT_EQ(Session().FindDatabase(dir.Path()), nullptr);
    t.Open();  // reopens on demand
    EXPECT_EQ(t.RecordCount(), 20);
}
