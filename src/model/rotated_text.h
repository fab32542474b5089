#pragma once
// Text printed at an angle (labels and expressions with a Degree): where the rotated text
// starts inside its element and how it is painted on the design surface and printed.
//
// Geometry is measured with the element's font at 96 pixels per inch. Device output whose
// pixels are not screen pixels (preview pages, PDF, printers) takes the resulting position as
// a fraction of the element's size and places it inside the element's device rectangle.
#include "reportlib/rep_printable.h"

#include <QRect>
#include <QString>

class TFont;
class TRepCustomLabel;

// Moves Rect (in: the area the text lies in; out: Left and Top are where the rotated text
// starts) for the element's Degree (read by name) and the alignment, at a zoom in percent.
// With the element's AutoSize (read by name) on, the element takes the rotated text's size
// instead of aligning. When printing to a device that is not at screen resolution, Rect comes
// in as the element's area in screen pixels and goes out in device pixels for the print
// offsets OfsX, OfsY (report units).
void CalculateRotatedPosition(TRepPrintable *Element, const TFont *Font, TAlignment Alignment, QRect &Rect,
                              int Zoom, bool Printing, double OfsX, double OfsY, const QString &Caption);

// Design-time painting of a rotated label or expression (Degree in tenths of a degree) showing
// Text (a label's caption, an expression's expression).
void PaintRotatedText(TRepCustomLabel *Element, int Degree, const QString &Text);
// Printing of a rotated label or expression at the band's corner (OfsX, OfsY).
void PrintRotatedText(TRepCustomLabel *Element, int Degree, double OfsX, double OfsY);

// Reduces a Degree value above 3600 by whole turns (3600) until it is at most 3600.
int NormalizeDegree(int Degree);
