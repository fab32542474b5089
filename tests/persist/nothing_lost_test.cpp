// Loading and saving lose nothing: settings that could not be applied, values that do not
// convert, names the form cannot take, counts below zero, references past data sources without
// datasets, datasets of other owners, and application data too large for its record.
#include "persist_fixture.h"

#include "dblib/data_source.h"
#include "dblib/query.h"
#include "dblib/table.h"
#include "host/format_settings.h"
#include "persist/dataset_records.h"
#include "persist/element_streams.h"
#include "persist/report_reader.h"
#include "persist/report_writer.h"
#include "test_paths.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

// A table record on a database that does not exist, so that the table never opens.
QByteArray UnreachableTableRecord(const QByteArray &name, int number) {
    TBytes t;
    t.Record(50, 1542).Fixed(name).Word(number).Fixed("NO_SUCH_DATABASE_ANYWHERE").Fixed("orders.db");
    t.Fixed("").Fixed("").Word(0).Fixed("").Byte(0).Byte(0);
    return t.Data();
}

QByteArray DataFieldRecord(const QByteArray &field, const QByteArray &format, const QByteArray &label, int precision,
                           bool visible) {
    TBytes f;
    f.Record(10, 771).Fixed(field).Fixed(format).Fixed(label).Word(precision).Byte(visible ? 1 : 0);
    return f.Data();
}

// The common block and strings of an element, for hand-made element records.
TBytes CommonPart(int bandNum, const QByteArray &name) {
    TBytes b;
    b.Word(69).Word(bandNum).Byte(1).Ext(1).Ext(1).Ext(20).Ext(5);
    b.Int(0).Zeros(5).Word(1).Zeros(7).Int(0).Int(0);
    b.Str("").Str(name);
    return b;
}

TEST(NothingLost, FieldSettingsOfADatasetThatDidNotOpenAreSavedAgainUnchanged) {
    TReportForm f;
    TScriptedInteraction ui;
    const QByteArray hidden = DataFieldRecord("Amount", "#,##0.00", "Betrag", 2, false);
    const QByteArray labelled = DataFieldRecord("Customer", "", "Kunde", 15, true);
    TBytes b = HandReportStart();
    b.Raw(UnreachableTableRecord("Orders", 1)).Raw(hidden).Raw(labelled);
    b.Raw(HandReportRecord()).Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    EXPECT_FALSE(ui.Errors().isEmpty());  // the table did not open, and says so
    auto *orders = f.Find<TTable>(QStringLiteral("Orders"));
    ASSERT_NE(orders, nullptr);
    EXPECT_FALSE(orders->Active());

    const QByteArray saved = f.Save();
    const int first = FindRecord(saved, 10, 771);
    ASSERT_GT(first, 0);
    EXPECT_EQ(saved.mid(first, hidden.size()), hidden);
    EXPECT_EQ(saved.mid(first + hidden.size(), labelled.size()), labelled);
    // Loaded and saved once more, they are still there, once each.
    ASSERT_TRUE(f.Load(saved));
    EXPECT_EQ(f.Save(), saved);
}

