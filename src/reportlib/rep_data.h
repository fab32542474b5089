#pragma once
// How report elements read data: field references of expressions resolved over the report's
// datasets, and the text a data element prints for a field.
#include "reportlib/expr_field_resolver.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>

class TDataSet;
class TField;

// The text printed when a data element's field cannot be found.
extern const QString RepFieldErrorText;

// Field references ("Field" or "DataSet.Field", names without regard to case) over a list of
// datasets; a bare field name is looked up in the datasets in list order. Found fields are
// remembered per name, and forgotten when they go away.
class TRepDataSetResolver : public TExprFieldResolver {
public:
    void SetDataSets(const QList<TDataSet *> &dataSets);
    const QList<QPointer<TDataSet>> &DataSets() const { return FDataSets; }
    // The field a reference names, null when there is none.
    TField *FindField(const QString &DataSetName, const QString &FieldName) const;

    TExprFieldLookup LookupField(const QString &DataSetName, const QString &FieldName) const override;

private:
    QList<QPointer<TDataSet>> FDataSets;
    mutable QHash<QString, QPointer<TField>> FCache;
};

// The value of a field as an expression value: whole numbers as integers, other numbers as
// floating point, booleans as booleans, everything else (dates and times included) as the
// field's text.
TExprFieldLookup RepFieldValue(const TField *field);

// The text a data element prints: with a mask, numbers through FormatFloat and dates and times
// through FormatDateTime; without one the field's display text (memo fields their whole text).
// A null value prints empty.
QString RepFieldText(const TField *field, const QString &mask);
