#include "env/ruler_panel.h"

#include <QPainter>
#include <cmath>

namespace {

// Rounding of the measurements: halves go to the even neighbour.
int Round(double value) { return int(std::nearbyint(value)); }

QPen MarkPen(TColor color, int style) {
    TPen pen;
    pen.SetColor(color);
    pen.SetStyle(TPen::TPenStyle(style >= TPen::psSolid && style <= TPen::psInsideFrame ? style : TPen::psSolid));
    pen.SetWidth(1);
    return pen.ToQPen();
}

}  // namespace

TRulerPanel::TRulerPanel(TComponent *AOwner) : TPanel(AOwner) {
    setFixedHeight(15);
    // "Small Fonts" at 6 points falls back through fontconfig to a small sans serif.
    QFont small(QStringLiteral("Small Fonts"));
    small.setPointSize(6);
    small.setStyleHint(QFont::SansSerif);
    setFont(small);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void TRulerPanel::SetUnit(int value) {
    FUnits = value;
    update();
}

void TRulerPanel::SetZoom(int value) {
    FZoom = value;
    update();
}

QList<TRulerMark> TRulerPanel::Marks(int Units, int Zoom, int Width, int Height, int PPI) {
    QList<TRulerMark> marks;
    if (Width <= 0 || Zoom <= 0 || PPI <= 0) return marks;
    const bool dense = Zoom >= 50;
    const int half = Height / 2;
    switch (Units) {
    case 1: {  // inches: a mark every quarter inch, a number every inch
        const double step = PPI * 0.25 * Zoom * 0.01;
        const int n = Round(double(Width) / PPI / Zoom * 400);
        for (int i = 1; i <= n; ++i) {
            const int x = Round(i * step);
            if (i % 4 == 0)
                marks.append({x, 2, true, QString::number(i / 4), 2});
            else if (dense)
                marks.append({x, half, false, QString(), 0});
        }
        break;
    }
    case 0: {  // millimetres: numbers every centimetre, half-centimetre marks, millimetres when dense
        const double k = 5.0 / PPI * 5.08 / Zoom * 100;  // millimetres per pixel
        const int n = Round(Width * k);
        for (int i = 1; i <= n; ++i) {
            const int x = Round(i / k);
            if (i % 10 == 0)
                marks.append({x, 2, true, QString::number(i / 10), 1});
            else if (i % 5 == 0)
                marks.append({x, Zoom > 30 ? half : Height - 4, false, QString(), 0});
            else if (dense)
                marks.append({x, Height - 4, false, QString(), 0});
        }
        break;
    }
    case 3: {  // characters: a mark every ten characters of a 10-point fixed font, not zoomed
        const double c = 80.0 / 8 * 0.3937007874;
        const int n = Round(double(Width) / PPI * 25.4 / c * 0.1);
        for (int i = 1; i <= n; ++i) {
            const int x = Round(c * i * PPI * 0.3937007874);
            marks.append({x, 2, true, QString::number(i * 10), 2});
        }
        break;
    }
    default: break;
    }
    return marks;
}

void TRulerPanel::Paint() {
    QPainter painter(this);
    painter.setFont(font());
    const int h = height();
    const QPen silver(QColor(0xC0, 0xC0, 0xC0), 1, DottedMarks(FUnits) ? Qt::DotLine : Qt::SolidLine);
    const QPen major = DottedMarks(FUnits) ? silver : MarkPen(FMajorColor, FMajorStyle);
    const QPen minor = DottedMarks(FUnits) ? silver : MarkPen(FMinorColor, FMinorStyle);
    for (const TRulerMark &mark : Marks(FUnits, FZoom, width(), h)) {
        painter.setPen(mark.Major ? major : minor);
        painter.drawLine(mark.X, mark.Top, mark.X, h);
        if (!mark.Number.isEmpty()) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(mark.X + 2, mark.NumberTop, 40, h), Qt::AlignLeft | Qt::AlignTop, mark.Number);
        }
    }
}

void TRulerPanel::paintEvent(QPaintEvent *e) {
    TPanel::paintEvent(e);
    Paint();
}
