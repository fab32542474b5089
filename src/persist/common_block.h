#pragma once
// The common block at the start of every element record: parent band, Enabled, position and
// size, frame, block flags, Tag and GroupID (69 bytes after a size word), then Hint and Name.
class TStream;
class TComponent;
class TRepControl;
class QWidget;

// Writes the size word, the block, the Hint and the Name (cut to 63 characters).
void WriteCommonProperties(TStream &Stream, TRepControl *Element);

// Reads the size word and the block (the oldest layout: 59 bytes and no size word), puts the
// element on the band the block names (on DefaultParent for band 0, on no parent when the band
// is not there) and applies the values; then reads the Hint. The Name that follows is left to
// the caller.
void ReadCommonProperties(TStream &Stream, TComponent *ReportForm, QWidget *DefaultParent, TRepControl *Element);
