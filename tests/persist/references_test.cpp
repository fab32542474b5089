// References by name and number across owners, band numbering, and the printer setup option.
#include "persist_fixture.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "persist/band_numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(References, DatasetsOfTheDatabaseOwnerTravelByName) {
    TForm owner;
    auto *shared = new TTable(&owner);
    shared->SetName(QStringLiteral("Shared"));
    auto *source = new TDataSource(&owner);
    source->SetName(QStringLiteral("SharedSource"));
    source->SetDataSet(shared);

    TReportForm f;
    f.Designer->SetDatabaseOwner(&owner);
    f.Report->SetDataSet(shared);
    auto *sub = f.Add<TVendamoSubdetail>(QStringLiteral("Sub"), f.Report);
    sub->SetDataSet(shared);
    auto *text = f.AddElement<TVendamoDBText>(QStringLiteral("Text"), sub, 0, 0, 10, 5);
    text->SetDataSet(shared);
    const QByteArray bytes = f.Save();
    // The owner's data source is numbered after the form's, but records use the name.
    EXPECT_EQ(source->Tag(), 1);
    const int report = FindRecord(bytes, 255, 356);
    EXPECT_EQ(Bin::GetWord(bytes, report + 4), 0xFFFF);
    EXPECT_EQ(bytes.mid(report + 4 + 356, 7), TBytes().Str("Shared").Data());

    TReportForm g;
    g.Designer->SetDatabaseOwner(&owner);
    ASSERT_TRUE(g.Load(bytes));
    EXPECT_EQ(g.Report->DataSet(), shared);
    EXPECT_EQ(g.Find<TVendamoSubdetail>(QStringLiteral("Sub"))->DataSet(), shared);
    EXPECT_EQ(g.Find<TVendamoDBText>(QStringLiteral("Text"))->DataSet(), shared);
    // Without the owner the names find nothing; the load still succeeds.
    TReportForm h;
    ASSERT_TRUE(h.Load(bytes));
    EXPECT_EQ(h.Find<TVendamoDBText>(QStringLiteral("Text"))->DataSet(), nullptr);
    // With data modules allowed, a data module holding the name is searched too.
    TDataModule module;
    auto *moduled = new TTable(&module);
    moduled->SetName(QStringLiteral("Shared"));
    h.Designer->SetUseDataModules(true);
    ASSERT_TRUE(h.Load(bytes));
    EXPECT_EQ(h.Find<TVendamoDBText>(QStringLiteral("Text"))->DataSet(), moduled);
    f.Designer->SetDatabaseOwner(nullptr);
    g.Designer->SetDatabaseOwner(nullptr);
}

TEST(References, BandNumbersFollowComponentOrderAtEverySave) {
    TReportForm f;
    TVendamoBand *a = f.AddBand(QStringLiteral("A"), rbTitle);
    TVendamoBand *b = f.AddBand(QStringLiteral("B"), rbDetail);
    f.Save();
    EXPECT_EQ(a->BandNum(), 1);
    EXPECT_EQ(b->BandNum(), 2);
    f.Save();
    EXPECT_EQ(b->BandNum(), 2);
    b->SetComponentIndex(0);
    f.Save();
    EXPECT_EQ(b->BandNum(), 1);
    EXPECT_EQ(a->BandNum(), 2);
    EXPECT_EQ(GetBand(f.Form.get(), 2), a);
    EXPECT_EQ(GetBand(f.Form.get(), 0), nullptr);
    EXPECT_EQ(GetBand(f.Form.get(), 3), nullptr);
    EXPECT_EQ(MasterNumber(f.Report), 9999);
    EXPECT_EQ(MasterNumber(nullptr), 0);
}

