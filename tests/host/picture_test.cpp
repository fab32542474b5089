#include "host/exceptions.h"
#include "host/picture.h"
#include "host/stream.h"
#include "test_paths.h"

#include <QImageReader>
#include "change_counter.h"
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A small picture with distinct quadrants, so that orientation and channel order show.
QImage Sample(int w = 40, int h = 30) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                           : (y < h / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

// Colours within a tolerance (JPEG is lossy).
bool Near(QRgb a, QRgb b, int tolerance = 40) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

void ExpectSampleColours(const QImage &image, int tolerance) {
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_TRUE(Near(image.pixel(5, 5), qRgb(255, 0, 0), tolerance));
    EXPECT_TRUE(Near(image.pixel(5, 25), qRgb(0, 255, 0), tolerance));
    EXPECT_TRUE(Near(image.pixel(35, 5), qRgb(0, 0, 255), tolerance));
    EXPECT_TRUE(Near(image.pixel(35, 25), qRgb(255, 255, 255), tolerance));
}

QByteArray JpegBytes() {
    TJPEGImage jpeg;
    jpeg.SetImage(Sample());
    return jpeg.SaveToData();
}

}  // namespace

TEST(Picture, JpegPluginIsAvailable) {
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"));
    EXPECT_TRUE(TJPEGImage::Supported());
}

TEST(Picture, BitmapRoundTripsAsWindowsBmp) {
    TBitmap bmp;
    EXPECT_TRUE(bmp.Empty());
    EXPECT_TRUE(bmp.SaveToData().isEmpty());
    bmp.SetImage(Sample());
    const QByteArray data = bmp.SaveToData();
    ASSERT_TRUE(data.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 2), quint32(data.size()));

    // The stream form stops at the BMP's own size: data after it stay for the next reader.
    TMemoryStream stream;
    bmp.SaveToStream(stream);
    stream.WriteBytes("TAIL");
    stream.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(stream);
    EXPECT_EQ(stream.ReadBytes(4), QByteArray("TAIL"));
    ExpectSampleColours(back.Image(), 0);

    TBitmap blank;
    blank.SetSize(3, 2);
    EXPECT_EQ(blank.Width(), 3);
    EXPECT_EQ(blank.Image().pixel(1, 1), qRgb(255, 255, 255));
    blank.SetSize(0, 5);
    EXPECT_TRUE(blank.Empty());
}

TEST(Picture, JpegKeepsItsCompressedBytes) {
    const QByteArray data = JpegBytes();
    ASSERT_TRUE(data.startsWith("\xFF\xD8\xFF"));
    TJPEGImage jpeg;
    ChangeCounter changes(&jpeg);
    jpeg.LoadFromData(data);
    EXPECT_EQ(changes.count(), 1);
    ExpectSampleColours(jpeg.Image(), 40);
    EXPECT_EQ(jpeg.SaveToData(), data);  // saved unchanged, no second compression

    TJPEGImage small;
    small.SetCompressionQuality(5);
    small.SetImage(Sample(200, 150));
    TJPEGImage fine;
    fine.SetCompressionQuality(100);
    fine.SetImage(Sample(200, 150));
    EXPECT_LT(small.SaveToData().size(), fine.SaveToData().size());

    // A bitmap reads JPEG data too (embedded pictures are read back through a bitmap).
    TBitmap bmp;
    bmp.LoadFromData(data);
    ExpectSampleColours(bmp.Image(), 40);
    EXPECT_TRUE(bmp.SaveToData().startsWith("BM"));
}

TEST(Picture, StreamFormKeepsTheGraphicKind) {
    TPicture picture;
    TJPEGImage jpeg;
    jpeg.LoadFromData(JpegBytes());
    picture.SetGraphic(&jpeg);
    TMemoryStream stream;
    picture.SaveToStream(stream);
    TBitmap bmp;
    bmp.SetImage(Sample());
    TPicture second;
    second.SetGraphic(&bmp);
    second.SaveToStream(stream);
    TPicture none;
    none.SaveToStream(stream);

    stream.SetPosition(0);
    TPicture back;
    back.LoadFromStream(stream);
    EXPECT_EQ(back.GraphicKind(), gkJPEG);
    EXPECT_EQ(back.Graphic()->SaveToData(), jpeg.SaveToData());
    back.LoadFromStream(stream);
    EXPECT_EQ(back.GraphicKind(), gkBitmap);
    ExpectSampleColours(back.Image(), 0);
    back.LoadFromStream(stream);
    EXPECT_EQ(back.GraphicKind(), gkNone);
    EXPECT_TRUE(back.Empty());
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(Picture, FilesByExtensionAndContent) {
    TestDir dir;
    TPicture picture;
    TBitmap bmp;
    bmp.SetImage(Sample());
    picture.SetGraphic(&bmp);
    picture.SaveToFile(dir.Path("a.bmp"));
    WriteWholeFile(dir.Path("b.JPG"), JpegBytes());
    WriteWholeFile(dir.Path("c.jpeg"), JpegBytes());
    WriteWholeFile(dir.Path("misnamed.bmp"), JpegBytes());
    WriteWholeFile(dir.Path("noext"), ReadWholeFile(dir.Path("a.bmp")));

    TPicture back;
    back.LoadFromFile(dir.Path("a.bmp"));
    EXPECT_EQ(back.GraphicKind(), gkBitmap);
    ExpectSampleColours(back.Image(), 0);
    back.LoadFromFile(dir.Path("b.JPG"));
    EXPECT_EQ(back.GraphicKind(), gkJPEG);
    EXPECT_EQ(back.Width(), 40);
    back.LoadFromFile(dir.Path("c.jpeg"));
    EXPECT_EQ(back.GraphicKind(), gkJPEG);
    back.LoadFromFile(dir.Path("misnamed.bmp"));  // the content wins over the name
    EXPECT_EQ(back.GraphicKind(), gkJPEG);
    back.LoadFromFile(dir.Path("noext"));
    EXPECT_EQ(back.GraphicKind(), gkBitmap);

    back.SaveToFile(dir.Path("copy.jpg"));  // a graphic saves in its own format
    EXPECT_TRUE(ReadWholeFile(dir.Path("copy.jpg")).startsWith("BM"));

    EXPECT_THROW(back.LoadFromFile(dir.Path("missing.bmp")), EFOpenError);
    WriteWholeFile(dir.Path("notes.txt"), "hello");
    try {
        back.LoadFromFile(dir.Path("notes.txt"));
        FAIL() << "text loaded as a picture";
    } catch (const EInvalidGraphic &e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.txt)");
    }
    EXPECT_EQ(back.GraphicKind(), gkBitmap);  // unchanged after the failures

    TPicture empty;
    EXPECT_THROW(empty.SaveToFile(dir.Path("empty.bmp")), EInvalidGraphic);
    EXPECT_FALSE(QFile::exists(dir.Path("empty.bmp")));
    EXPECT_TRUE(PictureFileFilter().contains("Bitmaps (*.bmp)"));
    EXPECT_TRUE(PictureFileFilter().contains("JPEG Image File (*.jpg *.jpeg)"));
}

