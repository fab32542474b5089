// Field classes: type mapping, published properties per class, values and texts.
#include "dblib/column_types.h"
#include "dblib/db_error.h"
#include "dblib/field_classes.h"
#include "dblib/query.h"
#include "host/class_registry.h"
#include "host/forms.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "test_env.h"

#include <gtest/gtest.h>

TEST(FieldTypes, DeclaredSQLiteTypes) {
    struct Case {
        const char *declared;
        TFieldType type;
        int size;
    } cases[] = {
        {"VARCHAR(30)", ftString, 30}, {"CHAR(4)", ftString, 4},   {"TEXT", ftString, 255},
        {"INTEGER", ftInteger, 0},     {"BIGINT", ftInteger, 0},   {"SMALLINT", ftSmallint, 0},
        {"WORD", ftWord, 0},           {"BOOLEAN", ftBoolean, 0},  {"REAL", ftFloat, 0},
        {"DOUBLE PRECISION", ftFloat, 0}, {"MONEY", ftCurrency, 0}, {"NUMERIC(10,2)", ftBCD, 2},
        {"DATE", ftDate, 0},           {"TIME", ftTime, 0},        {"DATETIME", ftDateTime, 0},
        {"TIMESTAMP", ftDateTime, 0},  {"MEMO", ftMemo, 0},        {"CLOB", ftMemo, 0},
        {"BLOB", ftBlob, 0},           {"GRAPHIC", ftGraphic, 0},  {"BYTES(8)", ftBytes, 8},
        {"VARBYTES(20)", ftVarBytes, 20}, {"AUTOINC", ftAutoInc, 0}, {"", ftUnknown, 0},
    };
    for (const Case &c : cases) {
        int size = -1, precision = -1;
        EXPECT_EQ(MapDeclaredType(c.declared, size, precision), c.type) << c.declared;
        EXPECT_EQ(size, c.size) << c.declared;
    }
    int size = 0, precision = 0;
    MapDeclaredType("decimal(12, 3)", size, precision);
    EXPECT_EQ(precision, 12);
    EXPECT_EQ(size, 3);
}

TEST(FieldTypes, PostgresTypes) {
    int size = 0, prec = 0;
    EXPECT_EQ(MapPostgresType(23, -1, -1, size, prec), ftInteger);
    EXPECT_EQ(MapPostgresType(21, -1, -1, size, prec), ftSmallint);
    EXPECT_EQ(MapPostgresType(16, -1, -1, size, prec), ftBoolean);
    EXPECT_EQ(MapPostgresType(1082, -1, -1, size, prec), ftDate);
    EXPECT_EQ(MapPostgresType(1114, -1, -1, size, prec), ftDateTime);
    EXPECT_EQ(MapPostgresType(17, -1, -1, size, prec), ftBlob);
    EXPECT_EQ(MapPostgresType(1043, 24, -1, size, prec), ftString);
    EXPECT_EQ(size, 24);
    EXPECT_EQ(MapPostgresType(1700, 10, 2, size, prec), ftBCD);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(prec, 10);
}

TEST(FieldTypes, OrdinalsAndClasses) {
    EXPECT_EQ(int(ftString), 1);
    EXPECT_EQ(int(ftDateTime), 11);
    EXPECT_EQ(int(ftAutoInc), 14);
    EXPECT_EQ(int(ftBlob), 15);
    const std::pair<const char *, TFieldType> classes[] = {
        {"TStringField", ftString}, {"TSmallintField", ftSmallint}, {"TIntegerField", ftInteger}, {"TWordField", ftWord},
        {"TBooleanField", ftBoolean}, {"TFloatField", ftFloat}, {"TCurrencyField", ftCurrency}, {"TBCDField", ftBCD},
        {"TDateField", ftDate}, {"TTimeField", ftTime}, {"TDateTimeField", ftDateTime}, {"TBytesField", ftBytes},
        {"TVarBytesField", ftVarBytes}, {"TAutoIncField", ftAutoInc}, {"TBlobField", ftBlob}, {"TMemoField", ftMemo},
        {"TGraphicField", ftGraphic}};
    TDataModule owner;
    for (const auto &[name, type] : classes) {
        EXPECT_STREQ(FieldClassOf(type)->className(), name);
        // Readers create fields by class name.
        const TComponentClass *cls = FindComponentClass(name);
        ASSERT_NE(cls, nullptr) << name;
        auto *field = qobject_cast<TField *>(cls->Create(&owner)->Object());
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->DataType(), type);
        EXPECT_EQ(field->Owner(), &owner);
    }
    for (const char *name : {"TTable", "TQuery", "TWizQuery", "TDataSource"}) EXPECT_NE(FindComponentClass(name), nullptr) << name;
}

