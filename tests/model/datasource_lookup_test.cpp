// Data sources for new data elements, the data source of a table by file name, clearing a
// report form, and message boxes keyed by the run-time message table.
#include "form_queries.h"
#include "model_fixture.h"

#include "model/datasource_lookup.h"
#include "model/datasource_select_form.h"
#include "model/report_messages.h"
#include "model/vendamo_text_elements.h"

#include "host/scripted_interaction.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {
TDataSource *SourceOf(TDataSet *d) {
    for (TComponent *c : d->Owner()->Components())
        if (auto *s = dynamic_cast<TDataSource *>(c); s && s->DataSet() == d) return s;
    return nullptr;
}

TTable *SourcedTable(TComponent *form, const QString &database, const QString &table) {
    auto *t = new TTable(form);
    t->SetDatabaseName(database);
    t->SetTableName(table);
    (new TDataSource(form))->SetDataSet(t);
    return t;
}
}  // namespace

TEST(DatasourceLookup, TablesAreFoundByFileNameAndByDirectoryWithItsSeparator) {
    TForm form;
    TTable *customers = SourcedTable(&form, QStringLiteral("C:\\Data\\"), QStringLiteral("customer.db"));
    TTable *orders = SourcedTable(&form, QStringLiteral("/srv/data/"), QStringLiteral("Orders.DB"));
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("CUSTOMER.DB")), SourceOf(customers));
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("c:\\data\\Customer.db")), SourceOf(customers));
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("c:/data/customer.db")), SourceOf(customers));
    // The directory must equal the database name including its final separator.
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("c:\\other\\customer.db")), nullptr);
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("/srv/data/orders.db")), SourceOf(orders));
    orders->SetDatabaseName(QStringLiteral("/srv/data"));
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("/srv/data/orders.db")), nullptr);
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("orders.db")), SourceOf(orders));
    EXPECT_EQ(FindDatasource(&form, QStringLiteral("items.db")), nullptr);
    EXPECT_EQ(FindDatasource(&form, QString()), nullptr);
    EXPECT_EQ(FindDatasource(nullptr, QStringLiteral("orders.db")), nullptr);
}

TEST(DatasourceLookup, OneUsableDataSourceIsTakenWithoutAsking) {
    TScriptedInteraction ui;
    TModelFixture fx;
    const QString db = SalesDatabaseBeside(fx.Path(QStringLiteral("db")));
    TQuery *customers = SourcedQuery(fx.Form(), QStringLiteral("Customers"), db, QStringLiteral("SELECT * FROM customers"));
    // Not usable: closed without fields, internal, or without a visible field.
    SourcedQuery(fx.Form(), QStringLiteral("Closed"), db, QStringLiteral("SELECT * FROM orders"));
    TQuery *internal = SourcedQuery(fx.Form(), QStringLiteral("Internal"), db, QStringLiteral("SELECT * FROM items"));
    SourceOf(internal)->SetName(QStringLiteral("__Internal"));
    internal->Open();
    TQuery *hidden = SourcedQuery(fx.Form(), QStringLiteral("Hidden"), db, QStringLiteral("SELECT id FROM items"));
    hidden->Open();
    hidden->Fields().first()->SetVisible(false);
    customers->Open();

    EXPECT_EQ(SelectDataSource(fx.Form()), SourceOf(customers));
    EXPECT_TRUE(ui.Questions().isEmpty());

    // Nothing usable: an error box from the loader's message table.
    customers->Close();
    EXPECT_EQ(SelectDataSource(fx.Form()), nullptr);
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("No tables available!")});
    // A form without a loader offers nothing.
    TForm bare;
    QList<TDataSource *> list;
    GetDatasourceList(&bare, list);
    EXPECT_TRUE(list.isEmpty());
}

