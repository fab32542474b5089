#include "model/report_constants.h"
#include "model/runtime_messages.h"

#include <gtest/gtest.h>

TEST(RuntimeMessages, DefaultTableHasItsLinesInStoredOrder) {
    const QStringList lines = DefaultRuntimeMessages();
    ASSERT_EQ(lines.size(), 133);
    EXPECT_EQ(lines.first(), "Calcfield needs database=No tables on current report! You need a table for a calculated field.");
    EXPECT_EQ(lines.last(), "PopupMenuUngroupAll=Ungroup all elements");
    EXPECT_EQ(lines.indexOf("PenMode1=default") + 15, lines.indexOf("PenMode16=inverse colors from either pen or screen color"));
    EXPECT_TRUE(lines.contains("PenStyleDashDot=\"dash-dot\" line"));
}

TEST(RuntimeMessages, LookupIgnoresCaseAndTheFirstLineWins) {
    const QStringList lines = DefaultRuntimeMessages();
    EXPECT_EQ(LookupRuntimeMessage(lines, "bandpageHEADER"), "Page Header");
    EXPECT_EQ(LookupRuntimeMessage(lines, "Error opening database"), "Error opening table %s");
    EXPECT_EQ(LookupRuntimeMessage(lines, "Datafield"), "Data field");
    EXPECT_EQ(LookupRuntimeMessage(lines, "No such key"), QString());
    EXPECT_EQ(LookupRuntimeMessage(lines, "Error opening"), QString());  // keys match whole
}

TEST(RuntimeMessages, KindTablesFindTheirTexts) {
    const QStringList lines = DefaultRuntimeMessages();
    // Every kind name of the kind tables is a key of the message table.
    for (const char *key : BandTypes) {
        if (QString(key) == "BandChildband") continue;  // shown through the "Childband" label instead
        EXPECT_FALSE(LookupRuntimeMessage(lines, key).isEmpty()) << key;
    }
    for (const char *key : CalcTypes) EXPECT_FALSE(LookupRuntimeMessage(lines, key).isEmpty()) << key;
    for (const char *key : SysDataTypes) EXPECT_FALSE(LookupRuntimeMessage(lines, key).isEmpty()) << key;
    for (const char *key : ShapeTypes) EXPECT_FALSE(LookupRuntimeMessage(lines, key).isEmpty()) << key;
}

TEST(RuntimeMessages, PrintFormVariant) {
    const QStringList lines = PrintFormRuntimeMessages();
    EXPECT_EQ(lines.size(), 132);
    EXPECT_EQ(LookupRuntimeMessage(lines, "Reportfile not found"), "Reportfile %s not found!");
    EXPECT_EQ(LookupRuntimeMessage(lines, "Error in reportfile"), "Error in reportfile!");
    EXPECT_EQ(LookupRuntimeMessage(lines, "PopupMenuUngroupAll"), QString());
    EXPECT_EQ(LookupRuntimeMessage(lines, "PopupMenuUngroup"), "Ungroup element");
}

TEST(RuntimeMessages, FormatFillsTheFirstPlaceholder) {
    EXPECT_EQ(FormatRuntimeMessage("Error writing %s!", "/tmp/a.QR2"), "Error writing /tmp/a.QR2!");
    EXPECT_EQ(FormatRuntimeMessage("Invalid value!", "x"), "Invalid value!");
    EXPECT_EQ(FormatRuntimeMessage("%s and %s", "a"), "a and %s");
    // An empty argument leaves neither the place nor a blank hanging before it.
    const QStringList lines = DefaultRuntimeMessages();
    EXPECT_EQ(FormatRuntimeMessage(LookupRuntimeMessage(lines, "Image not found"), ""),
              "Imagefile not found!");
    EXPECT_EQ(FormatRuntimeMessage(LookupRuntimeMessage(lines, "Save report"), ""), "Save report?");
    EXPECT_EQ(FormatRuntimeMessage(LookupRuntimeMessage(lines, "Error opening database"), ""),
              "Error opening table");
    EXPECT_EQ(FormatRuntimeMessage("Value %s", ""), "Value");
}
