// The data picture dialog: dataset and field, stretching, centring, and the side of its band
// the picture is docked to.
#include "dialogs/data_field_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/element_access.h"
#include "model/vendamo_picture_elements.h"
#include "reportlib/rep_band.h"

#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/strings.h"

namespace PropertyLists {

// Docking is done once, on OK: the element moves to that edge of its band and takes the band's
// full width (top, bottom) or height (left, right); "none" leaves it where it is. Reports keep
// the resulting position and size.
void DockToBand(TRepControl *Element, int Side) {
    auto *band = Element ? qobject_cast<TRepBand *>(Element->parentWidget()) : nullptr;
    if (!band || Side <= 0 || Side > 4) return;
    const double bandWidth = band->SizeMM(1), bandHeight = band->SizeMM(0);
    // Size values of printables: 0 height, 1 left, 2 top, 3 width.
    switch (Side) {
    case 1:  // top
        Element->SetSizeMM(1, 0);
        Element->SetSizeMM(2, 0);
        Element->SetSizeMM(3, bandWidth);
        break;
    case 2:  // bottom
        Element->SetSizeMM(1, 0);
        Element->SetSizeMM(2, qMax(0.0, bandHeight - Element->SizeMM(0)));
        Element->SetSizeMM(3, bandWidth);
        break;
    case 3:  // left
        Element->SetSizeMM(1, 0);
        Element->SetSizeMM(2, 0);
        Element->SetSizeMM(0, bandHeight);
        break;
    case 4:  // right
        Element->SetSizeMM(1, qMax(0.0, bandWidth - Element->SizeMM(3)));
        Element->SetSizeMM(2, 0);
        Element->SetSizeMM(0, bandHeight);
        break;
    }
}

}  // namespace PropertyLists

bool EditDBImageProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *image = Element ? qobject_cast<TVendamoDBImage *>(Element->Object()) : nullptr;
    if (!image) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("DBImagePropertyForm"), QStringLiteral("Picture from database"));
    const TDataFieldChoice data(form, image->Owner(), image->DataSet(), image->DataField(),
                                ElementFlag(image, QStringLiteral("BlockChange")));
    auto *stretch = form.Check("StretchCheckBox", QStringLiteral("&Stretch picture automatically"));
    stretch->setChecked(image->Stretch());
    auto *center = form.Check("CenterCheckBox", QStringLiteral("&Center picture"));
    center->setChecked(image->Center());
    auto *align = form.Field<TComboBox>("AlignComboBox", QStringLiteral("Alignment"));
    align->SetStyle(csDropDownList);
    align->Items()->SetStringList(
        form.Messages({"ImgAlign None", "ImgAlign Top", "ImgAlign Bottom", "ImgAlign Left", "ImgAlign Right"}));
    align->SetItemIndex(0);
    form.Finish(QStringLiteral("DBImagePropertyForm"));
    if (!form.Run()) return false;

    image->SetDataSet(data.DataSet());
    image->SetDataField(data.FieldName());
    image->SetStretch(stretch->isChecked());
    image->SetCenter(center->isChecked());
    PropertyLists::DockToBand(image, align->currentIndex());
    image->update();
    return true;
}
