#pragma once
// Field settings kept apart from the fields: the definitions the report reader collects until a
// dataset is open (display settings of data fields, calculated and lookup fields), and the lists
// that keep field settings while a dataset is closed and opened again.
#include "dblib/dataset.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

struct QMetaObject;
class TComponent;
class TField;

// Display settings of one field.
class TFieldPropClass {
public:
    TFieldPropClass(TDataSet *Dataset, bool Calculated, bool Visible, quint16 Precision, const QString &DisplayLabel,
                    const QString &DisplayFormat, const QString &FieldName);
    virtual ~TFieldPropClass() = default;

    QPointer<TDataSet> Dataset;
    QString FieldName;
    QString DisplayFormat;
    QString DisplayLabel;
    quint16 Precision = 0;
    bool Visible = true;
    bool Calculated = false;
};

// A calculated field to create once its dataset is open.
class TCalcFieldPropClass {
public:
    TCalcFieldPropClass(TDataSet *Dataset, quint16 Precision, const QString &DisplayFormat, const QString &DisplayLabel,
                        quint16 Size, const QMetaObject *FieldClass, const QString &FieldName);
    virtual ~TCalcFieldPropClass() = default;

    QPointer<TDataSet> Dataset;
    QString FieldName;
    const QMetaObject *FieldClass = nullptr;
    quint16 Size = 0;
    QString DisplayLabel;
    QString DisplayFormat;
    quint16 Precision = 0;
};

// A lookup field: a calculated field's settings plus where its value is looked up.
class TLookupFieldPropClass : public TCalcFieldPropClass {
public:
    TLookupFieldPropClass(TDataSet *Dataset, const QString &LookupResultField, const QString &LookupKeyFields,
                          quint16 LookupDatasourceNumber, const QString &KeyFields, quint16 Precision,
                          const QString &DisplayFormat, const QString &DisplayLabel, quint16 Size,
                          const QMetaObject *FieldClass, const QString &FieldName);

    quint16 LookupDatasourceNumber = 0;
    QString KeyFields;
    QString LookupKeyFields;
    QString LookupResultField;
    // The lookup dataset's name when the record refers to it by name (number 0xFFFF).
    QString LookupDatasetName;
};

// The lists own their entries.
using TFieldPropList = std::vector<std::unique_ptr<TFieldPropClass>>;
using TCalcFieldPropList = std::vector<std::unique_ptr<TCalcFieldPropClass>>;
using TLookupFieldPropList = std::vector<std::unique_ptr<TLookupFieldPropClass>>;

// Field type codes of field records: the class tests in their fixed order, the first match
// winning (a derived class takes the code of its first matching ancestor); 0 for a class
// without a code.
int FieldTypeCode(const TField *Field);
// The field class a stored code creates: codes 2 to 16 their own class, anything else a
// string field.
const QMetaObject *FieldClassForCode(int Code);

// The dataset's field of that name; otherwise, with a field class, a new calculated field of that
// class owned by Owner (the dataset's owner when null), named after the dataset and the field
// when that name is free, with size, display label and (where the class has them) display format
// and precision. Null when there is neither. The dataset must be closed to create a field.
TField *CreateCalcField(TComponent *Owner, TDataSet *Dataset, const QString &FieldName, quint16 Precision,
                        const QString &DisplayFormat, const QString &DisplayLabel, quint16 Size,
                        const QMetaObject *FieldClass);

// Adds one entry per field of the dataset, in field order.
void PutFieldsToList(TDataSet *Dataset, TFieldPropList &List);
// For each field definition of the (closed) dataset, in order: takes the field of that name or
// creates it from the definition, then applies the first entry of the list for this dataset and
// exactly this field name.
void CreateFieldsFromList(TDataSet *Dataset, const TFieldPropList &List);
