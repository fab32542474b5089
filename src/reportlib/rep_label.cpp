#include "reportlib/rep_label.h"

#include "reportlib/rep_band.h"
#include "reportlib/rep_pdf_device.h"
#include "reportlib/rep_text_layout.h"
#include "reportlib/report.h"

#include "host/strings.h"

#include <QCache>
#include <QCoreApplication>
#include <QPainter>
#include <QStaticText>
#include <cmath>

// --- TRepCustomLabel ---------------------------------------------------------------------

TRepCustomLabel::TRepCustomLabel(TComponent *AOwner) : TRepPrintable(AOwner) {
    FFont = new TFont(this);
    connect(FFont, &TPersistent::Changed, this, [this] {
        if (!FSyncingFont) FParentFont = false;
        FMetricsValid = false;
        TextChanged();
    });
}

void TRepCustomLabel::SetCaption(const QString &value) {
    if (value == FCaption) return;
    FCaption = value;
    TextChanged();
}

void TRepCustomLabel::TextChanged() {
    // While printing, captions change with every record; the design surface does not follow.
    const TReport *r = ParentReport();
    if (r && r->Running()) return;
    AdjustBounds();
    update();
}

void TRepCustomLabel::SetAlignment(TAlignment value) {
    if (value < taLeftJustify || value > taCenter || value == FAlignment) return;
    FAlignment = value;
    update();
}

void TRepCustomLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    TextChanged();
}

void TRepCustomLabel::SetAutoStretch(bool value) { FAutoStretch = value; }

void TRepCustomLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    TextChanged();
}

void TRepCustomLabel::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    update();
}

const TFont *TRepCustomLabel::EffectiveFont() const {
    if (FParentFont) {
        if (const auto *band = qobject_cast<const TRepBand *>(parentWidget())) return band->EffectiveFont();
        if (const auto *report = qobject_cast<const TReport *>(parentWidget())) return report->Font();
    }
    return FFont;
}

void TRepCustomLabel::SyncParentFont() const {
    if (!FParentFont) return;
    const TFont *parent = EffectiveFont();
    if (parent == FFont || parent->Equals(*FFont)) return;
    FSyncingFont = true;
    FFont->Assign(parent);
    FSyncingFont = false;
}

TFont *TRepCustomLabel::Font() const {
    SyncParentFont();
    return FFont;
}

void TRepCustomLabel::SetFont(TFont *value) {
    if (value) FFont->Assign(value);
}

void TRepCustomLabel::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    FMetricsValid = false;
    SyncParentFont();
    TextChanged();
}

void TRepCustomLabel::UpdateMetrics() const {
    if (!FMetricsValid) {
        FText96 = TRepTextMetrics(EffectiveFont()->ToQFont(100));
        FDeviceDPI = 0;
        FMetricsValid = true;
    }
    if (const TRepPrinter *p = Printer(); p && p->Resolution() != FDeviceDPI) {
        FDeviceDPI = p->Resolution();
        FDeviceFont = p->CanvasFont(EffectiveFont());
        FDeviceAscent = QFontMetricsF(FDeviceFont).ascent();
    }
}

void TRepCustomLabel::FormatLines() {
    UpdateMetrics();
    const double width96 = SizeMM(3) / RepMMPerInch * RepScreenPPI;
    FLines = RepBreakText(FormatSource(), FText96, width96, FWordWrap && !FAutoSize);
}

void TRepCustomLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading) || HasState(csReading)) return;
    FMetricsValid = false;
    UpdateMetrics();
    const QStringList lines = RepBreakText(DesignText(), FText96, 0, false);
    const double w = RepPixelsToMM(std::ceil(RepWidestLine(lines, FText96)), 100);
    const double h = RepPixelsToMM(std::ceil(lines.size() * FText96.Height()), 100);
    const double oldW = SizeMM(3);
    if (std::abs(w - oldW) < 1e-9 && std::abs(h - SizeMM(0)) < 1e-9) return;
    // Right-aligned text keeps its right edge, centred text its centre.
    double left = SizeMM(1);
    if (FAlignment == taRightJustify)
        left += oldW - w;
    else if (FAlignment == taCenter)
        left += (oldW - w) / 2;
    if (std::abs(left - SizeMM(1)) > 1e-9) SetSizeMM(1, left);
    SetSizeMM(3, w);
    SetSizeMM(0, h);
}

