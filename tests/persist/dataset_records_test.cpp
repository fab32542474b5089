// Datasets and fields in report files: numbering, naming, paths, the five record kinds, and how
// a load links and opens them.
#include "persist_fixture.h"

#include "demo_database.h"
#include "dblib/data_source.h"
#include "dblib/field_classes.h"
#include "dblib/table.h"
#include "dblib/session.h"
#include "dblib/wiz_query.h"
#include "host/property_access.h"
#include "persist/dataset_opening.h"
#include "persist/dataset_records.h"
#include "persist/datasource_numbers.h"
#include "persist/field_definitions.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

// The demo table files, written once per test program.
QString DemoTables() {
    static TestDir dir;
    static const QString tables = DemoDatabase::Create(dir.Path());
    return tables;
}

TDataSource *AddTable(TComponent *owner, const QString &name, const QString &table, const QString &db) {
    auto *t = new TTable(owner);
    t->SetName(name);
    t->SetDatabaseName(db);
    t->SetTableName(table);
    auto *ds = new TDataSource(owner);
    ds->SetName(name + QStringLiteral("Datasource"));
    ds->SetDataSet(t);
    return ds;
}

TEST(DatasetRecords, PathRuleWithPlus) {
    const QString appDir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(StoredDatabaseName(appDir + QStringLiteral("/DATA")), QStringLiteral("+DATA"));
    EXPECT_EQ(StoredDatabaseName(appDir), QStringLiteral("+"));
    EXPECT_EQ(StoredDatabaseName(appDir + QStringLiteral("x/DATA")), appDir + QStringLiteral("x/DATA"));
    EXPECT_EQ(StoredDatabaseName(QStringLiteral("DEMODB")), QStringLiteral("DEMODB"));
    EXPECT_EQ(ResolveStoredDatabaseName(QStringLiteral("+DATA"), QString(), QString(), true),
              appDir + QStringLiteral("/DATA"));
    EXPECT_EQ(ResolveStoredDatabaseName(QStringLiteral("+sub\\dir"), QString(), QString(), false),
              appDir + QStringLiteral("/sub/dir"));
    EXPECT_EQ(ResolveStoredDatabaseName(QStringLiteral("+"), QStringLiteral("x.db"), QString(), false), appDir);
    // A table stored with "+" alone is found beside the report when the application's directory
    // does not hold it.
    TestDir dir;
    WriteWholeFile(dir.Path("only_here.db"), "x");
    EXPECT_EQ(ResolveStoredDatabaseName(QStringLiteral("+"), QStringLiteral("only_here.db"), dir.Path("r.QR2"), true),
              QDir(dir.Path()).absolutePath());
    EXPECT_EQ(ResolveStoredDatabaseName(QStringLiteral("+"), QStringLiteral("elsewhere.db"), dir.Path("r.QR2"), true),
              appDir);
}

TEST(DatasetRecords, TableReadWithoutNameIsNamedAfterItsTable) {
    TReportForm f;
    TBytes b = HandReportStart();
    TBytes table;
    table.Fixed("").Word(1).Fixed("DEMODB").Fixed("ORDERS.DB").Fixed("").Fixed("").Word(0).Fixed("").Byte(0).Byte(0);
    b.Record(50, 1542).Raw(table.Data()).Raw(HandReportRecord()).Word(256);
    TScriptedInteraction ui;
    ASSERT_TRUE(f.Load(b.Data(), false));
    EXPECT_EQ(f.Find<TTable>(QStringLiteral("ORDERSTable")), nullptr);  // without datasets nothing is made
    ASSERT_TRUE(f.Load(b.Data(), true));
    auto *t = f.Find<TTable>(QStringLiteral("ORDERSTable"));
    ASSERT_NE(t, nullptr);
    auto *ds = f.Find<TDataSource>(QStringLiteral("ORDERSTableDatasource"));
    ASSERT_NE(ds, nullptr);
    EXPECT_EQ(ds->DataSet(), t);
    EXPECT_EQ(ds->Tag(), 1);
    EXPECT_TRUE(t->ReadOnly());
}

TEST(DatasetRecords, DataFieldRecordsOnlyForChangedDisplaySettings) {
    Session().AddAlias(QStringLiteral("PERSISTDEMO"), DemoTables());
    TReportForm f;
    TDataSource *ds = AddTable(f.Form.get(), QStringLiteral("Country"), QStringLiteral("country.db"),
                               QStringLiteral("PERSISTDEMO"));
    ds->DataSet()->Open();
    EXPECT_EQ(FindRecord(f.Save(), 10, 771), -1);
    ds->DataSet()->FieldByName(QStringLiteral("Capital"))->SetVisible(false);
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 10, 771);
    ASSERT_GT(at, 0);
    EXPECT_EQ(bytes.mid(at + 4, 256), TBytes().Fixed("Capital").Data());
    EXPECT_EQ(FindRecord(bytes, 10, 771, at + 1), -1);
    EXPECT_EQ(bytes[at + 4 + 770], '\0');
}

