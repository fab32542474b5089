#include "reportlib/rep_data.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/conversions.h"

const QString RepFieldErrorText = QStringLiteral("#ERROR");

void TRepDataSetResolver::SetDataSets(const QList<TDataSet *> &dataSets) {
    FDataSets.clear();
    for (TDataSet *ds : dataSets)
        if (ds) FDataSets.append(ds);
    FCache.clear();
}

TField *TRepDataSetResolver::FindField(const QString &DataSetName, const QString &FieldName) const {
    const QString key = DataSetName.toLower() + u'.' + FieldName.toLower();
    auto it = FCache.constFind(key);
    if (it != FCache.constEnd() && *it) return it->data();
    TField *found = nullptr;
    for (const QPointer<TDataSet> &ds : FDataSets) {
        if (!ds || !ds->Active()) continue;
        if (!DataSetName.isEmpty() && ds->Name().compare(DataSetName, Qt::CaseInsensitive) != 0) continue;
        if ((found = ds->FindField(FieldName))) break;
    }
    if (found) FCache.insert(key, found);
    return found;
}

TExprFieldLookup TRepDataSetResolver::LookupField(const QString &DataSetName, const QString &FieldName) const {
    const TField *field = FindField(DataSetName, FieldName);
    if (!field) return {};
    return RepFieldValue(field);
}

TExprFieldLookup RepFieldValue(const TField *field) {
    TExprFieldLookup lookup;
    if (!field) return lookup;
    lookup.Found = true;
    const TFieldType type = field->DataType();
    lookup.IsNull = field->IsNull();
    try {
        switch (type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            lookup.Value = TRepEvResult::Int(lookup.IsNull ? 0 : field->AsInteger());
            break;
        case ftFloat:
        case ftCurrency:
        case ftBCD:
            lookup.Value = TRepEvResult::Double(lookup.IsNull ? 0.0 : field->AsFloat());
            break;
        case ftBoolean:
            lookup.Value = TRepEvResult::Bool(!lookup.IsNull && field->AsBoolean());
            break;
        default:
            lookup.Value = TRepEvResult::String(lookup.IsNull ? QString() : field->AsString());
            break;
        }
    } catch (const std::exception &e) {
        lookup.Value = TRepEvResult::Error(QString::fromUtf8(e.what()));
    }
    return lookup;
}

QString RepFieldText(const TField *field, const QString &mask) {
    if (!field) return RepFieldErrorText;
    try {
        if (field->IsNull()) return QString();
        const TFieldType type = field->DataType();
        if (!mask.isEmpty()) {
            if (IsNumericType(type)) return FormatFloat(mask, field->AsFloat());
            if (IsDateTimeType(type)) return FormatDateTime(mask, field->AsDateTime());
        }
        if (type == ftMemo) return field->AsString();
        return field->DisplayText();
    } catch (const std::exception &) {
        return RepFieldErrorText;
    }
}
