#pragma once
// The printer of a report run: the canvas of the page being produced and the conversions from
// report units to device pixels. It knows nothing about where the pages go; a page sink
// (preview pictures, PDF, PNG, a real printer) gives it a painter per page and its resolution.
//
// Device coordinates have their origin at the top-left corner of the paper. Outside a run the
// conversions use the last resolution (96 pixels per inch before any run).
#include "reportlib/rep_units.h"

#include <QObject>
#include <QFont>

class QPainter;
class TFont;
class TReport;

// Where the pages of a run go.
enum TRepDestination { rdPreview, rdPrinter, rdExport };

class TRepPrinter : public QObject {
    Q_OBJECT
public:
    explicit TRepPrinter(TReport *report);

    TReport *Report() const { return FReport; }

    // The painter of the page being produced; null between pages and outside a run.
    QPainter *Canvas() const { return FCanvas; }
    TRepDestination Destination() const { return FDestination; }
    // Whether the output goes to the preview.
    bool IsPreview() const { return FDestination == rdPreview; }
    bool Printing() const { return FPrinting; }

    double Resolution() const { return FDPI; }
    // Device pixels per tenth of a millimetre.
    double XFactor() const { return FDPI / 254.0; }
    double YFactor() const { return FDPI / 254.0; }

    // Report units (the report's Units) to device pixels: positions from the paper's corner and
    // sizes, rounded to whole pixels; the F variants keep the fraction.
    int XPos(double value) const;
    int YPos(double value) const;
    int XSize(double value) const;
    int YSize(double value) const;
    double XPosF(double value) const;
    double YPosF(double value) const;
    // Millimetres to device pixels.
    double MMToDevice(double mm) const { return mm * FDPI / RepMMPerInch; }
    double DeviceToMM(double pixels) const { return FDPI > 0 ? pixels * RepMMPerInch / FDPI : 0; }
    // Device pixels per 96-ppi design pixel, and per point.
    double PixelScale() const { return FDPI / RepScreenPPI; }
    double PointScale() const { return FDPI / 72.0; }

    // A Qt font for the canvas: the font at this device's resolution, scaled by a zoom in
    // percent (100: the font's own size).
    QFont CanvasFont(const TFont *font, double zoomPercent = 100) const;

    // Current page number of the run (1-based; 0 outside).
    int PageNumber() const { return FPageNumber; }

    // Used by the engine.
    void BeginRun(double dpi, TRepDestination destination);
    void SetCanvas(QPainter *canvas, int pageNumber);
    void EndRun();

private:
    double ToMMX(double value) const;
    double ToMMY(double value) const;

    TReport *FReport;
    QPainter *FCanvas = nullptr;
    TRepDestination FDestination = rdPreview;
    double FDPI = RepScreenPPI;
    int FPageNumber = 0;
    bool FPrinting = false;
};
