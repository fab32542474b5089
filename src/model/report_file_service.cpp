#include "model/report_file_service.h"

namespace {
TReportFileService *g_service = nullptr;
}

TReportFileService *ReportFileService() { return g_service; }
void SetReportFileService(TReportFileService *service) { g_service = service; }
