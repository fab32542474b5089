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

#include "list_report.h"
#include "list_workload.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace ListWorkload;

namespace {

// The same report through the report library. Returns pages; peak is the highest resident
// memory seen at any page end.
int ReportRun(const QString &dbFile, const QString &pdf, double &peakMB) {
    TForm form;
    auto *report = new TReport(&form);
    report->setParent(&form);
    auto *query = new TQuery(&form);
    const TListReportBands bands =
        TListReportBuilder<TRepBand, TRepLabel, TRepDBText, TRepExpr, TRepShape, TRepSysData>(&form, report)
            .Build(query, dbFile, rbPageHeader);
    bands.Footer->SetAfterPrint(TMethod::FromFunction<QObject *, bool>(
        std::function<void(QObject *, bool)>([&peakMB](QObject *, bool) { peakMB = qMax(peakMB, ResidentMB()); }),
        &peakMB));

    report->ExportToPdf(pdf);
    return report->PageCount();
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
