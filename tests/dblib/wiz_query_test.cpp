// The wizard query model: condition texts, the SQL it writes, and condition records.
#include "dblib/db_error.h"
#include "dblib/session.h"
#include "dblib/wiz_query.h"
#include "host/stream.h"
#include "test_env.h"
#include "test_paths.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QString Statement(TWizQueryFilterOperator op, const QString &value, int type, bool caseSensitive = true,
                  const QString &alias = QStringLiteral("Q1"), const QString &field = QStringLiteral("Name")) {
    TWizQueryFilter f(false, field, op, value, type, caseSensitive);
    return f.GetQueryStatement(alias);
}

QString Nul() { return QString(QChar(0)); }

}  // namespace

TEST(WizQueryFilter, ConditionTextsForEveryOperator) {
    EXPECT_EQ(Statement(qfoEqual, "Smith", 1, true, ""), "(\"Name\" = \"Smith\")");
    EXPECT_EQ(Statement(qfoEqual, "Smith", 1), "(Q1.\"Name\" = \"Smith\")");
    EXPECT_EQ(Statement(qfoGreater, "1000", 3, true, "Q1", "CustNo"), "(Q1.\"CustNo\" > 1000)");
    EXPECT_EQ(Statement(qfoLess, "5", 6, true, "Q1", "Qty"), "(Q1.\"Qty\" < 5)");
    EXPECT_EQ(Statement(qfoLessOrEqual, "5", 2, true, "Q1", "Qty"), "(Q1.\"Qty\" <= 5)");
    EXPECT_EQ(Statement(qfoGreaterOrEqual, "5", 14, true, "Q1", "Qty"), "(Q1.\"Qty\" >= 5)");
    EXPECT_EQ(Statement(qfoNotEqual, "X", 1), "(Q1.\"Name\" <> \"X\")");
    EXPECT_EQ(Statement(qfoBlank, "ignored", 1), "(Q1.\"Name\" IS NULL)");
    EXPECT_EQ(Statement(qfoNotBlank, "ignored", 3), "(Q1.\"Name\" IS NOT NULL)");
    // Dates are quoted as typed.
    EXPECT_EQ(Statement(qfoEqual, "03.11.2004", 9, true, "Q1", "Date"), "(Q1.\"Date\" = \"03.11.2004\")");
    // LIKE quotes and adds the wildcard whatever the type.
    EXPECT_EQ(Statement(qfoLike, "12", 3, true, "Q1", "No"), "(Q1.\"No\" LIKE \"12%\")");
    EXPECT_EQ(Statement(qfoBetween, "1" + Nul() + "5", 3, true, "Q1", "Qty"), "(Q1.\"Qty\" BETWEEN 1 AND 5)");
    EXPECT_EQ(Statement(qfoBetween, "A" + Nul() + "M", 1), "(Q1.\"Name\" BETWEEN \"A\" AND \"M\")");
    // Without the separator the lower bound is empty and the whole value is the upper bound.
    EXPECT_EQ(Statement(qfoBetween, "ABC", 1), "(Q1.\"Name\" BETWEEN \"\" AND \"ABC\")");
    EXPECT_EQ(Statement(qfoIn, "Paris" + Nul() + "Rome", 1, true, "Q1", "City"), "(Q1.\"City\" IN (\"Paris\",\"Rome\"))");
    EXPECT_EQ(Statement(qfoIn, "Paris", 1, true, "Q1", "City"), "(Q1.\"City\" IN (\"Paris\"))");
    EXPECT_EQ(Statement(qfoIn, "1" + Nul() + "2" + Nul() + "3", 3, true, "Q1", "No"), "(Q1.\"No\" IN (1,2,3))");
}

TEST(WizQueryFilter, NumericTypes) {
    for (int t : {2, 3, 4, 6, 7, 8, 14}) EXPECT_TRUE(TWizQueryFilter(false, "F", qfoEqual, "1", t, true).IsNumeric()) << t;
    for (int t : {0, 1, 5, 9, 10, 11, 12, 15}) EXPECT_FALSE(TWizQueryFilter(false, "F", qfoEqual, "1", t, true).IsNumeric()) << t;
}

