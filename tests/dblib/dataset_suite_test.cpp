// The dataset behaviour every database kind must show: directory of table files, database
// file and PostgreSQL server run the same tests.
#include "backend.h"
#include "dblib/data_source.h"
#include "dblib/db_error.h"
#include "dblib/field_classes.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/conversions.h"
#include "host/forms.h"

#include <gtest/gtest.h>

namespace {

class DataSetSuite : public testing::TestWithParam<TBackend> {
protected:
    void SetUp() override {
        QString reason;
        if (!BackendAvailable(GetParam(), &reason)) GTEST_SKIP() << qPrintable(reason);
    }

    // A table owned by the test's form.
    TTable *Table(const QString &base, const QString &name = QString()) {
        auto *t = new TTable(&FOwner);
        t->SetName(name.isEmpty() ? base + QStringLiteral("Table") : name);
        t->SetDatabaseName(GetParam().DatabaseName());
        t->SetTableName(GetParam().Table(base));
        return t;
    }

    TQuery *Query(const QString &sql, const QString &name = QStringLiteral("Q")) {
        auto *q = new TQuery(&FOwner);
        q->SetName(name);
        q->SetDatabaseName(GetParam().DatabaseName());
        q->SQL()->SetText(sql);
        return q;
    }

    // One integer from an SQL statement.
    qint64 Scalar(const QString &sql) {
        TQuery q;
        q.SetDatabaseName(GetParam().DatabaseName());
        q.SQL()->SetText(sql);
        q.Open();
        return q.Field(0)->AsInteger();
    }

    TDataModule FOwner;
};

TMethod Handler(std::function<void(TDataSet *)> fn) {
    static int tag;
    return TMethod::FromFunction<TDataSet *>(std::move(fn), &tag);
}

}  // namespace

TEST_P(DataSetSuite, NavigatesAndCounts) {
    TTable *t = Table("customer");
    t->Open();
    ASSERT_EQ(t->RecordCount(), 60);
    EXPECT_TRUE(t->Bof());
    EXPECT_FALSE(t->Eof());
    EXPECT_EQ(t->RecNo(), 1);
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1001);
    t->Next();
    EXPECT_FALSE(t->Bof());
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1002);
    t->Last();
    EXPECT_TRUE(t->Eof());
    EXPECT_EQ(t->RecNo(), 60);
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1060);
    t->Next();  // stays on the last record
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1060);
    t->Prior();
    EXPECT_FALSE(t->Eof());
    EXPECT_EQ(t->RecNo(), 59);
    EXPECT_EQ(t->MoveBy(-10), -10);
    EXPECT_EQ(t->RecNo(), 49);
    EXPECT_EQ(t->MoveBy(-100), -48);
    EXPECT_TRUE(t->Bof());
    t->SetRecNo(5);
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1005);
    const int mark = t->GetBookmark();
    t->Last();
    EXPECT_TRUE(t->GotoBookmark(mark));
    EXPECT_EQ(t->FieldByName("CustNo")->AsInteger(), 1005);
    EXPECT_FALSE(t->GotoBookmark(-1));
    int n = 0;
    for (t->First(); !t->Eof(); t->Next()) ++n;
    EXPECT_EQ(n, 60);
    t->Close();
    EXPECT_FALSE(t->Active());
    EXPECT_TRUE(t->IsEmpty());
}

TEST_P(DataSetSuite, EmptyResultsAreBothBofAndEof) {
    TQuery *q = Query("SELECT * FROM customer WHERE \"CustNo\" < 0");
    q->Open();
    EXPECT_TRUE(q->Bof());
    EXPECT_TRUE(q->Eof());
    EXPECT_TRUE(q->IsEmpty());
    EXPECT_EQ(q->RecNo(), 0);
    EXPECT_EQ(q->RecordCount(), 0);
    EXPECT_TRUE(q->FieldByName("Company")->IsNull());
    EXPECT_EQ(q->FieldByName("Company")->AsString(), "");
}

