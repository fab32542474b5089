#include "model/report_datasets.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/component.h"

void UseReadOnlyConnections(TComponent *ReportForm) {
    if (!ReportForm) return;
    for (TComponent *c : ReportForm->Components()) {
        auto *ds = dynamic_cast<TDataSource *>(c);
        if (!ds || ds->Name().startsWith(QStringLiteral("__"))) continue;
        TDataSet *dataset = ds->DataSet();
        if (!dataset || dataset->Owner() != ReportForm) continue;
        if (qobject_cast<TTable *>(dataset) || qobject_cast<TQuery *>(dataset)) dataset->SetReadOnlyConnection(true);
    }
}
