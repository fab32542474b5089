#include "reportlib/rep_control.h"

#include "reportlib/report.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

// --- TRepSize ---------------------------------------------------------------------------

TRepSize::TRepSize(TRepControl *control) : TPersistent(control), FControl(control) {}

int TRepSize::Count() const { return FControl->SizeValueCount(); }
double TRepSize::Value(int index) const { return FControl->SizeValue(index); }
void TRepSize::SetValue(int index, double value) { FControl->SetSizeValue(index, value); }

// Printables keep (height, left, top, width); bands (height, width).
double TRepSize::Left() const { return Count() == 4 ? Value(1) : 0.0; }
void TRepSize::SetLeft(double v) {
    if (Count() == 4) SetValue(1, v);
}
double TRepSize::Top() const { return Count() == 4 ? Value(2) : 0.0; }
void TRepSize::SetTop(double v) {
    if (Count() == 4) SetValue(2, v);
}
double TRepSize::Width() const { return Value(Count() == 4 ? 3 : 1); }
void TRepSize::SetWidth(double v) { SetValue(Count() == 4 ? 3 : 1, v); }

void TRepSize::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TRepSize *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    const int n = qMin(Count(), other->Count());
    for (int i = 0; i < n; ++i) FControl->SetSizeMM(i, other->FControl->SizeMM(i));
}

// --- TRepControl ------------------------------------------------------------------------

TRepControl::TRepControl(TComponent *AOwner, int sizeValueCount)
    : QWidget(nullptr), TComponent(AOwner), FSize(size_t(sizeValueCount)) {
    FSizeObject = new TRepSize(this);
    FFrame = new TRepFrame(this);
    connect(FFrame, &TPersistent::Changed, this, [this] { Changed(); });
    setAttribute(Qt::WA_NoMousePropagation);
}

TRepControl::~TRepControl() = default;

TReport *TRepControl::ParentReport() const {
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (auto *r = qobject_cast<TReport *>(w)) return r;
    return nullptr;
}

TRepUnits TRepControl::Units() const {
    const TReport *r = ParentReport();
    return r ? r->Units() : ruMM;
}

int TRepControl::Zoom() const {
    const TReport *r = ParentReport();
    return r ? r->Zoom() : 100;
}

double TRepControl::SizeValue(int index) const {
    if (index < 0 || index >= SizeValueCount()) return 0.0;
    return FSize[size_t(index)].Get(Units(), SizeAxis(index));
}

void TRepControl::SetSizeValue(int index, double value) {
    if (index < 0 || index >= SizeValueCount()) return;
    // Lengths are never negative; a negative position is allowed (elements may stick out).
    if (value < 0 && !(SizeValueCount() == 4 && (index == 1 || index == 2))) value = 0;
    FSize[size_t(index)].Set(value, Units(), SizeAxis(index));
    SizeChanged();
}

double TRepControl::SizeMM(int index) const {
    if (index < 0 || index >= SizeValueCount()) return 0.0;
    return FSize[size_t(index)].MM();
}

void TRepControl::SetSizeMM(int index, double mm) {
    if (index < 0 || index >= SizeValueCount()) return;
    if (mm < 0 && !(SizeValueCount() == 4 && (index == 1 || index == 2))) mm = 0;
    FSize[size_t(index)].SetMM(mm);
    SizeChanged();
}

void TRepControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Changed();
}

int TRepControl::MMToPixels(double mm) const { return int(std::lround(RepMMToPixels(mm, Zoom()))); }
double TRepControl::PixelsToMM(int pixels) const { return RepPixelsToMM(pixels, Zoom()); }

void TRepControl::SetBounds(int left, int top, int width, int height) {
    ApplyPendingGeometry();  // the comparisons below are with the widget's current geometry
    // Pixel values are stored as pixels at zoom 100, so a control placed in pixel units keeps
    // exactly the pixel values it was given.
    const double z = Zoom() / 100.0;
    auto set = [&](int index, int pixels) {
        if (index < 0) return;
        FSize[size_t(index)].Set(pixels / z, ruPixels, SizeAxis(index));
    };
    const bool printable = SizeValueCount() == 4;
    if (printable && left != x()) set(1, left);
    if (printable && top != y()) set(2, top);
    if (width != this->width()) set(printable ? 3 : 1, qMax(0, width));
    if (height != this->height()) set(0, qMax(0, height));
    SizeChanged();
}

void TRepControl::SizeChanged() {
    if (HasState(csReading) || HasState(csLoading)) {
        FGeometryPending = true;
        return;
    }
    FGeometryPending = false;
    UpdateGeometry();
    update();
}

void TRepControl::ApplyPendingGeometry() {
    if (!FGeometryPending) return;
    FGeometryPending = false;
    UpdateGeometry();
    update();
}

void TRepControl::Loaded() {
    TComponent::Loaded();
    ApplyPendingGeometry();
}

void TRepControl::ParentChanged() { UpdateGeometry(); }

void TRepControl::Changed() { update(); }

void TRepControl::SetParent(QWidget *parent) {
    if (parent == parentWidget()) return;
    setParent(parent);
    if (parent) show();
}

void TRepControl::Paint() {}

void TRepControl::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    FCanvas = &painter;
    try {
        Paint();
    } catch (...) {
        // Design-time painting must never take the window down; a failing element just shows
        // what it painted so far.
    }
    FCanvas = nullptr;
}

void TRepControl::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TRepControl::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TRepControl::MouseMove(Qt::KeyboardModifiers, int, int) {}

void TRepControl::mousePressEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TRepControl::mouseReleaseEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TRepControl::mouseMoveEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    MouseMove(e->modifiers(), p.x(), p.y());
    e->accept();
}

bool TRepControl::event(QEvent *e) {
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::ParentChange) {
        ParentChanged();
        // A control being read is shown by its reader once it is complete: shown here, while
        // Qt is still reparenting it, it would be shown twice, the first time for nothing.
        if (parentWidget() && !HasState(csReading)) show();
    }
    return result;
}
