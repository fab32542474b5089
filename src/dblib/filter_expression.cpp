#include "dblib/filter_expression.h"

#include "dblib/dataset.h"
#include "dblib/db_error.h"
#include "dblib/db_values.h"
#include "dblib/field.h"
#include "host/conversions.h"

#include <QRegularExpression>

struct TFilterExpression::Node {
    enum Kind { And, Or, Not, Compare, IsNull } kind = Compare;
    std::unique_ptr<Node> left, right;
    // comparisons: a field on the left, a field or literal on the right
    const TField *field = nullptr;
    const TField *otherField = nullptr;
    QString op;
    QVariant literal;  // held value for the field's type; invalid = NULL
    QString text;      // the literal as written
    bool negate = false;
    bool partial = false;        // "*" matches any characters
    QRegularExpression pattern;  // for partial compares
};

namespace {

struct Token {
    enum Type { End, Ident, String, Number, Op, LParen, RParen } type = End;
    QString text;
    int pos = 0;
};

class Parser {
public:
    Parser(const QString &text, const TDataSet *ds, int options) : FText(text), FDataSet(ds), FOptions(options) { Advance(); }

    std::unique_ptr<TFilterExpression::Node> Parse() {
        auto node = ParseOr();
        if (FTok.type != Token::End) Fail(QStringLiteral("unexpected '%1'").arg(FTok.text));
        return node;
    }

private:
    [[noreturn]] void Fail(const QString &what) const {
        throw EDatabaseError(QStringLiteral("Invalid filter '%1': %2 at position %3").arg(FText, what).arg(FTok.pos + 1));
    }

