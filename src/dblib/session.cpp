#include "dblib/session.h"

#include "dblib/db_error.h"
#include "dblib/settings_aliases.h"
#include "host/strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kPostgresPrefix = QStringLiteral("postgres:");

QString NormalisePath(const QString &path) {
    QString p = path.trimmed();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

void FillList(TStrings &list, const QStringList &lines) {
    list.BeginUpdate();
    list.Clear();
    for (const QString &l : lines) list.Add(l);
    list.EndUpdate();
}
}  // namespace

TSession &Session() {
    static TSession session;
    return session;
}

TSession::TSession() {
    // Connections go while Qt's SQL drivers are still there: when the application object ends.
    qAddPostRoutine([] { Session().DropConnections(); });
}

TSession::~TSession() {
    qDeleteAll(FDatabases);
    FDatabases.clear();
}

QString TSession::Key(const QString &name) const { return name.trimmed().toUpper(); }

void TSession::EnsureLoaded() {
    if (FLoaded) return;
    FLoaded = true;
    FConfigAliases.clear();
    const QString appDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    auto add = [&](const QString &name, const QString &value) {
        const QString n = name.trimmed();
        if (n.isEmpty()) return;
        QString v = value.trimmed();
        if (!v.startsWith(kPostgresPrefix, Qt::CaseInsensitive)) {
            v = NormalisePath(v);
            if (!v.isEmpty() && QFileInfo(v).isRelative()) v = QDir(appDir).filePath(v);
        }
        FConfigAliases.insert(Key(n), {n, v});
    };
    for (const auto &[name, value] : ReadSettingsAliases(QDir(appDir).filePath(QStringLiteral("VENDAMO.INI")))) add(name, value);
    // The environment overrides the settings file: NAME=path;NAME2=path2. A PostgreSQL
    // definition keeps its own ";"-separated parameters, so a new alias starts only where a
    // part has the form NAME=... and NAME is not a connection parameter.
    const QString env = qEnvironmentVariable("VENDAMO_ALIASES");
    QString name, value;
    for (const QString &part : env.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        const QString head = eq > 0 ? part.left(eq).trimmed() : QString();
        static const QStringList params{"host", "port", "dbname", "database", "user", "password"};
        const bool continues = value.startsWith(kPostgresPrefix, Qt::CaseInsensitive) &&
                               (eq <= 0 || params.contains(head.toLower()));
        if (continues) {
            value += QLatin1Char(';') + part;
            continue;
        }
        if (!name.isEmpty()) add(name, value);
        name = eq > 0 ? head : QString();
        value = eq > 0 ? part.mid(eq + 1) : QString();
    }
    if (!name.isEmpty()) add(name, value);
}

void TSession::ReloadConfiguration() {
    FLoaded = false;
    EnsureLoaded();
}

QStringList TSession::AliasNames() {
    EnsureLoaded();
    QMap<QString, QString> all;
    for (auto it = FConfigAliases.cbegin(); it != FConfigAliases.cend(); ++it) all.insert(it.key(), it->first);
    for (auto it = FApiAliases.cbegin(); it != FApiAliases.cend(); ++it) all.insert(it.key(), it->first);
    return all.values();
}

void TSession::GetAliasNames(TStrings &list) { FillList(list, AliasNames()); }

void TSession::GetDatabaseNames(TStrings &list) {
    QStringList names = AliasNames();
    for (TDatabase *db : FDatabases)
        if (!IsAlias(db->DatabaseName()) && !names.contains(db->DatabaseName(), Qt::CaseInsensitive))
            names << db->DatabaseName();
    FillList(list, names);
}

bool TSession::IsAlias(const QString &name) {
    EnsureLoaded();
    return FApiAliases.contains(Key(name)) || FConfigAliases.contains(Key(name));
}

void TSession::AddAlias(const QString &name, const QString &path) {
    if (name.trimmed().isEmpty()) throw EDatabaseError(QStringLiteral("An alias needs a name"));
    QString p = path.trimmed();
    if (!p.startsWith(kPostgresPrefix, Qt::CaseInsensitive)) p = NormalisePath(p);
    FApiAliases.insert(Key(name), {name.trimmed(), p});
}

bool TSession::AddAliasDefinition(const QString &definition) {
    const qsizetype eq = definition.indexOf(QLatin1Char('='));
    if (eq <= 0 || definition.left(eq).trimmed().isEmpty() || definition.mid(eq + 1).trimmed().isEmpty())
        return false;
    AddAlias(definition.left(eq), definition.mid(eq + 1));
    return true;
}

void TSession::DeleteAlias(const QString &name) {
    FApiAliases.remove(Key(name));
    FConfigAliases.remove(Key(name));
}