TEST(WizQueryFilter, CaseInsensitiveConditionUpperCasesItsValueForGood) {
    TWizQueryFilter f(false, "Name", qfoEqual, QString::fromUtf8("Smith\xc3\xa9"), 1, false);
    EXPECT_EQ(f.GetQueryStatement(""), QString::fromUtf8("(UPPER(\"Name\") = \"SMITH\xc3\xa9\")"));  // a to z only
    EXPECT_EQ(f.Value, QString::fromUtf8("SMITH\xc3\xa9"));
    EXPECT_EQ(TWizQueryFilter(false, "Name", qfoLike, "smi", 1, false).GetQueryStatement("Q1"), "(UPPER(Q1.\"Name\") LIKE \"SMI%\")");
    TMemoryStream s;
    f.SaveToStream(s);
    s.SetPosition(0);
    std::unique_ptr<TWizQueryFilter> back(TWizQueryFilter::CreateFromStream(s));
    EXPECT_EQ(back->Value, QString::fromUtf8("SMITH\xc3\xa9"));
}

TEST(WizQueryFilter, TextIsCutAt255Characters) {
    const QString value(250, QLatin1Char('v'));
    const QString text = Statement(qfoEqual, value, 1);
    EXPECT_EQ(text.size(), 255);
    EXPECT_TRUE(text.startsWith("(Q1.\"Name\" = \"vvv"));
}

TEST(WizQueryFilter, RecordLayoutAndRoundTrip) {
    TWizQueryFilter f(true, "Country", qfoIn, "Spain" + Nul() + "Chile", 1, true);
    TMemoryStream s;
    f.SaveToStream(s);
    const QByteArray expected = QByteArray("\x65\x07" "Country" "\x07\x01\x0b" "Spain", 17) + QByteArray(1, '\0') +
                                QByteArray("Chile\x01\x01", 7);
    EXPECT_EQ(s.Data(), expected);
    s.SetPosition(0);
    std::unique_ptr<TWizQueryFilter> back(TWizQueryFilter::CreateFromStream(s));
    EXPECT_EQ(back->FieldName, "Country");
    EXPECT_EQ(back->Operator, qfoIn);
    EXPECT_TRUE(back->OrOperator);
    EXPECT_EQ(back->Value, "Spain" + Nul() + "Chile");
    EXPECT_EQ(back->FieldType, 1);
    EXPECT_TRUE(back->CaseSensitive);
}

TEST(WizQueryFilter, OldLayoutReadsTheNumericFlag) {
    for (auto [flag, type] : {std::pair{1, 3}, std::pair{0, 1}, std::pair{7, 3}}) {
        TMemoryStream s(QByteArray("\x64\x03" "Qty\x01\x00\x02" "10", 10) + QByteArray(1, char(flag)) + QByteArray(1, '\x01'));
        std::unique_ptr<TWizQueryFilter> f(TWizQueryFilter::CreateFromStream(s));
        EXPECT_EQ(f->FieldType, type);
        EXPECT_EQ(f->Operator, qfoGreater);
        TMemoryStream out;
        f->SaveToStream(out);
        EXPECT_EQ(quint8(out.Data()[0]), 101);
        EXPECT_EQ(quint8(out.Data()[out.Size() - 2]), type);
    }
}

TEST(WizQueryFilter, DamagedRecordsRaise) {
    TMemoryStream shortStream(QByteArray("\x65\x05" "Cou", 5));
    EXPECT_THROW(TWizQueryFilter::CreateFromStream(shortStream), EReadError);
    TMemoryStream badOperator(QByteArray("\x65\x01" "A\x2a\x00\x00\x01\x01", 8));
    EXPECT_THROW(TWizQueryFilter::CreateFromStream(badOperator), EDatabaseError);
}

TEST(WizQuery, EmptyDefinitionGivesOneLine) {
    TWizQuery q;
    q.SetTableName("t.db");
    q.CreateSQL();
    EXPECT_EQ(q.SQL()->ToStringList(), QStringList{"SELECT * FROM \"t.db\" Q1"});
}

TEST(WizQuery, ConditionsAndSortFieldsMakeTheDocumentedExample) {
    TWizQuery q;
    q.SetTableName("customer.db");
    q.AddFilter(new TWizQueryFilter(true, "Country", qfoEqual, "Spain", 1, true));  // first OR flag ignored
    q.AddFilter(new TWizQueryFilter(true, "CustNo", qfoGreater, "1000", 3, true));
    q.SortFields()->Add("Company");
    q.SortFields()->Add("-CustNo");
    q.CreateSQL();
    EXPECT_EQ(q.SQL()->ToStringList(), (QStringList{"SELECT * FROM \"customer.db\" Q1", "WHERE (Q1.\"Country\" = \"Spain\")",
                                                    "   OR (Q1.\"CustNo\" > 1000)", "ORDER BY Q1.\"Company\", Q1.\"CustNo\" DESC"}));
    q.Filters()[1]->OrOperator = false;
    q.CreateSQL();
    EXPECT_EQ(q.SQL()->Get(2), "  AND (Q1.\"CustNo\" > 1000)");
}

