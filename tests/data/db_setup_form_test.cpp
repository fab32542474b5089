// The "Datasets" dialog driven through the interaction service on the demo database: list
// lines, what the designer command lists and applies, new tables and queries, deleting.
#include "data/db_setup_form.h"

#include <QFileInfo>
#include <QTest>

#include "data/db_open_form.h"
#include "data/query_edit_form.h"
#include "data/report_databases.h"
#include "data_fixture.h"
#include "dblib/wiz_query.h"
#include "design/designer_dialogs.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/text_controls.h"

namespace {

QStringList Lines(TListBox *list) { return list->Items()->ToStringList(); }
QStringList Items(TComboBox *combo) { return combo->Items()->ToStringList(); }

// Answers the open-table dialog with a table of DEMODB.
void ChooseAliasTable(TScriptedInteraction &ui, const QString &table) {
    ui.AnswerDialog([table](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        open.AliasComboBox->SetItemIndex(open.AliasComboBox->findText(QStringLiteral("DEMODB")));
        emit open.AliasComboBox->activated(open.AliasComboBox->currentIndex());
        const auto found = open.ListBox1->findItems(table, Qt::MatchFixedString);
        if (found.isEmpty()) return int(QDialog::Rejected);
        open.ListBox1->setCurrentItem(found.first());
        open.OpenButton->click();
        return open.result();
    });
}

TEST(DBSetupForm, ListLines) {
    TReportForm f;
    auto *t = new TTable(&f.form);
    t->SetName(QStringLiteral("Customers"));
    t->SetDatabaseName(QStringLiteral("DEMODB"));
    t->SetTableName(QStringLiteral("customer.db"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(t), QStringLiteral("Customers              :DEMODB:customer.db"));
    t->SetDatabaseName(QStringLiteral("C:\\DATA"));
    t->SetTableName(QStringLiteral("orders.db"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(t), QStringLiteral("Customers              C:\\DATA\\orders.db"));
    t->SetDatabaseName(QStringLiteral("/srv/data/"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(t), QStringLiteral("Customers              /srv/data/orders.db"));
    t->SetName(QStringLiteral("AVeryLongTableNameIndeed"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(t), QStringLiteral("AVeryLongTableNameIn   /srv/data/orders.db"));

    auto *q = new TQuery(&f.form);
    q->SetName(QStringLiteral("Query1"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(q), QStringLiteral("Query1                 SQL Query "));
    q->SetName(QStringLiteral("AVeryLongQueryNameIndeed"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(q), QStringLiteral("AVeryLongQueryNameIndeed   SQL Query "));
    auto *w = new TWizQuery(&f.form);
    w->SetName(QStringLiteral("Wiz"));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(w), QStringLiteral("Wiz                    SQL Query "));
    EXPECT_EQ(TDBSetupForm::GetListboxLine(nullptr), QStringLiteral("ERROR: INVALID DATASET!"));
}

TEST(DBSetupForm, CommandListsSourcesInOrderAndAppliesTheMainDataset) {
    TReportForm f;
    TTable *orders = f.AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
    f.AddTable(QStringLiteral("__Hidden"), QStringLiteral("parts.db"));
    TForm appData;
    appData.SetName(QStringLiteral("AppData"));
    TTable *customers = f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"), &appData);
    f.AddTable(QStringLiteral("Parts"), QStringLiteral("parts.db"), &appData);
    f.designer->SetDatabaseOwner(&appData);
    TStringList allowed;
    allowed.SetText(QStringLiteral("CUSTOMERS"));
    f.designer->SetAvailableDatasetNames(&allowed);
    f.report->SetDataSet(customers);

    TScriptedInteraction ui;
    QStringList lines, items;
    int main = -1, row = -1;
    bool queryVisible = true;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        lines = Lines(form.ListBox1);
        items = Items(form.ComboBox1);
        main = form.ComboBox1->currentIndex();
        row = form.ListBox1->currentRow();
        queryVisible = !form.NewQueryButton->isHidden();
        form.ComboBox1->SetItemIndex(1);
        form.reject();  // the close box applies like OK
        return form.result();
    });
    f.designer->SetAllowSQLEdit(false);
    bool accepted = false;
    ASSERT_TRUE(DesignerDialogs::Run(DesignerDialogs::ReportDatabases, f.designer, f.report, accepted));
    EXPECT_TRUE(accepted);
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("(NONE)"), QStringLiteral("Orders"), QStringLiteral("Customers")}));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Orders                 :DEMODB:orders.db"),
                                  QStringLiteral("Customers              :DEMODB:customer.db")}));
    EXPECT_EQ(main, 2);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(queryVisible);
    EXPECT_EQ(f.report->DataSet(), orders);
    EXPECT_TRUE(orders->OnCalcFields() == f.designer->CalcFieldsHandler());
    EXPECT_FALSE(customers->OnCalcFields().Assigned());  // not the report's own

    // "None" clears the main dataset.
    ui.AnswerDialog([](QDialog &d) {
        static_cast<TDBSetupForm &>(d).ComboBox1->SetItemIndex(0);
        return int(QDialog::Accepted);
    });
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(f.report->DataSet(), nullptr);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(DBSetupForm, NewTablesAreNamedAfterTheFileAndTheFirstBecomesMain) {
    TReportForm f;
    TStringList allowed;
    allowed.SetText(QStringLiteral("orders.db"));
    f.designer->SetAvailableTableNames(&allowed);
    TScriptedInteraction ui;
    QStringList offered, lines, items;
    int main = -1;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.NewTableButton->click();
        form.NewTableButton->click();
        offered = Lines(form.OpenForm->ListBox1);
        lines = Lines(form.ListBox1);
        items = Items(form.ComboBox1);
        main = form.ComboBox1->currentIndex();
        return int(QDialog::Accepted);
    });
    ChooseAliasTable(ui, QStringLiteral("orders.db"));
    ChooseAliasTable(ui, QStringLiteral("orders.db"));
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(offered, QStringList{QStringLiteral("orders.db")});
    EXPECT_EQ(items, (QStringList{QStringLiteral("(NONE)"), QStringLiteral("orders_Table"),
                                  QStringLiteral("Table1")}));
    EXPECT_EQ(lines.value(0), QStringLiteral("orders_Table           :DEMODB:orders.db"));
    EXPECT_EQ(main, 1);
    auto *table = dynamic_cast<TTable *>(f.form.FindComponent(QStringLiteral("orders_Table")));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(f.report->DataSet(), table);
    EXPECT_TRUE(table->ReadOnly());
    EXPECT_TRUE(table->Active());
    ASSERT_GT(table->FieldCount(), 0);
    EXPECT_FALSE(table->Field(0)->IsDynamic());
    EXPECT_EQ(ui.Errors(), QStringList());
}

