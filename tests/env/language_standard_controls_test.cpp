// A form built of the standard controls, in Qt layouts, translated by a language file: the
// texts reach the widgets the user sees.
#include "env/language_ini_file.h"

#include "env/speedy_ini_file.h"

#include "host/forms.h"
#include "host/ini_file.h"
#include "host/scripted_interaction.h"
#include "host/standard_controls.h"
#include "test_paths.h"

#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// An options form as the product builds them: controls owned by the form, laid out in panels
// and pages, with a main menu.
struct TOptionsTestForm {
    TOptionsTestForm() {
        form.SetName("OptionsForm");
        form.SetCaption("Options");
        language = new TLanguageIniFile(&form);
        auto *layout = new QVBoxLayout(&form);
        layout->setMenuBar(menu);
        menu->Add(fileItem);
        fileItem->Add(closeItem);
        layout->addWidget(pages);
        general->SetPageControl(pages);
        grid->SetPageControl(pages);
        auto *generalLayout = new QVBoxLayout(general);
        for (QWidget *w : std::initializer_list<QWidget *>{label, units, fields, memo, snap})
            generalLayout->addWidget(w);
        (new QVBoxLayout(grid))->addWidget(alignment);
        layout->addWidget(ok);

        fileItem->setText("&File");
        closeItem->setText("&Close");
        closeItem->SetHint("Closes the form");
        general->SetCaption("General");
        grid->SetCaption("Grid");
        label->setText("&Units:");
        label->setToolTip("Measuring unit");
        units->Items()->SetText("mm\ninch");
        units->SetItemIndex(1);
        fields->Items()->SetText("Name\nCity");
        memo->Lines()->SetText("first line\nsecond line");
        snap->setText("Snap to grid");
        alignment->setTitle("Alignment");
        alignment->Items()->SetText("Left\nRight");
        alignment->SetItemIndex(1);
        ok->setText("OK");
    }
    template <class T>
    T *Make(const char *name) {
        auto *control = new T(&form);
        control->SetName(QString::fromLatin1(name));
        return control;
    }

    TForm form;
    TLanguageIniFile *language;
    TMainMenu *menu = Make<TMainMenu>("MainMenu1");
    TMenuItem *fileItem = Make<TMenuItem>("FileItem");
    TMenuItem *closeItem = Make<TMenuItem>("CloseItem");
    TPageControl *pages = Make<TPageControl>("Pages");
    TTabSheet *general = Make<TTabSheet>("GeneralSheet");
    TTabSheet *grid = Make<TTabSheet>("GridSheet");
    TLabel *label = Make<TLabel>("UnitLabel");
    TComboBox *units = Make<TComboBox>("UnitCombo");
    TListBox *fields = Make<TListBox>("FieldList");
    TMemo *memo = Make<TMemo>("InfoMemo");
    TCheckBox *snap = Make<TCheckBox>("SnapCheck");
    TRadioGroup *alignment = Make<TRadioGroup>("AlignGroup");
    TButton *ok = Make<TButton>("OkButton");
};

QStringList RadioTexts(const TRadioGroup *group) {
    QStringList texts;
    for (auto *button : group->findChildren<QRadioButton *>()) texts << button->text();
    return texts;
}

}  // namespace

