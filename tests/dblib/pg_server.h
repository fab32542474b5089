#pragma once
// A throwaway PostgreSQL server for tests: a fresh cluster in a temporary directory, on a free
// loopback port, with unix sockets in that directory and trust authentication. The server
// binaries run as the "postgres" system user when the tests run as root (initdb refuses
// root). Stop() (also run by the destructor) stops the server and removes the directory.
//
// Use from a test program: link the pg_test_server library (tests/dblib/CMakeLists.txt), start
// one server per program (for instance in a GoogleTest environment) and skip the PostgreSQL
// tests with the reason from SkipReason() when Start() returns false. Should the program die
// first, a watchdog process stops the server and removes its directory.
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TPgTestServer {
public:
    TPgTestServer() = default;
    ~TPgTestServer();
    TPgTestServer(const TPgTestServer &) = delete;
    TPgTestServer &operator=(const TPgTestServer &) = delete;

    // Creates the cluster and starts the server with a database of that name. False when the
    // server binaries are not installed (SkipReason says so); raises std::runtime_error when
    // they are there but the server does not come up.
    bool Start(const QString &databaseName = QStringLiteral("vendamo_test"));
    void Stop();
    bool Running() const { return FRunning; }
    QString SkipReason() const { return FSkipReason; }

    int Port() const { return FPort; }
    QString SocketDirectory() const;
    QString DatabaseName() const { return FDatabase; }
    // "host=...;port=...;dbname=...;user=postgres" for a database alias ("postgres:" + this).
    QString ConnectionText() const;

private:
    int Run(const QStringList &command, QString *output = nullptr) const;
    QString FBinDir;
    std::unique_ptr<QTemporaryDir> FDir;
    QString FDatabase;
    int FPort = 0;
    bool FRunning = false;
    bool FAsPostgresUser = false;
    QString FSkipReason;
};
