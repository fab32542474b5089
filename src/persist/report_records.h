#pragma once
// Record kinds of report files and the sizes of their fixed blocks. A report stream is the file
// identifier, then records (kind word, size word, content), then the end marker word 256.
#include <QtGlobal>

namespace RecordKind {
constexpr quint16 Label = 0;
constexpr quint16 Expression = 2;
constexpr quint16 SysData = 3;
constexpr quint16 Shape = 4;
constexpr quint16 Image = 5;
constexpr quint16 DBImage = 6;
constexpr quint16 Memo = 7;
constexpr quint16 CalcField = 8;
constexpr quint16 DBText = 9;
constexpr quint16 DataField = 10;
constexpr quint16 Table = 50;
constexpr quint16 Query = 53;
constexpr quint16 RichText = 55;
constexpr quint16 DBRichText = 56;
constexpr quint16 LookupField = 57;
constexpr quint16 ApplicationData = 58;
constexpr quint16 Band = 101;
constexpr quint16 PrinterSetup = 102;
constexpr quint16 Title = 254;
constexpr quint16 Report = 255;
constexpr quint16 EndMarker = 256;  // written without a size word
}  // namespace RecordKind

namespace BlockSize {
constexpr int Title = 256;
constexpr int PrinterSetup = 262;
constexpr int Report = 356;
constexpr int Band = 321;
constexpr int GroupSub = 262;
constexpr int SubDetailSub = 10;
constexpr int Common = 69;
constexpr int OldCommon = 59;  // the oldest layout: no size word in front
constexpr int Font = 12;
constexpr int Label = 13;
constexpr int Expression = 18;
constexpr int SysData = 10;
constexpr int Shape = 14;
constexpr int Image = 3;
constexpr int DBImage = 4;
constexpr int Memo = 15;
constexpr int DBText = 17;
constexpr int RichText = 6;
constexpr int DBRichText = 8;
constexpr int Table = 1542;
constexpr int Query = 523;
constexpr int QueryParam = 514;
constexpr int CalcField = 1029;
constexpr int LookupField = 1543;
constexpr int DataField = 771;
constexpr int ApplicationDataMax = 0xFFFF;
}  // namespace BlockSize

// Texts of at most this many bytes per chunk or short string.
constexpr int ChunkLength = 255;
// Datasource number meaning "by name: the dataset's name follows the record".
constexpr quint16 DatasourceByName = 0xFFFF;
// The character that marks an embedded picture in front of an image's file name.
constexpr char EmbeddedPictureMarker = '\0';
