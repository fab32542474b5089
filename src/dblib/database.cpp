#include "dblib/database.h"

#include "dblib/column_types.h"
#include "dblib/db_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

int gConnectionCounter = 0;

// SQLite allows ten attached databases; one stays free for statements that need another.
constexpr int kMaxAttached = 9;

QString WildcardToRegex(const QString &pattern) {
    return QRegularExpression::wildcardToRegularExpression(pattern.isEmpty() ? QStringLiteral("*") : pattern,
                                                           QRegularExpression::UnanchoredWildcardConversion);
}

bool MatchesPattern(const QString &name, const QString &pattern) {
    const QRegularExpression re(QRegularExpression::anchoredPattern(WildcardToRegex(pattern)),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

QHash<QString, QString> ParseConnectionText(const QString &text) {
    QHash<QString, QString> values;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        values.insert(part.left(eq).trimmed().toLower(), part.mid(eq + 1).trimmed());
    }
    return values;
}

sqlite3 *SQLiteHandle(const QSqlDatabase &db) {
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3 *const *>(v.data());
    return nullptr;
}

PGconn *PostgresHandle(const QSqlDatabase &db) {
    const QVariant v = db.driver()->handle();
    // The driver's type name spells the struct behind the PGconn typedef.
    if (v.isValid() && (qstrcmp(v.typeName(), "PGconn*") == 0 || qstrcmp(v.typeName(), "pg_conn*") == 0))
        return *static_cast<PGconn *const *>(v.data());
    return nullptr;
}

// On a read-only connection only the database itself attaches and detaches table files: a
// statement that attaches a file could create it (VACUUM INTO attaches its target, too).
int GuardAttach(void *ownAttach, int action, const char *, const char *, const char *, const char *) {
    if ((action == SQLITE_ATTACH || action == SQLITE_DETACH) && !*static_cast<bool *>(ownAttach)) return SQLITE_DENY;
    return SQLITE_OK;
}

// Marks the statements that the database runs to attach or detach table files itself.
struct OwnAttach {
    explicit OwnAttach(bool &flag) : Flag(flag) { Flag = true; }
    ~OwnAttach() { Flag = false; }
    bool &Flag;
};

// The database's message for a failed statement; a change that a read-only connection refused
// (SQLite: read-only or not authorised; PostgreSQL: read-only transaction) is said plainly.
QString FailureText(const QSqlError &error, bool readOnly, bool sqlite, const QString &databaseName) {
    QString msg = error.databaseText().trimmed();
    // Statements that the driver itself refuses (several in one text) come as "not an error".
    if (msg.isEmpty() || msg == QLatin1String("not an error")) msg = error.driverText().trimmed();
    if (msg.isEmpty()) msg = error.text().trimmed();
    const QString code = error.nativeErrorCode();
    const bool refused = sqlite ? ((code.toInt() & 0xff) == SQLITE_READONLY || (code.toInt() & 0xff) == SQLITE_AUTH)
                                : code == QLatin1String("25006");
    if (readOnly && refused)
        msg = QStringLiteral("Data cannot be changed here: %1").arg(msg);
    return QStringLiteral("%1 (database %2)").arg(msg, databaseName);
}

sqlite3_stmt *StatementHandle(const QSqlQuery &q) {
    const QVariant v = q.result() ? q.result()->handle() : QVariant();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3_stmt*") == 0) return *static_cast<sqlite3_stmt *const *>(v.data());
    return nullptr;
}

}  // namespace

