#include "model/element_design.h"

#include "model/design_frames.h"
#include "model/loader.h"

#include "reportlib/rep_printable.h"

#include <QWidget>

TElementDesign::TElementDesign(TRepPrintable *self) : FSelf(self) { SetVendamoer(SearchVendamoer(self->Owner())); }

void TElementDesign::SetVendamoer(TVDMLoader *value) {
    if (value == FVendamoer) return;
    if (FVendamoer) FSelf->RemoveFreeNotification(FVendamoer);
    FVendamoer = value;
    if (FVendamoer) FSelf->FreeNotification(FVendamoer);
}

QObject *TElementDesign::Designer() const { return IsDesigner(FVendamoer) ? FVendamoer : nullptr; }

void TElementDesign::PaintElementFrames(bool drawFrame, bool componentFrame) {
    QPainter *canvas = FSelf->Canvas();
    if (!canvas) return;
    if (drawFrame) DrawFrame(FSelf, canvas, FSelf->rect());
    if (componentFrame) ShowComponentFrame(Designer(), canvas, FSelf->width(), FSelf->height());
}

void TElementDesign::ForwardMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer) FVendamoer->_MouseDown(Button, Shift, X, Y, FSelf);
}

void TElementDesign::ForwardMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer) FVendamoer->_MouseUp(Button, Shift, X, Y, FSelf);
}

void TElementDesign::ForwardMouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer) FVendamoer->_MouseMove(Shift, X, Y, FSelf);
}

void TElementDesign::LeaveFormFocus() {
    const auto *form = dynamic_cast<const QWidget *>(FSelf->Owner());
    if (form && form->focusWidget() == FSelf) FSelf->clearFocus();
}

void TElementDesign::ElementDesignNotification(TComponent *AComponent, TOperation Operation) {
    if (!AComponent) return;
    if (Operation == opRemove) {
        if (AComponent == static_cast<TComponent *>(FVendamoer)) FVendamoer = nullptr;
    } else if (!FVendamoer && IsDesigner(AComponent->Object())) {
        SetVendamoer(qobject_cast<TVDMLoader *>(AComponent->Object()));
    }
}
