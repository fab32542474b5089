#pragma once
// The designer's options dialog: band names and their font, component frames (shown, style,
// colour), the report's units and ruler, and the grid and arrow-key steps. It edits copies;
// only OK writes them to the designer and the report. Built from the host's standard controls,
// so the language file translates it under "OptionsForm".
#include "host/colors.h"
#include "host/component.h"

#include <QDialog>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TFont;
class TRadioGroup;
class TReport;
class TSpeedButton;
class TVDMDesigner;

class TOptionsForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    static constexpr int HelpContext = 90043;

    explicit TOptionsForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);
    ~TOptionsForm() override;

    // Shows the current settings of Designer and Report (either may be null: its controls are
    // disabled then).
    void Prepare(TVDMDesigner *Designer, TReport *Report);
    // Writes the dialog back after OK: ruler, units, band-name font, the four steps, frame
    // colour, band names, frames, frame style. An empty number field keeps its setting.
    void Apply();

    // The font and colour the dialog will apply (chosen through the font and colour buttons).
    const TFont *BandNameFont() const { return FBandNameFont; }
    TColor FrameColor() const { return FFrameColor; }

    TCheckBox *BandnameCheckBox, *FrameCheckBox, *RulerCheckBox;
    TButton *BandnameFontButton, *BitBtn7;
    TRadioGroup *StyleRadioGroup;
    TComboBox *UnitsComboBox;
    TEdit *GridXEdit, *GridYEdit, *KeyXEdit, *KeyYEdit;
    TSpeedButton *GridXUpButton, *GridXDownButton, *GridYUpButton, *GridYDownButton;
    TSpeedButton *KeyXUpButton, *KeyXDownButton, *KeyYUpButton, *KeyYDownButton;
    TButton *OKButton, *CancelButton;

protected:
    // The number fields take the digits 0 to 9 only; other characters and Backspace are dropped.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TEdit *NumberField(const char *name, const char *upName, const char *downName, TSpeedButton *&up,
                       TSpeedButton *&down);
    void SelectFont();
    void SelectColor();

    TVDMDesigner *FDesigner = nullptr;
    TReport *FReport = nullptr;
    TFont *FBandNameFont;
    TColor FFrameColor = clGray;
};

// Shows the options dialog for Designer and its Report and applies it when closed with OK.
void EditViewOptions(TReport *Report, TVDMDesigner *Designer);
