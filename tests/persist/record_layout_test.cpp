// The writer's byte layout, checked against hand-assembled bytes.
#include "persist_fixture.h"

#include "dblib/data_source.h"
#include "dblib/table.h"
#include "host/font.h"
#include "host/pen_brush.h"
#include "persist/graphic_records.h"
#include "persist/record_block.h"

#include <gtest/gtest.h>

namespace {

void MakePlain(TReportForm &f) {
    TReport *r = f.Report;
    r->SetName(QStringLiteral("HandReport"));
    r->SetReportTitle(QStringLiteral("Hand made"));
    r->SetUnits(ruMM);
    r->Page()->SetPaperSize(psA4);
    for (int i : {0, 2, 4, 5}) r->Page()->SetValue(i, 10);
    r->Page()->SetValue(TRepPage::pvColumnSpace, 0);
    r->Font()->SetName(QStringLiteral("Arial"));
    r->Font()->SetSize(10);
    r->Font()->SetColor(0);
    r->Frame()->SetColor(0);
}

TEST(RecordLayout, ReportWithoutBandsIsIdentifierTitleReportRecordAndEndMarker) {
    TReportForm f;
    MakePlain(f);
    const QByteArray expected = HandReportStart().Raw(HandReportRecord()).Word(256).Data();
    EXPECT_EQ(f.Save().toHex(), expected.toHex());
}

TEST(RecordLayout, FontBlockAndNameCharacters) {
    TFont font;
    font.SetName(QStringLiteral("Courier New"));
    font.SetSize(12);
    font.SetColor(0x0000FF);
    font.SetPitch(fpFixed);
    font.SetStyle(fsBold | fsStrikeOut);
    TMemoryStream s;
    WriteFontProperties(s, font);
    EXPECT_EQ(s.Data(), FontBlock(0xFF, -16, 2, 12, 9, "Courier New"));

    // Reading sets the size after the height: the stored size wins.
    TMemoryStream in(FontBlock(0x123456, -40, 1, 9, 4 | 0x40, "Times New Roman"));
    TFont read;
    ReadFontProperties(in, read);
    EXPECT_EQ(read.Size(), 9);
    EXPECT_EQ(read.Height(), -12);
    EXPECT_EQ(read.Color(), 0x123456);
    EXPECT_EQ(read.Pitch(), fpVariable);
    EXPECT_EQ(read.Style(), int(fsUnderline));
    EXPECT_EQ(read.Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(in.Remaining(), 0);
}

TEST(RecordLayout, PlainGraphicRecords) {
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetSize(8);
    font.SetColor(0x010203);
    font.SetStyle(fsItalic);
    TFontRecord fr;
    Assign_Font(fr, font);
    ASSERT_EQ(fr.Size(), 77);
    EXPECT_EQ(fr.Data(), TBytes().Int(0x010203).Word(-11).Fixed("Arial", 66).Byte(0).Word(8).Word(2).Data());
    TFont back;
    Assign_TFont(back, fr);
    EXPECT_TRUE(back.Equals(font));

    TPen pen;
    pen.SetColor(0x00FF00);
    pen.SetMode(pmXor);
    pen.SetStyle(psDot);
    pen.SetWidth(3);
    TPenRecord pr;
    Assign_Pen(pr, pen);
    EXPECT_EQ(pr.Data(), TBytes().Int(0x00FF00).Byte(14).Byte(2).Word(3).Data());
    TPen penBack;
    Assign_TPen(penBack, pr);
    EXPECT_TRUE(penBack.Equals(pen));

    TBrush brush;
    brush.SetColor(0x0000FF);
    brush.SetStyle(bsCross);
    TBrushRecord br;
    Assign_Brush(br, brush);
    EXPECT_EQ(br.Data(), TBytes().Int(0xFF).Byte(6).Data());
    TBrush brushBack;
    Assign_TBrush(brushBack, br);
    EXPECT_TRUE(brushBack.Equals(brush));

    EXPECT_EQ(Min_Int(-3, 2), -3);
    EXPECT_EQ(Max_Int(-3, 2), 2);
}

TEST(RecordLayout, TitleLongerThan255IsCutInTitleAndReportRecord) {
    TReportForm f;
    f.Report->SetReportTitle(QString(300, QLatin1Char('t')));
    const QByteArray bytes = f.Save();
    const QByteArray cut = TBytes().Fixed(QByteArray(255, 't')).Data();
    EXPECT_EQ(bytes.mid(6, 256), cut);
    const int report = FindRecord(bytes, 255, 356);
    ASSERT_GT(report, 0);
    EXPECT_EQ(bytes.mid(report + 4 + 93, 256), cut);
}

// The chunk count of an expression element and the continuation count of a group.
int ExpressionChunks(int length) {
    TReportForm f;
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *e = f.AddElement<TVendamoExpr>(QStringLiteral("E"), band, 0, 0, 10, 5);
    e->SetExpression(QString(length, QLatin1Char('x')));
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 2, 18);
    // header, size word, common block, hint, name "E", font block of "Arial", block offset 16
    const int block = at + 4 + 2 + 69 + 1 + 2 + 12 + int(e->Font()->Name().size());
    return Bin::GetWord(bytes, block + 16);
}

int GroupContinuations(int length) {
    TReportForm f;
    auto *g = f.Add<TVendamoGroup>(QStringLiteral("G"), f.Report);
    g->SetExpression(QString(length, QLatin1Char('g')));
    const QByteArray bytes = f.Save();
    const int sub = int(bytes.indexOf(TBytes().Word(262).Data(), FindRecord(bytes, 101, 321) + 4 + 321));
    return Bin::GetWord(bytes, sub + 2 + 260);
}

TEST(RecordLayout, LongExpressionsAreSplitIn255CharacterChunks) {
    EXPECT_EQ(ExpressionChunks(0), 0);
    EXPECT_EQ(ExpressionChunks(255), 1);
    EXPECT_EQ(ExpressionChunks(256), 2);
    EXPECT_EQ(ExpressionChunks(600), 3);
    EXPECT_EQ(GroupContinuations(255), 0);
    EXPECT_EQ(GroupContinuations(256), 1);
    EXPECT_EQ(GroupContinuations(510), 1);
    EXPECT_EQ(GroupContinuations(511), 2);
}

TEST(RecordLayout, ElementRecordBytes) {
    TReportForm f;
    f.Report->SetUnits(ruMM);
    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *label = f.AddElement<TVendamoLabel>(QStringLiteral("Label1"), band, 5, 2, 30, 5);
    label->SetAutoSize(false);
    label->SetCaption(QStringLiteral("Hello"));
    label->SetSizeValue(3, 30);
    label->SetSizeValue(0, 5);
    label->SetWordWrap(false);
    label->SetColor(0xFFFFFF);
    label->SetTransparent(true);
    label->Font()->SetName(QStringLiteral("Arial"));
    label->Font()->SetSize(10);
    label->Font()->SetColor(0);
    label->SetParentFont(false);
    label->Frame()->SetColor(0);
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 0, 13);
    ASSERT_GT(at, 0);
    const QByteArray expected = HandLabelRecord(1, "Label1", "Hello");
    EXPECT_EQ(bytes.mid(at, expected.size()).toHex().toStdString(), expected.toHex().toStdString());
    EXPECT_EQ(bytes.mid(at + expected.size()), TBytes().Word(256).Data());
}

