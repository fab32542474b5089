#pragma once
// Field data for expression tests: named datasets of named values, searched in order.
#include "reportlib/expr_field_resolver.h"

#include <QList>
#include <QPair>
#include <QString>

class TMemoryResolver : public TExprFieldResolver {
public:
    void Set(const QString &dataSet, const QString &field, const TRepEvResult &value,
             bool isNull = false) {
        for (TEntry &entry : FEntries)
            if (entry.DataSet == dataSet && entry.Field == field) {
                entry.Value = value;
                entry.IsNull = isNull;
                return;
            }
        FEntries.append({dataSet, field, value, isNull});
    }
    void Remove(const QString &dataSet, const QString &field) {
        for (int i = 0; i < FEntries.size(); ++i)
            if (FEntries.at(i).DataSet == dataSet && FEntries.at(i).Field == field)
                FEntries.removeAt(i--);
    }

    TExprFieldLookup LookupField(const QString &DataSetName,
                                 const QString &FieldName) const override {
        TExprFieldLookup lookup;
        for (const TEntry &entry : FEntries)
            if ((DataSetName.isEmpty() ||
                 entry.DataSet.compare(DataSetName, Qt::CaseInsensitive) == 0) &&
                entry.Field.compare(FieldName, Qt::CaseInsensitive) == 0) {
                lookup.Found = true;
                lookup.IsNull = entry.IsNull;
                lookup.Value = entry.Value;
                return lookup;
            }
        return lookup;
    }

private:
    struct TEntry {
        QString DataSet;
        QString Field;
        TRepEvResult Value;
        bool IsNull;
    };
    QList<TEntry> FEntries;
};
