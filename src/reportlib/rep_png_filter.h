#pragma once
// Export to PNG images, one file per page ("page-0001.png", ... in a directory, or a file name
// pattern holding "%1" for the page number). Each page is drawn into an image, written and
// dropped before the next.
#include "reportlib/rep_page_sink.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

class TRepPngFilter : public TRepExportFilter {
public:
    explicit TRepPngFilter(const QString &directoryOrPattern, int dpi = 150);

    // Files written so far, in page order.
    const QStringList &Files() const { return FFiles; }
    QString PageFileName(int pageNumber) const;

    double Resolution() const override { return FDPI; }
    void BeginDocument(const TRepPaper &paper, const QString &title) override;
    QPainter *BeginPage(int pageNumber) override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    QString FTarget;
    int FDPI;
    QSize FPixels;
    QImage FImage;
    QPainter FPainter;
    int FPage = 0;
    QStringList FFiles;
};
