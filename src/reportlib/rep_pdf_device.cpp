#include "reportlib/rep_pdf_device.h"

#include "reportlib/rep_pdf_engine.h"

#include <QPainter>
#include <climits>

TRepPdfDevice::TRepPdfDevice(const QString &fileName, const QSizeF &paperMM, double dpi)
    : FFileName(fileName), FPaperMM(paperMM), FDpi(qBound(36.0, dpi, 2400.0)),
      FEngine(std::make_unique<TRepPdfEngine>(*this)) {}

TRepPdfDevice::~TRepPdfDevice() = default;

void TRepPdfDevice::SetTitle(const QString &title) { FEngine->SetTitle(title); }
void TRepPdfDevice::SetCreator(const QString &creator) { FEngine->SetCreator(creator); }
void TRepPdfDevice::NewPage() { FEngine->NewPage(); }
int TRepPdfDevice::PageCount() const { return FEngine->PageCount(); }
void TRepPdfDevice::OfferJpeg(const QImage &image, const QByteArray &jpeg) { FEngine->OfferJpeg(image, jpeg); }

bool TRepPdfDevice::DrawTextLine(QPainter &painter, const QPointF &baseline, const QString &text,
                                 Qt::Alignment align, double width) {
    return painter.device() == this && FEngine->DrawTextLine(painter, baseline, text, align, width);
}

QPaintEngine *TRepPdfDevice::paintEngine() const { return FEngine.get(); }

int TRepPdfDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth: return qRound(FPaperMM.width() / 25.4 * FDpi);
    case PdmHeight: return qRound(FPaperMM.height() / 25.4 * FDpi);
    case PdmWidthMM: return qRound(FPaperMM.width());
    case PdmHeightMM: return qRound(FPaperMM.height());
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return qRound(FDpi);
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}
