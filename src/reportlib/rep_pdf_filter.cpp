#include "reportlib/rep_pdf_filter.h"

#include "reportlib/rep_pdf_device.h"

#include "host/exceptions.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

TRepPdfFilter::TRepPdfFilter(const QString &fileName, double dpi, TRepPdfWriterKind writer)
    : FFileName(fileName), FDPI(dpi), FWriterKind(writer) {}

TRepPdfFilter::~TRepPdfFilter() {
    if (FPainter.isActive()) FPainter.end();
}

void TRepPdfFilter::BeginDocument(const TRepPaper &paper, const QString &title) {
    FPages = 0;
    if (FWriterKind == pwVendamo) {
        FDevice = std::make_unique<TRepPdfDevice>(FFileName, paper.MM, FDPI);
        FDevice->SetTitle(title);
        FDevice->SetCreator(QStringLiteral("Vendamo"));
        return;
    }
    FWriter = std::make_unique<QPdfWriter>(FFileName);
    FWriter->setResolution(int(FDPI));
    FWriter->setTitle(title);
    FWriter->setCreator(QStringLiteral("Vendamo"));
    FWriter->setPageLayout(QPageLayout(QPageSize(paper.MM, QPageSize::Millimeter), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

QPainter *TRepPdfFilter::BeginPage(int) {
    QPaintDevice *device = FDevice ? static_cast<QPaintDevice *>(FDevice.get()) : FWriter.get();
    if (!device) return nullptr;
    if (FPages == 0) {
        if (!FPainter.begin(device)) {
            FWriter.reset();
            FDevice.reset();
            throw EFOpenError(QStringLiteral("Cannot create file \"%1\"").arg(FFileName));
        }
    } else if (FDevice) {
        FDevice->NewPage();
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
    FDevice.reset();
}

void TRepPdfFilter::AbortDocument() {
    if (FPainter.isActive()) FPainter.end();
    FWriter.reset();
    FDevice.reset();
}
