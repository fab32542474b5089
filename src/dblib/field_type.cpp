#include "dblib/field_type.h"

#include "dblib/field_classes.h"

TValueKind ValueKindOf(TFieldType type) {
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftAutoInc: return TValueKind::Integer;
    case ftFloat: case ftCurrency: case ftBCD: case ftDate: case ftTime: case ftDateTime: return TValueKind::Float;
    case ftBytes: case ftVarBytes: case ftBlob: case ftGraphic: return TValueKind::Bytes;
    default: return TValueKind::Text;
    }
}

bool IsNumericType(TFieldType type) {
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftFloat: case ftCurrency: case ftBCD: case ftAutoInc: return true;
    default: return false;
    }
}

bool IsDateTimeType(TFieldType type) { return type == ftDate || type == ftTime || type == ftDateTime; }

bool IsBlobType(TFieldType type) { return type == ftBlob || type == ftMemo || type == ftGraphic; }

QString FieldTypeName(TFieldType type) {
    static const char *names[] = {"Unknown", "String", "Smallint", "Integer", "Word", "Boolean", "Float", "Currency", "BCD",
                                  "Date", "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic"};
    return type >= 0 && type <= ftGraphic ? QString::fromLatin1(names[type]) : QStringLiteral("Unknown");
}

const QMetaObject *FieldClassOf(TFieldType type) {
    switch (type) {
    case ftString: return &TStringField::staticMetaObject;
    case ftSmallint: return &TSmallintField::staticMetaObject;
    case ftInteger: return &TIntegerField::staticMetaObject;
    case ftWord: return &TWordField::staticMetaObject;
    case ftBoolean: return &TBooleanField::staticMetaObject;
    case ftFloat: return &TFloatField::staticMetaObject;
    case ftCurrency: return &TCurrencyField::staticMetaObject;
    case ftBCD: return &TBCDField::staticMetaObject;
    case ftDate: return &TDateField::staticMetaObject;
    case ftTime: return &TTimeField::staticMetaObject;
    case ftDateTime: return &TDateTimeField::staticMetaObject;
    case ftBytes: return &TBytesField::staticMetaObject;
    case ftVarBytes: return &TVarBytesField::staticMetaObject;
    case ftAutoInc: return &TAutoIncField::staticMetaObject;
    case ftBlob: return &TBlobField::staticMetaObject;
    case ftMemo: return &TMemoField::staticMetaObject;
    case ftGraphic: return &TGraphicField::staticMetaObject;
    default: return nullptr;
    }
}
