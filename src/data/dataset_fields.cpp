#include "data/dataset_fields.h"

#include "dblib/dataset.h"
#include "dblib/db_error.h"
#include "dblib/session.h"
#include "host/strings.h"
#include "model/lookup_helpers.h"

void CreateFields(TDataSet *DataSet, const TStrings *DisplayLabels) {
    if (!DataSet) return;
    const bool wasActive = DataSet->Active();
    // Field objects are only created on a closed dataset; the definitions stay known.
    DataSet->Close();
    TFieldDefs &defs = DataSet->FieldDefs();
    for (int i = 0; i < defs.Count(); ++i) {
        const TFieldDef &def = defs.Item(i);
        TField *field = DataSet->FindField(def.Name);
        if (!field) field = def.CreateField(nullptr, DataSet);
        if (!DisplayLabels) continue;
        const QString label = DisplayLabels->Values(def.Name);
        if (!label.isEmpty()) field->SetDisplayLabel(label);
    }
    if (wasActive) DataSet->Open();
}

template <class Convert>
static QString ConvertList(const QString &List, Convert convert) {
    if (List.isEmpty()) return QString();
    QStringList items = List.split(QLatin1Char(';'));
    if (items.last().isEmpty()) items.removeLast();  // a trailing ";" ends the list
    for (QString &item : items) item = convert(item);
    return items.join(QLatin1Char(';'));
}

QString ConvertToDisplayLabels(const TDataSet *DataSet, const QString &Names) {
    return ConvertList(Names,
                       [DataSet](const QString &name) { return FindDisplayLabel4Field(DataSet, name); });
}

QString ConvertToFieldNames(const TDataSet *DataSet, const QString &Labels) {
    return ConvertList(Labels,
                       [DataSet](const QString &label) { return FindField4DisplayLabel(DataSet, label); });
}

QString GetAliasPath(const QString &Alias) {
    if (!Session().IsAlias(Alias)) return QString();
    QString path;
    for (const QString &line : Session().AliasParams(Alias))
        if (line.section(QLatin1Char('='), 0, 0)
                .trimmed()
                .compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0)
            path = line.section(QLatin1Char('='), 1);
    if (path.isEmpty())
        throw EDatabaseError(QStringLiteral("Alias path from ") + Alias + QStringLiteral(" invalid"));
    return path;
}
