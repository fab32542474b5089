#include "host/pen_brush.h"
#include "host/property_access.h"
#include "test_objects.h"

#include <gtest/gtest.h>

TEST(PropertyAccess, IntegerAndBooleanByNameIgnoringCase) {
    TTestElement e;
    SetIntegerProperty(&e, "bandnum", 7);
    EXPECT_EQ(e.BandNum(), 7);
    EXPECT_EQ(GetIntegerProperty(&e, "BANDNUM"), 7);
    SetIntegerProperty(&e, "BandNum", 70000);  // cut to the word width as an assignment would
    EXPECT_EQ(e.BandNum(), quint16(70000));
    SetBooleanProperty(&e, "blockmove", true);
    EXPECT_TRUE(e.BlockMove());
    EXPECT_TRUE(GetBooleanProperty(&e, "BlockMove"));
    SetIntegerProperty(&e, "GroupID", -5);
    EXPECT_EQ(GetIntegerProperty(&e, "groupid"), -5);
    // Boolean read of an ordinal is true only for exactly 1.
    SetIntegerProperty(&e, "BandNum", 1);
    EXPECT_TRUE(GetBooleanProperty(&e, "BandNum"));
    SetIntegerProperty(&e, "BandNum", 2);
    EXPECT_FALSE(GetBooleanProperty(&e, "BandNum"));
}

TEST(PropertyAccess, EnumerationsTakeOnlyTheirNamedValues) {
    TPen pen;
    SetIntegerProperty(&pen, "Style", TPen::psDot);
    EXPECT_EQ(pen.Style(), TPen::psDot);
    // Unnamed values, including ones that only match after cutting to an int, leave it as it was.
    for (qint64 bad : {qint64(-1), qint64(TPen::psInsideFrame) + 1, qint64(200), (qint64(1) << 32) + TPen::psDash}) {
        SetIntegerProperty(&pen, "Style", bad);
        EXPECT_EQ(pen.Style(), TPen::psDot) << bad;
    }
    const QMetaProperty style = FindProperty(&pen, "Style");
    EXPECT_TRUE(IsValidOrdinal(style, TPen::psClear));
    EXPECT_FALSE(IsValidOrdinal(style, 200));
    EXPECT_TRUE(IsValidOrdinal(FindProperty(&pen, "Width"), -70000));  // plain integers are not checked
}

TEST(PropertyAccess, MissingPropertiesReadNeutralAndIgnoreWrites) {
    TTestElement e;
    e.SetExpression("keep");
    const int calls = e.SetterCalls;
    EXPECT_FALSE(PropertyExists(&e, "BlockChange"));
    EXPECT_FALSE(GetBooleanProperty(&e, "BlockChange"));
    SetBooleanProperty(&e, "BlockChange", true);
    EXPECT_EQ(GetIntegerProperty(&e, "Nothing"), 0);
    SetIntegerProperty(&e, "Nothing", 3);
    EXPECT_EQ(GetStringProperty(&e, "Caption"), QString());
    SetStringProperty(&e, "Caption", "x");
    EXPECT_EQ(GetPointerProperty(&e, "Master"), nullptr);
    EXPECT_EQ(GetFloatProperty(&e, "Zoom"), 0.0);
    EXPECT_EQ(GetFontProperty(&e), nullptr);
    EXPECT_EQ(e.SetterCalls, calls);
    EXPECT_EQ(e.Expression(), "keep");
    // Null objects and empty names are missing properties too.
    EXPECT_FALSE(PropertyExists(nullptr, "Name"));
    EXPECT_EQ(GetIntegerProperty(&e, ""), 0);
}

TEST(PropertyAccess, KindMismatchBehavesAsMissing) {
    TTestElement e;
    e.SetExpression("abc");
    EXPECT_EQ(GetIntegerProperty(&e, "Expression"), 0);
    EXPECT_EQ(GetStringProperty(&e, "BandNum"), QString());
    SetStringProperty(&e, "BandNum", "5");
    EXPECT_EQ(e.BandNum(), 0);
}

TEST(PropertyAccess, StringsFloatsAndInheritedProperties) {
    TTestElement e;
    SetStringProperty(&e, "expression", "Customer.Name");
    EXPECT_EQ(e.Expression(), "Customer.Name");
    EXPECT_EQ(GetStringProperty(&e, "Expression"), "Customer.Name");
    SetFloatProperty(&e, "ratio", 2.5);
    EXPECT_DOUBLE_EQ(GetFloatProperty(&e, "Ratio"), 2.5);
    SetStringProperty(&e, "name", "Inherited1");  // declared on the base class
    EXPECT_EQ(e.Name(), "Inherited1");
    SetIntegerProperty(&e, "Tag", 42);
    EXPECT_EQ(e.Tag(), 42);
}

