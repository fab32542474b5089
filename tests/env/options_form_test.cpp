// The options dialog: what it shows, what typing and the step buttons do to its number fields,
// and what OK and Cancel leave behind.
#include "env/options_form.h"

#include "env/form_translation.h"
#include "design/designer.h"
#include "model/design_report.h"
#include "model/language_setting.h"

#include "host/button_controls.h"
#include "host/forms.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"
#include "reportlib/rep_page.h"
#include "test_paths.h"
#include "text_printers.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct TDesignerForm {
    TDesignerForm() {
        report = new TDesignReport(&form);
        designer = new TVDMDesigner(&form);
        designer->SetReport(report);
        designer->SetGridSizeX(8);
        designer->SetGridSizeY(4);
        designer->SetKeyboardMoveX(1);
        designer->SetKeyboardMoveY(0);
        designer->SetComponentFrameStyle(1);
        designer->SetComponentFrameColor(clRed);
        designer->SetShowBandNames(true);
        designer->SetShowComponentFrames(false);
        designer->BandNameFont()->SetColor(clBlack);
        report->SetUnits(ruInches);
        report->Page()->SetRuler(true);
    }
    ~TDesignerForm() { delete report; }
    TForm form;
    TDesignReport *report;
    TVDMDesigner *designer;
};

// Changes every control of the dialog away from what TDesignerForm shows.
void ChangeEverything(TOptionsForm &d) {
    d.BandnameCheckBox->setChecked(false);
    d.FrameCheckBox->setChecked(true);
    d.StyleRadioGroup->SetItemIndex(2);
    d.UnitsComboBox->SetItemIndex(2);
    d.RulerCheckBox->setChecked(false);
    d.GridXEdit->setText(QStringLiteral("16"));
    d.GridYEdit->setText(QStringLiteral("2"));
    d.KeyXEdit->setText(QStringLiteral("5"));
    d.KeyYEdit->setText(QStringLiteral("6"));
}

}  // namespace

TEST(OptionsForm, ShowsTheCurrentSettings) {
    TDesignerForm f;
    TOptionsForm d;
    d.Prepare(f.designer, f.report);
    EXPECT_EQ(d.Name(), QStringLiteral("OptionsForm"));
    EXPECT_EQ(d.property("HelpContext").toInt(), 90043);
    EXPECT_TRUE(d.BandnameCheckBox->Checked());
    EXPECT_FALSE(d.FrameCheckBox->Checked());
    EXPECT_EQ(d.StyleRadioGroup->ItemIndex(), 1);
    EXPECT_EQ(d.UnitsComboBox->currentText(), QStringLiteral("Inches"));
    EXPECT_TRUE(d.RulerCheckBox->Checked());
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("8"));
    EXPECT_EQ(d.GridYEdit->text(), QStringLiteral("4"));
    EXPECT_EQ(d.KeyXEdit->text(), QStringLiteral("1"));
    EXPECT_EQ(d.KeyYEdit->text(), QStringLiteral("0"));
    EXPECT_EQ(d.FrameColor(), clRed);

    // Characters are the third entry; units and styles the dialog does not offer select none.
    f.report->SetUnits(ruCharacters);
    d.Prepare(f.designer, f.report);
    EXPECT_EQ(d.UnitsComboBox->currentIndex(), 2);
    f.report->SetUnits(ruPixels);
    f.designer->SetComponentFrameStyle(4);
    d.Prepare(f.designer, f.report);
    EXPECT_EQ(d.UnitsComboBox->currentIndex(), -1);
    EXPECT_EQ(d.StyleRadioGroup->ItemIndex(), -1);
}

TEST(OptionsForm, NumberFieldsTakeDigitsOnly) {
    TDesignerForm f;
    TOptionsForm d;
    d.Prepare(f.designer, f.report);
    d.GridXEdit->clear();
    QTest::keyClicks(d.GridXEdit, QStringLiteral("1a-2 .3"));
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("123"));
    // Backspace cannot be typed either; Delete, not a character, still works.
    QTest::keyClick(d.GridXEdit, Qt::Key_Backspace);
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("123"));
    QTest::keyClick(d.GridXEdit, Qt::Key_Home);
    QTest::keyClick(d.GridXEdit, Qt::Key_Delete);
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("23"));
    for (TEdit *edit : {d.GridYEdit, d.KeyXEdit, d.KeyYEdit}) {
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("x7y"));
        EXPECT_EQ(edit->text(), QStringLiteral("7"));
    }
}

