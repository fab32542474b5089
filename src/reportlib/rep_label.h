#pragma once
// Text elements: the label family (caption, alignment, auto size, auto stretch, word wrap,
// colour, font, parent font, line formatting), plain labels and memos.
//
// FormatLines() breaks the caption (a memo: its lines) into the lines that print, measured at
// 96 pixels per inch. With AutoSize the element takes the width of its text (keeping its right
// edge for right-aligned text and its centre for centred text) and its text is never wrapped;
// without it, WordWrap breaks the text at the element's width. AutoStretch lets the element,
// and with it the band, grow downwards to show every line when printed.
#include "reportlib/rep_printable.h"

#include "reportlib/rep_text_layout.h"

#include "host/font.h"

#include <QStaticText>
#include <QStringList>

#include "host/strings.h"

class TRepCustomLabel : public TRepPrintable {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool AutoStretch READ AutoStretch WRITE SetAutoStretch)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
public:
    explicit TRepCustomLabel(TComponent *AOwner);

    QString Caption() const { return FCaption; }
    virtual void SetCaption(const QString &value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // Stores the auto-size switch without resizing the element.
    void StoreAutoSize(bool value) { FAutoSize = value; }
    bool AutoStretch() const { return FAutoStretch; }
    void SetAutoStretch(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    // The element's font; while ParentFont is set it shows the parent's font. Changing it
    // clears ParentFont.
    TFont *Font() const;
    void SetFont(TFont *value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    // The font text is measured and painted with (the parent's while ParentFont is set).
    const TFont *EffectiveFont() const;

    // Re-formats the printed lines from the text (see above).
    virtual void FormatLines();
    const QStringList &FormattedLines() const { return FLines; }
    // Resizes to the text when AutoSize is on (not while the element is being read).
    void AdjustBounds();

    void BeforeRun() override;
    void PrepareContent() override;
    double PrintHeightMM() const override;
    void Print(double OfsX, double OfsY) override;
    void Paint() override;

protected:
    // The text to format: the caption (memos: their lines).
    virtual QString FormatSource() const { return FCaption; }
    // What the element shows on the design surface (data texts show their field).
    virtual QString DesignText() const { return FormatSource(); }
    // Paints lines of text into a device rectangle of the canvas.
    void PrintLines(const QRectF &rect, const QStringList &lines);
    void TextChanged();

private:
    void SyncParentFont() const;
    void UpdateMetrics() const;

    QString FCaption;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FAutoStretch = false;
    bool FWordWrap = true;
    TColor FColor = clWhite;
    TFont *FFont;
    bool FParentFont = true;
    mutable bool FSyncingFont = false;
    QStringList FLines;

    // Fonts and metrics of the run (rebuilt when the font changes).
    mutable bool FMetricsValid = false;
    mutable TRepTextMetrics FText96;
    mutable QFont FDeviceFont;
    mutable double FDeviceDPI = 0;
    mutable double FDeviceAscent = 0;

    // The design-surface drawing of the text, kept while text, font, width and zoom stay:
    // repainting a selection redraws every element beneath it, and laying text out anew each
    // time dominates that.
    struct TScreenText {
        QString Text;
        QFont Font;
        double Width96 = -1;
        bool Wrap = false;
        QList<QStaticText> Lines;
        QList<double> Advances;
        double LineHeight = 0;
    };
    TScreenText FScreenText;
    // Breaks the text into lines as the screen shows them and prepares each for drawing.
    void PrepareScreenText(TScreenText &screen, const QString &text, const QFont &font, double width96,
                           bool wrap) const;
};

// A fixed text.
class TRepLabel : public TRepCustomLabel {
    Q_OBJECT
public:
    explicit TRepLabel(TComponent *AOwner);
};

// Lines of text; prints them all, wrapped at the element's width.
class TRepMemo : public TRepCustomLabel {
    Q_OBJECT
    Q_PROPERTY(TStrings *Lines READ Lines WRITE SetLines)
public:
    explicit TRepMemo(TComponent *AOwner);

    TStrings *Lines() const { return FMemoLines; }
    void SetLines(TStrings *value);

protected:
    QString FormatSource() const override;

private:
    TStrings *FMemoLines;
};
