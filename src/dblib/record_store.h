#pragma once
// Rows of a bidirectional dataset kept column by column in typed arrays: integers and floats as
// plain arrays, text as UTF-16 in one growing buffer per column with a start and length per row,
// bytes as implicitly shared arrays. A million rows of five columns stay in tens of megabytes,
// where a QVariant per cell would need hundreds.
#include "dblib/field_type.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>
#include <vector>

class TRecordStore {
public:
    void Reset(const QVector<TValueKind> &kinds);
    int ColumnCount() const { return int(FColumns.size()); }
    int RowCount() const { return FRows; }

    // Appends a row of held values (see db_values.h); returns its index.
    int AppendRow();
    void Set(int row, int col, const QVariant &value);
    QVariant Get(int row, int col) const;
    bool IsNull(int row, int col) const { return FColumns[col].nulls[row]; }
    // Reclaims memory left behind by overwritten text values when it has grown large.
    void Compact();

private:
    struct Column {
        TValueKind kind = TValueKind::Text;
        std::vector<bool> nulls;
        std::vector<qint64> ints;      // Integer
        std::vector<double> floats;    // Float
        std::vector<char16_t> chars;   // Text: all characters
        std::vector<quint64> starts;   // Text: start in chars
        std::vector<quint32> lengths;  // Text: length
        std::vector<QByteArray> bytes; // Bytes
        quint64 garbage = 0;           // Text: characters no longer referenced
    };
    std::vector<Column> FColumns;
    int FRows = 0;
};
