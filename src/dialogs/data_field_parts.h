#pragma once
// The dataset and data-field boxes of the data element dialogs (picture and rich text from a
// data field), and the dataset box of the sub-detail band. Datasets are those of the report's
// usable data sources; fields are offered by the display labels of their visible fields.
#include <QList>
#include <QString>

class QObject;
class TComboBox;
class TComponent;
class TDataSet;
class TDataSource;
class TPropertyForm;

// A dataset box over the report's data sources ("None" first when AllowNone), with Current
// selected; a current dataset that is no usable source is listed as well, so that it is kept.
class TDataSetChoice {
public:
    TDataSetChoice(TPropertyForm &Form, const char *Name, const QString &Label, const TComponent *ReportForm,
                   TDataSet *Current, bool AllowNone);
    TDataSet *Selected() const;
    int Count() const { return int(FDataSets.size()); }
    TComboBox *Box = nullptr;

private:
    QList<TDataSet *> FDataSets;
};

// A dataset box and a field box. With fewer than two data sources the dataset box is hidden
// and an element without a dataset takes the only one (none when there is none). Changing the
// dataset refills the fields; the element's field is selected, else the first.
class TDataFieldChoice {
public:
    TDataFieldChoice(TPropertyForm &Form, const TComponent *ReportForm, TDataSet *Current, const QString &Field,
                     bool Locked);
    ~TDataFieldChoice();
    TDataSet *DataSet() const;
    // The field name of the chosen label; Field when no label is chosen.
    QString FieldName() const;
    TComboBox *DataSetBox = nullptr;
    TComboBox *FieldBox = nullptr;

private:
    void Fill(TDataSet *DataSet);
    QList<TDataSet *> FDataSets;
    TDataSet *FInitial;
    QString FField;
    QObject *FTag;
};
