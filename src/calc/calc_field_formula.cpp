#include "calc/calc_field_formula.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/conversions.h"

#include <cmath>

namespace {

constexpr int FormulaLimit = 255;  // the formula is cut to this first
constexpr int PieceLimit = 100;    // every evaluation step works on at most this many characters
const QChar ErrorMarker(u'\0');    // left by a malformed COPY(; turns the result into "ERROR"

class FormulaEvaluator {
public:
    FormulaEvaluator(TComponent *owner, TDataSet *dataSet) : FOwner(owner), FDataSet(dataSet) {}

    QString Text(QString s) const;
    QString Number(QString s) const;

private:
    QString Operand(const QString &s) const;
    QString FieldText(TDataSet *dataSet, const QString &fieldName) const;
    QString NumericOperand(QString s) const;

    TComponent *FOwner;
    TDataSet *FDataSet;
};

// Cut to the piece limit, then drop trailing and leading blanks (only the blank character).
QString Prepare(QString s) {
    s.truncate(PieceLimit);
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ') --end;
    qsizetype start = 0;
    while (start < end && s[start] == u' ') ++start;
    return s.mid(start, end - start);
}

// Position of the first ch at nesting depth 0 outside quotes, from start; -1 when none. Single
// and double quotes toggle the same flag.
qsizetype ScanTopLevel(const QString &s, QChar ch, qsizetype start = 0) {
    bool quoted = false;
    int depth = 0;
    for (qsizetype i = start; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'"' || c == u'\'') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == ch && depth == 0) return i;
            if (c == u'(') ++depth;
            else if (c == u')') --depth;
        }
    }
    return -1;
}

// The unsigned number formed by the digits at the very start of s (none: 0).
int LeadingDigits(const QString &s) {
    qint64 n = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9') break;
        n = qMin<qint64>(n * 10 + (c.unicode() - u'0'), 1'000'000);
    }
    return int(n);
}

bool StartsWithCall(const QString &s, const char *name) {
    return s.left(5).toUpper() == QLatin1String(name);
}

// The text of a CALC(...) or COPY(...) piece without the name and its closing character.
QString CallArguments(const QString &s) {
    QString inner = s.mid(5);
    inner.chop(1);
    return inner;
}

// Numbers are held with the precision of a 6-byte real (40-bit significand) before they are
// written back as text, so results show the digits that formulas have always shown.
double ToReal48(double v) {
    if (v == 0 || !std::isfinite(v)) return v;
    if (std::fabs(v) > 1.7e38) throw EMathError(QStringLiteral("Floating point overflow in formula"));
    if (std::fabs(v) < 2.9e-39) return 0;
    int exponent = 0;
    const double mantissa = std::frexp(v, &exponent);
    return std::ldexp(std::round(std::ldexp(mantissa, 40)), exponent - 40);
}

QString FixedText(double v, int decimals) {
    if (std::fabs(v) >= 1e18) return FloatToStr(v);
    QString text = QString::number(v, 'f', qBound(0, decimals, 18));
    return text.replace(u'.', FormatSettings.DecimalSeparator);
}

QString FormulaEvaluator::Text(QString s) const {
    s = Prepare(s);
    if (s.isEmpty()) return QString();

    const qsizetype plus = ScanTopLevel(s, u'+');
    if (plus >= 0) {
        const QString right = Text(s.mid(plus + 1));
        const QString left = Text(s.left(plus));
        return left + right;
    }
    if (StartsWithCall(s, "COPY(")) {
        const QString args = CallArguments(s);
        const qsizetype p1 = ScanTopLevel(args, u',');
        if (p1 < 0) return QString(ErrorMarker);
        const int start = LeadingDigits(args.mid(p1 + 1));
        const qsizetype p2 = ScanTopLevel(args, u',', p1 + 1);
        if (p2 < 0) return QString(ErrorMarker);
        const int count = LeadingDigits(args.mid(p2 + 1));
        const QString source = Text(args.left(p1));
        // 1-based start; a start before 1 counts as 1, past the end gives nothing.
        return source.mid(qMax(start, 1) - 1, count);
    }
    if (StartsWithCall(s, "CALC(")) {
        const QString args = CallArguments(s);
        const qsizetype comma = ScanTopLevel(args, u',');
        if (comma < 0) return Number(args);
        const int decimals = LeadingDigits(args.mid(comma + 1));
        return FixedText(StrToFloat(Number(args.left(comma))), decimals);
    }
    return Operand(s);
}

QString FormulaEvaluator::Operand(const QString &s) const {
    if (s.startsWith(u'"') || s.startsWith(u'\'')) return s.mid(1, s.size() - 2);
    const qsizetype dot = s.indexOf(u'.');
    if (dot >= 0) {
        const QString dataSetName = s.left(dot);
        const QString fieldName = s.mid(dot + 1);
        if (FOwner)
            for (TComponent *c : FOwner->Components())
                if (auto *ds = dynamic_cast<TDataSet *>(c); ds && ds->Name() == dataSetName)
                    return FieldText(ds, fieldName);
        // No dataset of that name: the operand has no value of its own.
        return QString();
    }
    return FieldText(FDataSet, s);
}

QString FormulaEvaluator::FieldText(TDataSet *dataSet, const QString &fieldName) const {
    try {
        TField *field = dataSet ? dataSet->FindField(fieldName) : nullptr;
        return field ? field->AsString() : QStringLiteral("DBERROR");
    } catch (const std::exception &) {
        return QStringLiteral("DBERROR");
    }
}

QString FormulaEvaluator::Number(QString s) const {
    s = Prepare(s);
    if (s.isEmpty()) return QStringLiteral("0");
    if (StartsWithCall(s, "COPY(")) return Text(s);

    qsizetype at = -1;
    for (QChar op : {u'*', u'/', u'+', u'-'}) {
        const qsizetype p = ScanTopLevel(s, op);
        if (p >= 0 && (at < 0 || p < at)) at = p;
    }
    if (at >= 0) {
        const double left = StrToFloat(Number(s.left(at)));
        const double right = StrToFloat(Number(s.mid(at + 1)));
        double value = 0;
        switch (s[at].unicode()) {
        case u'*': value = left * right; break;
        case u'+': value = left + right; break;
        case u'-': value = left - right; break;
        default:
            if (right == 0) throw EMathError(QStringLiteral("Division by zero in formula"));
            value = left / right;
        }
        if (!std::isfinite(value)) throw EMathError(QStringLiteral("Floating point overflow in formula"));
        return FloatToStr(value);
    }
    return NumericOperand(s);
}

QString FormulaEvaluator::NumericOperand(QString s) const {
    // A group in parentheses is evaluated as a sub-expression; stray parentheses are dropped.
    if (s.startsWith(u'(') && s.endsWith(u')') && ScanTopLevel(s, u')', 1) == s.size() - 1)
        return Number(s.mid(1, s.size() - 2));
    s.remove(u'(');
    s.remove(u')');
    s = Prepare(s);
    QString text = (!s.isEmpty() && s[0].isDigit()) ? s : Operand(s);
    if (text.isEmpty()) return QStringLiteral("0");
    text.replace(u',', u'.');
    double value = 0;
    if (!TryStrToFloat(text, value, u'.')) value = 0;
    return FloatToStr(ToReal48(value));
}

}  // namespace

void ParseVDMCalcField(TComponent *Owner, TDataSet *DataSet, const QString &Formula, QString &Result) {
    const FormulaEvaluator evaluator(Owner, DataSet);
    const QString value = evaluator.Text(Formula.left(FormulaLimit));
    Result = value.contains(ErrorMarker) ? QStringLiteral("ERROR") : value;
}
