// Output of a run: preview pictures, PDF files, PNG pages and printing with page range and
// copies (through a printer writing a PDF file).
#include "report_fixture.h"

#include "reportlib/rep_png_filter.h"
#include "reportlib/rep_printer_setup.h"
#include "reportlib/rep_preview_sink.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"

#include "test_paths.h"

#include "host/exceptions.h"

#include <QImage>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

// A report of n pages, each saying "Page <n>" in its page footer and holding one detail band
// that fills the page.
void MakePagedReport(TReportFixture &fx, int pages) {
    TQuery *q = fx.Query("Numbers", CreateSalesDatabase(fx.Path(QString())),
                         QStringLiteral("SELECT id FROM customers WHERE id <= %1 ORDER BY id").arg(pages));
    fx.Report()->SetDataSet(q);
    TRepBand *detail = fx.Band(rbDetail, 200);
    auto *shape = fx.Add<TRepShape>(detail, 0, 0, 190, 200);
    shape->Brush()->SetColor(clBlue);
    shape->SetShape(TRepShape::stRectangle);
    TRepBand *footer = fx.Band(rbPageFooter, 10);
    auto *page = fx.Add<TRepSysData>(footer, 0);
    page->SetData(TRepSysData::sdPageNumber);
    page->SetText("Page ");
}

}  // namespace

TEST(RepOutput, PreviewKeepsOnePicturePerPage) {
    TReportFixture fx;
    MakePagedReport(fx, 3);
    fx.Report()->Prepare();
    ASSERT_EQ(fx.Report()->PreviewPages().size(), 3);
    EXPECT_EQ(fx.Report()->PageCount(), 3);
    // A page replays into an image: the blue rectangle fills most of it.
    QImage image(210, 297, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RepPlayPreviewPage(painter, *fx.Report()->PreviewPages()[1], fx.Report()->PreviewPaperMM(), QRectF(image.rect()));
    painter.end();
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
    // The footer text is in the picture too (dark pixels below the rectangle, above 287 mm).
    int dark = 0;
    for (int y = 278; y < 287; ++y)
        for (int x = 10; x < 60; ++x)
            if (qGray(image.pixel(x, y)) < 160) ++dark;
    EXPECT_GT(dark, 5);
    // Preview with a handler calls it instead of opening the window.
    int previews = 0;
    fx.Report()->SetOnPreview(TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([&](QObject *) { ++previews; }), &previews));
    fx.Report()->Preview();
    EXPECT_EQ(previews, 1);
}

TEST(RepOutput, ACancelledRunShowsNoPreview) {
    TReportFixture fx;
    MakePagedReport(fx, 2);
    int previews = 0;
    fx.Report()->SetOnPreview(
        TMethod::FromFunction<QObject *>(std::function<void(QObject *)>([&](QObject *) { ++previews; }), &previews));
    fx.Report()->Preview();
    EXPECT_EQ(previews, 1);
    fx.Report()->SetBeforePrint(TMethod::FromFunction<QObject *, bool &>(
        std::function<void(QObject *, bool &)>([](QObject *, bool &print) { print = false; }), &previews));
    EXPECT_FALSE(fx.Report()->Prepare());
    fx.Report()->Preview();
    EXPECT_EQ(previews, 1);
    // The pages of the last run stay.
    EXPECT_EQ(fx.Report()->PreviewPages().size(), 2);
}

TEST(RepOutput, PngExportWritesEveryPage) {
    TReportFixture fx;
    MakePagedReport(fx, 2);
    const QString dir = fx.Path("png");
    fx.Report()->ExportToPng(dir, 50);
    const QImage first(dir + "/page-0001.png");
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.width(), qRound(210 / 25.4 * 50));
    EXPECT_EQ(first.pixelColor(first.width() / 2, first.height() / 2), QColor(Qt::blue));
    EXPECT_TRUE(QFile::exists(dir + "/page-0002.png"));
    EXPECT_FALSE(QFile::exists(dir + "/page-0003.png"));
    // A pattern names the files itself.
    TRepPngFilter filter(fx.Path("p%1.png"), 30);
    fx.Report()->ExportToFilter(filter);
    EXPECT_EQ(filter.Files(), QStringList({fx.Path("p0001.png"), fx.Path("p0002.png")}));
}

TEST(RepOutput, PdfIntoAnUnwritablePlaceRaises) {
    TReportFixture fx;
    MakePagedReport(fx, 1);
    EXPECT_THROW(fx.Report()->ExportToPdf("/nonexistent-dir/x.pdf"), Exception);
    // The report is usable again afterwards.
    EXPECT_FALSE(fx.Report()->Running());
    EXPECT_EQ(fx.RenderPdf().size(), 1);
}

TEST(RepOutput, PrintingHonoursPageRangeAndCopies) {
    TReportFixture fx;
    MakePagedReport(fx, 4);
    fx.Report()->PrinterSettings()->SetFirstPage(2);
    fx.Report()->PrinterSettings()->SetLastPage(3);
    fx.Report()->PrinterSettings()->SetCopies(2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = fx.Path("printed.pdf");
    printer.setOutputFileName(file);
    fx.Report()->PrintTo(printer);
    const QStringList pages = PdfPages(file);
    ASSERT_EQ(pages.size(), 4);   // pages 2 and 3, twice, collated
    EXPECT_EQ(Squeeze(pages[0]), "Page 2");
    EXPECT_EQ(Squeeze(pages[1]), "Page 3");
    EXPECT_EQ(Squeeze(pages[2]), "Page 2");
    EXPECT_EQ(Squeeze(pages[3]), "Page 3");
    EXPECT_EQ(fx.Report()->PageCount(), 4);
}

TEST(RepOutput, PdfEmbedsTheFonts) {
    TReportFixture fx;
    fx.Label(fx.Band(rbTitle, 10), "Embedded", 0);
    const QString file = fx.Path("fonts.pdf");
    fx.Report()->ExportToPdf(file);
    const QByteArray pdf = ReadWholeFile(file);
    EXPECT_TRUE(pdf.contains("/FontFile2")) << "font program embedded";
    EXPECT_TRUE(pdf.contains("LiberationSans"));
}

TEST(RepOutput, PrinterSetupReadsBackInReportTerms) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF()));
    printer.setCopyCount(3);
    TRepPrinterSetup setup = TRepPrinterSetup::FromPrinter(printer);
    EXPECT_EQ(setup.PaperSize, psLetter);
    EXPECT_EQ(setup.Orientation, poLandscape);
    EXPECT_EQ(setup.Copies, 3);
    EXPECT_NEAR(setup.PaperLengthMM, 279.4, 0.1);
    printer.setPageLayout(QPageLayout(QPageSize(QSizeF(100, 150), QPageSize::Millimeter), QPageLayout::Portrait, QMarginsF()));
    setup = TRepPrinterSetup::FromPrinter(printer);
    EXPECT_EQ(setup.PaperSize, psCustom);
    EXPECT_NEAR(setup.PaperWidthMM, 100, 0.1);
}
