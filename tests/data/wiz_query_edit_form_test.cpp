// The SQL wizard driven with real keys and clicks on the demo database: its pages and controls,
// hidden pages, the filter rows that pack and enable, the SQL it shows, the preview, vetoes, and
// what OK does to the edited query.
#include "data/wiz_query_edit_form.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include "data/dataset_fields.h"
#include "data/dataset_item_model.h"
#include "data/db_open_form.h"
#include "data/query_wizard.h"
#include "data/query_wizard_entry.h"
#include "data_fixture.h"
#include "dblib/field_classes.h"
#include "dblib/wiz_query.h"
#include "host/button_controls.h"
#include "host/container_controls.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "model/loader.h"

// Texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// Picks the entry of that text with the keyboard, as a user would; false when the box did not
// take it (disabled, or no such entry).
bool Choose(TComboBox *box, const QString &text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i <= box->count() && box->currentText() != text; ++i) QTest::keyClick(box, Qt::Key_Down);
    return box->currentText() == text && box->currentIndex() >= 0;
}

void Type(TEdit *edit, const QString &text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void ClickTab(TWizQueryEditForm &form, int index) {
    QTabBar *bar = form.Notebook->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

TWizQuery *NewQuery(TComponent *owner, const QString &table) {
    auto *q = new TWizQuery(owner);
    q->SetName(QStringLiteral("Wiz"));
    q->SetDatabaseName(QStringLiteral("DEMODB"));
    q->SetTableName(table);
    q->CreateSQL();
    return q;
}

// A form loaded from a query of the customer table, shown.
struct TWizardOnCustomers {
    TWizardOnCustomers() {
        query = NewQuery(&owner, QStringLiteral("customer.db"));
        form.GetSettingsFromQuery(query);
        form.SetVisiblePages(true, true, true, true, true);
        form.show();
    }
    // The alias exists before the form lists the session's databases.
    QString tables = DemoTables();
    TForm owner;
    TWizQuery *query;
    TWizQueryEditForm form;
    TScriptedInteraction ui;
};

}  // namespace

TEST(WizQueryEditForm, PagesControlsAndComparisonTexts) {
    TWizQueryEditForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("SQL Wizard"));
    QStringList tabs;
    for (int i = 0; i < form.Notebook->count(); ++i) tabs << form.Notebook->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Table", "Sort order", "Filtering", "View SQL", "Preview data"}));
    EXPECT_EQ(TWizQueryEditForm::ComparisonItems(),
              (QStringList{"is equal to", "is like", "is not equal to", "is less than", "is less than or equal to",
                           "is greater than", "greater than or equal to", "is blank.", "is not blank."}));
    const TWizQueryFilterOperator operators[] = {qfoEqual, qfoLike, qfoNotEqual, qfoLess, qfoLessOrEqual,
                                                 qfoGreater, qfoGreaterOrEqual, qfoBlank, qfoNotBlank};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(TWizQueryEditForm::ItemOperator(i), operators[i]) << i;
        EXPECT_EQ(TWizQueryEditForm::OperatorItem(operators[i]), i) << i;
    }
    EXPECT_EQ(TWizQueryEditForm::OperatorItem(qfoBetween), 0);
    EXPECT_EQ(TWizQueryEditForm::OperatorItem(qfoIn), 0);
    // The row arrays hold the controls of those names, in row order.
    for (int i = 0; i < TWizQueryEditForm::FilterRows; ++i) {
        ASSERT_NE(form.FieldCombobox[i], nullptr);
        EXPECT_EQ(form.FieldCombobox[i]->Name(), QStringLiteral("FieldCombobox%1").arg(i + 1));
        EXPECT_EQ(form.CompCombobox[i]->Name(), QStringLiteral("CompCombobox%1").arg(i + 1));
        EXPECT_EQ(form.ValueEdit[i]->Name(), QStringLiteral("ValueEdit%1").arg(i + 1));
        if (i < 9) {
            EXPECT_EQ(form.BoolOpCombobox[i]->Name(), QStringLiteral("BoolOpCombobox%1").arg(i + 1));
            EXPECT_EQ(form.BoolOpCombobox[i]->Items()->ToStringList(), (QStringList{"AND", "OR"}));
        }
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(form.AscendingRadioButton[i]->isChecked());
        EXPECT_FALSE(form.DescendingRadioButton[i]->isChecked());
    }
    // Only the first filter row can be filled at the start.
    EXPECT_TRUE(form.FieldCombobox[0]->isEnabled());
    EXPECT_FALSE(form.FieldCombobox[1]->isEnabled());
    EXPECT_FALSE(form.CompCombobox[0]->isEnabled());
    EXPECT_TRUE(form.TableChanged());
    EXPECT_FALSE(form.Modified());
}

