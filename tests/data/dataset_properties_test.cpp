// Properties of the report's datasets: the table dialog with its master link and linked-field
// editor, and the query editor's parameters.
#include <QTableWidget>
#include <vector>

#include "data/db_setup_form.h"
#include "data/linked_fields_form.h"
#include "data/parameter_form.h"
#include "data/query_edit_form.h"
#include "data/report_databases.h"
#include "data/table_properties_form.h"
#include "data_fixture.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/text_controls.h"

namespace {

QStringList Items(TComboBox *combo) { return combo->Items()->ToStringList(); }

// Opens the Datasets dialog, selects Row and presses Properties; Script drives the dialog that
// opens.
// Further scripts answer the dialogs that one opens.
using TScript = std::function<int(QDialog &)>;
void EditProperties(TReportForm &f, TScriptedInteraction &ui, int row, std::vector<TScript> scripts) {
    ui.AnswerDialog([row](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.ListBox1->SetItemIndex(row);
        form.PropertiesButton->click();
        return int(QDialog::Accepted);
    });
    for (TScript &script : scripts) ui.AnswerDialog(std::move(script));
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(TableProperties, LinksADetailTableToItsMaster) {
    TReportForm f;
    TTable *customers = f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
    TTable *orders = f.AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
    customers->FieldByName(QStringLiteral("CustNo"));
    TScriptedInteraction ui;
    QStringList indexes, masters;
    EditProperties(
        f, ui, 1,
        {[&](QDialog &d) {
             auto &form = static_cast<TDBSetupForm2 &>(d);
             indexes = Items(form.IndexComboBox);
             masters = Items(form.MasterComboBox);
             EXPECT_EQ(form.windowTitle(), QStringLiteral("Orders                 :DEMODB:orders.db"));
             EXPECT_FALSE(form.LinkButton->isEnabled());
             form.NameEdit->setText(QStringLiteral("CustomerOrders"));
             form.IndexComboBox->SetItemIndex(Items(form.IndexComboBox).indexOf(QStringLiteral("ByCustNo")));
             form.MasterComboBox->SetItemIndex(1);
             EXPECT_TRUE(form.LinkButton->isEnabled());
             form.LinkButton->click();
             form.OKButton->click();
             return form.result();
         },
         [](QDialog &d) {
             auto &editor = static_cast<TDBSetupFieldlistForm &>(d);
             EXPECT_EQ(editor.windowTitle(), QStringLiteral("Customers -> Orders"));
             EXPECT_EQ(editor.DetailFieldEdit->text(), QStringLiteral("CustNo"));
             editor.MasterFieldComboBox->SetItemIndex(
                 editor.MasterFieldComboBox->findText(QStringLiteral("CustNo")));
             editor.AddButton->click();
             editor.OKButton->click();
             return editor.result();
         }});
    EXPECT_EQ(indexes, (QStringList{QStringLiteral("PRIMARY INDEX"), QStringLiteral("ByCustNo"),
                                    QStringLiteral("BySaleDate")}));
    EXPECT_EQ(masters, (QStringList{QStringLiteral("(NONE)"), QStringLiteral("Customers")}));
    EXPECT_EQ(orders->Name(), QStringLiteral("CustomerOrders"));
    EXPECT_EQ(orders->IndexName(), QStringLiteral("ByCustNo"));
    ASSERT_NE(orders->MasterSource(), nullptr);
    EXPECT_EQ(orders->MasterSource()->DataSet(), customers);
    EXPECT_EQ(orders->MasterFields(), QStringLiteral("CustNo"));
}

TEST(TableProperties, LinkedFieldEditorJoinsAtMostOneFieldPerDetailField) {
    TReportForm f;
    TTable *customers = f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
    TDBSetupFieldlistForm editor;
    editor.Prepare(customers, QStringLiteral("Country;City"), QStringLiteral("Nope;Country;City;Phone"));
    EXPECT_EQ(editor.JoinedFieldsListBox->Items()->ToStringList(),
              (QStringList{QStringLiteral("Country -> Country"), QStringLiteral("City -> City")}));
    EXPECT_FALSE(editor.AddButton->isEnabled());
    EXPECT_EQ(editor.DetailFieldEdit->text(), QString());
    editor.ClearButton->click();
    EXPECT_FALSE(editor.ClearButton->isEnabled());
    EXPECT_EQ(editor.DetailFieldEdit->text(), QStringLiteral("Country"));
    editor.MasterFieldComboBox->SetItemIndex(
        Items(editor.MasterFieldComboBox).indexOf(QStringLiteral("Phone")));
    editor.AddButton->click();
    EXPECT_FALSE(Items(editor.MasterFieldComboBox).contains(QStringLiteral("Phone")));
    EXPECT_EQ(editor.DetailFieldEdit->text(), QStringLiteral("City"));
    editor.MasterFieldComboBox->SetItemIndex(0);
    editor.AddButton->click();
    EXPECT_FALSE(editor.AddButton->isEnabled());
    EXPECT_EQ(editor.Result(), QStringLiteral("Phone;CustNo"));
}

TEST(TableProperties, CirclesAreNotOfferedAndAnUnlistedMasterStays) {
    TReportForm f;
    TTable *customers = f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
    TTable *orders = f.AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
    orders->SetMasterSource(
        dynamic_cast<TDataSource *>(f.form.FindComponent(QStringLiteral("CustomersSource"))));
    orders->SetMasterFields(QStringLiteral("CustNo"));
    // A master that belongs to the application, not listed in the dialog.
    TForm appData;
    TTable *parts = f.AddTable(QStringLiteral("Parts"), QStringLiteral("parts.db"), &appData);
    auto *partsSource = dynamic_cast<TDataSource *>(appData.FindComponent(QStringLiteral("PartsSource")));
    TTable *items = f.AddTable(QStringLiteral("Items"), QStringLiteral("items.db"));
    items->SetMasterSource(partsSource);
    items->SetMasterFields(QStringLiteral("PartNo"));
    (void)parts;

    TScriptedInteraction ui;
    QStringList masters;
    EditProperties(f, ui, 0, {[&](QDialog &d) {
                       masters = Items(static_cast<TDBSetupForm2 &>(d).MasterComboBox);
                       return int(QDialog::Rejected);
                   }});
    EXPECT_EQ(masters,
              (QStringList{QStringLiteral("(NONE)"), QStringLiteral("Items")}));  // Orders follows Customers

    EditProperties(f, ui, 2, {[&](QDialog &d) {
                       auto &form = static_cast<TDBSetupForm2 &>(d);
                       EXPECT_EQ(form.MasterComboBox->currentIndex(), 0);
                       form.OKButton->click();
                       return form.result();
                   }});
    EXPECT_EQ(items->MasterSource(), partsSource);
    EXPECT_EQ(items->MasterFields(), QStringLiteral("PartNo"));
    (void)customers;
}

TEST(TableProperties, ARefusedNameKeepsTheDialogOpen) {
    TReportForm f;
    f.AddTable(QStringLiteral("Customers"), QStringLiteral("customer.db"));
    TTable *orders = f.AddTable(QStringLiteral("Orders"), QStringLiteral("orders.db"));
    TScriptedInteraction ui;
    EditProperties(f, ui, 1, {[&](QDialog &d) {
                       auto &form = static_cast<TDBSetupForm2 &>(d);
                       form.NameEdit->setText(QStringLiteral("Customers"));
                       form.OKButton->click();
                       EXPECT_EQ(form.result(), 0);
                       EXPECT_EQ(form.NameEdit->text(), QStringLiteral("Customers"));
                       form.NameEdit->setText(QStringLiteral("not valid"));
                       form.OKButton->click();
                       EXPECT_EQ(form.result(), 0);
                       return int(QDialog::Rejected);
                   }});
    EXPECT_EQ(orders->Name(), QStringLiteral("Orders"));
    EXPECT_EQ(ui.Errors(), (QStringList{QStringLiteral("Error: Can not rename to Customers!"),
                                        QStringLiteral("Error: Can not rename to not valid!")}));
}

// A query of the report with two parameters, one from the master.
TQuery *AddQuery(TReportForm &f) {
    auto *q = new TQuery(&f.form);
    q->SetName(QStringLiteral("OrdersOfCustomer"));
    q->SetDatabaseName(QStringLiteral("DEMODB"));
    q->SQL()->SetText(
        QStringLiteral("SELECT * FROM orders WHERE \"CustNo\" = :CustNo AND \"ItemsTotal\" > :Least"));
    auto *ds = new TDataSource(&f.form);
    ds->SetName(QStringLiteral("OrdersOfCustomerSource"));
    ds->SetDataSet(q);
    return q;
}

TEST(QueryEditor, ParametersEditACopyUntilOK) {
    TReportForm f;
    TQuery *q = AddQuery(f);
    TScriptedInteraction ui;
    QStringList types;
    EditProperties(
        f, ui, 0,
        {[&](QDialog &d) {
             auto &editor = static_cast<TDBSetupForm3 &>(d);
             EXPECT_TRUE(editor.WizardGroupBox->isHidden());
             editor.ParametersButton->click();  // changed, then Cancel
             editor.ParametersButton->click();  // changed, then OK
             editor.OKButton->click();
             return editor.result();
         },
         [&](QDialog &d) {
             auto &params = static_cast<TDBSetupForm4 &>(d);
             types = Items(params.TypeComboBox);
             params.AskRadioButton->click();
             return int(QDialog::Rejected);
         },
         [&](QDialog &d) {
             auto &params = static_cast<TDBSetupForm4 &>(d);
             EXPECT_EQ(params.ParamListBox->currentRow(), 0);
             EXPECT_TRUE(params.MasterRadioButton->isChecked());
             EXPECT_EQ(params.TypeComboBox->currentText(), QStringLiteral("String"));
             params.AskRadioButton->click();
             params.ParamListBox->SetItemIndex(1);
             params.TypeComboBox->SetItemIndex(params.TypeComboBox->findText(QStringLiteral("Float")));
             emit params.TypeComboBox->activated(params.TypeComboBox->currentIndex());
             params.ValueRadioButton->click();
             params.ValueEdit->setText(QStringLiteral("lots"));
             params.OKButton->click();  // not a number: stays open
             EXPECT_EQ(params.result(), 0);
             params.ValueEdit->setText(QStringLiteral("1500"));
             params.OKButton->click();
             return params.result();
         }});
    // Before the query changes: the first parameter dialog was cancelled.
    EXPECT_EQ(types,
              (QStringList{QStringLiteral("BCD"), QStringLiteral("Boolean"), QStringLiteral("Curreny"),
                           QStringLiteral("Date"), QStringLiteral("DateTime"), QStringLiteral("Integer"),
                           QStringLiteral("Float"), QStringLiteral("Smallint"), QStringLiteral("String"),
                           QStringLiteral("Time"), QStringLiteral("Word")}));
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Value is invalid for selected datatype!")});
    ASSERT_EQ(q->ParamCount(), 2);
    const TParam &custNo = q->ParamByName(QStringLiteral("CustNo"));
    EXPECT_TRUE(custNo.Bound());
    EXPECT_TRUE(custNo.IsNull());  // "Ask for value before printing"
    const TParam &least = q->ParamByName(QStringLiteral("Least"));
    EXPECT_EQ(least.DataType(), ftFloat);
    EXPECT_DOUBLE_EQ(least.AsFloat(), 1500.0);
}

TEST(QueryEditor, CancelLeavesTheQueryAsItWas) {
    TReportForm f;
    TQuery *q = AddQuery(f);
    const QString sql = q->SQL()->Text();
    TScriptedInteraction ui;
    EditProperties(f, ui, 0,
                   {[&](QDialog &d) {
                        auto &editor = static_cast<TDBSetupForm3 &>(d);
                        editor.SQLMemo->setPlainText(QStringLiteral("SELECT * FROM parts WHERE 1 = :One"));
                        editor.ParametersButton->click();
                        return int(QDialog::Rejected);
                    },
                    [](QDialog &d) {
                        auto &params = static_cast<TDBSetupForm4 &>(d);
                        params.ValueRadioButton->click();
                        params.ValueEdit->setText(QStringLiteral("1"));
                        params.OKButton->click();
                        return params.result();
                    }});
    EXPECT_EQ(q->SQL()->Text(), sql);
    EXPECT_EQ(q->Params().Names(), (QStringList{QStringLiteral("CustNo"), QStringLiteral("Least")}));
    EXPECT_FALSE(q->ParamByName(QStringLiteral("CustNo")).Bound());
}

TEST(QueryEditor, NoParametersIsSaid) {
    TReportForm f;
    AddQuery(f);
    TScriptedInteraction ui;
    EditProperties(f, ui, 0, {[&](QDialog &d) {
                       auto &editor = static_cast<TDBSetupForm3 &>(d);
                       editor.SQLMemo->setPlainText(QStringLiteral("SELECT * FROM parts"));
                       editor.ParametersButton->click();
                       return int(QDialog::Rejected);
                   }});
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("The SQL Statement has no parameters!")});
}

