#include "dblib/dataset.h"

#include "dblib/data_source.h"
#include "dblib/database.h"
#include "dblib/db_error.h"
#include "dblib/db_values.h"
#include "dblib/field_classes.h"
#include "dblib/filter_expression.h"
#include "dblib/registration.h"
#include "dblib/row_stream.h"
#include "host/strings.h"

#include <QSqlRecord>

struct TDataSet::TCursorData {
    ~TCursorData() {
        Stream.reset();
        if (Database) Database->RemoveUser();
    }
    TDatabase *Database = nullptr;
    QVector<TColumnDesc> Columns;  // key columns included, at the end
    int Hidden = 0;
    bool Streaming = false;
    TSelect Select;
    // buffered rows
    TRecordStore Store;
    std::vector<int> View;  // store rows in order, filtered
    int Pos = -1;           // index into View
    // streamed rows
    std::unique_ptr<TRowStream> Stream;
    bool StreamHasRow = false;
    bool StreamAnyRow = false;  // some record was read since the statement ran
    int StreamRecNo = 0;
    // lookups: key fields -> (key text -> view position)
    QHash<QString, QHash<QString, int>> LookupCache;
};

namespace {

QString KeyText(const QVariantList &values) {
    QString out;
    for (const QVariant &v : values) {
        out += v.isValid() ? v.toString() : QStringLiteral("\x01null");
        out += QChar(0x1F);
    }
    return out;
}

// Restores the dataset state after a calculation, also when a handler raises.
struct StateGuard {
    TDataSetState &ref;
    TDataSetState saved;
    ~StateGuard() { ref = saved; }
};

}  // namespace

TDataSet::TDataSet(TComponent *AOwner) : TComponent(AOwner) { FFieldDefs.DataSet = this; }

TDataSet::~TDataSet() {
    SetState(csDestroying, true);
    FCursor.reset();
    FState = dsInactive;
    DestroyDynamicFields();
    const auto fields = FFields;
    for (TField *f : fields) {
        f->Bind(-1, false);
        f->SetDataSet(nullptr);
    }
    FFields.clear();
    const auto sources = FDataSources;
    FDataSources.clear();
    for (TDataSource *ds : sources) ds->SetDataSet(nullptr);
}

QString TDataSet::DisplayName() const { return Name().isEmpty() ? QStringLiteral("Dataset") : Name(); }

void TDataSet::CheckActive() const {
    if (!Active()) throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(DisplayName()));
}

void TDataSet::CheckInactive() const {
    if (Active()) throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(DisplayName()));
}

const QVector<TColumnDesc> &TDataSet::Columns() const {
    static const QVector<TColumnDesc> none;
    return FCursor ? FCursor->Columns : none;
}

// ---- opening and closing ---------------------------------------------------------------------

void TDataSet::SetActive(bool value) {
    if (value)
        Open();
    else
        Close();
}

void TDataSet::SetReadOnlyConnection(bool value) {
    if (value == FReadOnlyConnection) return;
    const bool wasActive = Active();
    Close();
    FReadOnlyConnection = value;
    if (wasActive) Open();
}

void TDataSet::Open() {
    if (Active()) return;
    DoBeforeOpen();
    FBeforeOpen.Invoke<TDataSet *>(this);
    try {
        OpenCursor();
    } catch (const EDatabaseError &e) {
        CloseCursor();
        // Messages name the dataset the failure belongs to.
        if (e.Message().startsWith(DisplayName() + QLatin1Char(':'))) throw;
        throw EDatabaseError(QStringLiteral("%1: %2").arg(DisplayName(), e.Message()));
    } catch (...) {
        CloseCursor();
        throw;
    }
    FState = dsBrowse;
    if (FCursor->Streaming) {
        StreamFirst();
    } else {
        FCursor->Pos = FCursor->View.empty() ? -1 : 0;
        FBof = true;
        FEof = FCursor->View.empty();
    }
    emit stateChanged();
    emit afterOpen();
    FAfterOpen.Invoke<TDataSet *>(this);
    AfterMove();
}

