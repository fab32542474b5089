#include "model/text_substitution.h"

#include "model/eval_helpers.h"
#include "model/report_constants.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString Marker = QStringLiteral("%%");
const QString DeleteMark = QStringLiteral("%DEL");

// Removes every occurrence of the mark, including those that removing another one forms.
QString RemoveDeleteMarks(QString line) {
    for (qsizetype at = line.indexOf(DeleteMark); at >= 0; at = line.indexOf(DeleteMark)) line.remove(at, DeleteMark.size());
    return line;
}

void DeleteBlock(QTextDocument &document, const QTextBlock &block) {
    QTextCursor cursor(&document);
    const int start = block.position();
    const int end = start + block.length() - 1;   // before the block's paragraph end
    if (block.next().isValid()) {
        cursor.setPosition(start);
        cursor.setPosition(end + 1, QTextCursor::KeepAnchor);
    } else if (block.previous().isValid()) {
        // The last paragraph goes together with the paragraph end in front of it.
        cursor.setPosition(start - 1);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

}  // namespace

QString SubstituteLineExpressions(const QString &Line, TReport *Report) {
    QString line = Line.left(ShortStringLength);
    int done = 0;
    for (qsizetype open = line.indexOf(Marker); open >= 0 && done < MaxExpressionSubstitutions;
         open = line.indexOf(Marker), ++done) {
        line.remove(open, Marker.size());
        const qsizetype close = line.indexOf(Marker, open);
        const qsizetype length = (close < 0 ? line.size() : close) - open;
        const QString expression = line.mid(open, length);
        line.remove(open, close < 0 ? length : length + Marker.size());
        line.insert(open, EvalStringExpression(expression, Report));
        line.truncate(ShortStringLength);
    }
    return line;
}

QStringList SubstituteMemoLines(const QStringList &Lines, TReport *Report) {
    QStringList lines;
    lines.reserve(Lines.size());
    for (const QString &line : Lines) lines.append(SubstituteLineExpressions(line, Report));
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        if (lines[i].trimmed() == DeleteMark) lines.removeAt(i);
    for (QString &line : lines) line = RemoveDeleteMarks(line);
    return lines;
}

void SubstituteRichText(QTextDocument &Document, TReport *Report) {
    for (int done = 0; done < MaxExpressionSubstitutions; ++done) {
        QTextCursor open = Document.find(Marker, 0, QTextDocument::FindCaseSensitively);
        if (open.isNull()) break;
        const int start = open.selectionStart();
        open.removeSelectedText();
        QTextCursor close = Document.find(Marker, 0, QTextDocument::FindCaseSensitively);
        if (close.isNull()) break;
        const int end = close.selectionStart();
        close.removeSelectedText();
        QTextCursor between(&Document);
        between.setPosition(start);
        between.setPosition(qMin(end, start + ShortStringLength), QTextCursor::KeepAnchor);
        // Paragraph ends inside a selection read as a special character; an expression sees a
        // line break.
        QString expression = between.selectedText();
        expression.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        between.insertText(EvalStringExpression(expression, Report));
    }
    QTextBlock block = Document.lastBlock();
    while (block.isValid()) {
        const QTextBlock previous = block.previous();
        if (block.text().trimmed() == DeleteMark) DeleteBlock(Document, block);
        block = previous;
    }
    for (int guard = 0; guard < 100000; ++guard) {
        QTextCursor mark = Document.find(DeleteMark, 0, QTextDocument::FindCaseSensitively);
        if (mark.isNull()) break;
        mark.removeSelectedText();
    }
}