TEST_P(DataSetSuite, FieldsDynamicAndPersistent) {
    TTable *t = Table("customer", "Customers");
    t->Open();
    EXPECT_EQ(t->FieldCount(), 10);
    EXPECT_EQ(t->FindField("nope"), nullptr);
    EXPECT_EQ(t->FindField("company"), t->FieldByName("Company"));
    try {
        t->FieldByName("Nope");
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("Nope"));
        EXPECT_TRUE(e.Message().contains("Customers"));
    }
    EXPECT_EQ(t->FieldDefs().Count(), 10);
    const TFieldDef *company = t->FieldDefs().Find("company");
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->DataType, ftString);
    EXPECT_EQ(company->Size, 30);
    t->Close();
    // Fields made at open go with the close; the definitions stay.
    EXPECT_EQ(t->FieldCount(), 0);
    EXPECT_EQ(t->FieldDefs().Count(), 10);
    TField *custNo = t->FieldDefs().Find("CustNo")->CreateField(&FOwner, t);
    TField *name = t->FieldDefs().Find("Company")->CreateField(&FOwner, t);
    EXPECT_EQ(custNo->Name(), "CustomersCustNo");
    EXPECT_EQ(custNo->Owner(), &FOwner);
    t->Open();
    // Only the persistent fields now, and they survive closing.
    EXPECT_EQ(t->FieldNames(), (QStringList{"CustNo", "Company"}));
    EXPECT_EQ(name->AsString(), t->FieldByName("Company")->AsString());
    EXPECT_THROW(t->FieldDefs().Find("City")->CreateField(&FOwner, t), EDatabaseError);  // open
    t->Close();
    EXPECT_EQ(t->FieldCount(), 2);
    // A persistent field whose column is gone is reported by name.
    auto *ghost = new TStringField(&FOwner);
    ghost->SetFieldName("Ghost");
    ghost->SetDataSet(t);
    try {
        t->Open();
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("Ghost"));
    }
    EXPECT_FALSE(t->Active());
    delete ghost;
    t->Open();
    delete name;  // removing a persistent field of an open dataset closes it
    EXPECT_FALSE(t->Active());
    EXPECT_EQ(t->FieldNames(), QStringList{"CustNo"});
}

TEST_P(DataSetSuite, FieldDefinitionsWithoutOpening) {
    TTable *t = Table("orders");
    t->FieldDefs().Update();
    EXPECT_FALSE(t->Active());
    EXPECT_EQ(t->FieldDefs().Names(), (QStringList{"OrderNo", "CustNo", "SaleDate", "ShipDate", "EmpNo", "ShipVia",
                                                   "PaymentMethod", "ItemsTotal", "AmountPaid", "Paid"}));
    EXPECT_EQ(t->FieldDefs().Find("SaleDate")->DataType, ftDate);
    TQuery *q = Query("SELECT \"OrderNo\", \"Paid\" FROM orders WHERE \"CustNo\" = :c");
    q->FieldDefs().Update();
    EXPECT_EQ(q->FieldDefs().Names(), (QStringList{"OrderNo", "Paid"}));
    EXPECT_EQ(q->FieldDefs().Find("Paid")->DataType, ftBoolean);
}

