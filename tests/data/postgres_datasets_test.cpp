// The datasets and field dialogs on the PostgreSQL test server: tables and a query of a server
// alias, a master link, deleting, and calculated and lookup fields kept through a saved report.
// Skipped when the server binaries are not installed.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <memory>

#include "data/dataset_fields.h"
#include "data/db_open_form.h"
#include "data/db_setup_form.h"
#include "data/field_edit_forms.h"
#include "data/field_property_form.h"
#include "data/linked_fields_form.h"
#include "data/table_properties_form.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"
#include "data/parameter_form.h"
#include "data/query_edit_form.h"
#include "data/query_wizard_entry.h"
#include "data/report_databases.h"
#include "data/dataset_item_model.h"
#include "data/wiz_query_edit_form.h"
#include "dblib/wiz_query.h"
#include <QTest>
#include "data_fixture.h"
#include "dblib/db_error.h"
#include "host/button_controls.h"
#include "host/list_controls.h"
#include "host/text_controls.h"
#include "pg_server.h"

namespace {

constexpr int kRows = 20;

QString AliasText(TPgTestServer *server) { return QStringLiteral("postgres:") + server->ConnectionText(); }

// One server for the program, loaded with a slice of the demo database as alias PGDATA.
TPgTestServer *Server(QString &skipReason) {
    static std::unique_ptr<TPgTestServer> server;
    static QString skip;
    static bool tried = false;
    if (!tried) {
        tried = true;
        server = std::make_unique<TPgTestServer>();
        if (!server->Start()) {
            skip = server->SkipReason();
            server.reset();
        } else {
            {
                QSqlDatabase db =
                    QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("data_pg_loader"));
                db.setHostName(QStringLiteral("127.0.0.1"));
                db.setPort(server->Port());
                db.setUserName(QStringLiteral("postgres"));
                db.setDatabaseName(server->DatabaseName());
                if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
                DemoDatabase::WriteTables(db, kRows);
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("data_pg_loader"));
            Session().AddAlias(QStringLiteral("PGDATA"), AliasText(server.get()));
        }
    }
    skipReason = skip;
    return server.get();
}

#define REQUIRE_POSTGRES() \
    QString skipReason;    \
    if (!Server(skipReason)) GTEST_SKIP() << skipReason.toStdString()

TEST(PostgresDatasets, TableAndParameterQueryOfAServerAlias) {
    REQUIRE_POSTGRES();
    TReportForm f;
    TScriptedInteraction ui;
    QStringList lines, offered;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.NewTableButton->click();
        form.NewQueryButton->click();
        lines = form.ListBox1->Items()->ToStringList();
        return int(QDialog::Accepted);
    });
    ui.AnswerDialog([&](QDialog &d) {
        auto &open = static_cast<TDBOpenForm &>(d);
        open.AliasComboBox->SetItemIndex(open.AliasComboBox->findText(QStringLiteral("PGDATA")));
        emit open.AliasComboBox->activated(open.AliasComboBox->currentIndex());
        offered = open.ListBox1->Items()->ToStringList();
        open.ListBox1->SetItemIndex(int(offered.indexOf(QStringLiteral("customer"))));
        open.OpenButton->click();
        return open.result();
    });
    ui.AnswerDialog([](QDialog &d) {
        auto &editor = static_cast<TDBSetupForm3 &>(d);
        editor.NameEdit->setText(QStringLiteral("OrdersOf"));
        editor.DatabaseComboBox->SetText(QStringLiteral("PGDATA"));
        editor.SQLMemo->setPlainText(
            QStringLiteral("SELECT \"OrderNo\" FROM orders WHERE \"CustNo\" = :Cust"));
        editor.ParametersButton->click();
        editor.OKButton->click();
        return editor.result();
    });
    ui.AnswerDialog([](QDialog &d) {
        auto &params = static_cast<TDBSetupForm4 &>(d);
        params.TypeComboBox->SetItemIndex(params.TypeComboBox->findText(QStringLiteral("Integer")));
        emit params.TypeComboBox->activated(params.TypeComboBox->currentIndex());
        params.ValueRadioButton->click();
        params.ValueEdit->setText(QString::number(DemoDatabase::kFirstCustNo));
        params.OKButton->click();
        return params.result();
    });
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(ui.Errors(), QStringList());
    EXPECT_TRUE(offered.contains(QStringLiteral("orders")));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("customer_Table         :PGDATA:customer"),
                                  QStringLiteral("OrdersOf               SQL Query ")}));
    auto *table = dynamic_cast<TTable *>(f.form.FindComponent(QStringLiteral("customer_Table")));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->RecordCount(), kRows);
    auto *query = dynamic_cast<TQuery *>(f.form.FindComponent(QStringLiteral("OrdersOf")));
    ASSERT_NE(query, nullptr);
    ASSERT_TRUE(query->Active());
    EXPECT_EQ(query->ParamByName(QStringLiteral("Cust")).DataType(), ftInteger);
    for (query->First(); !query->Eof(); query->Next())
        EXPECT_GT(query->FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 0);
    EXPECT_THROW(GetAliasPath(QStringLiteral("PGDATA")), EDatabaseError);
}