QStringList TSession::AliasParams(const QString &name) {
    EnsureLoaded();
    if (!IsAlias(name)) throw EDatabaseError(QStringLiteral("Unknown alias %1").arg(name));
    const QString path = FApiAliases.contains(Key(name)) ? FApiAliases.value(Key(name)).second
                                                         : FConfigAliases.value(Key(name)).second;
    if (path.startsWith(kPostgresPrefix, Qt::CaseInsensitive)) {
        QStringList out;
        for (const QString &part : path.mid(kPostgresPrefix.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const int eq = part.indexOf(QLatin1Char('='));
            if (eq <= 0 || part.left(eq).trimmed().compare(QLatin1String("password"), Qt::CaseInsensitive) == 0) continue;
            out << part.left(eq).trimmed().toUpper() + QLatin1Char('=') + part.mid(eq + 1).trimmed();
        }
        out << QStringLiteral("PATH=");
        return out;
    }
    const QFileInfo info(path);
    const QString dir = info.isFile() ? info.absolutePath() : path;
    return {QStringLiteral("PATH=") + dir, QStringLiteral("DATABASE=") + path};
}

void TSession::GetAliasParams(const QString &name, TStrings &list) { FillList(list, AliasParams(name)); }

void TSession::Resolve(const QString &name, TDatabaseKind &kind, QString &location) {
    EnsureLoaded();
    QString target = name.trimmed();
    if (IsAlias(target)) {
        target = FApiAliases.contains(Key(target)) ? FApiAliases.value(Key(target)).second
                                                   : FConfigAliases.value(Key(target)).second;
        if (target.isEmpty()) throw EDatabaseError(QStringLiteral("Alias %1 has no path").arg(name.trimmed()));
    } else if (target.isEmpty()) {
        target = QDir::currentPath();
    }
    if (target.startsWith(kPostgresPrefix, Qt::CaseInsensitive)) {
        kind = dkPostgres;
        location = target.mid(kPostgresPrefix.size());
        return;
    }
    target = NormalisePath(target);
    const QFileInfo info(target);
    if (info.isDir()) {
        kind = dkDirectory;
        location = info.canonicalFilePath();
    } else if (info.isFile()) {
        kind = dkSQLiteFile;
        location = info.canonicalFilePath();
    } else if (IsAlias(name)) {
        throw EDatabaseError(QStringLiteral("Alias %1: %2 does not exist").arg(name.trimmed(), target));
    } else if (target.contains(QLatin1Char('/')) || target.contains(QLatin1Char(':'))) {
        throw EDatabaseError(QStringLiteral("Database %1 does not exist").arg(name.trimmed()));
    } else {
        throw EDatabaseError(QStringLiteral("Unknown alias %1").arg(name.trimmed()));
    }
}

namespace {
QString DatabaseKey(TDatabaseKind kind, const QString &location, bool readOnly) {
    return QString::number(kind) + (readOnly ? QStringLiteral("r") : QStringLiteral("w")) + location;
}
}  // namespace

TDatabase *TSession::FindDatabase(const QString &name, bool readOnly) {
    TDatabaseKind kind;
    QString location;
    try {
        Resolve(name, kind, location);
    } catch (const EDatabaseError &) {
        return nullptr;
    }
    return FDatabases.value(DatabaseKey(kind, location, readOnly));
}

TDatabase *TSession::OpenDatabase(const QString &name, bool readOnly) {
    TDatabaseKind kind;
    QString location;
    Resolve(name, kind, location);
    const QString key = DatabaseKey(kind, location, readOnly);
    if (TDatabase *db = FDatabases.value(key)) return db;
    auto *db = new TDatabase(name.trimmed(), kind, location, readOnly, this);
    FDatabases.insert(key, db);
    return db;
}

void TSession::CloseDatabase(const QString &name) {
    TDatabase *both[] = {FindDatabase(name, false), FindDatabase(name, true)};
    for (TDatabase *db : both)
        if (db && db->Users() > 0)
            throw EDatabaseError(QStringLiteral("Database %1 is in use by open datasets").arg(name.trimmed()));
    for (TDatabase *db : both) {
        if (!db) continue;
        FDatabases.remove(FDatabases.key(db));
        delete db;
    }
}

void TSession::DropConnections() {
    for (auto it = FDatabases.begin(); it != FDatabases.end();) {
        if ((*it)->Users() > 0) {
            ++it;
            continue;
        }
        delete *it;
        it = FDatabases.erase(it);
    }
}

QStringList TSession::TableNames(const QString &databaseName, const QString &pattern, bool extensions, bool systemTables) {
    return OpenDatabase(databaseName)->TableNames(pattern, extensions, systemTables);
}

void TSession::GetTableNames(const QString &databaseName, const QString &pattern, bool extensions, bool systemTables,
                             TStrings &list) {
    FillList(list, TableNames(databaseName, pattern, extensions, systemTables));
}
