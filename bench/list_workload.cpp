#include "list_workload.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <sys/resource.h>
#include <ctime>

namespace ListWorkload {

const char *const Sql = "SELECT id, customer, city, order_date, amount FROM orders ORDER BY id";
const double ColX[5] = {0, 22, 92, 132, 160};
const double ColW[5] = {18, 68, 38, 26, 30};
const char *const Captions[5] = {"No.", "Customer", "City", "Date", "Amount"};
const char *const Fields[5] = {"id", "customer", "city", "order_date", "amount"};

namespace {

struct Lcg {
    quint64 s = 20240601;
    quint32 Next() {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(s >> 33);
    }
    QString Letters(int minLen, int maxLen) {
        const int n = minLen + int(Next() % quint32(maxLen - minLen + 1));
        QString t(n, u'a');
        for (int i = 0; i < n; ++i) t[i] = QChar(u'a' + int(Next() % 26));
        t[0] = t[0].toUpper();
        return t;
    }
};

const QString BaselineConnection = QStringLiteral("bench-baseline");

int BaselinePages(const QString &dbFile, const QString &pdf) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), BaselineConnection);
    db.setDatabaseName(dbFile);
    db.open();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.exec(QString::fromLatin1(Sql));
    QPdfWriter writer(pdf);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p(&writer);
    const double mm = 600 / 25.4;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(12 * 600 / 96));
    QFont bold = font;
    bold.setBold(true);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const double left = 10 * mm, top = 10 * mm, bottom = 287 * mm;
    int page = 0, count = 0;
    double sum = 0, y = 0;
    auto footer = [&] {
        p.setFont(font);
        p.drawText(QRectF(left, bottom - 8 * mm, 190 * mm, 8 * mm), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Page %1").arg(page));
    };
    auto header = [&] {
        ++page;
        if (page > 1) writer.newPage();
        p.setFont(bold);
        for (int i = 0; i < 5; ++i)
            p.drawText(QRectF(left + ColX[i] * mm, top, ColW[i] * mm, 6 * mm),
                       (i == 0 || i == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                       QString::fromLatin1(Captions[i]));
        p.drawLine(QPointF(left, top + 7 * mm), QPointF(left + 190 * mm, top + 7 * mm));
        y = top + 8 * mm;
    };
    header();
    while (q.next()) {
        if (y + 5 * mm > bottom - 8 * mm) {
            footer();
            header();
        }
        p.setFont(font);
        const QString texts[5] = {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                  QDate::fromString(q.value(3).toString(), Qt::ISODate).toString(QStringLiteral("dd.MM.yyyy")),
                                  en.toString(q.value(4).toDouble(), 'f', 2)};
        for (int i = 0; i < 5; ++i)
            p.drawText(QRectF(left + ColX[i] * mm, y, ColW[i] * mm, 5 * mm),
                       (i == 0 || i == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, texts[i]);
        ++count;
        sum += q.value(4).toDouble();
        y += 5 * mm;
    }
    if (y + 12 * mm > bottom - 8 * mm) {
        footer();
        header();
    }
    p.drawLine(QPointF(left, y + 1 * mm), QPointF(left + 190 * mm, y + 1 * mm));
    p.drawText(QRectF(left, y + 2 * mm, 100 * mm, 6 * mm), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Count %1").arg(count));
    p.drawText(QRectF(left + 100 * mm, y + 2 * mm, 90 * mm, 6 * mm), Qt::AlignRight | Qt::AlignTop,
               en.toString(sum, 'f', 2));
    footer();
    p.end();
    q.finish();
    db.close();
    return page;
}

double TimevalSeconds(const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

}  // namespace

void CreateTable(const QString &file, int rows) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE orders(id INTEGER PRIMARY KEY, customer VARCHAR(30), city VARCHAR(15), "
                              "order_date DATE, amount NUMERIC(10,2))"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO orders VALUES(?,?,?,?,?)"));
        Lcg rng;
        const QDate start(2020, 1, 1);
        for (int i = 1; i <= rows; ++i) {
            q.addBindValue(i);
            q.addBindValue(rng.Letters(20, 30));
            q.addBindValue(rng.Letters(8, 15));
            q.addBindValue(start.addDays(int(rng.Next() % 1500)).toString(Qt::ISODate));
            q.addBindValue(double(100 + rng.Next() % 999901) / 100.0);
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(file);
}

int Baseline(const QString &dbFile, const QString &pdf) {
    const int pages = BaselinePages(dbFile, pdf);
    QSqlDatabase::removeDatabase(BaselineConnection);
    return pages;
}

double ResidentMB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double ChildrenSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return TimevalSeconds(u.ru_utime) + TimevalSeconds(u.ru_stime);
}

int PdfPageCount(const QString &pdf) {
    QFile f(pdf);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray bytes = f.readAll();
    // The root of the page tree counts every page below it; inner nodes of a deeper tree have
    // their own, smaller counts.
    int count = 0;
    for (const QByteArray &type : {QByteArray("/Type /Pages"), QByteArray("/Type/Pages")}) {
        for (qsizetype pos = bytes.indexOf(type); pos >= 0; pos = bytes.indexOf(type, pos + 1)) {
            const qsizetype start = bytes.lastIndexOf("<<", pos);
            const qsizetype end = bytes.indexOf(">>", pos);
            if (start < 0 || end < 0) continue;
            const QByteArray dict = bytes.mid(start, end - start);
            const qsizetype at = dict.indexOf("/Count");
            if (at < 0) continue;
            qsizetype i = at + 6;
            while (i < dict.size() && (dict[i] == ' ' || dict[i] == '\n' || dict[i] == '\r')) ++i;
            qsizetype j = i;
            while (j < dict.size() && dict[j] >= '0' && dict[j] <= '9') ++j;
            count = qMax(count, dict.mid(i, j - i).toInt());
        }
    }
    return count;
}

}  // namespace ListWorkload
