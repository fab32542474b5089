#pragma once
// The session: database aliases and the open databases. An alias names a database by a short
// name; it is defined through this API, in the [Aliases] section of "VENDAMO.INI" in the
// executable's directory, or in the VENDAMO_ALIASES environment variable
// ("NAME=path;NAME2=postgres:host=...,port=..."). A database name given to a dataset is an
// alias, a directory of table files, or an SQLite database file; each database is opened once
// and its connection shared by every dataset that uses it. Besides that connection a database
// can have a read-only one (see TDatabase), opened on demand for datasets that ask for it.
#include "dblib/database.h"

#include <QMap>
#include <QObject>
#include <QStringList>

class TStrings;

class TSession : public QObject {
    Q_OBJECT
public:
    TSession();
    ~TSession() override;

    // Alias names, sorted, in their defined spelling.
    QStringList AliasNames();
    void GetAliasNames(TStrings &list);
    // Alias names and the names of open databases that are not aliases.
    void GetDatabaseNames(TStrings &list);
    bool IsAlias(const QString &name);
    // Defines or redefines an alias. Path is a directory, an SQLite file, or
    // "postgres:host=...;port=...;dbname=...;user=...;password=...".
    void AddAlias(const QString &name, const QString &path);
    // Defines an alias from "NAME=path" (as command lines give them); false, defining nothing,
    // when the name or the path is missing.
    bool AddAliasDefinition(const QString &definition);
    void DeleteAlias(const QString &name);
    // The alias's parameters as NAME=value lines; PATH is the directory (empty for a server
    // database). Raises EDatabaseError for an unknown alias.
    QStringList AliasParams(const QString &name);
    void GetAliasParams(const QString &name, TStrings &list);
    // Table names of an alias, a directory or a database file.
    QStringList TableNames(const QString &databaseName, const QString &pattern = QString(), bool extensions = true,
                           bool systemTables = false);
    void GetTableNames(const QString &databaseName, const QString &pattern, bool extensions, bool systemTables,
                       TStrings &list);

    // The open database of that name (alias, directory or file as the datasets name it), or null.
    TDatabase *FindDatabase(const QString &name, bool readOnly = false);
    // Opens the database (or returns the one already open), with its read-write or its
    // read-only connection. Raises EDatabaseError naming an unknown alias, a missing directory
    // or file, or a database that refuses the connection.
    TDatabase *OpenDatabase(const QString &name, bool readOnly = false);
    // Closes a database, both connections (datasets reopen it on demand); raises
    // EDatabaseError while an open dataset uses it.
    void CloseDatabase(const QString &name);
    // Closes every database that no open dataset uses.
    void DropConnections();

    // Re-reads the settings file and the environment (they are read on first use).
    void ReloadConfiguration();

private:
    void EnsureLoaded();
    QString Key(const QString &name) const;
    // What a database name stands for: its kind and location.
    void Resolve(const QString &name, TDatabaseKind &kind, QString &location);

    bool FLoaded = false;
    QMap<QString, QPair<QString, QString>> FConfigAliases;  // upper name -> (name, path)
    QMap<QString, QPair<QString, QString>> FApiAliases;
    QMap<QString, TDatabase *> FDatabases;                  // by connection kind and resolved location
};

// The application's session.
TSession &Session();
