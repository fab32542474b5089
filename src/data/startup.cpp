// Runs before main in every program that links the data library: the designer window finds the
// datasets dialog through the dialog registry, and the datasets dialog finds the query wizard.
#include "data/query_wizard.h"
#include "data/query_wizard_entry.h"
#include "data/report_databases.h"
#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "model/design_report.h"
#include "host/strings.h"

namespace {

bool RunReportDatabases(TVDMDesigner *Designer, TComponent *Element) {
    auto *report = dynamic_cast<TDesignReport *>(Element);
    if (!report && Designer) report = Designer->Report();
    return EditReportDatabases(Designer, report);
}

const bool registered =
    (DesignerDialogs::Register(DesignerDialogs::ReportDatabases, RunReportDatabases), true);

// Every page, the designer's table names and field display labels.
bool RunWizard(TWizQuery *Query, TVDMDesigner *Designer) {
    return EditWizQuery(nullptr, Query, Designer ? Designer->AvailableTableNames() : nullptr,
                        Designer ? Designer->FieldDisplayLabels() : nullptr, true, true, true, true, true);
}

const bool wizardInstalled = (SetQueryWizard(RunWizard), true);

}  // namespace
