#include "persist/record_block.h"

#include "host/extended_float.h"
#include "host/stream.h"
#include "host/text_codec.h"

void TRecordBlock::Check(int offset, int width) const {
    // Offsets come from the layout tables, never from a file; a wrong one is a programming error.
    Q_ASSERT(offset >= 0 && width >= 0 && offset + width <= FData.size());
    if (offset < 0 || width < 0 || offset + width > FData.size())
        throw EReportFileError(QStringLiteral("Record field at %1 outside its block").arg(offset));
}

quint8 TRecordBlock::Byte(int offset) const {
    Check(offset, 1);
    return quint8(FData[offset]);
}

void TRecordBlock::SetByte(int offset, quint8 value) {
    Check(offset, 1);
    FData[offset] = char(value);
}

quint16 TRecordBlock::Word(int offset) const {
    Check(offset, 2);
    return Bin::GetWord(FData, offset);
}

void TRecordBlock::SetWord(int offset, quint16 value) {
    Check(offset, 2);
    Bin::PutWord(FData, offset, value);
}

qint32 TRecordBlock::Int(int offset) const {
    Check(offset, 4);
    return Bin::GetInt(FData, offset);
}

void TRecordBlock::SetInt(int offset, qint32 value) {
    Check(offset, 4);
    Bin::PutInt(FData, offset, value);
}

double TRecordBlock::Extended(int offset) const {
    Check(offset, 10);
    return DecodeExtended(reinterpret_cast<const unsigned char *>(FData.constData()) + offset);
}

void TRecordBlock::SetExtended(int offset, double value) {
    Check(offset, 10);
    const TExtendedBytes bytes = EncodeExtended(value);
    for (int i = 0; i < 10; ++i) FData[offset + i] = char(bytes[size_t(i)]);
}

QString TRecordBlock::String(int offset, int capacity) const {
    Check(offset, capacity);
    const int len = qMin<int>(quint8(FData[offset]), capacity - 1);
    return DecodeText8(FData.constData() + offset + 1, len);
}

void TRecordBlock::SetString(int offset, const QString &text, int capacity) {
    Check(offset, capacity);
    const QByteArray bytes = EncodeText8(text, qMin(capacity - 1, 255));
    FData[offset] = char(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) FData[offset + 1 + i] = bytes[i];
    for (int i = int(bytes.size()) + 1; i < capacity; ++i) FData[offset + i] = '\0';
}

void TRecordBlock::WriteTo(TStream &stream) const { stream.WriteBuffer(FData.constData(), FData.size()); }

void TRecordBlock::ReadFrom(TStream &stream, quint16 storedSize) {
    if (stream.Remaining() < storedSize)
        throw EReportFileError(QStringLiteral("Record block of %1 bytes past the end of the stream").arg(storedSize));
    FData.fill('\0');
    const int wanted = qMin<int>(storedSize, FData.size());
    stream.ReadBuffer(FData.data(), wanted);
    if (storedSize > wanted) stream.Seek(storedSize - wanted, soCurrent);
}

void TRecordBlock::ReadSizedFrom(TStream &stream) { ReadFrom(stream, Bin::ReadWord(stream)); }

void WriteRecordHeader(TStream &stream, quint16 kind, quint16 size) {
    QByteArray header(4, '\0');
    Bin::PutWord(header, 0, kind);
    Bin::PutWord(header, 2, size);
    stream.WriteBytes(header);
}

void CheckCount(const TStream &stream, qint64 count, qint64 itemSize) {
    if (count < 0 || count * qMax<qint64>(1, itemSize) > stream.Remaining())
        throw EReportFileError(QStringLiteral("Count %1 exceeds the rest of the stream").arg(count));
}
