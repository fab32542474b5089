#pragma once
// Shapes: rectangle, circle (ellipse), vertical or horizontal line through the middle, lines
// along top and bottom, lines along left and right; drawn with a pen and a brush.
#include "reportlib/rep_printable.h"

#include "host/pen_brush.h"

class TRepShape : public TRepPrintable {
    Q_OBJECT
    Q_PROPERTY(TRepShapeType Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TPen *Pen READ Pen WRITE SetPen)
    Q_PROPERTY(TBrush *Brush READ Brush WRITE SetBrush)
public:
    // Ordinals in the order report files store them.
    enum TRepShapeType { stRectangle, stCircle, stVertLine, stHorLine, stTopAndBottom, stRightAndLeft };
    Q_ENUM(TRepShapeType)
    static constexpr int ShapeTypeCount = 6;

    explicit TRepShape(TComponent *AOwner);

    TRepShapeType Shape() const { return FShape; }
    void SetShape(TRepShapeType value);
    TPen *Pen() const { return FPen; }
    void SetPen(TPen *value) { FPen->Assign(value); }
    TBrush *Brush() const { return FBrush; }
    void SetBrush(TBrush *value) { FBrush->Assign(value); }

    void Print(double OfsX, double OfsY) override;
    void Paint() override;

    // Draws the shape into a rectangle; penScale is device pixels per 96-ppi pixel.
    void DrawShape(QPainter &painter, const QRectF &rect, double penScale) const;

private:
    TRepShapeType FShape = stRectangle;
    TPen *FPen;
    TBrush *FBrush;
};

using TRepShapeType = TRepShape::TRepShapeType;
