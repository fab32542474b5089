#pragma once
// The preview window: shows the pages of a report's last preview run one at a time, with page
// navigation (buttons, a page number field, PgUp/PgDn/Home/End), the page count, zoom modes
// (whole page, page width, a percentage; + and - step it), printing and saving as PDF. It is a
// modal form run through Interaction().ExecDialog, and every question it asks (printer setup,
// file name, errors) goes through the interaction service too.
#include <QDialog>
#include <QPointer>

class QLabel;
class QPrinter;
class QScrollArea;
class QComboBox;
class QSpinBox;
class QToolButton;
class TReport;
class TRepPreviewPage;

class TRepPreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum TZoomMode { zmPercent, zmWholePage, zmPageWidth };
    static constexpr int MinZoom = 10;
    static constexpr int MaxZoom = 400;

    explicit TRepPreviewWindow(TReport *report, QWidget *parent = nullptr);

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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool HandleKey(QKeyEvent *event);
    void UpdateView();
    void UpdateZoomBox();
    int FittingZoom() const;

    QPointer<TReport> FReport;
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
