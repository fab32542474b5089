#pragma once
// Export to a PDF file: every page is painted straight into the file (fonts embedded as subsets);
// nothing of a page is kept once it is finished. Vendamo's own PDF writer does the writing;
// QPdfWriter can be chosen instead, to compare the two.
#include "reportlib/rep_page_sink.h"

#include <QPainter>
#include <memory>

class QPdfWriter;
class TRepPdfDevice;

enum TRepPdfWriterKind { pwVendamo, pwQt };

class TRepPdfFilter : public TRepExportFilter {
public:
    explicit TRepPdfFilter(const QString &fileName, double dpi = 600, TRepPdfWriterKind writer = pwVendamo);
    ~TRepPdfFilter() override;

    QString FileName() const { return FFileName; }
    int PagesWritten() const { return FPages; }
    TRepPdfWriterKind Writer() const { return FWriterKind; }

    double Resolution() const override { return FDPI; }
    void BeginDocument(const TRepPaper &paper, const QString &title) override;
    QPainter *BeginPage(int pageNumber) override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    QString FFileName;
    double FDPI;
    TRepPdfWriterKind FWriterKind;
    std::unique_ptr<QPdfWriter> FWriter;
    std::unique_ptr<TRepPdfDevice> FDevice;
    QPainter FPainter;
    int FPages = 0;
};
