#include "reportlib/rep_pdf_filter.h"

#include "host/exceptions.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

TRepPdfFilter::TRepPdfFilter(const QString &fileName, double dpi) : FFileName(fileName), FDPI(dpi) {}

TRepPdfFilter::~TRepPdfFilter() {
    if (FPainter.isActive()) FPainter.end();
}

void TRepPdfFilter::BeginDocument(const TRepPaper &paper, const QString &title) {
    FPages = 0;
    FWriter = std::make_unique<QPdfWriter>(FFileName);
    FWriter->setResolution(int(FDPI));
    FWriter->setTitle(title);
    FWriter->setCreator(QStringLiteral("Vendamo"));
    FWriter->setPageLayout(QPageLayout(QPageSize(paper.MM, QPageSize::Millimeter), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

QPainter *TRepPdfFilter::BeginPage(int) {
    if (!FWriter) return nullptr;
    if (FPages == 0) {
        if (!FPainter.begin(FWriter.get())) {
            FWriter.reset();
            throw EFOpenError(QStringLiteral("Cannot create file \"%1\"").arg(FFileName));
        }
    } else {
        FWriter->newPage();
    }
    ++FPages;
    return &FPainter;
}

void TRepPdfFilter::EndPage() {}

void TRepPdfFilter::EndDocument() {
    if (FPainter.isActive() && !FPainter.end())
        throw EWriteError(QStringLiteral("Cannot write file \"%1\"").arg(FFileName));
    FWriter.reset();
}

void TRepPdfFilter::AbortDocument() {
    if (FPainter.isActive()) FPainter.end();
    FWriter.reset();
}
