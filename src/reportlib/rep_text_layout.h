#pragma once
// Breaking text into the lines a text element prints. Layout is measured with fonts at a fixed
// 96 pixels per inch, so line breaks are the same on screen, in previews, PDF files and on
// printers.
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <memory>

// Font metrics with a quick upper bound of a text's width, so that texts which surely fit need
// no exact measuring (which costs as much as laying the text out). The metrics of a font are
// measured once and shared by every text element using that font.
class TRepTextMetrics {
public:
    TRepTextMetrics() : TRepTextMetrics(QFont()) {}
    explicit TRepTextMetrics(const QFont &font);

    const QFont &Font() const { return FData->Font; }
    const QFontMetricsF &Metrics() const { return FData->Metrics; }
    double Height() const { return FData->Metrics.height(); }
    double Ascent() const { return FData->Metrics.ascent(); }
    // Exact width of a text (shaped, kerned).
    double Width(const QString &text) const { return FData->Metrics.horizontalAdvance(text); }
    // A width the text never exceeds: its characters' advances, with room for kerning.
    double UpperBound(const QString &text) const;

private:
    struct TData {
        explicit TData(const QFont &font);
        QFont Font;
        QFontMetricsF Metrics;
        double Advance[256] = {};
        double MaxAdvance = 0;
    };
    std::shared_ptr<const TData> FData;
};

// Splits text at line breaks ("\r\n", "\n", "\r"); with wordWrap, also breaks each paragraph
// into lines no wider than width (pixels of the font) at blanks, and a word that alone is too
// wide where it no longer fits. An empty text gives one empty line. Output is limited to
// maxLines lines so that huge texts stay bounded.
QStringList RepBreakText(const QString &text, const TRepTextMetrics &metrics, double width, bool wordWrap,
                         int maxLines = 10000);

// Width of the widest line (pixels of the metrics).
double RepWidestLine(const QStringList &lines, const TRepTextMetrics &metrics);
