// The reader on hand-made files: what older or foreign writers may leave out, and damage.
#include "persist_fixture.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "persist/report_reader.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <ctime>
#include <gtest/gtest.h>

namespace {

// The common block and strings of an element on a band, for hand-made element records.
TBytes CommonPart(int bandNum, const QByteArray &name, double left = 1, double top = 1) {
    TBytes b;
    b.Word(69).Word(bandNum).Byte(1).Ext(top).Ext(left).Ext(20).Ext(5);
    b.Int(0).Zeros(5).Word(1).Zeros(7).Int(0).Int(0);
    b.Str("").Str(name);
    return b;
}

TBytes DetailReport() {
    TBytes b = HandReportStart();
    b.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail"));
    return b;
}

const QString ErrorText = QStringLiteral("Error in report file!");

TEST(Reader, StreamWithoutEndMarkerLoadsToItsEnd) {
    TReportForm f;
    TScriptedInteraction ui;
    const QByteArray bytes = DetailReport().Raw(HandLabelRecord(1, "Label1", "Hi")).Data();
    ASSERT_TRUE(f.Load(bytes));
    auto *label = f.Find<TVendamoLabel>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QStringLiteral("Hi"));
    EXPECT_EQ(label->parent(), f.Find<TVendamoBand>(QStringLiteral("Detail")));
    EXPECT_EQ(f.Report->ReportTitle(), QStringLiteral("Hand made"));
    EXPECT_TRUE(ui.Errors().isEmpty());
}

TEST(Reader, ExpressionBlockWithoutChunkCountReadsOneChunk) {
    TReportForm f;
    TBytes b = DetailReport();
    b.Record(2, 16).Raw(CommonPart(1, "Expr1").Data()).Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Zeros(4).Int(0xFFFFFF).Word(0).Zeros(4).Word(0);  // 16 bytes: no chunk count
    b.Str("1 + 2").Str("#0").Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    auto *e = f.Find<TVendamoExpr>(QStringLiteral("Expr1"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Expression(), QStringLiteral("1 + 2"));
    EXPECT_EQ(e->Mask(), QStringLiteral("#0"));
}

TEST(Reader, PageSizeAndOptionsRules) {
    TReportForm f;
    // Paper size 4 is not custom: the stored width and length do not count.
    ASSERT_TRUE(f.Load(HandReportStart().Raw(HandReportRecord(0, 4, 123, 456, 0)).Word(256).Data()));
    EXPECT_NE(f.Report->Page()->Width(), 123);
    EXPECT_NE(f.Report->Page()->Length(), 456);
    // Options without FirstPageHeader come back with both header and footer options.
    EXPECT_EQ(f.Report->Options() & 3, 3);
    ASSERT_TRUE(f.Load(HandReportStart().Raw(HandReportRecord(0, 27, 123, 456)).Word(256).Data()));
    EXPECT_DOUBLE_EQ(f.Report->Page()->Width(), 123);
    EXPECT_DOUBLE_EQ(f.Report->Page()->Length(), 456);
}

TEST(Reader, MillimetreFileIntoInchReportKeepsInchesWithConvertedSizes) {
    TReportForm f;
    f.Report->SetUnits(ruInches);
    TReportLoadInfo info;
    const QByteArray bytes = DetailReport().Raw(HandLabelRecord(1, "L", "x", 25.4, 50.8)).Word(256).Data();
    TMemoryStream s(bytes);
    ASSERT_TRUE(Load_Report_From_Stream(s, nullptr, f.Designer, true, QString(), f.Report, f.Form.get(), &info));
    EXPECT_EQ(f.Report->Units(), ruInches);
    EXPECT_EQ(info.StoredUnits, int(ruMM));
    auto *label = f.Find<TVendamoLabel>(QStringLiteral("L"));
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->SizeValue(1), 1.0, 1e-12);
    EXPECT_NEAR(label->SizeValue(2), 2.0, 1e-12);
    EXPECT_NEAR(f.Report->Page()->LeftMargin(), 10 / 25.4, 1e-12);
}

