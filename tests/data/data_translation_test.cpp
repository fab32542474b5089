// Every data dialog translates itself under its own section of the language file.
#include "data/db_open_form.h"
#include "data/db_setup_form.h"
#include "data/field_edit_forms.h"
#include "data/field_property_form.h"
#include "data/linked_fields_form.h"
#include "data/parameter_form.h"
#include "data/query_edit_form.h"
#include "data/table_properties_form.h"
#include "data_fixture.h"
#include "host/button_controls.h"
#include "model/language_setting.h"

namespace {

TEST(DataTranslation, EachDialogReadsItsSection) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(
        dir.Path("de.ini"),
        "[DBSetupForm]\nDBSetupForm.Caption=\"Datenmengen\"\nPropertiesButton.Caption=\"Eigenschaften\"\n"
        "[DBSetupForm2]\nDBSetupForm2.Caption=\"Tabelle\"\n"
        "[DBSetupForm3]\nDBSetupForm3.Caption=\"Abfrage\"\nWizardButton.Caption=\"Assistent...\"\n"
        "[DBSetupForm4]\nDBSetupForm4.Caption=\"Parameter\"\n"
        "[DBSetupFieldListForm]\nDBSetupFieldListForm.Caption=\"Verknuepfte Felder\"\n"
        "[DBOpenForm]\nDBOpenForm.Caption=\"Tabelle oeffnen\"\n"
        "[FieldPropertyForm]\nNewLookupButton.Caption=\"Nachschlagefeld\"\n"
        "[FieldEditForm]\nOKButton.Caption=\"Gut\"\n"
        "[FieldSelectForm]\nFieldSelectForm.Caption=\"Feld waehlen\"\n"
        "[CalcFieldEditFormForm]\nCalcFieldEditFormForm.Caption=\"Berechnetes Feld\"\n"
        "[LookupFieldEditForm]\nLookupFieldEditForm.Caption=\"Nachschlagen\"\n");
    SetVendamoLanguageIniFile(dir.Path("de.ini"));
    TDBSetupForm setup;
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Datenmengen"));
    EXPECT_EQ(setup.PropertiesButton->text(), QStringLiteral("Eigenschaften"));
    EXPECT_EQ(setup.OpenForm->windowTitle(), QStringLiteral("Tabelle oeffnen"));
    EXPECT_EQ(TDBSetupForm2().windowTitle(), QStringLiteral("Tabelle"));
    TDBSetupForm3 query;
    EXPECT_EQ(query.windowTitle(), QStringLiteral("Abfrage"));
    EXPECT_EQ(query.WizardButton->text(), QStringLiteral("Assistent..."));
    EXPECT_EQ(TDBSetupForm4().windowTitle(), QStringLiteral("Parameter"));
    EXPECT_EQ(TDBSetupFieldlistForm().windowTitle(), QStringLiteral("Verknuepfte Felder"));
    EXPECT_EQ(TFieldPropertyForm().NewLookupButton->text(), QStringLiteral("Nachschlagefeld"));
    EXPECT_EQ(TFieldEditForm().OKButton->text(), QStringLiteral("Gut"));
    EXPECT_EQ(TFieldSelectForm().windowTitle(), QStringLiteral("Feld waehlen"));
    EXPECT_EQ(TCalcFieldEditForm().windowTitle(), QStringLiteral("Berechnetes Feld"));
    EXPECT_EQ(TLookupFieldEditForm().windowTitle(), QStringLiteral("Nachschlagen"));
    SetVendamoLanguageIniFile(QString());
    EXPECT_EQ(ui.Errors(), QStringList());
}

}  // namespace