// A server table of the report reached through a data source of the same name + "Source".
TTable *AddServerTable(TReportForm &f, const QString &name, const QString &table) {
    auto *t = new TTable(&f.form);
    t->SetName(name);
    t->SetDatabaseName(QStringLiteral("PGDATA"));
    t->SetTableName(table);
    auto *ds = new TDataSource(&f.form);
    ds->SetName(name + QStringLiteral("Source"));
    ds->SetDataSet(t);
    t->Open();
    return t;
}

TEST(PostgresDatasets, LinkingAServerTableToItsMasterAndDeletingOne) {
    REQUIRE_POSTGRES();
    TReportForm f;
    TTable *customers = AddServerTable(f, QStringLiteral("Customers"), QStringLiteral("customer"));
    TTable *orders = AddServerTable(f, QStringLiteral("Orders"), QStringLiteral("orders"));
    AddServerTable(f, QStringLiteral("Parts"), QStringLiteral("parts"));
    TScriptedInteraction ui;
    QStringList masters, indexes, afterDelete;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm &>(d);
        form.ListBox1->SetItemIndex(1);
        form.PropertiesButton->click();
        form.ListBox1->SetItemIndex(2);
        form.DeleteButton->click();
        afterDelete = form.ListBox1->Items()->ToStringList();
        return int(QDialog::Accepted);
    });
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = static_cast<TDBSetupForm2 &>(d);
        masters = form.MasterComboBox->Items()->ToStringList();
        indexes = form.IndexComboBox->Items()->ToStringList();
        form.IndexComboBox->SetItemIndex(int(indexes.indexOf(QStringLiteral("ByCustNo"))));
        form.MasterComboBox->SetItemIndex(int(masters.indexOf(QStringLiteral("Customers"))));
        form.LinkButton->click();
        form.OKButton->click();
        return form.result();
    });
    ui.AnswerDialog([](QDialog &d) {
        auto &editor = static_cast<TDBSetupFieldlistForm &>(d);
        editor.DetailFieldEdit->setText(QStringLiteral("CustNo"));
        editor.MasterFieldComboBox->SetItemIndex(editor.MasterFieldComboBox->findText(QStringLiteral("CustNo")));
        editor.AddButton->click();
        editor.OKButton->click();
        return editor.result();
    });
    ui.AnswerConfirm(mrYes);
    EditReportDatabases(f.designer, f.report);
    EXPECT_EQ(ui.Errors(), QStringList());
    EXPECT_TRUE(indexes.contains(QStringLiteral("ByCustNo"))) << indexes.join(u',').toStdString();
    EXPECT_EQ(masters, (QStringList{QStringLiteral("(NONE)"), QStringLiteral("Customers"), QStringLiteral("Parts")}));
    ASSERT_NE(orders->MasterSource(), nullptr);
    EXPECT_EQ(orders->MasterSource()->DataSet(), customers);
    EXPECT_EQ(orders->MasterFields(), QStringLiteral("CustNo"));
    // The detail follows its master on the server.
    ASSERT_TRUE(orders->Active());
    int rows = 0;
    for (customers->First(); !customers->Eof(); customers->Next()) {
        const qint64 custNo = customers->FieldByName(QStringLiteral("CustNo"))->AsInteger();
        for (orders->First(); !orders->Eof(); orders->Next(), ++rows)
            EXPECT_EQ(orders->FieldByName(QStringLiteral("CustNo"))->AsInteger(), custNo);
    }
    EXPECT_GT(rows, 0);
    EXPECT_EQ(afterDelete.size(), 2);
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("Parts")), nullptr);
    EXPECT_EQ(f.form.FindComponent(QStringLiteral("PartsSource")), nullptr);
}

