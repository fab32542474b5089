#pragma once
// Export to a PDF file: every page is painted straight into the file through QPdfWriter (fonts
// embedded as subsets); nothing of a page is kept once it is finished.
#include "reportlib/rep_page_sink.h"

#include <QPainter>
#include <memory>

class QPdfWriter;

class TRepPdfFilter : public TRepExportFilter {
public:
    explicit TRepPdfFilter(const QString &fileName, double dpi = 600);
    ~TRepPdfFilter() override;

    QString FileName() const { return FFileName; }
    int PagesWritten() const { return FPages; }

    double Resolution() const override { return FDPI; }
    void BeginDocument(const TRepPaper &paper, const QString &title) override;
    QPainter *BeginPage(int pageNumber) override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    QString FFileName;
    double FDPI;
    std::unique_ptr<QPdfWriter> FWriter;
    QPainter FPainter;
    int FPages = 0;
};
