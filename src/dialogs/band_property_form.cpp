// The band dialog: kind, link band, expression, colour, frame, and the printing conditions,
// whose page conditions depend on the kind chosen.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "model/vendamo_bands.h"
#include "reportlib/rep_frame.h"

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

// "None", then every other band of the owner ("-?-" for one without a name); Bands gets the
// band of each item (null for "None").
QStringList OtherBandNames(TPropertyForm &Form, const TComponent *Owner, const QObject *Self, QList<TRepBand *> &Bands) {
    QStringList names{Form.Message(QStringLiteral("None"))};
    Bands = {nullptr};
    if (!Owner) return names;
    for (TComponent *c : Owner->Components()) {
        auto *band = qobject_cast<TRepBand *>(c->Object());
        if (!band || band == Self) continue;
        Bands << band;
        names << (band->Name().isEmpty() ? QStringLiteral("-?-") : band->Name());
    }
    return names;
}

}  // namespace

bool EditBandProps(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *band = Element ? qobject_cast<TVendamoBand *>(Element->Object()) : nullptr;
    if (!band) return false;
    TPropertyForm form(Designer, Owner, QStringLiteral("BandPropertyForm"), QStringLiteral("Band"));
    TColor color = band->Color();
    TColor frameColor = band->Frame()->Color();

    auto *kind = form.Field<TComboBox>("BandTypeComboBox", QStringLiteral("Band type"));
    kind->SetStyle(csDropDownList);
    kind->Items()->SetStringList(form.Messages({"BandTitle", "BandPageheader", "BandColumnheader", "BandGroupheader",
                                                "BandDetail", "BandGroupfooter", "BandSummary", "BandPagefooter"}));
    kind->SetItemIndex(ItemOfKind(band->BandType()));
    QList<TRepBand *> bands;
    auto *link = form.Field<TComboBox>("LinkBandComboBox", QStringLiteral("Link band"));
    link->SetStyle(csDropDownList);
    link->Items()->SetStringList(OtherBandNames(form, band->Owner(), band, bands));
    link->SetItemIndex(int(bands.indexOf(band->LinkBand())));
    auto *expression = form.Field<TEdit>("ExpressionEdit", QStringLiteral("Expression"));
    expression->setText(band->Expression());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);

    const TRepFrame *frame = band->Frame();
    auto *top = form.Check("FrameTopCheckBox", QStringLiteral("&Top"));
    top->setChecked(frame->DrawTop());
    auto *bottom = form.Check("FrameBottomCheckBox", QStringLiteral("&Bottom"));
    bottom->setChecked(frame->DrawBottom());
    auto *left = form.Check("FrameLeftCheckBox", QStringLiteral("&Left"));
    left->setChecked(frame->DrawLeft());
    auto *right = form.Check("FrameRightCheckBox", QStringLiteral("&Right"));
    right->setChecked(frame->DrawRight());
    auto *penStyle = form.Field<TComboBox>("PenStyleComboBox", QStringLiteral("Frame style"));
    penStyle->SetStyle(csDropDownList);
    penStyle->Items()->SetStringList(form.Messages({"PenStyleSolid", "PenStyleDashed", "PenStyleDot",
                                                    "PenStyleDashDot", "PenStyleDashDotDot", "PenStyleHiddenMark",
                                                    "PenStyleInsideFrame"}));
    penStyle->SetItemIndex(int(frame->Style()));
    TEdit *width = form.PenWidthEdit("PenWidthSpinEdit", QStringLiteral("Frame width"), frame->Width());
    form.ColorButton("FrameColorButton", QStringLiteral("Color..."), &frameColor);

    auto *newPage = form.Check("ForceNewPageCheckBox", QStringLiteral("Force new page"));
    newPage->setChecked(band->ForceNewPage());
    auto *newColumn = form.Check("ForceNewColumnCheckBox", QStringLiteral("Force new column"));
    newColumn->setChecked(band->ForceNewColumn());
    auto *notFirst = form.Check("NotOnFirstPageCheckBox", QStringLiteral("Not on first page"));
    auto *notLast = form.Check("NotOnLastPageCheckBox", QStringLiteral("Not on last page"));
    notLast->setChecked(band->NotOnLastPage());
    auto *even = form.Check("EvenPagesCheckBox", QStringLiteral("Even page numbers only"));
    auto *odd = form.Check("OddPagesCheckBox", QStringLiteral("Odd page numbers only"));
    auto *atBottom = form.Check("AtBottomCheckBox", QStringLiteral("At bottom of page"));
    atBottom->setChecked(band->PrintAtBottom());

    // The page settings the odd and even boxes can express: both 2 or less.
    const bool simplePages = band->StartPageNum() <= 2 && band->PageStep() <= 2;
    const bool wasOdd = band->PageStep() == 2 && band->StartPageNum() <= 1;
    const bool wasEven = band->PageStep() == 2 && band->StartPageNum() == 2;
    notFirst->setChecked(simplePages && band->NotOnFirstPage());
    odd->setChecked(simplePages && wasOdd);
    even->setChecked(simplePages && wasEven);
    QObject::connect(odd, &QCheckBox::toggled, even, [even](bool on) {
        if (on) even->setChecked(false);
    });
    QObject::connect(even, &QCheckBox::toggled, odd, [odd](bool on) {
        if (on) odd->setChecked(false);
    });
    auto updateConditions = [=] {
        const int item = kind->currentIndex();
        const TRepBand::TRepBandType k = item >= 0 ? KindOfItem[size_t(item)] : band->BandType();
        const bool pageKind = k == TRepBand::rbTitle || k == TRepBand::rbPageHeader || k == TRepBand::rbColumnHeader ||
                              k == TRepBand::rbGroupHeader || k == TRepBand::rbGroupFooter ||
                              k == TRepBand::rbPageFooter;
        for (TCheckBox *box : {notFirst, even, odd}) box->setEnabled(pageKind && simplePages);
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
    if (!form.Run()) return false;

    if (kind->currentIndex() >= 0) band->SetBandType(KindOfItem[size_t(kind->currentIndex())]);
    const int linked = link->currentIndex();
    if (linked >= 0 && linked < bands.size()) band->SetLinkBand(bands[linked]);
    band->SetExpression(expression->text());
    band->SetColor(color);
    band->SetPrintAtBottom(atBottom->isChecked());
    if (newPage->isEnabled() || !newPage->isChecked()) band->SetForceNewPage(newPage->isChecked());
    if (newColumn->isEnabled() || !newColumn->isChecked()) band->SetForceNewColumn(newColumn->isChecked());
    // Page flags are written only while their controls are enabled.
    if (notFirst->isEnabled()) band->SetNotOnFirstPage(notFirst->isChecked());
    if (notLast->isEnabled()) band->SetNotOnLastPage(notLast->isChecked());
    if (odd->isEnabled()) {
        if (odd->isChecked()) {
            band->SetStartPageNum(1);
            band->SetPageStep(2);
        } else if (even->isChecked()) {
            band->SetStartPageNum(2);
            band->SetPageStep(2);
        } else if (wasOdd || wasEven) {
            // Both cleared after one was shown checked: every page again.
            band->SetStartPageNum(0);
            band->SetPageStep(0);
        }
    }
    TRepFrame *f = band->Frame();
    f->SetDrawTop(top->isChecked());
    f->SetDrawBottom(bottom->isChecked());
    f->SetDrawLeft(left->isChecked());
    f->SetDrawRight(right->isChecked());
    if (penStyle->currentIndex() >= 0) f->SetStyle(TPenStyle(penStyle->currentIndex()));
    bool ok = false;
    const int lineWidth = width->text().toInt(&ok);
    if (ok) f->SetWidth(lineWidth);
    f->SetColor(frameColor);
    band->update();
    return true;
}
