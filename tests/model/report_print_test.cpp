// Print runs of the design report: query parameters asked before each run, the print-time
// handlers swapped in and out, and the temporary summary band for page footers that leave out
// the last page.
#include "form_queries.h"
#include "model_fixture.h"

#include "model/vendamo_text_elements.h"

#include "host/exceptions.h"
#include "host/scripted_interaction.h"

#include <gtest/gtest.h>

namespace {

// A customer list: one customer per 100 mm detail band, several pages.
struct TCustomerReport {
    explicit TCustomerReport(const QString &sql) {
        q = SourcedQuery(fx.Form(), QStringLiteral("Customers"), SalesDatabaseBeside(fx.Path(QStringLiteral("db"))), sql);
        fx.Report()->SetDataSet(q);
        detail = fx.AddBand<TVendamoBand>(rbDetail, 100);
        name = fx.Add<TVendamoDBText>(detail, 0);
        name->SetDataSet(q);
        name->SetDataField(QStringLiteral("name"));
    }
    TModelFixture fx;
    TQuery *q;
    TVendamoBand *detail;
    TVendamoDBText *name;
};

QStringList Inputs(const TScriptedInteraction &ui) {
    QStringList texts;
    for (const auto &question : ui.Questions())
        if (question.Kind == QLatin1String("input")) texts << question.Caption + QLatin1Char('|') + question.Text;
    return texts;
}

}  // namespace

TEST(ReportPrint, FooterLeavesOutTheLastPageThroughABandAddedForTheRunOnly) {
    TScriptedInteraction ui;
    TCustomerReport r(QStringLiteral("SELECT name FROM customers ORDER BY id"));
    auto *footer = r.fx.AddBand<TVendamoBand>(rbPageFooter, 10);
    footer->SetNotOnLastPage(true);
    r.fx.Label(footer, QStringLiteral("PAGEFOOT"), 0);
    const QList<TComponent *> before = r.fx.Form()->Components();

    TVendamoBand *seen = nullptr;
    int seenHeight = -1;
    r.fx.Report()->SetBeforePrint(Handler<QObject *, bool &>(
        [&](QObject *, bool &) {
            seen = r.fx.Report()->TemporaryBand();
            if (seen) {
                seenHeight = seen->Height();
                EXPECT_EQ(seen->BandType(), rbSummary);
                EXPECT_EQ(seen->parentWidget(), r.fx.Report());
                EXPECT_TRUE(r.fx.Form()->Components().contains(seen));
            }
        },
        &seen));
    const QStringList pages = r.fx.RenderPdf();
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i + 1 < pages.size(); ++i) EXPECT_TRUE(pages[i].contains(QStringLiteral("PAGEFOOT"))) << i;
    EXPECT_FALSE(pages.last().contains(QStringLiteral("PAGEFOOT")));
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(seenHeight, 2);
    // Afterwards the form is as before, and the handlers are the application's (none) again.
    EXPECT_EQ(r.fx.Form()->Components(), before);
    EXPECT_EQ(r.fx.Report()->TemporaryBand(), nullptr);
    EXPECT_FALSE(footer->BeforePrint().Assigned());
    EXPECT_FALSE(r.name->OnPrint().Assigned());

    // A report with its own summary band gets no temporary one.
    r.fx.AddBand<TVendamoBand>(rbSummary, 5);
    seen = nullptr;
    r.fx.RenderPdf(QStringLiteral("with_summary.pdf"));
    EXPECT_EQ(seen, nullptr);
}

TEST(ReportPrint, CancelledParameterPromptPrintsNothingAndLeavesHandlersAlone) {
    TScriptedInteraction ui;
    TCustomerReport r(QStringLiteral("SELECT name FROM customers WHERE city = :city ORDER BY id"));
    AskedParam(r.q, QStringLiteral("city"), ftString);
    int tag = 0;
    const TMethod bandHandler = Handler<QObject *, bool &>([](QObject *, bool &) {}, &tag);
    const TMethod textHandler = Handler<QObject *, QString &>([](QObject *, QString &) {}, &tag + 1);
    r.detail->SetBeforePrint(bandHandler);
    r.name->SetOnPrint(textHandler);

    ui.AnswerCancel();
    const QString file = r.fx.Path(QStringLiteral("cancelled.pdf"));
    r.fx.Report()->ExportToPdf(file);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(Inputs(ui), QStringList{QStringLiteral("Parameter of Customers|Please type in the parameter \"city'\":")});
    EXPECT_TRUE(r.detail->BeforePrint() == bandHandler);
    EXPECT_FALSE(r.detail->SavedBeforePrint().Assigned());
    EXPECT_TRUE(r.name->OnPrint() == textHandler);
    EXPECT_FALSE(r.name->SavedOnPrint().Assigned());
    // The query is open again with the parameter empty, ready for the next attempt.
    EXPECT_TRUE(r.q->Active());
    EXPECT_TRUE(r.q->ParamByName(QStringLiteral("city")).IsNull());
    EXPECT_EQ(r.fx.Loader()->PromptedCount(), 0);
}

