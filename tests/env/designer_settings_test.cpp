// The designer's settings in "VENDAMO.INI": what reading takes and leaves alone, and the exact
// text the two writers produce.
#include "settings_fixture.h"

#include "design/designer.h"
#include "model/design_report.h"
#include "model/language_setting.h"

#include "host/forms.h"
#include "host/scripted_interaction.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"
#include "text_printers.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

struct TDesignerForm {
    TDesignerForm() {
        report = new TDesignReport(&form);
        designer = new TVDMDesigner(&form);
        designer->SetReport(report);
    }
    ~TDesignerForm() { delete report; }
    TForm form;
    TDesignReport *report;
    TVDMDesigner *designer;
};

// Settings that differ from every default, so a read that changes any of them shows.
void SetUnusualValues(TVDMDesigner *d) {
    d->SetAllowBlockEdit(true);
    d->SetAllowNewCalcFields(true);
    d->SetAllowSQLEdit(false);
    d->SetQueriesOnlyInDBSetup(true);
    d->SetQueriesOnlyInExpert(true);
    d->SetGridSizeX(8);
    d->SetGridSizeY(4);
    d->SetKeyboardMoveX(3);
    d->SetKeyboardMoveY(5);
    d->SetComponentFrameColor(clRed);
    d->SetComponentFrameStyle(1);
    d->SetShowComponentFrames(true);
    d->SetShowBandNames(false);
    d->BandNameFont()->SetColor(clBlue);
    d->Report()->Page()->SetRuler(false);
    d->Report()->SetUnits(ruInches);
    d->SetUndoEnabled(true);
    d->SetSaveBackupFiles(true);
    d->SetSaveImagesInReportfile(true);
    d->SetBackupFileExtension(QStringLiteral(".OLD"));
}

void ExpectUnusualValues(const TVDMDesigner *d) {
    EXPECT_TRUE(d->AllowBlockEdit());
    EXPECT_TRUE(d->AllowNewCalcFields());
    EXPECT_FALSE(d->AllowSQLEdit());
    EXPECT_TRUE(d->QueriesOnlyInDBSetup());
    EXPECT_TRUE(d->QueriesOnlyInExpert());
    EXPECT_EQ(d->GridSizeX(), 8);
    EXPECT_EQ(d->GridSizeY(), 4);
    EXPECT_EQ(d->KeyboardMoveX(), 3);
    EXPECT_EQ(d->KeyboardMoveY(), 5);
    EXPECT_EQ(d->ComponentFrameColor(), clRed);
    EXPECT_EQ(d->ComponentFrameStyle(), 1);
    EXPECT_TRUE(d->ShowComponentFrames());
    EXPECT_FALSE(d->ShowBandNames());
    EXPECT_EQ(d->BandNameFont()->Color(), clBlue);
    EXPECT_FALSE(d->Report()->Page()->Ruler());
    EXPECT_EQ(d->Report()->Units(), ruInches);
    EXPECT_TRUE(d->UndoEnabled());
    EXPECT_TRUE(d->SaveBackupFiles());
    EXPECT_TRUE(d->SaveImagesInReportfile());
    EXPECT_EQ(d->BackupFileExtension(), QStringLiteral(".OLD"));
}

const QByteArray UserSectionsText =
    "[User]\nAllowBlockEdit=1\nAllowNewCalcFields=1\nAllowSQLEdit=0\nQueriesOnlyInDBSetup=1\n"
    "QueriesOnlyInExpert=1\n"
    "[Editor]\nGridSizeX=8\nGridSizeY=4\nKeyboardMoveX=3\nKeyboardMoveY=5\n"
    "[Display]\nComponentFrameColor=255\nComponentFrameStyle=1\nShowComponentFrames=1\nShowBandNames=0\n"
    "BandNameFont.Color=16711680\nReport.Page.Ruler=0\nUnits=1\n";

}  // namespace

TEST(DesignerSettings, NoFileChangesNothing) {
    TSettingsFile none;
    SetVendamoLanguageIniFile(QStringLiteral("/lang/current.ini"));
    TDesignerForm f;
    SetUnusualValues(f.designer);
    ReadVendamoUserSetup(f.designer);
    ExpectUnusualValues(f.designer);
    QString help = QStringLiteral("old.hlp");
    ReadVendamoSetup(f.designer, help);
    ExpectUnusualValues(f.designer);
    EXPECT_EQ(VendamoLanguageIniFile(), QStringLiteral("/lang/current.ini"));
    EXPECT_EQ(help, QString());  // the help file is an answer, not a setting: none without a file
    SetVendamoLanguageIniFile(QString());
}

