// The loader's settings from "VENDAMO.INI" beside the executable: what a missing file, missing
// keys and malformed values leave alone, file-name rules, and the printer section.
#include "settings_fixture.h"

#include "model/design_report.h"
#include "model/language_setting.h"
#include "model/loader.h"

#include "host/forms.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"

#include <gtest/gtest.h>

namespace {

struct TLoaderForm {
    TLoaderForm() {
        report = new TDesignReport(&form);
        loader = new TVDMLoader(&form);
        loader->SetReport(report);
    }
    ~TLoaderForm() { delete report; }
    TForm form;
    TDesignReport *report;
    TVDMLoader *loader;
};

}  // namespace

TEST(LoaderSettings, NoFileChangesNothing) {
    QFile::remove(VendamoSettingsFileName());
    SetVendamoLanguageIniFile(QStringLiteral("/lang/current.ini"));
    TLoaderForm f;
    f.loader->SetUseDataModules(true);
    f.report->PrinterSettings()->SetCopies(2);
    ReadVDMLoaderSetup(f.loader);
    EXPECT_TRUE(f.loader->UseDataModules());
    EXPECT_FALSE(f.loader->SaveLoadPrinterSetup());
    EXPECT_EQ(f.report->PrinterSettings()->Copies(), 2);
    EXPECT_EQ(VendamoLanguageIniFile(), QStringLiteral("/lang/current.ini"));
}

TEST(LoaderSettings, GeneralValuesAndLanguageFileNames) {
    TLoaderForm f;
    {
        TSettingsFile ini("[General]\nSaveLoadPrinterSetup=1\nUseDatamodules=1\nLanguagefile=german.ini\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_TRUE(f.loader->SaveLoadPrinterSetup());
        EXPECT_TRUE(f.loader->UseDataModules());
        EXPECT_EQ(VendamoLanguageIniFile(), AppFile(QStringLiteral("german.ini")));
    }
    {
        TSettingsFile ini("[General]\nUseDatamodules=maybe\nLanguagefile=/usr/share/vendamo/french.ini\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_TRUE(f.loader->UseDataModules());   // a malformed value keeps the current one
        EXPECT_TRUE(f.loader->SaveLoadPrinterSetup());
        EXPECT_EQ(VendamoLanguageIniFile(), QStringLiteral("/usr/share/vendamo/french.ini"));
    }
    {
        // No key: the language file stays; an empty value clears it.
        TSettingsFile ini("[General]\nSaveLoadPrinterSetup=0\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_FALSE(f.loader->SaveLoadPrinterSetup());
        EXPECT_EQ(VendamoLanguageIniFile(), QStringLiteral("/usr/share/vendamo/french.ini"));
    }
    {
        TSettingsFile ini("[General]\nLanguagefile=\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_EQ(VendamoLanguageIniFile(), QString());
    }
}

TEST(LoaderSettings, PrinterSectionSetsTheReportsPageAndPrinter) {
    TLoaderForm f;
    TRepPage *page = f.report->Page();
    {
        TSettingsFile ini("[Printer]\nDuplex=1\nPrinterCopies=3\nPrinterBin=260\nPageOrientation=1\n"
                          "PaperSize=155\nCustomPaperWidth=150.5\nCustomPaperLength=99\nPrinterName=no such printer\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_TRUE(f.report->PrinterSettings()->Duplex());
        EXPECT_EQ(f.report->PrinterSettings()->Copies(), 3);
        EXPECT_EQ(f.report->PrinterSettings()->OutputBin(), 4);       // stored in 8 bits
        EXPECT_EQ(f.report->PrinterSettings()->PrinterIndex(), -1);   // no match: unchanged
        EXPECT_EQ(page->Orientation(), TRepPage::poLandscape);
        EXPECT_EQ(page->PaperSize(), int(psCustom));                  // low 7 bits of 155
        EXPECT_DOUBLE_EQ(page->Width(), 150.5);
        EXPECT_DOUBLE_EQ(page->Length(), 99.0);
    }
    {
        // A custom size that does not convert is ignored from there on; other keys stay.
        TSettingsFile ini("[Printer]\nCustomPaperWidth=120\nCustomPaperLength=long\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_EQ(f.report->PrinterSettings()->Copies(), 3);
        EXPECT_DOUBLE_EQ(page->Width(), 120.0);
        EXPECT_DOUBLE_EQ(page->Length(), 99.0);
    }
    {
        // Standard paper: the custom keys are not read.
        TSettingsFile ini("[Printer]\nPaperSize=9\nCustomPaperWidth=10\n");
        ReadVDMLoaderSetup(f.loader);
        EXPECT_EQ(page->PaperSize(), 9);
        EXPECT_NE(page->Width(), 10.0);
    }
    // A loader without a report reads the general keys only.
    TSettingsFile ini("[General]\nUseDatamodules=1\n[Printer]\nPrinterCopies=5\n");
    TVDMLoader lone;
    ReadVDMLoaderSetup(&lone);
    EXPECT_TRUE(lone.UseDataModules());
    EXPECT_EQ(f.report->PrinterSettings()->Copies(), 3);
}
