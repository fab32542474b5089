// The print form translates itself from the process-wide language file when it is created:
// its caption and single lines of its loader's message table.
#include "test_paths.h"

#include "dialogs/report_print_form.h"

#include "model/language_setting.h"
#include "model/loader.h"

#include "host/scripted_interaction.h"

#include <gtest/gtest.h>

TEST(PrintFormTranslation, CaptionAndNumberedMessageLinesComeFromTheLanguageFile) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("german.ini"),
                   "[RepFormDB]\nRepFormDB.Caption=\"Druck\"\nSaveButton.Caption=\"Speichern\"\n"
                   "VDMLoader1.Item11=\"Error in reportfile=Fehler in der Berichtsdatei!\"\n"
                   "VDMLoader1.Item12=\"\"\n");
    SetVendamoLanguageIniFile(dir.Path("german.ini"));
    TReportPrintForm form;
    SetVendamoLanguageIniFile(QString());

    EXPECT_EQ(form.Caption(), QStringLiteral("Druck"));
    TVDMLoader *loader = form.VDMLoader1();
    EXPECT_EQ(loader->RuntimeMessages()->Count(), 132);
    EXPECT_EQ(loader->Message(QStringLiteral("Error in reportfile")), QStringLiteral("Fehler in der Berichtsdatei!"));
    EXPECT_EQ(loader->Message(QStringLiteral("Reportfile not found")), QStringLiteral("Reportfile %s not found!"));
    EXPECT_EQ(loader->Message(QStringLiteral("Write Error")), QStringLiteral("Error writing %s!"));
    EXPECT_TRUE(ui.Errors().isEmpty());
}
