#include "model/rotated_text.h"

#include "model/design_frames.h"
#include "model/report_constants.h"

#include "reportlib/rep_label.h"
#include "reportlib/report.h"

#include "host/font.h"
#include "host/property_access.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

double Angle(int tenths) { return tenths * M_PI / 1800.0; }
int Trunc(double v) { return int(v); }   // towards zero
int Round(double v) { return int(std::lround(v)); }

// Whether device pixels of the run are screen pixels (text geometry then applies directly).
bool DeviceIsScreen(const TRepPrinter *printer) { return printer && printer->Resolution() == RepScreenPPI; }

// The font scaled to a zoom the way a canvas font is: its size times the zoom, rounded.
void ZoomFont(TFont &font, const TFont *source, int zoom) {
    font.Assign(source);
    if (zoom != 100) font.SetSize(Round(source->Size() * zoom * 0.01));
}

// Draws the caption rotated counter-clockwise by Degree around its top-left corner at (x, y).
void DrawRotated(QPainter &canvas, const QFont &font, const QColor &color, double ascent, const QRect &clip, int x,
                 int y, int degree, const QString &caption) {
    canvas.save();
    canvas.setClipRect(clip, Qt::IntersectClip);
    canvas.translate(x, y);
    canvas.rotate(-degree / 10.0);
    canvas.setFont(font);
    canvas.setPen(color);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawText(QPointF(0, ascent), caption);
    canvas.restore();
}

}  // namespace

int NormalizeDegree(int Degree) {
    while (Degree > 3600) Degree -= 3600;
    return Degree;
}

void CalculateRotatedPosition(TRepPrintable *Element, const TFont *Font, TAlignment Alignment, QRect &Rect,
                              int Zoom, bool Printing, double OfsX, double OfsY, const QString &Caption) {
    if (!Element || !Font) return;
    // Unrotated extent of the text.
    const QFontMetrics fm(Font->ToQFont(100));
    const int W = fm.horizontalAdvance(Caption.left(ShortStringLength));
    const int H = fm.height();
    const int D = int(GetIntegerProperty(Element, QStringLiteral("Degree")));
    const double c = std::cos(Angle(D)), s = std::sin(Angle(D));
    // Rectangles here have exclusive right and bottom edges.
    int left = Rect.x(), top = Rect.y(), right = Rect.x() + Rect.width(), bottom = Rect.y() + Rect.height();

    // Where the text starts inside its rotated extent, by quadrant.
    int dx = 0, dy = 0;
    if (D <= 900) {
        dy = Trunc(s * W);
    } else if (D <= 1800) {
        dx = Trunc(-c * W);
        dy = Trunc(s * W + std::cos(Angle(1800 - D)) * H);
    } else if (D <= 2700) {
        dx = Trunc(-c * W + std::sin(Angle(D - 1800)) * H);
        dy = Trunc(std::sin(Angle(2700 - D)) * H);
    } else {
        dx = Trunc(std::sin(Angle(3600 - D)) * H);
    }
    const double z = Zoom * 0.01;
    left += Round(dx * z);
    top += Round(dy * z);

    const int RW = Round((std::abs(Trunc(c * W)) + std::abs(Trunc(s * H))) * z);
    const int RH = Round((std::abs(Trunc(s * W)) + std::abs(Trunc(c * H))) * z);
    if (GetBooleanProperty(Element, QStringLiteral("AutoSize"))) {
        Element->SetSizeMM(3, RepPixelsToMM(RW, Zoom));
        Element->SetSizeMM(0, RepPixelsToMM(RH, Zoom));
    } else {
        // The element's size at this zoom.
        const int width = Round(RepMMToPixels(Element->SizeMM(3), Zoom));
        const int height = Round(RepMMToPixels(Element->SizeMM(0), Zoom));
        switch (Alignment) {
        case taLeftJustify:
            if (D <= 1800) top += height - RH;
            if (D > 900 && D <= 2700) left += width - RW;
            break;
        case taCenter:
            if (D == 2700)
                left += width - RW;
            else if (D != 900)
                left += (width - RW) / 2;
            if (D == 1800)
                top += height - RH;
            else
                top += (height - RH) / 2;
            break;
        case taRightJustify:
            if (D < 900 || D >= 2700) left += width - RW;
            if (D >= 1800) top += height - RH;
            break;
        }
    }

    const TReport *report = Element->ParentReport();
    const TRepPrinter *printer = report ? report->Printer() : nullptr;
    if (Printing && printer && !DeviceIsScreen(printer)) {
        // The position so far is in screen pixels relative to the element: keep it as a
        // fraction of the element's size on the device.
        const double fx = right != 0 ? double(left) / right : 0.0;
        const double fy = bottom != 0 ? double(top) / bottom : 0.0;
        const TRepSize *size = Element->Size();
        left = printer->XPos(size->Left() + OfsX);
        right = printer->XPos(OfsX + size->Left() + size->Width());
        left += Round((right - left) * fx);
        top = printer->YPos(size->Top() + OfsY);
        bottom = printer->YPos(OfsY + size->Top() + size->Height());
        top += Round((bottom - top) * fy);
    }
    Rect = QRect(left, top, right - left, bottom - top);
}

