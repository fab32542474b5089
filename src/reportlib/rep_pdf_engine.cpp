#include "reportlib/rep_pdf_engine.h"

#include "reportlib/rep_pdf_device.h"
#include "reportlib/rep_pdf_font.h"

#include <QDateTime>
#include <QGlyphRun>
#include <QPainter>
#include <QPixmap>
#include <QTextLayout>
#include <QtEndian>
#include <cmath>
#include <optional>

using namespace RepPdf;

namespace {

// What QPainter may hand over directly; for the rest (gradients, hatch and texture brushes,
// pens with brushes, perspective) it renders images itself and passes those.
constexpr QPaintEngine::PaintEngineFeatures kFeatures =
    QPaintEngine::PrimitiveTransform | QPaintEngine::PixmapTransform | QPaintEngine::PainterPaths |
    QPaintEngine::AlphaBlend | QPaintEngine::ConstantOpacity | QPaintEngine::Antialiasing |
    QPaintEngine::PaintOutsidePaintEvent;

constexpr int kPageLevel = 1;
constexpr int kImageLevel = 6;

void AppendColor(QByteArray &b, QRgb rgb) {
    AppendReal(b, qRed(rgb) / 255.0);
    b.append(' ');
    AppendReal(b, qGreen(rgb) / 255.0);
    b.append(' ');
    AppendReal(b, qBlue(rgb) / 255.0);
}

void AppendMatrix(QByteArray &b, const QTransform &m) {
    const double v[6] = {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()};
    for (int i = 0; i < 6; ++i) {
        AppendReal(b, v[i]);
        b.append(' ');
    }
}

// Characters whose glyphs follow from the font's character map alone, one glyph each and
// advancing by the glyph's width: no shaping, joining, reordering or invisible controls.
bool NeedsNoShaping(QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0xAD) return false;
        if (u >= 0x0300 && u < 0x0370) return false;                  // combining marks
        if (u >= 0x0483 && u < 0x048A) return false;                  // Cyrillic combining marks
        if (u >= 0x0590 && (u < 0x1E00 || u >= 0x2100)) return false;  // other scripts, surrogates
        if ((u >= 0x200B && u < 0x2010) || (u >= 0x2028 && u < 0x202F) || u >= 0x2060) return false;
    }
    return true;
}

// Start marker and components of a JPEG frame: only 8-bit greyscale and RGB files pass through.
int JpegComponents(const QByteArray &jpeg) {
    if (jpeg.size() < 4 || uchar(jpeg[0]) != 0xFF || uchar(jpeg[1]) != 0xD8) return 0;
    qsizetype i = 2;
    while (i + 9 < jpeg.size()) {
        if (uchar(jpeg[i]) != 0xFF) return 0;
        const uchar marker = uchar(jpeg[i + 1]);
        const int length = qFromBigEndian<quint16>(jpeg.constData() + i + 2);
        // Baseline, extended and progressive Huffman frames.
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            const int bits = uchar(jpeg[i + 4]);
            const int components = uchar(jpeg[i + 9]);
            return bits == 8 && (components == 1 || components == 3) ? components : 0;
        }
        if (length < 2) return 0;
        i += 2 + length;
    }
    return 0;
}

}  // namespace

TRepPdfEngine::TRepPdfEngine(TRepPdfDevice &device) : QPaintEngine(kFeatures), FDevice(device) {}

TRepPdfEngine::~TRepPdfEngine() = default;

bool TRepPdfEngine::begin(QPaintDevice *) {
    if (!FOut.Open(FDevice.FileName())) return false;
    FCatalog = FOut.Reserve();
    FPagesObject = FOut.Reserve();
    FResources = FOut.Reserve();
    FInfo = FOut.Reserve();
    FPages.clear();
    FPageCount = 0;
    FPen = QPen();
    FBrush = QBrush();
    FMatrix = QTransform();
    FTranslateOnly = true;
    FDx = FDy = 0;
    FOpacity = 1;
    FClips.clear();
    const QSizeF mm = FDevice.PaperMM();
    FPageWidthPt = mm.width() / 25.4 * 72;
    FPageHeightPt = mm.height() / 25.4 * 72;
    BeginPage();
    setActive(true);
    return true;
}

void TRepPdfEngine::BeginPage() {
    ++FPageCount;
    FPageOpen = true;
    FContent.clear();
    // Device pixels, origin top-left, y downwards; every later "Q q" comes back to this state.
    const double scale = 72.0 / FDevice.Resolution();
    AppendReal(FContent, scale);
    FContent.append(" 0 0 ");
    AppendReal(FContent, -scale);
    FContent.append(" 0 ");
    AppendReal(FContent, FPageHeightPt);
    FContent.append(" cm\nq\n");
    FEmitted = TEmitted();
    FInText = false;
    FClipDirty = !FClips.empty();
}

