#pragma once
// The linked-field editor: pairs the fields of a master dataset, one by one, with the fields of
// a detail table's index. The result is the joined master fields, ";"-separated.
#include <QDialog>
#include <QStringList>

#include "host/component.h"

class TButton;
class TComboBox;
class TDataSet;
class TEdit;
class TListBox;

class TDBSetupFieldlistForm : public QDialog, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
public:
    explicit TDBSetupFieldlistForm(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // Master: offers its fields by display label. DetailFields and LinkedFields: ";"-separated;
    // the linked fields found among the master's are joined, at most one per detail field.
    void Prepare(const TDataSet *Master, const QString &DetailFields, const QString &LinkedFields);
    QString Result() const { return FJoined.join(QLatin1Char(';')); }

    TComboBox *MasterFieldComboBox;
    TEdit *DetailFieldEdit;
    TButton *AddButton, *ClearButton, *OKButton, *CancelButton;
    TListBox *JoinedFieldsListBox;

private:
    void Display();

    QStringList FMasterFields, FDetailFields, FJoined;
};
