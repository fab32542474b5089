// The vendamo tool as users run it: info, resave and title on files made by the writer and by
// hand, exit statuses, and messages on stderr.
#include "full_report.h"

#include "demo_database.h"
#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/session.h"
#include "test_paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int Status = -1;
    QString Out;
    QString Err;
};

TRun Vendamo(const QStringList &args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("VENDAMO_ALIASES"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VENDAMO_BIN), args);
    p.closeWriteChannel();  // nothing may wait for input
    TRun run;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.Status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Out = QString::fromUtf8(p.readAllStandardOutput());
    run.Err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Lines of stderr that are the tool's own messages.
QStringList Messages(const TRun &run) {
    QStringList lines;
    for (const QString &line : run.Err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.startsWith(QLatin1String("vendamo: "))) lines << line.mid(9);
    return lines;
}

QString DemoAliasOption() {
    DefineDemoAlias();
    return QStringLiteral("PERSISTDEMO=") + Session().AliasParams(QStringLiteral("PERSISTDEMO")).filter(QStringLiteral("PATH=")).value(0).mid(5);
}

QByteArray FullReportFile() {
    TScriptedInteraction ui;
    TReportForm f;
    BuildFullReport(f);
    return f.Save();
}

QByteArray HandMadeFile() {
    TBytes b = HandReportStart("Hand made report");
    b.Raw(HandReportRecord());
    b.Raw(HandBandRecord(1, 0, "Heading", 15)).Raw(HandBandRecord(2, 2, "Body", 8));
    b.Raw(HandLabelRecord(1, "Caption", "Hello from a hand-made file", 10, 3, 80, 6));
    b.Raw(HandLabelRecord(2, "Value", "42", 10, 1, 20, 5));
    b.Word(256);
    return b.Data();
}

TEST(VendamoTool, HelpForEveryCommand) {
    const TRun overview = Vendamo({QStringLiteral("--help")});
    EXPECT_EQ(overview.Status, 0);
    for (const QString &command : {QStringLiteral("info"), QStringLiteral("resave"), QStringLiteral("title")}) {
        EXPECT_TRUE(overview.Out.contains(command));
        const TRun help = Vendamo({command, QStringLiteral("--help")});
        EXPECT_EQ(help.Status, 0) << command.toStdString();
        EXPECT_TRUE(help.Out.startsWith(QStringLiteral("Usage: vendamo ") + command));
    }
    EXPECT_EQ(Vendamo({QStringLiteral("info")}).Status, 2);
    EXPECT_EQ(Vendamo({QStringLiteral("frobnicate")}).Status, 2);
}

TEST(VendamoTool, TitleOfWriterMadeAndHandMadeFiles) {
    TestDir dir;
    WriteWholeFile(dir.Path("full.QR2"), FullReportFile());
    WriteWholeFile(dir.Path("hand.QR2"), HandMadeFile());
    TRun run = Vendamo({QStringLiteral("title"), dir.Path("full.QR2")});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, QStringLiteral("Customers and their orders — Überblick\n"));
    run = Vendamo({QStringLiteral("title"), dir.Path("hand.QR2")});
    EXPECT_EQ(run.Out, QStringLiteral("Hand made report\n"));
    run = Vendamo({QStringLiteral("title"), dir.Path("missing.QR2")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Messages(run).size(), 1);
}