TEST(FieldTypes, PublishedPropertiesOnlyWhereTheClassHasThem) {
    TDataModule owner;
    auto has = [&](const QMetaObject *meta, const char *prop) {
        QObject *o = FindComponentClass(meta->className())->Create(&owner)->Object();
        return PropertyExists(o, prop);
    };
    for (const char *common : {"FieldName", "Name", "Visible", "DisplayLabel", "Calculated", "Lookup", "LookupDataSet",
                               "KeyFields", "LookupKeyFields", "LookupResultField", "DataSet"})
        EXPECT_TRUE(has(&TBlobField::staticMetaObject, common)) << common;
    EXPECT_TRUE(has(&TIntegerField::staticMetaObject, "DisplayFormat"));
    EXPECT_TRUE(has(&TCurrencyField::staticMetaObject, "DisplayFormat"));
    EXPECT_TRUE(has(&TDateField::staticMetaObject, "DisplayFormat"));
    EXPECT_FALSE(has(&TStringField::staticMetaObject, "DisplayFormat"));
    EXPECT_FALSE(has(&TBooleanField::staticMetaObject, "DisplayFormat"));
    EXPECT_FALSE(has(&TMemoField::staticMetaObject, "DisplayFormat"));
    EXPECT_TRUE(has(&TFloatField::staticMetaObject, "Precision"));
    EXPECT_TRUE(has(&TBCDField::staticMetaObject, "Precision"));
    EXPECT_FALSE(has(&TIntegerField::staticMetaObject, "Precision"));
    EXPECT_FALSE(has(&TDateTimeField::staticMetaObject, "Precision"));
    EXPECT_TRUE(has(&TStringField::staticMetaObject, "Size"));
    EXPECT_TRUE(has(&TBlobField::staticMetaObject, "Size"));
    EXPECT_TRUE(has(&TBCDField::staticMetaObject, "Size"));
    EXPECT_FALSE(has(&TIntegerField::staticMetaObject, "Size"));
    // Set by name: classes without the property are left alone.
    TFloatField f(&owner);
    SetStringProperty(&f, "DisplayFormat", "#,##0.00");
    SetIntegerProperty(&f, "Precision", 8);
    EXPECT_EQ(f.DisplayFormat(), "#,##0.00");
    EXPECT_EQ(f.Precision(), 8);
    EXPECT_EQ(TFloatField().Precision(), 15);
    TStringField s(&owner);
    SetStringProperty(&s, "DisplayFormat", "0.00");
    SetIntegerProperty(&s, "Precision", 3);
    EXPECT_EQ(GetStringProperty(&s, "DisplayFormat"), "");
    SetIntegerProperty(&s, "Size", 40);
    EXPECT_EQ(s.Size(), 40);
    // Labels fall back on the field name.
    s.SetFieldName("Company");
    EXPECT_EQ(s.DisplayLabel(), "Company");
    SetStringProperty(&s, "DisplayLabel", "Firm");
    EXPECT_EQ(s.DisplayLabel(), "Firm");
}

namespace {

// Calculated fields of every class on a one-row query: values can be set and read freely.
class FieldValues : public testing::Test {
protected:
    void SetUp() override {
        Q.SetDatabaseName(TestEnv::DemoFile());
        Q.SQL()->SetText("SELECT 1 AS One");
        Q.SetName("Q");
    }
    template <class T>
    T *Calc(const QString &name) {
        auto *f = new T(&Owner);
        f->SetFieldName(name);
        f->SetCalculated(true);
        f->SetDataSet(&Q);
        return f;
    }
    TDataModule Owner;
    TQuery Q{&Owner};
};

}  // namespace

