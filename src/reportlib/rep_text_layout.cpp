#include "reportlib/rep_text_layout.h"

#include <QHash>
#include <QTextLayout>

TRepTextMetrics::TData::TData(const QFont &font) : Font(font), Metrics(font) {
    MaxAdvance = Metrics.maxWidth();
    for (int c = 0; c < 256; ++c) Advance[c] = Metrics.horizontalAdvance(QChar(c));
}

TRepTextMetrics::TRepTextMetrics(const QFont &font) {
    // Reports use a handful of fonts; the cache is emptied should one use very many.
    static QHash<QFont, std::shared_ptr<const TData>> cache;
    std::shared_ptr<const TData> &data = cache[font];
    if (!data) data = std::make_shared<const TData>(font);
    FData = data;
    if (cache.size() > 512) cache.clear();
}

double TRepTextMetrics::UpperBound(const QString &text) const {
    double w = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        w += u < 256 ? FData->Advance[u] : FData->MaxAdvance;
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
