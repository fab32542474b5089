#include "reportlib/rep_preview_window.h"

#include "reportlib/rep_preview_run.h"
#include "reportlib/rep_preview_sink.h"
#include "reportlib/rep_printer_sink.h"
#include "reportlib/report.h"

#include "host/interaction.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Zoom steps of the zoom box and of zooming in and out.
constexpr int ZoomSteps[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};
// Room left round the page in the fitting zoom modes.
constexpr int FitMargin = 8;

// Puts the page range and copies chosen in a printer dialog into the report's printer
// settings for one print run, and puts the report's own back afterwards.
class TPrintRangeGuard {
public:
    TPrintRangeGuard(TRepPrinterSettings *settings, const QPrinter &printer)
        : FSettings(settings), FFirst(settings->FirstPage()), FLast(settings->LastPage()),
          FCopies(settings->Copies()) {
        const bool range = printer.printRange() == QPrinter::PageRange;
        settings->SetFirstPage(range ? printer.fromPage() : 0);
        settings->SetLastPage(range ? printer.toPage() : 0);
        settings->SetCopies(qMax(1, printer.copyCount()));
    }
    ~TPrintRangeGuard() {
        FSettings->SetFirstPage(FFirst);
        FSettings->SetLastPage(FLast);
        FSettings->SetCopies(FCopies);
    }

private:
    TRepPrinterSettings *FSettings;
    int FFirst, FLast, FCopies;
};

}  // namespace

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

TRepPreviewWindow::TRepPreviewWindow(TReport *report, QWidget *parent) : QDialog(parent), FReport(report) {
    setWindowTitle(report && !report->ReportTitle().isEmpty() ? report->ReportTitle() : tr("Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto button = [&](const QString &name, const QString &text, auto slot) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setFocusPolicy(Qt::NoFocus);   // keys stay with the page view
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    button(QStringLiteral("First"), tr("First"), [this] { SetCurrentPage(1); });
    button(QStringLiteral("Prior"), tr("Prior"), [this] { SetCurrentPage(FPage - 1); });
    FPageField = new QSpinBox(this);
    FPageField->setObjectName(QStringLiteral("PageNumber"));
    FPageField->setRange(1, 1);
    FPageField->setKeyboardTracking(false);
    connect(FPageField, &QSpinBox::valueChanged, this, [this](int page) {
        if (!FUpdating) SetCurrentPage(page);
    });
    bar->addWidget(FPageField);
    button(QStringLiteral("Next"), tr("Next"), [this] { SetCurrentPage(FPage + 1); });
    button(QStringLiteral("Last"), tr("Last"), [this] { SetCurrentPage(PageCount()); });

    FZoomBox = new QComboBox(this);
    FZoomBox->setObjectName(QStringLiteral("Zoom"));
    FZoomBox->addItem(tr("Whole page"), -int(zmWholePage));
    FZoomBox->addItem(tr("Page width"), -int(zmPageWidth));
    for (int z : ZoomSteps) FZoomBox->addItem(QStringLiteral("%1%").arg(z), z);
    connect(FZoomBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (FUpdating || i < 0) return;
        const int data = FZoomBox->itemData(i).toInt();
        if (data > 0)
            SetZoom(data);
        else
            SetZoomMode(TZoomMode(-data));
    });
    bar->addWidget(FZoomBox);
    button(QStringLiteral("ZoomOut"), tr("Zoom out"), [this] { ZoomOut(); });
    button(QStringLiteral("ZoomIn"), tr("Zoom in"), [this] { ZoomIn(); });
    button(QStringLiteral("Print"), tr("Print"), [this] {
        WhenRunEnded([this] {
            QPrinter printer(QPrinter::HighResolution);
            Print(printer);
        });
    });
    button(QStringLiteral("SavePdf"), tr("Save as PDF"), [this] { WhenRunEnded([this] { SaveAsPdf(); }); });
    button(QStringLiteral("Close"), tr("Close"), [this] {
        if (FRun) FRun->Stop();
        accept();
    });
    bar->addStretch();
    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("PageCount"));
    bar->addWidget(FStatus);
    layout->addLayout(bar);

    FScroll = new QScrollArea(this);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setBackgroundRole(QPalette::Dark);
    FScroll->setFocusPolicy(Qt::StrongFocus);
    FScroll->installEventFilter(this);
    FView = new TRepPreviewPage(FScroll);
    FScroll->setWidget(FView);
    layout->addWidget(FScroll);
    FScroll->setFocus();
    resize(900, 1000);
    UpdateView();
}

TRepPreviewWindow::~TRepPreviewWindow() = default;