TEST_F(FieldValues, ConversionsAndTexts) {
    auto *s = Calc<TStringField>("S");
    auto *i = Calc<TIntegerField>("I");
    auto *small = Calc<TSmallintField>("Small");
    auto *w = Calc<TWordField>("W");
    auto *f = Calc<TFloatField>("F");
    auto *c = Calc<TCurrencyField>("C");
    auto *b = Calc<TBooleanField>("B");
    auto *d = Calc<TDateField>("D");
    auto *t = Calc<TTimeField>("T");
    auto *dt = Calc<TDateTimeField>("DT");
    auto *memo = Calc<TMemoField>("M");
    auto *blob = Calc<TBlobField>("Bl");
    Q.Open();
    EXPECT_TRUE(i->IsNull());
    EXPECT_EQ(i->AsString(), "");

    s->SetAsString("42");
    EXPECT_EQ(s->AsInteger(), 42);
    EXPECT_DOUBLE_EQ(s->AsFloat(), 42.0);
    s->SetAsString("forty");
    try {
        s->AsInteger();
        ADD_FAILURE();
    } catch (const EConvertError &e) {
        EXPECT_TRUE(e.Message().contains("forty"));
        EXPECT_TRUE(e.Message().contains("'S'"));
    }

    i->SetAsString("1234567");
    EXPECT_EQ(i->AsInteger(), 1234567);
    EXPECT_EQ(i->DisplayText(), "1234567");
    i->SetDisplayFormat("#,##0");
    EXPECT_EQ(i->DisplayText(), "1,234,567");
    EXPECT_EQ(i->AsString(), "1234567");
    EXPECT_THROW(i->SetAsString("12x"), EConvertError);
    EXPECT_THROW(i->AsDateTime(), EDatabaseError);
    i->SetAsFloat(2.6);
    EXPECT_EQ(i->AsInteger(), 3);
    EXPECT_THROW(small->SetAsInteger(40000), EDatabaseError);
    EXPECT_THROW(w->SetAsInteger(-1), EDatabaseError);
    w->SetAsInteger(65535);
    EXPECT_EQ(w->AsInteger(), 65535);

    f->SetAsFloat(1.0 / 3.0);
    EXPECT_EQ(f->AsString(), "0.333333333333333");
    f->SetPrecision(4);
    EXPECT_EQ(f->AsString(), "0.3333");
    f->SetDisplayFormat("0.00");
    EXPECT_EQ(f->DisplayText(), "0.33");
    EXPECT_THROW(f->SetAsString("1,5x"), EConvertError);

    c->SetAsFloat(-1234.5);
    EXPECT_EQ(c->DisplayText(), "-$1,234.50");
    EXPECT_EQ(c->Text(), "-1234.5");

    b->SetAsString("true");
    EXPECT_TRUE(b->AsBoolean());
    EXPECT_EQ(b->AsString(), "True");
    b->SetDisplayValues("Yes;No");
    b->SetAsString("n");
    EXPECT_FALSE(b->AsBoolean());
    EXPECT_EQ(b->DisplayText(), "No");
    EXPECT_THROW(b->SetAsString("maybe"), EConvertError);
    EXPECT_THROW(b->SetDisplayValues("Yes"), EDatabaseError);

    d->SetAsDateTime(EncodeDate(2004, 11, 3) + 0.75);
    EXPECT_EQ(d->AsDateTime(), EncodeDate(2004, 11, 3));  // a date keeps no time
    EXPECT_EQ(d->AsString(), "11/3/2004");
    d->SetDisplayFormat("dd.mm.yyyy");
    EXPECT_EQ(d->DisplayText(), "03.11.2004");
    d->SetAsString("2004-12-24");  // the stored form is understood too
    EXPECT_EQ(d->DisplayText(), "24.12.2004");
    EXPECT_THROW(d->SetAsString("yesterday"), EConvertError);
    t->SetAsString("14:30");
    EXPECT_EQ(t->AsString(), "2:30:00 PM");
    dt->SetAsDateTime(EncodeDate(2004, 1, 2) + EncodeTime(8, 5, 0, 0));
    dt->SetDisplayFormat("yyyy-mm-dd hh:nn");
    EXPECT_EQ(dt->DisplayText(), "2004-01-02 08:05");

    memo->SetAsString("line 1\nline 2");
    EXPECT_EQ(memo->AsString(), "line 1\nline 2");
    EXPECT_EQ(memo->DisplayText(), "(MEMO)");
    EXPECT_EQ(blob->DisplayText(), "(blob)");
    TMemoryStream in(QByteArray("\x00\x01\xff", 3));
    blob->LoadFromStream(in);
    TMemoryStream out;
    blob->SaveToStream(out);
    EXPECT_EQ(out.Data(), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(blob->DisplayText(), "(BLOB)");
    // Non-blob fields have no streams.
    EXPECT_THROW(i->SaveToStream(out), EDatabaseError);
}

TEST_F(FieldValues, FieldsNeedAClosedDatasetToJoinOrLeave) {
    Calc<TStringField>("A");
    EXPECT_THROW(Calc<TStringField>("a"), EDatabaseError);  // duplicate name
    Q.Open();
    EXPECT_THROW(Calc<TIntegerField>("B"), EDatabaseError);
    EXPECT_EQ(Q.FieldNames(), QStringList{"A"});  // calculated fields only: no data fields are added
}
