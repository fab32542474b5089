#pragma once
// Splits an expression text into tokens, each with its 1-based position for error messages.
#include <QList>
#include <QString>

enum TRepEvTokenKind {
    tkEnd, tkInteger, tkFloat, tkString, tkIdentifier,
    tkTrue, tkFalse, tkAnd, tkOr, tkNot, tkDiv, tkMod,
    tkPlus, tkMinus, tkStar, tkSlash,
    tkEqual, tkNotEqual, tkLess, tkGreater, tkLessEqual, tkGreaterEqual,
    tkOpenParen, tkCloseParen, tkComma, tkDot
};

struct TRepEvToken {
    TRepEvTokenKind Kind = tkEnd;
    QString Text;          // the identifier, the string's contents, or the token as written
    qint64 IntValue = 0;
    double FloatValue = 0.0;
    int Position = 0;      // 1-based; the end token stands one past the last character
};

// Raises EExprError for a character that starts no token, an unterminated string or name, or
// a number out of range. The list always ends with a tkEnd token.
QList<TRepEvToken> TokenizeRepExpression(const QString &expression);

// The message of a syntax error, naming the expression and the 1-based position.
QString RepEvSyntaxErrorMessage(const QString &expression, int position, const QString &detail);
