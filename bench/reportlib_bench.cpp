// The list-report workload: N order rows from an SQLite table rendered to PDF by the report
// library, against a plain program that reads the same rows with QSqlQuery and paints the same
// texts and lines with QPainter on a QPdfWriter. Prints the times, their ratio, and the
// resident memory during the report's export (at N/10 and N rows, to show it stays flat).
//
// Usage: reportlib_bench [rows [rounds]] (default 100000 rows, 3 rounds)
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

#include "dblib/query.h"
#include "host/forms.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

// Resident set size of this process in megabytes.
double ResidentMB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

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

void CreateTable(const QString &file, int rows) {
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
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(file);
}

const char *Sql = "SELECT id, customer, city, order_date, amount FROM orders ORDER BY id";
// Column positions in millimetres within the 190 mm between the margins.
const double ColX[5] = {0, 22, 92, 132, 160};
const double ColW[5] = {18, 68, 38, 26, 30};

// The same pages painted by hand.
int BaselinePages(const QString &dbFile, const QString &pdf) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-baseline"));
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
        static const char *caps[5] = {"No.", "Customer", "City", "Date", "Amount"};
        for (int i = 0; i < 5; ++i)
            p.drawText(QRectF(left + ColX[i] * mm, top, ColW[i] * mm, 6 * mm),
                       (i == 0 || i == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, QString::fromLatin1(caps[i]));
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

int Baseline(const QString &dbFile, const QString &pdf) {
    const int pages = BaselinePages(dbFile, pdf);
    QSqlDatabase::removeDatabase(QStringLiteral("bench-baseline"));
    return pages;
}

// The same report through the report library. Returns pages; peak is the highest resident
// memory seen at any page end.
int ReportRun(const QString &dbFile, const QString &pdf, double &peakMB) {
    TForm form;
    auto *report = new TReport(&form);
    report->setParent(&form);
    report->Font()->SetName(QStringLiteral("Liberation Sans"));
    report->Font()->SetSize(9);
    auto *query = new TQuery(&form);
    query->SetName(QStringLiteral("Orders"));
    query->SetDatabaseName(dbFile);
    query->SQL()->SetText(QString::fromLatin1(Sql));
    query->SetUniDirectional(true);
    report->SetDataSet(query);

    auto band = [&](TRepBandType type, double h) {
        auto *b = new TRepBand(&form);
        b->SetBandType(type);
        b->SetHeightMM(h);
        b->SetParent(report);
        return b;
    };
    auto place = [](TRepPrintable *e, TRepBand *b, double x, double y, double w, double h) {
        e->SetParent(b);
        e->SetSizeMM(1, x);
        e->SetSizeMM(2, y);
        e->SetSizeMM(3, w);
        e->SetSizeMM(0, h);
        e->SetTransparent(true);
    };
    auto line = [&](TRepBand *b, double y) {
        auto *s = new TRepShape(&form);
        place(s, b, 0, y, 190, 0.3);
        s->SetShape(TRepShape::stHorLine);
    };
    TRepBand *header = band(rbPageHeader, 8);
    static const char *caps[5] = {"No.", "Customer", "City", "Date", "Amount"};
    for (int i = 0; i < 5; ++i) {
        auto *l = new TRepLabel(&form);
        place(l, header, ColX[i], 0, ColW[i], 6);
        l->SetAutoSize(false);
        l->SetCaption(QString::fromLatin1(caps[i]));
        l->SetAlignment(i == 0 || i == 4 ? taRightJustify : taLeftJustify);
        l->Font()->SetStyle(fsBold);
    }
    line(header, 6.85);
    TRepBand *detail = band(rbDetail, 5);
    static const char *fields[5] = {"id", "customer", "city", "order_date", "amount"};
    for (int i = 0; i < 5; ++i) {
        auto *t = new TRepDBText(&form);
        t->StoreAutoSize(false);   // fixed columns
        place(t, detail, ColX[i], 0, ColW[i], 5);
        t->SetDataSet(query);
        t->SetDataField(QString::fromLatin1(fields[i]));
        t->SetAlignment(i == 0 || i == 4 ? taRightJustify : taLeftJustify);
        if (i == 3) t->SetMask(QStringLiteral("dd.mm.yyyy"));
        if (i == 4) t->SetMask(QStringLiteral("#,##0.00"));
    }
    TRepBand *footer = band(rbPageFooter, 8);
    auto *pageNo = new TRepSysData(&form);
    place(pageNo, footer, 0, 1, 60, 6);
    pageNo->SetData(TRepSysData::sdPageNumber);
    pageNo->SetText(QStringLiteral("Page "));
    footer->SetAfterPrint(TMethod::FromFunction<QObject *, bool>(
        std::function<void(QObject *, bool)>([&peakMB](QObject *, bool) { peakMB = qMax(peakMB, ResidentMB()); }),
        &peakMB));
    TRepBand *summary = band(rbSummary, 12);
    line(summary, 1);
    auto *count = new TRepExpr(&form);
    place(count, summary, 0, 2, 100, 6);
    count->SetExpression(QStringLiteral("'Count ' + STR(COUNT)"));
    auto *sum = new TRepExpr(&form);
    sum->StoreAutoSize(false);
    place(sum, summary, 100, 2, 90, 6);
    sum->SetExpression(QStringLiteral("SUM(amount)"));
    sum->SetMask(QStringLiteral("#,##0.00"));
    sum->SetAlignment(taRightJustify);

    report->ExportToPdf(pdf);
    return report->PageCount();
}

// Processor time of this process (user and system) spent in f, in seconds: unlike elapsed
// time it does not depend on what else the machine is doing.
template <class F>
double Seconds(F &&f) {
    timespec a{}, b{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
    f();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
    return double(b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(10, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    const int rounds = argc > 2 ? qBound(1, QString::fromLocal8Bit(argv[2]).toInt(), 20) : 3;
    // BENCH_KEEP=1 keeps the generated files (their directory is printed).
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    if (!dir.autoRemove()) std::fprintf(stderr, "files in %s\n", qPrintable(dir.path()));
    const QString small = dir.filePath(QStringLiteral("small.sqlite"));
    const QString large = dir.filePath(QStringLiteral("large.sqlite"));
    CreateTable(small, rows / 10);
    CreateTable(large, rows);

    double peakSmall = 0, peakLarge = 0;
    ReportRun(small, dir.filePath(QStringLiteral("warm.pdf")), peakSmall);   // warms fonts and caches
    int basePages = 0, reportPages = 0;
    // The two sides run in turns and the best time of each counts, so that a busy machine
    // disturbs the comparison as little as possible. BENCH_ONLY=report or =baseline runs one
    // side alone (for profiling).
    const QByteArray only = qgetenv("BENCH_ONLY");
    double baseline = 0, report = 0;
    for (int round = 0; round < rounds; ++round) {
        if (only != "report") {
            const double t = Seconds([&] { basePages = Baseline(large, dir.filePath(QStringLiteral("base.pdf"))); });
            baseline = round == 0 ? t : qMin(baseline, t);
        }
        if (only != "baseline") {
            const double t =
                Seconds([&] { reportPages = ReportRun(large, dir.filePath(QStringLiteral("report.pdf")), peakLarge); });
            report = round == 0 ? t : qMin(report, t);
        }
    }
    std::printf("bench reportlib_list_pages: %d pages (baseline %d) for %d rows\n", reportPages, basePages, rows);
    std::printf("bench baseline_qpainter_pdf: %.2f s (processor time, best of %d)\n", baseline, rounds);
    std::printf("bench reportlib_list_pdf: %.2f s (processor time, best of %d)\n", report, rounds);
    std::printf("bench reportlib_list_pdf: ratio %.2f vs baseline_qpainter_pdf\n", baseline > 0 ? report / baseline : 0.0);
    std::printf("bench reportlib_list_pdf_rss_%d_rows: %.1f MB\n", rows / 10, peakSmall);
    std::printf("bench reportlib_list_pdf_rss_%d_rows: %.1f MB\n", rows, peakLarge);
    std::printf("bench reportlib_list_pdf_rss: ratio %.2f vs reportlib_list_pdf_rss_%d_rows\n",
                peakSmall > 0 ? peakLarge / peakSmall : 0.0, rows / 10);
    return 0;
}