TEST(PostgresDatasets, CalculatedAndLookupFieldsOfServerTablesSurviveSavingAndLoading) {
    REQUIRE_POSTGRES();
    TestDir dir;
    const QString file = dir.Path(QStringLiteral("pgfields.QR2"));
    {
        TReportForm f;
        TTable *orders = AddServerTable(f, QStringLiteral("Orders"), QStringLiteral("orders"));
        TTable *customers = AddServerTable(f, QStringLiteral("Customers"), QStringLiteral("customer"));
        CreateFields(orders, nullptr);
        CreateFields(customers, nullptr);
        TFieldPropertyForm dialog;
        dialog.Prepare(f.designer, {dynamic_cast<TDataSource *>(f.form.FindComponent(QStringLiteral("OrdersSource"))),
                                    dynamic_cast<TDataSource *>(f.form.FindComponent(QStringLiteral("CustomersSource")))});
        dialog.SetDataSet(orders);
        TScriptedInteraction ui;
        ui.AnswerDialog([](QDialog &d) {
            auto &calc = static_cast<TCalcFieldEditForm &>(d);
            calc.NameEdit->setText(QStringLiteral("Remark"));
            calc.TypeCombo->SetItemIndex(0);
            calc.SizeEdit->setText(QStringLiteral("30"));
            return int(QDialog::Accepted);
        });
        dialog.NewCalcFieldButton->click();
        ui.AnswerDialog([](QDialog &d) {
            auto &lookup = static_cast<TLookupFieldEditForm &>(d);
            lookup.NameEdit->setText(QStringLiteral("Company"));
            const int customers = lookup.DatasetCombo->findText(QStringLiteral("Customers"));
            lookup.DatasetCombo->SetItemIndex(customers);
            emit lookup.DatasetCombo->activated(customers);
            lookup.KeyFieldCombo->SetText(QStringLiteral("CustNo"));
            lookup.LookupKeyCombo->SetText(QStringLiteral("CustNo"));
            lookup.ResultFieldCombo->SetText(QStringLiteral("Company"));
            lookup.OKButton->click();
            return lookup.result();
        });
        dialog.NewLookupButton->click();
        EXPECT_EQ(ui.Errors(), QStringList());
        f.report->SetDataSet(orders);
        ASSERT_TRUE(Save_Report(f.designer, &f.form, file, nullptr));
    }
    QProcess tool;
    tool.start(QStringLiteral(VENDAMO_BIN), {QStringLiteral("info"), file, QStringLiteral("--json"),
                                             QStringLiteral("--alias"),
                                             QStringLiteral("PGDATA=") + AliasText(Server(skipReason))});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QStringList computed;
    const QJsonObject info = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    for (const QJsonValue &ds : info[QStringLiteral("datasets")].toArray())
        for (const QJsonValue &field : ds.toObject()[QStringLiteral("computedFields")].toArray())
            computed << field.toString();
    EXPECT_TRUE(computed.contains(QStringLiteral("Remark (calculated)"))) << computed.join(u',').toStdString();
    EXPECT_TRUE(computed.contains(QStringLiteral("Company (lookup)"))) << computed.join(u',').toStdString();

    TReportForm g;
    ASSERT_TRUE(Load_Report(g.designer, &g.form, g.report, nullptr, file));
    auto *orders = dynamic_cast<TDataSet *>(g.form.FindComponent(QStringLiteral("Orders")));
    auto *customers = dynamic_cast<TDataSet *>(g.form.FindComponent(QStringLiteral("Customers")));
    ASSERT_TRUE(orders && customers);
    if (!customers->Active()) customers->Open();
    if (!orders->Active()) orders->Open();
    TField *remark = orders->FindField(QStringLiteral("Remark"));
    ASSERT_NE(remark, nullptr);
    EXPECT_TRUE(remark->Calculated());
    EXPECT_EQ(remark->Size(), 30);
    // The lookup resolves against the server table once loaded.
    TField *company = orders->FindField(QStringLiteral("Company"));
    ASSERT_NE(company, nullptr);
    QHash<qint64, QString> companies;
    for (customers->First(); !customers->Eof(); customers->Next())
        companies.insert(customers->FieldByName(QStringLiteral("CustNo"))->AsInteger(),
                         customers->FieldByName(QStringLiteral("Company"))->AsString());
    int resolved = 0;
    for (orders->First(); !orders->Eof(); orders->Next()) {
        const qint64 key = orders->FieldByName(QStringLiteral("CustNo"))->AsInteger();
        EXPECT_EQ(company->AsString(), companies.value(key)) << key;
        resolved += companies.contains(key);
    }
    EXPECT_GT(resolved, 0);
}

