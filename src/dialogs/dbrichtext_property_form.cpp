// The data rich-text dialog: dataset and field, alignment, autostretch, colour and font.
#include "dialogs/data_field_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/element_access.h"
#include "model/vendamo_rich_elements.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"

bool EditDBRichtextProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *rich = Element ? qobject_cast<TVendamoDBRichtext *>(Element->Object()) : nullptr;
    if (!rich) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("DBRichtextPropertyForm"), QStringLiteral("Richtext data field"));
    TFont font(nullptr);
    font.Assign(rich->Font());
    TColor color = rich->Color();
    const TDataFieldChoice data(form, rich->Owner(), rich->DataSet(), rich->DataField(),
                                ElementFlag(rich, QStringLiteral("BlockChange")));
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(rich->Alignment()));
    auto *autostretch = form.Check("AutostretchCheckBox", QStringLiteral("Autostretch height"));
    autostretch->setChecked(rich->AutoStretch());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.Finish(QStringLiteral("DBRichtextPropertyForm"));
    if (!form.Run()) return false;

    rich->SetDataSet(data.DataSet());
    rich->SetDataField(data.FieldName());
    if (alignment->currentIndex() >= 0) rich->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    rich->SetAutoStretch(autostretch->isChecked());
    rich->SetColor(color);
    rich->SetFont(&font);
    rich->update();
    return true;
}
