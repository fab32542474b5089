#pragma once
// The frame of a report, band or printable: which of the four sides are drawn, in which colour,
// line style and width (points). Sides are also reached by index: 0 top, 1 bottom, 2 left,
// 3 right.
#include "host/colors.h"
#include "host/pen_brush.h"
#include "host/persistent.h"

#include <QRectF>

class QPainter;

class TRepFrame : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool DrawTop READ DrawTop WRITE SetDrawTop)
    Q_PROPERTY(bool DrawBottom READ DrawBottom WRITE SetDrawBottom)
    Q_PROPERTY(bool DrawLeft READ DrawLeft WRITE SetDrawLeft)
    Q_PROPERTY(bool DrawRight READ DrawRight WRITE SetDrawRight)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    enum TFrameSide { fsTop = 0, fsBottom = 1, fsLeft = 2, fsRight = 3 };

    using TPersistent::TPersistent;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool DrawTop() const { return FSides[fsTop]; }
    void SetDrawTop(bool v) { SetValue(fsTop, v); }
    bool DrawBottom() const { return FSides[fsBottom]; }
    void SetDrawBottom(bool v) { SetValue(fsBottom, v); }
    bool DrawLeft() const { return FSides[fsLeft]; }
    void SetDrawLeft(bool v) { SetValue(fsLeft, v); }
    bool DrawRight() const { return FSides[fsRight]; }
    void SetDrawRight(bool v) { SetValue(fsRight, v); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    // Line width in points (0 draws the thinnest line).
    int Width() const { return FWidth; }
    void SetWidth(int value);

    // Sides by index (0 top, 1 bottom, 2 left, 3 right); other indices read false.
    bool Value(int index) const { return index >= 0 && index < 4 && FSides[index]; }
    void SetValue(int index, bool on);
    bool AnyFrame() const { return FSides[0] || FSides[1] || FSides[2] || FSides[3]; }

    // Paints the drawn sides inside rect, each a line of Width points (pixelsPerPoint device
    // pixels per point) lying along the edge on the inner side.
    void Paint(QPainter &painter, const QRectF &rect, double pixelsPerPoint) const;

    void Assign(const TPersistent *Source) override;
    bool Equals(const TRepFrame &other) const;

private:
    TColor FColor = clBlack;
    bool FSides[4] = {false, false, false, false};
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};
