#pragma once
// The designable text elements: labels and expressions that can print at an angle, memos that
// substitute embedded expressions, system data, and data texts that can leave out repeated
// values and zeros.
#include "model/element_design.h"
#include "model/loader.h"

#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_label.h"
#include "reportlib/rep_sysdata.h"

#include "host/method.h"

class TVendamoLabel : public TRepLabel, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(quint16 Degree READ Degree WRITE SetDegree)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoLabel(TComponent *AOwner = nullptr);

    // Rotation in tenths of a degree, counter-clockwise; 0 prints as the report library does.
    // A rotated label does not size itself to its text.
    quint16 Degree() const { return FDegree; }
    void SetDegree(quint16 Value);

    void FormatLines() override;
    void Print(double OfsX, double OfsY) override;
    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    quint16 FDegree = 0;
};

class TVendamoDBText : public TRepDBText, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool SuppressRepeatedValues READ SuppressRepeatedValues WRITE SetSuppressRepeatedValues)
    Q_PROPERTY(bool ReprintOnNewPage READ ReprintOnNewPage WRITE SetReprintOnNewPage)
    Q_PROPERTY(bool ReprintOnNewGroup READ ReprintOnNewGroup WRITE SetReprintOnNewGroup)
    Q_PROPERTY(bool BlankIfZero READ BlankIfZero WRITE SetBlankIfZero)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoDBText(TComponent *AOwner = nullptr);

    // An empty text when the value equals the one printed last time ...
    bool SuppressRepeatedValues() const { return FSuppressRepeatedValues; }
    void SetSuppressRepeatedValues(bool value) { FSuppressRepeatedValues = value; }
    // ... unless the page changed since then ...
    bool ReprintOnNewPage() const { return FReprintOnNewPage; }
    void SetReprintOnNewPage(bool value) { FReprintOnNewPage = value; }
    // ... or a group header printed since then (the group band clears the last value).
    bool ReprintOnNewGroup() const { return FReprintOnNewGroup; }
    void SetReprintOnNewGroup(bool value) { FReprintOnNewGroup = value; }
    // An empty text when the field's numeric value is 0.
    bool BlankIfZero() const { return FBlankIfZero; }
    void SetBlankIfZero(bool value) { FBlankIfZero = value; }

    // The value remembered for repeated-value suppression, and the page it was remembered on.
    QString LastValue() const { return FLastValue; }
    int LastValuePage() const { return FLastPage; }
    // Forgets the remembered value, so that the next value prints even if it repeats.
    void ClearLastValue() { FLastValue.clear(); }

    // The on-print handler of a print run: suppression, blank zeros, then the application's
    // handler; the result becomes the caption.
    void DBTextOnPrint(QObject *Sender, QString &Value);
    TMethod PrintHandler() { return TMethod::Make(this, &TVendamoDBText::DBTextOnPrint); }
    // Installs DBTextOnPrint for a run, keeping the application's handler;
    // RestorePrintHandler puts the application's handler back.
    void InstallPrintHandler();
    void RestorePrintHandler();
    TMethod SavedOnPrint() const { return FSavedOnPrint; }

    // A value that reprints on a new page depends on the page it really prints on: when its
    // band moves on to the next page it is taken (and its handler run) again there.
    bool DependsOnPage() const override { return FSuppressRepeatedValues && FReprintOnNewPage; }
    // Every run (each copy printed as a pass too) starts with no value remembered.
    void BeforeRun() override;

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    // The page of the run in progress.
    int CurrentPage() const;

    bool FSuppressRepeatedValues = false;
    bool FReprintOnNewPage = false;
    bool FReprintOnNewGroup = false;
    bool FBlankIfZero = false;
    QString FLastValue;
    int FLastPage = 0;
    TMethod FSavedOnPrint;
};

class TVendamoExpr : public TRepExpr, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(quint16 Degree READ Degree WRITE SetDegree)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoExpr(TComponent *AOwner = nullptr);

    // Rotation as for labels.
    quint16 Degree() const { return FDegree; }
    void SetDegree(quint16 Value);

    void Print(double OfsX, double OfsY) override;
    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    // The report library forgets a master that goes away.
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    quint16 FDegree = 0;
};

class TVendamoMemo : public TRepMemo, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoMemo(TComponent *AOwner = nullptr);

    // Substitutes the expressions, leaves out the "%DEL" lines and formats the result, which
    // both measures a stretching memo and is what prints (each expression is evaluated once
    // per print); the memo's own lines are unchanged afterwards.
    void PrepareContent() override;
    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

class TVendamoSysdata : public TRepSysData, public TElementDesign {
    Q_OBJECT
    Q_PROPERTY(qint32 GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
public:
    Q_INVOKABLE explicit TVendamoSysdata(TComponent *AOwner = nullptr);

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

// Installs (or restores) the data text's on-print handler; false for other objects.
bool InstallDBTextPrintHandler(QObject *Element);
bool RestoreDBTextPrintHandler(QObject *Element);