TEST(PostgresDatasets, QueryWizardPreviewsAndFiltersAServerTable) {
    REQUIRE_POSTGRES();
    TForm owner;
    auto *query = new TWizQuery(&owner);
    query->SetName(QStringLiteral("Wiz"));
    query->SetDatabaseName(QStringLiteral("PGDATA"));
    query->SetTableName(QStringLiteral("customer"));
    TScriptedInteraction ui;
    int previewRows = -1;
    QString firstCountry;
    ui.AnswerDialog([&](QDialog &d) {
        auto &w = static_cast<TWizQueryEditForm &>(d);
        d.show();
        EXPECT_TRUE(w.TableNameComboBox->Items()->ToStringList().contains(QStringLiteral("customer")));
        w.ShowPage(w.PageIndex(TWizQueryEditForm::wpFilter));
        w.FieldCombobox[0]->setFocus();
        QTest::keyClicks(w.FieldCombobox[0], QStringLiteral("Country"));
        QTest::keyClicks(w.ValueEdit[0], QStringLiteral("Spain"));
        EXPECT_TRUE(w.ShowPage(w.PageIndex(TWizQueryEditForm::wpPreview)));
        previewRows = w.PreviewModel()->rowCount();
        if (previewRows > 0) firstCountry = w.PreviewModel()->data(w.PreviewModel()->index(0, 4)).toString();
        QTest::mouseClick(w.OKButton, Qt::LeftButton);
        return d.result();
    });
    ASSERT_TRUE(RunQueryWizard(query, nullptr));
    EXPECT_EQ(ui.Errors(), QStringList());
    ASSERT_TRUE(query->Active());
    EXPECT_EQ(query->SQL()->Get(1), QStringLiteral("WHERE (Q1.\"Country\" = \"Spain\")"));
    int rows = 0;
    for (query->First(); !query->Eof(); query->Next(), ++rows)
        EXPECT_EQ(query->FieldByName(QStringLiteral("Country"))->AsString(), QStringLiteral("Spain"));
    EXPECT_EQ(previewRows, rows);
    if (rows > 0) EXPECT_EQ(firstCountry, QStringLiteral("Spain"));
}

}  // namespace
