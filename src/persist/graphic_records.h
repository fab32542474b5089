#pragma once
// Fonts, pens and brushes in report files: the font block that follows the common block of text
// elements, bands and the report, and the plain record forms offered to applications.
#include "persist/record_block.h"

class TStream;
class TFont;
class TPen;
class TBrush;

// Font block: 0 colour (int32), 4 height (word), 6 pitch (byte), 7 size in points (word),
// 9 style bits (word: 1 bold, 2 italic, 4 underline, 8 strike-out), 11 name length n; then the
// n bytes of the name.
void WriteFontProperties(TStream &Stream, const TFont &Font);
// Sets colour, height, name, pitch, size (so the stored size wins over the stored height) and
// style, in that order.
void ReadFontProperties(TStream &Stream, TFont &Font);

// FontRecord, 77 bytes: 0 colour (int32), 4 height (word), 6 name (length-prefixed, at most 65
// characters, 66 bytes), 72 pitch, 73 size (word), 75 style bits (word).
class TFontRecord : public TRecordBlock {
public:
    TFontRecord() : TRecordBlock(77) {}
};
// PenRecord, 8 bytes: 0 colour (int32), 4 mode, 5 style, 6 width (word).
class TPenRecord : public TRecordBlock {
public:
    TPenRecord() : TRecordBlock(8) {}
};
// BrushRecord, 5 bytes: 0 colour (int32), 4 style.
class TBrushRecord : public TRecordBlock {
public:
    TBrushRecord() : TRecordBlock(5) {}
};

void Assign_Font(TFontRecord &Rec, const TFont &Font);
void Assign_TFont(TFont &Font, const TFontRecord &Rec);
void Assign_Pen(TPenRecord &Rec, const TPen &Pen);
void Assign_TPen(TPen &Pen, const TPenRecord &Rec);
void Assign_Brush(TBrushRecord &Rec, const TBrush &Brush);
void Assign_TBrush(TBrush &Brush, const TBrushRecord &Rec);

inline int Min_Int(int A, int B) { return A < B ? A : B; }
inline int Max_Int(int A, int B) { return A > B ? A : B; }

// Ordinals read from a file, mapped to a known value of their enumeration (unknown ones to the
// first value), so a damaged byte never reaches code that indexes by it.
int KnownOrdinal(int value, int count);
