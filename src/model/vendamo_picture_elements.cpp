#include "model/vendamo_picture_elements.h"

#include "model/report_constants.h"

#include "reportlib/report.h"

#include "dblib/field.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

// --- picture files named by fields -----------------------------------------------------------

QString TPictureFileFinder::Find(const QString &text) {
    if (text.isEmpty()) return QString();
    // Names written on other systems use backslashes.
    QString name = text;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString path = QFileInfo(name).absoluteFilePath();
    const bool hasExtension = path.section(QLatin1Char('/'), -1).contains(QLatin1Char('.'));
    if (!hasExtension) path += QStringLiteral(".BMP");
    const QFileInfo file(path);
    if (file.isFile()) return path;
    if (hasExtension) return QString();
    // The added extension is a convention, not a spelling: "logo.bmp" counts too.
    const QDir dir = file.dir();
    auto listing = FListings.find(dir.path());
    if (listing == FListings.end()) {
        QHash<QString, QString> names;
        // The first in the listing's order wins.
        for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
            if (!names.contains(entry.toCaseFolded())) names.insert(entry.toCaseFolded(), entry);
        listing = FListings.insert(dir.path(), names);
    }
    const QString entry = listing->value(file.fileName().toCaseFolded());
    return entry.isEmpty() ? QString() : dir.filePath(entry);
}

QString PictureFileForFieldText(const QString &text) { return TPictureFileFinder().Find(text); }

namespace {

// Loads a picture file (none: an empty name); an unreadable one leaves the picture empty.
void LoadPictureFile(const QString &file, TPicture &picture) {
    if (file.isEmpty()) return;
    try {
        picture.LoadFromFile(file);
    } catch (const std::exception &) {
        // An unreadable picture prints as an empty area.
        picture.Clear();
    }
}

}  // namespace

void LoadPictureForFieldText(const QString &text, TPicture &picture) {
    LoadPictureFile(PictureFileForFieldText(text), picture);
}

// --- TVendamoShape ---------------------------------------------------------------------------

TVendamoShape::TVendamoShape(TComponent *AOwner) : TRepShape(AOwner), TElementDesign(this) {}

void TVendamoShape::Paint() {
    TRepShape::Paint();
    PaintElementFrames(true, true);
}

void TVendamoShape::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoShape::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoShape::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoShape::Notification(TComponent *AComponent, TOperation Operation) {
    TRepShape::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoImage ---------------------------------------------------------------------------

TVendamoImage::TVendamoImage(TComponent *AOwner) : TRepImage(AOwner), TElementDesign(this) {}

void TVendamoImage::SetFilename(const QString &value) { FFilename = value.left(ShortStringLength); }

void TVendamoImage::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoImage::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoImage::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoImage::Notification(TComponent *AComponent, TOperation Operation) {
    TRepImage::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoDBImage -------------------------------------------------------------------------

TVendamoDBImage::TVendamoDBImage(TComponent *AOwner) : TRepDBImage(AOwner), TElementDesign(this) {}

bool TVendamoDBImage::FieldIsBlob() const {
    const TField *f = Field();
    return f && IsBlobType(f->DataType());
}

void TVendamoDBImage::LoadPicture() {
    if (FieldIsBlob()) {
        LoadFieldPicture();
        return;
    }
    Picture()->Clear();
    if (const TField *f = Field()) LoadPictureForFieldText(f->AsString(), *Picture());
}

void TVendamoDBImage::BeforeRun() {
    TRepDBImage::BeforeRun();
    FPictureFiles.Clear();
}

void TVendamoDBImage::PrepareContent() {
    if (FieldIsBlob())
        TRepDBImage::PrepareContent();
    else
        Picture()->Clear();
}

void TVendamoDBImage::Print(double OfsX, double OfsY) {
    if (FieldIsBlob()) {
        TRepDBImage::Print(OfsX, OfsY);
        return;
    }
    TRepPrinter *p = Printer();
    if (p && p->Canvas()) {
        TPicture picture;
        if (const TField *f = Field()) LoadPictureFile(FPictureFiles.Find(f->AsString()), picture);
        const QRectF rect = PrintRect(OfsX, OfsY);
        QPainter &canvas = *p->Canvas();
        if (Stretch() && picture.Empty())
            // Data images have no colour of their own: the area is filled in the paper's.
            canvas.fillRect(rect, Qt::white);
        else
            RepDrawPicture(canvas, rect, picture.Image(), Stretch(), Center(), p->PixelScale());
    }
    // Frame and the rest, as the report library prints them (its own picture is empty).
    TRepDBImage::Print(OfsX, OfsY);
}

void TVendamoDBImage::Paint() {
    TRepDBImage::Paint();
    PaintElementFrames(true, false);
}

void TVendamoDBImage::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoDBImage::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoDBImage::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoDBImage::Notification(TComponent *AComponent, TOperation Operation) {
    TRepDBImage::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}
