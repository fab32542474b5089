#include "persist/element_records.h"

#include "persist/band_numbers.h"
#include "persist/common_block.h"
#include "persist/datasource_numbers.h"
#include "persist/graphic_records.h"
#include "persist/loader_options.h"
#include "persist/record_block.h"
#include "persist/report_records.h"
#include "persist/stored_names.h"
#include "persist/text_chunks.h"

#include "host/class_registry.h"
#include "host/property_access.h"
#include "host/stream.h"
#include "host/text_codec.h"
#include "model/report_constants.h"
#include "reportlib/rep_dbtext.h"
#include "reportlib/rep_expr.h"
#include "reportlib/rep_image.h"
#include "reportlib/rep_richtext.h"
#include "reportlib/rep_shape.h"
#include "reportlib/rep_sysdata.h"
#include "reportlib/report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

const QString DegreeProp = QStringLiteral("Degree");
const QString FilenameProp = QStringLiteral("Filename");
constexpr int AlignmentCount = 3;
constexpr int PenModeCount = 16;
constexpr int PenStyleCount = 7;
constexpr int BrushStyleCount = 8;

// ---- writing ---------------------------------------------------------------------------------

struct TWriter {
    TStream &s;
    const TElementWriteContext &ctx;

    // The datasource number of an element's dataset; the dataset's name follows the element's
    // strings when it is -1.
    int DatasetNumber(const TDataSet *dataset) const { return DatasetReferenceNumber(ctx.ReportForm, dataset); }
    void DatasetName(int number, const TDataSet *dataset) {
        if (number == -1) Bin::WriteShortString(s, dataset->Name());
    }

    void Begin(quint16 kind, int blockSize, TRepControl *e, const TFont *font) {
        WriteRecordHeader(s, kind, quint16(blockSize));
        WriteCommonProperties(s, e);
        if (font) WriteFontProperties(s, *font);
    }

    // Fields every text element of the label family stores.
    static void LabelBasics(TRecordBlock &b, const TRepCustomLabel *e) {
        b.SetByte(0, quint8(e->Alignment()));
        b.SetFlag(1, e->AlignToBand());
        b.SetFlag(2, e->AutoSize());
    }

    void DBText(TRepDBText *e) {
        const int number = DatasetNumber(e->DataSet());
        TRecordBlock b(BlockSize::DBText);
        LabelBasics(b, e);
        b.SetFlag(3, e->AutoStretch());
        b.SetInt(4, e->Color());
        b.SetWord(8, quint16(number));
        b.SetFlag(10, e->ParentFont());
        b.SetFlag(11, e->Transparent());
        b.SetFlag(12, e->WordWrap());
        b.SetFlag(13, GetBooleanProperty(e, QStringLiteral("SuppressRepeatedValues")));
        b.SetFlag(14, GetBooleanProperty(e, QStringLiteral("ReprintOnNewPage")));
        b.SetFlag(15, GetBooleanProperty(e, QStringLiteral("BlankIfZero")));
        b.SetFlag(16, GetBooleanProperty(e, QStringLiteral("ReprintOnNewGroup")));
        Begin(RecordKind::DBText, BlockSize::DBText, e, e->Font());
        b.WriteTo(s);
        Bin::WriteShortString(s, e->DataField());
        Bin::WriteShortString(s, e->Mask());
        DatasetName(number, e->DataSet());
    }

    void Expr(TRepExpr *e) {
        const QStringList chunks = SplitTextChunks(e->Expression());
        TRecordBlock b(BlockSize::Expression);
        LabelBasics(b, e);
        b.SetFlag(3, e->AutoStretch());
        b.SetInt(4, e->Color());
        b.SetWord(8, MasterNumber(e->Master()));
        b.SetFlag(10, e->ResetAfterPrint());
        b.SetFlag(11, e->ParentFont());
        b.SetFlag(12, e->Transparent());
        b.SetFlag(13, e->WordWrap());
        b.SetWord(14, quint16(GetIntegerProperty(e, DegreeProp)));
        b.SetWord(16, quint16(chunks.size()));
        Begin(RecordKind::Expression, BlockSize::Expression, e, e->Font());
        b.WriteTo(s);
        for (const QString &chunk : chunks) Bin::WriteShortString(s, chunk);
        Bin::WriteShortString(s, e->Mask());
    }

