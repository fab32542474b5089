#include "host/picture.h"

#include "host/exceptions.h"
#include "host/stream.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

namespace {

// Picture files are read whole; anything larger than this is refused rather than loaded.
constexpr qint64 MaxPictureFileSize = qint64(512) * 1024 * 1024;

QByteArray ReadPictureFile(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.size() > MaxPictureFileSize)
        throw EInvalidGraphic(QStringLiteral("Picture file \"%1\" is too large").arg(fileName));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    if (data.isEmpty()) throw EInvalidGraphic(QStringLiteral("Picture file \"%1\" is empty").arg(fileName));
    return data;
}

void WritePictureFile(const QString &fileName, const QByteArray &data) {
    // Written beside the target and renamed, so a failed save leaves the old file intact.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);  // for directories where no temporary file can be made
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.write(data) != data.size() || !file.commit())
        throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

const char *ClassNameOf(TGraphicKind kind) {
    switch (kind) {
    case gkBitmap: return "TBitmap";
    case gkJPEG: return "TJPEGImage";
    default: return "";
    }
}

}  // namespace

// --- TGraphic --------------------------------------------------------------------------------

void TGraphic::SetImage(const QImage &image) {
    if (image.isNull() && FImage.isNull()) return;
    FImage = image;
    emit Changed();
}

QImage TGraphic::Decode(const QByteArray &data, const QByteArray &format, const QString &what) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (format.isEmpty()) reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("%1 image is not valid (%2)").arg(what, reader.errorString()));
    return image;
}

void TGraphic::LoadFromStream(TStream &stream) { LoadFromData(stream.ReadBytes(stream.Remaining())); }

void TGraphic::SaveToStream(TStream &stream) const { stream.WriteBytes(SaveToData()); }

void TGraphic::LoadFromFile(const QString &fileName) { LoadFromData(ReadPictureFile(fileName)); }

void TGraphic::SaveToFile(const QString &fileName) const { WritePictureFile(fileName, SaveToData()); }

void TGraphic::Assign(const TPersistent *Source) {
    if (const auto *graphic = qobject_cast<const TGraphic *>(Source)) {
        if (graphic == this) return;
        FImage = graphic->FImage;
        emit Changed();
    } else if (const auto *picture = qobject_cast<const TPicture *>(Source)) {
        FImage = picture->Image();
        emit Changed();
    } else {
        TPersistent::Assign(Source);
    }
}

// --- TBitmap ---------------------------------------------------------------------------------

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->StoreImage(FImage);
    return copy;
}

void TBitmap::SetSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        Clear();
        return;
    }
    // The same ceiling as for decoded images: Qt's allocation limit in MiB (0 means none is
    // set; then 1 GiB).
    const int limitMiB = QImageReader::allocationLimit();
    const qint64 limit = qint64(limitMiB > 0 ? limitMiB : 1024) * 1024 * 1024;
    QImage image;
    if (qint64(width) * height * 4 <= limit) image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw EInvalidGraphic(QStringLiteral("Bitmap of %1 x %2 pixels is too large").arg(width).arg(height));
    image.fill(Qt::white);
    SetImage(image);
}

void TBitmap::LoadFromData(const QByteArray &data) {
    if (data.isEmpty()) {
        Clear();
        return;
    }
    // BMP by its signature; anything else Qt can read is accepted as well.
    const QByteArray format = data.startsWith("BM") ? QByteArrayLiteral("bmp") : QByteArray();
    SetImage(Decode(data, format, QStringLiteral("Bitmap")));
}

QByteArray TBitmap::SaveToData() const {
    if (FImage.isNull()) return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(FImage)) throw EInvalidGraphic(QStringLiteral("Bitmap cannot be written (%1)").arg(writer.errorString()));
    return data;
}

void TBitmap::LoadFromStream(TStream &stream) {
    const qint64 start = stream.Position();
    QByteArray data = stream.ReadBytes(stream.Remaining());
    // A BMP file states its own size (bytes 2..5): stop there, so that data after it stays unread.
    if (data.size() >= 14 && data.startsWith("BM")) {
        const quint32 fileSize = qFromLittleEndian<quint32>(data.constData() + 2);
        if (fileSize >= 26 && fileSize < quint32(data.size())) {
            data.truncate(fileSize);
            stream.SetPosition(start + fileSize);
        }
    }
    LoadFromData(data);
}