bool TRepPreviewWindow::RunReport() {
    if (!FReport || Running()) return false;
    FRun = std::make_unique<TRepPreviewRun>(FReport);
    connect(FRun.get(), &TRepPreviewRun::PagesChanged, this, [this](int count) {
        // The window opens with the first page, and only then: once closed it stays closed.
        if (count == 1 && FRun->Running() && !isVisible()) show();
        UpdateView();
        emit PagesChanged(count);
    });
    FPage = 1;
    const bool ran = FRun->Run();
    UpdateView();
    if (!FRun->Error().isEmpty()) Interaction().ShowError(FRun->Error());
    if (FAfterRun && isVisible()) {
        const std::function<void()> action = std::move(FAfterRun);
        FAfterRun = nullptr;
        action();
    }
    return ran;
}

bool TRepPreviewWindow::Running() const { return FRun && FRun->Running(); }

QList<std::shared_ptr<QPicture>> TRepPreviewWindow::RunPages() const {
    return FRun ? FRun->Pages() : QList<std::shared_ptr<QPicture>>();
}

void TRepPreviewWindow::WhenRunEnded(std::function<void()> action) {
    if (!Running()) {
        action();
        return;
    }
    FAfterRun = std::move(action);
    UpdateView();
}

void TRepPreviewWindow::reject() {
    if (FRun) FRun->Stop();
    QDialog::reject();
}

QSizeF TRepPreviewWindow::PaperMM() const {
    if (FRun) return FRun->PaperMM();
    return FReport ? FReport->PreviewPaperMM() : QSizeF();
}

QToolButton *TRepPreviewWindow::Button(const QString &name) const {
    return findChild<QToolButton *>(name, Qt::FindDirectChildrenOnly);
}

QWidget *TRepPreviewWindow::PageWidget() const { return FView; }

int TRepPreviewWindow::PageCount() const {
    if (FRun) return FRun->PageCount();
    return FReport ? int(FReport->PreviewPages().size()) : 0;
}

void TRepPreviewWindow::SetCurrentPage(int page) {
    const int old = FPage;
    FPage = qBound(1, page, qMax(1, PageCount()));
    UpdateView();
    if (FPage != old) FScroll->verticalScrollBar()->setValue(0);   // a new page starts at its top
}

void TRepPreviewWindow::SetZoom(int percent) {
    FZoomMode = zmPercent;
    FZoom = qBound(MinZoom, percent, MaxZoom);
    UpdateView();
}

void TRepPreviewWindow::SetZoomMode(TZoomMode mode) {
    FZoomMode = mode;
    UpdateView();
}

void TRepPreviewWindow::ZoomIn() {
    for (int z : ZoomSteps)
        if (z > FZoom) return SetZoom(z);
    SetZoom(MaxZoom);
}

void TRepPreviewWindow::ZoomOut() {
    for (auto it = std::rbegin(ZoomSteps); it != std::rend(ZoomSteps); ++it)
        if (*it < FZoom) return SetZoom(*it);
    SetZoom(MinZoom);
}

int TRepPreviewWindow::FittingZoom() const {
    if (!FReport) return FZoom;
    const QSizeF paper = PaperMM();
    const double perMM = RepScreenPPI / RepMMPerInch;   // pixels per millimetre at 100%
    if (paper.width() <= 0 || paper.height() <= 0) return FZoom;
    // The area without scroll bars; page width leaves room for the vertical one, which a long
    // page needs, so that the width does not depend on whether it is shown.
    const QSize area = FScroll->maximumViewportSize() - QSize(2 * FitMargin, 2 * FitMargin);
    double width = area.width();
    if (FZoomMode == zmPageWidth) width -= FScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FScroll);
    double percent = width / (paper.width() * perMM) * 100;
    if (FZoomMode == zmWholePage) percent = qMin(percent, area.height() / (paper.height() * perMM) * 100);
    return qBound(MinZoom, int(std::floor(percent)), MaxZoom);
}

