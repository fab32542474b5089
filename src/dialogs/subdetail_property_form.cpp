// The sub-detail band dialog: its dataset, master, header and footer bands, print condition,
// colour, frame, the page-break switches, printing before the master's detail band and
// printing header and footer for an empty dataset.
#include "dialogs/band_form_parts.h"
#include "dialogs/data_field_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_bands.h"

#include "host/button_controls.h"
#include "host/text_controls.h"

bool EditSubdetailProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *band = Element ? qobject_cast<TVendamoSubdetail *>(Element->Object()) : nullptr;
    if (!band) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("SubdetailPropertyForm"), QStringLiteral("Subdetailband"));
    TColor color = band->Color();

    const TDataSetChoice dataSet(form, "DataSetComboBox", QStringLiteral("Dataset"), band->Owner(), band->DataSet(),
                                 true);
    const TBandChoice master(form, "MasterComboBox", QStringLiteral("Master"), band, band->Master(), true);
    const TBandChoice header(form, "HeaderBandComboBox", QStringLiteral("Header band"), band, band->HeaderBand());
    const TBandChoice footer(form, "FooterBandComboBox", QStringLiteral("Footer band"), band, band->FooterBand());
    auto *expression = form.Field<TEdit>("ExpressionEdit", QStringLiteral("Expression"));
    expression->setText(band->Expression());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    const TFrameControls frame(form, band->Frame());
    auto *newPage = form.Check("ForceNewPageCheckBox", QStringLiteral("Force new page"));
    newPage->setChecked(band->ForceNewPage());
    auto *newColumn = form.Check("ForceNewColumnCheckBox", QStringLiteral("Force new column"));
    newColumn->setChecked(band->ForceNewColumn());
    auto *atBottom = form.Check("AtBottomCheckBox", QStringLiteral("At bottom of page"));
    atBottom->setChecked(band->PrintAtBottom());
    auto *before = form.Check("PrintBeforeCheckBox", QStringLiteral("Before master-detailband"));
    before->setChecked(band->PrintBefore());
    auto *ifEmpty = form.Check("PrintIfEmptyCheckBox", QStringLiteral("Print header/footer even if dataset is empty"));
    ifEmpty->setChecked(band->PrintIfEmpty());
    form.Finish(QStringLiteral("SubdetailPropertyForm"));
    if (!form.Run()) return false;

    band->SetDataSet(dataSet.Selected());
    band->SetMaster(master.Selected());  // "None": the report
    band->SetHeaderBand(header.Selected());
    band->SetFooterBand(footer.Selected());
    band->SetExpression(expression->text());
    band->SetColor(color);
    band->SetForceNewPage(newPage->isChecked());
    band->SetForceNewColumn(newColumn->isChecked());
    band->SetPrintAtBottom(atBottom->isChecked());
    band->SetPrintBefore(before->isChecked());
    band->SetPrintIfEmpty(ifEmpty->isChecked());
    frame.Store(band->Frame());
    band->update();
    return true;
}