TEST(WizQuery, LongSortListsBreakAfterACommaAtSeventyCharacters) {
    TWizQuery q;
    q.SetTableName("t.db");
    for (const char *f : {"CompanyName", "ContactPerson", "AddressLine1", "AddressLine2", "City"}) q.SortFields()->Add(f);
    q.CreateSQL();
    const QStringList lines = q.SQL()->ToStringList();
    ASSERT_EQ(lines.size(), 3);
    // 66 characters after the third entry: no break yet; 85 after the fourth.
    EXPECT_EQ(lines[1], "ORDER BY Q1.\"CompanyName\", Q1.\"ContactPerson\", Q1.\"AddressLine1\", Q1.\"AddressLine2\", ");
    EXPECT_EQ(lines[2], "         Q1.\"City\"");
}

TEST(WizQuery, ClearKeepsTableAndDatabase) {
    TWizQuery q;
    q.SetTableName("orders.db");
    q.SetDatabaseName("DEMODB");
    q.SortFields()->Add("OrderNo");
    q.AddFilter(new TWizQueryFilter(false, "OrderNo", qfoLess, "1010", 3, true));
    q.CreateSQL();
    q.Clear();
    EXPECT_EQ(q.SortFields()->Count(), 0);
    EXPECT_TRUE(q.Filters().isEmpty());
    EXPECT_EQ(q.TableName(), "orders.db");
    EXPECT_EQ(q.DatabaseName(), "DEMODB");
    EXPECT_EQ(q.SQL()->Count(), 3);
}

TEST(WizQuery, GeneratedSqlRunsOnTableFilesAndDatabaseFiles) {
    TestEnv::DemoTables();
    for (const QString &db : {QStringLiteral("DEMODB"), TestEnv::DemoFile()}) {
        TWizQuery q;
        q.SetDatabaseName(db);
        q.SetTableName("customer.db");
        q.AddFilter(new TWizQueryFilter(false, "Country", qfoEqual, "spain", 1, false));
        q.AddFilter(new TWizQueryFilter(false, "CustNo", qfoBetween, "1000" + Nul() + "1100", 3, true));
        q.SortFields()->Add("-CustNo");
        q.CreateSQL();
        q.Open();
        ASSERT_GT(q.RecordCount(), 0) << qPrintable(db);
        int previous = 1 << 30;
        for (q.First(); !q.Eof(); q.Next()) {
            EXPECT_EQ(q.FieldByName("Country")->AsString(), "Spain");
            EXPECT_LT(q.FieldByName("CustNo")->AsInteger(), previous);
            previous = int(q.FieldByName("CustNo")->AsInteger());
        }
    }
}

TEST(WizQuery, RunsOnPostgresInTheServersDialect) {
    QString reason;
    if (!TestEnv::Postgres(&reason)) GTEST_SKIP() << qPrintable(reason);
    TWizQuery q;
    q.SetDatabaseName("PGDEMO");
    q.SetTableName("customer.db");
    q.AddFilter(new TWizQueryFilter(false, "Country", qfoIn, "spain" + Nul() + "o'land", 1, false));
    q.AddFilter(new TWizQueryFilter(false, "CustNo", qfoGreater, "1000", 3, true));
    q.SortFields()->Add("-CustNo");
    q.CreateSQL();
    q.Open();
    ASSERT_GT(q.RecordCount(), 0);
    for (; !q.Eof(); q.Next()) EXPECT_EQ(q.FieldByName("Country")->AsString(), "Spain");
    // A value that is no number is passed as a value, and the server refuses it.
    q.Close();
    q.Filters()[1]->Value = "1000) OR (1=1";
    q.CreateSQL();
    EXPECT_THROW(q.Open(), EDatabaseError);
}

