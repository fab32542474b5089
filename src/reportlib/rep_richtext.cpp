#include "reportlib/rep_richtext.h"

#include "reportlib/rep_printer.h"
#include "reportlib/rtf_reader.h"
#include "reportlib/rtf_writer.h"

#include "dblib/field.h"
#include "host/stream.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

// --- TRepRichEdit ------------------------------------------------------------------------

TRepRichEdit::TRepRichEdit(TComponent *AOwner, QWidget *parent) : QTextEdit(parent), TComponent(AOwner) {
    setFrameStyle(QFrame::NoFrame);
}

QByteArray TRepRichEdit::SaveToData() const { return WriteRtf(*document()); }

void TRepRichEdit::LoadFromData(const QByteArray &data) { ReadRtf(data, *document()); }

void TRepRichEdit::SaveToStream(TStream &stream) const { stream.WriteBytes(SaveToData()); }

void TRepRichEdit::LoadFromStream(TStream &stream) { LoadFromData(stream.ReadBytes(stream.Remaining())); }

// --- TRepCustomRichText ------------------------------------------------------------------

TRepCustomRichText::TRepCustomRichText(TComponent *AOwner) : TRepPrintable(AOwner) {
    FFont = new TFont(this);
    connect(FFont, &TPersistent::Changed, this, [this] { Changed(); });
}

void TRepCustomRichText::SetAlignment(TAlignment value) {
    if (value < taLeftJustify || value > taCenter || value == FAlignment) return;
    FAlignment = value;
    Changed();
}

void TRepCustomRichText::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TRepCustomRichText::BuildPrintDocument() const {
    const QTextDocument *source = SourceDocument();
    FPrintDocument.reset(source ? source->clone() : new QTextDocument());
    QTextDocument *doc = FPrintDocument.get();
    doc->setDocumentMargin(0);
    doc->setDefaultFont(FFont->ToQFont(100));
    // Point sizes become pixel sizes at 96 ppi, so that the text scales with the painter on
    // every device instead of following each device's own resolution.
    QTextCursor cursor(doc);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().hasProperty(QTextFormat::BlockAlignment)) {
            QTextBlockFormat bf = block.blockFormat();
            bf.setAlignment(FAlignment == taRightJustify ? Qt::AlignRight
                            : FAlignment == taCenter   ? Qt::AlignHCenter
                                                       : Qt::AlignLeft);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(bf);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QTextCharFormat cf = fragment.charFormat();
            if (!cf.hasProperty(QTextFormat::FontPointSize)) continue;
            const double pt = cf.fontPointSize();
            QTextCharFormat change;
            change.setProperty(QTextFormat::FontPixelSize, qMax(1, int(std::lround(pt * RepScreenPPI / 72.0))));
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cf.clearProperty(QTextFormat::FontPointSize);
            cf.merge(change);
            cursor.setCharFormat(cf);
        }
    }
    doc->setTextWidth(qMax(1.0, SizeMM(3) / RepMMPerInch * RepScreenPPI));
}

double TRepCustomRichText::PrintHeightMM() const {
    const double own = SizeMM(0);
    if (!FAutoStretch || !FPrintDocument) return own;
    return qMax(own, RepPixelsToMM(FPrintDocument->size().height(), 100));
}

void TRepCustomRichText::PaintDocument(QPainter &painter, const QRectF &rect, double scale) const {
    if (!FPrintDocument || scale <= 0) return;
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    const QRectF clip(0, 0, rect.width() / scale, rect.height() / scale);
    painter.setClipRect(clip, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    FPrintDocument->documentLayout()->draw(&painter, context);
    painter.restore();
}

void TRepCustomRichText::Print(double OfsX, double OfsY) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas()) return;
    // What PrepareContent laid out (and measured) is what prints.
    if (!FPrintDocument) BuildPrintDocument();
    const QRectF rect = PrintRect(OfsX, OfsY);
    PrintBackground(rect, FColor);
    PaintDocument(*p->Canvas(), rect, p->PixelScale());
    PrintFrame(rect);
}

// --- TRepRichText ------------------------------------------------------------------------

TRepRichText::TRepRichText(TComponent *AOwner) : TRepCustomRichText(AOwner) {
    FRichEdit = new TRepRichEdit(nullptr, this);
    FRichEdit->setAttribute(Qt::WA_TransparentForMouseEvents);
    FRichEdit->hide();
    connect(FRichEdit->document(), &QTextDocument::contentsChanged, this, [this] { Changed(); });
}

