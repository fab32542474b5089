// The expression builder driven through clicks and the scripted interaction service.
#include "report_fixture.h"

#include "reportlib/expr_registry.h"
#include "reportlib/rep_expression_builder.h"

#include "host/scripted_interaction.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>

namespace {

void Click(QWidget *w) {
    ASSERT_NE(w, nullptr);
    const QPointF at = QRectF(w->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

bool Select(QListWidget *list, const QString &text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    list->setCurrentItem(found.first());
    return true;
}

QStringList Texts(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

}  // namespace

TEST(RepExpressionBuilder, ListsFunctionGroupsWithTheirFunctionsAndExplanations) {
    TRepExpressionBuilder builder(nullptr);
    std::set<int> groups;
    for (const TRepFunctionInfo &info : RepFunctionList()) groups.insert(info.Group());
    QStringList expected;
    for (int g : groups) expected << RepFunctionGroupName(g);
    EXPECT_EQ(Texts(builder.Groups()), expected);

    for (int g : groups) {
        ASSERT_TRUE(Select(builder.Groups(), RepFunctionGroupName(g)));
        QStringList names;
        for (const TRepFunctionInfo &info : RepFunctionsOfGroup(g)) names << info.Name;
        EXPECT_EQ(Texts(builder.Functions()), names) << g;
    }
    ASSERT_TRUE(Select(builder.Groups(), RepFunctionGroupName(fgOther)));
    ASSERT_TRUE(Select(builder.Functions(), "TYPEOF"));
    EXPECT_EQ(builder.FunctionHelp()->text(), "TYPEOF(<X>)\nKind of the value of X");
    ASSERT_TRUE(Select(builder.Groups(), RepFunctionGroupName(fgStatistics)));
    ASSERT_TRUE(Select(builder.Functions(), "SUM"));
    const auto sum = FindRepFunction("SUM");
    ASSERT_TRUE(sum.has_value());
    EXPECT_TRUE(builder.FunctionHelp()->text().endsWith(sum->Explanation()));
}

TEST(RepExpressionBuilder, InsertsFunctionsFieldsAndOperatorsAtTheCursor) {
    TReportFixture fx;
    TQuery *q = fx.Query("Customers", CreateSalesDatabase(fx.Path(QString())), "SELECT id, name, city FROM customers");
    fx.Report()->SetDataSet(q);
    ASSERT_FALSE(q->Active());
    {
        TRepExpressionBuilder builder(fx.Report());
        EXPECT_EQ(Texts(builder.DataSets()), QStringList({"Customers"}));
        ASSERT_TRUE(Select(builder.DataSets(), "Customers"));
        EXPECT_EQ(Texts(builder.Fields()), QStringList({"id", "name", "city"}));

        ASSERT_TRUE(Select(builder.Fields(), "name"));
        Click(builder.Button("InsertField"));
        EXPECT_EQ(builder.Expression(), "Customers.name");
        Click(builder.Button("+"));
        ASSERT_TRUE(Select(builder.Groups(), RepFunctionGroupName(fgOther)));
        ASSERT_TRUE(Select(builder.Functions(), "TYPEOF"));
        Click(builder.Button("InsertFunction"));
        EXPECT_EQ(builder.Expression(), "Customers.name+TYPEOF(<X>)");
        // The placeholder is selected: typing replaces it.
        EXPECT_EQ(builder.Editor()->textCursor().selectedText(), "<X>");
        builder.InsertText("Customers.city");
        EXPECT_EQ(builder.Expression(), "Customers.name+TYPEOF(Customers.city)");

        // Inserting goes to the cursor, not the end.
        QTextCursor cursor = builder.Editor()->textCursor();
        cursor.setPosition(0);
        builder.Editor()->setTextCursor(cursor);
        Click(builder.Button("NOT"));
        Click(builder.Button("("));
        EXPECT_EQ(builder.Expression(), " NOT (Customers.name+TYPEOF(Customers.city)");
        for (const char *op : {"-", "*", "/", "=", "<>", "<", ">", "<=", ">=", "AND", "OR", ")"})
            EXPECT_NE(builder.Button(op), nullptr) << op;
        EXPECT_TRUE(q->Active());
    }
    // The builder closes what it opened for the field list.
    EXPECT_FALSE(q->Active());
}

TEST(RepExpressionBuilder, InvalidExpressionIsReportedAndTheFormStaysOpen) {
    TReportFixture fx;
    TQuery *q = fx.Query("Customers", CreateSalesDatabase(fx.Path(QString())), "SELECT id, name FROM customers");
    fx.Report()->SetDataSet(q);
    TScriptedInteraction script;
    QStringList steps;
    script.AnswerDialog([&](QDialog &dialog) {
        auto *b = qobject_cast<TRepExpressionBuilder *>(&dialog);
        if (!b) return int(QDialog::Rejected);
        dialog.show();
        steps << b->Expression();
        b->SetExpression("Customers.id +");
        Click(b->OkButton());
        steps << QString::number(dialog.isVisible()) + QString::number(dialog.result());
        b->SetExpression("Customers.nosuchfield > 1");
        Click(b->Button("Validate"));
        b->SetExpression("Customers.id * 2 >= 3 AND NOT (Customers.name = 'x')");
        Click(b->Button("Validate"));
        Click(b->OkButton());
        steps << QString::number(dialog.isVisible());
        return dialog.result();
    });
    QString expression = "start";
    EXPECT_TRUE(EditExpression(fx.Report(), expression));
    EXPECT_EQ(expression, "Customers.id * 2 >= 3 AND NOT (Customers.name = 'x')");
    EXPECT_EQ(steps, QStringList({"start", "10", "0"}));
    const QStringList errors = script.Errors();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains("Customers.id +")) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains("nosuchfield", Qt::CaseInsensitive)) << errors[1].toStdString();
    EXPECT_EQ(script.Questions().last().Kind, "message");   // the valid one was confirmed

    // Cancel leaves the expression alone.
    script.AnswerDialog([](QDialog &dialog) {
        static_cast<TRepExpressionBuilder &>(dialog).SetExpression("1+1");
        dialog.reject();
        return dialog.result();
    });
    EXPECT_FALSE(EditExpression(fx.Report(), expression));
    EXPECT_EQ(expression, "Customers.id * 2 >= 3 AND NOT (Customers.name = 'x')");
    // An empty expression is accepted: it clears what it edits.
    script.AnswerDialog([](QDialog &dialog) {
        auto &b = static_cast<TRepExpressionBuilder &>(dialog);
        b.SetExpression(QString());
        b.accept();
        return dialog.result();
    });
    EXPECT_TRUE(EditExpression(fx.Report(), expression));
    EXPECT_TRUE(expression.isEmpty());
}
