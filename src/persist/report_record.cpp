#include "persist/report_record.h"

#include "persist/datasource_numbers.h"
#include "persist/graphic_records.h"
#include "persist/loader_options.h"
#include "persist/record_block.h"
#include "persist/report_records.h"

#include "host/stream.h"
#include "reportlib/report.h"

#include <QPrinterInfo>

namespace {
constexpr int PenStyleCount = 7;
constexpr int OrientationCount = 2;
constexpr int AlwaysOnOptions = TReport::FirstPageHeader | TReport::LastPageFooter;
}  // namespace

void WriteTitleRecord(TStream &Stream, const TReport *Report) {
    TRecordBlock b(BlockSize::Title);
    b.SetString(0, Report->ReportTitle());
    WriteRecordHeader(Stream, RecordKind::Title, BlockSize::Title);
    b.WriteTo(Stream);
}

void WritePrinterSetupRecord(TStream &Stream, const TReport *Report) {
    const TRepPrinterSettings *ps = Report->PrinterSettings();
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    const int index = ps->PrinterIndex();
    TRecordBlock b(BlockSize::PrinterSetup);
    b.SetByte(0, quint8(ps->OutputBin()));
    b.SetInt(1, ps->Copies());
    b.SetString(5, index >= 0 && index < printers.size() ? printers[index] : QString());
    b.SetFlag(261, ps->Duplex());
    WriteRecordHeader(Stream, RecordKind::PrinterSetup, BlockSize::PrinterSetup);
    b.WriteTo(Stream);
}

void WriteReportRecord(TStream &Stream, TReport *Report, TComponent *ReportForm) {
    const int number = DatasetReferenceNumber(ReportForm, Report->DataSet());
    const TRepFrame *frame = Report->Frame();
    const TRepPage *page = Report->Page();
    const TRepPrinterSettings *ps = Report->PrinterSettings();
    TRecordBlock b(BlockSize::Report);
    b.SetWord(0, quint16(number));
    b.SetInt(2, frame->Color());
    b.SetFlag(6, frame->DrawBottom());
    b.SetFlag(7, frame->DrawLeft());
    b.SetFlag(8, frame->DrawRight());
    b.SetFlag(9, frame->DrawTop());
    b.SetByte(10, quint8(frame->Style()));
    b.SetSmallInt(11, qint16(frame->Width()));
    b.SetByte(13, quint8(Report->Options()));
    b.SetExtended(14, page->Value(TRepPage::pvBottomMargin));
    b.SetWord(24, quint16(page->Columns()));
    b.SetExtended(26, page->Value(TRepPage::pvColumnSpace));
    b.SetExtended(36, page->Value(TRepPage::pvLeftMargin));
    b.SetExtended(46, page->Value(TRepPage::pvLength));
    b.SetByte(56, quint8(page->Orientation()));
    b.SetByte(57, quint8(page->PaperSize()));
    b.SetExtended(58, page->Value(TRepPage::pvRightMargin));
    b.SetFlag(68, page->Ruler());
    b.SetExtended(69, page->Value(TRepPage::pvTopMargin));
    b.SetExtended(79, page->Value(TRepPage::pvWidth));
    b.SetSmallInt(89, qint16(ps->Copies()));
    b.SetFlag(91, ps->Duplex());
    b.SetByte(92, quint8(ps->OutputBin()));
    b.SetString(93, Report->ReportTitle());
    b.SetFlag(350, Report->PrintIfEmpty());
    b.SetByte(351, quint8(Report->UnitsOrdinal()));
    b.SetInt(352, Report->Zoom());

    const TStrings *description = Report->Description();
    const int lines = qMin(description->Count(), 0xFFFF);
    WriteRecordHeader(Stream, RecordKind::Report, BlockSize::Report);
    b.WriteTo(Stream);
    if (number == -1) Bin::WriteShortString(Stream, Report->DataSet()->Name());
    Bin::WriteWord(Stream, quint16(lines));
    for (int i = 0; i < lines; ++i) Bin::WriteShortString(Stream, description->Get(i));
    WriteFontProperties(Stream, *Report->Font());
    Bin::WriteShortString(Stream, Report->Hint());
    Bin::WriteShortString(Stream, Report->Name());
}

