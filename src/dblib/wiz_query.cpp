#include "dblib/wiz_query.h"

#include "dblib/database.h"
#include "dblib/db_error.h"
#include "host/stream.h"
#include "host/strings.h"
#include "host/text_codec.h"

#include <QRegularExpression>

namespace {

constexpr int kMaxText = 255;
constexpr quint8 kFormatByte = 101;

const char *const kOperatorSql[] = {"=", ">", "<", "<=", ">=", "LIKE", "BETWEEN", "IN", "IS NULL", "IS NOT NULL", "<>"};

// Upper case for the letters a to z only, as the stored values expect.
QString UpperAZ(const QString &text) {
    QString out = text;
    for (QChar &c : out)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
    return out;
}

QString Quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

}  // namespace

TWizQueryFilter::TWizQueryFilter(bool OrOperator_, const QString &FieldName_, TWizQueryFilterOperator Operator_,
                                 const QString &Value_, int FieldType_, bool CaseSensitive_)
    : FieldName(CutText(FieldName_, kMaxText)),
      Operator(Operator_),
      OrOperator(OrOperator_),
      Value(CutText(Value_, kMaxText)),
      FieldType(FieldType_),
      CaseSensitive(CaseSensitive_) {}

TWizQueryFilter *TWizQueryFilter::CreateFromStream(TStream &Stream) {
    const quint8 format = Bin::ReadByte(Stream);
    const QString fieldName = Bin::ReadShortString(Stream);
    const quint8 op = Bin::ReadByte(Stream);
    const bool orOperator = Bin::ReadByte(Stream) != 0;
    const QString value = Bin::ReadShortString(Stream);
    const quint8 typeOrFlag = Bin::ReadByte(Stream);
    const bool caseSensitive = Bin::ReadByte(Stream) != 0;
    if (op > qfoNotEqual) throw EDatabaseError(QStringLiteral("Invalid filter condition operator %1").arg(op));
    // Records of the older layout carry a numeric flag where the field type now stands.
    const int fieldType = format <= 100 ? (typeOrFlag != 0 ? 3 : 1) : typeOrFlag;
    return new TWizQueryFilter(orOperator, fieldName, TWizQueryFilterOperator(op), value, fieldType, caseSensitive);
}

void TWizQueryFilter::SaveToStream(TStream &Stream) const {
    Bin::WriteByte(Stream, kFormatByte);
    Bin::WriteShortString(Stream, FieldName);
    Bin::WriteByte(Stream, quint8(Operator));
    Bin::WriteByte(Stream, OrOperator ? 1 : 0);
    Bin::WriteShortString(Stream, Value);
    Bin::WriteByte(Stream, quint8(FieldType));
    Bin::WriteByte(Stream, CaseSensitive ? 1 : 0);
}

bool TWizQueryFilter::IsNumeric() const {
    switch (FieldType) {
    case 2: case 3: case 4: case 6: case 7: case 8: case 14: return true;
    default: return false;
    }
}

QString TWizQueryFilter::GetQueryStatement(const QString &Alias) {
    const QString op = QString::fromLatin1(Operator <= qfoNotEqual ? kOperatorSql[Operator] : "=");
    const QString field = Alias.isEmpty() ? Quoted(FieldName) : Alias + QLatin1Char('.') + Quoted(FieldName);
    QString text;
    if (CaseSensitive) {
        text = QLatin1Char('(') + field + QLatin1Char(' ') + op;
    } else {
        Value = UpperAZ(Value);
        text = QStringLiteral("(UPPER(") + field + QStringLiteral(") ") + op;
    }
    const bool numeric = IsNumeric();
    switch (Operator) {
    case qfoBlank:
    case qfoNotBlank: text += QLatin1Char(')'); break;
    case qfoLike: text += QStringLiteral(" \"") + Value + QStringLiteral("%\")"); break;
    case qfoBetween: {
        const int cut = Value.indexOf(QChar(0));
        const QString lower = cut < 0 ? QString() : Value.left(cut);
        const QString upper = CutText(cut < 0 ? Value : Value.mid(cut + 1), kMaxText);
        text += numeric ? QLatin1Char(' ') + lower + QStringLiteral(" AND ") + upper + QLatin1Char(')')
                        : QLatin1Char(' ') + Quoted(lower) + QStringLiteral(" AND ") + Quoted(upper) + QLatin1Char(')');
        break;
    }
    case qfoIn: {
        QStringList items = Value.split(QChar(0));
        if (!numeric)
            for (QString &item : items) item = Quoted(item);
        text += QStringLiteral(" (") + items.join(QLatin1Char(',')) + QStringLiteral("))");
        break;
    }
    default: text += QLatin1Char(' ') + (numeric ? Value : Quoted(Value)) + QLatin1Char(')'); break;
    }
    return CutText(text, kMaxText);
}

namespace {

// A plain decimal number, as SQL reads it bare (no "inf", "nan" or hexadecimal).
bool IsPlainNumber(const QString &text) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return number.match(text).hasMatch();
}

