#pragma once
// Output to a printer through QPrinter (CUPS). Pages outside the printer settings' page range
// are produced but not sent. Copies go to the printer when it can make them itself; otherwise
// the report runs once per copy into the same print job (Passes()), giving collated copies.
#include "reportlib/rep_page_sink.h"

#include <QPainter>
#include <QPicture>

class QPrinter;
class TRepPrinterSettings;

class TRepPrinterSink : public TRepPageSink {
public:
    TRepPrinterSink(QPrinter &printer, const TRepPrinterSettings &settings);
    ~TRepPrinterSink() override;

    // Applies the printer settings (printer, copies, duplex, bin) and the paper to a printer.
    static void ConfigurePrinter(QPrinter &printer, const TRepPrinterSettings &settings, const TRepPaper &paper);

    int PagesSent() const { return FSent; }
    // How many runs the copies need: 1 when the printer makes them, else the number of copies.
    // Known after the first BeginDocument; the printer job ends with the last run.
    int Passes() const;

    double Resolution() const override;
    void BeginDocument(const TRepPaper &paper, const QString &title) override;
    QPainter *BeginPage(int pageNumber) override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

private:
    void NextPrinterPage();

    QPrinter &FPrinter;
    const TRepPrinterSettings &FSettings;
    QPainter FPainter;       // on the printer
    QPainter FScratch;       // pages outside the range
    QPicture FScratchPicture;
    int FPasses = 1;
    int FPassesDone = 0;
    bool FStarted = false;
    int FSent = 0;
};