TEST(WizQueryEditForm, HiddenPagesShiftTheIndicesOfLaterPages) {
    TWizQueryEditForm form;
    form.SetVisiblePages(false, true, false, true, true);
    EXPECT_EQ(form.Notebook->count(), 3);
    using P = TWizQueryEditForm;
    EXPECT_EQ(form.PageIndex(P::wpTable), -1);
    EXPECT_EQ(form.PageIndex(P::wpSort), 0);
    EXPECT_EQ(form.PageIndex(P::wpFilter), -1);
    EXPECT_EQ(form.PageIndex(P::wpSQL), 1);
    EXPECT_EQ(form.PageIndex(P::wpPreview), 2);
    EXPECT_EQ(form.Notebook->tabText(1), QStringLiteral("View SQL"));
    TWizQueryEditForm sortAndFilter;
    sortAndFilter.SetVisiblePages(false, true, true, false, false);
    EXPECT_EQ(sortAndFilter.PageIndex(P::wpSort), 0);
    EXPECT_EQ(sortAndFilter.PageIndex(P::wpFilter), 1);
    EXPECT_EQ(sortAndFilter.PageIndex(P::wpPreview), -1);
}

TEST(WizQueryEditForm, TablePageListsAliasTablesAndDirectoryTableFiles) {
    TWizardOnCustomers w;
    EXPECT_TRUE(w.form.DatabaseComboBox->Items()->ToStringList().contains(QStringLiteral("DEMODB")));
    const QStringList tables = w.form.TableNameComboBox->Items()->ToStringList();
    EXPECT_TRUE(tables.contains(QStringLiteral("customer.db"))) << tables.join(',').toStdString();
    EXPECT_EQ(w.form.TableNameComboBox->currentText(), QStringLiteral("customer.db"));
    EXPECT_EQ(w.form.NameEdit->text(), QStringLiteral("Wiz"));
    // The fields are listed without reading the table's rows.
    ASSERT_NE(w.form.PreviewTable(), nullptr);
    EXPECT_FALSE(w.form.PreviewTable()->Active());
    EXPECT_EQ(w.form.PreviewTable()->FieldCount(), 10);
    EXPECT_EQ(w.form.PreviewTable()->Owner(), static_cast<TComponent *>(&w.form));

    // A typed directory lists only its "*.DB*" files, letter case ignored.
    TestDir dir;
    for (const char *name : {"a.db", "B.DB", "c.dbf", "notes.txt"}) {
        QFile f(dir.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    w.form.DatabaseComboBox->SetText(QString());
    Type(reinterpret_cast<TEdit *>(w.form.DatabaseComboBox->lineEdit()), dir.Path(QString()));
    EXPECT_EQ(w.form.TableNameComboBox->Items()->ToStringList(), (QStringList{"a.db", "B.DB", "c.dbf"}));
    EXPECT_TRUE(w.form.Modified());
    EXPECT_TRUE(w.form.TableChanged());

    // The allowed tables limit the listing.
    w.form.AllowedTables()->SetText(QStringLiteral("b.db"));
    w.form.DatabaseChanged();
    EXPECT_EQ(w.form.TableNameComboBox->Items()->ToStringList(), QStringList{"B.DB"});
    w.form.DatabaseComboBox->SetText(QStringLiteral("DEMODB"));
    w.form.AllowedTables()->SetText(QStringLiteral("ORDERS.DB\nparts.db"));
    w.form.DatabaseChanged();
    EXPECT_EQ(w.form.TableNameComboBox->Items()->ToStringList(), (QStringList{"orders.db", "parts.db"}));
}

TEST(WizQueryEditForm, FilterRowsFillInOrderAndCloseGaps) {
    TWizardOnCustomers w;
    TWizQueryEditForm &f = w.form;
    ClickTab(f, 2);
    ASSERT_EQ(f.CurrentPage(), 2);
    EXPECT_EQ(f.FieldCombobox[0]->Items()->Get(0), QString());
    EXPECT_EQ(f.FieldCombobox[0]->Items()->Get(1), QStringLiteral("CustNo"));
    EXPECT_EQ(f.SortFieldComboBox[2]->Items()->ToStringList(), f.FieldCombobox[0]->Items()->ToStringList());

    // Row 3 cannot be filled while row 2 is empty.
    EXPECT_FALSE(Choose(f.FieldCombobox[2], QStringLiteral("City")));
    ASSERT_TRUE(Choose(f.FieldCombobox[0], QStringLiteral("Country")));
    EXPECT_EQ(f.CompCombobox[0]->currentText(), QStringLiteral("is equal to"));
    EXPECT_TRUE(f.ValueEdit[0]->isEnabled());
    EXPECT_TRUE(f.FieldCombobox[1]->isEnabled());
    EXPECT_EQ(f.BoolOpCombobox[0]->currentText(), QStringLiteral("AND"));
    EXPECT_FALSE(f.FieldCombobox[2]->isEnabled());
    Type(f.ValueEdit[0], QStringLiteral("Spain"));
    ASSERT_TRUE(Choose(f.FieldCombobox[1], QStringLiteral("City")));
    ASSERT_TRUE(Choose(f.BoolOpCombobox[1], QStringLiteral("OR")));
    ASSERT_TRUE(Choose(f.FieldCombobox[2], QStringLiteral("CustNo")));
    ASSERT_TRUE(Choose(f.CompCombobox[2], QStringLiteral("is greater than")));
    Type(f.ValueEdit[2], QStringLiteral("1050"));
    ASSERT_TRUE(Choose(f.FieldCombobox[3], QStringLiteral("Phone")));
    ASSERT_TRUE(Choose(f.CompCombobox[3], QStringLiteral("is blank.")));

    // Emptying row 2 moves rows 3 and 4 up, each with the connector before it.
    f.FieldCombobox[1]->setFocus();
    QTest::keyClick(f.FieldCombobox[1], Qt::Key_Home);
    EXPECT_EQ(f.FieldCombobox[1]->currentText(), QStringLiteral("CustNo"));
    EXPECT_EQ(f.CompCombobox[1]->currentText(), QStringLiteral("is greater than"));
    EXPECT_EQ(f.ValueEdit[1]->text(), QStringLiteral("1050"));
    EXPECT_EQ(f.BoolOpCombobox[0]->currentText(), QStringLiteral("OR"));
    EXPECT_EQ(f.FieldCombobox[2]->currentText(), QStringLiteral("Phone"));
    EXPECT_EQ(f.BoolOpCombobox[1]->currentText(), QStringLiteral("AND"));
    EXPECT_EQ(f.FieldCombobox[3]->currentIndex(), -1);
    EXPECT_FALSE(f.CompCombobox[3]->isEnabled());
    EXPECT_TRUE(f.FieldCombobox[3]->isEnabled());
    EXPECT_FALSE(f.FieldCombobox[4]->isEnabled());

    // Sorting: company descending, then city.
    ClickTab(f, 1);
    ASSERT_TRUE(Choose(f.SortFieldComboBox[0], QStringLiteral("Company")));
    QTest::mouseClick(f.DescendingRadioButton[0], Qt::LeftButton);
    ASSERT_TRUE(Choose(f.SortFieldComboBox[1], QStringLiteral("City")));

    ClickTab(f, 3);
    ASSERT_EQ(f.CurrentPage(), 3);
    EXPECT_EQ(f.SQLMemo->Lines()->ToStringList(),
              (QStringList{"SELECT * FROM \"customer.db\" Q1", "WHERE (Q1.\"Country\" = \"Spain\")",
                           "   OR (Q1.\"CustNo\" > 1050)", "  AND (Q1.\"Phone\" IS NULL)",
                           "ORDER BY Q1.\"Company\" DESC, Q1.\"City\""}));
    EXPECT_TRUE(f.Modified());

    // The preview runs the same definition.
    ClickTab(f, 4);
    ASSERT_EQ(f.CurrentPage(), 4);
    ASSERT_TRUE(f.TempQuery()->Active());
    TDatasetItemModel *model = f.PreviewModel();
    const int rows = model->rowCount();
    EXPECT_GT(rows, 0);
    for (int r = 0; r < rows; ++r) {
        const QString country = model->data(model->index(r, 4)).toString();
        const int custNo = model->data(model->index(r, 0)).toString().toInt();
        EXPECT_TRUE(country == QStringLiteral("Spain") || custNo > 1050) << r;
    }
    QTRY_VERIFY(model->Complete());
    EXPECT_EQ(f.RecordCountLabel->text(), QStringLiteral("%1 records").arg(model->RowsKnown()));
}

TEST(WizQueryEditForm, TenRowsAllUsedJoinWithTheirConnectors) {
    TWizardOnCustomers w;
    TWizQueryEditForm &f = w.form;
    ClickTab(f, 2);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(Choose(f.FieldCombobox[i], QStringLiteral("CustNo"))) << i;
        ASSERT_TRUE(Choose(f.CompCombobox[i], QStringLiteral("is not equal to"))) << i;
        Type(f.ValueEdit[i], QString::number(1001 + i));
        if (i > 0 && i % 3 == 0) ASSERT_TRUE(Choose(f.BoolOpCombobox[i - 1], QStringLiteral("OR")));
    }
    TWizQuery q;
    f.AssignSettingsToQuery(&q);
    ASSERT_EQ(q.Filters().size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(q.Filters()[i]->OrOperator, i > 0 && i % 3 == 0) << i;
        EXPECT_EQ(q.Filters()[i]->Operator, qfoNotEqual);
        EXPECT_EQ(q.Filters()[i]->FieldType, int(ftInteger));
        EXPECT_TRUE(q.Filters()[i]->CaseSensitive);
    }
    EXPECT_EQ(q.SQL()->Get(10), QStringLiteral("   OR (Q1.\"CustNo\" <> 1010)"));
    EXPECT_EQ(q.SQL()->Get(9), QStringLiteral("  AND (Q1.\"CustNo\" <> 1009)"));
    EXPECT_EQ(q.SQL()->Get(4), QStringLiteral("   OR (Q1.\"CustNo\" <> 1004)"));
}

TEST(WizQueryEditForm, PageChangesNeedATableAndAStatementThatRuns) {
    TWizardOnCustomers w;
    TWizQueryEditForm &f = w.form;
    f.TableNameComboBox->SetText(QString());
    ClickTab(f, 1);
    EXPECT_EQ(f.CurrentPage(), 0);
    EXPECT_TRUE(w.ui.Questions().isEmpty());

    // A table that does not exist: the error is shown and the user stays.
    Type(reinterpret_cast<TEdit *>(f.TableNameComboBox->lineEdit()), QStringLiteral("nosuch.db"));
    ClickTab(f, 2);
    EXPECT_EQ(f.CurrentPage(), 0);
    EXPECT_EQ(w.ui.Errors().size(), 1);

    // Another table that exists: its fields fill the lists and its rows the preview.
    Type(reinterpret_cast<TEdit *>(f.TableNameComboBox->lineEdit()), QStringLiteral("orders.db"));
    ClickTab(f, 2);
    ASSERT_EQ(f.CurrentPage(), 2);
    EXPECT_EQ(f.FieldCombobox[0]->Items()->Get(1), QStringLiteral("OrderNo"));
    ClickTab(f, 4);
    EXPECT_EQ(f.CurrentPage(), 4);
    EXPECT_EQ(f.PreviewModel()->columnCount(), f.PreviewTable()->FieldCount());
    EXPECT_EQ(f.PreviewModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("OrderNo"));
}

TEST(WizQueryEditForm, OkWithoutATableIsRefusedOnTheTablePage) {
    DemoTables();
    TForm owner;
    auto *q = new TWizQuery(&owner);
    q->SetName(QStringLiteral("Query1"));
    TScriptedInteraction ui;
    bool stayedOpen = false;
    ui.AnswerDialog([&](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        f.ShowPage(0);
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        stayedOpen = d.isVisible() && d.result() != QDialog::Accepted;
        QTest::mouseClick(f.CancelButton, Qt::LeftButton);
        return d.result();
    });
    EXPECT_FALSE(RunQueryWizard(q, nullptr));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Please choose a table.")});
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(WizQueryEditForm, StoredConditionsTheUserLeavesAloneStayAsTheyWere) {
    DemoTables();
    TForm owner;
    TWizQuery *q = NewQuery(&owner, QStringLiteral("customer.db"));
    q->AddFilter(new TWizQueryFilter(false, QStringLiteral("CustNo"), qfoBetween,
                                     QStringLiteral("1001") + QChar(0) + QStringLiteral("1020"), ftInteger, true));
    q->AddFilter(new TWizQueryFilter(true, QStringLiteral("Company"), qfoLike, QStringLiteral("blue"), ftString, false));
    q->AddFilter(new TWizQueryFilter(false, QStringLiteral("City"), qfoIn,
                                     QStringLiteral("Lisbon") + QChar(0) + QStringLiteral("Oslo"), ftString, true));
    q->CreateSQL();
    q->Open();
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        EXPECT_EQ(f.CompCombobox[0]->currentText(), QStringLiteral("is equal to"));
        EXPECT_EQ(f.ValueEdit[0]->text(), QStringLiteral("1001;1020"));
        EXPECT_EQ(f.BoolOpCombobox[0]->currentText(), QStringLiteral("OR"));
        f.ShowPage(2);
        // The user switches the third row to AND and changes only the sort order.
        Choose(f.BoolOpCombobox[1], QStringLiteral("AND"));
        f.ShowPage(1);
        Choose(f.SortFieldComboBox[0], QStringLiteral("City"));
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        return d.result();
    });
    ASSERT_TRUE(RunQueryWizard(q, nullptr));
    ASSERT_EQ(q->Filters().size(), 3);
    EXPECT_EQ(q->Filters()[0]->Operator, qfoBetween);
    EXPECT_EQ(q->Filters()[0]->Value, QStringLiteral("1001") + QChar(0) + QStringLiteral("1020"));
    EXPECT_EQ(q->Filters()[1]->Operator, qfoLike);
    EXPECT_FALSE(q->Filters()[1]->CaseSensitive);
    EXPECT_EQ(q->Filters()[2]->Operator, qfoIn);
    EXPECT_FALSE(q->Filters()[2]->OrOperator);
    EXPECT_EQ(q->SortFields()->ToStringList(), QStringList{"City"});
    EXPECT_EQ(q->SQL()->Get(1), QStringLiteral("WHERE (Q1.\"CustNo\" BETWEEN 1001 AND 1020)"));
    EXPECT_EQ(q->SQL()->Get(2), QStringLiteral("   OR (UPPER(Q1.\"Company\") LIKE \"BLUE%\")"));
    ASSERT_TRUE(q->Active());
    // AND binds before OR: between 1001 and 1020, or a "Blue" company in Lisbon or Oslo.
    for (q->First(); !q->Eof(); q->Next()) {
        const int no = q->FieldByName(QStringLiteral("CustNo"))->AsInteger();
        const QString company = q->FieldByName(QStringLiteral("Company"))->AsString();
        const QString city = q->FieldByName(QStringLiteral("City"))->AsString();
        EXPECT_TRUE(no <= 1020 || (company.startsWith(QStringLiteral("Blue")) &&
                                   (city == QStringLiteral("Lisbon") || city == QStringLiteral("Oslo"))))
            << no;
    }
}

