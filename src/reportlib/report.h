#pragma once
// The report: a widget that shows the page on the design surface and holds the bands as its
// children, and the entry to every print run (print, preview, PDF and PNG export).
//
// Page setup, printer settings, units, zoom, options, title, description, frame and font are
// published properties. Units (0 mm, 1 inches, 2 pixels, 3 characters, 4 native = 0.1 mm) are
// the units every size value of the report, its bands and elements is read and written in;
// changing them never changes a size. Zoom (percent) scales the design surface only.
//
// The report stacks its bands in print order (ArrangeBands): page header, title, column
// header, group headers, detail, sub-details with their headers and footers, group footers,
// summary, page footer, overlay, each band followed by its child bands.
#include "reportlib/rep_band.h"
#include "reportlib/rep_data.h"
#include "reportlib/rep_frame.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_printer.h"
#include "reportlib/rep_units.h"

#include "dblib/dataset.h"
#include "host/component.h"
#include "host/font.h"
#include "host/method.h"
#include "host/strings.h"

#include <QPicture>
#include <QWidget>
#include <memory>

class QPrinter;
class TRepPageSink;
class TRepExportFilter;
class TRepEngine;

class TReport : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(TRepPage *Page READ Page WRITE SetPage)
    Q_PROPERTY(TRepPrinterSettings *PrinterSettings READ PrinterSettings WRITE SetPrinterSettings)
    Q_PROPERTY(int Units READ UnitsOrdinal WRITE SetUnitsOrdinal)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
    Q_PROPERTY(int Options READ Options WRITE SetOptions)
    Q_PROPERTY(QString ReportTitle READ ReportTitle WRITE SetReportTitle)
    Q_PROPERTY(TStrings *Description READ Description WRITE SetDescription)
    Q_PROPERTY(TRepFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool PrintIfEmpty READ PrintIfEmpty WRITE SetPrintIfEmpty)
    Q_PROPERTY(int RotateBands READ RotateBands WRITE SetRotateBands)
    Q_PROPERTY(bool HideBands READ HideBands WRITE SetHideBands)
    Q_PROPERTY(TMethod BeforePrint READ BeforePrint WRITE SetBeforePrint)
    Q_PROPERTY(TMethod AfterPrint READ AfterPrint WRITE SetAfterPrint)
    Q_PROPERTY(TMethod OnPreview READ OnPreview WRITE SetOnPreview)
