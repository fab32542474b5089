#include "reportlib/report.h"

#include "reportlib/rep_engine.h"
#include "reportlib/rep_pdf_filter.h"
#include "reportlib/rep_png_filter.h"
#include "reportlib/rep_preview_sink.h"
#include "reportlib/rep_preview_window.h"
#include "reportlib/rep_printable.h"
#include "reportlib/rep_printer_sink.h"
#include "reportlib/rep_registration.h"

#include "host/interaction.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QSet>
#include <cmath>

TReport::TReport(TComponent *AOwner) : QWidget(nullptr), TComponent(AOwner) {
    RegisterReportLibraryClasses();
    FPage = new TRepPage(this);
    FPrinterSettings = new TRepPrinterSettings(this);
    FDescription = new TStringList(this);
    FFrame = new TRepFrame(this);
    FFont = new TFont(this);
    FPrinter = new TRepPrinter(this);
    connect(FPage, &TPersistent::Changed, this, [this] { ArrangeBands(); });
    connect(FFrame, &TPersistent::Changed, this, [this] { update(); });
    connect(FFont, &TPersistent::Changed, this, [this] {
        // Bands and elements that take the report's font repaint with it.
        update();
        for (QWidget *w : findChildren<QWidget *>()) w->update();
    });
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::ClickFocus);
    ArrangeBands();
    NotifyInsertion();
}

TReport::~TReport() = default;

void TReport::SetUnits(TRepUnits value) {
    if (value == FUnits) return;
    FUnits = value;
    UnitsChanged();
}

void TReport::UnitsChanged() {
    FPage->SetUnits(FUnits);
    update();
}

void TReport::SetZoom(int value) {
    value = qBound(MinZoom, value, MaxZoom);
    if (value == FZoom) return;
    FZoom = value;
    ArrangeBands();
    update();
}

void TReport::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet && !FExtraDataSets.contains(FDataSet)) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
}

void TReport::SetRotateBands(int value) {
    FRotateBands = value;
    for (TRepBand *b : Bands()) b->update();
}

void TReport::SetHideBands(bool value) {
    if (value == FHideBands) return;
    FHideBands = value;
    for (TRepBand *b : Bands()) b->update();
}

void TReport::Notification(TComponent *AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FDataSet)) FDataSet = nullptr;
    if (Operation == opRemove && AComponent)
        FExtraDataSets.removeIf([AComponent](TDataSet *ds) { return static_cast<TComponent *>(ds) == AComponent; });
}

// --- bands ------------------------------------------------------------------------------

QList<TRepBand *> TReport::Bands() const {
    QList<TRepBand *> list;
    for (QObject *o : children())
        if (auto *b = qobject_cast<TRepBand *>(o)) list.append(b);
    return list;
}

TRepBand *TReport::BandOfType(TRepBandType type) const {
    for (QObject *o : children())
        if (auto *b = qobject_cast<TRepBand *>(o); b && b->BandType() == type) return b;
    return nullptr;
}

QList<TRepBand *> TReport::BandList() const {
    return {BandOfType(rbTitle),  BandOfType(rbPageHeader), BandOfType(rbPageFooter), BandOfType(rbColumnHeader),
            BandOfType(rbDetail), BandOfType(rbSummary),    BandOfType(rbOverlay)};
}

namespace {

// Whether a group or sub-detail's master means this controller (null and the report mean the
// report).
bool MasterIs(QWidget *master, const QWidget *controller, const TReport *report) {
    if (!master || master == report) return controller == report;
    return master == controller;
}

struct OrderBuilder {
    OrderBuilder(const TReport *r, const QList<TRepBand *> &all) : report(r), bands(all), known(all.begin(), all.end()) {
        for (TRepBand *c : bands)
            if (auto *child = qobject_cast<TRepChildBand *>(c); child && child->ParentBand())
                childrenOf[child->ParentBand()].append(child);
    }

    const TReport *report;
    QList<TRepBand *> bands;
    // Lookups in sets and a table of children, not scans of the band list: a report arranges
    // its bands at every band change, and a file may hold thousands of them.
    QSet<TRepBand *> known, added;
    QHash<TRepBand *, QList<TRepBand *>> childrenOf;
    QList<TRepBand *> out;

