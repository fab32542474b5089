// The process-wide translation of the system's forms through the language file the settings
// name: no name, a missing file, the cached reader and when it is read again.
#include "env/form_translation.h"

#include "model/datasource_select_form.h"
#include "model/form_translation.h"
#include "model/language_setting.h"

#include "host/forms.h"
#include "host/scripted_interaction.h"
#include "test_paths.h"
#include "text_printers.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {
// The caption a fresh form gets from section "Form".
QString TranslatedCaption() {
    TForm form;
    form.SetCaption(QStringLiteral("untranslated"));
    TranslateForm(&form, QStringLiteral("Form"));
    return form.Caption();
}
}  // namespace

TEST(FormTranslation, NothingWithoutTranslatorOrFileName) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"), "[Form]\nForm.Caption=\"translated\"\n");
    SetVendamoLanguageIniFile(dir.Path("lang.ini"));
    SetFormTranslator(nullptr);
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("untranslated"));
    InstallLanguageFiles();
    SetVendamoLanguageIniFile(QString());
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("untranslated"));
    EXPECT_TRUE(ui.Questions().isEmpty());
}

TEST(FormTranslation, MissingFileIsReportedAtEveryForm) {
    TScriptedInteraction ui;
    TestDir dir;
    SetVendamoLanguageIniFile(dir.Path("missing.ini"));
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("untranslated"));
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("untranslated"));
    const QString message = "File " + dir.Path("missing.ini") + " not found!";
    EXPECT_EQ(ui.Errors(), QStringList({message, message}));
}

TEST(FormTranslation, FileIsReadAgainOnlyWhenItsNameChanges) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("a.ini"), "[Form]\nForm.Caption=\"first\"\n");
    WriteWholeFile(dir.Path("b.ini"), "[Form]\nForm.Caption=\"other file\"\n");
    SetVendamoLanguageIniFile(dir.Path("a.ini"));
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("first"));
    WriteWholeFile(dir.Path("a.ini"), "[Form]\nForm.Caption=\"second\"\n");
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("first"));  // the cached reader
    SetVendamoLanguageIniFile(dir.Path("b.ini"));
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("other file"));
    SetVendamoLanguageIniFile(dir.Path("a.ini"));
    EXPECT_EQ(TranslatedCaption(), QStringLiteral("second"));
    SetVendamoLanguageIniFile(QString());
}

TEST(FormTranslation, DatasourceSelectFormTranslatesItself) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"),
                   "[DatasourceSelectForm]\nDatasourceSelectForm.Caption=\"Auswahl\"\n"
                   "Label1.Caption=\"Bitte eine Tabelle w\xC3\xA4hlen:\"\n");
    SetVendamoLanguageIniFile(dir.Path("lang.ini"));
    TDatasourceSelectForm form;
    SetVendamoLanguageIniFile(QString());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Auswahl"));
    ASSERT_NE(form.findChild<QLabel *>(QStringLiteral("Label1")), nullptr);
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
              QString::fromUtf8("Bitte eine Tabelle w\xC3\xA4hlen:"));
}
