#include "model/band_design.h"

#include "model/design_frames.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "model/report_constants.h"

#include "reportlib/rep_band.h"
#include "reportlib/report.h"

#include "host/font.h"
#include "host/picture.h"
#include "host/property_access.h"

#include <QPainter>

bool PageRuleApplies(quint16 start, quint16 end, quint16 step, bool notOnFirstPage) {
    return start != 0 || end != 0 || step > 1 || notOnFirstPage;
}

bool PageRuleAllows(quint16 start, quint16 end, quint16 step, bool notOnFirstPage, int page) {
    const int s = start == 0 ? 1 : start;
    const int e = end == 0 ? 9999999 : end;
    const int t = step == 0 ? 1 : step;
    return page >= s && page <= e && !(page == 1 && notOnFirstPage) && (page - s) % t == 0;
}

TBandDesign::TBandDesign(TRepBand *self) : FSelf(self) {
    FDesignBackground = new TBitmap(self);
    QObject::connect(FDesignBackground, &TPersistent::Changed, self, [self] { self->update(); });
    SetVendamoer(SearchVendamoer(self->Owner()));
}

void TBandDesign::SetDesignBackground(TBitmap *value) {
    if (value == FDesignBackground) return;
    if (value)
        FDesignBackground->Assign(value);
    else
        FDesignBackground->Clear();
    FSelf->update();
}

void TBandDesign::SetDesignBackgroundDX(qint32 value) {
    FDX = value;
    FSelf->update();
}

void TBandDesign::SetDesignBackgroundDY(qint32 value) {
    FDY = value;
    FSelf->update();
}

void TBandDesign::SetConditionExpression(const QString &value) { FExpression = value.left(ShortStringLength); }

void TBandDesign::SetVendamoer(TVDMLoader *value) {
    if (value == FVendamoer) return;
    // The designer may live on another owner: hear of its end either way.
    if (FVendamoer) FSelf->RemoveFreeNotification(FVendamoer);
    FVendamoer = value;
    if (FVendamoer) FSelf->FreeNotification(FVendamoer);
}

TDesignReport *TBandDesign::VendamoerReport() const { return FVendamoer ? FVendamoer->Report() : nullptr; }

int TBandDesign::CurrentPage() const {
    const TDesignReport *r = VendamoerReport();
    return r ? r->PageNumber() : 0;
}

bool TBandDesign::PageRuleAllows() const {
    if (!VendamoerReport() || !PageRuleApplies(FStartPageNum, FEndPageNum, FPageStep, FNotOnFirstPage)) return true;
    return ::PageRuleAllows(FStartPageNum, FEndPageNum, FPageStep, FNotOnFirstPage, CurrentPage());
}

void TBandDesign::InstallBeforePrint(const TMethod &own) {
    const TMethod current = FSelf->BeforePrint();
    // Installing twice must not make the band's own handler its previous one.
    if (!(current == own)) FSavedBeforePrint = current;
    FSelf->SetBeforePrint(own);
}

void TBandDesign::RestoreBeforePrint() {
    FSelf->SetBeforePrint(FSavedBeforePrint);
    FSavedBeforePrint = TMethod();
}

void TBandDesign::FinishBeforePrint(QObject *Sender, bool &PrintBand) {
    if (VendamoerReport() && PageRuleApplies(FStartPageNum, FEndPageNum, FPageStep, FNotOnFirstPage))
        PrintBand = ::PageRuleAllows(FStartPageNum, FEndPageNum, FPageStep, FNotOnFirstPage, CurrentPage());
    if (FSavedBeforePrint.Assigned()) FSavedBeforePrint.Invoke<QObject *, bool &>(Sender, PrintBand);
}

void TBandDesign::PaintBandDesign() {
    QPainter *canvas = FSelf->Canvas();
    if (!canvas || !IsDesigner(FVendamoer)) return;
    const TReport *report = FSelf->ParentReport();
    if (PaintDesignBackground(FDesignBackground, FDX, FDY, report, FVendamoer, canvas) && report)
        FSelf->PaintRuler(report->Units());
    if (GetBooleanProperty(FVendamoer, QStringLiteral("ShowBandNames"))) {
        TFont font;
        if (const auto *bandNameFont = qobject_cast<const TFont *>(GetPointerProperty(FVendamoer, QStringLiteral("BandNameFont"))))
            font.Assign(bandNameFont);
        const QFont qfont = font.ToQFont(100);
        canvas->save();
        canvas->setFont(qfont);
        canvas->setPen(ColorToQColor(font.Color()));
        // The name's top-left corner at (1, 1).
        canvas->drawText(QPointF(1, 1 + QFontMetricsF(qfont).ascent()), FSelf->Name());
        canvas->restore();
    }
}

void TBandDesign::ForwardMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer && !FBlockSelection) FVendamoer->_MouseDown(Button, Shift, X, Y, FSelf);
}

void TBandDesign::ForwardMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer) FVendamoer->_MouseUp(Button, Shift, X, Y, FSelf);
}

void TBandDesign::ForwardMouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    if (FVendamoer) FVendamoer->_MouseMove(Shift, X, Y, FSelf);
}

void TBandDesign::BandDesignNotification(TComponent *AComponent, TOperation Operation) {
    if (!AComponent) return;
    if (Operation == opRemove) {
        if (AComponent == static_cast<TComponent *>(FVendamoer)) FVendamoer = nullptr;
    } else if (!FVendamoer && IsDesigner(AComponent->Object())) {
        SetVendamoer(qobject_cast<TVDMLoader *>(AComponent->Object()));
    }
}
