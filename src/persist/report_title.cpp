#include "persist/report_title.h"

#include "persist/record_block.h"
#include "persist/report_records.h"

#include "host/stream.h"
#include "model/report_constants.h"

void GetReportTitleFromStream(TStream &Stream, QString &Title) {
    Title.clear();
    try {
        if (Bin::ReadWord(Stream) != ReportFileID) return;
        if (Bin::ReadWord(Stream) != RecordKind::Title) return;
        TRecordBlock block(BlockSize::Title);
        block.ReadSizedFrom(Stream);
        Title = block.String(0);
    } catch (const EReadError &) {
        Title.clear();  // a stream that ends early has no title
    }
}

void GetReportTitleFromFile(const QString &FileName, QString &Title) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    GetReportTitleFromStream(file, Title);
}
