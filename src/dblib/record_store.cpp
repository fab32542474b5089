#include "dblib/record_store.h"

void TRecordStore::Reset(const QVector<TValueKind> &kinds) {
    FColumns.clear();
    FColumns.resize(kinds.size());
    for (int i = 0; i < kinds.size(); ++i) FColumns[i].kind = kinds[i];
    FRows = 0;
}

int TRecordStore::AppendRow() {
    for (Column &c : FColumns) {
        c.nulls.push_back(true);
        switch (c.kind) {
        case TValueKind::Integer: c.ints.push_back(0); break;
        case TValueKind::Float: c.floats.push_back(0); break;
        case TValueKind::Text:
            c.starts.push_back(0);
            c.lengths.push_back(0);
            break;
        case TValueKind::Bytes: c.bytes.emplace_back(); break;
        }
    }
    return FRows++;
}

void TRecordStore::Set(int row, int col, const QVariant &value) {
    Column &c = FColumns[col];
    const bool null = !value.isValid();
    c.nulls[row] = null;
    switch (c.kind) {
    case TValueKind::Integer: c.ints[row] = null ? 0 : value.toLongLong(); break;
    case TValueKind::Float: c.floats[row] = null ? 0 : value.toDouble(); break;
    case TValueKind::Text: {
        c.garbage += c.lengths[row];
        if (null) {
            c.lengths[row] = 0;
            break;
        }
        const QString s = value.toString();
        c.starts[row] = c.chars.size();
        c.lengths[row] = quint32(s.size());
        c.chars.insert(c.chars.end(), reinterpret_cast<const char16_t *>(s.constData()),
                       reinterpret_cast<const char16_t *>(s.constData()) + s.size());
        break;
    }
    case TValueKind::Bytes: c.bytes[row] = null ? QByteArray() : value.toByteArray(); break;
    }
}

QVariant TRecordStore::Get(int row, int col) const {
    const Column &c = FColumns[col];
    if (c.nulls[row]) return {};
    switch (c.kind) {
    case TValueKind::Integer: return qlonglong(c.ints[row]);
    case TValueKind::Float: return c.floats[row];
    case TValueKind::Text:
        return QString(reinterpret_cast<const QChar *>(c.chars.data() + c.starts[row]), qsizetype(c.lengths[row]));
    case TValueKind::Bytes: return c.bytes[row];
    }
    return {};
}

void TRecordStore::Compact() {
    for (Column &c : FColumns) {
        if (c.kind != TValueKind::Text || c.garbage < c.chars.size() / 2 + 4096) continue;
        std::vector<char16_t> fresh;
        fresh.reserve(c.chars.size() - c.garbage);
        for (int r = 0; r < FRows; ++r) {
            const quint64 start = fresh.size();
            fresh.insert(fresh.end(), c.chars.begin() + c.starts[r], c.chars.begin() + c.starts[r] + c.lengths[r]);
            c.starts[r] = start;
        }
        c.chars.swap(fresh);
        c.garbage = 0;
    }
}