void TDataSet::Close() {
    if (!Active()) return;
    FBeforeClose.Invoke<TDataSet *>(this);
    CloseCursor();
    DoAfterClose();
    emit stateChanged();
    emit afterClose();
    FAfterClose.Invoke<TDataSet *>(this);
    DataEvent(false);
}

void TDataSet::OpenCursor() {
    FCursor = std::make_unique<TCursorData>();
    TSelect sel = BuildSelect();
    if (!sel.Database) throw EDatabaseError(QStringLiteral("%1: No database").arg(DisplayName()));
    FCursor->Database = sel.Database;
    sel.Database->AddUser();
    FCursor->Hidden = sel.HiddenColumns;
    FCursor->Streaming = UniDirectionalMode();
    FCursor->Select = sel;
    std::unique_ptr<TRowStream> stream;
    QSqlQuery q;
    if (FCursor->Streaming)
        stream = TRowStream::Open(sel.Database, sel.Sql, sel.Values);
    else
        q = sel.Database->Execute(sel.Sql, sel.Values);
    const QSqlQuery &result = stream ? stream->Query() : q;
    FCursor->Columns = sel.Database->Describe(result);
    if (FCursor->Columns.isEmpty() || !result.isSelect())
        throw EDatabaseError(QStringLiteral("%1: The statement returns no rows; run it with ExecSQL").arg(DisplayName()));
    SetFieldDefs(FCursor->Columns, FCursor->Hidden);
    BindFields();
    FEditBuffer.clear();
    if (FFiltered && !FFilter.trimmed().isEmpty()) CompileFilter();
    if (FCursor->Streaming) {
        FCursor->Stream = std::move(stream);
        FCursor->StreamRecNo = 0;
        FCursor->StreamHasRow = false;
    } else {
        LoadRows(q);
        RebuildView();
    }
}

void TDataSet::SetFieldDefs(const QVector<TColumnDesc> &columns, int hidden) {
    // Every column but the key columns.
    FFieldDefs.Clear();
    const int visible = int(columns.size()) - hidden;
    for (int i = 0; i < visible; ++i) {
        const TColumnDesc &c = columns[i];
        TFieldDef def;
        def.Name = c.Name;
        def.DataType = c.AutoInc ? ftAutoInc : c.DataType;
        def.Size = c.Size;
        def.Precision = c.Precision;
        def.Required = c.Required;
        def.FieldNo = i + 1;
        FFieldDefs.Add(def);
    }
}

void TDataSet::UpdateFieldDefs() {
    if (Active()) return;
    const TSelect sel = BuildSelect();
    if (!sel.Database) throw EDatabaseError(QStringLiteral("%1: No database").arg(DisplayName()));
    QSqlQuery q = sel.Database->Execute(QStringLiteral("SELECT * FROM (%1) vendamo_defs LIMIT 0").arg(sel.Sql), sel.Values);
    SetFieldDefs(sel.Database->Describe(q), sel.HiddenColumns);
}

void TDataSet::LoadRows(QSqlQuery &q) {
    TCursorData &c = *FCursor;
    QVector<TValueKind> kinds;
    for (const TColumnDesc &col : c.Columns) kinds << ValueKindOf(col.DataType);
    c.Store.Reset(kinds);
    const int n = int(c.Columns.size());
    while (q.next()) {
        const int row = c.Store.AppendRow();
        for (int i = 0; i < n; ++i) c.Store.Set(row, i, DbValues::FromDriver(q.value(i), c.Columns[i].DataType));
    }
    c.LookupCache.clear();
}

void TDataSet::CloseCursor() {
    FCursor.reset();
    FState = dsInactive;
    FEof = FBof = true;
    FEditBuffer.clear();
    FCalcBuffer.clear();
    FFilterExpr.reset();
    DestroyDynamicFields();
    for (TField *f : FFields) f->Bind(-1, false);
}