void ReadPrinterSetupRecord(TStream &Stream, quint16 Size, TReport *Report, const TVDMLoader *Loader) {
    TRecordBlock b(BlockSize::PrinterSetup);
    b.ReadFrom(Stream, Size);
    if (!Report || !LoaderFlag(Loader, LoaderOption::SaveLoadPrinterSetup)) return;
    TRepPrinterSettings *ps = Report->PrinterSettings();
    const QString name = b.String(5);
    if (!name.isEmpty()) {
        const QStringList printers = QPrinterInfo::availablePrinterNames();
        for (int i = 0; i < printers.size(); ++i)
            if (printers[i].compare(name, Qt::CaseInsensitive) == 0) {
                ps->SetPrinterIndex(i);
                break;
            }
    }
    ps->SetOutputBin(b.Byte(0));
    ps->SetCopies(b.Int(1));
    ps->SetDuplex(b.Flag(261));
}

int ReadReportRecord(TStream &Stream, quint16 Size, TReport *Report, TComponent *ReportForm, TVDMLoader *Loader) {
    TRecordBlock b(BlockSize::Report);
    b.ReadFrom(Stream, Size);
    const quint16 number = b.Word(0);
    if (number == DatasourceByName)
        Report->SetDataSet(FindDatasetByName(Loader, Bin::ReadShortString(Stream)));
    else if (number != 0)
        Report->SetDataSet(ReportDatasetByNum(ReportForm, number, Loader));

    Report->SetPrintIfEmpty(b.Flag(350));
    const int units = b.Byte(351);
    Report->SetUnitsOrdinal(units);
    Report->SetZoom(b.Int(352));
    TRepFrame *frame = Report->Frame();
    frame->SetColor(b.Int(2));
    frame->SetDrawBottom(b.Flag(6));
    frame->SetDrawLeft(b.Flag(7));
    frame->SetDrawRight(b.Flag(8));
    frame->SetDrawTop(b.Flag(9));
    frame->SetStyle(TPenStyle(KnownOrdinal(b.Byte(10), PenStyleCount)));
    frame->SetWidth(b.SmallInt(11));
    Report->SetOptions(b.Byte(13) | AlwaysOnOptions);
    TRepPage *page = Report->Page();
    page->SetValue(TRepPage::pvBottomMargin, b.Extended(14));
    page->SetColumns(b.Word(24));
    page->SetValue(TRepPage::pvColumnSpace, b.Extended(26));
    page->SetValue(TRepPage::pvLeftMargin, b.Extended(36));
    page->SetOrientation(TRepOrientation(KnownOrdinal(b.Byte(56), OrientationCount)));
    page->SetPaperSize(b.Byte(57));
    page->SetValue(TRepPage::pvRightMargin, b.Extended(58));
    page->SetRuler(b.Flag(68));
    page->SetValue(TRepPage::pvTopMargin, b.Extended(69));
    if (page->PaperSize() == psCustom) {
        page->SetValue(TRepPage::pvWidth, b.Extended(79));
        page->SetValue(TRepPage::pvLength, b.Extended(46));
    }
    TRepPrinterSettings *ps = Report->PrinterSettings();
    ps->SetCopies(b.SmallInt(89));
    ps->SetDuplex(b.Flag(91));
    ps->SetOutputBin(b.Byte(92));
    Report->SetReportTitle(b.String(93));

    const int lines = Bin::ReadWord(Stream);
    CheckCount(Stream, lines, 1);
    QStringList description;
    for (int i = 0; i < lines; ++i) description << Bin::ReadShortString(Stream);
    Report->Description()->SetStringList(description);
    ReadFontProperties(Stream, *Report->Font());
    Report->SetHint(Bin::ReadShortString(Stream));
    Bin::ReadShortString(Stream);  // the stored name: the report keeps its own
    return units;
}
