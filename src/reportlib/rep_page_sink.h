#pragma once
// Where the pages of a run go. The engine asks the sink for a painter per page; the sink
// decides what becomes of the page: kept as a picture (preview), painted straight into a PDF
// file, written as a PNG image, or sent to a printer. Painter coordinates are device pixels at
// Resolution() with the origin at the paper's top-left corner.
//
// Failures to produce output (a file that cannot be written, no printer) raise exceptions of
// the host library (EFOpenError, EWriteError).
#include "reportlib/rep_page.h"

#include <QSizeF>
#include <QString>

class QPainter;

struct TRepPaper {
    QSizeF MM;                          // as printed, orientation applied
    int PaperSize = psA4;
    TRepOrientation Orientation = poPortrait;
};

class TRepPageSink {
public:
    virtual ~TRepPageSink() = default;

    virtual double Resolution() const = 0;
    virtual void BeginDocument(const TRepPaper &paper, const QString &title) = 0;
    // The painter for page pageNumber (1-based); valid until EndPage.
    virtual QPainter *BeginPage(int pageNumber) = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;
    // The run stopped with an error: release what the document holds.
    virtual void AbortDocument() {}
};

// Sinks an application can hand to TReport::ExportToFilter.
class TRepExportFilter : public TRepPageSink {};
