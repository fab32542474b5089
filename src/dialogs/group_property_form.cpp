// The group band dialog: the master whose records it groups, its footer band, link band, the
// group-break expression, colour, frame and the page-break switches.
#include "dialogs/band_form_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_bands.h"

#include "host/button_controls.h"
#include "host/text_controls.h"

bool EditGroupProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *band = Element ? qobject_cast<TVendamoGroup *>(Element->Object()) : nullptr;
    if (!band) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("GroupPropertyForm"), QStringLiteral("Groupband"));
    TColor color = band->Color();

    const TBandChoice master(form, "MasterComboBox", QStringLiteral("Master"), band, band->Master(), true);
    const TBandChoice footer(form, "FooterBandComboBox", QStringLiteral("Footer band"), band, band->FooterBand());
    const TBandChoice link(form, "LinkBandComboBox", QStringLiteral("Link band"), band, band->LinkBand());
    auto *expression = form.Field<TEdit>("ExpressionEdit", QStringLiteral("Expression"));
    expression->setText(band->Expression());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    const TFrameControls frame(form, band->Frame());
    auto *newPage = form.Check("ForceNewPageCheckBox", QStringLiteral("Force new page"));
    newPage->setChecked(band->ForceNewPage());
    auto *newColumn = form.Check("ForceNewColumnCheckBox", QStringLiteral("Force new column"));
    newColumn->setChecked(band->ForceNewColumn());
    auto *atBottom = form.Check("AtBottomCheckBox", QStringLiteral("Bottom of page"));
    atBottom->setChecked(band->PrintAtBottom());
    form.Finish(QStringLiteral("GroupPropertyForm"));
    if (!form.Run()) return false;

    band->SetMaster(master.Selected());  // "None": the report
    band->SetFooterBand(footer.Selected());
    band->SetLinkBand(link.Selected());
    band->SetExpression(expression->text());
    band->SetColor(color);
    band->SetForceNewPage(newPage->isChecked());
    band->SetForceNewColumn(newColumn->isChecked());
    band->SetPrintAtBottom(atBottom->isChecked());
    frame.Store(band->Frame());
    band->update();
    return true;
}
