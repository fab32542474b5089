#include "reportlib/rep_printable.h"

#include "reportlib/rep_band.h"
#include "reportlib/report.h"

#include <QPainter>

TRepPrintable::TRepPrintable(TComponent *AOwner) : TRepControl(AOwner, 4) {
    // A new element is 60 x 20 design pixels until it is given a size.
    TRepControl::SetSizeMM(0, RepPixelsToMM(20, 100));
    TRepControl::SetSizeMM(3, RepPixelsToMM(60, 100));
}

void TRepPrintable::UpdateGeometry() {
    setGeometry(MMToPixels(SizeMM(1)), MMToPixels(SizeMM(2)), qMax(1, MMToPixels(SizeMM(3))),
                qMax(1, MMToPixels(SizeMM(0))));
}

void TRepPrintable::ParentChanged() { UpdateGeometry(); }

void TRepPrintable::SetAlignToBand(bool value) {
    if (value == FAlignToBand) return;
    FAlignToBand = value;
    Changed();
}

void TRepPrintable::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

TRepBand *TRepPrintable::Band() const { return qobject_cast<TRepBand *>(parentWidget()); }

TRepPrinter *TRepPrintable::Printer() const {
    TReport *r = ParentReport();
    return r && r->Running() ? r->Printer() : nullptr;
}

void TRepPrintable::BeforeRun() {}
void TRepPrintable::AfterRun() {}
void TRepPrintable::PrepareContent() {}

double TRepPrintable::PrintHeightMM() const { return SizeMM(0); }

QRectF TRepPrintable::PrintRect(double OfsX, double OfsY) const {
    const TReport *r = ParentReport();
    if (!r) return QRectF();
    const TRepPrinter *p = r->Printer();
    const TRepUnits u = r->Units();
    const double x = RepToMM(OfsX, u, raX) + SizeMM(1);
    const double y = RepToMM(OfsY, u, raY) + SizeMM(2);
    return QRectF(p->MMToDevice(x), p->MMToDevice(y), p->MMToDevice(SizeMM(3)), p->MMToDevice(PrintHeightMM()));
}

void TRepPrintable::PrintFrame(const QRectF &deviceRect) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas() || !Frame()->AnyFrame()) return;
    Frame()->Paint(*p->Canvas(), deviceRect, p->PointScale());
}

void TRepPrintable::PrintBackground(const QRectF &deviceRect, TColor color) {
    TRepPrinter *p = Printer();
    if (FTransparent || !p || !p->Canvas() || color == clNone) return;
    p->Canvas()->fillRect(deviceRect, ColorToQColor(color));
}

void TRepPrintable::Print(double OfsX, double OfsY) { PrintFrame(PrintRect(OfsX, OfsY)); }

void TRepPrintable::Paint() {
    if (QPainter *c = Canvas()) Frame()->Paint(*c, QRectF(rect()), RepScreenPPI / 72.0 * Zoom() / 100.0);
    PaintCorners();
}

void TRepPrintable::PaintCorners() {
    QPainter *c = Canvas();
    if (!c) return;
    const int w = width() - 1, h = height() - 1;
    const int n = qMin(4, qMin(w, h) / 2);
    if (n < 1) return;
    c->save();
    c->setPen(QColor(128, 128, 128));
    c->drawLine(0, 0, n, 0);
    c->drawLine(0, 0, 0, n);
    c->drawLine(w - n, 0, w, 0);
    c->drawLine(w, 0, w, n);
    c->drawLine(0, h, n, h);
    c->drawLine(0, h - n, 0, h);
    c->drawLine(w - n, h, w, h);
    c->drawLine(w, h - n, w, h);
    c->restore();
}
