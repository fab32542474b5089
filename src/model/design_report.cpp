#include "model/design_report.h"

#include "model/loader.h"
#include "model/model_registration.h"
#include "model/vendamo_bands.h"

#include <QPainter>
#include <cmath>
#include <limits>

QRect ScaleDesignRect(int x, int y, int width, int height, int zoom) {
    const double f = zoom * 0.01;
    const double values[4] = {double(x), double(y), double(x) + width, double(y) + height};
    int scaled[4];
    for (int i = 0; i < 4; ++i) {
        const double v = std::round(values[i] * f);
        if (!std::isfinite(v) || std::abs(v) > std::numeric_limits<int>::max() / 2)
            return QRect(QPoint(x, y), QPoint(int(values[2]) - 1, int(values[3]) - 1));
        scaled[i] = int(v);
    }
    return QRect(QPoint(scaled[0], scaled[1]), QPoint(scaled[2] - 1, scaled[3] - 1));
}

TDesignReport::TDesignReport(TComponent *AOwner) : TReport(AOwner) {
    RegisterModelClasses();
    FDesignBackground = new TBitmap(this);
    connect(FDesignBackground, &TPersistent::Changed, this, [this] { update(); });
    // A loader created before the report is its loader too.
    SetLoader(SearchVendamoer(AOwner));
    // The loader looks for a design report among what is inserted: tell it again now that
    // the report is complete.
    NotifyInsertion();
}

TDesignReport::~TDesignReport() { SetLoader(nullptr); }

void TDesignReport::SetDesignBackground(TBitmap *value) {
    if (value == FDesignBackground) return;
    if (value)
        FDesignBackground->Assign(value);
    else
        FDesignBackground->Clear();
    update();
}

void TDesignReport::SetDesignBackgroundDX(qint32 value) {
    if (value == FDX) return;
    FDX = value;
    update();
}

void TDesignReport::SetDesignBackgroundDY(qint32 value) {
    if (value == FDY) return;
    FDY = value;
    update();
}

void TDesignReport::SetLoader(TVDMLoader *value) {
    if (value == FLoader) return;
    if (FLoader) RemoveFreeNotification(FLoader);
    FLoader = value;
    if (FLoader) FreeNotification(FLoader);
}

void TDesignReport::Notification(TComponent *AComponent, TOperation Operation) {
    TReport::Notification(AComponent, Operation);
    if (!AComponent) return;
    if (Operation == opRemove) {
        if (AComponent == static_cast<TComponent *>(FLoader)) FLoader = nullptr;
        if (AComponent == static_cast<TComponent *>(FTemporaryBand)) FTemporaryBand = nullptr;
    } else if (!FLoader) {
        if (auto *l = dynamic_cast<TVDMLoader *>(AComponent)) SetLoader(l);
    }
}

void TDesignReport::Paint() {
    TReport::Paint();
    QPainter *c = Canvas();
    if (!c) return;
    if (!FDesignBackground->Empty()) {
        const QRect r = ScaleDesignRect(FDX, FDY, FDesignBackground->Width(), FDesignBackground->Height(), Zoom());
        c->drawImage(r, FDesignBackground->Image());
    }
    // The picture covers the page's decorations: paint them again on top.
    if (Page()->Ruler()) PaintRuler(Units());
    PaintMargins();
    PaintFrame();
    PaintColumns();
}

void TDesignReport::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FLoader) FLoader->_MouseDown(Button, Shift, X, Y, nullptr);
}

void TDesignReport::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FLoader) FLoader->_MouseUp(Button, Shift, X, Y, nullptr);
}

void TDesignReport::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FLoader) FLoader->_MouseMove(Shift, X, Y, nullptr);
}

void TDesignReport::KeyDown(int Key, Qt::KeyboardModifiers Shift) {
    TReport::KeyDown(Key, Shift);
    if (!FLoader || !IsDesigner(FLoader)) return;
    const bool ctrl = Shift & Qt::ControlModifier;
    const char *command = nullptr;
    if (Key == Qt::Key_Insert && ctrl)
        command = "CopyToVDMClipboard";
    else if (Key == Qt::Key_Insert && (Shift & Qt::ShiftModifier))
        command = "PasteFromVDMClipboard";
    else if (ctrl && Key == Qt::Key_C)
        command = "CopyToVDMClipboard";
    else if (ctrl && Key == Qt::Key_V)
        command = "PasteFromVDMClipboard";
    else if (ctrl && Key == Qt::Key_X)
        command = "CutToVDMClipboard";
    if (command) QMetaObject::invokeMethod(FLoader, command, Qt::DirectConnection);
}
