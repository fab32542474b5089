// Report files: saving and loading a designable report of 20 bands and 2,000 elements (labels,
// data texts, expressions, shapes, system data and a few memos, fed by one query) through a
// memory stream and through a real file. Each figure is the best processor time of several
// rounds; every load goes into a fresh report form. The baseline, measured in the same run, is
// the time to create the same form with the same bands and elements through the API, which
// every load has to do as well; the target for each operation is 100 ms. One more figure loads
// over a form that already holds the report, which clears the form first; the clearing alone is
// shown as well.
//
// Usage: report_file_bench [rounds] (default 5)
#include "designable_report.h"
#include "report_form.h"
#include "list_workload.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "host/interaction.h"
#include "host/stream.h"
#include "model/datasource_lookup.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

using namespace ListWorkload;

namespace {

constexpr double kTargetMs = 100;

// Processor time of f in milliseconds. The events that earlier work posted are delivered first,
// as an application's event loop does between two user actions; left queued, they would make
// every widget that goes away search an ever longer queue.
template <class F>
double TimedMs(F &&f) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Seconds(f) * 1000;
}

// Best processor time of rounds runs of f, in milliseconds.
double BestMs(int rounds, const std::function<void()> &f) {
    double best = 0;
    for (int round = 0; round < rounds; ++round) {
        const double t = TimedMs(f);
        best = round == 0 ? t : qMin(best, t);
    }
    return best;
}

// Whether a loaded form holds what was built; says what differs on stderr.
bool SameContent(const TBenchReportForm &built, const TBenchReportForm &loaded, const char *what) {
    const int bands = loaded.BandCount(), elements = loaded.ElementCount();
    if (bands == kBands && elements == kBands * kElementsPerBand && loaded.ClassCounts() == built.ClassCounts())
        return true;
    std::fprintf(stderr, "report_file_bench: %s gave %d bands and %d elements (expected %d and %d)\n", what, bands,
                 elements, kBands, kBands * kElementsPerBand);
    return false;
}

// Best processor time of rounds loads into fresh report forms, in milliseconds; prepare, when
// given, fills the form first (not timed). Every load must give back what was built; ok turns
// false when one does not.
double BestLoadMs(int rounds, const TBenchReportForm &built, const char *what, bool &ok,
                  const std::function<bool(TBenchReportForm &)> &load,
                  const std::function<bool(TBenchReportForm &)> &prepare = {}) {
    double best = 0;
    for (int round = 0; round < rounds && ok; ++round) {
        TBenchReportForm f;
        if (prepare) ok = prepare(f);
        const double t = TimedMs([&] { ok = load(f) && ok; });
        best = round == 0 ? t : qMin(best, t);
        ok = ok && SameContent(built, f, what);
    }
    return best;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("report_file_bench"));
    SetInteraction(&console);
    const int rounds = argc > 1 ? qBound(1, QString::fromLocal8Bit(argv[1]).toInt(), 50) : 5;
    QTemporaryDir dir;
    const QString dbFile = dir.filePath(QStringLiteral("orders.sqlite"));
    CreateTable(dbFile, 200);
    const QString reportFile = dir.filePath(QStringLiteral("orders.QR2"));

    TBenchReportForm built;
    BuildDesignableReport(built, dbFile);
    if (built.BandCount() != kBands || built.ElementCount() != kBands * kElementsPerBand) {
        std::fprintf(stderr, "report_file_bench: built %d bands and %d elements\n", built.BandCount(),
                     built.ElementCount());
        return 1;
    }

    // The baseline: the same form made through the API (the forms are freed outside the timing,
    // as the loaded ones are).
    double apiMs = 0;
    for (int round = 0; round < rounds; ++round) {
        TBenchReportForm f;
        const double t = TimedMs([&] { BuildDesignableReport(f, dbFile); });
        apiMs = round == 0 ? t : qMin(apiMs, t);
    }

    QByteArray bytes;
    bool ok = true;
    const double saveMs = BestMs(rounds, [&] {
        TMemoryStream stream;
        ok = Save_Report_To_Stream(stream, nullptr, built.Loader, true, built.Form.get()) && ok;
        bytes = stream.Data();
    });
    auto fromStream = [&](TBenchReportForm &f) {
        TMemoryStream stream(bytes);
        return Load_Report_From_Stream(stream, nullptr, f.Loader, true, QString(), f.Report, f.Form.get());
    };
    const double loadMs = BestLoadMs(rounds, built, "loading from a stream", ok, fromStream);
    // Loading over a form that already holds the report, as a designer opening another report
    // does: the form is cleared of 2,000 elements first.
    const double reloadMs = BestLoadMs(rounds, built, "loading over a loaded report", ok, fromStream, fromStream);
    // Clearing alone: the part of a reload that a plain load does not do.
    double clearMs = 0;
    for (int round = 0; round < rounds && ok; ++round) {
        TBenchReportForm f;
        ok = fromStream(f);
        const double t = TimedMs([&] { ClearReportForm(f.Form.get(), true); });
        clearMs = round == 0 ? t : qMin(clearMs, t);
    }
    const double saveFileMs = BestMs(rounds, [&] {
        ok = Save_Report(built.Loader, built.Form.get(), reportFile, nullptr) && ok;
    });
    const double loadFileMs = BestLoadMs(rounds, built, "loading the file", ok, [&](TBenchReportForm &f) {
        return Load_Report(f.Loader, f.Form.get(), f.Report, nullptr, reportFile);
    });
    if (!ok) {
        std::fprintf(stderr, "report_file_bench: a save or load failed\n");
        return 1;
    }

    std::printf("bench report_file_size: %lld bytes (%d bands, %d elements, 1 query)\n", qint64(bytes.size()), kBands,
                kBands * kElementsPerBand);
    std::printf("bench report_file_clear: %.1f ms (emptying a form that holds the report, part of a reload; "
                "processor time, best of %d)\n",
                clearMs, rounds);
    std::printf("bench report_file_api_build: %.1f ms (baseline: creating the same form, query, bands and elements "
                "through the API; processor time, best of %d)\n",
                apiMs, rounds);
    const struct {
        const char *name;
        double ms;
    } figures[] = {{"report_file_save_stream", saveMs},
                   {"report_file_load_stream", loadMs},
                   {"report_file_reload_stream", reloadMs},
                   {"report_file_save_file", saveFileMs},
                   {"report_file_load_file", loadFileMs}};
    for (const auto &f : figures) {
        std::printf("bench %s: %.1f ms (processor time, best of %d)\n", f.name, f.ms, rounds);
        std::printf("bench %s: ratio %.2f vs target_100ms (limit 1.00)\n", f.name, f.ms / kTargetMs);
        std::printf("bench %s: ratio %.2f vs report_file_api_build\n", f.name, apiMs > 0 ? f.ms / apiMs : 0.0);
    }
    SetInteraction(nullptr);
    return 0;
}
