#include "host/class_registry.h"
#include "host/component_stream.h"
#include "host/exceptions.h"
#include "host/stream.h"
#include "stream_objects.h"
#include "test_objects.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

void RegisterStreamClasses() {
    RegisterComponentClass<TStreamBox>();
    RegisterComponentClass<TStreamItem>();
}

QImage TestImage() {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(3, 2, qRgb(200, 10, 20));
    return image;
}

TStreamItem *MakeItem(TComponent *owner, QWidget *parent, const QString &name) {
    auto *item = new TStreamItem(owner);
    item->setParent(parent);
    item->SetName(name);
    item->FCaption = QStringLiteral("Grüße € 漢字");
    item->FAutoSize = true;
    item->FRatio = 2.75;
    item->FLeft = -12;
    item->SetTag(77);
    item->FAlignment = TStreamItem::taCenter;
    item->Font()->SetName("Courier New");
    item->Font()->SetSize(14);
    item->Font()->SetStyle(fsBold | fsItalic);
    item->Font()->SetColor(0x000000FF);
    item->Pen()->SetWidth(3);
    item->Pen()->SetStyle(TPen::psDashDot);
    item->Brush()->SetColor(0x00336699);
    item->Brush()->SetStyle(TBrush::bsDiagCross);
    item->Lines()->SetText("first\nsecond line\n\nlast");
    TBitmap bmp;
    bmp.SetImage(TestImage());
    item->Picture()->Assign(&bmp);
    item->Background()->SetImage(TestImage().scaled(3, 4));
    return item;
}

void ExpectSameItem(const TStreamItem *a, const TStreamItem *b) {
    EXPECT_EQ(b->FCaption, a->FCaption);
    EXPECT_EQ(b->FAutoSize, a->FAutoSize);
    EXPECT_DOUBLE_EQ(b->FRatio, a->FRatio);
    EXPECT_EQ(b->FLeft, a->FLeft);
    EXPECT_EQ(b->Tag(), a->Tag());
    EXPECT_EQ(b->FAlignment, a->FAlignment);
    EXPECT_EQ(b->Font()->Name(), a->Font()->Name());
    EXPECT_EQ(b->Font()->Size(), a->Font()->Size());
    EXPECT_EQ(b->Font()->Height(), a->Font()->Height());
    EXPECT_EQ(b->Font()->Style(), a->Font()->Style());
    EXPECT_EQ(b->Font()->Color(), a->Font()->Color());
    EXPECT_TRUE(b->Pen()->Equals(*a->Pen()));
    EXPECT_EQ(b->Pen()->Style(), TPen::psDashDot);
    EXPECT_TRUE(b->Brush()->Equals(*a->Brush()));
    EXPECT_EQ(b->Brush()->Color(), 0x00336699);
    EXPECT_EQ(b->Lines()->ToStringList(), a->Lines()->ToStringList());
    EXPECT_EQ(b->Picture()->GraphicKind(), a->Picture()->GraphicKind());
    EXPECT_EQ(b->Background()->Image().convertToFormat(QImage::Format_RGB32),
              a->Background()->Image().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(b->Picture()->Image().convertToFormat(QImage::Format_RGB32),
              a->Picture()->Image().convertToFormat(QImage::Format_RGB32));
}

}  // namespace

TEST(ComponentStream, ContainerWithChildrenRoundTripsEveryValueKind) {
    RegisterStreamClasses();
    TStreamBox form;  // the owner of everything, like a report form
    auto *box = new TStreamBox(&form);
    box->SetName("Band1");
    box->FBandNum = 3;
    auto *ds = new TStreamBox(&form);
    ds->SetName("Customers");
    TStreamItem *item = MakeItem(&form, box, "Label1");
    item->FDataset = ds;
    TStreamItem *item2 = MakeItem(&form, box, "Label2");
    item2->Lines()->Clear();
    item2->Picture()->Clear();
    item2->Background()->Clear();

    TMemoryStream stream;
    TComponentWriter writer(stream, &form);
    writer.WriteComponents({box});

    TStreamBox target;
    auto *targetDs = new TStreamBox(&target);
    targetDs->SetName("Customers");
    QWidget surface;
    stream.SetPosition(0);
    TComponentReader reader(stream, &target, &surface);
    QList<TComponent *> seen;
    const QList<TComponent *> read = reader.ReadComponents([&](TComponent *c) { seen << c; });
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(seen, read);
    auto *box2 = dynamic_cast<TStreamBox *>(read[0]);
    ASSERT_NE(box2, nullptr);
    EXPECT_EQ(box2->Name(), "Band1");
    EXPECT_EQ(box2->FBandNum, 3);
    EXPECT_EQ(box2->parentWidget(), &surface);
    const QList<TComponent *> children = StreamChildren(box2);
    ASSERT_EQ(children.size(), 2);
    auto *copy = dynamic_cast<TStreamItem *>(children[0]);
    auto *copy2 = dynamic_cast<TStreamItem *>(children[1]);
    ASSERT_TRUE(copy && copy2);
    EXPECT_EQ(copy->Owner(), &target);  // owned by the reader's owner, parented to the container
    EXPECT_EQ(copy->parentWidget(), box2);
    EXPECT_FALSE(box2->isHidden());
    EXPECT_FALSE(copy->isHidden());
    EXPECT_FALSE(copy2->isHidden());
    ExpectSameItem(item, copy);
    ExpectSameItem(item2, copy2);
    EXPECT_EQ(copy->FDataset, targetDs);  // references resolve by name in the new owner
    EXPECT_EQ(copy->LoadedCalls, 1);
    EXPECT_FALSE(copy->HasState(csLoading));
}

