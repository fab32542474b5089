// The fast language-file reader: how lines become sections, keys and values, which duplicate
// wins, and what a missing, long-lined or huge file gives.
#include "env/speedy_ini_file.h"

#include "host/scripted_interaction.h"
#include "test_paths.h"
#include "text_printers.h"

#include <gtest/gtest.h>

namespace {
QString Read(const TSpeedyIniFile &ini, const char *section, const char *key) {
    return ini.ReadString(QString::fromUtf8(section), QString::fromUtf8(key), QStringLiteral("<default>"));
}
}  // namespace

TEST(SpeedyIniFile, ValuesLoseFirstAndLastCharacterAndNamesIgnoreCase) {
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"),
                   "Orphan=\"before any section\"\r\n[Main]\r\n\r\nQuoted=\"Sch\xC3\xB6n\"\r\nBare=Caption\r\n"
                   "Short=x\r\nEmpty=\r\nA=b=c\r\n; a comment without equals sign\r\n");
    TSpeedyIniFile ini;
    ini.ReadIniFile(dir.Path("lang.ini"));
    EXPECT_EQ(ini.FileName(), dir.Path("lang.ini"));
    EXPECT_EQ(Read(ini, "main", "QUOTED"), QString::fromUtf8("Sch\xC3\xB6n"));
    EXPECT_EQ(Read(ini, "MAIN", "bare"), QStringLiteral("aptio"));
    EXPECT_EQ(Read(ini, "Main", "Short"), QString());  // present but empty: not the default
    EXPECT_EQ(Read(ini, "Main", "Empty"), QString());
    EXPECT_EQ(Read(ini, "Main", "A"), QStringLiteral("="));  // split at the first "="
    EXPECT_EQ(Read(ini, "Main", "Orphan"), QStringLiteral("<default>"));
    EXPECT_EQ(Read(ini, "Other", "Bare"), QStringLiteral("<default>"));
    EXPECT_EQ(Read(ini, "Main", "; a comment without equals sign"), QStringLiteral("<default>"));
}

TEST(SpeedyIniFile, FirstSectionAndFirstKeyWin) {
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"),
                   "[Form]\nKey=\"first\"\nKey=\"second\"\n[Other]\nX=\"x\"\n[FORM]\nKey=\"third\"\nNew=\"new\"\n"
                   "[\n[Sec\nS=\"unclosed\"\n");
    TSpeedyIniFile ini;
    ini.ReadIniFile(dir.Path("lang.ini"));
    EXPECT_EQ(Read(ini, "Form", "Key"), QStringLiteral("first"));
    EXPECT_EQ(Read(ini, "Form", "New"), QStringLiteral("<default>"));  // the repeated section adds nothing
    EXPECT_EQ(Read(ini, "Other", "X"), QStringLiteral("x"));
    EXPECT_EQ(Read(ini, "SE", "S"), QStringLiteral("unclosed"));  // named by what lies between the ends
}

TEST(SpeedyIniFile, LongLinesAreCutAndHugeFilesReadOnlyUpToTheCap) {
    TestDir dir;
    const QByteArray longValue(400, 'v');
    WriteWholeFile(dir.Path("long.ini"), "[S]\nLong=\"" + longValue + "\"\nNext=\"n\"\n");
    TSpeedyIniFile ini;
    ini.ReadIniFile(dir.Path("long.ini"));
    EXPECT_EQ(Read(ini, "S", "Long"), QString(255 - 5 - 2, QLatin1Char('v')));  // cut line minus key and ends
    EXPECT_EQ(Read(ini, "S", "Next"), QStringLiteral("n"));
    EXPECT_EQ(ini.ReadString("S", "Missing", QString(300, QLatin1Char('d'))).size(), 255);

    QByteArray huge = "[S]\nEarly=\"e\"\n";
    huge.append(QByteArray(TSpeedyIniFile::MaxFileSize, '\n'));
    huge.append("Late=\"l\"\n");
    WriteWholeFile(dir.Path("huge.ini"), huge);
    ini.ReadIniFile(dir.Path("huge.ini"));
    EXPECT_EQ(Read(ini, "S", "Early"), QStringLiteral("e"));
    EXPECT_EQ(Read(ini, "S", "Late"), QStringLiteral("<default>"));
}

TEST(SpeedyIniFile, MissingFileIsReportedAndLeavesTheReaderEmpty) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"), "[S]\nK=\"v\"\n");
    TSpeedyIniFile ini;
    ini.ReadIniFile(dir.Path("lang.ini"));
    ini.ReadIniFile(dir.Path("missing.ini"));
    EXPECT_EQ(ui.Errors(), QStringList{"File " + dir.Path("missing.ini") + " not found!"});
    EXPECT_EQ(ini.FileName(), QString());
    EXPECT_EQ(Read(ini, "S", "K"), QStringLiteral("<default>"));
}
