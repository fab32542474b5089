#pragma once
// A preview run whose pages can be shown while it goes on. The report prints into pictures;
// after each finished page the run announces the pages so far and lets the application handle
// its events, so that a window shows page 1 at once, turns pages and zooms while the rest is
// laid out, and can stop the run. A failure midway ends the run with the pages made so far.
#include <QList>
#include <QObject>
#include <QPicture>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <memory>

class TReport;

class TRepPreviewRun : public QObject {
    Q_OBJECT
public:
    explicit TRepPreviewRun(TReport *report, QObject *parent = nullptr);
    ~TRepPreviewRun() override;

    // Runs the report to its end, or until Stop() or a failure; false when the run was declined
    // before it started (PreparePrint, a before-print handler) and has no pages.
    bool Run();
    // Ends the run after the page being made.
    void Stop() { FStopRequested = true; }

    bool Running() const { return FRunning; }
    bool Finished() const { return FFinished; }   // ran to the end of the report
    bool Stopped() const { return FStopped; }     // ended by Stop()
    // The message of the failure that ended the run early; empty otherwise.
    QString Error() const { return FError; }

    // The finished pages so far.
    const QList<std::shared_ptr<QPicture>> &Pages() const { return FPages; }
    int PageCount() const { return int(FPages.size()); }
    QSizeF PaperMM() const { return FPaperMM; }

signals:
    // A page was finished; count pages are there now.
    void PagesChanged(int count);

private:
    class TSink;
    friend class TSink;
    void PageFinished(const std::shared_ptr<QPicture> &page);

    QPointer<TReport> FReport;
    QList<std::shared_ptr<QPicture>> FPages;
    QSizeF FPaperMM;
    bool FRunning = false, FFinished = false, FStopped = false, FStopRequested = false;
    QString FError;
};
