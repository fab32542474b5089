#pragma once
// The report reader: rebuilds a report form's report, datasets, bands and elements from a report
// stream. Damaged input never crashes or allocates beyond the stream: it is refused with "Error in
// reportfile" and the result false.
#include <QString>

class TComponent;
class TReport;
class TStream;
class TVDMLoader;

// What a load found out besides the report itself.
struct TReportLoadInfo {
    // The measurement units stored in the report record (-1 when there was none). The report's
    // own units are restored after a load; a caller that wants the file's units sets them.
    int StoredUnits = -1;
    // Whether the stream held a printer setup record.
    bool PrinterSetup = false;
    // Whether an image record carried its picture in the stream.
    bool EmbeddedPictures = false;
};

// Reads a report stream onto ReportForm (cleared first; with LoadDatasets its datasets too).
// Report is the report to fill (the loader's when null). FileName, when given, is the report
// file's name, whose directory may hold the report's table files. With LoadDatasets false the
// dataset and field records are read past and the dataset stream is ignored.
bool Load_Report_From_Stream(TStream &Stream, TStream *DatasetStream, TVDMLoader *Loader, bool LoadDatasets,
                             const QString &FileName, TReport *Report, TComponent *ReportForm,
                             TReportLoadInfo *Info = nullptr);

// Loads a report file with its datasets; "Reportfile not found" with the name when it does not
// exist or cannot be opened.
bool Load_Report(TVDMLoader *Loader, TComponent *ReportForm, TReport *Report, TStream *DatasetStream,
                 const QString &FileName, TReportLoadInfo *Info = nullptr);
