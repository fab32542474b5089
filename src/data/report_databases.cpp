#include "data/report_databases.h"

#include "data/data_messages.h"
#include "data/db_setup_form.h"
#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "design/designer.h"
#include "host/button_controls.h"
#include "host/forms.h"
#include "host/interaction.h"
#include "host/list_controls.h"
#include "model/design_report.h"
#include "model/lookup_helpers.h"

namespace {

// Lists the usable data sources of Owner: with a table or a query, not internal ("__" names),
// and, when Available lists any names, only datasets it lists.
void AddSources(TDBSetupForm &form, const TComponent *Owner, const TStrings *Available) {
    if (!Owner) return;
    for (TComponent *c : Owner->Components()) {
        auto *source = dynamic_cast<TDataSource *>(c);
        if (!source || !source->DataSet() || source->Name().startsWith(QStringLiteral("__"))) continue;
        if (!qobject_cast<TTable *>(source->DataSet()) && !qobject_cast<TQuery *>(source->DataSet()))
            continue;
        if (Available && Available->Count() > 0 &&
            !FindStringInStringList(Available, source->DataSet()->Name()))
            continue;
        form.AddDataSource(source);
    }
}

}  // namespace

bool EditReportDatabases(TVDMDesigner *Designer, TDesignReport *Report) {
    TComponent *owner = Report ? Report->Owner() : nullptr;
    TDBSetupForm form(nullptr, Report ? Report->window() : nullptr);
    form.Prepare(Designer, owner);
    if (Designer && !Designer->AllowSQLEdit()) form.NewQueryButton->hide();
    form.ComboBox1->Items()->Add(DataMessage(Designer, QStringLiteral("None")));
    form.ComboBox1->SetItemIndex(0);
    AddSources(form, owner, nullptr);
    if (Designer) {
        const TStrings *available = Designer->AvailableDatasetNames();
        if (Designer->DatabaseOwner() != owner) AddSources(form, Designer->DatabaseOwner(), available);
        if (Designer->UseDataModules())
            for (const TDataModule *module : Screen::DataModules())
                if (module != owner) AddSources(form, module, available);
    }
    const QList<TDataSource *> &sources = form.DataSources();
    for (int i = 0; i < sources.size(); ++i)
        if (Report && Report->DataSet() && sources.at(i)->DataSet() == Report->DataSet())
            form.ComboBox1->SetItemIndex(i + 1);
    if (!sources.isEmpty()) form.ListBox1->SetItemIndex(0);

    Interaction().ExecDialog(form);  // closes only by applying: the dialog has just OK

    if (Report) {
        if (form.ComboBox1->currentIndex() <= 0)
            Report->SetDataSet(nullptr);
        else if (!form.DataSources().isEmpty())
            Report->SetDataSet(form.MainDataSet());
    }
    if (Designer && Designer->Owner())
        for (TComponent *c : Designer->Owner()->Components())
            if (auto *set = dynamic_cast<TDataSet *>(c)) set->SetOnCalcFields(Designer->CalcFieldsHandler());
    return true;
}