// --- TJPEGImage ------------------------------------------------------------------------------

bool TJPEGImage::Supported() {
    static const bool supported = QImageReader::supportedImageFormats().contains("jpeg");
    return supported;
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->StoreImage(FImage);
    copy->FData = FData;
    copy->FQuality = FQuality;
    return copy;
}

void TJPEGImage::SetCompressionQuality(int value) {
    value = qBound(1, value, 100);
    if (value == FQuality) return;
    FQuality = value;
    FData.clear();  // the next save compresses at the new quality
    emit Changed();
}

void TJPEGImage::SetImage(const QImage &image) {
    FData.clear();
    TGraphic::SetImage(image);
}

void TJPEGImage::LoadFromData(const QByteArray &data) {
    if (data.isEmpty()) {
        FData.clear();
        Clear();
        return;
    }
    if (!Supported()) throw EInvalidGraphic(QStringLiteral("JPEG images cannot be read: Qt's \"jpeg\" image format plugin is missing"));
    if (SniffGraphicKind(data) != gkJPEG) throw EInvalidGraphic(QStringLiteral("JPEG image is not valid (not JPEG data)"));
    const QImage image = Decode(data, QByteArrayLiteral("jpeg"), QStringLiteral("JPEG"));
    StoreImage(image);
    FData = data;
    emit Changed();
}

QByteArray TJPEGImage::SaveToData() const {
    if (FImage.isNull()) return {};
    if (!FData.isEmpty()) return FData;
    if (!Supported()) throw EInvalidGraphic(QStringLiteral("JPEG images cannot be written: Qt's \"jpeg\" image format plugin is missing"));
    // JPEG has no transparency: transparent parts become white, as on paper.
    QImage opaque = FImage;
    if (opaque.hasAlphaChannel()) {
        opaque = QImage(FImage.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, FImage);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(FQuality);
    if (!writer.write(opaque)) throw EInvalidGraphic(QStringLiteral("JPEG image cannot be written (%1)").arg(writer.errorString()));
    return data;
}

void TJPEGImage::Assign(const TPersistent *Source) {
    // A picture holding a JPEG gives its compressed bytes too.
    if (const auto *picture = qobject_cast<const TPicture *>(Source); picture && picture->Graphic())
        Source = picture->Graphic();
    if (const auto *jpeg = qobject_cast<const TJPEGImage *>(Source)) {
        if (jpeg == this) return;
        StoreImage(jpeg->FImage);
        FData = jpeg->FData;
        FQuality = jpeg->FQuality;
        emit Changed();
        return;
    }
    FData.clear();
    TGraphic::Assign(Source);
}

// --- TPicture --------------------------------------------------------------------------------
//
// Stream form of a picture (its own design, read back by LoadFromStream):
//   byte n, then n ASCII bytes   the graphic's class name: "" (none), "TBitmap" or "TJPEGImage"
//   int32, little-endian         byte count c of the graphic's stream form (0 when empty/none)
//   c bytes                      the graphic's stream form (BMP file or JPEG file)
// The class name restores the graphic's kind exactly, whatever its bytes look like.

TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) connect(FGraphic.get(), &TPersistent::Changed, this, &TPersistent::Changed);
    emit Changed();
}

void TPicture::SetGraphic(const TGraphic *graphic) {
    if (graphic && graphic == FGraphic.get()) return;
    if (!graphic && !FGraphic) return;
    Take(graphic ? graphic->Clone() : nullptr);
}

TBitmap *TPicture::Bitmap() {
    if (!qobject_cast<TBitmap *>(FGraphic.get())) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap *>(FGraphic.get());
}

void TPicture::Clear() {
    if (FGraphic) Take(nullptr);
}

