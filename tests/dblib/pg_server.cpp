#include "pg_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString FindBinDir() {
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &v : versions) {
        const QString bin = root.filePath(v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl"))) return bin;
    }
    return {};
}

int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof(addr);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

}  // namespace

TPgTestServer::~TPgTestServer() { Stop(); }

QString TPgTestServer::SocketDirectory() const { return FDir ? FDir->path() : QString(); }

QString TPgTestServer::ConnectionText() const {
    return QStringLiteral("host=%1;port=%2;dbname=%3;user=postgres").arg(QStringLiteral("127.0.0.1")).arg(FPort).arg(FDatabase);
}

int TPgTestServer::Run(const QStringList &command, QString *output) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = command;
    QString program = args.takeFirst();
    if (FAsPostgresUser) {
        args.prepend(program);
        args = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + args;
        program = QStringLiteral("runuser");
    }
    p.setWorkingDirectory(FDir->path());
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        if (output) *output = QStringLiteral("timed out");
        return -1;
    }
    if (output) *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool TPgTestServer::Start(const QString &databaseName) {
    if (FRunning) return true;
    FBinDir = FindBinDir();
    if (FBinDir.isEmpty()) {
        FSkipReason = QStringLiteral("PostgreSQL server binaries not found under /usr/lib/postgresql; PostgreSQL tests skipped");
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        FSkipReason = QStringLiteral("Qt PostgreSQL driver not installed; PostgreSQL tests skipped");
        return false;
    }
    FAsPostgresUser = ::geteuid() == 0;
    // The postgres user must reach the directory: a private TMPDIR of root would not do.
    const QString base = FAsPostgresUser ? QStringLiteral("/tmp") : QDir::tempPath();
    FDir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/vendamo-pg-XXXXXX"));
    if (!FDir->isValid()) throw std::runtime_error("cannot create a temporary directory for PostgreSQL");
    if (FAsPostgresUser) {
        const passwd *pw = ::getpwnam("postgres");
        if (!pw) throw std::runtime_error("the postgres system user is missing");
        if (::chown(QFile::encodeName(FDir->path()).constData(), pw->pw_uid, pw->pw_gid) != 0)
            throw std::runtime_error("cannot hand the temporary directory to the postgres user");
    }
    const QString data = FDir->path() + QStringLiteral("/data");
    QString out;
    if (Run({FBinDir + QStringLiteral("/initdb"), QStringLiteral("-D"), data, QStringLiteral("-A"), QStringLiteral("trust"),
             QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-sync")},
            &out) != 0)
        throw std::runtime_error(("initdb failed: " + out).toStdString());
    for (int attempt = 0; attempt < 5 && !FRunning; ++attempt) {
        FPort = FreeLoopbackPort();
        const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off")
                                    .arg(FPort)
                                    .arg(FDir->path());
        const int rc = Run({FBinDir + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), data, QStringLiteral("-o"), options,
                            QStringLiteral("-l"), FDir->path() + QStringLiteral("/server.log"), QStringLiteral("-w"),
                            QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start")},
                           &out);
        FRunning = rc == 0;
    }
    if (!FRunning) throw std::runtime_error(("pg_ctl start failed: " + out).toStdString());
    // Should this program die without stopping the server, a watchdog stops it and removes
    // the cluster once the program is gone.
    const QString stop = (FAsPostgresUser ? QStringLiteral("runuser -u postgres -- ") : QString()) +
                         QStringLiteral("'%1/pg_ctl' -D '%2' -m immediate stop").arg(FBinDir, data);
    QProcess::startDetached(QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; "
                                                                  "[ -d '%2' ] && { %3 >/dev/null 2>&1; rm -rf '%4'; }")
                                                       .arg(QCoreApplication::applicationPid())
                                                       .arg(data, stop, FDir->path())});
    FDatabase = databaseName;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("vendamo_pg_admin"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(FPort);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open()) throw std::runtime_error(("cannot connect to the test server: " + db.lastError().text()).toStdString());
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE DATABASE \"%1\"").arg(databaseName)))
            throw std::runtime_error(("CREATE DATABASE failed: " + q.lastError().text()).toStdString());
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vendamo_pg_admin"));
    return true;
}

void TPgTestServer::Stop() {
    if (FRunning) {
        Run({FBinDir + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), FDir->path() + QStringLiteral("/data"), QStringLiteral("-m"),
             QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
        FRunning = false;
    }
    FDir.reset();  // removes the cluster
}
