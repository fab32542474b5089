// Pictures as report files and component streams carry them: a bitmap read from the bytes
// (which also takes the other formats Qt reads), the self-describing picture form, and JPEG.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "host/exceptions.h"
#include "host/picture.h"
#include "host/stream.h"

#include <QBuffer>
#include <QImage>

namespace {

QImage Pixels(QImage::Format format) {
    QImage image(9, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(x * 28, y * 50, 90, 128 + x * 10));
    return image.convertToFormat(format);
}

QByteArray Encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QList<QByteArray> PictureSeeds() {
    QList<QByteArray> seeds;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8,
                                  QImage::Format_Mono, QImage::Format_RGB888}) {
        TBitmap bitmap;
        bitmap.SetImage(Pixels(format));
        seeds << bitmap.SaveToData();
        TPicture picture;
        picture.Assign(&bitmap);
        TMemoryStream form;
        picture.SaveToStream(form);
        seeds << form.Data();
    }
    if (TJPEGImage::Supported()) {
        TJPEGImage jpeg;
        jpeg.SetImage(Pixels(QImage::Format_RGB32));
        seeds << jpeg.SaveToData();
        TPicture picture;
        picture.Assign(&jpeg);
        TMemoryStream form;
        picture.SaveToStream(form);
        seeds << form.Data();
    }
    seeds << Encoded(Pixels(QImage::Format_ARGB32), "PNG");
    return seeds;
}

}  // namespace

TFuzzTarget PictureTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("picture");
    t.Seeds = PictureSeeds;
    t.Regressions = PictureRegressions;
    t.Run = [](const QByteArray &input) {
        bool read = false;
        try {
            TBitmap bitmap;  // as report files embed pictures
            TMemoryStream s(input);
            bitmap.LoadFromStream(s);
            read = true;
        } catch (const EInvalidGraphic &) {
        }
        try {
            TPicture picture;  // the self-describing form
            TMemoryStream s(input);
            picture.LoadFromStream(s);
            read = true;
        } catch (const EInvalidGraphic &) {
        } catch (const EReadError &) {
        }
        try {
            TPicture picture;  // as component streams carry it
            picture.LoadBinaryForm(input);
            read = true;
        } catch (const EInvalidGraphic &) {
        } catch (const EReadError &) {
        }
        try {
            TJPEGImage jpeg;
            jpeg.LoadFromData(input);
            read = true;
        } catch (const EInvalidGraphic &) {
        }
        return read;
    };
    t.Tokens = {QByteArray("BM"), QByteArray("\xFF\xD8\xFF", 3), QByteArray("\xFF\xFF\x00\x00", 4),
                QByteArray("\x00\x00\x01\x00", 4)};
    return t;
}