void TRepPdfEngine::EndPage() {
    if (!FPageOpen) return;
    CloseText();
    FContent.append("Q\n");
    const int contents = FOut.Reserve();
    const int page = FOut.Reserve();
    // Page contents are text and numbers that the fastest level packs nearly as well as the
    // default one, at a fraction of its time.
    FOut.WriteStream(contents, QByteArray(), FContent, kPageLevel);
    QByteArray &b = FOut.Body();
    FOut.BeginObject(page);
    b.append("<</Type/Page/Parent ");
    AppendInt(b, FPagesObject);
    b.append(" 0 R/MediaBox[0 0 ");
    AppendReal(b, FPageWidthPt);
    b.append(' ');
    AppendReal(b, FPageHeightPt);
    b.append("]/Resources ");
    AppendInt(b, FResources);
    b.append(" 0 R/Contents ");
    AppendInt(b, contents);
    b.append(" 0 R>>");
    FOut.EndObject();
    FPages.push_back(page);
    FPageOpen = false;
    FOut.Flush();
    // A finished page is not kept.
    FContent = QByteArray();
}

void TRepPdfEngine::NewPage() {
    if (!isActive()) return;
    EndPage();
    BeginPage();
}

bool TRepPdfEngine::end() {
    if (!FOut.IsOpen()) return false;
    EndPage();
    for (const auto &font : FFonts) font->Write(FOut);
    WriteResources(FResources);

    QByteArray &b = FOut.Body();
    FOut.BeginObject(FPagesObject);
    b.append("<</Type/Pages/Kids[");
    for (size_t i = 0; i < FPages.size(); ++i) {
        if (i) b.append(' ');
        AppendInt(b, FPages[i]);
        b.append(" 0 R");
    }
    b.append("]/Count ");
    AppendInt(b, qint64(FPages.size()));
    b.append(">>");
    FOut.EndObject();

    FOut.BeginObject(FCatalog);
    b.append("<</Type/Catalog/Pages ");
    AppendInt(b, FPagesObject);
    b.append(" 0 R>>");
    FOut.EndObject();

    FOut.BeginObject(FInfo);
    b.append("<</Producer(Vendamo)");
    if (!FTitle.isEmpty()) {
        b.append("/Title");
        AppendTextString(b, FTitle);
    }
    if (!FCreator.isEmpty()) {
        b.append("/Creator");
        AppendTextString(b, FCreator);
    }
    b.append("/CreationDate(D:");
    b.append(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1());
    b.append("Z)>>");
    FOut.EndObject();

    const bool ok = FOut.Finish(FCatalog, FInfo);
    FFonts.clear();
    FFacesByKey.clear();
    FFontsByKey.clear();
    FFontEntries.clear();
    FLastEntry = nullptr;
    FImages.clear();
    FJpegs.clear();
    FPixmapImages.clear();
    FAlphaStates.clear();
    setActive(false);
    return ok;
}

void TRepPdfEngine::WriteResources(int object) {
    QByteArray &b = FOut.Body();
    FOut.BeginObject(object);
    b.append("<</ProcSet[/PDF/Text/ImageB/ImageC]");
    if (!FFonts.empty()) {
        b.append("/Font<<");
        for (const auto &font : FFonts) {
            b.append('/').append(font->ResourceName()).append(' ');
            AppendInt(b, font->Object());
            b.append(" 0 R");
        }
        b.append(">>");
    }
    if (!FImages.isEmpty()) {
        b.append("/XObject<<");
        QList<int> objects = FImages.values();
        std::sort(objects.begin(), objects.end());
        objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
        for (int n : objects) {
            b.append("/I");
            AppendInt(b, n);
            b.append(' ');
            AppendInt(b, n);
            b.append(" 0 R");
        }
        b.append(">>");
    }
    if (!FAlphaStates.isEmpty()) {
        b.append("/ExtGState<<");
        for (int n : std::as_const(FAlphaStates)) {
            b.append("/G");
            AppendInt(b, n);
            b.append(' ');
            AppendInt(b, n);
            b.append(" 0 R");
        }
        b.append(">>");
    }
    b.append(">>");
    FOut.EndObject();
}

// --- state ---------------------------------------------------------------------------------