TEST(DatasourceLookup, SeveralDataSourcesAreOfferedInTheSelectionForm) {
    TScriptedInteraction ui;
    TModelFixture fx;
    const QString db = SalesDatabaseBeside(fx.Path(QStringLiteral("db")));
    TQuery *own = SourcedQuery(fx.Form(), QStringLiteral("Customers"), db, QStringLiteral("SELECT * FROM customers"));
    own->Open();
    TDataModule module;
    module.SetName(QStringLiteral("Shared"));
    TQuery *onModule = SourcedQuery(&module, QStringLiteral("Orders"), db, QStringLiteral("SELECT * FROM orders"));
    onModule->Open();
    TForm elsewhere;
    TQuery *onOwner = SourcedQuery(&elsewhere, QStringLiteral("Items"), db, QStringLiteral("SELECT * FROM items"));
    onOwner->Open();
    fx.Loader()->SetDatabaseOwner(&elsewhere);

    QList<TDataSource *> list;
    GetDatasourceList(fx.Form(), list);
    EXPECT_EQ(list, (QList<TDataSource *>{SourceOf(own), SourceOf(onOwner)}));
    fx.Loader()->SetUseDataModules(true);
    list.clear();
    GetDatasourceList(fx.Form(), list);
    EXPECT_EQ(list, (QList<TDataSource *>{SourceOf(own), SourceOf(onOwner), SourceOf(onModule)}));

    QStringList offered;
    ui.AnswerDialog([&](QDialog &d) {
        auto &form = dynamic_cast<TDatasourceSelectForm &>(d);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Selection"));
        for (int i = 0; i < form.ListBox()->count(); ++i) offered << form.ListBox()->item(i)->text();
        EXPECT_EQ(form.SelectedIndex(), 0);
        // A double click accepts the entry clicked.
        form.ListBox()->setCurrentRow(2);
        emit form.ListBox()->itemDoubleClicked(form.ListBox()->item(2));
        return form.result();
    });
    EXPECT_EQ(SelectDataSource(fx.Form()), SourceOf(onModule));
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Customers"), QStringLiteral("Items"), QStringLiteral("Orders")}));
    ui.AnswerCancel();
    EXPECT_EQ(SelectDataSource(fx.Form()), nullptr);
}

TEST(DatasourceLookup, ClearingAFormRemovesBandsElementsAndOptionallyDatasets) {
    TModelFixture fx;
    const QString db = SalesDatabaseBeside(fx.Path(QStringLiteral("db")));
    TQuery *q = SourcedQuery(fx.Form(), QStringLiteral("Customers"), db, QStringLiteral("SELECT * FROM customers"));
    TQuery *internal = SourcedQuery(fx.Form(), QStringLiteral("Internal"), db, QStringLiteral("SELECT * FROM items"));
    SourceOf(internal)->SetName(QStringLiteral("__Internal"));
    auto *group = fx.AddBand<TVendamoGroup>(10);
    auto *footer = fx.AddBand<TVendamoBand>(rbGroupFooter, 10);
    group->SetFooterBand(footer);
    auto *child = fx.AddBand<TVendamoChildBand>(5);
    child->SetParentBand(footer);
    fx.Add<TVendamoDBText>(footer, 0)->SetDataSet(q);
    fx.Add<TVendamoLabel>(child, 0);
    auto *plain = fx.Label(footer, QStringLiteral("plain"), 50);   // no BlockDelete: goes with its band

    ClearReportForm(fx.Form(), false);
    QStringList left;
    for (TComponent *c : fx.Form()->Components()) left << QString::fromLatin1(c->Object()->metaObject()->className());
    EXPECT_EQ(left, (QStringList{"TVDMLoader", "TDesignReport", "TQuery", "TDataSource", "TQuery", "TDataSource"}));
    Q_UNUSED(plain);

    ClearReportForm(fx.Form(), true);
    left.clear();
    for (TComponent *c : fx.Form()->Components()) left << c->Name();
    EXPECT_EQ(left, (QStringList{QString(), QString(), QStringLiteral("Internal"), QStringLiteral("__Internal")}));
}

TEST(ReportMessages, ErrorsAndConfirmationsTakeTheirTextsFromTheTable) {
    TScriptedInteraction ui;
    TStringList messages;
    messages.SetStringList({QStringLiteral("Cannot open=File %s cannot be opened"), QStringLiteral("Sure=Really?")});
    ShowError(&messages, QStringLiteral("Cannot open"), QStringLiteral("a.qr2"));
    // Without a parameter no "%s" shows.
    ShowError(&messages, QStringLiteral("cannot OPEN"));
    ShowError(&messages, QStringLiteral("Missing key"), QStringLiteral("x"));
    EXPECT_EQ(ui.Errors(), (QStringList{QStringLiteral("File a.qr2 cannot be opened"),
                                        QStringLiteral("File cannot be opened"),
                                        QStringLiteral("Unknown Error [Missing key]")}));
    ui.AnswerConfirm(mrOk);
    ui.AnswerConfirm(mrCancel);
    EXPECT_TRUE(GetConfirmation(&messages, QStringLiteral("Sure")));
    EXPECT_FALSE(GetConfirmation(&messages, QStringLiteral("Nothing")));
    ASSERT_EQ(ui.Questions().size(), 5);
    EXPECT_EQ(ui.Questions()[3].Text, QStringLiteral("Really?"));
    EXPECT_EQ(ui.Questions()[4].Text, QStringLiteral("[Nothing]"));
}
