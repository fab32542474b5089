#pragma once
// What the four designable band classes add to the report library's bands, kept in one place:
// the common element properties of bands, the link to the form's designer (which receives the
// band's mouse events), a design background picture, and the page rule of the print
// condition. Each band class mixes this in next to its report library base and publishes the
// properties in its own order.
#include "host/component.h"
#include "host/method.h"

#include <QString>
#include <Qt>

class QObject;
class TBitmap;
class TDesignReport;
class TRepBand;
class TVDMLoader;

class TBandDesign {
public:
    explicit TBandDesign(TRepBand *self);
    TBandDesign(const TBandDesign &) = delete;
    TBandDesign &operator=(const TBandDesign &) = delete;

    // The band's number in its report (0 none), assigned afresh by every save.
    quint16 BandNum() const { return FBandNum; }
    void SetBandNum(quint16 value) { FBandNum = value; }

    // A picture painted behind the band while designing, shifted by DX, DY pixels; owned by
    // the band, assigning copies it.
    TBitmap *DesignBackground() const { return FDesignBackground; }
    void SetDesignBackground(TBitmap *value);
    qint32 DesignBackgroundDX() const { return FDX; }
    void SetDesignBackgroundDX(qint32 value);
    qint32 DesignBackgroundDY() const { return FDY; }
    void SetDesignBackgroundDY(qint32 value);

    // The page rule: 0 in a number means "not set"; a step switches the rule on only when
    // greater than 1.
    quint16 StartPageNum() const { return FStartPageNum; }
    void SetStartPageNum(quint16 value) { FStartPageNum = value; }
    quint16 EndPageNum() const { return FEndPageNum; }
    void SetEndPageNum(quint16 value) { FEndPageNum = value; }
    quint16 PageStep() const { return FPageStep; }
    void SetPageStep(quint16 value) { FPageStep = value; }
    bool NotOnFirstPage() const { return FNotOnFirstPage; }
    void SetNotOnFirstPage(bool value) { FNotOnFirstPage = value; }

    // The loader or designer of the band's form (not owned).
    TVDMLoader *Vendamoer() const { return FVendamoer; }
    void SetVendamoer(TVDMLoader *value);

    bool BlockDelete() const { return FBlockDelete; }
    void SetBlockDelete(bool value) { FBlockDelete = value; }
    bool BlockMove() const { return FBlockMove; }
    void SetBlockMove(bool value) { FBlockMove = value; }
    bool BlockResize() const { return FBlockResize; }
    void SetBlockResize(bool value) { FBlockResize = value; }
    bool BlockEdit() const { return FBlockEdit; }
    void SetBlockEdit(bool value) { FBlockEdit = value; }
    bool BlockChange() const { return FBlockChange; }
    void SetBlockChange(bool value) { FBlockChange = value; }
    bool BlockSelection() const { return FBlockSelection; }
    void SetBlockSelection(bool value) { FBlockSelection = value; }

    // The before-print handler the band had before a print run installed the band's own
    // (empty outside a run, or when there was none).
    TMethod SavedBeforePrint() const { return FSavedBeforePrint; }
    // Installs the band's own before-print handler for a run, keeping the current one, and
    // puts the kept one back afterwards.
    void RestoreBeforePrint();

    // Whether the page rule lets the band print on the current page of the designer's report
    // (true when the rule is not switched on or there is no such report).
    bool PageRuleAllows() const;
    // The current page of the designer's report, 0 without one.
    int CurrentPage() const;
    // The designer's report, null without designer or report.
    TDesignReport *VendamoerReport() const;

protected:
    void InstallBeforePrint(const TMethod &own);
    // Step shared by every band condition: the page rule (only after a true condition), then
    // the handler the application had set.
    void FinishBeforePrint(QObject *Sender, bool &PrintBand);

    // The print condition of the classes that publish one (not groups).
    QString ConditionExpression() const { return FExpression; }
    void SetConditionExpression(const QString &value);

    // Design-time decorations after the report library's painting: the background picture
    // (with the ruler again on top) and the band's name, when the form's loader is a designer.
    void PaintBandDesign();
    // Mouse events go to the designer: presses only while the band can be selected.
    void ForwardMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ForwardMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ForwardMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    // Keeps Vendamoer valid: cleared when it goes, filled by a designer that arrives.
    void BandDesignNotification(TComponent *AComponent, TOperation Operation);

private:
    TRepBand *FSelf;
    quint16 FBandNum = 0;
    QString FExpression;
    TBitmap *FDesignBackground;
    qint32 FDX = 0;
    qint32 FDY = 0;
    quint16 FStartPageNum = 0;
    quint16 FEndPageNum = 0;
    quint16 FPageStep = 0;
    bool FNotOnFirstPage = false;
    TVDMLoader *FVendamoer = nullptr;
    bool FBlockDelete = false;
    bool FBlockMove = false;
    bool FBlockResize = false;
    bool FBlockEdit = false;
    bool FBlockChange = false;
    bool FBlockSelection = false;
    TMethod FSavedBeforePrint;
};

// The page rule on its own: with S = start (0: 1), E = end (0: 9999999), T = step (0: 1), a
// band prints on page P when P >= S, P <= E, not (P = 1 and notOnFirstPage) and T divides
// P - S. The rule applies only when start, end or notOnFirstPage is set or the step is > 1.
bool PageRuleApplies(quint16 start, quint16 end, quint16 step, bool notOnFirstPage);
bool PageRuleAllows(quint16 start, quint16 end, quint16 step, bool notOnFirstPage, int page);