void TRepPdfEngine::updateState(const QPaintEngineState &state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform) {
        FMatrix = state.transform();
        FTranslateOnly = FMatrix.type() <= QTransform::TxTranslate;
        FDx = FMatrix.dx();
        FDy = FMatrix.dy();
    }
    if (flags & DirtyPen) FPen = state.pen();
    if (flags & DirtyBrush) FBrush = state.brush();
    if (flags & DirtyOpacity) FOpacity = state.opacity();

    // Clip paths are kept in device coordinates, mapped with the transform in force when
    // they were set (QPainter replays them with their own transforms on restore).
    auto clip = [this](const QPainterPath &path, Qt::ClipOperation op) {
        FClipDirty = true;
        if (op == Qt::NoClip) {
            FClips.clear();
            return;
        }
        if (op == Qt::ReplaceClip) FClips.clear();
        const QPainterPath mapped = FMatrix.isIdentity() ? path : FMatrix.map(path);
        FClips.emplace_back(mapped, mapped.fillRule() == Qt::OddEvenFill);
    };
    if (flags & DirtyClipEnabled) {
        if (state.isClipEnabled() && painter())
            clip(painter()->clipPath(), Qt::ReplaceClip);
        else
            clip(QPainterPath(), Qt::NoClip);
    }
    if (flags & DirtyClipPath) clip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        clip(path, state.clipOperation());
    }
}

void TRepPdfEngine::CloseText() {
    if (!FInText) return;
    FContent.append("ET\n");
    FInText = false;
}

void TRepPdfEngine::PrepareClip() {
    if (!FClipDirty) return;
    CloseText();
    FContent.append("Q\nq\n");
    FEmitted = TEmitted();
    for (const auto &[path, evenOdd] : FClips) {
        const bool translate = FTranslateOnly;
        FTranslateOnly = false;  // clip paths are in device coordinates already
        AppendPath(path);
        FTranslateOnly = translate;
        FContent.append(evenOdd ? "W* n\n" : "W n\n");
    }
    FClipDirty = false;
}

void TRepPdfEngine::SetAlpha(double stroke, double fill) {
    QByteArray key;
    if (stroke < 0.999 || fill < 0.999) {
        AppendReal(key, stroke);
        key.append(' ');
        AppendReal(key, fill);
    }
    if (key == FEmitted.Alpha) return;
    FEmitted.Alpha = key;
    if (key.isEmpty()) key = "1 1";
    int object = FAlphaStates.value(key);
    if (!object) {
        object = FOut.Reserve();
        QByteArray &b = FOut.Body();
        FOut.BeginObject(object);
        b.append("<</Type/ExtGState/CA ");
        AppendReal(b, stroke);
        b.append("/ca ");
        AppendReal(b, fill);
        b.append(">>");
        FOut.EndObject();
        FAlphaStates.insert(key, object);
    }
    FContent.append("/G");
    AppendInt(FContent, object);
    FContent.append(" gs\n");
}

void TRepPdfEngine::SetFill(const QColor &color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    if (FEmitted.FillSet && FEmitted.Fill == rgb) return;
    FEmitted.Fill = rgb;
    FEmitted.FillSet = true;
    AppendColor(FContent, rgb);
    FContent.append(" rg\n");
}

void TRepPdfEngine::SetStroke(const QPen &pen) {
    const QRgb rgb = pen.color().rgb() & 0xFFFFFF;
    if (!FEmitted.StrokeSet || FEmitted.Stroke != rgb) {
        FEmitted.Stroke = rgb;
        FEmitted.StrokeSet = true;
        AppendColor(FContent, rgb);
        FContent.append(" RG\n");
    }
    // A width of 0 is one device pixel whatever the transform; so are cosmetic pens' widths.
    double width = pen.widthF();
    if (width <= 0 || pen.isCosmetic()) {
        if (width <= 0) width = 1;
        if (!FTranslateOnly) width /= std::sqrt(qMax(1e-9, std::abs(FMatrix.determinant())));
    }
    if (width != FEmitted.Width) {
        FEmitted.Width = width;
        AppendReal(FContent, width);
        FContent.append(" w\n");
    }
    const int cap = pen.capStyle() == Qt::FlatCap ? 0 : pen.capStyle() == Qt::RoundCap ? 1 : 2;
    if (cap != FEmitted.Cap) {
        FEmitted.Cap = cap;
        AppendInt(FContent, cap);
        FContent.append(" J\n");
    }
    const int join = pen.joinStyle() == Qt::RoundJoin ? 1 : pen.joinStyle() == Qt::BevelJoin ? 2 : 0;
    if (join != FEmitted.Join) {
        FEmitted.Join = join;
        AppendInt(FContent, join);
        FContent.append(" j\n");
        if (join == 0) {
            AppendReal(FContent, qMax(1.0, pen.miterLimit()));
            FContent.append(" M\n");
        }
    }
    // Dashes are given in pen widths.
    QList<qreal> dash;
    double offset = 0;
    if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
        dash = pen.dashPattern();
        for (qreal &d : dash) d *= width;
        offset = pen.dashOffset() * width;
    }
    if (!FEmitted.DashSet || dash != FEmitted.Dash || offset != FEmitted.DashOffset) {
        FEmitted.Dash = dash;
        FEmitted.DashOffset = offset;
        FEmitted.DashSet = true;
        FContent.append('[');
        for (qsizetype i = 0; i < dash.size(); ++i) {
            if (i) FContent.append(' ');
            AppendReal(FContent, dash[i]);
        }
        FContent.append("] ");
        AppendReal(FContent, offset);
        FContent.append(" d\n");
    }
}