// The condition in standard SQL: texts in single quotes with their quotes doubled, values that
// are not numbers quoted even for numeric fields (so that the database compares them, never
// runs them as SQL). The database reads a double-quoted word as a column name when there is
// one, so the stored text, which quotes values that way, is not what runs.
QString ExecutedStatement(TWizQueryFilter &f, TDatabase *db) {
    auto literal = [](const QString &v) { return QLatin1Char('\'') + QString(v).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); };
    auto value = [&](const QString &v) { return f.IsNumeric() && IsPlainNumber(v.trimmed()) ? v.trimmed() : literal(v); };
    const QString field = QStringLiteral("Q1.") + db->QuoteName(f.FieldName);
    const QString op = QString::fromLatin1(f.Operator <= qfoNotEqual ? kOperatorSql[f.Operator] : "=");
    QString text;
    if (f.CaseSensitive) {
        text = QLatin1Char('(') + field + QLatin1Char(' ') + op;
    } else {
        f.Value = UpperAZ(f.Value);
        text = QStringLiteral("(UPPER(CAST(") + field + QStringLiteral(" AS TEXT)) ") + op;
    }
    switch (f.Operator) {
    case qfoBlank:
    case qfoNotBlank: return text + QLatin1Char(')');
    case qfoLike:
        // PostgreSQL escapes with "\" in patterns unless told otherwise; SQLite does not.
        return text + QLatin1Char(' ') + literal(f.Value + QLatin1Char('%')) +
               (db->IsSQLite() ? QString() : QStringLiteral(" ESCAPE ''")) + QLatin1Char(')');
    case qfoBetween: {
        const int cut = f.Value.indexOf(QChar(0));
        const QString lower = cut < 0 ? QString() : f.Value.left(cut);
        const QString upper = cut < 0 ? f.Value : f.Value.mid(cut + 1);
        return text + QLatin1Char(' ') + value(lower) + QStringLiteral(" AND ") + value(upper) + QLatin1Char(')');
    }
    case qfoIn: {
        QStringList items = f.Value.split(QChar(0));
        for (QString &item : items) item = value(item);
        return text + QStringLiteral(" (") + items.join(QLatin1Char(',')) + QStringLiteral("))");
    }
    default: return text + QLatin1Char(' ') + value(f.Value) + QLatin1Char(')');
    }
}

}  // namespace

// ---- TWizQuery --------------------------------------------------------------------------------

TWizQuery::TWizQuery(TComponent *AOwner) : TQuery(AOwner), FSortFields(new TStringList(this)) {}

TWizQuery::~TWizQuery() { Clear(); }

void TWizQuery::SetTableName(const QString &value) { FTableName = CutText(value, kMaxText); }

void TWizQuery::Clear() {
    FSortFields->Clear();
    qDeleteAll(FFilters);
    FFilters.clear();
}

TWizQuery::TSelect TWizQuery::BuildSelect() {
    TDatabase *db = Database();
    if (FTableName.trimmed().isEmpty()) return TQuery::BuildSelect();
    // Only a definition whose lines are still the generated ones is translated.
    const QStringList lines = SQL()->ToStringList();
    TWizQuery probe;
    probe.SetTableName(FTableName);
    probe.SortFields()->Assign(FSortFields);
    for (const TWizQueryFilter *f : FFilters) probe.AddFilter(new TWizQueryFilter(*f));
    probe.CreateSQL();
    if (probe.SQL()->ToStringList() != lines) return TQuery::BuildSelect();
    QString sql = QStringLiteral("SELECT * FROM ") + db->TableRef(FTableName) + QStringLiteral(" Q1");
    for (int i = 0; i < FFilters.size(); ++i)
        sql += (i == 0 ? QStringLiteral(" WHERE ") : FFilters[i]->OrOperator ? QStringLiteral(" OR ") : QStringLiteral(" AND ")) +
               ExecutedStatement(*FFilters[i], db);
    QStringList order;
    for (int i = 0; i < FSortFields->Count(); ++i) {
        QString entry = FSortFields->Get(i);
        const bool descending = entry.startsWith(QLatin1Char('-'));
        if (descending) entry.remove(0, 1);
        order << QStringLiteral("Q1.") + db->QuoteName(entry) + (descending ? QStringLiteral(" DESC") : QString());
    }
    if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    TSelect sel;
    sel.Database = db;
    sel.Sql = sql;
    return sel;
}

void TWizQuery::CreateSQL() {
    TStrings *sql = SQL();
    sql->BeginUpdate();
    sql->Clear();
    sql->Add(CutText(QStringLiteral("SELECT * FROM ") + Quoted(FTableName) + QStringLiteral(" Q1"), kMaxText));
    for (int i = 0; i < FFilters.size(); ++i) {
        const QString joint = i == 0 ? QStringLiteral("WHERE ") : FFilters[i]->OrOperator ? QStringLiteral("   OR ")
                                                                                           : QStringLiteral("  AND ");
        sql->Add(CutText(joint + FFilters[i]->GetQueryStatement(QStringLiteral("Q1")), kMaxText));
    }
    if (FSortFields->Count() > 0) {
        QString line = QStringLiteral("ORDER BY ");
        for (int i = 0; i < FSortFields->Count(); ++i) {
            QString entry = FSortFields->Get(i);
            const bool descending = entry.startsWith(QLatin1Char('-'));
            if (descending) entry.remove(0, 1);
            line += QStringLiteral("Q1.") + Quoted(entry);
            if (descending) line += QStringLiteral(" DESC");
            if (i + 1 < FSortFields->Count()) {
                line += QStringLiteral(", ");
                if (line.size() >= 70) {
                    sql->Add(CutText(line, kMaxText));
                    line = QString(9, QLatin1Char(' '));
                }
            }
        }
        sql->Add(CutText(line, kMaxText));
    }
    sql->EndUpdate();
}
