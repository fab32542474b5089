#include "persist/text_chunks.h"

#include "persist/report_records.h"

#include "host/text_codec.h"

QStringList SplitTextChunks(const QString &text) {
    QStringList chunks;
    qsizetype pos = 0;
    while (pos < text.size()) {
        QString piece = CutText(text.mid(pos), ChunkLength);
        while (EncodeText8(piece).size() > ChunkLength) piece = CutText(piece, int(piece.size()) - 1);
        if (piece.isEmpty())  // one character always fits; keep a surrogate pair whole
            piece = text.mid(pos, text.at(pos).isHighSurrogate() && pos + 1 < text.size() ? 2 : 1);
        chunks << piece;
        pos += piece.size();
    }
    return chunks;
}
