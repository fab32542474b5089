#include "host/text_codec.h"

#include <QStringView>

namespace {

// Characters of bytes 0x80-0x9F. The undefined slots hold the same-numbered control character.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Length of the valid UTF-8 sequence starting at p (at most end - p bytes), or 0 if invalid.
int Utf8SequenceLength(const unsigned char *p, const unsigned char *end) {
    const unsigned char b = *p;
    if (b < 0x80) return 1;
    int len;
    char32_t min;
    char32_t cp;
    if ((b & 0xE0) == 0xC0) { len = 2; min = 0x80; cp = b & 0x1F; }
    else if ((b & 0xF0) == 0xE0) { len = 3; min = 0x800; cp = b & 0x0F; }
    else if ((b & 0xF8) == 0xF0) { len = 4; min = 0x10000; cp = b & 0x07; }
    else return 0;
    if (end - p < len) return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// UTF-8 bytes of text cut to at most maxBytes at a sequence boundary.
QByteArray CutUtf8(const QByteArray &utf8, int maxBytes) {
    if (maxBytes < 0 || utf8.size() <= maxBytes) return utf8;
    int cut = maxBytes;
    // Step back over continuation bytes to the start of the sequence that does not fit.
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) --cut;
    return utf8.left(cut);
}

}  // namespace

int Cp1252Byte(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return int(ch);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == ch) return 0x80 + i;
    return -1;
}

char16_t Cp1252Char(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHigh[byte - 0x80] : char16_t(byte);
}

bool IsMultiByteUtf8(const QByteArray &bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    bool multi = false;
    while (p < end) {
        const int len = Utf8SequenceLength(p, end);
        if (len == 0) return false;
        multi = multi || len > 1;
        p += len;
    }
    return multi;
}

QByteArray EncodeText8(const QString &text, int maxBytes) {
    // Only the characters that can end up in the output decide the encoding: with Windows-1252
    // one byte per character, so the first maxBytes characters.
    const QString kept = maxBytes >= 0 ? CutText(text, maxBytes) : text;
    QByteArray single;
    single.reserve(kept.size());
    bool fits = true;
    for (const QChar c : kept) {
        const int b = Cp1252Byte(c.unicode());
        if (b < 0) { fits = false; break; }
        single.append(char(b));
    }
    if (fits && !IsMultiByteUtf8(single)) return single;
    return CutUtf8(text.toUtf8(), maxBytes);
}

QString DecodeText8(const QByteArray &bytes) {
    if (IsMultiByteUtf8(bytes)) return QString::fromUtf8(bytes);
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char c : bytes) *dst++ = QChar(Cp1252Char(static_cast<unsigned char>(c)));
    return out;
}

QString CutText(const QString &text, int maxChars) {
    if (maxChars < 0) maxChars = 0;
    if (text.size() <= maxChars) return text;
    int cut = maxChars;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate() && text.at(cut).isLowSurrogate()) --cut;
    return text.left(cut);
}
