#pragma once
// Reads rich text in RTF, the stream form of rich-text elements, into a QTextDocument:
// paragraphs, bold, italic, underline, strike-out, font name and size, colour, alignment and
// indents. Damaged input (unbalanced braces, cut off, garbage) is read as far as it is sound.
#include <QByteArray>

class QTextDocument;

// True when the data starts (after blanks) with an RTF group "{\rtf".
bool IsRtf(const QByteArray &data);

// Replaces the document's contents with the rich text. Data that is not RTF is taken as plain
// text (UTF-8 or Windows-1252, as in report files) and false is returned.
bool ReadRtf(const QByteArray &data, QTextDocument &document);
