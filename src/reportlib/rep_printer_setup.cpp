#include "reportlib/rep_printer_setup.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

TRepPrinterSetup TRepPrinterSetup::FromPrinter(const QPrinter &printer) {
    TRepPrinterSetup s;
    s.PrinterIndex = int(QPrinterInfo::availablePrinterNames().indexOf(printer.printerName()));
    const QPageLayout layout = printer.pageLayout();
    s.Orientation = layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    s.Copies = qMax(1, printer.copyCount());
    s.Duplex = printer.duplex() != QPrinter::DuplexNone;
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    s.PaperWidthMM = qMin(mm.width(), mm.height());
    s.PaperLengthMM = qMax(mm.width(), mm.height());
    s.PaperSize = RepFindPaperSize(QSizeF(s.PaperWidthMM, s.PaperLengthMM));
    return s;
}
