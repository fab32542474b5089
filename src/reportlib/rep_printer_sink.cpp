#include "reportlib/rep_printer_sink.h"

#include "reportlib/rep_page.h"

#include "host/exceptions.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Conventional paper-bin numbers to Qt's paper sources.
QPrinter::PaperSource SourceOfBin(int bin) {
    if (bin >= 1 && bin <= 11) return QPrinter::PaperSource(bin - 1);
    if (bin == 14) return QPrinter::Cassette;
    if (bin == 15) return QPrinter::FormSource;
    return QPrinter::Auto;
}

QPageSize PageSizeOf(const TRepPaper &paper) {
    static const QHash<int, QPageSize::PageSizeId> ids = {
        {psLetter, QPageSize::Letter}, {psLetterSmall, QPageSize::Letter}, {psTabloid, QPageSize::Tabloid},
        {psLedger, QPageSize::Ledger}, {psLegal, QPageSize::Legal},         {psStatement, QPageSize::Statement},
        {psExecutive, QPageSize::ExecutiveStandard}, {psA3, QPageSize::A3}, {psA4, QPageSize::A4},
        {psA4Small, QPageSize::A4},    {psA5, QPageSize::A5},               {psB4, QPageSize::B4},
        {psB5, QPageSize::B5},         {psFolio, QPageSize::Folio},         {psQuarto, QPageSize::Quarto},
        {ps10X14, QPageSize::Imperial10x14}, {ps11X17, QPageSize::Tabloid}, {psNote, QPageSize::Note},
        {psEnv9, QPageSize::Envelope9}, {psEnv10, QPageSize::Envelope10},   {psEnv11, QPageSize::Envelope11},
        {psEnv12, QPageSize::Envelope12}, {psEnv14, QPageSize::Envelope14}, {psCSheet, QPageSize::AnsiC},
        {psDSheet, QPageSize::AnsiD},  {psESheet, QPageSize::AnsiE},        {psDefault, QPageSize::A4}};
    auto it = ids.find(paper.PaperSize);
    if (it != ids.end()) return QPageSize(*it);
    QSizeF portrait = paper.MM;
    if (paper.Orientation == poLandscape) portrait.transpose();
    return QPageSize(portrait, QPageSize::Millimeter);
}

}  // namespace

TRepPrinterSink::TRepPrinterSink(QPrinter &printer, const TRepPrinterSettings &settings)
    : FPrinter(printer), FSettings(settings) {}

TRepPrinterSink::~TRepPrinterSink() {
    if (FScratch.isActive()) FScratch.end();
    if (FPainter.isActive()) FPainter.end();
}

void TRepPrinterSink::ConfigurePrinter(QPrinter &printer, const TRepPrinterSettings &settings, const TRepPaper &paper) {
    if (printer.outputFormat() == QPrinter::NativeFormat && settings.PrinterIndex() >= 0) {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (settings.PrinterIndex() < names.size()) printer.setPrinterName(names[settings.PrinterIndex()]);
    }
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(PageSizeOf(paper),
                                      paper.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    printer.setDuplex(settings.Duplex() ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
    if (settings.OutputBin() > 0) printer.setPaperSource(SourceOfBin(settings.OutputBin()));
    printer.setCopyCount(settings.Copies());
    printer.setCollateCopies(true);
}

double TRepPrinterSink::Resolution() const { return FPrinter.resolution(); }

int TRepPrinterSink::Passes() const {
    const int copies = FSettings.Copies();
    if (copies <= 1) return 1;
    QPrinter &printer = FPrinter;
    printer.setCopyCount(copies);
    return printer.supportsMultipleCopies() ? 1 : copies;
}

void TRepPrinterSink::BeginDocument(const TRepPaper &paper, const QString &title) {
    if (FPassesDone > 0) return;   // a further copy in the same job
    ConfigurePrinter(FPrinter, FSettings, paper);
    FPrinter.setDocName(title.isEmpty() ? QStringLiteral("Report") : title);
    FPasses = Passes();
    if (FPasses > 1) FPrinter.setCopyCount(1);
    FStarted = false;
    FSent = 0;
}

void TRepPrinterSink::NextPrinterPage() {
    if (!FStarted) {
        if (!FPainter.begin(&FPrinter)) throw EFOpenError(QStringLiteral("The printer cannot be opened"));
        FStarted = true;
    } else if (!FPrinter.newPage()) {
        throw EWriteError(QStringLiteral("The printer refused a page"));
    }
    ++FSent;
}

QPainter *TRepPrinterSink::BeginPage(int pageNumber) {
    if (!FSettings.InRange(pageNumber)) {
        // Produced for the page count, drawn nowhere.
        FScratchPicture = QPicture();
        FScratch.begin(&FScratchPicture);
        return &FScratch;
    }
    NextPrinterPage();
    return &FPainter;
}

void TRepPrinterSink::EndPage() {
    if (FScratch.isActive()) FScratch.end();
}

void TRepPrinterSink::EndDocument() {
    if (++FPassesDone < FPasses) return;
    FPassesDone = 0;
    // Nothing in range: no job was started.
    if (!FStarted) return;
    FStarted = false;
    if (!FPainter.end()) throw EWriteError(QStringLiteral("The printer did not finish the job"));
}

void TRepPrinterSink::AbortDocument() {
    if (FScratch.isActive()) FScratch.end();
    if (FStarted && FPainter.isActive()) {
        FPrinter.abort();
        FPainter.end();
    }
    FStarted = false;
    FPassesDone = 0;
}