void TDataSet::BindFields() {
    bool anyField = !FFields.isEmpty();
    if (!anyField) {
        for (int i = 0; i < FFieldDefs.Count(); ++i) {
            const TFieldDef &def = FFieldDefs[i];
            const QMetaObject *meta = def.FieldClass() ? def.FieldClass() : &TStringField::staticMetaObject;
            QObject *obj = meta->newInstance(Q_ARG(TComponent *, this));
            auto *f = qobject_cast<TField *>(obj);
            if (!f) {
                delete obj;
                continue;
            }
            // Columns of the same name (a join) get numbered field names.
            QString name = def.Name;
            for (int n = 1; FindField(name); ++n) name = def.Name + QStringLiteral("_%1").arg(n);
            f->SetFieldName(name);
            f->SetSize(def.Size);
            if (auto *ff = qobject_cast<TFloatField *>(f); ff && def.Precision > 0) ff->SetPrecision(def.Precision);
            f->SetRequired(def.Required);
            if (def.DataType == ftAutoInc) f->SetReadOnly(true);
            f->SetDataSet(this);
            f->Bind(i, true);
        }
    }
    int slot = 0;
    for (TField *f : FFields) {
        if (f->FieldKind() != fkData) {
            f->SetCalcSlot(slot++);
            continue;
        }
        if (f->IsDynamic() && f->FieldNo() >= 0) continue;
        const int idx = FFieldDefs.IndexOf(f->FieldName());
        if (idx < 0) throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(DisplayName(), f->FieldName()));
        f->Bind(idx, f->IsDynamic());
    }
    FCalcBuffer = QVector<QVariant>(slot);
}

void TDataSet::DestroyDynamicFields() {
    const auto fields = FFields;
    for (TField *f : fields)
        if (f->IsDynamic()) delete f;  // detaches itself
}

// ---- fields ----------------------------------------------------------------------------------

TField *TDataSet::FindField(const QString &name) const {
    const QString n = name.trimmed();
    for (TField *f : FFields)
        if (f->FieldName().compare(n, Qt::CaseInsensitive) == 0) return f;
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &name) const {
    if (TField *f = FindField(name)) return f;
    throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(DisplayName(), name));
}

QStringList TDataSet::FieldNames() const {
    QStringList names;
    for (TField *f : FFields) names << f->FieldName();
    return names;
}

void TDataSet::GetFieldNames(TStrings &list) const {
    list.BeginUpdate();
    list.Clear();
    for (TField *f : FFields) list.Add(f->FieldName());
    list.EndUpdate();
}

QList<TField *> TDataSet::GetFieldList(const QString &names) const {
    QList<TField *> result;
    for (const QString &n : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty()) result << FieldByName(n.trimmed());
    return result;
}

void TDataSet::AttachField(TField *field) {
    if (FFields.contains(field)) return;
    if (!field->IsDynamic()) CheckInactive();
    if (!field->FieldName().isEmpty() && FindField(field->FieldName()))
        throw EDatabaseError(QStringLiteral("%1: Duplicate field name '%2'").arg(DisplayName(), field->FieldName()));
    FFields << field;
}

void TDataSet::DetachField(TField *field) {
    if (!FFields.contains(field)) return;
    if (!field->IsDynamic() && Active() && !HasState(csDestroying)) {
        // A persistent field going away while open: the record layout changes, so close.
        FFields.removeAll(field);
        Close();
        return;
    }
    FFields.removeAll(field);
}

void TDataSet::MoveField(TField *field, int index) {
    const int from = int(FFields.indexOf(field));
    if (from < 0) return;
    FFields.move(from, qBound(0, index, int(FFields.size()) - 1));
}

// ---- values ----------------------------------------------------------------------------------

QVariant TDataSet::ColumnValue(int storeRow, int column, TFieldType asType) const {
    const QVariant v = FCursor->Store.Get(storeRow, column);
    if (!v.isValid()) return v;
    if (ValueKindOf(FCursor->Columns[column].DataType) == ValueKindOf(asType)) return v;
    return DbValues::FromDriver(v, asType);
}

int TDataSet::StoreRow() const {
    if (!FCursor || FCursor->Streaming) return -1;
    const int pos = FCursor->Pos;
    return pos >= 0 && pos < int(FCursor->View.size()) ? FCursor->View[pos] : -1;
}

