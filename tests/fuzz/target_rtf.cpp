// RTF of rich-text elements: the reader takes whatever a report file or clipboard carries.
#include "fuzz_target.h"
#include "regression_inputs.h"

#include "reportlib/rtf_reader.h"
#include "reportlib/rtf_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray Written(const std::function<void(QTextCursor &)> &fill) {
    QTextDocument document;
    QTextCursor cursor(&document);
    fill(cursor);
    return WriteRtf(document);
}

QList<QByteArray> RtfSeeds() {
    QList<QByteArray> seeds;
    seeds << Written([](QTextCursor &c) {
        QTextCharFormat plain, bold, italic, mixed;
        bold.setFontWeight(QFont::Bold);
        italic.setFontItalic(true);
        mixed.setFontUnderline(true);
        mixed.setFontStrikeOut(true);
        mixed.setForeground(QColor(200, 30, 40));
        mixed.setFontFamilies({QStringLiteral("Courier New")});
        mixed.setFontPointSize(17);
        c.insertText(QStringLiteral("Plain "), plain);
        c.insertText(QStringLiteral("bold "), bold);
        c.insertText(QStringLiteral("italic "), italic);
        c.insertText(QStringLiteral("all of it"), mixed);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        centred.setLeftMargin(30);
        centred.setRightMargin(10);
        centred.setTextIndent(-12);
        c.insertBlock(centred);
        c.insertText(QStringLiteral("Grüße € 漢字 {braces} \\backslash\\ \ttab"), plain);
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        c.insertBlock(right);
        c.insertText(QStringLiteral("right"), bold);
        QTextBlockFormat justified;
        justified.setAlignment(Qt::AlignJustify);
        c.insertBlock(justified);
        c.insertText(QString(200, QLatin1Char('w')) + QStringLiteral(" end"), italic);
    });
    seeds << Written([](QTextCursor &c) { c.insertText(QStringLiteral("one line")); });
    seeds << Written([](QTextCursor &) {});
    // What other programs write: a font and colour table, destinations to skip, hex escapes.
    seeds << QByteArray(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\*\\generator Some Writer 1.0;}\\viewkind4\\uc1\\pard\\qc\\li720\\ri360\\fi-360\\f0\\fs20 "
        "Caf\\'e9 \\cf1\\b bold red\\b0\\cf0  \\i italic\\i0 \\ul under\\ulnone \\strike s\\strike0\\par"
        "\\pard\\qr\\f1\\fs28 \\u8364? euro\\tab tab\\line break\\par}");
    seeds << QByteArray("plain text that is not rtf\r\nsecond line");
    return seeds;
}

}  // namespace

TFuzzTarget RtfTarget() {
    TFuzzTarget t;
    t.Name = QStringLiteral("rtf");
    t.Seeds = RtfSeeds;
    t.Regressions = RtfRegressions;
    t.Run = [](const QByteArray &input) {
        QTextDocument document;
        const bool read = ReadRtf(input, document);
        // Whatever was read is written back, as saving does, and one input in eight (chosen by
        // the bytes) is also laid out at an element's width, as printing does; layout is Qt's
        // and the slowest step.
        WriteRtf(document);
        if (qHash(input) % 8 == 0) {
            document.setTextWidth(700);
            document.documentLayout()->documentSize();
        }
        return read;
    };
    t.Tokens = {"{", "}", "\\", "\\par ", "\\b ", "\\fs", "\\f", "\\li", "\\fi-", "\\cf", "\\'", "\\u",
                "{\\fonttbl", "{\\colortbl", "\\red", "{\\*\\x ", "\\bin", "99999999999", "-2147483649", ";"};
    return t;
}
