// The image element's property dialog is an open-file dialog for its picture.
#include "dialogs/property_dialogs.h"

#include "model/vendamo_picture_elements.h"

#include "host/interaction.h"
#include "host/picture.h"

#include <QFileInfo>

namespace {

// The stated filter, with each pattern offered in both letter cases (file names on Linux are
// case-sensitive).
const QString ImageFilter = QStringLiteral(
    "All (*.bmp, *.wmf, *.emf, *.ico, *.jpg) (*.BMP *.WMF *.EMF *.ICO *.JPG *.bmp *.wmf *.emf *.ico *.jpg);;"
    "Bitmaps (*.BMP) (*.BMP *.bmp);;Metafiles (*.WMF) (*.WMF *.wmf);;Enhanced metafiles (*.EMF) (*.EMF *.emf);;"
    "Icons (*.ICO) (*.ICO *.ico);;JPEG(*.JPG) (*.JPG *.jpg)");

}  // namespace

bool EditImageProps(TVDMDesigner *, TComponent *, TComponent *Element) {
    auto *image = Element ? qobject_cast<TVendamoImage *>(Element->Object()) : nullptr;
    if (!image) return false;
    TFileDialogOptions options;
    options.Title = QStringLiteral("Picture");
    options.Filter = ImageFilter;
    options.DefaultExt = QStringLiteral("BMP");
    const QFileInfo current(image->Filename());
    options.InitialDir = current.absolutePath();
    options.FileName = current.fileName().contains(u'*') ? QString() : current.fileName();
    QString name;
    if (!Interaction().OpenFileName(options, name) || name.isEmpty()) return false;
    image->SetFilename(name.left(255));
    // Natural size once, stretched afterwards.
    image->SetAutoSize(true);
    image->SetStretch(false);
    try {
        image->Picture()->LoadFromFile(name);
    } catch (const std::exception &e) {
        // The file name stays set, as the element keeps it with the report.
        Interaction().ShowError(QString::fromUtf8(e.what()));
    }
    image->SetAutoSize(false);
    image->SetStretch(true);
    image->update();
    return true;
}
