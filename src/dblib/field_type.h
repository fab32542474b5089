#pragma once
// Field data types. The ordinals are stored in report files and wizard filter records, so their
// values never change.
#include <QString>

class QMetaObject;

enum TFieldType : int {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
};

// How values of a type are held in memory: whole numbers, floating point (dates and times as
// days since 1899-12-30), text, or raw bytes.
enum class TValueKind { Integer, Float, Text, Bytes };

TValueKind ValueKindOf(TFieldType type);
bool IsNumericType(TFieldType type);
bool IsDateTimeType(TFieldType type);
bool IsBlobType(TFieldType type);
// A readable name ("String", "Integer" ...), used in messages.
QString FieldTypeName(TFieldType type);
// The field class that represents a type (TStringField for ftString ...); null for ftUnknown.
const QMetaObject *FieldClassOf(TFieldType type);
