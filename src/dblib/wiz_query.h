#pragma once
// Wizard queries: a query over one table defined by sort fields and filter conditions, whose
// SQL text the query writes itself. Conditions are stored in report files record by record.
#include "dblib/query.h"

#include <QList>

class TStream;

enum TWizQueryFilterOperator : quint8 {
    qfoEqual,
    qfoGreater,
    qfoLess,
    qfoLessOrEqual,
    qfoGreaterOrEqual,
    qfoLike,
    qfoBetween,
    qfoIn,
    qfoBlank,
    qfoNotBlank,
    qfoNotEqual,
};

// One filter condition.
class TWizQueryFilter {
public:
    TWizQueryFilter(bool OrOperator, const QString &FieldName, TWizQueryFilterOperator Operator, const QString &Value,
                    int FieldType, bool CaseSensitive);
    // Reads one condition record; raises EReadError when the stream ends early and
    // EDatabaseError for an operator outside the known range.
    static TWizQueryFilter *CreateFromStream(TStream &Stream);
    void SaveToStream(TStream &Stream) const;

    // True for small integer, integer, word, float, currency, BCD and auto-increment fields.
    bool IsNumeric() const;
    // The condition as SQL text for a table alias (empty: unqualified), at most 255
    // characters. A condition that is not case-sensitive upper-cases its own value first.
    QString GetQueryStatement(const QString &Alias);

    QString FieldName;
    TWizQueryFilterOperator Operator = qfoEqual;
    bool OrOperator = false;
    QString Value;
    int FieldType = 1;
    bool CaseSensitive = true;
};

class TWizQuery : public TQuery {
    Q_OBJECT
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
    Q_PROPERTY(TStrings *SortFields READ SortFields)
public:
    Q_INVOKABLE explicit TWizQuery(TComponent *AOwner = nullptr);
    ~TWizQuery() override;

    QString TableName() const { return FTableName; }
    void SetTableName(const QString &value);
    // Physical field names; a leading "-" sorts descending.
    TStrings *SortFields() const { return FSortFields; }
    // The conditions in WHERE order; the query owns them.
    QList<TWizQueryFilter *> &Filters() { return FFilters; }
    void AddFilter(TWizQueryFilter *filter) { FFilters << filter; }

    // Empties the sort fields and frees the conditions; table, database and SQL stay.
    void Clear();
    // Rebuilds the SQL lines from the table, conditions and sort fields.
    void CreateSQL();

protected:
    // The SQL lines quote values in double quotes, which databases read as column names when
    // a column of that name exists. As long as the lines are still the ones CreateSQL wrote,
    // the definition runs with its values as proper SQL literals instead; the lines stay as
    // they are (report files store them).
    TSelect BuildSelect() override;

private:
    QString FTableName;
    TStrings *FSortFields;
    QList<TWizQueryFilter *> FFilters;
};
