#pragma once
// The designable shapes and pictures. A data image shows the picture of a blob field, or the
// picture file whose name a text field holds.
#include "model/element_design.h"
#include "model/loader.h"

#include "reportlib/rep_image.h"
#include "reportlib/rep_shape.h"

#include <QHash>

// Finds the picture files that data fields name (PictureFileForFieldText). A name without
// extension whose file has the ".BMP" added in another letter case is looked up in a listing of
// its directory; each directory is listed once and kept, so that a run over many records does
// not list it again for every record. Clear forgets the listings.
class TPictureFileFinder {
public:
    QString Find(const QString &text);
    void Clear() { FListings.clear(); }
    // Directories listed since the last Clear.
    int Listings() const { return int(FListings.size()); }

private:
    // Per directory: file name in folded case -> file name.
    QHash<QString, QHash<QString, QString>> FListings;
};

class TVendamoShape : public TRepShape, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoShape(TComponent *AOwner = nullptr);

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

class TVendamoImage : public TRepImage, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(QString Filename READ Filename WRITE SetFilename)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoImage(TComponent *AOwner = nullptr);

    // The file the picture was loaded from (at most 255 characters); kept with the report.
    QString Filename() const { return FFilename; }
    void SetFilename(const QString &value);

    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    QString FFilename;
};

class TVendamoDBImage : public TRepDBImage, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoDBImage(TComponent *AOwner = nullptr);

    // Whether the element's field is a blob (binary, graphic or memo) field.
    bool FieldIsBlob() const;
    // Loads the current record's picture into the element's own picture: a blob field's
    // picture, or the picture file a text field names.
    void LoadPicture();

    // The picture files found by the run in progress.
    const TPictureFileFinder &PictureFiles() const { return FPictureFiles; }

    // Every run starts with no directory listed.
    void BeforeRun() override;
    // Blob fields load their picture for the report library to print; for a text field the
    // element's own picture stays empty and Print draws the named file.
    void PrepareContent() override;
    void Print(double OfsX, double OfsY) override;
    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TPictureFileFinder FPictureFiles;
};

// The picture file a data field's text names: expanded against the current directory, with
// ".BMP" added when the name has no extension (also found when the file's extension differs
// in letter case only). Empty when there is no such file.
QString PictureFileForFieldText(const QString &text);
// Loads that file into the picture; a missing or unreadable file leaves it empty.
void LoadPictureForFieldText(const QString &text, TPicture &picture);