TEST(Reader, GroupMaster9999IsTheReport) {
    TReportForm f;
    TBytes b = HandReportStart();
    b.Raw(HandReportRecord());
    b.Raw(HandBandRecord(1, 5, "Group1", 10, 1));
    b.Word(262).Fixed("Customer.Country").Word(0).Word(9999).Word(0);
    b.Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    auto *g = f.Find<TVendamoGroup>(QStringLiteral("Group1"));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Expression(), QStringLiteral("Customer.Country"));
    EXPECT_EQ(g->Master(), f.Report);
}

TEST(Reader, LookupRecordByNameIsFollowedByTheName) {
    TReportForm f;
    TBytes b = HandReportStart();
    b.Record(57, 1543);
    TBytes block;
    block.Fixed("Lookup").Byte(1).Word(20).Fixed("").Fixed("").Word(0).Fixed("CustNo").Word(0xFFFF).Fixed("CustNo").Fixed("Company");
    b.Raw(block.Data()).Str("SomeDataset");
    b.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail")).Raw(HandLabelRecord(1, "After", "x")).Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    EXPECT_NE(f.Find<TVendamoLabel>(QStringLiteral("After")), nullptr);
}

TEST(Reader, LargerStoredBlocksAreReadToTheCurrentLengthAndTheRestSkipped) {
    TReportForm f;
    TBytes b = HandReportStart();
    b.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail", 20, 0, 330));
    // A label block of 20 bytes: the 13 known ones and 7 more.
    b.Record(0, 20).Raw(CommonPart(1, "Wide").Data()).Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Byte(2).Zeros(3).Int(0x00FF00).Zeros(3).Word(0).Raw("1234567").Str("caption");
    b.Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    auto *label = f.Find<TVendamoLabel>(QStringLiteral("Wide"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), QStringLiteral("caption"));
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->Color(), 0x00FF00);
    EXPECT_DOUBLE_EQ(f.Find<TVendamoBand>(QStringLiteral("Detail"))->SizeValue(0), 20);
}

TEST(Reader, CountsBeyondTheStreamEndTheLoad) {
    TScriptedInteraction ui;
    TReportForm f;
    TBytes b = DetailReport();
    b.Record(7, 15).Raw(CommonPart(1, "Memo1").Data()).Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Zeros(4).Int(0).Zeros(3).Int(1000000);  // a million lines promised
    b.Str("only one").Word(256);
    EXPECT_FALSE(f.Load(b.Data()));
    EXPECT_EQ(ui.Errors(), QStringList{ErrorText});
    // What was read before the damaged record stays, shown like a band of a sound file.
    auto *band = f.Find<TVendamoBand>(QStringLiteral("Detail"));
    ASSERT_NE(band, nullptr);
    EXPECT_FALSE(band->isHidden());
    EXPECT_EQ(f.Find<TVendamoMemo>(QStringLiteral("Memo1")), nullptr);
}

TEST(Reader, BandsAndTheirElementsAreShownOnceLoaded) {
    TReportForm f;
    TScriptedInteraction ui;
    TBytes b = DetailReport().Raw(HandBandRecord(2, rbSummary, "Sum"));
    for (int i = 0; i < 30; ++i) b.Raw(HandLabelRecord(1 + i % 2, QStringLiteral("L%1").arg(i).toLatin1(), "x"));
    ASSERT_TRUE(f.Load(b.Data()));
    const QList<TRepBand *> bands = f.All<TRepBand>();
    ASSERT_EQ(bands.size(), 2);
    for (TRepBand *band : bands) EXPECT_FALSE(band->isHidden()) << band->Name().toStdString();
    for (int i = 0; i < 30; ++i) {
        auto *label = f.Find<TVendamoLabel>(QStringLiteral("L%1").arg(i));
        ASSERT_NE(label, nullptr) << i;
        EXPECT_FALSE(label->isHidden()) << i;
        EXPECT_EQ(label->parentWidget(), bands[i % 2]) << i;
    }
}

