// Data access benchmarks: streaming a million rows through a unidirectional query against a
// plain QSqlQuery loop, and the memory a bidirectional dataset of the same rows needs.
#include "dblib/field.h"
#include "dblib/query.h"
#include "dblib/session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRows = 1000000;
constexpr double kMemoryBudgetMB = 300.0;

double ResidentMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void CreateTable(const QString &file) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_writer"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE big (id INTEGER, name VARCHAR(30), amount REAL, qty INTEGER, note VARCHAR(40))"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO big VALUES (?, ?, ?, ?, ?)"));
        for (int i = 0; i < kRows; ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("Customer %1").arg(i % 5000));
            q.bindValue(2, (i % 100000) / 100.0);
            q.bindValue(3, i % 97);
            q.bindValue(4, QStringLiteral("Note number %1 for the row").arg(i));
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_writer"));
}

// The baseline: a forward-only QSqlQuery reading every value as text.
double PlainLoop(const QString &file, qint64 &chars) {
    double ms = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_reader"));
        db.setDatabaseName(file);
        db.open();
        QElapsedTimer timer;
        timer.start();
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT * FROM big"));
        chars = 0;
        while (q.next())
            for (int c = 0; c < 5; ++c) chars += q.value(c).toString().size();
        ms = double(timer.nsecsElapsed()) / 1e6;
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_reader"));
    return ms;
}

// Every field's AsString of every row, through a dataset.
double DataSetLoop(const QString &file, bool uniDirectional, qint64 &chars, double *residentMB = nullptr) {
    TQuery q;
    q.SetDatabaseName(file);
    q.SQL()->SetText(QStringLiteral("SELECT * FROM big"));
    q.SetUniDirectional(uniDirectional);
    QElapsedTimer timer;
    timer.start();
    q.Open();
    if (residentMB) *residentMB = ResidentMB();
    const QList<TField *> fields = q.Fields();
    chars = 0;
    for (; !q.Eof(); q.Next())
        for (TField *f : fields) chars += f->AsString().size();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    q.Close();
    return ms;
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.sqlite"));
    CreateTable(file);

    // Alternate the two loops and keep the best of each, so that caches treat both alike.
    qint64 plainChars = 0, dataSetChars = 0;
    double plain = 1e300, uni = 1e300;
    for (int round = 0; round < 3; ++round) {
        plain = std::min(plain, PlainLoop(file, plainChars));
        uni = std::min(uni, DataSetLoop(file, true, dataSetChars));
    }
    if (plainChars != dataSetChars)
        std::fprintf(stderr, "dblib_bench: texts differ: %lld vs %lld characters\n", plainChars, dataSetChars);
    std::printf("bench dblib_plain_qsqlquery_1m_rows: %.0f ms\n", plain);
    std::printf("bench dblib_unidirectional_1m_rows: %.0f ms\n", uni);
    std::printf("bench dblib_unidirectional_1m_rows: ratio %.2f vs plain_qsqlquery (limit 2.00)\n", uni / plain);

    const double before = ResidentMB();
    double openResident = 0;
    const double bidi = DataSetLoop(file, false, dataSetChars, &openResident);
    std::printf("bench dblib_bidirectional_1m_rows: %.0f ms\n", bidi);
    std::printf("bench dblib_bidirectional_1m_rows: ratio %.2f vs plain_qsqlquery\n", bidi / plain);
    std::printf("bench dblib_bidirectional_resident: %.0f MB\n", openResident);
    std::printf("bench dblib_bidirectional_resident_growth: %.0f MB\n", openResident - before);
    std::printf("bench dblib_bidirectional_resident: ratio %.2f vs budget_300MB (limit 1.00)\n", openResident / kMemoryBudgetMB);
    Session().DropConnections();
    return 0;
}
