// Data images whose field holds a picture file name instead of a picture.
#include "model_fixture.h"

#include "model/vendamo_picture_elements.h"

#include "dblib/query.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Keeps the current directory for one test.
class TCurrentDir {
public:
    explicit TCurrentDir(const QString &dir) : FPrevious(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~TCurrentDir() { QDir::setCurrent(FPrevious); }

private:
    QString FPrevious;
};

void WriteBitmap(const QString &file, Qt::GlobalColor color) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    TBitmap bitmap;
    bitmap.SetImage(image);
    bitmap.SaveToFile(file);
}

class DBImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fx.Path("pictures");
        QDir().mkpath(dir + "/sub");
        WriteBitmap(dir + "/red.bmp", Qt::red);
        WriteBitmap(dir + "/blue.BMP", Qt::blue);
        WriteBitmap(dir + "/green.bmp", Qt::green);
        WriteBitmap(dir + "/sub/yellow.bmp", Qt::yellow);
        WriteBitmap(dir + "/plain", Qt::black);
        db = CreateSalesDatabase(fx.Path(QString()));
    }

    TModelFixture fx;
    QString dir, db;
};

}  // namespace

TEST_F(DBImageFiles, FileNamesAreExpandedAndGetTheBitmapExtension) {
    TCurrentDir current(dir);
    EXPECT_EQ(PictureFileForFieldText("red.bmp"), dir + "/red.bmp");
    EXPECT_EQ(PictureFileForFieldText("blue"), dir + "/blue.BMP");
    // The added extension is found in another letter case too; a given one is taken as it is.
    EXPECT_EQ(PictureFileForFieldText("green"), dir + "/green.bmp");
    EXPECT_EQ(PictureFileForFieldText("green.BMP"), QString());
    EXPECT_EQ(PictureFileForFieldText("sub\\yellow.bmp"), dir + "/sub/yellow.bmp");
    EXPECT_EQ(PictureFileForFieldText(dir + "/sub/yellow"), dir + "/sub/yellow.bmp");
    // A name without extension is never taken as it is.
    EXPECT_EQ(PictureFileForFieldText("plain"), QString());
    EXPECT_EQ(PictureFileForFieldText("missing"), QString());
    EXPECT_EQ(PictureFileForFieldText(""), QString());
    EXPECT_EQ(PictureFileForFieldText("sub"), QString());
}

TEST_F(DBImageFiles, PrintsThePictureOfEachRecord) {
    TCurrentDir current(dir);
    auto *q = new TQuery(fx.Form());
    q->SetDatabaseName(db);
    q->SQL()->SetText("SELECT 1 AS id, 'red.bmp' AS pic UNION ALL SELECT 2, 'blue' UNION ALL SELECT 3, 'green' "
                      "UNION ALL SELECT 4, 'missing' UNION ALL SELECT 5, 'sub\\yellow.bmp' ORDER BY 1");
    fx.Report()->SetDataSet(q);
    auto *detail = fx.AddBand<TVendamoBand>(rbDetail, 20);
    detail->SetColor(clGray);
    auto *image = fx.Add<TVendamoDBImage>(detail, 0, 0, 10, 10);
    image->SetDataSet(q);
    image->SetDataField("pic");
    image->SetStretch(true);
    const QList<QImage> pages = fx.RenderPng(96);
    ASSERT_EQ(pages.size(), 1);
    // The middle of each record's picture: 15 mm across, 15 mm + 20 mm per record down.
    auto at = [&](int record) {
        return pages[0].pixelColor(int(15 / 25.4 * 96), int((15 + 20 * record) / 25.4 * 96));
    };
    EXPECT_EQ(at(0), QColor(Qt::red));
    EXPECT_EQ(at(1), QColor(Qt::blue));
    EXPECT_EQ(at(2), QColor(Qt::green));
    // A missing file with Stretch fills the area instead of showing the band.
    EXPECT_EQ(at(3), QColor(Qt::white));
    EXPECT_EQ(at(4), QColor(Qt::yellow));
    EXPECT_FALSE(image->FieldIsBlob());
    EXPECT_TRUE(image->Picture()->Empty());
    // Without Stretch a missing picture leaves the band's colour.
    image->SetStretch(false);
    const QList<QImage> again = fx.RenderPng(96, "again");
    ASSERT_EQ(again.size(), 1);
    EXPECT_EQ(again[0].pixelColor(int(15 / 25.4 * 96), int(75 / 25.4 * 96)), QColor(0x80, 0x80, 0x80));
}

TEST_F(DBImageFiles, ARunListsADirectoryOnce) {
    TCurrentDir current(dir);
    auto *q = new TQuery(fx.Form());
    q->SetDatabaseName(db);
    // Names without extension whose files are not spelt ".BMP": found in a directory listing.
    q->SQL()->SetText(
        "SELECT id, CASE WHEN id % 2 = 0 THEN 'green' ELSE 'missing' END AS pic FROM customers "
        "UNION ALL SELECT 9, 'sub/yellow' UNION ALL SELECT 10, 'sub/gone' ORDER BY 1");
    fx.Report()->SetDataSet(q);
    auto *detail = fx.AddBand<TVendamoBand>(rbDetail, 20);
    auto *image = fx.Add<TVendamoDBImage>(detail, 0, 0, 10, 10);
    image->SetDataSet(q);
    image->SetDataField("pic");
    image->SetStretch(true);
    const QList<QImage> pages = fx.RenderPng(96);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].pixelColor(int(15 / 25.4 * 96), int((15 + 20) / 25.4 * 96)), QColor(Qt::green));
    EXPECT_EQ(pages[0].pixelColor(int(15 / 25.4 * 96), int((15 + 20 * 8) / 25.4 * 96)), QColor(Qt::yellow));
    // Ten records, two directories.
    EXPECT_EQ(image->PictureFiles().Listings(), 2);
    // A file added after a run is found by the next one.
    WriteBitmap(dir + "/missing.bmp", Qt::red);
    const QList<QImage> again = fx.RenderPng(96, "again");
    ASSERT_EQ(again.size(), 1);
    EXPECT_EQ(again[0].pixelColor(int(15 / 25.4 * 96), int(15 / 25.4 * 96)), QColor(Qt::red));
}

TEST_F(DBImageFiles, LoadPictureTakesTheCurrentRecordsFile) {
    TCurrentDir current(dir);
    auto *q = new TQuery(fx.Form());
    q->SetDatabaseName(db);
    q->SQL()->SetText("SELECT 'blue' AS pic UNION ALL SELECT 'nothing'");
    auto *image = new TVendamoDBImage(fx.Form());
    image->SetDataSet(q);
    image->SetDataField("pic");
    q->Open();
    image->LoadPicture();
    ASSERT_FALSE(image->Picture()->Empty());
    EXPECT_EQ(image->Picture()->Image().pixelColor(3, 3), QColor(Qt::blue));
    q->Next();
    image->LoadPicture();
    EXPECT_TRUE(image->Picture()->Empty());
}
