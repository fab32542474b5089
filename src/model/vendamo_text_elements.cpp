#include "model/vendamo_text_elements.h"

#include "model/design_report.h"
#include "model/rotated_text.h"
#include "model/text_substitution.h"

#include "reportlib/report.h"

#include "dblib/dataset.h"

// --- TVendamoLabel ---------------------------------------------------------------------------

TVendamoLabel::TVendamoLabel(TComponent *AOwner) : TRepLabel(AOwner), TElementDesign(this) {}

void TVendamoLabel::SetDegree(quint16 Value) {
    if (Value == FDegree) return;
    // A rotated text keeps the element's size (stored directly: no resizing now).
    if (Value != 0) StoreAutoSize(false);
    FDegree = quint16(NormalizeDegree(Value));
    update();
}

void TVendamoLabel::FormatLines() {
    if (FDegree == 0) TRepLabel::FormatLines();
}

void TVendamoLabel::Print(double OfsX, double OfsY) {
    if (FDegree != 0)
        PrintRotatedText(this, FDegree, OfsX, OfsY);
    else
        TRepLabel::Print(OfsX, OfsY);
}

void TVendamoLabel::Paint() {
    if (FDegree != 0)
        PaintRotatedText(this, FDegree, Caption());
    else
        TRepLabel::Paint();
    PaintElementFrames(true, true);
}

void TVendamoLabel::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoLabel::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoLabel::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoLabel::Notification(TComponent *AComponent, TOperation Operation) {
    TRepLabel::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoDBText --------------------------------------------------------------------------

TVendamoDBText::TVendamoDBText(TComponent *AOwner) : TRepDBText(AOwner), TElementDesign(this) {}

int TVendamoDBText::CurrentPage() const {
    if (TVDMLoader *loader = Vendamoer())
        if (const TDesignReport *r = loader->Report()) return r->PageNumber();
    // Without a designer report the element's own report counts.
    const TReport *r = ParentReport();
    return r ? r->PageNumber() : 0;
}

void TVendamoDBText::DBTextOnPrint(QObject *Sender, QString &Value) {
    if (FSuppressRepeatedValues) {
        const int page = CurrentPage();
        if (Value != FLastValue)
            FLastValue = Value;
        else if (!(FReprintOnNewPage && page != FLastPage))
            Value.clear();
        FLastPage = page;
    }
    if (FBlankIfZero) {
        try {
            if (TDataSet *ds = DataSet())
                if (ds->FieldByName(DataField())->AsFloat() == 0) Value.clear();
        } catch (const std::exception &) {
            // No such field, or not a number: the value stays.
        }
    }
    if (FSavedOnPrint.Assigned()) FSavedOnPrint.Invoke<QObject *, QString &>(Sender, Value);
    if (Caption() != Value) SetCaption(Value);
    FormatLines();
}

void TVendamoDBText::InstallPrintHandler() {
    const TMethod own = PrintHandler();
    if (!(OnPrint() == own)) FSavedOnPrint = OnPrint();
    SetOnPrint(own);
}

void TVendamoDBText::BeforeRun() {
    TRepDBText::BeforeRun();
    FLastValue.clear();
    FLastPage = 0;
}

void TVendamoDBText::RestorePrintHandler() {
    SetOnPrint(FSavedOnPrint);
    FSavedOnPrint = TMethod();
}

void TVendamoDBText::Paint() {
    TRepDBText::Paint();
    PaintElementFrames(true, true);
}

void TVendamoDBText::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoDBText::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoDBText::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoDBText::Notification(TComponent *AComponent, TOperation Operation) {
    TRepDBText::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoExpr ----------------------------------------------------------------------------

TVendamoExpr::TVendamoExpr(TComponent *AOwner) : TRepExpr(AOwner), TElementDesign(this) {}

void TVendamoExpr::SetDegree(quint16 Value) {
    if (Value == FDegree) return;
    if (Value != 0) StoreAutoSize(false);
    FDegree = quint16(NormalizeDegree(Value));
    update();
}

void TVendamoExpr::Print(double OfsX, double OfsY) {
    if (FDegree == 0) {
        TRepExpr::Print(OfsX, OfsY);
        return;
    }
    SetCaption(FormatRepEvResult(Value(), Mask(), Expression()));
    PrintRotatedText(this, FDegree, OfsX, OfsY);
    if (ResetAfterPrint()) Reset();
}

void TVendamoExpr::Paint() {
    // On the design surface an expression shows its expression, as the report library does.
    if (FDegree != 0)
        PaintRotatedText(this, FDegree, DesignText());
    else
        TRepExpr::Paint();
    PaintElementFrames(true, true);
}

void TVendamoExpr::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoExpr::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoExpr::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoExpr::Notification(TComponent *AComponent, TOperation Operation) {
    TRepExpr::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoMemo ----------------------------------------------------------------------------

namespace {

// Puts a memo's lines back when printing is done, also when an expression fails.
class TMemoLinesGuard {
public:
    explicit TMemoLinesGuard(TRepMemo *memo) : FMemo(memo), FSaved(memo->Lines()->ToStringList()) {}
    ~TMemoLinesGuard() {
        if (FMemo->Lines()->ToStringList() != FSaved) FMemo->Lines()->SetStringList(FSaved);
        FMemo->SetCaption(QString());
    }
    const QStringList &Saved() const { return FSaved; }

private:
    TRepMemo *FMemo;
    QStringList FSaved;
};

}  // namespace

TVendamoMemo::TVendamoMemo(TComponent *AOwner) : TRepMemo(AOwner), TElementDesign(this) {}

void TVendamoMemo::PrepareContent() {
    TMemoLinesGuard guard(this);
    Lines()->SetStringList(SubstituteMemoLines(guard.Saved(), ParentReport()));
    TRepMemo::PrepareContent();
}

void TVendamoMemo::Paint() {
    TRepMemo::Paint();
    PaintElementFrames(true, true);
}

void TVendamoMemo::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoMemo::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoMemo::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) {
    LeaveFormFocus();
    ForwardMouseMove(Shift, X, Y);
}

void TVendamoMemo::Notification(TComponent *AComponent, TOperation Operation) {
    TRepMemo::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- TVendamoSysdata -------------------------------------------------------------------------

TVendamoSysdata::TVendamoSysdata(TComponent *AOwner) : TRepSysData(AOwner), TElementDesign(this) {}

void TVendamoSysdata::Paint() {
    TRepSysData::Paint();
    PaintElementFrames(true, true);
}

void TVendamoSysdata::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseDown(Button, Shift, X, Y);
}
void TVendamoSysdata::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    ForwardMouseUp(Button, Shift, X, Y);
}
void TVendamoSysdata::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) { ForwardMouseMove(Shift, X, Y); }

void TVendamoSysdata::Notification(TComponent *AComponent, TOperation Operation) {
    TRepSysData::Notification(AComponent, Operation);
    ElementDesignNotification(AComponent, Operation);
}

// --- handler swapping ------------------------------------------------------------------------

bool InstallDBTextPrintHandler(QObject *Element) {
    auto *t = qobject_cast<TVendamoDBText *>(Element);
    if (t) t->InstallPrintHandler();
    return t != nullptr;
}

bool RestoreDBTextPrintHandler(QObject *Element) {
    auto *t = qobject_cast<TVendamoDBText *>(Element);
    if (t) t->RestorePrintHandler();
    return t != nullptr;
}
