#include "reportlib/rep_preview_sink.h"

#include "reportlib/rep_units.h"

#include <cmath>

void TRepPreviewSink::BeginDocument(const TRepPaper &paper, const QString &) {
    FPages.clear();
    FBounds = QRect(0, 0, int(std::lround(paper.MM.width() / RepMMPerInch * PreviewDPI)),
                    int(std::lround(paper.MM.height() / RepMMPerInch * PreviewDPI)));
}

QPainter *TRepPreviewSink::BeginPage(int) {
    auto page = std::make_shared<QPicture>();
    page->setBoundingRect(FBounds);
    FPages.append(page);
    FPainter.begin(page.get());
    return &FPainter;
}

void TRepPreviewSink::EndPage() {
    FPainter.end();
    // The recorded extent may be smaller than the paper; the page keeps the paper's.
    FPages.last()->setBoundingRect(FBounds);
}

void TRepPreviewSink::EndDocument() {}

void TRepPreviewSink::AbortDocument() {
    if (FPainter.isActive()) FPainter.end();
}

void RepPlayPreviewPage(QPainter &painter, const QPicture &page, const QSizeF &paperMM, const QRectF &target) {
    const double w = paperMM.width() / RepMMPerInch * TRepPreviewSink::PreviewDPI;
    const double h = paperMM.height() / RepMMPerInch * TRepPreviewSink::PreviewDPI;
    if (w <= 0 || h <= 0) return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / w, target.height() / h);
    painter.drawPicture(0, 0, page);
    painter.restore();
}
