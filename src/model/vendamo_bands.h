#pragma once
// The designable bands: the report library's four band classes with the common element
// properties of bands, the designer link, a design background picture, and print conditions
// (an expression, except on groups, and a page range with a step) checked by the band's own
// before-print handler, which a print run installs in place of the application's and calls
// that one after it.
#include "model/band_design.h"
#include "model/loader.h"

#include "reportlib/rep_band.h"

#include "host/picture.h"

class TVendamoBand : public TRepBand, public TBandDesign {
    Q_OBJECT
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(TBitmap *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(qint32 DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(qint32 DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum)
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum)
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep)
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage)
    Q_PROPERTY(bool NotOnLastPage READ NotOnLastPage WRITE SetNotOnLastPage)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool BlockSelection READ BlockSelection WRITE SetBlockSelection)
public:
    Q_INVOKABLE explicit TVendamoBand(TComponent *AOwner = nullptr);

    // The print condition (at most 255 characters), stored as it is; empty always prints.
    QString Expression() const { return ConditionExpression(); }
    void SetExpression(const QString &value) { SetConditionExpression(value); }
    // A page footer with this flag does not print on the page where the summary printed.
    bool NotOnLastPage() const { return FNotOnLastPage; }
    void SetNotOnLastPage(bool value) { FNotOnLastPage = value; }

    // The before-print handler of a print run: a summary marks the last page; then the
    // expression, the last-page rule of page footers, the page rule and the application's
    // handler decide.
    void BandBeforePrint(QObject *Sender, bool &PrintBand);
    TMethod PrintHandler() { return TMethod::Make(this, &TVendamoBand::BandBeforePrint); }
    void InstallPrintHandler() { InstallBeforePrint(PrintHandler()); }
    void RestorePrintHandler() { RestoreBeforePrint(); }

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    bool FNotOnLastPage = false;
};

class TVendamoChildBand : public TRepChildBand, public TBandDesign {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(TBitmap *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(qint32 DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(qint32 DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum)
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum)
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep)
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool BlockSelection READ BlockSelection WRITE SetBlockSelection)
public:
    Q_INVOKABLE explicit TVendamoChildBand(TComponent *AOwner = nullptr);

    QString Expression() const { return ConditionExpression(); }
    void SetExpression(const QString &value) { SetConditionExpression(value); }

    // The expression, the page rule and the application's handler decide.
    void BandBeforePrint(QObject *Sender, bool &PrintBand);
    TMethod PrintHandler() { return TMethod::Make(this, &TVendamoChildBand::BandBeforePrint); }
    void InstallPrintHandler() { InstallBeforePrint(PrintHandler()); }
    void RestorePrintHandler() { RestoreBeforePrint(); }

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

// A group header. Its Expression (of the report library) is the group-break expression, not
// a print condition: the group has only the page rule.
class TVendamoGroup : public TRepGroup, public TBandDesign {
    Q_OBJECT
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(TBitmap *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(qint32 DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(qint32 DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum)
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum)
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep)
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool BlockSelection READ BlockSelection WRITE SetBlockSelection)
public:
    Q_INVOKABLE explicit TVendamoGroup(TComponent *AOwner = nullptr);

    // Prints (a new group starts): the data texts of the group's master band that reprint on
    // a new group forget their last value; then the page rule and the application's handler.
    void BandBeforePrint(QObject *Sender, bool &PrintBand);
    TMethod PrintHandler() { return TMethod::Make(this, &TVendamoGroup::BandBeforePrint); }
    void InstallPrintHandler() { InstallBeforePrint(PrintHandler()); }
    void RestorePrintHandler() { RestoreBeforePrint(); }

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

class TVendamoSubdetail : public TRepSubDetail, public TBandDesign {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(quint16 BandNum READ BandNum WRITE SetBandNum)
    Q_PROPERTY(TBitmap *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(qint32 DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(qint32 DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
    Q_PROPERTY(quint16 StartPageNum READ StartPageNum WRITE SetStartPageNum)
    Q_PROPERTY(quint16 EndPageNum READ EndPageNum WRITE SetEndPageNum)
    Q_PROPERTY(quint16 PageStep READ PageStep WRITE SetPageStep)
    Q_PROPERTY(bool NotOnFirstPage READ NotOnFirstPage WRITE SetNotOnFirstPage)
    Q_PROPERTY(TVDMLoader *Vendamoer READ Vendamoer WRITE SetVendamoer)
    Q_PROPERTY(bool BlockDelete READ BlockDelete WRITE SetBlockDelete)
    Q_PROPERTY(bool BlockMove READ BlockMove WRITE SetBlockMove)
    Q_PROPERTY(bool BlockResize READ BlockResize WRITE SetBlockResize)
    Q_PROPERTY(bool BlockEdit READ BlockEdit WRITE SetBlockEdit)
    Q_PROPERTY(bool BlockChange READ BlockChange WRITE SetBlockChange)
    Q_PROPERTY(bool BlockSelection READ BlockSelection WRITE SetBlockSelection)
public:
    Q_INVOKABLE explicit TVendamoSubdetail(TComponent *AOwner = nullptr);

    QString Expression() const { return ConditionExpression(); }
    void SetExpression(const QString &value) { SetConditionExpression(value); }

    // The expression, the page rule and the application's handler decide.
    void BandBeforePrint(QObject *Sender, bool &PrintBand);
    TMethod PrintHandler() { return TMethod::Make(this, &TVendamoSubdetail::BandBeforePrint); }
    void InstallPrintHandler() { InstallBeforePrint(PrintHandler()); }
    void RestorePrintHandler() { RestoreBeforePrint(); }

    void Paint() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
};

// Installs the band's own before-print handler (keeping the application's) on a band of any
// of the four classes; false for other objects. RestoreBandPrintHandler undoes it.
bool InstallBandPrintHandler(QObject *Band);
bool RestoreBandPrintHandler(QObject *Band);
