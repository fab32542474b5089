#include "host/exceptions.h"
#include "host/stream.h"
#include "test_paths.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QImage>
#include <gtest/gtest.h>

TEST(MemoryStream, ReadWriteSeekAndShortReads) {
    TMemoryStream s;
    s.WriteBytes("hello");
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(s.Seek(-2, soCurrent), 3);
    char buf[16] = {};
    EXPECT_EQ(s.Read(buf, 10), 2);  // short read returns what there is
    EXPECT_EQ(QByteArray(buf, 2), QByteArray("lo"));
    EXPECT_EQ(s.Read(buf, 10), 0);
    EXPECT_EQ(s.Seek(-100, soEnd), 0);  // clamps at the start
    EXPECT_EQ(s.Seek(10, soBeginning), 10);  // past the end is allowed ...
    EXPECT_EQ(s.Read(buf, 1), 0);
    EXPECT_EQ(s.Remaining(), 0);
    s.WriteBytes("!");  // ... and a write there fills the gap with zeros
    EXPECT_EQ(s.Data(), QByteArray("hello\0\0\0\0\0!", 11));
    s.SetPosition(0);
    EXPECT_THROW(s.ReadBuffer(buf, 12), EReadError);
    EXPECT_EQ(s.Seek(std::numeric_limits<qint64>::max(), soCurrent) >= 0, true);  // no overflow
}

TEST(MemoryStream, SetSizeClearAndLoadSave) {
    TMemoryStream s(QByteArray("abcdef"));
    s.SetPosition(5);
    s.SetSize(3);
    EXPECT_EQ(s.Data(), QByteArray("abc"));
    EXPECT_EQ(s.Position(), 3);
    s.SetSize(5);
    EXPECT_EQ(s.Data(), QByteArray("abc\0\0", 5));
    TMemoryStream copy;
    copy.LoadFromStream(s);
    EXPECT_EQ(copy.Data(), s.Data());
    EXPECT_EQ(copy.Position(), 0);
    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    // A position far beyond any sensible size must not allocate.
    copy.SetPosition(qint64(1) << 50);
    EXPECT_THROW(copy.WriteBytes("x"), EWriteError);
}

TEST(Stream, CopyFrom) {
    TMemoryStream source(QByteArray(200000, 'q'));
    source.SetPosition(10);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 100), 100);
    EXPECT_EQ(target.Data(), QByteArray(100, 'q'));
    EXPECT_EQ(source.Position(), 110);
    // Count 0: all of the source from its start, whatever its position.
    TMemoryStream whole;
    EXPECT_EQ(whole.CopyFrom(source, 0), 200000);
    EXPECT_EQ(whole.Size(), 200000);
    source.SetPosition(199990);
    EXPECT_THROW(target.CopyFrom(source, 11), EReadError);
    EXPECT_EQ(target.Size(), 100);  // nothing half-copied
}

TEST(Stream, ReadBytesRefusesDamagedLengths) {
    TMemoryStream s(QByteArray("\xFF\xFF\xFF\x7F" "abc", 7));
    const qint32 length = Bin::ReadInt(s);
    EXPECT_EQ(length, 0x7FFFFFFF);
    EXPECT_THROW(s.ReadBytes(length), EReadError);
    EXPECT_THROW(s.ReadBytes(-1), EReadError);
    EXPECT_EQ(s.Position(), 4);
    EXPECT_EQ(s.ReadBytes(3), QByteArray("abc"));
    EXPECT_EQ(s.ReadBytes(0), QByteArray());
}

TEST(Stream, BinaryHelpersAreLittleEndian) {
    TMemoryStream s;
    Bin::WriteByte(s, 0xAB);
    Bin::WriteWord(s, 0x0404);
    Bin::WriteSmallInt(s, -1);
    Bin::WriteDWord(s, 0x01020304u);
    Bin::WriteInt(s, -2);
    Bin::WriteExtended(s, 210.0);
    EXPECT_EQ(s.Data().toHex(), QByteArray("ab0404ffff04030201feffffff00000000000000d20640"));
    s.SetPosition(0);
    EXPECT_EQ(Bin::ReadByte(s), 0xAB);
    EXPECT_EQ(Bin::ReadWord(s), 0x0404);
    EXPECT_EQ(Bin::ReadSmallInt(s), -1);
    EXPECT_EQ(Bin::ReadDWord(s), 0x01020304u);
    EXPECT_EQ(Bin::ReadInt(s), -2);
    EXPECT_EQ(Bin::ReadExtended(s), 210.0);
    EXPECT_THROW(Bin::ReadWord(s), EReadError);

    QByteArray block(8, '\0');
    Bin::PutWord(block, 0, 0xBEEF);
    Bin::PutSmallInt(block, 2, -300);
    Bin::PutInt(block, 4, -70000);
    EXPECT_EQ(Bin::GetWord(block, 0), 0xBEEF);
    EXPECT_EQ(Bin::GetSmallInt(block, 2), -300);
    EXPECT_EQ(Bin::GetInt(block, 4), -70000);
    EXPECT_THROW(Bin::GetInt(block, 5), EReadError);
    EXPECT_THROW(Bin::GetWord(block, -1), EReadError);
    EXPECT_THROW(Bin::PutInt(block, 6, 1), EWriteError);
}

