#include "persist/report_files.h"

#include "model/design_report.h"
#include "model/loader.h"
#include "model/report_file_service.h"
#include "persist/report_reader.h"

namespace {

// The loader's file operations over the report reader: the loader's owner form and report,
// its dataset stream, datasets loaded.
class TPersistReportFiles : public TReportFileService {
public:
    bool LoadReport(TVDMLoader &loader, const QString &fileName) override {
        return Load_Report(&loader, loader.Owner(), loader.Report(), loader.DatasetStream(), fileName);
    }
    bool LoadReportFromStream(TVDMLoader &loader, TStream &stream) override {
        return Load_Report_From_Stream(stream, loader.DatasetStream(), &loader, true, QString(), loader.Report(),
                                       loader.Owner());
    }
};

}  // namespace

void InstallReportFiles() {
    static TPersistReportFiles service;
    SetReportFileService(&service);
}
