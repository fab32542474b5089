// The child band dialog: the band it follows, link band, print condition, colour, frame and
// the printing switches of bands, without "Not on last page" (only page footers have it).
#include "dialogs/band_form_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_bands.h"

#include "host/button_controls.h"
#include "host/text_controls.h"

bool EditChildProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *band = Element ? qobject_cast<TVendamoChildBand *>(Element->Object()) : nullptr;
    if (!band) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("ChildPropertyForm"), QStringLiteral("Childband"));
    TColor color = band->Color();

    const TBandChoice parent(form, "ParentBandComboBox", QStringLiteral("Parent band"), band, band->ParentBand());
    const TBandChoice link(form, "LinkBandComboBox", QStringLiteral("Link band"), band, band->LinkBand());
    auto *expression = form.Field<TEdit>("ExpressionEdit", QStringLiteral("Expression"));
    expression->setText(band->Expression());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    const TFrameControls frame(form, band->Frame());
    auto *newPage = form.Check("ForceNewPageCheckBox", QStringLiteral("Force new page"));
    newPage->setChecked(band->ForceNewPage());
    auto *newColumn = form.Check("ForceNewColumnCheckBox", QStringLiteral("Force new column"));
    newColumn->setChecked(band->ForceNewColumn());
    TPageConditions pages(form, *band);
    pages.SetAvailable(true);
    auto *atBottom = form.Check("AtBottomCheckBox", QStringLiteral("At bottom of page"));
    atBottom->setChecked(band->PrintAtBottom());
    form.Finish(QStringLiteral("ChildPropertyForm"));
    if (!form.Run()) return false;

    // A parent that would make a cycle is refused by the band and the old one stays.
    band->SetParentBand(parent.Selected());
    band->SetLinkBand(link.Selected());
    band->SetExpression(expression->text());
    band->SetColor(color);
    band->SetForceNewPage(newPage->isChecked());
    band->SetForceNewColumn(newColumn->isChecked());
    pages.Store(*band);
    band->SetPrintAtBottom(atBottom->isChecked());
    frame.Store(band->Frame());
    band->update();
    return true;
}