TEST(Reader, BandOfItsOwnClassWithAnotherTypeIsRefused) {
    TScriptedInteraction ui;
    TReportForm f;
    const QByteArray bytes = HandReportStart().Raw(HandReportRecord()).Raw(HandBandRecord(1, 3, "Odd", 20, 1)).Word(256).Data();
    EXPECT_FALSE(f.Load(bytes));
    EXPECT_EQ(ui.Errors(), QStringList{ErrorText});
    EXPECT_TRUE(f.All<TRepBand>().isEmpty());
}

TEST(Reader, WrongIdentifiersAndUnknownKindsAreRefused) {
    TScriptedInteraction ui;
    TReportForm f;
    f.AddBand(QStringLiteral("Kept"), rbDetail);
    for (int id : {0x0402, 0x0403, 0x1001}) {
        QByteArray bytes = HandReportStart().Raw(HandReportRecord()).Word(256).Data();
        bytes[0] = char(id & 0xFF);
        bytes[1] = char(id >> 8);
        EXPECT_FALSE(f.Load(bytes));
    }
    EXPECT_FALSE(f.Load(QByteArray("\x04")));
    EXPECT_EQ(ui.Errors().size(), 4);
    // A wrong identifier leaves the form as it was.
    EXPECT_NE(f.Find<TVendamoBand>(QStringLiteral("Kept")), nullptr);

    ui.Clear();
    f.Report->SetUnits(ruInches);
    const QByteArray unknown =
        DetailReport().Record(77, 4).Raw("abcd").Raw(HandLabelRecord(1, "Never", "x")).Word(256).Data();
    EXPECT_FALSE(f.Load(unknown));
    EXPECT_EQ(ui.Errors(), QStringList{ErrorText});
    EXPECT_NE(f.Find<TVendamoBand>(QStringLiteral("Detail")), nullptr);
    EXPECT_EQ(f.Find<TVendamoLabel>(QStringLiteral("Never")), nullptr);
    // The report's units come back on this path too.
    EXPECT_EQ(f.Report->Units(), ruInches);
}

TEST(Reader, MissingFileAndMissingImage) {
    TScriptedInteraction ui;
    TReportForm f;
    TestDir dir;
    EXPECT_FALSE(Load_Report(f.Designer, f.Form.get(), f.Report, nullptr, dir.Path("none.QR2")));
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Report file %1 not found!").arg(dir.Path("none.QR2"))});

    ui.Clear();
    TBytes b = DetailReport();
    b.Record(5, 3).Raw(CommonPart(1, "Pic").Data()).Byte(0).Byte(0).Byte(0).Str("/no/such/dir/nopic.bmp");
    b.Raw(HandLabelRecord(1, "AfterPic", "x")).Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Imagefile /no/such/dir/nopic.bmp not found!")});
    EXPECT_EQ(f.Find<TVendamoImage>(QStringLiteral("Pic")), nullptr);
    EXPECT_NE(f.Find<TVendamoLabel>(QStringLiteral("AfterPic")), nullptr);
}

TEST(Reader, ImageFoundInTheApplicationDirectoryTakesThatPath) {
    TReportForm f;
    const QString name = QStringLiteral("persist_test_%1.bmp").arg(QCoreApplication::applicationPid());
    const QString inAppDir = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(inAppDir, "BMP"));
    TBytes b = DetailReport();
    b.Record(5, 3).Raw(CommonPart(1, "Pic").Data()).Byte(1).Byte(0).Byte(0).Str("/gone/" + name.toLatin1());
    b.Word(256);
    const bool loaded = f.Load(b.Data());
    QFile::remove(inAppDir);
    ASSERT_TRUE(loaded);
    auto *pic = f.Find<TVendamoImage>(QStringLiteral("Pic"));
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Filename(), inAppDir);
    EXPECT_EQ(pic->Picture()->Width(), 3);
    EXPECT_TRUE(pic->AutoSize());
}

