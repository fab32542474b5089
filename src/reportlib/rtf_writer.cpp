#include "reportlib/rtf_writer.h"

#include "reportlib/rtf_units.h"

#include "host/text_codec.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cmath>

namespace {

// The character formatting RTF can express, resolved against the document's default font.
struct TRunFormat {
    QString Family;
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QRgb Color = 0;
    bool HasColor = false;  // false: automatic colour
};

TRunFormat Resolve(const QTextCharFormat &format, const QFont &defaultFont) {
    TRunFormat run;
    QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    families.removeAll(QString());
    if (!families.isEmpty())
        run.Family = families.first();
    else if (format.hasProperty(QTextFormat::FontFamily))
        run.Family = format.property(QTextFormat::FontFamily).toString();
    else
        run.Family = defaultFont.family();
    // Semicolons end a font table entry and cannot be escaped there.
    run.Family = run.Family.remove(QLatin1Char(';')).trimmed();

    double points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                                 : defaultFont.pixelSize() * 72.0 / 96.0;
    if (format.hasProperty(QTextFormat::FontPointSize))
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    run.HalfPoints = std::isfinite(points)
                         ? int(std::clamp<double>(std::round(points * 2), 1, RtfMaxHalfPoints))
                         : 24;

    run.Bold = (format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight()
                                                            : defaultFont.weight()) > QFont::Medium;
    run.Italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic()
                                                             : defaultFont.italic();
    run.Underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                            format.hasProperty(QTextFormat::FontUnderline)
                        ? format.fontUnderline()
                        : defaultFont.underline();
    run.StrikeOut = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                   : defaultFont.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush) {
        run.HasColor = true;
        run.Color = format.foreground().color().rgb() & 0xFFFFFF;
    }
    return run;
}

// Text with RTF's special characters escaped; a control word that text could run into ends
// with a blank.
QByteArray EscapeText(const QString &text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u == 0x00A0) {
            out += "\\~";
        } else if (u == 0x2011) {
            out += "\\_";
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else if (u < 0x20 || u == 0x7F || u == QChar::ParagraphSeparator || u == 0xFDD0 ||
                   u == 0xFDD1) {
            // Control characters and the document's own structure marks are not text.
        } else if (int byte = Cp1252Byte(u); byte >= 0x80) {
            out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
        }
    }
    return out;
}

class TRtfWriter {
public:
    explicit TRtfWriter(const QTextDocument &document)
        : FDocument(document), FDefaultFont(document.defaultFont()) {}

    QByteArray Run() {
        CollectTables();
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl";
        for (int i = 0; i < FFonts.size(); ++i)
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + EscapeText(FFonts.at(i)) +
                   ";}";
        out += "}\n";
        if (!FColors.isEmpty()) {
            out += "{\\colortbl ;";
            for (QRgb rgb : FColors)
                out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                       QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                       ';';
            out += "}\n";
        }
        out += "\\uc1\n";
        for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next())
            WriteBlock(block, out);
        out += "}\n";
        return out;
    }

private:
    // Each run the document holds, and the format of each empty paragraph.
    template <class Visit>
    void ForEachRun(const QTextBlock &block, Visit visit) const {
        bool any = false;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (fragment.isValid() && !fragment.text().isEmpty()) {
                visit(Resolve(fragment.charFormat(), FDefaultFont), fragment.text());
                any = true;
            }
        }
        if (!any)
            visit(Resolve(block.charFormat(), FDefaultFont), QString());
    }

    void CollectTables() {
        for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next())
            ForEachRun(block, [this](const TRunFormat &run, const QString &) {
                if (!FFonts.contains(run.Family))
                    FFonts.append(run.Family);
                if (run.HasColor && !FColors.contains(run.Color))
                    FColors.append(run.Color);
            });
        if (FFonts.isEmpty())
            FFonts.append(FDefaultFont.family());
    }

    static void Twips(QByteArray &out, const char *word, double pixels) {
        double twips = std::isfinite(pixels) ? std::round(pixels * RtfTwipsPerPixel) : 0;
        int value = int(std::clamp<double>(twips, -RtfMaxIndentTwips, RtfMaxIndentTwips));
        if (value != 0)
            out += QByteArray(word) + QByteArray::number(value);
    }

    void WriteBlock(const QTextBlock &block, QByteArray &out) {
        QTextBlockFormat format = block.blockFormat();
        QByteArray pending = "\\pard";
        Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment == Qt::AlignRight)
            pending += "\\qr";
        else if (alignment == Qt::AlignHCenter)
            pending += "\\qc";
        else if (alignment == Qt::AlignJustify)
            pending += "\\qj";
        Twips(pending, "\\li", format.leftMargin());
        Twips(pending, "\\ri", format.rightMargin());
        Twips(pending, "\\fi", format.textIndent());
        pending += "\\plain";

        // What \plain leaves in force: the default font at 12 points, nothing else.
        TRunFormat current;
        current.Family = FFonts.first();
        ForEachRun(block, [&](const TRunFormat &run, const QString &text) {
            ChangeFormat(current, run, pending);
            current = run;
            if (!text.isEmpty()) {
                if (!pending.isEmpty())
                    out += pending + ' ';
                pending.clear();
                out += EscapeText(text);
            }
        });
        out += pending + "\\par\n";
    }

    void ChangeFormat(const TRunFormat &from, const TRunFormat &to, QByteArray &out) const {
        if (from.Family != to.Family)
            out += "\\f" + QByteArray::number(FFonts.indexOf(to.Family));
        if (from.HalfPoints != to.HalfPoints)
            out += "\\fs" + QByteArray::number(to.HalfPoints);
        if (from.Bold != to.Bold)
            out += to.Bold ? "\\b" : "\\b0";
        if (from.Italic != to.Italic)
            out += to.Italic ? "\\i" : "\\i0";
        if (from.Underline != to.Underline)
            out += to.Underline ? "\\ul" : "\\ulnone";
        if (from.StrikeOut != to.StrikeOut)
            out += to.StrikeOut ? "\\strike" : "\\strike0";
        if (from.HasColor != to.HasColor || from.Color != to.Color)
            out += "\\cf" + QByteArray::number(to.HasColor ? FColors.indexOf(to.Color) + 1 : 0);
    }

    const QTextDocument &FDocument;
    QFont FDefaultFont;
    QStringList FFonts;
    QList<QRgb> FColors;
};

}  // namespace

QByteArray WriteRtf(const QTextDocument &document) { return TRtfWriter(document).Run(); }
