// The data picture, rich text and data rich text dialogs, opened through the registry the
// designer window uses; the rich text's result printed to PDF.
#include "design_fixture.h"
#include "dialog_test_support.h"
#include "report_fixture.h"
#include "test_paths.h"

#include "dialogs/property_dialogs.h"
#include "dialogs/richedit_form.h"

#include "design/designer_dialogs.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_rich_elements.h"
#include "reportlib/rep_expression_builder.h"

#include "dblib/query.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/scripted_interaction.h"
#include "host/text_controls.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

namespace {

class DataDialogTest : public ::testing::Test {
protected:
    bool Open(QObject *element) {
        bool accepted = false;
        EXPECT_TRUE(DesignerDialogs::Run(QString::fromLatin1(element->metaObject()->className()), F.Designer,
                                         TComponent::FromObject(element), accepted));
        return accepted;
    }
    template <class T>
    T *Add() {
        auto *e = new T(F.Form.get());
        e->SetParent(Band);
        return e;
    }
    TScriptedInteraction Script;
    TDesignForm F;
    TVendamoBand *Band = F.AddBand(QStringLiteral("Band1"));
};

}  // namespace

TEST_F(DataDialogTest, DataPictureTakesDatasetFieldSwitchesAndDocksToItsBand) {
    TQuery *items = F.AddDataSet(QStringLiteral("Items"), {"Name", "Photo=Picture"});
    TQuery *staff = F.AddDataSet(QStringLiteral("Staff"), {"Portrait"});
    auto *image = Add<TVendamoDBImage>();
    image->SetDataSet(items);
    image->SetDataField(QStringLiteral("Photo"));
    image->SetBounds(30, 20, 40, 30);
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Picture from database"));
        EXPECT_EQ(Control<TComboBox>(d, "DataFieldComboBox")->currentText(), QStringLiteral("Picture"));
        EXPECT_EQ(Control<TComboBox>(d, "AlignComboBox")->Items()->ToStringList(),
                  (QStringList{"none", "Top", "Bottom", "Left", "Right"}));
        TComboBox *sets = Control<TComboBox>(d, "DataSetComboBox");
        sets->setFocus();
        QTest::keyClick(sets, Qt::Key_Down);  // the user's choice refills the fields
        EXPECT_EQ(Control<TComboBox>(d, "DataFieldComboBox")->Items()->ToStringList(), QStringList{"Portrait"});
        Control<TCheckBox>(d, "StretchCheckBox")->setChecked(true);
        Control<TCheckBox>(d, "CenterCheckBox")->setChecked(true);
        Control<TComboBox>(d, "AlignComboBox")->SetItemIndex(4);  // right
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(image->DataSet(), staff);
    EXPECT_EQ(image->DataField(), QStringLiteral("Portrait"));
    EXPECT_TRUE(image->Stretch());
    EXPECT_TRUE(image->Center());
    // Docked right: at the band's right edge, as high as the band, its width kept.
    EXPECT_EQ(image->Top(), 0);
    EXPECT_EQ(image->Height(), Band->Height());
    EXPECT_EQ(image->Width(), 40);
    EXPECT_NEAR(image->x() + image->width(), Band->width(), 1);

    Script.AnswerDialog([](QDialog &d) {
        Control<TCheckBox>(d, "StretchCheckBox")->setChecked(false);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(Open(image));
    EXPECT_TRUE(image->Stretch());
}

TEST_F(DataDialogTest, DataRichTextTakesTheOnlySourceAndItsSwitches) {
    TQuery *notes = F.AddDataSet(QStringLiteral("Notes"), {"Id", "Body=Text"});
    auto *rich = Add<TVendamoDBRichtext>();
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Richtext data field"));
        EXPECT_TRUE(Control<TComboBox>(d, "DataSetComboBox")->isHidden());
        for (QLabel *label : d.findChildren<QLabel *>())  // nor its label
            EXPECT_NE(label->text() == QStringLiteral("Dataset"), label->isVisibleTo(&d));
        Control<TComboBox>(d, "DataFieldComboBox")->SetItemIndex(1);
        Control<TComboBox>(d, "AlignmentComboBox")->SetItemIndex(1);
        Control<TCheckBox>(d, "AutostretchCheckBox")->setChecked(true);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(Open(rich));
    EXPECT_EQ(rich->DataSet(), notes);
    EXPECT_EQ(rich->DataField(), QStringLiteral("Body"));
    EXPECT_EQ(rich->Alignment(), TRepPrintable::taRightJustify);
    EXPECT_TRUE(rich->AutoStretch());
}

TEST_F(DataDialogTest, RichTextGetsItsTextFromTheEditorWithExpressionsAndPrintsThem) {
    auto *rich = Add<TVendamoRichtext>();
    rich->SetBounds(10, 10, 400, 60);
    TRepRichEdit source;
    source.setPlainText(QStringLiteral("Sum\nLine"));
    rich->SetLines(source.SaveToData());
    Script.AnswerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Richtext"));
        auto *text = Control<TRepRichEdit>(d, "RichEdit");
        EXPECT_EQ(text->toPlainText(), QStringLiteral("Sum\nLine"));
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(3);
        text->setTextCursor(cursor);
        QTest::mouseClick(Control<TButton>(d, "ExpressionButton"), Qt::LeftButton);  // a number: through STR
        cursor.setPosition(text->toPlainText().indexOf(QStringLiteral("Line")) + 1);
        text->setTextCursor(cursor);
        QTest::mouseClick(Control<TButton>(d, "RemoveLineButton"), Qt::LeftButton);
        QTest::mouseClick(Control<TButton>(d, "EditorButton"), Qt::LeftButton);
        EXPECT_EQ(text->toPlainText(), QStringLiteral("Sum %%STR(40+2)%%\n%DELLine\nEdited"));
        return int(QDialog::Accepted);
    });
    Script.AnswerDialog([](QDialog &d) {
        auto &builder = dynamic_cast<TRepExpressionBuilder &>(d);
        builder.SetExpression(QStringLiteral("40+2"));
        return int(QDialog::Accepted);
    });
    Script.AnswerDialog([](QDialog &d) {
        auto &editor = dynamic_cast<TRicheditForm &>(d);
        EXPECT_EQ(editor.RichEdit1->toPlainText(), QStringLiteral("Sum%%STR(40+2)%%\n%DELLine"));
        QTextCursor cursor = editor.RichEdit1->textCursor();
        cursor.setPosition(3);
        cursor.insertText(QStringLiteral(" "));
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("\nEdited"));
        editor.FileExitItem->trigger();
        return d.result();
    });
    ASSERT_TRUE(Open(rich));
    EXPECT_EQ(Script.Pending(), 0);

    // Printed: the expression substituted, the empty-marked line kept since it has text.
    TestDir dir;
    F.Report->ExportToPdf(dir.Path(QStringLiteral("rich.pdf")));
    const QString page = Squeeze(PdfPages(dir.Path(QStringLiteral("rich.pdf"))).value(0));
    EXPECT_TRUE(InOrder(page, {"Sum 42", "Line", "Edited"})) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("%%"))) << page.toStdString();
}
