#pragma once
// The page engine: sequences the bands of one run and lays them out on pages.
//
// Order on a page: page header (on page 1 only with the first-page-header option), on page 1
// the title, column header (at the top of every column), then the flow: for every record of
// the report's dataset (once without a dataset) the group headers whose expression changed,
// the sub-details printed before, the detail band, the sub-details printed after (each over
// the records of its own dataset, with its header, groups and footer), and the group footers
// of groups that end with the record (found by looking at the next record); after the last
// record the summary. The page footer closes every page (on the last page only with the
// last-page-footer option) and the overlay prints over the top of every page.
//
// Every band is followed by its child bands. A band that does not fit in what is left of the
// column or page moves to the next column or page (with its link bands); a band taller than a
// whole page prints clipped on a page of its own. A band's before-print handler reads the
// number of the page the band prints on at its own height: the move follows when the handler
// lets it print. Bands with elements that stretch grow with their content (a band that moves
// only because it grew has been asked on the page it left). Expressions and calculations
// aggregate when a record of their master prints.
#include "reportlib/rep_band.h"
#include "reportlib/rep_page_sink.h"
#include "reportlib/rep_printer.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <memory>

class TReport;
class TRepPrintable;
class TRepEvaluator;
class TDataSet;

class TRepEngine {
public:
    TRepEngine(TReport &report, TRepPageSink &sink, TRepDestination destination);
    ~TRepEngine();

    // Runs the report into the sink. Exceptions of the data access library and the sink pass
    // to the caller (the sink is told to abort).
    void Run();
    int PageCount() const { return FPage; }

private:
    struct TController;
    enum TBreakMode { bmFlow, bmFixed };

    void Setup();
    void Finish();
    std::unique_ptr<TController> MakeController(QWidget *owner, int depth);

    void NewPage();
    void EndPage(bool last);
    void NextColumnOrPage();
    void StartColumn();
    void RunController(TController &c);
    // Prints a band and its child bands; false when its before-print handler skipped it.
    bool PrintBand(TRepBand *band, TBreakMode mode);
    void PrintBandAt(TRepBand *band, double xMM, double yMM, double widthMM, double heightMM, bool clip);
    double MeasureBand(TRepBand *band);
    double StaticHeight(TRepBand *band, bool withChildren) const;
    double LinkedHeight(TRepBand *band) const;
    bool HasColumnLayout(TRepBand *band) const { return band->PrintsInColumns(); }
    double ColumnLeftMM(int column) const;
    QList<TRepBand *> ChildrenOf(TRepBand *band) const;
    QList<TRepPrintable *> PrintablesOf(TRepBand *band) const;
    void AggregateFor(TController &c);
    QString GroupValue(TController &c, int index);

    TReport &FReport;
    TRepPageSink &FSink;
    TRepDestination FDestination;
    QList<TRepBand *> FBands;
    QHash<TRepBand *, QList<TRepBand *>> FChildren;
    QHash<TRepBand *, QList<TRepPrintable *>> FPrintables;
    QList<TRepPrintable *> FAllPrintables;
    QList<TRepPrintable *> FReportPrintables;  // placed on the report, outside bands
    QList<TDataSet *> FOpened;
    std::unique_ptr<TController> FMain;

    QRectF FArea;              // print area of the page (mm)
    double FColumnWidth = 0;   // mm
    double FColumnSpace = 0;   // mm
    int FColumns = 1;
    double FFooterHeight = 0;  // space kept for the page footer (mm)

    int FPage = 0;
    bool FPageOpen = false;
    bool FTitleDone = false;
    double FY = 0;             // next free position in the current column (mm)
    double FMaxY = 0;          // lowest position reached on the page (mm)
    double FColumnTop = 0;     // where columns start on this page (mm)
    double FBottom = 0;        // lowest position bands may reach (mm)
    int FColumn = 0;
    bool FPageHasContent = false;
    bool FColumnHasContent = false;
    bool FInPageBand = false;  // printing the page header/footer, column header or overlay
    int FRecordNumber = 0;
};