TEST(ComponentStream, NameHookRenamesAndUnresolvedReferencesStayEmpty) {
    RegisterStreamClasses();
    TStreamBox form;
    auto *ds = new TStreamBox(&form);
    ds->SetName("Orders");
    TStreamItem *item = MakeItem(&form, nullptr, "Label1");
    item->FDataset = ds;
    TMemoryStream stream;
    TComponentWriter(stream, &form).WriteComponents({item});

    // Pasting into the same form: the taken name is replaced by the hook.
    stream.SetPosition(0);
    TComponentReader reader(stream, &form);
    reader.OnSetName = [&](TComponent *, QString &name) {
        if (form.FindComponent(name)) name.clear();
    };
    const auto read = reader.ReadComponents();
    ASSERT_EQ(read.size(), 1);
    EXPECT_TRUE(read[0]->Name().isEmpty());
    EXPECT_EQ(dynamic_cast<TStreamItem *>(read[0])->FDataset, ds);

    // Into another form without that dataset the reference stays empty.
    TStreamBox other;
    stream.SetPosition(0);
    TComponentReader reader2(stream, &other);
    const auto read2 = reader2.ReadComponents();
    EXPECT_EQ(dynamic_cast<TStreamItem *>(read2[0])->FDataset, nullptr);
}

TEST(ComponentStream, UnknownClassAndBadSignatureRaise) {
    RegisterStreamClasses();
    TStreamBox form;
    TMemoryStream garbage(QByteArray("XXXX\x05TNope\x00\x00\x00\x00", 14));
    TComponentReader r1(garbage, &form);
    EXPECT_THROW(r1.ReadComponents(), EFilerError);

    TMemoryStream unknown(QByteArray("VCS1\x05TNope\x00\x00\x00\x00", 14));
    TComponentReader r2(unknown, &form);
    EXPECT_THROW(r2.ReadComponents(), EClassNotFound);
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentStream, TruncatedAndMutatedStreamsFailCleanly) {
    RegisterStreamClasses();
    TStreamBox source;
    auto *box = new TStreamBox(&source);
    box->SetName("Band1");
    MakeItem(&source, box, "Label1");
    MakeItem(&source, box, "Label2");
    TMemoryStream stream;
    TComponentWriter(stream, &source).WriteComponents({box});
    const QByteArray good = stream.Data();

    // Every truncation either reads or raises; nothing leaks into the owner on failure.
    for (int len = 0; len < good.size(); len += 3) {
        TStreamBox target;
        TMemoryStream cut(good.left(len));
        TComponentReader reader(cut, &target);
        EXPECT_THROW(reader.ReadComponents(), Exception) << "length " << len;
        EXPECT_EQ(target.ComponentCount(), 0) << "length " << len;
    }
    // Random byte changes (fixed seed) never crash; huge lengths are refused before allocation.
    QRandomGenerator rng(20261208);
    for (int round = 0; round < 400; ++round) {
        QByteArray bad = good;
        const int changes = 1 + rng.bounded(4);
        for (int c = 0; c < changes; ++c) bad[rng.bounded(int(bad.size()))] = char(rng.bounded(256));
        TStreamBox target;
        TMemoryStream in(bad);
        TComponentReader reader(in, &target);
        try {
            reader.ReadComponents();
        } catch (const Exception &) {
        }
    }
    SUCCEED();
}

TEST(ComponentStream, EnumerationValuesOutsideTheirRangeAreRefused) {
    RegisterStreamClasses();
    TStreamBox source;
    TStreamItem *item = MakeItem(&source, nullptr, "Label1");
    TMemoryStream stream;
    TComponentWriter(stream, &source).WriteComponents({item});
    const QByteArray good = stream.Data();

    // The 8-byte integer after "<path> vaInt" replaced by another value.
    const auto withValue = [&](const QByteArray &path, qint64 value) {
        QByteArray data = good;
        const QByteArray key = char(path.size()) + path + char(3);
        const qsizetype at = data.indexOf(key);
        EXPECT_GE(at, 0) << path.constData();
        for (int i = 0; i < 8; ++i) data[at + key.size() + i] = char(quint64(value) >> (8 * i));
        return data;
    };
    for (const QByteArray &path : {QByteArray("Alignment"), QByteArray("Pen.Style"), QByteArray("Brush.Style")}) {
        for (qint64 value : {qint64(200), qint64(-1), (qint64(1) << 32) + 1}) {
            TStreamBox target;
            TMemoryStream in(withValue(path, value));
            TComponentReader reader(in, &target);
            EXPECT_THROW(reader.ReadComponents(), EReadError) << path.constData() << " " << value;
            EXPECT_EQ(target.ComponentCount(), 0);
        }
    }
    // A named value other than the written one still reads.
    TStreamBox target;
    TMemoryStream in(withValue("Alignment", TStreamItem::taRightJustify));
    const auto read = TComponentReader(in, &target).ReadComponents();
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(dynamic_cast<TStreamItem *>(read[0])->FAlignment, TStreamItem::taRightJustify);
}

