#include "reportlib/rep_engine.h"

#include "reportlib/expr_evaluator.h"
#include "reportlib/rep_printable.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

#include "dblib/dataset.h"

#include <QPainter>

#include <vector>

namespace {

// Whether a master reference means the given controller (null and the report mean the report).
bool IsMaster(QWidget *master, QWidget *controller, TReport *report) {
    if (!master || master == report) return controller == report;
    return master == controller;
}

QString ResultKey(const TRepEvResult &r) {
    switch (r.Kind) {
    case resInt: return QStringLiteral("n:") + QString::number(double(r.intResult), 'g', 17);
    case resDouble: return QStringLiteral("n:") + QString::number(r.dblResult, 'g', 17);
    case resString: return QStringLiteral("s:") + r.strResult;
    case resBool: return r.booResult ? QStringLiteral("b:1") : QStringLiteral("b:0");
    default: return QStringLiteral("e:");
    }
}

}  // namespace

// One level of the record flow: the report with its detail bands, or a sub-detail band.
struct TRepEngine::TController {
    QWidget *Owner = nullptr;
    TRepSubDetail *Sub = nullptr;     // null for the report
    TDataSet *DataSet = nullptr;
    QList<TRepBand *> Details;        // the report's detail bands, or the sub-detail itself
    QList<TRepGroup *> Groups;
    std::vector<std::unique_ptr<TRepEvaluator>> GroupEvaluators;
    QList<QString> GroupValues;
    std::vector<std::unique_ptr<TController>> Before, After;
    QList<TRepPrintable *> Aggregators;
};

TRepEngine::TRepEngine(TReport &report, TRepPageSink &sink, TRepDestination destination)
    : FReport(report), FSink(sink), FDestination(destination) {}

TRepEngine::~TRepEngine() = default;

QList<TRepBand *> TRepEngine::ChildrenOf(TRepBand *band) const { return FChildren.value(band); }
QList<TRepPrintable *> TRepEngine::PrintablesOf(TRepBand *band) const { return FPrintables.value(band); }

std::unique_ptr<TRepEngine::TController> TRepEngine::MakeController(QWidget *owner, int depth) {
    auto c = std::make_unique<TController>();
    c->Owner = owner;
    c->Sub = qobject_cast<TRepSubDetail *>(owner);
    if (c->Sub) {
        c->DataSet = c->Sub->DataSet();
        c->Details.append(c->Sub);
    } else {
        c->DataSet = FReport.DataSet();
        for (TRepBand *b : FBands)
            if (b->BandType() == rbDetail && !qobject_cast<TRepChildBand *>(b)) c->Details.append(b);
    }
    for (TRepBand *b : FBands)
        if (auto *g = qobject_cast<TRepGroup *>(b); g && IsMaster(g->Master(), owner, &FReport)) {
            c->Groups.append(g);
            auto ev = std::make_unique<TRepEvaluator>();
            ev->SetDataSets(FReport.DataSetResolver());
            if (!g->Expression().isEmpty()) {
                try {
                    ev->Prepare(g->Expression());
                } catch (const std::exception &) {
                    // A group whose expression cannot be read never breaks.
                    ev->UnPrepare();
                }
            }
            c->GroupEvaluators.push_back(std::move(ev));
            c->GroupValues.append(QString());
        }
    if (depth < 20)
        for (TRepBand *b : FBands)
            if (auto *s = qobject_cast<TRepSubDetail *>(b); s && s != owner && IsMaster(s->Master(), owner, &FReport))
                (s->PrintBefore() ? c->Before : c->After).push_back(MakeController(s, depth + 1));
    for (TRepPrintable *p : FAllPrintables)
        if (p->Aggregates() && IsMaster(p->AggregateMaster(), owner, &FReport)) c->Aggregators.append(p);
    return c;
}

void TRepEngine::Setup() {
    FBands = FReport.PrintOrder();
    for (TRepBand *b : FBands) {
        if (auto *child = qobject_cast<TRepChildBand *>(b); child && child->ParentBand())
            FChildren[child->ParentBand()].append(child);
        QList<TRepPrintable *> list;
        for (QObject *o : b->children())
            if (auto *p = qobject_cast<TRepPrintable *>(o)) list.append(p);
        FPrintables.insert(b, list);
        FAllPrintables.append(list);
    }
    // Elements placed on the report itself, outside any band (a single-form layout).
    for (QObject *o : FReport.children())
        if (auto *p = qobject_cast<TRepPrintable *>(o)) FReportPrintables.append(p);
    FAllPrintables.append(FReportPrintables);
    // Datasets the run needs are opened for it (and closed again afterwards).
    for (TDataSet *ds : FReport.UsedDataSets())
        if (!ds->Active()) {
            ds->Open();
            FOpened.append(ds);
        }
    FReport.DataSetResolver();   // fixed from here to the end of the run
    FReport.SetRunState(true, 0, 0);
    for (TRepPrintable *p : FAllPrintables) p->BeforeRun();
    FMain = MakeController(&FReport, 0);

    const TRepPage *page = FReport.Page();
    FArea = page->PrintAreaMM();
    FColumns = page->Columns();
    FColumnWidth = page->ColumnWidthMM();
    FColumnSpace = qMax(0.0, page->ValueMM(TRepPage::pvColumnSpace));
    if (TRepBand *footer = FReport.BandOfType(rbPageFooter)) FFooterHeight = StaticHeight(footer, true);
    // A footer never takes more than the page.
    FFooterHeight = qMin(FFooterHeight, FArea.height());
}