TEST(NothingLost, QueryParameterValuesTravelBetweenLocalesAndABadOneCostsOnlyItself) {
    // The settings go back to what they were however the test ends.
    struct TKeepFormatSettings {
        const TFormatSettings Saved = FormatSettings;
        ~TKeepFormatSettings() { FormatSettings = Saved; }
    } keep;
    QByteArray saved;
    {
        // Saved where dates read day first and the decimal separator is a comma.
        FormatSettings.DecimalSeparator = QLatin1Char(',');
        FormatSettings.ThousandSeparator = QLatin1Char('.');
        FormatSettings.DateSeparator = QLatin1Char('.');
        FormatSettings.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
        TReportForm f;
        auto *q = new TQuery(f.Form.get());
        q->SetName(QStringLiteral("Sales"));
        q->SetDatabaseName(QStringLiteral("NO_SUCH_DATABASE_ANYWHERE"));
        q->SQL()->SetText(QStringLiteral("SELECT * FROM sales WHERE Day = :Day AND Rate > :Rate AND At < :At"));
        q->ParamByName(QStringLiteral("Day")).SetDataType(ftDate);
        q->ParamByName(QStringLiteral("Day")).SetAsDateTime(DateTimeFromQDate(QDate(2024, 12, 31)));
        q->ParamByName(QStringLiteral("Rate")).SetDataType(ftFloat);
        q->ParamByName(QStringLiteral("Rate")).SetAsFloat(1.25);
        q->ParamByName(QStringLiteral("At")).SetDataType(ftDateTime);
        q->ParamByName(QStringLiteral("At")).SetAsDateTime(
            DateTimeFromQDateTime(QDateTime(QDate(2025, 1, 2), QTime(13, 45, 30))));
        auto *ds = new TDataSource(f.Form.get());
        ds->SetName(QStringLiteral("SalesSource"));
        ds->SetDataSet(q);
        saved = f.Save();
    }
    FormatSettings = TFormatSettings();  // loaded where months come first and the separator is a point
    TReportForm g;
    TScriptedInteraction ui;
    ASSERT_TRUE(g.Load(saved));
    auto *q = g.Find<TQuery>(QStringLiteral("Sales"));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(QDateFromDateTime(q->ParamByName(QStringLiteral("Day")).AsDateTime()), QDate(2024, 12, 31));
    EXPECT_DOUBLE_EQ(q->ParamByName(QStringLiteral("Rate")).AsFloat(), 1.25);
    EXPECT_EQ(QDateTimeFromDateTime(q->ParamByName(QStringLiteral("At")).AsDateTime()),
              QDateTime(QDate(2025, 1, 2), QTime(13, 45, 30)));

    // A value that is no date leaves that parameter empty, says so, and the report loads.
    TBytes b = HandReportStart();
    TBytes query;
    query.Fixed("Q").Word(1).Fixed("NO_SUCH_DATABASE_ANYWHERE").Word(0).Word(2).Byte(0).Word(1).Byte(0).Byte(0);
    b.Record(53, 523).Raw(query.Data());
    b.Fixed("SELECT * FROM t WHERE Day = :Day AND No = :No");
    b.Fixed("Day").Byte(ftDate).Fixed("the day after tomorrow", 255).Byte(1).Byte(0);
    b.Fixed("No").Byte(ftInteger).Fixed("42", 255).Byte(1).Byte(0);
    b.Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail")).Word(256);
    TScriptedInteraction messages;
    ASSERT_TRUE(g.Load(b.Data()));
    q = g.Find<TQuery>(QStringLiteral("Q"));
    ASSERT_NE(q, nullptr);
    EXPECT_TRUE(q->ParamByName(QStringLiteral("Day")).IsNull());
    EXPECT_EQ(q->ParamByName(QStringLiteral("No")).AsInteger(), 42);
    EXPECT_NE(g.Find<TVendamoBand>(QStringLiteral("Detail")), nullptr);
    ASSERT_FALSE(messages.Errors().isEmpty());
    EXPECT_TRUE(messages.Errors().first().contains(QStringLiteral("the day after tomorrow")))
        << messages.Errors().first().toStdString();
    EXPECT_TRUE(messages.Errors().first().contains(QStringLiteral("Day")));
}

TEST(NothingLost, ServerConnectionTextsAreNoPaths) {
    const QString socket = QStringLiteral("postgres:host=/run/postgresql;dbname=sales;user=report");
    EXPECT_EQ(StoredDatabaseName(socket), socket);
    EXPECT_EQ(StoredDatabaseName(QStringLiteral("POSTGRES:host=/tmp")), QStringLiteral("POSTGRES:host=/tmp"));
}