TEST(VendamoTool, InfoJsonOfAWriterMadeReport) {
    TestDir dir;
    WriteWholeFile(dir.Path("full.QR2"), FullReportFile());
    const TRun run = Vendamo({QStringLiteral("info"), dir.Path("full.QR2"), QStringLiteral("--json"),
                              QStringLiteral("--alias"), DemoAliasOption()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(Messages(run).isEmpty()) << run.Err.toStdString();
    const QJsonObject info = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(info[QStringLiteral("title")].toString(), QStringLiteral("Customers and their orders — Überblick"));
    EXPECT_EQ(info[QStringLiteral("units")].toString(), QStringLiteral("inches"));
    EXPECT_EQ(info[QStringLiteral("page")].toObject()[QStringLiteral("width")].toDouble(), 8.5);
    EXPECT_EQ(info[QStringLiteral("page")].toObject()[QStringLiteral("orientation")].toString(), QStringLiteral("landscape"));
    EXPECT_EQ(info[QStringLiteral("dataset")].toString(), QStringLiteral("Customers"));

    const QJsonArray datasets = info[QStringLiteral("datasets")].toArray();
    ASSERT_EQ(datasets.size(), 4);
    EXPECT_EQ(datasets[0].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("table"));
    EXPECT_EQ(datasets[0].toObject()[QStringLiteral("database")].toString(), QStringLiteral("PERSISTDEMO"));
    EXPECT_TRUE(datasets[0].toObject()[QStringLiteral("open")].toBool());
    EXPECT_EQ(datasets[2].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("query"));
    EXPECT_EQ(datasets[3].toObject()[QStringLiteral("kind")].toString(), QStringLiteral("wizard query"));

    const QJsonArray bands = info[QStringLiteral("bands")].toArray();
    ASSERT_EQ(bands.size(), 13);
    EXPECT_EQ(bands[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("TitleBand"));
    EXPECT_EQ(bands[0].toObject()[QStringLiteral("type")].toString(), QStringLiteral("Title"));
    EXPECT_EQ(bands[0].toObject()[QStringLiteral("height")].toDouble(), 1.25);
    EXPECT_EQ(bands[3].toObject()[QStringLiteral("class")].toString(), QStringLiteral("TVendamoGroup"));

    const QJsonArray elements = info[QStringLiteral("elements")].toArray();
    ASSERT_EQ(elements.size(), 11);
    const QJsonObject watermark = elements[0].toObject();  // on the report itself, written first
    EXPECT_EQ(watermark[QStringLiteral("name")].toString(), QStringLiteral("Watermark"));
    EXPECT_EQ(watermark[QStringLiteral("band")].toString(), QString());
    EXPECT_EQ(watermark[QStringLiteral("content")].toString(), QStringLiteral("DRAFT"));
    QStringList kinds;
    for (const QJsonValue &e : elements) kinds << e.toObject()[QStringLiteral("kind")].toString();
    for (const char *kind : {"label", "data text", "expression", "system data", "memo", "shape", "image",
                                "data image", "rich text", "data rich text"})
        EXPECT_TRUE(kinds.contains(QLatin1String(kind))) << kind;
    for (const QJsonValue &v : elements) {
        const QJsonObject e = v.toObject();
        if (e[QStringLiteral("name")].toString() == QLatin1String("Company")) {
            EXPECT_EQ(e[QStringLiteral("content")].toString(), QStringLiteral("Customers.Company"));
            EXPECT_EQ(e[QStringLiteral("band")].toString(), QStringLiteral("Detail"));
            EXPECT_DOUBLE_EQ(e[QStringLiteral("left")].toDouble(), 0.1);
        }
    }
}

TEST(VendamoTool, InfoOfAHandMadeReportAsTextAndJson) {
    TestDir dir;
    WriteWholeFile(dir.Path("hand.QR2"), HandMadeFile());
    TRun run = Vendamo({QStringLiteral("info"), dir.Path("hand.QR2")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(QStringLiteral("Title: Hand made")));
    EXPECT_TRUE(run.Out.contains(QStringLiteral("label Caption on Heading at 10, 3 size 80 x 6: Hello from a hand-made file")));
    run = Vendamo({QStringLiteral("info"), QStringLiteral("--json"), dir.Path("hand.QR2")});
    const QJsonObject info = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(info[QStringLiteral("units")].toString(), QStringLiteral("mm"));
    ASSERT_EQ(info[QStringLiteral("bands")].toArray().size(), 2);
    EXPECT_EQ(info[QStringLiteral("bands")].toArray()[1].toObject()[QStringLiteral("type")].toString(), QStringLiteral("Detail"));
    ASSERT_EQ(info[QStringLiteral("elements")].toArray().size(), 2);
    EXPECT_EQ(info[QStringLiteral("elements")].toArray()[1].toObject()[QStringLiteral("band")].toString(), QStringLiteral("Body"));
}

TEST(VendamoTool, ResaveKeepsAWriterMadeReportByteForByte) {
    TestDir dir;
    const QByteArray original = FullReportFile();
    WriteWholeFile(dir.Path("full.QR2"), original);
    const TRun run = Vendamo({QStringLiteral("resave"), dir.Path("full.QR2"), dir.Path("copy.QR2"),
                              QStringLiteral("--embed-images"), QStringLiteral("--alias"), DemoAliasOption()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(ReadWholeFile(dir.Path("copy.QR2")) == original);
    // Without --embed-images the picture the file carries stays in it.
    ASSERT_EQ(Vendamo({QStringLiteral("resave"), dir.Path("full.QR2"), dir.Path("plain.QR2"), QStringLiteral("--alias"),
                       DemoAliasOption()}).Status, 0);
    EXPECT_TRUE(ReadWholeFile(dir.Path("plain.QR2")) == original);
    // Without the database the datasets do not open; their field settings are written back all
    // the same.
    const TRun offline = Vendamo({QStringLiteral("resave"), dir.Path("full.QR2"), dir.Path("offline.QR2")});
    ASSERT_EQ(offline.Status, 0) << offline.Err.toStdString();
    EXPECT_FALSE(Messages(offline).filter(QRegularExpression(QStringLiteral("^Error opening table customer.db: "))).isEmpty())
        << offline.Err.toStdString();
    EXPECT_TRUE(ReadWholeFile(dir.Path("offline.QR2")) == original);
}

TEST(VendamoTool, ResaveOfAHandMadeReportWritesTheCurrentLayout) {
    TestDir dir;
    WriteWholeFile(dir.Path("hand.QR2"), HandMadeFile());
    ASSERT_EQ(Vendamo({QStringLiteral("resave"), dir.Path("hand.QR2"), dir.Path("out.QR2")}).Status, 0);
    const TRun before = Vendamo({QStringLiteral("info"), QStringLiteral("--json"), dir.Path("hand.QR2")});
    const TRun after = Vendamo({QStringLiteral("info"), QStringLiteral("--json"), dir.Path("out.QR2")});
    EXPECT_EQ(after.Status, 0);
    EXPECT_EQ(before.Out, after.Out);
    // Saving again gives the same bytes.
    ASSERT_EQ(Vendamo({QStringLiteral("resave"), dir.Path("out.QR2"), dir.Path("again.QR2")}).Status, 0);
    EXPECT_TRUE(ReadWholeFile(dir.Path("out.QR2")) == ReadWholeFile(dir.Path("again.QR2")));
}

TEST(VendamoTool, ReportsThatDoNotLoadAndDatasetsThatDoNotOpen) {
    TestDir dir;
    WriteWholeFile(dir.Path("damaged.QR2"), HandMadeFile().left(300));
    TRun run = Vendamo({QStringLiteral("info"), dir.Path("damaged.QR2")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Messages(run), QStringList{QStringLiteral("Error in report file!")});
    run = Vendamo({QStringLiteral("resave"), dir.Path("missing.QR2"), dir.Path("out.QR2")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Messages(run), QStringList{QStringLiteral("Report file %1 not found!").arg(dir.Path("missing.QR2"))});
    EXPECT_FALSE(QFile::exists(dir.Path("out.QR2")));

    // Without the alias the datasets do not open: they are reported and still listed.
    WriteWholeFile(dir.Path("full.QR2"), FullReportFile());
    run = Vendamo({QStringLiteral("info"), QStringLiteral("--json"), dir.Path("full.QR2")});
    EXPECT_EQ(run.Status, 0);
    EXPECT_FALSE(Messages(run).filter(QRegularExpression(QStringLiteral("^Error opening table customer.db: .*PERSISTDEMO"))).isEmpty())
        << run.Err.toStdString();
    const QJsonArray datasets = QJsonDocument::fromJson(run.Out.toUtf8()).object()[QStringLiteral("datasets")].toArray();
    ASSERT_EQ(datasets.size(), 4);
    EXPECT_FALSE(datasets[0].toObject()[QStringLiteral("open")].toBool());
}

TEST(VendamoTool, AReportWhoseQueryDeletesRowsChangesNothing) {
    TestDir dir;
    DemoDatabase::WriteDirectory(dir.Path("tables"));
    const QString count = QStringLiteral("SELECT count(*) FROM parts");
    auto rows = [&] {
        TQuery q;
        q.SetDatabaseName(dir.Path("tables"));
        q.SQL()->SetText(count);
        q.Open();
        const int n = int(q.Field(0)->AsInteger());
        q.Close();
        Session().CloseDatabase(dir.Path("tables"));
        return n;
    };
    {
        TScriptedInteraction ui;
        TReportForm f;
        auto *purge = new TQuery(f.Form.get());
        purge->SetName(QStringLiteral("Purge"));
        purge->SetDatabaseName(dir.Path("tables"));
        purge->SQL()->SetText(QStringLiteral("DELETE FROM parts"));
        auto *ds = new TDataSource(f.Form.get());
        ds->SetName(QStringLiteral("PurgeDatasource"));
        ds->SetDataSet(purge);
        WriteWholeFile(dir.Path("purge.QR2"), f.Save());
    }
    ASSERT_EQ(rows(), DemoDatabase::kParts);
    for (const QStringList &args : {QStringList{QStringLiteral("info"), dir.Path("purge.QR2")},
                                    QStringList{QStringLiteral("resave"), dir.Path("purge.QR2"), dir.Path("again.QR2")}}) {
        const TRun run = Vendamo(args);
        EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
        ASSERT_EQ(Messages(run).size(), 1) << run.Err.toStdString();
        EXPECT_TRUE(Messages(run)[0].startsWith(QStringLiteral("Error opening query Purge: Data cannot be changed here")))
            << run.Err.toStdString();
        EXPECT_EQ(rows(), DemoDatabase::kParts);
    }
}

}  // namespace

namespace {
QString PdfText(const QString &file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

TEST(VendamoTool, RenderPrintsAHandMadeReportToPdfAndPng) {
    TestDir dir;
    WriteWholeFile(dir.Path("hand.QR2"), HandMadeFile());
    const TRun run = Vendamo({QStringLiteral("render"), dir.Path("hand.QR2"), QStringLiteral("-o"),
                              dir.Path("hand.pdf"), QStringLiteral("--png"), dir.Path("pages")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QFileInfo(dir.Path("hand.pdf")).absoluteFilePath() + QLatin1Char('\n'));
    const QString text = PdfText(dir.Path("hand.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Hello from a hand-made file"))) << text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.Path("pages/page-0001.png")));
}

TEST(VendamoTool, RenderReportsAnExpressionTheEvaluatorRejects) {
    // The full report's band condition names "PageNumber", which is no field or function: the
    // run stops with the evaluator's message instead of printing a wrong report.
    TestDir dir;
    WriteWholeFile(dir.Path("full.QR2"), FullReportFile());
    const TRun run = Vendamo({QStringLiteral("render"), dir.Path("full.QR2"), QStringLiteral("-o"), dir.Path("full.pdf"),
                              QStringLiteral("--alias"), DemoAliasOption()});
    EXPECT_EQ(run.Status, 1);
    ASSERT_FALSE(Messages(run).isEmpty());
    EXPECT_TRUE(Messages(run).join('\n').contains(QStringLiteral("PageNumber"))) << run.Err.toStdString();
}

TEST(VendamoTool, RenderRefusesBadUsageAndReportsThatDoNotLoad) {
    TestDir dir;
    EXPECT_EQ(Vendamo({QStringLiteral("render"), dir.Path("x.QR2")}).Status, 2);  // no -o
    EXPECT_EQ(Vendamo({QStringLiteral("render"), dir.Path("x.QR2"), QStringLiteral("-o")}).Status, 2);
    const TRun missing = Vendamo({QStringLiteral("render"), dir.Path("none.QR2"), QStringLiteral("-o"), dir.Path("o.pdf")});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_FALSE(Messages(missing).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.Path("o.pdf")));
}

namespace {
// A report listing the customers of one country, chosen by the query parameter :Country.
QByteArray CountryReportFile() {
    DefineDemoAlias();
    TScriptedInteraction ui;
    TReportForm f;
    auto *query = new TQuery(f.Form.get());
    query->SetName(QStringLiteral("ByCountry"));
    query->SetDatabaseName(QStringLiteral("PERSISTDEMO"));
    query->SQL()->SetText(QStringLiteral("SELECT * FROM \"customer.db\" WHERE Country = :Country ORDER BY CustNo"));
    // Bound but empty: the value must come from the user before every run.
    query->ParamByName(QStringLiteral("Country")).SetDataType(ftString);
    query->ParamByName(QStringLiteral("Country")).SetBound(true);
    auto *source = new TDataSource(f.Form.get());
    source->SetName(QStringLiteral("ByCountrySource"));
    source->SetDataSet(query);
    f.Report->SetDataSet(query);
    TVendamoBand *detail = f.AddBand(QStringLiteral("Detail"), rbDetail, 8);
    auto *text = f.AddElement<TVendamoDBText>(QStringLiteral("City"), detail, 5, 1, 60, 6);
    text->SetDataSet(query);
    text->SetDataField(QStringLiteral("City"));
    return f.Save();
}
}  // namespace

TEST(VendamoTool, RenderTakesQueryParametersAndNeverAsks) {
    TestDir dir;
    WriteWholeFile(dir.Path("country.QR2"), CountryReportFile());
    const TRun missing = Vendamo({QStringLiteral("render"), dir.Path("country.QR2"), QStringLiteral("-o"),
                                  dir.Path("none.pdf"), QStringLiteral("--alias"), DemoAliasOption()});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_TRUE(Messages(missing).join('\n').contains(QStringLiteral("--param"))) << missing.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.Path("none.pdf")));

    const TRun given = Vendamo({QStringLiteral("render"), dir.Path("country.QR2"), QStringLiteral("-o"),
                                dir.Path("austria.pdf"), QStringLiteral("--alias"), DemoAliasOption(),
                                QStringLiteral("--param"), QStringLiteral("Country=Austria")});
    ASSERT_EQ(given.Status, 0) << given.Err.toStdString();
    const QString text = PdfText(dir.Path("austria.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Vienna"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Canberra")));
}
