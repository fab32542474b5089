#include "model/report_constants.h"

#include <gtest/gtest.h>

TEST(ReportConstants, FileIdentifiers) {
    EXPECT_EQ(OldReportFileID, 1026);
    EXPECT_EQ(OldReportFileID093, 1027);
    EXPECT_EQ(ReportFileID, 1028);
    EXPECT_EQ(ElementFileID, 4097);
}

TEST(ReportConstants, KindTablesAreIndexedByTheLibraryOrdinals) {
    EXPECT_EQ(KindName(BandTypes, 10), "BandChildband");
    EXPECT_EQ(KindName(BandTypes, 7), "BandSubDetail");
    EXPECT_EQ(KindName(BandTypes, 5), "BandGroupheader");
    EXPECT_EQ(KindName(CalcTypes, 4), "CalcAverage");
    EXPECT_EQ(KindName(SysDataTypes, 3), "SysdataPagenumber");
    EXPECT_EQ(KindName(ShapeTypes, 5), "ShapeLeftRightLines");
    // Out-of-range ordinals, as a damaged file may hold, give no name instead of a crash.
    EXPECT_EQ(KindName(BandTypes, 11), QString());
    EXPECT_EQ(KindName(ShapeTypes, -1), QString());
}

TEST(ReportConstants, KindNamesFitTheirTwentyCharacterEntries) {
    auto check = [](const auto &table) {
        for (const char *name : table) EXPECT_LE(qstrlen(name), size_t(KindNameLength)) << name;
    };
    check(BandTypes);
    check(CalcTypes);
    check(SysDataTypes);
    check(ShapeTypes);
}
