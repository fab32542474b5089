#include "dblib/field_defs.h"

#include "dblib/dataset.h"
#include "dblib/db_error.h"
#include "dblib/field_classes.h"
#include "dblib/table.h"

#include <QMetaObject>

TField *TFieldDef::CreateField(TComponent *Owner, TDataSet *DataSet) const {
    if (!DataSet) throw EDatabaseError(QStringLiteral("Field '%1' needs a dataset").arg(Name));
    DataSet->CheckInactive();
    const QMetaObject *meta = FieldClass() ? FieldClass() : &TStringField::staticMetaObject;
    if (!Owner) Owner = DataSet->Owner();
    QObject *obj = meta->newInstance(Q_ARG(TComponent *, Owner));
    auto *field = qobject_cast<TField *>(obj);
    if (!field) {
        delete obj;
        throw EDatabaseError(QStringLiteral("Cannot create field '%1'").arg(Name));
    }
    try {
        field->SetFieldName(Name);
        field->SetSize(Size);
        if (auto *f = qobject_cast<TFloatField *>(field); f && Precision > 0) f->SetPrecision(Precision);
        field->SetRequired(Required);
        if (DataType == ftAutoInc) field->SetReadOnly(true);
        const QString name = DataSet->Name() + Name;
        if (TComponent::IsValidIdent(name) && !(Owner && Owner->FindComponent(name))) field->SetName(name);
        field->SetDataSet(DataSet);
    } catch (...) {
        delete field;
        throw;
    }
    return field;
}

const TFieldDef *TFieldDefs::Find(const QString &name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : &FItems[i];
}

int TFieldDefs::IndexOf(const QString &name) const {
    const QString n = name.trimmed();
    for (int i = 0; i < FItems.size(); ++i)
        if (FItems[i].Name.compare(n, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QStringList TFieldDefs::Names() const {
    QStringList names;
    for (const TFieldDef &d : FItems) names << d.Name;
    return names;
}

void TFieldDefs::Add(const TFieldDef &def) {
    FItems << def;
    if (FItems.last().FieldNo <= 0) FItems.last().FieldNo = int(FItems.size());
}

void TFieldDefs::Update() {
    if (DataSet) DataSet->UpdateFieldDefs();
}

QStringList TIndexDef::FieldList() const {
    QStringList out;
    for (const QString &f : Fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) out << f.trimmed();
    return out;
}

const TIndexDef *TIndexDefs::Find(const QString &name) const {
    const QString n = name.trimmed();
    for (const TIndexDef &d : FItems)
        if (n.isEmpty() ? (d.Options & ixPrimary) != 0 : d.Name.compare(n, Qt::CaseInsensitive) == 0) return &d;
    return nullptr;
}

const TIndexDef *TIndexDefs::Primary() const {
    for (const TIndexDef &d : FItems)
        if (d.Options & ixPrimary) return &d;
    return nullptr;
}

void TIndexDefs::Update() {
    if (Table) Table->UpdateIndexDefs();
}
