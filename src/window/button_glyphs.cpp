#include "window/button_glyphs.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

namespace {

constexpr int Size = 20;
const QColor Ink(40, 40, 40);
const QColor Accent(30, 90, 180);
const QColor Paper(250, 250, 245);

using TDraw = std::function<void(QPainter &)>;

QIcon Drawn(const TDraw &draw) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Ink, 1));
    draw(p);
    return QIcon(pixmap);
}

// Two blocks and the line they are aligned to.
TDraw Align(Qt::Edge edge) {
    return [edge](QPainter &p) {
        p.setBrush(Accent);
        const bool vertical = edge == Qt::LeftEdge || edge == Qt::RightEdge;
        if (vertical) {
            const int x = edge == Qt::LeftEdge ? 3 : 16;
            p.drawLine(x, 2, x, 17);
            p.drawRect(edge == Qt::LeftEdge ? 5 : 7, 4, 8, 4);
            p.drawRect(edge == Qt::LeftEdge ? 5 : 10, 11, 5, 4);
        } else {
            const int y = edge == Qt::TopEdge ? 3 : 16;
            p.drawLine(2, y, 17, y);
            p.drawRect(4, edge == Qt::TopEdge ? 5 : 7, 4, 8);
            p.drawRect(11, edge == Qt::TopEdge ? 5 : 10, 4, 5);
        }
    };
}

TDraw Center(bool horizontal, bool onParent) {
    return [=](QPainter &p) {
        if (onParent) {
            p.setBrush(Qt::NoBrush);
            p.drawRect(1, 1, 17, 17);
        }
        p.setPen(QPen(Ink, 1, Qt::DotLine));
        if (horizontal)
            p.drawLine(10, 2, 10, 17);
        else
            p.drawLine(2, 10, 17, 10);
        p.setPen(QPen(Ink, 1));
        p.setBrush(Accent);
        if (horizontal) {
            p.drawRect(6, 5, 8, 3);
            p.drawRect(4, 12, 12, 3);
        } else {
            p.drawRect(5, 6, 3, 8);
            p.drawRect(12, 4, 3, 12);
        }
    };
}

TDraw Equal(bool horizontal) {
    return [=](QPainter &p) {
        p.setBrush(Accent);
        for (int i = 0; i < 3; ++i)
            if (horizontal)
                p.drawRect(2 + i * 6, 6, 3, 8);
            else
                p.drawRect(6, 2 + i * 6, 8, 3);
    };
}

TDraw Stack(bool front) {
    return [=](QPainter &p) {
        p.setBrush(front ? Paper : Accent);
        p.drawRect(2, 2, 10, 10);
        p.setBrush(front ? Accent : Paper);
        p.drawRect(7, 7, 10, 10);
    };
}

// Text in a box, for the element kinds that show text.
TDraw Text(const QString &text, bool data, bool framed = true) {
    return [=](QPainter &p) {
        if (framed) {
            p.setBrush(data ? QColor(225, 235, 250) : Paper);
            p.drawRect(0, 3, 19, 13);
        }
        QFont f = p.font();
        f.setPixelSize(text.size() > 2 ? 7 : 10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(data ? Accent : Ink);
        p.drawText(QRect(0, 3, 20, 14), Qt::AlignCenter, text);
    };
}

TDraw Band(const QString &mark) {
    return [=](QPainter &p) {
        p.setBrush(Paper);
        p.drawRect(0, 5, 19, 10);
        p.fillRect(1, 6, 4, 9, Accent);
        if (!mark.isEmpty()) {
            QFont f = p.font();
            f.setPixelSize(8);
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRect(5, 5, 15, 11), Qt::AlignCenter, mark);
        }
    };
}

TDraw Picture(bool data) {
    return [=](QPainter &p) {
        p.setBrush(data ? QColor(225, 235, 250) : Paper);
        p.drawRect(1, 2, 17, 15);
        p.setBrush(QColor(90, 160, 90));
        QPainterPath hill;
        hill.moveTo(2, 16);
        hill.lineTo(8, 8);
        hill.lineTo(12, 12);
        hill.lineTo(14, 10);
        hill.lineTo(17, 16);
        hill.closeSubpath();
        p.drawPath(hill);
        p.setBrush(QColor(230, 180, 40));
        p.drawEllipse(12, 4, 3, 3);
    };
}

TDraw TextLines(Qt::Alignment align) {
    return [=](QPainter &p) {
        const int lengths[] = {14, 9, 14, 7};
        for (int i = 0; i < 4; ++i) {
            const int w = lengths[i];
            const int x = align == Qt::AlignLeft ? 3 : align == Qt::AlignRight ? 17 - w : 10 - w / 2;
            p.drawLine(x, 4 + i * 4, x + w, 4 + i * 4);
        }
    };
}

QIcon Standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

