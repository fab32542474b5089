#include "host/scripted_interaction.h"

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(Interaction, ScriptedServiceAnswersInOrderAndRecordsQuestions) {
    TScriptedInteraction script;
    EXPECT_EQ(&Interaction(), &script);
    script.AnswerConfirm(mrNo);
    script.AnswerInput("42");
    script.AnswerCancel();
    Interaction().ShowError("Boom");
    EXPECT_EQ(Interaction().Confirm("Save changes?", TConfirmButtons::YesNoCancel), mrNo);
    QString value = "old";
    EXPECT_TRUE(Interaction().InputQuery("Parameter", "Value for X:", value));
    EXPECT_EQ(value, "42");
    EXPECT_FALSE(Interaction().InputQuery("Parameter", "Value for Y:", value));
    EXPECT_EQ(value, "42");  // a cancelled input box leaves the value alone
    ASSERT_EQ(script.Questions().size(), 4);
    EXPECT_EQ(script.Questions()[1].Kind, "confirm");
    EXPECT_EQ(script.Questions()[3].Text, "Value for Y:");
    EXPECT_EQ(script.Errors(), QStringList{"Boom"});
    EXPECT_EQ(script.Pending(), 0);
}

TEST(Interaction, UnansweredQuestionFailsInsteadOfBlocking) {
    TScriptedInteraction script;
    EXPECT_THROW(Interaction().Confirm("Delete?", TConfirmButtons::OkCancel), std::logic_error);
}

TEST(Interaction, ScriptDrivesAModalForm) {
    TScriptedInteraction script;
    QDialog dialog;
    dialog.setWindowTitle("Selection");
    auto *edit = new QLineEdit(&dialog);
    script.AnswerDialog([](QDialog &d) {
        d.findChild<QLineEdit *>()->setText("typed");
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(Interaction().ExecDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), "typed");
    EXPECT_EQ(script.Questions().last().Caption, "Selection");
    script.AnswerCancel();
    EXPECT_EQ(Interaction().ExecDialog(dialog), QDialog::Rejected);
}

TEST(Interaction, ServicesNestAndRestore) {
    TInteraction *outer = &Interaction();
    {
        TScriptedInteraction a;
        {
            TScriptedInteraction b;
            EXPECT_EQ(&Interaction(), &b);
        }
        EXPECT_EQ(&Interaction(), &a);
    }
    EXPECT_EQ(&Interaction(), outer);
}

TEST(Interaction, ConsoleServiceNeverWaitsAndTakesDefaults) {
    TConsoleInteraction service("test");
    TInteraction &console = service;
    EXPECT_EQ(console.Confirm("Overwrite?", TConfirmButtons::OkCancel), mrOk);
    EXPECT_EQ(console.Confirm("Save?", TConfirmButtons::YesNoCancel), mrYes);
    QString v = "keep";
    EXPECT_FALSE(console.InputQuery("c", "p", v));
    EXPECT_EQ(v, "keep");
    QDialog d;
    EXPECT_EQ(console.ExecDialog(d), QDialog::Rejected);
}
