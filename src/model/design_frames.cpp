#include "model/design_frames.h"

#include "model/design_report.h"

#include "reportlib/rep_control.h"

#include "host/pen_brush.h"
#include "host/property_access.h"

#include <QPainter>
#include <cmath>

namespace {

// Fills the box between two corners the way a filled rectangle of the platform does: the
// corners are normalised, and the right and bottom edges are not part of the box.
void FillBox(QPainter &canvas, int x1, int y1, int x2, int y2, const QColor &color) {
    const QRect box(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2) - 1, qMax(y1, y2) - 1));
    if (box.isValid()) canvas.fillRect(box, color);
}

// The frame's sides as strips of thickness tx (left, right) and ty (top, bottom) inside R.
void FrameStrips(const TRepControl *Element, QPainter *Canvas, const QRect &Rect, int tx, int ty) {
    if (!Element || !Canvas) return;
    const TRepFrame *frame = Element->Frame();
    const QColor color = ColorToQColor(frame->Color());
    // Right and bottom are exclusive edges here.
    const int l = Rect.left(), t = Rect.top(), r = Rect.left() + Rect.width() - 1, b = Rect.top() + Rect.height() - 1;
    if (frame->DrawTop()) FillBox(*Canvas, l, t, r, t + ty, color);
    if (frame->DrawBottom()) FillBox(*Canvas, l, b, r, b - ty, color);
    if (frame->DrawLeft()) FillBox(*Canvas, l, t, l + tx, b, color);
    if (frame->DrawRight()) FillBox(*Canvas, r - tx, t, r, b, color);
    Canvas->setBrush(Qt::NoBrush);
}

// Line thickness in device pixels; a frame of width 0 is the thinnest line there is.
int Thickness(double pixelsPerPoint, int widthPoints) {
    if (widthPoints <= 0) return 1;
    return int(std::lround(pixelsPerPoint * widthPoints));
}

}  // namespace

bool PaintDesignBackground(const TBitmap *Bitmap, int DX, int DY, const TReport *Report, const QObject *Designer,
                           QPainter *Canvas) {
    if (!Bitmap || !Canvas) return false;
    int zoom = 100;
    if (const auto *designerReport = qobject_cast<const TReport *>(GetPointerProperty(Designer, QStringLiteral("Report"))))
        zoom = designerReport->Zoom();
    if (!Bitmap->Empty()) Canvas->drawImage(ScaleDesignRect(DX, DY, Bitmap->Width(), Bitmap->Height(), zoom), Bitmap->Image());
    return Report && Report->Page()->Ruler();
}

void ShowComponentFrame(const QObject *Designer, QPainter *Canvas, int Width, int Height) {
    if (!Designer || !Canvas || !GetBooleanProperty(Designer, QStringLiteral("ShowComponentFrames"))) return;
    TPen pen;
    pen.SetColor(TColor(GetIntegerProperty(Designer, QStringLiteral("ComponentFrameColor"))));
    const qint64 style = GetIntegerProperty(Designer, QStringLiteral("ComponentFrameStyle"));
    pen.SetStyle(style >= psSolid && style <= psInsideFrame ? TPenStyle(style) : psSolid);
    pen.SetWidth(1);
    Canvas->save();
    Canvas->setPen(pen.ToQPen());
    Canvas->setBrush(Qt::NoBrush);
    // An outline over the pixels 0 .. Width-1 and 0 .. Height-1.
    Canvas->drawRect(QRect(0, 0, Width - 1, Height - 1));
    Canvas->restore();
}

void DrawFrame(const TRepControl *Element, QPainter *Canvas, const QRect &Rect) {
    if (!Element) return;
    const int t = Thickness(96.0 / 72.0, Element->Frame()->Width());
    FrameStrips(Element, Canvas, Rect, t, t);
}

void PrintFrame(const TRepControl *Element, QPainter *Canvas, const QRect &Rect, double XFactor, double YFactor) {
    if (!Element) return;
    const int width = Element->Frame()->Width();
    FrameStrips(Element, Canvas, Rect, Thickness(XFactor * 254 / 72, width), Thickness(YFactor * 254 / 72, width));
}
