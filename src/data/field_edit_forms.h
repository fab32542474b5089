#pragma once
// The small field dialogs of the field list: a field's display settings (label, format,
// precision), a new or existing calculated field, a lookup field, and the choice of a hidden
// field to offer again.
#include <QDialog>
#include <QList>

#include "host/component.h"

class QGridLayout;
class QLayout;
class TButton;
class TComboBox;
class TDataSet;
class TDataSource;
class TEdit;
class TField;
class TLabel;
class TListBox;
class TVDMDesigner;
struct QMetaObject;

// The display settings every field dialog shows: label, display format and precision.
class TFieldSettingsForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    // Fills the edits from Field; a field without a display format or precision property gets
    // that edit and its label disabled and empty.
    void ShowSettings(const TField *Field);
    // Writes label, display format and (when the edit holds a number) precision back, each
    // only where the field has the property.
    void WriteSettings(TField *Field) const;

    TEdit *LabelEdit, *FormatEdit, *PrecisionEdit;
    TLabel *LabelLabel, *FormatLabel, *PrecisionLabel;
    TButton *OKButton, *CancelButton;

protected:
    TFieldSettingsForm(const QString &Name, const QString &Caption, QWidget *parent);
    // Adds the buttons under the content; subclasses call it after their own rows.
    void FinishLayout(QLayout *Content);
    // Creates a label + control row in the grid.
    TLabel *Label(const char *Name, const char *Caption, QWidget *Buddy);
    // The edit takes digits and control characters only.
    static void DigitsOnly(TEdit *Edit);
};

// The display settings of a data field (caption a single blank).
class TFieldEditForm : public TFieldSettingsForm {
    Q_OBJECT
public:
    explicit TFieldEditForm(QWidget *parent = nullptr);
};

// A calculated field: name, class, size and display settings.
class TCalcFieldEditForm : public TFieldSettingsForm {
    Q_OBJECT
public:
    explicit TCalcFieldEditForm(QWidget *parent = nullptr);

    // The field classes offered, by type item.
    static const QList<const QMetaObject *> &FieldClasses();
    // The type item of a field data type ordinal; -1 for a type not offered.
    static int TypeItemOfDataType(int DataType);

    // Shows an existing calculated field: name, type and size shown but fixed.
    void ShowField(const TField *Field);
    // Size and precision as OK uses them: a string field's size is the edit's number, 255 when
    // empty, at most 255; other classes 0. Precision 0 when empty.
    int ChosenSize() const;
    int ChosenPrecision() const;
    const QMetaObject *ChosenClass() const;

    TEdit *NameEdit, *SizeEdit;
    TComboBox *TypeCombo;

protected:
    TCalcFieldEditForm(const QString &Name, const QString &Caption, QWidget *parent);
    QGridLayout *Grid;

private:
    void Build();
    void TypeChanged();
};

// A lookup field: the calculated field's controls plus the link to another dataset.
class TLookupFieldEditForm : public TCalcFieldEditForm {
    Q_OBJECT
public:
    explicit TLookupFieldEditForm(QWidget *parent = nullptr);

    // Prepares the dialog for DataSet; Sources are the report's data sources, whose other
    // datasets may be looked up.
    void Prepare(TDataSet *DataSet, TVDMDesigner *Designer, const QList<TDataSource *> &Sources);
    // Shows the dialog for a new field, or for Field; true when the dataset got the field.
    bool New();
    bool Edit(TField *Field);

    TComboBox *KeyFieldCombo, *DatasetCombo, *LookupKeyCombo, *ResultFieldCombo;

private:
    void DatasetChosen();
    bool Apply();

    TDataSet *FDataSet = nullptr;
    TVDMDesigner *FDesigner = nullptr;
    TField *FField = nullptr;
    QList<TDataSet *> FLookupSets;
};

// The hidden fields of a dataset, one of which the user offers again.
class TFieldSelectForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TFieldSelectForm(QWidget *parent = nullptr);
    TListBox *ListBox1;
    TButton *OKButton, *CancelButton;
};
