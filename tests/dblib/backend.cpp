#include "backend.h"

#include "pg_server.h"

QString TBackend::DatabaseName() const {
    switch (Kind) {
    case Directory: TestEnv::DemoTables(); return QStringLiteral("DEMODB");
    case File: return TestEnv::DemoFile();
    case Postgres: return QStringLiteral("PGDEMO");
    }
    return {};
}

QString TBackend::Table(const QString &base) const { return Kind == Directory ? base + QStringLiteral(".db") : base; }

bool BackendAvailable(const TBackend &backend, QString *reason) {
    if (backend.Kind != TBackend::Postgres) return true;
    return TestEnv::Postgres(reason) != nullptr;
}