bool TRepPdfEngine::BeginTransformed() {
    if (FTranslateOnly) return false;
    FContent.append("q ");
    AppendMatrix(FContent, FMatrix);
    FContent.append("cm\n");
    return true;
}

void TRepPdfEngine::EndTransformed(bool saved) {
    if (!saved) return;
    FContent.append("Q\n");
    // The restore brings back the pen of before the "q"; colours and alpha were set outside it.
    FEmitted.StrokeSet = false;
    FEmitted.Width = -1;
    FEmitted.Cap = FEmitted.Join = -1;
    FEmitted.DashSet = false;
}

void TRepPdfEngine::Point(double x, double y) {
    if (FTranslateOnly) {
        x += FDx;
        y += FDy;
    }
    AppendReal(FContent, x);
    FContent.append(' ');
    AppendReal(FContent, y);
    FContent.append(' ');
}

void TRepPdfEngine::AppendPath(const QPainterPath &path) {
    QPointF start;
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element &e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            Point(e.x, e.y);
            FContent.append("m\n");
            start = last = QPointF(e.x, e.y);
            break;
        case QPainterPath::LineToElement:
            // A subpath that ends where it started is closed, as QPainter's stroker treats it.
            if (QPointF(e.x, e.y) == start && i > 0 &&
                (i + 1 == path.elementCount() || path.elementAt(i + 1).type == QPainterPath::MoveToElement)) {
                FContent.append("h\n");
            } else {
                Point(e.x, e.y);
                FContent.append("l\n");
            }
            last = QPointF(e.x, e.y);
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < path.elementCount()) {
                const QPainterPath::Element &c2 = path.elementAt(i + 1);
                const QPainterPath::Element &to = path.elementAt(i + 2);
                Point(e.x, e.y);
                Point(c2.x, c2.y);
                Point(to.x, to.y);
                FContent.append("c\n");
                last = QPointF(to.x, to.y);
                i += 2;
            }
            break;
        case QPainterPath::CurveToDataElement: break;
        }
    }
}

const char *TRepPdfEngine::PaintOperator(bool fill, bool stroke, bool evenOdd) const {
    if (fill && stroke) return evenOdd ? "B*\n" : "B\n";
    if (fill) return evenOdd ? "f*\n" : "f\n";
    if (stroke) return "S\n";
    return nullptr;
}

// --- shapes --------------------------------------------------------------------------------

std::optional<TRepPdfEngine::TShape> TRepPdfEngine::BeginShape(bool fillAllowed) {
    TShape shape;
    shape.Fill = fillAllowed && FBrush.style() != Qt::NoBrush && FBrush.color().alpha() > 0;
    shape.Stroke = FPen.style() != Qt::NoPen && FPen.color().alpha() > 0;
    if (!shape.Fill && !shape.Stroke) return std::nullopt;
    PrepareClip();
    CloseText();
    SetAlpha(shape.Stroke ? FPen.color().alphaF() * FOpacity : 1.0,
             shape.Fill ? FBrush.color().alphaF() * FOpacity : 1.0);
    if (shape.Fill) SetFill(FBrush.color());
    shape.Saved = BeginTransformed();
    // The pen's width depends on the transform, so it is set inside the saved state.
    if (shape.Stroke) SetStroke(FPen);
    return shape;
}

void TRepPdfEngine::EndShape(const TShape &shape, bool evenOdd) {
    FContent.append(PaintOperator(shape.Fill, shape.Stroke, evenOdd));
    EndTransformed(shape.Saved);
}

void TRepPdfEngine::drawRects(const QRectF *rects, int count) {
    const auto shape = BeginShape(true);
    if (!shape) return;
    for (int i = 0; i < count; ++i) {
        const QRectF &r = rects[i];
        Point(r.x(), r.y());
        AppendReal(FContent, r.width());
        FContent.append(' ');
        AppendReal(FContent, r.height());
        FContent.append(" re\n");
    }
    EndShape(*shape, false);
}

void TRepPdfEngine::drawLines(const QLineF *lines, int count) {
    const auto shape = BeginShape(false);
    if (!shape) return;
    for (int i = 0; i < count; ++i) {
        Point(lines[i].x1(), lines[i].y1());
        FContent.append("m ");
        Point(lines[i].x2(), lines[i].y2());
        FContent.append("l\n");
    }
    EndShape(*shape, false);
}

