// The rich-text editor: ruler markers placed from the paragraph's indents and dragged back into
// them, the file commands and their questions, the designer's two commands and the usual keys.
#include "dialog_test_support.h"
#include "report_fixture.h"
#include "test_paths.h"

#include "dialogs/richedit_form.h"

#include "model/design_report.h"
#include "reportlib/rep_expression_builder.h"
#include "reportlib/rep_richtext.h"

#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/menu_controls.h"
#include "host/scripted_interaction.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextCursor>

namespace {

class RicheditFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
    }
    void Drag(QLabel *marker, int dx) {
        const QPoint centre(marker->width() / 2, marker->height() / 2);
        QTest::mousePress(marker, Qt::LeftButton, {}, centre);
        QTest::mouseMove(marker, centre + QPoint(dx, 0));
        QTest::mouseRelease(marker, Qt::LeftButton, {}, centre + QPoint(dx, 0));
    }
    void Type(const QString &text) {
        Form.RichEdit1->setFocus();
        QTest::keyClicks(Form.RichEdit1, text);
    }
    TScriptedInteraction Script;
    TRicheditForm Form;
};

}  // namespace

TEST_F(RicheditFormTest, MarkersSitWhereTheIndentsPutThem) {
    Form.SetFirstIndent(30);
    Form.SetLeftIndent(0);
    Form.UpdateToolbar();
    EXPECT_EQ(Form.FirstInd->x(), 42);
    EXPECT_EQ(Form.LeftInd->x(), 42);
    Form.SetLeftIndent(15);  // the other lines 15 points further in
    Form.SetRightIndent(12);
    Form.UpdateToolbar();
    EXPECT_EQ(Form.LeftInd->x(), 62);  // Trunc(45 x 4/3) - 4 + 6
    EXPECT_EQ(Form.RightInd->x(), Form.Ruler->width() - 6 - 24);
    EXPECT_EQ(Form.RulerLine->width(), Form.Ruler->width() - 2 * Form.RulerLine->x());
}

TEST_F(RicheditFormTest, DraggingMarkersSetsTheIndentsAndDraggingBackKeepsThem) {
    Type(QStringLiteral("A paragraph"));
    Form.SetFirstIndent(30);
    Form.UpdateToolbar();
    // The left marker 40 pixels right: the other lines 30 points in from the first.
    Drag(Form.LeftInd, 40);
    EXPECT_EQ(Form.LeftInd->x(), 82);
    EXPECT_EQ(Form.FirstIndent(), 30);
    EXPECT_EQ(Form.LeftIndent(), 30);
    // And back to where it was.
    Drag(Form.LeftInd, -40);
    EXPECT_EQ(Form.LeftIndent(), 0);
    Drag(Form.LeftInd, 0);
    EXPECT_EQ(Form.LeftIndent(), 0);
    EXPECT_EQ(Form.FirstIndent(), 30);
    // The first-line marker keeps the other lines where they are.
    Drag(Form.LeftInd, 40);
    Drag(Form.FirstInd, -40);
    EXPECT_EQ(Form.FirstIndent(), 0);
    EXPECT_EQ(Form.LeftIndent(), 60);
    // Indents that are no whole number of marker pixels survive a click on each marker.
    Form.SetFirstIndent(31);
    Form.SetLeftIndent(4);
    Form.SetRightIndent(7);
    Form.UpdateToolbar();
    for (QLabel *marker : {Form.FirstInd, Form.LeftInd, Form.RightInd}) Drag(marker, 0);
    EXPECT_EQ(Form.FirstIndent(), 31);
    EXPECT_EQ(Form.LeftIndent(), 4);
    EXPECT_EQ(Form.RightIndent(), 7);
    Form.SetRightIndent(0);
    Form.UpdateToolbar();
    // The right marker 16 pixels left: 12 points of right indent; back again: none.
    Drag(Form.RightInd, -16);
    EXPECT_EQ(Form.RightIndent(), 12);
    Drag(Form.RightInd, 16);
    EXPECT_EQ(Form.RightIndent(), 0);
}

