// Vendamo's PDF writer against QPdfWriter: the same QPainter calls on both devices must give the
// same text, nearly the same pixels, fonts embedded as subsets and a structurally sound file.
#include "reportlib/rep_image.h"
#include "reportlib/rep_pdf_device.h"
#include "reportlib/rep_pdf_output.h"

#include "report_fixture.h"
#include "pdf_checks.h"
#include "test_paths.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextDocument>
#include <functional>

#include <gtest/gtest.h>

namespace {

constexpr double kDpi = 600;
constexpr double kMM = kDpi / 25.4;

using TPaint = std::function<void(QPainter &, const std::function<void()> &newPage)>;

void WriteWithQt(const QString &file, const TPaint &paint) {
    QPdfWriter writer(file);
    writer.setResolution(int(kDpi));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter p(&writer);
    paint(p, [&] { writer.newPage(); });
}

bool WriteWithVendamo(const QString &file, const TPaint &paint) {
    TRepPdfDevice device(file, QSizeF(210, 297), kDpi);
    QPainter p(&device);
    if (!p.isActive()) return false;
    paint(p, [&] { device.NewPage(); });
    return p.end();
}

QFont Font(const QString &family, double pt, bool bold = false, bool italic = false) {
    QFont f(family);
    f.setPixelSize(int(pt * kDpi / 72));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QImage Gradient(int w, int h, bool alpha) {
    QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 255 / w, y * 255 / h, 128, alpha ? (x + y) * 255 / (w + h) : 255));
    return image;
}