TEST_P(DataSetSuite, FieldClassesAndValues) {
    const bool pg = GetParam().IsPostgres();
    TTable *orders = Table("orders");
    orders->Open();
    EXPECT_TRUE(qobject_cast<TIntegerField *>(orders->FieldByName("OrderNo")));
    EXPECT_TRUE(qobject_cast<TDateField *>(orders->FieldByName("SaleDate")));
    EXPECT_STREQ(orders->FieldByName("ShipDate")->metaObject()->className(), "TDateTimeField");
    EXPECT_TRUE(qobject_cast<TBooleanField *>(orders->FieldByName("Paid")));
    EXPECT_STREQ(orders->FieldByName("ItemsTotal")->metaObject()->className(), pg ? "TBCDField" : "TCurrencyField");
    EXPECT_EQ(orders->FieldByName("SaleDate")->DataType(), ftDate);
    EXPECT_EQ(orders->FieldByName("SaleDate")->AsDateTime(), std::trunc(orders->FieldByName("SaleDate")->AsDateTime()));
    EXPECT_EQ(orders->FieldByName("SaleDate")->AsDateTime(), EncodeDate(2003, 1, 2));
    ASSERT_TRUE(orders->Locate("OrderNo", {1011}));
    EXPECT_EQ(orders->FieldByName("OrderNo")->AsInteger(), 1011);
    const TDateTime sale = orders->FieldByName("SaleDate")->AsDateTime();
    EXPECT_GE(sale, EncodeDate(2003, 1, 22));
    EXPECT_LE(sale, EncodeDate(2003, 1, 23));
    TField *ship = orders->FieldByName("ShipDate");
    EXPECT_EQ(FormatDateTime("hh:nn", ship->AsDateTime()), "14:30");
    EXPECT_GT(ship->AsDateTime(), sale);
    orders->Locate("OrderNo", {1010});  // every tenth order is not shipped yet
    EXPECT_TRUE(ship->IsNull());
    EXPECT_EQ(ship->DisplayText(), "");

    TTable *items = Table("items");
    items->Open();
    EXPECT_TRUE(qobject_cast<TSmallintField *>(items->FieldByName("Qty")));
    EXPECT_TRUE(qobject_cast<TFloatField *>(items->FieldByName("Discount")));

    TTable *emp = Table("employee");
    emp->Open();
    EXPECT_STREQ(emp->FieldByName("EmpNo")->metaObject()->className(), pg ? "TIntegerField" : "TAutoIncField");
    EXPECT_STREQ(emp->FieldByName("DeptNo")->metaObject()->className(), pg ? "TSmallintField" : "TWordField");
    EXPECT_TRUE(qobject_cast<TTimeField *>(emp->FieldByName("StartTime")));
    EXPECT_TRUE(qobject_cast<TBCDField *>(emp->FieldByName("Salary")));
    EXPECT_STREQ(emp->FieldByName("Photo")->metaObject()->className(), pg ? "TBlobField" : "TGraphicField");
    EXPECT_EQ(FormatDateTime("hh:nn", emp->FieldByName("StartTime")->AsDateTime()), "07:00");
    EXPECT_EQ(emp->FieldByName("Photo")->AsString().left(2), "BM");
    emp->Last();
    EXPECT_TRUE(emp->FieldByName("Photo")->IsNull());

    TTable *cust = Table("customer");
    cust->Open();
    EXPECT_STREQ(cust->FieldByName("Notes")->metaObject()->className(), pg ? "TStringField" : "TMemoField");
    EXPECT_TRUE(cust->FieldByName("Notes")->AsString().contains('\n'));
    EXPECT_TRUE(cust->FieldByName("TaxRate")->IsNull());  // every fourth customer has none
    cust->Next();
    EXPECT_FALSE(cust->FieldByName("TaxRate")->IsNull());
}

TEST_P(DataSetSuite, IndexDefinitionsAndOrder) {
    TTable *cust = Table("customer");
    cust->IndexDefs().Update();
    ASSERT_NE(cust->IndexDefs().Primary(), nullptr);
    EXPECT_EQ(cust->IndexDefs().Primary()->Fields, "CustNo");
    EXPECT_EQ(cust->IndexDefs().Find("")->Fields, "CustNo");
    EXPECT_EQ(cust->IndexNames(), (QStringList{"ByCompany", "ByCountry"}));
    EXPECT_EQ(cust->IndexDefs().Find("bycountry")->Fields, "Country;City");
    TTable *items = Table("items");
    EXPECT_EQ(items->IndexFieldList(), (QStringList{"OrderNo", "ItemNo"}));

    TTable *orders = Table("orders");
    orders->SetIndexName("ByCustNo");
    orders->Open();
    qint64 previous = 0;
    for (; !orders->Eof(); orders->Next()) {
        EXPECT_GE(orders->FieldByName("CustNo")->AsInteger(), previous);
        previous = orders->FieldByName("CustNo")->AsInteger();
    }
    orders->SetIndexFieldNames("SaleDate");
    double last = 0;
    for (orders->First(); !orders->Eof(); orders->Next()) {
        EXPECT_GE(orders->FieldByName("SaleDate")->AsDateTime(), last);
        last = orders->FieldByName("SaleDate")->AsDateTime();
    }
    EXPECT_THROW(orders->SetIndexName("NoSuchIndex"), EDatabaseError);
}