TEST(WizQueryEditForm, TwelveConditionsShowTenAndAChangeKeepsTheTenShown) {
    DemoTables();
    TForm owner;
    TWizQuery *q = NewQuery(&owner, QStringLiteral("customer.db"));
    for (int i = 0; i < 12; ++i)
        q->AddFilter(new TWizQueryFilter(false, QStringLiteral("CustNo"), qfoNotEqual, QString::number(2000 + i),
                                         ftInteger, true));
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        EXPECT_EQ(f.ValueEdit[9]->text(), QStringLiteral("2009"));
        Type(f.ValueEdit[0], QStringLiteral("1001"));
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        return d.result();
    });
    ASSERT_TRUE(RunQueryWizard(q, nullptr));
    ASSERT_EQ(q->Filters().size(), 10);
    EXPECT_EQ(q->Filters()[0]->Value, QStringLiteral("1001"));
    EXPECT_EQ(q->Filters()[9]->Value, QStringLiteral("2009"));
}

TEST(WizQueryEditForm, OkWithoutChangesLeavesTheOpenQueryAlone) {
    DemoTables();
    TForm owner;
    TWizQuery *q = NewQuery(&owner, QStringLiteral("parts.db"));
    q->Open();
    TField *first = q->Field(0);
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        d.show();
        QTest::mouseClick(static_cast<TWizQueryEditForm &>(d).OKButton, Qt::LeftButton);
        return d.result();
    });
    EXPECT_TRUE(RunQueryWizard(q, nullptr));
    EXPECT_TRUE(q->Active());
    EXPECT_EQ(q->Field(0), first);
}

