// Rich text in RTF: reading, writing, round trips and damaged input.
#include "reportlib/rtf_reader.h"
#include "reportlib/rtf_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

namespace {

QTextCharFormat Format(const QString &family, double points, bool bold = false,
                       bool italic = false, bool underline = false) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    return format;
}

// A document with one of everything the rich text keeps.
void BuildSample(QTextDocument &doc) {
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat red = Format("Arial", 14, true);
    red.setForeground(QColor(255, 0, 0));
    cursor.insertText("Hello ", red);
    cursor.insertText("world", Format("Times New Roman", 10, false, true, true));

    QTextBlockFormat indented;
    indented.setAlignment(Qt::AlignRight);
    indented.setLeftMargin(48);    // 720 twips
    indented.setRightMargin(16);   // 240 twips
    indented.setTextIndent(-24);   // -360 twips
    cursor.insertBlock(indented);
    QTextCharFormat struck = Format("Arial", 9.5);
    struck.setFontStrikeOut(true);
    struck.setForeground(QColor(0, 0, 128));
    cursor.insertText(QString("tab\there") + QChar::LineSeparator + "{braces} \\ café € Ω 中 " +
                          QString::fromUtf8("😀") + QChar(0x00A0) + "end",
                      struck);

    QTextBlockFormat plain;
    cursor.insertBlock(plain, Format("Courier New", 20));  // an empty paragraph

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified);
    cursor.insertText("last", Format("Arial", 12));
}

QStringList BlockTexts(const QTextDocument &doc) {
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

QList<QTextFragment> Fragments(const QTextBlock &block) {
    QList<QTextFragment> fragments;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
        fragments << it.fragment();
    return fragments;
}

QString Family(const QTextCharFormat &format) {
    QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

// Reading must not crash, and what it reads must survive a write and a read unchanged.
void ExpectStableAfterReading(const QByteArray &rtf) {
    QTextDocument doc;
    ReadRtf(rtf, doc);
    QByteArray once = WriteRtf(doc);
    QTextDocument again;
    EXPECT_TRUE(ReadRtf(once, again));
    EXPECT_EQ(WriteRtf(again), once) << rtf.left(200).toStdString();
}

}  // namespace

TEST(Rtf, RoundTripIsByteExactAndKeepsTheFormatting) {
    QTextDocument original;
    BuildSample(original);
    QByteArray written = WriteRtf(original);
    QTextDocument read;
    ASSERT_TRUE(ReadRtf(written, read));
    EXPECT_EQ(WriteRtf(read), written);
    EXPECT_EQ(BlockTexts(read), BlockTexts(original));

    QTextBlock first = read.begin();
    EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QList<QTextFragment> runs = Fragments(first);
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].text(), "Hello ");
    EXPECT_EQ(Family(runs[0].charFormat()), "Arial");
    EXPECT_DOUBLE_EQ(runs[0].charFormat().fontPointSize(), 14.0);
    EXPECT_EQ(runs[0].charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(runs[0].charFormat().fontItalic());
    EXPECT_EQ(runs[0].charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(Family(runs[1].charFormat()), "Times New Roman");
    EXPECT_DOUBLE_EQ(runs[1].charFormat().fontPointSize(), 10.0);
    EXPECT_TRUE(runs[1].charFormat().fontItalic());
    EXPECT_TRUE(runs[1].charFormat().fontUnderline());
    EXPECT_NE(runs[1].charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(runs[1].charFormat().foreground().style(), Qt::NoBrush);

    QTextBlock second = first.next();
    EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(second.blockFormat().rightMargin(), 16.0);
    EXPECT_DOUBLE_EQ(second.blockFormat().textIndent(), -24.0);
    QTextCharFormat struck = Fragments(second).first().charFormat();
    EXPECT_TRUE(struck.fontStrikeOut());
    EXPECT_DOUBLE_EQ(struck.fontPointSize(), 9.5);
    EXPECT_EQ(struck.foreground().color(), QColor(0, 0, 128));

    QTextBlock empty = second.next();
    EXPECT_TRUE(empty.text().isEmpty());
    EXPECT_DOUBLE_EQ(empty.charFormat().fontPointSize(), 20.0);
    EXPECT_EQ(Family(empty.charFormat()), "Courier New");
    EXPECT_EQ(empty.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(read.blockCount(), 4);
}

TEST(Rtf, WrittenFormIsPlainRtf) {
    QTextDocument doc;
    BuildSample(doc);
    QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 Arial;}"));
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0;"));
    EXPECT_TRUE(rtf.contains("\\pard\\qc\\plain\\fs28\\b\\cf1 Hello "));
    EXPECT_TRUE(rtf.contains("\\pard\\qr\\li720\\ri240\\fi-360"));
    EXPECT_TRUE(rtf.contains("tab\\tab here\\line \\{braces\\} \\\\ caf\\'e9 \\'80 \\u937?"));
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-8704?\\~end"));
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(rtf.count("\\par\n"), 4);
}

TEST(Rtf, EmptyAndPlainDocumentsRoundTrip) {
    QTextDocument empty;
    QByteArray written = WriteRtf(empty);
    QTextDocument read;
    ASSERT_TRUE(ReadRtf(written, read));
    EXPECT_EQ(read.blockCount(), 1);
    EXPECT_TRUE(read.toPlainText().isEmpty());
    EXPECT_EQ(WriteRtf(read), written);

    QTextDocument plain;
    plain.setPlainText("first\n\nthird");
    written = WriteRtf(plain);
    ASSERT_TRUE(ReadRtf(written, read));
    EXPECT_EQ(BlockTexts(read), QStringList({"first", "", "third"}));
    EXPECT_EQ(WriteRtf(read), written);
}

TEST(Rtf, ReadsRtfFromOtherWriters) {
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}{\\f1\\froman\\fprq2{\\*\\panose 02020603050405020304}\\fcharset0 Times New "
        "Roman;}}\r\n{\\colortbl ;\\red0\\green0\\blue255;}\r\n{\\*\\generator Msftedit "
        "5.41.21.2510;}{\\info{\\author Someone}}\\viewkind4\\uc1\\pard\\qc\\f0\\fs20 Centered "
        "\\b bold\\b0  and \\cf1 blue\\cf0\\par\r\n\\pard\\li720\\f1\\fs24 Indented "
        "{\\i italic} \\ul under\\ulnone\\par\r\n}\r\n";
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(rtf, doc));
    EXPECT_EQ(BlockTexts(doc), QStringList({"Centered bold and blue", "Indented italic under"}));
    QList<QTextFragment> runs = Fragments(doc.begin());
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(Family(runs[0].charFormat()), "Arial");
    EXPECT_DOUBLE_EQ(runs[0].charFormat().fontPointSize(), 10.0);
    EXPECT_EQ(runs[1].text(), "bold");
    EXPECT_EQ(runs[1].charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(runs[3].text(), "blue");
    EXPECT_EQ(runs[3].charFormat().foreground().color(), QColor(0, 0, 255));
    QTextBlock second = doc.begin().next();
    EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), 48.0);
    QList<QTextFragment> more = Fragments(second);
    ASSERT_EQ(more.size(), 4);
    EXPECT_EQ(Family(more[0].charFormat()), "Times New Roman");
    EXPECT_TRUE(more[1].charFormat().fontItalic());
    EXPECT_FALSE(more[2].charFormat().fontItalic());  // the group ended the italics
    EXPECT_TRUE(more[3].charFormat().fontUnderline());
}