TEST(DBSetupForm, TableFromDirectoryAndOneThatDoesNotOpen) {
    TReportForm f;
    const QString tables = DemoTables();
    TestDir broken;
    WriteWholeFile(broken.Path(QStringLiteral("broken.db")), "not a database");
    TScriptedInteraction ui;
    QStringList lines;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.NewTableButton->click();
        form.NewTableButton->click();
        lines = Lines(form.ListBox1);
        return int(QDialog::Accepted);
    });
    ui.AnswerDialog([&](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        open.SetDirectory(tables);
        open.FilterComboBox1->SetItemIndex(0);  // "*.DB*" matches the lower-case files
        emit open.FilterComboBox1->activated(0);
        EXPECT_TRUE(Lines(open.ListBox1).contains(QStringLiteral("customer.db")));
        open.Edit1->setText(QStringLiteral("CUSTOMER.DB"));
        open.OpenButton->click();  // no such file name: not accepted
        EXPECT_EQ(open.result(), QDialog::Rejected);
        open.Edit1->setText(QStringLiteral("cust*.db"));
        open.OpenButton->click();  // wildcards are no table
        EXPECT_EQ(open.result(), QDialog::Rejected);
        open.Edit1->setText(QStringLiteral("customer.db"));
        open.OpenButton->click();
        return open.result();
    });
    ui.AnswerDialog([&](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        open.SetDirectory(broken.Path());
        open.Edit1->setText(QStringLiteral("broken.db"));
        open.OpenButton->click();
        return open.result();
    });
    EditReportDatabases(f.designer, f.report);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first(),
              QStringLiteral("customer_Table         ") + tables + QStringLiteral("/customer.db"));
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Error opening table broken.db")});
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("broken_Table")), nullptr);
    int sources = 0;
    for (TComponent *c : f.form.Components()) sources += dynamic_cast<TDataSource *>(c) != nullptr;
    EXPECT_EQ(sources, 1);
}

