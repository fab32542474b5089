#include "reportlib/rep_shape.h"

#include "reportlib/rep_printer.h"

#include <QPainter>

TRepShape::TRepShape(TComponent *AOwner) : TRepPrintable(AOwner) {
    FPen = new TPen(this);
    FBrush = new TBrush(this);
    connect(FPen, &TPersistent::Changed, this, [this] { Changed(); });
    connect(FBrush, &TPersistent::Changed, this, [this] { Changed(); });
}

void TRepShape::SetShape(TRepShapeType value) {
    if (value < stRectangle || value > stRightAndLeft || value == FShape) return;
    FShape = value;
    Changed();
}

void TRepShape::DrawShape(QPainter &painter, const QRectF &rect, double penScale) const {
    painter.save();
    QPen pen = FPen->ToQPen(penScale);
    if (pen.style() != Qt::NoPen && pen.widthF() <= 0) pen.setWidthF(qMax(1.0, penScale / 2));
    painter.setPen(pen);
    painter.setBrush(FBrush->ToQBrush());
    painter.setCompositionMode(PenCompositionMode(FPen->Mode()));
    // Outlines lie inside the rectangle.
    const double h = pen.style() == Qt::NoPen ? 0 : pen.widthF() / 2;
    const QRectF r = rect.adjusted(h, h, -h, -h);
    switch (FShape) {
    case stRectangle: painter.drawRect(r); break;
    case stCircle: painter.drawEllipse(r); break;
    case stVertLine: painter.drawLine(QPointF(rect.center().x(), rect.top()), QPointF(rect.center().x(), rect.bottom())); break;
    case stHorLine: painter.drawLine(QPointF(rect.left(), rect.center().y()), QPointF(rect.right(), rect.center().y())); break;
    case stTopAndBottom:
        painter.drawLine(QPointF(rect.left(), r.top()), QPointF(rect.right(), r.top()));
        painter.drawLine(QPointF(rect.left(), r.bottom()), QPointF(rect.right(), r.bottom()));
        break;
    case stRightAndLeft:
        painter.drawLine(QPointF(r.left(), rect.top()), QPointF(r.left(), rect.bottom()));
        painter.drawLine(QPointF(r.right(), rect.top()), QPointF(r.right(), rect.bottom()));
        break;
    }
    painter.restore();
}

void TRepShape::Print(double OfsX, double OfsY) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas()) return;
    const QRectF rect = PrintRect(OfsX, OfsY);
    DrawShape(*p->Canvas(), rect, p->PixelScale());
    PrintFrame(rect);
}

void TRepShape::Paint() {
    if (QPainter *c = Canvas()) DrawShape(*c, QRectF(rect()), Zoom() / 100.0);
    TRepPrintable::Paint();
}
