#pragma once
// Writes a QTextDocument as RTF, the stream form of rich-text elements: one paragraph per
// block with its alignment and indents, and runs of text with font name and size, bold,
// italic, underline, strike-out and colour. Characters outside Windows-1252 are written as
// Unicode escapes. What the reader makes of the output writes back byte for byte the same.
#include <QByteArray>

class QTextDocument;

QByteArray WriteRtf(const QTextDocument &document);