TEST(Picture, AssignCopiesDeeplyAndAnnouncesOnce) {
    TPicture source;
    source.Bitmap()->SetImage(Sample());
    TPicture copy;
    ChangeCounter changes(&copy);
    copy.Assign(&source);
    EXPECT_EQ(changes.count(), 1);
    ASSERT_NE(copy.Graphic(), source.Graphic());
    source.Bitmap()->SetSize(2, 2);
    EXPECT_EQ(copy.Width(), 40);  // the copy is its own
    // Changes inside the held graphic reach the picture's listeners.
    copy.Bitmap()->SetSize(5, 5);
    EXPECT_EQ(changes.count(), 2);

    TJPEGImage jpeg;
    jpeg.LoadFromData(JpegBytes());
    copy.Assign(&jpeg);
    EXPECT_EQ(copy.GraphicKind(), gkJPEG);
    EXPECT_EQ(copy.Graphic()->SaveToData(), jpeg.SaveToData());
    // A picture's Bitmap() replaces other graphics with an empty bitmap.
    EXPECT_TRUE(copy.Bitmap()->Empty());
    EXPECT_EQ(copy.GraphicKind(), gkBitmap);

    TBitmap bmp;
    bmp.Assign(&jpeg);  // converts between classes
    EXPECT_EQ(bmp.Width(), 40);
    TPicture holder;
    holder.SetGraphic(&jpeg);
    TJPEGImage fromPicture;
    fromPicture.Assign(&holder);
    EXPECT_EQ(fromPicture.SaveToData(), jpeg.SaveToData());
    copy.Assign(nullptr);
    EXPECT_EQ(copy.GraphicKind(), gkNone);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_TRUE(copy.Image().isNull());
    copy.Clear();
    EXPECT_EQ(changes.count(), 5);  // clearing an empty picture is silent
}

TEST(Picture, DamagedDataRaisesInvalidGraphic) {
    const QByteArray jpeg = JpegBytes();
    TBitmap bmp;
    bmp.SetImage(Sample());
    const QByteArray bmpData = bmp.SaveToData();

    TJPEGImage j;
    EXPECT_THROW(j.LoadFromData(QByteArray("\xFF\xD8\xFF") + QByteArray(50, '\x01')), EInvalidGraphic);
    EXPECT_THROW(j.LoadFromData(jpeg.left(20)), EInvalidGraphic);
    EXPECT_THROW(j.LoadFromData(bmpData), EInvalidGraphic);  // not JPEG at all
    EXPECT_TRUE(j.Empty());

    TBitmap b;
    EXPECT_THROW(b.LoadFromData(bmpData.left(30)), EInvalidGraphic);
    EXPECT_THROW(b.LoadFromData("garbage that is no picture"), EInvalidGraphic);
    // A header that claims a huge image is refused without allocating it.
    QByteArray huge = bmpData;
    qToLittleEndian<qint32>(200000, huge.data() + 18);
    qToLittleEndian<qint32>(200000, huge.data() + 22);
    EXPECT_THROW(b.LoadFromData(huge), EInvalidGraphic);
    EXPECT_THROW(b.SetSize(100000, 100000), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());

    // Damaged stream forms of a picture.
    TPicture p;
    p.Bitmap()->SetImage(Sample());
    TMemoryStream unknownClass(QByteArray("\x05TIcon\x00\x00\x00\x00", 10));
    EXPECT_THROW(p.LoadFromStream(unknownClass), EInvalidGraphic);
    TMemoryStream negative(QByteArray("\x07TBitmap\xFF\xFF\xFF\xFF", 12));
    EXPECT_THROW(p.LoadFromStream(negative), EInvalidGraphic);
    TMemoryStream overlong(QByteArray("\x07TBitmap\xFF\xFF\xFF\x7F" "BM", 14));
    EXPECT_THROW(p.LoadFromStream(overlong), EReadError);
    TMemoryStream badBytes(QByteArray("\x0ATJPEGImage\x04\x00\x00\x00" "abcd", 19));
    EXPECT_THROW(p.LoadFromStream(badBytes), EInvalidGraphic);
    EXPECT_EQ(p.GraphicKind(), gkBitmap);  // the picture keeps what it had
    EXPECT_EQ(p.Width(), 40);
}
