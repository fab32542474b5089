// The designer window under load: the 2,000-element report of the report-file benchmark opened
// in the window until the surface has painted, and one zoom step on it (the report and ruler
// repaint at the new size). Figures are processor time, best of N rounds, printed as ratios
// against a budget of 500 ms for the opening and 100 ms for the zoom step.
//
// Usage: window_bench [rounds] (default 5)
#include "designable_report.h"
#include "list_workload.h"
#include "report_form.h"

#include "window/report_designer_form.h"

#include "host/interaction.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "persist/report_writer.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

using namespace ListWorkload;

namespace {

// Processor time of f and the events and painting it causes, in milliseconds.
double TimedMs(QWidget *painted, const std::function<void()> &f) {
    QCoreApplication::processEvents();
    return Seconds([&] {
               f();
               QCoreApplication::processEvents();
               painted->repaint();
           }) *
           1000;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("window_bench"));
    SetInteraction(&console);
    const int rounds = argc > 1 ? qBound(1, QString::fromLocal8Bit(argv[1]).toInt(), 50) : 5;
    QTemporaryDir dir;
    // The window keeps its state in a folder of the run's own.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));
    const QString dbFile = dir.filePath(QStringLiteral("orders.sqlite"));
    CreateTable(dbFile, 200);
    const QString reportFile = dir.filePath(QStringLiteral("large.QR2"));
    {
        TBenchReportForm built;
        BuildDesignableReport(built, dbFile);
        if (!Save_Report(built.Loader, built.Form.get(), reportFile, nullptr)) {
            std::fprintf(stderr, "window_bench: saving the report failed\n");
            return 1;
        }
    }

    double openMs = 0, zoomMs = 0;
    for (int round = 0; round < rounds; ++round) {
        TReportDesignerForm window;
        window.resize(1200, 900);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        bool opened = false;
        const double open = TimedMs(&window, [&] { opened = window.OpenReportFile(reportFile); });
        if (!opened) {
            std::fprintf(stderr, "window_bench: the window did not open the report\n");
            return 1;
        }
        // One step up from 100 %, from the menu as a user takes it.
        const double zoom = TimedMs(&window, [&] { window.ZoomIncreaseClick(); });
        if (window.DesignReport->Zoom() != 200) {
            std::fprintf(stderr, "window_bench: the zoom step gave %d %%\n", window.DesignReport->Zoom());
            return 1;
        }
        openMs = round == 0 ? open : qMin(openMs, open);
        zoomMs = round == 0 ? zoom : qMin(zoomMs, zoom);
    }
    std::printf("bench window_open_2000: %.2f ms (opening the 2,000-element report in the designer window until "
                "it has painted; processor time, best of %d)\n",
                openMs, rounds);
    std::printf("bench window_open_2000: ratio %.2f vs budget_500ms (limit 1.00)\n", openMs / 500.0);
    std::printf("bench window_zoom_step: %.2f ms (one zoom step of that report with ruler and repaint; processor "
                "time, best of %d)\n",
                zoomMs, rounds);
    std::printf("bench window_zoom_step: ratio %.2f vs budget_100ms (limit 1.00)\n", zoomMs / 100.0);
    SetInteraction(nullptr);
    return 0;
}
