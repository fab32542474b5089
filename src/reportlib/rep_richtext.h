#pragma once
// Rich text. TRepRichEdit is a rich-text editing control (the internal one of every rich-text
// element, or one an application places on its form to link to); its stream form is RTF.
// TRepRichText prints the text of its linked rich edit (ParentRichEdit) or else of its own
// internal one; TRepDBRichText prints a data field's rich text (RTF, or plain text).
// Text is laid out at the element's width at 96 pixels per inch; AutoStretch lets the element
// grow to show all of it.
#include "reportlib/rep_printable.h"

#include "dblib/dataset.h"
#include "host/colors.h"
#include "host/component.h"
#include "host/font.h"

#include <QPointer>
#include <QTextEdit>

class TStream;
class TField;

class TRepRichEdit : public QTextEdit, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(qint32 Tag READ Tag WRITE SetTag)
public:
    explicit TRepRichEdit(TComponent *AOwner = nullptr, QWidget *parent = nullptr);

    // The text in its stream form (RTF) and back; text that is not RTF loads as plain text.
    QByteArray SaveToData() const;
    void LoadFromData(const QByteArray &data);
    void SaveToStream(TStream &stream) const;
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream &stream);
};

// Lays out and prints rich text documents for the two rich-text elements.
class TRepCustomRichText : public TRepPrintable {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
public:
    explicit TRepCustomRichText(TComponent *AOwner);

    // Alignment of paragraphs that have none of their own.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoStretch() const { return FAutoStretch; }
    void SetAutoStretch(bool value) { FAutoStretch = value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // Default font of text without a font of its own.
    TFont *Font() const { return FFont; }
    void SetFont(TFont *value) { FFont->Assign(value); }

    double PrintHeightMM() const override;
    void Print(double OfsX, double OfsY) override;

protected:
    // The document to print, prepared for printing (layout at 96 ppi, pixel-sized fonts).
    virtual const QTextDocument *SourceDocument() const = 0;
    // Rebuilds the print document from the source.
    void BuildPrintDocument() const;
    void PaintDocument(QPainter &painter, const QRectF &rect, double scale) const;

    mutable std::unique_ptr<QTextDocument> FPrintDocument;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoStretch = false;
    TColor FColor = clWhite;
    TFont *FFont;
};

class TRepRichText : public TRepCustomRichText {
    Q_OBJECT
    Q_PROPERTY(TRepRichEdit *ParentRichEdit READ ParentRichEdit WRITE SetParentRichEdit)
    Q_PROPERTY(QByteArray Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
public:
    explicit TRepRichText(TComponent *AOwner);

    // An external rich edit whose text prints instead of the element's own.
    TRepRichEdit *ParentRichEdit() const { return FParentRichEdit; }
    void SetParentRichEdit(TRepRichEdit *value);
    // The element's own rich edit (a child control filling the element).
    TRepRichEdit *RichEdit() const { return FRichEdit; }
    // The rich edit that prints: the linked one, else the last rich-edit child.
    TRepRichEdit *ActiveRichEdit() const;
    // The element's text in its stream form (RTF).
    QByteArray Lines() const;
    void SetLines(const QByteArray &value);
    // A dataset the text's expressions may refer to (kept for report files).
    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);

    void PrepareContent() override;
    void UpdateGeometry() override;
    // Paints the text at the report's zoom (the internal rich edit stays hidden);
    // TRepPrintable::Paint is the generic painting without the text.
    void Paint() override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    const QTextDocument *SourceDocument() const override;

private:
    TRepRichEdit *FRichEdit;
    TRepRichEdit *FParentRichEdit = nullptr;
    TDataSet *FDataSet = nullptr;
};

class TRepDBRichText : public TRepCustomRichText {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TRepDBRichText(TComponent *AOwner);
    ~TRepDBRichText() override;

    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *value);
    QString DataField() const { return FDataField; }
    void SetDataField(const QString &value);
    TField *Field() const;

    void PrepareContent() override;
    void Paint() override;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    const QTextDocument *SourceDocument() const override { return FDocument.get(); }

private:
    TDataSet *FDataSet = nullptr;
    QString FDataField;
    mutable QPointer<TField> FField;
    std::unique_ptr<QTextDocument> FDocument;
};