TEST(Stream, ShortStringsRoundTripAndCut) {
    TMemoryStream s;
    Bin::WriteShortString(s, QStringLiteral("Grüße €"));
    Bin::WriteShortString(s, QStringLiteral("東京"));
    Bin::WriteShortString(s, QString(300, QLatin1Char('x')));
    Bin::WriteShortString(s, QStringLiteral("abcdef"), 3);
    Bin::WriteShortString(s, QString(84, QChar(0x6771)) + QLatin1Char('z'));  // 252 + 3 > 255
    s.SetPosition(0);
    EXPECT_EQ(static_cast<unsigned char>(s.Data()[0]), 7);  // one byte per character
    EXPECT_EQ(Bin::ReadShortString(s), QStringLiteral("Grüße €"));
    EXPECT_EQ(Bin::ReadShortString(s), QStringLiteral("東京"));
    EXPECT_EQ(Bin::ReadShortString(s), QString(255, QLatin1Char('x')));
    EXPECT_EQ(Bin::ReadShortString(s), QStringLiteral("abc"));
    EXPECT_EQ(Bin::ReadShortString(s), QString(84, QChar(0x6771)) + QLatin1Char('z'));
    // A length byte promising more than the stream holds.
    TMemoryStream damaged(QByteArray("\x10" "abc"));
    EXPECT_THROW(Bin::ReadShortString(damaged), EReadError);
}

TEST(FileStream, CreateReadAndErrors) {
    TestDir dir;
    const QString path = dir.Path("data.bin");
    {
        TFileStream out(path, fmCreate);
        Bin::WriteWord(out, 0x0404);
        Bin::WriteShortString(out, QStringLiteral("Title"));
        out.Flush();
        EXPECT_EQ(out.Size(), 8);
    }
    {
        TFileStream in(path, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(Bin::ReadWord(in), 0x0404);
        EXPECT_EQ(Bin::ReadShortString(in), QStringLiteral("Title"));
        EXPECT_EQ(in.Remaining(), 0);
        EXPECT_EQ(in.Seek(-3, soEnd), 5);
        EXPECT_EQ(in.Seek(-10, soCurrent), 0);
        EXPECT_EQ(in.Write("x", 1), 0);  // opened for reading
        EXPECT_THROW(in.WriteBytes("x"), EWriteError);
    }
    {
        TFileStream rw(path, fmOpenReadWrite);
        rw.SetSize(2);
        EXPECT_EQ(rw.Size(), 2);
        EXPECT_EQ(rw.Position(), 0);
    }
    {
        TFileStream again(path, fmCreate);  // truncates
        EXPECT_EQ(again.Size(), 0);
    }
    const QString missing = dir.Path("missing.qr2");
    try {
        TFileStream in(missing, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"%1\": ").arg(missing)))
            << e.what();
    }
    EXPECT_THROW(TFileStream(dir.Path("no/such/dir/x"), fmCreate), EFOpenError);
    EXPECT_FALSE(QFile::exists(missing));  // reading never creates
    EXPECT_THROW(TFileStream(missing, fmOpenReadWrite), EFOpenError);
}

TEST(FileStream, MemoryStreamFiles) {
    TestDir dir;
    TMemoryStream s(QByteArray("report"));
    s.SaveToFile(dir.Path("r.qr2"));
    TMemoryStream loaded;
    loaded.LoadFromFile(dir.Path("r.qr2"));
    EXPECT_EQ(loaded.Data(), QByteArray("report"));
    EXPECT_THROW(loaded.LoadFromFile(dir.Path("none")), EFOpenError);
}

TEST(StreamDevice, QtReadsAndWritesThroughTheStream) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    TMemoryStream s;
    Bin::WriteWord(s, 7);  // the picture starts after other data
    {
        auto device = MakeStreamDevice(s);
        EXPECT_EQ(device->pos(), 2);
        ASSERT_TRUE(image.save(device.get(), "PNG"));
    }
    s.SetPosition(2);
    auto device = MakeStreamDevice(s);
    QImage back;
    ASSERT_TRUE(back.load(device.get(), "PNG"));
    EXPECT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixel(1, 1), image.pixel(1, 1));
    EXPECT_TRUE(device->seek(0));
    EXPECT_EQ(s.Position(), 0);
}
