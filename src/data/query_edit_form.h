#pragma once
// The query editor: a query's name, database, SQL statement, master dataset and parameters. It
// edits copies; OK writes them to the query and reopens it. An error (a rejected name, a
// statement that does not run) is shown and the editor stays open with the user's input.
#include <QDialog>
#include <QList>

#include "dblib/params.h"
#include "host/component.h"

class TButton;
class TComboBox;
class TDataSource;
class TEdit;
class TGroupBox;
class TMemo;
class TQuery;
class TVDMDesigner;
class QTableWidget;

class TDBSetupForm3 : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDBSetupForm3(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // Shows Query; Sources are the report's data sources, whose other datasets are offered as
    // master. Owned false disables the editing controls. NewQuery shows the "Query Wizard..."
    // group (an existing query hides it).
    void Prepare(TQuery *Query, TVDMDesigner *Designer, const QList<TDataSource *> &Sources, bool Owned,
                 bool NewQuery);
    // Writes the dialog to the query and opens it; false, after the error boxes, when the name
    // was refused or the query does not open.
    bool Apply();
    // The parameters as "Parameters..." left them (a copy; the query changes only on OK).
    TParams &EditedParams() { return FParams; }
    // "Parameters...": reads the parameters of the statement and opens the parameter dialog.
    void EditParameters();
    // "Run": runs the statement as typed, with the edited parameters, on a read-only connection
    // and shows its first rows below the statement. The query itself is not touched.
    void RunPreview();
    static constexpr int PreviewRows = 100;

    TEdit *NameEdit;
    TComboBox *DatabaseComboBox, *MasterComboBox;
    TMemo *SQLMemo;
    TGroupBox *WizardGroupBox;
    TButton *ParametersButton, *RunButton, *WizardButton, *OKButton, *CancelButton;
    QTableWidget *PreviewTable;

private:
    // The statement's parameters, keeping type, bound flag and value of those already known;
    // parameters without a type become string parameters.
    void ReadParameters();

    TQuery *FQuery = nullptr;
    TVDMDesigner *FDesigner = nullptr;
    QList<TDataSource *> FMasters;
    TParams FParams;
    bool FKeepUnlistedMaster = false;
};