    void RichText(TRepRichText *e) {
        TRecordBlock b(BlockSize::RichText);
        b.SetByte(0, quint8(e->Alignment()));
        b.SetFlag(1, e->AutoStretch());
        b.SetInt(2, e->Color());
        Begin(RecordKind::RichText, BlockSize::RichText, e, e->Font());
        b.WriteTo(s);
        Bin::WriteShortString(s, e->ParentRichEdit() ? e->ParentRichEdit()->Name() : QString());
        const QByteArray lines = e->Lines();
        Bin::WriteInt(s, qint32(lines.size()));
        s.WriteBytes(lines);
    }

    void DBRichText(TRepDBRichText *e) {
        const int number = DatasetNumber(e->DataSet());
        TRecordBlock b(BlockSize::DBRichText);
        b.SetByte(0, quint8(e->Alignment()));
        b.SetFlag(1, e->AutoStretch());
        b.SetInt(2, e->Color());
        b.SetWord(6, quint16(number));
        Begin(RecordKind::DBRichText, BlockSize::DBRichText, e, e->Font());
        b.WriteTo(s);
        Bin::WriteShortString(s, e->DataField());
        DatasetName(number, e->DataSet());
    }

    void Shape(TRepShape *e) {
        TRecordBlock b(BlockSize::Shape);
        b.SetInt(0, e->Brush()->Color());
        b.SetByte(4, quint8(e->Brush()->Style()));
        b.SetInt(5, e->Pen()->Color());
        b.SetByte(9, quint8(e->Pen()->Mode()));
        b.SetByte(10, quint8(e->Pen()->Style()));
        b.SetSmallInt(11, qint16(e->Pen()->Width()));
        b.SetByte(13, quint8(e->Shape()));
        Begin(RecordKind::Shape, BlockSize::Shape, e, nullptr);
        b.WriteTo(s);
    }

    void SysData(TRepSysData *e) {
        TRecordBlock b(BlockSize::SysData);
        LabelBasics(b, e);
        b.SetInt(3, e->Color());
        b.SetFlag(7, e->Transparent());
        b.SetByte(8, quint8(e->Data()));
        b.SetFlag(9, e->ParentFont());
        Begin(RecordKind::SysData, BlockSize::SysData, e, e->Font());
        b.WriteTo(s);
        Bin::WriteShortString(s, e->Text());
    }

    void Image(TRepImage *e) {
        TRecordBlock b(BlockSize::Image);
        b.SetFlag(0, e->AutoSize());
        b.SetFlag(1, e->Center());
        b.SetFlag(2, e->Stretch());
        Begin(RecordKind::Image, BlockSize::Image, e, nullptr);
        b.WriteTo(s);
        const QString fileName = GetStringProperty(e, FilenameProp);
        if (!ctx.EmbedImages) {
            Bin::WriteShortString(s, fileName);
            return;
        }
        // The marker is the first character of the name string; the picture follows the string.
        const QByteArray name = QByteArray(1, EmbeddedPictureMarker) + EncodeText8(fileName, ChunkLength - 1);
        Bin::WriteByte(s, quint8(name.size()));
        s.WriteBytes(name);
        const TGraphic *graphic = e->Picture()->Graphic();
        const QByteArray data = graphic && !graphic->Empty() ? graphic->SaveToData() : QByteArray();
        Bin::WriteInt(s, qint32(data.size()));
        s.WriteBytes(data);
    }

    void DBImage(TRepDBImage *e) {
        const int number = DatasetNumber(e->DataSet());
        TRecordBlock b(BlockSize::DBImage);
        b.SetFlag(0, e->Center());
        b.SetFlag(1, e->Stretch());
        b.SetWord(2, quint16(number));
        Begin(RecordKind::DBImage, BlockSize::DBImage, e, nullptr);
        b.WriteTo(s);
        Bin::WriteShortString(s, e->DataField());
        DatasetName(number, e->DataSet());
    }

    void Label(TRepLabel *e) {
        TRecordBlock b(BlockSize::Label);
        LabelBasics(b, e);
        b.SetFlag(3, e->AutoStretch());
        b.SetInt(4, e->Color());
        b.SetFlag(8, e->ParentFont());
        b.SetFlag(9, e->WordWrap());
        b.SetFlag(10, e->Transparent());
        b.SetWord(11, quint16(GetIntegerProperty(e, DegreeProp)));
        Begin(RecordKind::Label, BlockSize::Label, e, e->Font());
        b.WriteTo(s);
        Bin::WriteShortString(s, e->Caption());
    }

