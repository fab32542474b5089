#pragma once
// The report writer: a report form's report, datasets, bands and elements as a report stream.
#include <QString>

class TComponent;
class TStream;
class TVDMLoader;

// Writes the report of Designer (a loader or designer) on ReportForm: identifier, title, the
// application data of OnSaveReport, the printer setup (SaveLoadPrinterSetup), the datasets and
// fields (SaveDatasets; into DatasetStream when one is given), the report record, the bands and
// the elements, then the end marker. Numbers the data sources and bands afresh. Returns false
// when the stream does not take the identifier, and, with a message, when OnSaveReport gives
// more application data than a record holds (65,535 bytes); errors of the stream raise.
bool Save_Report_To_Stream(TStream &Stream, TStream *DatasetStream, TVDMLoader *Designer, bool SaveDatasets,
                           TComponent *ReportForm);

// Saves into a file without ever destroying the previous report: the stream is written to a
// temporary file in the same directory first; only when that succeeded does the previous file
// become the backup (SaveBackupFiles, BackupFileExtension) and the new one take its place. On
// failure "Write Error" is shown with the file name, the previous file is untouched and the
// temporary file removed.
bool Save_Report(TVDMLoader *Designer, TComponent *ReportForm, const QString &FileName, TStream *DatasetStream);

// The backup name: FileName with its extension replaced by Extension.
QString BackupFileName(const QString &FileName, const QString &Extension);