    // The band, then its child bands (and theirs) in child order; iterative, as a chain of
    // child bands may be long.
    void Add(TRepBand *b) {
        QList<TRepBand *> pending{b};
        while (!pending.isEmpty()) {
            TRepBand *next = pending.takeLast();
            if (!next || added.contains(next) || !known.contains(next)) continue;
            added.insert(next);
            out.append(next);
            const QList<TRepBand *> children = childrenOf.value(next);
            for (auto it = children.rbegin(); it != children.rend(); ++it) pending.append(*it);
        }
    }
    void AddType(TRepBandType type) {
        for (TRepBand *b : bands)
            if (b->BandType() == type && !qobject_cast<TRepChildBand *>(b)) Add(b);
    }
    // The bands of one controller: the report (detail) or a sub-detail.
    void AddController(QWidget *controller, int depth) {
        if (depth > 20) return;
        auto *sub = qobject_cast<TRepSubDetail *>(controller);
        if (sub) Add(sub->HeaderBand());
        QList<TRepGroup *> groups;
        for (TRepBand *b : bands)
            if (auto *g = qobject_cast<TRepGroup *>(b); g && MasterIs(g->Master(), controller, report)) groups.append(g);
        for (TRepGroup *g : groups) Add(g);
        QList<TRepSubDetail *> subs;
        for (TRepBand *b : bands)
            if (auto *s = qobject_cast<TRepSubDetail *>(b); s && s != controller && MasterIs(s->Master(), controller, report))
                subs.append(s);
        for (TRepSubDetail *s : subs)
            if (s->PrintBefore()) AddController(s, depth + 1);
        if (sub)
            Add(sub);
        else
            AddType(rbDetail);
        for (TRepSubDetail *s : subs)
            if (!s->PrintBefore()) AddController(s, depth + 1);
        for (int i = int(groups.size()) - 1; i >= 0; --i) Add(groups[i]->FooterBand());
        if (sub) Add(sub->FooterBand());
    }
};

}  // namespace

QList<TRepBand *> TReport::PrintOrder() const {
    OrderBuilder ob(this, Bands());
    ob.AddType(rbPageHeader);
    ob.AddType(rbTitle);
    ob.AddType(rbColumnHeader);
    ob.AddController(const_cast<TReport *>(this), 0);
    ob.AddType(rbSummary);
    ob.AddType(rbPageFooter);
    ob.AddType(rbOverlay);
    // Whatever is not linked into the order (unreferenced footers, orphan children) last.
    for (TRepBand *b : ob.bands) ob.Add(b);
    return ob.out;
}

void TReport::HoldArrangement() { ++FArrangementHolds; }

void TReport::ReleaseArrangement() {
    if (FArrangementHolds == 0 || --FArrangementHolds > 0 || !FArrangementPending) return;
    FArrangementPending = false;
    ArrangeBands();
}

void TReport::ArrangeBands() {
    if (FArranging) return;
    if (FArrangementHolds > 0) {
        FArrangementPending = true;
        return;
    }
    FArranging = true;
    const QRectF area = FPage->PrintAreaMM();
    const QSizeF paper = FPage->PaperMM();
    const int left = int(std::lround(MMToPixels(area.left())));
    double y = MMToPixels(area.top());
    // Elements lie relative to their band: only a new zoom changes their pixels. Redoing them
    // on every arrangement would make adding n bands of elements cost n times every element.
    const bool rescale = FElementsZoom != Zoom();
    FElementsZoom = Zoom();
    for (TRepBand *b : PrintOrder()) {
        const double w = MMToPixels(b->SizeMM(1));
        const double h = MMToPixels(b->HeightMM());
        const int top = int(std::lround(y));
        b->setGeometry(left, top, qMax(1, int(std::lround(w))), qMax(1, int(std::lround(y + h)) - top));
        y += h;
        if (rescale)
            for (QObject *o : b->children())
                if (auto *p = qobject_cast<TRepPrintable *>(o)) p->UpdateGeometry();
    }
    if (rescale)
        for (QObject *o : children())
            if (auto *p = qobject_cast<TRepPrintable *>(o)) p->UpdateGeometry();
    const int width = qMax(1, int(std::lround(MMToPixels(paper.width()))));
    const int height = qMax(int(std::lround(MMToPixels(paper.height()))),
                            int(std::lround(y + MMToPixels(paper.height() - area.bottom()))));
    resize(width, height);
    update();
    FArranging = false;
}

// --- run state ----------------------------------------------------------------------------

int TReport::RecordCount() const {
    if (!FDataSet || !FDataSet->Active()) return 0;
    return FDataSet->RecordCount();
}

QList<TDataSet *> TReport::AllDataSets() const {
    QList<TDataSet *> list = UsedDataSets();
    if (const TComponent *owner = Owner())
        for (TComponent *c : owner->Components())
            if (auto *ds = dynamic_cast<TDataSet *>(c); ds && !list.contains(ds)) list.append(ds);
    for (TDataSet *ds : FExtraDataSets)
        if (!list.contains(ds)) list.append(ds);
    return list;
}

void TReport::AddToAllDataSets(TDataSet *DataSet) {
    if (!DataSet || FExtraDataSets.contains(DataSet)) return;
    FExtraDataSets.append(DataSet);
    FreeNotification(DataSet);
}