TEST(WizQueryEditForm, ANewDefinitionKeepsCalculatedFieldsAndDisplaySettings) {
    DemoTables();
    TForm owner;
    TWizQuery *q = NewQuery(&owner, QStringLiteral("customer.db"));
    q->Open();
    CreateFields(q, nullptr);
    q->Close();
    q->FieldByName(QStringLiteral("Company"))->SetDisplayLabel(QStringLiteral("Firm"));
    auto *calc = new TStringField(&owner);
    calc->SetFieldName(QStringLiteral("Label"));
    calc->SetCalculated(true);
    calc->SetDataSet(q);
    q->Open();
    const int count = q->FieldCount();
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        // Fields show by their labels.
        EXPECT_TRUE(f.FieldCombobox[0]->Items()->ToStringList().contains(QStringLiteral("Firm")));
        f.ShowPage(2);
        Choose(f.FieldCombobox[0], QStringLiteral("Firm"));
        Choose(f.CompCombobox[0], QStringLiteral("is like"));
        Type(f.ValueEdit[0], QStringLiteral("Blue"));
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        return d.result();
    });
    ASSERT_TRUE(RunQueryWizard(q, nullptr));
    ASSERT_TRUE(q->Active());
    EXPECT_EQ(q->FieldCount(), count);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Label")), calc);
    EXPECT_EQ(calc->Index(), count - 1);
    EXPECT_EQ(q->FieldByName(QStringLiteral("Company"))->DisplayLabel(), QStringLiteral("Firm"));
    EXPECT_EQ(q->Filters().size(), 1);
    EXPECT_EQ(q->Filters()[0]->FieldName, QStringLiteral("Company"));
    for (q->First(); !q->Eof(); q->Next())
        EXPECT_TRUE(q->FieldByName(QStringLiteral("Company"))->AsString().startsWith(QStringLiteral("Blue")));
}

