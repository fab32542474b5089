#include "persist/band_records.h"

#include "persist/band_numbers.h"
#include "persist/datasource_numbers.h"
#include "persist/graphic_records.h"
#include "persist/record_block.h"
#include "persist/report_records.h"
#include "persist/stored_names.h"
#include "persist/text_chunks.h"

#include "host/class_registry.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "model/lookup_helpers.h"
#include "model/report_constants.h"
#include "reportlib/rep_band.h"

namespace {

const QString ExpressionProp = QStringLiteral("Expression");
const QString StartPageNumProp = QStringLiteral("StartPageNum");
const QString EndPageNumProp = QStringLiteral("EndPageNum");
const QString PageStepProp = QStringLiteral("PageStep");
const QString NotOnFirstPageProp = QStringLiteral("NotOnFirstPage");
const QString NotOnLastPageProp = QStringLiteral("NotOnLastPage");
const QString HeaderBandProp = QStringLiteral("HeaderBand");
const QString FooterBandProp = QStringLiteral("FooterBand");
const QString ParentBandProp = QStringLiteral("ParentBand");
const QString MasterProp = QStringLiteral("Master");
const QString BandBaseName = QStringLiteral("BAND");
constexpr int PenStyleCount = 7;

// Band types of the file for the band classes of their own.
constexpr quint8 GroupType = rbGroupHeader;
constexpr quint8 SubDetailType = rbSubDetail;
constexpr quint8 ChildType = rbChild;

void WriteGroupSub(TStream &s, TRepGroup *g) {
    const QStringList chunks = SplitTextChunks(g->Expression());
    TRecordBlock b(BlockSize::GroupSub);
    b.SetString(0, chunks.value(0));
    b.SetWord(256, g->FooterBand() ? BandNumOf(g->FooterBand()) : NoBandNum);
    b.SetWord(258, MasterNumber(g->Master()));
    b.SetWord(260, quint16(qMax(0, int(chunks.size()) - 1)));
    Bin::WriteWord(s, BlockSize::GroupSub);
    b.WriteTo(s);
    for (int i = 1; i < chunks.size(); ++i) Bin::WriteShortString(s, chunks[i]);
}

void WriteSubDetailSub(TStream &s, TRepSubDetail *d, TComponent *form) {
    const int number = DatasetReferenceNumber(form, d->DataSet());
    TRecordBlock b(BlockSize::SubDetailSub);
    b.SetWord(0, quint16(number));
    b.SetWord(2, d->FooterBand() ? BandNumOf(d->FooterBand()) : NoBandNum);
    b.SetWord(4, d->HeaderBand() ? BandNumOf(d->HeaderBand()) : NoBandNum);
    b.SetWord(6, MasterNumber(d->Master()));
    b.SetFlag(8, d->PrintBefore());
    b.SetFlag(9, d->PrintIfEmpty());
    Bin::WriteWord(s, BlockSize::SubDetailSub);
    b.WriteTo(s);
    if (number == -1) Bin::WriteShortString(s, d->DataSet()->Name());
}

void Park(QList<TempLinkClass> &list, QObject *element, quint16 number) {
    if (number != NoBandNum) list.append({element, number});
}

QString ClassNameForBand(bool ownClass, quint8 type) {
    if (!ownClass) return QStringLiteral("TVendamoBand");
    switch (type) {
    case GroupType: return QStringLiteral("TVendamoGroup");
    case SubDetailType: return QStringLiteral("TVendamoSubdetail");
    case ChildType: return QStringLiteral("TVendamoChildBand");
    default: throw EReportFileError(QStringLiteral("Band record of its own class with type %1").arg(type));
    }
}

void ReadGroupSub(TStream &s, TRepGroup *g, const TBandReadContext &ctx) {
    TRecordBlock b(BlockSize::GroupSub);
    b.ReadSizedFrom(s);
    QString expression = b.String(0);
    Park(ctx.Links->FooterBands, g, b.Word(256));
    Park(ctx.Links->Masters, g, b.Word(258));
    const int chunks = b.Word(260);
    CheckCount(s, chunks, 1);
    for (int i = 0; i < chunks; ++i) expression += Bin::ReadShortString(s);
    g->SetExpression(expression);
}

void ReadSubDetailSub(TStream &s, TRepSubDetail *d, const TBandReadContext &ctx) {
    TRecordBlock b(BlockSize::SubDetailSub);
    b.ReadSizedFrom(s);
    d->SetPrintIfEmpty(b.Flag(9));
    const quint16 number = b.Word(0);
    if (number == DatasourceByName)
        d->SetDataSet(FindDatasetByName(ctx.Loader, Bin::ReadShortString(s)));
    else if (number != 0)
        d->SetDataSet(ReportDatasetByNum(ctx.ReportForm, number, ctx.Loader));
    Park(ctx.Links->HeaderBands, d, b.Word(4));
    Park(ctx.Links->FooterBands, d, b.Word(2));
    Park(ctx.Links->Masters, d, b.Word(6));
    d->SetPrintBefore(b.Flag(8));
}

}  // namespace

