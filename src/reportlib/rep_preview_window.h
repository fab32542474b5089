#pragma once
// The preview window: shows the pages of a report's last preview run one at a time, or of a run
// of its own while that run goes on (RunReport), with page navigation (buttons, a page number field, PgUp/PgDn/Home/End), the page count, zoom modes
// (whole page, page width, a percentage; + and - step it), printing and saving as PDF. It is a
// modal form run through Interaction().ExecDialog, and every question it asks (printer setup,
// file name, errors) goes through the interaction service too.
#include <QDialog>
#include <QPicture>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QScrollArea;
class QComboBox;
class QSpinBox;
class QToolButton;
class TReport;
class TRepPreviewPage;
class TRepPreviewRun;

class TRepPreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum TZoomMode { zmPercent, zmWholePage, zmPageWidth };
    static constexpr int MinZoom = 10;
    static constexpr int MaxZoom = 400;

    explicit TRepPreviewWindow(TReport *report, QWidget *parent = nullptr);
    ~TRepPreviewWindow() override;

    // Runs the report into the window: the window opens with the first finished page and shows
    // the pages as they come; navigation and zoom work meanwhile, and closing the window stops
    // the run. A failure midway is reported and the pages so far stay. Returns when the run has
    // ended; false when it was declined before it started (nothing was shown then).
    bool RunReport();
    bool Running() const;
    // The pages of the window's own run (empty when it shows the report's last preview run).
    QList<std::shared_ptr<QPicture>> RunPages() const;

    int CurrentPage() const { return FPage; }
    void SetCurrentPage(int page);
    int PageCount() const;
    // Zoom in percent of the paper's real size at 96 pixels per inch; in the fitting modes the
    // percentage that fits the page into the visible area.
    int Zoom() const { return FZoom; }
    void SetZoom(int percent);  // switches to zmPercent
    TZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TZoomMode mode);
    void ZoomIn();   // the next larger of the preset steps
    void ZoomOut();  // the next smaller one

    // Asks for the printer (Interaction().PrinterSetup) and prints the report on it with the page
    // range and copies chosen there. The Print button uses the system's default printer.
    void Print(QPrinter &printer);
    // Asks for a file name and exports the report as PDF; false when cancelled or failed.
    bool SaveAsPdf();

    // The widgets, for the toolbar and for tests that drive the window.
    QToolButton *Button(const QString &name) const;  // "First", "Prior", "Next", "Last", "ZoomIn",
                                                     // "ZoomOut", "Print", "SavePdf", "Close"
    QSpinBox *PageField() const { return FPageField; }
    QComboBox *ZoomBox() const { return FZoomBox; }
    QLabel *StatusLabel() const { return FStatus; }
    QWidget *PageWidget() const;
    QScrollArea *ScrollArea() const { return FScroll; }

signals:
    // The window's own run finished a page (count pages now) or ended.
    void PagesChanged(int count);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool HandleKey(QKeyEvent *event);
    void UpdateView();
    void UpdateZoomBox();
    int FittingZoom() const;
    QSizeF PaperMM() const;
    // Print and save run the report again, so during a run they wait for its end.
    void WhenRunEnded(std::function<void()> action);

    QPointer<TReport> FReport;
    std::unique_ptr<TRepPreviewRun> FRun;
    std::function<void()> FAfterRun;
    TRepPreviewPage *FView;
    QScrollArea *FScroll;
    QLabel *FStatus;
    QSpinBox *FPageField;
    QComboBox *FZoomBox;
    int FPage = 1;
    int FZoom = 100;
    TZoomMode FZoomMode = zmPercent;
    bool FUpdating = false;
};
