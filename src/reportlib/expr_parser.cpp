#include "reportlib/expr_parser.h"

#include "reportlib/expr_error.h"
#include "reportlib/expr_field_resolver.h"
#include "reportlib/expr_lexer.h"
#include "reportlib/expr_registry.h"

#include <algorithm>

namespace {

// Bounds that keep a hostile expression from exhausting the stack, both while parsing and
// while evaluating the tree (evaluation recurses once per level of the tree).
constexpr int MaxNesting = 200;
constexpr int MaxTreeHeight = 400;

struct TParsed {
    TRepEvElementPtr Element;
    int Height = 1;
};

class TParser {
public:
    TParser(const QString &text, const TRepEvContext *context)
        : FText(text), FContext(context), FTokens(TokenizeRepExpression(text)) {}

    TRepEvElementPtr Run() {
        if (Current().Kind == tkEnd)
            return std::make_unique<TRepEvConstant>(TRepEvResult::String(QString()));
        TParsed parsed = ParseOr();
        if (Current().Kind != tkEnd)
            Fail(Current().Position, QStringLiteral("unexpected '%1'").arg(Current().Text));
        return std::move(parsed.Element);
    }

private:
    const TRepEvToken &Current() const { return FTokens.at(FIndex); }
    const TRepEvToken &Next() const { return FTokens.at(std::min(FIndex + 1, FTokens.size() - 1)); }
    const TRepEvToken &Take() {
        const TRepEvToken &token = FTokens.at(FIndex);
        if (FIndex + 1 < FTokens.size())
            ++FIndex;
        return token;
    }

    [[noreturn]] void Fail(int position, const QString &detail) const {
        throw EExprError(RepEvSyntaxErrorMessage(FText, position, detail));
    }

    [[noreturn]] void FailUnexpected() const {
        if (Current().Kind == tkEnd)
            Fail(Current().Position, QStringLiteral("unexpected end of expression"));
        Fail(Current().Position, QStringLiteral("unexpected '%1'").arg(Current().Text));
    }

    void Expect(TRepEvTokenKind kind, const char *what) {
        if (Current().Kind != kind) {
            if (Current().Kind == tkEnd)
                Fail(Current().Position, QStringLiteral("'%1' expected but the expression ends")
                                             .arg(QLatin1String(what)));
            Fail(Current().Position, QStringLiteral("'%1' expected but '%2' found")
                                         .arg(QLatin1String(what), Current().Text));
        }
        Take();
    }

    TParsed Binary(TRepEvBinaryOp op, TParsed left, TParsed right, int position) {
        TParsed result;
        result.Height = std::max(left.Height, right.Height) + 1;
        if (result.Height > MaxTreeHeight)
            Fail(position, QStringLiteral("expression too complex"));
        result.Element =
            std::make_unique<TRepEvBinary>(op, std::move(left.Element), std::move(right.Element));
        result.Element->SetPosition(position);
        return result;
    }

    TParsed ParseOr() {
        TParsed left = ParseAnd();
        while (Current().Kind == tkOr) {
            int position = Take().Position;
            left = Binary(boOr, std::move(left), ParseAnd(), position);
        }
        return left;
    }

    TParsed ParseAnd() {
        TParsed left = ParseComparison();
        while (Current().Kind == tkAnd) {
            int position = Take().Position;
            left = Binary(boAnd, std::move(left), ParseComparison(), position);
        }
        return left;
    }

    TParsed ParseComparison() {
        TParsed left = ParseAdditive();
        for (;;) {
            TRepEvBinaryOp op;
            switch (Current().Kind) {
            case tkEqual: op = boEqual; break;
            case tkNotEqual: op = boNotEqual; break;
            case tkLess: op = boLess; break;
            case tkGreater: op = boGreater; break;
            case tkLessEqual: op = boLessEqual; break;
            case tkGreaterEqual: op = boGreaterEqual; break;
            default: return left;
            }
            int position = Take().Position;
            left = Binary(op, std::move(left), ParseAdditive(), position);
        }
    }

    TParsed ParseAdditive() {
        TParsed left = ParseMultiplicative();
        while (Current().Kind == tkPlus || Current().Kind == tkMinus) {
            TRepEvBinaryOp op = Current().Kind == tkPlus ? boAdd : boSubtract;
            int position = Take().Position;
            left = Binary(op, std::move(left), ParseMultiplicative(), position);
        }
        return left;
    }

    TParsed ParseMultiplicative() {
        TParsed left = ParseUnary();
        for (;;) {
            TRepEvBinaryOp op;
            switch (Current().Kind) {
            case tkStar: op = boMultiply; break;
            case tkSlash: op = boDivide; break;
            case tkDiv: op = boIntDiv; break;
            case tkMod: op = boMod; break;
            default: return left;
            }
            int position = Take().Position;
            left = Binary(op, std::move(left), ParseUnary(), position);
        }
    }

