#include "reportlib/rep_preview_window.h"

#include "reportlib/rep_preview_sink.h"
#include "reportlib/report.h"

#include "host/interaction.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

// The paper of one preview page.
class TRepPreviewPage : public QWidget {
public:
    explicit TRepPreviewPage(QWidget *parent) : QWidget(parent) {}
    std::shared_ptr<QPicture> Page;
    QSizeF PaperMM;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (Page) RepPlayPreviewPage(painter, *Page, PaperMM, QRectF(rect()));
    }
};

TRepPreviewWindow::TRepPreviewWindow(TReport *report, QWidget *parent) : QWidget(parent, Qt::Window), FReport(report) {
    setWindowTitle(report && !report->ReportTitle().isEmpty() ? report->ReportTitle() : tr("Preview"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto button = [&](const QString &text, auto slot) {
        auto *b = new QToolButton(this);
        b->setText(text);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button(tr("First"), [this] { SetCurrentPage(1); });
    button(tr("Prior"), [this] { SetCurrentPage(FPage - 1); });
    button(tr("Next"), [this] { SetCurrentPage(FPage + 1); });
    button(tr("Last"), [this] { SetCurrentPage(PageCount()); });
    FZoomBox = new QComboBox(this);
    for (int z : {50, 75, 100, 150, 200}) FZoomBox->addItem(QStringLiteral("%1%").arg(z), z);
    FZoomBox->setCurrentIndex(2);
    connect(FZoomBox, &QComboBox::activated, this, [this](int i) { SetZoom(FZoomBox->itemData(i).toInt()); });
    bar->addWidget(FZoomBox);
    button(tr("Print"), [this] {
        if (!FReport) return;
        try {
            FReport->Print();
        } catch (const std::exception &e) {
            Interaction().ShowError(QString::fromUtf8(e.what()));
        }
    });
    button(tr("Save PDF"), [this] { SaveAsPdf(); });
    button(tr("Close"), [this] { close(); });
    bar->addStretch();
    FStatus = new QLabel(this);
    bar->addWidget(FStatus);
    layout->addLayout(bar);
    FScroll = new QScrollArea(this);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setBackgroundRole(QPalette::Dark);
    FView = new TRepPreviewPage(FScroll);
    FScroll->setWidget(FView);
    layout->addWidget(FScroll);
    resize(900, 1000);
    UpdateView();
}

int TRepPreviewWindow::PageCount() const { return FReport ? int(FReport->PreviewPages().size()) : 0; }

void TRepPreviewWindow::SetCurrentPage(int page) {
    FPage = qBound(1, page, qMax(1, PageCount()));
    UpdateView();
}

void TRepPreviewWindow::SetZoom(int percent) {
    FZoom = qBound(10, percent, 400);
    UpdateView();
}

void TRepPreviewWindow::UpdateView() {
    const int count = PageCount();
    if (!FReport || count == 0) {
        FView->Page.reset();
        FStatus->setText(tr("No pages"));
        return;
    }
    FView->Page = FReport->PreviewPages().value(FPage - 1);
    FView->PaperMM = FReport->PreviewPaperMM();
    const double scale = RepScreenPPI / RepMMPerInch * FZoom / 100.0;
    FView->resize(int(std::lround(FView->PaperMM.width() * scale)), int(std::lround(FView->PaperMM.height() * scale)));
    FView->update();
    FStatus->setText(tr("Page %1 of %2").arg(FPage).arg(count));
}

void TRepPreviewWindow::SaveAsPdf() {
    if (!FReport) return;
    TFileDialogOptions options;
    options.Title = tr("Save as PDF");
    options.Filter = QStringLiteral("PDF (*.pdf)");
    options.DefaultExt = QStringLiteral("pdf");
    QString file;
    if (!Interaction().SaveFileName(options, file)) return;
    try {
        FReport->ExportToPdf(file);
    } catch (const std::exception &e) {
        Interaction().ShowError(QString::fromUtf8(e.what()));
    }
}