void TRepRichText::SetParentRichEdit(TRepRichEdit *value) {
    if (value == FParentRichEdit) return;
    if (FParentRichEdit) RemoveFreeNotification(FParentRichEdit);
    FParentRichEdit = value;
    if (FParentRichEdit) FreeNotification(FParentRichEdit);
    Changed();
}

void TRepRichText::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
}

void TRepRichText::Notification(TComponent *AComponent, TOperation Operation) {
    TRepCustomRichText::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (AComponent == static_cast<TComponent *>(FParentRichEdit)) FParentRichEdit = nullptr;
    if (AComponent == static_cast<TComponent *>(FDataSet)) FDataSet = nullptr;
}

TRepRichEdit *TRepRichText::ActiveRichEdit() const {
    if (FParentRichEdit) return FParentRichEdit;
    TRepRichEdit *last = nullptr;
    for (QObject *o : children())
        if (auto *e = qobject_cast<TRepRichEdit *>(o)) last = e;
    return last;
}

QByteArray TRepRichText::Lines() const { return FRichEdit->SaveToData(); }

void TRepRichText::SetLines(const QByteArray &value) { FRichEdit->LoadFromData(value); }

const QTextDocument *TRepRichText::SourceDocument() const {
    const TRepRichEdit *e = ActiveRichEdit();
    return e ? e->document() : nullptr;
}

void TRepRichText::PrepareContent() { BuildPrintDocument(); }

void TRepRichText::UpdateGeometry() {
    TRepCustomRichText::UpdateGeometry();
    FRichEdit->setGeometry(rect());
}

void TRepRichText::Paint() {
    if (QPainter *c = Canvas()) {
        if (!Transparent() && Color() != clNone) c->fillRect(rect(), ColorToQColor(Color()));
        BuildPrintDocument();
        PaintDocument(*c, QRectF(rect()), Zoom() / 100.0);
    }
    TRepPrintable::Paint();
}

// --- TRepDBRichText ----------------------------------------------------------------------

TRepDBRichText::TRepDBRichText(TComponent *AOwner) : TRepCustomRichText(AOwner) {}

TRepDBRichText::~TRepDBRichText() = default;

void TRepDBRichText::SetDataSet(TDataSet *value) {
    if (value == FDataSet) return;
    if (FDataSet) RemoveFreeNotification(FDataSet);
    FDataSet = value;
    if (FDataSet) FreeNotification(FDataSet);
    FField = nullptr;
    Changed();
}

void TRepDBRichText::SetDataField(const QString &value) {
    if (value == FDataField) return;
    FDataField = value;
    FField = nullptr;
    Changed();
}

void TRepDBRichText::Notification(TComponent *AComponent, TOperation Operation) {
    TRepCustomRichText::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == static_cast<TComponent *>(FDataSet)) {
        FDataSet = nullptr;
        FField = nullptr;
    }
}

TField *TRepDBRichText::Field() const {
    if (FField && FField->DataSet() == FDataSet) return FField;
    FField = (FDataSet && FDataSet->Active() && !FDataField.isEmpty()) ? FDataSet->FindField(FDataField) : nullptr;
    return FField;
}

void TRepDBRichText::PrepareContent() {
    if (!FDocument) FDocument = std::make_unique<QTextDocument>();
    QByteArray data;
    if (const TField *f = Field()) {
        try {
            if (!f->IsNull()) {
                if (IsBlobType(f->DataType())) {
                    TMemoryStream stream;
                    f->SaveToStream(stream);
                    data = stream.Data();
                } else {
                    data = f->AsString().toUtf8();
                }
            }
        } catch (const std::exception &) {
            data.clear();
        }
    }
    ReadRtf(data, *FDocument);
    BuildPrintDocument();
}

void TRepDBRichText::Paint() {
    if (QPainter *c = Canvas()) {
        if (!Transparent() && Color() != clNone) c->fillRect(rect(), ColorToQColor(Color()));
        c->save();
        c->setPen(QColor(128, 128, 128));
        c->drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop,
                    FDataField.isEmpty() ? Name() : FDataField);
        c->restore();
    }
    TRepPrintable::Paint();
}