TEST(ComponentStream, PictureBytesThatDoNotDecodeAreRefusedAsDamage) {
    RegisterStreamClasses();
    TStreamBox source;
    TStreamItem *item = MakeItem(&source, nullptr, "Label1");
    TMemoryStream stream;
    TComponentWriter(stream, &source).WriteComponents({item});
    // The picture's bytes (after "<path> vaBinary length") overwritten with noise of the same size.
    for (const QByteArray &path : {QByteArray("Picture"), QByteArray("Background")}) {
        QByteArray data = stream.Data();
        const QByteArray key = char(path.size()) + path + char(7);
        const qsizetype at = data.indexOf(key);
        ASSERT_GE(at, 0) << path.constData();
        const qsizetype from = at + key.size() + 4;
        const qint32 length = qFromLittleEndian<qint32>(data.constData() + at + key.size());
        data.replace(from, length, QByteArray(length, 'x'));
        TStreamBox target;
        TMemoryStream in(data);
        TComponentReader reader(in, &target);
        EXPECT_THROW(reader.ReadComponents(), EReadError) << path.constData();
        EXPECT_EQ(target.ComponentCount(), 0);
    }
}

TEST(ComponentStream, NameInAPropertyThatTheOwnerCannotTakeIsRefusedAsDamage) {
    RegisterStreamClasses();
    TStreamBox source;
    TStreamItem *item = MakeItem(&source, nullptr, "Label1");
    TMemoryStream stream;
    TComponentWriter(stream, &source).WriteComponents({item});
    // The caption's entry turned into a "Name" entry with the given value.
    const auto withName = [&](const QByteArray &value) {
        QByteArray data = stream.Data();
        const QByteArray key("\x07" "Caption\x05");
        const qsizetype at = data.indexOf(key);
        EXPECT_GE(at, 0);
        const qint32 length = qFromLittleEndian<qint32>(data.constData() + at + key.size());
        QByteArray entry("\x04Name\x05");
        entry += char(value.size()) + QByteArray(3, '\0') + value;
        return data.replace(at, key.size() + 4 + length, entry);
    };
    // Not an identifier, and the name of a component the owner has.
    for (const QByteArray &name : {QByteArray("no name"), QByteArray("Other")}) {
        TStreamBox target;
        (new TStreamItem(&target))->SetName(QStringLiteral("Other"));
        TMemoryStream in(withName(name));
        TComponentReader reader(in, &target);
        EXPECT_THROW(reader.ReadComponents(), EReadError) << name.constData();
        EXPECT_EQ(target.ComponentCount(), 1);
    }
}

TEST(ComponentStream, NilForAnObjectTheComponentOwnsIsRefusedAsDamage) {
    RegisterStreamClasses();
    TStreamBox source;
    TStreamItem *item = MakeItem(&source, nullptr, "Label1");
    TMemoryStream stream;
    TComponentWriter(stream, &source).WriteComponents({item});
    // The caption's entry turned into nil for the item's own font.
    QByteArray data = stream.Data();
    const QByteArray key("\x07" "Caption\x05");
    const qsizetype at = data.indexOf(key);
    ASSERT_GE(at, 0);
    const qint32 length = qFromLittleEndian<qint32>(data.constData() + at + key.size());
    data.replace(at, key.size() + 4 + length, QByteArray("\x04" "Font\x00", 6));
    TStreamBox target;
    TMemoryStream in(data);
    TComponentReader reader(in, &target);
    try {
        reader.ReadComponents();
        ADD_FAILURE() << "the stream was read";
    } catch (const EReadError &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("property Font"))) << e.Message().toStdString();
    }
    EXPECT_EQ(target.ComponentCount(), 0);
}

TEST(ComponentStream, DeepNestingIsRefused) {
    RegisterStreamClasses();
    QByteArray data("VCS1");
    for (int i = 0; i < 200; ++i) data += QByteArray("\x0ATStreamBox\x00\x00", 13);
    TStreamBox target;
    TMemoryStream in(data);
    TComponentReader reader(in, &target);
    EXPECT_THROW(reader.ReadComponents(), EReadError);
    EXPECT_EQ(target.ComponentCount(), 0);
}
