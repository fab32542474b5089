#include "host/stream.h"

#include "host/exceptions.h"
#include "host/extended_float.h"
#include "host/text_codec.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Memory streams refuse to grow past this; a position taken from damaged data must not make a
// write allocate without bound.
constexpr qint64 kMaxMemoryStreamSize = qint64(1) << 30;
constexpr qint64 kCopyChunk = 64 * 1024;

QString ReadErrorText() { return QStringLiteral("Stream read error"); }
QString WriteErrorText() { return QStringLiteral("Stream write error"); }

// base + offset without overflow; negative results clamp to 0.
qint64 ClampedTarget(qint64 base, qint64 offset) {
    qint64 target;
    if (__builtin_add_overflow(base, offset, &target))
        target = offset > 0 ? std::numeric_limits<qint64>::max() : 0;
    return qMax<qint64>(0, target);
}

QString OpenErrorText(const QString &verb, const QString &fileName, const QString &reason) {
    return QStringLiteral("Cannot %1 file \"%2\": %3").arg(verb, fileName, reason);
}

}  // namespace

// ---- TStream ----

qint64 TStream::Position() const {
    // Seeking by 0 from the current position changes nothing; every stream answers its
    // position through Seek, as descendants only need to implement that one routine.
    FPositionCache = const_cast<TStream *>(this)->Seek(0, soCurrent);
    return FPositionCache;
}

void TStream::ReadBuffer(void *buffer, qint64 count) {
    if (count < 0 || (count > 0 && Read(buffer, count) != count)) throw EReadError(ReadErrorText());
}

void TStream::WriteBuffer(const void *buffer, qint64 count) {
    if (count < 0 || (count > 0 && Write(buffer, count) != count)) throw EWriteError(WriteErrorText());
}

qint64 TStream::CopyFrom(TStream &source, qint64 count) {
    if (count <= 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count > source.Remaining()) throw EReadError(ReadErrorText());
    QByteArray chunk(int(qMin(count, kCopyChunk)), Qt::Uninitialized);
    qint64 left = count;
    while (left > 0) {
        const qint64 n = qMin<qint64>(left, chunk.size());
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.constData(), n);
        left -= n;
    }
    return count;
}

QByteArray TStream::ReadBytes(qint64 count) {
    // A length taken from a damaged file must fail here, before anything is allocated.
    if (count < 0 || count > Remaining()) throw EReadError(ReadErrorText());
    QByteArray bytes(count, Qt::Uninitialized);
    ReadBuffer(bytes.data(), count);
    return bytes;
}

// ---- TMemoryStream ----

qint64 TMemoryStream::Read(void *buffer, qint64 count) {
    if (count <= 0 || FPos >= FData.size()) return 0;
    const qint64 n = qMin(count, qint64(FData.size()) - FPos);
    std::memcpy(buffer, FData.constData() + FPos, size_t(n));
    FPos += n;
    return n;
}

qint64 TMemoryStream::Write(const void *buffer, qint64 count) {
    if (count <= 0) return 0;
    qint64 end;
    if (__builtin_add_overflow(FPos, count, &end) || end > kMaxMemoryStreamSize) return 0;
    try {
        if (end > FData.size()) FData.resize(end, '\0');  // a gap after a seek past the end is zeros
    } catch (const std::bad_alloc &) {
        return 0;
    }
    std::memcpy(FData.data() + FPos, buffer, size_t(count));
    FPos = end;
    return count;
}

qint64 TMemoryStream::Seek(qint64 offset, TSeekOrigin origin) {
    switch (origin) {
    case soBeginning: FPos = qMax<qint64>(0, offset); break;
    case soCurrent: FPos = ClampedTarget(FPos, offset); break;
    case soEnd: FPos = ClampedTarget(FData.size(), offset); break;
    }
    return FPos;
}