void TReport::ClearAllDataSets() {
    for (TDataSet *ds : std::as_const(FExtraDataSets))
        if (ds != FDataSet) RemoveFreeNotification(ds);
    FExtraDataSets.clear();
}

QList<TDataSet *> TReport::UsedDataSets() const {
    QList<TDataSet *> list;
    auto add = [&list](TDataSet *ds) {
        if (ds && !list.contains(ds)) list.append(ds);
    };
    add(FDataSet);
    auto addElementsOf = [&add](const QObject *parent) {
        for (QObject *o : parent->children()) {
            const QMetaProperty p = o->metaObject()->property(o->metaObject()->indexOfProperty("DataSet"));
            if (p.isValid() && (p.metaType().flags() & QMetaType::PointerToQObject))
                add(qobject_cast<TDataSet *>(*reinterpret_cast<QObject *const *>(p.read(o).constData())));
        }
    };
    for (TRepBand *b : Bands()) {
        if (auto *s = qobject_cast<TRepSubDetail *>(b)) add(s->DataSet());
        addElementsOf(b);
    }
    addElementsOf(this);  // elements placed on the report itself
    return list;
}

const TExprFieldResolver *TReport::DataSetResolver() {
    if (!FRunning) FResolver.SetDataSets(AllDataSets());
    return &FResolver;
}

void TReport::SetRunState(bool running, int pageNumber, int recordNumber) {
    FRunning = running;
    FPageNumber = pageNumber;
    FRecordNumber = recordNumber;
}

// --- design surface -----------------------------------------------------------------------

void TReport::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    FCanvas = &painter;
    try {
        Paint();
    } catch (...) {
    }
    FCanvas = nullptr;
}

void TReport::Paint() {
    QPainter *c = FCanvas;
    if (!c) return;
    c->fillRect(rect(), Qt::white);
    if (FPage->Ruler()) PaintRuler(FUnits);
    PaintMargins();
    PaintFrame();
    PaintColumns();
}

void TReport::PaintMargins() {
    if (!FCanvas) return;
    const QRectF a = FPage->PrintAreaMM();
    const QRectF r(MMToPixels(a.left()), MMToPixels(a.top()), MMToPixels(a.width()), MMToPixels(a.height()));
    QPen pen(QColor(170, 170, 200));
    pen.setStyle(Qt::DashLine);
    FCanvas->save();
    FCanvas->setPen(pen);
    FCanvas->setBrush(Qt::NoBrush);
    FCanvas->drawRect(r);
    FCanvas->restore();
}

void TReport::PaintFrame() {
    if (!FCanvas) return;
    const QRectF a = FPage->PrintAreaMM();
    const QRectF r(MMToPixels(a.left()), MMToPixels(a.top()), MMToPixels(a.width()), MMToPixels(a.height()));
    FFrame->Paint(*FCanvas, r, RepScreenPPI / 72.0 * FZoom / 100.0);
}

void TReport::PaintColumns() {
    if (!FCanvas || FPage->Columns() < 2) return;
    const QRectF a = FPage->PrintAreaMM();
    const double w = FPage->ColumnWidthMM();
    const double space = qMax(0.0, FPage->ValueMM(TRepPage::pvColumnSpace));
    QPen pen(QColor(170, 170, 200));
    pen.setStyle(Qt::DotLine);
    FCanvas->save();
    FCanvas->setPen(pen);
    for (int i = 1; i < FPage->Columns(); ++i) {
        const double x0 = MMToPixels(a.left() + i * w + (i - 1) * space);
        const double x1 = MMToPixels(a.left() + i * (w + space));
        FCanvas->drawLine(QPointF(x0, MMToPixels(a.top())), QPointF(x0, MMToPixels(a.bottom())));
        if (space > 0) FCanvas->drawLine(QPointF(x1, MMToPixels(a.top())), QPointF(x1, MMToPixels(a.bottom())));
    }
    FCanvas->restore();
}