    void Memo(TRepMemo *e) {
        const TStrings *lines = e->Lines();
        TRecordBlock b(BlockSize::Memo);
        LabelBasics(b, e);
        b.SetFlag(3, e->AutoStretch());
        b.SetInt(4, e->Color());
        b.SetFlag(8, e->Transparent());
        b.SetFlag(9, e->WordWrap());
        b.SetFlag(10, e->ParentFont());
        b.SetInt(11, lines->Count());
        Begin(RecordKind::Memo, BlockSize::Memo, e, e->Font());
        b.WriteTo(s);
        for (int i = 0; i < lines->Count(); ++i) Bin::WriteShortString(s, lines->Get(i));
    }
};

// ---- reading ---------------------------------------------------------------------------------

struct TReader {
    TStream &s;
    const TElementReadContext &ctx;

    // A dataset reference: "by name" reads the name that follows; 0 gives nothing.
    TDataSet *Dataset(quint16 number) {
        if (number == DatasourceByName) return FindDatasetByName(ctx.Loader, Bin::ReadShortString(s));
        return ReportDatasetByNum(ctx.ReportForm, number, ctx.Loader);
    }

    static TAlignment Alignment(const TRecordBlock &b, int offset) {
        return TAlignment(KnownOrdinal(b.Byte(offset), AlignmentCount));
    }

    void Label(TRepLabel *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAlignToBand(b.Flag(1));
        e->SetCaption(Bin::ReadShortString(s));
        e->SetAutoStretch(b.Flag(3));
        e->SetParentFont(b.Flag(8));
        e->SetWordWrap(b.Flag(9));
        e->SetColor(b.Int(4));
        e->SetTransparent(b.Flag(10));
        e->StoreAutoSize(b.Flag(2));
        SetIntegerProperty(e, DegreeProp, b.Word(11));
    }

    void DBText(TRepDBText *e, const TRecordBlock &b) {
        e->SetAlignToBand(b.Flag(1));
        e->SetAlignment(Alignment(b, 0));
        e->SetColor(b.Int(4));
        e->SetTransparent(b.Flag(11));
        e->StoreAutoSize(b.Flag(2));
        e->SetAutoStretch(b.Flag(3));
        e->SetParentFont(b.Flag(10));
        e->SetWordWrap(b.Flag(12));
        SetBooleanProperty(e, QStringLiteral("SuppressRepeatedValues"), b.Flag(13));
        SetBooleanProperty(e, QStringLiteral("ReprintOnNewPage"), b.Flag(14));
        SetBooleanProperty(e, QStringLiteral("BlankIfZero"), b.Flag(15));
        SetBooleanProperty(e, QStringLiteral("ReprintOnNewGroup"), b.Flag(16));
        e->SetDataField(Bin::ReadShortString(s));
        e->SetMask(Bin::ReadShortString(s));
        e->SetDataSet(Dataset(b.Word(8)));
    }

    void Expr(TRepExpr *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAlignToBand(b.Flag(1));
        e->StoreAutoSize(b.Flag(2));
        e->SetAutoStretch(b.Flag(3));
        e->SetColor(b.Int(4));
        e->SetResetAfterPrint(b.Flag(10));
        e->SetParentFont(b.Flag(11));
        e->SetTransparent(b.Flag(12));
        e->SetWordWrap(b.Flag(13));
        SetIntegerProperty(e, DegreeProp, b.Word(14));
        const quint16 master = b.Word(8);
        if (master == ReportBandNum)
            e->SetMaster(ctx.Report);
        else if (master != NoBandNum)
            e->SetMaster(GetBand(ctx.ReportForm, master));
        else
            e->SetMaster(nullptr);
        const int chunks = b.Word(16);
        CheckCount(s, chunks, 1);
        QString expression;
        for (int i = 0; i < chunks; ++i) expression += Bin::ReadShortString(s);
        e->SetExpression(expression);
        e->SetMask(Bin::ReadShortString(s));
    }

