#include "model/vendamo_bands.h"

#include "model/design_report.h"
#include "model/eval_helpers.h"
#include "model/vendamo_text_elements.h"

#include "reportlib/report.h"

// --- TVendamoBand ----------------------------------------------------------------------------

TVendamoBand::TVendamoBand(TComponent *AOwner) : TRepBand(AOwner), TBandDesign(this) {}

void TVendamoBand::BandBeforePrint(QObject *Sender, bool &PrintBand) {
    TDesignReport *report = VendamoerReport();
    // The page footer of this page must know that the summary started here.
    if (BandType() == rbSummary && report) report->SetLastPage(true);
    PrintBand = EvalBoolExpression(Expression(), ParentReport());
    if (!PrintBand) return;
    if (BandType() == rbPageFooter && FNotOnLastPage && report && report->LastPage()) {
        PrintBand = false;
        return;
    }
    FinishBeforePrint(Sender, PrintBand);
}

void TVendamoBand::Paint() {
    SetCaption(QString());
    TRepBand::Paint();
    PaintBandDesign();
}

void TVendamoBand::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoBand::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoBand::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoBand::Notification(TComponent *AComponent, TOperation Operation) {
    TRepBand::Notification(AComponent, Operation);
    BandDesignNotification(AComponent, Operation);
}

// --- TVendamoChildBand -----------------------------------------------------------------------

TVendamoChildBand::TVendamoChildBand(TComponent *AOwner) : TRepChildBand(AOwner), TBandDesign(this) {}

void TVendamoChildBand::BandBeforePrint(QObject *Sender, bool &PrintBand) {
    PrintBand = EvalBoolExpression(Expression(), ParentReport());
    if (PrintBand) FinishBeforePrint(Sender, PrintBand);
}

void TVendamoChildBand::Paint() {
    SetCaption(QString());
    TRepChildBand::Paint();
    PaintBandDesign();
}

void TVendamoChildBand::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoChildBand::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoChildBand::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoChildBand::Notification(TComponent *AComponent, TOperation Operation) {
    // The report library forgets a parent band that goes away.
    TRepChildBand::Notification(AComponent, Operation);
    BandDesignNotification(AComponent, Operation);
}

// --- TVendamoGroup ---------------------------------------------------------------------------

TVendamoGroup::TVendamoGroup(TComponent *AOwner) : TRepGroup(AOwner), TBandDesign(this) {}

void TVendamoGroup::BandBeforePrint(QObject *Sender, bool &PrintBand) {
    PrintBand = true;
    // A new group starts: data texts of the band the group repeats over print their next
    // value even when it repeats. For the report that band is the detail band.
    QWidget *container = Master();
    TReport *report = ParentReport();
    if (report && (!container || container == report)) container = report->BandList().value(4);
    if (container)
        for (QObject *o : container->children())
            if (auto *text = qobject_cast<TVendamoDBText *>(o); text && text->ReprintOnNewGroup()) text->ClearLastValue();
    FinishBeforePrint(Sender, PrintBand);
}

void TVendamoGroup::Paint() {
    SetCaption(QString());
    TRepGroup::Paint();
    PaintBandDesign();
}

void TVendamoGroup::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoGroup::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoGroup::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoGroup::Notification(TComponent *AComponent, TOperation Operation) {
    // The report library forgets a footer band or master that goes away.
    TRepGroup::Notification(AComponent, Operation);
    BandDesignNotification(AComponent, Operation);
}

// --- TVendamoSubdetail -----------------------------------------------------------------------

TVendamoSubdetail::TVendamoSubdetail(TComponent *AOwner) : TRepSubDetail(AOwner), TBandDesign(this) {}

void TVendamoSubdetail::BandBeforePrint(QObject *Sender, bool &PrintBand) {
    PrintBand = EvalBoolExpression(Expression(), ParentReport());
    if (PrintBand) FinishBeforePrint(Sender, PrintBand);
}

void TVendamoSubdetail::Paint() {
    SetCaption(QString());
    TRepSubDetail::Paint();
    PaintBandDesign();
}

void TVendamoSubdetail::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoSubdetail::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoSubdetail::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoSubdetail::Notification(TComponent *AComponent, TOperation Operation) {
    // The report library forgets a header or footer band that goes away.
    TRepSubDetail::Notification(AComponent, Operation);
    BandDesignNotification(AComponent, Operation);
}

// --- handler swapping ------------------------------------------------------------------------

bool InstallBandPrintHandler(QObject *Band) {
    if (auto *b = qobject_cast<TVendamoBand *>(Band)) b->InstallPrintHandler();
    else if (auto *c = qobject_cast<TVendamoChildBand *>(Band)) c->InstallPrintHandler();
    else if (auto *g = qobject_cast<TVendamoGroup *>(Band)) g->InstallPrintHandler();
    else if (auto *s = qobject_cast<TVendamoSubdetail *>(Band)) s->InstallPrintHandler();
    else return false;
    return true;
}

bool RestoreBandPrintHandler(QObject *Band) {
    if (auto *b = qobject_cast<TVendamoBand *>(Band)) b->RestorePrintHandler();
    else if (auto *c = qobject_cast<TVendamoChildBand *>(Band)) c->RestorePrintHandler();
    else if (auto *g = qobject_cast<TVendamoGroup *>(Band)) g->RestorePrintHandler();
    else if (auto *s = qobject_cast<TVendamoSubdetail *>(Band)) s->RestorePrintHandler();
    else return false;
    return true;
}
