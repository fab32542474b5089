// The new forms translate themselves under their own section names.
#include "design_fixture.h"
#include "dialog_test_support.h"
#include "test_paths.h"

#include "dialogs/property_dialogs.h"
#include "dialogs/richedit_form.h"

#include "model/language_setting.h"

#include "host/button_controls.h"
#include "host/menu_controls.h"
#include "host/scripted_interaction.h"

TEST(DialogTranslation, EditorAndBandDialogsReadTheirOwnSections) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("german.ini"),
                   "[RicheditForm]\nBoldButton.Hint=\"F\"\nFileOpenItem.Caption=\"\xC3\x96\x66\x66nen...\"\n"
                   "[ChildPropertyForm]\nChildPropertyForm.Caption=\"Unterband\"\n"
                   "ForceNewPageCheckBox.Caption=\"Neue Seite\"\n");
    SetVendamoLanguageIniFile(dir.Path("german.ini"));
    TRicheditForm editor;
    TDesignForm f;
    auto *child = new TVendamoChildBand(f.Form.get());
    child->SetParent(f.Report);
    ui.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Unterband"));
        EXPECT_EQ(Control<TCheckBox>(d, "ForceNewPageCheckBox")->text(), QStringLiteral("Neue Seite"));
        return int(QDialog::Rejected);
    });
    EditChildProps(f.Designer, nullptr, child);
    SetVendamoLanguageIniFile(QString());

    EXPECT_EQ(editor.BoldButton->Hint(), QStringLiteral("F"));
    EXPECT_EQ(editor.FileOpenItem->text(), QStringLiteral("Öffnen..."));
    EXPECT_TRUE(ui.Errors().isEmpty());
    EXPECT_EQ(ui.Pending(), 0);
}