TEST(RecordLayout, ElementNameIsCutTo63Characters) {
    TReportForm f;
    auto *shape = f.AddElement<TVendamoShape>(QStringLiteral("S") + QString(70, QLatin1Char('x')), f.Report, 0, 0, 5, 5);
    Q_UNUSED(shape);
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 4, 14);
    const int name = at + 4 + 2 + 69 + 1;  // after the empty hint
    EXPECT_EQ(quint8(bytes[name]), 63);
    EXPECT_EQ(bytes.mid(name + 1, 63), QByteArray("S") + QByteArray(62, 'x'));
}

TEST(RecordLayout, EmbeddedImageWithoutPictureHasMarkerNameAndCountZero) {
    TReportForm f;
    f.Designer->SaveImagesInReportfile = true;
    auto *image = f.AddElement<TVendamoImage>(QStringLiteral("Img"), f.Report, 0, 0, 10, 10);
    image->SetFilename(QStringLiteral("logo.bmp"));
    const QByteArray bytes = f.Save();
    const int at = FindRecord(bytes, 5, 3);
    const int strings = at + 4 + 2 + 69 + 1 + 4 + 3;  // hint, name "Img", block
    EXPECT_EQ(bytes.mid(strings), TBytes().Str(QByteArray("\0logo.bmp", 9)).Int(0).Word(256).Data());
}

