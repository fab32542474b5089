#pragma once
// The table properties dialog: a table's component name, the index that orders it, and the
// master dataset it follows through linked fields. OK applies; an error (a rejected name, a
// link the table refuses) is shown and the dialog stays open with the user's input.
#include <QDialog>
#include <QList>

#include "host/component.h"

class TButton;
class TComboBox;
class TDataSource;
class TEdit;
class TLabel;
class TTable;
class TVDMDesigner;

class TDBSetupForm2 : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDBSetupForm2(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // Shows Table; Sources are the report's data sources, whose datasets other than the table
    // are offered as master. Owned false disables every control (a dataset of another owner).
    void Prepare(TTable *Table, TVDMDesigner *Designer, const QList<TDataSource *> &Sources, bool Owned);
    // Writes the dialog back to the table; false, after an error box, when the table refused it.
    bool Apply();

    TEdit *NameEdit, *LinkedFieldsEdit;
    TComboBox *IndexComboBox, *MasterComboBox;
    TButton *LinkButton, *OKButton, *CancelButton;

private:
    TDataSource *ChosenMaster() const;
    void EditLinkedFields();
    void UpdateLinkButton();

    TTable *FTable = nullptr;
    TVDMDesigner *FDesigner = nullptr;
    QList<TDataSource *> FMasters;  // by master combo item, item 0 (none) excluded
    int FInitialMaster = 0;
    bool FKeepUnlistedMaster = false;
};

// True when Candidate's dataset follows DataSet, directly or through other masters, so that
// making it DataSet's master would close a circle.
bool FollowsDataSet(const TDataSource *Candidate, const class TDataSet *DataSet);
