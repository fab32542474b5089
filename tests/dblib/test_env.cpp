#include "test_env.h"

#include "demo_database.h"
#include "dblib/session.h"
#include "host/format_settings.h"
#include "pg_server.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

struct State {
    std::unique_ptr<QTemporaryDir> dir;
    QString tables;
    std::unique_ptr<TPgTestServer> pg;
    bool pgTried = false;
    QString pgSkip;
    QString pgError;
};

State &S() {
    static State s;
    return s;
}

class DemoEnvironment : public testing::Environment {
public:
    // Texts of dates and numbers in the fixed English settings, whatever the machine's locale.
    void SetUp() override { FormatSettings = TFormatSettings(); }
    void TearDown() override {
        Session().DropConnections();
        if (S().pg) S().pg->Stop();
        S().dir.reset();
    }
};

const auto *const kEnvironment = testing::AddGlobalTestEnvironment(new DemoEnvironment);

void EnsureDemo() {
    if (S().dir) return;
    S().dir = std::make_unique<QTemporaryDir>();
    S().tables = DemoDatabase::Create(S().dir->path());
}

// Loads the demo slice and defines the alias PGDEMO for it.
void LoadPostgres(TPgTestServer &server) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("vendamo_pg_loader"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(server.Port());
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(server.DatabaseName());
        if (!db.open()) throw std::runtime_error(("cannot connect to the test server: " + db.lastError().text()).toStdString());
        DemoDatabase::WriteTables(db, TestEnv::kPostgresRows);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vendamo_pg_loader"));
    Session().AddAlias(QStringLiteral("PGDEMO"), QStringLiteral("postgres:") + server.ConnectionText());
}

}  // namespace

namespace TestEnv {

QString DemoRoot() {
    EnsureDemo();
    return S().dir->path();
}

QString DemoTables() {
    EnsureDemo();
    return S().tables;
}

QString DemoFile() { return QDir(DemoRoot()).filePath(QStringLiteral("demo.sqlite")); }

TPgTestServer *Postgres(QString *skipReason) {
    State &s = S();
    if (!s.pgTried) {
        s.pgTried = true;
        s.pg = std::make_unique<TPgTestServer>();
        try {
            if (s.pg->Start()) {
                LoadPostgres(*s.pg);
            } else {
                s.pgSkip = s.pg->SkipReason();
                s.pg.reset();
            }
        } catch (const std::exception &e) {
            s.pgError = QString::fromUtf8(e.what());
            s.pg.reset();  // stops what was started
        }
    }
    // Installed but not working is a failure, not a reason to skip.
    if (!s.pgError.isEmpty()) throw std::runtime_error(("PostgreSQL test server: " + s.pgError).toStdString());
    if (skipReason) *skipReason = s.pgSkip;
    return s.pg.get();
}

}  // namespace TestEnv
