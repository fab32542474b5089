#pragma once
// The preview window: shows the pages of a report's last preview run one at a time, with page
// navigation, zoom, printing and saving as PDF.
#include <QPointer>
#include <QWidget>

class QLabel;
class QScrollArea;
class QComboBox;
class TReport;
class TRepPreviewPage;

class TRepPreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit TRepPreviewWindow(TReport *report, QWidget *parent = nullptr);

    int CurrentPage() const { return FPage; }
    void SetCurrentPage(int page);
    int PageCount() const;
    // Zoom in percent of the paper's real size at 96 pixels per inch.
    int Zoom() const { return FZoom; }
    void SetZoom(int percent);

private:
    void UpdateView();
    void SaveAsPdf();

    QPointer<TReport> FReport;
    TRepPreviewPage *FView;
    QScrollArea *FScroll;
    QLabel *FStatus;
    QComboBox *FZoomBox;
    int FPage = 1;
    int FZoom = 100;
};
