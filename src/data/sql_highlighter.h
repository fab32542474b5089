#pragma once
// Colours SQL keywords, strings, numbers, parameters and comments in the query editor.
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class TSqlHighlighter : public QSyntaxHighlighter {
public:
    explicit TSqlHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    struct Rule {
        QRegularExpression Pattern;
        QTextCharFormat Format;
    };
    QList<Rule> FRules;
};