QVariant TDataSet::GetFieldValue(const TField *field) const {
    if (!FCursor) return {};
    if (field->FieldKind() != fkData) {
        const int slot = field->CalcSlot();
        return slot >= 0 && slot < FCalcBuffer.size() ? FCalcBuffer[slot] : QVariant();
    }
    const int col = field->FieldNo();
    if (col < 0) return {};
    if (FState == dsEdit || FState == dsInsert || (FState == dsCalcFields && !FEditBuffer.isEmpty())) {
        const QVariant v = FEditBuffer.value(col);
        return ValueKindOf(FCursor->Columns[col].DataType) == ValueKindOf(field->DataType())
                   ? v
                   : DbValues::FromDriver(v, field->DataType());
    }
    if (FCursor->Streaming) {
        if (!FCursor->StreamHasRow) return {};
        return DbValues::FromDriver(FCursor->Stream->Value(col), field->DataType());
    }
    const int row = StoreRow();
    return row < 0 ? QVariant() : ColumnValue(row, col, field->DataType());
}

void TDataSet::SetFieldValue(TField *field, const QVariant &value) {
    CheckActive();
    if (field->FieldKind() != fkData) {
        const int slot = field->CalcSlot();
        if (slot >= 0 && slot < FCalcBuffer.size()) FCalcBuffer[slot] = value;
        return;
    }
    if (FState != dsEdit && FState != dsInsert)
        throw EDatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(DisplayName()));
    if (field->ReadOnly() && !field->IsDynamic())
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()));
    const int col = field->FieldNo();
    if (col < 0 || col >= FEditBuffer.size()) return;
    FEditBuffer[col] = value.isValid() ? DbValues::FromDriver(value, FCursor->Columns[col].DataType) : QVariant();
    if (!FCalcBuffer.isEmpty()) CalculateFields();
    DataEvent(false);
}

// ---- navigation ------------------------------------------------------------------------------

void TDataSet::StreamFirst() {
    TCursorData &c = *FCursor;
    if (c.StreamRecNo > 1 || (c.StreamRecNo == 1 && !c.StreamHasRow)) {
        // Already past the first record: run the statement again.
        c.Stream.reset();
        c.Stream = TRowStream::Open(c.Select.Database, c.Select.Sql, c.Select.Values);
        c.StreamRecNo = 0;
    }
    if (c.StreamRecNo == 0) {
        c.StreamHasRow = false;
        c.StreamAnyRow = false;
        StreamNext();
    }
    FBof = true;
    FEof = !c.StreamHasRow;
}

bool TDataSet::StreamNext() {
    TCursorData &c = *FCursor;
    if (c.Select.Empty || !c.Stream) {
        c.StreamHasRow = false;
        return false;
    }
    while (c.Stream->Next()) {
        c.StreamHasRow = true;
        if (!FFilterExpr || AcceptCurrentStream()) {
            ++c.StreamRecNo;
            c.StreamAnyRow = true;
            return true;
        }
    }
    c.StreamHasRow = false;
    if (c.StreamRecNo == 0) c.StreamRecNo = 1;  // an empty result counts as read
    return false;
}

void TDataSet::First() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    if (FCursor->Streaming) {
        // On the first record already: nothing to read again.
        const bool atFirst = FCursor->StreamRecNo == 1 && FCursor->StreamHasRow;
        StreamFirst();
        if (!atFirst) AfterMove();
        return;
    }
    FCursor->Pos = FCursor->View.empty() ? -1 : 0;
    FBof = true;
    FEof = FCursor->View.empty();
    AfterMove();
}

void TDataSet::Next() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    if (FCursor->Streaming) {
        if (FEof) return;
        FBof = false;
        if (!StreamNext()) FEof = true;
        AfterMove();
        return;
    }
    const int count = int(FCursor->View.size());
    if (FCursor->Pos + 1 < count) {
        ++FCursor->Pos;
        FBof = false;
        FEof = false;
        AfterMove();
    } else {
        FEof = true;
        if (count == 0) FBof = true;
    }
}

