#include "reportlib/rep_text_layout.h"

#include <QTextLayout>

namespace {

void BreakParagraph(const QString &para, const QFont &font, const QFontMetricsF &fm, double width,
                    QStringList &out, int maxLines) {
    // Cheap exit: a paragraph that cannot be wider than the width needs no layout.
    if (para.isEmpty() || para.size() * fm.maxWidth() <= width || fm.horizontalAdvance(para) <= width) {
        out.append(para);
        return;
    }
    QTextLayout layout(para, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    while (out.size() < maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        QString text = para.mid(line.textStart(), line.textLength());
        // The blank a line breaks at belongs to neither line.
        while (text.endsWith(u' ')) text.chop(1);
        out.append(text);
    }
    layout.endLayout();
}

}  // namespace

QStringList RepBreakText(const QString &text, const QFont &font, const QFontMetricsF &metrics, double width,
                         bool wordWrap, int maxLines) {
    QStringList lines;
    QString normalized = text;
    if (normalized.contains(u'\r')) {
        normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normalized.replace(u'\r', u'\n');
    }
    const QStringList paragraphs = normalized.split(u'\n');
    for (const QString &p : paragraphs) {
        if (lines.size() >= maxLines) break;
        if (wordWrap && width > 0)
            BreakParagraph(p, font, metrics, width, lines, maxLines);
        else
            lines.append(p);
    }
    if (lines.isEmpty()) lines.append(QString());
    while (lines.size() > maxLines) lines.removeLast();
    return lines;
}

double RepWidestLine(const QStringList &lines, const QFontMetricsF &metrics) {
    double w = 0;
    for (const QString &l : lines) w = qMax(w, metrics.horizontalAdvance(l));
    return w;
}
