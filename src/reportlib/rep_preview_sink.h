#pragma once
// Preview output: every page is recorded as a QPicture and kept.
#include "reportlib/rep_page_sink.h"

#include <QList>
#include <QPainter>
#include <QPicture>
#include <memory>

class TRepPreviewSink : public TRepPageSink {
public:
    // Pictures are recorded at this resolution (device pixels per inch).
    static constexpr double PreviewDPI = 300;

    const QList<std::shared_ptr<QPicture>> &Pages() const { return FPages; }
    QList<std::shared_ptr<QPicture>> TakePages() { return std::move(FPages); }

    double Resolution() const override { return PreviewDPI; }
    void BeginDocument(const TRepPaper &paper, const QString &title) override;
    QPainter *BeginPage(int pageNumber) override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    QList<std::shared_ptr<QPicture>> FPages;
    QPainter FPainter;
    QRect FBounds;
};

// Paints a recorded preview page into a target rectangle (scaled to fit it).
void RepPlayPreviewPage(QPainter &painter, const QPicture &page, const QSizeF &paperMM, const QRectF &target);