TEST_F(RicheditFormTest, FileCommandsAskBeforeLosingOrOverwritingText) {
    TestDir dir;
    const QString app = QCoreApplication::applicationName();
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Untitled - ") + app);
    Type(QStringLiteral("Draft"));

    // Open over a modified text: Cancel keeps text and name.
    Script.AnswerConfirm(mrCancel);
    Form.FileOpen();
    EXPECT_EQ(Script.Questions().last().Text, QStringLiteral("Save changes to Untitled?"));
    EXPECT_EQ(Script.Questions().last().Buttons, TConfirmButtons::YesNoCancel);
    EXPECT_EQ(Form.RichEdit1->toPlainText(), QStringLiteral("Draft"));
    EXPECT_EQ(Form.FileName(), TRicheditForm::Untitled);

    // Save of an untitled text is Save As; an existing file is overwritten only on Yes.
    const QString name = dir.Path(QStringLiteral("letter.rtf"));
    WriteWholeFile(name, "old");
    Script.AnswerFile(name);
    Script.AnswerConfirm(mrNo);
    EXPECT_FALSE(Form.FileSave());
    EXPECT_EQ(Script.Questions().last().Text, QStringLiteral("OK to overwrite ") + name);
    EXPECT_EQ(ReadWholeFile(name), QByteArray("old"));
    Script.AnswerFile(name);
    Script.AnswerConfirm(mrYes);
    ASSERT_TRUE(Form.FileSave());
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("letter.rtf - ") + app);
    EXPECT_TRUE(ReadWholeFile(name).startsWith("{\\rtf"));

    // New asks nothing; Open of a modified text saves it on Yes, then reads the chosen file.
    Form.FileNew();
    EXPECT_TRUE(Form.RichEdit1->toPlainText().isEmpty());
    EXPECT_EQ(Form.FileName(), TRicheditForm::Untitled);
    const QString other = dir.Path(QStringLiteral("notes.txt"));
    WriteWholeFile(other, "plain notes");
    Script.AnswerFile(other);
    Form.FileOpen();  // unmodified: no question
    EXPECT_EQ(Form.RichEdit1->toPlainText(), QStringLiteral("plain notes"));
    EXPECT_EQ(Form.FileName(), other);
    Type(QStringLiteral("More "));
    Script.AnswerConfirm(mrYes);
    Script.AnswerFile(name);
    Form.FileOpen();
    EXPECT_EQ(ReadWholeFile(other), QByteArray("More plain notes"));  // a text file stays text
    EXPECT_EQ(Form.RichEdit1->toPlainText(), QStringLiteral("Draft"));
    EXPECT_EQ(Script.Pending(), 0);
}

TEST_F(RicheditFormTest, KeysFormatTheSelectionAndTheDesignerCommandsEditTheCaretLine) {
    Type(QStringLiteral("Name"));
    QTest::keyClick(Form.RichEdit1, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(&Form, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(Form.BoldButton->isChecked());
    QTextCursor cursor = Form.RichEdit1->textCursor();
    cursor.setPosition(2);
    Form.RichEdit1->setTextCursor(cursor);
    EXPECT_EQ(Form.RichEdit1->currentCharFormat().fontWeight(), QFont::Bold);

    QTest::mouseClick(Form.RemoveLineButton, Qt::LeftButton);
    EXPECT_EQ(Form.RichEdit1->toPlainText(), QStringLiteral("%DELName"));
    // The marker comes off again; the bold text stays bold.
    QTest::mouseClick(Form.RemoveLineButton, Qt::LeftButton);
    EXPECT_EQ(Form.RichEdit1->toPlainText(), QStringLiteral("Name"));
    cursor.setPosition(1);
    Form.RichEdit1->setTextCursor(cursor);
    EXPECT_EQ(Form.RichEdit1->currentCharFormat().fontWeight(), QFont::Bold);
    // Without a report there is nothing to build an expression on.
    EXPECT_FALSE(Form.ExpressionButton->isEnabled());
}

TEST(RicheditForm, InsertsExpressionFieldsAtTheCaret) {
    TScriptedInteraction script;
    TReportFixture rf;
    TRicheditForm form(nullptr, rf.Report());
    form.RichEdit1->setPlainText(QStringLiteral("Dear  ,"));
    QTextCursor cursor = form.RichEdit1->textCursor();
    cursor.setPosition(5);
    form.RichEdit1->setTextCursor(cursor);
    script.AnswerDialog([](QDialog &d) {
        dynamic_cast<TRepExpressionBuilder &>(d).SetExpression(QStringLiteral("'Sir'"));
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(form.ExpressionButton, Qt::LeftButton);
    EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("Dear %%'Sir'%% ,"));
    script.AnswerCancel();
    QTest::mouseClick(form.ExpressionButton, Qt::LeftButton);
    EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("Dear %%'Sir'%% ,"));
}