    void Advance() {
        int i = FPos;
        while (i < FText.size() && FText[i].isSpace()) ++i;
        FTok = Token();
        FTok.pos = i;
        if (i >= FText.size()) {
            FPos = i;
            return;
        }
        const QChar c = FText[i];
        if (c == u'(' || c == u')') {
            FTok.type = c == u'(' ? Token::LParen : Token::RParen;
            FTok.text = c;
            FPos = i + 1;
            return;
        }
        if (c == u'\'' || c == u'"') {
            QString s;
            int j = i + 1;
            for (;; ++j) {
                if (j >= FText.size()) {
                    FPos = j;
                    Fail(QStringLiteral("unterminated text"));
                }
                if (FText[j] == c) {
                    if (j + 1 < FText.size() && FText[j + 1] == c) {
                        s += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                s += FText[j];
            }
            FTok.type = Token::String;
            FTok.text = s;
            FPos = j + 1;
            return;
        }
        if (c == u'[') {
            const int close = FText.indexOf(u']', i + 1);
            if (close < 0) Fail(QStringLiteral("missing ']'"));
            FTok.type = Token::Ident;
            FTok.text = FText.mid(i + 1, close - i - 1);
            FPos = close + 1;
            return;
        }
        static const QStringList ops{"<>", "<=", ">=", "!=", "=", "<", ">"};
        for (const QString &op : ops)
            if (FText.mid(i, op.size()) == op) {
                FTok.type = Token::Op;
                FTok.text = op == QLatin1String("!=") ? QStringLiteral("<>") : op;
                FPos = i + int(op.size());
                return;
            }
        if (c.isDigit() || ((c == u'-' || c == u'+' || c == u'.') && i + 1 < FText.size() && (FText[i + 1].isDigit() || FText[i + 1] == u'.'))) {
            int j = i + 1;
            while (j < FText.size() && (FText[j].isDigit() || FText[j] == u'.' || FText[j] == u'e' || FText[j] == u'E' ||
                                        ((FText[j] == u'-' || FText[j] == u'+') && (FText[j - 1] == u'e' || FText[j - 1] == u'E'))))
                ++j;
            FTok.type = Token::Number;
            FTok.text = FText.mid(i, j - i);
            FPos = j;
            return;
        }
        if (c.isLetter() || c == u'_') {
            int j = i + 1;
            while (j < FText.size() && (FText[j].isLetterOrNumber() || FText[j] == u'_' || FText[j] == u'.')) ++j;
            FTok.type = Token::Ident;
            FTok.text = FText.mid(i, j - i);
            FPos = j;
            return;
        }
        Fail(QStringLiteral("unexpected character '%1'").arg(c));
    }

    bool IsWord(const char *word) const {
        return FTok.type == Token::Ident && FTok.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    std::unique_ptr<TFilterExpression::Node> ParseOr() {
        auto left = ParseAnd();
        while (IsWord("or")) {
            Advance();
            auto n = std::make_unique<TFilterExpression::Node>();
            n->kind = TFilterExpression::Node::Or;
            n->left = std::move(left);
            n->right = ParseAnd();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<TFilterExpression::Node> ParseAnd() {
        auto left = ParseNot();
        while (IsWord("and")) {
            Advance();
            auto n = std::make_unique<TFilterExpression::Node>();
            n->kind = TFilterExpression::Node::And;
            n->left = std::move(left);
            n->right = ParseNot();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<TFilterExpression::Node> ParseNot() {
        if (IsWord("not")) {
            if (++FDepth > 200) Fail(QStringLiteral("too deeply nested"));
            Advance();
            auto n = std::make_unique<TFilterExpression::Node>();
            n->kind = TFilterExpression::Node::Not;
            n->left = ParseNot();
            --FDepth;
            return n;
        }
        if (FTok.type == Token::LParen) {
            if (++FDepth > 200) Fail(QStringLiteral("too deeply nested"));
            Advance();
            auto inner = ParseOr();
            if (FTok.type != Token::RParen) Fail(QStringLiteral("missing ')'"));
            Advance();
            --FDepth;
            return inner;
        }
        return ParseComparison();
    }

    const TField *ResolveField(const QString &name) {
        const TField *f = FDataSet->FindField(name);
        if (!f) Fail(QStringLiteral("unknown field '%1'").arg(name));
        if (f->FieldKind() != fkData) Fail(QStringLiteral("field '%1' is not a data field").arg(name));
        return f;
    }

    std::unique_ptr<TFilterExpression::Node> ParseComparison() {
        auto n = std::make_unique<TFilterExpression::Node>();
        // The field may stand on either side of the operator.
        bool fieldFirst = FTok.type == Token::Ident && !IsWord("null") && !IsWord("true") && !IsWord("false");
        Token first = FTok;
        if (first.type == Token::End) Fail(QStringLiteral("a condition is missing"));
        Advance();
        if (fieldFirst && IsWord("is")) {
            n->field = ResolveField(first.text);
            Advance();
            n->kind = TFilterExpression::Node::IsNull;
            if (IsWord("not")) {
                n->negate = true;
                Advance();
            }
            if (!IsWord("null")) Fail(QStringLiteral("NULL expected"));
            Advance();
            return n;
        }
        if (FTok.type != Token::Op) Fail(QStringLiteral("comparison operator expected"));
        QString op = FTok.text;
        Advance();
        Token second = FTok;
        if (second.type == Token::End || second.type == Token::LParen || second.type == Token::RParen || second.type == Token::Op)
            Fail(QStringLiteral("value expected"));
        Advance();
        if (!fieldFirst) {
            if (second.type != Token::Ident) Fail(QStringLiteral("a field name is expected"));
            std::swap(first, second);
            static const QHash<QString, QString> mirrored{{"<", ">"}, {">", "<"}, {"<=", ">="}, {">=", "<="}};
            op = mirrored.value(op, op);
        }
        n->field = ResolveField(first.text);
        n->op = op;
        if (second.type == Token::Ident && !IsWordText(second.text, "null") && !IsWordText(second.text, "true") &&
            !IsWordText(second.text, "false")) {
            n->otherField = ResolveField(second.text);
            return n;
        }
        if (IsWordText(second.text, "null") && second.type == Token::Ident) {
            if (op != QLatin1String("=") && op != QLatin1String("<>")) Fail(QStringLiteral("NULL can only be compared with = or <>"));
            n->kind = TFilterExpression::Node::IsNull;
            n->negate = op == QLatin1String("<>");
            return n;
        }
        n->text = second.text;
        n->literal = Convert(second, n->field);
        n->partial = !(FOptions & foNoPartialCompare) && n->literal.typeId() == QMetaType::QString &&
                     n->text.contains(QLatin1Char('*')) && (op == QLatin1String("=") || op == QLatin1String("<>"));
        if (n->partial) {
            QString pattern = QRegularExpression::escape(n->text);
            pattern.replace(QStringLiteral("\\*"), QStringLiteral(".*"));
            n->pattern = QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                            (FOptions & foCaseInsensitive) ? QRegularExpression::CaseInsensitiveOption
                                                                           : QRegularExpression::NoPatternOption);
        }
        return n;
    }

    static bool IsWordText(const QString &t, const char *word) { return t.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }

    QVariant Convert(const Token &t, const TField *f) {
        const TFieldType type = f->DataType();
        QString text = t.text;
        if (t.type == Token::Ident) text = IsWordText(text, "true") ? QStringLiteral("1") : QStringLiteral("0");
        switch (ValueKindOf(type)) {
        case TValueKind::Text:
        case TValueKind::Bytes: return text;
        case TValueKind::Integer: {
            if (type == ftBoolean && t.type == Token::String) {
                if (IsWordText(text, "true") || text == QLatin1String("T")) return qlonglong(1);
                if (IsWordText(text, "false") || text == QLatin1String("F")) return qlonglong(0);
            }
            double d = 0;
            if (!TryStrToFloat(text, d, QLatin1Char('.'))) Fail(QStringLiteral("'%1' is not a valid value for field '%2'").arg(text, f->FieldName()));
            return d;  // compared numerically
        }
        case TValueKind::Float: {
            if (IsDateTimeType(type)) {
                TDateTime v = 0;
                if (DbValues::ParseStoredDateTime(text, v) || TryStrToDateTime(text, v)) return v;
                Fail(QStringLiteral("'%1' is not a valid value for field '%2'").arg(text, f->FieldName()));
            }
            double d = 0;
            if (!TryStrToFloat(text, d, QLatin1Char('.'))) Fail(QStringLiteral("'%1' is not a valid value for field '%2'").arg(text, f->FieldName()));
            return d;
        }
        }
        return text;
    }

    QString FText;
    const TDataSet *FDataSet;
    int FOptions;
    int FPos = 0;
    int FDepth = 0;
    Token FTok;
};

int CompareValues(const QVariant &a, const QVariant &b, Qt::CaseSensitivity cs) {
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString) return a.toString().compare(b.toString(), cs);
    if (a.typeId() == QMetaType::QByteArray) return a.toByteArray().compare(b.toByteArray());
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

bool Holds(const QString &op, int cmp) {
    if (op == QLatin1String("=")) return cmp == 0;
    if (op == QLatin1String("<>")) return cmp != 0;
    if (op == QLatin1String("<")) return cmp < 0;
    if (op == QLatin1String(">")) return cmp > 0;
    if (op == QLatin1String("<=")) return cmp <= 0;
    return cmp >= 0;
}

}  // namespace

TFilterExpression::TFilterExpression(const QString &text, const TDataSet *dataSet, int options) : FOptions(options) {
    Parser parser(text, dataSet, options);
    FRoot = parser.Parse();
}

TFilterExpression::~TFilterExpression() = default;

namespace {
bool Eval(const TFilterExpression::Node &n, const std::function<QVariant(const TField *)> &valueOf, int options) {
    using N = TFilterExpression::Node;
    switch (n.kind) {
    case N::And: return Eval(*n.left, valueOf, options) && Eval(*n.right, valueOf, options);
    case N::Or: return Eval(*n.left, valueOf, options) || Eval(*n.right, valueOf, options);
    case N::Not: return !Eval(*n.left, valueOf, options);
    case N::IsNull: return !valueOf(n.field).isValid() != n.negate;
    case N::Compare: break;
    }
    const QVariant v = valueOf(n.field);
    const QVariant other = n.otherField ? valueOf(n.otherField) : n.literal;
    if (!v.isValid() || !other.isValid()) return false;
    const Qt::CaseSensitivity cs = (options & foCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (n.partial) {
        const bool match = n.pattern.match(v.toString()).hasMatch();
        return n.op == QLatin1String("=") ? match : !match;
    }
    return Holds(n.op, CompareValues(v, other, cs));
}
}  // namespace

bool TFilterExpression::Evaluate(const std::function<QVariant(const TField *)> &valueOf) const {
    return FRoot ? Eval(*FRoot, valueOf, FOptions) : true;
}
