// Saving into files: the backup rule, and a failed save never destroying the previous report.
#include "persist_fixture.h"

#include "persist/report_writer.h"
#include "host/exceptions.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(SaveReport, BackupNames) {
    EXPECT_EQ(BackupFileName(QStringLiteral("/r/sales.QR2"), QStringLiteral(".BAK")), QStringLiteral("/r/sales.BAK"));
    EXPECT_EQ(BackupFileName(QStringLiteral("/r.d/sales"), QStringLiteral(".BAK")), QStringLiteral("/r.d/sales.BAK"));
    EXPECT_EQ(BackupFileName(QStringLiteral("a.b.QR2"), QStringLiteral("~")), QStringLiteral("a.b~"));
}

TEST(SaveReport, WritesTheFileAndMakesTheBackup) {
    TestDir dir;
    const QString file = dir.Path("sales.QR2");
    TReportForm f;
    f.Report->SetReportTitle(QStringLiteral("First"));
    ASSERT_TRUE(Save_Report(f.Designer, f.Form.get(), file, nullptr));
    const QByteArray first = ReadWholeFile(file);
    EXPECT_EQ(first, f.Save());

    f.Designer->SaveBackupFiles = true;
    WriteWholeFile(dir.Path("sales.BAK"), "old backup");
    f.Report->SetReportTitle(QStringLiteral("Second"));
    ASSERT_TRUE(Save_Report(f.Designer, f.Form.get(), file, nullptr));
    EXPECT_EQ(ReadWholeFile(dir.Path("sales.BAK")), first);
    EXPECT_EQ(ReadWholeFile(file), f.Save());
    // Nothing else is left in the directory.
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A backup extension equal to the file's own makes no backup and keeps the report.
    f.Designer->BackupFileExtension = QStringLiteral(".QR2");
    ASSERT_TRUE(Save_Report(f.Designer, f.Form.get(), file, nullptr));
    EXPECT_EQ(ReadWholeFile(file), f.Save());
}

TEST(SaveReport, FailureKeepsThePreviousFile) {
    TScriptedInteraction ui;
    TestDir dir;
    const QString file = dir.Path("r.QR2");
    WriteWholeFile(file, "previous report");
    WriteWholeFile(dir.Path("r.BAK"), "previous backup");
    TReportForm f;
    f.Designer->SaveBackupFiles = true;
    // Writing fails part-way: the application's save event raises.
    f.Designer->OnSaveReport = TMethod::FromFunction(
        std::function<void(TStream *)>([](TStream *) { throw EWriteError(QStringLiteral("disk full")); }), &f);
    EXPECT_FALSE(Save_Report(f.Designer, f.Form.get(), file, nullptr));
    EXPECT_EQ(ReadWholeFile(file), QByteArray("previous report"));
    EXPECT_EQ(ReadWholeFile(dir.Path("r.BAK")), QByteArray("previous backup"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Error writing %1!").arg(file)});

    // A directory that does not exist.
    ui.Clear();
    f.Designer->OnSaveReport = TMethod();
    EXPECT_FALSE(Save_Report(f.Designer, f.Form.get(), dir.Path("no/such/r.QR2"), nullptr));
    EXPECT_EQ(ui.Errors().size(), 1);

    // A designer without a report writes nothing and keeps the file as well.
    ui.Clear();
    TForm form;
    TTestDesigner lonely(&form);
    EXPECT_FALSE(Save_Report(&lonely, &form, file, nullptr));
    EXPECT_EQ(ReadWholeFile(file), QByteArray("previous report"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(ui.Errors().size(), 1);
}

}  // namespace