void TMemoryStream::SetSize(qint64 newSize) {
    newSize = qMax<qint64>(0, newSize);
    if (newSize > kMaxMemoryStreamSize) throw EWriteError(WriteErrorText());
    try {
        FData.resize(newSize, '\0');
    } catch (const std::bad_alloc &) {
        throw EWriteError(WriteErrorText());
    }
    if (FPos > newSize) FPos = newSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream &source) {
    source.SetPosition(0);
    const qint64 size = source.Size();
    if (size > kMaxMemoryStreamSize) throw EReadError(ReadErrorText());
    QByteArray data(size, Qt::Uninitialized);
    source.ReadBuffer(data.data(), size);
    FData = data;
    FPos = 0;
}

void TMemoryStream::SaveToStream(TStream &target) const {
    target.WriteBuffer(FData.constData(), FData.size());
}

void TMemoryStream::LoadFromFile(const QString &fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const QString &fileName) const {
    // Written beside the target and renamed over it, so a failed save leaves the old file.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFOpenError(OpenErrorText(QStringLiteral("create"), fileName, file.errorString()));
    if (file.write(FData) != FData.size() || !file.commit())
        throw EWriteError(OpenErrorText(QStringLiteral("write"), fileName, file.errorString()));
}

// ---- TFileStream ----

TFileStream::TFileStream(const QString &fileName, unsigned mode)
    : FFileName(fileName), FFile(std::make_unique<QFile>(fileName)) {
    // Sharing flags have no meaning on this platform: every open shares.
    QIODevice::OpenMode openMode;
    const bool create = (mode & fmCreate) == fmCreate;
    if (create) {
        openMode = QIODevice::ReadWrite | QIODevice::Truncate;
    } else {
        switch (mode & 0x3) {
        case fmOpenWrite: openMode = QIODevice::ReadWrite | QIODevice::ExistingOnly; break;
        case fmOpenReadWrite: openMode = QIODevice::ReadWrite | QIODevice::ExistingOnly; break;
        default: openMode = QIODevice::ReadOnly; break;
        }
    }
    if (!FFile->open(openMode)) {
        throw EFOpenError(OpenErrorText(create ? QStringLiteral("create") : QStringLiteral("open"),
                                        fileName, FFile->errorString()));
    }
}

TFileStream::~TFileStream() = default;  // QFile closes itself

qint64 TFileStream::Read(void *buffer, qint64 count) {
    if (count <= 0) return 0;
    const qint64 n = FFile->read(static_cast<char *>(buffer), count);
    return qMax<qint64>(0, n);
}

qint64 TFileStream::Write(const void *buffer, qint64 count) {
    if (count <= 0 || !FFile->isWritable()) return 0;
    const qint64 n = FFile->write(static_cast<const char *>(buffer), count);
    return qMax<qint64>(0, n);
}

qint64 TFileStream::Seek(qint64 offset, TSeekOrigin origin) {
    qint64 target = 0;
    switch (origin) {
    case soBeginning: target = qMax<qint64>(0, offset); break;
    case soCurrent: target = ClampedTarget(FFile->pos(), offset); break;
    case soEnd: target = ClampedTarget(FFile->size(), offset); break;
    }
    if (target != FFile->pos()) FFile->seek(target);
    return FFile->pos();
}

qint64 TFileStream::Size() const { return FFile->size(); }

void TFileStream::SetSize(qint64 newSize) {
    newSize = qMax<qint64>(0, newSize);
    const qint64 pos = FFile->pos();
    if (!FFile->isWritable() || !FFile->resize(newSize))
        throw EWriteError(OpenErrorText(QStringLiteral("resize"), FFileName, FFile->errorString()));
    FFile->seek(qMin(pos, newSize));
}

void TFileStream::Flush() {
    if (FFile->isWritable() && !FFile->flush())
        throw EWriteError(OpenErrorText(QStringLiteral("write"), FFileName, FFile->errorString()));
}

// ---- QIODevice adapter ----