    void SysData(TRepSysData *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAlignToBand(b.Flag(1));
        e->SetColor(b.Int(3));
        e->SetData(TRepSysDataType(KnownOrdinal(b.Byte(8), TRepSysData::SysDataTypeCount)));
        e->SetTransparent(b.Flag(7));
        e->StoreAutoSize(b.Flag(2));
        e->SetParentFont(b.Flag(9));
        e->SetText(Bin::ReadShortString(s));
    }

    void Memo(TRepMemo *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAlignToBand(b.Flag(1));
        e->SetAutoStretch(b.Flag(3));
        e->SetColor(b.Int(4));
        e->SetTransparent(b.Flag(8));
        e->SetWordWrap(b.Flag(9));
        e->SetParentFont(b.Flag(10));
        e->setCursor(Qt::ArrowCursor);
        e->setFocusPolicy(Qt::NoFocus);
        // A count below zero stands for no lines, as the stored loop reads it.
        const qint32 count = b.Int(11);
        if (count > 0) CheckCount(s, count, 1);
        QStringList lines;
        for (qint32 i = 0; i < count; ++i) lines << Bin::ReadShortString(s);
        e->Lines()->SetStringList(lines);
        e->StoreAutoSize(b.Flag(2));
        e->SetCaption(QString());
    }

    void Shape(TRepShape *e, const TRecordBlock &b) {
        e->Brush()->SetColor(b.Int(0));
        e->Brush()->SetStyle(TBrushStyle(KnownOrdinal(b.Byte(4), BrushStyleCount)));
        e->Pen()->SetColor(b.Int(5));
        e->Pen()->SetMode(TPenMode(KnownOrdinal(b.Byte(9), PenModeCount)));
        e->Pen()->SetStyle(TPenStyle(KnownOrdinal(b.Byte(10), PenStyleCount)));
        e->Pen()->SetWidth(b.SmallInt(11));
        e->SetShape(TRepShapeType(KnownOrdinal(b.Byte(13), TRepShape::ShapeTypeCount)));
    }

    // Returns false when the picture file is not found: the element is to be dropped.
    bool Image(TRepImage *e, const TRecordBlock &b) {
        e->SetCenter(b.Flag(1));
        e->SetStretch(b.Flag(2));
        const QByteArray raw = s.ReadBytes(Bin::ReadByte(s));
        if (!raw.isEmpty() && raw[0] == EmbeddedPictureMarker) {
            SetStringProperty(e, FilenameProp, DecodeText8(raw.mid(1)));
            EmbeddedPicture(e);
            if (ctx.EmbeddedPictures) *ctx.EmbeddedPictures = true;
        } else {
            const QString name = DecodeText8(raw);
            SetStringProperty(e, FilenameProp, name);
            if (!name.isEmpty() && !PictureFromFile(e, name)) {
                ShowLoaderError(ctx.Loader, QStringLiteral("Image not found"), name);
                return false;
            }
        }
        return true;
    }

    void EmbeddedPicture(TRepImage *e) {
        TBitmap empty;
        e->Picture()->SetGraphic(&empty);
        // A count below zero stands for no bytes, as the stored loop reads it.
        const qint32 count = Bin::ReadInt(s);
        if (count <= 0) return;
        CheckCount(s, count, 1);
        TMemoryStream data(s.ReadBytes(count));
        try {
            e->Picture()->Bitmap()->LoadFromStream(data);
        } catch (const EInvalidGraphic &) {
            // Picture bytes that do not decode leave the image empty; the rest of the report is
            // sound and loads on.
            e->Picture()->SetGraphic(&empty);
        }
    }

    // The stored path, else the bare file name in the current directory, else in the
    // application's directory (which then becomes the element's file name).
    bool PictureFromFile(TRepImage *e, const QString &stored) {
        if (stored.contains(QChar(0))) return false;  // no file has such a name
        QString path = stored;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString bare = QFileInfo(path).fileName();
        const QString inAppDir = QDir(QCoreApplication::applicationDirPath()).filePath(bare);
        for (const QString &candidate : {path, QDir::current().filePath(bare), inAppDir}) {
            if (bare.isEmpty() || !QFileInfo(candidate).isFile()) continue;
            try {
                e->Picture()->LoadFromFile(candidate);
            } catch (const Exception &) {
                return false;
            }
            if (candidate == inAppDir && candidate != path) SetStringProperty(e, FilenameProp, candidate);
            return true;
        }
        return false;
    }