TEST_P(DataSetSuite, DetailTableFollowsItsMaster) {
    TTable *cust = Table("customer");
    auto *custSource = new TDataSource(&FOwner);
    custSource->SetDataSet(cust);
    TTable *orders = Table("orders");
    orders->SetIndexName("ByCustNo");
    orders->SetMasterSource(custSource);
    orders->SetMasterFields("CustNo");
    cust->Open();
    orders->Open();
    int checked = 0;
    for (; !cust->Eof() && checked < 12; cust->Next(), ++checked) {
        const qint64 custNo = cust->FieldByName("CustNo")->AsInteger();
        int rows = 0;
        for (orders->First(); !orders->Eof(); orders->Next(), ++rows) EXPECT_EQ(orders->FieldByName("CustNo")->AsInteger(), custNo);
        EXPECT_EQ(rows, Scalar(QStringLiteral("SELECT COUNT(*) FROM orders WHERE \"CustNo\" = %1").arg(custNo)));
        EXPECT_EQ(orders->RecordCount(), rows);
    }
    // A detail of a detail: items by the primary index (OrderNo, ItemNo), first field linked.
    auto *orderSource = new TDataSource(&FOwner);
    orderSource->SetDataSet(orders);
    TTable *items = Table("items");
    items->SetMasterSource(orderSource);
    items->SetMasterFields("OrderNo");
    items->Open();
    cust->First();
    orders->First();
    ASSERT_FALSE(orders->IsEmpty());
    const qint64 orderNo = orders->FieldByName("OrderNo")->AsInteger();
    EXPECT_EQ(items->RecordCount(), Scalar(QStringLiteral("SELECT COUNT(*) FROM items WHERE \"OrderNo\" = %1").arg(orderNo)));
    for (items->First(); !items->Eof(); items->Next()) EXPECT_EQ(items->FieldByName("OrderNo")->AsInteger(), orderNo);
    // Without a master record the details are empty.
    cust->Close();
    EXPECT_TRUE(orders->Active());
    EXPECT_TRUE(orders->IsEmpty());
    EXPECT_TRUE(items->IsEmpty());
    // Unlinking shows every row again.
    orders->SetMasterSource(nullptr);
    EXPECT_EQ(orders->RecordCount(), Scalar("SELECT COUNT(*) FROM orders"));
}

TEST_P(DataSetSuite, MasterSourceFreedOrCircular) {
    TTable *cust = Table("customer");
    auto *source = new TDataSource(&FOwner);
    source->SetDataSet(cust);
    TTable *orders = Table("orders");
    orders->SetIndexName("ByCustNo");
    orders->SetMasterSource(source);
    orders->SetMasterFields("CustNo");
    auto *orderSource = new TDataSource(&FOwner);
    orderSource->SetDataSet(orders);
    EXPECT_THROW(cust->SetMasterSource(orderSource), EDatabaseError);
    // A detail that cannot follow its master makes the master's move fail visibly.
    cust->Open();
    orders->Open();
    EXPECT_THROW(orders->SetMasterFields("NoSuchField"), EDatabaseError);
    try {
        cust->Next();
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("NoSuchField"));
    }
    orders->SetMasterFields("CustNo");
    cust->Next();
    EXPECT_EQ(orders->FieldByName("CustNo")->AsInteger(), cust->FieldByName("CustNo")->AsInteger());
    delete source;
    EXPECT_EQ(orders->MasterSource(), nullptr);
    orders->Close();
    orders->Open();
    EXPECT_EQ(orders->RecordCount(), Scalar("SELECT COUNT(*) FROM orders"));
    delete cust;
}