void TRepPdfEngine::drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) {
    if (count < 2) return;
    const auto shape = BeginShape(mode != PolylineMode);
    if (!shape) return;
    for (int i = 0; i < count; ++i) {
        Point(points[i].x(), points[i].y());
        FContent.append(i ? "l\n" : "m\n");
    }
    if (mode != PolylineMode) FContent.append("h\n");
    EndShape(*shape, mode == OddEvenMode);
}

void TRepPdfEngine::drawPath(const QPainterPath &path) {
    if (path.isEmpty()) return;
    const auto shape = BeginShape(true);
    if (!shape) return;
    AppendPath(path);
    EndShape(*shape, path.fillRule() == Qt::OddEvenFill);
}

void TRepPdfEngine::drawEllipse(const QRectF &rect) {
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
}

void TRepPdfEngine::drawPoints(const QPointF *points, int count) {
    // A point is a dot of the pen's width: a zero-length line with round or square ends.
    const QPen pen = FPen;
    if (FPen.capStyle() == Qt::FlatCap) FPen.setCapStyle(Qt::SquareCap);
    std::vector<QLineF> lines;
    lines.reserve(size_t(count));
    for (int i = 0; i < count; ++i) lines.emplace_back(points[i], points[i]);
    drawLines(lines.data(), count);
    FPen = pen;
}

// --- images --------------------------------------------------------------------------------

void TRepPdfEngine::OfferJpeg(const QImage &image, const QByteArray &jpeg) {
    if (image.isNull() || FImages.contains(image.cacheKey()) || JpegComponents(jpeg) == 0) return;
    FJpegs.insert(image.cacheKey(), jpeg);
}

int TRepPdfEngine::ImageObject(const QImage &image) {
    const qint64 key = image.cacheKey();
    if (const int object = FImages.value(key)) return object;
    int object = 0;
    const QByteArray jpeg = FJpegs.value(key);
    const int components = JpegComponents(jpeg);
    if (components) {
        object = FOut.Reserve();
        QByteArray extra("/Type/XObject/Subtype/Image/Width ");
        AppendInt(extra, image.width());
        extra.append("/Height ");
        AppendInt(extra, image.height());
        extra.append(components == 1 ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB");
        extra.append("/BitsPerComponent 8/Filter/DCTDecode");
        FOut.WriteStream(object, extra, jpeg, 0);
        FJpegs.remove(key);
    } else {
        object = WriteImage(image);
    }
    FImages.insert(key, object);
    return object;
}

int TRepPdfEngine::WriteImage(const QImage &image) {
    const bool alpha = image.hasAlphaChannel();
    const bool gray = !alpha && image.isGrayscale();
    const int w = image.width(), h = image.height();
    QByteArray samples, mask;
    if (gray) {
        const QImage g = image.convertToFormat(QImage::Format_Grayscale8);
        samples.reserve(qsizetype(w) * h);
        for (int y = 0; y < h; ++y) samples.append(reinterpret_cast<const char *>(g.constScanLine(y)), w);
    } else {
        // Colours without premultiplied alpha; the alpha goes into a soft mask of its own.
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        samples.resize(qsizetype(w) * h * 3);
        if (alpha) mask.resize(qsizetype(w) * h);
        char *s = samples.data();
        char *m = mask.data();
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                *s++ = char(qRed(line[x]));
                *s++ = char(qGreen(line[x]));
                *s++ = char(qBlue(line[x]));
                if (alpha) *m++ = char(qAlpha(line[x]));
            }
        }
    }
    auto header = [w, h](const char *colorSpace) {
        QByteArray extra("/Type/XObject/Subtype/Image/Width ");
        AppendInt(extra, w);
        extra.append("/Height ");
        AppendInt(extra, h);
        extra.append(colorSpace);
        extra.append("/BitsPerComponent 8");
        return extra;
    };
    int maskObject = 0;
    if (alpha) {
        maskObject = FOut.Reserve();
        FOut.WriteStream(maskObject, header("/ColorSpace/DeviceGray"), mask, kImageLevel);
    }
    const int object = FOut.Reserve();
    QByteArray extra = header(gray ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB");
    if (maskObject) {
        extra.append("/SMask ");
        AppendInt(extra, maskObject);
        extra.append(" 0 R");
    }
    FOut.WriteStream(object, extra, samples, kImageLevel);
    return object;
}