void TRepCustomLabel::BeforeRun() {
    FMetricsValid = false;
    UpdateMetrics();
}

void TRepCustomLabel::PrepareContent() { FormatLines(); }

double TRepCustomLabel::PrintHeightMM() const {
    const double own = SizeMM(0);
    if (!FAutoStretch) return own;
    UpdateMetrics();
    return qMax(own, RepPixelsToMM(FLines.size() * FText96.Height(), 100));
}

void TRepCustomLabel::Print(double OfsX, double OfsY) {
    TRepPrinter *p = Printer();
    if (!p || !p->Canvas()) return;
    const QRectF rect = PrintRect(OfsX, OfsY);
    PrintBackground(rect, FColor);
    QRectF textRect = rect;
    if (AlignToBand()) {
        if (const TRepBand *band = Band()) {
            const double left = p->XPosF(OfsX);
            textRect.setLeft(left);
            textRect.setRight(left + p->MMToDevice(band->SizeMM(1)));
        }
    }
    PrintLines(textRect, FLines);
    PrintFrame(rect);
}

void TRepCustomLabel::PrintLines(const QRectF &rect, const QStringList &lines) {
    TRepPrinter *p = Printer();
    QPainter *c = p ? p->Canvas() : nullptr;
    if (!c || lines.isEmpty()) return;
    UpdateMetrics();
    const double scale = p->PixelScale();
    const double lineHeight = FText96.Height() * scale;
    // Text is cut at the element's edges only where it would cross them; a text that surely
    // fits is not measured at all.
    const int n = int(lines.size());
    bool clip = !FAutoStretch && n * lineHeight > rect.height() + 0.5;
    if (!FAutoSize)
        for (int i = 0; i < n && !clip; ++i)
            if (FText96.UpperBound(lines[i]) * scale > rect.width() && FText96.Width(lines[i]) * scale > rect.width() + 0.5)
                clip = true;
    // Unchanged painter state is not set again: every change is written into PDF output.
    if (c->font() != FDeviceFont) c->setFont(FDeviceFont);
    const QColor color = ColorToQColor(EffectiveFont()->Color());
    if (c->pen().color() != color || c->pen().style() != Qt::SolidLine) c->setPen(color);
    if (clip) {
        c->save();
        c->setClipRect(rect);
    }
    const Qt::Alignment align = FAlignment == taRightJustify ? Qt::AlignRight
                                : FAlignment == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    // Vendamo's PDF writer takes plain lines directly, without laying them out again.
    auto *pdf = clip ? nullptr : dynamic_cast<TRepPdfDevice *>(c->device());
    double y = rect.top();
    for (int i = 0; i < n; ++i, y += lineHeight) {
        if (clip && y >= rect.bottom()) break;
        if (lines[i].isEmpty()) continue;
        if (pdf && pdf->DrawTextLine(*c, QPointF(rect.left(), y + FDeviceAscent), lines[i], align, rect.width()))
            continue;
        if (align == Qt::AlignLeft)
            c->drawText(QPointF(rect.left(), y + FDeviceAscent), lines[i]);
        else
            // Qt places aligned text within the line in the same pass that lays it out.
            c->drawText(QRectF(rect.left(), y, rect.width(), lineHeight), align | Qt::AlignTop | Qt::TextDontClip,
                        lines[i]);
    }
    if (clip) c->restore();
}

