#include "persist/datasource_numbers.h"

#include "persist/loader_options.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "model/loader.h"

namespace {

constexpr quint16 ScopeMask = 0xC000;
constexpr quint16 PositionMask = 0x3FFF;
constexpr quint16 ScopeDataModules = 0x4000;
constexpr quint16 ScopeDatabaseOwner = 0x8000;

TDataSource *AsDataSource(TComponent *c) { return c ? qobject_cast<TDataSource *>(c->Object()) : nullptr; }

bool IsCountedDataSource(const TComponent *c) { return AsDataSource(const_cast<TComponent *>(c)) && !IsDesignerDataSource(c); }

// The n-th (1-based) data source among the owners' components that counts, counting across them.
TDataSource *NthDataSource(const QList<const TComponent *> &owners, int n,
                           bool (*counts)(const TComponent *) = IsCountedDataSource) {
    if (n <= 0) return nullptr;
    for (const TComponent *owner : owners) {
        if (!owner) continue;
        for (TComponent *c : owner->Components()) {
            if (!counts(c)) continue;
            if (--n == 0) return AsDataSource(c);
        }
    }
    return nullptr;
}

// The 1-based position of the data source among Owner's components that count; 0 when absent.
int PositionOf(const TComponent *Owner, const TDataSource *DataSource, bool (*counts)(const TComponent *)) {
    int position = 0;
    for (TComponent *c : Owner->Components()) {
        if (!counts(c)) continue;
        ++position;
        if (c == DataSource) return position;
    }
    return 0;
}

template <class T>
T *FindNamed(const TComponent *owner, const QString &name) {
    if (!owner || name.isEmpty()) return nullptr;
    TComponent *c = owner->FindComponent(name);
    return c ? qobject_cast<T *>(c->Object()) : nullptr;
}

template <class T>
T *FindByName(const TVDMLoader *Loader, const QString &Name) {
    if (T *found = FindNamed<T>(LoaderDatabaseOwner(Loader), Name)) return found;
    if (LoaderFlag(Loader, LoaderOption::UseDataModules))
        for (TDataModule *dm : Screen::DataModules())
            if (T *found = FindNamed<T>(dm, Name)) return found;
    return nullptr;
}

}  // namespace

bool IsDesignerDataSource(const TComponent *DataSource) {
    return DataSource && DataSource->Name().startsWith(QLatin1String("__"));
}

bool IsSavedDataSource(const TComponent *DataSource) {
    const TDataSource *ds = DataSource ? qobject_cast<const TDataSource *>(DataSource->Object()) : nullptr;
    if (!ds || IsDesignerDataSource(ds)) return false;
    return qobject_cast<const TTable *>(ds->DataSet()) || qobject_cast<const TQuery *>(ds->DataSet());
}

void NumberDataSources(TComponent *ReportForm, TComponent *DatabaseOwner) {
    int number = 0;
    if (ReportForm)
        for (TComponent *c : ReportForm->Components())
            if (IsSavedDataSource(c)) c->SetTag(++number);
    if (DatabaseOwner)
        for (TComponent *c : DatabaseOwner->Components())
            if (IsCountedDataSource(c)) c->SetTag(++number);
}

int GetDatasourceNum(const TComponent *Owner, const TDataSource *DataSource) {
    if (!DataSource) return 0;
    if (DataSource->Owner() != Owner) return -1;
    return PositionOf(Owner, DataSource, IsCountedDataSource);
}

int ReportDatasourceNum(const TComponent *ReportForm, const TDataSource *DataSource) {
    if (!DataSource) return 0;
    if (DataSource->Owner() != ReportForm) return -1;
    return PositionOf(ReportForm, DataSource, IsSavedDataSource);
}

TDataSource *ReportDatasourceByNum(const TComponent *ReportForm, quint16 Number, const TVDMLoader *Loader) {
    if ((Number & ScopeMask) == 0) return NthDataSource({ReportForm}, Number & PositionMask, IsSavedDataSource);
    return GetDatasourceByNum(ReportForm, Number, Loader);
}

TDataSet *ReportDatasetByNum(const TComponent *ReportForm, quint16 Number, const TVDMLoader *Loader) {
    TDataSource *ds = ReportDatasourceByNum(ReportForm, Number, Loader);
    return ds ? ds->DataSet() : nullptr;
}

TDataSource *GetDatasourceByNum(const TComponent *Owner, quint16 Number, const TVDMLoader *Loader) {
    const int position = Number & PositionMask;
    switch (Number & ScopeMask) {
    case 0: return NthDataSource({Owner}, position);
    case ScopeDataModules: {
        QList<const TComponent *> modules;
        for (TDataModule *dm : Screen::DataModules()) modules << dm;
        return NthDataSource(modules, position);
    }
    case ScopeDatabaseOwner: {
        if (!Loader) Loader = SearchVendamoer(Owner);
        const TComponent *databaseOwner = LoaderDatabaseOwner(Loader);
        if (!databaseOwner) {
            Interaction().ShowError(QStringLiteral("DatabaseOwner not assigned!!"));
            return nullptr;
        }
        return NthDataSource({databaseOwner}, position);
    }
    default: return nullptr;  // 0xC000 and up: no scope (0xFFFF is handled by the callers)
    }
}

TDataSet *GetDatasetByNum(const TComponent *Owner, quint16 Number, const TVDMLoader *Loader) {
    TDataSource *ds = GetDatasourceByNum(Owner, Number, Loader);
    return ds ? ds->DataSet() : nullptr;
}

TDataSource *FindDatasource4Dataset(const TDataSet *Dataset) {
    if (!Dataset || !Dataset->Owner()) return nullptr;
    for (TComponent *c : Dataset->Owner()->Components()) {
        TDataSource *ds = AsDataSource(c);
        if (ds && ds->DataSet() == Dataset) return ds;
    }
    return nullptr;
}

int DatasetReferenceNumber(const TComponent *ReportForm, const TDataSet *Dataset) {
    // A designer data source bound to the same dataset must not hide a numbered one after it.
    if (Dataset && Dataset->Owner())
        for (TComponent *c : Dataset->Owner()->Components()) {
            TDataSource *ds = AsDataSource(c);
            if (ds && ds->DataSet() == Dataset && !IsDesignerDataSource(ds)) return ReportDatasourceNum(ReportForm, ds);
        }
    return ReportDatasourceNum(ReportForm, FindDatasource4Dataset(Dataset));
}

TDataSet *FindDatasetByName(const TVDMLoader *Loader, const QString &Name) { return FindByName<TDataSet>(Loader, Name); }

TDataSource *FindDatasourceByName(const TVDMLoader *Loader, const QString &Name) {
    return FindByName<TDataSource>(Loader, Name);
}
