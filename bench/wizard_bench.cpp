// The query wizard and the report expert under load:
//   - the wizard's preview page over a 1,000,000-row SQLite table: the time until its first
//     rows are on screen (budget 200 ms of elapsed time), against reading and showing the same
//     first rows with a plain QSqlQuery and a QTableWidget;
//   - scrolling that preview to its last row: the peak memory it needs, against the memory a
//     dataset that holds every row needs for the same table, and the time to jump back to the
//     middle (rows let go are read again from the start);
//   - generating a list report with 30 fields in the expert's layout (budget 100 ms of
//     processor time), best of the rounds.
//
// Usage: wizard_bench [rounds] (default 5)
#include "list_workload.h"

#include "data/dataset_item_model.h"
#include "data/wiz_query_edit_form.h"
#include "design/designer.h"
#include "dialogs/report_expert_layout.h"
#include "dblib/query.h"
#include "dblib/wiz_query.h"
#include "host/font.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "host/text_controls.h"
#include "model/datasource_lookup.h"
#include "model/design_report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>

using namespace ListWorkload;

namespace {

constexpr int kRows = 1000000;
constexpr double kPreviewBudgetMs = 200;
constexpr double kExpertBudgetMs = 100;
constexpr int kFields = 30;

// Elapsed milliseconds of f and the events it causes (painting included).
template <class F>
double ElapsedMs(F &&f) {
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    f();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

// The baseline: the first rows read with a plain query into a table widget that is shown.
double BaselineFirstRows(const QString &file, int rows) {
    double ms = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_baseline"));
        db.setDatabaseName(file);
        db.open();
        QTableWidget table;
        table.resize(800, 500);
        table.show();
        ms = ElapsedMs([&] {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT * FROM orders"));
            const int columns = q.record().count();
            table.setColumnCount(columns);
            table.setRowCount(rows);
            for (int r = 0; r < rows && q.next(); ++r)
                for (int c = 0; c < columns; ++c) table.setItem(r, c, new QTableWidgetItem(q.value(c).toString()));
        });
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_baseline"));
    return ms;
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TConsoleInteraction console(QStringLiteral("wizard_bench"));
    SetInteraction(&console);
    const int rounds = argc > 1 ? qBound(1, QString::fromLocal8Bit(argv[1]).toInt(), 50) : 5;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("orders.sqlite"));
    CreateTable(file, kRows);

    // ---- the preview's first rows -------------------------------------------------------
    TForm owner;
    auto *query = new TWizQuery(&owner);
    query->SetName(QStringLiteral("Orders"));
    query->SetDatabaseName(file);
    query->SetTableName(QStringLiteral("orders"));
    double first = 1e9;
    const double baseMB = ResidentMB();
    double peakMB = baseMB;
    int counted = 0;
    {
        TWizQueryEditForm form;
        form.GetSettingsFromQuery(query);
        form.SetVisiblePages(true, true, true, true, true);
        form.resize(800, 500);
        form.show();
        QCoreApplication::processEvents();
        const int preview = form.PageIndex(TWizQueryEditForm::wpPreview);
        for (int round = 0; round < rounds; ++round) {
            form.ShowPage(0);
            first = qMin(first, ElapsedMs([&] { form.ShowPage(preview); }));
        }
        const int visible = form.PreviewGrid->verticalHeader()->visualIndexAt(form.PreviewGrid->viewport()->height() - 1) + 1;
        const double baseline = BaselineFirstRows(file, qMax(visible, 1) + 1);
        std::printf("bench wizard_preview_first_rows: %.1f ms\n", first);
        std::printf("bench wizard_preview_first_rows: ratio %.2f vs %.0f ms budget\n", first / kPreviewBudgetMs,
                    kPreviewBudgetMs);
        std::printf("bench wizard_preview_first_rows: ratio %.2f vs plain query into a table widget (%.1f ms)\n",
                    first / qMax(baseline, 0.01), baseline);

        // ---- scrolling to the end -------------------------------------------------------
        TDatasetItemModel *model = form.PreviewModel();
        QElapsedTimer timer;
        timer.start();
        int steps = 0;
        while (model->canFetchMore(QModelIndex())) {
            model->fetchMore(QModelIndex());
            if (++steps % 64 == 0) {
                form.PreviewGrid->scrollToBottom();
                QCoreApplication::processEvents();
                peakMB = qMax(peakMB, ResidentMB());
            }
        }
        form.PreviewGrid->scrollToBottom();
        QCoreApplication::processEvents();
        peakMB = qMax(peakMB, ResidentMB());
        counted = model->RowsKnown();
        std::printf("bench wizard_preview_scroll_end: %.0f ms for %d rows\n", timer.nsecsElapsed() / 1e6, counted);
        // Back to the middle: the stream is read again from its start up to there.
        const double middle = ElapsedMs([&] {
            form.PreviewGrid->scrollTo(model->index(counted / 2, 0), QAbstractItemView::PositionAtTop);
        });
        std::printf("bench wizard_preview_jump_back_to_middle: %.0f ms\n", middle);
    }
    std::printf("bench wizard_preview_scroll_end_peak_memory: %.1f MB above the start\n", peakMB - baseMB);
    double holdAllMB = 0;
    {
        const double before = ResidentMB();
        TQuery all;
        all.SetDatabaseName(file);
        all.SQL()->SetText(QStringLiteral("SELECT * FROM orders"));
        all.Open();
        holdAllMB = ResidentMB() - before;
    }
    std::printf("bench wizard_preview_scroll_end_peak_memory: ratio %.2f vs a dataset holding every row (%.1f MB)\n",
                (peakMB - baseMB) / qMax(holdAllMB, 0.1), holdAllMB);
    if (counted != kRows) std::printf("bench wizard_preview_rows_counted: %d of %d\n", counted, kRows);

    // ---- the expert's list report with 30 fields ----------------------------------------
    TForm form;
    auto *report = new TDesignReport(&form);
    auto *designer = new TVDMDesigner(&form);
    designer->SetReport(report);
    QStringList columns, fields;
    for (int i = 1; i <= kFields; ++i) {
        columns << QStringLiteral("amount AS f%1").arg(i);
        fields << QStringLiteral("f%1").arg(i);
    }
    auto *wide = new TQuery(&form);
    wide->SetName(QStringLiteral("Wide"));
    wide->SetDatabaseName(file);
    wide->SQL()->SetText(QStringLiteral("SELECT %1 FROM orders LIMIT 1").arg(columns.join(QStringLiteral(", "))));
    wide->Open();
    TFont data, label;
    label.SetStyle(fsBold);
    TExpertLayout layout;
    layout.TitleText = QStringLiteral("Wide list");
    layout.DataFont = &data;
    layout.LabelFont = &label;
    layout.PageFooter = layout.Summary = true;
    layout.HorizontalLines = layout.VerticalLines = layout.BoxLines = true;
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        ClearReportForm(&form, false);
        QCoreApplication::processEvents();
        best = qMin(best, Seconds([&] { CreateListReport(designer, wide, fields, layout); }) * 1000);
    }
    std::printf("bench expert_list_30_fields: %.2f ms\n", best);
    std::printf("bench expert_list_30_fields: ratio %.2f vs %.0f ms budget\n", best / kExpertBudgetMs, kExpertBudgetMs);
    return 0;
}