namespace {

// Names whose values look like SQL: a column name, quotes, LIKE wildcards, a backslash.
const QStringList kTrickyNames{"City", "Paris", "O\"Brien", "O'Brien", "100%", "1000", "a_b", "axb", "C:\\temp", "C:temp"};

void FillTrickyNames(QSqlQuery &q) {
    q.exec("CREATE TABLE names (\"Name\" VARCHAR(20), \"City\" VARCHAR(20))");
    q.prepare("INSERT INTO names VALUES (?, 'Paris')");
    for (const QString &n : kTrickyNames) {
        q.addBindValue(n);
        q.exec();
    }
}

// The names a wizard query with one condition on Name returns, in name order.
QStringList Matching(const QString &database, TWizQueryFilterOperator op, const QString &value, bool caseSensitive = true) {
    TWizQuery q;
    q.SetDatabaseName(database);
    q.SetTableName("names.db");
    q.AddFilter(new TWizQueryFilter(false, "Name", op, value, 1, caseSensitive));
    q.SortFields()->Add("Name");
    q.CreateSQL();
    q.Open();
    QStringList names;
    for (; !q.Eof(); q.Next()) names << q.FieldByName("Name")->AsString();
    return names;
}

void ExpectValuesMatchAsValues(const QString &database) {
    SCOPED_TRACE(qPrintable(database));
    // A value equal to a column name is a value, not the column.
    EXPECT_EQ(Matching(database, qfoEqual, "City"), QStringList{"City"});
    EXPECT_EQ(Matching(database, qfoEqual, "city", false), QStringList{"City"});
    EXPECT_EQ(Matching(database, qfoNotEqual, "City").size(), kTrickyNames.size() - 1);
    // Quotes are part of the value.
    EXPECT_EQ(Matching(database, qfoEqual, "O\"Brien"), QStringList{"O\"Brien"});
    EXPECT_EQ(Matching(database, qfoEqual, "O'Brien"), QStringList{"O'Brien"});
    EXPECT_EQ(Matching(database, qfoIn, QStringLiteral("O\"Brien") + Nul() + "City"), (QStringList{"City", "O\"Brien"}));
    // Wildcards and backslashes are plain characters outside LIKE ...
    EXPECT_EQ(Matching(database, qfoEqual, "100%"), QStringList{"100%"});
    EXPECT_EQ(Matching(database, qfoEqual, "a_b"), QStringList{"a_b"});
    EXPECT_EQ(Matching(database, qfoEqual, "C:\\temp"), QStringList{"C:\\temp"});
    EXPECT_EQ(Matching(database, qfoBetween, QStringLiteral("O\"") + Nul() + "O'C"), (QStringList{"O\"Brien", "O'Brien"}));
    // ... and LIKE keeps its wildcards while a backslash stays a backslash on every engine.
    EXPECT_EQ(Matching(database, qfoLike, "a_"), (QStringList{"a_b", "axb"}));
    EXPECT_EQ(Matching(database, qfoLike, "C:\\t"), QStringList{"C:\\temp"});
    EXPECT_EQ(Matching(database, qfoLike, "O\"B"), QStringList{"O\"Brien"});
}

}  // namespace

TEST(WizQuery, ValuesAreValuesOnSQLite) {
    TestDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tricky_names");
        db.setDatabaseName(dir.Path("names.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        FillTrickyNames(q);
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase("tricky_names");
    const QByteArray before = ReadWholeFile(dir.Path("names.db"));
    // The file as a directory's table file and as a database file.
    ExpectValuesMatchAsValues(dir.Path());
    ExpectValuesMatchAsValues(dir.Path("names.db"));
    // The stored text keeps its double-quoted values.
    TWizQuery q;
    q.SetTableName("names.db");
    q.AddFilter(new TWizQueryFilter(false, "Name", qfoEqual, "City", 1, true));
    q.CreateSQL();
    EXPECT_EQ(q.SQL()->Get(1), "WHERE (Q1.\"Name\" = \"City\")");
    Session().CloseDatabase(dir.Path());
    Session().CloseDatabase(dir.Path("names.db"));
    EXPECT_EQ(ReadWholeFile(dir.Path("names.db")), before);
}

TEST(WizQuery, ValuesAreValuesOnPostgres) {
    QString reason;
    if (!TestEnv::Postgres(&reason)) GTEST_SKIP() << qPrintable(reason);
    {
        TQuery setup;
        setup.SetDatabaseName("PGDEMO");
        setup.SQL()->SetText("DROP TABLE IF EXISTS names");
        setup.ExecSQL();
        QSqlQuery q(Session().OpenDatabase("PGDEMO")->Connection());
        FillTrickyNames(q);
    }
    ExpectValuesMatchAsValues("PGDEMO");
}
