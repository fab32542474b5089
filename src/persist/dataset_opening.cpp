#include "persist/dataset_opening.h"

#include "persist/dataset_records.h"
#include "persist/datasource_numbers.h"
#include "persist/loader_options.h"
#include "persist/report_records.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "dblib/wiz_query.h"
#include "model/loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

TDataSource *AsDataSource(TComponent *c) { return c ? qobject_cast<TDataSource *>(c->Object()) : nullptr; }

// The form's data sources that carry a table or a query, in component order.
QList<TDataSource *> DatasetSources(TComponent *form) {
    QList<TDataSource *> list;
    if (!form) return list;
    for (TComponent *c : form->Components()) {
        TDataSource *ds = AsDataSource(c);
        if (!ds || IsDesignerDataSource(ds)) continue;
        if (qobject_cast<TTable *>(ds->DataSet()) || qobject_cast<TQuery *>(ds->DataSet())) list << ds;
    }
    return list;
}

TDataSource *MasterOf(const TDataSet *dataset) {
    if (auto *t = qobject_cast<const TTable *>(dataset)) return t->MasterSource();
    if (auto *q = qobject_cast<const TQuery *>(dataset)) return q->DataSource();
    return nullptr;
}

void SetMaster(TDataSet *dataset, TDataSource *master) {
    if (auto *t = qobject_cast<TTable *>(dataset))
        t->SetMasterSource(master);
    else if (auto *q = qobject_cast<TQuery *>(dataset))
        q->SetDataSource(master);
}

QString ApplicationDir() { return QDir::cleanPath(QCoreApplication::applicationDirPath()); }

QString Joined(const QString &dir, QString rest) {
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
    return rest.isEmpty() ? dir : dir + QLatin1Char('/') + rest;
}

// Masters before their details: repeatedly take the first entry whose master is not (or no
// longer) waiting; what is left over keeps its order.
QList<TDataSource *> MastersFirst(QList<TDataSource *> pending) {
    if (pending.size() < 2) return pending;
    QList<TDataSource *> ordered;
    const int rounds = int(pending.size());
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < pending.size(); ++i) {
            TDataSource *master = MasterOf(pending[i]->DataSet());
            if (!master || !pending.contains(master)) {
                ordered << pending.takeAt(i);
                break;
            }
        }
    }
    return ordered + pending;
}

// Runs one preparation step; its errors are not shown (a failure to open is, below).
template <class Step>
void Quietly(Step step) {
    try {
        step();
    } catch (const std::exception &) {
    }
}

template <class List>
bool DefinesFieldsOf(const List &definitions, const TDataSet *dataset) {
    for (const auto &def : definitions)
        if (def->Dataset == dataset) return true;
    return false;
}

// Creates the calculated and lookup fields the file defines for the dataset and applies the
// display settings of its data fields. Each kind is tried on its own, so that a dataset that
// cannot be opened still gets its calculated and lookup fields and keeps them in the next save.
void CreateDefinedFields(TDatasetReadState &st, TDataSet *dataset) {
    if (DefinesFieldsOf(st.CalcFields, dataset))
        Quietly([&] {
            dataset->Close();
            for (const auto &def : st.CalcFields)
                if (def->Dataset == dataset)
                    CreateCalcField(st.ReportForm, dataset, def->FieldName, def->Precision, def->DisplayFormat,
                                    def->DisplayLabel, def->Size, def->FieldClass);
        });
    if (DefinesFieldsOf(st.LookupFields, dataset))
        Quietly([&] {
            dataset->Close();
            for (const auto &def : st.LookupFields) {
                if (def->Dataset != dataset) continue;
                TField *f = CreateCalcField(st.ReportForm, dataset, def->FieldName, def->Precision,
                                            def->DisplayFormat, def->DisplayLabel, def->Size, def->FieldClass);
                if (!f) continue;
                // A lookup dataset the file names is found by name, one it numbers by number.
                TDataSet *lookup = def->LookupDatasourceNumber == DatasourceByName
                                       ? FindDatasetByName(st.Loader, def->LookupDatasetName)
                                       : ReportDatasetByNum(st.ReportForm, def->LookupDatasourceNumber, st.Loader);
                f->SetLookup(true);
                f->SetLookupDataSet(lookup);
                f->SetKeyFields(def->KeyFields);
                f->SetLookupKeyFields(def->LookupKeyFields);
                f->SetLookupResultField(def->LookupResultField);
            }
        });
    // On a closed dataset the data fields are created from field definitions read without
    // opening it.
    Quietly([&] { CreateFieldsFromList(dataset, st.DataFields); });
}

}  // namespace

