#include "reportlib/rep_png_filter.h"

#include "reportlib/rep_units.h"

#include "host/exceptions.h"

#include <QDir>
#include <QImageWriter>
#include <cmath>

TRepPngFilter::TRepPngFilter(const QString &directoryOrPattern, int dpi)
    : FTarget(directoryOrPattern), FDPI(qBound(10, dpi, 1200)) {}

QString TRepPngFilter::PageFileName(int pageNumber) const {
    const QString number = QStringLiteral("%1").arg(pageNumber, 4, 10, QLatin1Char('0'));
    if (FTarget.contains(QLatin1String("%1"))) return FTarget.arg(number);
    return QDir(FTarget).filePath(QStringLiteral("page-%1.png").arg(number));
}

void TRepPngFilter::BeginDocument(const TRepPaper &paper, const QString &) {
    FFiles.clear();
    FPage = 0;
    // A page image is limited to about 400 megapixels, whatever the paper and resolution.
    const double w = paper.MM.width() / RepMMPerInch * FDPI, h = paper.MM.height() / RepMMPerInch * FDPI;
    if (w * h > 4e8) throw EWriteError(QStringLiteral("Page too large for an image"));
    FPixels = QSize(qMax(1, int(std::lround(w))), qMax(1, int(std::lround(h))));
    if (!FTarget.contains(QLatin1String("%1")) && !QDir().mkpath(FTarget))
        throw EFOpenError(QStringLiteral("Cannot create directory \"%1\"").arg(FTarget));
}

QPainter *TRepPngFilter::BeginPage(int pageNumber) {
    FPage = pageNumber;
    FImage = QImage(FPixels, QImage::Format_RGB32);
    if (FImage.isNull()) throw EWriteError(QStringLiteral("Not enough memory for a page image"));
    const int dpm = int(std::lround(FDPI / 0.0254));
    FImage.setDotsPerMeterX(dpm);
    FImage.setDotsPerMeterY(dpm);
    FImage.fill(Qt::white);
    FPainter.begin(&FImage);
    FPainter.setRenderHint(QPainter::Antialiasing);
    FPainter.setRenderHint(QPainter::TextAntialiasing);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform);
    return &FPainter;
}

void TRepPngFilter::EndPage() {
    FPainter.end();
    const QString file = PageFileName(FPage);
    QImageWriter writer(file, "png");
    if (!writer.write(FImage)) throw EFOpenError(QStringLiteral("Cannot create file \"%1\"").arg(file));
    FFiles.append(file);
    FImage = QImage();
}

void TRepPngFilter::EndDocument() {}

void TRepPngFilter::AbortDocument() {
    if (FPainter.isActive()) FPainter.end();
    FImage = QImage();
}