// A page of what report elements paint: texts in several scripts and styles, aligned and
// rotated text, rules, frames, shapes, pens, brushes, clipping, images and rich text.
void PaintSample(QPainter &p) {
    p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
    p.setPen(Qt::black);
    p.drawText(QPointF(10 * kMM, 20 * kMM), QStringLiteral("Plain Latin text with kerning: AVATAR Toyota"));
    p.setFont(Font(QStringLiteral("Liberation Serif"), 14, true));
    p.drawText(QPointF(10 * kMM, 30 * kMM), QStringLiteral("Crème brûlée, Ångström, Łódź, naïve façade"));
    p.setFont(Font(QStringLiteral("DejaVu Sans"), 11, false, true));
    p.setPen(QColor(20, 60, 160));
    p.drawText(QPointF(10 * kMM, 40 * kMM), QStringLiteral("Ελληνικά γράμματα και Кириллица по-русски"));
    p.setFont(Font(QStringLiteral("Liberation Mono"), 10));
    p.setPen(Qt::darkGreen);
    p.drawText(QRectF(10 * kMM, 45 * kMM, 90 * kMM, 8 * kMM), Qt::AlignRight | Qt::AlignTop, QStringLiteral("Right aligned 1,234.56"));
    p.drawText(QRectF(10 * kMM, 52 * kMM, 90 * kMM, 8 * kMM), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Centred"));
    // A combining accent needs shaping.
    p.setFont(Font(QStringLiteral("DejaVu Sans"), 12));
    p.setPen(Qt::black);
    p.drawText(QPointF(110 * kMM, 20 * kMM), QStringLiteral("Cafe\u0301 combined"));
    // A character the font lacks comes from a fallback font.
    p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
    p.drawText(QPointF(110 * kMM, 40 * kMM), QStringLiteral("King ♔ wins"));
    // The same font with letters spread apart.
    QFont spaced = Font(QStringLiteral("Liberation Sans"), 12);
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 0.8 * kMM);
    p.setFont(spaced);
    p.drawText(QPointF(110 * kMM, 50 * kMM), QStringLiteral("Wide"));
    QFont under = Font(QStringLiteral("Liberation Sans"), 12);
    under.setUnderline(true);
    p.setFont(under);
    p.drawText(QPointF(110 * kMM, 30 * kMM), QStringLiteral("Underlined words"));

    p.save();
    p.translate(150 * kMM, 120 * kMM);
    p.rotate(-90);
    p.setFont(Font(QStringLiteral("Liberation Sans"), 16, true));
    p.setPen(Qt::red);
    p.drawText(QPointF(0, 0), QStringLiteral("Rotated"));
    p.restore();
    p.save();
    p.translate(170 * kMM, 70 * kMM);
    p.rotate(90);
    p.setFont(Font(QStringLiteral("Liberation Serif"), 12));
    p.drawText(QPointF(0, 0), QStringLiteral("Downwards"));
    p.restore();

    p.setPen(QPen(Qt::black, 0.5 * kMM));
    p.drawLine(QPointF(10 * kMM, 60 * kMM), QPointF(200 * kMM, 60 * kMM));
    p.setPen(QPen(Qt::blue, 0.8 * kMM, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF(10 * kMM, 65 * kMM), QPointF(120 * kMM, 65 * kMM));
    p.setPen(QPen(Qt::darkRed, 0.3 * kMM, Qt::DotLine));
    p.drawLine(QPointF(10 * kMM, 68 * kMM), QPointF(120 * kMM, 68 * kMM));
    p.setPen(QPen(Qt::black, 0.4 * kMM));
    p.setBrush(QColor(255, 220, 120));
    p.drawRect(QRectF(10 * kMM, 75 * kMM, 40 * kMM, 25 * kMM));
    p.setBrush(QColor(120, 200, 255));
    p.drawEllipse(QRectF(60 * kMM, 75 * kMM, 40 * kMM, 25 * kMM));
    p.setPen(QPen(Qt::darkMagenta, 1 * kMM, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(110 * kMM, 100 * kMM);
    path.cubicTo(120 * kMM, 70 * kMM, 130 * kMM, 110 * kMM, 140 * kMM, 80 * kMM);
    path.lineTo(140 * kMM, 100 * kMM);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0, 128));
    p.drawRect(QRectF(30 * kMM, 85 * kMM, 50 * kMM, 10 * kMM));
    p.setBrush(QBrush(Qt::black, Qt::DiagCrossPattern));
    p.drawRect(QRectF(10 * kMM, 105 * kMM, 30 * kMM, 15 * kMM));

    // A text cut at a frame's edge, as labels that do not fit.
    p.save();
    p.setClipRect(QRectF(10 * kMM, 125 * kMM, 25 * kMM, 10 * kMM));
    p.setPen(Qt::black);
    p.setFont(Font(QStringLiteral("Liberation Sans"), 20));
    p.fillRect(QRectF(5 * kMM, 120 * kMM, 60 * kMM, 20 * kMM), QColor(230, 230, 230));
    p.drawText(QPointF(10 * kMM, 133 * kMM), QStringLiteral("Clipped away"));
    p.restore();

    p.drawImage(QRectF(10 * kMM, 145 * kMM, 40 * kMM, 30 * kMM), Gradient(80, 60, false));
    p.drawImage(QRectF(60 * kMM, 145 * kMM, 40 * kMM, 30 * kMM), Gradient(80, 60, true));

    QTextDocument doc;
    doc.setDefaultFont(Font(QStringLiteral("Liberation Sans"), 11));
    doc.setHtml(QStringLiteral("<p>Rich <b>bold</b> and <i>italic</i> text, <span style='color:#c00000'>red</span>,"
                               " a list:</p><ul><li>first item</li><li>second item</li></ul>"));
    doc.setTextWidth(90 * kMM);
    p.save();
    p.translate(10 * kMM, 185 * kMM);
    doc.drawContents(&p);
    p.restore();
}

class PdfWriterTest : public ::testing::Test {
protected:
    TestDir FDir;
    QString Qt() const { return FDir.Path(QStringLiteral("qt.pdf")); }
    QString Own() const { return FDir.Path(QStringLiteral("own.pdf")); }
};

TEST_F(PdfWriterTest, PaintsWhatQPdfWriterPaints) {
    const TPaint paint = [](QPainter &p, const std::function<void()> &) { PaintSample(p); };
    WriteWithQt(Qt(), paint);
    ASSERT_TRUE(WriteWithVendamo(Own(), paint));

    // Where the text extractor puts turned text among the rest is its guess; the words are the
    // same.
    QStringList words = PdfWordList(Own());
    QStringList qtWords = PdfWordList(Qt());
    words.sort();
    qtWords.sort();
    EXPECT_EQ(words.join(u' ').toStdString(), qtWords.join(u' ').toStdString());
    for (const char *word : {"Crème", "brûlée,", "Ångström,", "Łódź,", "Ελληνικά", "γράμματα", "Кириллица",
                             "по-русски", "Rotated", "Downwards", "Café", "King", "♔", "wins", "bold", "1,234.56"})
        EXPECT_TRUE(words.contains(QString::fromUtf8(word))) << word;

    const double difference = PdfPixelDifference(Own(), Qt());
    EXPECT_LT(difference, 0.005);
    EXPECT_EQ(PdfFontProblems(Own()), QStringList());
    EXPECT_GE(PdfFontNames(Own()).size(), 4);
    EXPECT_EQ(QpdfProblems(Own()), QString());
}

TEST_F(PdfWriterTest, WritesPagesAsTheyFinishAndCountsThemInTheFile) {
    TRepPdfDevice device(Own(), QSizeF(210, 297), kDpi);
    QPainter p(&device);
    ASSERT_TRUE(p.isActive());
    p.setFont(Font(QStringLiteral("Liberation Sans"), 10));
    qint64 sizeWhilePainting = 0;
    for (int page = 1; page <= 400; ++page) {
        if (page > 1) device.NewPage();
        for (int line = 0; line < 40; ++line)
            p.drawText(QPointF(10 * kMM, (20 + 6 * line) * kMM), QStringLiteral("Page %1 line %2").arg(page).arg(line));
        if (page == 390) sizeWhilePainting = QFileInfo(Own()).size();
    }
    EXPECT_GT(sizeWhilePainting, 100 * 1024) << "finished pages are in the file before the document ends";
    EXPECT_EQ(device.PageCount(), 400);
    ASSERT_TRUE(p.end());
    const QStringList pages = PdfPages(Own());
    ASSERT_EQ(pages.size(), 400);
    EXPECT_TRUE(pages[399].contains(QStringLiteral("Page 400 line 39")));
    EXPECT_EQ(QpdfProblems(Own()), QString());
}

TEST_F(PdfWriterTest, StoresARepeatedImageOnceAndJpegPicturesAsTheirOwnBytes) {
    const QImage logo = Gradient(64, 48, false);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Gradient(120, 90, false).save(&buffer, "JPEG", 80));
    const QImage photo = QImage::fromData(jpeg, "JPEG");
    ASSERT_FALSE(photo.isNull());

    TRepPdfDevice device(Own(), QSizeF(210, 297), kDpi);
    QPainter p(&device);
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) device.NewPage();
        p.drawImage(QRectF(10 * kMM, 10 * kMM, 30 * kMM, 20 * kMM), logo);
        device.OfferJpeg(photo, jpeg);
        RepDrawPicture(p, QRectF(50 * kMM, 10 * kMM, 60 * kMM, 45 * kMM), photo, true, false, 1);
    }
    ASSERT_TRUE(p.end());
    const QByteArray file = ReadWholeFile(Own());
    EXPECT_EQ(file.count("/Subtype/Image"), 2) << "one image object for each picture, whatever the pages";
    EXPECT_EQ(file.count("/DCTDecode"), 1);
    EXPECT_TRUE(file.contains(jpeg)) << "the JPEG file is in the PDF byte for byte";
    EXPECT_EQ(QpdfProblems(Own()), QString());

    // The same pages through QPdfWriter look the same.
    WriteWithQt(Qt(), [&](QPainter &q, const std::function<void()> &newPage) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1) newPage();
            q.drawImage(QRectF(10 * kMM, 10 * kMM, 30 * kMM, 20 * kMM), logo);
            RepDrawPicture(q, QRectF(50 * kMM, 10 * kMM, 60 * kMM, 45 * kMM), photo, true, false, 1);
        }
    });
    EXPECT_LT(PdfPixelDifference(Own(), Qt()), 0.005);
}