void TRepEngine::Finish() {
    for (TRepPrintable *p : FAllPrintables) {
        try {
            p->AfterRun();
        } catch (...) {
        }
    }
    for (TDataSet *ds : FOpened) {
        try {
            ds->Close();
        } catch (...) {
        }
    }
    FOpened.clear();
    FReport.SetRunState(false, FReport.PageNumber(), FReport.RecordNumber());
    FReport.Printer()->EndRun();
}

void TRepEngine::Run() {
    TRepPrinter *printer = FReport.Printer();
    try {
        printer->BeginRun(FSink.Resolution(), FDestination);
        Setup();
        TRepPaper paper;
        paper.MM = FReport.Page()->PaperMM();
        paper.PaperSize = FReport.Page()->PaperSize();
        paper.Orientation = FReport.Page()->Orientation();
        FSink.BeginDocument(paper, FReport.ReportTitle());
        NewPage();
        TDataSet *ds = FReport.DataSet();
        const bool empty = ds && ds->Active() && ds->IsEmpty();
        if (!empty || FReport.PrintIfEmpty()) {
            PrintBand(FReport.BandOfType(rbTitle), bmFlow);
            FTitleDone = true;
            FColumnTop = FY;
            StartColumn();
            RunController(*FMain);
            PrintBand(FReport.BandOfType(rbSummary), bmFlow);
            EndPage(true);
        } else {
            // Nothing to print: one empty page.
            FSink.EndPage();
            FPageOpen = false;
            printer->SetCanvas(nullptr, FPage);
        }
        FSink.EndDocument();
    } catch (...) {
        if (FPageOpen) {
            try {
                FSink.EndPage();
            } catch (...) {
            }
        }
        FSink.AbortDocument();
        printer->SetCanvas(nullptr, 0);
        Finish();
        throw;
    }
    printer->SetCanvas(nullptr, FPage);
    Finish();
}

// --- pages and columns ----------------------------------------------------------------------

double TRepEngine::ColumnLeftMM(int column) const { return FArea.left() + column * (FColumnWidth + FColumnSpace); }

void TRepEngine::NewPage() {
    if (FPageOpen) EndPage(false);
    ++FPage;
    QPainter *painter = FSink.BeginPage(FPage);
    FPageOpen = true;
    FReport.Printer()->SetCanvas(painter, FPage);
    FReport.SetPageNumber(FPage);
    FY = FArea.top();
    FMaxY = FY;
    FColumn = 0;
    FBottom = FArea.bottom() - FFooterHeight;
    FPageHasContent = false;
    FColumnHasContent = false;
    if (TRepBand *header = FReport.BandOfType(rbPageHeader))
        if (FPage > 1 || FReport.HasOption(TReport::FirstPageHeader)) PrintBand(header, bmFixed);
    FColumnTop = FY;
    // On page 1 the title comes first; the column header follows it.
    if (FTitleDone) StartColumn();
}

void TRepEngine::StartColumn() {
    FY = FColumnTop;
    if (TRepBand *columnHeader = FReport.BandOfType(rbColumnHeader)) PrintBand(columnHeader, bmFixed);
    FColumnHasContent = false;
}

void TRepEngine::NextColumnOrPage() {
    if (FColumn + 1 < FColumns) {
        ++FColumn;
        StartColumn();
    } else {
        NewPage();
    }
}