TEST(OptionsForm, StepButtonsCountUpAndDownToZero) {
    TDesignerForm f;
    TOptionsForm d;
    d.Prepare(f.designer, f.report);
    QTest::mouseClick(d.GridXUpButton, Qt::LeftButton);
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("9"));
    QTest::mouseClick(d.KeyXDownButton, Qt::LeftButton);
    EXPECT_EQ(d.KeyXEdit->text(), QStringLiteral("0"));
    QTest::mouseClick(d.KeyXDownButton, Qt::LeftButton);
    EXPECT_EQ(d.KeyXEdit->text(), QStringLiteral("0"));  // down stops at 0
    QTest::mouseClick(d.KeyYUpButton, Qt::LeftButton);
    QTest::mouseClick(d.KeyYUpButton, Qt::LeftButton);
    EXPECT_EQ(d.KeyYEdit->text(), QStringLiteral("2"));
    QTest::mouseClick(d.GridYDownButton, Qt::LeftButton);
    EXPECT_EQ(d.GridYEdit->text(), QStringLiteral("3"));
    d.GridYEdit->clear();
    QTest::mouseClick(d.GridYUpButton, Qt::LeftButton);  // an empty field counts as 0
    EXPECT_EQ(d.GridYEdit->text(), QStringLiteral("1"));
    QTest::mouseClick(d.GridXDownButton, Qt::LeftButton);
    QTest::mouseClick(d.KeyXUpButton, Qt::LeftButton);
    EXPECT_EQ(d.GridXEdit->text(), QStringLiteral("8"));
    EXPECT_EQ(d.KeyXEdit->text(), QStringLiteral("1"));
    // Nothing reaches the designer before OK.
    EXPECT_EQ(f.designer->GridSizeX(), 8);
}

TEST(OptionsForm, OkAppliesEverySettingAndCancelNone) {
    TScriptedInteraction ui;
    TDesignerForm f;
    // Cancel: the font and colour chosen meanwhile are dropped with the rest.
    QFont chosen(QStringLiteral("Courier New"), 14);
    ui.AnswerDialog([&](QDialog &dialog) {
        auto &d = static_cast<TOptionsForm &>(dialog);
        ChangeEverything(d);
        QTest::mouseClick(d.BandnameFontButton, Qt::LeftButton);
        QTest::mouseClick(d.BitBtn7, Qt::LeftButton);
        EXPECT_EQ(d.FrameColor(), clLime);
        return int(QDialog::Rejected);
    });
    ui.AnswerFont(chosen, QColor(Qt::blue));
    ui.AnswerColor(QColor(Qt::green));
    EditViewOptions(f.report, f.designer);
    EXPECT_EQ(ui.Pending(), 0);
    EXPECT_EQ(ui.Questions().value(0).Text, QStringLiteral("TOptionsForm"));
    EXPECT_TRUE(f.designer->ShowBandNames());
    EXPECT_EQ(f.designer->GridSizeX(), 8);
    EXPECT_EQ(f.designer->ComponentFrameColor(), clRed);
    EXPECT_EQ(f.designer->BandNameFont()->Color(), clBlack);
    EXPECT_EQ(f.report->Units(), ruInches);

    ui.AnswerDialog([&](QDialog &dialog) {
        auto &d = static_cast<TOptionsForm &>(dialog);
        ChangeEverything(d);
        QTest::mouseClick(d.BandnameFontButton, Qt::LeftButton);
        QTest::mouseClick(d.BitBtn7, Qt::LeftButton);
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
        return d.result();
    });
    ui.AnswerFont(chosen, QColor(Qt::blue));
    ui.AnswerColor(QColor(Qt::green));
    EditViewOptions(f.report, f.designer);
    EXPECT_EQ(ui.Pending(), 0);
    EXPECT_FALSE(f.designer->ShowBandNames());
    EXPECT_TRUE(f.designer->ShowComponentFrames());
    EXPECT_EQ(f.designer->ComponentFrameStyle(), 2);
    EXPECT_EQ(f.designer->ComponentFrameColor(), clLime);
    EXPECT_EQ(f.designer->BandNameFont()->Color(), clBlue);
    EXPECT_EQ(f.designer->BandNameFont()->Size(), 14);
    EXPECT_EQ(f.report->Units(), ruCharacters);
    EXPECT_FALSE(f.report->Page()->Ruler());
    EXPECT_EQ(f.designer->GridSizeX(), 16);
    EXPECT_EQ(f.designer->GridSizeY(), 2);
    EXPECT_EQ(f.designer->KeyboardMoveX(), 5);
    EXPECT_EQ(f.designer->KeyboardMoveY(), 6);
}

