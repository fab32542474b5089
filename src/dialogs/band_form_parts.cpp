#include "dialogs/band_form_parts.h"
#include "dialogs/property_form.h"

#include "model/band_design.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_frame.h"

#include "host/button_controls.h"
#include "host/conversions.h"
#include "host/list_controls.h"
#include "host/strings.h"
#include "host/text_controls.h"

TBandChoice::TBandChoice(TPropertyForm &Form, const char *Name, const QString &Label, const TRepBand *Self,
                         const QObject *Current, bool MastersOnly) {
    Box = Form.Field<TComboBox>(Name, Label);
    Box->SetStyle(csDropDownList);
    QStringList names{Form.Message(QStringLiteral("None"))};
    FBands = {nullptr};
    if (Self && Self->Owner())
        for (TComponent *c : Self->Owner()->Components()) {
            auto *band = qobject_cast<TRepBand *>(c->Object());
            if (!band || band == Self || (MastersOnly && !qobject_cast<TRepSubDetail *>(band))) continue;
            FBands << band;
            names << (band->Name().isEmpty() ? QStringLiteral("-?-") : band->Name());
        }
    Box->Items()->SetStringList(names);
    Box->SetItemIndex(qMax(0, int(FBands.indexOf(qobject_cast<TRepBand *>(const_cast<QObject *>(Current))))));
}

TRepBand *TBandChoice::Selected() const {
    const int i = Box->currentIndex();
    return i >= 0 && i < FBands.size() ? FBands[i] : nullptr;
}

TFrameControls::TFrameControls(TPropertyForm &Form, const TRepFrame *Frame) : FColor(Frame->Color()) {
    Top = Form.Check("FrameTopCheckBox", QStringLiteral("&Top"));
    Top->setChecked(Frame->DrawTop());
    Bottom = Form.Check("FrameBottomCheckBox", QStringLiteral("&Bottom"));
    Bottom->setChecked(Frame->DrawBottom());
    Left = Form.Check("FrameLeftCheckBox", QStringLiteral("&Left"));
    Left->setChecked(Frame->DrawLeft());
    Right = Form.Check("FrameRightCheckBox", QStringLiteral("&Right"));
    Right->setChecked(Frame->DrawRight());
    Style = Form.Field<TComboBox>("PenStyleComboBox", QStringLiteral("Frame style"));
    Style->SetStyle(csDropDownList);
    Style->Items()->SetStringList(Form.Messages({"PenStyleSolid", "PenStyleDashed", "PenStyleDot", "PenStyleDashDot",
                                                 "PenStyleDashDotDot", "PenStyleHiddenMark", "PenStyleInsideFrame"}));
    Style->SetItemIndex(int(Frame->Style()));
    Width = Form.PenWidthEdit("PenWidthSpinEdit", QStringLiteral("Frame width"), Frame->Width());
    Form.ColorButton("FrameColorButton", QStringLiteral("Color..."), &FColor);
}

void TFrameControls::Store(TRepFrame *Frame) const {
    Frame->SetDrawTop(Top->isChecked());
    Frame->SetDrawBottom(Bottom->isChecked());
    Frame->SetDrawLeft(Left->isChecked());
    Frame->SetDrawRight(Right->isChecked());
    if (Style->currentIndex() >= 0) Frame->SetStyle(TPenStyle(Style->currentIndex()));
    Frame->SetWidth(StrToInt(Width->text()));  // the form's check has passed
    Frame->SetColor(FColor);
}

TPageConditions::TPageConditions(TPropertyForm &Form, const TBandDesign &Band)
    : FSimple(Band.StartPageNum() <= 2 && Band.PageStep() <= 2),
      FWasOdd(Band.PageStep() == 2 && Band.StartPageNum() <= 1),
      FWasEven(Band.PageStep() == 2 && Band.StartPageNum() == 2) {
    NotFirst = Form.Check("NotOnFirstPageCheckBox", QStringLiteral("Not on first page"));
    Even = Form.Check("EvenPagesCheckBox", QStringLiteral("Even page numbers only"));
    Odd = Form.Check("OddPagesCheckBox", QStringLiteral("Odd page numbers only"));
    NotFirst->setChecked(FSimple && Band.NotOnFirstPage());
    Odd->setChecked(FSimple && FWasOdd);
    Even->setChecked(FSimple && FWasEven);
    TCheckBox *odd = Odd, *even = Even;
    QObject::connect(odd, &QCheckBox::toggled, even, [even](bool on) {
        if (on) even->setChecked(false);
    });
    QObject::connect(even, &QCheckBox::toggled, odd, [odd](bool on) {
        if (on) odd->setChecked(false);
    });
}

void TPageConditions::SetAvailable(bool Available) {
    for (TCheckBox *box : {NotFirst, Even, Odd}) box->setEnabled(Available && FSimple);
}

void TPageConditions::Store(TBandDesign &Band) const {
    if (NotFirst->isEnabled()) Band.SetNotOnFirstPage(NotFirst->isChecked());
    if (!Odd->isEnabled()) return;
    if (Odd->isChecked()) {
        Band.SetStartPageNum(1);
        Band.SetPageStep(2);
    } else if (Even->isChecked()) {
        Band.SetStartPageNum(2);
        Band.SetPageStep(2);
    } else if (FWasOdd || FWasEven) {
        Band.SetStartPageNum(0);
        Band.SetPageStep(0);
    }
}
