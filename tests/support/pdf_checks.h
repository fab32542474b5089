#pragma once
// Checks of PDF files with the command-line tools of poppler (pdftotext, pdftoppm, pdffonts)
// and qpdf, for comparing two writers' output of the same pages.
#include <QString>
#include <QStringList>

// Every word of the file's text (pdftotext), in reading order.
QStringList PdfWordList(const QString &pdf);

// The share of pixels (0..1) that differ between the pages of two files rendered at dpi: a pixel
// differs when a colour channel differs by more than a quarter of its range, so that edge
// smoothing does not count. 1 when the page counts or sizes differ or a file does not render.
double PdfPixelDifference(const QString &a, const QString &b, int dpi = 100);

// One line per font of the file that is not embedded, not a subset or has no ToUnicode map.
QStringList PdfFontProblems(const QString &pdf);
// The fonts of a file as pdffonts lists them (name and type).
QStringList PdfFontNames(const QString &pdf);

// What `qpdf --check` reports beyond a clean result; empty when the file is sound.
QString QpdfProblems(const QString &pdf);
