#pragma once
// The database kinds the dataset tests run against: a directory of table files, an SQLite
// database file, and a live PostgreSQL server holding a slice of the demo data.
#include "test_env.h"

#include <QString>
#include <gtest/gtest.h>

struct TBackend {
    const char *Label;
    enum Kind { Directory, File, Postgres } Kind;

    // Database name for datasets; the PostgreSQL server is started on first use.
    QString DatabaseName() const;
    // Name of a demo table as datasets address it ("customer.db" or "customer").
    QString Table(const QString &base) const;
    bool IsPostgres() const { return Kind == Postgres; }
};

// Skips the current test (with a visible message) when the backend is unavailable.
#define REQUIRE_BACKEND(backend)                                       \
    do {                                                               \
        QString reason;                                                \
        if (!BackendAvailable(backend, &reason)) GTEST_SKIP() << qPrintable(reason); \
    } while (0)

bool BackendAvailable(const TBackend &backend, QString *reason);

inline std::ostream &operator<<(std::ostream &os, const TBackend &b) { return os << b.Label; }

inline const TBackend kBackends[] = {{"Directory", TBackend::Directory}, {"File", TBackend::File}, {"Postgres", TBackend::Postgres}};