TEST(DatasetRecords, QueryParameterOfUnknownTypeBecomesString) {
    TReportForm f;
    TBytes b = HandReportStart();
    TBytes q;
    q.Fixed("Q").Word(1).Fixed("DEMODB").Word(0).Word(2).Byte(0).Word(1).Byte(0).Byte(0);
    b.Record(53, 523).Raw(q.Data());
    b.Fixed("SELECT * FROM customer WHERE CustNo = :No AND City = :City");
    b.Fixed("No").Byte(0).Fixed("", 255).Byte(1).Byte(1);
    b.Fixed("City").Byte(ftString).Fixed("Paris", 255).Byte(1).Byte(0);
    b.Raw(HandReportRecord()).Word(256);
    TScriptedInteraction ui;
    ASSERT_TRUE(f.Load(b.Data(), false));
    EXPECT_EQ(f.All<TQuery>().size(), 0);
    ASSERT_TRUE(f.Load(b.Data(), true));
    auto *query = f.Find<TQuery>(QStringLiteral("Q"));
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(query->ParamByName(QStringLiteral("No")).DataType(), ftString);
    EXPECT_TRUE(query->ParamByName(QStringLiteral("No")).IsNull());
    EXPECT_EQ(query->ParamByName(QStringLiteral("City")).AsString(), QStringLiteral("Paris"));
}

TEST(DatasetRecords, MastersOpenBeforeTheirDetailsAndFieldsAreCreated) {
    Session().AddAlias(QStringLiteral("PERSISTDEMO"), DemoTables());
    QByteArray bytes;
    {
        TReportForm f;
        TDataSource *orders = AddTable(f.Form.get(), QStringLiteral("Orders"), QStringLiteral("orders.db"),
                                       QStringLiteral("PERSISTDEMO"));
        TDataSource *customers = AddTable(f.Form.get(), QStringLiteral("Customers"), QStringLiteral("customer.db"),
                                          QStringLiteral("PERSISTDEMO"));
        auto *detail = qobject_cast<TTable *>(orders->DataSet());
        detail->SetIndexName(QStringLiteral("ByCustNo"));
        detail->SetMasterFields(QStringLiteral("CustNo"));
        detail->SetMasterSource(customers);
        TField *calc = CreateCalcField(f.Form.get(), customers->DataSet(), QStringLiteral("Twice"), 2,
                                       QStringLiteral("0.00"), QStringLiteral("Twice the rate"), 0,
                                       &TFloatField::staticMetaObject);
        ASSERT_NE(calc, nullptr);
        f.Report->SetDataSet(customers->DataSet());
        bytes = f.Save();
    }
    TReportForm f;
    QStringList opened;
    bool beforeAll = false;
    f.Designer->SetBeforeOpenDatasets(TMethod::FromFunction(std::function<void()>([&] { beforeAll = opened.isEmpty(); }), &opened));
    f.Designer->SetBeforeOpenDataset(TMethod::FromFunction(
        std::function<void(TDataSet *)>([&](TDataSet *ds) { opened << ds->Name(); }), &opened, nullptr));
    ASSERT_TRUE(f.Load(bytes));
    EXPECT_TRUE(beforeAll);
    EXPECT_EQ(opened, (QStringList{QStringLiteral("Customers"), QStringLiteral("Orders")}));
    auto *customers = f.Find<TTable>(QStringLiteral("Customers"));
    auto *orders = f.Find<TTable>(QStringLiteral("Orders"));
    ASSERT_TRUE(customers && orders);
    EXPECT_TRUE(customers->Active());
    EXPECT_TRUE(orders->Active());
    EXPECT_EQ(orders->MasterSource(), f.Find<TDataSource>(QStringLiteral("CustomersDatasource")));
    EXPECT_EQ(f.Report->DataSet(), customers);
    TField *twice = customers->FindField(QStringLiteral("Twice"));
    ASSERT_NE(twice, nullptr);
    EXPECT_TRUE(twice->Calculated());
    EXPECT_EQ(twice->DisplayLabel(), QStringLiteral("Twice the rate"));
    EXPECT_EQ(GetIntegerProperty(twice, QStringLiteral("Precision")), 2);
    // With persistent calculated fields the data fields became persistent too.
    EXPECT_NE(customers->FindField(QStringLiteral("Company")), nullptr);
    EXPECT_TRUE(customers->OnCalcFields().Assigned());
}