void TRepPdfEngine::drawImage(const QRectF &rect, const QImage &image, const QRectF &source,
                              Qt::ImageConversionFlags) {
    if (image.isNull() || rect.isEmpty()) return;
    const QRect whole = image.rect();
    const QRect part = source.toAlignedRect().intersected(whole);
    if (part.isEmpty()) return;
    const int object = ImageObject(part == whole ? image : image.copy(part));
    PrepareClip();
    CloseText();
    SetAlpha(1.0, FOpacity);
    FContent.append("q ");
    if (!FTranslateOnly) AppendMatrix(FContent, FMatrix), FContent.append("cm ");
    // The unit square of the image, first row at the top.
    const double dx = FTranslateOnly ? FDx : 0, dy = FTranslateOnly ? FDy : 0;
    AppendReal(FContent, rect.width());
    FContent.append(" 0 0 ");
    AppendReal(FContent, -rect.height());
    FContent.append(' ');
    AppendReal(FContent, rect.x() + dx);
    FContent.append(' ');
    AppendReal(FContent, rect.bottom() + dy);
    FContent.append(" cm /I");
    AppendInt(FContent, object);
    FContent.append(" Do Q\n");
}

void TRepPdfEngine::drawPixmap(const QRectF &rect, const QPixmap &pixmap, const QRectF &source) {
    // The pixmap's image is made once: its cache key names the image object then.
    const qint64 key = pixmap.cacheKey();
    if (!FPixmapImages.contains(key)) FPixmapImages.insert(key, pixmap.toImage());
    drawImage(rect, FPixmapImages.value(key), source, Qt::AutoColor);
}

void TRepPdfEngine::drawTiledPixmap(const QRectF &rect, const QPixmap &pixmap, const QPointF &offset) {
    if (pixmap.isNull() || rect.isEmpty()) return;
    const double w = pixmap.width(), h = pixmap.height();
    double startX = rect.x() - std::fmod(offset.x(), w);
    double startY = rect.y() - std::fmod(offset.y(), h);
    if (startX > rect.x()) startX -= w;
    if (startY > rect.y()) startY -= h;
    // The tiles are cut at the rectangle's edges.
    const auto clips = FClips;
    QPainterPath edge;
    edge.addRect(rect);
    FClips.emplace_back(FMatrix.map(edge), false);
    FClipDirty = true;
    for (double y = startY; y < rect.bottom(); y += h)
        for (double x = startX; x < rect.right(); x += w)
            drawPixmap(QRectF(x, y, w, h), pixmap, QRectF(0, 0, w, h));
    FClips = clips;
    FClipDirty = true;
}

// --- text ----------------------------------------------------------------------------------

TRepPdfEngine::TFontEntry *TRepPdfEngine::FontFor(const QFont &font) {
    if (FLastEntry && font == FLastFont) return FLastEntry;
    // Every attribute of the font, spacing and kerning too.
    const QString key = font.toString() + (font.kerning() ? u'k' : u'-');
    TFontEntry *entry = FFontsByKey.value(key);
    if (!entry) {
        auto made = std::make_unique<TFontEntry>();
        made->Font = font;
        made->Raw = QRawFont::fromFont(font);
        made->Pdf = made->Raw.isValid() ? PdfFontFor(made->Raw) : nullptr;
        entry = made.get();
        FFontEntries.push_back(std::move(made));
        FFontsByKey.insert(key, entry);
    }
    FLastFont = font;
    FLastEntry = entry;
    return entry;
}

TRepPdfFont *TRepPdfEngine::PdfFontFor(const QRawFont &raw) {
    // One PDF font per face, whatever the sizes it is used at.
    const QByteArray head = raw.fontTable("head");
    const QByteArray key = raw.familyName().toUtf8() + '|' + raw.styleName().toUtf8() + '|' +
                           QByteArray::number(raw.weight()) + '|' + QByteArray::number(int(raw.style())) + '|' +
                           head.mid(8, 4).toHex() + head.mid(28, 8).toHex();
    if (TRepPdfFont *font = FFacesByKey.value(key)) return font;
    FFonts.push_back(std::make_unique<TRepPdfFont>(raw, FOut.Reserve(), int(FFonts.size()) + 1));
    FFacesByKey.insert(key, FFonts.back().get());
    return FFonts.back().get();
}

TRepPdfEngine::TFontEntry *TRepPdfEngine::DirectGlyphs(const QFont &font, const QString &text) {
    TFontEntry *entry = FontFor(font);
    const QFont &f = font;
    if (!entry->Pdf || !entry->Pdf->Embeddable() || f.letterSpacing() != 0 || f.wordSpacing() != 0 ||
        f.capitalization() != QFont::MixedCase || !NeedsNoShaping(text))
        return nullptr;
    const int n = int(text.size());
    if (FGlyphBuffer.size() < size_t(n)) FGlyphBuffer.resize(size_t(n));
    int count = n;
    if (!entry->Raw.glyphIndexesForChars(text.constData(), n, FGlyphBuffer.data(), &count) || count != n) return nullptr;
    for (int i = 0; i < n; ++i)
        if (FGlyphBuffer[size_t(i)] == 0) return nullptr;  // the font lacks it: Qt takes another font
    return entry;
}

