#pragma once
// How the evaluator reaches data: field references ("Field" or "Dataset.Field") are looked up
// through this interface, so the evaluator does not depend on any particular data access layer.
#include "reportlib/expr_value.h"

#include <QString>

struct TExprFieldLookup {
    bool Found = false;    // false: no such dataset or field (Value is then an error)
    bool IsNull = false;   // the field holds no value; Value is the empty value of its kind
    TRepEvResult Value;
};

class TExprFieldResolver {
public:
    virtual ~TExprFieldResolver() = default;
    // DataSetName is empty for a bare field name: then every dataset is searched in order and
    // the first that has the field answers. Names compare without regard to case.
    virtual TExprFieldLookup LookupField(const QString &DataSetName,
                                         const QString &FieldName) const = 0;
};
