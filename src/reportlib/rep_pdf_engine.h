#pragma once
// The paint engine of TRepPdfDevice: turns QPainter calls into PDF content, one compressed
// content stream per page. Text goes out as glyph indexes of embedded fonts; images as image
// objects shared by every page that draws them; gradients and hatch brushes, which it does not
// claim, QPainter renders as images itself.
#include "reportlib/rep_pdf_output.h"

#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

class TRepPdfDevice;
class TRepPdfFont;

class TRepPdfEngine : public QPaintEngine {
public:
    explicit TRepPdfEngine(TRepPdfDevice &device);
    ~TRepPdfEngine() override;

    void SetTitle(const QString &title) { FTitle = title; }
    void SetCreator(const QString &creator) { FCreator = creator; }
    void NewPage();
    int PageCount() const { return FPageCount; }
    void OfferJpeg(const QImage &image, const QByteArray &jpeg);
    // See TRepPdfDevice::DrawTextLine.
    bool DrawTextLine(const QPainter &painter, const QPointF &baseline, const QString &text, Qt::Alignment align,
                      double width);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRectF *rects, int count) override;
    void drawLines(const QLineF *lines, int count) override;
    void drawEllipse(const QRectF &rect) override;
    void drawPath(const QPainterPath &path) override;
    void drawPoints(const QPointF *points, int count) override;
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) override;
    void drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                   Qt::ImageConversionFlags flags) override;
    void drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) override;
    void drawTextItem(const QPointF &point, const QTextItem &textItem) override;

    // Used by the int overloads too.
    using QPaintEngine::drawLines;
    using QPaintEngine::drawRects;
    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;

private:
    struct TFontEntry {
        QFont Font;
        QRawFont Raw;
        TRepPdfFont *Pdf = nullptr;
    };
    struct TEmitted {  // graphics state last written into the page, to skip repeats
        QRgb Stroke = 0, Fill = 0;
        bool StrokeSet = false, FillSet = false;
        double Width = -1;
        int Cap = -1, Join = -1;
        QList<qreal> Dash;
        double DashOffset = 0;
        bool DashSet = false;
        QByteArray Alpha;
    };

    void BeginPage();
    void EndPage();
    void WriteResources(int object);

    // State written before drawing.
    void PrepareClip();
    void CloseText();
    void SetStroke(const QPen &pen);
    void SetFill(const QColor &color);
    void SetAlpha(double stroke, double fill);
    // Starts a primitive in the current transform: translations are applied to coordinates,
    // other transforms by a "cm" inside a saved state, closed by EndTransformed.
    bool BeginTransformed();
    // Clip, colours, alpha and transform for a shape; nothing when neither pen nor brush shows.
    struct TShape {
        bool Fill = false, Stroke = false, Saved = false;
    };
    std::optional<TShape> BeginShape(bool fillAllowed);
    void EndShape(const TShape &shape, bool evenOdd);
    void EndTransformed(bool saved);
    void Point(double x, double y);
    void AppendPath(const QPainterPath &path);
    // The painting operator for the current pen and brush; empty when nothing shows.
    const char *PaintOperator(bool fill, bool stroke, bool evenOdd) const;

    TFontEntry *FontFor(const QFont &font);
    // The glyphs of text in FGlyphBuffer when the font maps every character and the text needs
    // no shaping; null otherwise.
    TFontEntry *DirectGlyphs(const QFont &font, const QString &text);
    TRepPdfFont *PdfFontFor(const QRawFont &raw);
    void ShowGlyphs(const QRawFont &raw, TRepPdfFont *pdf, const QPointF &origin, const quint32 *glyphs,
                    const QPointF *positions, int count, QStringView text, const QList<QString> *texts = nullptr,
                    bool kern = false);
    void TextAsLayout(const QPointF &point, const QTextItem &textItem);
    void GlyphsAsOutlines(const QRawFont &raw, const QPointF &origin, const quint32 *glyphs,
                          const QPointF *positions, int count);

    int ImageObject(const QImage &image);
    int WriteImage(const QImage &image);

    TRepPdfDevice &FDevice;
    TRepPdfOutput FOut;
    QString FTitle, FCreator;
    int FCatalog = 0, FPagesObject = 0, FResources = 0, FInfo = 0;
    std::vector<int> FPages;
    int FPageCount = 0;
    bool FPageOpen = false;
    QByteArray FContent;
    double FPageWidthPt = 0, FPageHeightPt = 0;

    // Painter state.
    QPen FPen;
    QBrush FBrush;
    QTransform FMatrix;
    bool FTranslateOnly = true;
    double FDx = 0, FDy = 0;
    double FOpacity = 1;
    std::vector<std::pair<QPainterPath, bool>> FClips;  // in device coordinates; true: even-odd
    bool FClipDirty = false;
    TEmitted FEmitted;

    // Text state within BT ... ET.
    bool FInText = false;
    TRepPdfFont *FTextFont = nullptr;
    double FTextSize = 0;
    QPointF FTextLine;  // origin of the last text line (Td is relative to it)
    bool FTextLineValid = false;

    QFont FLastFont;
    TFontEntry *FLastEntry = nullptr;
    QHash<QString, TFontEntry *> FFontsByKey;
    std::vector<std::unique_ptr<TFontEntry>> FFontEntries;
    QHash<QByteArray, TRepPdfFont *> FFacesByKey;
    std::vector<std::unique_ptr<TRepPdfFont>> FFonts;
    std::vector<quint32> FGlyphBuffer;

    QHash<qint64, int> FImages;           // image cache key → object
    QHash<qint64, QByteArray> FJpegs;     // image cache key → offered JPEG bytes
    QHash<qint64, QImage> FPixmapImages;  // pixmap cache key → its image
    QHash<QByteArray, int> FAlphaStates;  // "CA ca" → ExtGState object
};
