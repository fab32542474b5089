// Element streams and element files, and the title peek.
#include "persist_fixture.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "host/component_stream.h"
#include "host/exceptions.h"
#include "persist/element_streams.h"
#include "persist/report_title.h"
#include "test_paths.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Reads an element stream back into a form, as pasting does, restoring dataset references.
QList<TComponent *> Paste(TStream &s, TReportForm &into) {
    s.SetPosition(0);
    TComponentReader reader(s, into.Form.get(), into.Report);
    reader.OnSetName = [](TComponent *, QString &name) { name = QString(); };  // names may collide
    QList<TComponent *> pasted = reader.ReadComponents();
    TComponent *owner = into.Designer->DatabaseOwner();
    for (TComponent *c : into.Form->Components()) RestoreDatasetReference(c->Object(), owner);
    return pasted;
}

struct TShared {
    TForm Owner;
    TTable *Table;
    TDataSource *Source;
    TShared() {
        Owner.SetName(QStringLiteral("DataModuleForm"));
        auto *first = new TDataSource(&Owner);
        first->SetName(QStringLiteral("Unrelated"));
        Table = new TTable(&Owner);
        Table->SetName(QStringLiteral("SharedTable"));
        Source = new TDataSource(&Owner);
        Source->SetName(QStringLiteral("SharedSource"));
        Source->SetDataSet(Table);
    }
};

TEST(ElementStreams, BandTravelsWithItsElementsAndDatabaseOwnerDatasets) {
    TShared shared;
    TReportForm f;
    f.Designer->SetDatabaseOwner(&shared.Owner);
    auto *local = new TTable(f.Form.get());
    local->SetName(QStringLiteral("LocalTable"));
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *a = f.AddElement<TVendamoDBText>(QStringLiteral("A"), band, 1, 1, 10, 5);
    a->SetDataSet(shared.Table);
    a->SetDataField(QStringLiteral("Company"));
    a->SetTag(99);
    auto *b = f.AddElement<TVendamoDBText>(QStringLiteral("B"), band, 1, 8, 10, 5);
    b->SetDataSet(local);
    b->SetTag(55);

    TMemoryStream s;
    ASSERT_TRUE(CopyElementsToStream(f.Designer, {band}, s));
    // After copying, the references are back; the Tag carries the number (or 0 for the form's).
    EXPECT_EQ(a->DataSet(), shared.Table);
    EXPECT_EQ(a->Tag(), 2);
    EXPECT_EQ(b->DataSet(), local);
    EXPECT_EQ(b->Tag(), 0);

    TReportForm g;
    g.Designer->SetDatabaseOwner(&shared.Owner);
    const QList<TComponent *> pasted = Paste(s, g);
    ASSERT_EQ(pasted.size(), 1);
    QList<TVendamoDBText *> texts = g.All<TVendamoDBText>();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0]->DataSet(), shared.Table);
    EXPECT_EQ(texts[0]->DataField(), QStringLiteral("Company"));
    EXPECT_EQ(texts[0]->parent(), pasted.first()->Object());
    EXPECT_EQ(texts[1]->DataSet(), nullptr);  // the form's own dataset travels by name; g has none
    g.Designer->SetDatabaseOwner(nullptr);
    f.Designer->SetDatabaseOwner(nullptr);
}

TEST(ElementStreams, SelectionOnTwoBandsCopiesOnlyTheFirstBandsElements) {
    TReportForm f;
    TVendamoBand *one = f.AddBand(QStringLiteral("One"), rbTitle);
    TVendamoBand *two = f.AddBand(QStringLiteral("Two"), rbDetail);
    auto *x = f.AddElement<TVendamoLabel>(QStringLiteral("X"), one, 0, 0, 5, 5);
    auto *y = f.AddElement<TVendamoLabel>(QStringLiteral("Y"), one, 0, 0, 5, 5);
    auto *z = f.AddElement<TVendamoLabel>(QStringLiteral("Z"), two, 0, 0, 5, 5);
    TMemoryStream s;
    // Selected in the order y, z, x: copied in the band's control order x, y; z is left out.
    ASSERT_TRUE(CopyElementsToStream(f.Designer, {y, z, x}, s));
    TReportForm g;
    auto *target = g.AddBand(QStringLiteral("Target"), rbDetail);
    s.SetPosition(0);
    TComponentReader reader(s, g.Form.get(), target);
    const QList<TComponent *> pasted = reader.ReadComponents();
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(pasted[0]->Name(), QStringLiteral("X"));
    EXPECT_EQ(pasted[1]->Name(), QStringLiteral("Y"));

    TMemoryStream empty;
    EXPECT_TRUE(CopyElementsToStream(f.Designer, {}, empty));
    EXPECT_EQ(empty.Size(), 0);
}