TEST(WizQueryEditForm, AMissingStoredTableOpensWithEmptyListsAndAFailedOpenLeavesTheQueryClosed) {
    DemoTables();
    TForm owner;
    TWizQuery *q = NewQuery(&owner, QStringLiteral("gone.db"));
    TScriptedInteraction ui;
    ui.AnswerDialog([](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        EXPECT_EQ(f.FieldCombobox[0]->count(), 0);
        EXPECT_EQ(f.TableNameComboBox->currentText(), QStringLiteral("gone.db"));
        Type(f.NameEdit, QStringLiteral("Renamed"));
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        // The table still does not open: the error shows and the dialog stays.
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(f.CancelButton, Qt::LeftButton);
        return d.result();
    });
    EXPECT_FALSE(RunQueryWizard(q, nullptr));
    EXPECT_EQ(ui.Errors().size(), 1);
    EXPECT_EQ(q->Name(), QStringLiteral("Wiz"));
    EXPECT_FALSE(q->Active());
}

TEST(WizQueryEditForm, FilterReportDatasetOnlyForWizardQueries) {
    TReportForm f;
    TScriptedInteraction ui;
    f.report->SetDataSet(f.AddTable(QStringLiteral("Parts"), QStringLiteral("parts.db")));
    EXPECT_FALSE(FilterReportDataset(f.designer));
    EXPECT_TRUE(ui.Questions().isEmpty());

    TWizQuery *q = NewQuery(&f.form, QStringLiteral("parts.db"));
    q->SetName(QStringLiteral("PartsQuery"));
    q->Open();
    f.report->SetDataSet(q);
    int pages = 0;
    ui.AnswerDialog([&](QDialog &d) {
        auto &w = static_cast<TWizQueryEditForm &>(d);
        d.show();
        pages = w.Notebook->count();
        EXPECT_EQ(w.Notebook->tabText(0), QStringLiteral("Sort order"));
        Choose(w.SortFieldComboBox[0], QStringLiteral("ListPrice"));
        QTest::mouseClick(w.DescendingRadioButton[0], Qt::LeftButton);
        QTest::mouseClick(w.OKButton, Qt::LeftButton);
        return d.result();
    });
    EXPECT_TRUE(FilterReportDataset(f.designer));
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(q->TableName(), QStringLiteral("parts.db"));
    EXPECT_EQ(q->DatabaseName(), QStringLiteral("DEMODB"));
    EXPECT_EQ(q->SortFields()->ToStringList(), QStringList{"-ListPrice"});
    ASSERT_TRUE(q->Active());
    q->First();
    const double top = q->FieldByName(QStringLiteral("ListPrice"))->AsFloat();
    q->Next();
    EXPECT_GE(top, q->FieldByName(QStringLiteral("ListPrice"))->AsFloat());
}