    // Every path that nests (parentheses, arguments, unary operators) passes through here.
    TParsed ParseUnary() {
        if (++FNesting > MaxNesting)
            Fail(Current().Position, QStringLiteral("expression nested too deeply"));
        TParsed result;
        TRepEvTokenKind kind = Current().Kind;
        if (kind == tkMinus || kind == tkNot || kind == tkPlus) {
            int position = Take().Position;
            TParsed operand = ParseUnary();
            if (kind == tkPlus) {
                result = std::move(operand);
            } else {
                result.Height = operand.Height + 1;
                if (result.Height > MaxTreeHeight)
                    Fail(position, QStringLiteral("expression too complex"));
                result.Element = std::make_unique<TRepEvUnary>(kind == tkNot ? uoNot : uoNegate,
                                                               std::move(operand.Element));
                result.Element->SetPosition(position);
            }
        } else {
            result = ParsePrimary();
        }
        --FNesting;
        return result;
    }

    TParsed Constant(const TRepEvResult &value, int position) {
        TParsed result;
        result.Element = std::make_unique<TRepEvConstant>(value);
        result.Element->SetPosition(position);
        return result;
    }

    TParsed ParsePrimary() {
        const TRepEvToken &token = Current();
        switch (token.Kind) {
        case tkInteger: Take(); return Constant(TRepEvResult::Int(token.IntValue), token.Position);
        case tkFloat: Take(); return Constant(TRepEvResult::Double(token.FloatValue), token.Position);
        case tkString: Take(); return Constant(TRepEvResult::String(token.Text), token.Position);
        case tkTrue: Take(); return Constant(TRepEvResult::Bool(true), token.Position);
        case tkFalse: Take(); return Constant(TRepEvResult::Bool(false), token.Position);
        case tkOpenParen: {
            Take();
            TParsed inner = ParseOr();
            Expect(tkCloseParen, ")");
            return inner;
        }
        case tkDiv:
            // DIV is an operator between operands, and also a function: DIV(a, b).
            if (Next().Kind == tkOpenParen)
                return ParseName();
            FailUnexpected();
        case tkIdentifier:
            return ParseName();
        default:
            FailUnexpected();
        }
    }

    // A function call, a field, or a dataset-qualified field.
    TParsed ParseName() {
        TRepEvToken name = Take();
        if (Current().Kind == tkOpenParen)
            return ParseCall(name);
        if (Current().Kind == tkDot) {
            Take();
            if (Current().Kind != tkIdentifier)
                Fail(Current().Position, QStringLiteral("field name expected after '%1.'").arg(name.Text));
            TRepEvToken field = Take();
            if (!FieldExists(name.Text, field.Text))
                FailUnknown(name.Text + QLatin1Char('.') + field.Text, name.Position);
            return Field(name.Text, field.Text, name.Position);
        }
        if (FieldExists(QString(), name.Text))
            return Field(QString(), name.Text, name.Position);
        // A function that needs no arguments may be written without parentheses (DATE, TIME).
        if (FindRepFunction(name.Text))
            return MakeCall(name);
        FailUnknown(name.Text, name.Position);
    }

    bool FieldExists(const QString &dataSet, const QString &field) const {
        return FContext && FContext->Resolver &&
               FContext->Resolver->LookupField(dataSet, field).Found;
    }

    [[noreturn]] void FailUnknown(const QString &name, int position) const {
        throw EExprError(QStringLiteral("Unknown identifier '%1' in expression \"%2\" at position %3")
                             .arg(name, FText)
                             .arg(position));
    }

    TParsed Field(const QString &dataSet, const QString &field, int position) {
        TParsed result;
        result.Element = std::make_unique<TRepEvField>(FContext, dataSet, field);
        result.Element->SetPosition(position);
        return result;
    }

    TParsed MakeCall(const TRepEvToken &name) {
        std::optional<TRepFunctionInfo> info = FindRepFunction(name.Text);
        if (!info)
            throw EExprError(QStringLiteral("Unknown function '%1' in expression \"%2\" at position %3")
                                 .arg(name.Text, FText)
                                 .arg(name.Position));
        std::unique_ptr<TRepEvElementFunction> function = info->FunctionClass();
        if (!function)
            throw EExprError(QStringLiteral("Function '%1' could not be created").arg(info->Name));
        function->SetName(info->Name);
        function->SetPosition(name.Position);
        TParsed result;
        result.Element = std::move(function);
        return result;
    }

    TParsed ParseCall(const TRepEvToken &name) {
        TParsed result = MakeCall(name);
        auto *function = static_cast<TRepEvElementFunction *>(result.Element.get());
        Take();  // (
        if (Current().Kind != tkCloseParen) {
            for (;;) {
                TParsed argument = ParseOr();
                result.Height = std::max(result.Height, argument.Height + 1);
                if (result.Height > MaxTreeHeight)
                    Fail(name.Position, QStringLiteral("expression too complex"));
                function->AddArgument(std::move(argument.Element));
                if (Current().Kind != tkComma)
                    break;
                Take();
            }
        }
        Expect(tkCloseParen, ")");
        return result;
    }

    const QString &FText;
    const TRepEvContext *FContext;
    QList<TRepEvToken> FTokens;
    qsizetype FIndex = 0;
    int FNesting = 0;
};

}  // namespace

TRepEvElementPtr ParseRepExpression(const QString &expression, const TRepEvContext *context) {
    return TParser(expression, context).Run();
}
