#include "dialogs/report_expert_sample.h"

#include <QPainter>

#include "host/font.h"

TExpertSample::TExpertSample(QWidget *parent) : QWidget(parent) { setMinimumSize(200, 140); }

void TExpertSample::SetFonts(TFont *LabelFont, TFont *DataFont) {
    FLabelFont = LabelFont;
    FDataFont = DataFont;
    update();
}

void TExpertSample::SetLines(bool Horizontal, bool Vertical, bool Box) {
    FHorizontal = Horizontal;
    FVertical = Vertical;
    FBox = Box;
    update();
}

void TExpertSample::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QRect area = rect().adjusted(8, 8, -8, -8);
    painter.fillRect(area, Qt::white);
    painter.setPen(QPen(Qt::lightGray, 1, Qt::DashLine));
    painter.drawRect(area);
    const int rows = 4;
    const int rowHeight = area.height() / (rows + 1);
    const int middle = area.left() + area.width() / 2;
    painter.setPen(Qt::black);
    if (FLabelFont) painter.setFont(FLabelFont->ToQFont());
    const QRect heading(area.left(), area.top(), area.width(), rowHeight);
    painter.drawText(heading.adjusted(6, 0, 0, 0).intersected(QRect(area.left(), area.top(), middle - area.left(), rowHeight)),
                     Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Name"));
    painter.drawText(QRect(middle + 6, area.top(), area.right() - middle - 6, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("City"));
    if (FDataFont) painter.setFont(FDataFont->ToQFont());
    static const char *names[rows] = {"Blue Divers", "Coral Sports", "Deep Supply", "Sun Club"};
    static const char *cities[rows] = {"Lisbon", "Oslo", "Rome", "Paris"};
    for (int i = 0; i < rows; ++i) {
        const int top = area.top() + (i + 1) * rowHeight;
        painter.drawText(QRect(area.left() + 6, top, middle - area.left() - 6, rowHeight), Qt::AlignVCenter,
                         QString::fromLatin1(names[i]));
        painter.drawText(QRect(middle + 6, top, area.right() - middle - 6, rowHeight), Qt::AlignVCenter,
                         QString::fromLatin1(cities[i]));
    }
    painter.setPen(QPen(Qt::black, 1));
    if (FHorizontal)
        for (int i = 1; i <= rows; ++i) painter.drawLine(area.left(), area.top() + i * rowHeight, area.right(), area.top() + i * rowHeight);
    if (FVertical) painter.drawLine(middle, area.top(), middle, area.bottom());
    if (FBox) painter.drawRect(area);
}
