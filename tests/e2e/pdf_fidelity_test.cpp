// `vendamo render` with Vendamo's PDF writer against the same run with QPdfWriter
// (--pdf-engine qt), for every demo report and the 1,000-row order list: the same words, pages
// that look the same at 100 dpi, every font embedded as a subset with its ToUnicode map, and a
// file qpdf finds sound.
#include "demo_database.h"
#include "list_report.h"
#include "list_workload.h"
#include "pdf_checks.h"
#include "report_form.h"
#include "test_paths.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "model/vendamo_picture_elements.h"
#include "model/vendamo_text_elements.h"
#include "persist/report_writer.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Renders report into pdf with the tool; empty when it succeeded, else what it said.
QString Render(const QString &report, const QString &pdf, const QStringList &extra) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("VENDAMO_ALIASES"));
    tool.setProcessEnvironment(env);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(VENDAMO_BIN), QStringList{QStringLiteral("render"), report, QStringLiteral("-o"), pdf} + extra);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(120000)) {
        tool.kill();
        tool.waitForFinished();
        return QStringLiteral("did not finish");
    }
    return tool.exitCode() == 0 ? QString() : QString::fromUtf8(tool.readAll());
}

// Both writers' output of one report, compared.
void ExpectSameOutput(const QString &report, const QStringList &extra) {
    SCOPED_TRACE(report.toStdString());
    TestDir out;
    const QString own = out.Path(QStringLiteral("own.pdf")), qt = out.Path(QStringLiteral("qt.pdf"));
    ASSERT_EQ(Render(report, own, extra), QString());
    ASSERT_EQ(Render(report, qt, extra + QStringList{QStringLiteral("--pdf-engine"), QStringLiteral("qt")}), QString());
    const QStringList words = PdfWordList(own);
    EXPECT_FALSE(words.isEmpty());
    EXPECT_EQ(words, PdfWordList(qt));
    EXPECT_LT(PdfPixelDifference(own, qt), 0.005);
    EXPECT_EQ(PdfFontProblems(own), QStringList());
    EXPECT_FALSE(PdfFontNames(own).isEmpty());
    EXPECT_EQ(QpdfProblems(own), QString());
}

TEST(PdfFidelity, EveryDemoReportComesOutAsWithQPdfWriter) {
    TestDir data;
    const QString tables = DemoDatabase::Create(data.Path());
    const QDir reports(QStringLiteral(DEMO_REPORTS_DIR));
    const QStringList files = reports.entryList({QStringLiteral("*.QR2")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files)
        ExpectSameOutput(reports.filePath(file), {QStringLiteral("--alias"), QStringLiteral("DEMODB=") + tables});
}

TEST(PdfFidelity, TheOrderListComesOutAsWithQPdfWriter) {
    TestDir dir;
    const QString db = dir.Path(QStringLiteral("orders.sqlite"));
    const QString report = dir.Path(QStringLiteral("orders.QR2"));
    ListWorkload::CreateTable(db, 1000);
    {
        TBenchReportForm f;
        auto *query = new TQuery(f.Form.get());
        TListReportBuilder<TVendamoBand, TVendamoLabel, TVendamoDBText, TVendamoExpr, TVendamoShape, TVendamoSysdata>(
            f.Form.get(), f.Report)
            .Build(query, db, TRepBand::rbColumnHeader);
        auto *source = new TDataSource(f.Form.get());
        source->SetName(QStringLiteral("OrdersSource"));
        source->SetDataSet(query);
        f.NameComponents();
        ASSERT_TRUE(Save_Report(f.Loader, f.Form.get(), report, nullptr));
    }
    ExpectSameOutput(report, {});
}

TEST(PdfFidelity, TheToolRefusesAnUnknownPdfEngine) {
    TestDir dir;
    const QString said = Render(dir.Path(QStringLiteral("none.QR2")), dir.Path(QStringLiteral("x.pdf")),
                                {QStringLiteral("--pdf-engine"), QStringLiteral("cairo")});
    EXPECT_TRUE(said.contains(QStringLiteral("--pdf-engine takes vendamo or qt"))) << said.toStdString();
}

}  // namespace