TDatabase::TDatabase(const QString &databaseName, TDatabaseKind kind, const QString &location, bool readOnly,
                     QObject *parent)
    : QObject(parent), FDatabaseName(databaseName), FKind(kind), FLocation(location), FReadOnly(readOnly) {
    FConnectionName = QStringLiteral("vendamo_db_%1").arg(++gConnectionCounter);
    QSqlDatabase db;
    if (kind == dkPostgres) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            throw EDatabaseError(QStringLiteral("Cannot open database %1: the PostgreSQL driver is not installed").arg(databaseName));
        const auto values = ParseConnectionText(location);
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), FConnectionName);
        db.setHostName(values.value(QStringLiteral("host")));
        if (values.contains(QStringLiteral("port"))) db.setPort(values.value(QStringLiteral("port")).toInt());
        db.setDatabaseName(values.value(QStringLiteral("dbname"), values.value(QStringLiteral("database"))));
        db.setUserName(values.value(QStringLiteral("user")));
        db.setPassword(values.value(QStringLiteral("password")));
        // Read-only sessions by default, besides the read-only transaction of every statement.
        db.setConnectOptions(readOnly ? QStringLiteral("connect_timeout=10;options='-c default_transaction_read_only=on'")
                                      : QStringLiteral("connect_timeout=10"));
    } else {
        const QFileInfo info(location);
        if (kind == dkDirectory ? !info.isDir() : !info.isFile())
            throw EDatabaseError(QStringLiteral("Cannot open database %1: %2 does not exist").arg(databaseName, location));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
        db.setDatabaseName(kind == dkDirectory ? QStringLiteral(":memory:") : location);
        // Files attached later are opened with the connection's flags, so read-only as well.
        if (readOnly) db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    if (!db.open()) {
        const QString msg = db.lastError().text();
        db = QSqlDatabase();
        Discard();
        throw EDatabaseError(QStringLiteral("Cannot open database %1: %2").arg(databaseName, msg));
    }
    if (readOnly && kind != dkPostgres) {
        sqlite3 *handle = SQLiteHandle(db);
        if (!handle || sqlite3_set_authorizer(handle, GuardAttach, &FOwnAttach) != SQLITE_OK) {
            db = QSqlDatabase();
            Discard();
            throw EDatabaseError(QStringLiteral("Cannot open database %1 read-only").arg(databaseName));
        }
    }
    if (kind == dkSQLiteFile) {
        // Fails with "file is not a database" for anything that is not an SQLite file.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString msg = probe.lastError().text();
            probe = QSqlQuery();
            db = QSqlDatabase();
            Discard();
            throw EDatabaseError(QStringLiteral("Cannot open database %1: %2").arg(databaseName, msg));
        }
        CreateFileViews();
    }
}

void TDatabase::Discard() {
    {
        QSqlDatabase db = Connection();
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
}

TDatabase::~TDatabase() { Discard(); }

QStringList TDatabase::Params() const {
    if (FKind == dkPostgres) {
        QStringList out;
        const auto values = ParseConnectionText(FLocation);
        for (const char *key : {"host", "port", "dbname", "user"})
            if (values.contains(QLatin1String(key)))
                out << QStringLiteral("%1=%2").arg(QString::fromLatin1(key).toUpper(), values.value(QLatin1String(key)));
        out << QStringLiteral("PATH=");
        return out;
    }
    const QString path = FKind == dkDirectory ? FLocation : QFileInfo(FLocation).absolutePath();
    return {QStringLiteral("PATH=") + path, QStringLiteral("DATABASE=") + FLocation};
}

QString TDatabase::QuoteName(const QString &name) const {
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

QSqlQuery TDatabase::Execute(const QString &sql, const QVariantList &values, bool heldOpen) {
    if (FReadOnly && FKind == dkPostgres) return ExecuteReadOnlyPostgres(sql, values);
    QSqlQuery q(Connection());
    q.setForwardOnly(!heldOpen || IsSQLite());
    // Statements without values run unprepared: PostgreSQL cannot prepare DDL.
    bool ok = values.isEmpty() ? q.exec(sql) : q.prepare(sql);
    if (ok && !values.isEmpty()) {
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
        ok = q.exec();
    }
    if (!ok) throw EDatabaseError(FailureText(q.lastError(), FReadOnly, IsSQLite(), FDatabaseName));
    return q;
}

QString TDatabase::InlineValues(const QString &sql, const QVariantList &values) const {
    const QSqlDriver *driver = Connection().driver();
    QString out;
    int next = 0;
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            const int start = i;
            for (++i; i < n && sql[i] != c; ++i) {
            }
            out += QStringView(sql).mid(start, qMin(i + 1, n) - start);
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            const int eol = sql.indexOf(u'\n', i);
            const int end = eol < 0 ? n : eol;
            out += QStringView(sql).mid(i, end - i);
            i = end - 1;
            continue;
        }
        if (c == u'?' && next < values.size()) {
            const QVariant &v = values[next++];
            QSqlField field(QString(), v.metaType());
            field.setValue(v);
            out += driver->formatValue(field);
            continue;
        }
        out += c;
    }
    return out;
}

