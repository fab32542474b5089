#pragma once
// A data source links one dataset to the elements that show its fields and to detail datasets
// that follow its current record. It passes the dataset's changes on as signals.
#include "dblib/dataset.h"
#include "host/component.h"

#include <QObject>

class TDataSource : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool AutoEdit READ AutoEdit WRITE SetAutoEdit)
public:
    Q_INVOKABLE explicit TDataSource(TComponent *AOwner = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool value) { FAutoEdit = value; }
    // Whether the dataset is open (false without a dataset or when disabled).
    bool IsActive() const;

    // Called by the dataset when its data or position changed: detail datasets follow first
    // (directly, so that their errors reach the caller), then the signal goes out.
    void DataEvent();
    // Detail datasets that follow this data source's dataset.
    void AttachDetail(TDataSet *detail);
    void DetachDetail(TDataSet *detail);

signals:
    // The dataset opened, closed, moved or changed its data.
    void dataChanged();
    // Another dataset (or none) is linked now.
    void dataSetChanged();

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    void NotifyDetails();
    TDataSet *FDataSet = nullptr;
    QList<TDataSet *> FDetails;
    bool FEnabled = true;
    bool FAutoEdit = true;
};
