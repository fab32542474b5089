#pragma once
// The object layer of the PDF writer: numbered objects appended to a file as they are made,
// their offsets remembered for the cross-reference table written at the end. Objects may be
// numbered before they are written (a page names its parent, the page tree is written last).
// Numbers are formatted by hand because printf-style formatting dominates the cost of content
// streams with many thousands of coordinates.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

namespace RepPdf {

// Appends a number with at most three decimals, without trailing zeros ("12", "-0.5").
void AppendReal(QByteArray &out, double value);
void AppendInt(QByteArray &out, qint64 value);
// Appends a PDF string literal (parentheses, with backslash escapes), for UTF-16 text too.
void AppendTextString(QByteArray &out, const QString &text);
// Appends four hex digits.
void AppendHex4(QByteArray &out, unsigned value);
// zlib deflate of data (the /FlateDecode filter).
QByteArray Deflate(const QByteArray &data, int level);

}  // namespace RepPdf

class TRepPdfOutput {
public:
    TRepPdfOutput() = default;
    ~TRepPdfOutput();

    // Creates the file and writes the header; false when it cannot be created.
    bool Open(const QString &fileName);
    bool IsOpen() const { return FFile.isOpen(); }
    // True once a write to the file failed.
    bool Failed() const { return FFailed; }

    // A new object number, to be written later with BeginObject.
    int Reserve();
    // Starts writing object n ("n 0 obj"); the body goes through Body() and ends with EndObject.
    void BeginObject(int n);
    QByteArray &Body() { return FBuffer; }
    void EndObject();
    // Writes object n as a stream with the dictionary entries extra (without "<<" ">>") and
    // data, compressed with deflate at level (1 fastest .. 9 smallest; 0 stores it as it is).
    void WriteStream(int n, const QByteArray &extra, const QByteArray &data, int level);

    // Hands the bytes made so far to the file (a finished page goes out at once).
    void Flush();

    // Writes the cross-reference table and trailer and closes the file; false when a write
    // failed. Every reserved object must have been written.
    bool Finish(int root, int info);
    // Closes and removes the unfinished file.
    void Discard();

private:
    void FlushIfFull();

    QFile FFile;
    QByteArray FBuffer;          // bytes not yet written to the file
    qint64 FWritten = 0;          // bytes already in the file
    std::vector<qint64> FOffsets; // by object number; 0 is the free head
    bool FFailed = false;
};