TEST(ReportPrint, EveryRunAsksForTheParametersAgain) {
    TScriptedInteraction ui;
    TCustomerReport r(QStringLiteral("SELECT name FROM customers WHERE city = :city ORDER BY id"));
    AskedParam(r.q, QStringLiteral("city"), ftString);

    ui.AnswerInput(QStringLiteral("Lyon"));
    QString pages = r.fx.RenderPdf(QStringLiteral("lyon.pdf")).join(QLatin1Char('\n'));
    EXPECT_TRUE(pages.contains(QStringLiteral("Dubois")));
    EXPECT_FALSE(pages.contains(QStringLiteral("Anders")));
    EXPECT_TRUE(r.q->ParamByName(QStringLiteral("city")).IsNull());

    ui.AnswerInput(QStringLiteral("Oslo"));
    pages = r.fx.RenderPdf(QStringLiteral("oslo.pdf")).join(QLatin1Char('\n'));
    EXPECT_TRUE(pages.contains(QStringLiteral("Hansen")));
    EXPECT_FALSE(pages.contains(QStringLiteral("Dubois")));

    // Previews too, each one asking again.
    int previews = 0;
    r.fx.Report()->SetOnPreview(Handler<QObject *>([&](QObject *) { ++previews; }, &previews));
    ui.AnswerInput(QStringLiteral("Berlin"));
    r.fx.Report()->Preview();
    ui.AnswerInput(QStringLiteral("Berlin"));
    r.fx.Report()->Preview();
    EXPECT_EQ(previews, 2);
    EXPECT_EQ(Inputs(ui).size(), 4);
    EXPECT_EQ(ui.Pending(), 0);
}

TEST(ReportPrint, ARefusedValueShowsInvalidValueAndAsksForTheSameParameter) {
    TScriptedInteraction ui;
    TModelFixture fx;
    auto *q = SourcedQuery(fx.Form(), QStringLiteral("Orders"), SalesDatabaseBeside(fx.Path(QStringLiteral("db"))),
                           QStringLiteral("SELECT id FROM orders WHERE amount > :least AND order_date >= :since"));
    AskedParam(q, QStringLiteral("least"), ftInteger);
    AskedParam(q, QStringLiteral("since"), ftDate);
    ui.AnswerInput(QStringLiteral("10"));
    ui.AnswerInput(QStringLiteral("next tuesday"));
    ui.AnswerInput(QStringLiteral("2020-01-01"));
    EXPECT_TRUE(fx.Loader()->GetQueryParameters());
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Invalid value!")});
    const QStringList asked = Inputs(ui);
    ASSERT_EQ(asked.size(), 3);
    EXPECT_TRUE(asked[0].endsWith(QStringLiteral("\"least'\":")));
    EXPECT_TRUE(asked[1].endsWith(QStringLiteral("\"since'\":")));
    EXPECT_EQ(asked[2], asked[1]);
    EXPECT_TRUE(q->Active());
    EXPECT_FALSE(q->ParamByName(QStringLiteral("since")).IsNull());
    EXPECT_EQ(fx.Loader()->PromptedCount(), 2);
    fx.Loader()->ResetQueryParameters();
    EXPECT_TRUE(q->ParamByName(QStringLiteral("least")).IsNull());
    EXPECT_TRUE(q->ParamByName(QStringLiteral("since")).IsNull());
}

TEST(ReportPrint, AFailingRunStillRestoresHandlersAndRemovesTheTemporaryBand) {
    TScriptedInteraction ui;
    TCustomerReport r(QStringLiteral("SELECT name FROM customers ORDER BY id"));
    auto *footer = r.fx.AddBand<TVendamoBand>(rbPageFooter, 10);
    footer->SetNotOnLastPage(true);
    int tag = 0;
    const TMethod app = Handler<QObject *, bool &>([](QObject *, bool &) { throw Exception(QStringLiteral("boom")); }, &tag);
    r.detail->SetBeforePrint(app);
    const QList<TComponent *> before = r.fx.Form()->Components();
    EXPECT_THROW(r.fx.RenderPdf(), Exception);
    EXPECT_EQ(r.fx.Form()->Components(), before);
    EXPECT_EQ(r.fx.Report()->TemporaryBand(), nullptr);
    EXPECT_TRUE(r.detail->BeforePrint() == app);
    EXPECT_FALSE(r.detail->SavedBeforePrint().Assigned());
    EXPECT_FALSE(r.name->OnPrint().Assigned());
}

TEST(ReportPrint, ARunStartedFromThePreviewUsesItsPreparation) {
    TScriptedInteraction ui;
    TCustomerReport r(QStringLiteral("SELECT name FROM customers WHERE city = :city ORDER BY id"));
    AskedParam(r.q, QStringLiteral("city"), ftString);
    QStringList printed;
    bool installedDuringExport = false;
    r.fx.Report()->SetOnPreview(Handler<QObject *>(
        [&](QObject *) {
            const QString file = r.fx.Path(QStringLiteral("from_preview.pdf"));
            r.fx.Report()->ExportToPdf(file);
            installedDuringExport = r.name->OnPrint() == r.name->PrintHandler();
            printed = PdfPages(file);
        },
        &printed));
    ui.AnswerInput(QStringLiteral("Lyon"));
    r.fx.Report()->Preview();
    EXPECT_EQ(ui.Questions().size(), 1);
    EXPECT_TRUE(installedDuringExport);
    EXPECT_TRUE(printed.join(QString()).contains(QStringLiteral("Eriksen")));
    EXPECT_FALSE(r.name->OnPrint().Assigned());
    EXPECT_TRUE(r.q->ParamByName(QStringLiteral("city")).IsNull());
}
