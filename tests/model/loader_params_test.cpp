// The loader's query parameters before a run: application values, the BeforeGetQueryParams
// event, which queries count, and errors while opening; its calculated-fields forwarding.
#include "form_queries.h"
#include "model_fixture.h"

#include "model/wait_cursor.h"

#include "host/scripted_interaction.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {
struct TParamForm {
    TParamForm() {
        db = SalesDatabaseBeside(fx.Path(QStringLiteral("db")));
        q = SourcedQuery(fx.Form(), QStringLiteral("Customers"), db,
                         QStringLiteral("SELECT name FROM customers WHERE city = :city"));
        AskedParam(q, QStringLiteral("city"), ftString);
    }
    TModelFixture fx;
    QString db;
    TQuery *q;
};
}  // namespace

TEST(LoaderParams, ApplicationValuesAndTheEventFillParametersWithoutAsking) {
    TScriptedInteraction ui;
    TParamForm f;
    TParams supplied;
    supplied.CreateParam(ftString, QStringLiteral("city"), ptInput).SetAsString(QStringLiteral("Oslo"));
    f.fx.Loader()->SetQueryParameters(&supplied);
    QStringList seen;
    f.fx.Loader()->SetBeforeGetQueryParams(Handler<TParams *, bool &>(
        [&](TParams *p, bool &) {
            for (int i = 0; i < p->Count(); ++i) seen << (*p)[i].Name() + QLatin1Char('=') + (*p)[i].AsString();
            p->ParamByName(QStringLiteral("city")).SetAsString(QStringLiteral("Lyon"));
        },
        &seen));
    EXPECT_TRUE(f.fx.Loader()->GetQueryParameters());
    // The event sees the application's value and its own change wins.
    EXPECT_EQ(seen, QStringList{QStringLiteral("city=Oslo")});
    EXPECT_EQ(f.q->ParamByName(QStringLiteral("city")).AsString(), QStringLiteral("Lyon"));
    EXPECT_TRUE(f.q->Active());
    EXPECT_EQ(f.q->RecordCount(), 2);
    EXPECT_TRUE(ui.Questions().isEmpty());
}

TEST(LoaderParams, TheEventCanCancelTheRunBeforeAnyoneIsAsked) {
    TScriptedInteraction ui;
    TParamForm f;
    f.fx.Loader()->SetBeforeGetQueryParams(
        Handler<TParams *, bool &>([](TParams *, bool &cancel) { cancel = true; }, &f));
    EXPECT_FALSE(f.fx.Loader()->GetQueryParameters());
    EXPECT_TRUE(ui.Questions().isEmpty());
    EXPECT_FALSE(f.q->Active());
}

TEST(LoaderParams, InternalDataSourcesAreNotAskedForAndOpenErrorsAreShown) {
    TScriptedInteraction ui;
    TParamForm f;
    // Only the designer's own data source leads to the first query: it is left alone.
    for (TComponent *c : f.fx.Form()->Components())
        if (c->Name() == QLatin1String("CustomersSource")) c->SetName(QStringLiteral("__Internal"));
    auto *broken = SourcedQuery(f.fx.Form(), QStringLiteral("Broken"), f.db, QStringLiteral("SELECT * FROM nowhere"));
    EXPECT_TRUE(f.fx.Loader()->GetQueryParameters());
    EXPECT_FALSE(f.q->Active());
    EXPECT_FALSE(broken->Active());
    ASSERT_EQ(ui.Errors().size(), 1);
    EXPECT_TRUE(ui.Errors().first().contains(QStringLiteral("nowhere"))) << ui.Errors().first().toStdString();
}

TEST(LoaderParams, CalculatedFieldsGoToTheApplicationExceptWhileDesigning) {
    TModelFixture fx;
    QList<TDataSet *> calls;
    fx.Loader()->SetOnCalcFields(Handler<TDataSet *>([&](TDataSet *d) { calls << d; }, &calls));
    TQuery q;
    fx.Loader()->VDMCalcFields(&q);
    fx.Loader()->SetState(csDesigning, true);
    fx.Loader()->VDMCalcFields(&q);
    EXPECT_EQ(calls, QList<TDataSet *>{&q});
}

TEST(LoaderParams, DatabaseOwnerIsForgottenWhenItGoes) {
    TModelFixture fx;
    auto other = std::make_unique<TForm>();
    fx.Loader()->SetDatabaseOwner(other.get());
    EXPECT_EQ(fx.Loader()->DatabaseOwner(), other.get());
    other.reset();
    EXPECT_EQ(fx.Loader()->DatabaseOwner(), nullptr);
}

TEST(LoaderParams, WaitCursorLastsForItsScope) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        TWaitCursor wait;
        EXPECT_TRUE(wait.Active());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
