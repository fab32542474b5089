#include "reportlib/rep_pdf_output.h"

#include <zlib.h>
#include <cmath>

namespace RepPdf {

void AppendInt(QByteArray &out, qint64 value) {
    char buf[24];
    char *end = buf + sizeof buf;
    char *p = end;
    const bool negative = value < 0;
    quint64 v = negative ? quint64(-(value + 1)) + 1 : quint64(value);
    do {
        *--p = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative) *--p = '-';
    out.append(p, end - p);
}

void AppendReal(QByteArray &out, double value) {
    if (!std::isfinite(value)) {
        out.append('0');
        return;
    }
    // Beyond this range PDF readers reject or clamp numbers anyway.
    value = qBound(-1e9, value, 1e9);
    const qint64 thousandths = qint64(std::llround(value * 1000.0));
    qint64 whole = thousandths / 1000;
    int frac = int(thousandths % 1000);
    if (thousandths < 0) {
        out.append('-');
        whole = -whole;
        frac = -frac;
    }
    AppendInt(out, whole);
    if (frac == 0) return;
    char digits[4] = {'.', char('0' + frac / 100), char('0' + frac / 10 % 10), char('0' + frac % 10)};
    int n = 4;
    while (digits[n - 1] == '0') --n;
    out.append(digits, n);
}

void AppendHex4(QByteArray &out, unsigned value) {
    static const char hex[] = "0123456789ABCDEF";
    const char digits[4] = {hex[(value >> 12) & 15], hex[(value >> 8) & 15], hex[(value >> 4) & 15], hex[value & 15]};
    out.append(digits, 4);
}

void AppendTextString(QByteArray &out, const QString &text) {
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() > 126 || c.unicode() < 32) ascii = false;
    if (ascii) {
        out.append('(');
        for (QChar c : text) {
            const char ch = char(c.unicode());
            if (ch == '(' || ch == ')' || ch == '\\') out.append('\\');
            out.append(ch);
        }
        out.append(')');
        return;
    }
    // UTF-16BE with its byte order mark, as a hex string so that no byte needs escaping.
    out.append("<FEFF");
    for (QChar c : text) AppendHex4(out, c.unicode());
    out.append('>');
}

QByteArray Deflate(const QByteArray &data, int level) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(data.constData()),
                  uLong(data.size()), level) != Z_OK)
        return {};
    out.resize(qsizetype(size));
    return out;
}

}  // namespace RepPdf

using namespace RepPdf;

namespace {
constexpr qsizetype kFlushSize = 256 * 1024;
}

TRepPdfOutput::~TRepPdfOutput() {
    if (FFile.isOpen()) FFile.close();
}

bool TRepPdfOutput::Open(const QString &fileName) {
    FFile.setFileName(fileName);
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    FOffsets.assign(1, 0);
    FWritten = 0;
    FFailed = false;
    // The comment of bytes above 127 tells transfer programs the file is binary.
    FBuffer = QByteArray("%PDF-1.6\n%\xE2\xE3\xCF\xD3\n");
    return true;
}

int TRepPdfOutput::Reserve() {
    FOffsets.push_back(-1);
    return int(FOffsets.size() - 1);
}

void TRepPdfOutput::BeginObject(int n) {
    FOffsets[size_t(n)] = FWritten + FBuffer.size();
    AppendInt(FBuffer, n);
    FBuffer.append(" 0 obj\n");
}

void TRepPdfOutput::EndObject() {
    FBuffer.append("\nendobj\n");
    FlushIfFull();
}

void TRepPdfOutput::WriteStream(int n, const QByteArray &extra, const QByteArray &data, int level) {
    const QByteArray packed = level > 0 ? Deflate(data, level) : QByteArray();
    const bool packedOk = !packed.isEmpty();
    const QByteArray &bytes = packedOk ? packed : data;
    BeginObject(n);
    FBuffer.append("<<");
    FBuffer.append(extra);
    if (packedOk) FBuffer.append("/Filter/FlateDecode");
    FBuffer.append("/Length ");
    AppendInt(FBuffer, bytes.size());
    FBuffer.append(">>\nstream\n");
    if (bytes.size() > kFlushSize) {
        Flush();
        if (FFile.write(bytes) != bytes.size()) FFailed = true;
        FWritten += bytes.size();
    } else {
        FBuffer.append(bytes);
    }
    FBuffer.append("\nendstream");
    EndObject();
}

void TRepPdfOutput::FlushIfFull() {
    if (FBuffer.size() >= kFlushSize) Flush();
}

void TRepPdfOutput::Flush() {
    if (FBuffer.isEmpty()) return;
    if (FFile.write(FBuffer) != FBuffer.size()) FFailed = true;
    FWritten += FBuffer.size();
    FBuffer.clear();
}

bool TRepPdfOutput::Finish(int root, int info) {
    const qint64 xref = FWritten + FBuffer.size();
    FBuffer.append("xref\n0 ");
    AppendInt(FBuffer, qint64(FOffsets.size()));
    FBuffer.append("\n0000000000 65535 f \n");
    for (size_t i = 1; i < FOffsets.size(); ++i) {
        if (FOffsets[i] < 0) FFailed = true;  // reserved, never written
        char line[21];
        qsnprintf(line, sizeof line, "%010lld 00000 n \n", qMax<qint64>(0, FOffsets[i]));
        FBuffer.append(line, 20);
        FlushIfFull();
    }
    FBuffer.append("trailer\n<</Size ");
    AppendInt(FBuffer, qint64(FOffsets.size()));
    FBuffer.append("/Root ");
    AppendInt(FBuffer, root);
    FBuffer.append(" 0 R/Info ");
    AppendInt(FBuffer, info);
    FBuffer.append(" 0 R>>\nstartxref\n");
    AppendInt(FBuffer, xref);
    FBuffer.append("\n%%EOF\n");
    Flush();
    if (!FFile.flush()) FFailed = true;
    FFile.close();
    return !FFailed;
}

void TRepPdfOutput::Discard() {
    FBuffer.clear();
    if (FFile.isOpen()) FFile.close();
    FFile.remove();
}
