#include "reportlib/rep_preview_run.h"

#include "reportlib/rep_preview_sink.h"
#include "reportlib/report.h"

#include <QCoreApplication>
#include <exception>

namespace {

// Thrown from the sink to end a run that was asked to stop; the engine closes the document and
// passes it on.
struct TRunStopped : std::exception {
    const char *what() const noexcept override { return "the preview run was stopped"; }
};

}  // namespace

// Records pages as the preview does and hands each finished one to the run.
class TRepPreviewRun::TSink : public TRepExportFilter {
public:
    explicit TSink(TRepPreviewRun &run) : FRun(run) {}
    bool Began() const { return FBegan; }

    double Resolution() const override { return FPictures.Resolution(); }
    void BeginDocument(const TRepPaper &paper, const QString &title) override {
        FBegan = true;
        FRun.FPaperMM = paper.MM;
        FPictures.BeginDocument(paper, title);
    }
    QPainter *BeginPage(int pageNumber) override {
        FPageOpen = true;
        return FPictures.BeginPage(pageNumber);
    }
    // A run that stops or fails ends the page being made once more; it counts once.
    void EndPage() override {
        if (!FPageOpen) return;
        FPageOpen = false;
        FPictures.EndPage();
        FRun.PageFinished(FPictures.Pages().last());
    }
    void EndDocument() override { FPictures.EndDocument(); }
    void AbortDocument() override { FPictures.AbortDocument(); }

private:
    TRepPreviewRun &FRun;
    TRepPreviewSink FPictures;
    bool FBegan = false;
    bool FPageOpen = false;
};

TRepPreviewRun::TRepPreviewRun(TReport *report, QObject *parent) : QObject(parent), FReport(report) {}

TRepPreviewRun::~TRepPreviewRun() = default;

bool TRepPreviewRun::Run() {
    if (!FReport || FRunning) return false;
    FPages.clear();
    FFinished = FStopped = FStopRequested = false;
    FError.clear();
    FRunning = true;
    TSink sink(*this);
    try {
        FReport->ExportToFilter(sink);
        FFinished = sink.Began();
    } catch (const TRunStopped &) {
        FStopped = true;
    } catch (const std::exception &e) {
        // The pages made before the failure stay.
        FError = QString::fromUtf8(e.what());
    }
    FRunning = false;
    emit PagesChanged(PageCount());
    return sink.Began();
}

void TRepPreviewRun::PageFinished(const std::shared_ptr<QPicture> &page) {
    FPages.append(page);
    emit PagesChanged(PageCount());
    // The window paints the page and takes the user's clicks and keys between pages.
    QCoreApplication::processEvents();
    if (FStopRequested) throw TRunStopped();
}
