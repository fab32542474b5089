#include "model/lookup_helpers.h"

#include "model/report_constants.h"

#include "dblib/dataset.h"
#include "host/component.h"
#include "host/property_access.h"
#include "host/strings.h"

bool FindStringInStringList(const TStrings *List, const QString &S) {
    if (!List) return false;
    for (int i = 0; i < List->Count(); ++i)
        if (List->Get(i).compare(S, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString FindUniqueComponentName(const TComponent *Owner, const QString &BaseName, bool TryBaseFirst, qint64 *Next) {
    const QString base = BaseName.left(ShortStringLength);
    if (!Owner) return TryBaseFirst ? base : base.left(ShortStringLength - 1) + QLatin1Char('1');
    if (TryBaseFirst && !Owner->FindComponent(base)) return base;
    // An owner with n components leaves one of the numbers 1 .. n + 1 free.
    for (qint64 n = Next ? qMax<qint64>(1, *Next) : 1;; ++n) {
        const QString number = QString::number(n);
        const QString name = base.left(ShortStringLength - int(number.size())) + number;
        if (Owner->FindComponent(name)) continue;
        if (Next) *Next = n + 1;
        return name;
    }
}

QString FindField4DisplayLabel(const TDataSet *DataSet, const QString &DisplayLabel) {
    if (DataSet)
        for (const TField *f : DataSet->Fields())
            if (f->DisplayLabel() == DisplayLabel) return f->FieldName();
    return DisplayLabel;
}

QString FindDisplayLabel4Field(const TDataSet *DataSet, const QString &FieldName) {
    if (!DataSet) return FieldName;
    const QString label = DataSet->FieldByName(FieldName)->DisplayLabel();
    return label.isEmpty() ? FieldName : label;
}

namespace {

void SetGroupEnabled(const TComponent *Component, qint32 GroupID, bool Enabled) {
    if (!Component || GroupID == 0 || !Component->Owner()) return;
    const QList<TComponent *> siblings = Component->Owner()->Components();
    for (TComponent *c : siblings) {
        QObject *o = c->Object();
        if (o && GetIntegerProperty(o, ElementProperty::GroupID) == GroupID)
            SetBooleanProperty(o, QStringLiteral("Enabled"), Enabled);
    }
}

}  // namespace

void EnableGroup(const TComponent *Component, qint32 GroupID) { SetGroupEnabled(Component, GroupID, true); }
void DisableGroup(const TComponent *Component, qint32 GroupID) { SetGroupEnabled(Component, GroupID, false); }
