#pragma once
// The 8-bit text of report files and ini files. Text is written as Windows-1252 when every
// character has a Windows-1252 byte, otherwise as UTF-8; it is read as UTF-8 when the bytes are
// valid UTF-8 holding at least one multi-byte sequence, otherwise as Windows-1252. Bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control character of
// the same number and write back as that byte, so any byte string survives a read and a write.
#include <QByteArray>
#include <QString>

// Encodes text; maxBytes >= 0 cuts the result to at most that many bytes at a character
// boundary (a cut never leaves part of a character). When the Windows-1252 bytes would read back
// as UTF-8 the text is written as UTF-8 instead, so decoding always gives the text back.
QByteArray EncodeText8(const QString &text, int maxBytes = -1);
QString DecodeText8(const QByteArray &bytes);
inline QString DecodeText8(const char *data, qsizetype size) {
    return DecodeText8(QByteArray::fromRawData(data, size));
}

// The Windows-1252 byte of one character, or -1 when it has none.
int Cp1252Byte(char32_t ch);
// The character of one Windows-1252 byte.
char16_t Cp1252Char(unsigned char byte);

// True when bytes is valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF) and
// holds at least one multi-byte sequence.
bool IsMultiByteUtf8(const QByteArray &bytes);

// The first maxChars characters of text; a surrogate pair is never split.
QString CutText(const QString &text, int maxChars);
