#include "design/block_form.h"

#include "design/designer.h"
#include "design/stretch_handle.h"

#include "design/element_access.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/conversions.h"
#include "host/exceptions.h"
#include "host/format_settings.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "host/text_controls.h"
#include "model/form_translation.h"
#include "model/report_constants.h"
#include "model/report_messages.h"
#include "reportlib/rep_band.h"
#include "reportlib/rep_printable.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

const QString FlagNames[] = {ElementProperty::BlockDelete,       ElementProperty::BlockChange,
                             ElementProperty::BlockEdit,         ElementProperty::BlockMove,
                             ElementProperty::BlockResize,       ElementProperty::FixBottomPosition,
                             ElementProperty::StretchHeightWithBand};
constexpr int LockFlagCount = 5;

template <class T>
T *Named(T *control, const char *name) {
    control->SetName(QString::fromLatin1(name));
    return control;
}

}  // namespace

TBlockForm::TBlockForm(TComponent *AOwner, QWidget *parent) : QDialog(parent), TComponent(AOwner) {
    SetName(QStringLiteral("BlockForm"));
    setWindowTitle(QStringLiteral("Options"));

    auto label = [this](const char *name, const char *caption) {
        auto *l = Named(new TLabel(this), name);
        l->setText(QString::fromLatin1(caption));
        return l;
    };
    auto edit = [this](const char *name) { return Named(new TEdit(this), name); };
    auto group = [this](const char *name, const char *caption) {
        auto *g = Named(new TGroupBox(this), name);
        g->setTitle(QString::fromLatin1(caption));
        return g;
    };

    NameLabel = label("NameLabel", "Name:");
    NameEdit = edit("NameEdit");
    HintLabel = label("HintLabel", "Hint");
    HintEdit = edit("HintEdit");
    auto *names = new QFormLayout;
    names->addRow(NameLabel, NameEdit);
    names->addRow(HintLabel, HintEdit);

    PositionGroup = group("PositionGroup", "Position");
    LeftLabel = label("LeftLabel", "Left");
    TopLabel = label("TopLabel", "Top");
    WidthLabel = label("WidthLabel", "Width");
    HeightLabel = label("HeightLabel", "Height");
    LeftEdit = edit("LeftEdit");
    TopEdit = edit("TopEdit");
    WidthEdit = edit("WidthEdit");
    HeightEdit = edit("HeightEdit");
    auto *position = new QGridLayout(PositionGroup);
    const QList<QPair<TLabel *, TEdit *>> fields = {
        {LeftLabel, LeftEdit}, {TopLabel, TopEdit}, {WidthLabel, WidthEdit}, {HeightLabel, HeightEdit}};
    for (int i = 0; i < fields.size(); ++i) {
        position->addWidget(fields[i].first, i / 2, (i % 2) * 2);
        position->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
        fields[i].first->setBuddy(fields[i].second);
        fields[i].second->installEventFilter(this);
    }

    ActionsGroup = group("ActionsGroup", "Actions");
    DesignGroup = group("DesignGroup", "In design mode:");
    const char *boxNames[] = {"NoDeleteCheck", "NoChangeCheck",    "NoEditCheck",         "NoMoveCheck",
                              "NoResizeCheck", "FixBottomCheck", "StretchHeightCheck"};
    const char *boxCaptions[] = {"no &deletion", "no &changing", "no &editing", "no &moving", "no &resizing",
                                 "keep position relative to band bottom", "autostretch height with band"};
    auto *actions = new QVBoxLayout(ActionsGroup);
    auto *design = new QVBoxLayout(DesignGroup);
    for (int i = 0; i < 7; ++i) {
        auto *box = Named(new TCheckBox(this), boxNames[i]);
        box->setText(QString::fromLatin1(boxCaptions[i]));
        (i < LockFlagCount ? actions : design)->addWidget(box);
        FlagBoxes.append(box);
    }

    OKButton = Named(new TButton(this), "OKButton");
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton = Named(new TButton(this), "CancelButton");
    CancelButton->setText(QStringLiteral("Cancel"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addWidget(PositionGroup);
    auto *flags = new QHBoxLayout;
    flags->addWidget(ActionsGroup);
    flags->addWidget(DesignGroup);
    layout->addLayout(flags);
    layout->addLayout(buttons);
    TranslateForm(this, QStringLiteral("BlockForm"));
}

bool TBlockForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        for (const QChar c : text)
            if (!c.isDigit() && c != FormatSettings.DecimalSeparator && c.category() != QChar::Other_Control)
                return true;  // dropped
    }
    return QDialog::eventFilter(watched, event);
}

