#include "reportlib/rep_image.h"

#include "reportlib/rep_pdf_device.h"
#include "reportlib/rep_printer.h"

#include "dblib/field.h"
#include "host/stream.h"

#include <QImageReader>
#include <QBuffer>
#include <QPainter>

void RepDrawPicture(QPainter &painter, const QRectF &rect, const QImage &image, bool stretch, bool center,
                    double pixelScale) {
    if (image.isNull() || rect.isEmpty()) return;
    if (stretch) {
        painter.drawImage(rect, image);
        return;
    }
    QRectF target(rect.topLeft(), QSizeF(image.width() * pixelScale, image.height() * pixelScale));
    if (center) target.moveCenter(rect.center());
    const bool clip = !rect.contains(target);
    if (clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    painter.drawImage(target, image);
    if (clip) painter.restore();
}

namespace {

// A JPEG picture printed into Vendamo's PDF writer goes into the file as its own bytes.
void OfferJpeg(QPainter &painter, const TPicture &picture) {
    auto *pdf = dynamic_cast<TRepPdfDevice *>(painter.device());
    if (pdf && picture.GraphicKind() == gkJPEG) pdf->OfferJpeg(picture.Image(), picture.Graphic()->SaveToData());
}

}  // namespace

// --- TRepImage -------------------------------------------------------------------------

TRepImage::TRepImage(TComponent *AOwner) : TRepPrintable(AOwner) {
    FPicture = new TPicture(this);
    connect(FPicture, &TPersistent::Changed, this, [this] {
        AdjustBounds();
        Changed();
    });
}

void TRepImage::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TRepImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    Changed();
}

void TRepImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    Changed();
}

void TRepImage::AdjustBounds() {
    if (!FAutoSize || FPicture->Empty() || HasState(csLoading) || HasState(csReading)) return;
    SetSizeMM(3, RepPixelsToMM(FPicture->Width(), 100));
    SetSizeMM(0, RepPixelsToMM(FPicture->Height(), 100));
}

void TRepImage::Print(double OfsX, double OfsY) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas()) return;
    const QRectF rect = PrintRect(OfsX, OfsY);
    OfferJpeg(*p->Canvas(), *FPicture);
    RepDrawPicture(*p->Canvas(), rect, FPicture->Image(), FStretch, FCenter, p->PixelScale());
    PrintFrame(rect);
}

void TRepImage::Paint() {
    if (QPainter *c = Canvas())
        RepDrawPicture(*c, QRectF(rect()), FPicture->Image(), FStretch, FCenter, Zoom() / 100.0);
    TRepPrintable::Paint();
}

// --- TRepDBImage -----------------------------------------------------------------------

TRepDBImage::TRepDBImage(TComponent *AOwner) : TRepPrintable(AOwner) { FPicture = new TPicture(this); }

void TRepDBImage::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
    FField = nullptr;
    Changed();
}

void TRepDBImage::SetDataField(const QString &value) {
    if (value == FDataField) return;
    FDataField = value;
    FField = nullptr;
    Changed();
}

void TRepDBImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    Changed();
}

void TRepDBImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    Changed();
}

void TRepDBImage::Notification(TComponent *AComponent, TOperation Operation) {
    TRepPrintable::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet = nullptr;
        FField = nullptr;
    }
}

TField *TRepDBImage::Field() const {
    if (FField && FField->DataSet() == FDataSet) return FField;
    FField = (FDataSet && FDataSet->Active() && !FDataField.isEmpty()) ? FDataSet->FindField(FDataField) : nullptr;
    return FField;
}

void TRepDBImage::LoadFieldPicture() {
    FPicture->Clear();
    const TField *f = Field();
    if (!f) return;
    try {
        if (f->IsNull()) return;
        TMemoryStream stream;
        f->SaveToStream(stream);
        QByteArray data = stream.Data();
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        const QImage image = reader.read();
        if (image.isNull()) return;
        TBitmap bitmap;
        bitmap.SetImage(image);
        FPicture->SetGraphic(&bitmap);
    } catch (const std::exception &) {
        // Not a blob, or not a picture: prints empty.
    }
}

void TRepDBImage::PrepareContent() { LoadFieldPicture(); }

void TRepDBImage::Print(double OfsX, double OfsY) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas()) return;
    const QRectF rect = PrintRect(OfsX, OfsY);
    RepDrawPicture(*p->Canvas(), rect, FPicture->Image(), FStretch, FCenter, p->PixelScale());
    PrintFrame(rect);
}

void TRepDBImage::Paint() {
    if (QPainter *c = Canvas()) {
        if (!FPicture->Empty())
            RepDrawPicture(*c, QRectF(rect()), FPicture->Image(), FStretch, FCenter, Zoom() / 100.0);
        else {
            c->save();
            c->setPen(QColor(128, 128, 128));
            c->drawText(rect(), Qt::AlignCenter, FDataField.isEmpty() ? Name() : FDataField);
            c->restore();
        }
    }
    TRepPrintable::Paint();
}
