#pragma once
// A query: the rows of an SQL statement, with ":name" parameters. A query with a data source
// takes the values of its unbound parameters from the fields of the same name of the data
// source's current record, and runs again when that record changes (master/detail).
#include "dblib/data_source.h"
#include "dblib/dataset.h"
#include "dblib/params.h"
#include "host/strings.h"

class TQuery : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(TStrings *SQL READ SQL WRITE SetSQL)
    Q_PROPERTY(TDataSource *DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool RequestLive READ RequestLive WRITE SetRequestLive)
    Q_PROPERTY(bool UniDirectional READ UniDirectional WRITE SetUniDirectional)
public:
    Q_INVOKABLE explicit TQuery(TComponent *AOwner = nullptr);
    ~TQuery() override;

    QString DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString &value);
    // The statement, one line per entry. Changing it closes the query and parses the
    // parameters again, keeping the values of those whose names remain.
    TStrings *SQL() const { return FSQL; }
    void SetSQL(TStrings *value);
    QString Text() const;
    TDataSource *DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource *value);
    // Kept for the report file; the rows of a query are read-only.
    bool RequestLive() const { return FRequestLive; }
    void SetRequestLive(bool value) { FRequestLive = value; }
    // Streams the rows without keeping them: only First and Next move.
    bool UniDirectional() const { return FUniDirectional; }
    void SetUniDirectional(bool value);

    TParams &Params() { return FParams; }
    int ParamCount() const { return FParams.Count(); }
    TParam &ParamByName(const QString &name) { return FParams.ParamByName(name); }
    // Runs a statement that returns no rows (INSERT, UPDATE ...); returns the rows affected.
    int ExecSQL();
    TDatabase *Database();

protected:
    TSelect BuildSelect() override;
    bool UniDirectionalMode() const override { return FUniDirectional; }
    QString DisplayName() const override;
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void MasterChanged() override;

private:
    void SQLChanged();
    // Fills unbound parameters from the master record; returns the values bound.
    QVariantList ParameterValues(const QStringList &names);

    QString FDatabaseName;
    TStrings *FSQL;
    TDataSource *FDataSource = nullptr;
    bool FRequestLive = false;
    bool FUniDirectional = false;
    TParams FParams;
    QVariantList FLastValues;
};