void WriteBandRecord(TStream &Stream, TRepBand *Band, TComponent *ReportForm) {
    using namespace ElementProperty;
    auto *group = qobject_cast<TRepGroup *>(Band);
    auto *subDetail = qobject_cast<TRepSubDetail *>(Band);
    auto *child = qobject_cast<TRepChildBand *>(Band);
    const bool ownClass = group || subDetail || child;
    const quint8 type = group ? GroupType : subDetail ? SubDetailType : child ? ChildType : quint8(Band->BandType());
    // A group's print-condition string is the start of its group expression.
    const QString expression =
        group ? SplitTextChunks(group->Expression()).value(0) : GetStringProperty(Band, ExpressionProp);

    TRecordBlock b(BlockSize::Band);
    b.SetWord(0, BandNumOf(Band));
    b.SetFlag(2, Band->PrintAtBottom());
    b.SetFlag(3, ownClass);
    b.SetByte(4, type);
    b.SetFlag(5, GetBooleanProperty(Band, BlockChange));
    b.SetFlag(6, GetBooleanProperty(Band, BlockDelete));
    b.SetFlag(7, GetBooleanProperty(Band, BlockEdit));
    b.SetFlag(8, GetBooleanProperty(Band, BlockMove));
    b.SetFlag(9, GetBooleanProperty(Band, BlockResize));
    b.SetInt(11, Band->Color());
    b.SetFlag(15, Band->Enabled());
    b.SetWord(16, quint16(GetIntegerProperty(Band, EndPageNumProp)));
    b.SetFlag(18, Band->ForceNewColumn());
    b.SetFlag(19, Band->ForceNewPage());
    const TRepFrame *frame = Band->Frame();
    b.SetInt(20, frame->Color());
    b.SetFlag(24, frame->DrawBottom());
    b.SetFlag(25, frame->DrawLeft());
    b.SetFlag(26, frame->DrawRight());
    b.SetFlag(27, frame->DrawTop());
    b.SetByte(28, quint8(frame->Style()));
    b.SetSmallInt(29, qint16(frame->Width()));
    b.SetExtended(31, Band->SizeValue(0));
    b.SetExtended(41, Band->SizeValue(1));
    b.SetWord(51, Band->LinkBand() ? BandNumOf(Band->LinkBand()) : NoBandNum);
    b.SetFlag(53, GetBooleanProperty(Band, NotOnFirstPageProp));
    b.SetWord(54, quint16(GetIntegerProperty(Band, StartPageNumProp)));
    b.SetWord(56, quint16(GetIntegerProperty(Band, PageStepProp)));
    b.SetString(60, expression);
    b.SetFlag(316, GetBooleanProperty(Band, NotOnLastPageProp));
    b.SetWord(317, child && child->ParentBand() ? BandNumOf(child->ParentBand()) : NoBandNum);

    WriteRecordHeader(Stream, RecordKind::Band, BlockSize::Band);
    b.WriteTo(Stream);
    Bin::WriteShortString(Stream, Band->Name());
    WriteFontProperties(Stream, *Band->Font());
    Bin::WriteShortString(Stream, Band->Hint());
    if (group) WriteGroupSub(Stream, group);
    if (subDetail) WriteSubDetailSub(Stream, subDetail, ReportForm);
}

