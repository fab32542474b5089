// Runs before main in every program that links the data library: the designer window finds the
// datasets dialog through the dialog registry.
#include "data/report_databases.h"
#include "design/designer.h"
#include "design/designer_dialogs.h"
#include "model/design_report.h"

namespace {

bool RunReportDatabases(TVDMDesigner *Designer, TComponent *Element) {
    auto *report = dynamic_cast<TDesignReport *>(Element);
    if (!report && Designer) report = Designer->Report();
    return EditReportDatabases(Designer, report);
}

const bool registered =
    (DesignerDialogs::Register(DesignerDialogs::ReportDatabases, RunReportDatabases), true);

}  // namespace
