#pragma once
// A data field's value as text. The value is taken once per print: the field's text (through
// Mask for numbers and dates), then the OnPrint event (Invoke<QObject*, QString&>(element,
// value)) may change it, then it becomes the caption and is formatted into lines. A field that
// cannot be found prints RepFieldErrorText.
#include "reportlib/rep_label.h"

#include "dblib/dataset.h"
#include "host/method.h"

#include <QPointer>

class TField;

class TRepDBText : public TRepCustomLabel {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
    Q_PROPERTY(TMethod OnPrint READ OnPrint WRITE SetOnPrint)
public:
    explicit TRepDBText(TComponent *AOwner);

    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    QString DataField() const { return FDataField; }
    void SetDataField(const QString &value);
    QString Mask() const { return FMask; }
    void SetMask(const QString &value) { FMask = value; }
    TMethod OnPrint() const { return FOnPrint; }
    void SetOnPrint(const TMethod &value) { FOnPrint = value; }

    // The field the element shows, null when the dataset or the field is missing.
    TField *Field() const;
    // The text of the field's current value as the element prints it.
    QString FieldText() const;

    void BeforeRun() override;
    void PrepareContent() override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    QString DesignText() const override;

private:
    TDataSet *FDataSet = nullptr;
    QString FDataField;
    QString FMask;
    TMethod FOnPrint;
    mutable QPointer<TField> FField;
};