public:
    // Options bits as report files store them.
    enum TRepOption { FirstPageHeader = 0x01, LastPageFooter = 0x02, Compression = 0x04 };
    static constexpr int DefaultOptions = FirstPageHeader | LastPageFooter;
    static constexpr int MinZoom = 1;
    static constexpr int MaxZoom = 1000;

    explicit TReport(TComponent *AOwner = nullptr);
    ~TReport() override;

    // --- published settings -------------------------------------------------------------
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &value) { setToolTip(value); }
    TRepPage *Page() const { return FPage; }
    void SetPage(TRepPage *value) { FPage->Assign(value); }
    TRepPrinterSettings *PrinterSettings() const { return FPrinterSettings; }
    void SetPrinterSettings(TRepPrinterSettings *value) { FPrinterSettings->Assign(value); }
    TRepUnits Units() const { return FUnits; }
    void SetUnits(TRepUnits value);
    int UnitsOrdinal() const { return int(FUnits); }
    void SetUnitsOrdinal(int value) { SetUnits(RepUnitsFromOrdinal(value)); }
    int Zoom() const { return FZoom; }
    void SetZoom(int value);
    int Options() const { return FOptions; }
    void SetOptions(int value) { FOptions = value & 0xFF; }
    bool HasOption(TRepOption o) const { return (FOptions & o) != 0; }
    QString ReportTitle() const { return FReportTitle; }
    void SetReportTitle(const QString &value) { FReportTitle = value; }
    TStrings *Description() const { return FDescription; }
    void SetDescription(TStrings *value) { FDescription->Assign(value); }
    TRepFrame *Frame() const { return FFrame; }
    void SetFrame(TRepFrame *value) { FFrame->Assign(value); }
    TFont *Font() const { return FFont; }
    void SetFont(TFont *value) { FFont->Assign(value); }
    // The dataset whose records the detail band prints; without one the detail prints once.
    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    // With an empty dataset: true prints title, headers, footers and summary; false prints
    // one empty page.
    bool PrintIfEmpty() const { return FPrintIfEmpty; }
    void SetPrintIfEmpty(bool value) { FPrintIfEmpty = value; }
    // Design surface switches: a counter that turns the band names (0 to 3 quarter turns of
    // their position round the band), and hiding of band decorations.
    int RotateBands() const { return FRotateBands; }
    void SetRotateBands(int value);
    bool HideBands() const { return FHideBands; }
    void SetHideBands(bool value);

    // Before-print event: Invoke<QObject*, bool&>(report, printReport); clearing the flag
    // cancels the run. After-print: Invoke<QObject*>(report). OnPreview:
    // Invoke<QObject*>(report) after Preview() has prepared the pages, in place of the
    // built-in preview window.
    TMethod BeforePrint() const { return FBeforePrint; }
    void SetBeforePrint(const TMethod &m) { FBeforePrint = m; }
    TMethod AfterPrint() const { return FAfterPrint; }
    void SetAfterPrint(const TMethod &m) { FAfterPrint = m; }
    TMethod OnPreview() const { return FOnPreview; }
    void SetOnPreview(const TMethod &m) { FOnPreview = m; }

    // --- bands --------------------------------------------------------------------------
    // The bands on the report, in child order.
    QList<TRepBand *> Bands() const;
    // The first band of a type (null when none).
    TRepBand *BandOfType(TRepBandType type) const;
    // The report's main bands in fixed slots: 0 title, 1 page header, 2 page footer,
    // 3 column header, 4 detail, 5 summary, 6 overlay (null where the report has none).
    QList<TRepBand *> BandList() const;
    // Bands in print order as the design surface stacks them.
    QList<TRepBand *> PrintOrder() const;
    // Stacks the bands on the design surface and sizes the report to the page.
    void ArrangeBands();
    // While held, arranging is put off and done once when the last hold is released: a load
    // changes every band several times, and arranging after each change would cost the square
    // of the band count.
    void HoldArrangement();
    void ReleaseArrangement();

    // --- running ------------------------------------------------------------------------
    // Prints on the printer of the printer settings.
    virtual void Print();
    // Prepares the preview pages and shows them (OnPreview, or the preview window); nothing
    // is shown when the run is cancelled.
    virtual void Preview();
    // Runs the report into an export filter (PDF, PNG pages).
    virtual void ExportToFilter(TRepExportFilter &filter);
    // Convenience exports through ExportToFilter. Raise EFOpenError when a file cannot be
    // written.
    void ExportToPdf(const QString &fileName);
    void ExportToPng(const QString &directory, int dpi = 150);
    // Prints on a given printer (a printer set up by a dialog, or one writing a file), with the
    // printer settings' copies, duplex, bin and page range.
    void PrintTo(QPrinter &printer);
    // Builds the preview pages without showing them; false when the run was cancelled (the
    // pages of the last run stay).
    bool Prepare();
    // Hooks of every run, whichever way it is started (Print, PrintTo, Preview, ExportToFilter,
    // a print or save from the preview window): PreparePrint before it (answering false cancels
    // it), DonePrint after it, also when it fails. ResetRunState starts each pass of the run (a
    // copy printed as a pass of its own too) from the state the first pass started with; a
    // report that keeps state across the bands of one pass forgets it there.
    virtual bool PreparePrint() { return true; }
    virtual void DonePrint() {}
    virtual void ResetRunState();

    // Pages of the last preview run.
    const QList<std::shared_ptr<QPicture>> &PreviewPages() const { return FPreviewPages; }
    int PageCount() const { return FPageCount; }
    // Paper of the last run in millimetres.
    QSizeF PreviewPaperMM() const { return FPage->PaperMM(); }

    // State of the run in progress: current page (1-based), number of the current detail
    // record, records of the report's dataset, datasets used.
    int PageNumber() const { return FPageNumber; }
    int RecordNumber() const { return FRecordNumber; }
    int RecordCount() const;
    bool FinalPass() const { return FRunning; }
    bool Running() const { return FRunning; }
    // The datasets the report uses: its own, those of sub-details and data elements. A run
    // opens those that are closed, and closes them again afterwards.
    QList<TDataSet *> UsedDataSets() const;
    // The datasets expressions may refer to: the used ones, the other datasets of the report's
    // owner, then those added with AddToAllDataSets.
    QList<TDataSet *> AllDataSets() const;
    // Adds a dataset of another owner (a data module, the application's database owner) to
    // AllDataSets; kept until it is freed or the list is cleared. Adding one twice keeps one.
    void AddToAllDataSets(TDataSet *DataSet);
    void ClearAllDataSets();

    // Field references of expressions over AllDataSets() (fixed for the length of a run).
    const TExprFieldResolver *DataSetResolver();

    TRepPrinter *Printer() const { return FPrinter; }
    // Report units to device pixels of the run in progress (see TRepPrinter).
    int XPos(double value) const { return FPrinter->XPos(value); }
    int YPos(double value) const { return FPrinter->YPos(value); }
    int XSize(double value) const { return FPrinter->XSize(value); }
    int YSize(double value) const { return FPrinter->YSize(value); }

    // --- design surface -----------------------------------------------------------------
    virtual void Paint();
    QPainter *Canvas() const { return FCanvas; }
    // Paints the ruler of a unit along the top and left edges of the page.
    void PaintRuler(TRepUnits units);
    void PaintMargins();
    void PaintFrame();
    void PaintColumns();
    // Pixels at the current zoom for millimetres.
    double MMToPixels(double mm) const { return RepMMToPixels(mm, FZoom); }

    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void KeyDown(int Key, Qt::KeyboardModifiers Shift);

    // Used by the engine.
    void SetRunState(bool running, int pageNumber, int recordNumber);
    void SetPageNumber(int page) { FPageNumber = page; }
    void SetRecordNumber(int record) { FRecordNumber = record; }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

    // Runs the report into a sink, with the hooks and the before/after events around it.
    // Returns false when the run was cancelled.
    bool Run(TRepPageSink &sink, TRepDestination destination, int passes = 1);
    // Shows the preview window (no OnPreview handler).
    virtual void ShowPreview();

private:
    void UnitsChanged();

    TRepPage *FPage;
    TRepPrinterSettings *FPrinterSettings;
    TRepUnits FUnits = ruMM;
    int FZoom = 100;
    int FOptions = DefaultOptions;
    QString FReportTitle;
    TStrings *FDescription;
    TRepFrame *FFrame;
    TFont *FFont;
    TDataSet *FDataSet = nullptr;
    QList<TDataSet *> FExtraDataSets;
    bool FPrintIfEmpty = true;
    int FRotateBands = 0;
    bool FHideBands = false;
    TMethod FBeforePrint, FAfterPrint, FOnPreview;

    TRepDataSetResolver FResolver;
    TRepPrinter *FPrinter;
    QPainter *FCanvas = nullptr;
    QList<std::shared_ptr<QPicture>> FPreviewPages;
    int FPageCount = 0;
    int FPageNumber = 0;
    int FRecordNumber = 0;
    bool FRunning = false;
    bool FArranging = false;
    int FArrangementHolds = 0;
    bool FArrangementPending = false;
    // The zoom the elements' pixel geometry was last computed at: arranging bands moves bands
    // only, and elements follow (relative to their band) only when the zoom changed.
    int FElementsZoom = -1;
};
