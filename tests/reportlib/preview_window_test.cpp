// The preview window driven like a user would: mouse clicks, keys and scripted answers to its
// questions (printer setup, file name, errors).
#include "report_fixture.h"

#include "reportlib/rep_preview_window.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

#include "host/scripted_interaction.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A report of n pages, each a full-page detail band and a footer saying "Page <n>".
void MakePagedReport(TReportFixture &fx, int pages) {
    TQuery *q = fx.Query("Numbers", CreateSalesDatabase(fx.Path(QString())),
                         QStringLiteral("SELECT id FROM customers WHERE id <= %1 ORDER BY id").arg(pages));
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 200);
    auto *shape = fx.Add<TRepShape>(detail, 0, 0, 190, 200);
    shape->SetShape(TRepShape::stRectangle);
    auto *page = fx.Add<TRepSysData>(fx.Band(rbPageFooter, 10), 0);
    page->SetData(TRepSysData::sdPageNumber);
    page->SetText("Page ");
}

void Click(QWidget *w) {
    ASSERT_NE(w, nullptr);
    const QPointF at = QRectF(w->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

void Key(QWidget *w, int key, const QString &text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
}

// The printer dialog as a user fills it in: records what it was offered, then picks pages
// and copies. Save dialogs record the filter they offer.
class TUserInteraction : public TScriptedInteraction {
public:
    int OfferedFrom = -1, OfferedTo = -1, OfferedCopies = -1;
    int ChooseFrom = 0, ChooseTo = 0, ChooseCopies = 1;
    QString OfferedFilter;
    QPageSize::PageSizeId OfferedPaper = QPageSize::Custom;

    bool PrinterSetup(QPrinter &printer) override {
        if (!TScriptedInteraction::PrinterSetup(printer)) return false;
        const bool range = printer.printRange() == QPrinter::PageRange;
        OfferedFrom = range ? printer.fromPage() : 0;
        OfferedTo = range ? printer.toPage() : 0;
        OfferedCopies = printer.copyCount();
        OfferedPaper = printer.pageLayout().pageSize().id();
        printer.setPrintRange(ChooseFrom > 0 ? QPrinter::PageRange : QPrinter::AllPages);
        if (ChooseFrom > 0) printer.setFromTo(ChooseFrom, ChooseTo);
        printer.setCopyCount(ChooseCopies);
        return true;
    }
    bool SaveFileName(const TFileDialogOptions &options, QString &fileName) override {
        OfferedFilter = options.Filter;
        return TScriptedInteraction::SaveFileName(options, fileName);
    }
};

}  // namespace

TEST(RepPreviewWindow, PreviewRunsTheWindowModallyWithPageNavigation) {
    TReportFixture fx;
    MakePagedReport(fx, 4);
    TScriptedInteraction script;
    QStringList seen;
    script.AnswerDialog([&](QDialog &dialog) {
        auto *w = qobject_cast<TRepPreviewWindow *>(&dialog);
        if (!w) return int(QDialog::Rejected);
        w->show();
        auto status = [w] { return w->StatusLabel()->text(); };
        seen << status();
        Click(w->Button("Next"));
        seen << status();
        Click(w->Button("Last"));
        seen << status();
        seen << QString::number(w->Button("Next")->isEnabled());
        Click(w->Button("Next"));   // disabled at the last page
        seen << status();
        Key(w->ScrollArea(), Qt::Key_PageUp);
        seen << status();
        Key(w->ScrollArea(), Qt::Key_Home);
        seen << status();
        Key(w->ScrollArea(), Qt::Key_PageDown);
        seen << status();
        Key(w->ScrollArea(), Qt::Key_End);
        seen << status();
        Click(w->Button("Prior"));
        seen << status();
        Click(w->Button("First"));
        seen << status();
        w->PageField()->setValue(2);
        seen << status();
        // Out-of-range page numbers stay on the pages there are.
        w->SetCurrentPage(99);
        seen << status();
        Click(w->Button("Close"));
        return w->result();
    });
    fx.Report()->Preview();
    ASSERT_EQ(script.Questions().size(), 1);
    EXPECT_EQ(script.Questions()[0].Kind, "dialog");
    EXPECT_EQ(script.Questions()[0].Text, "TRepPreviewWindow");
    EXPECT_EQ(seen, QStringList({"Page 1 of 4", "Page 2 of 4", "Page 4 of 4", "0", "Page 4 of 4", "Page 3 of 4",
                                 "Page 1 of 4", "Page 2 of 4", "Page 4 of 4", "Page 3 of 4", "Page 1 of 4",
                                 "Page 2 of 4", "Page 4 of 4"}));
}

TEST(RepPreviewWindow, ZoomModesResizeThePage) {
    TReportFixture fx;
    MakePagedReport(fx, 2);
    fx.Report()->Prepare();
    TRepPreviewWindow w(fx.Report());
    w.resize(900, 600);
    w.show();
    QWidget *page = w.PageWidget();
    // 100%: A4 at 96 pixels per inch.
    EXPECT_EQ(page->size(), QSize(794, 1123));
    Key(w.ScrollArea(), Qt::Key_Plus, "+");
    EXPECT_EQ(w.Zoom(), 125);
    EXPECT_EQ(page->width(), qRound(210 / 25.4 * 96 * 1.25));
    Click(w.Button("ZoomOut"));
    Click(w.Button("ZoomOut"));
    EXPECT_EQ(w.Zoom(), 75);
    Key(w.ScrollArea(), Qt::Key_Minus, "-");
    EXPECT_EQ(w.Zoom(), 50);
    EXPECT_EQ(page->width(), 397);

    const QSize area = w.ScrollArea()->maximumViewportSize();
    w.ZoomBox()->setCurrentIndex(w.ZoomBox()->findText("Whole page"));
    EXPECT_EQ(w.ZoomMode(), TRepPreviewWindow::zmWholePage);
    EXPECT_LE(page->height(), area.height());
    EXPECT_GT(page->height(), area.height() - 30);
    const int whole = page->width();
    w.ZoomBox()->setCurrentIndex(w.ZoomBox()->findText("Page width"));
    EXPECT_LE(page->width(), area.width());
    EXPECT_GT(page->width(), area.width() - 50);
    EXPECT_GT(page->width(), whole);
    // The fitting modes follow the window's size.
    const int before = page->width();
    w.resize(1200, 600);
    EXPECT_GT(page->width(), before + 250);
    // Zooming from a fitting mode steps from the fitted size and leaves the mode.
    const int fitted = w.Zoom();
    Click(w.Button("ZoomIn"));
    EXPECT_EQ(w.ZoomMode(), TRepPreviewWindow::zmPercent);
    EXPECT_GT(w.Zoom(), fitted);
    w.SetZoom(100000);
    EXPECT_EQ(w.Zoom(), TRepPreviewWindow::MaxZoom);
    EXPECT_FALSE(w.Button("ZoomIn")->isEnabled());
}

TEST(RepPreviewWindow, SaveAsPdfWritesTheReportOrNothing) {
    TReportFixture fx;
    MakePagedReport(fx, 3);
    fx.Report()->Prepare();
    TRepPreviewWindow w(fx.Report());
    TUserInteraction script;

    const QString cancelled = fx.Path("cancelled.pdf");
    script.AnswerCancel();
    Click(w.Button("SavePdf"));
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_EQ(script.OfferedFilter, "PDF files (*.pdf)");

    const QString file = fx.Path("saved.pdf");
    script.AnswerFile(file);
    Click(w.Button("SavePdf"));
    const QStringList pages = PdfPages(file);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(Squeeze(pages[2]), "Page 3");
    EXPECT_TRUE(script.Errors().isEmpty());

    // A place that cannot be written is reported, not passed over.
    script.AnswerFile("/nonexistent-dir/x.pdf");
    EXPECT_FALSE(w.SaveAsPdf());
    EXPECT_EQ(script.Errors().size(), 1);
    EXPECT_EQ(script.Pending(), 0);
}

TEST(RepPreviewWindow, PrintsThePagesAndCopiesChosenInThePrinterDialog) {
    TReportFixture fx;
    MakePagedReport(fx, 4);
    fx.Report()->Page()->SetPaperSize(psLetter);
    fx.Report()->Prepare();
    fx.Report()->PrinterSettings()->SetFirstPage(1);
    fx.Report()->PrinterSettings()->SetLastPage(2);
    TRepPreviewWindow w(fx.Report());
    TUserInteraction script;
    const QString file = fx.Path("printed.pdf");
    auto pdfPrinter = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    };

    {   // Cancelled: nothing printed.
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer);
        script.AnswerCancel();
        w.Print(printer);
        EXPECT_FALSE(QFile::exists(file));
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer);
        script.AnswerOk();
        script.ChooseFrom = 2;
        script.ChooseTo = 3;
        script.ChooseCopies = 2;
        w.Print(printer);
    }
    // The dialog offered the report's own range and copies.
    EXPECT_EQ(script.OfferedFrom, 1);
    EXPECT_EQ(script.OfferedTo, 2);
    EXPECT_EQ(script.OfferedCopies, 1);
    EXPECT_EQ(script.OfferedPaper, QPageSize::Letter);
    const QStringList pages = PdfPages(file);
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(Squeeze(pages[0]), "Page 2");
    EXPECT_EQ(Squeeze(pages[1]), "Page 3");
    EXPECT_EQ(Squeeze(pages[3]), "Page 3");
    EXPECT_TRUE(script.Errors().isEmpty());
    // The choice was for this print only.
    EXPECT_EQ(fx.Report()->PrinterSettings()->FirstPage(), 1);
    EXPECT_EQ(fx.Report()->PrinterSettings()->LastPage(), 2);
    EXPECT_EQ(fx.Report()->PrinterSettings()->Copies(), 1);
    // The preview still shows every page of the report.
    EXPECT_EQ(w.PageCount(), 4);
    EXPECT_EQ(fx.Report()->PreviewPages().size(), 4);
}

TEST(RepPreviewWindow, EmptyWindowWithoutAReport) {
    TRepPreviewWindow w(nullptr);
    EXPECT_EQ(w.StatusLabel()->text(), "No pages");
    EXPECT_EQ(w.PageCount(), 0);
    EXPECT_FALSE(w.Button("Print")->isEnabled());
    EXPECT_FALSE(w.SaveAsPdf());
    Key(w.ScrollArea(), Qt::Key_End);
    EXPECT_EQ(w.CurrentPage(), 1);
}