    void DBImage(TRepDBImage *e, const TRecordBlock &b) {
        e->SetDataField(Bin::ReadShortString(s));
        e->SetCenter(b.Flag(0));
        e->SetStretch(b.Flag(1));
        e->SetDataSet(Dataset(b.Word(2)));
    }

    void RichText(TRepRichText *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAutoStretch(b.Flag(1));
        e->SetColor(b.Int(2));
        const QString editName = Bin::ReadShortString(s);
        if (TComponent *c = editName.isEmpty() ? nullptr : ctx.ReportForm->FindComponent(editName))
            if (auto *edit = qobject_cast<TRepRichEdit *>(c->Object())) e->SetParentRichEdit(edit);
        const qint32 count = Bin::ReadInt(s);
        if (count > 0) CheckCount(s, count, 1);
        e->SetLines(count > 0 ? s.ReadBytes(count) : QByteArray());
    }

    void DBRichText(TRepDBRichText *e, const TRecordBlock &b) {
        e->SetAlignment(Alignment(b, 0));
        e->SetAutoStretch(b.Flag(1));
        e->SetColor(b.Int(2));
        e->SetDataField(Bin::ReadShortString(s));
        e->SetDataSet(Dataset(b.Word(6)));
    }
};

int BlockSizeOfKind(quint16 kind) {
    switch (kind) {
    case RecordKind::Label: return BlockSize::Label;
    case RecordKind::Expression: return BlockSize::Expression;
    case RecordKind::SysData: return BlockSize::SysData;
    case RecordKind::Shape: return BlockSize::Shape;
    case RecordKind::Image: return BlockSize::Image;
    case RecordKind::DBImage: return BlockSize::DBImage;
    case RecordKind::Memo: return BlockSize::Memo;
    case RecordKind::DBText: return BlockSize::DBText;
    case RecordKind::RichText: return BlockSize::RichText;
    case RecordKind::DBRichText: return BlockSize::DBRichText;
    default: return 0;
    }
}

bool HasFontBlock(quint16 kind) {
    return kind != RecordKind::Shape && kind != RecordKind::Image && kind != RecordKind::DBImage;
}

}  // namespace

int ElementRecordKind(const QObject *e) {
    if (qobject_cast<const TRepDBText *>(e)) return RecordKind::DBText;
    if (qobject_cast<const TRepExpr *>(e)) return RecordKind::Expression;
    if (qobject_cast<const TRepRichText *>(e)) return RecordKind::RichText;
    if (qobject_cast<const TRepDBRichText *>(e)) return RecordKind::DBRichText;
    if (qobject_cast<const TRepShape *>(e)) return RecordKind::Shape;
    if (qobject_cast<const TRepSysData *>(e)) return RecordKind::SysData;
    if (qobject_cast<const TRepImage *>(e)) return RecordKind::Image;
    if (qobject_cast<const TRepDBImage *>(e)) return RecordKind::DBImage;
    if (qobject_cast<const TRepLabel *>(e)) return RecordKind::Label;
    if (qobject_cast<const TRepMemo *>(e)) return RecordKind::Memo;
    return -1;
}

bool IsElementRecordKind(quint16 Kind) { return BlockSizeOfKind(Kind) > 0; }

QString ElementClassName(quint16 Kind) {
    switch (Kind) {
    case RecordKind::Label: return QStringLiteral("TVendamoLabel");
    case RecordKind::Expression: return QStringLiteral("TVendamoExpr");
    case RecordKind::SysData: return QStringLiteral("TVendamoSysdata");
    case RecordKind::Shape: return QStringLiteral("TVendamoShape");
    case RecordKind::Image: return QStringLiteral("TVendamoImage");
    case RecordKind::DBImage: return QStringLiteral("TVendamoDBImage");
    case RecordKind::Memo: return QStringLiteral("TVendamoMemo");
    case RecordKind::DBText: return QStringLiteral("TVendamoDBText");
    case RecordKind::RichText: return QStringLiteral("TVendamoRichtext");
    case RecordKind::DBRichText: return QStringLiteral("TVendamoDBRichtext");
    default: return QString();
    }
}

