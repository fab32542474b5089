#pragma once
// Pictures of image elements and design backgrounds. A graphic holds one decoded image and
// knows its own stream form: Windows BMP for TBitmap, JPEG for TJPEGImage. TPicture holds at
// most one graphic and picks the class from a file's extension and content.
//
// Damaged or unreadable image data raise EInvalidGraphic; nothing is decoded without Qt's
// allocation limit, so hostile headers cannot claim unbounded memory.
#include "host/persistent.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

class TStream;

enum TGraphicKind { gkNone, gkBitmap, gkJPEG };

class TGraphic : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(bool Empty READ Empty)
public:
    using TPersistent::TPersistent;

    virtual TGraphicKind Kind() const = 0;
    // The Qt image format name of the stream form ("BMP", "JPEG").
    virtual QByteArray Format() const = 0;
    // A deep copy of the same class.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    bool Empty() const { return FImage.isNull(); }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    const QImage &Image() const { return FImage; }
    virtual void SetImage(const QImage &image);
    void Clear() { SetImage(QImage()); }

    // The stream form as bytes. An empty graphic is zero bytes, and zero bytes load as empty.
    virtual void LoadFromData(const QByteArray &data) = 0;
    virtual QByteArray SaveToData() const = 0;

    // Component streams carry a graphic as its own file bytes (an empty one as no bytes).
    bool HasBinaryForm() const override { return true; }
    QByteArray SaveBinaryForm() const override { return Empty() ? QByteArray() : SaveToData(); }
    void LoadBinaryForm(const QByteArray &data) override;
    // Read from the stream's position to its end (a bitmap stops after its own file size).
    virtual void LoadFromStream(TStream &stream);
    void SaveToStream(TStream &stream) const;
    void LoadFromFile(const QString &fileName);   // raises EFOpenError, EInvalidGraphic
    void SaveToFile(const QString &fileName) const;

    // Copies the image of any graphic (converting between classes); emits Changed once.
    void Assign(const TPersistent *Source) override;

protected:
    // Replaces the image without announcing it.
    void StoreImage(const QImage &image) { FImage = image; }
    // Decodes with Qt's reader; format empty means "detect from the content".
    static QImage Decode(const QByteArray &data, const QByteArray &format, const QString &what);

    QImage FImage;
};

// A device-independent bitmap; stream form: a Windows BMP file. Loading also accepts the other
// formats Qt reads (JPEG among them), so that pictures embedded in report files by a JPEG graphic
// come back when a bitmap reads them.
class TBitmap : public TGraphic {
    Q_OBJECT
public:
    using TGraphic::TGraphic;

    TGraphicKind Kind() const override { return gkBitmap; }
    QByteArray Format() const override { return QByteArrayLiteral("BMP"); }
    std::unique_ptr<TGraphic> Clone() const override;

    // A blank (white) bitmap of the given size; 0 in either gives an empty bitmap.
    void SetSize(int width, int height);

    void LoadFromData(const QByteArray &data) override;
    QByteArray SaveToData() const override;
    void LoadFromStream(TStream &stream) override;
};

// A JPEG picture. It keeps the compressed bytes it was loaded from and saves them unchanged, so
// loading and saving never loses quality; an image set from elsewhere is compressed at
// CompressionQuality when saved.
class TJPEGImage : public TGraphic {
    Q_OBJECT
    Q_PROPERTY(int CompressionQuality READ CompressionQuality WRITE SetCompressionQuality)
public:
    using TGraphic::TGraphic;

    TGraphicKind Kind() const override { return gkJPEG; }
    QByteArray Format() const override { return QByteArrayLiteral("JPEG"); }
    std::unique_ptr<TGraphic> Clone() const override;

    int CompressionQuality() const { return FQuality; }  // 1..100
    void SetCompressionQuality(int value);

    void SetImage(const QImage &image) override;
    void LoadFromData(const QByteArray &data) override;
    QByteArray SaveToData() const override;
    void Assign(const TPersistent *Source) override;

    // Whether Qt's JPEG image plugin is available.
    static bool Supported();

private:
    QByteArray FData;  // compressed form, empty when the image came from elsewhere
    int FQuality = 90;
};

class TPicture : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(bool Empty READ Empty)
public:
    using TPersistent::TPersistent;
    ~TPicture() override;

    // The held graphic, null when there is none. Its Kind() tells the format.
    TGraphic *Graphic() const { return FGraphic.get(); }
    TGraphicKind GraphicKind() const { return FGraphic ? FGraphic->Kind() : gkNone; }
    // Holds a deep copy of the graphic (none for null); emits Changed once.
    void SetGraphic(const TGraphic *graphic);
    // The held bitmap; a picture holding anything else first gets an empty bitmap instead.
    TBitmap *Bitmap();

    bool Empty() const { return !FGraphic || FGraphic->Empty(); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    QImage Image() const { return FGraphic ? FGraphic->Image() : QImage(); }
    void Clear();

    // The class comes from the extension (.bmp, .jpg, .jpeg) unless the content says otherwise.
    // Raises EFOpenError when the file cannot be read, EInvalidGraphic for unknown or damaged
    // content; the picture is unchanged then.
    void LoadFromFile(const QString &fileName);
    // Saves the graphic in its own format; raises EInvalidGraphic when there is nothing to save.
    void SaveToFile(const QString &fileName) const;
    // A self-describing form that keeps the graphic's class; see picture.cpp.
    void LoadFromStream(TStream &stream);
    void SaveToStream(TStream &stream) const;

    // Deep copy from a TPicture or a TGraphic; null clears. Emits Changed once.
    void Assign(const TPersistent *Source) override;

    // Component streams carry the picture in its stream form (class and bytes).
    bool HasBinaryForm() const override { return true; }
    QByteArray SaveBinaryForm() const override;
    void LoadBinaryForm(const QByteArray &data) override;

private:
    void Take(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};

// A new empty graphic of the kind; null for gkNone.
std::unique_ptr<TGraphic> CreateGraphic(TGraphicKind kind);
// The graphic kind that the content of the bytes is, by signature; gkNone when unknown.
TGraphicKind SniffGraphicKind(const QByteArray &data);
// The graphic kind for a file extension (with or without dot, any case); gkNone when unknown.
TGraphicKind GraphicKindForExtension(const QString &extension);
// File dialog filter of the picture formats, in Qt's "Name (*.ext);;..." form.
QString PictureFileFilter();
