#pragma once
// Pictures: a fixed picture (TRepImage) and a picture from a data field (TRepDBImage).
// Picture pixels count as design pixels (96 per inch). Stretch scales the picture into the
// element; otherwise it prints at its own size from the top-left corner, or centred with
// Center, clipped to the element. With AutoSize the image element takes its picture's size.
#include "reportlib/rep_printable.h"

#include "dblib/dataset.h"
#include "host/picture.h"

#include <QPointer>

class TField;

// Draws an image into a rectangle as described above; pixelScale is device pixels per picture
// pixel.
void RepDrawPicture(QPainter &painter, const QRectF &rect, const QImage &image, bool stretch, bool center,
                    double pixelScale);

class TRepImage : public TRepPrintable {
    Q_OBJECT
    Q_PROPERTY(TPicture *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
public:
    explicit TRepImage(TComponent *AOwner);

    TPicture *Picture() const { return FPicture; }
    void SetPicture(TPicture *value) { FPicture->Assign(value); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);

    void Print(double OfsX, double OfsY) override;
    void Paint() override;

private:
    void AdjustBounds();

    TPicture *FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
};

class TRepDBImage : public TRepPrintable {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
public:
    explicit TRepDBImage(TComponent *AOwner);

    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    QString DataField() const { return FDataField; }
    void SetDataField(const QString &value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);

    // The element's own picture: the current field's picture, loaded for each print.
    TPicture *Picture() const { return FPicture; }
    TField *Field() const;
    // Loads the current record's picture from a blob field (empty when the field is missing,
    // null or not a readable picture).
    void LoadFieldPicture();

    void PrepareContent() override;
    void Print(double OfsX, double OfsY) override;
    void Paint() override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TDataSet *FDataSet = nullptr;
    QString FDataField;
    bool FCenter = false;
    bool FStretch = false;
    TPicture *FPicture;
    mutable QPointer<TField> FField;
};
