#pragma once
// The title of a report file without loading the report: the first record of every report
// stream is the title record.
#include <QString>

class TStream;

// Title becomes the report's title, or empty when the stream is not a report stream or does not
// begin with a title record.
void GetReportTitleFromStream(TStream &Stream, QString &Title);
// Opens the file for reading (the stream error raises when it cannot be opened).
void GetReportTitleFromFile(const QString &FileName, QString &Title);