TEST_F(PdfWriterTest, DrawsPlainLinesDirectlyWhereQPainterWouldLayThemOut) {
    struct TLine {
        QString Text;
        Qt::Alignment Align;
    };
    const TLine lines[] = {{QStringLiteral("Left AVATAR Toyota"), Qt::AlignLeft},
                           {QStringLiteral("Right 1,234.56 WAVE"), Qt::AlignRight},
                           {QStringLiteral("Centred Ελληνικά Кириллица"), Qt::AlignHCenter}};
    const QRectF box(20 * kMM, 20 * kMM, 120 * kMM, 8 * kMM);
    auto boxAt = [&](int i) { return box.translated(0, i * 10 * kMM); };
    WriteWithQt(Qt(), [&](QPainter &p, const std::function<void()> &) {
        p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
        for (int i = 0; i < 3; ++i) p.drawText(boxAt(i), lines[i].Align | Qt::AlignTop | Qt::TextDontClip, lines[i].Text);
    });
    TRepPdfDevice device(Own(), QSizeF(210, 297), kDpi);
    QPainter p(&device);
    p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
    const double ascent = QFontMetricsF(p.font()).ascent();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(device.DrawTextLine(p, boxAt(i).topLeft() + QPointF(0, ascent), lines[i].Text, lines[i].Align,
                                        box.width()));
    // What needs Qt's layout is left to the painter.
    const QPointF at(20 * kMM, 100 * kMM);
    EXPECT_FALSE(device.DrawTextLine(p, at, QStringLiteral("Cafe\u0301")));
    EXPECT_FALSE(device.DrawTextLine(p, at, QStringLiteral("ends in a blank "), Qt::AlignRight, box.width()));
    QFont underlined = p.font();
    underlined.setUnderline(true);
    p.setFont(underlined);
    EXPECT_FALSE(device.DrawTextLine(p, at, QStringLiteral("underlined")));
    p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
    p.setClipRect(QRectF(0, 0, 100, 100));
    EXPECT_FALSE(device.DrawTextLine(p, at, QStringLiteral("clipped")));
    ASSERT_TRUE(p.end());

    EXPECT_EQ(PdfWordList(Own()), PdfWordList(Qt()));
    EXPECT_LT(PdfPixelDifference(Own(), Qt()), 0.001);
}