TEST(Reader, ElementOfAMissingBandHasNoParent) {
    TReportForm f;
    ASSERT_TRUE(f.Load(DetailReport().Raw(HandLabelRecord(7, "Orphan", "x")).Word(256).Data()));
    auto *label = f.Find<TVendamoLabel>(QStringLiteral("Orphan"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parent(), nullptr);
}

TEST(Reader, UnnamedBandGetsAUniqueName) {
    TReportForm f;
    TBytes b = HandReportStart();
    b.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbTitle, "")).Raw(HandBandRecord(2, rbDetail, "")).Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    const QList<TVendamoBand *> bands = f.All<TVendamoBand>();
    ASSERT_EQ(bands.size(), 2);
    EXPECT_TRUE(bands[0]->Name().startsWith(QLatin1String("BAND")));
    EXPECT_NE(bands[0]->Name(), bands[1]->Name());
    EXPECT_EQ(bands[1]->BandNum(), 2);
}

// Each band read changes the band several times; the bands are stacked once, after the load
// (stacking after every change made a file of thousands of bands load in time that grew with
// the square of their number; the fuzzing regression inputs watch the time).
TEST(Reader, OverAThousandBandsLoadStacked) {
    QByteArray bytes;
    {
        TReportForm source;
        for (int i = 0; i < 400; ++i) {
            TRepBand *parent = source.AddBand(QStringLiteral("Detail%1").arg(i), rbDetail, 2);
            for (int k = 0; k < 2; ++k) {
                auto *child = source.Add<TVendamoChildBand>(QStringLiteral("Child%1_%2").arg(i).arg(k), source.Report);
                child->SetParentBand(parent);
                parent = child;
            }
        }
        bytes = source.Save(false);
    }
    TReportForm f;
    ASSERT_TRUE(f.Load(bytes, false));
    const QList<TRepBand *> order = f.Report->PrintOrder();
    ASSERT_EQ(order.size(), 1200);
    for (int i = 1; i < order.size(); ++i) ASSERT_EQ(order[i]->y(), order[i - 1]->y() + order[i - 1]->height()) << i;
    auto *lastChild = f.Find<TVendamoChildBand>(QStringLiteral("Child399_1"));
    ASSERT_NE(lastChild, nullptr);
    EXPECT_EQ(order.last(), lastChild);
    EXPECT_GE(f.Report->height(), lastChild->y() + lastChild->height());
}

// A file may repeat a name thousands of times; the repeats still get the smallest free numbers,
// in order (each no longer tries every number from 1 again).
TEST(Reader, ThousandsOfElementsOfOneNameGetNumbersInOrder) {
    TReportForm f;
    TBytes b = DetailReport();
    for (int i = 0; i < 3000; ++i) b.Raw(HandLabelRecord(1, "Same", "x"));
    ASSERT_TRUE(f.Load(b.Word(256).Data()));
    const QList<TVendamoLabel *> labels = f.All<TVendamoLabel>();
    ASSERT_EQ(labels.size(), 3000);
    EXPECT_EQ(labels[0]->Name(), QStringLiteral("Same"));
    for (int i = 1; i < labels.size(); ++i) ASSERT_EQ(labels[i]->Name(), QStringLiteral("Same%1").arg(i));
}

TEST(Reader, LoaderWithoutReportRefusesToLoad) {
    TScriptedInteraction ui;
    TForm form;
    TTestDesigner loader(&form);
    TMemoryStream s(HandReportStart().Raw(HandReportRecord()).Word(256).Data());
    EXPECT_FALSE(Load_Report_From_Stream(s, nullptr, &loader, true, QString(), nullptr, &form));
    EXPECT_EQ(ui.Errors(), QStringList{ErrorText});
}

TEST(Reader, ApplicationDataGoesToOnLoadReport) {
    TReportForm f;
    QByteArray received;
    f.Designer->SetOnLoadReport(TMethod::FromFunction(
        std::function<void(TStream *)>([&](TStream *s) { received = s->ReadBytes(s->Remaining()); }), &f));
    TBytes b = HandReportStart();
    b.Record(58, 5).Raw("hello").Raw(HandReportRecord()).Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    EXPECT_EQ(received, QByteArray("hello"));
}

}  // namespace
