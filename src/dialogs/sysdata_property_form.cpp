// The system-field dialog: the kind of data, a text printed before it, size, alignment,
// transparency, colour and font.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/report_constants.h"
#include "model/vendamo_text_elements.h"

#include "host/button_controls.h"
#include "host/font.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

bool EditSysDataProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *sysdata = Element ? qobject_cast<TVendamoSysdata *>(Element->Object()) : nullptr;
    if (!sysdata) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("SysDataPropertyForm"), QStringLiteral("Systemfield"));
    TFont font(nullptr);
    font.Assign(sysdata->Font());
    TColor color = sysdata->Color();

    // The kinds in the order of their ordinals.
    auto *kind = form.Field<TComboBox>("DataComboBox", QStringLiteral("Data"));
    kind->SetStyle(csDropDownList);
    QStringList keys;
    for (const char *key : SysDataTypes) keys << QLatin1String(key);
    kind->Items()->SetStringList(form.Messages(keys));
    kind->SetItemIndex(int(sysdata->Data()));
    auto *text = form.Field<TEdit>("TextEdit", QStringLiteral("Text"));
    text->setText(sysdata->Text());
    auto *autosize = form.Check("AutosizeCheckBox", QStringLiteral("Autosize width"));
    autosize->setChecked(sysdata->AutoSize());
    auto *alignment = form.AlignmentBox("AlignmentComboBox", int(sysdata->Alignment()));
    auto *transparent = form.Check("TransparentCheckBox", QStringLiteral("Transparent"));
    transparent->setChecked(sysdata->Transparent());
    form.FontButton("FontButton", QStringLiteral("&Font..."), &font);
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.Finish(QStringLiteral("SysDataPropertyForm"));
    if (!form.Run()) return false;

    if (kind->currentIndex() >= 0) sysdata->SetData(TRepSysData::TRepSysDataType(kind->currentIndex()));
    sysdata->SetText(text->text());
    sysdata->SetAutoSize(autosize->isChecked());
    if (alignment->currentIndex() >= 0) sysdata->SetAlignment(TRepPrintable::TAlignment(alignment->currentIndex()));
    sysdata->SetTransparent(transparent->isChecked());
    sysdata->SetFont(&font);
    sysdata->SetColor(color);
    sysdata->update();
    return true;
}
