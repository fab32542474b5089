#pragma once
// A paint device that writes a PDF file, so that report elements paint with QPainter into PDF
// exactly as they paint on screen and printers. Each page is written to the file when the
// next one starts; fonts are embedded as subsets of the glyphs used when the painter ends.
// Coordinates are device pixels at the resolution given, origin at the top-left corner.
//
//   TRepPdfDevice pdf(fileName, QSizeF(210, 297), 600);
//   QPainter p(&pdf);      // false from isActive() when the file cannot be created
//   ... p.drawText(...); pdf.NewPage(); ...
//   p.end();               // false when a write failed
#include <QImage>
#include <QPaintDevice>
#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;
class TRepPdfEngine;

class TRepPdfDevice : public QPaintDevice {
public:
    TRepPdfDevice(const QString &fileName, const QSizeF &paperMM, double dpi);
    ~TRepPdfDevice() override;

    QString FileName() const { return FFileName; }
    QSizeF PaperMM() const { return FPaperMM; }
    double Resolution() const { return FDpi; }
    void SetTitle(const QString &title);
    void SetCreator(const QString &creator);

    // Finishes the current page and starts the next one; the painter stays active.
    void NewPage();
    // Pages begun so far.
    int PageCount() const;

    // The file bytes of a JPEG picture that will be drawn as image: it goes into the file as it
    // is instead of being compressed again. Only 8-bit greyscale and RGB JPEG files qualify.
    void OfferJpeg(const QImage &image, const QByteArray &jpeg);

    // Draws one line of plain text with painter's font and pen, as painter.drawText would,
    // without laying it out again: glyphs straight from the font's character map, advanced by
    // their widths and the font's pair kerning. baseline is the start of the line; with
    // Qt::AlignRight or Qt::AlignHCenter the line is placed within width from there. False,
    // with nothing drawn, for what needs Qt's text layout (other scripts, fallback fonts,
    // decorations, spacing, clipping): the caller draws it with the painter then.
    bool DrawTextLine(QPainter &painter, const QPointF &baseline, const QString &text,
                      Qt::Alignment align = Qt::AlignLeft, double width = 0);

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QString FFileName;
    QSizeF FPaperMM;
    double FDpi;
    std::unique_ptr<TRepPdfEngine> FEngine;
};