TEST(OptionsForm, ApplyKeepsWhatTheDialogLeavesOpen) {
    TDesignerForm f;
    f.report->SetUnits(ruPixels);
    f.designer->SetComponentFrameStyle(4);
    TOptionsForm d;
    d.Prepare(f.designer, f.report);
    // No unit and no style selected, empty or oversized number fields: those settings stay.
    d.GridXEdit->clear();
    d.KeyXEdit->setText(QStringLiteral("70000"));
    d.GridYEdit->setText(QStringLiteral("0"));  // the designer keeps its grid at 1 or more
    d.Apply();
    EXPECT_EQ(f.report->Units(), ruPixels);
    EXPECT_EQ(f.designer->ComponentFrameStyle(), 4);
    EXPECT_EQ(f.designer->GridSizeX(), 8);
    EXPECT_EQ(f.designer->KeyboardMoveX(), 1);
    EXPECT_EQ(f.designer->GridSizeY(), 1);
}

TEST(OptionsForm, AppliesInTheStatedOrder) {
    // When the band-name font arrives, ruler and units are already set and the steps not yet.
    TScriptedInteraction ui;
    TDesignerForm f;
    TOptionsForm d;
    d.Prepare(f.designer, f.report);
    ChangeEverything(d);
    ui.AnswerFont(QFont(QStringLiteral("Courier New"), 14), QColor(Qt::blue));
    QTest::mouseClick(d.BandnameFontButton, Qt::LeftButton);
    QStringList seen;
    QObject::connect(f.designer->BandNameFont(), &TPersistent::Changed, [&] {
        seen << QStringLiteral("font ruler=%1 units=%2 grid=%3")
                    .arg(f.report->Page()->Ruler())
                    .arg(f.report->UnitsOrdinal())
                    .arg(f.designer->GridSizeX());
    });
    d.Apply();
    EXPECT_EQ(seen, QStringList{QStringLiteral("font ruler=0 units=3 grid=8")});
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(OptionsForm, TranslatedFromTheLanguageFile) {
    TScriptedInteraction ui;
    TestDir dir;
    WriteWholeFile(dir.Path("de.ini"), "[OptionsForm]\nOptionsForm.Caption=\"Optionen\"\n"
                                       "BandnameCheckBox.Caption=\"Bandnamen zeigen\"\n"
                                       "StyleRadioGroup.Item2=\"Gestrichelt\"\nUnitsComboBox.Item2=\"Zoll\"\n");
    InstallLanguageFiles();
    SetVendamoLanguageIniFile(dir.Path("de.ini"));
    TOptionsForm d;
    SetVendamoLanguageIniFile(QString());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Optionen"));
    EXPECT_EQ(d.BandnameCheckBox->text(), QStringLiteral("Bandnamen zeigen"));
    EXPECT_EQ(d.StyleRadioGroup->Items()->Get(1), QStringLiteral("Gestrichelt"));
    EXPECT_EQ(d.UnitsComboBox->itemText(1), QStringLiteral("Zoll"));
    EXPECT_TRUE(ui.Errors().isEmpty());
}
