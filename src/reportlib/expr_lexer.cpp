#include "reportlib/expr_lexer.h"

#include "reportlib/expr_error.h"

#include <cmath>

QString RepEvSyntaxErrorMessage(const QString &expression, int position, const QString &detail) {
    return QStringLiteral("Syntax error in expression \"%1\" at position %2: %3")
        .arg(expression)
        .arg(position)
        .arg(detail);
}

namespace {

class TLexer {
public:
    explicit TLexer(const QString &text) : FText(text) {}

    QList<TRepEvToken> Run() {
        QList<TRepEvToken> tokens;
        for (;;) {
            SkipBlanks();
            TRepEvToken token;
            token.Position = FPos + 1;
            if (FPos >= FText.size()) {
                tokens.append(token);
                return tokens;
            }
            QChar c = FText.at(FPos);
            if (c.isDigit() || (c == QLatin1Char('.') && Peek(1).isDigit()))
                ReadNumber(token);
            else if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
                ReadString(token, c);
            else if (c == QLatin1Char('['))
                ReadBracketName(token);
            else if (c.isLetter() || c == QLatin1Char('_'))
                ReadWord(token);
            else
                ReadSymbol(token, c);
            tokens.append(token);
        }
    }

private:
    QChar Peek(int ahead) const {
        qsizetype at = FPos + ahead;
        return at < FText.size() ? FText.at(at) : QChar();
    }

    [[noreturn]] void Fail(int position, const QString &detail) const {
        throw EExprError(RepEvSyntaxErrorMessage(FText, position, detail));
    }

    void SkipBlanks() {
        while (FPos < FText.size() && FText.at(FPos).isSpace())
            ++FPos;
    }

    void ReadNumber(TRepEvToken &token) {
        qsizetype start = FPos;
        bool isFloat = false;
        while (Peek(0).isDigit())
            ++FPos;
        if (Peek(0) == QLatin1Char('.') && Peek(1).isDigit()) {
            isFloat = true;
            ++FPos;
            while (Peek(0).isDigit())
                ++FPos;
        }
        if ((Peek(0) == QLatin1Char('e') || Peek(0) == QLatin1Char('E')) &&
            (Peek(1).isDigit() ||
             ((Peek(1) == QLatin1Char('+') || Peek(1) == QLatin1Char('-')) && Peek(2).isDigit()))) {
            isFloat = true;
            FPos += 2;
            while (Peek(0).isDigit())
                ++FPos;
        }
        token.Text = FText.mid(start, FPos - start);
        bool ok = false;
        if (!isFloat) {
            token.IntValue = token.Text.toLongLong(&ok);
            if (ok) {
                token.Kind = tkInteger;
                return;
            }
        }
        // QString::toDouble always reads the C locale's '.', whatever the user's locale.
        token.FloatValue = token.Text.toDouble(&ok);
        if (!ok || !std::isfinite(token.FloatValue))
            Fail(token.Position, QStringLiteral("number %1 out of range").arg(token.Text));
        token.Kind = tkFloat;
    }

    void ReadString(TRepEvToken &token, QChar quote) {
        ++FPos;
        for (;;) {
            if (FPos >= FText.size())
                Fail(token.Position, QStringLiteral("unterminated string"));
            QChar c = FText.at(FPos++);
            if (c == quote) {
                if (Peek(0) != quote)
                    break;
                ++FPos;  // a doubled quote stands for one
            }
            token.Text.append(c);
        }
        token.Kind = tkString;
    }

    // [Field Name] names a field or dataset whose name is not a plain identifier.
    void ReadBracketName(TRepEvToken &token) {
        qsizetype close = FText.indexOf(QLatin1Char(']'), FPos + 1);
        if (close < 0)
            Fail(token.Position, QStringLiteral("unterminated name in brackets"));
        token.Text = FText.mid(FPos + 1, close - FPos - 1).trimmed();
        if (token.Text.isEmpty())
            Fail(token.Position, QStringLiteral("empty name in brackets"));
        FPos = close + 1;
        token.Kind = tkIdentifier;
    }

    void ReadWord(TRepEvToken &token) {
        qsizetype start = FPos;
        while (FPos < FText.size() &&
               (FText.at(FPos).isLetterOrNumber() || FText.at(FPos) == QLatin1Char('_')))
            ++FPos;
        token.Text = FText.mid(start, FPos - start);
        static const struct { const char *word; TRepEvTokenKind kind; } keywords[] = {
            {"TRUE", tkTrue}, {"FALSE", tkFalse}, {"AND", tkAnd}, {"OR", tkOr},
            {"NOT", tkNot},   {"DIV", tkDiv},     {"MOD", tkMod}};
        token.Kind = tkIdentifier;
        for (const auto &keyword : keywords)
            if (token.Text.compare(QLatin1String(keyword.word), Qt::CaseInsensitive) == 0)
                token.Kind = keyword.kind;
    }

    void ReadSymbol(TRepEvToken &token, QChar c) {
        ++FPos;
        token.Text = QString(c);
        switch (c.unicode()) {
        case '+': token.Kind = tkPlus; return;
        case '-': token.Kind = tkMinus; return;
        case '*': token.Kind = tkStar; return;
        case '/': token.Kind = tkSlash; return;
        case '=': token.Kind = tkEqual; return;
        case '(': token.Kind = tkOpenParen; return;
        case ')': token.Kind = tkCloseParen; return;
        case ',': token.Kind = tkComma; return;
        case '.': token.Kind = tkDot; return;
        case '<':
            if (Peek(0) == QLatin1Char('>') || Peek(0) == QLatin1Char('=')) {
                token.Kind = Peek(0) == QLatin1Char('>') ? tkNotEqual : tkLessEqual;
                token.Text.append(FText.at(FPos++));
            } else {
                token.Kind = tkLess;
            }
            return;
        case '>':
            if (Peek(0) == QLatin1Char('=')) {
                token.Kind = tkGreaterEqual;
                token.Text.append(FText.at(FPos++));
            } else {
                token.Kind = tkGreater;
            }
            return;
        default:
            Fail(token.Position, QStringLiteral("unexpected character '%1'").arg(c));
        }
    }

    const QString &FText;
    qsizetype FPos = 0;
};

}  // namespace

QList<TRepEvToken> TokenizeRepExpression(const QString &expression) {
    return TLexer(expression).Run();
}
