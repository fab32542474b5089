#include "persist/graphic_records.h"

#include "host/font.h"
#include "host/pen_brush.h"
#include "host/stream.h"
#include "host/text_codec.h"
#include "persist/report_records.h"

int KnownOrdinal(int value, int count) { return value >= 0 && value < count ? value : 0; }

namespace {
constexpr int PitchCount = 3;
constexpr int PenStyleCount = 7;
constexpr int PenModeCount = 16;
constexpr int BrushStyleCount = 8;
}  // namespace

void WriteFontProperties(TStream &Stream, const TFont &Font) {
    const QByteArray name = EncodeText8(Font.Name(), 255);
    TRecordBlock block(12 + int(name.size()));
    block.SetInt(0, Font.Color());
    block.SetSmallInt(4, qint16(Font.Height()));
    block.SetByte(6, quint8(Font.Pitch()));
    block.SetSmallInt(7, qint16(Font.Size()));
    block.SetWord(9, quint16(Font.Style()));
    block.SetByte(11, quint8(name.size()));
    for (int i = 0; i < name.size(); ++i) block.SetByte(12 + i, quint8(name[i]));
    block.WriteTo(Stream);
}

void ReadFontProperties(TStream &Stream, TFont &Font) {
    TRecordBlock block(BlockSize::Font);
    block.ReadFrom(Stream, BlockSize::Font);
    const QByteArray name = Stream.ReadBytes(block.Byte(11));
    Font.SetColor(block.Int(0));
    Font.SetHeight(block.SmallInt(4));
    Font.SetName(DecodeText8(name));
    Font.SetPitch(TFontPitch(KnownOrdinal(block.Byte(6), PitchCount)));
    Font.SetSize(block.SmallInt(7));
    const int bits = block.Word(9);
    Font.SetStyle(0);
    Font.SetStyle(bits & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
}

void Assign_Font(TFontRecord &Rec, const TFont &Font) {
    Rec = TFontRecord();
    Rec.SetInt(0, Font.Color());
    Rec.SetSmallInt(4, qint16(Font.Height()));
    Rec.SetString(6, Font.Name(), 66);
    Rec.SetByte(72, quint8(Font.Pitch()));
    Rec.SetSmallInt(73, qint16(Font.Size()));
    Rec.SetWord(75, quint16(Font.Style()));
}

void Assign_TFont(TFont &Font, const TFontRecord &Rec) {
    Font.SetColor(Rec.Int(0));
    Font.SetHeight(Rec.SmallInt(4));
    Font.SetName(Rec.String(6, 66));
    Font.SetPitch(TFontPitch(KnownOrdinal(Rec.Byte(72), PitchCount)));
    Font.SetSize(Rec.SmallInt(73));
    Font.SetStyle(Rec.Word(75));
}

void Assign_Pen(TPenRecord &Rec, const TPen &Pen) {
    Rec = TPenRecord();
    Rec.SetInt(0, Pen.Color());
    Rec.SetByte(4, quint8(Pen.Mode()));
    Rec.SetByte(5, quint8(Pen.Style()));
    Rec.SetSmallInt(6, qint16(Pen.Width()));
}

void Assign_TPen(TPen &Pen, const TPenRecord &Rec) {
    Pen.SetColor(Rec.Int(0));
    Pen.SetMode(TPenMode(KnownOrdinal(Rec.Byte(4), PenModeCount)));
    Pen.SetStyle(TPenStyle(KnownOrdinal(Rec.Byte(5), PenStyleCount)));
    Pen.SetWidth(Rec.SmallInt(6));
}

void Assign_Brush(TBrushRecord &Rec, const TBrush &Brush) {
    Rec = TBrushRecord();
    Rec.SetInt(0, Brush.Color());
    Rec.SetByte(4, quint8(Brush.Style()));
}

void Assign_TBrush(TBrush &Brush, const TBrushRecord &Rec) {
    Brush.SetColor(Rec.Int(0));
    Brush.SetStyle(TBrushStyle(KnownOrdinal(Rec.Byte(4), BrushStyleCount)));
}