QString ResolveStoredDatabaseName(const QString &DatabaseName, const QString &TableName, const QString &ReportFileName,
                                  bool IsTable) {
    if (!DatabaseName.startsWith(QLatin1Char('+'))) return DatabaseName;
    const QString appDir = ApplicationDir();
    if (DatabaseName != QLatin1String("+")) return Joined(appDir, DatabaseName.mid(1));
    if (!IsTable) return appDir;
    if (QFileInfo::exists(Joined(appDir, TableName))) return appDir;
    if (!ReportFileName.isEmpty()) {
        const QString reportDir = QFileInfo(ReportFileName).absolutePath();
        if (QFileInfo::exists(Joined(reportDir, TableName))) return reportDir;
    }
    return appDir;
}

void LinkDatasetMasters(TComponent *ReportForm) {
    const QList<TDataSource *> sources = DatasetSources(ReportForm);
    for (TDataSource *ds : sources) {
        TDataSet *dataset = ds->DataSet();
        if (!dataset || dataset->Tag() == 0) continue;
        for (TComponent *c : ReportForm->Components()) {
            TDataSource *master = AsDataSource(c);
            if (!master || IsDesignerDataSource(master) || master->Tag() != dataset->Tag()) continue;
            // A dataset is never its own master; a damaged file may say so, or close a circle.
            if (master->DataSet() != dataset) {
                try {
                    SetMaster(dataset, master);
                } catch (const std::exception &) {
                }
            }
            break;
        }
    }
}

void OpenReportDatasets(TDatasetReadState &State, const QString &FileName) {
    TVDMLoader *loader = State.Loader;
    LoaderEvent(loader, LoaderOption::BeforeOpenDatasets).Invoke<>();
    const TMethod calcFields = LoaderCalcFieldsHandler(loader);

    QList<TDataSource *> openList;
    for (TDataSource *ds : DatasetSources(State.ReportForm)) {
        TDataSet *dataset = ds->DataSet();
        dataset->SetOnCalcFields(calcFields);
        ds->SetDataSet(nullptr);
        if (auto *t = qobject_cast<TTable *>(dataset))
            t->SetDatabaseName(ResolveStoredDatabaseName(t->DatabaseName(), t->TableName(), FileName, true));
        else if (auto *q = qobject_cast<TQuery *>(dataset))
            q->SetDatabaseName(ResolveStoredDatabaseName(q->DatabaseName(), QString(), FileName, false));
        ds->SetDataSet(dataset);
        openList << ds;
    }

    for (const QPointer<TDataSource> ds : MastersFirst(openList)) {
        if (!ds || !ds->DataSet()) continue;
        TDataSet *dataset = ds->DataSet();
        LoaderEvent(loader, LoaderOption::BeforeOpenDataset).Invoke<TDataSet *>(dataset);
        if (!ds || ds->DataSet() != dataset) continue;  // the event may have changed the form
        // Calculated and lookup fields can only be added to a closed dataset: one that has
        // them gets its fields first and then opens, once.
        if (!DefinesFieldsOf(State.CalcFields, dataset) && !DefinesFieldsOf(State.LookupFields, dataset))
            Quietly([&] { dataset->Open(); });
        CreateDefinedFields(State, dataset);
        if (dataset->Active()) continue;
        try {
            dataset->Open();
        } catch (const std::exception &e) {
            // The database's reason (a refused change, a missing table) follows the message,
            // which already names the dataset.
            QString reason = QString::fromUtf8(e.what());
            if (reason.startsWith(dataset->Name() + QStringLiteral(": "))) reason.remove(0, dataset->Name().size() + 2);
            if (auto *t = qobject_cast<TTable *>(dataset))
                ShowLoaderError(loader, QStringLiteral("Error opening database"), t->TableName(), reason);
            else
                ShowLoaderError(loader, QStringLiteral("Error opening database-query"), dataset->Name(), reason);
        }
    }
}
