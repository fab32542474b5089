// Query parameters: finding them in SQL text and converting their values.
#include "dblib/field_classes.h"
#include "dblib/params.h"
#include "dblib/query.h"
#include "host/conversions.h"
#include "host/exceptions.h"

#include <gtest/gtest.h>

TEST(Params, PlaceholdersOutsideQuotesAndComments) {
    QStringList names;
    const QString sql = TParams::ParseSQL(
        "SELECT ':no', \":no\", x::text, '10:30' FROM t -- :no\n"
        "WHERE a = :first AND b = :\"second one\" /* :no */ AND c = :first AND d = 10:30",
        names);
    EXPECT_EQ(names, (QStringList{"first", "second one", "first"}));
    EXPECT_EQ(sql, "SELECT ':no', \":no\", x::text, '10:30' FROM t -- :no\n"
                   "WHERE a = ? AND b = ? /* :no */ AND c = ? AND d = 10:30");
    // An unterminated quote swallows the rest instead of running past the end.
    names.clear();
    EXPECT_EQ(TParams::ParseSQL("SELECT 'abc :x", names), "SELECT 'abc :x");
    EXPECT_TRUE(names.isEmpty());
}

TEST(Params, RepeatedNamesAreOneParameter) {
    TQuery q;
    q.SQL()->SetText("SELECT * FROM t WHERE a = :p OR b = :P OR c = :q");
    EXPECT_EQ(q.ParamCount(), 2);
    EXPECT_EQ(q.Params().Names(), (QStringList{"p", "q"}));
}

TEST(Params, TextsAreReadByTheDataType) {
    TParam p("When", ftDate);
    p.SetText("11/3/2004");
    EXPECT_EQ(p.AsDateTime(), EncodeDate(2004, 11, 3));
    EXPECT_EQ(p.AsString(), "11/3/2004");
    p.SetText("2004-12-24");
    EXPECT_EQ(p.AsDateTime(), EncodeDate(2004, 12, 24));
    try {
        p.SetText("next week");
        ADD_FAILURE();
    } catch (const EConvertError &e) {
        EXPECT_TRUE(e.Message().contains("When"));
    }
    EXPECT_EQ(p.AsDateTime(), EncodeDate(2004, 12, 24));  // a refused text changes nothing
    p.SetText("");
    EXPECT_TRUE(p.IsNull());
    EXPECT_TRUE(p.Bound());

    TParam s("Name");
    s.SetText("");
    EXPECT_EQ(s.DataType(), ftString);
    EXPECT_FALSE(s.IsNull());  // an empty text is a value for strings

    TParam small("N", ftSmallint);
    EXPECT_THROW(small.SetText("70000"), EConvertError);
    small.SetText(" 12 ");
    EXPECT_EQ(small.AsInteger(), 12);
    TParam f("F", ftFloat);
    f.SetText("2.5");
    EXPECT_DOUBLE_EQ(f.AsFloat(), 2.5);
    TParam b("B", ftBoolean);
    b.SetText("yes");
    EXPECT_TRUE(b.AsBoolean());
    EXPECT_THROW(b.SetText("perhaps"), EConvertError);
    // Changing the type converts the value, or drops it when it does not fit.
    TParam c("C", ftString);
    c.SetText("42");
    c.SetDataType(ftInteger);
    EXPECT_EQ(c.AsInteger(), 42);
    c.SetDataType(ftString);
    c.SetText("abc");
    c.SetDataType(ftInteger);
    EXPECT_TRUE(c.IsNull());
}

TEST(Params, CopiesAndValuesByName) {
    TParams a;
    a.CreateParam(ftInteger, "Id", ptInput).SetAsInteger(7);
    TParam &unbound = a.CreateParam(ftString, "Name", ptInput);
    EXPECT_FALSE(unbound.Bound());
    TParams b;
    b.CreateParam(ftUnknown, "id", ptInput);
    b.CreateParam(ftUnknown, "Other", ptInput);
    b.AssignValues(a);
    EXPECT_EQ(b.ParamByName("ID").AsInteger(), 7);
    EXPECT_EQ(b[0].Name(), "id");
    EXPECT_TRUE(b[0].Bound());
    EXPECT_EQ(b[1].DataType(), ftUnknown);
    TParams copy = a;
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0].AsInteger(), 7);
    EXPECT_NE(&copy[0], &a[0]);
    EXPECT_EQ(copy.FindParam("missing"), nullptr);
}
