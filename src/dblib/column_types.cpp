#include "dblib/column_types.h"

#include <QRegularExpression>

TFieldType MapDeclaredType(const QString &declared, int &size, int &precision) {
    const QString d = declared.trimmed().toUpper();
    size = 0;
    precision = 0;
    if (d.isEmpty()) return ftUnknown;
    static const QRegularExpression args(QStringLiteral(R"(\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))"));
    const auto m = args.match(d);
    const int a1 = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int a2 = m.hasMatch() && !m.captured(2).isEmpty() ? m.captured(2).toInt() : 0;
    auto has = [&](const char *s) { return d.contains(QLatin1String(s)); };

    if (has("AUTOINC")) return ftAutoInc;
    if (d.startsWith(QLatin1String("BOOL")) || d == QLatin1String("BIT") || d == QLatin1String("LOGICAL")) return ftBoolean;
    if (has("SMALLINT") || has("INT2") || has("TINYINT") || d.startsWith(QLatin1String("SHORT"))) return ftSmallint;
    if (d.startsWith(QLatin1String("WORD"))) return ftWord;
    if (has("INT")) return ftInteger;
    if (has("MONEY") || has("CURRENCY")) return ftCurrency;
    if (has("NUMERIC") || has("DECIMAL") || has("BCD")) {
        precision = a1;
        size = a2;
        return ftBCD;
    }
    if (has("REAL") || has("FLOA") || has("DOUB")) return ftFloat;
    if (has("DATETIME") || has("TIMESTAMP")) return ftDateTime;
    if (has("DATE")) return ftDate;
    if (has("TIME")) return ftTime;
    if (has("MEMO") || has("CLOB") || has("LONGTEXT")) return ftMemo;
    if (has("GRAPHIC") || has("IMAGE") || has("PICTURE")) return ftGraphic;
    if (has("VARBINARY") || has("VARBYTES")) {
        size = a1 > 0 ? a1 : 255;
        return ftVarBytes;
    }
    if (has("BINARY") || has("BYTES")) {
        size = a1 > 0 ? a1 : 16;
        return ftBytes;
    }
    if (has("BLOB")) return ftBlob;
    size = a1 > 0 ? a1 : 255;
    return ftString;
}

TFieldType MapPostgresType(int oid, int length, int precision, int &size, int &prec) {
    size = 0;
    prec = 0;
    switch (oid) {
    case 16: return ftBoolean;                        // bool
    case 17: return ftBlob;                           // bytea
    case 20: case 23: case 26: return ftInteger;      // int8, int4, oid
    case 21: return ftSmallint;                       // int2
    case 700: case 701: return ftFloat;               // float4, float8
    case 790: return ftCurrency;                      // money
    case 1700:                                        // numeric
        prec = length > 0 ? length : 0;
        size = precision > 0 ? precision : 0;
        return ftBCD;
    case 1082: return ftDate;
    case 1083: case 1266: return ftTime;
    case 1114: case 1184: return ftDateTime;
    case 18: case 19: case 25: case 1042: case 1043:  // char, name, text, bpchar, varchar
        size = length > 0 ? length : 255;
        return ftString;
    default:
        size = 255;
        return ftString;
    }
}

TFieldType MapValueType(QMetaType type, int &size) {
    size = 0;
    switch (type.id()) {
    case QMetaType::Bool: return ftBoolean;
    case QMetaType::Short: case QMetaType::UShort: return ftSmallint;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
        return ftInteger;
    case QMetaType::Double: case QMetaType::Float: return ftFloat;
    case QMetaType::QDate: return ftDate;
    case QMetaType::QTime: return ftTime;
    case QMetaType::QDateTime: return ftDateTime;
    case QMetaType::QByteArray: return ftBlob;
    default:
        size = 255;
        return ftString;
    }
}
