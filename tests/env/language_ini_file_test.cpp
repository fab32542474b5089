// The language-file component on a form: the key forms and numbering of each operation, what
// empty values and missing keys leave alone, which components take part, and its errors.
#include "env/language_ini_file.h"

#include "env/speedy_ini_file.h"
#include "language_test_components.h"

#include "model/loader.h"

#include "host/class_registry.h"
#include "host/forms.h"
#include "host/ini_file.h"
#include "host/scripted_interaction.h"
#include "test_paths.h"
#include "text_printers.h"

#include <gtest/gtest.h>

namespace {

struct TTestForm {
    TTestForm() {
        form.SetName(QStringLiteral("TestForm"));
        language = new TLanguageIniFile(&form);
        form.SetCaption(QStringLiteral("Form"));
        label->Caption = QStringLiteral("Name");
        label->Hint = QStringLiteral("Your name");
        list->Items.SetStringList({"red", "", "blue"});
        memo->Lines.SetStringList({"l1", "l2"});
        nameless->Caption = QStringLiteral("nameless");
        loader->RuntimeMessages()->SetStringList({"A=a", "B=b", "C=c"});
    }
    TForm form;
    TTextComponent *label = new TTextComponent(&form, QStringLiteral("Label1"));
    TTextComponent *list = new TTextComponent(&form, QStringLiteral("List1"));
    TTextComponent *memo = new TTextComponent(&form, QStringLiteral("Memo1"));
    TTextComponent *empty = new TTextComponent(&form, QStringLiteral("Memo2"));
    TTextComponent *nameless = new TTextComponent(&form, QString());
    TNotebook *pages = new TNotebook(&form, QStringLiteral("Pages"));
    TOddComponent *odd = new TOddComponent(&form, QStringLiteral("Odd1"));
    TVDMLoader *loader = new TVDMLoader(&form);
    TLanguageIniFile *language;

    QStringList Tabs() const { return {pages->tabText(0), pages->tabText(1)}; }
};

}  // namespace

TEST(LanguageIniFile, GlobalTranslationNumbersFromOneAndReplacesWholeMemos) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"),
                   "[TestForm]\nTestForm.Caption=\"Formular\"\nLabel1.Caption=Bare\nLabel1.Hint=\"\"\n"
                   ".Caption=\"found\"\nList1.Item0=\"zero\"\nList1.Item1=\"rot\"\nList1.Item3=\"blau\"\n"
                   "Pages.Item2=\"Zwei\"\nVDMLoader1.Item2=\"B=bb\"\nOdd1.Item1=\"x\"\nMemo2.Item2=\"gap\"\n"
                   "Memo1.Item1=\"m1\"\nMemo1.Item2=\"m2\"\nMemo1.Item3=\"m3\"\nMemo1.Item5=\"m5\"\n");
    TTestForm f;
    f.loader->SetName(QStringLiteral("VDMLoader1"));
    f.empty->Lines.SetStringList({"keep"});
    TSpeedyIniFile reader;
    reader.ReadIniFile(dir.Path("lang.ini"));
    f.language->TranslateFormGlobal(reader);

    EXPECT_EQ(f.form.Caption(), QStringLiteral("Formular"));
    EXPECT_EQ(f.label->Caption, QStringLiteral("ar"));
    EXPECT_EQ(f.label->Hint, QStringLiteral("Your name"));
    EXPECT_EQ(f.nameless->Caption, QStringLiteral("nameless"));
    EXPECT_EQ(f.list->Items.ToStringList(), QStringList({"rot", "", "blau"}));
    EXPECT_EQ(f.Tabs(), QStringList({"One", "Zwei"}));
    EXPECT_EQ(f.loader->RuntimeMessages()->ToStringList(), QStringList({"A=a", "B=bb", "C=c"}));
    EXPECT_EQ(f.memo->Lines.ToStringList(), QStringList({"m1", "m2", "m3"}));
    EXPECT_EQ(f.empty->Lines.ToStringList(), QStringList{"keep"});  // no Item1: untouched
    EXPECT_TRUE(ui.Errors().isEmpty());

    f.language->SetFormName(QString());
    f.language->TranslateFormGlobal(reader);
    EXPECT_EQ(ui.Errors(), QStringList{"Property \"FormName\" not set!"});
}

