// Loading reports into the loader's form: the report file reader does the work (through the
// report-file service); the loader adds the hourglass and hands its calculated-fields handler to
// every dataset of the form afterwards.
#include "model/loader.h"

#include "dblib/dataset.h"
#include "dblib/field.h"
#include "host/interaction.h"
#include "host/stream.h"
#include "model/report_file_service.h"
#include "model/wait_cursor.h"

namespace {

// Without an installed reader the load cannot happen; say so instead of failing silently.
TReportFileService *ServiceOrComplain() {
    TReportFileService *service = ReportFileService();
    if (!service)
        Interaction().ShowError(
            QStringLiteral("Report files cannot be read: the report file library (persist) is not "
                           "linked."));
    return service;
}

}  // namespace

void TVDMLoader::AttachCalcFieldsHandler() {
    if (!Owner()) return;
    for (TComponent *c : Owner()->Components())
        if (auto *ds = dynamic_cast<TDataSet *>(c)) ds->SetOnCalcFields(CalcFieldsHandler());
}

bool TVDMLoader::LoadReport(const QString &FileName) {
    TReportFileService *service = ServiceOrComplain();
    if (!service) return false;
    bool ok = false;
    {
        TWaitCursor hourglass;
        ok = service->LoadReport(*this, FileName);
    }
    if (ok) AttachCalcFieldsHandler();
    return ok;
}

bool TVDMLoader::LoadReport_FromStream(TStream &Stream) {
    TReportFileService *service = ServiceOrComplain();
    if (!service) return false;
    bool ok = false;
    {
        TWaitCursor hourglass;
        ok = service->LoadReportFromStream(*this, Stream);
    }
    if (ok) AttachCalcFieldsHandler();
    return ok;
}

bool TVDMLoader::LoadReport_FromBlobField(TField *Field) {
    if (!Field) return false;
    TMemoryStream stream;
    Field->SaveToStream(stream);
    stream.SetPosition(0);
    return LoadReport_FromStream(stream);
}
