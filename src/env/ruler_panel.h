#pragma once
// The horizontal ruler above the report: marks and numbers in millimetres, inches or
// characters, scaled by the report's zoom. Design pixels are 96 per inch, as on the surface,
// so the marks line up with the report at every zoom.
#include "host/colors.h"
#include "host/container_controls.h"
#include "host/pen_brush.h"

#include <QList>
#include <QString>

// One mark of the ruler: a line from (X, Top) to (X, the ruler's height), drawn with the major
// or the minor pen, and the number written at (X + 2, NumberTop) when there is one.
struct TRulerMark {
    int X = 0;
    int Top = 0;
    bool Major = false;
    QString Number;
    int NumberTop = 0;
    bool operator==(const TRulerMark &) const = default;
};

class TRulerPanel : public TPanel {
    Q_OBJECT
    Q_PROPERTY(TColor MajorColor READ MajorColor WRITE SetMajorColor)
    Q_PROPERTY(int MajorStyle READ MajorStyle WRITE SetMajorStyle)
    Q_PROPERTY(TColor MinorColor READ MinorColor WRITE SetMinorColor)
    Q_PROPERTY(int MinorStyle READ MinorStyle WRITE SetMinorStyle)
    Q_PROPERTY(int Units READ Units WRITE SetUnit)
    Q_PROPERTY(int Zoom READ Zoom WRITE SetZoom)
public:
    static constexpr int PixelsPerInch = 96;

    Q_INVOKABLE explicit TRulerPanel(TComponent *AOwner = nullptr);

    // Plain stored values: setting them does not repaint.
    TColor MajorColor() const { return FMajorColor; }
    void SetMajorColor(TColor value) { FMajorColor = value; }
    int MajorStyle() const { return FMajorStyle; }
    void SetMajorStyle(int value) { FMajorStyle = value; }
    TColor MinorColor() const { return FMinorColor; }
    void SetMinorColor(TColor value) { FMinorColor = value; }
    int MinorStyle() const { return FMinorStyle; }
    void SetMinorStyle(int value) { FMinorStyle = value; }

    // The report library's unit (0 millimetres, 1 inches, 3 characters; others draw no marks)
    // and the zoom in percent; both repaint.
    int Units() const { return FUnits; }
    void SetUnit(int value);
    int Zoom() const { return FZoom; }
    void SetZoom(int value);

    // The marks a ruler of this unit, zoom and size shows, left to right.
    static QList<TRulerMark> Marks(int Units, int Zoom, int Width, int Height, int PPI = PixelsPerInch);
    // Whether the character unit's dotted pen is used.
    static bool DottedMarks(int Units) { return Units == 3; }

    void Paint();

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TColor FMajorColor = clBlack;
    int FMajorStyle = TPen::psSolid;
    TColor FMinorColor = clBlack;
    int FMinorStyle = TPen::psSolid;
    int FUnits = 0;
    int FZoom = 100;
};