TEST_P(DataSetSuite, QueryParameters) {
    TQuery *q = Query("SELECT * FROM orders WHERE \"CustNo\" = :CustNo AND \"ItemsTotal\" >= :Min -- :NotAParam\n"
                      "AND \"ShipVia\" <> ':text' ORDER BY \"OrderNo\"");
    ASSERT_EQ(q->ParamCount(), 2);
    EXPECT_EQ(q->Params()[0].Name(), "CustNo");
    EXPECT_EQ(&q->ParamByName("custno"), &q->Params()[0]);
    EXPECT_EQ(q->Params().FindParam("NotAParam"), nullptr);
    try {
        q->ParamByName("Missing");
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("Missing"));
    }
    TParam &cust = q->ParamByName("CustNo");
    cust.SetDataType(ftInteger);
    EXPECT_FALSE(cust.Bound());
    try {
        cust.SetText("abc");
        ADD_FAILURE();
    } catch (const EConvertError &e) {
        EXPECT_TRUE(e.Message().contains("CustNo"));
    }
    cust.SetText("1001");
    EXPECT_TRUE(cust.Bound());
    EXPECT_EQ(cust.AsInteger(), 1001);
    q->ParamByName("Min").SetAsFloat(0);
    q->Open();
    const qint64 all = Scalar("SELECT COUNT(*) FROM orders WHERE \"CustNo\" = 1001");
    EXPECT_EQ(q->RecordCount(), all);
    for (; !q->Eof(); q->Next()) EXPECT_EQ(q->FieldByName("CustNo")->AsInteger(), 1001);
    // New SQL keeps the values of parameters whose names remain.
    q->SQL()->SetText("SELECT COUNT(*) AS N FROM orders WHERE \"CustNo\" = :CUSTNO OR \"OrderNo\" = :Other");
    EXPECT_FALSE(q->Active());
    ASSERT_EQ(q->ParamCount(), 2);
    EXPECT_EQ(q->ParamByName("CustNo").AsInteger(), 1001);
    EXPECT_TRUE(q->ParamByName("Other").IsNull());
    q->Open();
    EXPECT_EQ(q->FieldByName("N")->AsInteger(), all);
    q->Close();
    // Values go as values: quotes inside cannot change the statement.
    TQuery *s = Query("SELECT COUNT(*) AS N FROM customer WHERE \"Company\" = :c", "S");
    s->ParamByName("c").SetAsString("x' OR '1'='1");
    s->Open();
    EXPECT_EQ(s->FieldByName("N")->AsInteger(), 0);
    // A NULL parameter matches nothing.
    q->ParamByName("CustNo").Clear();
    q->Open();
    EXPECT_EQ(q->FieldByName("N")->AsInteger(), 0);
    // Date parameters compare with stored dates.
    TQuery *d = Query("SELECT COUNT(*) AS N FROM orders WHERE \"SaleDate\" < :d", "D");
    d->ParamByName("d").SetDataType(ftDate);
    d->ParamByName("d").SetAsDateTime(EncodeDate(2003, 2, 1));
    d->Open();
    EXPECT_EQ(d->FieldByName("N")->AsInteger(), Scalar("SELECT COUNT(*) FROM orders WHERE \"SaleDate\" < '2003-02-01'"));
    EXPECT_GT(d->FieldByName("N")->AsInteger(), 10);
}