void TDataSet::Prior() {
    CheckActive();
    if (FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Operation not allowed on a unidirectional dataset").arg(DisplayName()));
    if (FState == dsEdit || FState == dsInsert) Post();
    if (FCursor->Pos > 0) {
        --FCursor->Pos;
        FBof = false;
        FEof = false;
        AfterMove();
    } else {
        FBof = true;
        if (FCursor->View.empty()) FEof = true;
    }
}

void TDataSet::Last() {
    CheckActive();
    if (FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Operation not allowed on a unidirectional dataset").arg(DisplayName()));
    if (FState == dsEdit || FState == dsInsert) Post();
    FCursor->Pos = int(FCursor->View.size()) - 1;
    FEof = true;
    FBof = FCursor->View.empty();
    AfterMove();
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    int moved = 0;
    if (distance > 0) {
        while (moved < distance && !FEof) {
            const int before = RecNo();
            Next();
            if (RecNo() == before && FEof) break;
            ++moved;
        }
    } else {
        while (moved > distance && !FBof) {
            const int before = RecNo();
            Prior();
            if (RecNo() == before && FBof) break;
            --moved;
        }
    }
    return moved;
}

bool TDataSet::IsEmpty() const {
    if (!FCursor) return true;
    if (FCursor->Streaming) return !FCursor->StreamAnyRow;
    return FCursor->View.empty();
}

int TDataSet::RecNo() const {
    if (!FCursor) return 0;
    if (FCursor->Streaming) return FCursor->StreamHasRow ? FCursor->StreamRecNo : 0;
    return FState == dsInsert ? 0 : FCursor->Pos + 1;
}

void TDataSet::SetRecNo(int value) {
    CheckActive();
    if (FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Operation not allowed on a unidirectional dataset").arg(DisplayName()));
    const int count = int(FCursor->View.size());
    if (count == 0) return;
    FCursor->Pos = qBound(1, value, count) - 1;
    FBof = FEof = false;
    AfterMove();
}

int TDataSet::RecordCount() {
    CheckActive();
    if (!FCursor->Streaming) return int(FCursor->View.size());
    if (FCursor->Select.Empty) return 0;
    if (FFilterExpr) {
        // Counting filtered rows means reading them; do so on a separate statement.
        QSqlQuery q = FCursor->Select.Database->Execute(FCursor->Select.Sql, FCursor->Select.Values);
        int n = 0;
        while (q.next()) {
            const auto valueOf = [&](const TField *f) -> QVariant {
                return f->FieldNo() < 0 ? QVariant() : DbValues::FromDriver(q.value(f->FieldNo()), f->DataType());
            };
            if (FFilterExpr->Evaluate(valueOf)) ++n;
        }
        return n;
    }
    QSqlQuery q = FCursor->Select.Database->Execute(
        QStringLiteral("SELECT COUNT(*) FROM (%1) vendamo_count").arg(FCursor->Select.Sql), FCursor->Select.Values);
    return q.next() ? q.value(0).toInt() : 0;
}

void TDataSet::AfterMove() {
    CalculateFields();
    DataEvent(true);
}

// ---- calculated and lookup fields -------------------------------------------------------------

void TDataSet::CalculateFields() {
    if (FCalcBuffer.isEmpty() || !FCursor) return;
    for (QVariant &v : FCalcBuffer) v = QVariant();
    const bool hasRecord = FState == dsInsert || FState == dsEdit ||
                           (FCursor->Streaming ? FCursor->StreamHasRow : StoreRow() >= 0);
    if (!hasRecord) return;
    for (TField *f : FFields) {
        if (f->FieldKind() != fkLookup) continue;
        TDataSet *source = f->LookupDataSet();
        if (!source || !source->Active() || f->KeyFields().isEmpty() || f->LookupResultField().isEmpty()) continue;
        QVariantList keys;
        for (TField *k : GetFieldList(f->KeyFields())) keys << k->Value();
        const QVariant v = source->Lookup(f->LookupKeyFields(), keys, f->LookupResultField());
        FCalcBuffer[f->CalcSlot()] = v.isValid() ? DbValues::FromDriver(v, f->DataType()) : QVariant();
    }
    if (!FOnCalcFields.Assigned()) return;
    StateGuard guard{FState, FState};
    FState = dsCalcFields;
    FOnCalcFields.Invoke<TDataSet *>(this);
}

QVariantList TDataSet::CurrentRow() const {
    QVariantList row;
    const int r = StoreRow();
    if (r < 0) return row;
    for (int i = 0; i < FCursor->Columns.size(); ++i) row << FCursor->Store.Get(r, i);
    return row;
}

int TDataSet::FindRow(const QList<TField *> &keys, const QVariantList &values, int options) {
    TCursorData &c = *FCursor;
    if (c.Streaming)
        throw EDatabaseError(QStringLiteral("%1: Operation not allowed on a unidirectional dataset").arg(DisplayName()));
    for (TField *k : keys)
        if (k->FieldKind() != fkData || k->FieldNo() < 0)
            throw EDatabaseError(QStringLiteral("%1: Field '%2' cannot be searched").arg(DisplayName(), k->FieldName()));
    QVariantList wanted;
    for (int i = 0; i < keys.size(); ++i) {
        const QVariant v = values.value(i);
        wanted << (v.isValid() && !v.isNull() ? DbValues::FromDriver(v, keys[i]->DataType()) : QVariant());
    }
    if (options == 0) {
        QString cacheKey;
        for (TField *k : keys) cacheKey += QString::number(k->FieldNo()) + QLatin1Char(';');
        auto it = c.LookupCache.find(cacheKey);
        if (it == c.LookupCache.end()) {
            QHash<QString, int> index;
            for (int pos = int(c.View.size()) - 1; pos >= 0; --pos) {
                QVariantList rowKeys;
                for (TField *k : keys) rowKeys << ColumnValue(c.View[pos], k->FieldNo(), k->DataType());
                index.insert(KeyText(rowKeys), pos);  // the first match wins
            }
            it = c.LookupCache.insert(cacheKey, index);
        }
        return it->value(KeyText(wanted), -1);
    }
    const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int pos = 0; pos < int(c.View.size()); ++pos) {
        bool match = true;
        for (int i = 0; match && i < keys.size(); ++i) {
            const QVariant v = ColumnValue(c.View[pos], keys[i]->FieldNo(), keys[i]->DataType());
            if (!v.isValid() || !wanted[i].isValid()) {
                match = !v.isValid() && !wanted[i].isValid();
            } else if (v.typeId() == QMetaType::QString) {
                const QString a = v.toString(), b = wanted[i].toString();
                match = (options & loPartialKey) ? a.startsWith(b, cs) : a.compare(b, cs) == 0;
            } else {
                match = v == wanted[i];
            }
        }
        if (match) return pos;
    }
    return -1;
}

int TDataSet::GetBookmark() const { return FState == dsInsert ? -1 : StoreRow(); }

bool TDataSet::GotoBookmark(int bookmark) {
    CheckActive();
    if (FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Operation not allowed on a unidirectional dataset").arg(DisplayName()));
    if (FState == dsEdit || FState == dsInsert) Post();
    const auto it = std::find(FCursor->View.begin(), FCursor->View.end(), bookmark);
    if (bookmark < 0 || it == FCursor->View.end()) return false;
    FCursor->Pos = int(it - FCursor->View.begin());
    FBof = FEof = false;
    AfterMove();
    return true;
}

bool TDataSet::Locate(const QString &keyFields, const QVariantList &values, int options) {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    const int pos = FindRow(GetFieldList(keyFields), values, options);
    if (pos < 0) return false;
    FCursor->Pos = pos;
    FBof = FEof = false;
    AfterMove();
    return true;
}

QVariant TDataSet::Lookup(const QString &keyFields, const QVariantList &values, const QString &resultFields) {
    CheckActive();
    const int pos = FindRow(GetFieldList(keyFields), values, 0);
    if (pos < 0) return {};
    const QList<TField *> results = GetFieldList(resultFields);
    QVariantList out;
    for (TField *f : results) {
        if (f->FieldKind() != fkData || f->FieldNo() < 0) {
            out << QVariant();
            continue;
        }
        out << ColumnValue(FCursor->View[pos], f->FieldNo(), f->DataType());
    }
    return out.size() == 1 ? out.first() : QVariant(out);
}

// ---- filters -----------------------------------------------------------------------------------

void TDataSet::CompileFilter() {
    FFilterExpr.reset();
    if (FFiltered && !FFilter.trimmed().isEmpty()) FFilterExpr = std::make_unique<TFilterExpression>(FFilter, this, FFilterOptions);
}

bool TDataSet::AcceptRow(int storeRow) const {
    if (!FFilterExpr) return true;
    return FFilterExpr->Evaluate([&](const TField *f) -> QVariant {
        return f->FieldNo() < 0 ? QVariant() : ColumnValue(storeRow, f->FieldNo(), f->DataType());
    });
}

bool TDataSet::AcceptCurrentStream() const {
    return FFilterExpr->Evaluate([&](const TField *f) -> QVariant {
        return f->FieldNo() < 0 ? QVariant() : DbValues::FromDriver(FCursor->Stream->Value(f->FieldNo()), f->DataType());
    });
}

void TDataSet::RebuildView() {
    TCursorData &c = *FCursor;
    c.View.clear();
    c.LookupCache.clear();
    const int rows = c.Store.RowCount();
    c.View.reserve(FFilterExpr ? 0 : rows);
    for (int r = 0; r < rows; ++r)
        if (AcceptRow(r)) c.View.push_back(r);
    c.Pos = c.View.empty() ? -1 : 0;
}

void TDataSet::SetFilter(const QString &value) {
    if (value == FFilter) return;
    const QString old = FFilter;
    FFilter = value;
    if (Active() && FFiltered) {
        try {
            CompileFilter();
        } catch (...) {
            FFilter = old;
            CompileFilter();
            throw;
        }
        Requery();
    }
}

void TDataSet::SetFiltered(bool value) {
    if (value == FFiltered) return;
    FFiltered = value;
    if (Active()) {
        try {
            CompileFilter();
        } catch (...) {
            FFiltered = false;
            FFilterExpr.reset();
            throw;
        }
        Requery();
    }
}

void TDataSet::SetFilterOptions(int value) {
    if (value == FFilterOptions) return;
    FFilterOptions = value;
    if (Active() && FFiltered) {
        CompileFilter();
        Requery();
    }
}

// ---- requery and refresh -----------------------------------------------------------------------

void TDataSet::Requery() {
    if (!Active()) return;
    if (FState == dsEdit || FState == dsInsert) Cancel();
    TCursorData &c = *FCursor;
    TSelect sel = BuildSelect();
    c.Select = sel;
    c.Stream.reset();
    std::unique_ptr<TRowStream> stream;
    QSqlQuery q;
    if (c.Streaming)
        stream = TRowStream::Open(sel.Database, sel.Sql, sel.Values);
    else
        q = sel.Database->Execute(sel.Sql, sel.Values);
    if ((stream ? stream->Query() : q).record().count() != c.Columns.size())
        throw EDatabaseError(QStringLiteral("%1: The columns of the dataset changed; close and reopen it").arg(DisplayName()));
    if (c.Streaming) {
        c.Stream = std::move(stream);
        c.StreamRecNo = 0;
        c.StreamHasRow = false;
        StreamFirst();
    } else {
        LoadRows(q);
        RebuildView();
        FBof = true;
        FEof = c.View.empty();
    }
    AfterMove();
}

void TDataSet::Refresh() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    if (FCursor->Streaming) {
        Requery();
        return;
    }
    const QVariantList current = CurrentRow();
    const int hidden = FCursor->Hidden;
    Requery();
    if (current.isEmpty() || hidden == 0) return;
    // Back to the same record by its key columns.
    const int n = int(FCursor->Columns.size());
    for (int pos = 0; pos < int(FCursor->View.size()); ++pos) {
        bool same = true;
        for (int i = n - hidden; same && i < n; ++i) same = FCursor->Store.Get(FCursor->View[pos], i) == current.value(i);
        if (same) {
            FCursor->Pos = pos;
            FBof = FEof = false;
            AfterMove();
            return;
        }
    }
}

// ---- editing -----------------------------------------------------------------------------------

QVariantList TDataSet::WriteRecord(const QVariantList &, const QVariantList &, bool) {
    throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
}

void TDataSet::DeleteRecord(const QVariantList &) {
    throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
}

void TDataSet::Edit() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) return;
    if (!CanModify() || FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
    if (StoreRow() < 0) {
        Insert();
        return;
    }
    FEditBuffer = CurrentRow();
    FState = dsEdit;
    emit stateChanged();
    DataEvent(false);
}

void TDataSet::Insert() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    if (!CanModify() || FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
    FEditBuffer = QVariantList();
    for (int i = 0; i < FCursor->Columns.size(); ++i) FEditBuffer << QVariant();
    FState = dsInsert;
    FAppending = false;
    CalculateFields();
    emit stateChanged();
    DataEvent(false);
}

void TDataSet::Append() {
    Insert();
    FAppending = true;
}

void TDataSet::Post() {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) return;
    for (TField *f : FFields)
        if (f->FieldKind() == fkData && f->Required() && f->DataType() != ftAutoInc && f->FieldNo() >= 0 &&
            !FEditBuffer.value(f->FieldNo()).isValid())
            throw EDatabaseError(QStringLiteral("Field '%1' must have a value").arg(f->FieldName()));
    const bool inserting = FState == dsInsert;
    const QVariantList row = WriteRecord(FEditBuffer, inserting ? QVariantList() : CurrentRow(), inserting);
    TCursorData &c = *FCursor;
    int storeRow = inserting ? c.Store.AppendRow() : StoreRow();
    for (int i = 0; i < c.Columns.size(); ++i)
        c.Store.Set(storeRow, i, DbValues::FromDriver(row.value(i), c.Columns[i].DataType));
    if (inserting) {
        // Insert puts the record before the current one, Append after the last.
        const int at = FAppending ? int(c.View.size()) : qBound(0, c.Pos, int(c.View.size()));
        c.View.insert(c.View.begin() + at, storeRow);
        c.Pos = at;
    }
    c.Store.Compact();
    c.LookupCache.clear();
    FEditBuffer.clear();
    FState = dsBrowse;
    FBof = FEof = false;
    emit stateChanged();
    AfterMove();
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    FEditBuffer.clear();
    FState = dsBrowse;
    emit stateChanged();
    AfterMove();
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (!CanModify() || FCursor->Streaming)
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
    if (StoreRow() < 0) throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(DisplayName()));
    FState = dsBrowse;
    FEditBuffer.clear();
    DeleteRecord(CurrentRow());
    TCursorData &c = *FCursor;
    c.View.erase(c.View.begin() + c.Pos);
    c.LookupCache.clear();
    if (c.Pos >= int(c.View.size())) c.Pos = int(c.View.size()) - 1;
    FEof = c.View.empty();
    FBof = c.View.empty();
    AfterMove();
}

// ---- notification -------------------------------------------------------------------------------

void TDataSet::DisableControls() { ++FDisableCount; }

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount == 0 && FPendingEvent) {
        FPendingEvent = false;
        DataEvent(true);
    }
}

void TDataSet::DataEvent(bool scrolled) {
    if (HasState(csDestroying)) return;
    if (scrolled) {
        emit afterScroll();
        FAfterScroll.Invoke<TDataSet *>(this);
    }
    emit dataChanged();
    if (FDisableCount > 0) {
        FPendingEvent = true;
        return;
    }
    const auto sources = FDataSources;
    for (TDataSource *ds : sources)
        if (FDataSources.contains(ds)) ds->DataEvent();
}

void TDataSet::AttachDataSource(TDataSource *ds) {
    if (!FDataSources.contains(ds)) FDataSources << ds;
}

void TDataSet::DetachDataSource(TDataSource *ds) { FDataSources.removeAll(ds); }

namespace {
// Linking any dataset brings the class registration with it.
const bool classesRegistered = (RegisterDbComponents(), true);
}  // namespace
