// Every way of printing a design report prepares it and starts each pass the same way: saving
// or printing from the preview window, copies printed as passes of their own, printing on a
// given printer and exporting again all give the text of a plain export.
#include "form_queries.h"
#include "model_fixture.h"

#include "model/vendamo_text_elements.h"

#include "reportlib/rep_preview_window.h"
#include "reportlib/rep_sysdata.h"

#include "host/scripted_interaction.h"

#include <QPrinter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A printer dialog answered with a PDF file in place of the printer.
class TPdfPrinterInteraction : public TScriptedInteraction {
public:
    QString PrinterFile;
    bool PrinterSetup(QPrinter &printer) override {
        if (!TScriptedInteraction::PrinterSetup(printer)) return false;
        printer.setOutputFileName(PrinterFile);
        return true;
    }
};

// Customers, two to a page, from every city but the one asked for; a header whose child band
// leaves out page 1, a detail condition, a shop name printed only when it changes, numbers left
// blank when zero, and a page footer that leaves out the last page.
class PrintPaths : public ::testing::Test {
protected:
    void SetUp() override {
        q = SourcedQuery(fx.Form(), "Customers", SalesDatabaseBeside(fx.Path("db")),
                         "SELECT id, name, 'Shop' AS shop, (id - 1) * 111 AS points FROM customers "
                         "WHERE city <> :skip ORDER BY id");
        AskedParam(q, "skip", ftString);
        fx.Report()->SetDataSet(q);
        auto *header = fx.AddBand<TVendamoBand>(rbPageHeader, 8);
        fx.Label(header, "HEADER", 0);
        auto *notFirst = fx.AddBand<TVendamoChildBand>(8);
        notFirst->SetParentBand(header);
        notFirst->SetNotOnFirstPage(true);
        fx.Label(notFirst, "CONTINUED", 0);
        auto *detail = fx.AddBand<TVendamoBand>(rbDetail, 100);
        detail->SetExpression("id <> 2");
        Field(detail, "name", 0);
        Field(detail, "shop", 50)->SetSuppressRepeatedValues(true);
        Field(detail, "points", 100)->SetBlankIfZero(true);
        auto *footer = fx.AddBand<TVendamoBand>(rbPageFooter, 8);
        footer->SetNotOnLastPage(true);
        auto *page = fx.Add<TRepSysData>(footer, 0);
        page->SetData(TRepSysData::sdPageNumber);
        page->SetText("FOOTER ");
    }
    TVendamoDBText *Field(QWidget *band, const QString &field, double left) {
        auto *t = fx.Add<TVendamoDBText>(band, left);
        t->SetDataSet(q);
        t->SetDataField(field);
        return t;
    }
    // A preview whose window runs the script, with "Lyon" given for the parameter.
    void PreviewWith(std::function<void(TRepPreviewWindow &)> script) {
        ui.AnswerInput("Lyon");
        ui.AnswerDialog([script](QDialog &dialog) {
            script(static_cast<TRepPreviewWindow &>(dialog));
            return int(QDialog::Accepted);
        });
        fx.Report()->Preview();
    }
    QStringList PrintedTo(const QString &name, int copies) {
        const QString file = fx.Path(name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        fx.Report()->PrinterSettings()->SetCopies(copies);
        fx.Report()->PrintTo(printer);
        fx.Report()->PrinterSettings()->SetCopies(1);
        return PdfPages(file);
    }

    TPdfPrinterInteraction ui;
    TModelFixture fx;
    TQuery *q = nullptr;
};

// The pages' text as one string, for readable failures.
std::string Text(const QStringList &pages) { return pages.join(QStringLiteral("\n<page>\n")).toStdString(); }

}  // namespace

TEST_F(PrintPaths, EveryPathPrintsWhatAPlainExportPrints) {
    ui.AnswerInput("Lyon");
    const QStringList plain = fx.RenderPdf("plain.pdf");
    // Anders, Chen | Fischer, Garcia | Hansen: Baker fails the condition, Lyon is left out.
    ASSERT_EQ(plain.size(), 3);
    const QString all = Squeeze(plain.join(' '));
    EXPECT_TRUE(InOrder(all, {"HEADER", "Anders Shop", "Chen 222", "FOOTER 1", "HEADER", "CONTINUED",
                              "Fischer 555", "Garcia 666", "FOOTER 2", "HEADER", "CONTINUED", "Hansen 777"}))
        << all.toStdString();
    EXPECT_FALSE(plain[2].contains("FOOTER"));
    EXPECT_EQ(all.count("Shop"), 1);
    EXPECT_FALSE(all.contains("Baker") || all.contains("Dubois"));
    EXPECT_FALSE(all.contains("Anders Shop 0"));

    // Saving and printing from the preview window; the parameter is asked once, for the preview.
    QStringList saved, printed;
    PreviewWith([&](TRepPreviewWindow &window) {
        EXPECT_EQ(window.PageCount(), 3);
        ui.AnswerFile(fx.Path("saved.pdf"));
        QTest::mouseClick(window.Button("SavePdf"), Qt::LeftButton);
        saved = PdfPages(fx.Path("saved.pdf"));
        ui.PrinterFile = fx.Path("printed.pdf");
        ui.AnswerOk();
        QTest::mouseClick(window.Button("Print"), Qt::LeftButton);
        printed = PdfPages(ui.PrinterFile);
    });
    EXPECT_EQ(Text(saved), Text(plain));
    EXPECT_EQ(Text(printed), Text(plain));

    // Two copies printed as two passes (a file printer cannot make copies): both as the plain
    // export. Printing on a given printer asks for the parameter as every run does.
    ui.AnswerInput("Lyon");
    const QStringList copies = PrintedTo("copies.pdf", 2);
    EXPECT_EQ(Text(copies.mid(0, 3)), Text(plain));
    EXPECT_EQ(Text(copies.mid(3)), Text(plain));
    ui.AnswerInput("Lyon");
    EXPECT_EQ(Text(PrintedTo("printto.pdf", 1)), Text(plain));

    // Exporting again after all that.
    ui.AnswerInput("Lyon");
    EXPECT_EQ(Text(fx.RenderPdf("again.pdf")), Text(plain));

    int asked = 0;
    for (const auto &question : ui.Questions()) asked += question.Kind == "input";
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(ui.Errors(), QStringList());
    EXPECT_EQ(ui.Pending(), 0);
    // Every run put the application's state back.
    EXPECT_EQ(fx.Report()->TemporaryBand(), nullptr);
    EXPECT_TRUE(q->ParamByName("skip").IsNull());
}

TEST_F(PrintPaths, ACancelledPreviewShowsNothing) {
    ui.AnswerCancel();
    fx.Report()->Preview();
    // No window was opened: the only question was the parameter.
    ASSERT_EQ(ui.Questions().size(), 1);
    EXPECT_EQ(ui.Questions()[0].Kind, "input");
    EXPECT_EQ(ui.Pending(), 0);
}
