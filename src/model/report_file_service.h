#pragma once
// The report-file operations the loader needs. The report file reader and writer sit above this
// library, so they install themselves here when that library is linked (before main); the loader
// calls them through this interface.
#include <QString>

class TStream;
class TVDMLoader;

class TReportFileService {
public:
    virtual ~TReportFileService() = default;
    // Reads the report file onto the loader's owner form and report, datasets included.
    virtual bool LoadReport(TVDMLoader &loader, const QString &fileName) = 0;
    // The same from a stream (no file name).
    virtual bool LoadReportFromStream(TVDMLoader &loader, TStream &stream) = 0;
};

// The installed service (not owned), null in a program that does not link the persistence library.
TReportFileService *ReportFileService();
void SetReportFileService(TReportFileService *service);
