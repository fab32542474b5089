// The preview window running the report itself: page 1 is on the screen while the run goes on,
// the page count grows, navigation and zoom work meanwhile, Close stops the run, a failure
// midway keeps the pages so far, and print or save wait for the run's end. Observed from inside
// the run, through a band's before-print event, headless.
#include "report_fixture.h"

#include "reportlib/rep_preview_window.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

#include "host/exceptions.h"
#include "host/interaction.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The Qt service, so that the preview opens as for a user, with its dialogs answered here.
class TLiveInteraction : public TQtInteraction {
public:
    TLiveInteraction() : FPrevious(SetInteraction(this)) {}
    ~TLiveInteraction() override { SetInteraction(FPrevious); }

    QStringList Errors;
    int Dialogs = 0;
    std::function<void(TRepPreviewWindow &)> OnDialog;
    std::function<bool(QString &)> OnSaveName;

    void ShowError(const QString &text, const QString &) override { Errors << text; }
    int ExecDialog(QDialog &dialog) override {
        ++Dialogs;
        if (auto *w = qobject_cast<TRepPreviewWindow *>(&dialog); w && OnDialog) OnDialog(*w);
        return QDialog::Accepted;
    }
    bool SaveFileName(const TFileDialogOptions &, QString &fileName) override {
        return OnSaveName && OnSaveName(fileName);
    }

private:
    TInteraction *FPrevious;
};

TRepPreviewWindow *OpenPreview() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<TRepPreviewWindow *>(w); preview && preview->isVisible()) return preview;
    return nullptr;
}

// A report of n pages (one full-page detail band each); onPage runs when the detail band of a
// page is about to print, with the preview window if it is open.
void MakeReport(TReportFixture &fx, int pages, std::function<void(int page, TRepPreviewWindow *)> onPage) {
    TQuery *q = fx.Query("Numbers", CreateSalesDatabase(fx.Path(QString())),
                         QStringLiteral("SELECT id FROM customers WHERE id <= %1 ORDER BY id").arg(pages));
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 200);
    fx.Add<TRepShape>(detail, 0, 0, 190, 200)->SetShape(TRepShape::stRectangle);
    auto *number = fx.Add<TRepSysData>(fx.Band(rbPageFooter, 10), 0);
    number->SetData(TRepSysData::sdPageNumber);
    number->SetText("Page ");
    TReport *report = fx.Report();
    detail->SetBeforePrint(TMethod::FromFunction<QObject *, bool &>(
        std::function<void(QObject *, bool &)>([report, onPage](QObject *, bool &) {
            onPage(report->PageNumber(), OpenPreview());
        }),
        report));
}

int DarkPixels(QWidget *w) {
    const QImage image = w->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (qGray(image.pixel(x, y)) < 100) ++dark;
    return dark;
}

TEST(RepPreviewRun, ShowsPageOneWhileTheRunGoesOnAndNavigatesMeanwhile) {
    TReportFixture fx;
    TLiveInteraction live;
    QStringList seen;
    int darkOnPageOne = 0;
    bool runningThen = false;
    // A band's before-print event comes before the page ahead of it is finished: when page p
    // starts, p - 2 pages are done.
    MakeReport(fx, 5, [&](int page, TRepPreviewWindow *w) {
        if (page <= 2) {
            EXPECT_EQ(w, nullptr) << "the window opens with its first page";
            return;
        }
        ASSERT_NE(w, nullptr);
        seen << w->StatusLabel()->text();
        if (page == 3) {
            runningThen = w->Running();
            darkOnPageOne = DarkPixels(w->PageWidget());
        }
        if (page == 4) {
            QTest::mouseClick(w->Button("Next"), Qt::LeftButton);
            seen << w->StatusLabel()->text();
            const int zoom = w->Zoom();
            QTest::mouseClick(w->Button("ZoomIn"), Qt::LeftButton);
            EXPECT_GT(w->Zoom(), zoom);
        }
    });
    QString finalStatus;
    live.OnDialog = [&](TRepPreviewWindow &w) {
        EXPECT_FALSE(w.Running());
        finalStatus = w.StatusLabel()->text();
    };
    fx.Report()->Preview();
    EXPECT_TRUE(runningThen);
    EXPECT_GT(darkOnPageOne, 50) << "page 1 is painted while the next pages are laid out";
    EXPECT_EQ(seen, QStringList({"Page 1 of 1 so far", "Page 1 of 2 so far", "Page 2 of 2 so far",
                                 "Page 2 of 3 so far"}));
    EXPECT_EQ(live.Dialogs, 1);
    EXPECT_EQ(finalStatus, "Page 2 of 5");
    EXPECT_EQ(fx.Report()->PreviewPages().size(), 5);
    EXPECT_TRUE(live.Errors.isEmpty());
}

TEST(RepPreviewRun, CloseStopsTheRunAndKeepsThePagesSoFar) {
    TReportFixture fx;
    TLiveInteraction live;
    int lastPage = 0;
    MakeReport(fx, 8, [&](int page, TRepPreviewWindow *w) {
        lastPage = page;
        if (page == 4 && w) QTest::mouseClick(w->Button("Close"), Qt::LeftButton);
    });
    fx.Report()->Preview();
    EXPECT_EQ(lastPage, 4) << "the run ends with the page it was making";
    EXPECT_EQ(live.Dialogs, 0) << "a closed window does not open again";
    EXPECT_EQ(fx.Report()->PreviewPages().size(), 3);
    EXPECT_EQ(OpenPreview(), nullptr);
    EXPECT_TRUE(live.Errors.isEmpty());
}

TEST(RepPreviewRun, AFailureMidwayIsReportedAndThePagesSoFarStay) {
    TReportFixture fx;
    TLiveInteraction live;
    MakeReport(fx, 8, [&](int page, TRepPreviewWindow *) {
        if (page == 4) throw EReadError(QStringLiteral("The connection was lost"));
    });
    int pages = 0;
    QString status;
    live.OnDialog = [&](TRepPreviewWindow &w) {
        pages = w.PageCount();
        w.SetCurrentPage(3);
        status = w.StatusLabel()->text();
    };
    fx.Report()->Preview();
    EXPECT_EQ(live.Errors, QStringList({"The connection was lost"}));
    EXPECT_EQ(live.Dialogs, 1) << "the window stays open with the pages so far";
    EXPECT_GE(pages, 3);
    EXPECT_TRUE(status.startsWith(QStringLiteral("Page 3 of "))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("failed"))) << status.toStdString();
}

TEST(RepPreviewRun, SaveDuringTheRunWaitsForItsEnd) {
    TReportFixture fx;
    TLiveInteraction live;
    TRepPreviewWindow *window = nullptr;
    MakeReport(fx, 4, [&](int page, TRepPreviewWindow *w) {
        if (page == 3 && w) {
            window = w;
            QTest::mouseClick(w->Button("SavePdf"), Qt::LeftButton);
            EXPECT_FALSE(w->Button("SavePdf")->isEnabled()) << "one save waits; a second is not offered";
        }
    });
    const QString file = fx.Path("saved.pdf");
    int pagesWhenAsked = 0;
    bool runningWhenAsked = true;
    live.OnSaveName = [&](QString &name) {
        pagesWhenAsked = window ? window->PageCount() : 0;
        runningWhenAsked = window && window->Running();
        name = file;
        return true;
    };
    fx.Report()->Preview();
    EXPECT_FALSE(runningWhenAsked);
    EXPECT_EQ(pagesWhenAsked, 4);
    EXPECT_EQ(PdfPages(file).size(), 4);
}

}  // namespace
