#include "host/text_codec.h"

#include <gtest/gtest.h>

#include <random>

TEST(TextCodec, AsciiAndWindows1252) {
    EXPECT_EQ(EncodeText8("Hello, World"), QByteArray("Hello, World"));
    EXPECT_EQ(EncodeText8(QString()), QByteArray());
    EXPECT_EQ(EncodeText8(QStringLiteral("€")), QByteArray("\x80"));
    EXPECT_EQ(EncodeText8(QStringLiteral("„Grüße“")), QByteArray("\x84Gr\xFC\xDF" "e\x93"));
    EXPECT_EQ(EncodeText8(QStringLiteral("Œ™ÿ")), QByteArray("\x8C\x99\xFF"));
    EXPECT_EQ(DecodeText8(QByteArray("\x84Gr\xFC\xDF" "e\x93")), QStringLiteral("„Grüße“"));
    EXPECT_EQ(DecodeText8(QByteArray("\x80 5")), QStringLiteral("€ 5"));
}

TEST(TextCodec, TextOutsideWindows1252IsUtf8) {
    const QString mixed = QStringLiteral("Grüße € 東京 🙂");
    const QByteArray bytes = EncodeText8(mixed);
    EXPECT_EQ(bytes, mixed.toUtf8());
    EXPECT_EQ(DecodeText8(bytes), mixed);
    // C1 controls that are not undefined slots have no Windows-1252 byte.
    EXPECT_EQ(EncodeText8(QString(QChar(0x80))), QByteArray("\xC2\x80"));
}

TEST(TextCodec, Windows1252BytesThatLookLikeUtf8AreWrittenAsUtf8) {
    // "Ã¼" in Windows-1252 is C3 BC, which would read back as "ü".
    const QString text = QStringLiteral("Ã¼");
    const QByteArray bytes = EncodeText8(text);
    EXPECT_EQ(bytes, text.toUtf8());
    EXPECT_EQ(DecodeText8(bytes), text);
}

TEST(TextCodec, AnyByteStringDecodesAndEncodesUnchanged) {
    // The undefined slots and invalid UTF-8 read as Windows-1252; such bytes come back unchanged.
    // Valid UTF-8 may be written back as Windows-1252 but always as the same text.
    const QByteArray undefined("\x81\x8D\x8F\x90\x9D");
    EXPECT_EQ(DecodeText8(undefined), QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
    EXPECT_EQ(EncodeText8(DecodeText8(undefined)), undefined);
    EXPECT_EQ(DecodeText8(QByteArray("\xC3")), QStringLiteral("Ã"));               // truncated sequence
    EXPECT_EQ(DecodeText8(QByteArray("\xC0\xAF")), QStringLiteral("À¯"));           // overlong
    EXPECT_EQ(DecodeText8(QByteArray("\xED\xA0\x80")).size(), 3);                  // surrogate
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes(int(rng() % 40), '\0');
        for (char &b : bytes) b = char(rng() % 256);
        const QString text = DecodeText8(bytes);
        const QByteArray again = EncodeText8(text);
        ASSERT_EQ(DecodeText8(again), text) << bytes.toHex().constData();
        if (!IsMultiByteUtf8(bytes)) {
            ASSERT_EQ(again, bytes) << bytes.toHex().constData();
        }
    }
}

TEST(TextCodec, CutsNeverSplitACharacter) {
    const QString latin(300, QChar(0xFC));  // ü: one byte each in Windows-1252
    EXPECT_EQ(EncodeText8(latin, 255), QByteArray(255, '\xFC'));

    // 254 ASCII bytes and then a two-byte character: the character does not fit.
    const QString text = QString(254, QLatin1Char('a')) + QStringLiteral("東x");
    const QByteArray cut = EncodeText8(text, 255);
    EXPECT_EQ(cut, QByteArray(254, 'a'));
    EXPECT_EQ(EncodeText8(QString(253, QLatin1Char('a')) + QStringLiteral("東x"), 255).size(), 253);
    EXPECT_EQ(EncodeText8(QString(252, QLatin1Char('a')) + QStringLiteral("東x"), 255).size(), 255);

    const QString emoji = QString(100, QChar(0x6771)) + QStringLiteral("🙂🙂");
    for (int limit = 0; limit <= 310; ++limit) {
        const QByteArray bytes = EncodeText8(emoji, limit);
        ASSERT_LE(bytes.size(), limit);
        const QString back = DecodeText8(bytes);
        ASSERT_TRUE(emoji.startsWith(back)) << limit;
        ASSERT_TRUE(back.isEmpty() || !back.back().isHighSurrogate()) << limit;
    }
    // Only the characters that stay decide: the cut text fits Windows-1252.
    EXPECT_EQ(EncodeText8(QStringLiteral("ab€東"), 3), QByteArray("ab\x80"));
}

TEST(TextCodec, CutTextKeepsSurrogatePairs) {
    EXPECT_EQ(CutText(QStringLiteral("abc"), 5), QStringLiteral("abc"));
    EXPECT_EQ(CutText(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(CutText(QStringLiteral("a🙂"), 2), QStringLiteral("a"));
    EXPECT_EQ(CutText(QStringLiteral("a🙂"), 3), QStringLiteral("a🙂"));
    EXPECT_EQ(CutText(QStringLiteral("abc"), -1), QString());
}
