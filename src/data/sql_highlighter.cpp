#include "data/sql_highlighter.h"

TSqlHighlighter::TSqlHighlighter(QTextDocument *document) : QSyntaxHighlighter(document) {
    QTextCharFormat keyword;
    keyword.setForeground(QColor(0, 0, 160));
    keyword.setFontWeight(QFont::Bold);
    QTextCharFormat literal;
    literal.setForeground(QColor(160, 0, 0));
    QTextCharFormat parameter;
    parameter.setForeground(QColor(0, 120, 120));
    QTextCharFormat comment;
    comment.setForeground(Qt::darkGreen);
    comment.setFontItalic(true);
    const auto ci = QRegularExpression::CaseInsensitiveOption;
    FRules = {
        {QRegularExpression(
             QStringLiteral(
                 "\\b(SELECT|DISTINCT|FROM|WHERE|AND|OR|NOT|IN|IS|NULL|LIKE|BETWEEN|ORDER|GROUP|BY|"
                 "HAVING|ASC|DESC|JOIN|INNER|LEFT|RIGHT|OUTER|FULL|CROSS|ON|AS|UNION|ALL|CASE|WHEN|"
                 "THEN|ELSE|END|LIMIT|OFFSET|EXISTS|COUNT|SUM|AVG|MIN|MAX|UPPER|LOWER|CAST)\\b"),
             ci),
         keyword},
        {QRegularExpression(QStringLiteral("\\b\\d+(\\.\\d+)?\\b")), literal},
        {QRegularExpression(QStringLiteral("(?<!:):[A-Za-z_][A-Za-z0-9_]*")), parameter},
        {QRegularExpression(QStringLiteral("'[^']*'?")), literal},
        {QRegularExpression(QStringLiteral("--[^\\n]*")), comment},
    };
}

void TSqlHighlighter::highlightBlock(const QString &text) {
    for (const Rule &rule : std::as_const(FRules)) {
        auto it = rule.Pattern.globalMatch(text);
        while (it.hasNext()) {
            const auto match = it.next();
            setFormat(int(match.capturedStart()), int(match.capturedLength()), rule.Format);
        }
    }
}
