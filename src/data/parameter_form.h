#pragma once
// The parameter dialog: for each parameter of a query its data type and where its value comes
// from: a value typed here, a question before printing, or the master dataset's field of the
// same name. It works on a copy of the parameters, so Cancel leaves them as they were.
#include <QDialog>

#include "dblib/params.h"
#include "host/component.h"

class TButton;
class TComboBox;
class TEdit;
class TListBox;
class TRadioButton;
class TVDMDesigner;

class TDBSetupForm4 : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDBSetupForm4(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    void Prepare(const TParams &Params, TVDMDesigner *Designer);
    const TParams &Params() const { return FParams; }

    // The data type items and the field types they stand for, in item order.
    static const QList<QPair<QString, TFieldType>> &TypeItems();

    TListBox *ParamListBox;
    TComboBox *TypeComboBox;
    TEdit *ValueEdit;
    TRadioButton *ValueRadioButton, *AskRadioButton, *MasterRadioButton;
    TButton *OKButton, *CancelButton;

private:
    TParam *Current() const;
    void ShowCurrent();
    // Stores the edit's text as the current parameter's value; false after an error box when
    // the text does not suit the type.
    bool StoreValue();
    void ChooseSource();
    void ChooseType();

    TParams FParams;
    TVDMDesigner *FDesigner = nullptr;
    bool FShowing = false;
};