void TPicture::LoadFromFile(const QString &fileName) {
    const QByteArray data = ReadPictureFile(fileName);
    const QString suffix = QFileInfo(fileName).suffix();
    TGraphicKind kind = SniffGraphicKind(data);
    if (kind == gkNone) kind = GraphicKindForExtension(suffix);
    if (kind == gkNone) throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(suffix));
    std::unique_ptr<TGraphic> graphic = CreateGraphic(kind);
    graphic->LoadFromData(data);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const QString &fileName) const {
    if (Empty()) throw EInvalidGraphic(QStringLiteral("There is no picture to save to \"%1\"").arg(fileName));
    FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream &stream) {
    const QByteArray nameLength = stream.ReadBytes(1);
    const QByteArray className = stream.ReadBytes(quint8(nameLength.at(0)));
    const qint32 count = qFromLittleEndian<qint32>(stream.ReadBytes(4).constData());
    if (count < 0) throw EInvalidGraphic(QStringLiteral("Picture data are damaged (negative size %1)").arg(count));
    const QByteArray data = stream.ReadBytes(count);
    std::unique_ptr<TGraphic> graphic;
    if (className == ClassNameOf(gkBitmap))
        graphic = CreateGraphic(gkBitmap);
    else if (className == ClassNameOf(gkJPEG))
        graphic = CreateGraphic(gkJPEG);
    else if (!className.isEmpty())
        throw EInvalidGraphic(QStringLiteral("Unknown graphic class \"%1\" in picture data").arg(QString::fromLatin1(className)));
    else if (count != 0)
        throw EInvalidGraphic(QStringLiteral("Picture data are damaged (data without a graphic class)"));
    if (graphic) graphic->LoadFromData(data);
    Take(std::move(graphic));
}

void TPicture::SaveToStream(TStream &stream) const {
    const QByteArray className = ClassNameOf(GraphicKind());
    const QByteArray data = FGraphic ? FGraphic->SaveToData() : QByteArray();
    QByteArray header;
    header.append(char(className.size()));
    header.append(className);
    char count[4];
    qToLittleEndian<qint32>(qint32(data.size()), count);
    header.append(count, 4);
    stream.WriteBytes(header);
    stream.WriteBytes(data);
}

void TPicture::Assign(const TPersistent *Source) {
    if (!Source) {
        Take(nullptr);
    } else if (const auto *picture = qobject_cast<const TPicture *>(Source)) {
        if (picture == this) return;
        Take(picture->FGraphic ? picture->FGraphic->Clone() : nullptr);
    } else if (const auto *graphic = qobject_cast<const TGraphic *>(Source)) {
        if (graphic == FGraphic.get()) return;
        Take(graphic->Clone());
    } else {
        TPersistent::Assign(Source);
    }
}

// --- Kinds and file types --------------------------------------------------------------------

std::unique_ptr<TGraphic> CreateGraphic(TGraphicKind kind) {
    switch (kind) {
    case gkBitmap: return std::make_unique<TBitmap>();
    case gkJPEG: return std::make_unique<TJPEGImage>();
    default: return nullptr;
    }
}

TGraphicKind SniffGraphicKind(const QByteArray &data) {
    if (data.startsWith("BM")) return gkBitmap;
    if (data.startsWith("\xFF\xD8\xFF")) return gkJPEG;
    return gkNone;
}

TGraphicKind GraphicKindForExtension(const QString &extension) {
    QString ext = extension.toLower();
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (ext == QLatin1String("bmp")) return gkBitmap;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return gkJPEG;
    return gkNone;
}

QString PictureFileFilter() {
    return QStringLiteral("All pictures (*.bmp *.jpg *.jpeg);;Bitmaps (*.bmp);;JPEG Image File (*.jpg *.jpeg)");
}

QByteArray TPicture::SaveBinaryForm() const {
    TMemoryStream stream;
    SaveToStream(stream);
    return stream.Data();
}

void TPicture::LoadBinaryForm(const QByteArray &data) {
    TMemoryStream stream(data);
    LoadFromStream(stream);
}

void TGraphic::LoadBinaryForm(const QByteArray &data) {
    if (data.isEmpty())
        Clear();
    else
        LoadFromData(data);
}
