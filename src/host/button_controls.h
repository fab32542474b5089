#pragma once
// Buttons: push button, speed button, check box and radio button. OnClick fires when the user
// clicks (or presses the button's key); setting Checked or Down from code does not fire it.
#include "host/control.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

class TButton : public TControlOf<QPushButton> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    // The button Return presses in its dialog.
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TButton(TComponent *AOwner = nullptr);

    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

private:
    TMethod FOnClick;
};

// A flat tool button. With a GroupIndex above 0 it stays down when clicked and releases the
// other speed buttons of its group under the same parent; AllowAllUp lets the user release
// the down button of a group as well.
class TSpeedButton : public TControlOf<QToolButton> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Down READ isChecked WRITE SetDown)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(bool Flat READ autoRaise WRITE setAutoRaise)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TSpeedButton(TComponent *AOwner = nullptr);

    void SetDown(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

protected:
    void nextCheckState() override;

private:
    void ReleaseOthers();

    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    TMethod FOnClick;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// State includes the mixed (grayed) state, which only AllowGrayed lets the user click into;
// Checked is true only for the checked state.
class TCheckBox : public TControlOf<QCheckBox> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(int State READ State WRITE SetState)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TCheckBox(TComponent *AOwner = nullptr);

    // Qt counts a grayed box as checked; here only the checked state is.
    bool Checked() const { return checkState() == Qt::Checked; }
    int State() const;
    void SetState(int value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

protected:
    // A click goes unchecked -> (grayed, with AllowGrayed) -> checked -> unchecked; a box made
    // grayed from code becomes checked.
    void nextCheckState() override;

private:
    bool FAllowGrayed = false;
    TMethod FOnClick;
};

// Radio buttons with the same parent widget exclude one another.
class TRadioButton : public TControlOf<QRadioButton> {
    Q_OBJECT
    VENDAMO_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(TMethod OnClick READ OnClick WRITE SetOnClick)
public:
    Q_INVOKABLE explicit TRadioButton(TComponent *AOwner = nullptr);

    TMethod OnClick() const { return FOnClick; }
    void SetOnClick(const TMethod &value) { FOnClick = value; }

private:
    TMethod FOnClick;
};
