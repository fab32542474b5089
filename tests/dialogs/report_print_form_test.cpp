// The print form: its report and loader as applications get them, loading through the loader
// with the form's own message texts, and the datasets of other owners that expressions may use
// in a run.
#include "report_fixture.h"
#include "test_paths.h"

#include "dialogs/report_print_form.h"

#include "model/design_report.h"
#include "model/loader.h"
#include "model/vendamo_bands.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_writer.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "host/forms.h"
#include "host/scripted_interaction.h"
#include "reportlib/rep_page.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TQuery *CustomerQuery(TComponent *owner, const QString &name, const QString &db, const QString &where) {
    auto *q = new TQuery(owner);
    q->SetName(name);
    q->SetDatabaseName(db);
    q->SQL()->SetText(QStringLiteral("SELECT name FROM customers WHERE ") + where);
    return q;
}

// A title band printing an expression, built on the print form's report.
void TitleExpression(TReportPrintForm &form, const QString &expression) {
    auto *title = new TVendamoBand(&form);
    title->SetBandType(rbTitle);
    title->SetHeightMM(10);
    title->SetParent(form.DesignReport());
    auto *expr = new TVendamoExpr(&form);
    expr->SetParent(title);
    expr->SetSizeMM(3, 60);
    expr->SetExpression(expression);
}

}  // namespace

TEST(ReportPrintForm, HoldsAReportWithItsDefaultsAndALoaderBoundToIt) {
    TReportPrintForm form;
    TDesignReport *report = form.DesignReport();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->Name(), QStringLiteral("DesignReport"));
    EXPECT_EQ(report->Units(), ruMM);
    EXPECT_EQ(report->Page()->PaperSize(), int(psA4));
    EXPECT_EQ(report->Page()->Orientation(), TRepPage::poPortrait);
    EXPECT_EQ(report->Page()->Columns(), 1);
    for (int value : {TRepPage::pvTopMargin, TRepPage::pvBottomMargin, TRepPage::pvLeftMargin, TRepPage::pvRightMargin})
        EXPECT_DOUBLE_EQ(report->Page()->ValueMM(value), 10.0) << value;
    EXPECT_EQ(report->Zoom(), 100);
    EXPECT_EQ(report->Options(), TReport::FirstPageHeader | TReport::LastPageFooter);
    EXPECT_TRUE(report->PrintIfEmpty());

    TVDMLoader *loader = form.VDMLoader1();
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->Name(), QStringLiteral("VDMLoader1"));
    EXPECT_EQ(loader->Report(), report);
    EXPECT_EQ(report->Loader(), loader);
    EXPECT_FALSE(loader->UseDataModules());
    EXPECT_FALSE(loader->SaveLoadPrinterSetup());
    EXPECT_EQ(loader->RuntimeMessages()->Count(), 132);
    EXPECT_EQ(loader->Message(QStringLiteral("Error in reportfile")), QStringLiteral("Error in reportfile!"));
    // Two print forms live side by side, each with its own report.
    TReportPrintForm second;
    EXPECT_NE(second.DesignReport(), report);
    EXPECT_EQ(second.VDMLoader1()->Report(), second.DesignReport());
}

TEST(ReportPrintForm, LoadsReportFilesAndReportsFailuresInItsOwnWords) {
    TestDir dir;
    const QString db = CreateSalesDatabase(dir.Path(QString()));
    const QString file = dir.Path(QStringLiteral("list.QR2"));
    {
        TReportPrintForm author;
        TQuery *q = CustomerQuery(&author, QStringLiteral("Customers"), db, QStringLiteral("city = 'Oslo'"));
        auto *source = new TDataSource(&author);
        source->SetName(QStringLiteral("CustomersSource"));
        source->SetDataSet(q);
        author.DesignReport()->SetDataSet(q);
        author.DesignReport()->SetReportTitle(QStringLiteral("Oslo customers"));
        ASSERT_TRUE(Save_Report(author.VDMLoader1(), &author, file, nullptr));
    }
    TScriptedInteraction ui;
    TReportPrintForm form;
    ASSERT_TRUE(form.VDMLoader1()->LoadReport(file));
    EXPECT_EQ(form.DesignReport()->ReportTitle(), QStringLiteral("Oslo customers"));
    ASSERT_NE(form.DesignReport()->DataSet(), nullptr);
    EXPECT_EQ(static_cast<TComponent *>(form.DesignReport()->DataSet())->Owner(), static_cast<TComponent *>(&form));

    EXPECT_FALSE(form.VDMLoader1()->LoadReport(dir.Path(QStringLiteral("missing.QR2"))));
    EXPECT_EQ(ui.Errors(), QStringList{QStringLiteral("Reportfile %1 not found!").arg(dir.Path(QStringLiteral("missing.QR2")))});
}

TEST(ReportPrintForm, RunsSeeTheDatasetsOfTheDatabaseOwnerAndOfDataModulesWhenAllowed) {
    TestDir dir;
    const QString db = CreateSalesDatabase(dir.Path(QString()));
    auto owner = std::make_unique<TDataModule>();
    CustomerQuery(owner.get(), QStringLiteral("Owned"), db, QStringLiteral("city = 'Lyon'"))->Open();
    auto module = std::make_unique<TDataModule>();
    CustomerQuery(module.get(), QStringLiteral("Shared"), db, QStringLiteral("city = 'Oslo'"))->Open();

    const auto render = [&](TReportPrintForm &form, const QString &name) {
        form.DesignReport()->ExportToPdf(dir.Path(name));
        const QStringList pages = PdfPages(dir.Path(name));
        return pages.isEmpty() ? QString() : pages[0];
    };

    TReportPrintForm form;
    TitleExpression(form, QStringLiteral("Owned.name + ' / ' + Shared.name"));
    // Neither dataset is the form's own: the expression cannot be evaluated.
    EXPECT_FALSE(render(form, QStringLiteral("none.pdf")).contains(QStringLiteral("Dubois")));

    form.VDMLoader1()->SetDatabaseOwner(owner.get());
    form.VDMLoader1()->SetUseDataModules(true);
    const QString both = render(form, QStringLiteral("both.pdf"));
    EXPECT_TRUE(both.contains(QStringLiteral("Dubois / Fischer"))) << both.toStdString();

    // A data module that closes leaves the report's datasets with it.
    module.reset();
    EXPECT_FALSE(render(form, QStringLiteral("after.pdf")).contains(QStringLiteral("Fischer")));
}