TEST(DatasetRecords, DatasetThatDoesNotOpenIsReportedAndKept) {
    TScriptedInteraction ui;
    TReportForm f;
    TestDir dir;
    AddTable(f.Form.get(), QStringLiteral("Missing"), QStringLiteral("missing.db"), dir.Path("nodir"));
    const QByteArray bytes = f.Save();
    TReportForm g;
    ASSERT_TRUE(g.Load(bytes));
    ASSERT_EQ(ui.Errors().size(), 1);
    EXPECT_TRUE(ui.Errors()[0].startsWith(QStringLiteral("Error opening table missing.db: "))) << qPrintable(ui.Errors()[0]);
    EXPECT_TRUE(ui.Errors()[0].contains(QStringLiteral("does not exist"))) << qPrintable(ui.Errors()[0]);
    ASSERT_NE(g.Find<TTable>(QStringLiteral("Missing")), nullptr);
    EXPECT_FALSE(g.Find<TTable>(QStringLiteral("Missing"))->Active());
}

TEST(DatasetRecords, WizardQueryFiltersInBothLayouts) {
    TReportForm f;
    auto *w = new TWizQuery(f.Form.get());
    w->SetName(QStringLiteral("Wiz"));
    w->SetDatabaseName(QStringLiteral("PERSISTDEMO"));
    w->SetTableName(QStringLiteral("customer.db"));
    w->SortFields()->Add(QStringLiteral("-Company"));
    w->AddFilter(new TWizQueryFilter(false, QStringLiteral("Country"), qfoEqual, QStringLiteral("Spain"), 1, true));
    w->CreateSQL();
    auto *ds = new TDataSource(f.Form.get());
    ds->SetName(QStringLiteral("WizDatasource"));
    ds->SetDataSet(w);
    QByteArray bytes = f.Save(true);
    // Rewrite the filter in the older layout: format 100, numeric flag 1.
    const QByteArray current = TBytes().Byte(101).Str("Country").Byte(0).Byte(0).Str("Spain").Byte(1).Byte(1).Data();
    const int at = int(bytes.indexOf(current));
    ASSERT_GT(at, 0);
    bytes.replace(at, current.size(), TBytes().Byte(100).Str("Country").Byte(0).Byte(0).Str("Spain").Byte(1).Byte(1).Data());
    TReportForm g;
    TScriptedInteraction ui;
    ASSERT_TRUE(g.Load(bytes, false));
    ASSERT_TRUE(g.Load(bytes, true));
    auto *read = g.Find<TWizQuery>(QStringLiteral("Wiz"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->TableName(), QStringLiteral("customer.db"));
    EXPECT_EQ(read->SortFields()->ToStringList(), QStringList{QStringLiteral("-Company")});
    ASSERT_EQ(read->Filters().size(), 1);
    EXPECT_EQ(read->Filters()[0]->FieldType, 3);
    EXPECT_TRUE(read->Filters()[0]->CaseSensitive);
    EXPECT_EQ(read->SQL()->ToStringList(), w->SQL()->ToStringList());
    // Saved again it is in the current layout.
    const QByteArray again = g.Save(true);
    EXPECT_NE(again.indexOf(TBytes().Byte(101).Str("Country").Byte(0).Byte(0).Str("Spain").Byte(3).Byte(1).Data()), -1);
}

TEST(DatasourceNumbers, ScopesOfStoredNumbers) {
    TScriptedInteraction ui;
    TReportForm f;
    TForm owner;
    TDataModule module;
    TDataSource *own = AddTable(f.Form.get(), QStringLiteral("Own"), QStringLiteral("a.db"), QString());
    auto *hidden = new TDataSource(f.Form.get());
    hidden->SetName(QStringLiteral("__Hidden"));
    TDataSource *own2 = AddTable(f.Form.get(), QStringLiteral("Own2"), QStringLiteral("b.db"), QString());
    TDataSource *fromOwner = AddTable(&owner, QStringLiteral("Shared"), QStringLiteral("c.db"), QString());
    TDataSource *fromModule = AddTable(&module, QStringLiteral("Moduled"), QStringLiteral("d.db"), QString());
    EXPECT_EQ(GetDatasourceNum(f.Form.get(), own), 1);
    EXPECT_EQ(GetDatasourceNum(f.Form.get(), own2), 2);
    EXPECT_EQ(GetDatasourceNum(f.Form.get(), hidden), 0);
    EXPECT_EQ(GetDatasourceNum(f.Form.get(), fromOwner), -1);
    EXPECT_EQ(GetDatasourceNum(f.Form.get(), nullptr), 0);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 2), own2);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 3), nullptr);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 0), nullptr);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 0x4001), fromModule);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 0x8001), nullptr);
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("DatabaseOwner not assigned!!")});
    f.Designer->SetDatabaseOwner(&owner);
    EXPECT_EQ(GetDatasourceByNum(f.Form.get(), 0x8001), fromOwner);
    EXPECT_EQ(GetDatasetByNum(f.Form.get(), 0x8001), fromOwner->DataSet());
    EXPECT_EQ(FindDatasource4Dataset(fromOwner->DataSet()), fromOwner);

    NumberDataSources(f.Form.get(), &owner);
    EXPECT_EQ(own->Tag(), 1);
    EXPECT_EQ(own2->Tag(), 2);
    EXPECT_EQ(fromOwner->Tag(), 3);
    EXPECT_EQ(hidden->Tag(), 0);
    f.Designer->SetDatabaseOwner(nullptr);
}

