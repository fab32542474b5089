#pragma once
// The field list of one report dataset: which fields the report offers (visible ones), their
// display settings, and the calculated and lookup fields the user adds.
#include <QDialog>
#include <QList>

#include "host/component.h"

class TButton;
class TDataSet;
class TDataSource;
class TField;
class TListBox;
class TVDMDesigner;

class TFieldPropertyForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TFieldPropertyForm(QWidget *parent = nullptr);

    // The designer and the report's data sources (lookup datasets are chosen among them).
    void Prepare(TVDMDesigner *Designer, const QList<TDataSource *> &Sources);
    // Lists the dataset's visible fields; "&Add" is enabled when a field is hidden, "&Delete"
    // when the list is not empty.
    void SetDataSet(TDataSet *DataSet);
    TDataSet *DataSet() const { return FDataSet; }

    // The commands of the buttons, on the selected field.
    void DeleteClick();
    void AddClick();
    void EditClick();
    void NewCalcFieldClick();
    void NewLookupClick();

    TListBox *ListBox1;
    TButton *DeleteButton, *AddButton, *EditButton, *OKButton, *NewCalcFieldButton, *NewLookupButton;

private:
    TField *SelectedField() const;
    void UpdateButtons();

    TDataSet *FDataSet = nullptr;
    TVDMDesigner *FDesigner = nullptr;
    QList<TDataSource *> FSources;
};

// Shows the field list of DataSet for the "Fields" command of the datasets dialog: the new
// calculated field button only when the designer allows it, the editing buttons disabled for a
// dataset the report does not own.
void EditDataSetFields(TDataSet *DataSet, TVDMDesigner *Designer, bool Owned,
                       const QList<TDataSource *> &Sources, QWidget *Parent);