TEST(LanguageStandardControls, GlobalTranslationReachesTheWidgets) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("de.ini"),
                   "[OptionsForm]\nOptionsForm.Caption=\"Optionen\"\n"
                   "FileItem.Caption=\"&Datei\"\nCloseItem.Caption=\"&Schliessen\"\n"
                   "CloseItem.Hint=\"Schliesst das Formular\"\n"
                   "Pages.Item2=\"Raster\"\nGeneralSheet.Caption=\"Allgemein\"\n"
                   "UnitLabel.Caption=\"&Einheit:\"\nUnitLabel.Hint=\"Masseinheit\"\n"
                   "UnitCombo.Item2=\"Zoll\"\nFieldList.Item2=\"Ort\"\n"
                   "InfoMemo.Item1=\"erste Zeile\"\nInfoMemo.Item2=\"zweite Zeile\"\nInfoMemo.Item3=\"dritte\"\n"
                   "SnapCheck.Caption=\"Am Raster ausrichten\"\n"
                   "AlignGroup.Caption=\"Ausrichtung\"\nAlignGroup.Item1=\"Links\"\nAlignGroup.Item2=\"Rechts\"\n"
                   "OkButton.Caption=\"Anwenden\"\n");
    TOptionsTestForm f;
    TSpeedyIniFile reader;
    reader.ReadIniFile(dir.Path("de.ini"));
    f.language->TranslateFormGlobal(reader);

    EXPECT_EQ(f.form.windowTitle(), "Optionen");
    EXPECT_EQ(f.menu->actions().value(0)->text(), "&Datei");
    ASSERT_NE(f.fileItem->menu(), nullptr);
    EXPECT_EQ(f.fileItem->menu()->actions().value(0)->text(), "&Schliessen");
    EXPECT_EQ(f.closeItem->statusTip(), "Schliesst das Formular");
    EXPECT_EQ(f.pages->tabText(0), "Allgemein");
    EXPECT_EQ(f.pages->tabText(1), "Raster");
    EXPECT_EQ(f.label->text(), "&Einheit:");
    EXPECT_EQ(f.label->toolTip(), "Masseinheit");
    EXPECT_EQ(f.units->itemText(1), "Zoll");
    EXPECT_EQ(f.units->currentText(), "Zoll");  // the choice survives the translation
    EXPECT_EQ(f.fields->item(1)->text(), "Ort");
    EXPECT_EQ(f.memo->toPlainText(), "erste Zeile\nzweite Zeile\ndritte");
    EXPECT_EQ(f.snap->text(), "Am Raster ausrichten");
    EXPECT_EQ(f.alignment->title(), "Ausrichtung");
    EXPECT_EQ(RadioTexts(f.alignment), QStringList({"Links", "Rechts"}));
    EXPECT_EQ(f.alignment->ItemIndex(), 1);
    EXPECT_EQ(f.ok->text(), "Anwenden");
    EXPECT_TRUE(ui.Errors().isEmpty());
}

TEST(LanguageStandardControls, SavedStringsTranslateTheFormBack) {
    TScriptedInteraction ui;
    TestDir dir;
    TOptionsTestForm f;
    f.language->SetIniFileName(dir.Path("form.ini"));
    f.language->SaveFormStrings();
    const TIniFile written(dir.Path("form.ini"));
    EXPECT_EQ(written.ReadString("OptionsForm", "CloseItem.Caption", {}), "&Close");
    EXPECT_EQ(written.ReadString("OptionsForm", "GridSheet.Caption", {}), "Grid");
    EXPECT_EQ(written.ReadString("OptionsForm", "AlignGroup.Item1", {}), "Right");
    EXPECT_EQ(written.ReadString("OptionsForm", "InfoMemo.Line1", {}), "second line");

    // The user's translator edits the file; the per-file translation reads entries from 0.
    TIniFile edited(dir.Path("form.ini"));
    edited.WriteString("OptionsForm", "CloseItem.Caption", "&Fermer");
    edited.WriteString("OptionsForm", "GridSheet.Caption", "Grille");
    edited.WriteString("OptionsForm", "AlignGroup.Item1", "Droite");
    edited.WriteString("OptionsForm", "InfoMemo.Item1", "deuxieme ligne");
    edited.WriteString("OptionsForm", "FieldList.Item0", "Nom");
    edited.UpdateFile();
    f.language->TranslateForm();

    EXPECT_EQ(f.closeItem->text(), "&Fermer");
    EXPECT_EQ(f.pages->tabText(1), "Grille");
    EXPECT_EQ(RadioTexts(f.alignment), QStringList({"Left", "Droite"}));
    EXPECT_EQ(f.memo->toPlainText(), "first line\ndeuxieme ligne");
    EXPECT_EQ(f.fields->item(0)->text(), "Nom");
    EXPECT_EQ(f.ok->text(), "OK");
    EXPECT_TRUE(ui.Errors().isEmpty());
}
