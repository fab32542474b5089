#pragma once
// Decorations that bands and elements paint at design time, and the element frame they print
// themselves when they do not use the report library's printing.
#include <QRect>

class QObject;
class QPainter;
class TBitmap;
class TReport;
class TRepControl;

// Stretches the bitmap over (DX, DY, DX + width, DY + height) scaled by the zoom of the
// designer's report. True when a bitmap was drawn and Report's page shows its ruler (the
// caller then paints its ruler again over the picture).
bool PaintDesignBackground(const TBitmap *Bitmap, int DX, int DY, const TReport *Report, const QObject *Designer,
                           QPainter *Canvas);

// The element's outline (0, 0, Width, Height) in the designer's ComponentFrameColor and
// ComponentFrameStyle, when a designer is given and its ShowComponentFrames is on.
void ShowComponentFrame(const QObject *Designer, QPainter *Canvas, int Width, int Height);

// The element's frame on the design canvas: each drawn side as a filled strip inside Rect,
// as thick as the frame's width in points at 96 pixels per inch.
void DrawFrame(const TRepControl *Element, QPainter *Canvas, const QRect &Rect);

// The same on the printer canvas; XFactor and YFactor are device pixels per tenth of a
// millimetre.
void PrintFrame(const TRepControl *Element, QPainter *Canvas, const QRect &Rect, double XFactor, double YFactor);