void ReadBandRecord(TStream &Stream, quint16 Size, const TBandReadContext &Context) {
    using namespace ElementProperty;
    TRecordBlock b(BlockSize::Band);
    b.ReadFrom(Stream, Size);
    const QString className = ClassNameForBand(b.Flag(3), b.Byte(4));
    const TComponentClass *cls = FindComponentClass(className);
    if (!cls) throw EReportFileError(QStringLiteral("Band class %1 is not registered").arg(className));
    TComponent *created = cls->Create(Context.ReportForm);
    TRepBand *band = AsBand(created);
    if (!band) {
        delete created;
        throw EReportFileError(QStringLiteral("Class %1 is not a band").arg(className));
    }
    QPointer<TRepBand> guard(band);
    try {
        band->SetParent(Context.Report);
        if (Context.HiddenBands && !band->isHidden()) {
            band->hide();
            Context.HiddenBands->append(band);
        }
        SetStoredName(band, Bin::ReadShortString(Stream), BandBaseName, Context.Names);
        ReadFontProperties(Stream, *band->Font());
        band->SetHint(Bin::ReadShortString(Stream));
        SetBandNum(band, b.Word(0));
        if (band->Name().isEmpty())
            band->SetName(FindUniqueComponentName(Context.ReportForm, BandBaseName, false));

        band->SetPrintAtBottom(b.Flag(2));
        if (!b.Flag(3)) band->SetBandType(TRepBandType(KnownOrdinal(b.Byte(4), TRepBand::BandTypeCount)));
        SetBooleanProperty(band, BlockDelete, b.Flag(6));
        SetBooleanProperty(band, BlockMove, b.Flag(8));
        SetBooleanProperty(band, BlockResize, b.Flag(9));
        SetBooleanProperty(band, BlockEdit, b.Flag(7));
        SetBooleanProperty(band, BlockChange, b.Flag(5));
        band->SetColor(b.Int(11));
        band->SetEnabled(b.Flag(15));
        SetIntegerProperty(band, EndPageNumProp, b.Word(16));
        band->SetForceNewColumn(b.Flag(18));
        band->SetForceNewPage(b.Flag(19));
        TRepFrame *frame = band->Frame();
        frame->SetColor(b.Int(20));
        frame->SetDrawBottom(b.Flag(24));
        frame->SetDrawLeft(b.Flag(25));
        frame->SetDrawRight(b.Flag(26));
        frame->SetDrawTop(b.Flag(27));
        frame->SetStyle(TPenStyle(KnownOrdinal(b.Byte(28), PenStyleCount)));
        frame->SetWidth(b.SmallInt(29));
        band->SetSizeValue(0, b.Extended(31));
        band->SetSizeValue(1, b.Extended(41));
        Park(Context.Links->LinkBands, band, b.Word(51));
        SetBooleanProperty(band, NotOnFirstPageProp, b.Flag(53));
        SetBooleanProperty(band, NotOnLastPageProp, b.Flag(316));
        SetIntegerProperty(band, StartPageNumProp, b.Word(54));
        SetIntegerProperty(band, PageStepProp, b.Word(56));
        SetStringProperty(band, ExpressionProp, b.String(60));
        if (qobject_cast<TRepChildBand *>(band)) Park(Context.Links->ParentBands, band, b.Word(317));
        if (auto *group = qobject_cast<TRepGroup *>(band)) ReadGroupSub(Stream, group, Context);
        if (auto *subDetail = qobject_cast<TRepSubDetail *>(band)) ReadSubDetailSub(Stream, subDetail, Context);
    } catch (...) {
        delete guard.data();
        throw;
    }
}

void TPendingBandLinks::Resolve(const TComponent *ReportForm, QWidget *Report) {
    for (const TempLinkClass &l : LinkBands)
        if (TRepBand *band = AsBand(l.Element.data()))
            if (TRepBand *target = GetBand(ReportForm, l.BandNum)) band->SetLinkBand(target);
    auto setByName = [&](const QList<TempLinkClass> &list, const QString &prop) {
        for (const TempLinkClass &l : list)
            if (l.Element)
                if (TRepBand *target = GetBand(ReportForm, l.BandNum)) SetPointerProperty(l.Element, prop, target);
    };
    setByName(HeaderBands, HeaderBandProp);
    setByName(FooterBands, FooterBandProp);
    setByName(ParentBands, ParentBandProp);
    for (const TempLinkClass &l : Masters) {
        if (!l.Element) continue;
        QWidget *master = l.BandNum == ReportBandNum ? Report : GetBand(ReportForm, l.BandNum);
        if (master) SetPointerProperty(l.Element, MasterProp, master);
    }
}
