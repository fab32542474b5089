// The datasets dialog on the PostgreSQL test server: a table of a server alias and a query with
// a parameter. Skipped when the server binaries are not installed.
#include <QSqlDatabase>
#include <QSqlError>
#include <memory>

#include "data/dataset_fields.h"
#include "data/db_open_form.h"
#include "data/db_setup_form.h"
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
            Session().AddAlias(QStringLiteral("PGDATA"),
                               QStringLiteral("postgres:") + server->ConnectionText());
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