TEST(References, BandLookupFollowsChangesToTheBands) {
    TReportForm f, g;
    TVendamoBand *a = f.AddBand(QStringLiteral("A"), rbTitle);
    TVendamoBand *b = f.AddBand(QStringLiteral("B"), rbDetail);
    TVendamoBand *other = g.AddBand(QStringLiteral("Other"), rbDetail);
    a->SetBandNum(1);
    b->SetBandNum(2);
    other->SetBandNum(1);
    EXPECT_EQ(GetBand(f.Form.get(), 1), a);
    EXPECT_EQ(GetBand(g.Form.get(), 1), other);
    EXPECT_EQ(GetBand(f.Form.get(), 1), a);
    a->SetBandNum(7);  // renumbered: found under its new number only
    EXPECT_EQ(GetBand(f.Form.get(), 1), nullptr);
    EXPECT_EQ(GetBand(f.Form.get(), 7), a);
    TVendamoBand *c = f.AddBand(QStringLiteral("C"), rbSummary);
    c->SetBandNum(3);
    EXPECT_EQ(GetBand(f.Form.get(), 3), c);
    TVendamoBand *twin = f.AddBand(QStringLiteral("Twin"), rbSummary);
    twin->SetBandNum(2);  // a later band of a number taken: the first one stays the answer
    EXPECT_EQ(GetBand(f.Form.get(), 2), b);
    delete b;
    EXPECT_EQ(GetBand(f.Form.get(), 2), twin);
    delete c;
    EXPECT_EQ(GetBand(f.Form.get(), 3), nullptr);
}

TEST(References, PrinterSetupOnlyWithTheOption) {
    TReportForm f;
    f.Report->PrinterSettings()->SetCopies(4);
    f.Report->PrinterSettings()->SetOutputBin(3);
    EXPECT_EQ(FindRecord(f.Save(), 102, 262), -1);
    f.Designer->SetSaveLoadPrinterSetup(true);
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 102, 262);
    ASSERT_GT(at, 0);
    EXPECT_EQ(bytes.mid(at + 4, 6), TBytes().Byte(3).Int(4).Byte(0).Data());

    // The block is applied only with the option. (The writer puts it before the report record,
    // whose own printer settings then follow; here it comes after it.)
    QByteArray block = bytes.mid(at, 4 + 262);
    block[4] = 7;  // output bin
    QByteArray moved = bytes;
    moved.remove(at, block.size());
    moved.insert(moved.size() - 2, block);
    TReportForm g;
    ASSERT_TRUE(g.Load(moved));
    EXPECT_EQ(g.Report->PrinterSettings()->OutputBin(), 3);
    g.Designer->SetSaveLoadPrinterSetup(true);
    ASSERT_TRUE(g.Load(moved));
    EXPECT_EQ(g.Report->PrinterSettings()->OutputBin(), 7);
    EXPECT_EQ(g.Report->PrinterSettings()->Copies(), 4);
}

TEST(References, WizardFlagCountsWhenNotZero) {
    TReportForm f;
    TBytes b = HandReportStart();
    TBytes q;
    q.Fixed("Wiz").Word(1).Fixed("DEMODB").Word(0).Word(0).Byte(0).Word(0).Byte(0).Byte(7);
    b.Record(53, 523).Raw(q.Data()).Str("customer.db").Word(0).Word(1);
    b.Byte(100).Str("CustNo").Byte(1).Byte(0).Str("1000").Byte(0).Byte(0);  // older layout, not numeric
    b.Raw(HandReportRecord()).Word(256);
    TScriptedInteraction ui;
    ASSERT_TRUE(f.Load(b.Data()));
    auto *wizard = f.Find<TWizQuery>(QStringLiteral("Wiz"));
    ASSERT_NE(wizard, nullptr);
    ASSERT_EQ(wizard->Filters().size(), 1);
    EXPECT_EQ(wizard->Filters()[0]->FieldType, 1);
    EXPECT_FALSE(wizard->Filters()[0]->CaseSensitive);
    EXPECT_EQ(wizard->Filters()[0]->Operator, qfoGreater);
    // A filter count the stream cannot hold fails the load.
    QByteArray damaged = b.Data();
    const int count = int(damaged.indexOf(TBytes().Str("customer.db").Word(0).Word(1).Data())) + 14;
    damaged[count] = char(0xFF);
    EXPECT_FALSE(f.Load(damaged));
}

}  // namespace
