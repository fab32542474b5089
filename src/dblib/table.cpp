#include "dblib/table.h"

#include "dblib/data_source.h"
#include "dblib/database.h"
#include "dblib/db_error.h"
#include "dblib/db_values.h"
#include "dblib/field.h"
#include "dblib/session.h"
#include "host/strings.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

TTable::TTable(TComponent *AOwner) : TDataSet(AOwner) { FIndexDefs.Table = this; }

TTable::~TTable() {
    SetState(csDestroying, true);
    if (FMasterSource) {
        FMasterSource->DetachDetail(this);
        RemoveFreeNotification(FMasterSource);
    }
}

QString TTable::DisplayName() const {
    return Name().isEmpty() ? (FTableName.isEmpty() ? QStringLiteral("Table") : FTableName) : Name();
}

void TTable::SetDatabaseName(const QString &value) {
    if (value == FDatabaseName) return;
    CheckInactive();
    FDatabaseName = value;
    FIndexDefs.Clear();
    FieldDefs().Clear();
}

void TTable::SetTableName(const QString &value) {
    if (value == FTableName) return;
    CheckInactive();
    FTableName = value;
    FIndexDefs.Clear();
    FieldDefs().Clear();
}

void TTable::SetReadOnly(bool value) {
    if (value == FReadOnly) return;
    CheckInactive();
    FReadOnly = value;
}

void TTable::SetIndexName(const QString &value) {
    if (value == FIndexName && FIndexFieldNames.isEmpty()) return;
    FIndexName = value;
    FIndexFieldNames.clear();
    if (Active()) {
        if (!value.isEmpty()) {
            UpdateIndexDefs();
            if (!FIndexDefs.Find(value))
                throw EDatabaseError(QStringLiteral("%1: Index '%2' not found").arg(DisplayName(), value));
        }
        Requery();
    }
}

void TTable::SetIndexFieldNames(const QString &value) {
    if (value == FIndexFieldNames) return;
    FIndexFieldNames = value;
    if (!value.isEmpty()) FIndexName.clear();
    if (Active()) Requery();
}

void TTable::CheckNotLinkedToSelf(TDataSource *value) {
    for (TDataSource *ds = value; ds && ds->DataSet();) {
        if (ds->DataSet() == this) throw EDatabaseError(QStringLiteral("%1: Circular data link").arg(DisplayName()));
        auto *t = qobject_cast<TTable *>(ds->DataSet());
        ds = t ? t->MasterSource() : nullptr;
    }
}

void TTable::SetMasterSource(TDataSource *value) {
    if (value == FMasterSource) return;
    CheckNotLinkedToSelf(value);
    if (FMasterSource) {
        FMasterSource->DetachDetail(this);
        RemoveFreeNotification(FMasterSource);
    }
    FMasterSource = value;
    if (value) {
        FreeNotification(value);
        value->AttachDetail(this);
    }
    FLastMasterValues.clear();
    if (Active()) Requery();
}

void TTable::SetMasterFields(const QString &value) {
    if (value == FMasterFields) return;
    FMasterFields = value;
    FLastMasterValues.clear();
    if (Active()) Requery();
}

void TTable::Notification(TComponent *AComponent, TOperation Operation) {
    TDataSet::Notification(AComponent, Operation);
    if (Operation == opRemove && FMasterSource && AComponent == static_cast<TComponent *>(FMasterSource)) {
        FMasterSource = nullptr;
        if (Active() && !HasState(csDestroying)) Requery();
    }
}

TDatabase *TTable::Database() {
    QString db = FDatabaseName;
    if (db.trimmed().isEmpty() && (FTableName.contains(QLatin1Char('/')) || FTableName.contains(QLatin1Char('\\')))) {
        // A table named by its path lives in that directory.
        QString path = FTableName;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        db = QFileInfo(path).absolutePath();
    }
    return Session().OpenDatabase(db, ReadOnlyConnection());
}

