#include "data/query_wizard.h"

#include <algorithm>

#include "data/dataset_fields.h"
#include "data/wiz_query_edit_form.h"
#include "dblib/db_error.h"
#include "dblib/wiz_query.h"
#include "host/interaction.h"
#include "host/strings.h"
#include "model/design_report.h"
#include "model/loader.h"
#include "persist/field_definitions.h"

namespace {

// Makes the query's fields persistent again after its definition changed. Data fields come from
// the new definition (with the display settings they had when the query was open).
void RecreateFields(TWizQuery *Query, bool WasOpen, const TFieldPropList &Settings, const TStrings *Labels) {
    if (WasOpen) {
        Query->Close();
        CreateFieldsFromList(Query, Settings);
        Query->Open();
    } else {
        CreateFields(Query, Labels);
    }
}

// Calculated and lookup fields that stayed were first in the list while the data fields were
// made anew: every field that was there before goes back to its old place, new ones follow.
void RestoreFieldOrder(TWizQuery *Query, const QStringList &Order) {
    const QList<TField *> &fields = Query->Fields();
    if (std::none_of(fields.begin(), fields.end(), [](const TField *f) { return f->FieldKind() != fkData; }))
        return;
    QList<TField *> target;
    for (const QString &name : Order)
        if (TField *field = Query->FindField(name); field && !target.contains(field)) target << field;
    for (TField *field : fields)
        if (!target.contains(field)) target << field;
    if (target == fields) return;
    const bool active = Query->Active();
    Query->Close();
    for (int i = 0; i < target.size(); ++i) target[i]->SetIndex(i);
    if (active) Query->Open();
}

}  // namespace

bool EditWizQuery(TComponent *Owner, TWizQuery *Query, const TStrings *TableNames, const TStrings *DisplayLabels,
                  bool ShowTable, bool ShowSort, bool ShowFilter, bool ShowSQL, bool ShowPreview) {
    if (!Query) return false;
    TWizQueryEditForm form(Owner);
    if (DisplayLabels) form.DisplayLabels()->Assign(DisplayLabels);
    const bool wasOpen = Query->Active();
    TFieldPropList settings;
    QStringList order;
    if (wasOpen) {
        PutFieldsToList(Query, settings);
        for (const auto &entry : settings)
            if (form.DisplayLabels()->IndexOfName(entry->FieldName) < 0 && !entry->DisplayLabel.isEmpty())
                form.DisplayLabels()->Add(entry->FieldName + QLatin1Char('=') + entry->DisplayLabel);
    }
    for (const TField *field : Query->Fields()) order << field->FieldName();
    if (TableNames) form.AllowedTables()->Assign(TableNames);
    form.GetSettingsFromQuery(Query);
    form.SetVisiblePages(ShowTable, ShowSort, ShowFilter, ShowSQL, ShowPreview);
    const bool ok = Interaction().ExecDialog(form) == QDialog::Accepted;
    if (!ok || !form.Modified()) return ok;

    Query->Close();
    // Data fields belong to the old definition; calculated and lookup fields stay.
    const QList<TField *> fields = Query->Fields();
    for (auto it = fields.crbegin(); it != fields.crend(); ++it)
        if ((*it)->FieldKind() == fkData) delete *it;
    form.AssignSettingsToQuery(Query);
    form.TempQuery()->Close();
    try {
        Query->Open();
        RecreateFields(Query, wasOpen, settings, form.DisplayLabels());
        RestoreFieldOrder(Query, order);
    } catch (const EDatabaseError &e) {
        Query->Close();
        Interaction().ShowError(e.Message());
    }
    return true;
}

bool FilterReportDataset(TVDMLoader *Loader) {
    TReport *report = Loader ? Loader->Report() : nullptr;
    auto *query = report ? qobject_cast<TWizQuery *>(report->DataSet()) : nullptr;
    if (!query) return false;
    return EditWizQuery(nullptr, query, nullptr, nullptr, false, true, true, false, false);
}