bool WriteElementRecord(TStream &Stream, TRepControl *Element, const TElementWriteContext &Context) {
    TWriter w{Stream, Context};
    switch (ElementRecordKind(Element)) {
    case RecordKind::DBText: w.DBText(static_cast<TRepDBText *>(Element)); return true;
    case RecordKind::Expression: w.Expr(static_cast<TRepExpr *>(Element)); return true;
    case RecordKind::RichText: w.RichText(static_cast<TRepRichText *>(Element)); return true;
    case RecordKind::DBRichText: w.DBRichText(static_cast<TRepDBRichText *>(Element)); return true;
    case RecordKind::Shape: w.Shape(static_cast<TRepShape *>(Element)); return true;
    case RecordKind::SysData: w.SysData(static_cast<TRepSysData *>(Element)); return true;
    case RecordKind::Image: w.Image(static_cast<TRepImage *>(Element)); return true;
    case RecordKind::DBImage: w.DBImage(static_cast<TRepDBImage *>(Element)); return true;
    case RecordKind::Label: w.Label(static_cast<TRepLabel *>(Element)); return true;
    case RecordKind::Memo: w.Memo(static_cast<TRepMemo *>(Element)); return true;
    default: return false;
    }
}

void ReadElementRecord(TStream &Stream, quint16 Kind, quint16 Size, const TElementReadContext &Context) {
    const TComponentClass *cls = FindComponentClass(ElementClassName(Kind));
    if (!cls) throw EReportFileError(QStringLiteral("No element class for record kind %1").arg(Kind));
    TComponent *created = cls->Create(Context.ReportForm);
    QPointer<QObject> guard(created ? created->Object() : nullptr);
    auto *element = qobject_cast<TRepControl *>(guard.data());
    if (!element || ElementRecordKind(element) != Kind) {
        delete created;
        throw EReportFileError(QStringLiteral("Class %1 is not a printable element").arg(cls->Name));
    }
    bool keep = false;
    TRecordBlock b(BlockSizeOfKind(Kind));
    // Nothing resizes the element to its content while it is read: the stored size stands.
    element->SetState(csReading, true);
    try {
        if (auto *memo = qobject_cast<TRepMemo *>(element)) memo->StoreAutoSize(false);
        ReadCommonProperties(Stream, Context.ReportForm, Context.Report, element);
        // A name the form cannot take becomes one it can, after the class name ("VendamoLabel").
        SetStoredName(element, Bin::ReadShortString(Stream), cls->Name.mid(1), Context.Names);
        if (HasFontBlock(Kind))
            if (auto *font = qobject_cast<TFont *>(GetFontProperty(element))) ReadFontProperties(Stream, *font);
        b.ReadFrom(Stream, Size);
        // An expression block of an older writer ends before its chunk count: one chunk.
        if (Kind == RecordKind::Expression && Size <= 16) b.SetWord(16, 1);
        TReader r{Stream, Context};
        keep = true;
        switch (Kind) {
        case RecordKind::Label: r.Label(static_cast<TRepLabel *>(element), b); break;
        case RecordKind::DBText: r.DBText(static_cast<TRepDBText *>(element), b); break;
        case RecordKind::Expression: r.Expr(static_cast<TRepExpr *>(element), b); break;
        case RecordKind::SysData: r.SysData(static_cast<TRepSysData *>(element), b); break;
        case RecordKind::Memo: r.Memo(static_cast<TRepMemo *>(element), b); break;
        case RecordKind::Shape: r.Shape(static_cast<TRepShape *>(element), b); break;
        case RecordKind::Image: keep = r.Image(static_cast<TRepImage *>(element), b); break;
        case RecordKind::DBImage: r.DBImage(static_cast<TRepDBImage *>(element), b); break;
        case RecordKind::RichText: r.RichText(static_cast<TRepRichText *>(element), b); break;
        case RecordKind::DBRichText: r.DBRichText(static_cast<TRepDBRichText *>(element), b); break;
        default: break;
        }
    } catch (...) {
        delete guard.data();
        throw;
    }
    if (!keep) {
        delete guard.data();
        return;
    }
    element->SetState(csReading, false);
    element->ApplyPendingGeometry();
    // An image takes its picture's size when it sizes itself; the switch comes last.
    if (auto *image = qobject_cast<TRepImage *>(element)) image->SetAutoSize(b.Flag(0));
}
