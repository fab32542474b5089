#include "host/pen_brush.h"

void TPen::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    emit Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == FMode) return;
    FMode = value;
    emit Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    emit Changed();
}

void TPen::SetWidth(int value) {
    value = qMax(0, value);
    if (value == FWidth) return;
    FWidth = value;
    emit Changed();
}

QPen TPen::ToQPen(double scale) const {
    if (FStyle == psClear || FColor == clNone) return QPen(Qt::NoPen);
    QPen pen(ColorToQColor(FColor));
    pen.setWidthF(FWidth * scale);
    switch (FStyle) {
    case psDash: pen.setStyle(Qt::DashLine); break;
    case psDot: pen.setStyle(Qt::DotLine); break;
    case psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    // Frames and lines end flush with their coordinates, as the reports were laid out.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void TPen::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TPen *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    FColor = other->FColor;
    FMode = other->FMode;
    FStyle = other->FStyle;
    FWidth = other->FWidth;
    emit Changed();
}

bool TPen::Equals(const TPen &other) const {
    return FColor == other.FColor && FMode == other.FMode && FStyle == other.FStyle && FWidth == other.FWidth;
}

QPainter::CompositionMode PenCompositionMode(TPenMode mode) {
    switch (mode) {
    case TPen::pmBlack: return QPainter::RasterOp_ClearDestination;
    case TPen::pmWhite: return QPainter::RasterOp_SetDestination;
    case TPen::pmNop: return QPainter::CompositionMode_Destination;
    case TPen::pmNot: return QPainter::RasterOp_NotDestination;
    case TPen::pmNotCopy: return QPainter::RasterOp_NotSource;
    case TPen::pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case TPen::pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case TPen::pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case TPen::pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case TPen::pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case TPen::pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case TPen::pmMask: return QPainter::RasterOp_SourceAndDestination;
    case TPen::pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case TPen::pmXor: return QPainter::RasterOp_SourceXorDestination;
    case TPen::pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case TPen::pmCopy:
    default: return QPainter::CompositionMode_SourceOver;
    }
}

void TBrush::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    emit Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    emit Changed();
}

QBrush TBrush::ToQBrush() const {
    if (FStyle == bsClear || FColor == clNone) return QBrush(Qt::NoBrush);
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (FStyle) {
    case bsHorizontal: style = Qt::HorPattern; break;
    case bsVertical: style = Qt::VerPattern; break;
    case bsFDiagonal: style = Qt::FDiagPattern; break;
    case bsBDiagonal: style = Qt::BDiagPattern; break;
    case bsCross: style = Qt::CrossPattern; break;
    case bsDiagCross: style = Qt::DiagCrossPattern; break;
    default: break;
    }
    return QBrush(ColorToQColor(FColor), style);
}

void TBrush::Assign(const TPersistent *Source) {
    const auto *other = qobject_cast<const TBrush *>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this) return;
    FColor = other->FColor;
    FStyle = other->FStyle;
    emit Changed();
}

bool TBrush::Equals(const TBrush &other) const { return FColor == other.FColor && FStyle == other.FStyle; }