void PaintRotatedText(TRepCustomLabel *Element, int Degree, const QString &Text) {
    QPainter *canvas = Element ? Element->Canvas() : nullptr;
    if (!canvas) return;
    if (!Element->Transparent() && Element->Color() != clNone) canvas->fillRect(Element->rect(), ColorToQColor(Element->Color()));
    Element->PaintCorners();
    TFont font;
    ZoomFont(font, Element->Font(), Element->Zoom());
    QRect rect = Element->rect();
    const QRect clip = rect;
    CalculateRotatedPosition(Element, Element->Font(), Element->Alignment(), rect, Element->Zoom(), false, 0, 0, Text);
    const QFont qfont = font.ToQFont(100);
    DrawRotated(*canvas, qfont, ColorToQColor(font.Color()), QFontMetricsF(qfont).ascent(), clip, rect.left(),
                rect.top(), Degree, Text.left(ShortStringLength));
}

void PrintRotatedText(TRepCustomLabel *Element, int Degree, double OfsX, double OfsY) {
    TReport *report = Element ? Element->ParentReport() : nullptr;
    TRepPrinter *printer = report ? report->Printer() : nullptr;
    QPainter *canvas = printer ? printer->Canvas() : nullptr;
    if (!canvas) return;
    const TRepSize *size = Element->Size();
    const QRect deviceRect(QPoint(printer->XPos(size->Left() + OfsX), printer->YPos(size->Top() + OfsY)),
                           QPoint(printer->XPos(size->Left() + OfsX + size->Width()) - 1,
                                  printer->YPos(size->Top() + OfsY + size->Height()) - 1));
    if (!Element->Transparent() && Element->Color() != clNone)
        canvas->fillRect(deviceRect, ColorToQColor(Element->Color()));
    // Printed output does not depend on the zoom of the design surface.
    const int zoom = 100;
    TFont font;
    ZoomFont(font, Element->Font(), zoom);
    QRect rect = deviceRect;
    const QRect clip = rect;
    if (!DeviceIsScreen(printer))
        rect = QRect(0, 0, Round(RepMMToPixels(Element->SizeMM(3), zoom)), Round(RepMMToPixels(Element->SizeMM(0), zoom)));
    CalculateRotatedPosition(Element, Element->Font(), Element->Alignment(), rect, zoom, true, OfsX, OfsY,
                             Element->Caption());
    const QFont deviceFont = printer->CanvasFont(&font, 100);
    const double ascent = QFontMetricsF(font.ToQFont(100)).ascent() * printer->PixelScale();
    DrawRotated(*canvas, deviceFont, ColorToQColor(font.Color()), ascent, clip, rect.left(), rect.top(), Degree,
                Element->Caption().left(ShortStringLength));
    if (report->FinalPass() && Element->Frame()->AnyFrame())
        PrintFrame(Element, canvas, deviceRect, printer->XFactor(), printer->YFactor());
}