TEST(NothingLost, DataSourcesWithoutDatasetsDoNotShiftTheNumbers) {
    TReportForm f;
    TScriptedInteraction ui;
    auto *unbound = new TDataSource(f.Form.get());
    unbound->SetName(QStringLiteral("Unbound"));
    auto *table = new TTable(f.Form.get());
    table->SetName(QStringLiteral("Orders"));
    table->SetDatabaseName(QStringLiteral("NO_SUCH_DATABASE_ANYWHERE"));
    table->SetTableName(QStringLiteral("orders.db"));
    auto *source = new TDataSource(f.Form.get());
    source->SetName(QStringLiteral("OrdersSource"));
    source->SetDataSet(table);
    f.Report->SetDataSet(table);
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *text = f.AddElement<TVendamoDBText>(QStringLiteral("Amount"), band, 1, 1, 20, 5);
    text->SetDataSet(table);
    text->SetDataField(QStringLiteral("Amount"));
    const QByteArray saved = f.Save();
    const int record = FindRecord(saved, 50, 1542);
    ASSERT_GT(record, 0);
    EXPECT_EQ(saved.mid(record + 4 + 256, 2), TBytes().Word(1).Data());  // the first data source written

    TReportForm g;
    // The loading form holds a data source without a dataset of its own; it counts no more.
    auto *own = new TDataSource(g.Form.get());
    own->SetName(QStringLiteral("ApplicationSource"));
    ASSERT_TRUE(g.Load(saved));
    auto *loaded = g.Find<TTable>(QStringLiteral("Orders"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(g.Report->DataSet(), loaded);
    auto *loadedText = g.Find<TVendamoDBText>(QStringLiteral("Amount"));
    ASSERT_NE(loadedText, nullptr);
    EXPECT_EQ(loadedText->DataSet(), loaded);
}

TEST(NothingLost, LoadingFreesOnlyTheFormsOwnDatasets) {
    TForm dataModule;
    auto *shared = new TTable(&dataModule);
    shared->SetName(QStringLiteral("Shared"));
    TReportForm f;
    TScriptedInteraction ui;
    // The application bound a data source of the report form to its data module's table.
    auto *source = new TDataSource(f.Form.get());
    source->SetName(QStringLiteral("SharedSource"));
    source->SetDataSet(shared);
    QPointer<TTable> alive(shared);
    ASSERT_TRUE(f.Load(HandReportStart().Raw(HandReportRecord()).Word(256).Data()));
    EXPECT_FALSE(alive.isNull());
    EXPECT_EQ(shared->Owner(), &dataModule);
}

TEST(NothingLost, NamesTheFormCannotTakeBecomeUniqueValidNames) {
    TReportForm f;
    TScriptedInteraction ui;
    TBytes b = HandReportStart().Raw(HandReportRecord());
    b.Raw(HandBandRecord(1, rbDetail, "D\xc3\xa9tailBand"));
    b.Raw(HandBandRecord(2, rbSummary, "9 totals"));
    b.Raw(HandLabelRecord(1, "Designer", "named like the form's designer"));
    b.Raw(HandLabelRecord(1, "Caption", "first"));
    b.Raw(HandLabelRecord(2, "Caption", "second"));
    b.Word(256);
    ASSERT_TRUE(f.Load(b.Data()));
    auto *detail = f.Find<TVendamoBand>(QStringLiteral("DetailBand"));
    ASSERT_NE(detail, nullptr);
    auto *summary = f.Find<TVendamoBand>(QStringLiteral("_9totals"));
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(f.Find<TVendamoLabel>(QStringLiteral("Designer1"))->Caption(), QStringLiteral("named like the form's designer"));
    EXPECT_EQ(f.Find<TTestDesigner>(QStringLiteral("Designer")), f.Designer);
    EXPECT_EQ(f.Find<TVendamoLabel>(QStringLiteral("Caption"))->parent(), detail);
    EXPECT_EQ(f.Find<TVendamoLabel>(QStringLiteral("Caption1"))->Caption(), QStringLiteral("second"));
    EXPECT_EQ(f.Find<TVendamoLabel>(QStringLiteral("Caption1"))->parent(), summary);
    EXPECT_TRUE(ui.Errors().isEmpty());
}

TEST(NothingLost, CountsBelowZeroAreNoItemsAndTooLargeOnesAreRefused) {
    TReportForm f;
    TScriptedInteraction ui;
    TBytes b = HandReportStart().Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail"));
    b.Record(7, 15).Raw(CommonPart(1, "Memo1").Data()).Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    b.Zeros(4).Int(0xFFFFFF).Zeros(3).Int(-3);  // memo lines: -3
    b.Record(5, 3).Raw(CommonPart(1, "Picture1").Data()).Zeros(3);
    b.Str(QByteArray("\0logo.bmp", 9)).Int(-1);  // embedded picture of -1 bytes
    b.Raw(HandLabelRecord(1, "After", "read on"));
    ASSERT_TRUE(f.Load(TBytes(b).Word(256).Data()));
    ASSERT_NE(f.Find<TVendamoMemo>(QStringLiteral("Memo1")), nullptr);
    EXPECT_EQ(f.Find<TVendamoMemo>(QStringLiteral("Memo1"))->Lines()->Count(), 0);
    ASSERT_NE(f.Find<TVendamoImage>(QStringLiteral("Picture1")), nullptr);
    EXPECT_EQ(f.Find<TVendamoImage>(QStringLiteral("Picture1"))->Filename(), QStringLiteral("logo.bmp"));
    EXPECT_NE(f.Find<TVendamoLabel>(QStringLiteral("After")), nullptr);

    // More lines than the stream holds cannot be read: refused as before.
    TBytes damaged = HandReportStart().Raw(HandReportRecord()).Raw(HandBandRecord(1, rbDetail, "Detail"));
    damaged.Record(7, 15).Raw(CommonPart(1, "Memo1").Data()).Raw(FontBlock(0, -13, 0, 10, 0, "Arial"));
    damaged.Zeros(4).Int(0xFFFFFF).Zeros(3).Int(1000000).Str("one");
    EXPECT_FALSE(f.Load(damaged.Data()));
}

TEST(NothingLost, CopyingKeepsADatasetWithoutADataSourceOnTheDatabaseOwner) {
    TForm owner;
    auto *lonely = new TTable(&owner);
    lonely->SetName(QStringLiteral("Lonely"));
    TReportForm f;
    f.Designer->SetDatabaseOwner(&owner);
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *text = f.AddElement<TVendamoDBText>(QStringLiteral("Text"), band, 1, 1, 10, 5);
    text->SetDataSet(lonely);
    TMemoryStream s;
    ASSERT_TRUE(CopyElementsToStream(f.Designer, {text}, s));
    EXPECT_EQ(text->DataSet(), lonely);
    ASSERT_TRUE(CopyElementsToStream(f.Designer, {band}, s));
    EXPECT_EQ(text->DataSet(), lonely);
    f.Designer->SetDatabaseOwner(nullptr);
}

TEST(NothingLost, ApplicationDataTooLargeForItsRecordFailsTheSaveClearly) {
    TestDir dir;
    TReportForm f;
    f.AddBand(QStringLiteral("Detail"), rbDetail);
    QByteArray data(65535, 'x');
    f.Designer->OnSaveReport = TMethod::FromFunction(
        std::function<void(TStream *)>([&data](TStream *s) { s->WriteBytes(data); }), &data);
    {
        TScriptedInteraction ui;
        const QByteArray saved = f.Save();
        const int at = FindRecord(saved, 58, 65535);
        ASSERT_GT(at, 0);
        EXPECT_EQ(saved.mid(at + 4, 65535), data);
        EXPECT_TRUE(ui.Errors().isEmpty());
        WriteWholeFile(dir.Path("report.QR2"), saved);
    }
    data.append('y');
    TScriptedInteraction ui;
    EXPECT_TRUE(f.Save().isEmpty());
    ASSERT_FALSE(ui.Errors().isEmpty());
    EXPECT_TRUE(ui.Errors().first().contains(QStringLiteral("65536"))) << ui.Errors().first().toStdString();
    // Saving to a file fails and leaves the previous report as it was.
    const QByteArray before = ReadWholeFile(dir.Path("report.QR2"));
    EXPECT_FALSE(Save_Report(f.Designer, f.Form.get(), dir.Path("report.QR2"), nullptr));
    EXPECT_EQ(ReadWholeFile(dir.Path("report.QR2")), before);
}

}  // namespace
