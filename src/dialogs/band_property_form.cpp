// The band dialog: kind, link band, expression, colour, frame, and the printing conditions,
// whose page conditions depend on the kind chosen.
#include "dialogs/band_form_parts.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_bands.h"

#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

#include <array>
#include <functional>

namespace {

// The kind list: item i stands for this band kind.
constexpr std::array<TRepBand::TRepBandType, 8> KindOfItem = {
    TRepBand::rbTitle,       TRepBand::rbPageHeader,  TRepBand::rbColumnHeader, TRepBand::rbGroupHeader,
    TRepBand::rbDetail,      TRepBand::rbGroupFooter, TRepBand::rbSummary,      TRepBand::rbPageFooter};

int ItemOfKind(TRepBand::TRepBandType kind) {
    for (size_t i = 0; i < KindOfItem.size(); ++i)
        if (KindOfItem[i] == kind) return int(i);
    return -1;
}

}  // namespace

bool EditBandProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *band = Element ? qobject_cast<TVendamoBand *>(Element->Object()) : nullptr;
    if (!band) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("BandPropertyForm"), QStringLiteral("Band"));
    TColor color = band->Color();

    auto *kind = form.Field<TComboBox>("BandTypeComboBox", QStringLiteral("Band type"));
    kind->SetStyle(csDropDownList);
    kind->Items()->SetStringList(form.Messages({"BandTitle", "BandPageheader", "BandColumnheader", "BandGroupheader",
                                                "BandDetail", "BandGroupfooter", "BandSummary", "BandPagefooter"}));
    kind->SetItemIndex(ItemOfKind(band->BandType()));
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
    auto *notLast = form.Check("NotOnLastPageCheckBox", QStringLiteral("Not on last page"));
    notLast->setChecked(band->NotOnLastPage());
    auto *atBottom = form.Check("AtBottomCheckBox", QStringLiteral("At bottom of page"));
    atBottom->setChecked(band->PrintAtBottom());

    auto updateConditions = [=, &pages] {
        const int item = kind->currentIndex();
        const TRepBand::TRepBandType k = item >= 0 ? KindOfItem[size_t(item)] : band->BandType();
        const bool pageKind = k == TRepBand::rbTitle || k == TRepBand::rbPageHeader || k == TRepBand::rbColumnHeader ||
                              k == TRepBand::rbGroupHeader || k == TRepBand::rbGroupFooter ||
                              k == TRepBand::rbPageFooter;
        pages.SetAvailable(pageKind);
        notLast->setEnabled(k == TRepBand::rbPageFooter);
        const bool noBreaks = k == TRepBand::rbTitle || k == TRepBand::rbPageHeader || k == TRepBand::rbPageFooter;
        for (TCheckBox *box : {newPage, newColumn}) {
            if (noBreaks) box->setChecked(false);
            box->setEnabled(!noBreaks);
        }
    };
    updateConditions();
    kind->SetOnChange(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([=](QObject *) { updateConditions(); }),
                                                      band));
    form.Finish(QStringLiteral("BandPropertyForm"));
    const bool accepted = form.Run();
    kind->SetOnChange(TMethod());
    if (!accepted) return false;

    if (kind->currentIndex() >= 0) band->SetBandType(KindOfItem[size_t(kind->currentIndex())]);
    band->SetLinkBand(link.Selected());
    band->SetExpression(expression->text());
    band->SetColor(color);
    band->SetPrintAtBottom(atBottom->isChecked());
    if (newPage->isEnabled() || !newPage->isChecked()) band->SetForceNewPage(newPage->isChecked());
    if (newColumn->isEnabled() || !newColumn->isChecked()) band->SetForceNewColumn(newColumn->isChecked());
    // Page flags are written only while their controls are enabled.
    pages.Store(*band);
    if (notLast->isEnabled()) band->SetNotOnLastPage(notLast->isChecked());
    frame.Store(band->Frame());
    band->update();
    return true;
}
