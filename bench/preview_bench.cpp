// The preview of the 100,000-row list (the report of render_bench): the time until the window
// shows page 1 while the rest of the run goes on, against a budget of 0.3 s, and the peak
// memory of the process once the whole preview is there.
//
// Usage: preview_bench [rows] (default 100000 rows).
#include "report_form.h"
#include "list_report.h"
#include "list_workload.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "host/interaction.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"
#include "reportlib/rep_preview_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <cstdio>

using namespace ListWorkload;

namespace {

constexpr double kBudget = 0.3;

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

double PeakMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("preview_bench"));
    SetInteraction(&console);
    const int rows = argc > 1 ? qMax(10, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("orders.sqlite"));
    CreateTable(db, rows);
    const double before = PeakMB();

    int pages = 0;
    double firstPage = -1, whole = 0;
    {
        TBenchReportForm f;
        BuildListReport(f, db);
        TRepPreviewWindow window(f.Report);
        QElapsedTimer timer;
        QObject::connect(&window, &TRepPreviewWindow::PagesChanged, &window, [&](int count) {
            if (count < 1 || firstPage >= 0) return;
            // Shown means painted: the window handles its paint events before the run goes on.
            QCoreApplication::processEvents();
            firstPage = double(timer.nsecsElapsed()) / 1e9;
        });
        timer.start();
        window.RunReport();
        whole = double(timer.nsecsElapsed()) / 1e9;
        pages = window.PageCount();
    }
    std::printf("bench preview_list_pages: %d pages for %d rows\n", pages, rows);
    std::printf("bench preview_list_first_page: %.3f s (elapsed, from the start of the run until page 1 is painted)\n",
                firstPage);
    std::printf("bench preview_list_first_page: ratio %.2f vs the budget of %.1f s (limit 1.00)\n", firstPage / kBudget,
                kBudget);
    std::printf("bench preview_list_whole: %.2f s (elapsed, the whole run)\n", whole);
    std::printf("bench preview_list_rss: %.1f MB (peak resident memory with the finished preview; %.1f MB before it)\n",
                PeakMB(), before);
    SetInteraction(nullptr);
    return firstPage >= 0 && firstPage <= kBudget ? 0 : 1;
}