TEST(Rtf, EscapesAndSpecialCharacters) {
    QTextDocument doc;
    ReadRtf("{\\rtf1 caf\\'e9 \\u8364? \\u-10179?\\u-8704? a\\~b\\{c\\}\\\\ "
            "\\emdash\\tab x\\line y}",
            doc);
    EXPECT_EQ(doc.begin().text(), QString::fromUtf8("café € 😀 a") + QChar(0x00A0) +
                                      "b{c}\\ \u2014\tx" + QChar::LineSeparator + "y");
    ReadRtf("{\\rtf1\\uc0\\u233 x}", doc);
    EXPECT_EQ(doc.begin().text(), QString::fromUtf8("éx"));
    ReadRtf("{\\rtf1\\uc2\\u233\\'41\\'42x}", doc);
    EXPECT_EQ(doc.begin().text(), QString::fromUtf8("éx"));
    ReadRtf("{\\rtf1 {\\uc2\\u233 ?}?x}", doc);  // the skip count ends with its group
    EXPECT_EQ(doc.begin().text(), QString::fromUtf8("é?x"));
}

TEST(Rtf, ParagraphMarks) {
    QTextDocument doc;
    ReadRtf("{\\rtf1 a\\par b\\par}", doc);
    EXPECT_EQ(BlockTexts(doc), QStringList({"a", "b"}));
    ReadRtf("{\\rtf1 a\\par\\par}", doc);
    EXPECT_EQ(BlockTexts(doc), QStringList({"a", ""}));
    ReadRtf("{\\rtf1 a}", doc);
    EXPECT_EQ(BlockTexts(doc), QStringList({"a"}));
    ReadRtf("{\\rtf1 a\\\nb\\row c}", doc);  // backslash-newline and table rows end paragraphs
    EXPECT_EQ(BlockTexts(doc), QStringList({"a", "b", "c"}));
    ReadRtf("{\\rtf1\\qc centred}", doc);  // the last paragraph needs no mark
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST(Rtf, PlainTextIsTakenAsIs) {
    QTextDocument doc;
    EXPECT_FALSE(ReadRtf("Hello\nWorld", doc));
    EXPECT_EQ(BlockTexts(doc), QStringList({"Hello", "World"}));
    EXPECT_FALSE(ReadRtf("caf\xe9", doc));
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("café"));
    EXPECT_FALSE(ReadRtf(QString::fromUtf8("café {\\rtf1}").toUtf8(), doc));
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("café {\\rtf1}"));
    EXPECT_FALSE(ReadRtf("", doc));
    EXPECT_TRUE(doc.toPlainText().isEmpty());
    EXPECT_TRUE(IsRtf("  \r\n{\\rtf1 x}"));
    EXPECT_FALSE(IsRtf("{\\rt"));
}

