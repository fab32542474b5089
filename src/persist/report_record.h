#pragma once
// The report's own records: the title record (kind 254), the printer setup (kind 102) and the
// report record (kind 255) with page setup, printer settings, title, units, zoom, description,
// font, Hint and Name.
#include <QString>
#include <QtGlobal>

class TComponent;
class TReport;
class TStream;
class TVDMLoader;

void WriteTitleRecord(TStream &Stream, const TReport *Report);
void WritePrinterSetupRecord(TStream &Stream, const TReport *Report);
void WriteReportRecord(TStream &Stream, TReport *Report, TComponent *ReportForm);

// Reads the printer setup block; applies it only when the loader's SaveLoadPrinterSetup is set.
void ReadPrinterSetupRecord(TStream &Stream, quint16 Size, TReport *Report, const TVDMLoader *Loader);
// Reads the report record; returns the units it was stored in (which govern every measurement
// read after it).
int ReadReportRecord(TStream &Stream, quint16 Size, TReport *Report, TComponent *ReportForm, TVDMLoader *Loader);
