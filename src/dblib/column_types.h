#pragma once
// Field types of result columns: SQLite declared types ("VARCHAR(30)", "DATE", "MEMO" ...)
// and PostgreSQL type identifiers, mapped to the library's field types.
#include "dblib/database.h"

#include <QMetaType>

// Maps a declared SQLite column type; ftUnknown when the text names no type.
TFieldType MapDeclaredType(const QString &declared, int &size, int &precision);
// Maps a PostgreSQL type oid with its length and precision as the driver reports them.
TFieldType MapPostgresType(int oid, int length, int precision, int &size, int &prec);
// Falls back on the value type of a column (expressions without a declared type).
TFieldType MapValueType(QMetaType type, int &size);
