// The design surface under load: the 2,000-element report of the report-file benchmark loaded
// into a designer on a shown form. Two user actions are timed with real mouse and key input,
// including the repaints they cause:
//   - selecting all 100 elements of one band with a rubber band dragged across it;
//   - one arrow-key move of 200 selected elements (a band that holds the elements of two).
//   - taking an undo snapshot of the whole report, and undoing one step;
//   - copying all bands with their elements, and pasting them into another designer.
// Selections and moves must stay well under one frame at 30 frames per second (33 ms of
// processor time), snapshots and copies within one, undo and paste within three; the figures are
// printed as ratios against that budget and, for the first two, against moving as many plain
// widgets with repaint, measured in the same run.
//
// Usage: design_bench [rounds] (default 10)
#include "designable_report.h"
#include "list_workload.h"
#include "report_form.h"

#include "design/designer.h"
#include "design/stretch_handle.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "host/stream.h"
#include "model/design_report.h"
#include "persist/report_writer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

using namespace ListWorkload;

namespace {

constexpr double kFrameMs = 1000.0 / 30.0;

// Processor time of f with the repaints and other events it causes, in milliseconds.
double TimedMs(const std::function<void()> &f) {
    QCoreApplication::processEvents();
    return Seconds([&] {
               f();
               QCoreApplication::processEvents();
           }) *
           1000;
}

double BestMs(int rounds, const std::function<void()> &f) {
    double best = 0;
    for (int round = 0; round < rounds; ++round) {
        const double t = TimedMs(f);
        best = round == 0 ? t : qMin(best, t);
    }
    return best;
}

// A report form with the real designer, as the designer window holds one.
struct TDesignerForm {
    TDesignerForm() : Form(std::make_unique<TForm>()) {
        Form->resize(1000, 1200);
        Report = new TDesignReport(Form.get());
        Report->SetName(QStringLiteral("Report"));
        Report->setParent(Form.get());
        Designer = new TVDMDesigner(Form.get());
        Designer->SetName(QStringLiteral("Designer"));
        Form->show();
    }
    ~TDesignerForm() { delete Report; }
    std::unique_ptr<TForm> Form;
    TDesignReport *Report;
    TVDMDesigner *Designer;
};

QList<QWidget *> BandsOf(TDesignReport *report) {
    QList<QWidget *> bands;
    for (QObject *o : report->children())
        if (auto *b = qobject_cast<TRepBand *>(o)) bands << b;
    std::sort(bands.begin(), bands.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
    return bands;
}

QList<QWidget *> ElementsOf(QWidget *band) {
    QList<QWidget *> list;
    for (QObject *o : band->children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !qobject_cast<TStretch_Handle *>(w)) list << w;
    return list;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("design_bench"));
    SetInteraction(&console);
    const int rounds = argc > 1 ? qBound(1, QString::fromLocal8Bit(argv[1]).toInt(), 50) : 10;
    QTemporaryDir dir;
    const QString dbFile = dir.filePath(QStringLiteral("orders.sqlite"));
    CreateTable(dbFile, 200);

    QByteArray bytes;
    {
        TBenchReportForm built;
        BuildDesignableReport(built, dbFile);
        TMemoryStream stream;
        if (!Save_Report_To_Stream(stream, nullptr, built.Loader, true, built.Form.get())) {
            std::fprintf(stderr, "design_bench: saving the report failed\n");
            return 1;
        }
        bytes = stream.Data();
    }
    TDesignerForm f;
    TMemoryStream in(bytes);
    if (!f.Designer->LoadReport_FromStream(in)) {
        std::fprintf(stderr, "design_bench: loading the report into the designer failed\n");
        return 1;
    }
    QCoreApplication::processEvents();
    const QList<QWidget *> bands = BandsOf(f.Report);
    if (bands.size() != kBands) {
        std::fprintf(stderr, "design_bench: the designer holds %d bands\n", int(bands.size()));
        return 1;
    }

    // 1. A rubber band over the fourth band, from the report's left margin to beyond the band's
    // right edge, within the band's height.
    QWidget *band = bands.at(3);
    const QPoint from(band->x() - 3, band->y() + 1);
    const QPoint to(band->x() + band->width() + 2, band->y() + band->height() - 2);
    int selected = 0;
    const double rubberMs = BestMs(rounds, [&] {
        QTest::mouseMove(f.Report, from);
        QTest::mousePress(f.Report, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(f.Report, (from + to) / 2);
        QTest::mouseMove(f.Report, to);
        QTest::mouseRelease(f.Report, Qt::LeftButton, Qt::NoModifier, to);
        selected = f.Designer->GetSelectedElements().size();
    });
    if (selected != kElementsPerBand) {
        std::fprintf(stderr, "design_bench: the rubber band selected %d elements, not %d\n", selected,
                     kElementsPerBand);
        return 1;
    }

    // 2. The elements of the next band join the fifth band below its own, 200 in all; all are
    // selected and moved one step right by the arrow key.
    QWidget *target = bands.at(4), *donor = bands.at(5);
    target->resize(target->width(), target->height() * 2);
    for (QWidget *e : ElementsOf(donor)) {
        const QPoint pos = e->pos() + QPoint(0, donor->height());
        e->setParent(target);
        e->move(pos);
        e->show();
    }
    const QList<QWidget *> moving = ElementsOf(target);
    f.Designer->SelectElement(true, nullptr);
    for (QWidget *e : moving) f.Designer->Handle()->AttachWithoutEvents(e);
    f.Designer->UpdateSelections();
    TStretch_Handle *handle = f.Designer->Handle();
    handle->setFocus();
    const int startX = moving.first()->x();
    int step = 0;
    const double arrowMs = BestMs(rounds, [&] {
        QTest::keyClick(handle, step++ % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
    });
    if (moving.size() != 2 * kElementsPerBand || handle->ChildCount() != moving.size() ||
        moving.first()->x() != startX + (step % 2)) {
        std::fprintf(stderr, "design_bench: the arrow key moved %d of %d elements wrongly\n", int(handle->ChildCount()),
                     int(moving.size()));
        return 1;
    }

    // 3. Undo: taking the snapshot of the whole report, and undoing one arrow step.
    f.Designer->SetUndoEnabled(true);
    const double snapshotMs = BestMs(rounds, [&] { f.Designer->SaveUndoData(); });
    double undoMs = 0;
    for (int round = 0; round < rounds; ++round) {
        f.Designer->SaveUndoData();
        const double t = TimedMs([&] { f.Designer->DoUndo(); });
        undoMs = round == 0 ? t : qMin(undoMs, t);
    }
    if (f.Designer->CanUndo() || BandsOf(f.Report).size() != kBands) {
        std::fprintf(stderr, "design_bench: undo did not restore the report\n");
        return 1;
    }

    // 4. Copying all 20 bands with their 2,000 elements, and pasting them into a fresh designer.
    auto selectAllBands = [&](TDesignerForm &form) {
        form.Designer->SelectElement(true, nullptr);
        for (QWidget *b : BandsOf(form.Report)) form.Designer->Handle()->AttachWithoutEvents(b);
    };
    selectAllBands(f);
    const double copyMs = BestMs(rounds, [&] { f.Designer->CopyToVDMClipboard(); });
    double pasteMs = 0;
    int pastedBands = 0;
    for (int round = 0; round < rounds; ++round) {
        TDesignerForm target;
        TMemoryStream again(bytes);
        if (!target.Designer->LoadReport_FromStream(again)) return 1;
        target.Designer->SelectElement(true, nullptr);
        const double t = TimedMs([&] { target.Designer->PasteFromVDMClipboard(); });
        pasteMs = round == 0 ? t : qMin(pasteMs, t);
        pastedBands = int(BandsOf(target.Report).size()) - kBands;
    }
    if (pastedBands != kBands) {
        std::fprintf(stderr, "design_bench: the paste gave %d bands, not %d\n", pastedBands, kBands);
        return 1;
    }

    // The baseline: moving as many plain widgets one pixel with repaint.
    QWidget plain;
    plain.resize(1000, 600);
    QList<QWidget *> widgets;
    for (int i = 0; i < moving.size(); ++i) {
        auto *w = new QWidget(&plain);
        w->setAutoFillBackground(true);
        w->setGeometry((i % 10) * 70, (i / 10) * 20, 65, 18);
        widgets << w;
    }
    plain.show();
    int plainStep = 0;
    const double plainMs = BestMs(rounds, [&] {
        const int dx = plainStep++ % 2 == 0 ? 1 : -1;
        for (QWidget *w : widgets) w->move(w->x() + dx, w->y());
    });

    std::printf("bench design_plain_move: %.2f ms (baseline: moving %d plain widgets one pixel with repaint; "
                "processor time, best of %d)\n",
                plainMs, int(widgets.size()), rounds);
    const struct {
        const char *name;
        const char *what;
        double ms;
    } figures[] = {{"design_rubber_band_select", "selecting the 100 elements of one band by rubber band", rubberMs},
                   {"design_arrow_move_200", "one arrow-key move of 200 selected elements", arrowMs}};
    for (const auto &fig : figures) {
        std::printf("bench %s: %.2f ms (%s; processor time with repaint, best of %d)\n", fig.name, fig.ms, fig.what,
                    rounds);
        std::printf("bench %s: ratio %.2f vs frame_33ms (limit 1.00)\n", fig.name, fig.ms / kFrameMs);
        std::printf("bench %s: ratio %.2f vs design_plain_move\n", fig.name, plainMs > 0 ? fig.ms / plainMs : 0.0);
    }
    // Whole-report operations: a snapshot and a copy within a frame; undo and paste rebuild
    // thousands of widgets and may take three.
    const struct {
        const char *name;
        const char *what;
        double ms;
        double limit;
    } whole[] = {{"design_undo_snapshot", "taking the undo snapshot of the 2,000-element report", snapshotMs, 1.0},
                 {"design_undo", "undoing one step of the 2,000-element report", undoMs, 3.0},
                 {"design_copy_all", "copying all 20 bands with their 2,000 elements", copyMs, 1.0},
                 {"design_paste_all", "pasting 20 bands with their 2,000 elements", pasteMs, 3.0}};
    for (const auto &fig : whole) {
        std::printf("bench %s: %.2f ms (%s; processor time with repaint, best of %d)\n", fig.name, fig.ms, fig.what,
                    rounds);
        std::printf("bench %s: ratio %.2f vs frame_33ms (limit %.2f)\n", fig.name, fig.ms / kFrameMs, fig.limit);
    }
    SetInteraction(nullptr);
    return 0;
}