TEST_P(DataSetSuite, DetailQueryTakesUnboundParametersFromTheMaster) {
    TTable *cust = Table("customer");
    auto *source = new TDataSource(&FOwner);
    source->SetDataSet(cust);
    TQuery *q = Query("SELECT * FROM orders WHERE \"CustNo\" = :CustNo ORDER BY \"OrderNo\"");
    q->SetDataSource(source);
    cust->Open();
    q->Open();
    for (int i = 0; i < 8; ++i, cust->Next()) {
        const qint64 custNo = cust->FieldByName("CustNo")->AsInteger();
        EXPECT_EQ(q->RecordCount(), Scalar(QStringLiteral("SELECT COUNT(*) FROM orders WHERE \"CustNo\" = %1").arg(custNo)));
        for (q->First(); !q->Eof(); q->Next()) EXPECT_EQ(q->FieldByName("CustNo")->AsInteger(), custNo);
    }
    EXPECT_EQ(q->ParamByName("CustNo").DataType(), ftInteger);
    // A bound parameter keeps its own value.
    q->ParamByName("CustNo").SetAsInteger(1002);
    q->Close();
    q->Open();
    cust->First();
    for (q->First(); !q->Eof(); q->Next()) EXPECT_EQ(q->FieldByName("CustNo")->AsInteger(), 1002);
}

TEST_P(DataSetSuite, UniDirectionalQueriesStream) {
    TQuery *q = Query("SELECT \"OrderNo\", \"CustNo\" FROM orders ORDER BY \"OrderNo\"");
    q->SetUniDirectional(true);
    q->Open();
    EXPECT_TRUE(q->IsUniDirectional());
    const qint64 total = Scalar("SELECT COUNT(*) FROM orders");
    EXPECT_EQ(q->RecordCount(), total);
    EXPECT_EQ(q->FieldByName("OrderNo")->AsInteger(), 1001);
    int n = 0;
    qint64 previous = 0;
    for (; !q->Eof(); q->Next()) {
        ++n;
        EXPECT_EQ(q->RecNo(), n);
        EXPECT_GT(q->FieldByName("OrderNo")->AsInteger(), previous);
        previous = q->FieldByName("OrderNo")->AsInteger();
    }
    EXPECT_EQ(n, total);
    EXPECT_THROW(q->Prior(), EDatabaseError);
    EXPECT_THROW(q->Last(), EDatabaseError);
    q->First();  // runs the statement again
    EXPECT_EQ(q->RecNo(), 1);
    EXPECT_EQ(q->FieldByName("OrderNo")->AsInteger(), 1001);
    q->Close();
    q->SetFilter("CustNo = 1001");
    q->SetFiltered(true);
    q->Open();
    n = 0;
    for (; !q->Eof(); q->Next(), ++n) EXPECT_EQ(q->FieldByName("CustNo")->AsInteger(), 1001);
    EXPECT_EQ(n, Scalar("SELECT COUNT(*) FROM orders WHERE \"CustNo\" = 1001"));
    EXPECT_EQ(q->RecordCount(), n);
    // Parameter values stay values in a streamed statement too.
    TQuery *quoted = Query("SELECT \"Company\" FROM customer WHERE \"Company\" = :c OR \"Company\" = :d", "Quoted");
    quoted->SetUniDirectional(true);
    quoted->ParamByName("c").SetAsString("x' OR '1'='1");
    quoted->ParamByName("d").SetAsString("Blue Divers");
    quoted->Open();
    EXPECT_EQ(quoted->FieldByName("Company")->AsString(), "Blue Divers");
    quoted->Next();
    EXPECT_TRUE(quoted->Eof());
    // Read to the end, a one-row result is still not empty.
    TQuery *one = Query("SELECT \"Name\" FROM country WHERE \"Name\" = 'Spain'", "One");
    one->SetUniDirectional(true);
    one->Open();
    EXPECT_FALSE(one->IsEmpty());
    one->Next();
    EXPECT_TRUE(one->Eof());
    EXPECT_FALSE(one->IsEmpty());
}

TEST_P(DataSetSuite, StreamingMastersLeaveTheConnectionToTheirDetails) {
    // More rows than one batch of a server cursor, with a detail query run at every row.
    TQuery *numbers = Query("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2500) "
                            "SELECT x AS \"OrderNo\" FROM n", "Numbers");
    numbers->SetUniDirectional(true);
    auto *source = new TDataSource(&FOwner);
    source->SetDataSet(numbers);
    TQuery *order = Query("SELECT \"CustNo\" FROM orders WHERE \"OrderNo\" = :OrderNo", "Order");
    order->SetDataSource(source);
    numbers->Open();
    order->Open();
    qint64 sum = 0, found = 0;
    for (; !numbers->Eof(); numbers->Next()) {
        sum += numbers->FieldByName("OrderNo")->AsInteger();
        found += order->IsEmpty() ? 0 : 1;
    }
    EXPECT_EQ(sum, 2500LL * 2501 / 2);
    EXPECT_EQ(found, Scalar("SELECT COUNT(*) FROM orders WHERE \"OrderNo\" <= 2500"));
}