TEST(PropertyAccess, ObjectReferencesGoThroughTheSetter) {
    TTestElement e;
    TTestComponent ds;
    EXPECT_EQ(GetPointerProperty(&e, "Dataset"), nullptr);
    const int calls = e.SetterCalls;
    SetPointerProperty(&e, "DATASET", &ds);
    EXPECT_EQ(e.Dataset(), &ds);
    EXPECT_EQ(e.SetterCalls, calls + 1);
    EXPECT_EQ(GetPointerProperty(&e, "Dataset"), &ds);
    EXPECT_EQ(GetPointerProperty(&e, "ReadOnlyRef"), &ds);
    SetPointerProperty(&e, "ReadOnlyRef", nullptr);  // not writable: ignored
    EXPECT_EQ(e.Dataset(), &ds);
    QObject plain;
    SetPointerProperty(&e, "Dataset", &plain);  // wrong class: ignored
    EXPECT_EQ(e.Dataset(), &ds);
    SetPointerProperty(&e, "Dataset", nullptr);
    EXPECT_EQ(e.Dataset(), nullptr);
}

namespace {
struct Receiver {
    int clicks = 0;
    QObject *lastSender = nullptr;
    void Click(QObject *sender) {
        ++clicks;
        lastSender = sender;
    }
    void Other(QObject *) {}
};
}  // namespace

TEST(PropertyAccess, MethodPropertiesCanBeSetSavedAndRestored) {
    TTestElement e;
    Receiver r, r2;
    const TMethod click = TMethod::Make(&r, &Receiver::Click);
    SetMethodProperty(&e, "onclick", click);
    TMethod saved = GetMethodProperty(&e, "OnClick");
    EXPECT_TRUE(saved == click);
    EXPECT_FALSE(saved == TMethod::Make(&r2, &Receiver::Click));
    EXPECT_FALSE(saved == TMethod::Make(&r, &Receiver::Other));
    e.OnClick().Invoke<QObject *>(&e);
    EXPECT_EQ(r.clicks, 1);
    EXPECT_EQ(r.lastSender, &e);
    bool flag = false;
    EXPECT_THROW((e.OnClick().Invoke<QObject *, bool &>(nullptr, flag)), std::bad_function_call);
    SetMethodProperty(&e, "OnClick", TMethod());
    EXPECT_FALSE(e.OnClick().Assigned());
    SetMethodProperty(&e, "OnClick", saved);
    EXPECT_TRUE(e.OnClick() == click);
    SetMethodProperty(&e, "OnMissing", click);  // ignored
}

TEST(PropertyAccess, LookupsKeepTheirAnswersPastManyUnknownNames) {
    TTestElement e;
    // Names the class lacks, in numbers beyond what is remembered per class, stay missing, and
    // the real names still resolve in any spelling, by object and by class alike.
    for (int i = 0; i < 600; ++i) EXPECT_FALSE(PropertyExists(&e, QStringLiteral("Missing%1").arg(i)));
    EXPECT_FALSE(PropertyExists(&e, "Missing3"));
    for (const char *name : {"BandNum", "bandnum", "BANDNUM", "bAnDnUm"}) {
        const QMetaProperty p = FindProperty(&e, name);
        ASSERT_TRUE(p.isValid()) << name;
        EXPECT_STREQ(p.name(), "BandNum");
        EXPECT_EQ(FindProperty(e.metaObject(), name).propertyIndex(), p.propertyIndex());
    }
    // The writes with a property looked up once apply the checks of the writes by name.
    const QMetaProperty bandNum = FindProperty(&e, "BandNum");
    WriteIntegerProperty(&e, bandNum, 9);
    EXPECT_EQ(e.BandNum(), 9);
    WriteIntegerProperty(nullptr, bandNum, 10);
    WriteFloatProperty(&e, bandNum, 2.5);  // not a float property: nothing written
    WriteStringProperty(&e, bandNum, "x");
    EXPECT_EQ(e.BandNum(), 9);
    WritePointerProperty(&e, FindProperty(&e, "Dataset"), &e);
    EXPECT_EQ(ReadPointerProperty(&e, FindProperty(&e, "dataset")), &e);
    EXPECT_EQ(ReadPointerProperty(&e, bandNum), nullptr);
}
