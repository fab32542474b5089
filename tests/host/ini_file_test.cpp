#include "host/exceptions.h"
#include "host/format_settings.h"
#include "host/ini_file.h"
#include "test_paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const char *kSample =
    "; settings written by hand\r\n"
    "[General]\r\n"
    "SaveBackupFiles=1\r\n"
    "Languagefile = german.lng \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "\r\n"
    "; the editor grid\r\n"
    "[Editor]\r\n"
    "GridSizeX=8\r\n"
    "GridSizeY=oops\r\n"
    "Hex=$1F\r\n"
    "[Custom]\r\n"
    "Unknown=kept\r\n";

}  // namespace

TEST(IniFile, ReadsWithDefaultsAndWithoutRegardToCase) {
    TestDir dir;
    const QString path = dir.Path("VENDAMO.INI");
    ASSERT_TRUE(WriteWholeFile(path, kSample));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("general", "LANGUAGEFILE", "x"), "german.lng");
    EXPECT_EQ(ini.ReadString("General", "Quoted", "x"), "  spaced  ");
    EXPECT_EQ(ini.ReadString("General", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nowhere", "Languagefile", "def"), "def");
    EXPECT_TRUE(ini.ReadBool("GENERAL", "savebackupfiles", false));
    EXPECT_EQ(ini.ReadInteger("Editor", "GridSizeX", 4), 8);
    EXPECT_EQ(ini.ReadInteger("Editor", "GridSizeY", 4), 4);  // malformed: the default
    EXPECT_EQ(ini.ReadInteger("Editor", "Hex", 0), 31);
    EXPECT_FALSE(ini.ReadBool("Editor", "GridSizeY", false));
    EXPECT_TRUE(ini.ReadBool("Editor", "GridSizeY", true));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"General", "Editor", "Custom"}));
    EXPECT_EQ(ini.ReadSection("editor"), (QStringList{"GridSizeX", "GridSizeY", "Hex"}));
    EXPECT_EQ(ini.ReadSectionValues("Custom"), QStringList{"Unknown=kept"});
    EXPECT_TRUE(ini.SectionExists("CUSTOM"));
    EXPECT_FALSE(ini.SectionExists("Printer"));
    EXPECT_TRUE(ini.ValueExists("custom", "unknown"));
    EXPECT_FALSE(ini.ValueExists("custom", "other"));
}

TEST(IniFile, BooleansAndFloats) {
    TestDir dir;
    const QString path = dir.Path("b.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[B]\nT=true\nF=FALSE\nTwo=2\nZero=0\nF1=2.5\nF2=1e-3\nBad=x\n"));
    TIniFile ini(path);
    EXPECT_TRUE(ini.ReadBool("B", "T", false));
    EXPECT_FALSE(ini.ReadBool("B", "F", true));
    EXPECT_TRUE(ini.ReadBool("B", "Two", false));
    EXPECT_FALSE(ini.ReadBool("B", "Zero", true));
    EXPECT_EQ(ini.ReadFloat("B", "F1", 0), 2.5);
    EXPECT_EQ(ini.ReadFloat("B", "F2", 0), 0.001);
    EXPECT_EQ(ini.ReadFloat("B", "Bad", 7.5), 7.5);
    ini.WriteBool("B", "New", true);
    ini.WriteBool("B", "Zero", false);
    // Floats are written with "." whatever the locale, and read back exactly.
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    ini.WriteFloat("B", "Width", 210.1);
    EXPECT_EQ(ini.ReadFloat("B", "Width", 0), 210.1);
    FormatSettings = saved;
    const QString text = QString::fromUtf8(ReadWholeFile(path));
    EXPECT_TRUE(text.contains("New=1\n"));
    EXPECT_TRUE(text.contains("Zero=0\n"));
    EXPECT_TRUE(text.contains("Width=210.1\n"));
    EXPECT_EQ(TIniFile(path).ReadFloat("B", "Width", 0), 210.1);
}

TEST(IniFile, WritesKeepEverythingElse) {
    TestDir dir;
    const QString path = dir.Path("VENDAMO.INI");
    ASSERT_TRUE(WriteWholeFile(path, kSample));
    TIniFile ini(path);
    ini.WriteInteger("EDITOR", "gridsizex", 16);   // stored case of section and key kept
    ini.WriteString("General", "UndoEnabled", "1");  // new key: after the section's last entry
    ini.WriteString("Printer", "PrinterName", "Laser");  // new section at the end
    ini.WriteString("General", "Padded", " a ");
    const QByteArray expected =
        "; settings written by hand\r\n"
        "[General]\r\n"
        "SaveBackupFiles=1\r\n"
        "Languagefile = german.lng \r\n"
        "Quoted=\"  spaced  \"\r\n"
        "UndoEnabled=1\r\n"
        "Padded=\" a \"\r\n"
        "\r\n"
        "; the editor grid\r\n"
        "[Editor]\r\n"
        "GridSizeX=16\r\n"
        "GridSizeY=oops\r\n"
        "Hex=$1F\r\n"
        "[Custom]\r\n"
        "Unknown=kept\r\n"
        "[Printer]\r\n"
        "PrinterName=Laser\r\n";
    EXPECT_EQ(ReadWholeFile(path), expected);
    TIniFile again(path);
    EXPECT_EQ(again.ReadInteger("Editor", "GridSizeX", 0), 16);
    EXPECT_EQ(again.ReadString("General", "Padded", ""), " a ");
    // A line break in a value cannot start a new line in the file.
    again.WriteString("Custom", "Multi", "one\ntwo");
    EXPECT_EQ(TIniFile(path).ReadSection("Custom"), (QStringList{"Unknown", "Multi"}));
}