TEST_P(DataSetSuite, ColumnsOfTheSameNameGetNumberedFields) {
    TQuery *q = Query("SELECT o.\"OrderNo\", o.\"CustNo\", c.\"CustNo\" FROM orders o JOIN customer c ON c.\"CustNo\" = o.\"CustNo\"");
    q->Open();
    EXPECT_EQ(q->FieldNames(), (QStringList{"OrderNo", "CustNo", "CustNo_1"}));
    EXPECT_EQ(q->FieldByName("CustNo_1")->AsInteger(), q->FieldByName("CustNo")->AsInteger());
}

TEST_P(DataSetSuite, Filters) {
    TTable *cust = Table("customer");
    cust->Open();
    const qint64 spain = Scalar("SELECT COUNT(*) FROM customer WHERE \"Country\" = 'Spain'");
    ASSERT_GT(spain, 0);
    cust->SetFilter("Country = 'Spain'");
    EXPECT_EQ(cust->RecordCount(), 60);  // not filtered yet
    cust->SetFiltered(true);
    EXPECT_EQ(cust->RecordCount(), spain);
    for (cust->First(); !cust->Eof(); cust->Next()) EXPECT_EQ(cust->FieldByName("Country")->AsString(), "Spain");
    cust->SetFilter("Country = 'Sp*'");
    EXPECT_EQ(cust->RecordCount(), spain);
    cust->SetFilterOptions(foNoPartialCompare);
    EXPECT_EQ(cust->RecordCount(), 0);
    cust->SetFilter("country = 'SPAIN'");
    EXPECT_EQ(cust->RecordCount(), 0);
    cust->SetFilterOptions(foCaseInsensitive);
    EXPECT_EQ(cust->RecordCount(), spain);
    cust->SetFilter("[Country] = 'spa*' and not (CustNo < 1000)");
    EXPECT_EQ(cust->RecordCount(), spain);
    cust->SetFilterOptions(0);
    cust->SetFilter("CustNo >= 1010 and CustNo < 1020 or CustNo = 1001");
    EXPECT_EQ(cust->RecordCount(), 11);
    cust->SetFilter("TaxRate = null");
    EXPECT_EQ(cust->RecordCount(), 15);
    cust->SetFilter("TaxRate <> NULL and TaxRate >= 0");
    EXPECT_EQ(cust->RecordCount(), 45);
    // A bad filter is refused with its text and the old one stays.
    try {
        cust->SetFilter("Country = ");
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("Country = "));
    }
    EXPECT_EQ(cust->Filter(), "TaxRate <> NULL and TaxRate >= 0");
    EXPECT_THROW(cust->SetFilter("Nonsense = 1"), EDatabaseError);
    EXPECT_THROW(cust->SetFilter("CustNo = 'abc'"), EDatabaseError);
    cust->SetFiltered(false);
    EXPECT_EQ(cust->RecordCount(), 60);

    TTable *orders = Table("orders");
    orders->SetFilter("SaleDate >= '2003-06-01' and Paid = true");
    orders->SetFiltered(true);
    orders->Open();
    EXPECT_EQ(orders->RecordCount(),
              Scalar("SELECT COUNT(*) FROM orders WHERE \"SaleDate\" >= '2003-06-01' AND \"Paid\" = TRUE"));
}