TEST_F(PdfWriterTest, AFileThatCannotBeCreatedFailsTheStart) {
    TRepPdfDevice device(QStringLiteral("/nonexistent-dir/out.pdf"), QSizeF(210, 297), kDpi);
    QPainter p;
    EXPECT_FALSE(p.begin(&device));
}

TEST(PdfNumbers, AreShortAndRoundedToThousandths) {
    auto real = [](double v) {
        QByteArray out;
        RepPdf::AppendReal(out, v);
        return out;
    };
    EXPECT_EQ(real(0), "0");
    EXPECT_EQ(real(12), "12");
    EXPECT_EQ(real(-0.5), "-0.5");
    EXPECT_EQ(real(1.23456), "1.235");
    EXPECT_EQ(real(-1.0004), "-1");
    EXPECT_EQ(real(-0.0004), "0");
    EXPECT_EQ(real(2.1), "2.1");
    EXPECT_EQ(real(1e12), "1000000000") << "out-of-range numbers are clamped";
    EXPECT_EQ(real(std::nan("")), "0");
    QByteArray text;
    RepPdf::AppendTextString(text, QStringLiteral("a(b)\\"));
    EXPECT_EQ(text, "(a\\(b\\)\\\\)");
    text.clear();
    RepPdf::AppendTextString(text, QStringLiteral("Ω"));
    EXPECT_EQ(text, "<FEFF03A9>");
}

}  // namespace
