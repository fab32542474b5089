#include "reportlib/rep_band.h"

#include "reportlib/rep_printable.h"

#include "reportlib/report.h"

#include <QPainter>

// --- TRepBand ---------------------------------------------------------------------------

TRepBand::TRepBand(TComponent *AOwner) : TRepControl(AOwner, 2) {
    FFont = new TFont(this);
    connect(FFont, &TPersistent::Changed, this, [this] {
        if (!FSyncingFont) FParentFont = false;
        update();
    });
    TRepControl::SetSizeMM(0, 10.0);
}

TRepBand::~TRepBand() = default;

bool TRepBand::PrintsInColumns() const {
    switch (FBandType) {
    case rbDetail:
    case rbGroupHeader:
    case rbGroupFooter:
    case rbSubDetail:
    case rbColumnHeader: return true;
    case rbChild: {
        // A child band prints where its parent prints.
        const auto *child = qobject_cast<const TRepChildBand *>(this);
        int guard = 0;
        const TRepBand *p = child ? child->ParentBand() : nullptr;
        while (p && p->BandType() == rbChild && guard++ < 100) {
            const auto *c = qobject_cast<const TRepChildBand *>(p);
            p = c ? c->ParentBand() : nullptr;
        }
        return p ? p->PrintsInColumns() : true;
    }
    default: return false;
    }
}

double TRepBand::SizeMM(int index) const {
    if (index != 1) return TRepControl::SizeMM(index);
    const TReport *r = ParentReport();
    if (!r) return TRepControl::SizeMM(1);
    return PrintsInColumns() ? r->Page()->ColumnWidthMM() : r->Page()->PrintAreaMM().width();
}

void TRepBand::SetSizeMM(int index, double mm) {
    if (index == 1 && ParentReport()) return;   // the width follows from the page
    TRepControl::SetSizeMM(index, mm);
}

double TRepBand::SizeValue(int index) const {
    if (index != 1) return TRepControl::SizeValue(index);
    return RepFromMM(SizeMM(1), Units(), raX);
}

void TRepBand::SetSizeValue(int index, double value) {
    if (index == 1 && ParentReport()) return;
    TRepControl::SetSizeValue(index, value);
}

void TRepBand::UpdateGeometry() { RequestArrange(); }

void TRepBand::SetBounds(int left, int top, int width, int height) {
    // Only the height is the band's own; position and width follow from the report.
    Q_UNUSED(left);
    Q_UNUSED(top);
    Q_UNUSED(width);
    if (height != this->height()) TRepControl::SetBounds(x(), y(), this->width(), qMax(0, height));
}

void TRepBand::SizeChanged() {
    RequestArrange();
    update();
}

void TRepBand::ParentChanged() {
    // A band that comes from another report brings elements laid out at that report's zoom.
    for (QObject *o : children())
        if (auto *p = qobject_cast<TRepPrintable *>(o)) p->UpdateGeometry();
    RequestArrange();
}

void TRepBand::RequestArrange() {
    if (TReport *r = ParentReport()) r->ArrangeBands();
}

void TRepBand::SetBandType(TRepBandType value) {
    if (value < rbTitle || value > rbChild || value == FBandType) return;
    FBandType = value;
    RequestArrange();
    update();
}

void TRepBand::SetCaption(const QString &value) {
    if (value == FCaption) return;
    FCaption = value;
    update();
}

void TRepBand::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    update();
}

void TRepBand::SyncParentFont() const {
    if (!FParentFont) return;
    const TReport *r = ParentReport();
    if (!r || r->Font()->Equals(*FFont)) return;
    FSyncingFont = true;
    FFont->Assign(r->Font());
    FSyncingFont = false;
}

TFont *TRepBand::Font() const {
    SyncParentFont();
    return FFont;
}

void TRepBand::SetFont(TFont *value) {
    if (value) FFont->Assign(value);
}

void TRepBand::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    SyncParentFont();
    update();
}

const TFont *TRepBand::EffectiveFont() const {
    if (FParentFont)
        if (const TReport *r = ParentReport()) return r->Font();
    return FFont;
}

void TRepBand::Link(TRepBand *&slot, TRepBand *value) {
    if (slot == value) return;
    if (slot && slot != this) RemoveFreeNotification(slot);
    slot = value;
    if (slot && slot != this) FreeNotification(slot);
}

void TRepBand::SetLinkBand(TRepBand *value) {
    if (value == this) value = nullptr;
    Link(FLinkBand, value);
}

void TRepBand::Notification(TComponent *AComponent, TOperation Operation) {
    TRepControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == static_cast<TComponent *>(FLinkBand)) FLinkBand = nullptr;
}

QString TRepBand::BandTypeName(TRepBandType type) {
    static const char *names[BandTypeCount] = {"Title",         "Page header",   "Detail",
                                               "Page footer",   "Summary",       "Group header",
                                               "Group footer",  "Sub detail",    "Column header",
                                               "Overlay",       "Child"};
    return type >= 0 && type < BandTypeCount ? QString::fromLatin1(names[type]) : QString();
}

