#include "model/datasource_lookup.h"

#include "model/datasource_select_form.h"
#include "model/loader.h"
#include "model/lookup_helpers.h"
#include "model/report_messages.h"

#include "dblib/data_source.h"
#include "dblib/field.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "host/property_access.h"
#include "host/strings.h"

#include <QListWidget>

static bool IsInternal(const TComponent *c) { return c->Name().startsWith(QStringLiteral("__")); }

static bool HasVisibleField(const TDataSet *ds) {
    for (const TField *f : ds->Fields())
        if (f->Visible()) return true;
    return false;
}

static void AppendUsable(const TComponent *owner, const TStrings *available, QList<TDataSource *> &list) {
    if (!owner) return;
    for (TComponent *c : owner->Components()) {
        auto *ds = dynamic_cast<TDataSource *>(c);
        if (!ds || IsInternal(ds) || !ds->DataSet() || !HasVisibleField(ds->DataSet())) continue;
        if (available && available->Count() > 0) {
            const TDataSet *set = ds->DataSet();
            const QString qualified = (set->Owner() ? set->Owner()->Name() : QString()) + QLatin1Char('.') + set->Name();
            if (!FindStringInStringList(available, set->Name()) && !FindStringInStringList(available, qualified))
                continue;
        }
        list.append(ds);
    }
}

void GetDatasourceList(const TComponent *Form, QList<TDataSource *> &List) {
    TVDMLoader *loader = SearchVendamoer(Form);
    if (!loader) return;
    // Only the designer has a list of the datasets the application allows.
    const auto *available = qobject_cast<const TStrings *>(GetPointerProperty(loader, QStringLiteral("AvailableDatasetNames")));
    AppendUsable(Form, nullptr, List);
    AppendUsable(loader->DatabaseOwner(), available, List);
    if (loader->UseDataModules())
        for (const TDataModule *dm : Screen::DataModules()) AppendUsable(dm, available, List);
}

TDataSource *SelectDataSource(const TComponent *Form) {
    QList<TDataSource *> list;
    GetDatasourceList(Form, list);
    if (list.isEmpty()) {
        const TVDMLoader *loader = SearchVendamoer(Form);
        ShowError(loader ? loader->RuntimeMessages() : nullptr, QStringLiteral("No Databases Available"));
        return nullptr;
    }
    if (list.size() == 1) return list.first();
    TDatasourceSelectForm form;
    for (const TDataSource *ds : std::as_const(list)) form.ListBox()->addItem(ds->DataSet()->Name());
    form.ListBox()->setCurrentRow(0);
    if (Interaction().ExecDialog(form) != QDialog::Accepted) return nullptr;
    const int row = form.SelectedIndex();
    return row >= 0 && row < list.size() ? list.at(row) : nullptr;
}

// Paths compare with either separator and without regard to letter case.
static QString PathKey(QString path) { return path.replace(QLatin1Char('\\'), QLatin1Char('/')).toUpper(); }

TDataSource *FindDatasource(const TComponent *Form, const QString &TableName) {
    if (!Form) return nullptr;
    const qsizetype cut = qMax(TableName.lastIndexOf(QLatin1Char('/')), TableName.lastIndexOf(QLatin1Char('\\'))) + 1;
    const QString directory = TableName.left(cut);
    const QString file = TableName.mid(cut);
    for (TComponent *c : Form->Components()) {
        auto *ds = dynamic_cast<TDataSource *>(c);
        auto *table = ds ? qobject_cast<TTable *>(ds->DataSet()) : nullptr;
        if (!table || table->TableName().compare(file, Qt::CaseInsensitive) != 0) continue;
        if (!directory.isEmpty() && PathKey(table->DatabaseName()) != PathKey(directory)) continue;
        return ds;
    }
    return nullptr;
}

static TComponent *FirstWithProperty(const TComponent *Form, const QString &name) {
    for (TComponent *c : Form->Components())
        if (const QObject *o = c->Object(); o && PropertyExists(o, name)) return c;
    return nullptr;
}

static TDataSource *LastClearableSource(const TComponent *Form) {
    const QList<TComponent *> &components = Form->Components();
    for (qsizetype i = components.size() - 1; i >= 0; --i) {
        auto *ds = dynamic_cast<TDataSource *>(components.at(i));
        if (!ds || IsInternal(ds)) continue;
        if (qobject_cast<TTable *>(ds->DataSet()) || qobject_cast<TQuery *>(ds->DataSet())) return ds;
    }
    return nullptr;
}

void ClearReportForm(TComponent *Form, bool ClearDatasets) {
    if (!Form) return;
    // Links between bands first, so that no band is left pointing at one already gone.
    for (TComponent *c : Form->Components()) {
        QObject *o = c->Object();
        if (!o) continue;
        if (PropertyExists(o, QStringLiteral("ParentBand"))) SetPointerProperty(o, QStringLiteral("ParentBand"), nullptr);
        if (PropertyExists(o, QStringLiteral("FooterBand"))) SetPointerProperty(o, QStringLiteral("FooterBand"), nullptr);
    }
    // Every band and element at once: the form and what stays on it hear of each once, instead
    // of every element hearing of every other one going.
    QList<TComponent *> elements;
    for (TComponent *c : Form->Components())
        if (const QObject *o = c->Object(); o && PropertyExists(o, QStringLiteral("BlockDelete"))) elements << c;
    Form->FreeComponents(elements);
    // Each deletion may take children with it: search afresh every time.
    while (TComponent *c = FirstWithProperty(Form, QStringLiteral("BlockDelete"))) delete c;
    if (!ClearDatasets) return;
    while (TDataSource *ds = LastClearableSource(Form)) {
        // A dataset of another owner (an application's data module) stays: its owner frees it.
        TDataSet *dataset = ds->DataSet();
        if (dataset && dataset->Owner() == Form) delete dataset;
        delete ds;
    }
}
