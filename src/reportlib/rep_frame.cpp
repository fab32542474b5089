#include "reportlib/rep_frame.h"

#include <QPainter>

void TRepFrame::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    emit Changed();
}

void TRepFrame::SetStyle(TPenStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    emit Changed();
}

void TRepFrame::SetWidth(int value) {
    value = qBound(0, value, 1000);
    if (value == FWidth) return;
    FWidth = value;
    emit Changed();
}

void TRepFrame::SetValue(int index, bool on) {
    if (index < 0 || index > 3 || FSides[index] == on) return;
    FSides[index] = on;
    emit Changed();
}

void TRepFrame::Paint(QPainter &painter, const QRectF &rect, double pixelsPerPoint) const {
    if (!AnyFrame() || FStyle == psClear || FColor == clNone) return;
    const double t = qMax(0.5, FWidth * pixelsPerPoint);
    TPen pen;
    pen.SetColor(FColor);
    pen.SetStyle(FStyle);
    QPen qpen = pen.ToQPen();
    qpen.setWidthF(t);
    painter.save();
    painter.setPen(qpen);
    painter.setBrush(Qt::NoBrush);
    // Lines lie half their width inside the edge so that a frame never spills out of its rect.
    const double h = t / 2;
    const QRectF r = rect.adjusted(h, h, -h, -h);
    if (FSides[fsTop]) painter.drawLine(QPointF(rect.left(), r.top()), QPointF(rect.right(), r.top()));
    if (FSides[fsBottom]) painter.drawLine(QPointF(rect.left(), r.bottom()), QPointF(rect.right(), r.bottom()));
    if (FSides[fsLeft]) painter.drawLine(QPointF(r.left(), rect.top()), QPointF(r.left(), rect.bottom()));
    if (FSides[fsRight]) painter.drawLine(QPointF(r.right(), rect.top()), QPointF(r.right(), rect.bottom()));
    painter.restore();
}

void TRepFrame::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TRepFrame *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this || Equals(*other)) return;
    FColor = other->FColor;
    for (int i = 0; i < 4; ++i) FSides[i] = other->FSides[i];
    FStyle = other->FStyle;
    FWidth = other->FWidth;
    emit Changed();
}

bool TRepFrame::Equals(const TRepFrame &other) const {
    return FColor == other.FColor && FSides[0] == other.FSides[0] && FSides[1] == other.FSides[1] &&
           FSides[2] == other.FSides[2] && FSides[3] == other.FSides[3] && FStyle == other.FStyle &&
           FWidth == other.FWidth;
}