TEST(FieldDefinitions, TypeCodesByClassAndBack) {
    const QList<QPair<const QMetaObject *, int>> expected = {
        {&TStringField::staticMetaObject, 1},  {&TSmallintField::staticMetaObject, 2},
        {&TIntegerField::staticMetaObject, 3}, {&TWordField::staticMetaObject, 4},
        {&TBooleanField::staticMetaObject, 5}, {&TFloatField::staticMetaObject, 6},
        {&TCurrencyField::staticMetaObject, 7}, {&TBCDField::staticMetaObject, 8},
        {&TDateField::staticMetaObject, 9},    {&TTimeField::staticMetaObject, 10},
        {&TDateTimeField::staticMetaObject, 11}, {&TBytesField::staticMetaObject, 12},
        {&TVarBytesField::staticMetaObject, 13}, {&TBlobField::staticMetaObject, 14},
        {&TMemoField::staticMetaObject, 15},   {&TGraphicField::staticMetaObject, 16},
        {&TAutoIncField::staticMetaObject, 3},
    };
    for (const auto &[meta, code] : expected) {
        std::unique_ptr<QObject> field(meta->newInstance(Q_ARG(TComponent *, nullptr)));
        EXPECT_EQ(FieldTypeCode(qobject_cast<TField *>(field.get())), code) << meta->className();
        if (meta != &TAutoIncField::staticMetaObject) {
            EXPECT_EQ(FieldClassForCode(code), meta) << code;
        }
    }
    EXPECT_EQ(FieldClassForCode(0), &TStringField::staticMetaObject);
    EXPECT_EQ(FieldClassForCode(99), &TStringField::staticMetaObject);
}

TEST(FieldDefinitions, ListsKeepFieldSettingsWhileClosed) {
    Session().AddAlias(QStringLiteral("PERSISTDEMO"), DemoTables());
    TForm form;
    TDataSource *ds = AddTable(&form, QStringLiteral("Parts"), QStringLiteral("parts.db"), QStringLiteral("PERSISTDEMO"));
    TDataSet *parts = ds->DataSet();
    parts->Open();
    parts->FieldByName(QStringLiteral("Cost"))->SetDisplayLabel(QStringLiteral("Our cost"));
    SetStringProperty(parts->FieldByName(QStringLiteral("Cost")), QStringLiteral("DisplayFormat"), QStringLiteral("#,##0.00"));
    parts->FieldByName(QStringLiteral("OnOrder"))->SetVisible(false);
    TFieldPropList list;
    PutFieldsToList(parts, list);
    ASSERT_EQ(int(list.size()), parts->FieldCount());
    parts->Close();
    CreateFieldsFromList(parts, list);
    parts->Open();
    EXPECT_EQ(parts->FieldByName(QStringLiteral("Cost"))->DisplayLabel(), QStringLiteral("Our cost"));
    EXPECT_EQ(GetStringProperty(parts->FieldByName(QStringLiteral("Cost")), QStringLiteral("DisplayFormat")),
              QStringLiteral("#,##0.00"));
    EXPECT_FALSE(parts->FieldByName(QStringLiteral("OnOrder"))->Visible());
    EXPECT_FALSE(parts->FieldByName(QStringLiteral("Cost"))->IsDynamic());
}

}  // namespace