void TRepPdfEngine::drawTextItem(const QPointF &point, const QTextItem &textItem) {
    const QString text = textItem.text();
    if (text.isEmpty() || FPen.style() == Qt::NoPen) return;
    TFontEntry *entry = (textItem.renderFlags() & QTextItem::RightToLeft) ? nullptr : DirectGlyphs(textItem.font(), text);
    if (!entry) {
        TextAsLayout(point, textItem);
        return;
    }
    ShowGlyphs(entry->Raw, entry->Pdf, point, FGlyphBuffer.data(), nullptr, int(text.size()), text, nullptr,
               textItem.font().kerning());
}

bool TRepPdfEngine::DrawTextLine(const QPainter &painter, const QPointF &baseline, const QString &text,
                                 Qt::Alignment align, double width) {
    if (!isActive() || text.isEmpty()) return false;
    const QFont &font = painter.font();
    const QPen &pen = painter.pen();
    if (font.underline() || font.strikeOut() || font.overline() || painter.hasClipping() || painter.opacity() < 1 ||
        pen.style() == Qt::NoPen || pen.brush().style() != Qt::SolidPattern)
        return false;
    // Qt leaves trailing blanks out of an aligned line's width.
    if ((align & (Qt::AlignRight | Qt::AlignHCenter)) && text.back().isSpace()) return false;
    TFontEntry *entry = DirectGlyphs(font, text);
    if (!entry) return false;
    // The painter's state, which it would hand over with its next drawing call anyway.
    FPen = pen;
    FOpacity = painter.opacity();
    FMatrix = painter.combinedTransform();
    FTranslateOnly = FMatrix.type() <= QTransform::TxTranslate;
    FDx = FMatrix.dx();
    FDy = FMatrix.dy();
    if (!FClips.empty()) {
        FClips.clear();
        FClipDirty = true;
    }
    const int n = int(text.size());
    const bool kern = font.kerning();
    QPointF origin = baseline;
    if (align & (Qt::AlignRight | Qt::AlignHCenter)) {
        double units = 0;
        for (int i = 0; i < n; ++i) {
            units += entry->Pdf->Width(FGlyphBuffer[size_t(i)]);
            if (kern && i > 0) units += entry->Pdf->Kerning(FGlyphBuffer[size_t(i) - 1], FGlyphBuffer[size_t(i)]);
        }
        const double advance = units * entry->Raw.pixelSize() / 1000.0;
        origin.rx() += (align & Qt::AlignRight) ? width - advance : (width - advance) / 2;
    }
    ShowGlyphs(entry->Raw, entry->Pdf, origin, FGlyphBuffer.data(), nullptr, n, text, nullptr, kern);
    return true;
}

// Text that needs shaping or other fonts: laid out again with the painter's font, glyph runs
// per font as QPainter would have drawn them.
void TRepPdfEngine::TextAsLayout(const QPointF &point, const QTextItem &textItem) {
    // Shaping composes a letter and its accents into one glyph where the font has it; the text
    // of such glyphs is found in the composed form.
    const QString original = textItem.text();
    const QString text = original.normalized(QString::NormalizationForm_C);
    QTextLayout layout(original, textItem.font(), &FDevice);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(textItem.renderFlags() & QTextItem::RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(1e6);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    const double baseline = line.ascent();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions) p.ry() -= baseline;
        // The characters each glyph stands for, found through the font's character map; a
        // glyph of several characters (a ligature) takes those no other glyph took.
        QList<QString> texts(glyphs.size());
        QList<bool> taken(text.size(), false);
        std::vector<quint32> charGlyphs(size_t(text.size()));
        int count = int(text.size());
        raw.glyphIndexesForChars(text.constData(), int(text.size()), charGlyphs.data(), &count);
        for (qsizetype g = 0; g < glyphs.size(); ++g)
            for (qsizetype c = 0; c < text.size(); ++c)
                if (!taken[c] && charGlyphs[size_t(c)] == glyphs[g]) {
                    texts[g] = text.mid(c, 1);
                    taken[c] = true;
                    break;
                }
        // Only characters within the stretch this run covers: the others belong to the runs
        // of other fonts.
        qsizetype first = -1, last = -1;
        for (qsizetype c = 0; c < text.size(); ++c)
            if (taken[c]) {
                if (first < 0) first = c;
                last = c;
            }
        for (qsizetype c = first + 1, g = 0; first >= 0 && c < last; ++c) {
            if (taken[c] || text[c].isSpace()) continue;
            while (g + 1 < glyphs.size() && !texts[g].isEmpty()) ++g;
            texts[g] += text[c];
        }
        TRepPdfFont *pdf = raw.isValid() ? PdfFontFor(raw) : nullptr;
        if (!pdf || !pdf->Embeddable()) {
            GlyphsAsOutlines(raw, point, glyphs.constData(), positions.constData(), int(glyphs.size()));
            continue;
        }
        ShowGlyphs(raw, pdf, point, glyphs.constData(), positions.constData(), int(glyphs.size()), QStringView(), &texts);
    }
}