TEST(QueryEditor, RunShowsTheFirstRowsAndLeavesTheQueryAlone) {
    TReportForm f;
    TQuery *q = AddQuery(f);
    const QString sql = q->SQL()->Text();
    TScriptedInteraction ui;
    int rows = -1;
    QString header, first;
    EditProperties(f, ui, 0, {[&](QDialog &d) {
                       auto &editor = static_cast<TDBSetupForm3 &>(d);
                       EXPECT_TRUE(editor.PreviewTable->isHidden());
                       editor.SQLMemo->setPlainText(QStringLiteral("SELECT nothing FROM nowhere"));
                       editor.RunButton->click();  // an error box, nothing shown
                       EXPECT_TRUE(editor.PreviewTable->isHidden());
                       editor.SQLMemo->setPlainText(
                           QStringLiteral("SELECT \"OrderNo\" FROM orders ORDER BY \"OrderNo\""));
                       editor.RunButton->click();
                       rows = editor.PreviewTable->rowCount();
                       header = editor.PreviewTable->horizontalHeaderItem(0)->text();
                       first = editor.PreviewTable->item(0, 0)->text();
                       return int(QDialog::Rejected);
                   }});
    EXPECT_EQ(ui.Errors().size(), 1);
    EXPECT_EQ(rows, TDBSetupForm3::PreviewRows);
    EXPECT_EQ(header, QStringLiteral("OrderNo"));
    EXPECT_EQ(first, QString::number(DemoDatabase::kFirstOrderNo));
    EXPECT_EQ(q->SQL()->Text(), sql);
    EXPECT_FALSE(q->Active());
}

TEST(TableProperties, ADatasetOfAnotherOwnerIsShownButNotWritten) {
    TReportForm f;
    TForm appData;
    TTable *parts = f.AddTable(QStringLiteral("Parts"), QStringLiteral("parts.db"), &appData);
    f.designer->SetDatabaseOwner(&appData);
    TScriptedInteraction ui;
    EditProperties(
        f, ui, 0, {[&](QDialog &d) {
            auto &form = static_cast<TDBSetupForm2 &>(d);
            for (QWidget *w :
                 {static_cast<QWidget *>(form.NameEdit), static_cast<QWidget *>(form.IndexComboBox),
                  static_cast<QWidget *>(form.MasterComboBox), static_cast<QWidget *>(form.LinkedFieldsEdit),
                  static_cast<QWidget *>(form.LinkButton), static_cast<QWidget *>(form.OKButton)})
                EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
            form.NameEdit->setText(QStringLiteral("Renamed"));
            form.OKButton->click();  // disabled: nothing happens
            return int(QDialog::Rejected);
        }});
    EXPECT_EQ(parts->Name(), QStringLiteral("Parts"));
}

}  // namespace
