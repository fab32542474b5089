#pragma once
// The options dialog of the selection: name, hint, position and size, the lock flags and the two
// design-mode flags of the clicked element (or of every selected element). Built from the host's
// standard controls, so the language file translates it under "BlockForm".
#include "host/component.h"

#include <QDialog>
#include <QList>

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TVDMDesigner;

class TBlockForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TBlockForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // Fills the controls for Element, the clicked one of Selection (the selected elements).
    void Prepare(TVDMDesigner *Designer, QWidget *Element, const QList<QWidget *> &Selection);
    // Writes the dialog back after OK; errors are reported and the rest still applied.
    void Apply();

    TEdit *NameEdit, *HintEdit, *LeftEdit, *TopEdit, *WidthEdit, *HeightEdit;
    TLabel *NameLabel, *HintLabel, *LeftLabel, *TopLabel, *WidthLabel, *HeightLabel;
    TGroupBox *PositionGroup, *ActionsGroup, *DesignGroup;
    // In flag order: BlockDelete, BlockChange, BlockEdit, BlockMove, BlockResize,
    // FixBottomPosition, StretchHeightWithBand.
    QList<TCheckBox *> FlagBoxes;
    TButton *OKButton, *CancelButton;

protected:
    // The position fields take digits, the decimal separator and control characters only.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyFlags(QWidget *Element);
    // False when a field held no number (the remaining fields are then left alone).
    bool ApplyPosition(QWidget *Element);

    TVDMDesigner *FDesigner = nullptr;
    QWidget *FElement = nullptr;
    QList<QWidget *> FSelection;
    // The state each flag box was shown in: only boxes the user changed are written.
    QList<int> FShownStates;
};
