#include "dblib/query.h"

#include "dblib/data_source.h"
#include "dblib/database.h"
#include "dblib/db_error.h"
#include "dblib/field.h"
#include "dblib/session.h"
#include "host/strings.h"

#include <QSqlQuery>

TQuery::TQuery(TComponent *AOwner) : TDataSet(AOwner), FSQL(new TStringList(this)) {
    connect(FSQL, &TStrings::Changed, this, &TQuery::SQLChanged);
}

TQuery::~TQuery() {
    SetState(csDestroying, true);
    if (FDataSource) {
        FDataSource->DetachDetail(this);
        RemoveFreeNotification(FDataSource);
    }
}

QString TQuery::DisplayName() const { return Name().isEmpty() ? QStringLiteral("Query") : Name(); }

void TQuery::SetDatabaseName(const QString &value) {
    if (value == FDatabaseName) return;
    CheckInactive();
    FDatabaseName = value;
    FieldDefs().Clear();
}

void TQuery::SetSQL(TStrings *value) {
    if (value && value != FSQL) FSQL->Assign(value);
}

QString TQuery::Text() const { return FSQL->Text(); }

void TQuery::SQLChanged() {
    Close();
    FieldDefs().Clear();
    QStringList names;
    TParams::ParseSQL(FSQL->Text(), names);
    TParams fresh;
    for (const QString &n : names)
        if (!fresh.FindParam(n)) fresh.CreateParam(ftUnknown, n, ptInput);
    fresh.AssignValues(FParams);
    FParams = fresh;
}

void TQuery::SetUniDirectional(bool value) {
    if (value == FUniDirectional) return;
    CheckInactive();
    FUniDirectional = value;
}

void TQuery::SetDataSource(TDataSource *value) {
    if (value == FDataSource) return;
    if (value && value->DataSet() == this) throw EDatabaseError(QStringLiteral("%1: Circular data link").arg(DisplayName()));
    if (FDataSource) {
        FDataSource->DetachDetail(this);
        RemoveFreeNotification(FDataSource);
    }
    FDataSource = value;
    if (value) {
        FreeNotification(value);
        value->AttachDetail(this);
    }
    if (Active()) Requery();
}

void TQuery::Notification(TComponent *AComponent, TOperation Operation) {
    TDataSet::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataSource && AComponent == static_cast<TComponent *>(FDataSource)) {
        FDataSource = nullptr;
    }
}

TDatabase *TQuery::Database() { return Session().OpenDatabase(FDatabaseName, ReadOnlyConnection()); }

QVariantList TQuery::ParameterValues(const QStringList &names) {
    TDataSet *master = FDataSource && FDataSource->Enabled() ? FDataSource->DataSet() : nullptr;
    const bool masterRecord = master && master->Active() && !master->IsEmpty();
    for (int i = 0; i < FParams.Count(); ++i) {
        TParam &p = FParams[i];
        if (p.Bound() || !master) continue;
        TField *f = master->FindField(p.Name());
        if (!f) continue;
        if (masterRecord)
            p.AssignField(f);
        else
            p.Clear();
    }
    QVariantList values;
    for (const QString &n : names) {
        const TParam *p = FParams.FindParam(n);
        values << (p ? p->DriverValue() : QVariant(QMetaType::fromType<QString>()));
    }
    return values;
}

TQuery::TSelect TQuery::BuildSelect() {
    QString text = FSQL->Text().trimmed();
    while (text.endsWith(QLatin1Char(';'))) text = text.chopped(1).trimmed();
    if (text.isEmpty()) throw EDatabaseError(QStringLiteral("%1: No SQL statement").arg(DisplayName()));
    TSelect sel;
    sel.Database = Database();
    QStringList names;
    sel.Sql = TParams::ParseSQL(text, names);
    sel.Database->PrepareSql(sel.Sql);
    sel.Values = ParameterValues(names);
    FLastValues = sel.Values;
    return sel;
}

void TQuery::MasterChanged() {
    if (!Active() || HasState(csDestroying)) return;
    QStringList names;
    TParams::ParseSQL(FSQL->Text(), names);
    const QVariantList values = ParameterValues(names);
    if (values == FLastValues) return;
    Requery();
}

int TQuery::ExecSQL() {
    QString text = FSQL->Text().trimmed();
    if (text.isEmpty()) throw EDatabaseError(QStringLiteral("%1: No SQL statement").arg(DisplayName()));
    TDatabase *db = Database();
    QStringList names;
    const QString sql = TParams::ParseSQL(text, names);
    db->PrepareSql(sql);
    try {
        QSqlQuery q = db->Execute(sql, ParameterValues(names), true);
        return q.numRowsAffected();
    } catch (const EDatabaseError &e) {
        throw EDatabaseError(QStringLiteral("%1: %2").arg(DisplayName(), e.Message()));
    }
}
