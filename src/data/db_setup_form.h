#pragma once
// The "Datasets" dialog: the report's tables and queries, one line each, the choice of the main
// dataset, and the commands that add, edit and delete them. Additions and deletions take effect
// at once; the caller fills the dialog and applies the main dataset when it closes.
#include <QDialog>
#include <QList>

#include "host/component.h"

class TButton;
class TComboBox;
class TDataSet;
class TDataSource;
class TDBOpenForm;
class TGroupBox;
class TListBox;
class TQuery;
class TStrings;
class TTable;
class TVDMDesigner;
class TWizQuery;

class TDBSetupForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    static constexpr int HelpContext = 90011;

    explicit TDBSetupForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);
    ~TDBSetupForm() override;

    // The designer whose options and messages the dialog uses, and the owner of the datasets it
    // creates (the report's form); only datasets of that owner can be edited or deleted here.
    void Prepare(TVDMDesigner *Designer, TComponent *DatasetOwner);

    // Appends a data source: its line in the list, its dataset's name in the combo box.
    void AddDataSource(TDataSource *Source);
    const QList<TDataSource *> &DataSources() const { return FDataSources; }

    // The dataset chosen as main dataset; null for "None" (combo item 0).
    TDataSet *MainDataSet() const;

    // The list line of a dataset: a table's name in 20 columns and its location, a query's name
    // and "SQL Query".
    static QString GetListboxLine(const TDataSet *DataSet);

    // The commands of the buttons; each works on the selected list line.
    void NewTable();
    void NewQuery();
    void DeleteSelected();
    void EditProperties();
    void EditFields();

    TGroupBox *MainGroupBox, *AvailableGroupBox;
    TComboBox *ComboBox1;
    TListBox *ListBox1;
    TButton *PropertiesButton, *FieldsButton, *NewTableButton, *NewQueryButton, *DeleteButton, *OKButton;
    TDBOpenForm *OpenForm;

public slots:
    // The dialog has only OK: closing it by the window's close box or Escape applies as well.
    void reject() override;

private:
    QString Message(const QString &Key) const;
    void ShowErrorKey(const QString &Key, const QString &Param = QString()) const;
    const TStrings *DisplayLabels() const;
    bool Owns(const TDataSet *DataSet) const;
    // Sets a new dataset's name; a rejected one falls back to a unique name from Base.
    void NameNew(TComponent *Component, const QString &Name, const QString &Base);
    // After adding the first dataset, it becomes the main dataset.
    void ChooseFirstAsMain();
    void AddNewWizardQuery(TDataSource *Source, TWizQuery *Query);
    void RefreshLine(int Row);
    void UpdateButtons();
    void EditQuery(int Row, TQuery *Query);
    void EditTable(int Row, TTable *Table);
    void DiscardNew(TDataSet *DataSet, TDataSource *Source);

    TVDMDesigner *FDesigner = nullptr;
    TComponent *FDatasetOwner = nullptr;
    QList<TDataSource *> FDataSources;
};
