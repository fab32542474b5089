#include "reportlib/rep_text_layout.h"

#include <QTextLayout>

TRepTextMetrics::TRepTextMetrics(const QFont &font) : FFont(font), FMetrics(font) {
    FMaxAdvance = FMetrics.maxWidth();
    for (int c = 0; c < 256; ++c) FAdvance[c] = FMetrics.horizontalAdvance(QChar(c));
}

double TRepTextMetrics::UpperBound(const QString &text) const {
    double w = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        w += u < 256 ? FAdvance[u] : FMaxAdvance;
    }
    // Kerning and shaping never widen a text by more than this.
    return w * 1.05 + 1.0;
}

namespace {

void BreakParagraph(const QString &para, const TRepTextMetrics &tm, double width, QStringList &out, int maxLines) {
    if (para.isEmpty() || tm.UpperBound(para) <= width || tm.Width(para) <= width) {
        out.append(para);
        return;
    }
    QTextLayout layout(para, tm.Font());
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

QStringList RepBreakText(const QString &text, const TRepTextMetrics &metrics, double width, bool wordWrap,
                         int maxLines) {
    QStringList lines;
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        if (wordWrap && width > 0)
            BreakParagraph(text, metrics, width, lines, maxLines);
        else
            lines.append(text);
        if (lines.isEmpty()) lines.append(QString());
        return lines;
    }
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    const QStringList paragraphs = normalized.split(u'\n');
    for (const QString &p : paragraphs) {
        if (lines.size() >= maxLines) break;
        if (wordWrap && width > 0)
            BreakParagraph(p, metrics, width, lines, maxLines);
        else
            lines.append(p);
    }
    if (lines.isEmpty()) lines.append(QString());
    while (lines.size() > maxLines) lines.removeLast();
    return lines;
}

double RepWidestLine(const QStringList &lines, const TRepTextMetrics &metrics) {
    double w = 0;
    for (const QString &l : lines) w = qMax(w, metrics.Width(l));
    return w;
}
