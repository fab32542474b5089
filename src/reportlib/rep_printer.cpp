#include "reportlib/rep_printer.h"

#include "reportlib/report.h"

#include "host/font.h"

#include <cmath>

TRepPrinter::TRepPrinter(TReport *report) : QObject(report), FReport(report) {}

double TRepPrinter::ToMMX(double value) const { return RepToMM(value, FReport ? FReport->Units() : ruMM, raX); }
double TRepPrinter::ToMMY(double value) const { return RepToMM(value, FReport ? FReport->Units() : ruMM, raY); }

double TRepPrinter::XPosF(double value) const { return MMToDevice(ToMMX(value)); }
double TRepPrinter::YPosF(double value) const { return MMToDevice(ToMMY(value)); }
int TRepPrinter::XPos(double value) const { return int(std::lround(XPosF(value))); }
int TRepPrinter::YPos(double value) const { return int(std::lround(YPosF(value))); }
int TRepPrinter::XSize(double value) const { return int(std::lround(XPosF(value))); }
int TRepPrinter::YSize(double value) const { return int(std::lround(YPosF(value))); }

QFont TRepPrinter::CanvasFont(const TFont *font, double zoomPercent) const {
    if (!font) return QFont();
    return font->ToQFont(PixelScale() * zoomPercent);
}

void TRepPrinter::BeginRun(double dpi, TRepDestination destination) {
    FDPI = dpi > 0 ? dpi : RepScreenPPI;
    FDestination = destination;
    FPrinting = true;
    FCanvas = nullptr;
    FPageNumber = 0;
}

void TRepPrinter::SetCanvas(QPainter *canvas, int pageNumber) {
    FCanvas = canvas;
    FPageNumber = pageNumber;
}

void TRepPrinter::EndRun() {
    FCanvas = nullptr;
    FPrinting = false;
}
