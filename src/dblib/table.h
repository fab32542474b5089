#pragma once
// A table: every row of one database table, ordered by an index, optionally restricted to the
// rows that match the current record of a master dataset.
#include "dblib/data_source.h"
#include "dblib/dataset.h"

class TTable : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString IndexName READ IndexName WRITE SetIndexName)
    Q_PROPERTY(QString IndexFieldNames READ IndexFieldNames WRITE SetIndexFieldNames)
    Q_PROPERTY(TDataSource *MasterSource READ MasterSource WRITE SetMasterSource)
    Q_PROPERTY(QString MasterFields READ MasterFields WRITE SetMasterFields)
public:
    Q_INVOKABLE explicit TTable(TComponent *AOwner = nullptr);
    ~TTable() override;

    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString &value);
    QString TableName() const { return FTableName; }
    void SetTableName(const QString &value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // The index that orders the rows; empty for the primary index.
    QString IndexName() const { return FIndexName; }
    void SetIndexName(const QString &value);
    // Alternatively the ordering fields themselves, ";"-separated.
    QString IndexFieldNames() const { return FIndexFieldNames; }
    void SetIndexFieldNames(const QString &value);
    TDataSource *MasterSource() const { return FMasterSource; }
    void SetMasterSource(TDataSource *value);
    // Master field names, ";"-separated, matched in order with the fields of the current index.
    QString MasterFields() const { return FMasterFields; }
    void SetMasterFields(const QString &value);

    TIndexDefs &IndexDefs() { return FIndexDefs; }
    // Reads the table's indexes (the primary index has an empty name).
    void UpdateIndexDefs();
    // Names of the named indexes (the primary index is not listed).
    QStringList IndexNames();
    void GetIndexNames(TStrings &list);
    // The fields of the index in use: IndexFieldNames, the named index, or the primary index.
    QStringList IndexFieldList();

    // The database the table lives in (opened on demand).
    TDatabase *Database();
    bool CanModify() const override;

protected:
    TSelect BuildSelect() override;
    QString DisplayName() const override;
    QVariantList WriteRecord(const QVariantList &newValues, const QVariantList &oldValues, bool inserting) override;
    void DeleteRecord(const QVariantList &oldValues) override;
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void MasterChanged() override;

private:
    QString TableNameInDatabase() const;
    QVariantList MasterValues(bool &hasRecord);
    QString KeyCondition(TDatabase *db, const QVariantList &oldValues, QVariantList &binds);
    void CheckNotLinkedToSelf(TDataSource *value);

    QString FDatabaseName, FTableName, FIndexName, FIndexFieldNames, FMasterFields;
    bool FReadOnly = false;
    TDataSource *FMasterSource = nullptr;
    TIndexDefs FIndexDefs;
    QVariantList FLastMasterValues;
    bool FLastMasterHasRecord = false;
};