TEST(LanguageIniFile, IniFileTranslationReplacesEntriesInPlaceFromZero) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("lang.ini"),
                   "[TestForm]\nTestForm.Caption=\"Formular\"\nLabel1.Caption=Titel\nList1.Item0=rot\nList1.Item3=vier\n"
                   "Memo1.Item1=zwei\nMemo1.Item2=drei\nMemo1.Line0=never\nPages.Item1=Eins\nVDMLoader1.Item0=A=aa\n");
    TTestForm f;
    f.loader->SetName(QStringLiteral("VDMLoader1"));
    f.language->TranslateFormFN(dir.Path("missing.ini"));  // nothing happens
    EXPECT_EQ(f.language->IniFileName(), QString());
    EXPECT_EQ(f.form.Caption(), QStringLiteral("Form"));
    f.language->TranslateFormFN(dir.Path("lang.ini"));
    EXPECT_EQ(f.language->IniFileName(), dir.Path("lang.ini"));

    EXPECT_EQ(f.form.Caption(), QStringLiteral("Formular"));
    EXPECT_EQ(f.label->Caption, QStringLiteral("Titel"));
    EXPECT_EQ(f.list->Items.ToStringList(), QStringList({"rot", "", "blue"}));
    EXPECT_EQ(f.memo->Lines.ToStringList(), QStringList({"l1", "zwei"}));  // never extended
    EXPECT_EQ(f.Tabs(), QStringList({"Eins", "Two"}));
    EXPECT_EQ(f.loader->RuntimeMessages()->ToStringList(), QStringList({"A=aa", "B=b", "C=c"}));
    EXPECT_TRUE(ui.Errors().isEmpty());

    f.language->SetIniFileName(dir.Path("gone.ini"));  // a missing file yields no values
    f.language->TranslateForm();
    EXPECT_EQ(f.label->Caption, QStringLiteral("Titel"));
    f.language->SetFormName(QString());
    f.language->TranslateForm();
    f.language->SetIniFileName(QString());
    f.language->TranslateForm();
    f.language->SaveFormStrings();
    EXPECT_EQ(ui.Errors(), QStringList({"Property \"FormName\" not set!", "Property \"IniFileName\" not set!",
                                        "Property \"IniFileName\" not set!"}));
}

TEST(LanguageIniFile, SaveFormStringsWritesNamedExportableTexts) {
    TScriptedInteraction ui;
    TestDir dir;
    TTestForm f;
    f.loader->SetName(QStringLiteral("VDMLoader1"));
    auto *hidden = new TTextComponent(&f.form, QStringLiteral("Hidden"));
    hidden->Caption = QStringLiteral("secret");
    hidden->SetTag(TLanguageIniFile::NoExportTag);
    f.language->SetIniFileName(dir.Path("out.ini"));
    f.language->SaveFormStrings();

    const TIniFile ini(dir.Path("out.ini"));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("TestForm")),
              QStringList({"Label1.Caption", "Label1.Hint", "List1.Item0", "List1.Item1", "List1.Item2",
                           "Memo1.Line0", "Memo1.Line1"}));
    EXPECT_EQ(ini.ReadString("TestForm", "List1.Item2", {}), QStringLiteral("blue"));
    EXPECT_EQ(ini.ReadString("TestForm", "Memo1.Line1", {}), QStringLiteral("l2"));
}

TEST(LanguageIniFile, CreationRegistrationAndSortedLists) {
    TScriptedInteraction ui;
    TestDir dir;
    TTestForm f;
    EXPECT_EQ(f.language->FormName(), QStringLiteral("TestForm"));
    RegisterLanguageIniFile();
    const TComponentClass *cls = FindComponentClass(QStringLiteral("tlanguageinifile"));
    ASSERT_NE(cls, nullptr);
    auto *made = dynamic_cast<TLanguageIniFile *>(cls->Create(&f.form));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->FormName(), QStringLiteral("TestForm"));
    EXPECT_EQ(made->IniFileName(), QString());

    // A sorted list cannot be written by position; its translated entries are sorted in.
    f.list->Items.SetSorted(true);  // "", blue, red
    WriteWholeFile(dir.Path("lang.ini"), "[TestForm]\nList1.Item1=zz\n");
    made->TranslateFormFN(dir.Path("lang.ini"));
    EXPECT_EQ(f.list->Items.ToStringList(), QStringList({"", "red", "zz"}));
}