TEST(IniFile, EraseSectionAndDeleteKey) {
    TestDir dir;
    const QString path = dir.Path("e.ini");
    ASSERT_TRUE(WriteWholeFile(path, "[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nw=4\n"));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "w", "-"), "-");  // the first section of a name answers
    ini.DeleteKey("a", "X");
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_TRUE(ini.ValueExists("A", "y"));
    ini.DeleteKey("A", "missing");
    ini.EraseSection("A");  // every section of that name
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ReadWholeFile(path), QByteArray("[B]\nz=3\n"));
    ini.EraseSection("Missing");
}

TEST(IniFile, MissingFileReadsEmptyAndUnwritableFileRaises) {
    TestDir dir;
    const QString path = dir.Path("none.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadSections(), QStringList());
    EXPECT_EQ(ini.ReadInteger("A", "b", 5), 5);
    EXPECT_FALSE(QFile::exists(path));  // reading creates nothing
    ini.WriteString("A", "b", "c");
    EXPECT_EQ(ReadWholeFile(path), QByteArray("[A]\nb=c\n"));

    const QString blocked = dir.Path("no/such/dir/x.ini");
    TIniFile bad(blocked);
    try {
        bad.WriteInteger("A", "b", 1);
        FAIL() << "wrote into a missing directory";
    } catch (const EWriteError &e) {
        EXPECT_TRUE(e.Message().contains(blocked)) << e.what();
    }
}

TEST(IniFile, TextEncoding) {
    TestDir dir;
    const QString latin = dir.Path("latin.ini");
    ASSERT_TRUE(WriteWholeFile(latin, "[S]\nName=Gr\xFC\xDF" "e \x80\n"));
    TIniFile a(latin);
    EXPECT_EQ(a.ReadString("S", "Name", ""), QStringLiteral("Grüße €"));
    a.WriteString("S", "Other", QStringLiteral("ü"));
    EXPECT_EQ(ReadWholeFile(latin), QByteArray("[S]\nName=Gr\xFC\xDF" "e \x80\nOther=\xFC\n"));  // still 8-bit
    a.WriteString("S", "City", QStringLiteral("東京"));
    EXPECT_EQ(ReadWholeFile(latin), QStringLiteral("[S]\nName=Grüße €\nOther=ü\nCity=東京\n").toUtf8());
    TIniFile b(latin);
    EXPECT_EQ(b.ReadString("S", "City", ""), QStringLiteral("東京"));
    EXPECT_EQ(b.ReadString("S", "Name", ""), QStringLiteral("Grüße €"));
}

// Files of many lines: every lookup, and listing sections and keys, must not cost time that
// grows with the square of the file, or a large hostile file stalls whoever reads it.
TEST(IniFile, LookupsInLargeFilesStayQuick) {
    TestDir dir;
    const QString path = dir.Path("large.ini");
    QByteArray text = "[Keys]\n";
    for (int i = 0; i < 60000; ++i) text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i * 2) + "\n";
    for (int i = 0; i < 20000; ++i) text += "[Section" + QByteArray::number(i) + "]\nk=v\n";
    text += "[keys]\nKey5=shadowed\n";
    ASSERT_TRUE(WriteWholeFile(path, text));
    QElapsedTimer timer;
    timer.start();
    TIniFile ini(path);
    for (int i = 0; i < 60000; i += 30) ASSERT_EQ(ini.ReadInteger("KEYS", "key" + QString::number(i), -1), i * 2);
    EXPECT_EQ(ini.ReadString("Keys", "Key5", ""), "10");  // the first section of a name answers
    EXPECT_EQ(ini.ReadString("Section19999", "K", ""), "v");
    EXPECT_EQ(ini.ReadSections().size(), 20001);
    EXPECT_EQ(ini.ReadSection("Keys").size(), 60000);
    EXPECT_LT(timer.elapsed(), 4000);

    // Changes are seen by the lookups that follow.
    ini.WriteString("Section7", "k", "changed");
    ini.DeleteKey("Keys", "Key3");
    EXPECT_EQ(ini.ReadString("Section7", "k", ""), "changed");
    EXPECT_FALSE(ini.ValueExists("Keys", "Key3"));
    EXPECT_EQ(ini.ReadInteger("Keys", "Key4", -1), 8);
    ini.EraseSection("Keys");
    EXPECT_EQ(ini.ReadString("Keys", "Key4", "gone"), "gone");
}