void TRepPdfEngine::GlyphsAsOutlines(const QRawFont &raw, const QPointF &origin, const quint32 *glyphs,
                                     const QPointF *positions, int count) {
    QPainterPath path;
    for (int i = 0; i < count; ++i) path.addPath(raw.pathForGlyph(glyphs[i]).translated(origin + positions[i]));
    const QBrush brush = FBrush;
    const QPen pen = FPen;
    FBrush = QBrush(pen.color());
    FPen = QPen(Qt::NoPen);
    drawPath(path);
    FBrush = brush;
    FPen = pen;
}

void TRepPdfEngine::ShowGlyphs(const QRawFont &raw, TRepPdfFont *pdf, const QPointF &origin, const quint32 *glyphs,
                               const QPointF *positions, int count, QStringView text, const QList<QString> *texts,
                               bool kern) {
    if (count <= 0) return;
    PrepareClip();
    const double alpha = FPen.color().alphaF() * FOpacity;
    SetAlpha(1.0, alpha);
    SetFill(FPen.color());
    if (!FInText) {
        FContent.append("BT\n");
        FInText = true;
        FTextFont = nullptr;
        FTextLineValid = false;
    }
    const double size = raw.pixelSize();
    if (pdf != FTextFont || size != FTextSize) {
        FContent.append('/').append(pdf->ResourceName()).append(' ');
        AppendReal(FContent, size);
        FContent.append(" Tf\n");
        FTextFont = pdf;
        FTextSize = size;
    }
    // Glyph space has y upwards; device pixels have it downwards.
    auto moveTo = [this](const QPointF &at) {
        if (FTranslateOnly) {
            const QPointF device(at.x() + FDx, at.y() + FDy);
            if (FTextLineValid) {
                AppendReal(FContent, device.x() - FTextLine.x());
                FContent.append(' ');
                AppendReal(FContent, FTextLine.y() - device.y());
                FContent.append(" Td ");
            } else {
                FContent.append("1 0 0 -1 ");
                AppendReal(FContent, device.x());
                FContent.append(' ');
                AppendReal(FContent, device.y());
                FContent.append(" Tm ");
            }
            // Td takes three decimals; the line origin follows what was written.
            FTextLine = QPointF(std::round(device.x() * 1000) / 1000, std::round(device.y() * 1000) / 1000);
            FTextLineValid = true;
        } else {
            AppendMatrix(FContent, QTransform(1, 0, 0, -1, at.x(), at.y()) * FMatrix);
            FContent.append("Tm ");
            FTextLineValid = false;
        }
    };
    const double toText = size / 1000.0;
    bool flat = true;  // all glyphs on the baseline
    if (positions)
        for (int i = 0; i < count && flat; ++i) flat = std::abs(positions[i].y()) < 0.01;
    if (!positions || flat) {
        // Without a layout's positions glyphs advance by their widths, with the face's pair
        // kerning as shaping applies it.
        const bool kerned = !positions && kern && pdf->HasKerning();
        const bool array = positions || kerned;
        moveTo(positions ? origin + QPointF(positions[0].x(), 0) : origin);
        FContent.append(array ? "[<" : "<");
        double x = positions ? positions[0].x() : 0;
        for (int i = 0; i < count; ++i) {
            if (kerned && i > 0) {
                if (const double k = pdf->Kerning(glyphs[i - 1], glyphs[i]); k != 0) {
                    FContent.append('>');
                    AppendReal(FContent, -k);
                    FContent.append('<');
                }
            } else if (positions && i > 0) {
                // Moves the glyph to where the layout put it (thousandths of the size, leftwards).
                const double adjust = (x - positions[i].x()) / toText;
                if (std::abs(adjust) > 0.5) {
                    FContent.append('>');
                    AppendReal(FContent, adjust);
                    FContent.append('<');
                    x = positions[i].x();
                }
            }
            AppendHex4(FContent, glyphs[i]);
            x += pdf->Width(glyphs[i]) * toText;
            pdf->Use(glyphs[i], texts ? QStringView((*texts)[i]) : text.mid(i, 1));
        }
        FContent.append(array ? ">]TJ\n" : ">Tj\n");
    } else {
        for (int i = 0; i < count; ++i) {
            moveTo(origin + positions[i]);
            FContent.append('<');
            AppendHex4(FContent, glyphs[i]);
            FContent.append(">Tj\n");
            pdf->Use(glyphs[i], texts ? QStringView((*texts)[i]) : text.mid(i, 1));
        }
    }
}