QString TTable::TableNameInDatabase() const {
    if (!FDatabaseName.trimmed().isEmpty()) return FTableName;
    return QFileInfo(QString(FTableName).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
}

bool TTable::CanModify() const { return !FReadOnly && !ReadOnlyConnection(); }

void TTable::UpdateIndexDefs() {
    if (FTableName.trimmed().isEmpty()) throw EDatabaseError(QStringLiteral("%1: No table name").arg(DisplayName()));
    FIndexDefs.FItems.clear();
    for (const TIndexDesc &d : Database()->Indexes(TableNameInDatabase())) {
        TIndexDef def;
        def.Name = d.Primary ? QString() : d.Name;
        def.Fields = d.Fields.join(QLatin1Char(';'));
        def.Options = (d.Primary ? ixPrimary : 0) | (d.Unique ? ixUnique : 0) | (d.Descending ? ixDescending : 0);
        FIndexDefs.Add(def);
    }
    FIndexDefs.FUpdated = true;
}

QStringList TTable::IndexNames() {
    if (!FIndexDefs.Updated()) UpdateIndexDefs();
    QStringList names;
    for (int i = 0; i < FIndexDefs.Count(); ++i)
        if (!FIndexDefs[i].Name.isEmpty()) names << FIndexDefs[i].Name;
    return names;
}

void TTable::GetIndexNames(TStrings &list) {
    const QStringList names = IndexNames();
    list.BeginUpdate();
    list.Clear();
    for (const QString &n : names) list.Add(n);
    list.EndUpdate();
}

QStringList TTable::IndexFieldList() {
    if (!FIndexFieldNames.trimmed().isEmpty()) {
        QStringList out;
        for (const QString &f : FIndexFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) out << f.trimmed();
        return out;
    }
    if (!FIndexDefs.Updated()) UpdateIndexDefs();
    const TIndexDef *def = FIndexDefs.Find(FIndexName);
    if (!def) {
        if (!FIndexName.trimmed().isEmpty())
            throw EDatabaseError(QStringLiteral("%1: Index '%2' not found").arg(DisplayName(), FIndexName));
        return {};
    }
    return def->FieldList();
}

QVariantList TTable::MasterValues(bool &hasRecord) {
    hasRecord = false;
    QVariantList values;
    TDataSet *master = FMasterSource && FMasterSource->Enabled() ? FMasterSource->DataSet() : nullptr;
    if (!master || !master->Active()) return values;
    if (master->IsEmpty() && master->State() != dsInsert) return values;
    for (TField *f : master->GetFieldList(FMasterFields)) values << DbValues::ToDriver(f->Value(), f->DataType(), true);
    hasRecord = true;
    return values;
}

TTable::TSelect TTable::BuildSelect() {
    if (FTableName.trimmed().isEmpty()) throw EDatabaseError(QStringLiteral("%1: No table name").arg(DisplayName()));
    TSelect sel;
    TDatabase *db = Database();
    sel.Database = db;
    const QString tableName = TableNameInDatabase();
    const QString ref = db->TableRef(tableName);
    const bool rowId = db->HasRowId(tableName);
    sel.HiddenColumns = rowId ? 1 : 0;
    QString sql = QStringLiteral("SELECT *%1 FROM %2").arg(rowId ? QStringLiteral(", rowid AS vendamo_rowid") : QString(), ref);
    const QStringList order = IndexFieldList();
    if (FMasterSource && !FMasterFields.trimmed().isEmpty()) {
        bool hasRecord = false;
        const QVariantList values = MasterValues(hasRecord);
        FLastMasterValues = values;
        FLastMasterHasRecord = hasRecord;
        if (values.size() > order.size())
            throw EDatabaseError(QStringLiteral("%1: The index has fewer fields than the master fields %2").arg(DisplayName(), FMasterFields));
        if (!hasRecord) {
            sql += QStringLiteral(" WHERE 1 = 0");
            sel.Empty = true;
        } else {
            QStringList conditions;
            for (int i = 0; i < values.size(); ++i) {
                conditions << db->QuoteName(order[i]) + QStringLiteral(" = ?");
                sel.Values << values[i];
            }
            sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        }
    }
    QStringList orderBy;
    for (const QString &f : order) orderBy << db->QuoteName(f);
    if (orderBy.isEmpty() && rowId) orderBy << QStringLiteral("rowid");
    if (!orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + orderBy.join(QStringLiteral(", "));
    sel.Sql = sql;
    return sel;
}

void TTable::MasterChanged() {
    if (!Active() || FMasterFields.trimmed().isEmpty() || HasState(csDestroying)) return;
    bool hasRecord = false;
    const QVariantList values = MasterValues(hasRecord);
    if (hasRecord == FLastMasterHasRecord && values == FLastMasterValues) return;
    Requery();
}

// ---- writing ----------------------------------------------------------------------------------

QString TTable::KeyCondition(TDatabase *db, const QVariantList &oldValues, QVariantList &binds) {
    const auto &cols = Columns();
    const int hidden = int(cols.size()) - FieldDefs().Count();
    if (hidden > 0) {
        binds << oldValues.value(cols.size() - 1);
        return QStringLiteral("rowid = ?");
    }
    if (!FIndexDefs.Updated()) UpdateIndexDefs();
    const TIndexDef *primary = FIndexDefs.Primary();
    if (!primary) throw EDatabaseError(QStringLiteral("%1: The table has no primary key, so rows cannot be changed").arg(DisplayName()));
    QStringList conditions;
    for (const QString &f : primary->FieldList()) {
        const int i = FieldDefs().IndexOf(f);
        if (i < 0) throw EDatabaseError(QStringLiteral("%1: Key field '%2' not found").arg(DisplayName(), f));
        conditions << db->QuoteName(cols[i].Name) + QStringLiteral(" = ?");
        binds << DbValues::ToDriver(oldValues.value(i), cols[i].DataType, true);
    }
    return conditions.join(QStringLiteral(" AND "));
}

QVariantList TTable::WriteRecord(const QVariantList &newValues, const QVariantList &oldValues, bool inserting) {
    if (FReadOnly) throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
    TDatabase *db = Database();
    const auto cols = Columns();
    const int visible = FieldDefs().Count();
    const QString ref = db->TableRef(TableNameInDatabase());
    QStringList names, marks;
    QVariantList binds;
    for (int i = 0; i < visible; ++i) {
        const bool autoInc = cols[i].DataType == ftAutoInc || cols[i].AutoInc;
        if (inserting ? !newValues.value(i).isValid() || autoInc : newValues.value(i) == oldValues.value(i)) continue;
        names << db->QuoteName(cols[i].Name);
        marks << QStringLiteral("?");
        binds << DbValues::ToDriver(newValues.value(i), cols[i].DataType, true);
    }
    QString selectKeys;
    QVariantList keyBinds;
    if (inserting) {
        const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(ref)
                                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(ref, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        if (db->IsSQLite()) {
            QSqlQuery q = db->Execute(sql, binds);
            if (int(cols.size()) > visible) {
                keyBinds << q.lastInsertId();
                selectKeys = QStringLiteral("rowid = ?");
            }
        } else {
            if (!FIndexDefs.Updated()) UpdateIndexDefs();
            const TIndexDef *primary = FIndexDefs.Primary();
            if (!primary) throw EDatabaseError(QStringLiteral("%1: The table has no primary key, so rows cannot be added").arg(DisplayName()));
            QStringList pk;
            for (const QString &f : primary->FieldList()) pk << db->QuoteName(f);
            QSqlQuery q = db->Execute(sql + QStringLiteral(" RETURNING ") + pk.join(QStringLiteral(", ")), binds);
            QStringList conditions;
            if (q.next())
                for (int i = 0; i < pk.size(); ++i) {
                    conditions << pk[i] + QStringLiteral(" = ?");
                    keyBinds << q.value(i);
                }
            selectKeys = conditions.join(QStringLiteral(" AND "));
        }
    } else {
        selectKeys = KeyCondition(db, oldValues, keyBinds);
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString &n : names) sets << n + QStringLiteral(" = ?");
            db->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(ref, sets.join(QStringLiteral(", ")), selectKeys), binds + keyBinds);
            // The key may have changed with the update.
            if (int(cols.size()) == visible) {
                keyBinds.clear();
                QVariantList merged = oldValues;
                for (int i = 0; i < visible; ++i) merged[i] = newValues.value(i);
                selectKeys = KeyCondition(db, merged, keyBinds);
            }
        }
    }
    if (selectKeys.isEmpty()) return newValues;
    const bool rowId = int(cols.size()) > visible;
    QSqlQuery q = db->Execute(QStringLiteral("SELECT *%1 FROM %2 WHERE %3")
                                  .arg(rowId ? QStringLiteral(", rowid AS vendamo_rowid") : QString(), db->TableRef(TableNameInDatabase()), selectKeys),
                              keyBinds);
    QVariantList row;
    if (q.next())
        for (int i = 0; i < cols.size(); ++i) row << q.value(i);
    else
        row = newValues;
    return row;
}

void TTable::DeleteRecord(const QVariantList &oldValues) {
    if (FReadOnly) throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(DisplayName()));
    TDatabase *db = Database();
    QVariantList binds;
    const QString where = KeyCondition(db, oldValues, binds);
    db->Execute(QStringLiteral("DELETE FROM %1 WHERE %2").arg(db->TableRef(TableNameInDatabase()), where), binds);
}