namespace {

// Positions of the device are positions of the stream; unbuffered, so the two never disagree.
class TStreamDevice : public QIODevice {
public:
    explicit TStreamDevice(TStream &stream) : FStream(stream) {
        const qint64 start = stream.Position();
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
        QIODevice::seek(start);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return FStream.Size(); }
    bool seek(qint64 pos) override {
        if (pos < 0 || !QIODevice::seek(pos)) return false;
        return FStream.Seek(pos, soBeginning) == pos;
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override {
        FStream.SetPosition(pos());
        return FStream.Read(data, maxSize);
    }
    qint64 writeData(const char *data, qint64 maxSize) override {
        FStream.SetPosition(pos());
        const qint64 n = FStream.Write(data, maxSize);
        return n > 0 || maxSize == 0 ? n : -1;
    }

private:
    TStream &FStream;
};

}  // namespace

std::unique_ptr<QIODevice> MakeStreamDevice(TStream &stream) {
    return std::make_unique<TStreamDevice>(stream);
}

// ---- Little-endian helpers ----

namespace Bin {

namespace {

template <typename T>
T ReadLE(TStream &s) {
    unsigned char b[sizeof(T)];
    s.ReadBuffer(b, sizeof(T));
    std::make_unsigned_t<T> v = 0;
    for (int i = int(sizeof(T)) - 1; i >= 0; --i) v = std::make_unsigned_t<T>((v << 8) | b[i]);
    return static_cast<T>(v);
}

template <typename T>
void WriteLE(TStream &s, T value) {
    unsigned char b[sizeof(T)];
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
    s.WriteBuffer(b, sizeof(T));
}

template <typename T>
T GetLE(const QByteArray &block, int offset) {
    if (offset < 0 || qsizetype(offset) + qsizetype(sizeof(T)) > block.size())
        throw EReadError(ReadErrorText());
    std::make_unsigned_t<T> v = 0;
    for (int i = int(sizeof(T)) - 1; i >= 0; --i)
        v = std::make_unsigned_t<T>((v << 8) | static_cast<unsigned char>(block[offset + i]));
    return static_cast<T>(v);
}

template <typename T>
void PutLE(QByteArray &block, int offset, T value) {
    if (offset < 0 || qsizetype(offset) + qsizetype(sizeof(T)) > block.size())
        throw EWriteError(WriteErrorText());
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) block[offset + int(i)] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace

quint8 ReadByte(TStream &s) { return ReadLE<quint8>(s); }
quint16 ReadWord(TStream &s) { return ReadLE<quint16>(s); }
qint16 ReadSmallInt(TStream &s) { return ReadLE<qint16>(s); }
quint32 ReadDWord(TStream &s) { return ReadLE<quint32>(s); }
qint32 ReadInt(TStream &s) { return ReadLE<qint32>(s); }

double ReadExtended(TStream &s) {
    TExtendedBytes b;
    s.ReadBuffer(b.data(), qint64(b.size()));
    return DecodeExtended(b);
}

void WriteByte(TStream &s, quint8 v) { WriteLE(s, v); }
void WriteWord(TStream &s, quint16 v) { WriteLE(s, v); }
void WriteSmallInt(TStream &s, qint16 v) { WriteLE(s, v); }
void WriteDWord(TStream &s, quint32 v) { WriteLE(s, v); }
void WriteInt(TStream &s, qint32 v) { WriteLE(s, v); }

void WriteExtended(TStream &s, double v) {
    const TExtendedBytes b = EncodeExtended(v);
    s.WriteBuffer(b.data(), qint64(b.size()));
}

QString ReadShortString(TStream &s) {
    const int len = ReadByte(s);
    return DecodeText8(s.ReadBytes(len));
}

void WriteShortString(TStream &s, const QString &v, int maxLen) {
    const QByteArray bytes = EncodeText8(v, qBound(0, maxLen, 255));
    WriteByte(s, quint8(bytes.size()));
    s.WriteBytes(bytes);
}

quint16 GetWord(const QByteArray &block, int offset) { return GetLE<quint16>(block, offset); }
qint16 GetSmallInt(const QByteArray &block, int offset) { return GetLE<qint16>(block, offset); }
qint32 GetInt(const QByteArray &block, int offset) { return GetLE<qint32>(block, offset); }
void PutWord(QByteArray &block, int offset, quint16 v) { PutLE(block, offset, v); }
void PutSmallInt(QByteArray &block, int offset, qint16 v) { PutLE(block, offset, v); }
void PutInt(QByteArray &block, int offset, qint32 v) { PutLE(block, offset, v); }

}  // namespace Bin