TEST(WizQueryEditForm, ATableGoneBeforeTheQueryOpensLeavesItClosedWithoutDataFields) {
    TestDir dir;
    ASSERT_TRUE(QFile::copy(QDir(DemoTables()).filePath(QStringLiteral("parts.db")), dir.Path(QStringLiteral("parts.db"))));
    TForm owner;
    auto *q = new TWizQuery(&owner);
    q->SetName(QStringLiteral("Parts"));
    q->SetDatabaseName(dir.Path(QString()));
    q->SetTableName(QStringLiteral("parts.db"));
    q->CreateSQL();
    q->Open();
    CreateFields(q, nullptr);
    ASSERT_GT(q->FieldCount(), 0);
    TScriptedInteraction ui;
    ui.AnswerDialog([&dir](QDialog &d) {
        auto &f = static_cast<TWizQueryEditForm &>(d);
        d.show();
        f.ShowPage(1);
        Choose(f.SortFieldComboBox[0], QStringLiteral("Description"));
        // Another program takes the table away while the dialog is open.
        QFile::remove(dir.Path(QStringLiteral("parts.db")));
        QTest::mouseClick(f.OKButton, Qt::LeftButton);
        return d.result();
    });
    EXPECT_TRUE(RunQueryWizard(q, nullptr));
    EXPECT_EQ(ui.Errors().size(), 1);
    EXPECT_FALSE(q->Active());
    EXPECT_EQ(q->SortFields()->ToStringList(), QStringList{"Description"});
    EXPECT_EQ(q->FieldCount(), 0);
}

