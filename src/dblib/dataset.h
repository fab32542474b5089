#pragma once
// Datasets: the rows of a table or query with a current record, navigation, fields, filters,
// calculated and lookup fields, editing, and notification of the data sources linked to it.
//
// A bidirectional dataset reads its rows into a compact column store when it opens; a
// unidirectional one streams them straight from the database without keeping them.
#include "dblib/field_defs.h"
#include "dblib/record_store.h"
#include "host/component.h"
#include "host/method.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QVariant>
#include <memory>

class TDatabase;
class TDataSource;
class TField;
class TFilterExpression;
class TStrings;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields };
enum TFilterOption { foCaseInsensitive = 1, foNoPartialCompare = 2 };
enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };

class TDataSet : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(bool Filtered READ Filtered WRITE SetFiltered)
    Q_PROPERTY(int FilterOptions READ FilterOptions WRITE SetFilterOptions)
    Q_PROPERTY(TMethod OnCalcFields READ OnCalcFields WRITE SetOnCalcFields)
    Q_PROPERTY(TMethod BeforeOpen READ BeforeOpen WRITE SetBeforeOpen)
    Q_PROPERTY(TMethod AfterOpen READ AfterOpen WRITE SetAfterOpen)
    Q_PROPERTY(TMethod BeforeClose READ BeforeClose WRITE SetBeforeClose)
    Q_PROPERTY(TMethod AfterClose READ AfterClose WRITE SetAfterClose)
    Q_PROPERTY(TMethod AfterScroll READ AfterScroll WRITE SetAfterScroll)
public:
    explicit TDataSet(TComponent *AOwner = nullptr);
    ~TDataSet() override;

    // ---- state --------------------------------------------------------------------------
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool value);
    void Open();
    void Close();
    TDataSetState State() const { return FState; }
    // Raises EDatabaseError naming the dataset.
    void CheckActive() const;
    void CheckInactive() const;

    // ---- connection ---------------------------------------------------------------------
    // Runs the dataset's statements on the database's read-only connection, where the
    // database itself refuses every change to data (TDatabase). Report files pass between
    // users, so the datasets a report file brings, and those opened to print or design a
    // report, are set to it: opening a report must never change data. Datasets created in
    // code keep the read-write connection unless they ask. Changing it reopens an open dataset.
    bool ReadOnlyConnection() const { return FReadOnlyConnection; }
    void SetReadOnlyConnection(bool value);

    // ---- fields -------------------------------------------------------------------------
    int FieldCount() const { return int(FFields.size()); }
    TField *Field(int index) const { return FFields.value(index); }
    const QList<TField *> &Fields() const { return FFields; }
    // Raises EDatabaseError naming the field and the dataset when there is no such field.
    TField *FieldByName(const QString &name) const;
    // Null when absent. Names compare without regard to case.
    TField *FindField(const QString &name) const;
    QStringList FieldNames() const;
    void GetFieldNames(TStrings &list) const;
    TFieldDefs &FieldDefs() { return FFieldDefs; }
    // Reads the field definitions from the database without opening the dataset.
    void UpdateFieldDefs();
    // The fields named in a ";"-separated list; raises for a missing one.
    QList<TField *> GetFieldList(const QString &names) const;

    // ---- navigation ---------------------------------------------------------------------
    void First();
    void Next();
    void Prior();
    void Last();
    int MoveBy(int distance);
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    bool IsEmpty() const;
    // 1-based position of the current record; 0 without one (and for unidirectional datasets
    // the number of records read so far).
    int RecNo() const;
    void SetRecNo(int value);
    int RecordCount();
    bool IsUniDirectional() const { return UniDirectionalMode(); }
    // A mark of the current record (-1 without one) and the way back to it; false when the
    // record is no longer shown. Not for unidirectional datasets.
    int GetBookmark() const;
    bool GotoBookmark(int bookmark);
    // Moves to the first record whose fields equal the values; false (cursor unchanged) when none.
    bool Locate(const QString &keyFields, const QVariantList &values, int options = 0);
    // The result fields' value of the first record matching the keys, without moving; invalid
    // when none matches. Several result fields give a QVariantList.
    QVariant Lookup(const QString &keyFields, const QVariantList &values, const QString &resultFields);

    // ---- editing ------------------------------------------------------------------------
    virtual bool CanModify() const { return false; }
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Reads the rows again, keeping the position when the record is still there.
    void Refresh();

    // ---- filters ------------------------------------------------------------------------
    QString Filter() const { return FFilter; }
    void SetFilter(const QString &value);
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool value);
    int FilterOptions() const { return FFilterOptions; }
    void SetFilterOptions(int value);

    // ---- notification -------------------------------------------------------------------
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }
    const QList<TDataSource *> &DataSources() const { return FDataSources; }

    TMethod OnCalcFields() const { return FOnCalcFields; }
    void SetOnCalcFields(const TMethod &m) { FOnCalcFields = m; }
    TMethod BeforeOpen() const { return FBeforeOpen; }
    void SetBeforeOpen(const TMethod &m) { FBeforeOpen = m; }
    TMethod AfterOpen() const { return FAfterOpen; }
    void SetAfterOpen(const TMethod &m) { FAfterOpen = m; }
    TMethod BeforeClose() const { return FBeforeClose; }
    void SetBeforeClose(const TMethod &m) { FBeforeClose = m; }
    TMethod AfterClose() const { return FAfterClose; }
    void SetAfterClose(const TMethod &m) { FAfterClose = m; }
    TMethod AfterScroll() const { return FAfterScroll; }
    void SetAfterScroll(const TMethod &m) { FAfterScroll = m; }

    // ---- used by fields and data sources ------------------------------------------------
    QVariant GetFieldValue(const TField *field) const;
    void SetFieldValue(TField *field, const QVariant &value);
    void AttachField(TField *field);
    void DetachField(TField *field);
    void MoveField(TField *field, int index);
    void AttachDataSource(TDataSource *ds);
    void DetachDataSource(TDataSource *ds);