void TRepEngine::EndPage(bool last) {
    if (!FPageOpen) return;
    if (TRepBand *footer = FReport.BandOfType(rbPageFooter))
        if (!last || FReport.HasOption(TReport::LastPageFooter)) {
            FY = FArea.bottom() - FFooterHeight;
            FColumn = 0;
            PrintBand(footer, bmFixed);
        }
    // Elements on the report itself belong to every page, at their place on the paper.
    for (TRepPrintable *e : std::as_const(FReportPrintables))
        if (e->Enabled()) {
            e->PrepareContent();
            e->Print(0, 0);
        }
    if (TRepBand *overlay = FReport.BandOfType(rbOverlay)) {
        FY = FArea.top();
        FColumn = 0;
        PrintBand(overlay, bmFixed);
    }
    if (QPainter *c = FReport.Printer()->Canvas(); c && FReport.Frame()->AnyFrame()) {
        const TRepPrinter *p = FReport.Printer();
        const QRectF r(p->MMToDevice(FArea.left()), p->MMToDevice(FArea.top()), p->MMToDevice(FArea.width()),
                       p->MMToDevice(FArea.height()));
        FReport.Frame()->Paint(*c, r, p->PointScale());
    }
    FSink.EndPage();
    FPageOpen = false;
    FReport.Printer()->SetCanvas(nullptr, FPage);
}

// --- bands ----------------------------------------------------------------------------------

double TRepEngine::StaticHeight(TRepBand *band, bool withChildren) const {
    if (!band) return 0;
    double h = band->Enabled() ? band->HeightMM() : 0;
    if (withChildren) {
        int guard = 0;
        for (TRepBand *c : ChildrenOf(band))
            if (guard++ < 100) h += StaticHeight(c, true);
    }
    return h;
}

double TRepEngine::LinkedHeight(TRepBand *band) const {
    double h = 0;
    QList<TRepBand *> seen{band};
    for (TRepBand *l = band->LinkBand(); l && !seen.contains(l); l = l->LinkBand()) {
        seen.append(l);
        h += StaticHeight(l, false);
    }
    return h;
}

double TRepEngine::MeasureBand(TRepBand *band) {
    double h = band->HeightMM();
    for (TRepPrintable *p : PrintablesOf(band))
        if (p->Enabled()) h = qMax(h, p->SizeMM(2) + p->PrintHeightMM());
    return h;
}

bool TRepEngine::PrintBand(TRepBand *band, TBreakMode mode) {
    if (!band || !band->Enabled()) return false;
    const bool flow = mode == bmFlow;
    const bool columns = FColumns > 1 && HasColumnLayout(band);
    if (flow && !columns && FColumn > 0) {
        // A band across the page follows the lowest column.
        FY = FMaxY;
        FColumn = 0;
    }
    // Whether the band, at its own height, moves on to the next column or page.
    bool movesOn = false;
    if (flow) {
        if (band->ForceNewPage() && FPageHasContent)
            NewPage();
        else if (band->ForceNewColumn() && FColumnHasContent)
            NextColumnOrPage();
        const double staticHeight = StaticHeight(band, false) + LinkedHeight(band);
        // The summary decides about the last page when it starts printing: let it start on the
        // page it will print on before the page it leaves is finished.
        if (band->BandType() == rbSummary && FPageHasContent && FY + staticHeight > FBottom + 1e-6) NewPage();
        const bool hasContent = columns ? FColumnHasContent : FPageHasContent;
        movesOn = hasContent && FY + staticHeight > FBottom + 1e-6;
    }

    // The before-print decision (a band's page rule) is asked for the page the band prints on;
    // the move itself waits for the answer, so that a band that does not print leaves the page
    // as it is.
    bool print = true;
    const TMethod before = band->BeforePrint();
    if (before.Assigned()) {
        struct TRestorePage {
            TReport &Report;
            int Page;
            ~TRestorePage() { Report.SetPageNumber(Page); }
        } restore{FReport, FPage};
        const bool nextPage = movesOn && !(columns && FColumn + 1 < FColumns);
        FReport.SetPageNumber(nextPage ? FPage + 1 : FPage);
        before.Invoke<QObject *, bool &>(static_cast<QObject *>(band), print);
    }
    if (!print) {
        if (band->AfterPrint().Assigned()) band->AfterPrint().Invoke<QObject *, bool>(static_cast<QObject *>(band), false);
        return false;
    }
    if (movesOn) {
        if (columns)
            NextColumnOrPage();
        else
            NewPage();
    }

    const QList<TRepPrintable *> printables = PrintablesOf(band);
    for (TRepPrintable *p : printables)
        if (p->Enabled()) p->PrepareContent();
    double height = MeasureBand(band);
    if (flow) {
        const bool hasContent = columns ? FColumnHasContent : FPageHasContent;
        if (FY + height + LinkedHeight(band) > FBottom + 1e-6 && hasContent) {
            if (columns)
                NextColumnOrPage();
            else
                NewPage();
            // Page-dependent content follows the band to its new page.
            for (TRepPrintable *p : printables)
                if (p->Enabled() && (qobject_cast<TRepSysData *>(p) || p->DependsOnPage())) p->PrepareContent();
            height = MeasureBand(band);
        }
        if (band->PrintAtBottom()) FY = qMax(FY, FBottom - height);
    }
    const double limit = flow ? FBottom : FArea.bottom();
    const bool clip = FY + height > limit + 1e-6;
    const double x = columns ? ColumnLeftMM(FColumn) : FArea.left();
    const double width = columns ? FColumnWidth : FArea.width();
    PrintBandAt(band, x, FY, width, height, clip);
    FY = clip ? limit : FY + height;
    if (flow && band->PrintAtBottom()) FY = FBottom;
    FMaxY = qMax(FMaxY, FY);
    if (flow) {
        FPageHasContent = true;
        FColumnHasContent = true;
    }
    if (band->AfterPrint().Assigned()) band->AfterPrint().Invoke<QObject *, bool>(static_cast<QObject *>(band), true);
    for (TRepBand *child : ChildrenOf(band)) PrintBand(child, mode);
    return true;
}