TEST(DBOpenForm, EnterChangesDirectoryMaskAndAcceptsATypedName) {
    const QString tables = DemoTables();
    TDBOpenForm open;
    open.Prepare(nullptr);
    open.SetDirectory(QFileInfo(tables).absolutePath());
    open.Edit1->setText(QFileInfo(tables).fileName() + QStringLiteral("/ORD*"));
    QTest::keyClick(open.Edit1, Qt::Key_Return);
    EXPECT_EQ(open.Directory(), tables);
    EXPECT_EQ(Lines(open.ListBox1), QStringList{QStringLiteral("orders.db")});  // the mask ignores case
    open.Edit1->setText(QStringLiteral("Orders.DB"));
    QTest::keyClick(open.Edit1, Qt::Key_Return);
    EXPECT_EQ(open.result(), QDialog::Accepted);
    EXPECT_EQ(open.TableName(), QStringLiteral("orders.db"));
    EXPECT_EQ(open.DatabaseName(), tables);

    // With an alias, Enter lists the tables matching the typed pattern.
    open.AliasComboBox->SetItemIndex(open.AliasComboBox->findText(QStringLiteral("DEMODB")));
    open.Edit1->setText(QStringLiteral("c*"));
    QTest::keyClick(open.Edit1, Qt::Key_Return);
    EXPECT_TRUE(Lines(open.ListBox1).contains(QStringLiteral("customer.db")));
    EXPECT_FALSE(Lines(open.ListBox1).contains(QStringLiteral("orders.db")));
}

TEST(DBSetupForm, ADatabaseFileListsItsTables) {
    TReportForm f;
    const QString root = QFileInfo(DemoTables()).absolutePath();  // holds demo.sqlite
    TScriptedInteraction ui;
    QStringList lines;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.NewTableButton->click();
        lines = Lines(form.ListBox1);
        return int(QDialog::Accepted);
    });
    ui.AnswerDialog([&](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        open.SetDirectory(root);
        open.FilterComboBox1->SetItemIndex(1);
        emit open.FilterComboBox1->activated(1);
        open.Edit1->setText(QStringLiteral("demo.sqlite"));
        open.OpenButton->click();  // lists the file's tables instead of taking it
        EXPECT_EQ(open.result(), 0);
        QStringList expected = DemoDatabase::TableNames();
        expected.sort();
        EXPECT_EQ(Lines(open.ListBox1), expected);
        open.ListBox1->SetItemIndex(int(Lines(open.ListBox1).indexOf(QStringLiteral("orders"))));
        open.OpenButton->click();
        EXPECT_EQ(open.TableName(), QStringLiteral("orders"));
        return open.result();
    });
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(ui.Errors(), QStringList());
    auto *table = dynamic_cast<TTable *>(f.form.FindComponent(QStringLiteral("orders_Table")));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(QFileInfo(table->DatabaseName()).fileName(), QStringLiteral("demo.sqlite"));
    EXPECT_EQ(table->RecordCount(), DemoDatabase::kOrders);
    EXPECT_EQ(lines.size(), 1);
}

TEST(DBSetupForm, DeleteRefusesTheMainDatasetAndAsksYesCancel) {
    TReportForm f;
    TTable *orders = f.AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
    f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
    f.report->SetDataSet(orders);
    TScriptedInteraction ui;
    QStringList afterCancel, afterYes;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.ListBox1->SetItemIndex(0);
        form.DeleteButton->click();  // the main dataset
        form.ListBox1->SetItemIndex(1);
        form.DeleteButton->click();  // Cancel
        afterCancel = Lines(form.ListBox1);
        form.DeleteButton->click();  // Yes
        afterYes = Items(form.ComboBox1);
        return int(QDialog::Accepted);
    });
    ui.AnswerConfirm(mrCancel);
    ui.AnswerConfirm(mrYes);
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(ui.Errors(),
              QStringList{QStringLiteral("The main report table can not be deleted. Please select another "
                                         "main table for the report first.")});
    EXPECT_EQ(afterCancel.size(), 2);
    EXPECT_EQ(afterYes, (QStringList{QStringLiteral("(NONE)"), QStringLiteral("Orders")}));
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("Customers")), nullptr);
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("CustomersSource")), nullptr);
    EXPECT_EQ(f.report->DataSet(), orders);
    const auto &q = ui.Questions();
    ASSERT_GE(q.size(), 3);
    EXPECT_TRUE(q.at(2).Buttons == TConfirmButtons::YesCancel);
    EXPECT_EQ(q.at(2).Text,
              QStringLiteral("If you delete this table, all reportelements using it will become invalid. "
                             "Continue?"));
}

