#pragma once
// The settings a printer setup dialog chose, read back from its QPrinter in the report's terms:
// the printer's index in the list of printers (-1 when it is not listed), orientation, copies,
// duplex, the paper size by its conventional number (27 for a custom size) and the paper's
// width and length in millimetres (portrait).
#include "reportlib/rep_page.h"

class QPrinter;

struct TRepPrinterSetup {
    int PrinterIndex = -1;
    TRepOrientation Orientation = poPortrait;
    int Copies = 1;
    bool Duplex = false;
    int PaperSize = psA4;
    double PaperWidthMM = 210;
    double PaperLengthMM = 297;

    static TRepPrinterSetup FromPrinter(const QPrinter &printer);
};