signals:
    void afterOpen();
    void afterClose();
    // The current record changed (navigation, requery, master move).
    void afterScroll();
    // Values of the current record or the rows changed (edits, refresh, filter).
    void dataChanged();
    void stateChanged();

protected:
    // What a subclass provides: the database and the statement whose rows the dataset shows,
    // and how many key columns it appended for edits (they are not fields).
    struct TSelect {
        TDatabase *Database = nullptr;
        QString Sql;
        QVariantList Values;
        int HiddenColumns = 0;
        bool Empty = false;  // no rows at all (a detail without a master record)
    };
    virtual TSelect BuildSelect() = 0;
    virtual bool UniDirectionalMode() const { return false; }
    // Name used in messages: the component name, or a description of the dataset.
    virtual QString DisplayName() const;
    // Writes an edited (oldValues: the record before) or inserted record and returns it as
    // the database now holds it. Values cover every column, key columns included.
    virtual QVariantList WriteRecord(const QVariantList &newValues, const QVariantList &oldValues, bool inserting);
    virtual void DeleteRecord(const QVariantList &oldValues);
    // The master data source's dataset moved, opened, closed or changed (details follow it).
    virtual void MasterChanged() {}
    friend class TDataSource;
    virtual void DoBeforeOpen() {}
    virtual void DoAfterClose() {}
    // Reruns the statement with the same fields (a detail following its master).
    void Requery();
    // Column descriptions of the last open (key columns included).
    const QVector<struct TColumnDesc> &Columns() const;
    // Tells linked data sources and listeners that the data changed.
    void DataEvent(bool scrolled);

private:
    void OpenCursor();
    void SetFieldDefs(const QVector<TColumnDesc> &columns, int hidden);
    void CloseCursor();
    void LoadRows(QSqlQuery &query);
    void BindFields();
    void DestroyDynamicFields();
    void RebuildView();
    bool AcceptRow(int storeRow) const;
    bool AcceptCurrentStream() const;
    void CompileFilter();
    void CalculateFields();
    void AfterMove();
    int StoreRow() const;  // store row of the current record, -1 when none
    QVariant ColumnValue(int storeRow, int column, TFieldType asType) const;
    QVariantList CurrentRow() const;
    int FindRow(const QList<TField *> &keys, const QVariantList &values, int options);
    void StreamFirst();
    bool StreamNext();

    TDataSetState FState = dsInactive;
    QList<TField *> FFields;
    TFieldDefs FFieldDefs;
    QList<TDataSource *> FDataSources;
    struct TCursorData;
    std::unique_ptr<TCursorData> FCursor;
    bool FEof = true, FBof = true;
    int FDisableCount = 0;
    bool FPendingEvent = false;

    QString FFilter;
    bool FFiltered = false;
    int FFilterOptions = 0;
    std::unique_ptr<TFilterExpression> FFilterExpr;

    QVariantList FEditBuffer;
    bool FAppending = false;
    QVector<QVariant> FCalcBuffer;
    TDataSetState FStateBeforeCalc = dsBrowse;

    TMethod FOnCalcFields, FBeforeOpen, FAfterOpen, FBeforeClose, FAfterClose, FAfterScroll;
    bool FReadOnlyConnection = false;
};

// Users of datasets use their fields.
#include "dblib/field.h"