TEST(WizQueryEditForm, SearchTakesTheTableChosenInTheOpenDialog) {
    TWizardOnCustomers w;
    w.form.AllowedTables()->SetText(QStringLiteral("orders.db\nparts.db"));
    QStringList offered;
    w.ui.AnswerDialog([&offered](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        d.show();
        Choose(open.AliasComboBox, QStringLiteral("DEMODB"));
        offered = open.ListBox1->Items()->ToStringList();
        QTest::mouseClick(open.ListBox1->viewport(), Qt::LeftButton, {},
                          open.ListBox1->visualItemRect(open.ListBox1->item(1)).center());
        QTest::mouseClick(open.OpenButton, Qt::LeftButton);
        return d.result();
    });
    QTest::mouseClick(w.form.TableSearchButton, Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{"orders.db", "parts.db"}));
    EXPECT_EQ(w.form.DatabaseComboBox->currentText(), QStringLiteral("DEMODB"));
    EXPECT_EQ(w.form.TableNameComboBox->currentText(), QStringLiteral("parts.db"));
    EXPECT_TRUE(w.form.TableChanged());
    EXPECT_TRUE(w.form.Modified());
    ClickTab(w.form, 1);
    ASSERT_EQ(w.form.CurrentPage(), 1) << w.ui.Errors().join(',').toStdString();
    EXPECT_TRUE(w.form.SortFieldComboBox[0]->Items()->ToStringList().contains(QStringLiteral("Description")))
        << w.form.SortFieldComboBox[0]->Items()->Text().toStdString();
}
