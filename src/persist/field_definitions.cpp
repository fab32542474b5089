#include "persist/field_definitions.h"

#include "dblib/field_classes.h"
#include "host/property_access.h"

TFieldPropClass::TFieldPropClass(TDataSet *Dataset, bool Calculated, bool Visible, quint16 Precision,
                                 const QString &DisplayLabel, const QString &DisplayFormat, const QString &FieldName)
    : Dataset(Dataset), FieldName(FieldName), DisplayFormat(DisplayFormat), DisplayLabel(DisplayLabel),
      Precision(Precision), Visible(Visible), Calculated(Calculated) {}

TCalcFieldPropClass::TCalcFieldPropClass(TDataSet *Dataset, quint16 Precision, const QString &DisplayFormat,
                                         const QString &DisplayLabel, quint16 Size, const QMetaObject *FieldClass,
                                         const QString &FieldName)
    : Dataset(Dataset), FieldName(FieldName), FieldClass(FieldClass), Size(Size), DisplayLabel(DisplayLabel),
      DisplayFormat(DisplayFormat), Precision(Precision) {}

TLookupFieldPropClass::TLookupFieldPropClass(TDataSet *Dataset, const QString &LookupResultField,
                                             const QString &LookupKeyFields, quint16 LookupDatasourceNumber,
                                             const QString &KeyFields, quint16 Precision,
                                             const QString &DisplayFormat, const QString &DisplayLabel, quint16 Size,
                                             const QMetaObject *FieldClass, const QString &FieldName)
    : TCalcFieldPropClass(Dataset, Precision, DisplayFormat, DisplayLabel, Size, FieldClass, FieldName),
      LookupDatasourceNumber(LookupDatasourceNumber), KeyFields(KeyFields), LookupKeyFields(LookupKeyFields),
      LookupResultField(LookupResultField) {}

namespace {

struct TCodedClass {
    const QMetaObject *Meta;
    int Code;
};

// In test order: derived classes stand before the classes they derive from.
const TCodedClass *CodedClasses(int &count) {
    static const TCodedClass classes[] = {
        {&TStringField::staticMetaObject, 1},    {&TSmallintField::staticMetaObject, 2},
        {&TWordField::staticMetaObject, 4},      {&TBooleanField::staticMetaObject, 5},
        {&TCurrencyField::staticMetaObject, 7},  {&TBCDField::staticMetaObject, 8},
        {&TDateField::staticMetaObject, 9},      {&TTimeField::staticMetaObject, 10},
        {&TVarBytesField::staticMetaObject, 13}, {&TGraphicField::staticMetaObject, 16},
        {&TMemoField::staticMetaObject, 15},     {&TBlobField::staticMetaObject, 14},
        {&TBytesField::staticMetaObject, 12},    {&TDateTimeField::staticMetaObject, 11},
        {&TFloatField::staticMetaObject, 6},     {&TIntegerField::staticMetaObject, 3},
    };
    count = int(std::size(classes));
    return classes;
}

}  // namespace

int FieldTypeCode(const TField *Field) {
    if (!Field) return 0;
    int count = 0;
    const TCodedClass *classes = CodedClasses(count);
    for (int i = 0; i < count; ++i)
        if (Field->metaObject()->inherits(classes[i].Meta)) return classes[i].Code;
    return 0;
}

const QMetaObject *FieldClassForCode(int Code) {
    int count = 0;
    const TCodedClass *classes = CodedClasses(count);
    for (int i = 0; i < count; ++i)
        if (classes[i].Code == Code && Code >= 2) return classes[i].Meta;
    return &TStringField::staticMetaObject;
}

TField *CreateCalcField(TComponent *Owner, TDataSet *Dataset, const QString &FieldName, quint16 Precision,
                        const QString &DisplayFormat, const QString &DisplayLabel, quint16 Size,
                        const QMetaObject *FieldClass) {
    if (!Dataset) return nullptr;
    if (TField *existing = Dataset->FindField(FieldName)) return existing;
    if (!FieldClass) return nullptr;
    if (!Owner) Owner = Dataset->Owner();
    QObject *obj = FieldClass->newInstance(Q_ARG(TComponent *, Owner));
    auto *field = qobject_cast<TField *>(obj);
    if (!field) {
        delete obj;
        return nullptr;
    }
    try {
        field->SetFieldName(FieldName);
        field->SetSize(Size);
        field->SetCalculated(true);
        field->SetDataSet(Dataset);
        const QString name = Dataset->Name() + FieldName;
        if (TComponent::IsValidIdent(name) && !(Owner && Owner->FindComponent(name))) field->SetName(name);
        field->SetDisplayLabel(DisplayLabel);
        SetStringProperty(field, QStringLiteral("DisplayFormat"), DisplayFormat);
        SetIntegerProperty(field, QStringLiteral("Precision"), Precision);
    } catch (...) {
        delete field;
        throw;
    }
    return field;
}

void PutFieldsToList(TDataSet *Dataset, TFieldPropList &List) {
    if (!Dataset) return;
    for (TField *f : Dataset->Fields())
        List.push_back(std::make_unique<TFieldPropClass>(
            Dataset, f->Calculated(), f->Visible(), quint16(GetIntegerProperty(f, QStringLiteral("Precision"))),
            f->DisplayLabel(), GetStringProperty(f, QStringLiteral("DisplayFormat")), f->FieldName()));
}

void CreateFieldsFromList(TDataSet *Dataset, const TFieldPropList &List) {
    if (!Dataset) return;
    TFieldDefs &defs = Dataset->FieldDefs();
    if (defs.Count() == 0) Dataset->UpdateFieldDefs();
    for (int i = 0; i < defs.Count(); ++i) {
        const TFieldDef def = defs[i];
        TField *field = Dataset->FindField(def.Name);
        if (!field) field = def.CreateField(Dataset->Owner(), Dataset);
        for (const auto &entry : List) {
            if (entry->Dataset != Dataset || entry->FieldName != def.Name) continue;
            field->SetDisplayLabel(entry->DisplayLabel);
            field->SetVisible(entry->Visible);
            SetStringProperty(field, QStringLiteral("DisplayFormat"), entry->DisplayFormat);
            SetIntegerProperty(field, QStringLiteral("Precision"), entry->Precision);
            break;
        }
    }
}
