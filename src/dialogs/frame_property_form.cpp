// The frame dialog: which sides of the element are framed, the line width and colour.
#include "dialogs/property_dialogs.h"
#include "dialogs/property_form.h"

#include "design/designer.h"
#include "reportlib/rep_control.h"
#include "reportlib/rep_frame.h"

#include "host/button_controls.h"
#include "host/text_controls.h"

bool EditFrameProperty(TVDMDesigner *Designer, TComponent *Owner, TComponent *Element) {
    auto *first = Element ? qobject_cast<TRepControl *>(Element->Object()) : nullptr;
    if (!first) return false;
    const TRepFrame *frame = first->Frame();
    TPropertyForm form(Designer, Owner, QStringLiteral("FramePropertyForm"), QStringLiteral("Frame"));
    TColor color = frame->Color();
    auto *top = form.Check("TopCheckBox", QStringLiteral("&Top"));
    top->setChecked(frame->DrawTop());
    auto *bottom = form.Check("BottomCheckBox", QStringLiteral("&Bottom"));
    bottom->setChecked(frame->DrawBottom());
    auto *left = form.Check("LeftCheckBox", QStringLiteral("&Left"));
    left->setChecked(frame->DrawLeft());
    auto *right = form.Check("RightCheckBox", QStringLiteral("&Right"));
    right->setChecked(frame->DrawRight());
    TEdit *width = form.PenWidthEdit("PenWidthSpinEdit", QStringLiteral("Width"), frame->Width());
    form.ColorButton("ColorButton", QStringLiteral("&Color..."), &color);
    form.Finish(QStringLiteral("FramePropertyForm"));
    if (!form.Run()) return false;

    // The dialog started from the first element; it applies to every selected one.
    QList<TRepControl *> targets{first};
    if (Designer)
        for (QWidget *w : Designer->GetSelectedElements())
            if (auto *c = qobject_cast<TRepControl *>(w); c && !targets.contains(c)) targets << c;
    bool ok = false;
    const int lineWidth = width->text().toInt(&ok);
    for (TRepControl *c : targets) {
        TRepFrame *f = c->Frame();
        f->SetDrawTop(top->isChecked());
        f->SetDrawBottom(bottom->isChecked());
        f->SetDrawLeft(left->isChecked());
        f->SetDrawRight(right->isChecked());
        if (ok) f->SetWidth(lineWidth);
        f->SetColor(color);
        c->update();
    }
    return true;
}
