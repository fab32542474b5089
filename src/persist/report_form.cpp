#include "persist/report_form.h"

#include "persist/datasource_numbers.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "dblib/query.h"
#include "host/property_access.h"
#include "model/report_constants.h"

namespace {

TComponent *FirstWithBlockDelete(TComponent *form) {
    for (TComponent *c : form->Components())
        if (PropertyExists(c->Object(), ElementProperty::BlockDelete)) return c;
    return nullptr;
}

TDataSource *LastDatasetSource(TComponent *form) {
    const QList<TComponent *> &all = form->Components();
    for (qsizetype i = all.size() - 1; i >= 0; --i) {
        auto *ds = qobject_cast<TDataSource *>(all[i]->Object());
        if (!ds || IsDesignerDataSource(ds)) continue;
        if (qobject_cast<TTable *>(ds->DataSet()) || qobject_cast<TQuery *>(ds->DataSet())) return ds;
    }
    return nullptr;
}

}  // namespace

void ClearReportForm(TComponent *Form, bool ClearDatasets) {
    if (!Form) return;
    for (TComponent *c : Form->Components()) {
        SetPointerProperty(c->Object(), QStringLiteral("ParentBand"), nullptr);
        SetPointerProperty(c->Object(), QStringLiteral("FooterBand"), nullptr);
    }
    while (TComponent *c = FirstWithBlockDelete(Form)) delete c;
    if (!ClearDatasets) return;
    while (TDataSource *ds = LastDatasetSource(Form)) {
        TDataSet *dataset = ds->DataSet();
        delete ds;
        // Persistent fields the load created belong to the form; they go with their dataset so
        // that loading again does not leave orphans behind.
        const QList<TComponent *> owned = Form->Components();
        for (TComponent *c : owned)
            if (auto *f = qobject_cast<TField *>(c->Object()); f && f->DataSet() == dataset) delete f;
        delete dataset;
    }
}
