#pragma once
// The parts the four band dialogs share: a list of the other bands of the report, the frame
// controls, and the page conditions (not on the first page, odd or even pages only).
#include "host/colors.h"

#include <QList>

class QObject;
class QString;
class TBandDesign;
class TCheckBox;
class TComboBox;
class TEdit;
class TPropertyForm;
class TRepBand;
class TRepFrame;

// A drop-down list of "None" (the run-time message) and every band of the owner except Self,
// by name ("-?-" for a band without one), with Current selected. MastersOnly lists only
// sub-detail bands, the masters a band can have besides the report ("None").
class TBandChoice {
public:
    TBandChoice(TPropertyForm &Form, const char *Name, const QString &Label, const TRepBand *Self,
                const QObject *Current, bool MastersOnly = false);
    // The band chosen, null for "None" (or no choice).
    TRepBand *Selected() const;
    TComboBox *Box = nullptr;

private:
    QList<TRepBand *> FBands;
};

// "&Top", "&Bottom", "&Left", "&Right", the frame style, width and colour.
class TFrameControls {
public:
    TFrameControls(TPropertyForm &Form, const TRepFrame *Frame);
    void Store(TRepFrame *Frame) const;
    TCheckBox *Top = nullptr, *Bottom = nullptr, *Left = nullptr, *Right = nullptr;
    TComboBox *Style = nullptr;
    TEdit *Width = nullptr;

private:
    TColor FColor;
};

// "Not on first page", "Even page numbers only", "Odd page numbers only". The boxes can
// express only page settings whose start page and step are both 2 or less; for others they
// stay disabled and the settings untouched.
class TPageConditions {
public:
    TPageConditions(TPropertyForm &Form, const TBandDesign &Band);
    // Enables the boxes when the band's kind allows page conditions (and its settings fit).
    void SetAvailable(bool Available);
    // Writes the flags while their boxes are enabled: odd pages are start 1 step 2, even pages
    // start 2 step 2; clearing both after one was shown checked means every page again.
    void Store(TBandDesign &Band) const;
    TCheckBox *NotFirst = nullptr, *Even = nullptr, *Odd = nullptr;

private:
    bool FSimple, FWasOdd, FWasEven;
};
