// The shared dataset operations: persistent fields with display labels, field lists between
// names and labels, and alias directories.
#include "data/dataset_fields.h"

#include "data_fixture.h"
#include "dblib/db_error.h"
#include "dblib/field.h"

namespace {

TEST(DatasetFields, CreateFieldsMakesEveryFieldPersistentWithLabels) {
    TReportForm f;
    auto *t = new TTable(&f.form);
    t->SetName(QStringLiteral("Cust"));
    t->SetDatabaseName(QStringLiteral("DEMODB"));
    t->SetTableName(QStringLiteral("customer.db"));
    t->Open();
    ASSERT_TRUE(t->Field(0)->IsDynamic());
    TStringList labels;
    labels.SetText(QStringLiteral("Company=Firm\nCity=\nCUSTNO=Number"));
    CreateFields(t, &labels);
    EXPECT_TRUE(t->Active());
    ASSERT_EQ(t->FieldCount(), 10);
    for (const TField *field : t->Fields())
        EXPECT_FALSE(field->IsDynamic()) << field->FieldName().toStdString();
    EXPECT_EQ(t->FieldByName(QStringLiteral("Company"))->DisplayLabel(), QStringLiteral("Firm"));
    EXPECT_EQ(t->FieldByName(QStringLiteral("City"))->DisplayLabel(),
              QStringLiteral("City"));  // empty label ignored
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("CustCompany")), t->FieldByName(QStringLiteral("Company")));

    // A second run keeps the field objects and their settings.
    TField *company = t->FieldByName(QStringLiteral("Company"));
    company->SetVisible(false);
    CreateFields(t, nullptr);
    EXPECT_EQ(t->FieldByName(QStringLiteral("Company")), company);
    EXPECT_FALSE(company->Visible());
    EXPECT_EQ(t->FieldCount(), 10);
}

TEST(DatasetFields, ConvertsListsBetweenNamesAndLabels) {
    TReportForm f;
    TTable *t = f.AddTable(QStringLiteral("Cust"), QStringLiteral("customer.db"));
    CreateFields(t, nullptr);
    t->FieldByName(QStringLiteral("Country"))->SetDisplayLabel(QStringLiteral("Land"));
    EXPECT_EQ(ConvertToDisplayLabels(t, QStringLiteral("Country;City")), QStringLiteral("Land;City"));
    EXPECT_EQ(ConvertToDisplayLabels(t, QStringLiteral("Country;")), QStringLiteral("Land"));
    EXPECT_EQ(ConvertToFieldNames(t, QStringLiteral("Land;City")), QStringLiteral("Country;City"));
    EXPECT_EQ(ConvertToFieldNames(t, QString()), QString());
    EXPECT_EQ(ConvertToDisplayLabels(t, QString()), QString());
    EXPECT_THROW(ConvertToDisplayLabels(t, QStringLiteral("NoSuchField")), EDatabaseError);
}

TEST(DatasetFields, AliasPathKeepsCaseAndRefusesServerAliases) {
    const QString tables = DemoTables();
    EXPECT_EQ(GetAliasPath(QStringLiteral("demodb")), tables);
    EXPECT_EQ(GetAliasPath(QStringLiteral("NOT_AN_ALIAS")), QString());
    Session().AddAlias(QStringLiteral("Mixed"), QStringLiteral("/tmp/Some/Dir"));
    EXPECT_EQ(GetAliasPath(QStringLiteral("MIXED")), QStringLiteral("/tmp/Some/Dir"));
    Session().AddAlias(QStringLiteral("PGTEST"), QStringLiteral("postgres:host=localhost;dbname=x"));
    try {
        GetAliasPath(QStringLiteral("PGTEST"));
        ADD_FAILURE() << "a server alias has no directory";
    } catch (const EDatabaseError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Alias path from PGTEST invalid"));
    }
    Session().DeleteAlias(QStringLiteral("PGTEST"));
    Session().DeleteAlias(QStringLiteral("Mixed"));
}

}  // namespace