void TDatabase::CheckSingleStatement(const QString &sql) {
    // The server parses the text as one prepared statement, which it refuses for several
    // statements, so that none can end the read-only transaction and run more after it.
    PGconn *conn = PostgresHandle(Connection());
    if (!conn) throw EDatabaseError(QStringLiteral("Cannot check the statement (database %1)").arg(FDatabaseName));
    PGresult *result = PQprepare(conn, "", sql.toUtf8().constData(), 0, nullptr);
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    QString msg = ok ? QString() : QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
    PQclear(result);
    if (ok) return;
    if (msg.isEmpty()) msg = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    throw EDatabaseError(QStringLiteral("%1 (database %2)").arg(msg, FDatabaseName));
}

QSqlQuery TDatabase::ExecuteReadOnlyPostgres(const QString &sql, const QVariantList &values) {
    // The values go into the text, so that exactly the checked text runs.
    const QString text = values.isEmpty() ? sql : InlineValues(sql, values);
    CheckSingleStatement(text);
    auto control = [this](const char *statement) {
        QSqlQuery c(Connection());
        if (!c.exec(QString::fromLatin1(statement)))
            throw EDatabaseError(QStringLiteral("%1 (database %2)").arg(c.lastError().text().trimmed(), FDatabaseName));
    };
    control("BEGIN TRANSACTION READ ONLY");
    QSqlQuery q(Connection());
    q.setForwardOnly(false);  // fetched whole before the transaction ends
    const bool ok = q.exec(text);
    const QSqlError error = q.lastError();
    // Commits what a read-only transaction holds (a cursor declared WITH HOLD keeps its rows);
    // a failed transaction ends as a rollback.
    control("COMMIT");
    if (!ok) throw EDatabaseError(FailureText(error, true, false, FDatabaseName));
    return q;
}

// ---- tables ---------------------------------------------------------------------------------

