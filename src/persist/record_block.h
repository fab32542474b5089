#pragma once
// Fixed-size blocks of report files. Every block is assembled in a zero-filled buffer of its
// layout's size and written with one stream write, so bytes that carry no field are always 0.
// Reading follows the size-word rule: the stored size says how many bytes the writer wrote; they
// are read into a zero-filled block of the current size, so fields an older writer did not know
// read as 0, and bytes beyond the current size (a newer or damaged writer) are skipped.
#include "host/exceptions.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class TStream;

// A report file that cannot be read on: a count or size that the stream cannot hold, a record
// the layout does not allow. The reader turns it into its "Error in reportfile" message.
VENDAMO_EXCEPTION(EReportFileError, EReadError)

class TRecordBlock {
public:
    explicit TRecordBlock(int size) : FData(size, '\0') {}

    int Size() const { return int(FData.size()); }
    const QByteArray &Data() const { return FData; }

    quint8 Byte(int offset) const;
    void SetByte(int offset, quint8 value);
    bool Flag(int offset) const { return Byte(offset) != 0; }
    void SetFlag(int offset, bool value) { SetByte(offset, value ? 1 : 0); }
    quint16 Word(int offset) const;
    void SetWord(int offset, quint16 value);
    qint16 SmallInt(int offset) const { return qint16(Word(offset)); }
    void SetSmallInt(int offset, qint16 value) { SetWord(offset, quint16(value)); }
    qint32 Int(int offset) const;
    void SetInt(int offset, qint32 value);
    double Extended(int offset) const;
    void SetExtended(int offset, double value);

    // A length-prefixed string in capacity bytes (length byte included): the text is cut to
    // capacity - 1 bytes at a character boundary. A fixed string has capacity 256.
    QString String(int offset, int capacity = FixedStringSize) const;
    void SetString(int offset, const QString &text, int capacity = FixedStringSize);

    // Writes the whole block with one write; raises EWriteError when the stream refuses it.
    void WriteTo(TStream &stream) const;
    // Reads storedSize bytes by the size-word rule. Raises EReportFileError when the stream holds
    // fewer than storedSize bytes.
    void ReadFrom(TStream &stream, quint16 storedSize);
    // Reads a size word and then the block by the size-word rule.
    void ReadSizedFrom(TStream &stream);

    static constexpr int FixedStringSize = 256;

private:
    void Check(int offset, int width) const;
    QByteArray FData;
};

// Record header: kind and size words.
void WriteRecordHeader(TStream &stream, quint16 kind, quint16 size);
// Fails with EReportFileError unless the stream still holds count items of at least itemSize
// bytes each, so that no count read from a file makes the reader allocate or loop past it.
void CheckCount(const TStream &stream, qint64 count, qint64 itemSize);