TEST(DesignerSettings, UserSectionsReachTheDesignerAndItsReport) {
    TSettingsFile ini(UserSectionsText + "[General]\nUndoEnabled=1\n");
    TDesignerForm f;
    ReadVendamoUserSetup(f.designer);
    EXPECT_TRUE(f.designer->AllowBlockEdit());
    EXPECT_FALSE(f.designer->AllowSQLEdit());
    EXPECT_TRUE(f.designer->QueriesOnlyInExpert());
    EXPECT_EQ(f.designer->GridSizeX(), 8);
    EXPECT_EQ(f.designer->KeyboardMoveY(), 5);
    EXPECT_EQ(f.designer->ComponentFrameColor(), clRed);
    EXPECT_EQ(f.designer->ComponentFrameStyle(), 1);
    EXPECT_FALSE(f.designer->ShowBandNames());
    EXPECT_EQ(f.designer->BandNameFont()->Color(), clBlue);
    EXPECT_FALSE(f.report->Page()->Ruler());
    EXPECT_EQ(f.report->Units(), ruInches);
    EXPECT_FALSE(f.designer->UndoEnabled());  // section General is not the user reader's
}

TEST(DesignerSettings, MissingAndMalformedValuesKeepTheCurrentOnes) {
    TDesignerForm f;
    SetUnusualValues(f.designer);
    {
        TSettingsFile ini("[User]\nAllowSQLEdit=maybe\nAllowBlockEdit=\n[Editor]\nGridSizeY=four\n"
                          "KeyboardMoveX=70000\nKeyboardMoveY=-1\n[Display]\nComponentFrameColor=red\n"
                          "Units=9\nShowBandNames=yes\n");
        ReadVendamoUserSetup(f.designer);
        ExpectUnusualValues(f.designer);
    }
    {
        // A grid step of 0 would divide by zero when snapping: it arrives as 1; too large ones as 32.
        TSettingsFile ini("[Editor]\nGridSizeX=0\nGridSizeY=100\nKeyboardMoveX=0\n");
        ReadVendamoUserSetup(f.designer);
        EXPECT_EQ(f.designer->GridSizeX(), 1);
        EXPECT_EQ(f.designer->GridSizeY(), 32);
        EXPECT_EQ(f.designer->KeyboardMoveX(), 0);
    }
    {
        TSettingsFile ini("[Display]\nUnits=3\n");
        ReadVendamoUserSetup(f.designer);
        EXPECT_EQ(f.report->Units(), ruCharacters);
    }
    // A designer without a report takes the designer's keys and skips the report's.
    TSettingsFile ini(UserSectionsText);
    TVDMDesigner lone;
    ReadVendamoUserSetup(&lone);
    EXPECT_EQ(lone.GridSizeX(), 8);
    EXPECT_FALSE(lone.ShowBandNames());
}

TEST(DesignerSettings, GeneralKeysHelpFileAndBackupExtension) {
    TDesignerForm f;
    QString help = QStringLiteral("stale");
    {
        TSettingsFile ini("[General]\nUndoEnabled=1\nSaveBackupFiles=1\nSaveImagesInReportFile=1\n"
                          "Helpfile=vendamo.hlp\nBackupFileExtension=.BACKUP\nUseDatamodules=1\n"
                          "Languagefile=/l/de.ini\n[Editor]\nGridSizeX=6\n");
        ReadVendamoSetup(f.designer, help);
        EXPECT_TRUE(f.designer->UndoEnabled());
        EXPECT_TRUE(f.designer->SaveBackupFiles());
        EXPECT_TRUE(f.designer->SaveImagesInReportfile());
        EXPECT_EQ(help, AppFile(QStringLiteral("vendamo.hlp")));
        EXPECT_EQ(f.designer->BackupFileExtension(), QStringLiteral(".BAC"));
        // The user and loader readers ran as well.
        EXPECT_EQ(f.designer->GridSizeX(), 6);
        EXPECT_TRUE(f.designer->UseDataModules());
        EXPECT_EQ(VendamoLanguageIniFile(), QStringLiteral("/l/de.ini"));
    }
    {
        TSettingsFile ini("[General]\nHelpfile=/usr/share/doc/vendamo.hlp\nUndoEnabled=perhaps\n");
        ReadVendamoSetup(f.designer, help);
        EXPECT_EQ(help, QStringLiteral("/usr/share/doc/vendamo.hlp"));
        EXPECT_TRUE(f.designer->UndoEnabled());
        EXPECT_EQ(f.designer->BackupFileExtension(), QStringLiteral(".BAC"));
    }
    // No key: the help file is empty, whatever the caller passed in.
    TSettingsFile ini("[General]\nSaveBackupFiles=0\n");
    ReadVendamoSetup(f.designer, help);
    EXPECT_EQ(help, QString());
    EXPECT_FALSE(f.designer->SaveBackupFiles());
    SetVendamoLanguageIniFile(QString());
}