TEST_P(DataSetSuite, CalculatedAndLookupFields) {
    TTable *cust = Table("customer", "Customers");
    TTable *orders = Table("orders", "Orders");
    orders->FieldDefs().Update();
    for (const char *name : {"OrderNo", "CustNo", "ItemsTotal", "AmountPaid"}) orders->FieldDefs().Find(name)->CreateField(&FOwner, orders);
    auto *due = new TFloatField(&FOwner);
    due->SetFieldName("Due");
    due->SetCalculated(true);
    due->SetDataSet(orders);
    auto *company = new TStringField(&FOwner);
    company->SetFieldName("Company");
    company->SetSize(30);
    company->SetLookup(true);
    company->SetLookupDataSet(cust);
    company->SetKeyFields("CustNo");
    company->SetLookupKeyFields("CustNo");
    company->SetLookupResultField("Company");
    company->SetDataSet(orders);
    int calls = 0;
    orders->SetOnCalcFields(Handler([&](TDataSet *ds) {
        ++calls;
        EXPECT_EQ(ds->State(), dsCalcFields);
        ds->FieldByName("Due")->SetAsFloat(ds->FieldByName("ItemsTotal")->AsFloat() - ds->FieldByName("AmountPaid")->AsFloat());
    }));
    cust->Open();
    orders->Open();
    EXPECT_GE(calls, 1);
    TQuery *check = Query("SELECT c.\"Company\" FROM orders o JOIN customer c ON c.\"CustNo\" = o.\"CustNo\" WHERE o.\"OrderNo\" = :n",
                          "Check");
    for (int i = 0; i < 15 && !orders->Eof(); ++i, orders->Next()) {
        EXPECT_DOUBLE_EQ(due->AsFloat(), orders->FieldByName("ItemsTotal")->AsFloat() - orders->FieldByName("AmountPaid")->AsFloat());
        check->Close();
        check->ParamByName("n").SetAsInteger(orders->FieldByName("OrderNo")->AsInteger());
        check->Open();
        EXPECT_EQ(company->AsString(), check->Field(0)->AsString());
    }
    EXPECT_TRUE(company->Lookup());
    EXPECT_TRUE(due->Calculated());
    // Without its lookup dataset open the lookup field is empty.
    cust->Close();
    orders->Refresh();
    EXPECT_TRUE(company->IsNull());
    // The lookup dataset's own cursor does not move.
    cust->Open();
    cust->SetRecNo(7);
    orders->First();
    orders->Next();
    EXPECT_FALSE(company->IsNull());
    EXPECT_EQ(cust->RecNo(), 7);
    EXPECT_EQ(orders->Lookup("OrderNo", {1001}, "CustNo"), QVariant(Scalar("SELECT \"CustNo\" FROM orders WHERE \"OrderNo\" = 1001")));
    EXPECT_FALSE(orders->Lookup("OrderNo", {-5}, "CustNo").isValid());
}

TEST_P(DataSetSuite, BadStatementsAreReportedWithTheQueryName) {
    TQuery *q = Query("SELEC * FRUM customer", "BadQuery");
    try {
        q->Open();
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().startsWith("BadQuery: ")) << qPrintable(e.Message());
    }
    EXPECT_FALSE(q->Active());
    q->SQL()->SetText("SELECT * FROM no_such_table");
    EXPECT_THROW(q->Open(), EDatabaseError);
    TTable *t = Table("no_such_table", "Missing");
    try {
        t->Open();
        ADD_FAILURE();
    } catch (const EDatabaseError &e) {
        EXPECT_TRUE(e.Message().contains("no_such_table")) << qPrintable(e.Message());
    }
    q->SQL()->Clear();
    EXPECT_THROW(q->Open(), EDatabaseError);
    q->SQL()->SetText("UPDATE customer SET \"Company\" = \"Company\" WHERE 1 = 0");
    EXPECT_THROW(q->Open(), EDatabaseError);
    EXPECT_EQ(q->ExecSQL(), 0);
}

INSTANTIATE_TEST_SUITE_P(Databases, DataSetSuite, testing::ValuesIn(kBackends),
                         [](const testing::TestParamInfo<TBackend> &info) { return std::string(info.param.Label); });