QStringList TDatabase::TableNames(const QString &pattern, bool extensions, bool systemTables) {
    QStringList names;
    if (FKind == dkDirectory) {
        const QDir dir(FLocation);
        const auto files = dir.entryInfoList({QStringLiteral("*.db")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo &f : files) {
            if (f.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) != 0) continue;
            const QString name = extensions ? f.fileName() : f.completeBaseName();
            if (MatchesPattern(name, pattern) || MatchesPattern(f.fileName(), pattern)) names << name;
        }
        return names;
    }
    QSqlQuery q(Connection());
    if (FKind == dkSQLiteFile) {
        q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') ORDER BY name"));
        while (q.next()) {
            const QString n = q.value(0).toString();
            if (!systemTables && n.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) continue;
            if (MatchesPattern(n, pattern)) names << n;
        }
    } else {
        q.exec(systemTables ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema IN "
                                             "(current_schema(), 'pg_catalog', 'information_schema') ORDER BY 1")
                            : QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                             "current_schema() ORDER BY 1"));
        while (q.next()) {
            const QString n = q.value(0).toString();
            if (MatchesPattern(n, pattern)) names << n;
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TDatabase::FindTableFile(const QString &name) const {
    QString n = name.trimmed();
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (n.contains(QLatin1Char('/'))) {
        // A path names the file directly; it must lie in this directory.
        const QFileInfo fi(n);
        if (QFileInfo(fi.absolutePath()).canonicalFilePath() != QFileInfo(FLocation).canonicalFilePath()) return {};
        n = fi.fileName();
    }
    if (n.isEmpty()) return {};
    const QDir dir(FLocation);
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable);
    for (const QString &candidate : {n, n + QStringLiteral(".db")})
        for (const QString &f : files)
            if (f.compare(candidate, Qt::CaseInsensitive) == 0 && f.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
                return f;
    return {};
}

TDatabase::AttachedFile &TDatabase::Attach(const QString &fileName, const QStringList &keep) {
    const QString key = fileName.toLower();
    auto it = FAttached.find(key);
    if (it != FAttached.end()) {
        it->LastUse = ++FUseCounter;
        return *it;
    }
    while (FAttached.size() >= kMaxAttached) {
        // Give up the least recently used file that the current statement does not need.
        QString victim;
        quint64 oldest = ~quint64(0);
        for (auto a = FAttached.cbegin(); a != FAttached.cend(); ++a)
            if (!keep.contains(a.key()) && a->LastUse < oldest) {
                oldest = a->LastUse;
                victim = a.key();
            }
        if (victim.isEmpty())
            throw EDatabaseError(QStringLiteral("Too many table files in one statement (database %1)").arg(FDatabaseName));
        Detach(victim);
    }
    AttachedFile file;
    file.FileName = fileName;
    file.Schema = QStringLiteral("tf%1").arg(++FSchemaCounter);
    const QString path = QDir(FLocation).filePath(fileName);
    const OwnAttach own(FOwnAttach);
    QSqlQuery q(Connection());
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(file.Schema));
    q.addBindValue(path);
    if (!q.exec())
        throw EDatabaseError(QStringLiteral("Cannot open table %1: %2").arg(fileName, q.lastError().databaseText()));
    QSqlQuery t(Connection());
    QString inner;
    if (t.exec(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type IN ('table','view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid").arg(file.Schema))) {
        const QString base = QFileInfo(fileName).completeBaseName();
        while (t.next()) {
            const QString n = t.value(0).toString();
            if (inner.isEmpty() || n.compare(base, Qt::CaseInsensitive) == 0) inner = n;
        }
    }
    const QString error = t.lastError().databaseText();
    t = QSqlQuery();
    if (inner.isEmpty()) {
        QSqlQuery(Connection()).exec(QStringLiteral("DETACH DATABASE %1").arg(file.Schema));
        throw EDatabaseError(error.isEmpty() ? QStringLiteral("Table file %1 holds no table").arg(fileName)
                                             : QStringLiteral("Cannot open table %1: %2").arg(fileName, error));
    }
    file.Table = inner;
    // The file name becomes a temporary view so that SQL can name the table by it. The name
    // without ".db" reaches the table itself when the table has that name (so statements can
    // also change it); otherwise it is a view too.
    QStringList viewNames{fileName};
    const QString base = QFileInfo(fileName).completeBaseName();
    if (!base.isEmpty() && base.compare(inner, Qt::CaseInsensitive) != 0) viewNames << base;
    for (const QString &v : viewNames) {
        QSqlQuery c(Connection());
        if (c.exec(QStringLiteral("CREATE TEMP VIEW %1 AS SELECT * FROM %2.%3").arg(QuoteName(v), file.Schema, QuoteName(inner))))
            file.Views << v;
    }
    file.LastUse = ++FUseCounter;
    return *FAttached.insert(key, file);
}

void TDatabase::Detach(const QString &key) {
    const AttachedFile file = FAttached.value(key);
    const OwnAttach own(FOwnAttach);
    for (const QString &v : file.Views) QSqlQuery(Connection()).exec(QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(QuoteName(v)));
    QSqlQuery q(Connection());
    if (!q.exec(QStringLiteral("DETACH DATABASE %1").arg(file.Schema)))
        throw EDatabaseError(QStringLiteral("Cannot release table file %1: %2").arg(key, q.lastError().databaseText()));
    FAttached.remove(key);
}

void TDatabase::CreateFileViews() {
    // In a database file, "name.db" reaches table name too, so the SQL that the query wizard
    // writes for table files runs on file databases unchanged.
    QStringList tables = TableNames();
    for (const QString &t : tables) {
        const QString alias = t + QStringLiteral(".db");
        bool clash = false;
        for (const QString &o : tables) clash = clash || o.compare(alias, Qt::CaseInsensitive) == 0;
        if (!clash)
            QSqlQuery(Connection()).exec(QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS %1 AS SELECT * FROM main.%2").arg(QuoteName(alias), QuoteName(t)));
    }
}

QString TDatabase::ResolveTable(const QString &tableName, bool raise) {
    const QString name = tableName.trimmed();
    if (FKind == dkDirectory) {
        // Files already attached are known without listing the directory again.
        for (const QString &key : {name.toLower(), name.toLower() + QStringLiteral(".db")}) {
            auto it = FAttached.constFind(key);
            if (it != FAttached.cend() && QFile::exists(QDir(FLocation).filePath(it->FileName))) return it->FileName;
        }
        const QString file = FindTableFile(name);
        if (file.isEmpty()) {
            if (raise) throw EDatabaseError(QStringLiteral("Table %1 does not exist in %2").arg(tableName, FLocation));
            return {};
        }
        return file;
    }
    const QStringList all = TableNames(QString(), true, true);
    QString bare = name;
    if (bare.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) bare.chop(3);
    for (const QString &candidate : {name, bare}) {
        for (const QString &t : all)
            if (t == candidate) return t;
        for (const QString &t : all)
            if (t.compare(candidate, Qt::CaseInsensitive) == 0) return t;
    }
    if (raise) throw EDatabaseError(QStringLiteral("Table %1 does not exist in database %2").arg(tableName, FDatabaseName));
    return {};
}

QString TDatabase::TableRef(const QString &tableName) {
    const QString resolved = ResolveTable(tableName, true);
    if (FKind == dkDirectory) {
        const AttachedFile &f = Attach(resolved, {resolved.toLower()});
        return f.Schema + QLatin1Char('.') + QuoteName(f.Table);
    }
    return QuoteName(resolved);
}

void TDatabase::PrepareSql(const QString &sql) {
    if (FKind != dkDirectory) return;
    // Candidate table names: quoted identifiers and bare words.
    static const QRegularExpression tokens(QStringLiteral(R"re("((?:[^"]|"")+)"|'(?:[^']|'')*'|([A-Za-z_][A-Za-z0-9_]*))re"));
    QStringList files;
    for (auto it = tokens.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        QString name = m.captured(1);
        if (!name.isEmpty())
            name.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        else
            name = m.captured(2);
        if (name.isEmpty()) continue;
        const QString file = FindTableFile(name);
        if (!file.isEmpty() && !files.contains(file.toLower())) files << file.toLower();
    }
    QStringList dirFiles = QDir(FLocation).entryList(QDir::Files);
    for (const QString &key : files) {
        QString actual = key;
        for (const QString &f : dirFiles)
            if (f.toLower() == key) actual = f;
        Attach(actual, files);
    }
}

// ---- columns --------------------------------------------------------------------------------

QVector<TColumnDesc> TDatabase::Describe(const QSqlQuery &query) {
    QVector<TColumnDesc> cols;
    const QSqlRecord rec = query.record();
    sqlite3_stmt *stmt = IsSQLite() ? StatementHandle(query) : nullptr;
    sqlite3 *db = IsSQLite() ? SQLiteHandle(Connection()) : nullptr;
    for (int i = 0; i < rec.count(); ++i) {
        const QSqlField f = rec.field(i);
        TColumnDesc c;
        c.Name = f.name();
        if (IsSQLite()) {
            const char *decl = stmt ? sqlite3_column_decltype(stmt, i) : nullptr;
            c.DataType = MapDeclaredType(QString::fromUtf8(decl ? decl : ""), c.Size, c.Precision);
            const char *schema = stmt ? sqlite3_column_database_name(stmt, i) : nullptr;
            const char *table = stmt ? sqlite3_column_table_name(stmt, i) : nullptr;
            const char *origin = stmt ? sqlite3_column_origin_name(stmt, i) : nullptr;
            if (db && schema && table && origin) {
                const char *dt = nullptr, *coll = nullptr;
                int notNull = 0, pk = 0, autoinc = 0;
                if (sqlite3_table_column_metadata(db, schema, table, origin, &dt, &coll, &notNull, &pk, &autoinc) == SQLITE_OK) {
                    c.Required = notNull != 0;
                    if (autoinc) c.DataType = ftAutoInc;
                }
            }
            if (c.DataType == ftUnknown) c.DataType = MapValueType(f.metaType(), c.Size);
        } else {
            c.DataType = MapPostgresType(f.typeID(), f.length(), f.precision(), c.Size, c.Precision);
            c.Required = f.requiredStatus() == QSqlField::Required;
        }
        cols << c;
    }
    return cols;
}

bool TDatabase::HasRowId(const QString &tableName) {
    if (!IsSQLite()) return false;
    const QString key = ResolveTable(tableName, true).toLower();
    auto it = FRowIds.constFind(key);
    if (it != FRowIds.cend()) return *it;
    QSqlQuery q(Connection());
    const bool has = q.exec(QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(TableRef(tableName)));
    FRowIds.insert(key, has);
    return has;
}

QVector<TIndexDesc> TDatabase::Indexes(const QString &tableName) {
    const QString resolved = ResolveTable(tableName, true);
    if (FKind == dkPostgres) return PostgresIndexes(resolved);
    if (FKind == dkDirectory) {
        const AttachedFile &f = Attach(resolved, {resolved.toLower()});
        return SQLiteIndexes(f.Schema, f.Table);
    }
    return SQLiteIndexes(QStringLiteral("main"), resolved);
}

QVector<TIndexDesc> TDatabase::SQLiteIndexes(const QString &schema, const QString &table) {
    QVector<TIndexDesc> result;
    QSqlDatabase db = Connection();
    // Primary key from the column list: covers INTEGER PRIMARY KEY, which has no index entry.
    {
        QSqlQuery q(db);
        QMap<int, QString> pk;
        if (q.exec(QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, QuoteName(table))))
            while (q.next())
                if (q.value(5).toInt() > 0) pk.insert(q.value(5).toInt(), q.value(1).toString());
        if (!pk.isEmpty()) {
            TIndexDesc primary;
            primary.Primary = primary.Unique = true;
            primary.Fields = pk.values();
            result << primary;
        }
    }
    QSqlQuery list(db);
    if (!list.exec(QStringLiteral("PRAGMA %1.index_list(%2)").arg(schema, QuoteName(table)))) return result;
    struct Entry { QString name; bool unique; QString origin; };
    QList<Entry> entries;
    while (list.next()) entries << Entry{list.value(1).toString(), list.value(2).toBool(), list.value(3).toString()};
    for (const Entry &e : entries) {
        if (e.origin == QLatin1String("pk")) continue;  // already described by the column list
        TIndexDesc idx;
        idx.Name = e.name;
        idx.Unique = e.unique;
        QSqlQuery info(db);
        if (info.exec(QStringLiteral("PRAGMA %1.index_xinfo(%2)").arg(schema, QuoteName(e.name))))
            while (info.next()) {
                if (info.value(5).toInt() == 0) continue;  // auxiliary key columns
                idx.Fields << info.value(2).toString();
                if (info.value(3).toInt()) idx.Descending = true;
            }
        result << idx;
    }
    std::stable_sort(result.begin(), result.end(), [](const TIndexDesc &a, const TIndexDesc &b) {
        if (a.Primary != b.Primary) return a.Primary;
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    return result;
}

QVector<TIndexDesc> TDatabase::PostgresIndexes(const QString &table) {
    QVector<TIndexDesc> result;
    QSqlQuery q(Connection());
    q.prepare(QStringLiteral(
        "SELECT ic.relname, ix.indisprimary, ix.indisunique, a.attname "
        "FROM pg_index ix JOIN pg_class t ON t.oid = ix.indrelid JOIN pg_class ic ON ic.oid = ix.indexrelid "
        "JOIN pg_namespace ns ON ns.oid = t.relnamespace "
        "CROSS JOIN LATERAL unnest(ix.indkey) WITH ORDINALITY AS k(attnum, n) "
        "JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = k.attnum "
        "WHERE t.relname = ? AND ns.nspname = current_schema() ORDER BY ix.indisprimary DESC, ic.relname, k.n"));
    q.addBindValue(table);
    if (!q.exec()) return result;
    while (q.next()) {
        const QString name = q.value(0).toString();
        const bool primary = q.value(1).toBool();
        TIndexDesc *idx = nullptr;
        for (TIndexDesc &d : result)
            if ((primary && d.Primary) || (!primary && !d.Primary && d.Name == name)) idx = &d;
        if (!idx) {
            result << TIndexDesc{};
            idx = &result.last();
            idx->Primary = primary;
            idx->Unique = q.value(2).toBool();
            if (!primary) idx->Name = name;
        }
        idx->Fields << q.value(3).toString();
    }
    return result;
}