TEST(Rtf, DamagedInputIsReadAsFarAsItIsSound) {
    QTextDocument doc;
    ReadRtf("{\\rtf1 abc", doc);
    EXPECT_EQ(doc.toPlainText(), "abc");
    ReadRtf("{\\rtf1 plain {\\b bold", doc);
    EXPECT_EQ(doc.toPlainText(), "plain bold");
    EXPECT_EQ(Fragments(doc.begin()).last().charFormat().fontWeight(), QFont::Bold);
    ReadRtf("{\\rtf1 a}}}} trailing garbage {\\b x}", doc);
    EXPECT_EQ(doc.toPlainText(), "a");
    ReadRtf("{\\rtf1 \\fs99999999999999999 big}", doc);
    EXPECT_DOUBLE_EQ(Fragments(doc.begin()).first().charFormat().fontPointSize(), 1638.0);
    ReadRtf("{\\rtf1 \\li-99999999999 x}", doc);
    EXPECT_DOUBLE_EQ(doc.begin().blockFormat().leftMargin(), -31680.0 / 15);
    ReadRtf("{\\rtf1 \\cf999\\f42 x}", doc);  // no such colour or font
    EXPECT_EQ(doc.toPlainText(), "x");
    ReadRtf("{\\rtf1 x\\bin99999999 hidden}", doc);
    EXPECT_EQ(doc.toPlainText(), "x");

    const QByteArray damaged[] = {
        "{\\rtf1 \\'", "{\\rtf1 \\'4", "{\\rtf1 \\'zz x}", "{\\rtf1 \\u", "{\\rtf1 \\u-", "{\\rtf1 \\",
        "{\\rtf1{\\fonttbl{\\f0 Arial", "{\\rtf1{\\colortbl;\\red300\\green-5", "{\\rtf1 \\*",
        "{\\rtf1 \\uc99999\\u65 abc}", "{\\rtf1 \\u99999999 x}", "{\\rtf1 " + QByteArray(40, 'a') +
        "\\" + QByteArray(5000, 'z') + "99999999999999999999 x}",
        QByteArray("{\\rtf1 a\0b\x01" "c}", 10), "{\\rtf1 }" + QByteArray(1000, '}'),
        "{\\rtf1 " + QByteArray(200000, '{') + "deep" + QByteArray(100, '}'),
        "{\\rtf1 " + QByteArray(100000, '\\'), "{\\rtf1 " + QByteArray(5000, '{') +
        QByteArray(5000, '}') + "after}"};
    for (const QByteArray &rtf : damaged)
        ExpectStableAfterReading(rtf);
}

// One paragraph of many short runs of alternating format: reading must stay about linear in its
// length, also for a document that is laid out (as a rich edit's is).
TEST(Rtf, LongParagraphOfManyRunsReadsQuickly) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i) rtf += i % 2 ? "\\b0 run " : "\\b bold ";
    rtf += "}";
    QTextDocument doc;
    doc.documentLayout();
    QElapsedTimer timer;
    timer.start();
    ReadRtf(rtf, doc);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(doc.blockCount(), 1);
    EXPECT_EQ(doc.toPlainText().size(), 10000 * 9);  // "bold run " repeated
    EXPECT_EQ(Fragments(doc.begin()).size(), 20000);
}

TEST(Rtf, RandomDamageNeverCrashes) {
    QTextDocument sample;
    BuildSample(sample);
    const QByteArray good = WriteRtf(sample);
    QRandomGenerator random(20240613);
    for (int round = 0; round < 300; ++round) {
        QByteArray rtf = good;
        int changes = 1 + random.bounded(8);
        for (int i = 0; i < changes; ++i) {
            int at = random.bounded(int(rtf.size()));
            switch (random.bounded(3)) {
            case 0: rtf[at] = char(random.bounded(256)); break;
            case 1: rtf.remove(at, random.bounded(20)); break;
            default: rtf.insert(at, "{}\\'"[random.bounded(4)]); break;
            }
        }
        if (random.bounded(4) == 0)
            rtf.truncate(random.bounded(int(rtf.size())));
        QTextDocument doc;
        ReadRtf(rtf, doc);
        QByteArray once = WriteRtf(doc);
        QTextDocument again;
        ReadRtf(once, again);
        ASSERT_EQ(WriteRtf(again), once) << "round " << round;
    }
}
