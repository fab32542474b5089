#include "host/button_controls.h"

TButton::TButton(TComponent *AOwner) : TControlOf(AOwner) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Notify(FOnClick); });
}

TSpeedButton::TSpeedButton(TComponent *AOwner) : TControlOf(AOwner) {
    setAutoRaise(true);
    connect(this, &QToolButton::clicked, this, [this] { Notify(FOnClick); });
}

void TSpeedButton::SetDown(bool value) {
    // Only a grouped button stays down; an ungrouped one springs back at once.
    if (FGroupIndex == 0) return;
    setChecked(value);
    if (value) ReleaseOthers();
}

void TSpeedButton::SetGroupIndex(int value) {
    FGroupIndex = qMax(0, value);
    setCheckable(FGroupIndex > 0);
    if (FGroupIndex == 0) setChecked(false);
}

void TSpeedButton::nextCheckState() {
    if (isChecked() && !FAllowAllUp) return;  // the last button down in its group stays down
    QToolButton::nextCheckState();
    if (isChecked()) ReleaseOthers();
}

void TSpeedButton::ReleaseOthers() {
    if (!parentWidget()) return;
    for (auto *other : parentWidget()->findChildren<TSpeedButton *>(Qt::FindDirectChildrenOnly))
        if (other != this && other->FGroupIndex == FGroupIndex) other->setChecked(false);
}

TCheckBox::TCheckBox(TComponent *AOwner) : TControlOf(AOwner) {
    connect(this, &QCheckBox::clicked, this, [this] { Notify(FOnClick); });
}

int TCheckBox::State() const {
    switch (checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckBox::SetState(int value) {
    // The mixed state may be set from code without AllowGrayed (a box that shows several
    // objects at once); the user still cannot click back into it then.
    if (value == cbGrayed)
        setCheckState(Qt::PartiallyChecked);
    else
        setCheckState(value == cbChecked ? Qt::Checked : Qt::Unchecked);
}

void TCheckBox::nextCheckState() {
    switch (checkState()) {
    case Qt::Unchecked: setCheckState(FAllowGrayed ? Qt::PartiallyChecked : Qt::Checked); break;
    case Qt::PartiallyChecked: setCheckState(Qt::Checked); break;
    case Qt::Checked: setCheckState(Qt::Unchecked); break;
    }
}

TRadioButton::TRadioButton(TComponent *AOwner) : TControlOf(AOwner) {
    connect(this, &QRadioButton::clicked, this, [this] { Notify(FOnClick); });
}