void TBlockForm::Prepare(TVDMDesigner *Designer, QWidget *Element, const QList<QWidget *> &Selection) {
    FDesigner = Designer;
    FElement = Element;
    FSelection = Selection;
    const bool single = Selection.size() <= 1;
    const bool band = qobject_cast<TRepBand *>(Element) != nullptr;
    const bool blockEdit = Designer && Designer->AllowBlockEdit();

    const bool hasHint = PropertyExists(Element, QStringLiteral("Hint"));
    HintEdit->setText(hasHint ? GetStringProperty(Element, QStringLiteral("Hint")) : QString());
    HintEdit->setEnabled(hasHint);
    HintLabel->setEnabled(hasHint);

    // Several elements cannot share one name: the field stays empty and disabled then.
    const TComponent *component = TComponent::FromObject(Element);
    NameEdit->setText(single && component ? component->Name() : QString());
    NameEdit->setEnabled(blockEdit && single);
    for (int i = 0; i < FlagBoxes.size(); ++i) {
        TCheckBox *box = FlagBoxes[i];
        // A box shows checked or unchecked when all selected elements agree, else mixed.
        int on = 0;
        for (QWidget *w : Selection) on += ElementFlag(w, FlagNames[i]) ? 1 : 0;
        if (single) on = ElementFlag(Element, FlagNames[i]) ? 1 : 0;
        const int count = single ? 1 : int(Selection.size());
        box->SetAllowGrayed(!single && on != 0 && on != count);
        box->SetState(on == 0 ? cbUnchecked : on == count ? cbChecked : cbGrayed);
        FShownStates.append(box->State());
        if (i < LockFlagCount) box->setEnabled(blockEdit);
        if (i >= LockFlagCount && band) box->setEnabled(false);
    }

    if (single) {
        auto *control = qobject_cast<TRepControl *>(Element);
        auto show = [](TEdit *e, double v) { e->setText(FormatFloat(QStringLiteral("0.00"), v)); };
        if (band) {
            LeftEdit->setEnabled(false);
            TopEdit->setEnabled(false);
            WidthEdit->setEnabled(false);
            if (control) show(HeightEdit, control->Size()->Height());
        } else if (qobject_cast<TRepPrintable *>(Element)) {
            show(LeftEdit, control->Size()->Left());
            show(TopEdit, control->Size()->Top());
            show(WidthEdit, control->Size()->Width());
            show(HeightEdit, control->Size()->Height());
        }
    } else if (band) {
        LeftEdit->setEnabled(false);
        TopEdit->setEnabled(false);
        WidthEdit->setEnabled(false);
    }
}

void TBlockForm::ApplyFlags(QWidget *Element) {
    for (int i = 0; i < FlagBoxes.size(); ++i) {
        TCheckBox *box = FlagBoxes[i];
        if (!box->isEnabled() || box->State() == FShownStates.value(i) || box->State() == cbGrayed) continue;
        if (PropertyExists(Element, FlagNames[i])) SetBooleanProperty(Element, FlagNames[i], box->State() == cbChecked);
    }
}

bool TBlockForm::ApplyPosition(QWidget *Element) {
    auto *control = qobject_cast<TRepControl *>(Element);
    if (!control) return true;
    const bool band = qobject_cast<TRepBand *>(Element) != nullptr;
    if (!band && !qobject_cast<TRepPrintable *>(Element)) return true;
    // Left, top, width, height in this order; a locked element keeps what its lock protects.
    const bool moveLocked = ElementFlag(Element, ElementProperty::BlockMove);
    const bool sizeLocked = ElementFlag(Element, ElementProperty::BlockResize);
    struct Field {
        TEdit *Edit;
        bool Locked;
        void (TRepSize::*Set)(double);
    };
    const Field fields[] = {{LeftEdit, moveLocked || band, &TRepSize::SetLeft},
                            {TopEdit, moveLocked || band, &TRepSize::SetTop},
                            {WidthEdit, sizeLocked || band, &TRepSize::SetWidth},
                            {HeightEdit, sizeLocked, &TRepSize::SetHeight}};
    for (const Field &f : fields) {
        const QString text = f.Edit->text().trimmed();
        if (text.isEmpty() || !f.Edit->isEnabled()) continue;
        double value = 0;
        if (!TryStrToFloat(text, value)) return false;
        if (!f.Locked) (control->Size()->*f.Set)(value);
    }
    return true;
}

void TBlockForm::Apply() {
    if (!FElement) return;
    if (FDesigner) FDesigner->SetHasChanged(true);
    if (HintEdit->isEnabled()) SetStringProperty(FElement, QStringLiteral("Hint"), HintEdit->text());
    TComponent *component = TComponent::FromObject(FElement);
    if (NameEdit->isEnabled() && component && NameEdit->text() != component->Name()) {
        try {
            component->SetName(NameEdit->text());
        } catch (const EComponentError &) {
            ShowError(FDesigner ? FDesigner->RuntimeMessages() : nullptr, QStringLiteral("Invalid componentname"));
        }
    }
    const bool single = FSelection.size() <= 1;
    const QList<QWidget *> targets = single ? QList<QWidget *>{FElement} : FSelection;
    for (QWidget *w : targets) {
        ApplyFlags(w);
        if (!ApplyPosition(w) && single)
            Interaction().ShowError(QStringLiteral("Invalid top, left, width or height value!"));
    }
    if (qobject_cast<TRepBand *>(FElement)) FElement->update();
    TStretch_Handle *handle = FDesigner ? FDesigner->Handle() : nullptr;
    if (single && handle) {
        handle->DetachWithoutEvents();
        handle->Attach(FElement);
    } else if (FDesigner) {
        FDesigner->RedrawSelection();
        FDesigner->UpdateSelections();
    }
}
