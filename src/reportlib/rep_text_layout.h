#pragma once
// Breaking text into the lines a text element prints. Layout is measured with fonts at a fixed
// 96 pixels per inch, so line breaks are the same on screen, in previews, PDF files and on
// printers.
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

// Splits text at line breaks ("\r\n", "\n", "\r"); with wordWrap, also breaks each paragraph
// into lines no wider than width (pixels of the font) at blanks, and a word that alone is too
// wide where it no longer fits. An empty text gives one empty line. Output is limited to
// maxLines lines so that huge texts stay bounded.
QStringList RepBreakText(const QString &text, const QFont &font, const QFontMetricsF &metrics, double width,
                         bool wordWrap, int maxLines = 10000);

// Width of the widest line (pixels of the metrics).
double RepWidestLine(const QStringList &lines, const QFontMetricsF &metrics);