TEST(DBSetupForm, DatasetsOfOtherOwnersCannotBeDeleted) {
    TReportForm f;
    TForm appData;
    f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"), &appData);
    f.designer->SetDatabaseOwner(&appData);
    TScriptedInteraction ui;
    bool deletable = true, editable = true;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        deletable = form.DeleteButton->isEnabled();
        form.DeleteSelected();  // even when asked directly
        editable = form.ListBox1->count() == 1;
        return int(QDialog::Accepted);
    });
    ui.AnswerConfirm(mrYes);
    EditReportDatabases(f.designer, f.report);
    EXPECT_FALSE(deletable);
    EXPECT_TRUE(editable);
    EXPECT_NE(appData.FindComponent(QStringLiteral("Customers")), nullptr);
}

TEST(DBSetupForm, NewQueryThroughTheEditor) {
    TReportForm f;
    TScriptedInteraction ui;
    QStringList lines;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.NewQueryButton->click();  // cancelled
        form.NewQueryButton->click();  // wrong SQL first, then right
        form.NewQueryButton->click();  // on to the wizard, cancelled there
        lines = Lines(form.ListBox1);
        return int(QDialog::Accepted);
    });
    ui.AnswerCancel();
    ui.AnswerDialog([](QDialog &d) {
        auto &editor = static_cast<TDBSetupForm3 &>(d);
        EXPECT_FALSE(editor.WizardGroupBox->isHidden());
        EXPECT_EQ(editor.NameEdit->text(), QStringLiteral("Query0"));
        editor.NameEdit->setText(QStringLiteral("BigOrders"));
        editor.DatabaseComboBox->SetText(QStringLiteral("DEMODB"));
        editor.SQLMemo->setPlainText(QStringLiteral("SELECT * FROM nosuchtable"));
        editor.OKButton->click();  // stays open with the input
        EXPECT_EQ(editor.result(), 0);
        EXPECT_EQ(editor.NameEdit->text(), QStringLiteral("BigOrders"));
        editor.SQLMemo->setPlainText(
            QStringLiteral("SELECT \"OrderNo\", \"ItemsTotal\" FROM orders\n"
                           "WHERE \"ItemsTotal\" > 1000"));
        editor.OKButton->click();
        return editor.result();
    });
    ui.AnswerDialog([](QDialog &d) {
        static_cast<TDBSetupForm3 &>(d).WizardButton->click();
        return d.result();
    });
    ui.AnswerCancel();  // the query wizard
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(lines, QStringList{QStringLiteral("BigOrders              SQL Query ")});
    auto *query = dynamic_cast<TQuery *>(f.form.FindComponent(QStringLiteral("BigOrders")));
    ASSERT_NE(query, nullptr);
    EXPECT_TRUE(query->Active());
    EXPECT_EQ(query->FieldCount(), 2);
    EXPECT_FALSE(query->Field(0)->IsDynamic());
    EXPECT_EQ(f.report->DataSet(), query);
    const QStringList errors = ui.Errors();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors.at(1), QStringLiteral("Error activating query!"));
    // The data library brings the wizard along: no program has to install it.
    EXPECT_EQ(ui.Questions().last().Text, QStringLiteral("TWizQueryEditForm"));
    int datasets = 0;
    for (TComponent *c : f.form.Components()) datasets += dynamic_cast<TDataSet *>(c) != nullptr;
    EXPECT_EQ(datasets, 1);  // the cancelled ones are gone
}

}  // namespace
