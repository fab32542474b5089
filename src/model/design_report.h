#pragma once
// The report as the designer and the loader use it: the report library's report with a design
// background picture, a link to the form's loader (which receives the mouse events of the
// report's own surface), and the last-page flag that summary bands set while printing so that
// page footers can leave out the last page.
#include "reportlib/report.h"

#include "host/picture.h"

#include <QList>
#include <QPointer>

class TVDMLoader;
class TVendamoBand;
Q_MOC_INCLUDE("model/loader.h")

class TDesignReport : public TReport {
    Q_OBJECT
    Q_PROPERTY(TBitmap *DesignBackground READ DesignBackground WRITE SetDesignBackground)
    Q_PROPERTY(qint32 DesignBackgroundDX READ DesignBackgroundDX WRITE SetDesignBackgroundDX)
    Q_PROPERTY(qint32 DesignBackgroundDY READ DesignBackgroundDY WRITE SetDesignBackgroundDY)
public:
    Q_INVOKABLE explicit TDesignReport(TComponent *AOwner = nullptr);
    ~TDesignReport() override;

    // A picture drawn behind the page while designing (never printed), offset by DX, DY report
    // pixels at zoom 100. Assigning copies the picture.
    TBitmap *DesignBackground() const { return FDesignBackground; }
    void SetDesignBackground(TBitmap *value);
    qint32 DesignBackgroundDX() const { return FDX; }
    void SetDesignBackgroundDX(qint32 value);
    qint32 DesignBackgroundDY() const { return FDY; }
    void SetDesignBackgroundDY(qint32 value);

    // The loader or designer of the report's form (not owned).
    TVDMLoader *Loader() const { return FLoader; }
    void SetLoader(TVDMLoader *value);

    // Set by a summary band when it starts printing, so that the page footer of the same page
    // knows it is the last one. Cleared at the start of each run.
    bool LastPage() const { return FLastPage; }
    void SetLastPage(bool value) { FLastPage = value; }

    // The summary band a print run adds for its own length when a page footer must know the
    // last page and the report has no summary (null otherwise; not owned).
    TVendamoBand *TemporaryBand() const { return FTemporaryBand; }
    void SetTemporaryBand(TVendamoBand *value) { FTemporaryBand = value; }

    // Every run (Print, PrintTo, ExportToFilter, Preview) is wrapped by PrepareReportPrint and
    // DoneReportPrint through the report's run hooks; nothing happens when the preparation is
    // cancelled. A preview keeps its preparation until its window closes, so that printing or
    // saving from the window uses the parameters asked for the preview.
    bool PreparePrint() override;
    void DonePrint() override;
    void Preview() override;
    // Each pass of a run (each copy printed as a pass too) starts with the last-page flag
    // cleared.
    void ResetRunState() override;

    // Before a run: asks the loader for the query parameters (false: cancelled, nothing is
    // changed), clears the last-page flag, installs the designable bands' and data texts' own
    // print handlers (keeping the application's) and adds a temporary 2-pixel summary band when
    // a band must leave out the last page and the report has no summary to tell it.
    bool PrepareReportPrint();
    // After a run: the asked parameters are emptied, the temporary band goes and every handler
    // installed by PrepareReportPrint is replaced by the application's again.
    void DoneReportPrint();

    // Design-time painting: the page, the background picture, then rulers, margins, frame and
    // columns again on top of the picture.
    void Paint() override;
    // The report surface's mouse events go to the loader (with no sender) instead of the
    // report library.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    // Clipboard keys go to the designer (its invokable CopyToVDMClipboard, CutToVDMClipboard
    // and PasteFromVDMClipboard): Ctrl+Insert and Ctrl+C copy, Shift+Insert and Ctrl+V paste,
    // Ctrl+X cuts. A plain loader ignores them.
    void KeyDown(int Key, Qt::KeyboardModifiers Shift) override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TBitmap *FDesignBackground;
    qint32 FDX = 0;
    qint32 FDY = 0;
    TVDMLoader *FLoader = nullptr;
    TVendamoBand *FTemporaryBand = nullptr;
    bool FLastPage = false;
    // Bands and data texts whose handlers the prepared run replaced (cleared by the run's end).
    QList<QPointer<QObject>> FSwapped;
    // A preparation is in force (a run's or a preview's), and whether the run in progress made
    // it (and so ends it).
    bool FPrepared = false;
    bool FRunPrepared = false;
};

// The rectangle (x, y, x + width, y + height) scaled by a zoom in percent, each coordinate
// rounded; unscaled when the scaled values do not fit.
QRect ScaleDesignRect(int x, int y, int width, int height, int zoom);