TEST(DesignerSettings, UserSetupIsWrittenInOrder) {
    TSettingsFile none;
    TDesignerForm f;
    SetUnusualValues(f.designer);
    SaveVendamoUserSetup(f.designer);
    EXPECT_EQ(TSettingsFile::Text(), UserSectionsText);
}

TEST(DesignerSettings, FullSetupIsWrittenInOrder) {
    TSettingsFile none;
    TDesignerForm f;
    SetUnusualValues(f.designer);
    f.designer->SetSaveLoadPrinterSetup(true);
    TRepPrinterSettings *printer = f.report->PrinterSettings();
    printer->SetDuplex(true);
    printer->SetCopies(2);
    printer->SetOutputBin(7);
    f.report->Page()->SetOrientation(TRepPage::poLandscape);
    f.report->Page()->SetPaperSize(9);
    SaveVendamoSetup(f.designer);
    const QByteArray printerSection =
        "[Printer]\nPrinterName=\nDuplex=1\nPrinterCopies=2\nPrinterBin=7\nPageOrientation=1\nPaperSize=9\n";
    EXPECT_EQ(TSettingsFile::Text(), UserSectionsText +
                                         "[General]\nSaveLoadPrinterSetup=1\nUndoEnabled=1\nSaveBackupFiles=1\n"
                                         "SaveImagesInReportFile=1\nUseDatamodules=0\nHelpfile=\nLanguagefile=\n"
                                         "BackupFileExtension=.OLD\n" +
                                         printerSection);

    // The custom paper size alone adds its width and length, in the report's units.
    TSettingsFile again;
    f.report->Page()->SetPaperSize(psCustom);
    f.report->Page()->SetWidth(8.5);
    f.report->Page()->SetLength(11);
    SaveVendamoSetup(f.designer);
    const QByteArray text = TSettingsFile::Text();
    EXPECT_TRUE(text.endsWith("PaperSize=" + QByteArray::number(int(psCustom)) +
                              "\nCustomPaperWidth=8.5\nCustomPaperLength=11\n"))
        << text.toStdString();
}

TEST(DesignerSettings, SavingKeepsTheHelpAndLanguageFilesTheFileNames) {
    // The designer holds neither name; saving must not wipe what the user configured.
    TSettingsFile ini("[General]\nLanguagefile=german.ini\nHelpfile=/doc/vendamo.hlp\nUndoEnabled=0\n");
    TDesignerForm f;
    f.designer->SetUndoEnabled(true);
    SaveVendamoSetup(f.designer);
    const QByteArray text = TSettingsFile::Text();
    EXPECT_TRUE(text.contains("[General]\nLanguagefile=german.ini\nHelpfile=/doc/vendamo.hlp\nUndoEnabled=1\n"))
        << text.toStdString();
    QString help;
    ReadVendamoSetup(f.designer, help);
    EXPECT_EQ(help, QStringLiteral("/doc/vendamo.hlp"));
    EXPECT_EQ(VendamoLanguageIniFile(), AppFile(QStringLiteral("german.ini")));
    SetVendamoLanguageIniFile(QString());
}

TEST(DesignerSettings, SettingsThatCannotBeWrittenBesideTheProgramGoToTheUserFolder) {
    QStandardPaths::setTestModeEnabled(true);  // the user folder of tests, not the real one
    TSettingsFile none;
    // A folder in place of the file: nothing can write there, not even an administrator.
    ASSERT_TRUE(QDir().mkpath(VendamoSettingsFileName()));
    struct TCleanup {
        ~TCleanup() {
            QDir(VendamoSettingsFileName()).removeRecursively();
            QDir(UserSettingsFileName()).removeRecursively();
            QFile::remove(UserSettingsFileName());
        }
    } cleanup;
    TDesignerForm f;
    f.designer->SetGridSizeX(7);
    EXPECT_TRUE(SaveVendamoUserSetup(f.designer));
    EXPECT_TRUE(QFileInfo(UserSettingsFileName()).isFile());
    TDesignerForm g;
    ReadVendamoUserSetup(g.designer);
    EXPECT_EQ(g.designer->GridSizeX(), 7);

    // Neither place writable: a message and false, nothing else.
    QFile::remove(UserSettingsFileName());
    ASSERT_TRUE(QDir().mkpath(UserSettingsFileName()));
    TScriptedInteraction ui;
    EXPECT_FALSE(SaveVendamoSetup(f.designer));
    EXPECT_EQ(ui.Errors().size(), 1);
}