void TRepPreviewWindow::UpdateView() {
    FUpdating = true;
    if (FZoomMode != zmPercent) FZoom = FittingZoom();
    UpdateZoomBox();
    const int count = PageCount();
    FPageField->setRange(1, qMax(1, count));
    FPageField->setValue(FPage);
    FPageField->setEnabled(count > 1);
    Button(QStringLiteral("First"))->setEnabled(FPage > 1);
    Button(QStringLiteral("Prior"))->setEnabled(FPage > 1);
    Button(QStringLiteral("Next"))->setEnabled(FPage < count);
    Button(QStringLiteral("Last"))->setEnabled(FPage < count);
    Button(QStringLiteral("ZoomIn"))->setEnabled(FZoom < MaxZoom);
    Button(QStringLiteral("ZoomOut"))->setEnabled(FZoom > MinZoom);
    // During a run a print or save waits for its end; one is enough.
    Button(QStringLiteral("Print"))->setEnabled(FReport != nullptr && !FAfterRun);
    Button(QStringLiteral("SavePdf"))->setEnabled(FReport != nullptr && !FAfterRun);
    FUpdating = false;
    if (!FReport || count == 0) {
        FView->Page.reset();
        FStatus->setText(tr("No pages"));
        FView->update();
        return;
    }
    // A run adds pages behind the one shown: that one is painted again only when it changes
    // (a new size repaints by itself).
    const std::shared_ptr<QPicture> page =
        FRun ? FRun->Pages().value(FPage - 1) : FReport->PreviewPages().value(FPage - 1);
    if (page != FView->Page || PaperMM() != FView->PaperMM) {
        FView->Page = page;
        FView->PaperMM = PaperMM();
        FView->update();
    }
    const double scale = RepScreenPPI / RepMMPerInch * FZoom / 100.0;
    FView->resize(int(std::lround(FView->PaperMM.width() * scale)), int(std::lround(FView->PaperMM.height() * scale)));
    if (Running())
        FStatus->setText(tr("Page %1 of %2 so far").arg(FPage).arg(count));
    else if (FRun && !FRun->Error().isEmpty())
        FStatus->setText(tr("Page %1 of %2 (the run failed after page %2)").arg(FPage).arg(count));
    else if (FRun && FRun->Stopped())
        FStatus->setText(tr("Page %1 of %2 (stopped)").arg(FPage).arg(count));
    else
        FStatus->setText(tr("Page %1 of %2").arg(FPage).arg(count));
}

void TRepPreviewWindow::UpdateZoomBox() {
    const int index = FZoomMode == zmPercent ? FZoomBox->findData(FZoom) : FZoomBox->findData(-int(FZoomMode));
    FZoomBox->setCurrentIndex(index);
    FZoomBox->setToolTip(QStringLiteral("%1%").arg(FZoom));
}

void TRepPreviewWindow::Print(QPrinter &printer) {
    if (!FReport) return;
    TRepPrinterSettings *settings = FReport->PrinterSettings();
    // The dialog offers the report's printer, paper, copies and page range.
    TRepPaper paper;
    paper.MM = FReport->Page()->PaperMM();
    paper.PaperSize = FReport->Page()->PaperSize();
    paper.Orientation = FReport->Page()->Orientation();
    TRepPrinterSink::ConfigurePrinter(printer, *settings, paper);
    const int from = qMax(1, settings->FirstPage());
    const int to = settings->LastPage() > 0 ? settings->LastPage() : qMax(1, PageCount());
    if ((settings->FirstPage() > 0 || settings->LastPage() > 0) && from <= to) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    if (!Interaction().PrinterSetup(printer)) return;
    try {
        TPrintRangeGuard guard(settings, printer);
        FReport->PrintTo(printer);
    } catch (const std::exception &e) {
        Interaction().ShowError(QString::fromUtf8(e.what()));
    }
}

bool TRepPreviewWindow::SaveAsPdf() {
    if (!FReport) return false;
    TFileDialogOptions options;
    options.Title = tr("Save as PDF");
    options.Filter = QStringLiteral("PDF files (*.pdf)");
    options.DefaultExt = QStringLiteral("pdf");
    QString file;
    if (!Interaction().SaveFileName(options, file) || file.isEmpty()) return false;
    try {
        FReport->ExportToPdf(file);
    } catch (const std::exception &e) {
        Interaction().ShowError(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

bool TRepPreviewWindow::HandleKey(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_PageUp: SetCurrentPage(FPage - 1); return true;
    case Qt::Key_PageDown: SetCurrentPage(FPage + 1); return true;
    case Qt::Key_Home: SetCurrentPage(1); return true;
    case Qt::Key_End: SetCurrentPage(PageCount()); return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal: ZoomIn(); return true;
    case Qt::Key_Minus: ZoomOut(); return true;
    default: return false;
    }
}

void TRepPreviewWindow::keyPressEvent(QKeyEvent *event) {
    if (!HandleKey(event)) QDialog::keyPressEvent(event);
}

void TRepPreviewWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    if (FZoomMode != zmPercent) UpdateView();
}

bool TRepPreviewWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == FScroll) {
        // The scroll area would scroll on these keys; in the preview they turn pages.
        if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent *>(event))) return true;
        if (event->type() == QEvent::Resize && FZoomMode != zmPercent) UpdateView();
    }
    return QDialog::eventFilter(watched, event);
}
