#pragma once
// A calculation over a data field: sum, count, maximum, minimum or average of the field's
// values over the records of Master (the report, or a sub-detail band) printed so far. Null
// values are not counted; the count counts records. The result prints through Mask (a count
// as a whole number without one); with ResetAfterPrint it starts afresh after each print.
#include "reportlib/rep_label.h"

#include "dblib/dataset.h"

#include <QPointer>

class TField;

class TRepDBCalc : public TRepCustomLabel {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TRepCalcOperation Operation READ Operation WRITE SetOperation)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
    Q_PROPERTY(bool ResetAfterPrint READ ResetAfterPrint WRITE SetResetAfterPrint)
    Q_PROPERTY(QWidget *Master READ Master WRITE SetMaster)
public:
    // Ordinals in the order of the calculation kinds.
    enum TRepCalcOperation { coSum, coCount, coMax, coMin, coAverage };
    Q_ENUM(TRepCalcOperation)
    static constexpr int CalcOperationCount = 5;

    explicit TRepDBCalc(TComponent *AOwner);

    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    QString DataField() const { return FDataField; }
    void SetDataField(const QString &value);
    TRepCalcOperation Operation() const { return FOperation; }
    void SetOperation(TRepCalcOperation value);
    QString Mask() const { return FMask; }
    void SetMask(const QString &value) { FMask = value; }
    bool ResetAfterPrint() const { return FResetAfterPrint; }
    void SetResetAfterPrint(bool value) { FResetAfterPrint = value; }
    QWidget *Master() const { return FMaster; }
    void SetMaster(QWidget *value);

    // The result so far (0 before any value; the average of no values is 0).
    double Value() const;
    void Reset();

    bool Aggregates() const override { return true; }
    QWidget *AggregateMaster() const override { return FMaster; }
    void Aggregate() override;

    void BeforeRun() override;
    void PrepareContent() override;
    void Print(double OfsX, double OfsY) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    QString DesignText() const override;

private:
    TField *Field() const;

    TDataSet *FDataSet = nullptr;
    QString FDataField;
    TRepCalcOperation FOperation = coSum;
    QString FMask;
    bool FResetAfterPrint = false;
    QWidget *FMaster = nullptr;
    TComponent *FMasterComponent = nullptr;
    mutable QPointer<TField> FField;

    qint64 FRecords = 0;   // records seen
    qint64 FValues = 0;    // non-null values seen
    double FSum = 0, FMin = 0, FMax = 0;
};

using TRepCalcOperation = TRepDBCalc::TRepCalcOperation;
