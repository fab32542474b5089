#pragma once
// Streams: the byte stores that report files, element streams, pictures and blobs are read from
// and written to. Read/Write return the number of bytes moved; ReadBuffer/WriteBuffer raise
// EReadError/EWriteError when fewer bytes move than asked.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

class QIODevice;
class QFile;

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;

    virtual qint64 Read(void *buffer, qint64 count) = 0;
    virtual qint64 Write(const void *buffer, qint64 count) = 0;
    // Returns the new position; seeking before the start clamps to 0, past the end is allowed.
    virtual qint64 Seek(qint64 offset, TSeekOrigin origin) = 0;
    virtual qint64 Size() const = 0;
    virtual void SetSize(qint64 newSize) = 0;

    qint64 Position() const;
    void SetPosition(qint64 pos) { Seek(pos, soBeginning); }
    qint64 Remaining() const { return qMax<qint64>(0, Size() - Position()); }

    void ReadBuffer(void *buffer, qint64 count);         // raises EReadError when short
    void WriteBuffer(const void *buffer, qint64 count);  // raises EWriteError when short
    // Copies count bytes from source's current position (count 0: all of source from its start).
    // Returns the bytes copied; raises EReadError when source holds fewer.
    qint64 CopyFrom(TStream &source, qint64 count);

    QByteArray ReadBytes(qint64 count);  // raises EReadError when short; never allocates past Remaining()
    void WriteBytes(const QByteArray &bytes) { WriteBuffer(bytes.constData(), bytes.size()); }

protected:
    mutable qint64 FPositionCache = 0;
};

// A growable stream in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(const QByteArray &data) : FData(data) {}

    qint64 Read(void *buffer, qint64 count) override;
    qint64 Write(const void *buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    qint64 Size() const override { return FData.size(); }
    void SetSize(qint64 newSize) override;

    const QByteArray &Data() const { return FData; }
    void Clear();
    void LoadFromStream(TStream &source);  // replaces the contents; position 0
    void SaveToStream(TStream &target) const;
    void LoadFromFile(const QString &fileName);  // raises EFOpenError
    void SaveToFile(const QString &fileName) const;  // raises EFCreateError-like EFOpenError

private:
    QByteArray FData;
    qint64 FPos = 0;
};

// File modes: fmCreate creates or truncates; fmOpenRead opens for reading, fmShareDenyNone lets
// others read and write meanwhile (on Linux every open shares; the flag is kept for callers).
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
public:
    // Raises EFOpenError with the file name when the file cannot be opened or created.
    TFileStream(const QString &fileName, unsigned mode);
    ~TFileStream() override;

    qint64 Read(void *buffer, qint64 count) override;
    qint64 Write(const void *buffer, qint64 count) override;
    qint64 Seek(qint64 offset, TSeekOrigin origin) override;
    qint64 Size() const override;
    void SetSize(qint64 newSize) override;
    const QString &FileName() const { return FFileName; }
    // Flushes written data to disk; raises EWriteError when that fails.
    void Flush();

private:
    QString FFileName;
    std::unique_ptr<QFile> FFile;
};

// A QIODevice that reads and writes through a TStream, for Qt APIs (image I/O) that want one.
std::unique_ptr<QIODevice> MakeStreamDevice(TStream &stream);

// Little-endian binary helpers over streams (the byte order of report files). Reads raise
// EReadError when the stream ends early.
namespace Bin {
quint8 ReadByte(TStream &s);
quint16 ReadWord(TStream &s);
qint16 ReadSmallInt(TStream &s);
quint32 ReadDWord(TStream &s);
qint32 ReadInt(TStream &s);
double ReadExtended(TStream &s);  // 10-byte extended float
void WriteByte(TStream &s, quint8 v);
void WriteWord(TStream &s, quint16 v);
void WriteSmallInt(TStream &s, qint16 v);
void WriteDWord(TStream &s, quint32 v);
void WriteInt(TStream &s, qint32 v);
void WriteExtended(TStream &s, double v);
// Length-prefixed 8-bit string of at most maxLen bytes (text codec of the file format).
QString ReadShortString(TStream &s);
void WriteShortString(TStream &s, const QString &v, int maxLen = 255);
// Little-endian values inside byte blocks (fixed-size records).
quint16 GetWord(const QByteArray &block, int offset);
qint16 GetSmallInt(const QByteArray &block, int offset);
qint32 GetInt(const QByteArray &block, int offset);
void PutWord(QByteArray &block, int offset, quint16 v);
void PutSmallInt(QByteArray &block, int offset, qint16 v);
void PutInt(QByteArray &block, int offset, qint32 v);
}  // namespace Bin
