#include "dblib/query.h"
#include "host/stream.h"
#include "model/report_file_service.h"
#include "persist/report_writer.h"
#include "persist_fixture.h"
#include "test_paths.h"

#include <gtest/gtest.h>

namespace {

// A saved report with a title band, a detail band and a label.
QByteArray SavedReport() {
    TReportForm source;
    TVendamoBand *title = source.AddBand("TitleBand", rbTitle, 15);
    source.AddBand("DetailBand", rbDetail, 8);
    auto *label = source.AddElement<TVendamoLabel>("Heading", title, 5, 2, 60, 6);
    label->SetCaption("Quarterly figures");
    return source.Save();
}

}  // namespace

// Nothing in this program installs the reader: linking the library is enough.
TEST(LoaderLoading, LoadsFilesStreamsAndBlobsThroughTheInstalledReader) {
    TScriptedInteraction script;  // a missing reader says so instead of opening a dialog
    const QByteArray bytes = SavedReport();
    TestDir dir;
    const QString file = dir.Path("figures.QR2");
    ASSERT_TRUE(WriteWholeFile(file, bytes));

    TReportForm target;
    ASSERT_TRUE(target.Designer->LoadReport(file));
    ASSERT_NE(target.Find<TVendamoLabel>("Heading"), nullptr);
    EXPECT_EQ(target.Find<TVendamoLabel>("Heading")->Caption(), "Quarterly figures");
    EXPECT_EQ(target.All<TVendamoBand>().size(), 2);
    EXPECT_TRUE(script.Errors().isEmpty());

    TReportForm fromStream;
    TMemoryStream stream(bytes);
    ASSERT_TRUE(fromStream.Designer->LoadReport_FromStream(stream));
    EXPECT_EQ(fromStream.All<TVendamoBand>().size(), 2);
}

TEST(LoaderLoading, DatasetsOfTheFormGetTheCalcFieldsHandler) {
    TReportForm target;
    auto *query = new TQuery(target.Form.get());
    query->SetName("Orders");
    TMemoryStream stream(SavedReport());
    ASSERT_TRUE(target.Designer->LoadReport_FromStream(stream));
    // A query of the application that the load kept (it is no table or query of the report
    // file's own) now forwards its calculations to the loader.
    auto *kept = dynamic_cast<TQuery *>(target.Form->FindComponent("Orders"));
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->OnCalcFields() == target.Designer->CalcFieldsHandler());
}

TEST(LoaderLoading, MissingFileAndMissingReaderAreReportedNotHidden) {
    TReportForm target;
    TScriptedInteraction script;
    TestDir dir;
    EXPECT_FALSE(target.Designer->LoadReport(dir.Path("nothing.QR2")));
    ASSERT_FALSE(script.Errors().isEmpty());

    TReportFileService *installed = ReportFileService();
    SetReportFileService(nullptr);
    script.Clear();
    EXPECT_FALSE(target.Designer->LoadReport(dir.Path("nothing.QR2")));
    ASSERT_EQ(script.Errors().size(), 1);
    EXPECT_TRUE(script.Errors()[0].contains("not linked"));
    SetReportFileService(installed);
}