TEST(RecordLayout, ApplicationDataOnlyWhenTheEventWritesBytes) {
    TReportForm f;
    f.Designer->OnSaveReport = TMethod::FromFunction(std::function<void(TStream *)>([](TStream *) {}), &f);
    EXPECT_EQ(FindRecord(f.Save(), 58, 0), -1);
    f.Designer->OnSaveReport = TMethod::FromFunction(
        std::function<void(TStream *)>([](TStream *s) { s->WriteBytes("abc"); }), &f);
    const QByteArray bytes = f.Save();
    EXPECT_EQ(bytes.mid(262, 7), TBytes().Record(58, 3).Raw("abc").Data());
}

TEST(RecordLayout, DatasourceNumbersOfElements) {
    TForm other;  // destroyed after the report form that refers to it
    TReportForm f;
    auto *internal = new TTable(f.Form.get());
    internal->SetName(QStringLiteral("Internal"));
    auto *internalSource = new TDataSource(f.Form.get());
    internalSource->SetName(QStringLiteral("__DesignerSource"));
    internalSource->SetDataSet(internal);
    auto *foreign = new TTable(&other);
    foreign->SetName(QStringLiteral("Foreign"));
    auto *foreignSource = new TDataSource(&other);
    foreignSource->SetName(QStringLiteral("ForeignSource"));
    foreignSource->SetDataSet(foreign);
    auto *lonely = new TTable(f.Form.get());
    lonely->SetName(QStringLiteral("Lonely"));

    TVendamoBand *band = f.AddBand(QStringLiteral("Detail"), rbDetail);
    auto *a = f.AddElement<TVendamoDBImage>(QStringLiteral("A"), band, 0, 0, 5, 5);
    a->SetDataSet(internal);
    auto *b = f.AddElement<TVendamoDBImage>(QStringLiteral("B"), band, 0, 0, 5, 5);
    b->SetDataSet(foreign);
    auto *c = f.AddElement<TVendamoDBImage>(QStringLiteral("C"), band, 0, 0, 5, 5);
    c->SetDataSet(lonely);
    const QByteArray bytes = f.Save();
    // The designer's data source is neither numbered nor saved.
    EXPECT_EQ(FindRecord(bytes, 50, 1542), -1);
    EXPECT_EQ(internalSource->Tag(), 0);
    auto numberOf = [&](int from) {
        const int at = FindRecord(bytes, 6, 4, from);
        return std::pair<int, int>(at, Bin::GetWord(bytes, at + 4 + 2 + 69 + 1 + 2 + 2));
    };
    const auto [atA, numA] = numberOf(0);
    const auto [atB, numB] = numberOf(atA + 1);
    const auto [atC, numC] = numberOf(atB + 1);
    EXPECT_EQ(numA, 0);
    EXPECT_EQ(numB, 0xFFFF);
    EXPECT_EQ(numC, 0);
    // The dataset's name follows the data field of B.
    EXPECT_NE(bytes.indexOf(TBytes().Str("").Str("Foreign").Data(), atB), -1);
}

TEST(RecordBlock, SizeWordRule) {
    // Fewer bytes than the layout: the rest reads as 0.
    TMemoryStream shortStream(TBytes().Word(3).Byte(1).Byte(2).Byte(3).Byte(9).Data());
    TRecordBlock block(6);
    block.ReadSizedFrom(shortStream);
    EXPECT_EQ(block.Data(), QByteArray::fromHex("010203000000"));
    EXPECT_EQ(Bin::ReadByte(shortStream), 9);
    // More bytes than the layout: the block's length is read and the rest skipped.
    TMemoryStream longStream(TBytes().Word(5).Raw("abcde").Byte(7).Data());
    TRecordBlock two(2);
    two.ReadSizedFrom(longStream);
    EXPECT_EQ(two.Data(), QByteArray("ab"));
    EXPECT_EQ(Bin::ReadByte(longStream), 7);
    // A size beyond the end of the stream is an error, not a silent end.
    TMemoryStream truncated(TBytes().Word(50).Raw("abc").Data());
    EXPECT_THROW(block.ReadSizedFrom(truncated), EReportFileError);
}

}  // namespace