void TReport::PaintRuler(TRepUnits units) {
    if (!FCanvas) return;
    // Ticks along the top and left paper edges: long ones at whole units (centimetres for
    // metric units), short ones at the tenths (halves for inches and characters).
    double majorMM = 10.0;
    int minorPerMajor = 10;
    if (units == ruInches) {
        majorMM = RepMMPerInch;
        minorPerMajor = 8;
    } else if (units == ruCharacters) {
        majorMM = RepUnitMM(ruCharacters, raX) * 10;
        minorPerMajor = 10;
    } else if (units == ruPixels) {
        majorMM = RepUnitMM(ruPixels, raX) * 100;
        minorPerMajor = 10;
    }
    const QSizeF paper = FPage->PaperMM();
    const double minor = majorMM / minorPerMajor;
    if (MMToPixels(minor) < 2) minorPerMajor = 1;
    FCanvas->save();
    FCanvas->setPen(QColor(120, 120, 120));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(qMax(6, int(8 * FZoom / 100.0)));
    FCanvas->setFont(f);
    const double step = majorMM / minorPerMajor;
    const int xCount = int(paper.width() / step);
    for (int i = 1; i <= xCount && i < 100000; ++i) {
        const double x = MMToPixels(i * step);
        const bool major = i % minorPerMajor == 0;
        FCanvas->drawLine(QPointF(x, 0), QPointF(x, major ? 8 : 4));
        if (major) FCanvas->drawText(QPointF(x + 2, 9), QString::number(i / minorPerMajor));
    }
    const int yCount = int(qMax(paper.height(), height() / qMax(0.01, MMToPixels(1))) / step);
    for (int i = 1; i <= yCount && i < 100000; ++i) {
        const double y = MMToPixels(i * step);
        const bool major = i % minorPerMajor == 0;
        FCanvas->drawLine(QPointF(0, y), QPointF(major ? 8 : 4, y));
        if (major) FCanvas->drawText(QPointF(2, y - 2), QString::number(i / minorPerMajor));
    }
    FCanvas->restore();
}

void TReport::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TReport::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TReport::MouseMove(Qt::KeyboardModifiers, int, int) {}
void TReport::KeyDown(int, Qt::KeyboardModifiers) {}

void TReport::mousePressEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TReport::mouseReleaseEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TReport::mouseMoveEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseMove(e->modifiers(), p.x(), p.y());
    e->accept();
}

void TReport::keyPressEvent(QKeyEvent *e) {
    KeyDown(e->key(), e->modifiers());
    e->accept();
}

bool TReport::event(QEvent *e) {
    const bool result = QWidget::event(e);
    // A band taken off the report changes the stacking (bands put on it arrange themselves).
    if (e->type() == QEvent::ChildRemoved && !FArranging) ArrangeBands();
    return result;
}

// --- runs -------------------------------------------------------------------------------------

bool TReport::Run(TRepPageSink &sink, TRepDestination destination, int passes) {
    if (FRunning) return false;   // a handler asked for another run during this one
    if (!PreparePrint()) return false;
    struct Done {
        TReport *r;
        ~Done() { r->DonePrint(); }
    } done{this};
    bool print = true;
    if (FBeforePrint.Assigned()) FBeforePrint.Invoke<QObject *, bool &>(static_cast<QObject *>(this), print);
    if (!print) return false;
    // Several passes produce the document again into the same sink (copies for printers that
    // cannot make them).
    for (int pass = 0; pass < qMax(1, passes); ++pass) {
        ResetRunState();
        TRepEngine engine(*this, sink, destination);
        engine.Run();
        FPageCount = engine.PageCount();
    }
    if (FAfterPrint.Assigned()) FAfterPrint.Invoke<QObject *>(static_cast<QObject *>(this));
    return true;
}

void TReport::ResetRunState() {
    FPageNumber = 0;
    FRecordNumber = 0;
}

bool TReport::Prepare() {
    TRepPreviewSink sink;
    if (!Run(sink, rdPreview)) return false;
    FPreviewPages = sink.TakePages();
    return true;
}

void TReport::Preview() {
    // With a user at the screen the window opens with page 1 while the rest is laid out.
    if (!FOnPreview.Assigned() && dynamic_cast<TQtInteraction *>(&Interaction())) {
        TRepPreviewWindow window(this);
        window.setWindowModality(Qt::ApplicationModal);
        // A declined run shows nothing.
        if (!window.RunReport()) return;
        FPreviewPages = window.RunPages();
        if (window.isVisible()) Interaction().ExecDialog(window);
        return;
    }
    // A cancelled run shows nothing (not the pages of an earlier one).
    if (!Prepare()) return;
    if (FOnPreview.Assigned())
        FOnPreview.Invoke<QObject *>(static_cast<QObject *>(this));
    else
        ShowPreview();
}

void TReport::ShowPreview() {
    // Modal through the interaction service, so that runs without a user never wait on it.
    TRepPreviewWindow window(this);
    Interaction().ExecDialog(window);
}

void TReport::ExportToFilter(TRepExportFilter &filter) { Run(filter, rdExport); }

void TReport::ExportToPdf(const QString &fileName) {
    TRepPdfFilter filter(fileName);
    ExportToFilter(filter);
}

void TReport::ExportToPng(const QString &directory, int dpi) {
    TRepPngFilter filter(directory, dpi);
    ExportToFilter(filter);
}

void TReport::PrintTo(QPrinter &printer) {
    TRepPrinterSink sink(printer, *FPrinterSettings);
    Run(sink, rdPrinter, sink.Passes());
}

void TReport::Print() {
    QPrinter printer(QPrinter::HighResolution);
    PrintTo(printer);
}
