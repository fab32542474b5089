#pragma once
// One open database: an SQLite database file, a directory of table files, or a PostgreSQL
// database, with its connection, shared by every dataset that uses it. It knows how to name
// tables in SQL, what tables and indexes exist, and how result columns map to field types.
//
// A read-only database is a second connection to the same database that cannot change data,
// for statements that come from untrusted places such as report files. The database itself
// refuses the writes, whatever the statement text says: SQLite files (and the table files a
// directory attaches) are opened read-only and the connection may attach no files of its own
// choosing; on PostgreSQL each statement must be a single one and runs in a read-only
// transaction of its own.
#include "dblib/field_type.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

class QSqlQuery;

enum TDatabaseKind { dkSQLiteFile, dkDirectory, dkPostgres };

// One column of a result set as a field definition needs it.
struct TColumnDesc {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;        // characters of a string, bytes of a fixed binary, scale of a BCD
    int Precision = 0;   // digits of a BCD
    bool Required = false;
    bool AutoInc = false;
};

// An index of a table; the primary index has an empty name.
struct TIndexDesc {
    QString Name;
    QStringList Fields;
    bool Primary = false;
    bool Unique = false;
    bool Descending = false;
};

class TDatabase : public QObject {
    Q_OBJECT
public:
    // Opens the connection; raises EDatabaseError with the name when it cannot be opened.
    // A file or directory that does not exist is never created.
    TDatabase(const QString &databaseName, TDatabaseKind kind, const QString &location, bool readOnly = false,
              QObject *parent = nullptr);
    ~TDatabase() override;

    const QString &DatabaseName() const { return FDatabaseName; }
    TDatabaseKind Kind() const { return FKind; }
    // The directory or file, or the PostgreSQL connection text.
    const QString &Location() const { return FLocation; }
    // Connection parameters as NAME=value lines; PATH holds the directory of a file database.
    QStringList Params() const;
    QSqlDatabase Connection() const { return QSqlDatabase::database(FConnectionName, false); }
    bool IsSQLite() const { return FKind != dkPostgres; }
    // The connection cannot change data (see above).
    bool ReadOnly() const { return FReadOnly; }

    // Table names (by wildcard pattern, case ignored; directory tables with or without their
    // ".db" extension; system tables only when asked), sorted.
    QStringList TableNames(const QString &pattern = QString(), bool extensions = true, bool systemTables = false);
    // The table as it is referred to in SQL, quoted (and, for a directory, made reachable);
    // raises EDatabaseError naming the table when it does not exist.
    QString TableRef(const QString &tableName);
    // Makes the table files that an SQL text names reachable (directory databases only).
    void PrepareSql(const QString &sql);
    QString QuoteName(const QString &name) const;

    // Columns of an executed query; tableName, when given, helps to find auto-increment columns.
    QVector<TColumnDesc> Describe(const QSqlQuery &query);
    QVector<TIndexDesc> Indexes(const QString &tableName);
    // SQLite tables carry a row identifier that edits use when there is no primary key.
    bool HasRowId(const QString &tableName);

    // Open datasets using the database; a database in use is not closed.
    void AddUser() { ++FUsers; }
    void RemoveUser() { --FUsers; }
    int Users() const { return FUsers; }

    // Runs a statement; raises EDatabaseError with the database's message. A result that
    // stays open while other statements run on the connection (heldOpen) is fetched whole by
    // PostgreSQL, whose row-by-row mode allows one statement at a time; SQLite streams it.
    // On a read-only PostgreSQL database every result is fetched whole.
    QSqlQuery Execute(const QString &sql, const QVariantList &values = {}, bool heldOpen = false);
    // The statement with each "?" outside quotes and comments replaced by the value as an SQL
    // literal, escaped by the driver.
    QString InlineValues(const QString &sql, const QVariantList &values) const;

private:
    struct AttachedFile {
        QString FileName;   // as in the directory
        QString Schema;
        QString Table;      // the table inside the file
        QStringList Views;  // temporary views that name it
        quint64 LastUse = 0;
    };
    QSqlQuery ExecuteReadOnlyPostgres(const QString &sql, const QVariantList &values);
    void CheckSingleStatement(const QString &sql);
    void Discard();  // closes and removes the connection of a failed construction
    QString ResolveTable(const QString &tableName, bool raise);
    QString FindTableFile(const QString &name) const;
    AttachedFile &Attach(const QString &fileName, const QStringList &keep);
    void Detach(const QString &key);
    void CreateFileViews();
    QVector<TIndexDesc> SQLiteIndexes(const QString &schema, const QString &table);
    QVector<TIndexDesc> PostgresIndexes(const QString &table);

    QString FDatabaseName;
    TDatabaseKind FKind;
    QString FLocation;
    QString FConnectionName;
    QHash<QString, AttachedFile> FAttached;  // by lower-case file name
    QHash<QString, bool> FRowIds;            // tables with a row identifier
    quint64 FUseCounter = 0;
    int FSchemaCounter = 0;
    int FUsers = 0;
    bool FReadOnly = false;
    // Set while this class attaches or detaches a table file itself; on a read-only connection
    // no other statement may attach or detach a database.
    bool FOwnAttach = false;
};