void TRepCustomLabel::PrepareScreenText(TScreenText &screen, const QString &text, const QFont &font, double width96,
                                        bool wrap) const {
    FMetricsValid = false;
    UpdateMetrics();
    const QFontMetricsF fm(font);
    screen.Text = text;
    screen.Font = font;
    screen.Width96 = width96;
    screen.Wrap = wrap;
    screen.Lines.clear();
    screen.Advances.clear();
    screen.LineHeight = FText96.Height() * Zoom() / 100.0;
    for (const QString &line : RepBreakText(text, FText96, width96, wrap, 1000)) {
        QStaticText staticText(line);
        staticText.setTextFormat(Qt::PlainText);
        staticText.prepare(QTransform(), font);
        screen.Lines.append(staticText);
        screen.Advances.append(fm.horizontalAdvance(line));
    }
}

namespace {

// Prepared screen lines shared by the labels of the process (widgets paint in the GUI thread
// only). The cache goes with the application, before the fonts its lines hold are gone.
template <class TLines>
QCache<QString, TLines> &SharedScreenLines() {
    static QCache<QString, TLines> *cache = nullptr;
    if (!cache) {
        cache = new QCache<QString, TLines>(8000);
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
            delete cache;
            cache = nullptr;
        });
    }
    return *cache;
}

}  // namespace

void TRepCustomLabel::Paint() {
    QPainter *c = Canvas();
    if (!c) return;
    if (!Transparent() && FColor != clNone) c->fillRect(rect(), ColorToQColor(FColor));
    const double width96 = SizeMM(3) / RepMMPerInch * RepScreenPPI;
    const QFont font = EffectiveFont()->ToQFont(Zoom());
    const bool wrap = FWordWrap && !FAutoSize;
    const QString text = DesignText();
    TScreenText &screen = FScreenText;
    if (screen.Width96 != width96 || screen.Wrap != wrap || screen.Text != text || screen.Font != font) {
        // Elements of one text, font, zoom and width look alike: their prepared lines are shared
        // by all elements (pasted copies, an undone step, a report opened again).
        QCache<QString, TScreenText> &shared = SharedScreenLines<TScreenText>();
        const QString key = text + QChar(0x1f) + font.key() + QChar(0x1f) + QString::number(Zoom()) + QChar(0x1f) +
                            QString::number(width96, 'g', 17) + (wrap ? u'w' : u'n');
        if (const TScreenText *prepared = shared.object(key)) {
            screen = *prepared;
            FMetricsValid = false;
        } else {
            PrepareScreenText(screen, text, font, width96, wrap);
            shared.insert(key, new TScreenText(screen), qMax<qsizetype>(1, screen.Lines.size()));
        }
    }
    c->save();
    c->setFont(font);
    c->setPen(ColorToQColor(EffectiveFont()->Color()));
    double y = 0;
    for (int i = 0; i < screen.Lines.size(); ++i) {
        if (y > height()) break;
        const double w = screen.Advances.at(i);
        double x = 0;
        if (FAlignment == taRightJustify)
            x = width() - w;
        else if (FAlignment == taCenter)
            x = (width() - w) / 2;
        c->drawStaticText(QPointF(x, y), screen.Lines.at(i));
        y += screen.LineHeight;
    }
    c->restore();
    TRepPrintable::Paint();
}

// --- TRepLabel -------------------------------------------------------------------------

TRepLabel::TRepLabel(TComponent *AOwner) : TRepCustomLabel(AOwner) {}

// --- TRepMemo --------------------------------------------------------------------------

TRepMemo::TRepMemo(TComponent *AOwner) : TRepCustomLabel(AOwner) {
    StoreAutoSize(false);
    FMemoLines = new TStringList(this);
    connect(FMemoLines, &TPersistent::Changed, this, [this] { TextChanged(); });
}

void TRepMemo::SetLines(TStrings *value) {
    if (value) FMemoLines->Assign(value);
}

QString TRepMemo::FormatSource() const {
    QString text = FMemoLines->Text();
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}