void TRepEngine::PrintBandAt(TRepBand *band, double xMM, double yMM, double widthMM, double heightMM, bool clip) {
    TRepPrinter *p = FReport.Printer();
    QPainter *c = p->Canvas();
    if (!c) return;
    const QRectF rect(p->MMToDevice(xMM), p->MMToDevice(yMM), p->MMToDevice(widthMM), p->MMToDevice(heightMM));
    if (clip) {
        // What does not fit on the page is cut off at the page's print area.
        c->save();
        const double bottom = p->MMToDevice(FArea.bottom());
        c->setClipRect(QRectF(rect.left(), rect.top(), rect.width(), qMax(0.0, bottom - rect.top())));
    }
    // White is the paper's own colour; only other colours are painted.
    if (band->Color() != clWhite && band->Color() != clNone) c->fillRect(rect, ColorToQColor(band->Color()));
    const TRepUnits units = FReport.Units();
    const double ofsX = RepFromMM(xMM, units, raX);
    const double ofsY = RepFromMM(yMM, units, raY);
    for (TRepPrintable *e : PrintablesOf(band))
        if (e->Enabled()) e->Print(ofsX, ofsY);
    band->Frame()->Paint(*c, rect, p->PointScale());
    if (clip) c->restore();
}

// --- records --------------------------------------------------------------------------------

QString TRepEngine::GroupValue(TController &c, int index) {
    TRepEvaluator *ev = c.GroupEvaluators[size_t(index)].get();
    if (!ev->Prepared()) return QString();
    return ResultKey(ev->Value());
}

void TRepEngine::AggregateFor(TController &c) {
    for (TRepPrintable *p : c.Aggregators) p->Aggregate();
}

void TRepEngine::RunController(TController &c) {
    TDataSet *ds = c.DataSet;
    if (ds && !ds->Active()) return;
    if (ds) ds->First();
    if (ds && ds->Eof()) {
        if (c.Sub && c.Sub->PrintIfEmpty()) {
            PrintBand(c.Sub->HeaderBand(), bmFlow);
            PrintBand(c.Sub->FooterBand(), bmFlow);
        }
        return;
    }
    if (c.Sub) PrintBand(c.Sub->HeaderBand(), bmFlow);
    const int n = int(c.Groups.size());
    const bool canLookBack = ds && !ds->IsUniDirectional();
    for (int i = 0; i < n; ++i) {
        c.GroupValues[i] = GroupValue(c, i);
        PrintBand(c.Groups[i], bmFlow);
    }
    for (;;) {
        if (!c.Sub) FReport.SetRecordNumber(++FRecordNumber);
        AggregateFor(c);
        for (auto &sub : c.Before) RunController(*sub);
        for (TRepBand *d : c.Details) PrintBand(d, bmFlow);
        for (auto &sub : c.After) RunController(*sub);
        if (!ds) break;
        ds->Next();
        if (ds->Eof()) break;
        // Look ahead: the first group whose value changes with the next record ends, and with
        // it every group inside it. Their footers print with the group's last record current.
        int level = n;
        for (int i = 0; i < n; ++i)
            if (GroupValue(c, i) != c.GroupValues[i]) {
                level = i;
                break;
            }
        if (level < n) {
            if (canLookBack) ds->Prior();
            for (int i = n - 1; i >= level; --i) PrintBand(c.Groups[i]->FooterBand(), bmFlow);
            if (canLookBack) ds->Next();
            for (int i = level; i < n; ++i) {
                c.GroupValues[i] = GroupValue(c, i);
                PrintBand(c.Groups[i], bmFlow);
            }
        }
    }
    for (int i = n - 1; i >= 0; --i) PrintBand(c.Groups[i]->FooterBand(), bmFlow);
    if (c.Sub) PrintBand(c.Sub->FooterBand(), bmFlow);
}
