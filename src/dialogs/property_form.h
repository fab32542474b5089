#pragma once
// The common part of the element property dialogs: a modal form built from the host's
// standard controls with names (so the language file translates it under its section), a grid
// of labelled fields, OK and Cancel, the designer's run-time message list for the texts of
// choice lists, and the pieces the dialogs share: colour and font buttons that hold their value
// until OK, the pen-width edit and the alignment list.
#include "host/colors.h"
#include "host/component.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QGridLayout;
class TButton;
class TComboBox;
class TEdit;
class TFont;
class TSpeedButton;
class TVDMDesigner;

class TPropertyForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    // Designer gives the run-time messages (may be null: the texts are the keys then).
    TPropertyForm(TVDMDesigner *Designer, TComponent *AOwner, const QString &Name, const QString &Caption);
    ~TPropertyForm() override;

    // The text of a run-time message key (letter case ignored), the key itself without one.
    QString Message(const QString &Key) const;
    QStringList Messages(const QStringList &Keys) const;

    // Shows the form modally through the interaction service; true on OK. OK goes through the
    // form's checks first: one that fails shows its error and the form stays open.
    bool Run();
    // A check run on OK before the form closes; it raises EConvertError (or another Exception)
    // for a value that cannot be written back.
    void AddCheck(std::function<void()> Check) { FChecks.push_back(std::move(Check)); }
    // Runs the checks; shows the first error and returns false.
    bool Validate();
    void accept() override;

    // A control with a component name, added in the next row of the field grid with a label
    // (none for an empty caption); check boxes and buttons span the row.
    template <class T>
    T *Field(const char *Name, const QString &Label = QString());
    // A check box in the next row.
    class TCheckBox *Check(const char *Name, const QString &Caption);
    // A colour button: shows and holds a colour, chosen through the colour dialog.
    TButton *ColorButton(const char *Name, const QString &Caption, TColor *Held);
    // A font button: holds a copy of a font, chosen through the font dialog.
    TButton *FontButton(const char *Name, const QString &Caption, TFont *Held);
    // The pen width edit: digits only; its up button adds 1, its down button subtracts 1 while
    // the value is above 1. OK with the edit empty is a conversion error.
    TEdit *PenWidthEdit(const char *Name, const QString &Label, int Width);
    // "Left", "Right", "Centered" in this order (the element's alignment ordinals).
    TComboBox *AlignmentBox(const char *Name, int Alignment);

    // Finishes the form: OK and Cancel below the fields, then the translation of the section.
    void Finish(const QString &Section);

    TButton *OKButton = nullptr, *CancelButton = nullptr;

    // Adds a control (with a label unless empty) in the next row of the field grid.
    void AddRow(QWidget *Control, const QString &Label);
    // Shows or hides a row: the control and its label.
    void ShowRow(QWidget *Control, bool Visible);

protected:

    TVDMDesigner *FDesigner;
    QGridLayout *FGrid;
    int FRow = 0;
    std::vector<std::function<void()>> FChecks;
};

template <class T>
T *TPropertyForm::Field(const char *Name, const QString &Label) {
    auto *control = new T(this);
    control->SetName(QString::fromLatin1(Name));
    AddRow(control, Label);
    return control;
}