const QHash<QString, std::function<QIcon()>> &Glyphs() {
    static const QHash<QString, std::function<QIcon()>> glyphs = {
        {QStringLiteral("new"), [] { return Standard(QStyle::SP_FileIcon); }},
        {QStringLiteral("open"), [] { return Standard(QStyle::SP_DialogOpenButton); }},
        {QStringLiteral("save"), [] { return Standard(QStyle::SP_DialogSaveButton); }},
        {QStringLiteral("quit"), [] { return Standard(QStyle::SP_DialogCloseButton); }},
        {QStringLiteral("undo"), [] { return Standard(QStyle::SP_ArrowBack); }},
        {QStringLiteral("preview"), [] { return Standard(QStyle::SP_FileDialogContentsView); }},
        {QStringLiteral("print"), [] {
             return Drawn([](QPainter &p) {
                 p.setBrush(Paper);
                 p.drawRect(5, 1, 9, 7);
                 p.setBrush(QColor(170, 170, 170));
                 p.drawRect(1, 8, 17, 7);
                 p.setBrush(Paper);
                 p.drawRect(5, 13, 9, 5);
             });
         }},
        {QStringLiteral("cut"), [] {
             return Drawn([](QPainter &p) {
                 p.setRenderHint(QPainter::Antialiasing);
                 p.drawLine(5, 2, 13, 13);
                 p.drawLine(14, 2, 6, 13);
                 p.drawEllipse(2, 13, 5, 5);
                 p.drawEllipse(12, 13, 5, 5);
             });
         }},
        {QStringLiteral("copy"), [] {
             return Drawn([](QPainter &p) {
                 p.setBrush(Paper);
                 p.drawRect(2, 2, 10, 12);
                 p.drawRect(7, 6, 10, 12);
             });
         }},
        {QStringLiteral("paste"), [] {
             return Drawn([](QPainter &p) {
                 p.setBrush(QColor(200, 160, 100));
                 p.drawRect(2, 3, 12, 15);
                 p.setBrush(Paper);
                 p.drawRect(8, 8, 10, 11);
                 p.fillRect(5, 1, 6, 3, Ink);
             });
         }},
        {QStringLiteral("front"), [] { return Drawn(Stack(true)); }},
        {QStringLiteral("back"), [] { return Drawn(Stack(false)); }},
        {QStringLiteral("alignLeft"), [] { return Drawn(Align(Qt::LeftEdge)); }},
        {QStringLiteral("alignRight"), [] { return Drawn(Align(Qt::RightEdge)); }},
        {QStringLiteral("alignTop"), [] { return Drawn(Align(Qt::TopEdge)); }},
        {QStringLiteral("alignBottom"), [] { return Drawn(Align(Qt::BottomEdge)); }},
        {QStringLiteral("centerHorizontal"), [] { return Drawn(Center(true, false)); }},
        {QStringLiteral("centerVertical"), [] { return Drawn(Center(false, false)); }},
        {QStringLiteral("parentCenterHorizontal"), [] { return Drawn(Center(true, true)); }},
        {QStringLiteral("parentCenterVertical"), [] { return Drawn(Center(false, true)); }},
        {QStringLiteral("equalHorizontal"), [] { return Drawn(Equal(true)); }},
        {QStringLiteral("equalVertical"), [] { return Drawn(Equal(false)); }},
        {QStringLiteral("textLeft"), [] { return Drawn(TextLines(Qt::AlignLeft)); }},
        {QStringLiteral("textCenter"), [] { return Drawn(TextLines(Qt::AlignHCenter)); }},
        {QStringLiteral("textRight"), [] { return Drawn(TextLines(Qt::AlignRight)); }},
        {QStringLiteral("frame"), [] {
             return Drawn([](QPainter &p) {
                 p.setPen(QPen(Ink, 2));
                 p.drawRect(3, 3, 14, 14);
             });
         }},
        {QStringLiteral("normal"), [] {
             return Drawn([](QPainter &p) {
                 p.setRenderHint(QPainter::Antialiasing);
                 p.setBrush(Qt::white);
                 const QPointF arrow[] = {{5, 2}, {5, 16}, {8.5, 12.5}, {11, 18}, {13, 17}, {10.5, 11.5}, {15, 11.5}};
                 p.drawPolygon(arrow, 7);
             });
         }},
        {QStringLiteral("band"), [] { return Drawn(Band(QString())); }},
        {QStringLiteral("subdetail"), [] { return Drawn(Band(QStringLiteral("S"))); }},
        {QStringLiteral("group"), [] { return Drawn(Band(QStringLiteral("G"))); }},
        {QStringLiteral("child"), [] { return Drawn(Band(QStringLiteral("C"))); }},
        {QStringLiteral("label"), [] { return Drawn(Text(QStringLiteral("A"), false)); }},
        {QStringLiteral("dbtext"), [] { return Drawn(Text(QStringLiteral("DB"), true)); }},
        {QStringLiteral("expression"), [] { return Drawn(Text(QStringLiteral("f(x)"), false)); }},
        {QStringLiteral("sysdata"), [] { return Drawn(Text(QStringLiteral("#"), false)); }},
        {QStringLiteral("memo"), [] {
             return Drawn([](QPainter &p) {
                 p.setBrush(Paper);
                 p.drawRect(1, 1, 17, 17);
                 for (int y = 5; y <= 14; y += 3) p.drawLine(4, y, 15, y);
             });
         }},
        {QStringLiteral("richtext"), [] { return Drawn(Text(QStringLiteral("RTF"), false)); }},
        {QStringLiteral("dbrichtext"), [] { return Drawn(Text(QStringLiteral("RTF"), true)); }},
        {QStringLiteral("shape"), [] {
             return Drawn([](QPainter &p) {
                 p.setRenderHint(QPainter::Antialiasing);
                 p.setBrush(Accent);
                 p.drawEllipse(2, 2, 10, 10);
                 p.setBrush(Paper);
                 p.drawRect(8, 8, 10, 10);
             });
         }},
        {QStringLiteral("image"), [] { return Drawn(Picture(false)); }},
        {QStringLiteral("dbimage"), [] { return Drawn(Picture(true)); }},
        {QStringLiteral("chart"), [] {
             return Drawn([](QPainter &p) {
                 p.setBrush(Accent);
                 p.drawRect(2, 10, 4, 8);
                 p.drawRect(8, 4, 4, 14);
                 p.drawRect(14, 7, 4, 11);
             });
         }},
    };
    return glyphs;
}

}  // namespace

QIcon ButtonGlyph(const QString &Kind) {
    const auto make = Glyphs().value(Kind);
    return make ? make() : QIcon();
}
