// The report options dialog: the page, printer and layout options of the report, written back
// on OK only and kept by the report file.
#include "design_fixture.h"
#include "dialog_test_support.h"
#include "test_paths.h"

#include "dialogs/property_dialogs.h"

#include "design/designer_dialogs.h"
#include "reportlib/rep_frame.h"
#include "reportlib/rep_page.h"
#include "reportlib/rep_paper.h"

#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"

#include <QTest>

namespace {

void SetText(QDialog &d, const char *name, const QString &text) {
    TEdit *edit = Control<TEdit>(d, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

TEST(ReportOptions, ChangedOptionsRoundTripThroughASavedFile) {
    TScriptedInteraction script;
    TestDir dir;
    TDesignForm f;
    f.AddBand(QStringLiteral("Detail1"));
    TRepPage *page = f.Report->Page();
    page->SetValueMM(TRepPage::pvLeftMargin, 12.7);  // exactly what the file holds, untouched
    script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Report Options"));
        EXPECT_EQ(Control<TEdit>(d, "TopMarginEdit")->text(), QStringLiteral("10"));
        EXPECT_FALSE(Control<TEdit>(d, "PageWidthEdit")->isEnabled());  // A4: not custom
        EXPECT_FALSE(Control<TCheckBox>(d, "FirstPageHeaderCheckBox")->isEnabled());
        SetText(d, "TitleEdit", QStringLiteral("Monthly sales"));
        TComboBox *paper = Control<TComboBox>(d, "PaperSizeComboBox");
        paper->setFocus();
        QTest::keyClick(paper, Qt::Key_End);  // custom
        EXPECT_TRUE(Control<TEdit>(d, "PageWidthEdit")->isEnabled());
        SetText(d, "PageWidthEdit", QStringLiteral("150"));
        SetText(d, "PageLengthEdit", QStringLiteral("200"));
        SetText(d, "TopMarginEdit", QStringLiteral("25"));
        Control<TComboBox>(d, "OrientationComboBox")->SetItemIndex(1);
        Control<TSpinEdit>(d, "ColumnsSpinEdit")->setValue(3);
        SetText(d, "ColumnSpaceEdit", QStringLiteral("4.5"));
        Control<TSpinEdit>(d, "CopiesSpinEdit")->setValue(2);
        Control<TSpinEdit>(d, "OutputBinSpinEdit")->setValue(7);
        Control<TCheckBox>(d, "DuplexCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "FrameTopCheckBox")->setChecked(true);
        SetText(d, "PenWidthSpinEdit", QStringLiteral("2"));
        return int(QDialog::Accepted);
    });
    bool accepted = false;
    ASSERT_TRUE(DesignerDialogs::Run(DesignerDialogs::ReportOptions, f.Designer, f.Report, accepted));
    ASSERT_TRUE(accepted);
    const QString file = dir.Path(QStringLiteral("options.QR2"));
    ASSERT_TRUE(f.Designer->SaveReport(file));

    TDesignForm g;
    ASSERT_TRUE(g.Designer->LoadReport(file));
    TReport *r = g.Report;
    EXPECT_EQ(r->ReportTitle(), QStringLiteral("Monthly sales"));
    EXPECT_EQ(r->Page()->PaperSize(), int(psCustom));
    EXPECT_EQ(r->Page()->Orientation(), TRepPage::poLandscape);
    EXPECT_DOUBLE_EQ(r->Page()->Width(), 150);
    EXPECT_DOUBLE_EQ(r->Page()->Length(), 200);
    EXPECT_DOUBLE_EQ(r->Page()->TopMargin(), 25);
    EXPECT_EQ(r->Page()->LeftMargin(), page->LeftMargin());
    EXPECT_EQ(r->Page()->Columns(), 3);
    EXPECT_DOUBLE_EQ(r->Page()->ColumnSpace(), 4.5);
    EXPECT_EQ(r->PrinterSettings()->Copies(), 2);
    EXPECT_EQ(r->PrinterSettings()->OutputBin(), 7);
    EXPECT_TRUE(r->PrinterSettings()->Duplex());
    EXPECT_TRUE(r->Frame()->DrawTop());
    EXPECT_EQ(r->Frame()->Width(), 2);
}

TEST(ReportOptions, UnitsConvertTheShownLengthsAndCancelChangesNothing) {
    TScriptedInteraction script;
    TDesignForm f;
    f.Report->Page()->SetValueMM(TRepPage::pvTopMargin, 25.4);
    script.AnswerDialog([](QDialog &d) {
        TComboBox *units = Control<TComboBox>(d, "UnitsComboBox");
        units->setFocus();
        QTest::keyClick(units, Qt::Key_Down);  // inches
        EXPECT_EQ(Control<TEdit>(d, "TopMarginEdit")->text(), QStringLiteral("1"));
        SetText(d, "BottomMarginEdit", QStringLiteral("0.5"));
        QTest::keyClick(units, Qt::Key_Up);  // back to millimetres: the typed value follows
        EXPECT_EQ(Control<TEdit>(d, "BottomMarginEdit")->text(), QStringLiteral("12.7"));
        QTest::keyClick(units, Qt::Key_Down);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditReportOptions(f.Designer));
    EXPECT_EQ(f.Report->Units(), ruInches);
    EXPECT_DOUBLE_EQ(f.Report->Page()->TopMargin(), 1);
    EXPECT_DOUBLE_EQ(f.Report->Page()->BottomMargin(), 0.5);

    script.AnswerDialog([](QDialog &d) {
        SetText(d, "TopMarginEdit", QStringLiteral("3"));
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(EditReportOptions(f.Designer));
    EXPECT_DOUBLE_EQ(f.Report->Page()->TopMargin(), 1);

    // A length that is no number: said so, and the dialog stays open.
    script.AnswerDialog([](QDialog &d) {
        SetText(d, "TopMarginEdit", QStringLiteral("wide"));
        return int(QDialog::Accepted);
    });
    script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(Control<TEdit>(d, "TopMarginEdit")->text(), QStringLiteral("wide"));
        SetText(d, "TopMarginEdit", QStringLiteral("2"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(EditReportOptions(f.Designer));
    EXPECT_EQ(script.Errors(), QStringList{"'wide' is not a valid floating point value"});
    EXPECT_DOUBLE_EQ(f.Report->Page()->TopMargin(), 2);
}