TEST(ElementStreams, ElementFiles) {
    TestDir dir;
    TReportForm f;
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *label = f.AddElement<TVendamoLabel>(QStringLiteral("L"), band, 0, 0, 5, 5);
    ASSERT_TRUE(SaveElementsToFile(f.Designer, {band}, dir.Path("bands.vde")));
    ASSERT_TRUE(SaveElementsToFile(f.Designer, {label}, dir.Path("label.vde")));
    EXPECT_EQ(ReadWholeFile(dir.Path("bands.vde")).left(4), TBytes().Word(0x1001).Byte(0).Byte(1).Data());
    EXPECT_EQ(ReadWholeFile(dir.Path("label.vde")).left(4), TBytes().Word(0x1001).Byte(0).Byte(0).Data());

    TMemoryStream clipboard(QByteArray("old"));
    bool hasBands = false;
    ASSERT_TRUE(ReadElementsFromFile(dir.Path("bands.vde"), clipboard, hasBands));
    EXPECT_TRUE(hasBands);
    EXPECT_EQ(clipboard.Data(), ReadWholeFile(dir.Path("bands.vde")).mid(4));
    EXPECT_EQ(clipboard.Position(), 0);

    // Another identifier leaves the clipboard as it was.
    WriteWholeFile(dir.Path("other.vde"), TBytes().Word(0x0404).Byte(0).Byte(1).Raw("xyz").Data());
    hasBands = false;
    EXPECT_FALSE(ReadElementsFromFile(dir.Path("other.vde"), clipboard, hasBands));
    EXPECT_FALSE(hasBands);
    EXPECT_EQ(clipboard.Data(), ReadWholeFile(dir.Path("bands.vde")).mid(4));
    EXPECT_THROW(ReadElementsFromFile(dir.Path("missing.vde"), clipboard, hasBands), EFOpenError);
}

TEST(ElementStreams, DamagedStreamsArePastedWholeOrNotAtAll) {
    TReportForm f;
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    f.AddElement<TVendamoLabel>(QStringLiteral("L"), band, 1, 1, 10, 5);
    auto *shape = f.AddElement<TVendamoShape>(QStringLiteral("S"), band, 1, 8, 10, 5);
    shape->SetShape(TRepShape::stCircle);
    f.AddElement<TVendamoSysdata>(QStringLiteral("D"), band, 20, 1, 10, 5);
    TMemoryStream s;
    ASSERT_TRUE(CopyElementsToStream(f.Designer, {band}, s));
    const QByteArray good = s.Data();

    // A band type or shape that names no member of its enumeration: the paste is refused.
    const auto withValue = [&](const QByteArray &path, qint64 value) {
        QByteArray data = good;
        const QByteArray key = char(path.size()) + path + char(3);  // then an 8-byte integer
        const qsizetype at = data.indexOf(key);
        EXPECT_GE(at, 0) << path.constData();
        for (int i = 0; i < 8; ++i) data[at + key.size() + i] = char(quint64(value) >> (8 * i));
        return data;
    };
    for (const auto &[path, value] : {std::pair{QByteArray("BandType"), qint64(TRepBand::BandTypeCount)},
                                      std::pair{QByteArray("BandType"), qint64(200)},
                                      std::pair{QByteArray("Shape"), qint64(TRepShape::ShapeTypeCount)},
                                      std::pair{QByteArray("Alignment"), qint64(-7)}}) {
        TReportForm g;
        const int before = g.Form->ComponentCount();
        TMemoryStream bad(withValue(path, value));
        EXPECT_THROW(Paste(bad, g), EReadError) << path.constData() << " " << value;
        EXPECT_EQ(g.Form->ComponentCount(), before);
    }

    // Random byte changes (fixed seed): each paste reads or raises, and a refused one adds nothing.
    QRandomGenerator rng(20261209);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        for (int c = 0, n = 1 + rng.bounded(4); c < n; ++c) bytes[rng.bounded(int(bytes.size()))] = char(rng.bounded(256));
        TReportForm g;
        const int before = g.Form->ComponentCount();
        TMemoryStream in(bytes);
        try {
            Paste(in, g);
        } catch (const Exception &) {
            EXPECT_EQ(g.Form->ComponentCount(), before) << "round " << round;
        }
    }
}

TEST(ReportTitle, TitleWithoutLoading) {
    TestDir dir;
    TReportForm f;
    f.Report->SetReportTitle(QString(300, QLatin1Char('T')));
    WriteWholeFile(dir.Path("long.QR2"), f.Save());
    QString title = QStringLiteral("stale");
    GetReportTitleFromFile(dir.Path("long.QR2"), title);
    EXPECT_EQ(title, QString(255, QLatin1Char('T')));

    f.Report->SetReportTitle(QStringLiteral("Umsätze"));
    WriteWholeFile(dir.Path("short.QR2"), f.Save());
    GetReportTitleFromFile(dir.Path("short.QR2"), title);
    EXPECT_EQ(title, QStringLiteral("Umsätze"));

    WriteWholeFile(dir.Path("text.txt"), "not a report at all");
    GetReportTitleFromFile(dir.Path("text.txt"), title);
    EXPECT_TRUE(title.isEmpty());
    WriteWholeFile(dir.Path("cut.QR2"), f.Save().left(40));
    GetReportTitleFromFile(dir.Path("cut.QR2"), title);
    EXPECT_TRUE(title.isEmpty());
    TMemoryStream otherFirst(TBytes().Word(0x0404).Record(255, 356).Data());
    title = QStringLiteral("stale");
    GetReportTitleFromStream(otherFirst, title);
    EXPECT_TRUE(title.isEmpty());
    EXPECT_THROW(GetReportTitleFromFile(dir.Path("missing.QR2"), title), EFOpenError);
}

}  // namespace