void TRepBand::Paint() {
    QPainter *c = Canvas();
    if (!c) return;
    const TReport *r = ParentReport();
    const QRect area = rect();
    c->fillRect(area, ColorToQColor(FColor == clNone ? clWhite : FColor));
    if (r && r->Page()->Ruler()) PaintRuler(r->Units());
    // The band's frame as it prints, scaled to the surface.
    const double zoom = Zoom() / 100.0;
    Frame()->Paint(*c, QRectF(area), RepScreenPPI / 72.0 * zoom);
    if (r && r->HideBands()) return;
    // Outline and type name, so that empty bands can be seen and told apart.
    c->save();
    QPen pen(QColor(160, 160, 160));
    pen.setStyle(Qt::DotLine);
    c->setPen(pen);
    c->setBrush(Qt::NoBrush);
    c->drawRect(area.adjusted(0, 0, -1, -1));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(qMax(6, int(9 * zoom)));
    c->setFont(f);
    c->setPen(QColor(128, 128, 128));
    QString name = BandTypeName(FBandType);
    if (!Name().isEmpty()) name += QStringLiteral(" (") + Name() + u')';
    static const Qt::Alignment corners[4] = {Qt::AlignLeft | Qt::AlignBottom, Qt::AlignRight | Qt::AlignBottom,
                                              Qt::AlignRight | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop};
    const int turn = r ? ((r->RotateBands() % 4) + 4) % 4 : 0;
    c->drawText(area.adjusted(3, 1, -3, -1), corners[turn], name);
    c->restore();
}

void TRepBand::PaintRuler(TRepUnits units) {
    QPainter *c = Canvas();
    if (!c) return;
    // One line per whole unit (centimetres for millimetre-based units), light and dotted.
    double stepMM = 10.0;
    if (units == ruInches) stepMM = RepMMPerInch;
    else if (units == ruCharacters) stepMM = RepUnitMM(ruCharacters, raX) * 10;
    else if (units == ruPixels) stepMM = RepUnitMM(ruPixels, raX) * 100;
    const double step = RepMMToPixels(stepMM, Zoom());
    if (step < 4) return;
    c->save();
    QPen pen(QColor(200, 200, 230));
    pen.setStyle(Qt::DotLine);
    c->setPen(pen);
    for (double x = step; x < width(); x += step) c->drawLine(QPointF(x, 0), QPointF(x, height()));
    for (double y = step; y < height(); y += step) c->drawLine(QPointF(0, y), QPointF(width(), y));
    c->restore();
}

// --- TRepChildBand ----------------------------------------------------------------------

TRepChildBand::TRepChildBand(TComponent *AOwner) : TRepBand(AOwner) { StoreBandType(rbChild); }

void TRepChildBand::SetParentBand(TRepBand *value) {
    // Refuse cycles: the new parent must not descend from this band.
    for (TRepBand *p = value; p;) {
        if (p == this) return;
        auto *c = qobject_cast<TRepChildBand *>(p);
        p = c ? c->ParentBand() : nullptr;
    }
    Link(FParentBand, value);
    RequestArrange();
}

void TRepChildBand::Notification(TComponent *AComponent, TOperation Operation) {
    TRepBand::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == static_cast<TComponent *>(FParentBand)) {
        FParentBand = nullptr;
        RequestArrange();
    }
}

// --- TRepGroup --------------------------------------------------------------------------

namespace {

// Keeps a reference to a master (a report or a band) valid across owners. The component side
// is kept too: a master being destroyed can no longer be cast.
void LinkMaster(TComponent *self, QWidget *&slot, TComponent *&slotComponent, QWidget *value) {
    if (slot == value) return;
    if (slotComponent) self->RemoveFreeNotification(slotComponent);
    slot = value;
    slotComponent = TComponent::FromObject(value);
    if (slotComponent == self) slotComponent = nullptr;
    if (slotComponent) self->FreeNotification(slotComponent);
}

}  // namespace

TRepGroup::TRepGroup(TComponent *AOwner) : TRepBand(AOwner) { StoreBandType(rbGroupHeader); }

void TRepGroup::SetFooterBand(TRepBand *value) {
    if (value == this) value = nullptr;
    Link(FFooterBand, value);
    RequestArrange();
}

void TRepGroup::SetMaster(QWidget *value) {
    if (value == this) value = nullptr;
    LinkMaster(this, FMaster, FMasterComponent, value);
    RequestArrange();
}

void TRepGroup::Notification(TComponent *AComponent, TOperation Operation) {
    TRepBand::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == static_cast<TComponent *>(FFooterBand)) FFooterBand = nullptr;
    if (AComponent && AComponent == FMasterComponent) {
        FMaster = nullptr;
        FMasterComponent = nullptr;
    }
}

// --- TRepSubDetail ----------------------------------------------------------------------

TRepSubDetail::TRepSubDetail(TComponent *AOwner) : TRepBand(AOwner) { StoreBandType(rbSubDetail); }

void TRepSubDetail::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
}

void TRepSubDetail::SetHeaderBand(TRepBand *value) {
    if (value == this) value = nullptr;
    Link(FHeaderBand, value);
    RequestArrange();
}

void TRepSubDetail::SetFooterBand(TRepBand *value) {
    if (value == this) value = nullptr;
    Link(FFooterBand, value);
    RequestArrange();
}

void TRepSubDetail::SetMaster(QWidget *value) {
    if (value == this) value = nullptr;
    LinkMaster(this, FMaster, FMasterComponent, value);
    RequestArrange();
}

void TRepSubDetail::Notification(TComponent *AComponent, TOperation Operation) {
    TRepBand::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == static_cast<TComponent *>(FHeaderBand)) FHeaderBand = nullptr;
    if (AComponent == static_cast<TComponent *>(FFooterBand)) FFooterBand = nullptr;
    if (AComponent == static_cast<TComponent *>(FDataSet)) FDataSet = nullptr;
    if (AComponent && AComponent == FMasterComponent) {
        FMaster = nullptr;
        FMasterComponent = nullptr;
    }
}
