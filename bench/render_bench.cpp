// `vendamo render` end to end: the list of N order rows (the workload of reportlib_bench) as a
// designable report saved to a report file, rendered to PDF by the command-line tool from
// process start to the closed PDF, against the same list painted by hand with QPainter on a
// QPdfWriter in this process. The tool's figure is the processor time of the child process
// (its own and its system time, from the kernel's accounting of waited-for children), so that
// the ratio does not depend on what else the machine is doing; its elapsed time is printed too.
//
// Usage: render_bench [rows [rounds]] (default 100000 rows, 3 rounds). BENCH_VENDAMO names
// another vendamo executable to measure instead of the one built with this program.
#include "report_form.h"
#include "list_report.h"
#include "list_workload.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "host/interaction.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_writer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <cstdio>

using namespace ListWorkload;

namespace {

constexpr double kLimit = 0.5;

// The list of reportlib_bench as a report form with designable bands and elements, the query
// reached through a data source (as report files keep datasets) and every component named.
void BuildListReport(TBenchReportForm &f, const QString &dbFile) {
    f.Report->SetReportTitle(QStringLiteral("Orders"));
    auto *query = new TQuery(f.Form.get());
    TListReportBuilder<TVendamoBand, TVendamoLabel, TVendamoDBText, TVendamoExpr, TVendamoShape, TVendamoSysdata>(
        f.Form.get(), f.Report)
        .Build(query, dbFile, TRepBand::rbColumnHeader);
    auto *source = new TDataSource(f.Form.get());
    source->SetName(QStringLiteral("OrdersSource"));
    source->SetDataSet(query);
    f.NameComponents();
}

struct ToolRun {
    bool ok = false;
    double cpu = 0;     // seconds of processor time
    double wall = 0;    // seconds elapsed
};

QString VendamoExecutable() {
    const QString other = qEnvironmentVariable("BENCH_VENDAMO");
    return other.isEmpty() ? QStringLiteral(VENDAMO_EXECUTABLE) : other;
}

// Runs `vendamo render report -o pdf` and waits for it.
ToolRun RenderWithTool(const QString &report, const QString &pdf) {
    ToolRun run;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double before = ChildrenSeconds();
    QElapsedTimer timer;
    timer.start();
    p.start(VendamoExecutable(), {QStringLiteral("render"), report, QStringLiteral("-o"), pdf});
    // A run that takes more than ten minutes is broken, not slow.
    if (!p.waitForFinished(600000)) {
        p.kill();
        p.waitForFinished();
        std::fprintf(stderr, "render_bench: vendamo did not finish\n");
        return run;
    }
    run.wall = double(timer.nsecsElapsed()) / 1e9;
    run.cpu = ChildrenSeconds() - before;
    run.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!run.ok) std::fprintf(stderr, "render_bench: vendamo render failed (exit %d)\n", p.exitCode());
    return run;
}

// The largest peak resident memory of the waited-for children, in megabytes.
double ChildPeakMB() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("render_bench"));
    SetInteraction(&console);
    const int rows = argc > 1 ? qMax(10, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    const int rounds = argc > 2 ? qBound(1, QString::fromLocal8Bit(argv[2]).toInt(), 20) : 3;
    // BENCH_KEEP=1 keeps the generated files (their directory is printed).
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    if (!dir.autoRemove()) std::fprintf(stderr, "files in %s\n", qPrintable(dir.path()));
    const QString db = dir.filePath(QStringLiteral("orders.sqlite"));
    const QString report = dir.filePath(QStringLiteral("orders.QR2"));
    const QString basePdf = dir.filePath(QStringLiteral("base.pdf"));
    const QString toolPdf = dir.filePath(QStringLiteral("vendamo.pdf"));
    CreateTable(db, rows);
    {
        TBenchReportForm f;
        BuildListReport(f, db);
        if (!Save_Report(f.Loader, f.Form.get(), report, nullptr)) {
            std::fprintf(stderr, "render_bench: the report was not saved\n");
            return 1;
        }
    }

    // The two sides run in turns and the best time of each counts, so that a busy machine
    // disturbs the comparison as little as possible.
    int basePages = 0;
    double baseline = 0, toolCpu = 0, toolWall = 0;
    for (int round = 0; round < rounds; ++round) {
        const double t = Seconds([&] { basePages = Baseline(db, basePdf); });
        baseline = round == 0 ? t : qMin(baseline, t);
        const ToolRun run = RenderWithTool(report, toolPdf);
        if (!run.ok) return 1;
        toolCpu = round == 0 ? run.cpu : qMin(toolCpu, run.cpu);
        toolWall = round == 0 ? run.wall : qMin(toolWall, run.wall);
    }
    const int toolPages = PdfPageCount(toolPdf);
    std::printf("bench vendamo_render_list_pages: %d pages (baseline %d) for %d rows\n", toolPages, basePages, rows);
    std::printf("bench baseline_qpainter_pdf: %.2f s (processor time in this process, best of %d)\n", baseline, rounds);
    std::printf("bench vendamo_render_list_pdf: %.2f s (processor time of the vendamo process, start to closed PDF, "
                "best of %d)\n",
                toolCpu, rounds);
    std::printf("bench vendamo_render_list_pdf_elapsed: %.2f s (best of %d)\n", toolWall, rounds);
    std::printf("bench vendamo_render_list_pdf: ratio %.2f vs baseline_qpainter_pdf (limit %.2f)\n",
                baseline > 0 ? toolCpu / baseline : 0.0, kLimit);
    std::printf("bench vendamo_render_list_rss: %.1f MB (peak resident memory of the vendamo process)\n", ChildPeakMB());
    SetInteraction(nullptr);
    // Page counts that differ by more than one page in a hundred mean the two lists differ.
    if (toolPages <= 0 || qAbs(toolPages - basePages) > qMax(1, basePages / 100)) {
        std::fprintf(stderr, "render_bench: page counts differ too much\n");
        return 1;
    }
    return 0;
}
